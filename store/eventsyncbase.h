#pragma once

#include "store/syncbase.h"

// The copy a pending event's local edits started from.
using EventSyncBase = SyncBase;
