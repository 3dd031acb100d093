#pragma once

#include "store/task.h"

#include <QDate>
#include <QList>
#include <QString>

// The reminders pane's sections of open reminders, by the due day.
namespace ReminderSections {

struct Sections
{
    QList<Task> overdue;
    QList<Task> today;
    QList<Task> upcoming;
    // In the order given.
    QList<Task> noDate;
};

// Overdue, today and upcoming sort by due time, earliest first.
Sections split(const QList<Task> &openReminders, const QDate &today);

// Completed reminders, the most recently completed first (last change when
// no completion time is stored).
QList<Task> sortCompleted(QList<Task> completed);

} // namespace ReminderSections
