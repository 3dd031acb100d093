#include "calendar/icscodec.h"

#include "calendar/icscalendarcontext.h"
#include "calendar/icscommonproperty.h"
#include "calendar/icscomponentwalk.h"
#include "calendar/icstext.h"

namespace IcsCodec {

namespace {

bool relTypeIsParent(const ContentLine &line)
{
    const QString relType = unquoteParam(line.params.value(QStringLiteral("RELTYPE"), QStringLiteral("PARENT")));
    return relType.compare(QLatin1String("PARENT"), Qt::CaseInsensitive) == 0;
}

void applyTodoProperty(Task &task, const ContentLine &line, const IcsCalendarContext &context)
{
    if (applyCommonProperty(task, line))
        return;
    const QString &name = line.name;
    const QString &value = line.value;
    bool isDate = false;
    if (name == QLatin1String("DTSTART")) {
        task.start_date = parseDateTimeValue(value, context.timeParams(line.params), &isDate);
        task.start_is_date_only = isDate;
    } else if (name == QLatin1String("DUE")) {
        task.due_date = parseDateTimeValue(value, context.timeParams(line.params), &isDate);
        task.due_is_date_only = isDate;
    } else if (name == QLatin1String("COMPLETED")) {
        task.completed_date = parseDateTimeValue(value, context.timeParams(line.params));
    } else if (name == QLatin1String("STATUS")) {
        task.status = taskStatusFromText(value.toLower());
    } else if (name == QLatin1String("PRIORITY")) {
        task.priority = value.toInt();
    } else if (name == QLatin1String("PERCENT-COMPLETE")) {
        task.percent_complete = value.toInt();
    } else if (name == QLatin1String("RRULE")) {
        task.recurrence_rule = value;
    } else if (name == QLatin1String("CATEGORIES")) {
        // "Work\,Home" is one category: split only at unescaped commas.
        task.categories.clear();
        for (const QString &item : IcsText::splitEscapedList(value)) {
            const QString category = unescapeText(item.trimmed());
            if (!category.isEmpty())
                task.categories.append(category);
        }
    } else if (name == QLatin1String("RELATED-TO")) {
        if (relTypeIsParent(line))
            task.parent_task_uid = unescapeText(value);
    } else if (name == QLatin1String("X-TINDLEBROOK-REPEAT-MODE")) {
        if (value.trimmed() == QLatin1String("fromCompletionDate"))
            task.repeat_mode = QStringLiteral("fromCompletionDate");
    } else if (name == QLatin1String("X-TINDLEBROOK-ITEM-TYPE")) {
        if (value.trimmed().compare(QLatin1String("reminder"), Qt::CaseInsensitive) == 0)
            task.item_type = QStringLiteral("reminder");
    } else if (name == QLatin1String("X-TINDLEBROOK-SORT-ORDER")) {
        bool ok = false;
        const int order = value.trimmed().toInt(&ok);
        if (ok && order > 0)
            task.sort_order = order;
    }
}

void applyAlarmProperty(const ContentLine &line, QString *action, int *minutes)
{
    if (line.name == QLatin1String("ACTION")) {
        *action = line.value.toLower();
    } else if (line.name == QLatin1String("TRIGGER")) {
        QString trigger = line.value.trimmed();
        if (trigger.startsWith(QLatin1Char('-')) || trigger.startsWith(QLatin1Char('+')))
            trigger.remove(0, 1);
        // A trigger too far off to be a duration gives no reminder.
        bool readable = false;
        const qint64 seconds = IcsText::signedDuration(trigger, &readable);
        *minutes = readable && trigger.startsWith(QLatin1Char('P')) ? int(seconds / 60) : -1;
    }
}

} // namespace

QList<Task> parseTodos(const QString &text)
{
    QList<Task> result;
    const IcsCalendarContext context = IcsCalendarContext::read(text);
    Task task;
    QString alarmAction;
    int alarmMinutes = -1;

    IcsComponentWalk::Steps steps;
    steps.begin = [&] {
        task = Task();
        alarmAction.clear();
        alarmMinutes = -1;
    };
    steps.property = [&](const ContentLine &line, IcsComponentWalk::Level level) {
        if (level == IcsComponentWalk::Level::Own)
            applyTodoProperty(task, line, context);
        else if (level == IcsComponentWalk::Level::Alarm)
            applyAlarmProperty(line, &alarmAction, &alarmMinutes);
    };
    steps.alarmBegin = [&] {
        alarmAction.clear();
        alarmMinutes = -1;
    };
    steps.alarmEnd = [&] {
        if (alarmMinutes < 0)
            return;
        Reminder reminder;
        reminder.minutes_before = alarmMinutes;
        reminder.action = alarmAction.isEmpty() ? QStringLiteral("display") : alarmAction;
        task.reminders.append(reminder);
    };
    steps.end = [&](const QString &own) {
        if (task.uid.isEmpty())
            return;
        task.raw_icalendar = own;
        result.append(task);
    };
    IcsComponentWalk::walk(text, QStringLiteral("VTODO"), steps);
    return result;
}

} // namespace IcsCodec
