#pragma once

#include "store/event.h"
#include "views/common/eventhitrect.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

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

// Where a timeline puts a block's parts: blocks narrower than
// `narrowerThan` are plain; wider ones have their bar `bar` wide and their
// text `textLeft` in from the left with `textRight` to spare on the right.
struct Insets
{
    int narrowerThan;
    int bar;
    int textLeft;
    int textRight;
};

// What is wrong with the block painted at `block` (empty when nothing): a
// narrow block is its plain colours alone; a wide one has its bar, plain
// colours below the text, glyphs in its title (and in its time line when
// `timeLine`). Titles are `titleHeight` high.
inline QString blockFault(const QImage &shot, const QImage &empty, const QRect &block, const QColor &colour,
                          const Insets &insets, int titleHeight, bool timeLine)
{
    if (block.width() < insets.narrowerThan) {
        return otherPixels(shot, empty, block, block, insets.bar, colour) == 0 ? QString()
                                                                               : QStringLiteral("marks on a narrow block");
    }
    if (shot.pixel(block.left() + 1, block.center().y()) != colour.rgb())
        return QStringLiteral("no bar");
    // Below the text, clear of the rounded corners, the block is its plain colours.
    const QRect below(block.left() + insets.bar, block.bottom() - 12, block.width() - insets.bar - 6, 4);
    if (otherPixels(shot, empty, block, below, insets.bar, colour) != 0)
        return QStringLiteral("marks below the text");
    const int textWidth = block.width() - insets.textLeft - insets.textRight;
    const QRect title(block.left() + insets.textLeft, block.top() + insets.bar, textWidth, titleHeight);
    if (otherPixels(shot, empty, block, title, insets.bar, colour) <= 10)
        return QStringLiteral("no title");
    const QRect time(title.left(), title.bottom() + 1, textWidth, titleHeight - 2);
    if (timeLine && otherPixels(shot, empty, block, time, insets.bar, colour) <= 10)
        return QStringLiteral("no time line");
    return QString();
}

// Gives each event its title as id and a colour of its own; the colours by id.
inline QHash<QString, QColor> colourEach(QList<Event> &events)
{
    QHash<QString, QColor> colours;
    for (int i = 0; i < events.size(); ++i) {
        events[i].id = events.at(i).title;
        colours.insert(events.at(i).id, QColor::fromHsv(i * 47 % 360, 180, 200));
        events[i].color = colours.value(events.at(i).id).name();
    }
    return colours;
}

// The height of a bold title in `widget`'s font.
inline int titleHeightOf(const QWidget *widget)
{
    QFont bold = widget->font();
    bold.setWeight(QFont::Bold);
    return QFontMetrics(bold).height();
}

// The first block among `hits` painted wrong, with its fault (empty when
// every one is right); `narrow` counts the plain blocks.
inline QString firstFault(const QImage &shot, const QImage &empty, const QList<EventHitRect> &hits,
                          const QHash<QString, QColor> &colours, const Insets &insets, int titleHeight,
                          bool timeLine, int *narrow)
{
    *narrow = 0;
    for (const EventHitRect &hit : hits) {
        if (!colours.contains(hit.eventId))
            return hit.eventId + QStringLiteral(": not an event of the test");
        if (hit.rect.width() < insets.narrowerThan)
            ++*narrow;
        const QString fault = blockFault(shot, empty, hit.rect, colours.value(hit.eventId), insets, titleHeight,
                                         timeLine);
        if (!fault.isEmpty())
            return hit.eventId + QStringLiteral(": ") + fault;
    }
    return QString();
}

} // namespace PaintedBlocks
