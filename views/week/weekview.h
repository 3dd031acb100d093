#pragma once

#include "views/common/timelinepage.h"

#include <QDate>
#include <QList>
#include <QString>

class QLabel;
class WeekTimelineWidget;

// A run of days as a timeline: a header with one label per day, the all-day
// strip and the scrolling week timeline. In week mode it shows the calendar
// week around the view date, otherwise the week horizon's days from it. It
// loads its events itself, follows the shared selection, zoom and density,
// and turns the widgets' signals into the popover, the event form, the menu
// and moves and resizes with undo.
class WeekView : public TimelinePage
{
    Q_OBJECT
public:
    WeekView(AppState *appState, bool weekMode, QWidget *parent = nullptr);

    void refresh(const QDate &date);
    // Asks for the range's events; they arrive a moment later (rangeLoaded()).
    void reload() override;
    void updateDayHeaders();

    QDate viewDate() const { return m_viewDate; }
    QDate rangeStart() const;
    int dayCount() const;
    bool isWeekMode() const { return m_weekMode; }
    // "week" or "days": the key of its density setting.
    QString densityKey() const;

    // Also marks today's header anew.
    void setClock(ViewClock clock) override;

    WeekTimelineWidget *timeline() const { return m_timeline; }
    // Scrolls the header, the strip and the timeline sideways together.
    QScrollArea *sidewaysScrollArea() const { return m_sideways; }
    const QList<QLabel *> &headerLabels() const { return m_headerLabels; }

    void onEventMoveRequested(const QString &eventId, const QDateTime &instanceStart, int dayDelta,
                              int minuteOffset);

protected:
    void applyRange(const ViewRangeData &data) override;
    bool showsDay(const QDate &day) const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectSignals();
    void placeDayHeaders();

    bool m_weekMode;
    QScrollArea *m_sideways = nullptr;
    QWidget *m_page = nullptr;
    QWidget *m_headerRow = nullptr;
    QList<QLabel *> m_headerLabels;
    WeekTimelineWidget *m_timeline = nullptr;
    QDate m_viewDate;
};
