#include "app/network/joinedurl.h"

namespace Net {

QUrl joinedUrl(const QUrl &base, const QString &path)
{
    QUrl url = base;
    QString prefix = url.path();
    while (prefix.endsWith(QLatin1Char('/')))
        prefix.chop(1);
    url.setPath(prefix + path);
    url.setQuery(QString());
    url.setFragment(QString());
    return url;
}

} // namespace Net
