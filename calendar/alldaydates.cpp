#include "calendar/alldaydates.h"

namespace AllDayDates {

QDate firstDay(const Event &event)
{
    return event.start_time.date();
}

QDate lastDay(const Event &event)
{
    const QDate first = firstDay(event);
    if (!event.end_time || !event.end_time->isValid())
        return first;
    const QDate end = event.end_time->date();
    return end > first ? end.addDays(-1) : end;
}

} // namespace AllDayDates
