#include "sync/core/calendarsyncclient.h"

namespace Sync {

// Out of line, so the class has one home for its virtual table.
CalendarSyncClient::~CalendarSyncClient() = default;

bool CalendarSyncClient::isSyncing(const QString &calendarId) const
{
    Q_UNUSED(calendarId)
    return false;
}

} // namespace Sync
