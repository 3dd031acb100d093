-- Calendars of our own accounts always hold tasks.
UPDATE calendars SET supported_components = '["VEVENT","VTODO"]'
WHERE account_id IN (SELECT id FROM accounts WHERE type = 'tindlebrook')
  AND supported_components NOT LIKE '%VTODO%';
