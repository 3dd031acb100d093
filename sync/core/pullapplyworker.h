#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

class QThread;
class StoreWriter;

// Applies a sync's pull on a thread of its own, through a writable
// connection of its own, so parsing and writing thousands of rows never
// holds the window. The work runs in one transaction it opens itself and
// checks `cancelled` between bounded steps; `done` is called on this
// object's thread once the thread has ended, so the caller tells its views
// there, once. Destroying the worker (quitting mid-pull) cancels the work,
// waits for its current step and drops `done`: the work's transaction is
// never committed, so the store stays as it was.
class PullApplyWorker : public QObject
{
    Q_OBJECT
public:
    using Work = std::function<void(StoreWriter *writer, const std::atomic_bool &cancelled)>;
    using Done = std::function<void(bool opened)>;

    explicit PullApplyWorker(QObject *parent = nullptr);
    ~PullApplyWorker() override;

    // One run at a time. `opened` is false when the store could not be
    // opened on the worker; `work` did not run then.
    void run(const QString &databasePath, Work work, Done done);
    bool isRunning() const { return m_thread != nullptr; }
    void cancel();
    // Quitting: cancels the run, whose transaction is then rolled back and
    // its thread ended, and drops its `done`: nobody is told of a pull
    // given up (no failure is recorded for it). Later runs are dropped too.
    void abandon();

private:
    void finishThread();

    QThread *m_thread = nullptr;
    std::shared_ptr<std::atomic_bool> m_cancelled;
    bool m_abandoned = false;
};
