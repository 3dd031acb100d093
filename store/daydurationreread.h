#pragma once

class Database;

// Rows whose end or due date came of a DURATION of days were stored while
// every day had 86,400 s; the reader now counts days on the start's wall
// clock, so across a change to or from summer time they were an hour off,
// and an edit would have sent that hour to the server. A migration marks
// their re-read due; Database::migrate() does it once the schema is current.
namespace DayDurationReread {

// Does the re-read when it is due: the rows and the mark's removal in one
// transaction, so that a start cut short does it again. False, and still
// due, when it could not be finished.
bool runIfDue(Database *db);

// The re-read itself, inside the caller's transaction. A row changes only
// while it holds the start its text gives and the end that text gave with
// 86,400 s a day: it then takes the end read now, a task's reminders move
// with its due date, and an event's alarms counted from its end with it.
// A pending row is read against the server's copy its edit started from,
// so that what the edit changed stays, and is left alone when its own text
// no longer gives that copy's times. The number of rows changed; -1 when a
// write failed.
int reread(Database *db);

} // namespace DayDurationReread
