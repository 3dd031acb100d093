#include "views/common/timelinepainting.h"

#include <QLocale>
#include <QPainter>
#include <QPen>
#include <QTime>

#include "views/common/timelinegeometry.h"

#include <algorithm>

namespace TimelinePainting {

void paintHourLabels(QPainter &painter, const QFont &font, const QColor &colour, int hourPx, int firstHour,
                     int lastHour)
{
    painter.setFont(font);
    painter.setPen(colour);
    for (int hour = std::max(firstHour, 1); hour <= std::min(lastHour, 23); ++hour) {
        painter.drawText(QRect(0, hourPx * hour - 8, 56, 16), Qt::AlignRight | Qt::AlignVCenter,
                         QLocale().toString(QTime(hour, 0), QStringLiteral("h AP")));
    }
}

void paintDragGhost(QPainter &painter, const QRect &ghost, const QString &label, const QFont &labelFont,
                    const QColor &accent, const QColor &text)
{
    using TimelineGeometry::Radius;
    QPen pen(accent, 1.6);
    pen.setStyle(Qt::DashLine);
    QColor fill = accent;
    fill.setAlpha(40);
    painter.setPen(pen);
    painter.setBrush(fill);
    painter.drawRoundedRect(ghost, Radius, Radius);
    painter.setFont(labelFont);
    painter.setPen(text);
    painter.drawText(QRect(ghost.left() + 4, ghost.top() - 18, ghost.width() - 8, 16),
                     Qt::AlignLeft | Qt::AlignVCenter, label);
}

} // namespace TimelinePainting
