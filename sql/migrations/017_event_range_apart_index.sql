-- A date-range read finds most events through their start, in a window
-- opening a day before the range. The rest (recurring events, events
-- longer than a day, rows whose times do not read as dates) can reach into
-- any later range: this partial index holds only them, so a read visits
-- them without visiting every earlier row. Its condition is repeated word
-- for word by the range statement (store/eventrangebounds.h).
CREATE INDEX idx_events_range_apart ON events(start_time)
    WHERE ((recurrence_rule IS NOT NULL AND recurrence_rule != '') OR
    (end_time IS NOT NULL AND end_time != '' AND
    COALESCE(julianday(end_time) - julianday(start_time) > 1, 1)));
