// The orchestration's share of moves between calendars: an old copy that a
// sync held back for its copy goes in that same sync once the copy is up.

#include "ui/sync/syncorchestrator.h"

#include <QDebug>

#include "app/appstate.h"
#include "app/secrets/tokenstore.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"

void SyncOrchestrator::noteHeldOldCopies(quint64 run, const QString &calendarId)
{
    // The once-more syncs note nothing: they run once.
    if (run == 0 && !m_syncingOnceMore)
        m_autoSyncHeld.note(*m_appState->events(), *m_appState->tasks(), calendarId);
    const auto found = run != 0 ? m_runs.find(run) : m_runs.end();
    if (found != m_runs.end() && !found->onceMore)
        found->held.note(*m_appState->events(), *m_appState->tasks(), calendarId);
}

bool SyncOrchestrator::syncOnceMore(quint64 run)
{
    QStringList released;
    if (run == 0) {
        // Auto-syncs start one calendar at a time: the copy's may be any.
        if (m_closing || !m_syncing.isEmpty() || m_pendingDiscoveries > 0)
            return false;
        released = m_autoSyncHeld.takeReleased(*m_appState->events(), *m_appState->tasks());
    } else {
        const auto found = m_runs.find(run);
        if (m_closing || found == m_runs.end() || found->onceMore)
            return false;
        found->onceMore = true;
        released = found->held.takeReleased(*m_appState->events(), *m_appState->tasks());
    }
    if (released.isEmpty())
        return false;
    qInfo().noquote() << "[Sync] Syncing" << released.join(QStringLiteral(", "))
                      << "once more: the copies of the items moved out of them are up now";
    const std::unique_ptr<TindAccount::TokenStore> secrets = m_secretStoreMaker();
    m_syncingOnceMore = true;
    for (const QString &calendarId : std::as_const(released))
        startAutoSync(calendarId, *secrets, run);
    m_syncingOnceMore = false;
    if (run == 0)
        return true;
    // A client that answered at once may have ended the run already.
    const auto found = m_runs.find(run);
    return found == m_runs.end() || found->syncing > 0;
}
