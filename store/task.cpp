#include "store/task.h"

#include "store/recorddebug.h"

#include <tuple>

namespace {

auto fields(const Task &r)
{
    return std::tie(r.id, r.calendar_id, r.uid, r.etag, r.href, r.title, r.description, r.status,
                    r.priority, r.percent_complete, r.due_date, r.start_date, r.due_is_date_only,
                    r.start_is_date_only, r.completed_date, r.categories, r.parent_task_uid,
                    r.sort_order, r.color, r.recurrence_rule, r.repeat_mode, r.item_type,
                    r.sequence, r.raw_icalendar, r.created, r.last_modified, r.sync_status,
                    r.deleted_at, r.reminders);
}

} // namespace

bool operator==(const Task &a, const Task &b)
{
    return fields(a) == fields(b);
}

void claimChildRows(Task &task)
{
    for (Reminder &reminder : task.reminders) {
        reminder.id.clear();
        reminder.event_id.clear();
        reminder.task_id = task.id;
    }
}

QDebug operator<<(QDebug debug, const Task &r)
{
    const QDebugStateSaver saver(debug);
    RecordDebug(debug, "Task")
        .field("id", r.id)
        .field("calendar_id", r.calendar_id)
        .field("uid", r.uid)
        .field("etag", r.etag)
        .field("href", r.href)
        .field("title", r.title)
        .field("description", r.description)
        .field("status", r.status)
        .field("priority", r.priority)
        .field("percent_complete", r.percent_complete)
        .field("due_date", r.due_date)
        .field("start_date", r.start_date)
        .field("due_is_date_only", r.due_is_date_only)
        .field("start_is_date_only", r.start_is_date_only)
        .field("completed_date", r.completed_date)
        .field("categories", r.categories)
        .field("parent_task_uid", r.parent_task_uid)
        .field("sort_order", r.sort_order)
        .field("color", r.color)
        .field("recurrence_rule", r.recurrence_rule)
        .field("repeat_mode", r.repeat_mode)
        .field("item_type", r.item_type)
        .field("sequence", r.sequence)
        .field("raw_icalendar", r.raw_icalendar)
        .field("created", r.created)
        .field("last_modified", r.last_modified)
        .field("sync_status", r.sync_status)
        .field("deleted_at", r.deleted_at)
        .field("reminders", r.reminders);
    return debug;
}
