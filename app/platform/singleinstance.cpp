#include "app/platform/singleinstance.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include "app/platform/channelrecord.h"
#include "app/platform/datadirectory.h"
#include "app/platform/lockrecord.h"

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace {

constexpr int WaitMs = 800;
// A running instance that holds the channel but does not accept (busy, or
// between taking the lock and listening) is waited for this long before the
// new start gives up; it never takes the channel over.
constexpr int BusyInstanceWaitMs = 15000;
constexpr int RetryPauseMs = 100;
// In the data folder: held by the instance that uses it, and the path of
// that instance's socket.
constexpr const char *DataLockName = "/calendar.lock";
constexpr const char *ChannelRecordName = "/calendar.channel";
// A lock that names no process is taken over once it is this old: a start
// that has just created one writes its record a moment later, and a start
// that finds such a lock waits far longer than this.
constexpr qint64 AbandonedLockAgeMs = 5000;

// A path on the command line means the sender's working directory; the
// running instance has its own, so the path travels absolute.
QString absolutePath(const QString &path)
{
    if (path.isEmpty())
        return path;
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// The user the process at the other end of a connected socket runs as is
// this process's user. The socket file's owner is not enough: the file may
// be replaced between the check and the connection.
bool peerIsThisUser(qintptr descriptor)
{
#if defined(Q_OS_LINUX)
    struct ucred credentials = {};
    socklen_t size = sizeof credentials;
    return ::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0
           && credentials.uid == ::geteuid();
#elif defined(Q_OS_UNIX)
    uid_t user = 0;
    gid_t group = 0;
    return ::getpeereid(int(descriptor), &user, &group) == 0 && user == ::geteuid();
#else
    Q_UNUSED(descriptor)
    return true;
#endif
}

} // namespace

SingleInstance::SingleInstance(QObject *parent)
    : QObject(parent)
{
}

SingleInstance::~SingleInstance()
{
    // Closing the server removes its socket file: done while the locks are
    // held, so that it is never a successor's socket that goes.
    delete m_server;
    m_server = nullptr;
    if (!m_channelRecord.isEmpty())
        QFile::remove(m_channelRecord);
}

QString SingleInstance::serverName()
{
    const QString home = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
    QString name = QStringLiteral("tindlebrook-calendar-") + QDir(home).dirName();
    const QString instance = QString::fromUtf8(qgetenv("CALENDAR_INSTANCE"));
    if (!instance.isEmpty())
        name += QLatin1Char('-') + instance;
    return name;
}

QString SingleInstance::serverPath()
{
    QString fileName = serverName();
    fileName.replace(QLatin1Char('/'), QLatin1Char('_'));
    // The runtime location is owned by the user with mode 0700 (Qt checks and
    // repairs that). Where Qt refuses it (made by someone else), the private
    // data folder serves: never the shared temporary folder, where another
    // user could take the name first and receive every start's command.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = dataDirectory();
    // A relative name would be looked up in the shared temporary folder.
    return QFileInfo(folder).absoluteFilePath() + QLatin1Char('/') + fileName;
}

bool SingleInstance::ownedByThisUser(const QString &path)
{
#ifdef Q_OS_UNIX
    const QFileInfo info(path);
    return !info.exists() || info.ownerId() == uint(::geteuid());
#else
    Q_UNUSED(path)
    return true;
#endif
}

QByteArray SingleInstance::buildCommand(const QStringList &arguments)
{
    QJsonObject command;
    command.insert(QStringLiteral("cmd"), QStringLiteral("focus"));
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const bool hasNext = i + 1 < arguments.size();
        if (argument == QLatin1String("--show-today")) {
            command.insert(QStringLiteral("cmd"), QStringLiteral("show-today"));
        } else if (argument == QLatin1String("--new-event")) {
            command.insert(QStringLiteral("cmd"), QStringLiteral("new-event"));
        } else if (argument == QLatin1String("--quick-add")) {
            if (hasNext) {
                command.insert(QStringLiteral("cmd"), QStringLiteral("quick-add"));
                command.insert(QStringLiteral("text"), arguments.at(++i));
            }
        } else if (argument.startsWith(QLatin1String("--quick-add="))) {
            command.insert(QStringLiteral("cmd"), QStringLiteral("quick-add"));
            command.insert(QStringLiteral("text"), argument.mid(argument.indexOf(QLatin1Char('=')) + 1));
        } else if (argument == QLatin1String("--ics")) {
            if (hasNext) {
                command.insert(QStringLiteral("cmd"), QStringLiteral("open-ics"));
                command.insert(QStringLiteral("path"), absolutePath(arguments.at(++i)));
            }
        } else if (argument.endsWith(QLatin1String(".ics"), Qt::CaseInsensitive)
                   && QFileInfo(argument).isFile()) {
            command.insert(QStringLiteral("cmd"), QStringLiteral("open-ics"));
            command.insert(QStringLiteral("path"), absolutePath(argument));
        }
    }
    return QJsonDocument(command).toJson(QJsonDocument::Compact) + '\n';
}

bool SingleInstance::tryForwardOrListen(const QStringList &arguments)
{
    const QByteArray command = buildCommand(arguments);
    m_dataFolder = dataDirectory();
    const auto forwardToChannel = [this, &command] { return forward(serverPath(), command, WaitMs); };
    if (forwardToChannel())
        return true;

    // Only the holder of this lock may replace the socket, so a start that
    // merely failed to connect in time never unlinks a live instance's socket.
    const QString lockPath = m_dataFolder + QLatin1Char('/') + serverName() + QStringLiteral(".lock");
    switch (lockOrForward(m_lock, lockPath, forwardToChannel)) {
    case LockOutcome::Taken:
    case LockOutcome::Unusable:
        break;
    case LockOutcome::Forwarded:
        return true;
    case LockOutcome::Busy:
        qWarning().noquote() << "[SingleInstance] an instance is running but did not accept"
                             << "the command; not starting a second one";
        m_dataFolderInUse = true;
        return true;
    case LockOutcome::OtherComputer:
    case LockOutcome::Unwritable:
        return true;
    }

    // The channel's name follows the home folder and the instance name; the
    // database does not. An instance under another name, or from another
    // home pointed at the same folder, holds this lock and is handed the
    // command at the socket it recorded, so two never write one database.
    switch (lockOrForward(m_dataLock, m_dataFolder + QLatin1String(DataLockName),
                          [this, &command] { return forwardToDataFolderHolder(command); })) {
    case LockOutcome::Taken:
    case LockOutcome::Unusable:
        break;
    case LockOutcome::Forwarded:
        m_lock.reset();
        return true;
    case LockOutcome::Busy:
        qWarning().noquote() << "[SingleInstance] the data folder" << m_dataFolder
                             << "is in use by an instance that did not accept the command; not starting";
        m_lock.reset();
        m_dataFolderInUse = true;
        return true;
    case LockOutcome::OtherComputer:
    case LockOutcome::Unwritable:
        m_lock.reset();
        return true;
    }
    listen();
    return false;
}

SingleInstance::LockOutcome SingleInstance::lockOrForward(std::unique_ptr<QLockFile> &lock, const QString &path,
                                                          const std::function<bool()> &forwardToHolder)
{
    lock = std::make_unique<QLockFile>(path);
    // A lock whose process is gone is recognised as stale by its owner's pid,
    // never by age: a long-running instance keeps it.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0))
        return LockOutcome::Taken;
    if (lock->error() != QLockFile::LockFailedError) {
        qWarning().noquote() << "[SingleInstance] cannot create" << path
                             << "- running without the single-instance guard";
        lock.reset();
        return LockOutcome::Unusable;
    }
    QElapsedTimer waited;
    waited.start();
    bool toldYoung = false;
    while (waited.elapsed() < BusyInstanceWaitMs) {
        const LockRecord record = LockRecord::read(path);
        if (record.holder() == LockRecord::Holder::OtherComputer) {
            qWarning().noquote() << "[SingleInstance]" << path << "is held by a program on" << record.hostName()
                                 << "- not starting";
            m_otherComputerLock = path;
            m_otherComputer = record.hostName();
            lock.reset();
            return LockOutcome::OtherComputer;
        }
        if (record.holder() == LockRecord::Holder::NoOne && takeOverAbandoned(*lock, path, &toldYoung))
            return LockOutcome::Taken;
        if (record.holder() == LockRecord::Holder::ThisComputer && LockRecord::strandedInUnwritableFolder(path)) {
            // Left by a program that is gone (a crash), and nothing can
            // replace it: no program is there to wait for.
            qWarning().noquote() << "[SingleInstance]" << path
                                 << "names a program that no longer runs, but its folder cannot be written";
            m_dataFolderUnwritable = true;
        }
        if (m_dataFolderUnwritable) {
            lock.reset();
            return LockOutcome::Unwritable;
        }
        if (forwardToHolder()) {
            lock.reset();
            return LockOutcome::Forwarded;
        }
        if (lock->tryLock(0))
            return LockOutcome::Taken;
        QThread::msleep(RetryPauseMs);
    }
    lock.reset();
    return LockOutcome::Busy;
}

bool SingleInstance::takeOverAbandoned(QLockFile &lock, const QString &path, bool *toldYoung)
{
    switch (LockRecord::removeAbandoned(path, AbandonedLockAgeMs)) {
    case LockRecord::Removal::Removed:
        qWarning().noquote() << "[SingleInstance] removed" << path << "which named no running program";
        // Another start may have made its own lock in the meantime.
        return lock.tryLock(0);
    case LockRecord::Removal::Young:
        if (!*toldYoung)
            qWarning().noquote() << "[SingleInstance]" << path << "names no program yet; waiting for it to be written";
        *toldYoung = true;
        return false;
    case LockRecord::Removal::Unwritable:
        // No program holds it, and none could write its own: nothing to
        // wait for.
        qWarning().noquote() << "[SingleInstance]" << path << "names no program, but its folder cannot be written";
        m_dataFolderUnwritable = true;
        return false;
    case LockRecord::Removal::Kept:
        break;
    }
    return false;
}

bool SingleInstance::isListening() const
{
    return m_server && m_server->isListening();
}

bool SingleInstance::forward(const QString &path, const QByteArray &command, int connectTimeoutMs)
{
    // Another user's socket would receive the command (quick-add text, a
    // file's path); this start listens in its place instead, or waits for
    // the data folder's holder. A bare name would be looked up in the shared
    // temporary folder, where anyone may have made it.
    if (!path.startsWith(QLatin1Char('/'))) {
        warnOnce(QStringLiteral("[SingleInstance] %1 is not an absolute path; not forwarding to it").arg(path));
        return false;
    }
    if (!ownedByThisUser(path)) {
        warnOnce(QStringLiteral("[SingleInstance] %1 belongs to another user; not forwarding to it").arg(path));
        return false;
    }
    QLocalSocket socket;
    socket.connectToServer(path, QIODevice::ReadWrite);
    if (!socket.waitForConnected(connectTimeoutMs))
        return false;
    if (!peerIsThisUser(socket.socketDescriptor())) {
        warnOnce(QStringLiteral("[SingleInstance] the program at %1 runs as another user; not forwarding to it")
                     .arg(path));
        socket.abort();
        return false;
    }
    socket.write(command);
    socket.flush();
    socket.waitForBytesWritten(WaitMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(WaitMs);
    m_forwarded = true;
    return true;
}

bool SingleInstance::forwardToDataFolderHolder(const QByteArray &command)
{
    const QString record = m_dataFolder + QLatin1String(ChannelRecordName);
    QString refusal;
    const QString path = ChannelRecord::read(record, &refusal);
    if (!refusal.isEmpty())
        warnOnce(QStringLiteral("[SingleInstance] not using %1: %2").arg(record, refusal));
    return !path.isEmpty() && forward(path, command, WaitMs);
}

void SingleInstance::warnOnce(const QString &text)
{
    if (m_warned.contains(text))
        return;
    m_warned.append(text);
    qWarning().noquote() << text;
}

void SingleInstance::listen()
{
    const QString path = serverPath();
    // A record left by a crashed holder names a socket that is gone, or
    // someone else's by now.
    const QString record = m_dataFolder + QLatin1String(ChannelRecordName);
    if (m_dataLock)
        QFile::remove(record);
    QLocalServer::removeServer(path);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    if (!m_server->listen(path)) {
        qWarning().noquote() << "[SingleInstance] failed to listen on" << serverName() << ":"
                             << m_server->errorString();
        return;
    }
    if (!m_dataLock)
        return;
    QString error;
    if (ChannelRecord::write(record, path, &error))
        m_channelRecord = record;
    else
        qWarning().noquote() << "[SingleInstance] cannot record the channel in" << record << ":" << error;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        auto reader = [this, socket]() {
            while (socket->canReadLine())
                dispatchCommand(socket->readLine());
        };
        connect(socket, &QLocalSocket::readyRead, this, reader);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0)
            reader();
    }
}

void SingleInstance::dispatchCommand(const QByteArray &jsonLine)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(jsonLine, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        const QString reason = error.error != QJsonParseError::NoError
                                   ? error.errorString()
                                   : QStringLiteral("not a JSON object");
        qWarning().noquote() << "[SingleInstance] bad command:" << reason;
        Q_EMIT focusRequested();
        return;
    }
    const QJsonObject command = document.object();
    const QString cmd = command.value(QStringLiteral("cmd")).toString();
    if (cmd == QLatin1String("show-today"))
        Q_EMIT showTodayRequested();
    else if (cmd == QLatin1String("new-event"))
        Q_EMIT newEventRequested();
    else if (cmd == QLatin1String("quick-add"))
        Q_EMIT quickAddRequested(command.value(QStringLiteral("text")).toString());
    else if (cmd == QLatin1String("open-ics"))
        Q_EMIT openIcsRequested(command.value(QStringLiteral("path")).toString());
    else
        Q_EMIT focusRequested();
}
