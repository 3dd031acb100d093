#pragma once

#include <QList>

#include "store/calendar.h"
#include "sync/core/syncrepositories.h"
#include "sync/google/googlelistedevent.h"
#include "sync/oauth/pullapplyresult.h"

#include <atomic>

namespace Google {

using PullApplyResult = OAuth::PullApplyResult;

// Applies Google's listing of one calendar to the store in one transaction,
// with the event repository's signals held back: new and changed events are
// written, cancelled ones removed, rows with unpushed local changes kept. A
// cancelled occurrence of a series becomes an exclusion of that series, so
// it does not come back with the series' next change; a changed occurrence
// of a series moved from here to another calendar goes to the series' copy
// too (MovedCopy::leaveWithMovedSeries). When every row was
// saved, the listing's next sync token is stored in the same transaction.
// Runs on a pull worker's connection or on the program's (see
// PullApplyQueue); the caller announces the result. A cancelled apply
// writes nothing.
PullApplyResult applyEventsPage(const Sync::Repositories &store, const Calendar &calendar,
                                const QList<QList<ListedEvent>> &pages, const QString &nextSyncToken,
                                const std::atomic_bool &cancelled);

// Stores the calendar's next sync token over its stored row.
void storeSyncToken(const Sync::Repositories &store, const Calendar &calendar, const QString &nextSyncToken);

} // namespace Google
