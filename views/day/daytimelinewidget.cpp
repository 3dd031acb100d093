#include "views/day/daytimelinewidget.h"

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
#include <QToolTip>
#include <QWheelEvent>

#include "app/theme/theme.h"
#include "app/timeformatsetting.h"
#include "views/common/calendardrop.h"
#include "views/common/eventblockpainter.h"
#include "views/common/dayblocks.h"
#include "views/common/taskdrop.h"
#include "views/common/timelinefocus.h"
#include "views/common/timelinegeometry.h"
#include "views/common/timelinepainting.h"

#include <algorithm>
#include <cmath>

using namespace TimelineGeometry;

namespace {

// Below this much vertical travel a press on a block stays a click.
constexpr int DragThreshold = 4;

} // namespace

DayTimelineWidget::DayTimelineWidget(AppState *appState, QWidget *parent)
    : QWidget(parent)
    , m_appState(appState)
    , m_clock(systemViewClock())
{
    // Wide enough for the hour labels and a readable block, narrow enough for
    // the view area of a 1024-pixel window.
    setMinimumWidth(320);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAcceptDrops(true);
    // The icon font of the marks may arrive after the first paint.
    connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, this, qOverload<>(&QWidget::update));
}

QSize DayTimelineWidget::sizeHint() const
{
    return QSize(800, m_hourHeight * 24);
}

int DayTimelineWidget::hourPixels() const
{
    return TimelineGeometry::hourPixels(m_hourHeight, height());
}

int DayTimelineWidget::timeToY(const QTime &time) const
{
    return TimelineGeometry::timeToY(time, hourPixels());
}

void DayTimelineWidget::setEvents(const QList<Event> &events, const QHash<QString, QString> &calendarColors,
                                  const QSet<QString> &dimmedIds, const QSet<QString> &pendingMarkCalendarIds,
                                  const PreparedDays *prepared)
{
    m_events = events;
    m_calendarColors = calendarColors;
    m_dimmedIds = dimmedIds;
    m_pendingMarkCalendarIds = pendingMarkCalendarIds;
    m_blocksValid = prepared && prepared->covers(m_date, 1);
    if (m_blocksValid) {
        m_blocks = prepared->dayBlocks.first();
        m_undraggableIds = prepared->undraggableIds;
    } else {
        m_undraggableIds = PreparedDays::undraggable(m_events);
    }
    dropHitRects();
    update();
}

void DayTimelineWidget::setDate(const QDate &date)
{
    if (date == m_date)
        return;
    m_date = date;
    m_blocksValid = false;
    dropHitRects();
    update();
}

void DayTimelineWidget::setSelectedEventId(const QString &id)
{
    if (id == m_selectedEventId)
        return;
    m_selectedEventId = id;
    update();
}

void DayTimelineWidget::setHourHeight(int pixels)
{
    if (pixels == m_hourHeight)
        return;
    m_hourHeight = pixels;
    updateGeometry();
    update();
}

void DayTimelineWidget::setCompact(bool compact)
{
    if (compact == m_compact)
        return;
    m_compact = compact;
    m_hitRectsValid = false;
    update();
}

void DayTimelineWidget::setWorkdayHours(int startHour, int endHour)
{
    if (startHour == m_workdayStartHour && endHour == m_workdayEndHour)
        return;
    m_workdayStartHour = startHour;
    m_workdayEndHour = endHour;
    update();
}

void DayTimelineWidget::setClock(ViewClock clock)
{
    m_clock = clock ? std::move(clock) : systemViewClock();
    update();
}

void DayTimelineWidget::setIcsImportSink(IcsImportSink sink)
{
    m_icsImportSink = std::move(sink);
}

void DayTimelineWidget::ensureBlocks()
{
    if (m_blocksValid)
        return;
    m_blocksValid = true;
    m_blocks = DayBlocks::build(m_events, m_date, m_calendarColors, m_dimmedIds, m_pendingMarkCalendarIds);
    m_hitRectsValid = false;
}

void DayTimelineWidget::dropHitRects()
{
    // The rectangles of the last paint index the blocks just replaced.
    m_hitRects.clear();
    m_hitBlocks.clear();
    m_hitRectsValid = false;
}

void DayTimelineWidget::ensureHitRects()
{
    ensureBlocks();
    const EventBlockPainter blockPainter(this, m_compact, EventBlockPainter::Style::day());
    const int minimumHeight = blockPainter.minimumHeight();
    const int hourPx = hourPixels();
    const int available = std::max(width() - BlockMargins, 0);
    const QSize geometry(available, hourPx);
    if (m_hitRectsValid && geometry == m_hitGeometry && minimumHeight == m_hitMinimumHeight)
        return;
    m_hitRectsValid = true;
    m_hitGeometry = geometry;
    m_hitMinimumHeight = minimumHeight;
    m_hitRects.clear();
    m_hitBlocks.clear();
    m_hitRects.reserve(m_blocks.size());
    m_hitBlocks.reserve(m_blocks.size());
    for (int index = 0; index < m_blocks.size(); ++index) {
        const DayBlock &block = m_blocks.at(index);
        const int top = block.topMinute * hourPx / 60;
        int bottom = block.bottomMinute * hourPx / 60;
        if (bottom - top < minimumHeight)
            bottom = top + minimumHeight;
        const int columns = block.entry.columnCount;
        const int columnWidth = columns > 0 ? (available - ColumnGap * columns + ColumnGap) / columns : available;
        const QRect rect(BlockLeft + block.entry.column * (columnWidth + ColumnGap), top, columnWidth, bottom - top);
        // The occurrence's own start: a block after midnight shows part of
        // an occurrence that began the day before.
        m_hitRects.append({block.entry.event.id, rect, block.start});
        m_hitBlocks.append(index);
    }
}

void DayTimelineWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const int hourPx = hourPixels();
    // The grid is axis-aligned: smoothing would only blur its lines across
    // two pixel rows and cost a full-width blend per line.
    paintGrid(painter, hourPx, event->rect());
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_date == m_clock().date())
        paintNowLine(painter, hourPx);
    ensureHitRects();
    if (!m_blocks.isEmpty())
        paintBlocks(painter, event->rect());
    paintDragPreview(painter, hourPx);
}

void DayTimelineWidget::paintGrid(QPainter &painter, int hourPx, const QRect &exposed)
{
    const QPalette &pal = palette();
    painter.fillRect(rect(), pal.color(QPalette::Base));
    if (m_workdayStartHour > 0 || m_workdayEndHour < 24) {
        QColor shade = pal.color(QPalette::WindowText);
        shade.setAlpha(18);
        if (m_workdayStartHour > 0)
            painter.fillRect(QRect(Gutter, 0, width() - Gutter, hourPx * m_workdayStartHour), shade);
        if (m_workdayEndHour < 24) {
            const int top = hourPx * m_workdayEndHour;
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
    const int y = TimelineGeometry::timeToY(m_clock().time(), hourPx);
    const QColor danger = Theme::danger();
    painter.setPen(QPen(danger, 2));
    painter.drawLine(Gutter, y, width(), y);
    painter.setPen(Qt::NoPen);
    painter.setBrush(danger);
    painter.drawEllipse(QPoint(Gutter, y), 5, 5);
}

void DayTimelineWidget::paintBlocks(QPainter &painter, const QRect &exposed)
{
    const EventBlockPainter blockPainter(this, m_compact, EventBlockPainter::Style::day(), &m_titleTexts,
                                         &m_detailTexts);
    const QString pattern = TimeFormat::pattern(m_appState);
    // A drag repaints only around its preview; blocks outside it are not
    // drawn.
    for (int i = 0; i < m_hitRects.size(); ++i) {
        const QRect &rect = m_hitRects.at(i).rect;
        if (!exposed.intersects(rect.adjusted(-2, -2, 2, 2)))
            continue;
        const DayBlock &block = m_blocks.at(m_hitBlocks.at(i));
        const Event &event = block.entry.event;

        EventBlockPainter::Block paint;
        paint.rect = rect;
        paint.colour = block.colour;
        paint.dimmed = block.dimmed;
        paint.selected = event.id == m_selectedEventId;
        paint.hasReminders = !event.reminders.isEmpty();
        paint.pendingUpload = block.pendingUpload;
        paint.title = event.title;
        if (blockPainter.showsDetail(rect))
            paint.detail = DayBlocks::timeText(block, pattern);
        blockPainter.paint(painter, paint);
    }
}

QRect DayTimelineWidget::previewRect(int hourPx) const
{
    if ((m_dragMode != DragMoving && m_dragMode != DragResizing) || m_dragEventId.isEmpty() || m_dragMinuteDelta == 0)
        return QRect();
    const int offset = hourPx * m_dragMinuteDelta / 60;
    if (m_dragMode == DragMoving)
        return m_dragOriginRect.translated(0, offset);
    QRect preview = m_dragOriginRect;
    preview.setHeight(std::max(preview.height() + offset, 8));
    return preview;
}

QRect DayTimelineWidget::previewDirtyRect() const
{
    return TimelinePainting::ghostDirtyRect(previewRect(hourPixels()));
}

void DayTimelineWidget::paintDragPreview(QPainter &painter, int hourPx)
{
    const QRect preview = previewRect(hourPx);
    if (preview.isNull())
        return;
    QString label;
    if (m_dragMode == DragMoving) {
        const int minutes = std::clamp(preview.top() * 60 / hourPx, 0, LastSlotMinute);
        label = QLocale().toString(QTime(minutes / 60, minutes % 60), TimeFormat::pattern(m_appState));
    } else {
        label = tr("%1 min").arg(std::max(preview.height() * 60 / hourPx, 0));
    }
    QFont labelFont = EventBlockPainter::smaller(font(), 1, 8);
    labelFont.setWeight(QFont::Bold);
    TimelinePainting::paintDragGhost(painter, preview, label, labelFont, Theme::accent(), Theme::textPrimary());
}

int DayTimelineWidget::firstHitAt(const QPoint &pos) const
{
    for (int i = 0; i < m_hitRects.size(); ++i) {
        if (m_hitRects.at(i).rect.contains(pos))
            return i;
    }
    return -1;
}

int DayTimelineWidget::lastHitAt(const QPoint &pos) const
{
    for (int i = int(m_hitRects.size()) - 1; i >= 0; --i) {
        if (m_hitRects.at(i).rect.contains(pos))
            return i;
    }
    return -1;
}

bool DayTimelineWidget::inResizeZone(const QRect &rect, int y) const
{
    const int zone = std::min(rect.height() / 3, 7);
    return y >= (rect.top() + rect.height() - 1) - zone;
}

void DayTimelineWidget::mousePressEvent(QMouseEvent *event)
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
    // The pressed block's own occurrence: a series may show twice a day.
    m_dragInstanceStart = entry.occurrenceStart;
    m_pressPos = pos;
    m_dragOriginRect = entry.rect;
    m_dragMinuteDelta = 0;
    m_dragMode = inResizeZone(entry.rect, pos.y()) ? DragResizing : DragPressed;
    event->accept();
}

void DayTimelineWidget::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_dragMode == DragNone) {
        ensureHitRects();
        updateHoverCursor(pos);
        QWidget::mouseMoveEvent(event);
        return;
    }
    const int dy = pos.y() - m_pressPos.y();
    if (m_dragMode == DragPressed) {
        if (std::abs(dy) < DragThreshold) {
            QWidget::mouseMoveEvent(event);
            return;
        }
        m_dragMode = DragMoving;
        setCursor(Qt::ClosedHandCursor);
    }
    const double pixelsPerMinute = hourPixels() / 60.0;
    const int delta = int(std::round(dy / pixelsPerMinute / 15.0)) * 15;
    if (delta != m_dragMinuteDelta) {
        const QRect before = previewDirtyRect();
        m_dragMinuteDelta = delta;
        update(before.united(previewDirtyRect()));
    }
    event->accept();
}

void DayTimelineWidget::updateHoverCursor(const QPoint &pos)
{
    const int hit = firstHitAt(pos);
    if (hit < 0 || m_undraggableIds.contains(m_hitRects.at(hit).eventId))
        setCursor(Qt::ArrowCursor);
    else if (inResizeZone(m_hitRects.at(hit).rect, pos.y()))
        setCursor(Qt::SizeVerCursor);
    else
        setCursor(Qt::PointingHandCursor);
}

void DayTimelineWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const int mode = m_dragMode;
    const QString id = m_dragEventId;
    const QDateTime instanceStart = m_dragInstanceStart;
    const int delta = m_dragMinuteDelta;
    m_dragMode = DragNone;
    m_dragEventId.clear();
    m_dragInstanceStart = QDateTime();
    m_dragMinuteDelta = 0;
    setCursor(Qt::ArrowCursor);
    update();

    if (mode == DragMoving && delta != 0) {
        event->accept();
        Q_EMIT eventMoveRequested(id, instanceStart, delta);
        return;
    }
    if (mode == DragResizing && delta != 0) {
        event->accept();
        Q_EMIT eventResizeRequested(id, instanceStart, delta);
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

void DayTimelineWidget::mouseDoubleClickEvent(QMouseEvent *event)
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
        event->accept();
        Q_EMIT emptySlotActivated(QTime(minutes / 60, minutes % 60));
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void DayTimelineWidget::contextMenuEvent(QContextMenuEvent *event)
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

void DayTimelineWidget::wheelEvent(QWheelEvent *event)
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

QString DayTimelineWidget::timeTextAt(const QPoint &pos) const
{
    const int hit = lastHitAt(pos);
    if (hit < 0 || !m_blocksValid)
        return QString();
    return DayBlocks::timeText(m_blocks.at(m_hitBlocks.at(hit)), TimeFormat::pattern(m_appState));
}

bool DayTimelineWidget::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    ensureHitRects();
    const auto *help = static_cast<QHelpEvent *>(event);
    const int hit = lastHitAt(help->pos());
    if (hit < 0 || !m_blocksValid) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    const Event &shown = m_blocks.at(m_hitBlocks.at(hit)).entry.event;
    // Tool tips guess rich text; a stored title is escaped so it stays text.
    QToolTip::showText(help->globalPos(),
                       shown.title.toHtmlEscaped() + QStringLiteral("<br/>") + timeTextAt(help->pos()).toHtmlEscaped(),
                       this, m_hitRects.at(hit).rect);
    return true;
}

bool DayTimelineWidget::focusNextPrevChild(bool)
{
    return false;
}

void DayTimelineWidget::keyPressEvent(QKeyEvent *event)
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

void DayTimelineWidget::dragEnterEvent(QDragEnterEvent *event)
{
    CalendarDrop::acceptOrIgnore(event);
}

void DayTimelineWidget::dragMoveEvent(QDragMoveEvent *event)
{
    CalendarDrop::acceptOrIgnore(event);
}

void DayTimelineWidget::dropEvent(QDropEvent *event)
{
    if (CalendarDrop::takeIcsDrop(event, this, m_icsImportSink))
        return;
    const QString taskId = CalendarDrop::taskIdFromMime(event->mimeData());
    if (taskId.isEmpty() || !m_date.isValid()) {
        event->ignore();
        return;
    }
    const QPoint pos = event->position().toPoint();
    const int minutes = snappedMinuteAt(pos.y(), hourPixels());
    TaskDrop::handleDrop(m_appState, taskId, QDateTime(m_date, QTime(minutes / 60, minutes % 60)), false,
                         mapToGlobal(pos), this);
    event->acceptProposedAction();
}
