#pragma once

#include "store/task.h"

#include <QString>
#include <QStringList>

// The text a task is uploaded as: the stored text, the task's part of the
// resource as the server last sent it, with the record written over the
// task's own VTODO. What the server's copy holds beyond the record (other
// clients' properties, occurrences changed elsewhere, zones, the calendar's
// own lines) goes back with it, and so do the other tasks of a resource
// that holds several (`others`: their parts, as stored), so that an upload
// of one does not remove the rest from the server.
namespace CalDavTaskText {

// Empty for a task the writer refuses (IcsCodec::refusesToWrite()): its
// upload would carry another UID or zone.
QString build(const Task &task, const QStringList &others = {});

// The text a resource of several tasks is uploaded as when one of them is
// deleted here: the others' parts (`others`, as `build` takes them).
QString remaining(const QStringList &others);

} // namespace CalDavTaskText
