#include "app/platform/channelrecord.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QScopeGuard>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// A socket path is at most 107 bytes; the record is never near this.
constexpr qint64 MaxRecordBytes = 4096;

void setText(QString *target, const QString &text)
{
    if (target)
        *target = text;
}

} // namespace

#ifdef Q_OS_UNIX

bool ChannelRecord::write(const QString &path, const QString &socketPath, QString *error)
{
    // A name of its own, created afresh with this user's access alone: an
    // existing file or link of that name makes it fail instead.
    QByteArray temporary = QFile::encodeName(path) + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        setText(error, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    const QByteArray bytes = socketPath.toUtf8();
    qint64 written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        written += count;
    }
    const int writeErrno = errno;
    const bool closed = ::close(fd) == 0;
    if (written == bytes.size() && closed && ::rename(temporary.constData(), QFile::encodeName(path).constData()) == 0)
        return true;
    setText(error, QString::fromLocal8Bit(std::strerror(written < bytes.size() ? writeErrno : errno)));
    ::unlink(temporary.constData());
    return false;
}

QString ChannelRecord::read(const QString &path, QString *refusal)
{
    setText(refusal, QString());
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ELOOP)
            setText(refusal, QStringLiteral("it is a link"));
        return QString();
    }
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        setText(refusal, QStringLiteral("it is not a regular file"));
        return QString();
    }
    if (status.st_uid != ::geteuid()) {
        setText(refusal, QStringLiteral("it belongs to another user"));
        return QString();
    }
    if (status.st_mode & (S_IWGRP | S_IWOTH)) {
        setText(refusal, QStringLiteral("other users may write to it"));
        return QString();
    }
    QByteArray bytes(MaxRecordBytes + 1, Qt::Uninitialized);
    const ssize_t count = ::read(fd, bytes.data(), size_t(bytes.size()));
    if (count < 0 || count > MaxRecordBytes) {
        setText(refusal, count < 0 ? QString::fromLocal8Bit(std::strerror(errno)) : QStringLiteral("it is too long"));
        return QString();
    }
    bytes.truncate(count);
    const QString socketPath = QString::fromUtf8(bytes).trimmed();
    if (!socketPath.isEmpty() && !socketPath.startsWith(QLatin1Char('/'))) {
        setText(refusal, QStringLiteral("it names no absolute path"));
        return QString();
    }
    return socketPath;
}

#else

// Elsewhere the data folder is the user's profile, where no other user
// plants files.
bool ChannelRecord::write(const QString &path, const QString &socketPath, QString *error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(socketPath.toUtf8()) >= 0 && file.commit())
        return true;
    setText(error, file.errorString());
    return false;
}

QString ChannelRecord::read(const QString &path, QString *refusal)
{
    setText(refusal, QString());
    QFile record(path);
    if (!record.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(record.read(MaxRecordBytes)).trimmed();
}

#endif
