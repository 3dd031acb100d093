#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include "store/reminderrepository.h"

#include <atomic>
#include <memory>

class QThread;

// Writes what a reminder pass settled (acknowledgements and moved series
// triggers) on a thread of its own, through a connection of its own, so the
// window never waits for that write. The store is in WAL mode: the write
// waits its turn while the program's connection holds the write lock (a
// large import), then makes the same single transaction
// ReminderRepository::settle makes. One write runs at a time.
class ReminderSettler : public QObject
{
    Q_OBJECT
public:
    struct Work
    {
        QList<ReminderRepository::Ack> eventAcks;
        QList<ReminderRepository::Ack> taskAcks;
        QList<ReminderRepository::Move> moves;

        bool isEmpty() const { return eventAcks.isEmpty() && taskAcks.isEmpty() && moves.isEmpty(); }
    };

    // Writes to the database file at `path`.
    explicit ReminderSettler(const QString &path, QObject *parent = nullptr);
    // Stops as stop() does; the caller takes what it hands back first.
    ~ReminderSettler() override;

    // Whether a file is there to open a second connection to (a database
    // in memory has none).
    static bool canWrite(const QString &path);

    // Starts writing `work`; settled() tells how it ended. False when a
    // write is still running.
    bool settle(const Work &work);
    bool isRunning() const { return m_thread != nullptr; }
    // Gives up waiting for the write lock and waits for the thread: a write
    // that has begun is finished. Returns what was not written (empty when
    // everything was), for the caller to write itself.
    Work stop();

Q_SIGNALS:
    // A write ended. `rest` is what it could not write (the store stayed
    // locked too long, or the connection failed): nothing of it was kept.
    void settled(bool ok, const ReminderSettler::Work &rest);

private:
    struct Outcome;
    void onFinished();

    QString m_path;
    QThread *m_thread = nullptr;
    std::shared_ptr<Outcome> m_outcome;
    std::shared_ptr<std::atomic_bool> m_stop;
};
