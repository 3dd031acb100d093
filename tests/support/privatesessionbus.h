#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A D-Bus session bus of the test's own (dbus-daemon in a temporary folder),
// so that services under test never reach the user's session. Stops with the
// fixture or with the test process.
class PrivateSessionBus
{
public:
    PrivateSessionBus();
    ~PrivateSessionBus();

    // False with errorText() when dbus-daemon is missing or does not start.
    bool start();
    void stop();

    QString address() const { return m_address; }
    QString errorText() const { return m_error; }

private:
    QTemporaryDir m_dir;
    QProcess m_bus;
    QString m_address;
    QString m_error;
};
