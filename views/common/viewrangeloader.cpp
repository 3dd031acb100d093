#include "views/common/viewrangeloader.h"

#include <QAtomicInteger>
#include <QThread>

#include "app/appstate.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/filterrulerepository.h"
#include "store/taskrepository.h"
#include "store/viewrepository.h"
#include "views/common/resultturns.h"
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
    if (path != QLatin1String(":memory:"))
        m_path = path;
    if (state)
        watchStore(state);
}

void ViewRangeLoader::startWorker()
{
    // Started on the first request: a page never shown costs no thread.
    m_thread = new QThread(this);
    m_thread->setObjectName(QStringLiteral("ViewRangeLoader"));
    m_worker = new ViewRangeWorker(m_path, nextConnectionName());
    m_worker->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_worker, &ViewRangeWorker::closeReader, Qt::DirectConnection);
    connect(m_worker, &ViewRangeWorker::finished, this, &ViewRangeLoader::onFinished, Qt::QueuedConnection);
    m_thread->start();
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

void ViewRangeLoader::watchStore(AppState *state)
{
    // Connected before the views' own reloads (they are made after the
    // loader), so a reload after a write never joins a read from before it.
    const auto changed = [this] { noteStoreChange(); };
    if (state->events())
        connect(state->events(), &EventRepository::eventsChanged, this, changed);
    if (state->calendars())
        connect(state->calendars(), &CalendarRepository::calendarsChanged, this, changed);
    if (state->filterRules())
        connect(state->filterRules(), &FilterRuleRepository::filterRulesChanged, this, changed);
    if (state->views())
        connect(state->views(), &ViewRepository::viewsChanged, this, changed);
    if (state->tasks())
        connect(state->tasks(), &TaskRepository::tasksChanged, this, changed);
    if (state->accounts())
        connect(state->accounts(), &AccountRepository::accountsChanged, this, changed);
}

void ViewRangeLoader::setOptions(const ViewRangeOptions &options)
{
    m_options = options;
    m_changedSinceRequest = true;
}

void ViewRangeLoader::request(const QDateTime &from, const QDateTime &to)
{
    const QString activeViewId = m_state ? m_state->activeViewId() : QString();
    // The read under way already gives what this request asks for.
    if (isLoading() && !m_changedSinceRequest && from == m_from && to == m_to && activeViewId == m_activeViewId)
        return;
    m_from = from;
    m_to = to;
    m_activeViewId = activeViewId;
    m_changedSinceRequest = false;
    const quint64 generation = ++m_generation;
    if (!m_worker && !m_path.isEmpty())
        startWorker();
    if (m_worker) {
        m_worker->post({generation, from, to, activeViewId, m_options});
    } else {
        QMetaObject::invokeMethod(
            this, [this, generation] { loadHere(generation); }, Qt::QueuedConnection);
    }
}

void ViewRangeLoader::reload()
{
    if (m_generation == 0)
        return;
    // Asked for after a write whose signal may not have come yet.
    m_changedSinceRequest = true;
    request(m_from, m_to);
}

void ViewRangeLoader::loadHere(quint64 generation)
{
    if (generation == m_generation)
        deliver(generation, m_state ? ViewRange::load(ViewRange::sourcesOf(m_state), m_state->activeViewId(), m_from,
                                                      m_to, m_options)
                                    : ViewRangeData());
}

void ViewRangeLoader::onFinished(quint64 generation, const ViewRangeData &data)
{
    if (generation == m_generation)
        ResultTurns::apply(this, [this, generation, data] { deliver(generation, data); });
}

void ViewRangeLoader::deliver(quint64 generation, const ViewRangeData &data)
{
    // A newer request is on its way: this result is for a range already left.
    if (generation != m_generation)
        return;
    m_applied = generation;
    Q_EMIT loaded(data);
}
