#pragma once

#include <QString>

#include "sync/core/syncrepositories.h"

#include <atomic>

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

// Ends a pull applied in `transaction`: commits it unless `cancelled` (a
// failed commit counts every row written as failed, logged as `operation`
// failing). A cancelled pull commits nothing and reports nothing.
PullApplyResult finishPull(StoreTransaction &transaction, PullApplyResult result, const char *operation,
                           const std::atomic_bool &cancelled);
// Tells the program's event listeners, once the pull has landed, when rows
// of the calendar changed.
void announcePull(const Sync::Repositories &store, const QString &calendarId, const PullApplyResult &result);

} // namespace OAuth
