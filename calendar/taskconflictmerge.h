#pragma once

#include "store/task.h"

// Joins a local edit and a newer server copy of one task that both started
// from the same synced copy (base): each property the record models is taken
// from the side that changed it, the local side where both did. Fields the
// record keeps for itself (id, calendar, sync state, color) stay local.
namespace TaskConflictMerge {

Task merged(const Task &base, const Task &local, const Task &server);

} // namespace TaskConflictMerge
