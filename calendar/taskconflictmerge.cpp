#include "calendar/taskconflictmerge.h"

#include <QStringList>

#include <algorithm>

namespace TaskConflictMerge {

namespace {

QStringList reminderKeys(const Task &task)
{
    QStringList keys;
    for (const Reminder &r : task.reminders)
        keys.append(QString::number(r.minutes_before) + QChar(0x1f) + r.action.toLower());
    std::sort(keys.begin(), keys.end());
    return keys;
}

// Takes the server's value where the local one is still the base's.
template <typename Field>
void takeUnchanged(Task &out, const Task &base, const Task &server, Field field)
{
    if (out.*field == base.*field)
        out.*field = server.*field;
}

} // namespace

Task merged(const Task &base, const Task &local, const Task &server)
{
    Task out = local;
    takeUnchanged(out, base, server, &Task::title);
    takeUnchanged(out, base, server, &Task::description);
    takeUnchanged(out, base, server, &Task::priority);
    takeUnchanged(out, base, server, &Task::categories);
    takeUnchanged(out, base, server, &Task::parent_task_uid);
    takeUnchanged(out, base, server, &Task::recurrence_rule);
    takeUnchanged(out, base, server, &Task::repeat_mode);
    takeUnchanged(out, base, server, &Task::item_type);
    takeUnchanged(out, base, server, &Task::sort_order);
    // Completion is one change: status, percentage and completion time.
    if (local.status == base.status && local.percent_complete == base.percent_complete
        && local.completed_date == base.completed_date) {
        out.status = server.status;
        out.percent_complete = server.percent_complete;
        out.completed_date = server.completed_date;
    }
    if (local.due_date == base.due_date && local.due_is_date_only == base.due_is_date_only) {
        out.due_date = server.due_date;
        out.due_is_date_only = server.due_is_date_only;
    }
    if (local.start_date == base.start_date && local.start_is_date_only == base.start_is_date_only) {
        out.start_date = server.start_date;
        out.start_is_date_only = server.start_is_date_only;
    }
    // Unchanged reminders keep their rows, and so what was acknowledged.
    if (reminderKeys(local) == reminderKeys(base) && reminderKeys(server) != reminderKeys(local)) {
        out.reminders = server.reminders;
        for (Reminder &reminder : out.reminders) {
            reminder.id.clear();
            reminder.event_id.clear();
            reminder.task_id = local.id;
        }
    }
    out.sequence = std::max(local.sequence, server.sequence);
    return out;
}

} // namespace TaskConflictMerge
