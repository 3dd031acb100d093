#pragma once

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include "calendar/occurrence.h"
#include "calendar/recurrencerule.h"
#include "store/event.h"

#include <functional>
#include <optional>

// Turns recurring events into their occurrences for a range. Stateless.
// A series is an event with one or more rules (RRULE lines, one a line in
// recurrence_rule) or extra dates (RDATE, a JSON array in
// recurrence_dates); its occurrences are the union of those, less the
// exception dates, with overrides (rows naming the series uid in
// master_event_uid and an occurrence in recurrence_id) in their place.
namespace Recurrence {

// Light records for wide ranges: the single events, then each series'
// occurrences with overrides in place. An override whose series is not in
// the list (an invitation to one occurrence) counts as a single event. One
// series gives at most 10,000 occurrences, one call 4,000,000.
QList<Occurrence> occurrences(const QList<Event> &events, const QDateTime &from, const QDateTime &to);
// The occurrences of one event that overlap [from, to), in time order,
// with eventIndex 0.
QList<Occurrence> occurrencesOf(const Event &event, const QDateTime &from, const QDateTime &to);
// The record an occurrence stands for: the event itself for a single event
// or an override, else a copy of the series with the occurrence's times
// (in the series' own time spec) and recurrence id.
Event eventFor(const Event &source, const Occurrence &occurrence);
// The end of the event's occurrence starting at `start`: its whole days on
// the occurrence's own wall clock and the rest of its length exact, as the
// expansion gives it. None without an end.
std::optional<QDateTime> occurrenceEnd(const Event &event, const QDateTime &start);
// The recurrence id of the series' occurrence starting at `start`: the
// UTC form "yyyyMMddTHHmmssZ", or for an all-day series its date on the
// series' clock at midnight, "yyyyMMddT000000Z" (a start at 00:00 UTC, as
// readRecurrenceId gives one, names its own date).
QString recurrenceIdOf(const Event &series, const QDateTime &start);
// The same for an occurrence a provider names by its start alone: an
// all-day one by the date of `start` as given.
QString recurrenceIdAt(const QDateTime &start, bool allDay);
// The occurrence a recurrence id names, in UTC, read field by field: a
// time "yyyyMMddTHHmmss" with "Z" or without, or a date alone ("yyyyMMdd",
// as an earlier version named a Google all-day instance) at its midnight.
// Invalid for any other text.
QDateTime readRecurrenceId(const QString &recurrenceId);
// A recurrence id as recurrenceIdOf writes it, whichever form it was
// stored in: a date alone at its midnight, any other text as it is. Two
// ids name the same occurrence when these are equal.
QString storedRecurrenceId(const QString &recurrenceId);
// Whether the event is a series to expand rather than a single event or an
// override.
bool isSeries(const Event &event);
// Whether the event is a timed one without a zone (floating, as another
// client wrote it): its times stay on the computer's wall clock, whatever
// instant the store keeps of them.
bool isFloating(const Event &event);
// The series' start on the clock its occurrences step on: its named zone,
// the computer's wall clock for a floating event, the calendar date for an
// all-day one, else UTC, whatever time spec the record came in (a form's
// local time, the store's UTC).
QDateTime steppedStart(const Event &event);
// The time of day its occurrences step at on that clock: the start's, or,
// where another client wrote the start in an hour a change to summer time
// skipped (read an hour on, as a one-off time is), the time it wrote.
QTime steppedTime(const Event &event);

// The same as full records, for a day or a week (at most 500,000).
QList<Event> expandForRange(const QList<Event> &events, const QDateTime &from,
                            const QDateTime &to);
// The occurrences of one event that overlap [from, to), in time order.
QList<Event> expandEvent(const Event &event, const QDateTime &from, const QDateTime &to);

// The rules of a stored recurrence_rule text, one per line.
QStringList ruleLines(const QString &recurrenceRule);
// RRULE text without the "RRULE:" name; of a text with several rules, the
// first.
RecurrenceRule parseRule(const QString &text);
// Weekday number 1 (MO) … 7 (SU) of a plain BYDAY code; 0 for anything else,
// ordinal forms such as 2MO included.
int parseByDay(const QString &code);
// A BYDAY entry with an optional signed ordinal ("-1FR", "+2MO", "TU").
// False when the entry names no weekday; *ordinal is 0 without one.
bool parseByDayEntry(const QString &entry, int *ordinal, int *weekday);
// Milliseconds since the epoch of every readable entry of exception_dates.
QSet<qint64> parseExceptionDates(const QString &text);

// The starts of a series up to (not including) rangeEnd, in time order.
// Starts before skipBefore may be left out, which lets a series without
// COUNT jump to the range instead of walking from its first start. The
// starts after the first step at `time` where valid (steppedTime), else
// at the series start's.
QList<QDateTime> step(const RecurrenceRule &rule, const QDateTime &seriesStart,
                      const QDateTime &rangeEnd, const QDateTime &skipBefore = QDateTime(),
                      const QTime &time = QTime());
// The same starts handed to `take` one at a time.
void forEachStart(const RecurrenceRule &rule, const QDateTime &seriesStart, const QDateTime &rangeEnd,
                  const QDateTime &skipBefore, const std::function<void(const QDateTime &)> &take,
                  const QTime &time = QTime());

} // namespace Recurrence
