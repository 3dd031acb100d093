#include "sync/core/pullapplyworker.h"

#include <QThread>

#include "store/storewriter.h"

namespace {

std::atomic_int g_connections{0};

} // namespace

PullApplyWorker::PullApplyWorker(QObject *parent)
    : QObject(parent)
{
}

PullApplyWorker::~PullApplyWorker()
{
    cancel();
    finishThread();
}

void PullApplyWorker::cancel()
{
    if (m_cancelled)
        m_cancelled->store(true);
}

void PullApplyWorker::abandon()
{
    m_abandoned = true;
    cancel();
}

void PullApplyWorker::run(const QString &databasePath, Work work, Done done)
{
    if (m_abandoned)
        return;
    finishThread();
    auto cancelled = std::make_shared<std::atomic_bool>(false);
    auto opened = std::make_shared<bool>(false);
    m_cancelled = cancelled;
    const QString name = QStringLiteral("pull-writer-%1").arg(++g_connections);
    m_thread = QThread::create([databasePath, name, work = std::move(work), cancelled, opened] {
        StoreWriter writer(databasePath, name);
        *opened = writer.isOpen();
        if (*opened)
            work(&writer, *cancelled);
    });
    QThread *thread = m_thread;
    connect(
        m_thread, &QThread::finished, this,
        [this, thread, opened, done = std::move(done)] {
            // A later run already ended this one's thread.
            if (m_thread != thread)
                return;
            finishThread();
            if (!m_abandoned)
                done(*opened);
        },
        Qt::QueuedConnection);
    m_thread->start();
}

void PullApplyWorker::finishThread()
{
    if (!m_thread)
        return;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}
