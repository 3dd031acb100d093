#pragma once

#include "store/event.h"
#include "views/common/dayblocks.h"
#include "views/common/elidedtextcache.h"
#include "views/common/eventhitrect.h"
#include "views/common/prepareddays.h"
#include "views/common/viewhooks.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSet>
#include <QString>
#include <QWidget>

#include <optional>

class AppState;

// The painted 24-hour column of the day view: the hour grid, the day's timed
// events side by side where they overlap, the current-time line, and a dashed
// preview while a block is dragged or its bottom edge resized. It turns mouse,
// key, wheel and drop input into signals and never writes the store.
class DayTimelineWidget : public QWidget
{
    Q_OBJECT
public:
    enum DragMode { DragNone = 0, DragPressed = 1, DragMoving = 2, DragResizing = 3 };

    explicit DayTimelineWidget(AppState *appState, QWidget *parent = nullptr);

    // With `prepared` for the widget's date (made where the events were
    // read), the day is not laid out again here.
    void setEvents(const QList<Event> &events, const QHash<QString, QString> &calendarColors,
                   const QSet<QString> &dimmedIds, const QSet<QString> &pendingMarkCalendarIds,
                   const PreparedDays *prepared = nullptr);
    void setDate(const QDate &date);
    void setSelectedEventId(const QString &id);
    void setHourHeight(int pixels);
    void setCompact(bool compact);
    void setWorkdayHours(int startHour, int endHour);
    void setClock(ViewClock clock);
    void setIcsImportSink(IcsImportSink sink);

    QDate date() const { return m_date; }
    int hourHeight() const { return m_hourHeight; }
    bool isCompact() const { return m_compact; }
    int workdayStartHour() const { return m_workdayStartHour; }
    int workdayEndHour() const { return m_workdayEndHour; }
    QString selectedEventId() const { return m_selectedEventId; }
    int hourPixels() const;
    int timeToY(const QTime &time) const;
    const QList<EventHitRect> &hitRects() const { return m_hitRects; }
    const QSet<QString> &undraggableIds() const { return m_undraggableIds; }
    int dragMode() const { return m_dragMode; }
    int dragMinuteDelta() const { return m_dragMinuteDelta; }
    // The time line of the block under the point as painted ("9:00 AM –
    // 10:00 AM"); empty off the blocks or before the next paint.
    QString timeTextAt(const QPoint &pos) const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void eventSelected(const QString &eventId, const QDateTime &occurrenceStart, const QRect &screenRect);
    void eventFocused(const QString &eventId);
    void eventActivated(const QString &eventId);
    void eventContextRequested(const QString &eventId, const QPoint &globalPos);
    void emptySlotActivated(const QTime &time);
    void eventMoveRequested(const QString &eventId, const QDateTime &instanceStart, int minuteOffset);
    void eventResizeRequested(const QString &eventId, const QDateTime &instanceStart, int minuteDelta);
    void zoomRequested(int wheelNotches);

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void ensureBlocks();
    // Lays the blocks out for the current size and zoom; hit-testing and
    // painting both read what it made, so the rectangles never outlive the
    // blocks they index.
    void ensureHitRects();
    void dropHitRects();
    void paintGrid(QPainter &painter, int hourPx, const QRect &exposed);
    void paintNowLine(QPainter &painter, int hourPx);
    void paintBlocks(QPainter &painter, const QRect &exposed);
    void paintDragPreview(QPainter &painter, int hourPx);
    QRect previewRect(int hourPx) const;
    // The area a preview (with its label above it) covers, for a partial repaint.
    QRect previewDirtyRect() const;
    // Hit entries: the first under the point (press, hover) or the last one,
    // painted on top (release, double-click, menu). -1 when none.
    int firstHitAt(const QPoint &pos) const;
    int lastHitAt(const QPoint &pos) const;
    bool inResizeZone(const QRect &rect, int y) const;
    void updateHoverCursor(const QPoint &pos);
    void focusStep(bool forward);

    AppState *m_appState;
    QList<Event> m_events;
    QHash<QString, QString> m_calendarColors;
    QSet<QString> m_dimmedIds;
    QSet<QString> m_pendingMarkCalendarIds;
    QDate m_date;
    QString m_selectedEventId;
    QList<EventHitRect> m_hitRects;
    // The block each hit entry was painted from, in step with m_hitRects.
    QList<int> m_hitBlocks;
    bool m_hitRectsValid = false;
    // The blocks' width and hour height, and the least block height, the
    // rectangles were laid out for.
    QSize m_hitGeometry;
    int m_hitMinimumHeight = 0;
    int m_workdayStartHour = 8;
    int m_workdayEndHour = 18;
    int m_hourHeight = 56;
    bool m_compact = false;
    int m_dragMode = DragNone;
    QString m_dragEventId;
    QDateTime m_dragInstanceStart;
    QPoint m_pressPos;
    QRect m_dragOriginRect;
    int m_dragMinuteDelta = 0;
    QSet<QString> m_undraggableIds;

    QList<DayBlock> m_blocks;
    bool m_blocksValid = false;
    // The cut titles and time lines, kept across paints and reloads.
    ElidedTextCache m_titleTexts;
    ElidedTextCache m_detailTexts;
    ViewClock m_clock;
    IcsImportSink m_icsImportSink;
};
