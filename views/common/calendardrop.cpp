#include "views/common/calendardrop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace CalendarDrop {

QStringList icsPathsFromMime(const QMimeData *mime)
{
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl &url : mime->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (path.toLower().endsWith(QLatin1String(".ics")))
            paths.append(path);
    }
    return paths;
}

QString taskIdFromMime(const QMimeData *mime)
{
    if (!mime || !mime->hasFormat(QString::fromLatin1(TaskIdFormat)))
        return QString();
    return QString::fromUtf8(mime->data(QString::fromLatin1(TaskIdFormat)));
}

bool accepts(const QMimeData *mime)
{
    if (!mime)
        return false;
    return mime->hasFormat(QString::fromLatin1(TaskIdFormat)) || !icsPathsFromMime(mime).isEmpty();
}

void acceptOrIgnore(QDropEvent *event)
{
    if (accepts(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

bool takeIcsDrop(QDropEvent *event, QObject *context, const IcsImportSink &sink)
{
    const QStringList paths = icsPathsFromMime(event->mimeData());
    if (paths.isEmpty())
        return false;
    event->acceptProposedAction();
    if (sink) {
        QTimer::singleShot(0, context, [sink, paths] {
            for (const QString &path : paths)
                sink(path);
        });
    }
    return true;
}

} // namespace CalendarDrop
