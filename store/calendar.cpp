#include "store/calendar.h"

#include "store/recorddebug.h"

#include <tuple>

namespace {

auto fields(const Calendar &r)
{
    return std::tie(r.id, r.account_id, r.url, r.name, r.description, r.color, r.timezone,
                    r.is_visible, r.is_read_only, r.is_default, r.ctag, r.sync_token,
                    r.delta_sync_token, r.supported_components, r.allow_tasks_override,
                    r.sort_order, r.canonical_key, r.sync_enabled, r.is_shared, r.shared_with_me,
                    r.last_sync_error, r.created_at, r.updated_at);
}

} // namespace

bool operator==(const Calendar &a, const Calendar &b)
{
    return fields(a) == fields(b);
}

QDebug operator<<(QDebug debug, const Calendar &r)
{
    const QDebugStateSaver saver(debug);
    RecordDebug(debug, "Calendar")
        .field("id", r.id)
        .field("account_id", r.account_id)
        .field("url", r.url)
        .field("name", r.name)
        .field("description", r.description)
        .field("color", r.color)
        .field("timezone", r.timezone)
        .field("is_visible", r.is_visible)
        .field("is_read_only", r.is_read_only)
        .field("is_default", r.is_default)
        .field("ctag", r.ctag)
        .field("sync_token", r.sync_token)
        .field("delta_sync_token", r.delta_sync_token)
        .field("supported_components", r.supported_components)
        .field("allow_tasks_override", r.allow_tasks_override)
        .field("sort_order", r.sort_order)
        .field("canonical_key", r.canonical_key)
        .field("sync_enabled", r.sync_enabled)
        .field("is_shared", r.is_shared)
        .field("shared_with_me", r.shared_with_me)
        .field("last_sync_error", r.last_sync_error)
        .field("created_at", r.created_at)
        .field("updated_at", r.updated_at);
    return debug;
}
