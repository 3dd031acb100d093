#pragma once

#include "store/recordrepositories.h"

// A realistic week around today (an account, four calendars, eighteen
// events, eight tasks) for trying the views without a real account, and its
// removal. Every row has a fixed "sample-" id, so loading twice adds nothing
// and clearing finds exactly these rows. Reached from the developer menu.
namespace SampleData {

// The store the sample rows go into and come out of.
using Repositories = RecordRepositories;

// Adds what is missing; the number of calendars, events and tasks inserted.
int load(const Repositories &store);
// Deletes the sample rows; the number of rows deleted.
int clear(const Repositories &store);

} // namespace SampleData
