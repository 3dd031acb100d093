-- A floating series (migration 25) steps on the wall clock, but the days
-- this device skipped or changed in it before were named by the instants
-- of its old stepping in UTC, which after a change of summer time name no
-- occurrence. Renaming them takes the iCalendar reader: this marks it due,
-- and the program (store/floatingstamps.cpp) does it after the migrations,
-- taking the mark away in the same transaction as its writes.
INSERT OR REPLACE INTO settings (key, value) VALUES ('store/floatingStampsRenameDue', 'true');
