#include "store/attendee.h"

#include "store/recorddebug.h"

#include <tuple>

namespace {

auto fields(const Attendee &r)
{
    return std::tie(r.id, r.event_id, r.email, r.name, r.role, r.status, r.type, r.rsvp);
}

} // namespace

bool operator==(const Attendee &a, const Attendee &b)
{
    return fields(a) == fields(b);
}

QDebug operator<<(QDebug debug, const Attendee &r)
{
    const QDebugStateSaver saver(debug);
    RecordDebug(debug, "Attendee")
        .field("id", r.id)
        .field("event_id", r.event_id)
        .field("email", r.email)
        .field("name", r.name)
        .field("role", r.role)
        .field("status", r.status)
        .field("type", r.type)
        .field("rsvp", r.rsvp);
    return debug;
}
