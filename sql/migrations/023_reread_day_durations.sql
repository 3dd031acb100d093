-- An end or due date that came of a DURATION of days was stored with
-- 86,400 s a day; days now count on the start's wall clock. Reading the
-- stored texts again takes the iCalendar reader: this marks it due, and
-- the program (store/daydurationreread.cpp) does it after the migrations,
-- taking the mark away in the same transaction as its writes.
INSERT OR REPLACE INTO settings (key, value) VALUES ('store/dayDurationsRereadDue', 'true');
