#include "tests/support/privatesessionbus.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <csignal>
#include <sys/prctl.h>

PrivateSessionBus::PrivateSessionBus() = default;

PrivateSessionBus::~PrivateSessionBus()
{
    stop();
}

bool PrivateSessionBus::start()
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

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    m_bus.setProcessEnvironment(environment);
    m_bus.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_bus.start(dbusDaemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                             QStringLiteral("--nosyslog"), QStringLiteral("--print-address=1"),
                             QStringLiteral("--address=unix:dir=") + runtime});
    if (!m_bus.waitForStarted(5000)) {
        m_error = QStringLiteral("dbus-daemon did not start: %1").arg(m_bus.errorString());
        return false;
    }
    const QDeadlineTimer deadline(5000);
    while (!m_bus.canReadLine() && !deadline.hasExpired() && m_bus.state() == QProcess::Running)
        m_bus.waitForReadyRead(200);
    m_address = QString::fromUtf8(m_bus.readLine()).trimmed();
    if (m_address.isEmpty()) {
        m_error = QStringLiteral("dbus-daemon printed no address: %1")
                      .arg(QString::fromUtf8(m_bus.readAllStandardError()).trimmed());
        stop();
        return false;
    }
    return true;
}

void PrivateSessionBus::stop()
{
    if (m_bus.state() == QProcess::NotRunning)
        return;
    m_bus.terminate();
    if (!m_bus.waitForFinished(3000))
        m_bus.kill();
    m_bus.waitForFinished(3000);
}
