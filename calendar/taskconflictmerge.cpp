#include "calendar/taskconflictmerge.h"

#include "calendar/conflictmergesteps.h"

namespace TaskConflictMerge {

Task merged(const Task &base, const Task &local, const Task &server)
{
    Task out = local;
    ConflictMergeSteps::takeUnchanged(out, base, server, &Task::title, &Task::description, &Task::priority,
                                      &Task::categories, &Task::parent_task_uid, &Task::recurrence_rule,
                                      &Task::repeat_mode, &Task::item_type, &Task::sort_order);
    // Completion is one change: status, percentage and completion time.
    ConflictMergeSteps::takeUnchangedTogether(out, base, local, server, &Task::status, &Task::percent_complete,
                                              &Task::completed_date);
    ConflictMergeSteps::takeUnchangedTogether(out, base, local, server, &Task::due_date, &Task::due_is_date_only);
    ConflictMergeSteps::takeUnchangedTogether(out, base, local, server, &Task::start_date,
                                              &Task::start_is_date_only);
    if (ConflictMergeSteps::takeChangedReminders(out, base, local, server)) {
        for (Reminder &reminder : out.reminders) {
            reminder.id.clear();
            reminder.event_id.clear();
            reminder.task_id = local.id;
        }
    }
    ConflictMergeSteps::keepHigherSequence(out, local, server);
    return out;
}

} // namespace TaskConflictMerge
