#include "sync/oauth/pullapplyresult.h"

#include <QDebug>

#include "store/database.h"
#include "store/eventrepository.h"
#include "store/storetransaction.h"

namespace OAuth {

bool operator==(const PullApplyResult &a, const PullApplyResult &b)
{
    return a.upserted == b.upserted && a.deleted == b.deleted && a.unchanged == b.unchanged
           && a.skippedPending == b.skippedPending && a.failed == b.failed;
}

QDebug operator<<(QDebug debug, const PullApplyResult &result)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "PullApplyResult(upserted=" << result.upserted << ", deleted=" << result.deleted
                    << ", unchanged=" << result.unchanged << ", skippedPending=" << result.skippedPending
                    << ", failed=" << result.failed << ')';
    return debug;
}

PullApplyResult finishPull(StoreTransaction &transaction, PullApplyResult result, const char *operation,
                           const std::atomic_bool &cancelled)
{
    if (cancelled)
        return PullApplyResult();
    if (transaction.isActive() && !transaction.commit()) {
        qWarning().noquote() << QStringLiteral("%1 failed:").arg(QLatin1String(operation))
                             << transaction.errorText();
        result.failed += result.rowsWritten();
        result.upserted = result.deleted = 0;
    }
    return result;
}

void announcePull(const Sync::Repositories &store, const QString &calendarId, const PullApplyResult &result)
{
    if (result.rowsWritten() == 0)
        return;
    store.events->notifyChanged(calendarId);
    // A worker's commit left copying the log into the file to the checkpointer.
    store.database->checkpointLater();
}

} // namespace OAuth
