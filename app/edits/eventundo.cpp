#include "app/edits/eventundo.h"

#include "store/eventrepository.h"

#include <QDebug>

namespace EventUndo {

bool restoreSnapshot(EventRepository *events, const Event &snapshot)
{
    if (!events || snapshot.id.isEmpty())
        return false;
    Event copy = snapshot;
    copy.deleted_at.reset();
    copy.sync_status = SyncStatus::Pending;
    copy.last_modified = QDateTime::currentDateTimeUtc();

    if (const std::optional<Event> current = events->getById(snapshot.id)) {
        copy.etag = current->etag;
        copy.href = current->href;
        copy.provider_event_id = current->provider_event_id;
        const bool ok = events->update(copy);
        if (!ok)
            qWarning().noquote() << "EventUndo::restoreSnapshot failed: could not write back" << copy.id;
        return ok;
    }
    copy.etag.clear();
    copy.href.clear();
    copy.provider_event_id.clear();
    const bool ok = events->insert(copy);
    if (!ok)
        qWarning().noquote() << "EventUndo::restoreSnapshot failed: could not re-create" << copy.id;
    return ok;
}

} // namespace EventUndo
