#include "calendar/taskmarks.h"

#include <QCoreApplication>
#include <QLocale>

#include "calendar/tasktree.h"

QColor priorityColor(int priority)
{
    if (priority < 1)
        return QColor();
    if (priority <= 3)
        return QColor(QStringLiteral("#ef4444"));
    if (priority <= 6)
        return QColor(QStringLiteral("#f59e0b"));
    return QColor(QStringLiteral("#3b82f6"));
}

const char *priorityLevelKey(int priority)
{
    if (priority <= 3)
        return QT_TRANSLATE_NOOP("TaskMarks", "High");
    if (priority <= 6)
        return QT_TRANSLATE_NOOP("TaskMarks", "Medium");
    return QT_TRANSLATE_NOOP("TaskMarks", "Low");
}

QString formatRelativeDueDate(const QDateTime &value)
{
    return formatRelativeDay(value.toLocalTime().date());
}

QString formatRelativeDay(const QDate &day)
{
    const QDate today = QDate::currentDate();
    if (day == today)
        return QCoreApplication::translate("TaskMarks", "Today");
    if (day == today.addDays(1))
        return QCoreApplication::translate("TaskMarks", "Tomorrow");
    if (day == today.addDays(-1))
        return QCoreApplication::translate("TaskMarks", "Yesterday");
    return QLocale().toString(day, QStringLiteral("MMM d, yyyy"));
}

namespace TaskDates {

QDate dayOf(const QDateTime &value, bool dateOnly)
{
    if (!value.isValid())
        return QDate();
    return dateOnly ? value.date() : value.toLocalTime().date();
}

QDate dueDay(const Task &task)
{
    return task.due_date ? dayOf(*task.due_date, task.due_is_date_only) : QDate();
}

QDate startDay(const Task &task)
{
    return task.start_date ? dayOf(*task.start_date, task.start_is_date_only) : QDate();
}

bool isOverdue(const Task &task, const QDate &today)
{
    const QDate due = dueDay(task);
    return due.isValid() && due < today && !isTaskCompleted(task) && task.status != TaskStatus::Cancelled;
}

} // namespace TaskDates
