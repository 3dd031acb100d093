#pragma once

#include <QDateTime>
#include <QList>

#include <functional>

struct Event;
struct SeriesRows;

// What becomes of a series' changed occurrences when the series moves or
// splits, worked out on the series' own rows (its overrides and their
// tombstones, EventRepository::getSeriesRows) into SeriesRows.
namespace SeriesOverrides {

using Moved = std::function<QDateTime(const QDateTime &)>;

// Occurrences changed on or after `from` (every one without it) go with
// `series` as it moved: each names its occurrence moved alike, its own
// times as they were. One no server holds is re-keyed in place. One a
// server holds leaves its old place as a withdrawn change (the resource
// is sent without it, skipping no day) and goes on as a new row:
// re-pointed in place, the pull before the push would store the server's
// copy at the old place again beside it. Where a row of the series' UID
// already stands at the new place (a neighbour moving away, or a change
// withdrawn there before), that row takes the change, so the occurrence
// is held once.
void move(const Event &master, const Event &series, const QList<Event> &own, const QDateTime &from,
          const Moved &moved, SeriesRows *rows);

// A change deleted here but not yet sent leaves a deletion the push makes
// a skipped day of at its place (CalDavSyncRun::skipDeletedOccurrence),
// which a moved series gives to another occurrence. The series skipped
// that day already and its skip moves with it: the deletion needs only
// take the change off the server, as a withdrawn change does.
void withdrawDeleted(const Event &master, const QList<Event> &own, SeriesRows *rows);

} // namespace SeriesOverrides
