#pragma once

#include <QDebug>
#include <QJsonArray>

#include "store/calendar.h"
#include "sync/core/syncrepositories.h"

namespace Sync {
class ConflictResolutionService;
}

namespace Tindlebrook {

// What one applied pull of a cloud calendar did to the store.
struct PullApplyResult
{
    int upserted = 0;
    int deleted = 0;
    // Rows with unpushed local changes, left alone (conflicts included).
    int keptPending = 0;
    int conflicts = 0;
    // Writes the store refused; the cursor must not move past them.
    int failed = 0;

    int rowsWritten() const { return upserted + deleted; }
};

bool operator==(const PullApplyResult &a, const PullApplyResult &b);
QDebug operator<<(QDebug debug, const PullApplyResult &result);

// Applies the service's changed events of one calendar in one transaction,
// with the event repository's signals held back until the end: new and
// changed events are written from their iCalendar text, deleted ones are
// removed, rows with unpushed local changes are kept (and a conflict is
// recorded when the server's copy changed too). Events are matched by uid
// and recurrence id, so a series and its moved occurrences stay apart.
PullApplyResult applyPulledEvents(const Sync::Repositories &store, Sync::ConflictResolutionService *conflicts,
                                  const Calendar &calendar, const QJsonArray &events);

} // namespace Tindlebrook
