#pragma once

#include "store/event.h"

#include <QList>

class Database;
class EventRepository;

// An event moved to another calendar is a deletion in the old calendar and
// a new item in the new one, so that both servers learn of it. A series
// takes its changed occurrences along, each a row of its own under the
// copy's UID, so that the new calendar's server gets them beside the series
// as the old one had them (one changed elsewhere, one changed here, one
// cancelled). Every row left behind is linked to its copy: what another
// device changed in the old server's copy before the move still reaches the
// copy when the old calendar's pull finds it.
namespace EventMove {

// The live changed occurrences of the stored series `original` in its
// calendar; none for a row that is not a series.
QList<Event> occurrencesOf(EventRepository *events, const Event &original);

// The copy of a changed occurrence for the series copy `series`: a new row
// of that UID in its calendar, its times, status and text as they were.
Event copiedOccurrence(const Event &occurrence, const Event &series);

// Stores the series copy `series` and the copies of its occurrences in one
// write: all of them or none.
[[nodiscard]] bool storeCopies(Database *database, EventRepository *events, const Event &series,
                               const QList<Event> &copies);

// Leaves `original` and its `occurrences` behind as tombstones, each one a
// server holds linked to its copy (`series` and `copies`, in the order of
// the occurrences), in one write: all of them or none. A row no server
// holds is linked to nothing; the link that led to it, when it was itself
// a copy, leads to its copy instead.
[[nodiscard]] bool leaveBehind(Database *database, EventRepository *events, const Event &original,
                               const QList<Event> &occurrences, const Event &series, const QList<Event> &copies);

} // namespace EventMove
