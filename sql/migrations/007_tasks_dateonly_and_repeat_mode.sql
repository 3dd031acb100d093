-- Tasks remember whether due/start carry a time, and how a repeating task moves on.
ALTER TABLE tasks ADD COLUMN due_is_date_only INTEGER NOT NULL DEFAULT 1;
ALTER TABLE tasks ADD COLUMN start_is_date_only INTEGER NOT NULL DEFAULT 1;
ALTER TABLE tasks ADD COLUMN repeat_mode TEXT NOT NULL DEFAULT 'fromDueDate';
