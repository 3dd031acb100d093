#pragma once

#include "store/task.h"

#include <QString>

// The text a task is uploaded as: the record written out, with what the
// server's copy holds beyond the record (other clients' properties and
// components) carried over from the stored text.
namespace CalDavTaskText {

QString build(const Task &task);

} // namespace CalDavTaskText
