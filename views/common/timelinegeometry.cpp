#include "views/common/timelinegeometry.h"

#include <algorithm>

namespace TimelineGeometry {

BlockSpan sideBySide(int width, int index, int sharing)
{
    if (sharing <= 1 || width <= 1)
        return {0, width};
    index = std::clamp(index, 0, sharing - 1);
    const int gapped = (width - ColumnGap * (sharing - 1)) / sharing;
    if (gapped >= 1)
        return {index * (gapped + ColumnGap), gapped};
    // Too many for a gap between each: the blocks share the column's pixels
    // without one, a pixel wide at least, overlapping where there are more
    // blocks than pixels; none reaches into the next day.
    const int left = int(qint64(index) * width / sharing);
    const int right = int(qint64(index + 1) * width / sharing);
    return {left, std::max(right - left, 1)};
}

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
