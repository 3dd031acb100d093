#pragma once

#include "store/syncstatus.h"

#include <QDateTime>
#include <QDebug>
#include <QString>

// What a provider's pull (Google, Microsoft) needs to know of one stored
// event row without reading the whole row: the provider's id for it, the
// version it holds, whether local work waits on it, and where it lies in
// time.
struct EventProviderKey
{
    QString id;
    QString provider_event_id;
    QString etag;
    SyncStatus sync_status = SyncStatus::Synced;
    QString master_event_uid;
    QDateTime start_time;
    bool recurring = false;
    bool deleted = false;
};

inline bool operator==(const EventProviderKey &a, const EventProviderKey &b)
{
    return a.id == b.id && a.provider_event_id == b.provider_event_id && a.etag == b.etag
        && a.sync_status == b.sync_status && a.master_event_uid == b.master_event_uid
        && a.start_time == b.start_time && a.recurring == b.recurring && a.deleted == b.deleted;
}

inline QDebug operator<<(QDebug debug, const EventProviderKey &key)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "EventProviderKey(" << key.id << ", provider " << key.provider_event_id << ", etag "
                    << key.etag << ", " << key.sync_status << ", master " << key.master_event_uid << ", "
                    << key.start_time << (key.recurring ? ", recurring" : "") << (key.deleted ? ", deleted" : "")
                    << ')';
    return debug;
}
