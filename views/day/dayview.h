#pragma once

#include "views/common/timelinepage.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

class DayTimelineWidget;

// The page of one day: the all-day strip above the scrolling timeline. It
// loads the day's events of the active calendar group with the filter rules
// applied, follows the shared selection, zoom and density, scrolls to the
// working day when first shown, and turns the widgets' signals into the
// popover, the event form and the edits with undo.
class DayView : public TimelinePage
{
    Q_OBJECT
public:
    explicit DayView(AppState *appState, QWidget *parent = nullptr);

    void setDate(const QDate &date);
    QDate date() const { return m_date; }
    // Asks for the day's events; they arrive a moment later (rangeLoaded()).
    void reload() override;

    DayTimelineWidget *timeline() const { return m_timeline; }

    void onEmptySlotActivated(const QTime &time);
    void onEventMoveRequested(const QString &eventId, const QDateTime &instanceStart, int minuteOffset);

protected:
    void applyRange(const ViewRangeData &data) override;
    bool showsDay(const QDate &day) const override { return day == m_date; }

private:
    DayTimelineWidget *m_timeline = nullptr;
    QDate m_date;
};
