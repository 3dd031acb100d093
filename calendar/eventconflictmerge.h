#pragma once

#include "store/event.h"

// Joins a local edit and a newer server copy of one event that both started
// from the same synced copy (base): each property the record models is taken
// from the side that changed it, the local side where both did. Fields the
// record keeps for itself (id, calendar, sync state, color) stay local.
namespace EventConflictMerge {

Event merged(const Event &base, const Event &local, const Event &server);

} // namespace EventConflictMerge
