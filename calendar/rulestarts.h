#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

#include "calendar/recurrencerule.h"

struct Event;

// The starts a series' rules give, stepped on its wall clock with no zone:
// a rule names wall-clock times, whatever a change of summer time does to
// an hour of them, and no zone's data runs out in the years a check steps.
// What a move or a split of a series checks its rule against; its extra
// dates and skipped days aside.
namespace RuleStarts {

// A wall-clock time held as UTC, with no zone to change it.
QDateTime naive(const QDate &day, const QTime &time);

// A rule's UNTIL on the wall clock of `clock`, as the starts are stepped:
// a UTC instant read there; a date, or a floating time, as written.
RecurrenceRule onWallClock(RecurrenceRule rule, const QDateTime &clock);

// The starts `rule` (one line, or several one a line) gives in [from, to)
// stepped from `start`, all three wall-clock times held as UTC (naive()),
// its UNTIL read on the wall clock of `clock`: in order, each once.
QList<QDateTime> between(const QString &rule, const QDateTime &clock, const QDateTime &start, const QDateTime &from,
                         const QDateTime &to);

// The first occurrence the series' rules give at or after `from` (on the
// clock the series steps on, Recurrence::steppedStart), as it is shown; an
// all-day series' from the date of `from` on. None where the rules give no
// more. The series' own start counts, as it does for COUNT.
std::optional<QDateTime> firstFrom(const Event &series, const QDateTime &from);

// How many starts the series' rules give before `before` (on the clock the
// series steps on), its own start counted, as COUNT counts them: read a
// stretch at a time, so that none is left out however far on, each stretch
// bounded as an expansion is. A rule's COUNT stops it as written.
qint64 countBefore(const Event &series, const QDateTime &before);

} // namespace RuleStarts
