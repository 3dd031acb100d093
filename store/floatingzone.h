#pragma once

#include <QString>
#include <QTimeZone>

class Database;
class ReadInZones;

// A floating time (a timed event without a zone) is a wall-clock time, and
// the store keeps it as the instant that wall-clock time had on the
// computer's zone when it was read. The settings remember that zone; when
// the store is opened on a computer whose zone differs, every floating
// time is pinned again: it keeps its wall-clock reading and takes the
// instant of that reading in the new zone, so that it reads, moves and is
// written as the same time of day. A store the previous version left has
// no zone recorded: its rows are pinned again from the zones they were
// read in (ReadInZones), wherever the first start happens.
namespace FloatingZone {

// Pins the floating rows in the computer's zone when they were pinned in
// another, in one transaction, and records the zone. False, and the old
// zone kept for the next start, when a write failed.
bool repinIfMoved(Database *db);

// The pinning itself, inside the caller's transaction: the start, end,
// date lists and reminder triggers of each floating row, and the
// recurrence id of each changed occurrence of a floating series, read on
// the wall clock of the zone they were pinned in and pinned on the
// computer's. The number of rows changed; -1 when a write failed.
int repin(Database *db, const ReadInZones &zones);
int repin(Database *db, const QTimeZone &from);

// The stored instant text (ISO "…Z", or the iCalendar "yyyyMMddTHHmmssZ"
// in its own form) pinned again; any other text as it is.
QString repinned(const QString &text, const QTimeZone &from);

} // namespace FloatingZone
