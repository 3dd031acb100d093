#pragma once

#include <QString>

#include "sync/core/syncrepositories.h"

class QDebug;
class StoreTransaction;

namespace OAuth {

// What one applied pull did to the store.
struct PullApplyResult
{
    int upserted = 0;
    int deleted = 0;
    // Known rows whose version had not changed: nothing written.
    int unchanged = 0;
    // Rows with local changes not yet pushed: left alone.
    int skippedPending = 0;
    int failed = 0;

    int rowsWritten() const { return upserted + deleted; }
};

bool operator==(const PullApplyResult &a, const PullApplyResult &b);
QDebug operator<<(QDebug debug, const PullApplyResult &result);

// Ends a pull applied in `transaction`: commits it (a failed commit counts
// every row written as failed, logged as `operation` failing) and tells the
// event repository's listeners when rows of the calendar changed.
PullApplyResult finishPull(StoreTransaction &transaction, const Sync::Repositories &store,
                           const QString &calendarId, PullApplyResult result, const char *operation);

} // namespace OAuth
