-- Removed accounts stay as tombstones until configuration sync has pushed them.
ALTER TABLE accounts ADD COLUMN deleted_at TEXT;
