-- The server's copy a task's local edits started from: kept when a synced
-- row first turns pending, so a later conflict can tell what each side
-- changed. It goes when the row is synced again or deleted.
CREATE TABLE task_sync_bases (
    task_id       TEXT PRIMARY KEY REFERENCES tasks(id) ON DELETE CASCADE,
    etag          TEXT,
    raw_icalendar TEXT
);
CREATE TRIGGER task_sync_base_keep AFTER UPDATE OF sync_status ON tasks
WHEN OLD.sync_status = 'synced' AND NEW.sync_status = 'pending'
    AND OLD.raw_icalendar IS NOT NULL AND OLD.raw_icalendar != ''
BEGIN
    INSERT OR REPLACE INTO task_sync_bases (task_id, etag, raw_icalendar)
    VALUES (OLD.id, OLD.etag, OLD.raw_icalendar);
END;
CREATE TRIGGER task_sync_base_drop AFTER UPDATE OF sync_status ON tasks
WHEN NEW.sync_status = 'synced'
BEGIN
    DELETE FROM task_sync_bases WHERE task_id = NEW.id;
END;
