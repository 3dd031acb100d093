#pragma once

#include "store/event.h"

#include <QDate>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSet>
#include <QStringList>
#include <QWidget>

class AppState;
class ViewRangeLoader;
struct ViewRangeData;

// The small painted month of the sidebar: six weeks from the user's first
// day of the week, today ringed, the current date filled, and a dot under
// each day with a visible event. A click makes the day current; the wheel
// pages through months without changing the current date. The busy days are
// read off the GUI thread, first when the calendar is first shown.
class MiniMonthCalendar : public QWidget
{
    Q_OBJECT
public:
    explicit MiniMonthCalendar(AppState *appState, QWidget *parent = nullptr);

    QSize sizeHint() const override;

    // Reads the shown grid's busy days anew; they change when the read arrives.
    void reloadBusyDays();
    // A read is on its way, or none has arrived yet.
    bool isLoading() const;
    // The date of the cell under the point, or an invalid date.
    QDate dayAt(const QPoint &pos) const;

    QDate shownMonth() const { return m_shownMonth; }
    const QSet<QDate> &busyDays() const { return m_busyDays; }

    // The grid's first day for a month's first day.
    static QDate gridStart(const QDate &monthStart, Qt::DayOfWeek firstDay);
    // The cell of row 0..5 and column 0..6 in a widget of the given width.
    static QRect cellRect(int row, int column, int width);
    // The days of [gridStart, gridEnd) that the events cover.
    static QSet<QDate> busyDaysOf(const QList<Event> &events, const QDate &gridStart, const QDate &gridEnd);
    // Wheel paging: -1 the previous month, 1 the next, 0 none.
    static int wheelStep(const QPoint &angleDelta);

Q_SIGNALS:
    // The busy days of a read are in place.
    void busyDaysLoaded();

protected:
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void reloadWhenShown();
    void applyBusyDays(const ViewRangeData &data);
    void onCurrentDateChanged(const QDate &date);
    Qt::DayOfWeek firstDay() const;
    void paintHeader(QPainter &painter, Qt::DayOfWeek first);
    void paintCell(QPainter &painter, const QRect &cell, const QDate &date, const QDate &selected,
                   const QDate &hovered);

    AppState *m_appState;
    QDate m_shownMonth;
    QSet<QDate> m_busyDays;
    QPoint m_hoverPos;
    ViewRangeLoader *m_loader = nullptr;
    bool m_loaded = false;
    // A change arrived while hidden: read when shown.
    bool m_stale = true;
};
