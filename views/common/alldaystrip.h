#pragma once

#include "store/event.h"

#include <QDate>
#include <QFont>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QSet>
#include <QString>
#include <QWidget>

class QScrollBar;

// The band above the day and week timelines with the all-day events as bars,
// one column per day, packed into lanes. Past three lanes it shows two and a
// "+N more" chip per day until the user expands it. It never reads the
// store: the owning view hands it the filtered events on every reload.
class AllDayStrip : public QWidget
{
    Q_OBJECT
public:
    struct HitRect
    {
        QString eventId;
        QRect rect;
    };
    // One bar's place: its first and last day column (inclusive) and lane.
    struct Lane
    {
        QString eventId;
        int startCol = 0;
        int endCol = 0;
        int lane = 0;
        // Index of the event in the list the lanes were made from.
        qsizetype eventIndex = -1;
    };

    explicit AllDayStrip(QWidget *parent = nullptr);

    void setEvents(int labelWidth, const QDate &rangeStart, int dayCount, const QList<Event> &events,
                   const QHash<QString, QString> &calendarColors, const QSet<QString> &dimmedIds);

    QSize sizeHint() const override;

    // The timeline's vertical scroll bar: while it shows, the day columns
    // stop before its column, so they line up with the timeline's.
    void followScrollBar(QScrollBar *bar);
    int rightInset() const { return m_rightInset; }

    int laneCount() const { return m_laneCount; }
    bool isExpanded() const { return m_expanded; }
    bool isCollapsed() const { return !m_expanded && m_laneCount >= 4; }
    const QList<HitRect> &hitRects() const { return m_hitRects; }
    const QList<QRect> &moreRects() const { return m_moreRects; }
    QRect collapseRect() const { return m_collapseRect; }
    const QList<Lane> &lanes() const { return m_lanes; }

    // Lanes for the all-day events among `events` over dayCount columns.
    static QList<Lane> layoutLanes(const QList<Event> &events, const QDate &rangeStart, int dayCount);
    // The gutter label's font: the small label font, made smaller still
    // (down to a floor) while a word of `label` is wider than `width`.
    static QFont gutterLabelFont(const QFont &widgetFont, const QString &label, int width);

Q_SIGNALS:
    void eventSelected(const QString &eventId, const QRect &screenRect);
    void eventActivated(const QString &eventId);
    void eventContextRequested(const QString &eventId, const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // The topmost bar under the point, or null.
    const HitRect *barAt(const QPoint &pos) const;
    void paintBar(QPainter &painter, const Event &event, const QRect &rect);
    void paintCollapseBar(QPainter &painter);
    void paintChips(QPainter &painter, const QList<int> &hidden, int colWidth);

    int m_labelWidth = 64;
    QDate m_rangeStart;
    int m_dayCount = 1;
    QList<Event> m_events;
    QHash<QString, QString> m_calendarColors;
    QSet<QString> m_dimmedIds;
    QList<Lane> m_lanes;
    QList<HitRect> m_hitRects;
    int m_laneCount = 0;
    bool m_expanded = false;
    QList<QRect> m_moreRects;
    QRect m_collapseRect;
    QPointer<QScrollBar> m_scrollBar;
    int m_rightInset = 0;
};
