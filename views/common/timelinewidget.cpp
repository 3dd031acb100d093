#include "views/common/timelinewidget.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QWheelEvent>

#include "app/timeformatsetting.h"
#include "views/common/calendardrop.h"
#include "views/common/taskdrop.h"
#include "views/common/timelinefocus.h"
#include "views/common/timelinegeometry.h"
#include "views/common/timelinepainting.h"

#include <algorithm>
#include <cmath>

using namespace TimelineGeometry;

namespace {

// Below this much travel a press on a block stays a click.
constexpr int DragThreshold = 4;

} // namespace

TimelineWidget::TimelineWidget(AppState *appState, const Traits &traits, QWidget *parent)
    : QWidget(parent)
    , m_appState(appState)
    , m_traits(traits)
    , m_clock(systemViewClock())
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAcceptDrops(true);
    // The icon font of the marks may arrive after the first paint.
    connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, this, qOverload<>(&QWidget::update));
}

int TimelineWidget::hourPixels() const
{
    return TimelineGeometry::hourPixels(m_hourHeight, height());
}

int TimelineWidget::timeToY(const QTime &time) const
{
    return TimelineGeometry::timeToY(time, hourPixels());
}

int TimelineWidget::snapMinutes(int dy) const
{
    const double quarters = dy / (hourPixels() / 60.0) / 15.0;
    return int(std::round(quarters)) * 15;
}

void TimelineWidget::showEvents(const QDate &firstDate, int columnCount, const QList<Event> &events,
                                const QHash<QString, QString> &calendarColors, const QSet<QString> &dimmedIds,
                                const QSet<QString> &pendingMarkCalendarIds, const PreparedDays *prepared)
{
    m_firstDate = firstDate;
    m_columnCount = std::max(columnCount, 1);
    m_events = events;
    m_calendarColors = calendarColors;
    m_dimmedIds = dimmedIds;
    m_pendingMarkCalendarIds = pendingMarkCalendarIds;
    m_blocksValid = prepared && prepared->covers(m_firstDate, m_columnCount);
    if (m_blocksValid) {
        m_days = *prepared;
        m_undraggableIds = prepared->undraggableIds;
    } else {
        // The next paint lays them out; the old ones would only keep the
        // old events alive.
        m_days = PreparedDays();
        m_undraggableIds = PreparedDays::undraggable(m_events);
    }
    dropHitRects();
    update();
}

void TimelineWidget::setFirstDate(const QDate &date)
{
    if (date == m_firstDate)
        return;
    m_firstDate = date;
    m_blocksValid = false;
    dropHitRects();
    update();
}

void TimelineWidget::setSelectedEventId(const QString &id)
{
    if (id == m_selectedEventId)
        return;
    m_selectedEventId = id;
    update();
}

void TimelineWidget::setHourHeight(int pixels)
{
    if (pixels == m_hourHeight)
        return;
    m_hourHeight = pixels;
    updateGeometry();
    update();
}

void TimelineWidget::setCompact(bool compact)
{
    if (compact == m_compact)
        return;
    m_compact = compact;
    m_hitRectsValid = false;
    update();
}

void TimelineWidget::setWorkdayHours(int startHour, int endHour)
{
    if (startHour == m_workdayStartHour && endHour == m_workdayEndHour)
        return;
    m_workdayStartHour = startHour;
    m_workdayEndHour = endHour;
    update();
}

void TimelineWidget::setClock(ViewClock clock)
{
    m_clock = clock ? std::move(clock) : systemViewClock();
    update();
}

void TimelineWidget::setIcsImportSink(IcsImportSink sink)
{
    m_icsImportSink = std::move(sink);
}

void TimelineWidget::ensureBlocks()
{
    if (m_blocksValid)
        return;
    m_blocksValid = true;
    m_hitRectsValid = false;
    m_days = PreparedDays::layOut(m_events, m_firstDate, m_columnCount, m_calendarColors, m_dimmedIds,
                                  m_pendingMarkCalendarIds);
}

void TimelineWidget::dropHitRects()
{
    // The rectangles of the last paint index the blocks just replaced.
    m_hitRects.clear();
    m_hitSources.clear();
    m_hitRectsValid = false;
}

void TimelineWidget::ensureHitRects()
{
    ensureBlocks();
    const EventBlockPainter blockPainter(this, m_compact, m_traits.blockStyle);
    const int minimumHeight = blockPainter.minimumHeight();
    const int hourPx = hourPixels();
    const BlockColumns columns = blockColumns();
    if (m_hitRectsValid && columns == m_hitColumns && hourPx == m_hitHourPixels
        && minimumHeight == m_hitMinimumHeight) {
        return;
    }
    m_hitRectsValid = true;
    m_hitColumns = columns;
    m_hitHourPixels = hourPx;
    m_hitMinimumHeight = minimumHeight;
    m_hitRects.clear();
    m_hitSources.clear();
    for (int column = 0; column < m_days.dayBlocks.size(); ++column) {
        const QList<DayBlock> &blocks = m_days.dayBlocks.at(column);
        const int columnLeft = columns.left + column * columns.step;
        for (int index = 0; index < blocks.size(); ++index) {
            const DayBlock &block = blocks.at(index);
            const int top = block.topMinute * hourPx / 60;
            int bottom = block.bottomMinute * hourPx / 60;
            if (bottom - top < minimumHeight)
                bottom = top + minimumHeight;
            const BlockSpan span = sideBySide(columns.width, block.column, block.columnCount);
            const QRect rect(columnLeft + span.left, top, span.width, bottom - top);
            // The occurrence's own start: a block after midnight shows part
            // of an occurrence that began the day before.
            m_hitRects.append({m_days.eventOf(block).id, rect, block.start});
            m_hitSources.append({column, index});
        }
    }
}

const DayBlock *TimelineWidget::blockAt(int hit) const
{
    if (hit < 0 || hit >= m_hitSources.size() || !m_blocksValid)
        return nullptr;
    const HitSource source = m_hitSources.at(hit);
    return &m_days.dayBlocks.at(source.column).at(source.block);
}

void TimelineWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const int hourPx = hourPixels();
    // The grid is axis-aligned: smoothing would only blur its lines across
    // two pixel rows and cost a full-width blend per line.
    paintGrid(painter, hourPx, event->rect());
    painter.setRenderHint(QPainter::Antialiasing);
    paintNowLine(painter, hourPx);
    ensureHitRects();
    if (!m_hitRects.isEmpty())
        paintBlocks(painter, event->rect());
    paintGhost(painter);
}

void TimelineWidget::paintBlocks(QPainter &painter, const QRect &exposed)
{
    const EventBlockPainter blockPainter(this, m_compact, m_traits.blockStyle, &m_titleTexts, &m_detailTexts);
    const QString pattern = TimeFormat::pattern(m_appState);
    // A drag repaints only around its preview; blocks outside it are not
    // drawn.
    for (int i = 0; i < m_hitRects.size(); ++i) {
        const QRect &rect = m_hitRects.at(i).rect;
        if (!exposed.intersects(rect.adjusted(-2, -2, 2, 2)))
            continue;
        const HitSource source = m_hitSources.at(i);
        const DayBlock &block = m_days.dayBlocks.at(source.column).at(source.block);
        const Event &event = m_days.eventOf(block);

        EventBlockPainter::Block paint;
        paint.rect = rect;
        paint.colour = block.colour;
        paint.dimmed = block.dimmed;
        paint.selected = event.id == m_selectedEventId;
        paint.hasReminders = !event.reminders.isEmpty();
        paint.pendingUpload = block.pendingUpload;
        paint.title = event.title;
        if (rect.width() > m_traits.detailMinimumWidth && blockPainter.showsDetail(rect))
            paint.detail = DayBlocks::timeText(block, pattern);
        blockPainter.paint(painter, paint);
    }
}

QRect TimelineWidget::ghostRect() const
{
    if ((m_dragMode != DragMoving && m_dragMode != DragResizing) || m_dragEventId.isEmpty()
        || (m_dragMinuteDelta == 0 && m_dragDayDelta == 0)) {
        return QRect();
    }
    const int dy = hourPixels() * m_dragMinuteDelta / 60;
    if (m_dragMode == DragMoving)
        return m_dragOriginRect.translated(blockColumns().step * m_dragDayDelta, dy);
    QRect ghost = m_dragOriginRect;
    ghost.setHeight(std::max(ghost.height() + dy, 8));
    return ghost;
}

void TimelineWidget::paintGhost(QPainter &painter)
{
    const QRect ghost = ghostRect();
    if (ghost.isNull())
        return;
    QFont labelFont = EventBlockPainter::smaller(font(), 1, 8);
    labelFont.setWeight(QFont::Bold);
    TimelinePainting::paintDragGhost(painter, ghost, ghostText(), labelFont, ghostColour(), ghostTextColour());
}

int TimelineWidget::firstHitAt(const QPoint &pos) const
{
    for (int i = 0; i < m_hitRects.size(); ++i) {
        if (m_hitRects.at(i).rect.contains(pos))
            return i;
    }
    return -1;
}

int TimelineWidget::lastHitAt(const QPoint &pos) const
{
    return ::lastHitAt(m_hitRects, pos);
}

bool TimelineWidget::inResizeZone(const QRect &rect, int y) const
{
    const int zone = std::min(rect.height() / 3, 7);
    return y >= (rect.top() + rect.height() - m_traits.resizeGripInset) - zone;
}

void TimelineWidget::mousePressEvent(QMouseEvent *event)
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
    m_dragOriginColumn = m_hitSources.at(hit).column;
    // The pressed block's own occurrence: a series may show several times.
    m_dragInstanceStart = entry.occurrenceStart;
    m_pressPos = pos;
    m_dragOriginRect = entry.rect;
    m_dragMinuteDelta = 0;
    m_dragDayDelta = 0;
    m_dragMode = inResizeZone(entry.rect, pos.y()) ? DragResizing : DragPressed;
    event->accept();
}

void TimelineWidget::setDragDeltas(int minuteDelta, int dayDelta)
{
    if (minuteDelta == m_dragMinuteDelta && dayDelta == m_dragDayDelta)
        return;
    const QRect before = TimelinePainting::ghostDirtyRect(ghostRect());
    m_dragMinuteDelta = minuteDelta;
    m_dragDayDelta = dayDelta;
    update(before.united(TimelinePainting::ghostDirtyRect(ghostRect())));
}

void TimelineWidget::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_dragMode == DragNone) {
        ensureHitRects();
        updateHoverCursor(pos);
        QWidget::mouseMoveEvent(event);
        return;
    }
    // Only a timeline whose blocks change columns counts sideways travel.
    const int dx = m_traits.dragsAcrossColumns ? pos.x() - m_pressPos.x() : 0;
    const int dy = pos.y() - m_pressPos.y();
    if (m_dragMode == DragPressed) {
        if (std::abs(dx) < DragThreshold && std::abs(dy) < DragThreshold) {
            QWidget::mouseMoveEvent(event);
            return;
        }
        m_dragMode = DragMoving;
        setCursor(Qt::ClosedHandCursor);
    }
    if (m_dragMode == DragResizing || !m_traits.dragsAcrossColumns) {
        setDragDeltas(snapMinutes(dy), 0);
    } else {
        const int shift = int(std::round(double(dx) / std::max(blockColumns().step, 1)));
        setDragDeltas(snapMinutes(dy),
                      std::clamp(shift, -m_dragOriginColumn, m_columnCount - 1 - m_dragOriginColumn));
    }
    event->accept();
}

void TimelineWidget::updateHoverCursor(const QPoint &pos)
{
    const int hit = firstHitAt(pos);
    if (hit < 0 || m_undraggableIds.contains(m_hitRects.at(hit).eventId))
        setCursor(Qt::ArrowCursor);
    else if (inResizeZone(m_hitRects.at(hit).rect, pos.y()))
        setCursor(Qt::SizeVerCursor);
    else
        setCursor(Qt::PointingHandCursor);
}

void TimelineWidget::mouseReleaseEvent(QMouseEvent *event)
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
        requestMove(id, instanceStart, dayDelta, minuteDelta);
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

void TimelineWidget::mouseDoubleClickEvent(QMouseEvent *event)
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
    if (pos.x() >= Gutter) {
        const int minutes = snappedMinuteAt(pos.y(), hourPixels());
        if (activateEmptySlot(pos, QTime(minutes / 60, minutes % 60))) {
            event->accept();
            return;
        }
    }
    QWidget::mouseDoubleClickEvent(event);
}

void TimelineWidget::contextMenuEvent(QContextMenuEvent *event)
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

void TimelineWidget::wheelEvent(QWheelEvent *event)
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

bool TimelineWidget::focusNextPrevChild(bool)
{
    return false;
}

void TimelineWidget::keyPressEvent(QKeyEvent *event)
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

void TimelineWidget::dragEnterEvent(QDragEnterEvent *event)
{
    CalendarDrop::acceptOrIgnore(event);
}

void TimelineWidget::dragMoveEvent(QDragMoveEvent *event)
{
    CalendarDrop::acceptOrIgnore(event);
}

void TimelineWidget::dropEvent(QDropEvent *event)
{
    if (CalendarDrop::takeIcsDrop(event, this, m_icsImportSink))
        return;
    const QString taskId = CalendarDrop::taskIdFromMime(event->mimeData());
    const QPoint pos = event->position().toPoint();
    const QDate date = taskDropDate(pos);
    if (taskId.isEmpty() || !date.isValid()) {
        event->ignore();
        return;
    }
    const int minutes = snappedMinuteAt(pos.y(), hourPixels());
    TaskDrop::handleDrop(m_appState, taskId, QDateTime(date, QTime(minutes / 60, minutes % 60)), false,
                         mapToGlobal(pos), this);
    event->acceptProposedAction();
}
