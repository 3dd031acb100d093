#pragma once

#include <QObject>
#include <QString>

class QThread;

// Copies the write-ahead log back into the database file on a thread of its
// own, through a connection of its own, so that a large write's commit on
// the program's connection does not wait for that copy. One copy runs at a
// time; a request while one runs runs once more after it. Destroying the
// checkpointer waits for a copy in progress.
class WalCheckpointer : public QObject
{
    Q_OBJECT
public:
    explicit WalCheckpointer(const QString &path, QObject *parent = nullptr);
    ~WalCheckpointer() override;

    void request();
    // Blocks until no copy runs (tests, shutdown).
    void waitForDone();
    bool isRunning() const { return m_thread != nullptr; }

Q_SIGNALS:
    // A copy ended; `ok` is false when the database refused it.
    void checkpointed(bool ok);

private:
    void onFinished(bool ok);

    QString m_path;
    QThread *m_thread = nullptr;
    bool m_again = false;
};
