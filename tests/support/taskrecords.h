#pragma once

#include "store/task.h"

#include <QDate>
#include <QDateTime>
#include <QString>

// Task records as item tests arrange them: ids and a title, in the
// calendar "cal-a" of the usual test ground (seedLocalCalendars), with no
// stored text.
namespace TaskRecords {

inline Task plainTask(const QString &id, const QString &calendarId = QStringLiteral("cal-a"))
{
    Task t;
    t.id = id;
    t.uid = id;
    t.calendar_id = calendarId;
    t.title = QStringLiteral("Task ") + id;
    t.raw_icalendar = QStringLiteral("");
    return t;
}

// Due on a day, without a time.
inline Task dueOn(const QString &id, const QDate &day)
{
    Task t = plainTask(id);
    t.due_date = QDateTime(day, QTime(0, 0));
    t.due_is_date_only = true;
    return t;
}

inline Task dueAt(const QString &id, const QDateTime &at)
{
    Task t = plainTask(id);
    t.due_date = at;
    t.due_is_date_only = false;
    return t;
}

inline Reminder reminder(const QString &id, int minutes)
{
    Reminder r;
    r.id = id;
    r.minutes_before = minutes;
    return r;
}

} // namespace TaskRecords
