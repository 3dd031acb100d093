#pragma once

#include "store/syncbase.h"

// The copy a pending task's local edits started from.
using TaskSyncBase = SyncBase;
