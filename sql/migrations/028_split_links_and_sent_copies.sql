-- A split ("This and following") ends a series and starts a new one where
-- it ended; this links the series it ended to the new one. A change another
-- device made to a later occurrence before the split went up goes to the
-- new series through it, and to no other series. A link goes with either
-- row, and when the ended series is synced again: the server has the split.
CREATE TABLE event_splits (
    from_id TEXT NOT NULL REFERENCES events(id) ON DELETE CASCADE,
    to_id   TEXT NOT NULL REFERENCES events(id) ON DELETE CASCADE,
    PRIMARY KEY (from_id, to_id)
);
CREATE INDEX idx_event_splits_to ON event_splits(to_id);
CREATE TRIGGER event_split_drop AFTER UPDATE OF sync_status ON events
WHEN NEW.sync_status = 'synced'
BEGIN
    DELETE FROM event_splits WHERE from_id = NEW.id;
END;
-- What this device sent of a pending row, beside the copy its edit started
-- from: its own text and the tag the upload went up against. An upload the
-- server stored without its answer ever coming is known by it at the next
-- pull. It goes with the sync base (a replaced base has none).
ALTER TABLE event_sync_bases ADD COLUMN sent_etag TEXT;
ALTER TABLE event_sync_bases ADD COLUMN sent_icalendar TEXT;
-- A changed occurrence made here is looked up by its series and recurrence
-- id (where an occurrence the server changed stands now): the index on the
-- series alone visited every changed occurrence of the series for each.
DROP INDEX idx_events_master_uid;
CREATE INDEX idx_events_master_uid ON events(master_event_uid, recurrence_id);
