#pragma once

#include <QDateTime>
#include <QStringList>

#include "store/event.h"
#include "store/task.h"

#include <optional>

// Every field the iCalendar reader fills, one "name: value" line each, for
// golden files and whole-record comparisons; times in UTC, dates for
// all-day values, "-" for nothing.
namespace IcsDescription {

inline QString orDash(const QString &text)
{
    if (text.isEmpty())
        return QStringLiteral("-");
    QString shown = text;
    return shown.replace(QLatin1Char('\n'), QLatin1String("\\n"));
}

inline QString when(const std::optional<QDateTime> &value, bool allDay)
{
    if (!value || !value->isValid())
        return QStringLiteral("-");
    if (allDay)
        return QStringLiteral("date ") + value->date().toString(Qt::ISODate);
    return value->toUTC().toString(Qt::ISODate);
}

inline QString describe(const Event &event)
{
    QStringList lines;
    lines << QStringLiteral("event");
    lines << QStringLiteral("uid: ") + orDash(event.uid);
    lines << QStringLiteral("title: ") + orDash(event.title);
    lines << QStringLiteral("description: ") + orDash(event.description);
    lines << QStringLiteral("location: ") + orDash(event.location);
    lines << QStringLiteral("start: ") + when(event.start_time, event.is_all_day);
    lines << QStringLiteral("end: ") + when(event.end_time, event.is_all_day);
    lines << QStringLiteral("all-day: ") + (event.is_all_day ? QStringLiteral("yes") : QStringLiteral("no"));
    lines << QStringLiteral("timezone: ") + orDash(event.timezone);
    lines << QStringLiteral("rule: ") + orDash(event.recurrence_rule);
    lines << QStringLiteral("exceptions: ") + orDash(event.exception_dates);
    lines << QStringLiteral("extra dates: ") + orDash(event.recurrence_dates);
    lines << QStringLiteral("recurrence-id: ") + orDash(event.recurrence_id);
    lines << QStringLiteral("master: ") + orDash(event.master_event_uid);
    lines << QStringLiteral("status: ") + orDash(event.status);
    lines << QStringLiteral("sequence: ") + QString::number(event.sequence);
    lines << QStringLiteral("url: ") + orDash(event.event_url);
    lines << QStringLiteral("organizer: ")
                 + (event.organizer_email.isEmpty() ? QStringLiteral("-")
                                                    : event.organizer_email + QLatin1String(" | ") + event.organizer_name);
    lines << QStringLiteral("created: ") + when(event.created, false);
    lines << QStringLiteral("last-modified: ") + when(event.last_modified, false);
    lines << QStringLiteral("related-to: ") + orDash(event.related_to_uid);
    for (const Reminder &reminder : event.reminders)
        lines << QStringLiteral("reminder: %1 %2").arg(reminder.minutes_before).arg(reminder.action);
    for (const Attendee &attendee : event.attendees) {
        lines << QStringLiteral("attendee: %1 | %2 | %3 | %4 | %5 | %6")
                     .arg(attendee.email, attendee.name, attendee.role, attendee.status, orDash(attendee.type),
                          attendee.rsvp ? QStringLiteral("rsvp") : QStringLiteral("-"));
    }
    return lines.join(QLatin1Char('\n'));
}

inline QString describe(const Task &task)
{
    QStringList lines;
    lines << QStringLiteral("task");
    lines << QStringLiteral("uid: ") + orDash(task.uid);
    lines << QStringLiteral("title: ") + orDash(task.title);
    lines << QStringLiteral("description: ") + orDash(task.description);
    lines << QStringLiteral("start: ") + when(task.start_date, task.start_is_date_only);
    lines << QStringLiteral("due: ") + when(task.due_date, task.due_is_date_only);
    lines << QStringLiteral("completed: ") + when(task.completed_date, false);
    lines << QStringLiteral("status: ") + orDash(toText(task.status));
    lines << QStringLiteral("priority: ") + QString::number(task.priority);
    lines << QStringLiteral("percent: ") + QString::number(task.percent_complete);
    lines << QStringLiteral("rule: ") + orDash(task.recurrence_rule);
    lines << QStringLiteral("categories: ") + orDash(task.categories.join(QLatin1String(" | ")));
    lines << QStringLiteral("parent: ") + orDash(task.parent_task_uid);
    lines << QStringLiteral("sequence: ") + QString::number(task.sequence);
    lines << QStringLiteral("repeat-mode: ") + task.repeat_mode;
    lines << QStringLiteral("item-type: ") + task.item_type;
    lines << QStringLiteral("sort-order: ") + QString::number(task.sort_order);
    for (const Reminder &reminder : task.reminders)
        lines << QStringLiteral("reminder: %1 %2").arg(reminder.minutes_before).arg(reminder.action);
    return lines.join(QLatin1Char('\n'));
}

template<typename Record>
QString describeAll(const QList<Record> &records)
{
    QStringList parts;
    for (const Record &record : records)
        parts << describe(record);
    return parts.join(QLatin1Char('\n'));
}

} // namespace IcsDescription
