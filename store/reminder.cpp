#include "store/reminder.h"

#include "store/recorddebug.h"

#include <tuple>

namespace {

auto fields(const Reminder &r)
{
    return std::tie(r.id, r.event_id, r.task_id, r.minutes_before, r.action, r.acknowledged,
                    r.trigger_time);
}

} // namespace

bool operator==(const Reminder &a, const Reminder &b)
{
    return fields(a) == fields(b);
}

QDebug operator<<(QDebug debug, const Reminder &r)
{
    const QDebugStateSaver saver(debug);
    RecordDebug(debug, "Reminder")
        .field("id", r.id)
        .field("event_id", r.event_id)
        .field("task_id", r.task_id)
        .field("minutes_before", r.minutes_before)
        .field("action", r.action)
        .field("acknowledged", r.acknowledged)
        .field("trigger_time", r.trigger_time);
    return debug;
}
