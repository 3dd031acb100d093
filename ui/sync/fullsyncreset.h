#pragma once

#include <QString>

class AccountRepository;
class CalendarRepository;
class EventRepository;
class TaskRepository;

// The store's half of a forced full sync: unsent edits of items the server
// already has give way to the server's copy (marked synced and stripped of
// their tag, so the pull rewrites them), saved sync tokens and the
// accounts' last sync times are cleared. Pending deletions stay pending,
// and so do items that never reached a server (no resource, tag or
// provider id): marking those synced would lose them. Clearing sync state
// is no edit: calendars and accounts keep their change times.
class FullSyncReset
{
public:
    struct Result
    {
        int discardedEdits = 0;
        int keptUnsent = 0;
        int clearedCalendars = 0;
    };

    FullSyncReset(CalendarRepository *calendars, EventRepository *events, TaskRepository *tasks,
                  AccountRepository *accounts);

    Result run();

private:
    void resetItems(const QString &calendarId, Result &result);

    CalendarRepository *m_calendars;
    EventRepository *m_events;
    TaskRepository *m_tasks;
    AccountRepository *m_accounts;
};
