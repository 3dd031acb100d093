#pragma once

#include "calendar/icscontentline.h"
#include "store/event.h"
#include "store/task.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimeZone>

// Reads and writes the program's iCalendar dialect. Stateless functions; the
// texts are Unicode, callers convert at the file and network boundary
// (decodeText() for bytes that may carry folds inside a UTF-8 sequence).
namespace IcsCodec {

// Product identifier of every calendar this program writes.
inline constexpr char ProductId[] = "-//Tindlebrook//Calendar Desktop//EN";

// One record per VEVENT with a UID, in text order. Each carries its own
// VCALENDAR (the VEVENT plus the VTIMEZONEs it names) as raw_icalendar.
QList<Event> parseEvents(const QString &text);
// One record per VTODO with a UID; raw_icalendar is the VTODO block alone.
QList<Task> parseTodos(const QString &text);

// The complete VCALENDAR text of one task.
QString buildTodo(const Task &task);

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
// A parameter value without its surrounding double quotes.
QString unquoteParam(const QString &value);

// Reads a DATE or DATE-TIME value; *isDate tells which it was. Invalid on
// failure.
QDateTime parseDateTimeValue(const QString &value, const QHash<QString, QString> &params,
                             bool *isDate = nullptr);
// Whole seconds of a DURATION ("P1DT2H", "-PT15M" gives 0), 0 when unreadable.
qint64 parseDurationSeconds(const QString &text);

// The zone a TZID names: an IANA id, a Windows zone name, or an id with a
// vendor prefix ending in an IANA id. Invalid when none is known.
QTimeZone zoneForId(const QString &tzid);

// UTF-8 bytes of an iCalendar stream as text, with line folds removed before
// decoding so a character split across a fold comes back whole.
QString decodeText(const QByteArray &utf8);

} // namespace IcsCodec
