#include "ui/sidebar/detachedwindowgeometry.h"

#include <QByteArray>
#include <QWidget>

#include "store/preferencesrepository.h"

namespace DetachedWindowGeometry {

void restore(QWidget *window, PreferencesRepository *preferences, const QString &key)
{
    const QString text = preferences->getString(key);
    if (text.isEmpty())
        return;
    const QByteArray bytes = QByteArray::fromBase64(text.toLatin1());
    if (!bytes.isEmpty())
        window->restoreGeometry(bytes);
}

void save(const QWidget *window, PreferencesRepository *preferences, const QString &key)
{
    // Only the remembered place is lost when the store refuses (and logs) it.
    (void)preferences->set(key, QString::fromLatin1(window->saveGeometry().toBase64()));
}

} // namespace DetachedWindowGeometry
