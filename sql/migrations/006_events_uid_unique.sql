-- One row per (calendar, UID, recurrence id). Keep the oldest copy of each
-- duplicate group and remove the others together with their child rows.
WITH ranked AS (
    SELECT id, ROW_NUMBER() OVER (
        PARTITION BY calendar_id, uid, COALESCE(recurrence_id, '')
        ORDER BY created ASC, id ASC) AS rn
    FROM events)
DELETE FROM attendees WHERE event_id IN (SELECT id FROM ranked WHERE rn > 1);

WITH ranked AS (
    SELECT id, ROW_NUMBER() OVER (
        PARTITION BY calendar_id, uid, COALESCE(recurrence_id, '')
        ORDER BY created ASC, id ASC) AS rn
    FROM events)
DELETE FROM attachments WHERE event_id IN (SELECT id FROM ranked WHERE rn > 1);

WITH ranked AS (
    SELECT id, ROW_NUMBER() OVER (
        PARTITION BY calendar_id, uid, COALESCE(recurrence_id, '')
        ORDER BY created ASC, id ASC) AS rn
    FROM events)
DELETE FROM reminders WHERE event_id IN (SELECT id FROM ranked WHERE rn > 1);

WITH ranked AS (
    SELECT id, ROW_NUMBER() OVER (
        PARTITION BY calendar_id, uid, COALESCE(recurrence_id, '')
        ORDER BY created ASC, id ASC) AS rn
    FROM events)
DELETE FROM events WHERE id IN (SELECT id FROM ranked WHERE rn > 1);

CREATE UNIQUE INDEX IF NOT EXISTS idx_events_uid_unique
    ON events(calendar_id, uid, COALESCE(recurrence_id, ''));
