#include "tests/support/privatesessionbus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QStandardPaths>
#include <QTimer>

#include <csignal>
#include <sys/prctl.h>

namespace {

// A loaded machine may take many seconds to start a process.
constexpr int startTimeoutMs = 60000;

} // namespace

PrivateSessionBus::PrivateSessionBus() = default;

PrivateSessionBus::~PrivateSessionBus()
{
    stop();
}

QString PrivateSessionBus::configPath() const
{
    return m_dir.filePath(QStringLiteral("bus.conf"));
}

bool PrivateSessionBus::writeConfig(const QString &runtime)
{
    // The session bus's own rules without its service folders, so nothing is
    // activated on demand.
    QFile config(configPath());
    if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    config.write(QStringLiteral(
                     "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                     " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                     "<busconfig>\n"
                     "  <type>session</type>\n"
                     "  <listen>unix:dir=%1</listen>\n"
                     "  <auth>EXTERNAL</auth>\n"
                     "  <policy context=\"default\">\n"
                     "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                     "    <allow eavesdrop=\"true\"/>\n"
                     "    <allow own=\"*\"/>\n"
                     "  </policy>\n"
                     "</busconfig>\n")
                     .arg(runtime.toHtmlEscaped())
                     .toUtf8());
    return config.error() == QFileDevice::NoError;
}

bool PrivateSessionBus::start(const QProcessEnvironment &base)
{
    const QString dbusDaemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (dbusDaemon.isEmpty()) {
        m_error = QStringLiteral("dbus-daemon is not installed (Debian package dbus-daemon)");
        return false;
    }
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder for the bus");
        return false;
    }
    const QString runtime = m_dir.path() + QStringLiteral("/runtime");
    QDir().mkpath(runtime);
    if (!writeConfig(runtime)) {
        m_error = QStringLiteral("cannot write the bus configuration");
        return false;
    }

    QProcessEnvironment environment = base;
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    m_bus.setProcessEnvironment(environment);
    m_bus.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_bus.start(dbusDaemon, {QStringLiteral("--config-file=") + configPath(), QStringLiteral("--nofork"),
                             QStringLiteral("--nosyslog"), QStringLiteral("--print-address=1")});
    if (!m_bus.waitForStarted(startTimeoutMs)) {
        m_error = QStringLiteral("dbus-daemon did not start: %1").arg(m_bus.errorString());
        return false;
    }
    // The address is printed once the bus listens.
    const QDeadlineTimer deadline(startTimeoutMs);
    while (!m_bus.canReadLine() && !deadline.hasExpired() && m_bus.state() == QProcess::Running)
        m_bus.waitForReadyRead(1000);
    m_address = QString::fromUtf8(m_bus.readLine()).trimmed();
    if (m_address.isEmpty()) {
        m_error = QStringLiteral("dbus-daemon printed no address: %1")
                      .arg(QString::fromUtf8(m_bus.readAllStandardError()).trimmed());
        stop();
        return false;
    }
    return true;
}

bool PrivateSessionBus::waitForOwner(const QString &name, int timeoutMs) const
{
    const QString connectionName = QStringLiteral("tindle-private-bus-watch-%1").arg(quintptr(this));
    bool owned = false;
    {
        QDBusConnection bus = QDBusConnection::connectToBus(m_address, connectionName);
        if (bus.isConnected()) {
            QEventLoop loop;
            QDBusServiceWatcher watcher(name, bus, QDBusServiceWatcher::WatchForRegistration);
            QObject::connect(&watcher, &QDBusServiceWatcher::serviceRegistered, &loop, &QEventLoop::quit);
            QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
            // Asked after the watch is set, so a registration in between is not missed.
            if (!bus.interface()->isServiceRegistered(name).value())
                loop.exec();
            owned = bus.interface()->isServiceRegistered(name).value();
        }
    }
    QDBusConnection::disconnectFromBus(connectionName);
    return owned;
}

void PrivateSessionBus::stop()
{
    if (m_bus.state() == QProcess::NotRunning)
        return;
    m_bus.terminate();
    if (!m_bus.waitForFinished(10000))
        m_bus.kill();
    m_bus.waitForFinished(10000);
}
