#pragma once

#include "store/recordrepositories.h"

namespace Sync {

// The store as a sync client sees it.
using Repositories = RecordRepositories;

} // namespace Sync
