#pragma once

#include "views/common/timelinewidget.h"

#include <QDate>
#include <QPoint>
#include <QString>
#include <QTime>

// The painted hour grid of the week and multi-day views: the hour gutter and
// one column per day with that day's timed events side by side where they
// overlap, the working hours, today's column and the now line. Blocks are
// selected, opened, moved (also to other days) and resized with the mouse;
// the keys step through them; tasks and .ics files are dropped on a day and
// time. It turns input into signals and never writes the store.
class WeekTimelineWidget : public TimelineWidget
{
    Q_OBJECT
public:
    explicit WeekTimelineWidget(AppState *appState, QWidget *parent = nullptr);

    // With `prepared` for the same days (made where the events were read),
    // the days are not laid out again here.
    void setEvents(const QDate &rangeStart, int dayCount, const QList<Event> &events,
                   const QHash<QString, QString> &calendarColors, const QSet<QString> &dimmedIds,
                   const QSet<QString> &pendingMarkCalendarIds, const PreparedDays *prepared = nullptr);

    QDate rangeStart() const { return firstDate(); }
    int dayCount() const { return columnCount(); }
    int columnWidth() const;
    int dragDayDelta() const { return TimelineWidget::dragDayDelta(); }
    QString ghostLabel() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void emptySlotActivated(const QDate &date, const QTime &time);
    void eventMoveRequested(const QString &eventId, const QDateTime &instanceStart, int dayDelta, int minuteOffset);

protected:
    BlockColumns blockColumns() const override;
    void paintGrid(QPainter &painter, int hourPx, const QRect &exposed) override;
    void paintNowLine(QPainter &painter, int hourPx) override;
    QString ghostText() const override { return ghostLabel(); }
    QColor ghostColour() const override;
    QColor ghostTextColour() const override;
    void requestMove(const QString &eventId, const QDateTime &instanceStart, int dayDelta,
                     int minuteOffset) override;
    bool activateEmptySlot(const QPoint &pos, const QTime &time) override;
    QDate taskDropDate(const QPoint &pos) const override;

private:
    int dayColumnAt(int x) const;
};
