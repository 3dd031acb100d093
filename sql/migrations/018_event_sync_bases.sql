-- The server's copy an event's local edits started from: kept when a synced
-- row first turns pending, so a later conflict can tell what each side
-- changed. It goes when the row is synced again or deleted.
CREATE TABLE event_sync_bases (
    event_id      TEXT PRIMARY KEY REFERENCES events(id) ON DELETE CASCADE,
    etag          TEXT,
    raw_icalendar TEXT
);
CREATE TRIGGER event_sync_base_keep AFTER UPDATE OF sync_status ON events
WHEN OLD.sync_status = 'synced' AND NEW.sync_status = 'pending'
    AND OLD.raw_icalendar IS NOT NULL AND OLD.raw_icalendar != ''
BEGIN
    INSERT OR REPLACE INTO event_sync_bases (event_id, etag, raw_icalendar)
    VALUES (OLD.id, OLD.etag, OLD.raw_icalendar);
END;
CREATE TRIGGER event_sync_base_drop AFTER UPDATE OF sync_status ON events
WHEN NEW.sync_status = 'synced'
BEGIN
    DELETE FROM event_sync_bases WHERE event_id = NEW.id;
END;
