#pragma once

#include "store/syncstatus.h"

#include <QDebug>
#include <QString>

// What a sync pull needs to know of one stored event row without reading
// the whole row: which server resource it lives in, the version it holds
// and whether local work is waiting on it.
struct EventSyncKey
{
    QString id;
    QString uid;
    QString master_event_uid;
    QString recurrence_id;
    QString href;
    QString etag;
    SyncStatus sync_status = SyncStatus::Synced;
    bool deleted = false;
};

inline bool operator==(const EventSyncKey &a, const EventSyncKey &b)
{
    return a.id == b.id && a.uid == b.uid && a.master_event_uid == b.master_event_uid
        && a.recurrence_id == b.recurrence_id && a.href == b.href && a.etag == b.etag
        && a.sync_status == b.sync_status && a.deleted == b.deleted;
}

inline QDebug operator<<(QDebug debug, const EventSyncKey &key)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "EventSyncKey(" << key.id << ", uid " << key.uid << ", master " << key.master_event_uid
                    << ", recurrence " << key.recurrence_id << ", " << key.href << ", etag " << key.etag << ", "
                    << key.sync_status << (key.deleted ? ", deleted" : "") << ')';
    return debug;
}
