#pragma once

#include "calendar/nlparser.h"
#include "store/event.h"
#include "store/task.h"

#include <QString>

class AppState;

// Turns one quick-add line into a stored reminder, task or event. Callers
// pass the calendar the user picked, or an empty id for "no choice".
namespace QuickAdd {

// What became of a line: stored (with the new item's id), not understood
// (blank, or an impossible date or hour), or understood but not saved (no
// writable calendar, or the store refused the row).
struct Result
{
    enum class Outcome { Stored, NotUnderstood, NotSaved };
    Outcome outcome = Outcome::NotUnderstood;
    QString id;
};

Result addLine(AppState *state, const QString &text, const QString &requestedCalendarId);
// The id of the stored item, or an empty text when nothing was stored.
QString add(AppState *state, const QString &text, const QString &requestedCalendarId);

Task buildReminder(AppState *state, const QString &text, const NLParser::ParseResult &parsed,
                   const QString &requestedCalendarId);
Task buildTask(AppState *state, const QString &text, const NLParser::ParseResult &parsed,
               const QString &requestedCalendarId);
// Parses the text itself. Without identity the event has no id, uid, stamps
// or iCalendar text (a preview).
Event buildEvent(AppState *state, const QString &text, const QString &requestedCalendarId,
                 bool withIdentity);

// Among writable calendars: the requested one when it exists, else the
// first flagged default, else the first visible one, else the first; empty
// without any.
QString resolveCalendar(AppState *state, const QString &requestedCalendarId);

} // namespace QuickAdd
