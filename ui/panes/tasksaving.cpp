#include "ui/panes/tasksaving.h"

#include "calendar/icscodec.h"
#include "store/taskrepository.h"

namespace TaskSaving {

bool save(TaskRepository *tasks, Task changed)
{
    changed.sequence += 1;
    changed.sync_status = SyncStatus::Pending;
    changed.raw_icalendar = IcsCodec::buildTodo(changed);
    return tasks->update(changed);
}

} // namespace TaskSaving
