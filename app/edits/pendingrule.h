#pragma once

#include "store/calendar.h"

// Whether a user's change to an item of the calendar waits for upload.
// Every change does: the sync of each kind of calendar decides what a
// pending row means to it (a calendar kept on this device only never pushes),
// so an item that later gains a server is not missed.
bool becomesPending(const Calendar &calendar);
