#pragma once

#include "store/task.h"

#include <QDateTime>
#include <QString>

// Moving a completed recurring task on to its next date.
namespace TaskRollForward {

// Moves the task's due date (or, without one, its start date) to the next
// date of its rule and counts a COUNT down by one, so the task repeats COUNT
// times in all. False, with the task unchanged, when there is nothing to
// move or the rule gives no further date within five years: the task is
// then completed for good. `now` is the anchor of a "fromCompletionDate"
// task.
bool apply(Task &task, const QDateTime &now);

// Completes the task or reopens it: a repeating task being completed moves
// on to its next date and stays open, unless its rule has no further date.
// Only the status, the completion fields and the dates change.
void setCompleted(Task &task, bool completed, const QDateTime &now);

// The rule with its COUNT lowered by one; other rules unchanged.
QString countedDown(const QString &rule);

} // namespace TaskRollForward
