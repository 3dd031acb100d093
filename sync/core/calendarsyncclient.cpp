#include "sync/core/calendarsyncclient.h"

namespace Sync {

// Out of line, so the class has one home for its virtual table.
CalendarSyncClient::~CalendarSyncClient() = default;

} // namespace Sync
