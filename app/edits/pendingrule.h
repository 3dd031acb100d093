#pragma once

#include "store/calendar.h"

// Whether a record the user changed in this calendar is marked "pending".
// The mark says the row differs from what any server holds; each sync
// client decides what of it to send. One rule for events and tasks.
bool becomesPending(const Calendar &calendar);
