#pragma once

#include <QDebug>
#include <QString>

// The server's copy a pending row's local edits started from: its tag and
// its text as last synced. A conflict compares both sides against it.
struct SyncBase
{
    QString etag;
    QString raw_icalendar;
};

inline bool operator==(const SyncBase &a, const SyncBase &b)
{
    return a.etag == b.etag && a.raw_icalendar == b.raw_icalendar;
}

inline QDebug operator<<(QDebug debug, const SyncBase &base)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "SyncBase(etag " << base.etag << ", " << base.raw_icalendar.size() << " chars)";
    return debug;
}
