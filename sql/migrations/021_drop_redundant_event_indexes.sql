-- Every event row written keeps each index on events up to date. These four
-- serve no read of their own: calendar_id alone is the first column of
-- idx_events_uid_unique and idx_events_calendar_start, uid with calendar_id
-- is found through idx_events_uid_unique, and nothing reads events by
-- sync_status alone (pending rows have their own partial index) or by
-- end_time alone (ranges go by start, and long events by
-- idx_events_range_apart).
DROP INDEX IF EXISTS idx_events_calendar;
DROP INDEX IF EXISTS idx_events_uid_calendar;
DROP INDEX IF EXISTS idx_events_sync_status;
DROP INDEX IF EXISTS idx_events_end_time;
