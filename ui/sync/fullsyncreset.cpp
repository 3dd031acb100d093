#include "ui/sync/fullsyncreset.h"

#include <QDebug>

#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"

namespace {

bool neverUploaded(const Event &event)
{
    return event.href.isEmpty() && event.etag.isEmpty() && event.provider_event_id.isEmpty();
}

bool neverUploaded(const Task &task)
{
    return task.href.isEmpty() && task.etag.isEmpty();
}

} // namespace

FullSyncReset::FullSyncReset(CalendarRepository *calendars, EventRepository *events, TaskRepository *tasks,
                             AccountRepository *accounts)
    : m_calendars(calendars)
    , m_events(events)
    , m_tasks(tasks)
    , m_accounts(accounts)
{
}

FullSyncReset::Result FullSyncReset::run()
{
    Result result;
    for (Calendar calendar : m_calendars->getAll()) {
        resetItems(calendar.id, result);
        if (calendar.ctag.isEmpty() && calendar.sync_token.isEmpty() && calendar.delta_sync_token.isEmpty())
            continue;
        calendar.ctag.clear();
        calendar.sync_token.clear();
        calendar.delta_sync_token.clear();
        if (m_calendars->recordSyncState(calendar))
            ++result.clearedCalendars;
    }
    for (Account account : m_accounts->getAll()) {
        if (!account.last_sync_time)
            continue;
        account.last_sync_time.reset();
        // Only the "last synced" line is stale then; the full sync itself runs.
        if (!m_accounts->recordSyncState(account))
            qWarning() << "[ForceFullSync] Could not clear the sync time of" << account.name;
    }
    return result;
}

void FullSyncReset::resetItems(const QString &calendarId, Result &result)
{
    for (Event event : m_events->getPending(calendarId)) {
        if (event.deleted_at)
            continue;
        if (neverUploaded(event)) {
            ++result.keptUnsent;
            continue;
        }
        event.sync_status = SyncStatus::Synced;
        // Without its tag the next pull takes the server's copy; with it,
        // the edit would pass for the server's version and stay.
        event.etag.clear();
        if (m_events->update(event))
            ++result.discardedEdits;
    }
    for (Task task : m_tasks->getPending(calendarId)) {
        if (task.deleted_at)
            continue;
        if (neverUploaded(task)) {
            ++result.keptUnsent;
            continue;
        }
        task.sync_status = SyncStatus::Synced;
        task.etag.clear();
        if (m_tasks->update(task))
            ++result.discardedEdits;
    }
}
