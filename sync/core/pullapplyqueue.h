#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include "sync/core/syncrepositories.h"

#include <atomic>
#include <functional>
#include <memory>

class Database;
class PullApplyWorker;
class StoreTransaction;

// Applies a client's pulls one after another: on a PullApplyWorker over a
// connection of its own when the store is a file, so the window is never
// held; at once on the calling thread over the client's own repositories
// when the store lives in memory (it has no second connection). `done` is
// always called on the calling thread, where the caller tells its views.
// Destroying the queue (quitting mid-pull) drops the pulls waiting and
// cancels the one being written, which then commits nothing.
class PullApplyQueue : public QObject
{
    Q_OBJECT
public:
    using Work = std::function<void(const Sync::Repositories &store, const std::atomic_bool &cancelled)>;
    // `opened` is false when the worker could not open the store; `work`
    // did not run then.
    using Done = std::function<void(bool opened)>;

    PullApplyQueue(const Sync::Repositories &local, QObject *parent = nullptr);
    ~PullApplyQueue() override;

    // Off for measuring and for tests that compare both ways.
    void setOnWorker(bool onWorker) { m_onWorker = onWorker; }
    void apply(Work work, Done done);

    // Opens a pull's one transaction on `store`. A worker's connection takes
    // the write lock at once, so the pending rows it reads are the ones it
    // writes against (an edit saved meanwhile waits for its commit and lands
    // on top of it); another writer is waited for in short steps so that a
    // cancel is prompt. None when the worker could not have the lock (it
    // must then write nothing); on the program's own connection a
    // transaction that is not active leaves the writes standing one by one.
    static std::unique_ptr<StoreTransaction> begin(const Sync::Repositories &store, const QString &name,
                                                   const std::atomic_bool &cancelled);
    // The same for a caller running its own PullApplyWorker: `apart` says
    // whether `database` is the worker's connection.
    static std::unique_ptr<StoreTransaction> begin(Database *database, const QString &name, bool apart,
                                                   const std::atomic_bool &cancelled);

    // For tests: runs on a worker's thread as soon as its pull holds the
    // write lock, before anything is written; none to stop. Set it while
    // no pull runs.
    using LockTakenHook = std::function<void(const std::atomic_bool &cancelled)>;
    static void setLockTakenHook(LockTakenHook hook);

private:
    struct Job
    {
        Work work;
        Done done;
    };

    void startNext();

    Sync::Repositories m_local;
    bool m_onWorker = true;
    PullApplyWorker *m_worker = nullptr;
    QList<Job> m_waiting;
    bool m_busy = false;
};
