#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A private session bus with a real gnome-keyring-daemon on it, for tests of
// the Secret Service back end. Nothing of the user's session is touched: the
// bus, the keyring files and the daemon's sockets all live in a temporary
// folder, and both processes stop with the fixture or with the test process.
class KeyringDaemon
{
public:
    KeyringDaemon();
    ~KeyringDaemon();

    // Starts dbus-daemon and gnome-keyring-daemon with an unlocked login
    // keyring; false with `errorText` when either cannot start.
    bool start();
    void stop();

    QString busAddress() const { return m_address; }
    QString errorText() const { return m_error; }

private:
    QTemporaryDir m_dir;
    QProcess m_bus;
    QProcess m_keyring;
    QString m_address;
    QString m_error;
};
