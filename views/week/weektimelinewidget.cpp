#include "views/week/weektimelinewidget.h"

#include <QLocale>
#include <QPainter>

#include "app/timeformatsetting.h"
#include "views/common/eventblockpainter.h"
#include "views/common/timelinegeometry.h"
#include "views/common/timelinepainting.h"

#include <algorithm>

using namespace TimelineGeometry;

namespace {

// Blocks keep this much of their column free on each side.
constexpr int ColumnInset = 4;
const QColor NowLineColour(220, 53, 69);

TimelineWidget::Traits weekTraits()
{
    TimelineWidget::Traits traits;
    traits.blockStyle = EventBlockPainter::Style::week();
    traits.dragsAcrossColumns = true;
    traits.resizeGripInset = 0;
    // A narrow block has room for its title only.
    traits.detailMinimumWidth = 80;
    return traits;
}

} // namespace

WeekTimelineWidget::WeekTimelineWidget(AppState *appState, QWidget *parent)
    : TimelineWidget(appState, weekTraits(), parent)
{
    setMinimumWidth(Gutter + 7 * MinColumnWidth);
}

QSize WeekTimelineWidget::sizeHint() const
{
    return QSize(1000, hourHeight() * 24);
}

int WeekTimelineWidget::columnWidth() const
{
    return std::max(width() - Gutter, 0) / dayCount();
}

void WeekTimelineWidget::setEvents(const QDate &rangeStart, int dayCount, const QList<Event> &events,
                                   const QHash<QString, QString> &calendarColors, const QSet<QString> &dimmedIds,
                                   const QSet<QString> &pendingMarkCalendarIds, const PreparedDays *prepared)
{
    showEvents(rangeStart, dayCount, events, calendarColors, dimmedIds, pendingMarkCalendarIds, prepared);
}

TimelineWidget::BlockColumns WeekTimelineWidget::blockColumns() const
{
    const int colWidth = columnWidth();
    return {Gutter + ColumnInset, colWidth, colWidth - 2 * ColumnInset};
}

void WeekTimelineWidget::paintGrid(QPainter &painter, int hourPx, const QRect &exposed)
{
    const QPalette &pal = palette();
    const int colWidth = columnWidth();
    const int gridWidth = colWidth * dayCount();
    painter.fillRect(exposed, pal.color(QPalette::Base));
    if (workdayStartHour() > 0 || workdayEndHour() < 24) {
        QColor shade = pal.color(QPalette::WindowText);
        shade.setAlpha(18);
        if (workdayStartHour() > 0)
            painter.fillRect(QRect(Gutter, 0, gridWidth, hourPx * workdayStartHour()), shade);
        if (workdayEndHour() < 24) {
            const int top = hourPx * workdayEndHour();
            painter.fillRect(QRect(Gutter, top, gridWidth, height() - top), shade);
        }
    }
    const int today = rangeStart().isValid() ? int(rangeStart().daysTo(clock()().date())) : -1;
    if (today >= 0 && today < dayCount()) {
        QColor tint = pal.color(QPalette::Highlight);
        tint.setAlpha(20);
        painter.fillRect(QRect(Gutter + today * colWidth, 0, colWidth, height()), tint);
    }
    // A drag repaints a small region: only the hours it touches are drawn.
    const int firstHour = std::max(exposed.top() - 8, 0) / std::max(hourPx, 1);
    const int lastHour = std::min((exposed.bottom() + 8) / std::max(hourPx, 1), 24);
    painter.setPen(pal.color(QPalette::Mid));
    for (int hour = firstHour; hour <= lastHour; ++hour)
        painter.drawLine(Gutter, hourPx * hour, Gutter + gridWidth, hourPx * hour);
    for (int day = 0; day <= dayCount(); ++day)
        painter.drawLine(Gutter + day * colWidth, 0, Gutter + day * colWidth, hourPx * 24);
    if (exposed.left() < Gutter) {
        TimelinePainting::paintHourLabels(painter, EventBlockPainter::smaller(font(), 1, 1),
                                          pal.color(QPalette::WindowText), hourPx, firstHour, lastHour);
    }
}

void WeekTimelineWidget::paintNowLine(QPainter &painter, int hourPx)
{
    const QDateTime now = clock()();
    const int day = rangeStart().isValid() ? int(rangeStart().daysTo(now.date())) : -1;
    if (day < 0 || day >= dayCount())
        return;
    const int colWidth = columnWidth();
    const int y = TimelineGeometry::timeToY(now.time(), hourPx);
    const int left = Gutter + day * colWidth;
    painter.setPen(QPen(NowLineColour, 2));
    painter.drawLine(left, y, left + colWidth, y);
    painter.setPen(Qt::NoPen);
    painter.setBrush(NowLineColour);
    painter.drawEllipse(QPoint(left, y), 4, 4);
}

QString WeekTimelineWidget::ghostLabel() const
{
    const QRect ghost = ghostRect();
    if (ghost.isNull())
        return QString();
    const int hourPx = std::max(hourPixels(), 1);
    if (dragMode() == DragResizing)
        return tr("%1 min").arg(std::max(ghost.height() * 60 / hourPx, 0));
    const int minutes = std::clamp(ghost.top() * 60 / hourPx, 0, LastSlotMinute);
    const QLocale locale;
    return locale.toString(rangeStart().addDays(dragOriginColumn() + dragDayDelta()), QStringLiteral("ddd"))
           + QStringLiteral("  ")
           + locale.toString(QTime(minutes / 60, minutes % 60), TimeFormat::pattern(appState()));
}

QColor WeekTimelineWidget::ghostColour() const
{
    return palette().color(QPalette::Highlight);
}

QColor WeekTimelineWidget::ghostTextColour() const
{
    return palette().color(QPalette::WindowText);
}

void WeekTimelineWidget::requestMove(const QString &eventId, const QDateTime &instanceStart, int dayDelta,
                                     int minuteOffset)
{
    Q_EMIT eventMoveRequested(eventId, instanceStart, dayDelta, minuteOffset);
}

int WeekTimelineWidget::dayColumnAt(int x) const
{
    return std::clamp((x - Gutter) / std::max(columnWidth(), 1), 0, dayCount() - 1);
}

bool WeekTimelineWidget::activateEmptySlot(const QPoint &pos, const QTime &time)
{
    if (!rangeStart().isValid())
        return false;
    Q_EMIT emptySlotActivated(rangeStart().addDays(dayColumnAt(pos.x())), time);
    return true;
}

QDate WeekTimelineWidget::taskDropDate(const QPoint &pos) const
{
    // The hour labels are no day: a task dropped there stays where it was.
    if (!rangeStart().isValid() || pos.x() < Gutter)
        return QDate();
    return rangeStart().addDays(dayColumnAt(pos.x()));
}
