#include "calendar/icscodec.h"

#include "calendar/icscalendarcontext.h"
#include "calendar/icslinereader.h"
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
    const QString &name = line.name;
    const QString &value = line.value;
    bool isDate = false;
    if (name == QLatin1String("UID")) {
        task.uid = unescapeText(value);
    } else if (name == QLatin1String("SUMMARY")) {
        task.title = unescapeText(value);
    } else if (name == QLatin1String("DESCRIPTION")) {
        task.description = unescapeText(value);
    } else if (name == QLatin1String("DTSTART")) {
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
    } else if (name == QLatin1String("SEQUENCE")) {
        task.sequence = value.toInt();
    } else if (name == QLatin1String("CREATED")) {
        task.created = parseDateTimeValue(value, line.params);
    } else if (name == QLatin1String("LAST-MODIFIED")) {
        task.last_modified = parseDateTimeValue(value, line.params);
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

} // namespace

QList<Task> parseTodos(const QString &text)
{
    QList<Task> result;
    const IcsCalendarContext context = IcsCalendarContext::read(text);
    Task task;
    QString accumulator;
    bool inTodo = false;
    // Components open inside the VTODO; only its own level sets task fields.
    QStringList nested;
    QString alarmAction;
    int alarmMinutes = -1;

    IcsLineReader reader(text);
    QString line;
    while (reader.next(&line)) {
        bool begin = false;
        QString component;
        const bool marker = IcsText::componentMarker(line, &begin, &component);
        if (marker && begin && component == QLatin1String("VTODO")) {
            task = Task();
            nested.clear();
            alarmAction.clear();
            alarmMinutes = -1;
            inTodo = true;
            accumulator = line + QLatin1String("\r\n");
            continue;
        }
        if (!inTodo)
            continue;
        accumulator += line;
        accumulator += QLatin1String("\r\n");
        if (marker && !begin && component == QLatin1String("VTODO")) {
            if (!task.uid.isEmpty()) {
                task.raw_icalendar = accumulator;
                result.append(task);
            }
            inTodo = false;
            continue;
        }
        if (marker) {
            if (begin) {
                nested.append(component);
                if (nested.size() == 1 && component == QLatin1String("VALARM")) {
                    alarmAction.clear();
                    alarmMinutes = -1;
                }
            } else if (!nested.isEmpty()) {
                const QString closed = nested.takeLast();
                if (nested.isEmpty() && closed == QLatin1String("VALARM") && alarmMinutes >= 0) {
                    Reminder reminder;
                    reminder.minutes_before = alarmMinutes;
                    reminder.action = alarmAction.isEmpty() ? QStringLiteral("display") : alarmAction;
                    task.reminders.append(reminder);
                }
            }
            continue;
        }

        const ContentLine content = splitContentLine(line);
        if (nested.isEmpty()) {
            applyTodoProperty(task, content, context);
        } else if (nested.size() == 1 && nested.first() == QLatin1String("VALARM")) {
            if (content.name == QLatin1String("ACTION")) {
                alarmAction = content.value.toLower();
            } else if (content.name == QLatin1String("TRIGGER")) {
                QString trigger = content.value.trimmed();
                if (trigger.startsWith(QLatin1Char('-')) || trigger.startsWith(QLatin1Char('+')))
                    trigger.remove(0, 1);
                // A trigger too far off to be a duration gives no reminder.
                bool readable = false;
                const qint64 seconds = IcsText::signedDuration(trigger, &readable);
                alarmMinutes = readable && trigger.startsWith(QLatin1Char('P')) ? int(seconds / 60) : -1;
            }
        }
    }
    return result;
}

} // namespace IcsCodec
