#include "sync/oauth/tombstonecopy.h"

#include <QDebug>

#include "calendar/eventconflictmerge.h"
#include "store/eventrepository.h"
#include "store/eventsyncbase.h"

namespace OAuth::TombstoneCopy {

bool takeNewer(EventRepository *events, const QString &id, const Event &provider, const FromStored &fromStored)
{
    std::optional<Event> tombstone = events->getById(id);
    if (!tombstone || !tombstone->deleted_at || tombstone->sync_status != SyncStatus::Pending
        || isWithdrawnOccurrence(*tombstone) || provider.etag.isEmpty() || provider.etag == tombstone->etag
        || provider.status == QLatin1String("cancelled") || !events->movedTo(id).isEmpty())
        return true;
    const std::optional<EventSyncBase> base = events->syncBase(id);
    const std::optional<Event> before = base ? fromStored(base->raw_icalendar) : std::nullopt;
    Event kept = before ? EventConflictMerge::merged(*before, *tombstone, provider) : *tombstone;
    kept.etag = provider.etag;
    kept.raw_icalendar = provider.raw_icalendar;
    qInfo().noquote() << tombstone->title << "was changed by the provider since it was deleted here; the deletion"
                      << "stands and keeps the provider's copy for an undo";
    if (!events->update(kept))
        return false;
    // A later change there is merged from this copy.
    if (!events->keepSyncBase(id, {provider.etag, provider.raw_icalendar}))
        qWarning().noquote() << "OAuth::TombstoneCopy::takeNewer failed: could not keep the provider's copy of" << id;
    return true;
}

} // namespace OAuth::TombstoneCopy
