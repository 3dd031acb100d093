#include "calendar/icscodec.h"

#include <QDebug>

#include "calendar/icstext.h"
#include "calendar/icstodotimes.h"

#include <algorithm>

namespace IcsCodec {

namespace {

// ACTION is a token; anything else is shown as the display alarm it
// defaults to.
QString alarmAction(const Reminder &reminder)
{
    const QString action = reminder.action.trimmed().toUpper();
    const bool token = !action.isEmpty() && std::all_of(action.cbegin(), action.cend(), [](QChar c) {
        return (c.isLetterOrNumber() && c.unicode() < 128) || c == QLatin1Char('-');
    });
    return token ? action : QStringLiteral("DISPLAY");
}

// The VCALENDAR of one task, its times in the given forms, with the zone
// definitions given.
QString todoCalendar(const Task &task, const IcsTodoTimes &times, const QString &zones)
{
    const QString status = toText(task.status).toUpper();
    const QString crlf = QStringLiteral("\r\n");

    QString out;
    out.reserve(512);
    out += QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:%1\r\n").arg(QLatin1String(ProductId));
    out += zones;
    out += QStringLiteral("BEGIN:VTODO\r\n");
    out += QStringLiteral("UID:") + escapeUid(task.uid) + crlf;
    out += QStringLiteral("DTSTAMP:") + IcsText::utcText(QDateTime::currentDateTimeUtc()) + crlf;
    out += QStringLiteral("SUMMARY:") + escapeText(task.title) + crlf;
    out += QStringLiteral("STATUS:") + status + crlf;

    if (task.sequence > 0)
        out += QStringLiteral("SEQUENCE:%1\r\n").arg(task.sequence);
    if (task.priority > 0)
        out += QStringLiteral("PRIORITY:%1\r\n").arg(task.priority);
    if (task.percent_complete > 0)
        out += QStringLiteral("PERCENT-COMPLETE:%1\r\n").arg(task.percent_complete);
    if (task.start_date)
        out += times.startLine(task) + crlf;
    if (task.due_date)
        out += times.dueLine(task) + crlf;
    if (task.completed_date)
        out += QStringLiteral("COMPLETED:") + IcsText::utcText(*task.completed_date) + crlf;
    if (!task.recurrence_rule.isEmpty())
        out += QStringLiteral("RRULE:") + IcsText::plainValue(task.recurrence_rule) + crlf;
    if (!task.categories.isEmpty()) {
        QStringList escaped;
        escaped.reserve(task.categories.size());
        for (const QString &category : task.categories)
            escaped.append(escapeText(category));
        out += QStringLiteral("CATEGORIES:") + escaped.join(QLatin1Char(',')) + crlf;
    }
    if (!task.parent_task_uid.isEmpty())
        out += QStringLiteral("RELATED-TO;RELTYPE=PARENT:") + escapeUid(task.parent_task_uid) + crlf;
    if (task.repeat_mode == QLatin1String("fromCompletionDate"))
        out += QStringLiteral("X-TINDLEBROOK-REPEAT-MODE:fromCompletionDate\r\n");
    if (task.item_type == QLatin1String("reminder"))
        out += QStringLiteral("X-TINDLEBROOK-ITEM-TYPE:reminder\r\n");
    if (task.sort_order > 0)
        out += QStringLiteral("X-TINDLEBROOK-SORT-ORDER:%1\r\n").arg(task.sort_order);
    if (!task.description.isEmpty())
        out += QStringLiteral("DESCRIPTION:") + escapeText(task.description) + crlf;

    if (!task.reminders.isEmpty() && (task.due_date || task.start_date)) {
        const QString related = task.due_date ? QStringLiteral("END") : QStringLiteral("START");
        for (const Reminder &reminder : task.reminders) {
            out += QStringLiteral("BEGIN:VALARM\r\n");
            out += QStringLiteral("ACTION:") + alarmAction(reminder) + crlf;
            out += QStringLiteral("DESCRIPTION:") + escapeText(task.title) + crlf;
            if (reminder.minutes_before == 0)
                out += QStringLiteral("TRIGGER;RELATED=%1:PT0S\r\n").arg(related);
            else if (reminder.minutes_before > 0)
                out += QStringLiteral("TRIGGER;RELATED=%1:-PT%2M\r\n").arg(related).arg(reminder.minutes_before);
            else // after the anchor; "-PT-5M" would not be a duration
                out += QStringLiteral("TRIGGER;RELATED=%1:PT%2M\r\n").arg(related).arg(-reminder.minutes_before);
            out += QStringLiteral("END:VALARM\r\n");
        }
    }
    out += QStringLiteral("END:VTODO\r\nEND:VCALENDAR\r\n");
    return IcsText::foldLines(out);
}

} // namespace

bool refusesToWrite(const Task &task, const IcsTodoTimes &times)
{
    // Cleaned, such a value would be another one: another task's UID, or
    // another zone. A UID goes as it was read but for what no content line
    // can hold: a CR breaks the line, a NUL ends it for many readers, and
    // iCalendar text allows no other ASCII control.
    QString value;
    for (const QString &uid : {task.uid, task.parent_task_uid}) {
        if (value.isEmpty() && std::any_of(uid.cbegin(), uid.cend(), IcsText::isUnwritableControl))
            value = QStringLiteral("UID ") + uid;
    }
    const QString zone = value.isEmpty() ? times.unwritableZone(task) : QString();
    if (!zone.isEmpty())
        value = QStringLiteral("TZID ") + zone;
    if (value.isEmpty())
        return false;
    qWarning().noquote() << "[Ics] Task" << task.title << "is not written: iCalendar text cannot carry its"
                         << value.toUtf8().toPercentEncoding(" /:.,;_-@+=\"'") << "unchanged";
    return true;
}

QString buildTodo(const Task &task)
{
    const IcsTodoTimes times = IcsTodoTimes::of(task);
    if (refusesToWrite(task, times))
        return QString();
    return todoCalendar(task, times, times.definitions(task));
}

QString buildTodo(const Task &task, const IcsTodoTimes &times)
{
    return todoCalendar(task, times, QString());
}

} // namespace IcsCodec
