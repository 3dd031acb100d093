#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QLocalServer;
class QLockFile;

// Keeps one running instance per user and instance name. A later start hands
// its command line to the running instance over a local socket and exits.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(QObject *parent = nullptr);
    ~SingleInstance() override;

    static QString serverName();
    // Where the socket lives: the user's private runtime folder, else the
    // private data folder, so that no other user can connect to it or occupy
    // its name.
    static QString serverPath();
    // Whether a socket at `path` (when there is one) was made by this user.
    static bool ownedByThisUser(const QString &path);
    // The wire form of a command line (program path first), newline included.
    static QByteArray buildCommand(const QStringList &arguments);

    // True when this process must end: its command went to the running
    // instance (forwarded() is then true), or an instance runs that could not
    // be reached (forwarded() is false). False when this process is now the
    // first instance.
    bool tryForwardOrListen(const QStringList &arguments);
    bool forwarded() const { return m_forwarded; }
    bool isListening() const;

    Q_INVOKABLE void dispatchCommand(const QByteArray &jsonLine);

Q_SIGNALS:
    void focusRequested();
    void showTodayRequested();
    void newEventRequested();
    void quickAddRequested(const QString &text);
    void openIcsRequested(const QString &path);

private:
    void onNewConnection();
    bool forward(const QByteArray &command, int connectTimeoutMs);
    void listen();

    QLocalServer *m_server = nullptr;
    std::unique_ptr<QLockFile> m_lock;
    bool m_forwarded = false;
};
