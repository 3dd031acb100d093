#pragma once

#include "store/task.h"

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

// What the task lists and the task card show of a task's dates and
// priority, shared so that every list reads them the same way.

// Below 1 an invalid colour; 1 to 3 red, 4 to 6 amber, 7 and above blue.
QColor priorityColor(int priority);
// "High", "Medium" or "Low" for a priority of at least 1 (untranslated key;
// callers translate it in their own context).
const char *priorityLevelKey(int priority);
// "Today", "Tomorrow", "Yesterday" or "MMM d, yyyy" of the local date.
QString formatRelativeDueDate(const QDateTime &value);
// The same for a day already taken from a task (see TaskDates::dayOf).
QString formatRelativeDay(const QDate &day);

namespace TaskDates {

// The day a task date falls on: a date-only value is its stored date as it
// is, a timed one its local date.
QDate dayOf(const QDateTime &value, bool dateOnly);
QDate dueDay(const Task &task);
QDate startDay(const Task &task);
// Open, not cancelled, and due before today.
bool isOverdue(const Task &task, const QDate &today);

} // namespace TaskDates
