-- sync_enabled now decides whether a CalDAV calendar syncs, as it does for
-- cloud calendars; until now CalDAV calendars synced whatever it held, and
-- the accounts dialog stored them with it off. Every one that syncs today
-- keeps syncing. Placeholders (read-only rows known only by their
-- cross-device key) stay off until discovery adopts them.
UPDATE calendars SET sync_enabled = 1
WHERE sync_enabled = 0
  AND account_id IN (SELECT id FROM accounts WHERE type IN ('caldav', 'icloud', 'zoho'))
  AND NOT (is_read_only = 1 AND COALESCE(canonical_key, '') != '');
