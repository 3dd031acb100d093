#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

// A D-Bus session bus of the test's own (dbus-daemon in a temporary folder),
// so that services under test never reach the user's session. The bus starts
// no service on demand: a call to a name nobody owns fails at once instead of
// launching the desktop's own daemon behind the test's back. Stops with the
// fixture or with the test process.
class PrivateSessionBus
{
public:
    PrivateSessionBus();
    ~PrivateSessionBus();

    // False with errorText() when dbus-daemon is missing or does not start.
    bool start(const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
    void stop();

    // Waits until `name` has an owner on the bus, at most `timeoutMs`.
    bool waitForOwner(const QString &name, int timeoutMs) const;

    QString address() const { return m_address; }
    QString errorText() const { return m_error; }

private:
    bool writeConfig(const QString &runtime);
    QString configPath() const;

    QTemporaryDir m_dir;
    QProcess m_bus;
    QString m_address;
    QString m_error;
};
