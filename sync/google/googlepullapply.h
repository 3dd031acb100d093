#pragma once

#include <QJsonObject>
#include <QList>

#include "store/calendar.h"
#include "sync/core/syncrepositories.h"

namespace Google {

// What one applied listing did to the store.
struct PullApplyResult
{
    int upserted = 0;
    int deleted = 0;
    // Known rows whose etag had not changed: nothing written.
    int unchanged = 0;
    // Rows with local changes not yet pushed: left alone.
    int skippedPending = 0;
    int failed = 0;

    int rowsWritten() const { return upserted + deleted; }
};

bool operator==(const PullApplyResult &a, const PullApplyResult &b);
QDebug operator<<(QDebug debug, const PullApplyResult &result);

// Applies Google's listing of one calendar to the store in one transaction,
// with the event repository's signals held back: new and changed events are
// written, cancelled ones removed, rows with unpushed local changes kept. A
// cancelled occurrence of a series becomes an exclusion of that series, so
// it does not come back with the series' next change.
PullApplyResult applyEventsPage(const Sync::Repositories &store, const Calendar &calendar,
                                const QList<QJsonObject> &items);

} // namespace Google
