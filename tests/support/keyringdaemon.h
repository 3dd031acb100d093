#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include "tests/support/privatesessionbus.h"

// A private session bus with a real gnome-keyring-daemon on it, for tests of
// the Secret Service back end. Nothing of the user's session is touched: the
// bus, the keyring files and the daemon's sockets all live in a temporary
// folder, and both processes stop with the fixture or with the test process.
class KeyringDaemon
{
public:
    KeyringDaemon();
    ~KeyringDaemon();

    // Starts dbus-daemon and gnome-keyring-daemon and returns once the login
    // keyring is the default collection and unlocked; false with
    // `errorText` when either cannot start or the keyring never gets there.
    bool start();
    void stop();

    QString busAddress() const { return m_bus.address(); }
    QString errorText() const { return m_error; }

private:
    bool waitForUnlockedDefault(int timeoutMs);

    QTemporaryDir m_dir;
    PrivateSessionBus m_bus;
    QProcess m_keyring;
    QString m_error;
};
