#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

class Database;
class EventRepository;

// A changed occurrence an earlier version's form moved alone to another
// calendar of the same account (a row naming a series that calendar does
// not hold) was refused by that calendar's server at every sync. It goes
// back to its series' calendar, pending, so that it goes up inside its
// series' resource there: into the row it left behind when that is still
// kept (a tombstone waiting for it), else as a new row, the series then no
// longer skipping the day that row's deletion skipped. Its copy, which no
// server holds, is erased.
//
// Only what that move left is put back, known by what this device recorded
// of it, never by a series of the same UID found elsewhere: the move's link
// from the row it left in the series' calendar, or, once that row's
// deletion went up and took the link along, the UID the move gave the copy
// (its own row id: an occurrence read from a server or a file keeps its
// series' UID) with no server ever holding the copy. Every other lone
// occurrence (an invitation to one occurrence, an imported update, one in a
// calendar of this device or beside a subscription) stays where the user
// put it. Nothing goes back into a calendar of another account or one that
// takes no writes, over a live changed occurrence at that place, or, while
// the row it left is kept (its deletion never went up), into a day its
// series skips: the series' server skipped it since.
namespace StrayOccurrences {

// For the sync of `calendarId`, after its pull (so that a series there is
// as its server holds it now): puts back every such occurrence whose series
// is in `calendarId`, in one transaction, and returns their titles; none
// when the store refused (nothing changed then). `waiting`, when given,
// receives the ones standing in `calendarId`: they go back at their
// series' calendar's sync, and this calendar's push leaves them out, as its
// server would refuse each alone. Reads the moves' links and the pending
// rows of the account's calendars, never the whole store.
QStringList returnToSeries(Database *db, EventRepository *events, const QString &calendarId,
                           QSet<QString> *waiting = nullptr);

} // namespace StrayOccurrences
