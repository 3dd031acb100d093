-- An event can point at the to-do it was scheduled from.
ALTER TABLE events ADD COLUMN related_to_uid TEXT;
CREATE INDEX idx_events_related_to_uid ON events(related_to_uid);
