#include "ui/sync/syncaccounts.h"

#include <QStringList>

#include "store/account.h"
#include "store/calendar.h"

namespace SyncAccounts {

bool isCalDav(const QString &type)
{
    return type == QLatin1String("caldav") || type == QLatin1String("icloud") || type == QLatin1String("zoho");
}

bool isSyncedType(const QString &type)
{
    static const QStringList others = {QStringLiteral("google"), QStringLiteral("microsoft"),
                                       QStringLiteral("webcal"), QStringLiteral("tindlebrook")};
    return isCalDav(type) || others.contains(type);
}

bool isStampedBySync(const Account &account)
{
    return account.enabled && account.type != QLatin1String("webcal")
        && account.type != QLatin1String("tindlebrook");
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
