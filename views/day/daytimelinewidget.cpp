#include "views/day/daytimelinewidget.h"

#include <QHelpEvent>
#include <QLocale>
#include <QPainter>
#include <QToolTip>

#include "app/theme/theme.h"
#include "app/timeformatsetting.h"
#include "views/common/eventblockpainter.h"
#include "views/common/timelinegeometry.h"
#include "views/common/timelinepainting.h"

#include <algorithm>
#include <limits>

using namespace TimelineGeometry;

namespace {

TimelineWidget::Traits dayTraits()
{
    TimelineWidget::Traits traits;
    traits.blockStyle = EventBlockPainter::Style::day();
    traits.dragsAcrossColumns = false;
    // The grip ends a pixel above the block's last row.
    traits.resizeGripInset = 1;
    // The day's one column is always wide enough for the time line.
    traits.detailMinimumWidth = std::numeric_limits<int>::min();
    return traits;
}

} // namespace

DayTimelineWidget::DayTimelineWidget(AppState *appState, QWidget *parent)
    : TimelineWidget(appState, dayTraits(), parent)
{
    // Wide enough for the hour labels and a readable block, narrow enough for
    // the view area of a 1024-pixel window.
    setMinimumWidth(320);
}

QSize DayTimelineWidget::sizeHint() const
{
    return QSize(800, hourHeight() * 24);
}

void DayTimelineWidget::setEvents(const QList<Event> &events, const QHash<QString, QString> &calendarColors,
                                  const QSet<QString> &dimmedIds, const QSet<QString> &pendingMarkCalendarIds,
                                  const PreparedDays *prepared)
{
    showEvents(date(), 1, events, calendarColors, dimmedIds, pendingMarkCalendarIds, prepared);
}

TimelineWidget::BlockColumns DayTimelineWidget::blockColumns() const
{
    return {BlockLeft, 0, std::max(width() - BlockMargins, 0)};
}

void DayTimelineWidget::paintGrid(QPainter &painter, int hourPx, const QRect &exposed)
{
    const QPalette &pal = palette();
    painter.fillRect(rect(), pal.color(QPalette::Base));
    if (workdayStartHour() > 0 || workdayEndHour() < 24) {
        QColor shade = pal.color(QPalette::WindowText);
        shade.setAlpha(18);
        if (workdayStartHour() > 0)
            painter.fillRect(QRect(Gutter, 0, width() - Gutter, hourPx * workdayStartHour()), shade);
        if (workdayEndHour() < 24) {
            const int top = hourPx * workdayEndHour();
            painter.fillRect(QRect(Gutter, top, width() - Gutter, height() - top), shade);
        }
    }
    // A drag repaints a small region: only the hours it touches are drawn.
    const int firstHour = std::max(exposed.top() - 8, 0) / std::max(hourPx, 1);
    const int lastHour = std::min((exposed.bottom() + 8) / std::max(hourPx, 1), 24);
    painter.setPen(pal.color(QPalette::Mid));
    for (int hour = firstHour; hour <= lastHour; ++hour)
        painter.drawLine(Gutter, hourPx * hour, width(), hourPx * hour);

    TimelinePainting::paintHourLabels(painter, EventBlockPainter::smaller(font(), 1, 1), pal.color(QPalette::WindowText),
                                      hourPx, firstHour, lastHour);
}

void DayTimelineWidget::paintNowLine(QPainter &painter, int hourPx)
{
    const QDateTime now = clock()();
    if (date() != now.date())
        return;
    const int y = TimelineGeometry::timeToY(now.time(), hourPx);
    const QColor danger = Theme::danger();
    painter.setPen(QPen(danger, 2));
    painter.drawLine(Gutter, y, width(), y);
    painter.setPen(Qt::NoPen);
    painter.setBrush(danger);
    painter.drawEllipse(QPoint(Gutter, y), 5, 5);
}

QString DayTimelineWidget::ghostText() const
{
    const QRect preview = ghostRect();
    const int hourPx = std::max(hourPixels(), 1);
    if (dragMode() == DragResizing)
        return tr("%1 min").arg(std::max(preview.height() * 60 / hourPx, 0));
    const int minutes = std::clamp(preview.top() * 60 / hourPx, 0, LastSlotMinute);
    return QLocale().toString(QTime(minutes / 60, minutes % 60), TimeFormat::pattern(appState()));
}

QColor DayTimelineWidget::ghostColour() const
{
    return Theme::accent();
}

QColor DayTimelineWidget::ghostTextColour() const
{
    return Theme::textPrimary();
}

void DayTimelineWidget::requestMove(const QString &eventId, const QDateTime &instanceStart, int,
                                    int minuteOffset)
{
    Q_EMIT eventMoveRequested(eventId, instanceStart, minuteOffset);
}

bool DayTimelineWidget::activateEmptySlot(const QPoint &, const QTime &time)
{
    Q_EMIT emptySlotActivated(time);
    return true;
}

QDate DayTimelineWidget::taskDropDate(const QPoint &) const
{
    return date();
}

QString DayTimelineWidget::timeTextAt(const QPoint &pos) const
{
    const DayBlock *block = blockAt(lastHitAt(pos));
    return block ? DayBlocks::timeText(*block, TimeFormat::pattern(appState())) : QString();
}

bool DayTimelineWidget::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return TimelineWidget::event(event);
    ensureHitRects();
    const auto *help = static_cast<QHelpEvent *>(event);
    const int hit = lastHitAt(help->pos());
    const DayBlock *block = blockAt(hit);
    if (!block) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    const Event &shown = eventOf(*block);
    // Tool tips guess rich text; a stored title is escaped so it stays text.
    QToolTip::showText(help->globalPos(),
                       shown.title.toHtmlEscaped() + QStringLiteral("<br/>") + timeTextAt(help->pos()).toHtmlEscaped(),
                       this, hitRects().at(hit).rect);
    return true;
}
