#pragma once

#include "store/calendarview.h"

#include <QString>

// The name a calendar group is shown under. The built-in group is seeded
// with an English name in the database, where no translation reaches it.
namespace CalendarGroupName {

// "All Calendars" in the interface's language.
QString builtIn();

// The built-in group's seeded name reads in the interface's language; a
// name the user gave it, and every other group's name, reads as written.
QString shown(const CalendarView &group);

} // namespace CalendarGroupName
