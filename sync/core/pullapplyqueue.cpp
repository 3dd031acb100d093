#include "sync/core/pullapplyqueue.h"

#include <QDebug>
#include <QDeadlineTimer>

#include "store/database.h"
#include "store/storetransaction.h"
#include "store/storewriter.h"
#include "sync/core/pullapplyworker.h"

#include <utility>

namespace {

// How long a pull waits for another writer (an import, another pull).
constexpr int kLockWaitMs = 5000;

// Set on a worker's thread while its pull runs: its connection is not the
// program's, and must hold the write lock from the start.
thread_local bool t_apart = false;

// Set by a test while no worker runs; read on the workers it starts later.
PullApplyQueue::LockTakenHook g_lockTaken;

} // namespace

PullApplyQueue::PullApplyQueue(const Sync::Repositories &local, QObject *parent)
    : QObject(parent)
    , m_local(local)
    , m_worker(new PullApplyWorker(this))
{
}

// The worker, a child, cancels and waits for the pull being written.
PullApplyQueue::~PullApplyQueue() = default;

void PullApplyQueue::apply(Work work, Done done)
{
    if (!m_onWorker || !m_local.database || !StoreWriter::canOpen(m_local.database->path())) {
        const std::atomic_bool never{false};
        work(m_local, never);
        done(true);
        return;
    }
    m_waiting.append(Job{std::move(work), std::move(done)});
    if (!m_busy)
        startNext();
}

void PullApplyQueue::startNext()
{
    if (m_waiting.isEmpty())
        return;
    Job job = m_waiting.takeFirst();
    m_busy = true;
    m_worker->run(
        m_local.database->path(),
        [work = std::move(job.work)](StoreWriter *writer, const std::atomic_bool &cancelled) {
            const Sync::Repositories own = writer->records();
            t_apart = true;
            work(own, cancelled);
            t_apart = false;
        },
        [this, done = std::move(job.done)](bool opened) {
            m_busy = false;
            done(opened);
            // `done` may have queued another pull and started it.
            if (!m_busy)
                startNext();
        });
}

std::unique_ptr<StoreTransaction> PullApplyQueue::begin(const Sync::Repositories &store, const QString &name,
                                                        const std::atomic_bool &cancelled)
{
    return begin(store.database, name, t_apart, cancelled);
}

std::unique_ptr<StoreTransaction> PullApplyQueue::begin(Database *database, const QString &name, bool apart,
                                                        const std::atomic_bool &cancelled)
{
    const auto lock = apart ? StoreTransaction::Lock::Immediate : StoreTransaction::Lock::Deferred;
    const QDeadlineTimer deadline(kLockWaitMs);
    auto transaction = std::make_unique<StoreTransaction>(database, name, lock);
    while (apart && !transaction->isActive() && !cancelled && !deadline.hasExpired()) {
        transaction.reset();
        transaction = std::make_unique<StoreTransaction>(database, name, lock);
    }
    if (apart && !transaction->isActive()) {
        if (!cancelled)
            qWarning().noquote() << "PullApplyQueue::begin failed:" << transaction->errorText();
        return nullptr;
    }
    if (apart && g_lockTaken)
        g_lockTaken(cancelled);
    return transaction;
}

void PullApplyQueue::setLockTakenHook(LockTakenHook hook)
{
    g_lockTaken = std::move(hook);
}
