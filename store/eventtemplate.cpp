#include "store/eventtemplate.h"

#include "store/recorddebug.h"

#include <tuple>

namespace {

auto fields(const EventTemplate &r)
{
    return std::tie(r.id, r.name, r.title, r.description, r.location, r.color, r.is_all_day,
                    r.duration_minutes, r.recurrence_rule, r.calendar_id, r.reminders, r.sort_order,
                    r.created_at, r.updated_at, r.deleted_at);
}

} // namespace

bool operator==(const EventTemplate &a, const EventTemplate &b)
{
    return fields(a) == fields(b);
}

QDebug operator<<(QDebug debug, const EventTemplate &r)
{
    const QDebugStateSaver saver(debug);
    RecordDebug(debug, "EventTemplate")
        .field("id", r.id)
        .field("name", r.name)
        .field("title", r.title)
        .field("description", r.description)
        .field("location", r.location)
        .field("color", r.color)
        .field("is_all_day", r.is_all_day)
        .field("duration_minutes", r.duration_minutes)
        .field("recurrence_rule", r.recurrence_rule)
        .field("calendar_id", r.calendar_id)
        .field("reminders", r.reminders)
        .field("sort_order", r.sort_order)
        .field("created_at", r.created_at)
        .field("updated_at", r.updated_at)
        .field("deleted_at", r.deleted_at);
    return debug;
}
