#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include <cstdlib>

// Reads a timeline's grab against its layout: a block paints its colour
// opaque in the bar at its left edge and blended at 96 of 255 over what lay
// beneath it (taken from a grab of the same widget without events). Text
// and marks are the pixels that are neither.
namespace PaintedBlocks {

inline QRgb expected(const QImage &empty, const QRect &block, int barWidth, const QColor &colour, int x, int y)
{
    if (x < block.left() + barWidth)
        return colour.rgb();
    const QRgb under = empty.pixel(x, y);
    const auto mix = [](int over, int beneath) { return (over * 96 + beneath * (255 - 96) + 127) / 255; };
    return qRgb(mix(colour.red(), qRed(under)), mix(colour.green(), qGreen(under)), mix(colour.blue(), qBlue(under)));
}

// The pixels of `area` (inside `block`) that differ from the block's plain
// colours by more than rounding.
inline int otherPixels(const QImage &shot, const QImage &empty, const QRect &block, const QRect &area, int barWidth,
                       const QColor &colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb want = expected(empty, block, barWidth, colour, x, y);
            const QRgb got = shot.pixel(x, y);
            if (std::abs(qRed(want) - qRed(got)) + std::abs(qGreen(want) - qGreen(got))
                    + std::abs(qBlue(want) - qBlue(got))
                > 6) {
                ++count;
            }
        }
    }
    return count;
}

} // namespace PaintedBlocks
