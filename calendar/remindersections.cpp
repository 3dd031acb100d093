#include "calendar/remindersections.h"

#include "calendar/taskmarks.h"

#include <algorithm>

namespace ReminderSections {

namespace {

bool dueBefore(const Task &a, const Task &b)
{
    if (a.due_date.has_value() != b.due_date.has_value())
        return a.due_date.has_value();
    if (a.due_date && *a.due_date != *b.due_date)
        return *a.due_date < *b.due_date;
    return QString::localeAwareCompare(a.title, b.title) < 0;
}

} // namespace

Sections split(const QList<Task> &openReminders, const QDate &today)
{
    Sections out;
    for (const Task &task : openReminders) {
        const QDate due = TaskDates::dueDay(task);
        if (!due.isValid())
            out.noDate.append(task);
        else if (due == today)
            out.today.append(task);
        else if (due > today)
            out.upcoming.append(task);
        else
            out.overdue.append(task);
    }
    for (QList<Task> *list : {&out.overdue, &out.today, &out.upcoming})
        std::stable_sort(list->begin(), list->end(), dueBefore);
    return out;
}

QList<Task> sortCompleted(QList<Task> completed)
{
    const auto key = [](const Task &task) { return task.completed_date ? *task.completed_date : task.last_modified; };
    std::stable_sort(completed.begin(), completed.end(),
                     [&key](const Task &a, const Task &b) { return key(a) > key(b); });
    return completed;
}

} // namespace ReminderSections
