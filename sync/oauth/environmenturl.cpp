#include "sync/oauth/environmenturl.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace OAuth {

QUrl urlFromEnvironment(const char *name, const char *fallback)
{
    const QByteArray value = qgetenv(name);
    if (value.trimmed().isEmpty())
        return QUrl(QString::fromLatin1(fallback));
    return QUrl(QString::fromUtf8(value).trimmed());
}

int positiveFromEnvironment(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

} // namespace OAuth
