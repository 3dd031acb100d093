#pragma once

#include <QByteArray>
#include <QDebug>
#include <QJsonArray>

#include "store/calendar.h"
#include "store/event.h"
#include "sync/core/syncrepositories.h"

#include <atomic>
#include <optional>

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

// One reply of the service's event pull, read: the cursor to store once it
// is written and the changed events.
struct PulledPage
{
    QString timestamp;
    QJsonArray events;
};

// Reads a pull's reply body; none when it is not a JSON object. A large
// page is megabytes: read where it is written, on the pull's worker.
std::optional<PulledPage> readPulledPage(const QByteArray &body);

// A row kept for its unpushed local changes whose server copy changed too.
struct PulledConflict
{
    Event local;
    Event remote;
};

// Applies the service's changed events of one calendar in one transaction,
// with the event repository's signals held back: new and changed events
// are written from their iCalendar text, deleted ones are removed, rows
// with unpushed local changes are kept (and added to `conflicts` when the
// server's copy changed too, for the caller to record). Events are matched
// by uid and recurrence id, so a series and its moved occurrences stay
// apart. The page's cursor is stored in the same commit, when every event
// was stored. Runs on a pull worker's connection or on the program's (see
// PullApplyQueue); the caller announces the result. A cancelled apply
// writes nothing.
PullApplyResult applyPulledEvents(const Sync::Repositories &store, const Calendar &calendar, const PulledPage &page,
                                  const std::atomic_bool &cancelled, QList<PulledConflict> *conflicts);

} // namespace Tindlebrook
