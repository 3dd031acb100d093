#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QLocalServer;
class QLockFile;

// Keeps one running instance per user and instance name, and one per data
// folder whatever the instance's name or home: a later start hands its command
// line to the running instance over a local socket and exits.
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
    // first instance; it then holds the data folder until it ends.
    bool tryForwardOrListen(const QStringList &arguments);
    bool forwarded() const { return m_forwarded; }
    // Whether this process must end because a running instance (of this
    // name, another name, or another home) uses the data folder and could not
    // be reached.
    bool dataFolderInUse() const { return m_dataFolderInUse; }
    // Set when this process must end because a lock in the data folder names
    // a program on another computer: that lock file, and the computer's name
    // as the lock gives it. Such a lock is never taken over unasked: the
    // folder may be shared with that computer.
    QString otherComputerLock() const { return m_otherComputerLock; }
    QString otherComputer() const { return m_otherComputer; }
    // Whether this process must end because a lock in the data folder names
    // no program and cannot be taken over: the folder cannot be written.
    bool dataFolderUnwritable() const { return m_dataFolderUnwritable; }
    bool isListening() const;

    Q_INVOKABLE void dispatchCommand(const QByteArray &jsonLine);

Q_SIGNALS:
    void focusRequested();
    void showTodayRequested();
    void newEventRequested();
    void quickAddRequested(const QString &text);
    void openIcsRequested(const QString &path);

private:
    enum class LockOutcome { Taken, Unusable, Forwarded, Busy, OtherComputer, Unwritable };

    // Takes the lock at `path`; while a live holder keeps it, tries
    // `forwardToHolder` and the lock in turn for a while. A lock that names
    // no process and that no process holds is taken over.
    LockOutcome lockOrForward(std::unique_ptr<QLockFile> &lock, const QString &path,
                              const std::function<bool()> &forwardToHolder);
    // Removes the lock file at `path` when it is abandoned, and takes it.
    bool takeOverAbandoned(QLockFile &lock, const QString &path, bool *toldYoung);
    void onNewConnection();
    bool forward(const QString &path, const QByteArray &command, int connectTimeoutMs);
    // Each reason once per start: the waits try many times.
    void warnOnce(const QString &text);
    // To the instance that holds the data folder, at the socket it recorded.
    bool forwardToDataFolderHolder(const QByteArray &command);
    void listen();

    QLocalServer *m_server = nullptr;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLockFile> m_dataLock;
    // Read once per start: the environment may name it.
    QString m_dataFolder;
    // The file in the data folder naming this instance's socket, while held.
    QString m_channelRecord;
    bool m_forwarded = false;
    bool m_dataFolderInUse = false;
    bool m_dataFolderUnwritable = false;
    QString m_otherComputerLock;
    QString m_otherComputer;
    QStringList m_warned;
};
