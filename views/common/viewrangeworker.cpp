#include "views/common/viewrangeworker.h"

#include <QAtomicInteger>
#include <QDebug>
#include <QMutexLocker>

#include "store/storereader.h"

namespace {

QAtomicInteger<quint64> startedReads;

} // namespace

ViewRangeWorker::ViewRangeWorker(const QString &databasePath, const QString &connectionName)
    : m_path(databasePath)
    , m_connectionName(connectionName)
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

void ViewRangeWorker::stop()
{
    m_stopped = true;
}

bool ViewRangeWorker::takeRequest(Request *request)
{
    QMutexLocker lock(&m_mutex);
    if (!m_hasPending || m_stopped)
        return false;
    *request = m_pending;
    m_hasPending = false;
    return true;
}

bool ViewRangeWorker::isSuperseded(quint64 generation)
{
    QMutexLocker lock(&m_mutex);
    return m_stopped || m_latest != generation;
}

void ViewRangeWorker::run()
{
    Request request;
    if (!takeRequest(&request))
        return;
    if (!m_reader) {
        m_reader = std::make_unique<StoreReader>(m_path, m_connectionName);
        if (!m_reader->isOpen())
            qWarning().noquote() << "ViewRangeWorker::run failed: the store could not be opened for reading";
    }
    ++startedReads;
    // A newer request or the loader's end stops the read at its next step.
    const quint64 generation = request.generation;
    const ViewRangeSources sources{m_reader->accounts(),
                                   m_reader->calendars(),
                                   m_reader->events(),
                                   m_reader->filterRules(),
                                   m_reader->views(),
                                   m_reader->tasks(),
                                   [this, generation] { return isSuperseded(generation); }};
    std::optional<ViewRangeData> data =
        ViewRange::loadUnlessAbandoned(sources, request.activeViewId, request.from, request.to, request.options);
    if (data && !isSuperseded(generation))
        Q_EMIT finished(generation, *data);
}

quint64 ViewRangeWorker::readsStarted()
{
    return startedReads.loadRelaxed();
}

void ViewRangeWorker::closeReader()
{
    m_reader.reset();
}
