#pragma once

#include "store/event.h"

#include <QDateTime>
#include <QList>

#include <optional>

// The occurrences a recurring event's reminder speaks for: the series'
// starts with moved occurrences in place. A moved occurrence that carries
// reminders of its own is left to them.
namespace ReminderSeries {

// Occurrences starting in [from, to), in time order.
QList<Event> startingIn(const Event &master, const QList<Event> &overrides, const QDateTime &from,
                        const QDateTime &to);
// The first occurrence starting after `after`, looking up to ten years ahead;
// nothing when the series has ended.
std::optional<Event> firstAfter(const Event &master, const QList<Event> &overrides, const QDateTime &after);

} // namespace ReminderSeries
