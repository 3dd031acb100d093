#pragma once

#include "store/syncstatus.h"

// The mark a user's change leaves on an item: it waits for upload, whatever
// its calendar. The sync of each kind of calendar decides what a pending row
// means to it (a calendar kept on this device only never pushes), so an item
// whose calendar later gains a server is not missed.
inline constexpr SyncStatus ChangedItemStatus = SyncStatus::Pending;
