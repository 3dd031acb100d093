#pragma once

#include "store/event.h"
#include "views/common/dayblocks.h"
#include "views/common/elidedtextcache.h"
#include "views/common/eventblockpainter.h"
#include "views/common/eventhitrect.h"
#include "views/common/prepareddays.h"
#include "views/common/viewhooks.h"

#include <QColor>
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

// What the day and week timelines share: an hour grid of N day columns with
// each day's timed events side by side where they overlap. It keeps the
// blocks and their hit rectangles in step, paints them, and turns press,
// drag, release, double-click, menu, wheel and key input into signals; it
// never writes the store. Each timeline paints its own grid and now line and
// says where its blocks sit, what a drag shows and what a drop or an empty
// slot means.
class TimelineWidget : public QWidget
{
    Q_OBJECT
public:
    enum DragMode { DragNone = 0, DragPressed = 1, DragMoving = 2, DragResizing = 3 };

    void setSelectedEventId(const QString &id);
    void setHourHeight(int pixels);
    void setCompact(bool compact);
    void setWorkdayHours(int startHour, int endHour);
    void setClock(ViewClock clock);
    void setIcsImportSink(IcsImportSink sink);

    int hourHeight() const { return m_hourHeight; }
    bool isCompact() const { return m_compact; }
    int workdayStartHour() const { return m_workdayStartHour; }
    int workdayEndHour() const { return m_workdayEndHour; }
    QString selectedEventId() const { return m_selectedEventId; }
    int hourPixels() const;
    int timeToY(const QTime &time) const;
    // Rounds a vertical travel to whole quarter hours.
    int snapMinutes(int dy) const;
    const QList<EventHitRect> &hitRects() const { return m_hitRects; }
    const QSet<QString> &undraggableIds() const { return m_undraggableIds; }
    int dragMode() const { return m_dragMode; }
    int dragMinuteDelta() const { return m_dragMinuteDelta; }
    // The dashed preview of the drag in progress; null when none is drawn.
    QRect ghostRect() const;

    // Where a timeline's blocks go: column c's blocks share `width` pixels
    // from `left + c * step`.
    struct BlockColumns
    {
        int left = 0;
        int step = 0;
        int width = 0;

        bool operator==(const BlockColumns &other) const
        {
            return left == other.left && step == other.step && width == other.width;
        }
    };
    // How the two timelines differ in handling, fixed when they are made.
    struct Traits
    {
        EventBlockPainter::Style blockStyle;
        // A drag may carry a block to another column.
        bool dragsAcrossColumns = false;
        // Pixels the resize grip stops short of the block's bottom edge.
        int resizeGripInset = 0;
        // Blocks narrower than this show their title only.
        int detailMinimumWidth = 0;
    };

Q_SIGNALS:
    void eventSelected(const QString &eventId, const QDateTime &occurrenceStart, const QRect &screenRect);
    void eventFocused(const QString &eventId);
    void eventActivated(const QString &eventId);
    void eventContextRequested(const QString &eventId, const QPoint &globalPos);
    void eventResizeRequested(const QString &eventId, const QDateTime &instanceStart, int minuteDelta);
    void zoomRequested(int wheelNotches);

protected:
    TimelineWidget(AppState *appState, const Traits &traits, QWidget *parent);

    // Shows `events` over `columnCount` days from `firstDate`; with `prepared`
    // for those days (made where the events were read) they are not laid out
    // again here.
    void showEvents(const QDate &firstDate, int columnCount, const QList<Event> &events,
                    const QHash<QString, QString> &calendarColors, const QSet<QString> &dimmedIds,
                    const QSet<QString> &pendingMarkCalendarIds, const PreparedDays *prepared);
    void setFirstDate(const QDate &date);
    QDate firstDate() const { return m_firstDate; }
    int columnCount() const { return m_columnCount; }
    int dragDayDelta() const { return m_dragDayDelta; }
    int dragOriginColumn() const { return m_dragOriginColumn; }
    AppState *appState() const { return m_appState; }
    const ViewClock &clock() const { return m_clock; }
    // The block a hit entry was laid out from; null before the next layout.
    const DayBlock *blockAt(int hit) const;
    // The event a block of the current layout shows.
    const Event &eventOf(const DayBlock &block) const { return m_days.eventOf(block); }
    // Hit entries: the first under the point (press, hover) or the last one,
    // painted on top (release, double-click, menu). -1 when none.
    int firstHitAt(const QPoint &pos) const;
    int lastHitAt(const QPoint &pos) const;
    // Lays the blocks out for the current size and zoom; hit-testing and
    // painting both read what it made, so the rectangles never outlive the
    // blocks they index.
    void ensureHitRects();

    virtual BlockColumns blockColumns() const = 0;
    virtual void paintGrid(QPainter &painter, int hourPx, const QRect &exposed) = 0;
    virtual void paintNowLine(QPainter &painter, int hourPx) = 0;
    virtual QString ghostText() const = 0;
    virtual QColor ghostColour() const = 0;
    virtual QColor ghostTextColour() const = 0;
    virtual void requestMove(const QString &eventId, const QDateTime &instanceStart, int dayDelta,
                             int minuteOffset) = 0;
    // A double-click on an empty slot past the hour labels; false when it
    // means nothing here.
    virtual bool activateEmptySlot(const QPoint &pos, const QTime &time) = 0;
    // The day a task dropped at `pos` is planned on; invalid to refuse it.
    virtual QDate taskDropDate(const QPoint &pos) const = 0;

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
        int column = 0;
        int block = 0;
    };

    void ensureBlocks();
    void dropHitRects();
    void paintBlocks(QPainter &painter, const QRect &exposed);
    void paintGhost(QPainter &painter);
    bool inResizeZone(const QRect &rect, int y) const;
    void updateHoverCursor(const QPoint &pos);
    void setDragDeltas(int minuteDelta, int dayDelta);

    AppState *m_appState;
    Traits m_traits;
    QDate m_firstDate;
    int m_columnCount = 1;
    QList<Event> m_events;
    QHash<QString, QString> m_calendarColors;
    QSet<QString> m_dimmedIds;
    QSet<QString> m_pendingMarkCalendarIds;
    QString m_selectedEventId;
    QList<EventHitRect> m_hitRects;
    // The block each hit entry was painted from, in step with m_hitRects.
    QList<HitSource> m_hitSources;
    bool m_hitRectsValid = false;
    // The columns, hour height and least block height the rectangles were
    // laid out for.
    BlockColumns m_hitColumns;
    int m_hitHourPixels = 0;
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
    int m_dragOriginColumn = 0;
    int m_dragMinuteDelta = 0;
    int m_dragDayDelta = 0;
    QSet<QString> m_undraggableIds;

    // Each column's blocks with the events they index, laid out once per
    // change of events or range.
    PreparedDays m_days;
    bool m_blocksValid = false;
    // The cut titles and time lines, kept across paints and reloads.
    ElidedTextCache m_titleTexts;
    ElidedTextCache m_detailTexts;
    ViewClock m_clock;
    IcsImportSink m_icsImportSink;
};
