#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimeZone>

#include "calendar/icscontentline.h"
#include "calendar/icsreadresult.h"
#include "store/event.h"
#include "store/task.h"

class IcsTodoTimes;

// Reads and writes the program's iCalendar dialect. Stateless functions; the
// texts are Unicode, callers convert at the file and network boundary
// (decodeText() for bytes that may carry folds inside a UTF-8 sequence).
namespace IcsCodec {

// Product identifier of every calendar this program writes.
inline constexpr char ProductId[] = "-//Tindlebrook//Calendar Desktop//EN";

// One record per VEVENT with a UID, in text order. Each carries its own
// VCALENDAR (the VEVENT plus the VTIMEZONEs it names) as raw_icalendar.
// Floating times of a calendar that names its zone (X-WR-TIMEZONE) are read
// in that zone; others give an event without a zone (an empty timezone),
// whose times stay on the computer's wall clock; several RRULE lines are kept one a line; RDATEs go to
// recurrence_dates as EXDATEs go to exception_dates.
QList<Event> parseEvents(const QString &text);
// The events of a calendar file, feed or server reply given as bytes
// (decodeText); not ok, with a message, when they are not iCalendar text.
IcsReadResult readEvents(const QByteArray &bytes);
// Whether the text holds iCalendar data at all (a BEGIN:VCALENDAR, VEVENT
// or VTODO line).
bool isCalendarText(const QString &text);
// One record per VTODO with a UID; raw_icalendar is the VTODO block alone.
// DTSTART with a DURATION and no DUE gives the due date the duration ends on,
// its days counted on the start's wall clock.
QList<Task> parseTodos(const QString &text);
// The tasks of one stored resource, one record per UID: the VTODO without a
// RECURRENCE-ID, or the first of the UID when every one has one. Each holds
// its own part of the text as raw_icalendar: the calendar's own properties,
// every VTODO of its UID and the VTIMEZONEs these name, so that an edit
// written over it with patchTodoIcs() keeps the occurrences changed
// elsewhere. The copies the records share (zones, the calendar's lines) are
// held to a few times the text's size; past that a record carries this
// program's VERSION and PRODID with the calendar's X-WR-TIMEZONE, and names
// its zones without their definitions but where it is the first record to
// name one.
QList<Task> parseTodoResource(const QString &text);

// Whether a task cannot be written with its values as they are: a UID (its
// own or its parent's) with an ASCII control character other than a line
// feed or a tab (a CR or a NUL), a zone name kept for its times with a
// double quote or a control character.
// Cleaned, such a value would read back as another one. buildTodo() and
// patchTodoIcs() refuse the task: they log why and give an empty text.
bool refusesToWrite(const Task &task, const IcsTodoTimes &times);

// The complete VCALENDAR text of one task. DTSTART and DUE keep the zone
// the task's stored text gave them; a repeating timed task without one is
// written in the computer's zone (IcsTodoTimes), each zone with its
// VTIMEZONE. Empty for a task it refuses (refusesToWrite()).
QString buildTodo(const Task &task);
// The same with the times in the given forms and no VTIMEZONE, for a text
// that holds the definitions or gets them from `times`.
QString buildTodo(const Task &task, const IcsTodoTimes &times);
// The stored text with the record written over the VTODO it stands for
// (todoOf()), which keeps what the record does not model: other clients'
// properties, relations other than the parent, nested components and alarms
// the reader makes no reminder of. The rest of the text stays as it was:
// the calendar's own lines, its zones and the occurrences changed
// elsewhere; components of another UID go. A text without a VTODO of the
// record's UID is the text of a copy made under a new UID (a task moved to
// another calendar): the copy is the series' VTODO, patched, and each of its
// occurrences changed elsewhere as a VTODO of its own under the new UID
// (never with an RRULE), with the zones they name, under this program's
// VERSION and PRODID; none of the old calendar's lines go with it. A text
// without a VCALENDAR is wrapped in one; without a series to copy,
// buildTodo(). DURATION never stays: the record's due date stands for it.
// Empty for a task it refuses (refusesToWrite()).
QString patchTodoIcs(const QString &stored, const Task &task);
// The VTODO of a stored text that a record with this UID stands for, BEGIN
// to END, unfolded: the one of the UID without a RECURRENCE-ID, else the
// first of the UID, else (for a copy under a new UID) the first without a
// RECURRENCE-ID. Empty when there is none of these.
QString todoOf(const QString &stored, const QString &uid);

// The complete VCALENDAR text of one event. When the event already carries a
// stored text with a VEVENT, that text is patched (patchEventIcs) so that
// whatever the record does not model survives the edit.
QString buildEventIcs(const Event &event);
// Rewrites every property the record models inside the matching VEVENT of
// the stored text and keeps every other line, nested alarms included.
QString patchEventIcs(const QString &stored, const Event &event);

// Rewrites DTSTART and DTEND of the first VEVENT after a move or resize.
QString patchEventTimes(const QString &stored, const QDateTime &start, const QDateTime &end);

QStringList unfoldLines(const QString &text);
ContentLine splitContentLine(const QString &line);
QString unescapeText(const QString &value);
QString escapeText(const QString &text);
// A UID as a TEXT value, to read back as it is: escaped as escapeText()
// does, but every character that breaks no content line (the Unicode line
// and paragraph separators, which iCalendar text may hold) written as it
// is. Only what refusesToWrite() lets through reads back unchanged.
QString escapeUid(const QString &uid);
// A parameter value without its surrounding double quotes.
QString unquoteParam(const QString &value);

// Reads a DATE or DATE-TIME value; *isDate tells which it was. Invalid on
// failure.
QDateTime parseDateTimeValue(const QString &value, const QHash<QString, QString> &params,
                             bool *isDate = nullptr);
// Whole seconds of a DURATION ("P1DT2H", "-PT15M" gives 0), 0 when unreadable.
qint64 parseDurationSeconds(const QString &text);

// The zone a TZID names: an IANA id, a Windows zone name, or an id with a
// vendor prefix ending in an IANA id. Invalid when none is known or the id
// is longer than any zone's.
QTimeZone zoneForId(const QString &tzid);

// The bytes of an iCalendar stream as text: UTF-16 or UTF-32 after a
// byte-order mark, else UTF-8 with line folds removed before decoding so a
// character split across a fold comes back whole. Lines may end with CR LF,
// LF, or (in a text without LF) a lone CR.
QString decodeText(const QByteArray &bytes);

} // namespace IcsCodec
