-- Google and Microsoft look events up by their own ids.
CREATE INDEX IF NOT EXISTS idx_events_calendar_provider ON events(calendar_id, provider_event_id);
