#pragma once

#include "store/event.h"

#include <QString>

#include <functional>
#include <optional>

class EventRepository;

// An event deleted here whose deletion has not reached the provider yet (a
// pending tombstone) meets the provider's newer copy of it, another
// device's change: the deletion stands and goes up at the push, under that
// copy's version, but the tombstone's record takes the change, merged
// against the copy the delete started from (its sync base) as an edit's
// conflict is merged. An undo of the delete then gives back what the
// provider held last, not the older copy.
namespace OAuth::TombstoneCopy {

// The provider's text of a record (its JSON) as the record it maps to.
using FromStored = std::function<std::optional<Event>(const QString &text)>;

// Takes `provider`, the provider's copy of the row `id`, into the row when
// it is a pending tombstone holding an older version. Left alone: a row
// that is none, a withdrawn occurrence (its push writes the series'
// occurrence back), and one a move left behind (its push hands the change
// on to the copy). Without a sync base the record stays as it is and takes
// only the version and text. False when the store refused the write.
[[nodiscard]] bool takeNewer(EventRepository *events, const QString &id, const Event &provider,
                             const FromStored &fromStored);

} // namespace OAuth::TombstoneCopy
