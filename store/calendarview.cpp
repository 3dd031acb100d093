#include "store/calendarview.h"

#include "store/recorddebug.h"

#include <tuple>

namespace {

auto fields(const CalendarView &r)
{
    return std::tie(r.id, r.name, r.color, r.calendar_ids, r.is_default, r.sort_order,
                    r.sync_status, r.created_at, r.updated_at, r.deleted_at);
}

} // namespace

bool operator==(const CalendarView &a, const CalendarView &b)
{
    return fields(a) == fields(b);
}

QDebug operator<<(QDebug debug, const CalendarView &r)
{
    const QDebugStateSaver saver(debug);
    RecordDebug(debug, "CalendarView")
        .field("id", r.id)
        .field("name", r.name)
        .field("color", r.color)
        .field("calendar_ids", r.calendar_ids)
        .field("is_default", r.is_default)
        .field("sort_order", r.sort_order)
        .field("sync_status", r.sync_status)
        .field("created_at", r.created_at)
        .field("updated_at", r.updated_at)
        .field("deleted_at", r.deleted_at);
    return debug;
}
