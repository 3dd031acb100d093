#pragma once

#include "store/calendar.h"
#include "sync/caldav/caldavrepositories.h"
#include "sync/core/calendarsyncclient.h"

#include <QObject>
#include <QString>

class CalDavClient;

// Two-way sync of CalDAV calendars: for each calendar given to syncCalendar,
// a run pulls events, pushes pending events, pulls and pushes tasks, and ends
// with exactly one calendarSyncCompleted or one terminal calendarSyncFailed.
// Several runs proceed side by side without sharing state. A task the
// calendar refuses is reported with a calendarSyncFailed that does not end
// the run (isSyncing stays true for it).
class CalDavSyncClient : public Sync::CalendarSyncClient
{
    Q_OBJECT
public:
    // Where and as whom an account's calendars are synced.
    struct Connection
    {
        QString serverUrl;
        QString username;
        QString password;
        QString pinnedFingerprint;
    };

    CalDavSyncClient(const CalDavRepositories &store, QObject *parent = nullptr);

    // Used by syncCalendar(const Calendar &) for every later run.
    void setConnection(const Connection &connection) { m_connection = connection; }
    void syncCalendar(const Calendar &calendar) override;
    void syncCalendar(const Calendar &calendar, const QString &serverUrl, const QString &username,
                      const QString &password, const QString &pinnedFingerprint);
    bool isSyncing(const QString &calendarId) const override;

    // Inactivity limit of each request of later runs.
    void setTransferTimeout(int milliseconds) { m_transferTimeoutMs = milliseconds; }
    // Pulls are parsed and written on a worker thread through a connection
    // of its own (a store in memory always applies them on this thread).
    void setApplyOnWorker(bool onWorker) { m_applyOnWorker = onWorker; }
    bool applyOnWorker() const { return m_applyOnWorker; }
    // Requests sent by all runs so far.
    int requestsSent() const { return m_requestsSent; }

    const CalDavRepositories &store() const { return m_store; }

Q_SIGNALS:
    void calendarSyncProgress(const QString &calendarId, int upserted);

private:
    friend class CalDavSyncRun;

    CalDavRepositories m_store;
    Connection m_connection;
    int m_transferTimeoutMs;
    int m_requestsSent = 0;
    bool m_applyOnWorker = true;
};
