#pragma once

#include "store/recordrepositories.h"

// The store as the CalDAV sync sees it.
using CalDavRepositories = RecordRepositories;
