#include "calendar/taskdropplan.h"

#include <QTime>

namespace TaskDrop {

Action actionFor(const std::optional<QString> &setting)
{
    if (!setting)
        return Action::Ask;
    if (*setting == QLatin1String("event"))
        return Action::CreateEvent;
    if (*setting == QLatin1String("start"))
        return Action::SetStartDate;
    if (*setting == QLatin1String("due"))
        return Action::SetDueDate;
    return Action::Ask;
}

QDateTime dropValue(const QDateTime &at, bool allDay)
{
    return allDay ? QDateTime(at.date(), QTime(0, 0)) : at;
}

Event eventFromTask(const Task &task, const QDateTime &at, bool allDay)
{
    Event event;
    event.title = task.title;
    event.description = task.description;
    event.is_all_day = allDay;
    if (allDay) {
        event.start_time = QDateTime(at.date(), QTime(0, 0));
        event.end_time = QDateTime(at.date().addDays(1), QTime(0, 0));
    } else {
        event.start_time = at;
        event.end_time = at.addSecs(3600);
    }
    event.calendar_id = task.calendar_id;
    if (!task.color.isEmpty())
        event.color = task.color;
    event.related_to_uid = task.uid;
    return event;
}

Task withDropDate(Task task, TaskDate which, const QDateTime &at, bool allDay)
{
    const QDateTime value = dropValue(at, allDay);
    if (which == TaskDate::Due) {
        task.due_date = value;
        task.due_is_date_only = allDay;
    } else {
        task.start_date = value;
        task.start_is_date_only = allDay;
    }
    return task;
}

} // namespace TaskDrop
