#include "app/platform/lockrecord.h"

#include <QDateTime>
#include <QFile>
#include <QList>
#include <QLockFile>
#include <QScopeGuard>
#include <QSysInfo>

#include <cerrno>
#include <cstdlib>
#include <optional>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// A record QLockFile writes is a few hundred bytes; anything longer is none.
constexpr qint64 MaxRecordBytes = 4096;
// Host names are at most 255 bytes; a longer line is cut for display.
constexpr int MaxHostNameLength = 255;

#ifdef Q_OS_UNIX
// The file itself, never a link's target, and never a FIFO's writer waited
// for; only a regular file counts.
int openRegularFile(const QString &path, struct stat *status)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (::fstat(fd, status) != 0 || !S_ISREG(status->st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The whole contents, up to one byte past the longest record.
std::optional<QByteArray> readBounded(int fd)
{
    QByteArray bytes(MaxRecordBytes + 1, Qt::Uninitialized);
    qint64 total = 0;
    while (total < bytes.size()) {
        const ssize_t count = ::pread(fd, bytes.data() + total, size_t(bytes.size() - total), off_t(total));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            break;
        total += count;
    }
    bytes.truncate(total);
    return bytes;
}

qint64 ageMs(const struct stat &status)
{
    const qint64 written = qint64(status.st_mtim.tv_sec) * 1000 + status.st_mtim.tv_nsec / 1000000;
    // A time in the future (a clock set back, a copied folder) is as far
    // from now as one in the past.
    return std::llabs(QDateTime::currentMSecsSinceEpoch() - written);
}
#endif

// The host as one line of text: a crafted record must not add lines of its
// own (a made-up "Lock file:") to a message that shows it, nor steer the
// terminal a log goes to.
QString oneLine(const QString &host)
{
    QString shown;
    shown.reserve(host.size());
    for (const QChar c : host) {
        switch (c.category()) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            break;
        default:
            shown.append(c);
        }
    }
    return shown.left(MaxHostNameLength);
}

} // namespace

LockRecord LockRecord::parse(const QByteArray &contents)
{
    LockRecord record;
    if (contents.size() > MaxRecordBytes)
        return record;
    const QList<QByteArray> lines = contents.split('\n');
    // QLockFile writes its record in one piece: a process id without the
    // end of its line is no record.
    if (lines.size() < 2)
        return record;
    bool ok = false;
    const qint64 pid = lines.at(0).toLongLong(&ok);
    if (!ok || pid <= 0)
        return record;
    const QString host = QString::fromUtf8(lines.value(2));
    record.m_hostName = oneLine(host);
    // Decided as QLockFile decides whether it may check the process: by the
    // machine id where both sides have one, else by the host name.
    bool thisComputer = host.isEmpty() || host == QSysInfo::machineHostName();
    const QByteArray machine = lines.value(3);
    const QByteArray ourMachine = QSysInfo::machineUniqueId();
    if (!machine.isEmpty() && !ourMachine.isEmpty())
        thisComputer = machine == ourMachine;
    record.m_holder = thisComputer ? Holder::ThisComputer : Holder::OtherComputer;
    return record;
}

#ifdef Q_OS_UNIX

LockRecord LockRecord::read(const QString &path)
{
    struct stat status;
    const int fd = openRegularFile(path, &status);
    LockRecord unreadable;
    unreadable.m_holder = Holder::Unreadable;
    if (fd < 0)
        return unreadable;
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    const std::optional<QByteArray> contents = readBounded(fd);
    return contents ? parse(*contents) : unreadable;
}

LockRecord::Removal LockRecord::removeAbandoned(const QString &path, qint64 minimumAgeMs)
{
    // Removers of one lock take turns, under the name QLockFile's own use.
    QLockFile turn(path + QStringLiteral(".rmlock"));
    if (!turn.tryLock(0)) {
        if (turn.error() == QLockFile::PermissionError && read(path).holder() == Holder::NoOne)
            return Removal::Unwritable;
        return Removal::Kept;
    }
    struct stat status;
    const int fd = openRegularFile(path, &status);
    if (fd < 0)
        return Removal::Kept;
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    std::optional<QByteArray> contents = readBounded(fd);
    if (!contents || parse(*contents).holder() != Holder::NoOne)
        return Removal::Kept;
    if (ageMs(status) < minimumAgeMs)
        return Removal::Young;
    // A live holder keeps its lock on the file for as long as it runs. Where
    // the file system has no such locks, age alone decides.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
        return Removal::Kept;
    // Read again under the lock: a maker that locked the file first has
    // written its record by now.
    contents = readBounded(fd);
    if (!contents || parse(*contents).holder() != Holder::NoOne)
        return Removal::Kept;
    // Only this very file goes: while this process locks it, no other
    // remover can take it away and let a new start put its own in its place.
    const QByteArray encoded = QFile::encodeName(path);
    struct stat named;
    if (::lstat(encoded.constData(), &named) != 0 || named.st_dev != status.st_dev || named.st_ino != status.st_ino)
        return Removal::Kept;
    return ::unlink(encoded.constData()) == 0 ? Removal::Removed : Removal::Kept;
}

bool LockRecord::strandedInUnwritableFolder(const QString &path)
{
    struct stat status;
    const int fd = openRegularFile(path, &status);
    if (fd < 0)
        return false;
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    const std::optional<QByteArray> contents = readBounded(fd);
    if (!contents || parse(*contents).holder() != Holder::ThisComputer)
        return false;
    // A running holder keeps its lock on the file; this one is let go at
    // once, with the descriptor.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return false;
    // Asked the way QLockFile itself would go about removing it.
    QLockFile turn(path + QStringLiteral(".rmlock"));
    return !turn.tryLock(0) && turn.error() == QLockFile::PermissionError;
}

#else

LockRecord LockRecord::read(const QString &path)
{
    Q_UNUSED(path)
    LockRecord unreadable;
    unreadable.m_holder = Holder::Unreadable;
    return unreadable;
}

LockRecord::Removal LockRecord::removeAbandoned(const QString &path, qint64 minimumAgeMs)
{
    Q_UNUSED(path)
    Q_UNUSED(minimumAgeMs)
    return Removal::Kept;
}

bool LockRecord::strandedInUnwritableFolder(const QString &path)
{
    Q_UNUSED(path)
    return false;
}

#endif
