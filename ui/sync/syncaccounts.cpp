#include "ui/sync/syncaccounts.h"

#include <QStringList>

#include "store/account.h"
#include "store/calendar.h"

namespace SyncAccounts {

bool isCalDav(AccountType type)
{
    return isCalDavFamily(type);
}

bool isSyncedType(AccountType type)
{
    return type != AccountType::Unknown;
}

bool isStampedBySync(const Account &account)
{
    return account.enabled && account.type != AccountType::Webcal
        && account.type != AccountType::Tindlebrook;
}

bool takesPeriodicSync(const Account &account)
{
    return isStampedBySync(account) && account.sync_interval_minutes >= 1;
}

bool syncsCalendar(const Calendar &calendar)
{
    return calendar.sync_enabled;
}

bool isDue(const Account &account, const QDateTime &now)
{
    if (!account.last_sync_time)
        return true;
    // 64-bit seconds: a huge stored interval cannot overflow.
    const qint64 interval = qint64(account.sync_interval_minutes) * 60;
    return account.last_sync_time->secsTo(now) >= interval;
}

} // namespace SyncAccounts
