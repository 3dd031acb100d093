// Which calendars a local change queues for the auto-sync.

#include "ui/sync/syncorchestrator.h"

#include <QTimer>

#include "app/appstate.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"

void SyncOrchestrator::queueAutoSync(const QString &calendarId)
{
    // Changes made while a sync runs are its own writes or wait for the
    // next full sync.
    if (m_appState->runningSyncCount() >= 1)
        return;
    // A move writes two calendars but is heard as the last one written: the
    // other end goes in the same auto-sync, so the copy goes up and the old
    // copy can go once it is (syncOnceMore).
    QStringList calendarIds = m_appState->calendars()->otherEndsOfUnsentMoves(calendarId);
    calendarIds.prepend(calendarId);
    bool queued = false;
    for (const QString &id : std::as_const(calendarIds)) {
        if (!takesAutoSync(id))
            continue;
        m_pendingAutoSyncCalendarIds.insert(id);
        queued = true;
    }
    if (queued)
        m_autoSyncTimer->start();
}

bool SyncOrchestrator::takesAutoSync(const QString &calendarId) const
{
    const auto failedAt = m_lastCalDavFailureAt.constFind(calendarId);
    if (failedAt != m_lastCalDavFailureAt.constEnd() && failedAt->msecsTo(now()) < kCalDavBackOffMs)
        return false;
    const std::optional<Calendar> calendar = m_appState->calendars()->getById(calendarId);
    const std::optional<Account> account =
        calendar ? m_appState->accounts()->getById(calendar->account_id) : std::nullopt;
    if (!account || account->type == AccountType::Tindlebrook)
        return false;
    return !m_appState->events()->getPending(calendarId).isEmpty()
           || !m_appState->tasks()->getPending(calendarId).isEmpty();
}
