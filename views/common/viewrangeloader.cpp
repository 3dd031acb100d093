#include "views/common/viewrangeloader.h"

#include <QAtomicInteger>
#include <QThread>

#include "app/appstate.h"
#include "store/database.h"
#include "views/common/viewrangeworker.h"

namespace {

// Each worker's connection needs a name of its own in the process.
QString nextConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("view_range_reader_%1").arg(++counter);
}

} // namespace

ViewRangeLoader::ViewRangeLoader(AppState *state, QObject *parent)
    : QObject(parent)
    , m_state(state)
{
    qRegisterMetaType<ViewRangeData>();
    const QString path = state && state->database() ? state->database()->path() : QString();
    // A database in memory cannot be opened a second time: it is read here.
    if (!path.isEmpty() && path != QLatin1String(":memory:")) {
        m_thread = new QThread(this);
        m_thread->setObjectName(QStringLiteral("ViewRangeLoader"));
        m_worker = new ViewRangeWorker(path, nextConnectionName());
        m_worker->moveToThread(m_thread);
        connect(m_thread, &QThread::finished, m_worker, &ViewRangeWorker::closeReader, Qt::DirectConnection);
        connect(m_worker, &ViewRangeWorker::finished, this, &ViewRangeLoader::onFinished, Qt::QueuedConnection);
        m_thread->start();
    }
}

ViewRangeLoader::~ViewRangeLoader()
{
    if (!m_thread)
        return;
    m_worker->stop();
    m_thread->quit();
    m_thread->wait();
    delete m_worker;
}

void ViewRangeLoader::request(const QDateTime &from, const QDateTime &to)
{
    m_from = from;
    m_to = to;
    const quint64 generation = ++m_generation;
    if (m_worker) {
        const QString activeViewId = m_state ? m_state->activeViewId() : QString();
        m_worker->post({generation, from, to, activeViewId, m_options});
    } else {
        QMetaObject::invokeMethod(
            this, [this, generation] { loadHere(generation); }, Qt::QueuedConnection);
    }
}

void ViewRangeLoader::reload()
{
    if (m_generation > 0)
        request(m_from, m_to);
}

void ViewRangeLoader::loadHere(quint64 generation)
{
    if (generation == m_generation)
        onFinished(generation, m_state ? ViewRange::load(ViewRange::sourcesOf(m_state), m_state->activeViewId(), m_from,
                                                         m_to, m_options)
                                       : ViewRangeData());
}

void ViewRangeLoader::onFinished(quint64 generation, const ViewRangeData &data)
{
    // A newer request is on its way: this result is for a range already left.
    if (generation != m_generation)
        return;
    m_applied = generation;
    Q_EMIT loaded(data);
}
