-- An event moved to another calendar is stored there anew (the series and
-- each of its changed occurrences, row by row) and left behind as a
-- tombstone; this links each old row to its copy. A change another device
-- made to the old server copy before the move reaches the copy through it.
-- A link goes with either row.
CREATE TABLE event_moves (
    from_id TEXT PRIMARY KEY REFERENCES events(id) ON DELETE CASCADE,
    to_id   TEXT NOT NULL REFERENCES events(id) ON DELETE CASCADE
);
CREATE INDEX idx_event_moves_to ON event_moves(to_id);
