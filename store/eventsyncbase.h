#pragma once

#include <QDebug>
#include <QString>

// The server's copy a pending event's local edits started from: its tag and
// its text as last synced. A conflict compares both sides against it.
struct EventSyncBase
{
    QString etag;
    QString raw_icalendar;
};

inline bool operator==(const EventSyncBase &a, const EventSyncBase &b)
{
    return a.etag == b.etag && a.raw_icalendar == b.raw_icalendar;
}

inline QDebug operator<<(QDebug debug, const EventSyncBase &base)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "EventSyncBase(etag " << base.etag << ", " << base.raw_icalendar.size() << " chars)";
    return debug;
}
