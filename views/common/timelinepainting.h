#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

// Pieces of painting the day and week timelines share.
namespace TimelinePainting {

// The hour labels "1 AM" … "11 PM" right-aligned in the gutter, for the
// hours firstHour … lastHour (clamped to 1 … 23).
void paintHourLabels(QPainter &painter, const QFont &font, const QColor &colour, int hourPx, int firstHour,
                     int lastHour);

// The dashed preview of a dragged or resized block with its label above it.
void paintDragGhost(QPainter &painter, const QRect &ghost, const QString &label, const QFont &labelFont,
                    const QColor &accent, const QColor &text);

// The area a ghost with its label covers, for a partial repaint.
inline QRect ghostDirtyRect(const QRect &ghost)
{
    return ghost.isNull() ? QRect() : ghost.adjusted(-2, -20, 2, 2);
}

} // namespace TimelinePainting
