-- sync_enabled now decides whether any calendar syncs, as it already did for
-- cloud calendars; until now only those were held to it, and CalDAV, feed
-- and some Google and Microsoft calendars were stored with it off. Every
-- one that syncs today keeps syncing. Placeholders of a signed-in account
-- (read-only rows known only by their cross-device key) stay off until
-- discovery adopts them; a feed needs no sign-in, so every subscription is
-- switched on. This device's own calendars never sync and are left alone.
UPDATE calendars SET sync_enabled = 1
WHERE sync_enabled = 0
  AND (account_id IN (SELECT id FROM accounts WHERE type = 'webcal')
       OR (account_id IN (SELECT id FROM accounts
                          WHERE type IN ('caldav', 'icloud', 'zoho', 'google', 'microsoft'))
           AND NOT (is_read_only = 1 AND COALESCE(canonical_key, '') != '')));
