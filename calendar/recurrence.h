#pragma once

#include "calendar/recurrencerule.h"
#include "store/event.h"

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>

// Turns recurring events into their occurrences for a range. Stateless.
namespace Recurrence {

// Single events, then each master's occurrences with overrides in place.
QList<Event> expandForRange(const QList<Event> &events, const QDateTime &from,
                            const QDateTime &to);
// The occurrences of one event that overlap [from, to), in time order.
QList<Event> expandEvent(const Event &event, const QDateTime &from, const QDateTime &to);

// RRULE text without the "RRULE:" name.
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
// COUNT jump to the range instead of walking from its first start.
QList<QDateTime> step(const RecurrenceRule &rule, const QDateTime &seriesStart,
                      const QDateTime &rangeEnd, const QDateTime &skipBefore = QDateTime());

} // namespace Recurrence
