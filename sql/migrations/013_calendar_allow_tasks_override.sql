-- The user may enable tasks on a calendar whose server does not announce VTODO.
ALTER TABLE calendars ADD COLUMN allow_tasks_override INTEGER NOT NULL DEFAULT 0;
