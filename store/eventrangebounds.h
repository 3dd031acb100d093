#pragma once

#include <QSqlDatabase>

#include <optional>

// What a date-range read of `events` needs to visit only the rows near its
// range: the longest span (end − start) of any stored event, which bounds
// how long before the range an event that reaches into it can start, and
// the ids of the recurring events, which reach into any later range.
//
// Both are kept in the connection's temporary schema, by temporary triggers
// on `events`: every write through the connection keeps them right, whoever
// runs it, a rolled-back write rolls them back too, and nothing is added to
// the database file.
namespace EventRangeBounds {

// The temporary table holding the id and start_time of every event with a
// recurrence rule.
inline constexpr char kSeriesTable[] = "event_range_series";

// The longest span in whole days (rounded up), setting the bookkeeping up on
// the connection's first use. Empty when it cannot be set up or when a
// stored row's times do not read as dates: a read must then visit every
// earlier row.
std::optional<int> longestSpanDays(QSqlDatabase &db);

} // namespace EventRangeBounds
