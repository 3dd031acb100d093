#pragma once

#include <QSet>
#include <QStringList>

#include "sync/core/calendarsyncclient.h"

// A sync client the test drives: syncCalendar records the calendar and
// reports it started; the test ends each calendar as it likes.
class FakeSyncClient : public Sync::CalendarSyncClient
{
    Q_OBJECT
public:
    using Sync::CalendarSyncClient::CalendarSyncClient;

    void syncCalendar(const Calendar &calendar) override
    {
        m_running.insert(calendar.id);
        Q_EMIT calendarSyncStarted(calendar.id);
    }
    bool isSyncing(const QString &calendarId) const override { return m_running.contains(calendarId); }

    void complete(const QString &calendarId, int eventCount)
    {
        m_running.remove(calendarId);
        Q_EMIT calendarSyncCompleted(calendarId, eventCount);
    }
    // A failure that leaves the calendar syncing, as a refused item does.
    void failOnTheWay(const QString &calendarId, const QString &reason)
    {
        Q_EMIT calendarSyncFailed(calendarId, reason);
    }
    void fail(const QString &calendarId, const QString &reason)
    {
        m_running.remove(calendarId);
        Q_EMIT calendarSyncFailed(calendarId, reason);
    }

private:
    QSet<QString> m_running;
};
