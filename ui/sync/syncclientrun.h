#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>

class SyncOrchestrator;

namespace Sync {
class CalendarSyncClient;
}

// The calendars one sync client was handed and has not finished. Each
// counts once, on its final signal: a failure the client reports on the
// way (it is still syncing the calendar) is passed on but ends nothing, and
// a second final signal for a calendar is ignored. When the last calendar
// is done the client is released. Lives as the client's child, so a client
// destroyed early hands its unfinished calendars back as it goes.
class SyncClientRun : public QObject
{
    Q_OBJECT
public:
    // `fullRun` is the full sync the client belongs to, 0 for an auto-sync.
    SyncClientRun(Sync::CalendarSyncClient *client, SyncOrchestrator *orchestrator, quint64 fullRun, bool calDav,
                  const QStringList &calendarIds);
    ~SyncClientRun() override;

    quint64 fullRun() const { return m_fullRun; }
    bool isFullSync() const { return m_fullRun != 0; }
    bool isCalDav() const { return m_calDav; }

private:
    void onCompleted(const QString &calendarId, int eventCount);
    void onFailed(const QString &calendarId, const QString &reason);
    void finish(const QString &calendarId);

    Sync::CalendarSyncClient *m_client;
    QPointer<SyncOrchestrator> m_orchestrator;
    quint64 m_fullRun;
    bool m_calDav;
    QSet<QString> m_remaining;
};
