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

class AppState;

// The painted hour grid of the week and multi-day views: the hour gutter and
// one column per day with that day's timed events side by side where they
// overlap, the working hours, today's column and the now line. Blocks are
// selected, opened, moved (also to other days) and resized with the mouse;
// the keys step through them; tasks and .ics files are dropped on a day and
// time. It turns input into signals and never writes the store.
class WeekTimelineWidget : public QWidget
{
    Q_OBJECT
public:
    enum DragMode { DragNone = 0, DragPressed = 1, DragMoving = 2, DragResizing = 3 };

    explicit WeekTimelineWidget(AppState *appState, QWidget *parent = nullptr);

    // With `prepared` for the same days (made where the events were read),
    // the days are not laid out again here.
    void setEvents(const QDate &rangeStart, int dayCount, const QList<Event> &events,
                   const QHash<QString, QString> &calendarColors, const QSet<QString> &dimmedIds,
                   const QSet<QString> &pendingMarkCalendarIds, const PreparedDays *prepared = nullptr);
    void setHourHeight(int pixels);
    void setWorkdayHours(int startHour, int endHour);
    void setCompact(bool compact);
    void setSelectedEventId(const QString &id);
    void setClock(ViewClock clock);
    void setIcsImportSink(IcsImportSink sink);

    QDate rangeStart() const { return m_rangeStart; }
    int dayCount() const { return m_dayCount; }
    int hourHeight() const { return m_hourHeight; }
    bool isCompact() const { return m_compact; }
    QString selectedEventId() const { return m_selectedEventId; }
    int hourPixels() const;
    int columnWidth() const;
    int timeToY(const QTime &time) const;
    int snapMinutes(int dy) const;
    const QList<EventHitRect> &hitRects() const { return m_hitRects; }
    const QSet<QString> &undraggableIds() const { return m_undraggableIds; }
    int dragMode() const { return m_dragMode; }
    int dragMinuteDelta() const { return m_dragMinuteDelta; }
    int dragDayDelta() const { return m_dragDayDelta; }
    // The dashed preview of the drag in progress; null when none is drawn.
    QRect ghostRect() const;
    QString ghostLabel() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void eventSelected(const QString &eventId, const QDateTime &occurrenceStart, const QRect &screenRect);
    void eventFocused(const QString &eventId);
    void eventActivated(const QString &eventId);
    void eventContextRequested(const QString &eventId, const QPoint &globalPos);
    void emptySlotActivated(const QDate &date, const QTime &time);
    void eventMoveRequested(const QString &eventId, const QDateTime &instanceStart, int dayDelta, int minuteOffset);
    void eventResizeRequested(const QString &eventId, const QDateTime &instanceStart, int minuteDelta);
    void zoomRequested(int wheelNotches);

protected:
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
    struct HitSource
    {
        int day = 0;
        int block = 0;
    };

    void ensureBlocks();
    // Lays the blocks out for the current size and zoom; hit-testing and
    // painting both read what it made, so the rectangles never outlive the
    // blocks they index.
    void ensureHitRects();
    void paintGrid(QPainter &painter, int hourPx, int colWidth, const QRect &exposed);
    void paintNowLine(QPainter &painter, int hourPx, int colWidth);
    void paintBlocks(QPainter &painter, const QRect &exposed);
    int dayColumnAt(int x) const;
    int firstHitAt(const QPoint &pos) const;
    int lastHitAt(const QPoint &pos) const;
    bool inResizeZone(const QRect &rect, int y) const;
    void updateHoverCursor(const QPoint &pos);
    void setDragDeltas(int minuteDelta, int dayDelta);

    AppState *m_appState;
    QDate m_rangeStart;
    int m_dayCount = 7;
    QList<Event> m_events;
    QHash<QString, QString> m_calendarColors;
    QSet<QString> m_dimmedIds;
    QSet<QString> m_pendingMarkCalendarIds;
    QString m_selectedEventId;
    QList<EventHitRect> m_hitRects;
    QList<HitSource> m_hitSources;
    bool m_hitRectsValid = false;
    // The column width and hour height, and the least block height, the
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
    int m_dragOriginDay = 0;
    int m_dragMinuteDelta = 0;
    int m_dragDayDelta = 0;
    QSet<QString> m_undraggableIds;

    // Each column's blocks, laid out once per change of events or range.
    QList<QList<DayBlock>> m_dayBlocks;
    bool m_blocksValid = false;
    // The cut titles and time lines, kept across paints and reloads.
    ElidedTextCache m_titleTexts;
    ElidedTextCache m_detailTexts;
    ViewClock m_clock;
    IcsImportSink m_icsImportSink;
};
