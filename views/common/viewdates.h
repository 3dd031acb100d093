#pragma once

#include "store/event.h"

#include <QDate>

// Day arithmetic the calendar views share.
namespace ViewDates {

// The date itself or the nearest earlier day that is the first day of the
// week.
QDate weekStart(const QDate &date, Qt::DayOfWeek firstDay);
// The first of the date's month stepped back to the week start: the first
// of the 42 days a month page shows.
QDate monthGridStart(const QDate &date, Qt::DayOfWeek firstDay);

// The day a view files an event under: an all-day event's stored date as it
// is (it names a calendar day, not an instant), a timed event's local date.
QDate startDay(const Event &event);

} // namespace ViewDates
