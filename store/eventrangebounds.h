#pragma once

#include <QSqlDatabase>

// What a date-range read of `events` needs to visit only the rows near its
// range. An ordinary event lasts at most kWindowDays, so one that reaches
// into a range starts at most that long before it; the others (recurring
// events, which reach into any later range, longer events, and rows whose
// times do not read as dates) are kept apart, with their times, in a table
// of their own.
//
// That table lives in the connection's temporary schema and temporary
// triggers on `events` keep it: every write through the connection keeps it
// right, whoever runs it, a rolled-back write rolls it back too, and nothing
// is added to the database file.
namespace EventRangeBounds {

// How long an event may last and still be found through its start alone.
inline constexpr int kWindowDays = 1;

// The temporary table of the events kept apart: id, start_time, end_time
// (as stored) and recurring (1 or 0).
inline constexpr char kApartTable[] = "event_range_apart";

// Sets the table and its triggers up on the connection's first use. False
// when that fails: a read must then visit every earlier row.
bool ensure(QSqlDatabase &db);

} // namespace EventRangeBounds
