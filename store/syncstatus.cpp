#include "store/syncstatus.h"

QString toText(SyncStatus status)
{
    return status == SyncStatus::Pending ? QStringLiteral("pending") : QStringLiteral("synced");
}

SyncStatus syncStatusFromText(QStringView text)
{
    return text == u"pending" ? SyncStatus::Pending : SyncStatus::Synced;
}

QDebug operator<<(QDebug debug, SyncStatus status)
{
    return debug << toText(status);
}
