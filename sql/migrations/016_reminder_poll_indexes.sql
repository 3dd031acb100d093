-- The reminder pass reads only reminders that can be due. Reminders of
-- one-off events are found by trigger time, bounded below by the largest
-- offset still waiting (read from these offset indexes); reminders of
-- recurring events whatever their stored trigger, through the series.
CREATE INDEX idx_reminders_open_offset ON reminders(acknowledged, minutes_before);
CREATE INDEX idx_task_reminders_open_offset ON task_reminders(acknowledged, minutes_before);
CREATE INDEX idx_events_series ON events(id)
    WHERE recurrence_rule IS NOT NULL AND recurrence_rule <> '' AND deleted_at IS NULL;
