#include "views/common/viewrangeworker.h"

#include <QAtomicInteger>
#include <QDebug>
#include <QMutexLocker>
#include <QTimer>

#include "store/storereader.h"
#include "views/common/rangereaderthread.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

QAtomicInteger<quint64> startedReads;

// How long after a read its result has surely been applied and the one it
// replaced let go of, on the GUI thread.
constexpr int FreedPagesWaitMs = 250;

// A read's working lists (a month of daily series expands to tens of
// megabytes of records) are freed on this thread, and the results it
// replaces on the GUI thread, into a heap of this thread's own that the C
// library keeps resident for the next read: the program would keep the size
// of its largest read for good. Their pages go back once the reads pause.
void returnFreedPages()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace

ViewRangeWorker::ViewRangeWorker(RangeReaderThread *readerThread)
    : m_readerThread(readerThread)
{
}

ViewRangeWorker::~ViewRangeWorker() = default;

void ViewRangeWorker::post(const Request &request)
{
    {
        QMutexLocker lock(&m_mutex);
        m_pending = request;
        m_hasPending = true;
        m_latest = request.generation;
    }
    // Several posts before the worker wakes leave several calls queued; the
    // first reads the newest request and the others find none.
    QMetaObject::invokeMethod(this, &ViewRangeWorker::run, Qt::QueuedConnection);
}

void ViewRangeWorker::stopAndWait()
{
    QMutexLocker lock(&m_mutex);
    m_stopped = true;
    while (m_reading)
        m_readEnded.wait(&m_mutex);
}

bool ViewRangeWorker::takeRequest(Request *request)
{
    QMutexLocker lock(&m_mutex);
    if (!m_hasPending || m_stopped || m_readerThread->isClosing())
        return false;
    *request = m_pending;
    m_hasPending = false;
    m_reading = true;
    return true;
}

void ViewRangeWorker::endRead()
{
    QMutexLocker lock(&m_mutex);
    m_reading = false;
    m_readEnded.wakeAll();
}

bool ViewRangeWorker::isSuperseded(quint64 generation)
{
    QMutexLocker lock(&m_mutex);
    return m_stopped || m_latest != generation || m_readerThread->isClosing();
}

void ViewRangeWorker::run()
{
    Request request;
    if (!takeRequest(&request))
        return;
    StoreReader *reader = m_readerThread->reader();
    ++startedReads;
    // A newer request or the loader's end stops the read at its next step.
    const quint64 generation = request.generation;
    const ViewRangeSources sources{reader->accounts(),
                                   reader->calendars(),
                                   reader->events(),
                                   reader->filterRules(),
                                   reader->views(),
                                   reader->tasks(),
                                   [this, generation] { return isSuperseded(generation); }};
    std::optional<ViewRangeData> data =
        ViewRange::loadUnlessAbandoned(sources, request.activeViewId, request.from, request.to, request.options);
    if (data && !isSuperseded(generation))
        Q_EMIT finished(generation, *data);
    endRead();
    if (!m_freedPagesTimer) {
        // Made here, on the reading thread, to run there.
        m_freedPagesTimer = new QTimer(this);
        m_freedPagesTimer->setSingleShot(true);
        m_freedPagesTimer->setInterval(FreedPagesWaitMs);
        connect(m_freedPagesTimer, &QTimer::timeout, this, &returnFreedPages);
    }
    m_freedPagesTimer->start();
}

quint64 ViewRangeWorker::readsStarted()
{
    return startedReads.loadRelaxed();
}
