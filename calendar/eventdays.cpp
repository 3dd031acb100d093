#include "calendar/eventdays.h"

#include "calendar/alldaydates.h"

EventDays EventDays::of(const Event &event)
{
    if (event.is_all_day)
        return {AllDayDates::firstDay(event), AllDayDates::lastDay(event)};
    const QDate first = event.start_time.toLocalTime().date();
    return {first, event.end_time && event.end_time->isValid() ? event.end_time->toLocalTime().date() : first};
}
