-- A task moved to another calendar is stored there anew and left behind
-- as a tombstone; this links the two. The tombstone's deletion on the old
-- server waits until the new copy is on its own, so a copy the new server
-- refuses leaves the task on the old one. A link goes with either task.
CREATE TABLE task_moves (
    from_id TEXT PRIMARY KEY REFERENCES tasks(id) ON DELETE CASCADE,
    to_id   TEXT NOT NULL REFERENCES tasks(id) ON DELETE CASCADE
);
CREATE INDEX idx_task_moves_to ON task_moves(to_id);
