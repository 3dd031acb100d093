#pragma once

#include <QDebug>
#include <QString>

// The server's copy a pending task's local edits started from: its tag and
// its text as last synced. A conflict compares both sides against it.
struct TaskSyncBase
{
    QString etag;
    QString raw_icalendar;
};

inline bool operator==(const TaskSyncBase &a, const TaskSyncBase &b)
{
    return a.etag == b.etag && a.raw_icalendar == b.raw_icalendar;
}

inline QDebug operator<<(QDebug debug, const TaskSyncBase &base)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "TaskSyncBase(etag " << base.etag << ", " << base.raw_icalendar.size() << " chars)";
    return debug;
}
