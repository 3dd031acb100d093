#include "calendar/icscodec.h"

#include "calendar/icscalendarcontext.h"
#include "calendar/icscommonproperty.h"
#include "calendar/icscomponentwalk.h"
#include "calendar/icslinereader.h"
#include "calendar/icstext.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace IcsCodec {

namespace {

bool relTypeIsParent(const ContentLine &line)
{
    const QString relType = unquoteParam(line.params.value(QStringLiteral("RELTYPE"), QStringLiteral("PARENT")));
    return relType.compare(QLatin1String("PARENT"), Qt::CaseInsensitive) == 0;
}

// "Work\,Home" is one category: split only at unescaped commas. The
// property may repeat, some clients write one category a line: every line
// adds its own, each category once, in the order first read. `seen` holds
// the task's categories so far, so that a task of many reads in linear time.
void addCategories(Task &task, QSet<QString> &seen, const QString &value)
{
    for (const QString &item : IcsText::splitEscapedList(value)) {
        const QString category = unescapeText(item.trimmed());
        if (category.isEmpty() || seen.contains(category))
            continue;
        seen.insert(category);
        task.categories.append(category);
    }
}

void applyTodoProperty(Task &task, QSet<QString> &categories, const ContentLine &line,
                       const IcsCalendarContext &context)
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
        addCategories(task, categories, value);
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

// What a VTODO says beyond the record's fields: whether it changes one
// occurrence of a series, and the DURATION that stands for its DUE.
struct TodoDraft
{
    bool isOverride = false;
    // The categories read so far.
    QSet<QString> categories;
    bool hasDuration = false;
    // Weeks and days (nominal), and the exact rest.
    qint64 durationDays = 0;
    qint64 durationSeconds = 0;
};

void applyDraftProperty(TodoDraft &draft, const ContentLine &line)
{
    if (line.name == QLatin1String("RECURRENCE-ID")) {
        draft.isOverride = true;
    } else if (line.name == QLatin1String("DURATION")) {
        // Unreadable, negative or past the bound: no due date comes of it.
        bool readable = false;
        const qint64 seconds = IcsText::signedDuration(line.value, &readable);
        draft.hasDuration = readable && seconds >= 0
                            && IcsText::durationParts(line.value, &draft.durationDays, &draft.durationSeconds);
        if (!draft.hasDuration)
            draft.durationDays = draft.durationSeconds = 0;
    }
}

// A to-do given DTSTART and DURATION is due when the duration ends; a DUE
// wins, as an event's DTEND wins over its DURATION. Its days are calendar
// days of the start's zone (RFC 5545 3.3.6), so a day across a change to
// summer time has 23 hours. The duration is bounded, so the sum cannot
// overflow.
void applyDuration(Task &task, const TodoDraft &draft)
{
    if (task.due_date || !draft.hasDuration || !task.start_date || !task.start_date->isValid())
        return;
    task.due_is_date_only = task.start_is_date_only && draft.durationSeconds == 0;
    task.due_date = IcsText::afterDuration(*task.start_date, draft.durationDays, draft.durationSeconds);
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

// One VTODO with a UID as read: its record (raw_icalendar its own text),
// whether it changes one occurrence of a series, and the zones it names.
struct ReadTodo
{
    Task task;
    bool isOverride = false;
    QStringList zoneIds;
};

// Every VTODO with a UID, in text order.
QList<ReadTodo> readTodos(const QString &text, const IcsCalendarContext &context)
{
    QList<ReadTodo> result;
    Task task;
    TodoDraft draft;
    QStringList zoneIds;
    QString alarmAction;
    int alarmMinutes = -1;

    IcsComponentWalk::Steps steps;
    steps.begin = [&] {
        task = Task();
        draft = TodoDraft();
        zoneIds.clear();
        alarmAction.clear();
        alarmMinutes = -1;
    };
    steps.property = [&](const ContentLine &line, IcsComponentWalk::Level level) {
        IcsCalendarContext::noteZone(zoneIds, line);
        if (level == IcsComponentWalk::Level::Own) {
            applyDraftProperty(draft, line);
            applyTodoProperty(task, draft.categories, line, context);
        } else if (level == IcsComponentWalk::Level::Alarm) {
            applyAlarmProperty(line, &alarmAction, &alarmMinutes);
        }
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
        applyDuration(task, draft);
        task.raw_icalendar = own;
        result.append({task, draft.isOverride, zoneIds});
    };
    IcsComponentWalk::walk(text, QStringLiteral("VTODO"), steps);
    return result;
}

// The calendar's own lines (VERSION, PRODID, X-WR-CALNAME, …): those
// inside the VCALENDAR outside any component, each ended by CRLF.
QString calendarLines(const QString &text)
{
    QString lines;
    bool inCalendar = false;
    int depth = 0; // components open inside the VCALENDAR
    IcsLineReader reader(text);
    QString line;
    while (reader.next(&line)) {
        bool begin = false;
        QString component;
        if (!IcsText::componentMarker(line, &begin, &component)) {
            if (inCalendar && depth == 0 && !line.trimmed().isEmpty())
                lines += line + QLatin1String("\r\n");
        } else if (component == QLatin1String("VCALENDAR") && depth == 0) {
            inCalendar = begin;
        } else {
            depth = std::max(0, depth + (begin ? 1 : -1));
        }
    }
    return lines;
}

// One record's stored text: the calendar's lines (this program's own and
// the calendar's zone once the budget no longer pays for a copy of them),
// the zones its components name (IcsCalendarContext::zoneCopies), and its
// components.
QString resourceText(const QString &calendar, const QStringList &ids, const QStringList &components,
                     IcsCalendarContext &context)
{
    static const QString ownLines =
        QStringLiteral("VERSION:2.0\r\nPRODID:") + QLatin1String(ProductId) + QLatin1String("\r\n");
    const bool copied = !calendar.isEmpty() && context.spend(calendar.size());
    QString text = QStringLiteral("BEGIN:VCALENDAR\r\n");
    text += copied ? calendar : ownLines + context.zoneLine();
    text += context.zoneCopies(ids);
    for (const QString &component : components)
        text += component;
    text += QLatin1String("END:VCALENDAR\r\n");
    return text;
}

} // namespace

QList<Task> parseTodos(const QString &text)
{
    QList<Task> result;
    for (ReadTodo &todo : readTodos(text, IcsCalendarContext::read(text)))
        result.append(std::move(todo.task));
    return result;
}

QList<Task> parseTodoResource(const QString &text)
{
    IcsCalendarContext context = IcsCalendarContext::read(text);
    QList<Task> result;
    // For each record: whether it is its series' master, its UID's
    // components in text order and the zones they name.
    QList<bool> isMaster;
    QList<QStringList> components;
    QList<QStringList> zoneIds;
    QHash<QString, qsizetype> at;
    for (ReadTodo &todo : readTodos(text, context)) {
        const auto found = at.constFind(todo.task.uid);
        if (found == at.constEnd()) {
            at.insert(todo.task.uid, result.size());
            isMaster.append(!todo.isOverride);
            components.append(QStringList{todo.task.raw_icalendar});
            zoneIds.append(todo.zoneIds);
            result.append(std::move(todo.task));
            continue;
        }
        const qsizetype index = *found;
        components[index].append(todo.task.raw_icalendar);
        for (const QString &id : std::as_const(todo.zoneIds)) {
            if (!zoneIds.at(index).contains(id) && zoneIds.at(index).size() < IcsCalendarContext::MaxZonesPerItem)
                zoneIds[index].append(id);
        }
        if (!todo.isOverride && !isMaster.at(index)) {
            // The master after one of its occurrences stands for the series.
            result[index] = std::move(todo.task);
            isMaster[index] = true;
        }
    }
    // Each record keeps its own part of the text, not the whole: a resource
    // of many UIDs is stored about once, not once per UID.
    const QString calendar = calendarLines(text);
    for (qsizetype i = 0; i < result.size(); ++i)
        result[i].raw_icalendar = resourceText(calendar, zoneIds.at(i), components.at(i), context);
    return result;
}

} // namespace IcsCodec
