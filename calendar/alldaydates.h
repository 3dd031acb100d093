#pragma once

#include "store/event.h"

#include <QDate>

// The days an all-day event covers. They are its stored dates, read from the
// date-times as they are, never converted to another zone first: a date read
// as midnight UTC must not slip to the day before west of Greenwich.
namespace AllDayDates {

QDate firstDay(const Event &event);
// The last day covered: the exclusive stored end moved back one day, the
// first day when there is no end; an end before the start stays as it is.
QDate lastDay(const Event &event);

} // namespace AllDayDates
