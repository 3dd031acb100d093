#include "tests/support/keyringdaemon.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

namespace {

void stopWithParent()
{
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
}

void stopProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000))
        process.kill();
    process.waitForFinished(3000);
}

} // namespace

KeyringDaemon::KeyringDaemon() = default;

KeyringDaemon::~KeyringDaemon()
{
    stop();
}

bool KeyringDaemon::start()
{
    const QString dbusDaemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    const QString keyringDaemon = QStandardPaths::findExecutable(QStringLiteral("gnome-keyring-daemon"));
    if (dbusDaemon.isEmpty()) {
        m_error = QStringLiteral("dbus-daemon is not installed (Debian package dbus)");
        return false;
    }
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
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));

    m_bus.setProcessEnvironment(environment);
    m_bus.setChildProcessModifier(stopWithParent);
    m_bus.setProcessChannelMode(QProcess::SeparateChannels);
    m_bus.start(dbusDaemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                             QStringLiteral("--nosyslog"), QStringLiteral("--print-address=1")});
    if (!m_bus.waitForStarted(5000)) {
        m_error = QStringLiteral("dbus-daemon did not start: %1").arg(m_bus.errorString());
        return false;
    }
    const QDeadlineTimer busDeadline(5000);
    while (!m_bus.canReadLine() && !busDeadline.hasExpired() && m_bus.state() == QProcess::Running)
        m_bus.waitForReadyRead(200);
    m_address = QString::fromUtf8(m_bus.readLine()).trimmed();
    if (m_address.isEmpty()) {
        m_error = QStringLiteral("dbus-daemon printed no address");
        stop();
        return false;
    }

    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    m_keyring.setProcessEnvironment(environment);
    m_keyring.setChildProcessModifier(stopWithParent);
    m_keyring.start(keyringDaemon, {QStringLiteral("--foreground"), QStringLiteral("--unlock"),
                                    QStringLiteral("--components=secrets")});
    if (!m_keyring.waitForStarted(5000)) {
        m_error = QStringLiteral("gnome-keyring-daemon did not start: %1").arg(m_keyring.errorString());
        stop();
        return false;
    }
    // --unlock reads the login keyring's password from standard input; the
    // keyring is created with it on first use.
    m_keyring.write("test-keyring-password");
    m_keyring.waitForBytesWritten(3000);
    m_keyring.closeWriteChannel();

    // Ready once the daemon owns its bus name.
    const QDeadlineTimer keyringDeadline(10000);
    while (!keyringDeadline.hasExpired()) {
        if (m_keyring.state() != QProcess::Running) {
            m_error = QStringLiteral("gnome-keyring-daemon exited: %1")
                          .arg(QString::fromUtf8(m_keyring.readAllStandardError()).trimmed());
            stop();
            return false;
        }
        QProcess query;
        query.setProcessEnvironment(environment);
        query.start(QStringLiteral("dbus-send"),
                    {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                     QStringLiteral("--dest=org.freedesktop.secrets"),
                     QStringLiteral("/org/freedesktop/secrets"),
                     QStringLiteral("org.freedesktop.Secret.Service.ReadAlias"),
                     QStringLiteral("string:default")});
        if (query.waitForFinished(3000) && query.exitCode() == 0
            && query.readAllStandardOutput().contains("/collection/"))
            return true;
        QThread::msleep(100);
    }
    m_error = QStringLiteral("gnome-keyring-daemon did not offer a default collection in time");
    stop();
    return false;
}

void KeyringDaemon::stop()
{
    stopProcess(m_keyring);
    stopProcess(m_bus);
}
