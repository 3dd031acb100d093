#pragma once

#include "store/event.h"
#include "store/preferencekeys.h"
#include "store/task.h"

#include <QDateTime>
#include <QString>

#include <optional>

// What a task dropped on the calendar becomes, decided on the records alone;
// the widgets that ask the user and store the result are in views/common.
namespace TaskDrop {

inline constexpr const char *ActionSettingKey = PreferenceKeys::TaskDropAction;

enum class Action { Ask, CreateEvent, SetStartDate, SetDueDate };
enum class TaskDate { Start, Due };

// "event", "start" and "due", compared exactly; anything else, and no
// setting, asks.
Action actionFor(const std::optional<QString> &setting);

// The drop's value: the day at local midnight for an all-day drop, else the
// drop time itself.
QDateTime dropValue(const QDateTime &at, bool allDay);

// A new event made from the task: one hour at the drop time, or the whole
// day, in the task's calendar, with its title, notes and colour, and linked
// to it by uid. It has no id yet; the event form stores it as new.
Event eventFromTask(const Task &task, const QDateTime &at, bool allDay);

// The task with its start or due date set to the drop. Nothing else
// changes: the task editor stamps the change when it stores it.
Task withDropDate(Task task, TaskDate which, const QDateTime &at, bool allDay);

} // namespace TaskDrop
