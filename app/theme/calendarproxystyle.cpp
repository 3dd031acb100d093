#include "app/theme/calendarproxystyle.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOption>

#include "app/theme/theme.h"

#include <algorithm>

CalendarProxyStyle::CalendarProxyStyle(QStyle *base)
    : QProxyStyle(base ? base : QStyleFactory::create(QStringLiteral("Fusion")))
{
}

int CalendarProxyStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                                  QStyleHintReturn *returnData) const
{
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

int CalendarProxyStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                                    const QWidget *widget) const
{
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        return 18;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

void CalendarProxyStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                       QPainter *painter, const QWidget *widget) const
{
    if (option && painter) {
        switch (element) {
        case PE_IndicatorItemViewItemCheck:
        case PE_IndicatorCheckBox:
            drawCheck(option, painter);
            return;
        case PE_IndicatorRadioButton:
            drawRadio(option, painter);
            return;
        default:
            break;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void CalendarProxyStyle::drawCheck(const QStyleOption *option, QPainter *painter)
{
    const bool enabled = option->state & State_Enabled;
    const bool on = option->state & State_On;
    const bool hovered = option->state & State_MouseOver;

    QColor outline = Theme::textPrimary();
    QColor fill = Theme::surfaceMuted();
    if (!enabled) {
        outline = Theme::textDisabled();
        fill = Theme::surface();
    } else if (on) {
        outline = Theme::accent();
        fill = Theme::accent();
    } else if (hovered) {
        outline = Theme::accent();
    }

    const QRectF box = QRectF(option->rect).adjusted(1, 1, -1, -1);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(outline, 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter->setBrush(fill);
    painter->drawRoundedRect(box, 3, 3, Qt::AbsoluteSize);
    if (on) {
        const qreal s = std::min(box.width(), box.height());
        const QPointF c = box.center();
        QPainterPath tick;
        tick.moveTo(c.x() - 0.28 * s, c.y() + 0.02 * s);
        tick.lineTo(c.x() - 0.06 * s, c.y() + 0.22 * s);
        tick.lineTo(c.x() + 0.3 * s, c.y() - 0.2 * s);
        painter->setPen(QPen(QColor(255, 255, 255), 0.18 * s, Qt::SolidLine, Qt::RoundCap,
                             Qt::RoundJoin));
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(tick);
    }
    painter->restore();
}

void CalendarProxyStyle::drawRadio(const QStyleOption *option, QPainter *painter)
{
    const bool enabled = option->state & State_Enabled;
    const bool on = option->state & State_On;
    const bool hovered = option->state & State_MouseOver;

    QColor outline = Theme::textPrimary();
    QColor fill = Theme::surfaceMuted();
    QColor dot = Theme::accent();
    if (!enabled) {
        outline = Theme::textDisabled();
        fill = Theme::surface();
        dot = Theme::textDisabled();
    } else if (on) {
        outline = Theme::accent();
        fill = Theme::surface();
    } else if (hovered) {
        outline = Theme::accent();
    }

    const QRectF circle = QRectF(option->rect).adjusted(1, 1, -1, -1);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(outline, 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter->setBrush(fill);
    painter->drawEllipse(circle);
    if (on) {
        const qreal s = std::min(circle.width(), circle.height());
        painter->setPen(Qt::NoPen);
        painter->setBrush(dot);
        painter->drawEllipse(circle.center(), 0.26 * s, 0.26 * s);
    }
    painter->restore();
}
