#include "views/common/timelinegeometry.h"

#include <algorithm>

namespace TimelineGeometry {

int hourPixels(int hourHeight, int widgetHeight)
{
    return std::max(hourHeight, widgetHeight / 24);
}

int timeToY(const QTime &time, int hourPx)
{
    return (time.hour() * 60 + time.minute()) * hourPx / 60;
}

int wallMinuteOfDay(const QDateTime &value, const QDate &day)
{
    const QDateTime local = value.toLocalTime();
    if (local.date() < day)
        return 0;
    if (local.date() > day)
        return 24 * 60;
    return local.time().hour() * 60 + local.time().minute();
}

int snappedMinuteAt(int y, int hourPx)
{
    const int minutes = std::clamp(std::max(y, 0) * 60 / std::max(hourPx, 1), 0, LastSlotMinute);
    return minutes - minutes % 15;
}

QDateTime shiftWallClock(const QDateTime &value, qint64 minutes)
{
    if (!value.isValid())
        return value;
    const QDateTime local = value.toLocalTime();
    const qint64 msOfDay = local.time().msecsSinceStartOfDay() + minutes * 60000;
    constexpr qint64 DayMs = 24 * 60 * 60 * 1000;
    // Floor division, so that a move before midnight lands on the day before.
    const qint64 days = msOfDay >= 0 ? msOfDay / DayMs : -((-msOfDay + DayMs - 1) / DayMs);
    const QDateTime shifted(local.date().addDays(days), QTime::fromMSecsSinceStartOfDay(int(msOfDay - days * DayMs)));
    return shifted.isValid() ? shifted : value.addSecs(minutes * 60);
}

} // namespace TimelineGeometry
