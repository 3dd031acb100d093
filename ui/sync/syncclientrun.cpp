#include "ui/sync/syncclientrun.h"

#include "sync/core/calendarsyncclient.h"
#include "ui/sync/syncorchestrator.h"

SyncClientRun::SyncClientRun(Sync::CalendarSyncClient *client, SyncOrchestrator *orchestrator, quint64 fullRun,
                             bool calDav, const QStringList &calendarIds)
    : QObject(client)
    , m_client(client)
    , m_orchestrator(orchestrator)
    , m_fullRun(fullRun)
    , m_calDav(calDav)
    , m_remaining(calendarIds.cbegin(), calendarIds.cend())
{
    connect(client, &Sync::CalendarSyncClient::calendarSyncCompleted, this, &SyncClientRun::onCompleted);
    connect(client, &Sync::CalendarSyncClient::calendarSyncFailed, this, &SyncClientRun::onFailed);
    connect(client, &Sync::CalendarSyncClient::calendarSyncNotice, this, [this](const QString &, const QString &text) {
        if (m_orchestrator)
            m_orchestrator->onCalendarNotice(text);
    });
}

SyncClientRun::~SyncClientRun()
{
    if (!m_orchestrator)
        return;
    for (const QString &calendarId : std::as_const(m_remaining))
        m_orchestrator->onCalendarFinished(m_fullRun, calendarId);
}

void SyncClientRun::onCompleted(const QString &calendarId, int eventCount)
{
    if (!m_remaining.contains(calendarId) || !m_orchestrator)
        return;
    m_orchestrator->onCalendarCompleted(*this, calendarId, eventCount);
    finish(calendarId);
}

void SyncClientRun::onFailed(const QString &calendarId, const QString &reason)
{
    if (!m_remaining.contains(calendarId) || !m_orchestrator)
        return;
    m_orchestrator->onCalendarFailed(*this, calendarId, reason);
    if (!m_client->isSyncing(calendarId))
        finish(calendarId);
}

void SyncClientRun::finish(const QString &calendarId)
{
    m_remaining.remove(calendarId);
    if (m_remaining.isEmpty())
        m_client->deleteLater();
    m_orchestrator->onCalendarFinished(m_fullRun, calendarId);
}
