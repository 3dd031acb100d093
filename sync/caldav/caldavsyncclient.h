#pragma once

#include "store/calendar.h"
#include "sync/caldav/caldavrepositories.h"

#include <QObject>
#include <QString>

class CalDavClient;

// Two-way sync of CalDAV calendars: for each calendar given to syncCalendar,
// a run pulls events, pushes pending events, pulls and pushes tasks, and ends
// with exactly one calendarSyncCompleted or one terminal calendarSyncFailed.
// Several runs proceed side by side without sharing state.
class CalDavSyncClient : public QObject
{
    Q_OBJECT
public:
    CalDavSyncClient(const CalDavRepositories &store, QObject *parent = nullptr);

    void syncCalendar(const Calendar &calendar, const QString &serverUrl, const QString &username,
                      const QString &password, const QString &pinnedFingerprint);

    // Inactivity limit of each request of later runs.
    void setTransferTimeout(int milliseconds) { m_transferTimeoutMs = milliseconds; }
    // Requests sent by all runs so far.
    int requestsSent() const { return m_requestsSent; }

    const CalDavRepositories &store() const { return m_store; }

Q_SIGNALS:
    void calendarSyncStarted(const QString &calendarId);
    void calendarSyncProgress(const QString &calendarId, int upserted);
    void calendarSyncCompleted(const QString &calendarId, int eventCount);
    void calendarSyncFailed(const QString &calendarId, const QString &reason);

private:
    friend class CalDavSyncRun;

    CalDavRepositories m_store;
    int m_transferTimeoutMs;
    int m_requestsSent = 0;
};
