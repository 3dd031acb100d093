#include "views/common/viewrangeloader.h"


#include "app/appstate.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/filterrulerepository.h"
#include "store/taskrepository.h"
#include "store/viewrepository.h"
#include "views/common/rangereaderthread.h"
#include "views/common/resultturns.h"
#include "views/common/viewrangeworker.h"

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
    // Made on the first request: a page never shown costs nothing.
    m_readerThread = RangeReaderThread::forPath(m_path);
    m_worker = new ViewRangeWorker(m_readerThread.get());
    m_worker->moveToThread(m_readerThread->thread());
    connect(m_worker, &ViewRangeWorker::finished, this, &ViewRangeLoader::onFinished, Qt::QueuedConnection);
}

ViewRangeLoader::~ViewRangeLoader()
{
    if (!m_worker)
        return;
    m_worker->stopAndWait();
    // Deleted on the reading thread, after any call already queued for it;
    // that thread ends only after it (when the last loader lets it go).
    m_worker->deleteLater();
}

void ViewRangeLoader::watchStore(AppState *state)
{
    // Connected before the views' own reloads (they are made after the
    // loader), so a reload after a write never joins a read from before it.
    if (state->events())
        connect(state->events(), &EventRepository::eventsChanged, this, [this] { noteSourceChange(Source::Events); });
    if (state->calendars())
        connect(state->calendars(), &CalendarRepository::calendarsChanged, this,
                [this] { noteSourceChange(Source::Calendars); });
    if (state->filterRules())
        connect(state->filterRules(), &FilterRuleRepository::filterRulesChanged, this,
                [this] { noteSourceChange(Source::FilterRules); });
    if (state->views())
        connect(state->views(), &ViewRepository::viewsChanged, this, [this] { noteSourceChange(Source::Views); });
    if (state->tasks())
        connect(state->tasks(), &TaskRepository::tasksChanged, this, [this] { noteSourceChange(Source::Tasks); });
    if (state->accounts())
        connect(state->accounts(), &AccountRepository::accountsChanged, this, [this] { noteStoreChange(); });
}

void ViewRangeLoader::noteSourceChange(Source source)
{
    noteStoreChange();
    if (m_watched.testFlag(source))
        Q_EMIT sourcesChanged();
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
