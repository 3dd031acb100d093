#pragma once

#include "views/common/timelinewidget.h"

#include <QDate>
#include <QPoint>
#include <QString>
#include <QTime>

// The painted 24-hour column of the day view: the hour grid, the day's timed
// events side by side where they overlap, the current-time line, and a dashed
// preview while a block is dragged or its bottom edge resized. It turns mouse,
// key, wheel and drop input into signals and never writes the store.
class DayTimelineWidget : public TimelineWidget
{
    Q_OBJECT
public:
    explicit DayTimelineWidget(AppState *appState, QWidget *parent = nullptr);

    // With `prepared` for the widget's date (made where the events were
    // read), the day is not laid out again here.
    void setEvents(const QList<Event> &events, const QHash<QString, QString> &calendarColors,
                   const QSet<QString> &dimmedIds, const QSet<QString> &pendingMarkCalendarIds,
                   const PreparedDays *prepared = nullptr);
    void setDate(const QDate &date) { setFirstDate(date); }

    QDate date() const { return firstDate(); }
    // The time line of the block under the point as painted ("9:00 AM –
    // 10:00 AM"); empty off the blocks or before the next paint.
    QString timeTextAt(const QPoint &pos) const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void emptySlotActivated(const QTime &time);
    void eventMoveRequested(const QString &eventId, const QDateTime &instanceStart, int minuteOffset);

protected:
    bool event(QEvent *event) override;
    BlockColumns blockColumns() const override;
    void paintGrid(QPainter &painter, int hourPx, const QRect &exposed) override;
    void paintNowLine(QPainter &painter, int hourPx) override;
    QString ghostText() const override;
    QColor ghostColour() const override;
    QColor ghostTextColour() const override;
    void requestMove(const QString &eventId, const QDateTime &instanceStart, int dayDelta,
                     int minuteOffset) override;
    bool activateEmptySlot(const QPoint &pos, const QTime &time) override;
    QDate taskDropDate(const QPoint &pos) const override;
};
