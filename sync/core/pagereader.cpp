#include "sync/core/pagereader.h"

#include <QFutureWatcher>
#include <QPromise>
#include <QThreadPool>

namespace {

// Two threads are plenty: the pages of one listing come one at a time.
QThreadPool *readerPool()
{
    static QThreadPool pool;
    static const bool sized = [] {
        pool.setMaxThreadCount(2);
        return true;
    }();
    Q_UNUSED(sized);
    return &pool;
}

} // namespace

PageReader::PageReader(QObject *parent)
    : QObject(parent)
{
}

// The watcher of the page being read goes with this object, so its answer
// is never delivered.
PageReader::~PageReader() = default;

void PageReader::enqueue(std::function<void()> work, std::function<void()> done)
{
    m_waiting.append(Job{std::move(work), std::move(done)});
    if (!m_busy)
        startNext();
}

void PageReader::startNext()
{
    if (m_waiting.isEmpty())
        return;
    Job job = m_waiting.takeFirst();
    m_busy = true;
    auto promise = std::make_shared<QPromise<void>>();
    auto *watcher = new QFutureWatcher<void>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, done = std::move(job.done)] {
        watcher->deleteLater();
        m_busy = false;
        done();
        // `done` may have handed in the next page and started it.
        if (!m_busy)
            startNext();
    });
    watcher->setFuture(promise->future());
    promise->start();
    readerPool()->start([promise, work = std::move(job.work)] {
        work();
        promise->finish();
    });
}
