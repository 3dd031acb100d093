#pragma once

#include <QJsonObject>
#include <QList>

#include "store/calendar.h"
#include "sync/core/syncrepositories.h"
#include "sync/oauth/pullapplyresult.h"

namespace Google {

using PullApplyResult = OAuth::PullApplyResult;

// Applies Google's listing of one calendar to the store in one transaction,
// with the event repository's signals held back: new and changed events are
// written, cancelled ones removed, rows with unpushed local changes kept. A
// cancelled occurrence of a series becomes an exclusion of that series, so
// it does not come back with the series' next change.
PullApplyResult applyEventsPage(const Sync::Repositories &store, const Calendar &calendar,
                                const QList<QJsonObject> &items);

} // namespace Google
