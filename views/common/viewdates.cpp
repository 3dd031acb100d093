#include "views/common/viewdates.h"

#include "calendar/alldaydates.h"

namespace ViewDates {

QDate weekStart(const QDate &date, Qt::DayOfWeek firstDay)
{
    if (!date.isValid())
        return date;
    return date.addDays(-((date.dayOfWeek() - int(firstDay) + 7) % 7));
}

QDate monthGridStart(const QDate &date, Qt::DayOfWeek firstDay)
{
    if (!date.isValid())
        return date;
    return weekStart(QDate(date.year(), date.month(), 1), firstDay);
}

QDate startDay(const Event &event)
{
    return event.is_all_day ? AllDayDates::firstDay(event) : event.start_time.toLocalTime().date();
}

} // namespace ViewDates
