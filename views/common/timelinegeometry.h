#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

// The geometry the day and week timelines and the all-day strip share.
namespace TimelineGeometry {

// Hour labels sit left of this line.
inline constexpr int Gutter = 64;
// Blocks start here and leave this much of the width to the gutter and the
// right margin.
inline constexpr int BlockLeft = 68;
inline constexpr int BlockMargins = 76;
inline constexpr int ColumnGap = 2;
// The narrowest day column of the week timeline: a week of them beside the
// gutter fits the view area of a 1024-pixel window.
inline constexpr int MinColumnWidth = 56;
inline constexpr double Radius = 4.0;
inline constexpr int ColorBarWidth = 4;
// Latest start a drag or a double-click can give: the last quarter hour.
inline constexpr int LastSlotMinute = 23 * 60 + 45;

// Where one of `sharing` overlapping blocks lies across a day column `width`
// wide: its offset from the column's left edge and its width.
struct BlockSpan
{
    int left = 0;
    int width = 0;
};
BlockSpan sideBySide(int width, int index, int sharing);

// The larger of the zoom and the height spread over 24 hours.
int hourPixels(int hourHeight, int widgetHeight);
// Wall-clock minutes to pixels; seconds are ignored.
int timeToY(const QTime &time, int hourPx);
// Wall-clock minutes from the day's midnight: 0 before the day, 1440 after
// it. Times on the screen follow the clock on the wall, also on a day with a
// daylight-saving change.
int wallMinuteOfDay(const QDateTime &value, const QDate &day);
// Minutes of the day under y, clamped to 00:00 … 23:45 and rounded down to
// a quarter hour.
int snappedMinuteAt(int y, int hourPx);

} // namespace TimelineGeometry
