#include "tests/support/keyringdaemon.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

namespace {

// Generous: a machine running many builds and tests at once may take tens of
// seconds to start a daemon and write its first keyring.
constexpr int startTimeoutMs = 90000;

const QString secretsService = QStringLiteral("org.freedesktop.secrets");

void stopProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(10000))
        process.kill();
    process.waitForFinished(10000);
}

// True when the "default" alias names a collection that is unlocked.
bool defaultCollectionUnlocked(const QDBusConnection &bus)
{
    QDBusMessage alias = QDBusMessage::createMethodCall(secretsService, QStringLiteral("/org/freedesktop/secrets"),
                                                        QStringLiteral("org.freedesktop.Secret.Service"),
                                                        QStringLiteral("ReadAlias"));
    alias << QStringLiteral("default");
    const QDBusMessage aliasReply = bus.call(alias, QDBus::Block, 10000);
    if (aliasReply.type() != QDBusMessage::ReplyMessage || aliasReply.arguments().size() != 1)
        return false;
    const QString collection = qdbus_cast<QDBusObjectPath>(aliasReply.arguments().at(0)).path();
    if (!collection.contains(QLatin1String("/collection/")))
        return false;
    QDBusMessage locked = QDBusMessage::createMethodCall(secretsService, collection,
                                                         QStringLiteral("org.freedesktop.DBus.Properties"),
                                                         QStringLiteral("Get"));
    locked << QStringLiteral("org.freedesktop.Secret.Collection") << QStringLiteral("Locked");
    const QDBusMessage lockedReply = bus.call(locked, QDBus::Block, 10000);
    if (lockedReply.type() != QDBusMessage::ReplyMessage || lockedReply.arguments().size() != 1)
        return false;
    const QVariant value = lockedReply.arguments().at(0).value<QDBusVariant>().variant();
    return value.typeId() == QMetaType::Bool && !value.toBool();
}

} // namespace

KeyringDaemon::KeyringDaemon() = default;

KeyringDaemon::~KeyringDaemon()
{
    stop();
}

bool KeyringDaemon::start()
{
    const QString keyringDaemon = QStandardPaths::findExecutable(QStringLiteral("gnome-keyring-daemon"));
    if (keyringDaemon.isEmpty()) {
        m_error = QStringLiteral("gnome-keyring-daemon is not installed (Debian package gnome-keyring)");
        return false;
    }
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder for the keyring");
        return false;
    }

    const QString root = m_dir.path();
    const QString runtime = root + QStringLiteral("/runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QDir().mkpath(root + QStringLiteral("/home/.local/share"));
    QDir().mkpath(root + QStringLiteral("/home/.config"));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), root + QStringLiteral("/home"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/home/.local/share"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/home/.config"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));

    // The bus activates nothing: the only keyring on it is the one started
    // here with its password, never one launched by a first call.
    if (!m_bus.start(environment)) {
        m_error = m_bus.errorText();
        return false;
    }

    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_bus.address());
    m_keyring.setProcessEnvironment(environment);
    m_keyring.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_keyring.start(keyringDaemon, {QStringLiteral("--foreground"), QStringLiteral("--unlock"),
                                    QStringLiteral("--components=secrets")});
    if (!m_keyring.waitForStarted(startTimeoutMs)) {
        m_error = QStringLiteral("gnome-keyring-daemon did not start: %1").arg(m_keyring.errorString());
        stop();
        return false;
    }
    // --unlock reads the login keyring's password from standard input; the
    // keyring is created with it on first use.
    m_keyring.write("test-keyring-password");
    m_keyring.waitForBytesWritten(startTimeoutMs);
    m_keyring.closeWriteChannel();

    if (!m_bus.waitForOwner(secretsService, startTimeoutMs)) {
        m_error = QStringLiteral("gnome-keyring-daemon did not take its bus name: %1")
                      .arg(QString::fromUtf8(m_keyring.readAllStandardError()).trimmed());
        stop();
        return false;
    }
    if (!waitForUnlockedDefault(startTimeoutMs)) {
        stop();
        return false;
    }
    return true;
}

bool KeyringDaemon::waitForUnlockedDefault(int timeoutMs)
{
    const QString connectionName = QStringLiteral("tindle-keyring-ready-%1").arg(quintptr(this));
    bool ready = false;
    {
        const QDBusConnection bus = QDBusConnection::connectToBus(m_bus.address(), connectionName);
        const QDeadlineTimer deadline(timeoutMs);
        while (bus.isConnected() && m_keyring.state() == QProcess::Running && !deadline.hasExpired()) {
            if ((ready = defaultCollectionUnlocked(bus)))
                break;
            QThread::msleep(20);
        }
    }
    QDBusConnection::disconnectFromBus(connectionName);
    if (!ready && m_keyring.state() != QProcess::Running)
        m_error = QStringLiteral("gnome-keyring-daemon exited: %1")
                      .arg(QString::fromUtf8(m_keyring.readAllStandardError()).trimmed());
    else if (!ready)
        m_error = QStringLiteral("gnome-keyring-daemon did not offer an unlocked default collection in time");
    return ready;
}

void KeyringDaemon::stop()
{
    stopProcess(m_keyring);
    m_bus.stop();
}
