#pragma once

#include "store/task.h"

class TaskRepository;

// Every change the panes make to a task: one more sequence, pending for
// upload, and iCalendar text written from the changed record.
namespace TaskSaving {

bool save(TaskRepository *tasks, Task changed);

} // namespace TaskSaving
