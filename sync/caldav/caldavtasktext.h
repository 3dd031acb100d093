#pragma once

#include "store/task.h"

#include <QString>

// The text a task is uploaded as: the stored text, the whole resource as the
// server last sent it, with the record written over the task's own VTODO.
// What the server's copy holds beyond the record (other clients' properties,
// occurrences changed elsewhere, zones, the calendar's own lines) goes back
// with it.
namespace CalDavTaskText {

QString build(const Task &task);

} // namespace CalDavTaskText
