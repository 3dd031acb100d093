#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QString>

// Whether this process itself listens on a TCP port. Asking by connecting
// cannot tell: under a parallel test run another process may have taken the
// port since, and a connection then reaches its listener.
inline bool listensHere(quint16 port)
{
    QSet<QString> ownSockets;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString &fd : fds.entryList(QDir::System | QDir::NoDotAndDotDot)) {
        const QString target = QFileInfo(fds.filePath(fd)).symLinkTarget();
        const qsizetype open = target.indexOf(QLatin1String("socket:["));
        if (open >= 0)
            ownSockets.insert(target.mid(open + 8).chopped(1));
    }
    for (const char *table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        QFile file(QString::fromLatin1(table));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        file.readLine(); // the column names
        while (!file.atEnd()) {
            // sl local_address rem_address st tx:rx tr:when retrnsmt uid timeout inode
            const QList<QByteArray> fields = file.readLine().simplified().split(' ');
            if (fields.size() < 10 || fields.at(3) != "0A") // 0A: listening
                continue;
            const QByteArray local = fields.at(1);
            bool ok = false;
            const uint localPort = local.mid(local.lastIndexOf(':') + 1).toUInt(&ok, 16);
            if (ok && localPort == port && ownSockets.contains(QString::fromLatin1(fields.at(9))))
                return true;
        }
    }
    return false;
}
