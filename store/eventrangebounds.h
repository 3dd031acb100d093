#pragma once

// What a date-range read of `events` needs to visit only the rows near its
// range. An ordinary event lasts at most kWindowDays, so one that reaches
// into a range starts at most that long before it; the others (recurring
// events, which reach into any later range, longer events, and rows whose
// times do not read as dates) are kept apart: a partial index on their
// start holds only them (sql/migrations/017_event_range_apart_index.sql).
//
// Being part of the schema, the index is right for every connection and
// every writer, and a connection's first read costs what any other does.
namespace EventRangeBounds {

// How long an event may last and still be found through its start alone.
inline constexpr int kWindowDays = 1;

// The partial index over the events kept apart.
inline constexpr char kApartIndex[] = "idx_events_range_apart";

// The index's condition, word for word as the migration has it: a query
// must repeat it exactly for SQLite to use the index.
inline constexpr char kApartCondition[] =
    "((recurrence_rule IS NOT NULL AND recurrence_rule != '') OR "
    "(end_time IS NOT NULL AND end_time != '' AND "
    "COALESCE(julianday(end_time) - julianday(start_time) > 1, 1)))";

} // namespace EventRangeBounds
