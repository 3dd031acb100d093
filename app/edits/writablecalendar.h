#pragma once

#include "store/calendar.h"

// Whether the user may add items to the calendar and change them there. A
// subscribed feed, a holiday calendar, a calendar shared read-only and the
// placeholder configuration sync keeps for a calendar not yet found are all
// stored read-only, so one flag answers for each.
bool isWritableCalendar(const Calendar &calendar);
// A calendar declaring VTODO, or one the user allowed tasks in.
bool holdsTasks(const Calendar &calendar);
