#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "store/calendar.h"

class Database;
class EventRepository;

namespace Sync {
class CalendarSyncClient;
}

// What one sync of one calendar came to.
struct SyncBenchOutcome
{
    qint64 ms = 0;
    // The count the completion reported; -1 without one.
    int count = -1;
    int completions = 0;
    // The longest stretch the event loop could not answer, from the start
    // to the outcome.
    qint64 longestStallMs = 0;
    QStringList failures;

    const char *verdict() const { return failures.isEmpty() ? "ok  " : "FAIL"; }
    // Prints each failure on a line of its own.
    void printFailures() const;
};

// Syncs the calendar once and waits for the outcome (ten minutes at the
// most), then a little longer, so that a late duplicate answer or the
// debounced change signal lands before anything is counted.
SyncBenchOutcome syncCalendarOnce(Sync::CalendarSyncClient &client, const Calendar &calendar);

// Adds `count` pending events to the calendar, an hour apart from `first`,
// as edits waiting to be pushed.
bool addPendingEvents(EventRepository &events, const QString &calendarId, int count, const QDateTime &first);

// Counts the commits SQLite makes on the database from now on.
void watchCommits(Database *db);
int &committed();
