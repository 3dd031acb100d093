#pragma once

#include "store/calendar.h"
#include "sync/core/syncrepositories.h"
#include "sync/oauth/pullapplyresult.h"
#include "sync/microsoft/microsoftpulledchanges.h"

#include <atomic>

namespace Microsoft {

using PullApplyResult = OAuth::PullApplyResult;

// Applies one pull of a calendar to the store in one transaction, with the
// event repository's signals held back: new and changed events and series
// are written, an exception takes the place of the occurrence it replaces
// (and goes to the copy of its series too when the series was moved from
// here to another calendar, MovedCopy::leaveWithMovedSeries),
// occurrences themselves are left to the series, removals ("@removed", a
// series Graph no longer has, and after a whole window listing every
// synced row inside the window it did not name) are erased for good. Rows
// with unpushed local changes are kept, except from a removal. The delta
// token moves with the rows, in the same transaction (see storeDeltaToken).
// Runs on a pull worker's connection or on the program's (see
// PullApplyQueue); the caller announces the result. A cancelled apply
// writes nothing.
PullApplyResult applyPulledChanges(const Sync::Repositories &store, const Calendar &calendar,
                                   const PulledChanges &changes, const std::atomic_bool &cancelled);

// Clears the calendar's delta token when it is no longer the default one;
// else stores the pull's next token when the pull was whole and every row
// was saved.
void storeDeltaToken(const Sync::Repositories &store, const Calendar &calendar, const PulledChanges &changes,
                     const PullApplyResult &result);

} // namespace Microsoft
