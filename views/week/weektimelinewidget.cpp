#include "views/week/weektimelinewidget.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QWheelEvent>

#include "app/timeformatsetting.h"
#include "views/common/calendardrop.h"
#include "views/common/eventblockpainter.h"
#include "views/common/taskdrop.h"
#include "views/common/timelinefocus.h"
#include "views/common/timelinegeometry.h"
#include "views/common/timelinepainting.h"

#include <algorithm>
#include <cmath>

using namespace TimelineGeometry;

namespace {

// Below this much travel on both axes a press on a block stays a click.
constexpr int DragThreshold = 4;
// Blocks keep this much of their column free on each side.
constexpr int ColumnInset = 4;
const QColor NowLineColour(220, 53, 69);

} // namespace

WeekTimelineWidget::WeekTimelineWidget(AppState *appState, QWidget *parent)
    : QWidget(parent)
    , m_appState(appState)
    , m_clock(systemViewClock())
{
    setMinimumWidth(Gutter + 7 * MinColumnWidth);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAcceptDrops(true);
    // The icon font of the marks may arrive after the first paint.
    connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, this, qOverload<>(&QWidget::update));
}

QSize WeekTimelineWidget::sizeHint() const
{
    return QSize(1000, m_hourHeight * 24);
}

int WeekTimelineWidget::hourPixels() const
{
    return TimelineGeometry::hourPixels(m_hourHeight, height());
}

int WeekTimelineWidget::columnWidth() const
{
    return std::max(width() - Gutter, 0) / m_dayCount;
}

int WeekTimelineWidget::timeToY(const QTime &time) const
{
    return TimelineGeometry::timeToY(time, hourPixels());
}

int WeekTimelineWidget::snapMinutes(int dy) const
{
    const double quarters = dy / (hourPixels() / 60.0) / 15.0;
    return int(std::round(quarters)) * 15;
}

void WeekTimelineWidget::setEvents(const QDate &rangeStart, int dayCount, const QList<Event> &events,
                                   const QHash<QString, QString> &calendarColors, const QSet<QString> &dimmedIds,
                                   const QSet<QString> &pendingMarkCalendarIds, const PreparedDays *prepared)
{
    m_rangeStart = rangeStart;
    m_dayCount = std::max(dayCount, 1);
    m_events = events;
    m_calendarColors = calendarColors;
    m_dimmedIds = dimmedIds;
    m_pendingMarkCalendarIds = pendingMarkCalendarIds;
    m_blocksValid = prepared && prepared->covers(m_rangeStart, m_dayCount);
    if (m_blocksValid) {
        m_dayBlocks = prepared->dayBlocks;
        m_undraggableIds = prepared->undraggableIds;
    } else {
        m_undraggableIds = PreparedDays::undraggable(m_events);
    }
    // The rectangles of the last paint index the blocks just replaced.
    m_hitRects.clear();
    m_hitSources.clear();
    m_hitRectsValid = false;
    update();
}

void WeekTimelineWidget::setHourHeight(int pixels)
{
    if (pixels == m_hourHeight)
        return;
    m_hourHeight = pixels;
    updateGeometry();
    update();
}

void WeekTimelineWidget::setWorkdayHours(int startHour, int endHour)
{
    if (startHour == m_workdayStartHour && endHour == m_workdayEndHour)
        return;
    m_workdayStartHour = startHour;
    m_workdayEndHour = endHour;
    update();
}

void WeekTimelineWidget::setCompact(bool compact)
{
    if (compact == m_compact)
        return;
    m_compact = compact;
    m_hitRectsValid = false;
    update();
}

void WeekTimelineWidget::setSelectedEventId(const QString &id)
{
    if (id == m_selectedEventId)
        return;
    m_selectedEventId = id;
    update();
}

void WeekTimelineWidget::setClock(ViewClock clock)
{
    m_clock = clock ? std::move(clock) : systemViewClock();
    update();
}

void WeekTimelineWidget::setIcsImportSink(IcsImportSink sink)
{
    m_icsImportSink = std::move(sink);
}

void WeekTimelineWidget::ensureBlocks()
{
    if (m_blocksValid)
        return;
    m_blocksValid = true;
    m_hitRectsValid = false;
    m_dayBlocks.clear();
    m_dayBlocks.reserve(m_dayCount);
    for (int day = 0; day < m_dayCount; ++day) {
        m_dayBlocks.append(DayBlocks::build(m_events, m_rangeStart.addDays(day), m_calendarColors, m_dimmedIds,
                                           m_pendingMarkCalendarIds));
    }
}

void WeekTimelineWidget::ensureHitRects()
{
    ensureBlocks();
    const EventBlockPainter blockPainter(this, m_compact, EventBlockPainter::Style::week());
    const int minimumHeight = blockPainter.minimumHeight();
    const int hourPx = hourPixels();
    const int colWidth = columnWidth();
    const QSize geometry(colWidth, hourPx);
    if (m_hitRectsValid && geometry == m_hitGeometry && minimumHeight == m_hitMinimumHeight)
        return;
    m_hitRectsValid = true;
    m_hitGeometry = geometry;
    m_hitMinimumHeight = minimumHeight;
    m_hitRects.clear();
    m_hitSources.clear();
    for (int day = 0; day < m_dayBlocks.size(); ++day) {
        const QList<DayBlock> &blocks = m_dayBlocks.at(day);
        const int columnLeft = Gutter + day * colWidth + ColumnInset;
        for (int index = 0; index < blocks.size(); ++index) {
            const DayBlock &block = blocks.at(index);
            const int top = block.topMinute * hourPx / 60;
            int bottom = block.bottomMinute * hourPx / 60;
            if (bottom - top < minimumHeight)
                bottom = top + minimumHeight;
            const int columns = block.entry.columnCount;
            int w = colWidth - 2 * ColumnInset;
            if (columns > 0)
                w = (colWidth - 2 * ColumnInset - ColumnGap * columns + ColumnGap) / columns;
            const QRect rect(columnLeft + (w + ColumnGap) * block.entry.column, top, w, bottom - top);
            // The occurrence's own start: a block past midnight shows part
            // of an occurrence that began the day before.
            m_hitRects.append({block.entry.event.id, rect, block.start});
            m_hitSources.append({day, index});
        }
    }
}

void WeekTimelineWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const int hourPx = hourPixels();
    const int colWidth = columnWidth();
    // The grid is axis-aligned: it is drawn before smoothing is turned on.
    paintGrid(painter, hourPx, colWidth, event->rect());
    painter.setRenderHint(QPainter::Antialiasing);
    paintNowLine(painter, hourPx, colWidth);
    ensureHitRects();
    paintBlocks(painter, event->rect());

    const QRect ghost = ghostRect();
    if (!ghost.isNull()) {
        QFont labelFont = EventBlockPainter::smaller(font(), 1, 8);
        labelFont.setWeight(QFont::Bold);
        TimelinePainting::paintDragGhost(painter, ghost, ghostLabel(), labelFont, palette().color(QPalette::Highlight),
                                         palette().color(QPalette::WindowText));
    }
}

void WeekTimelineWidget::paintGrid(QPainter &painter, int hourPx, int colWidth, const QRect &exposed)
{
    const QPalette &pal = palette();
    const int gridWidth = colWidth * m_dayCount;
    painter.fillRect(exposed, pal.color(QPalette::Base));
    if (m_workdayStartHour > 0 || m_workdayEndHour < 24) {
        QColor shade = pal.color(QPalette::WindowText);
        shade.setAlpha(18);
        if (m_workdayStartHour > 0)
            painter.fillRect(QRect(Gutter, 0, gridWidth, hourPx * m_workdayStartHour), shade);
        if (m_workdayEndHour < 24) {
            const int top = hourPx * m_workdayEndHour;
            painter.fillRect(QRect(Gutter, top, gridWidth, height() - top), shade);
        }
    }
    const int today = m_rangeStart.isValid() ? int(m_rangeStart.daysTo(m_clock().date())) : -1;
    if (today >= 0 && today < m_dayCount) {
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
    for (int day = 0; day <= m_dayCount; ++day)
        painter.drawLine(Gutter + day * colWidth, 0, Gutter + day * colWidth, hourPx * 24);
    if (exposed.left() < Gutter) {
        TimelinePainting::paintHourLabels(painter, EventBlockPainter::smaller(font(), 1, 1),
                                          pal.color(QPalette::WindowText), hourPx, firstHour, lastHour);
    }
}

void WeekTimelineWidget::paintNowLine(QPainter &painter, int hourPx, int colWidth)
{
    const QDateTime now = m_clock();
    const int day = m_rangeStart.isValid() ? int(m_rangeStart.daysTo(now.date())) : -1;
    if (day < 0 || day >= m_dayCount)
        return;
    const int y = TimelineGeometry::timeToY(now.time(), hourPx);
    const int left = Gutter + day * colWidth;
    painter.setPen(QPen(NowLineColour, 2));
    painter.drawLine(left, y, left + colWidth, y);
    painter.setPen(Qt::NoPen);
    painter.setBrush(NowLineColour);
    painter.drawEllipse(QPoint(left, y), 4, 4);
}

void WeekTimelineWidget::paintBlocks(QPainter &painter, const QRect &exposed)
{
    const EventBlockPainter blockPainter(this, m_compact, EventBlockPainter::Style::week(), &m_titleTexts,
                                         &m_detailTexts);
    const QString pattern = TimeFormat::pattern(m_appState);
    for (int i = 0; i < m_hitRects.size(); ++i) {
        const QRect &rect = m_hitRects.at(i).rect;
        if (!exposed.intersects(rect.adjusted(-2, -2, 2, 2)))
            continue;
        const HitSource source = m_hitSources.at(i);
        const DayBlock &block = m_dayBlocks.at(source.day).at(source.block);
        const Event &event = block.entry.event;

        EventBlockPainter::Block paint;
        paint.rect = rect;
        paint.colour = block.colour;
        paint.dimmed = block.dimmed;
        paint.selected = event.id == m_selectedEventId;
        paint.hasReminders = !event.reminders.isEmpty();
        paint.pendingUpload = block.pendingUpload;
        paint.title = event.title;
        // A narrow block has room for its title only.
        if (rect.width() > 80 && blockPainter.showsDetail(rect))
            paint.detail = DayBlocks::timeText(block, pattern);
        blockPainter.paint(painter, paint);
    }
}

QRect WeekTimelineWidget::ghostRect() const
{
    if ((m_dragMode != DragMoving && m_dragMode != DragResizing) || m_dragEventId.isEmpty()
        || (m_dragMinuteDelta == 0 && m_dragDayDelta == 0)) {
        return QRect();
    }
    const int dy = hourPixels() * m_dragMinuteDelta / 60;
    if (m_dragMode == DragMoving)
        return m_dragOriginRect.translated(columnWidth() * m_dragDayDelta, dy);
    QRect ghost = m_dragOriginRect;
    ghost.setHeight(std::max(ghost.height() + dy, 8));
    return ghost;
}

QString WeekTimelineWidget::ghostLabel() const
{
    const QRect ghost = ghostRect();
    if (ghost.isNull())
        return QString();
    const int hourPx = std::max(hourPixels(), 1);
    if (m_dragMode == DragResizing)
        return tr("%1 min").arg(std::max(ghost.height() * 60 / hourPx, 0));
    const int minutes = std::clamp(ghost.top() * 60 / hourPx, 0, LastSlotMinute);
    const QLocale locale;
    return locale.toString(m_rangeStart.addDays(m_dragOriginDay + m_dragDayDelta), QStringLiteral("ddd"))
           + QStringLiteral("  ") + locale.toString(QTime(minutes / 60, minutes % 60), TimeFormat::pattern(m_appState));
}

int WeekTimelineWidget::dayColumnAt(int x) const
{
    return std::clamp((x - Gutter) / std::max(columnWidth(), 1), 0, m_dayCount - 1);
}

int WeekTimelineWidget::firstHitAt(const QPoint &pos) const
{
    for (int i = 0; i < m_hitRects.size(); ++i) {
        if (m_hitRects.at(i).rect.contains(pos))
            return i;
    }
    return -1;
}

int WeekTimelineWidget::lastHitAt(const QPoint &pos) const
{
    for (int i = int(m_hitRects.size()) - 1; i >= 0; --i) {
        if (m_hitRects.at(i).rect.contains(pos))
            return i;
    }
    return -1;
}

bool WeekTimelineWidget::inResizeZone(const QRect &rect, int y) const
{
    const int zone = std::min(rect.height() / 3, 7);
    return y >= (rect.top() + rect.height()) - zone;
}

void WeekTimelineWidget::mousePressEvent(QMouseEvent *event)
{
    ensureHitRects();
    const QPoint pos = event->position().toPoint();
    const int hit = event->button() == Qt::LeftButton ? firstHitAt(pos) : -1;
    if (hit < 0 || m_undraggableIds.contains(m_hitRects.at(hit).eventId)) {
        QWidget::mousePressEvent(event);
        return;
    }
    const EventHitRect &entry = m_hitRects.at(hit);
    m_dragEventId = entry.eventId;
    m_dragOriginDay = m_hitSources.at(hit).day;
    // The pressed block's own occurrence: a series may show on several days.
    m_dragInstanceStart = entry.occurrenceStart;
    m_pressPos = pos;
    m_dragOriginRect = entry.rect;
    m_dragMinuteDelta = 0;
    m_dragDayDelta = 0;
    m_dragMode = inResizeZone(entry.rect, pos.y()) ? DragResizing : DragPressed;
    event->accept();
}

void WeekTimelineWidget::setDragDeltas(int minuteDelta, int dayDelta)
{
    if (minuteDelta == m_dragMinuteDelta && dayDelta == m_dragDayDelta)
        return;
    const QRect before = TimelinePainting::ghostDirtyRect(ghostRect());
    m_dragMinuteDelta = minuteDelta;
    m_dragDayDelta = dayDelta;
    update(before.united(TimelinePainting::ghostDirtyRect(ghostRect())));
}

void WeekTimelineWidget::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_dragMode == DragNone) {
        ensureHitRects();
        updateHoverCursor(pos);
        QWidget::mouseMoveEvent(event);
        return;
    }
    const int dx = pos.x() - m_pressPos.x();
    const int dy = pos.y() - m_pressPos.y();
    if (m_dragMode == DragPressed) {
        if (std::abs(dx) < DragThreshold && std::abs(dy) < DragThreshold) {
            QWidget::mouseMoveEvent(event);
            return;
        }
        m_dragMode = DragMoving;
        setCursor(Qt::ClosedHandCursor);
    }
    if (m_dragMode == DragResizing) {
        setDragDeltas(snapMinutes(dy), 0);
    } else {
        const int shift = int(std::round(double(dx) / std::max(columnWidth(), 1)));
        setDragDeltas(snapMinutes(dy), std::clamp(shift, -m_dragOriginDay, m_dayCount - 1 - m_dragOriginDay));
    }
    event->accept();
}

void WeekTimelineWidget::updateHoverCursor(const QPoint &pos)
{
    const int hit = firstHitAt(pos);
    if (hit < 0 || m_undraggableIds.contains(m_hitRects.at(hit).eventId))
        setCursor(Qt::ArrowCursor);
    else if (inResizeZone(m_hitRects.at(hit).rect, pos.y()))
        setCursor(Qt::SizeVerCursor);
    else
        setCursor(Qt::PointingHandCursor);
}

void WeekTimelineWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const int mode = m_dragMode;
    const QString id = m_dragEventId;
    const QDateTime instanceStart = m_dragInstanceStart;
    const int minuteDelta = m_dragMinuteDelta;
    const int dayDelta = m_dragDayDelta;
    m_dragMode = DragNone;
    m_dragEventId.clear();
    m_dragInstanceStart = QDateTime();
    m_dragMinuteDelta = 0;
    m_dragDayDelta = 0;
    setCursor(Qt::ArrowCursor);
    update();

    if (mode == DragMoving && (minuteDelta != 0 || dayDelta != 0)) {
        event->accept();
        Q_EMIT eventMoveRequested(id, instanceStart, dayDelta, minuteDelta);
        return;
    }
    if (mode == DragResizing && minuteDelta != 0) {
        event->accept();
        Q_EMIT eventResizeRequested(id, instanceStart, minuteDelta);
        return;
    }

    ensureHitRects();
    const QPoint pos = event->position().toPoint();
    const int top = lastHitAt(pos);
    QString hitId;
    QDateTime occurrenceStart;
    QRect screenRect;
    if (top >= 0) {
        hitId = m_hitRects.at(top).eventId;
        for (const EventHitRect &entry : std::as_const(m_hitRects)) {
            if (entry.eventId == hitId && entry.rect.contains(pos)) {
                occurrenceStart = entry.occurrenceStart;
                screenRect = QRect(mapToGlobal(entry.rect.topLeft()), entry.rect.size());
                break;
            }
        }
    }
    if (hitId.isEmpty())
        QWidget::mouseReleaseEvent(event);
    else
        event->accept();
    Q_EMIT eventSelected(hitId, occurrenceStart, screenRect);
}

void WeekTimelineWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    ensureHitRects();
    const QPoint pos = event->position().toPoint();
    const int hit = lastHitAt(pos);
    if (hit >= 0) {
        event->accept();
        Q_EMIT eventActivated(m_hitRects.at(hit).eventId);
        return;
    }
    if (pos.x() >= Gutter && m_rangeStart.isValid()) {
        const int minutes = snappedMinuteAt(pos.y(), hourPixels());
        event->accept();
        Q_EMIT emptySlotActivated(m_rangeStart.addDays(dayColumnAt(pos.x())), QTime(minutes / 60, minutes % 60));
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void WeekTimelineWidget::contextMenuEvent(QContextMenuEvent *event)
{
    ensureHitRects();
    const int hit = lastHitAt(event->pos());
    if (hit < 0) {
        QWidget::contextMenuEvent(event);
        return;
    }
    event->accept();
    Q_EMIT eventContextRequested(m_hitRects.at(hit).eventId, event->globalPos());
}

void WeekTimelineWidget::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    const int notches = event->angleDelta().y() / 120;
    event->accept();
    if (notches != 0)
        Q_EMIT zoomRequested(notches);
}

bool WeekTimelineWidget::focusNextPrevChild(bool)
{
    return false;
}

void WeekTimelineWidget::keyPressEvent(QKeyEvent *event)
{
    ensureHitRects();
    const TimelineFocus::KeyStep step = TimelineFocus::stepForKey(event->key(), event->modifiers(), m_events,
                                                                  m_selectedEventId, m_hitRects);
    if (step.kind == TimelineFocus::KeyStep::Focus) {
        event->accept();
        Q_EMIT eventFocused(step.eventId);
        return;
    }
    if (step.kind == TimelineFocus::KeyStep::Activate) {
        const QRect screenRect = step.rect.isNull() ? QRect()
                                                    : QRect(mapToGlobal(step.rect.topLeft()), step.rect.size());
        event->accept();
        Q_EMIT eventSelected(step.eventId, step.occurrenceStart, screenRect);
        return;
    }
    QWidget::keyPressEvent(event);
}

void WeekTimelineWidget::dragEnterEvent(QDragEnterEvent *event)
{
    CalendarDrop::acceptOrIgnore(event);
}

void WeekTimelineWidget::dragMoveEvent(QDragMoveEvent *event)
{
    CalendarDrop::acceptOrIgnore(event);
}

void WeekTimelineWidget::dropEvent(QDropEvent *event)
{
    if (CalendarDrop::takeIcsDrop(event, this, m_icsImportSink))
        return;
    const QString taskId = CalendarDrop::taskIdFromMime(event->mimeData());
    const QPoint pos = event->position().toPoint();
    // The hour labels are no day: a task dropped there stays where it was.
    if (taskId.isEmpty() || !m_rangeStart.isValid() || pos.x() < Gutter) {
        event->ignore();
        return;
    }
    const int minutes = snappedMinuteAt(pos.y(), hourPixels());
    TaskDrop::handleDrop(m_appState, taskId,
                         QDateTime(m_rangeStart.addDays(dayColumnAt(pos.x())), QTime(minutes / 60, minutes % 60)),
                         false, mapToGlobal(pos), this);
    event->acceptProposedAction();
}
