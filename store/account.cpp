#include "store/account.h"

#include "store/recorddebug.h"

#include <tuple>

namespace {

auto fields(const Account &r)
{
    return std::tie(r.id, r.name, r.type, r.unknown_type, r.server_url, r.username, r.calendar_home_set,
                    r.principal_url, r.sync_interval_minutes, r.last_sync_time, r.last_sync_error,
                    r.enabled, r.color, r.exclude_from_sync, r.trusted_cert_sha256,
                    r.pending_cert_sha256, r.created_at, r.updated_at, r.deleted_at);
}

} // namespace

QString typeText(const Account &account)
{
    return account.type == AccountType::Unknown ? account.unknown_type : toText(account.type);
}

void setTypeText(Account &account, const QString &text)
{
    account.type = accountTypeFromText(text);
    account.unknown_type = account.type == AccountType::Unknown ? text : QString();
}

bool operator==(const Account &a, const Account &b)
{
    return fields(a) == fields(b);
}

QDebug operator<<(QDebug debug, const Account &r)
{
    const QDebugStateSaver saver(debug);
    RecordDebug(debug, "Account")
        .field("id", r.id)
        .field("name", r.name)
        .field("type", r.type)
        .field("unknown_type", r.unknown_type)
        .field("server_url", r.server_url)
        .field("username", r.username)
        .field("calendar_home_set", r.calendar_home_set)
        .field("principal_url", r.principal_url)
        .field("sync_interval_minutes", r.sync_interval_minutes)
        .field("last_sync_time", r.last_sync_time)
        .field("last_sync_error", r.last_sync_error)
        .field("enabled", r.enabled)
        .field("color", r.color)
        .field("exclude_from_sync", r.exclude_from_sync)
        .field("trusted_cert_sha256", r.trusted_cert_sha256)
        .field("pending_cert_sha256", r.pending_cert_sha256)
        .field("created_at", r.created_at)
        .field("updated_at", r.updated_at)
        .field("deleted_at", r.deleted_at);
    return debug;
}
