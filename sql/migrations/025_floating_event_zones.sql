-- A timed event another client wrote without a zone (DTSTART:20260302T090000)
-- was stored as a UTC one, so its series stepped in UTC and showed an hour
-- off after a change of summer time. Such an event has no zone now (an
-- empty timezone): its times stay on the computer's wall clock. A row
-- changes only where every DTSTART of its text is such a time: a text that
-- holds zones, other forms or lower-case names stays as it was.
UPDATE events SET timezone = ''
WHERE timezone = 'UTC' AND is_all_day = 0
    AND raw_icalendar NOT LIKE '%BEGIN:VTIMEZONE%'
    AND raw_icalendar NOT LIKE '%DTSTART;%'
    AND raw_icalendar NOT GLOB ('*DTSTART:[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]T[0-9][0-9][0-9][0-9][0-9][0-9][Zz]*')
    AND (raw_icalendar GLOB ('*' || char(10) || 'DTSTART:[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]T[0-9][0-9][0-9][0-9][0-9][0-9]' || char(13) || '*')
        OR raw_icalendar GLOB ('*' || char(10) || 'DTSTART:[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]T[0-9][0-9][0-9][0-9][0-9][0-9]' || char(10) || '*'));
