#pragma once

#include <QList>
#include <QString>

#include "store/event.h"
#include "sync/core/syncrepositories.h"

namespace OAuth {

// `pending`, a calendar's pending rows, less the deletions that wait for a
// moved event's copy: a row left behind by a move keeps its provider's copy
// until the copy is on the server of its own calendar
// (MovedCopy::keptForCopy), and so do the deleted rows of its series, as
// the provider's deletion of a series takes its occurrences along. They
// stay pending for a later run; until then the old copy is the only one
// any server holds, and a move within one Google account still finds it.
QList<Event> withoutWaitingDeletions(const Sync::Repositories &store, const QList<Event> &pending,
                                     const QString &logTag);

} // namespace OAuth
