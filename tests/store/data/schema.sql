-- trigger event_split_drop
CREATE TRIGGER event_split_drop AFTER UPDATE OF sync_status ON events
WHEN NEW.sync_status = 'synced'
BEGIN
    DELETE FROM event_splits WHERE from_id = NEW.id;
END;

-- trigger event_sync_base_drop
CREATE TRIGGER event_sync_base_drop AFTER UPDATE OF sync_status ON events
WHEN NEW.sync_status = 'synced'
BEGIN
    DELETE FROM event_sync_bases WHERE event_id = NEW.id;
END;

-- trigger event_sync_base_keep
CREATE TRIGGER event_sync_base_keep AFTER UPDATE OF sync_status ON events
WHEN OLD.sync_status = 'synced' AND NEW.sync_status = 'pending'
    AND OLD.raw_icalendar IS NOT NULL AND OLD.raw_icalendar != ''
BEGIN
    INSERT OR REPLACE INTO event_sync_bases (event_id, etag, raw_icalendar)
    VALUES (OLD.id, OLD.etag, OLD.raw_icalendar);
END;

-- trigger task_sync_base_drop
CREATE TRIGGER task_sync_base_drop AFTER UPDATE OF sync_status ON tasks
WHEN NEW.sync_status = 'synced'
BEGIN
    DELETE FROM task_sync_bases WHERE task_id = NEW.id;
END;

-- trigger task_sync_base_keep
CREATE TRIGGER task_sync_base_keep AFTER UPDATE OF sync_status ON tasks
WHEN OLD.sync_status = 'synced' AND NEW.sync_status = 'pending'
    AND OLD.raw_icalendar IS NOT NULL AND OLD.raw_icalendar != ''
BEGIN
    INSERT OR REPLACE INTO task_sync_bases (task_id, etag, raw_icalendar)
    VALUES (OLD.id, OLD.etag, OLD.raw_icalendar);
END;

-- table accounts
CREATE TABLE accounts (
    id                    TEXT PRIMARY KEY,
    name                  TEXT NOT NULL,
    type                  TEXT NOT NULL,
    server_url            TEXT,
    username              TEXT,
    calendar_home_set     TEXT,
    principal_url         TEXT,
    sync_interval_minutes INTEGER NOT NULL DEFAULT 15,
    last_sync_time        TEXT,
    last_sync_error       TEXT,
    enabled               INTEGER NOT NULL DEFAULT 1,
    color                 TEXT NOT NULL DEFAULT '#4285F4',
    exclude_from_sync     INTEGER NOT NULL DEFAULT 0,
    trusted_cert_sha256   TEXT,
    pending_cert_sha256   TEXT,
    created_at            TEXT NOT NULL DEFAULT (datetime('now')),
    updated_at            TEXT NOT NULL DEFAULT (datetime('now'))
, sort_order INTEGER NOT NULL DEFAULT 0, deleted_at TEXT);

-- table attachments
CREATE TABLE attachments (
    id               TEXT PRIMARY KEY,
    event_id         TEXT NOT NULL REFERENCES events(id),
    filename         TEXT NOT NULL,
    url              TEXT,
    mime_type        TEXT,
    size             INTEGER,
    provider_file_id TEXT
);

-- table attendees
CREATE TABLE attendees (
    id       TEXT PRIMARY KEY,
    event_id TEXT NOT NULL REFERENCES events(id),
    email    TEXT NOT NULL,
    name     TEXT,
    role     TEXT NOT NULL DEFAULT 'required',
    status   TEXT NOT NULL DEFAULT 'needs-action',
    type     TEXT,
    rsvp     INTEGER NOT NULL DEFAULT 0
);

-- table calendar_views
CREATE TABLE calendar_views (
    id           TEXT PRIMARY KEY,
    name         TEXT NOT NULL,
    color        TEXT,
    calendar_ids TEXT NOT NULL DEFAULT '[]',
    is_default   INTEGER NOT NULL DEFAULT 0,
    sort_order   INTEGER NOT NULL DEFAULT 0,
    sync_status  TEXT NOT NULL DEFAULT 'pending',
    created_at   TEXT NOT NULL DEFAULT (datetime('now')),
    updated_at   TEXT NOT NULL DEFAULT (datetime('now')),
    deleted_at   TEXT
);

-- table calendars
CREATE TABLE calendars (
    id                   TEXT PRIMARY KEY,
    account_id           TEXT NOT NULL REFERENCES accounts(id),
    url                  TEXT NOT NULL,
    name                 TEXT NOT NULL,
    description          TEXT,
    color                TEXT NOT NULL DEFAULT '#4285F4',
    timezone             TEXT NOT NULL DEFAULT 'UTC',
    is_visible           INTEGER NOT NULL DEFAULT 1,
    is_read_only         INTEGER NOT NULL DEFAULT 0,
    is_default           INTEGER NOT NULL DEFAULT 0,
    ctag                 TEXT,
    sync_token           TEXT,
    delta_sync_token     TEXT,
    supported_components TEXT NOT NULL DEFAULT '["VEVENT"]',
    sort_order           INTEGER NOT NULL DEFAULT 0,
    canonical_key        TEXT,
    sync_enabled         INTEGER NOT NULL DEFAULT 0,
    is_shared            INTEGER NOT NULL DEFAULT 0,
    shared_with_me       INTEGER NOT NULL DEFAULT 0,
    last_sync_error      TEXT,
    created_at           TEXT NOT NULL DEFAULT (datetime('now')),
    updated_at           TEXT NOT NULL DEFAULT (datetime('now'))
, allow_tasks_override INTEGER NOT NULL DEFAULT 0);

-- table event_dropped_occurrences
CREATE TABLE event_dropped_occurrences (
    event_id      TEXT NOT NULL REFERENCES events(id) ON DELETE CASCADE,
    recurrence_id TEXT NOT NULL,
    PRIMARY KEY (event_id, recurrence_id)
);

-- table event_moves
CREATE TABLE event_moves (
    from_id TEXT PRIMARY KEY REFERENCES events(id) ON DELETE CASCADE,
    to_id   TEXT NOT NULL REFERENCES events(id) ON DELETE CASCADE
);

-- table event_splits
CREATE TABLE event_splits (
    from_id TEXT NOT NULL REFERENCES events(id) ON DELETE CASCADE,
    to_id   TEXT NOT NULL REFERENCES events(id) ON DELETE CASCADE,
    PRIMARY KEY (from_id, to_id)
);

-- table event_sync_bases
CREATE TABLE event_sync_bases (
    event_id      TEXT PRIMARY KEY REFERENCES events(id) ON DELETE CASCADE,
    etag          TEXT,
    raw_icalendar TEXT
, sent_etag TEXT, sent_icalendar TEXT);

-- table event_templates
CREATE TABLE event_templates (
    id               TEXT PRIMARY KEY,
    name             TEXT NOT NULL,
    title            TEXT NOT NULL,
    description      TEXT,
    location         TEXT,
    color            TEXT,
    is_all_day       INTEGER NOT NULL DEFAULT 0,
    duration_minutes INTEGER NOT NULL DEFAULT 60,
    recurrence_rule  TEXT,
    calendar_id      TEXT,
    reminders        TEXT NOT NULL DEFAULT '[15]',
    sort_order       INTEGER NOT NULL DEFAULT 0,
    sync_status      TEXT NOT NULL DEFAULT 'pending',
    created_at       TEXT NOT NULL DEFAULT (datetime('now')),
    updated_at       TEXT NOT NULL DEFAULT (datetime('now')),
    deleted_at       TEXT
);

-- table events
CREATE TABLE events (
    id                TEXT PRIMARY KEY,
    calendar_id       TEXT NOT NULL REFERENCES calendars(id),
    uid               TEXT NOT NULL,
    provider_event_id TEXT,
    etag              TEXT,
    href              TEXT,
    title             TEXT NOT NULL,
    description       TEXT,
    location          TEXT,
    geo_location      TEXT,
    start_time        TEXT NOT NULL,
    end_time          TEXT,
    is_all_day        INTEGER NOT NULL DEFAULT 0,
    timezone          TEXT NOT NULL DEFAULT 'UTC',
    recurrence_rule   TEXT,
    recurrence_dates  TEXT,
    exception_dates   TEXT,
    recurrence_id     TEXT,
    master_event_uid  TEXT,
    status            TEXT NOT NULL DEFAULT 'confirmed',
    event_url         TEXT,
    conference_url    TEXT,
    organizer_email   TEXT,
    organizer_name    TEXT,
    sequence          INTEGER NOT NULL DEFAULT 0,
    raw_icalendar     TEXT NOT NULL,
    color             TEXT,
    created           TEXT NOT NULL DEFAULT (datetime('now')),
    last_modified     TEXT NOT NULL DEFAULT (datetime('now'))
, sync_status TEXT NOT NULL DEFAULT 'synced', deleted_at TEXT, related_to_uid TEXT);

-- table filter_rules
CREATE TABLE filter_rules (
    id                 TEXT PRIMARY KEY,
    name               TEXT NOT NULL,
    type               TEXT NOT NULL,
    enabled            INTEGER NOT NULL DEFAULT 1,
    calendar_ids       TEXT NOT NULL DEFAULT '[]',
    conditions         TEXT NOT NULL,
    action             TEXT NOT NULL DEFAULT 'hide',
    priority           INTEGER NOT NULL DEFAULT 100,
    event_uid          TEXT,
    event_calendar_id  TEXT,
    suppress_reminders INTEGER NOT NULL DEFAULT 0,
    sync_status        TEXT NOT NULL DEFAULT 'pending',
    created_at         TEXT NOT NULL DEFAULT (datetime('now')),
    updated_at         TEXT NOT NULL DEFAULT (datetime('now')),
    deleted_at         TEXT
);

-- table reminders
CREATE TABLE reminders (
    id             TEXT PRIMARY KEY,
    event_id       TEXT NOT NULL REFERENCES events(id),
    minutes_before INTEGER NOT NULL,
    action         TEXT NOT NULL DEFAULT 'display',
    acknowledged   INTEGER NOT NULL DEFAULT 0,
    trigger_time   TEXT
);

-- table schema_version
CREATE TABLE schema_version (  version    INTEGER PRIMARY KEY,  name       TEXT NOT NULL,  applied_at TEXT NOT NULL DEFAULT (datetime('now')));

-- table settings
CREATE TABLE settings (
    key   TEXT PRIMARY KEY,
    value TEXT NOT NULL,
    type  TEXT NOT NULL DEFAULT 'string'
);

-- table task_moves
CREATE TABLE task_moves (
    from_id TEXT PRIMARY KEY REFERENCES tasks(id) ON DELETE CASCADE,
    to_id   TEXT NOT NULL REFERENCES tasks(id) ON DELETE CASCADE
);

-- table task_reminders
CREATE TABLE task_reminders (
    id             TEXT PRIMARY KEY,
    task_id        TEXT NOT NULL REFERENCES tasks(id) ON DELETE CASCADE,
    minutes_before INTEGER NOT NULL,
    action         TEXT NOT NULL DEFAULT 'display',
    acknowledged   INTEGER NOT NULL DEFAULT 0,
    trigger_time   TEXT
);

-- table task_sync_bases
CREATE TABLE task_sync_bases (
    task_id       TEXT PRIMARY KEY REFERENCES tasks(id) ON DELETE CASCADE,
    etag          TEXT,
    raw_icalendar TEXT
);

-- table tasks
CREATE TABLE tasks (
    id               TEXT PRIMARY KEY,
    calendar_id      TEXT NOT NULL REFERENCES calendars(id),
    uid              TEXT NOT NULL,
    etag             TEXT,
    href             TEXT,
    title            TEXT NOT NULL,
    description      TEXT,
    status           TEXT NOT NULL DEFAULT 'needs-action',
    priority         INTEGER NOT NULL DEFAULT 0,
    percent_complete INTEGER NOT NULL DEFAULT 0,
    due_date         TEXT,
    start_date       TEXT,
    completed_date   TEXT,
    categories       TEXT NOT NULL DEFAULT '[]',
    parent_task_uid  TEXT,
    sort_order       INTEGER NOT NULL DEFAULT 0,
    color            TEXT,
    recurrence_rule  TEXT,
    sequence         INTEGER NOT NULL DEFAULT 0,
    raw_icalendar    TEXT NOT NULL,
    created          TEXT NOT NULL DEFAULT (datetime('now')),
    last_modified    TEXT NOT NULL DEFAULT (datetime('now'))
, sync_status TEXT NOT NULL DEFAULT 'synced', deleted_at TEXT, due_is_date_only INTEGER NOT NULL DEFAULT 1, start_is_date_only INTEGER NOT NULL DEFAULT 1, repeat_mode TEXT NOT NULL DEFAULT 'fromDueDate', item_type TEXT NOT NULL DEFAULT 'task');

-- index idx_attachments_event
CREATE INDEX idx_attachments_event ON attachments(event_id);

-- index idx_attendees_event
CREATE INDEX idx_attendees_event ON attendees(event_id);

-- index idx_calendars_account
CREATE INDEX idx_calendars_account ON calendars(account_id);

-- index idx_event_moves_to
CREATE INDEX idx_event_moves_to ON event_moves(to_id);

-- index idx_event_splits_to
CREATE INDEX idx_event_splits_to ON event_splits(to_id);

-- index idx_events_calendar_pending
CREATE INDEX idx_events_calendar_pending ON events(calendar_id, sync_status) WHERE sync_status = 'pending';

-- index idx_events_calendar_provider
CREATE INDEX idx_events_calendar_provider ON events(calendar_id, provider_event_id);

-- index idx_events_calendar_start
CREATE INDEX idx_events_calendar_start ON events(calendar_id, start_time);

-- index idx_events_master_uid
CREATE INDEX idx_events_master_uid ON events(master_event_uid, recurrence_id);

-- index idx_events_range_apart
CREATE INDEX idx_events_range_apart ON events(start_time)
    WHERE ((recurrence_rule IS NOT NULL AND recurrence_rule != '') OR
    (end_time IS NOT NULL AND end_time != '' AND
    COALESCE(julianday(end_time) - julianday(start_time) > 1, 1)));

-- index idx_events_related_to_uid
CREATE INDEX idx_events_related_to_uid ON events(related_to_uid);

-- index idx_events_series
CREATE INDEX idx_events_series ON events(id)
    WHERE recurrence_rule IS NOT NULL AND recurrence_rule <> '' AND deleted_at IS NULL;

-- index idx_events_start_time
CREATE INDEX idx_events_start_time ON events(start_time);

-- index idx_events_uid_unique
CREATE UNIQUE INDEX idx_events_uid_unique
    ON events(calendar_id, uid, COALESCE(recurrence_id, ''));

-- index idx_reminders_event
CREATE INDEX idx_reminders_event ON reminders(event_id);

-- index idx_reminders_open_offset
CREATE INDEX idx_reminders_open_offset ON reminders(acknowledged, minutes_before);

-- index idx_reminders_trigger
CREATE INDEX idx_reminders_trigger ON reminders(trigger_time);

-- index idx_task_moves_to
CREATE INDEX idx_task_moves_to ON task_moves(to_id);

-- index idx_task_reminders_open_offset
CREATE INDEX idx_task_reminders_open_offset ON task_reminders(acknowledged, minutes_before);

-- index idx_task_reminders_task
CREATE INDEX idx_task_reminders_task ON task_reminders(task_id);

-- index idx_task_reminders_trigger
CREATE INDEX idx_task_reminders_trigger ON task_reminders(trigger_time);

-- index idx_tasks_calendar
CREATE INDEX idx_tasks_calendar ON tasks(calendar_id);

-- index idx_tasks_calendar_pending
CREATE INDEX idx_tasks_calendar_pending ON tasks(calendar_id, sync_status) WHERE sync_status = 'pending';

-- index idx_tasks_due_date
CREATE INDEX idx_tasks_due_date ON tasks(due_date);

-- index idx_tasks_item_type
CREATE INDEX idx_tasks_item_type ON tasks(item_type);

-- index idx_tasks_status
CREATE INDEX idx_tasks_status ON tasks(status);

-- index idx_tasks_sync_status
CREATE INDEX idx_tasks_sync_status ON tasks(sync_status);

-- index idx_tasks_uid_calendar
CREATE INDEX idx_tasks_uid_calendar ON tasks(uid, calendar_id);

