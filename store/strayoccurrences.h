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
// longer skipping its day. Its copy in the other calendar goes as a move's
// old copy goes: erased when no server holds it, else a tombstone whose
// deletion the sync sends.
//
// Only what that move left is put back, known by what this device recorded
// of it, never by a series of the same UID found elsewhere: the move's link
// from the row it left in the series' calendar, or, once that row's
// deletion went up and took the link along, the UID the move gave the copy
// (its own row id: an occurrence read from a server or a file keeps its
// series' UID) with no server ever holding the copy. Every other lone
// occurrence (an invitation to one occurrence, an imported update, one in a
// calendar of this device) stays where the user put it. Nothing goes back
// over a live changed occurrence at that place, into a calendar that takes
// no writes or of another account, nor where the series' server skipped
// that day since the move.
namespace StrayOccurrences {

// Puts back every such occurrence whose series is in `calendarId`, in one
// transaction, and returns their titles; none when the store refused
// (nothing changed then). Called by that calendar's sync after its pull,
// so that the series is as its server holds it now. Reads the moves' links
// and the pending rows of the account's calendars, never the whole store.
QStringList returnToSeries(Database *db, EventRepository *events, const QString &calendarId);

// The pending rows of `calendarId` that go back to their series' calendar
// at its sync: this calendar's push leaves them out, as its server would
// refuse each alone. None when the read fails.
QSet<QString> awaitingReturn(Database *db, EventRepository *events, const QString &calendarId);

} // namespace StrayOccurrences
