#include "app/quickadd.h"

#include <QDateTime>
#include <QUuid>

#include "app/appstate.h"
#include "app/calendarchoice.h"
#include "app/edits/eventeditor.h"
#include "app/edits/eventstamp.h"
#include "app/edits/taskeditor.h"
#include "calendar/icscodec.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"

namespace QuickAdd {

namespace {

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString titleOf(const NLParser::ParseResult &parsed, const QString &text)
{
    return parsed.title.isEmpty() ? text.trimmed() : parsed.title;
}

// The next :00 or :30 after `now`, strictly later.
QDateTime nextHalfHour(const QDateTime &now)
{
    const QDateTime minute = now.addMSecs(-(qint64(now.time().second()) * 1000 + now.time().msec()));
    return minute.addSecs(qint64(30 - minute.time().minute() % 30) * 60);
}

enum class TaskKind { Reminder, Task };

Task buildTaskOfKind(AppState *state, const QString &text, const NLParser::ParseResult &parsed,
                     const QString &requestedCalendarId, TaskKind kind)
{
    Task task;
    task.id = newId();
    task.uid = task.id;
    task.calendar_id = resolveCalendar(state, requestedCalendarId);
    task.title = titleOf(parsed, text);
    task.item_type = kind == TaskKind::Reminder ? QStringLiteral("reminder") : QStringLiteral("task");
    task.status = TaskStatus::NeedsAction;
    task.categories = parsed.tags;

    if (parsed.hasTime) {
        task.due_date = parsed.start;
        task.due_is_date_only = false;
    } else if (parsed.allDay) {
        // A reminder for a day rings in the morning; a task is simply due
        // that day.
        const QTime time = kind == TaskKind::Reminder ? QTime(9, 0) : QTime(0, 0);
        task.due_date = QDateTime(parsed.start.date(), time, parsed.start.timeZone());
        task.due_is_date_only = kind == TaskKind::Task;
    }
    // A reminder rings when it is due; one stored already due ("today" after
    // nine, a time already gone) would ring at once or never. It rings at
    // the next half hour instead.
    const QDateTime now = QDateTime::currentDateTime();
    if (kind == TaskKind::Reminder && task.due_date && task.due_date->isValid() && *task.due_date <= now)
        task.due_date = nextHalfHour(now);
    if (kind == TaskKind::Reminder && task.due_date) {
        Reminder reminder;
        reminder.task_id = task.id;
        reminder.minutes_before = 0;
        reminder.action = QStringLiteral("display");
        reminder.acknowledged = false;
        task.reminders.append(reminder);
    }
    task.created = QDateTime::currentDateTimeUtc();
    task.last_modified = task.created;
    task.sequence = 0;
    task.sync_status = SyncStatus::Pending;
    task.raw_icalendar = IcsCodec::buildTodo(task);
    return task;
}

} // namespace

Result addLine(AppState *state, const QString &text, const QString &requestedCalendarId)
{
    using Outcome = Result::Outcome;
    const NLParser::ParseResult parsed = NLParser::parse(text, QDateTime::currentDateTime());
    if (parsed.isReminder || parsed.isTask) {
        const Task task = parsed.isReminder ? buildReminder(state, text, parsed, requestedCalendarId)
                                            : buildTask(state, text, parsed, requestedCalendarId);
        // A line naming an impossible date or hour ("feb 30", "at 25") has
        // no usable time; storing it would leave an item without one.
        const bool badDue = task.due_date && !task.due_date->isValid();
        if (task.title.isEmpty() || badDue)
            return {Outcome::NotUnderstood, QString()};
        if (task.calendar_id.isEmpty() || !TaskEditor(state->tasks(), state->calendars()).create(task))
            return {Outcome::NotSaved, QString()};
        return {Outcome::Stored, task.id};
    }
    const Event event = buildEvent(state, text, requestedCalendarId, false);
    const bool badTimes = !event.start_time.isValid() || (event.end_time && !event.end_time->isValid());
    if (event.title.isEmpty() || badTimes)
        return {Outcome::NotUnderstood, QString()};
    Event stored;
    if (event.calendar_id.isEmpty() || !state->eventEditor().addNew(event, &stored))
        return {Outcome::NotSaved, QString()};
    return {Outcome::Stored, stored.id};
}

QString add(AppState *state, const QString &text, const QString &requestedCalendarId)
{
    return addLine(state, text, requestedCalendarId).id;
}

Task buildReminder(AppState *state, const QString &text, const NLParser::ParseResult &parsed,
                   const QString &requestedCalendarId)
{
    return buildTaskOfKind(state, text, parsed, requestedCalendarId, TaskKind::Reminder);
}

Task buildTask(AppState *state, const QString &text, const NLParser::ParseResult &parsed,
               const QString &requestedCalendarId)
{
    return buildTaskOfKind(state, text, parsed, requestedCalendarId, TaskKind::Task);
}

Event buildEvent(AppState *state, const QString &text, const QString &requestedCalendarId, bool withIdentity)
{
    Event event;
    if (text.trimmed().isEmpty())
        return event;
    const NLParser::ParseResult parsed = NLParser::parse(text, QDateTime::currentDateTime());
    event.title = titleOf(parsed, text);
    event.start_time = parsed.start;
    event.end_time = parsed.end;
    event.is_all_day = parsed.allDay;
    event.timezone = QStringLiteral("UTC");
    event.calendar_id = resolveCalendar(state, requestedCalendarId);
    event.status = QStringLiteral("confirmed");
    if (withIdentity) {
        event.id = newId();
        event.uid = event.id;
        EventStamp::created(event);
    }
    return event;
}

QString resolveCalendar(AppState *state, const QString &requestedCalendarId)
{
    CalendarRepository *calendars = state ? state->calendars() : nullptr;
    if (!calendars)
        return QString();
    // A line never lands in a calendar the user may not write to.
    if (!requestedCalendarId.isEmpty()) {
        const std::optional<Calendar> requested = calendars->getById(requestedCalendarId);
        if (requested && isWritableCalendar(*requested))
            return requestedCalendarId;
    }
    QString firstVisible;
    QString first;
    for (const Calendar &calendar : calendars->getAll()) {
        if (!isWritableCalendar(calendar))
            continue;
        if (calendar.is_default)
            return calendar.id;
        if (firstVisible.isEmpty() && calendar.is_visible)
            firstVisible = calendar.id;
        if (first.isEmpty())
            first = calendar.id;
    }
    return firstVisible.isEmpty() ? first : firstVisible;
}

} // namespace QuickAdd
