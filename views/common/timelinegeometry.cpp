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

} // namespace TimelineGeometry
