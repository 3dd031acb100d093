#include "store/filterrule.h"

#include "store/recorddebug.h"

#include <tuple>

namespace {

auto fields(const FilterRule &r)
{
    return std::tie(r.id, r.name, r.type, r.enabled, r.calendar_ids, r.conditions, r.action,
                    r.priority, r.event_uid, r.event_calendar_id, r.suppress_reminders,
                    r.sync_status, r.created_at, r.updated_at, r.deleted_at);
}

} // namespace

bool operator==(const FilterRule &a, const FilterRule &b)
{
    return fields(a) == fields(b);
}

QDebug operator<<(QDebug debug, const FilterRule &r)
{
    const QDebugStateSaver saver(debug);
    RecordDebug(debug, "FilterRule")
        .field("id", r.id)
        .field("name", r.name)
        .field("type", r.type)
        .field("enabled", r.enabled)
        .field("calendar_ids", r.calendar_ids)
        .field("conditions", r.conditions)
        .field("action", r.action)
        .field("priority", r.priority)
        .field("event_uid", r.event_uid)
        .field("event_calendar_id", r.event_calendar_id)
        .field("suppress_reminders", r.suppress_reminders)
        .field("sync_status", r.sync_status)
        .field("created_at", r.created_at)
        .field("updated_at", r.updated_at)
        .field("deleted_at", r.deleted_at);
    return debug;
}
