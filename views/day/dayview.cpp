#include "views/day/dayview.h"

#include <QScrollArea>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "views/common/alldaystrip.h"
#include "views/common/pagereloader.h"
#include "views/common/prepareddays.h"
#include "views/common/timelinegeometry.h"
#include "views/common/viewrange.h"
#include "views/common/viewrangeloader.h"
#include "views/common/workdayhours.h"
#include "views/day/daytimelinewidget.h"

DayView::DayView(AppState *appState, QWidget *parent)
    : TimelinePage(appState, parent)
{
    m_date = clock()().date();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_timeline = new DayTimelineWidget(appState);
    setUpTimeline(this, m_timeline, QStringLiteral("day"), 30000);
    layout->addWidget(allDayStrip());
    layout->addWidget(scrollArea());

    // The day is laid out where it is read, not on the GUI thread.
    ViewRangeOptions options;
    options.digest = [](ViewRangeData &data) {
        data.digest = QVariant::fromValue(PreparedDays::build(data, data.from.date(), 1));
    };
    loader()->setOptions(options);
    connect(m_timeline, &DayTimelineWidget::emptySlotActivated, this, &DayView::onEmptySlotActivated);
    connect(m_timeline, &DayTimelineWidget::eventMoveRequested, this, &DayView::onEventMoveRequested);

    m_timeline->setDate(m_date);
    reloader()->request();
}

void DayView::setDate(const QDate &date)
{
    if (date == m_date)
        return;
    m_date = date;
    reloader()->request();
}

void DayView::reload()
{
    loader()->request(QDateTime(m_date, QTime(0, 0)), QDateTime(m_date.addDays(1), QTime(0, 0)));
}

void DayView::applyRange(const ViewRangeData &data)
{
    const QDate date = data.from.date();
    const PreparedDays prepared = data.digest.value<PreparedDays>();
    m_timeline->setDate(date);
    m_timeline->setEvents(data.events, data.calendarColors, data.dimmedIds, data.pendingMarkCalendarIds, &prepared);
    m_timeline->update();

    const WorkdayHours workday = WorkdayHours::fromPreferences(appState());
    m_timeline->setWorkdayHours(workday.startHour, workday.endHour);

    allDayStrip()->setEvents(TimelineGeometry::Gutter, date, 1, data.events, data.calendarColors, data.dimmedIds);
    Q_EMIT rangeLoaded();
}

void DayView::onEmptySlotActivated(const QTime &time)
{
    EventEdits::openNewEventAt(appState(), QDateTime(m_date, time), this);
}

void DayView::onEventMoveRequested(const QString &eventId, const QDateTime &instanceStart, int minuteOffset)
{
    EventEdits::moveEvent(appState(), this, eventId, instanceStart, 0, minuteOffset);
}
