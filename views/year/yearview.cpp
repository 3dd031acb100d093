#include "views/year/yearview.h"

#include <QScrollArea>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "views/common/pagereloader.h"
#include "views/common/viewdates.h"
#include "views/common/viewrange.h"
#include "views/common/viewrangeloader.h"
#include "views/year/yeargridwidget.h"

YearView::YearView(AppState *state, QWidget *parent)
    : ViewPage(state, parent)
    , m_date(QDate::currentDate())
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The months fit the width and scroll up and down where they need more
    // height than there is.
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid = new YearGridWidget(m_scrollArea);
    m_scrollArea->setWidget(m_grid);
    layout->addWidget(m_scrollArea, 1);
    // A year of daily series is hundreds of thousands of occurrences: the
    // days are marked a slice of them at a time where they are read, and
    // only the marks come back.
    ViewRangeOptions options;
    options.eachSlice = [](const QList<Event> &slice, ViewRangeData &data) {
        BusyDays busy = data.digest.value<BusyDays>();
        const BusyDays more = busyDaysOf(slice, data.calendarColors, data.from.date().year());
        busy.days.unite(more.days);
        for (auto it = more.dotColors.cbegin(); it != more.dotColors.cend(); ++it) {
            if (!busy.dotColors.contains(it.key()))
                busy.dotColors.insert(it.key(), it.value());
        }
        data.digest = QVariant::fromValue(busy);
    };
    loader()->setOptions(options);

    connect(m_grid, &YearGridWidget::dayActivated, this, &YearView::dayActivated);
    connect(state, &AppState::firstDayOfWeekChanged, m_grid,
            [this](Qt::DayOfWeek day) { m_grid->setFirstDayOfWeek(int(day)); });

    m_grid->setFirstDayOfWeek(int(state->firstDayOfWeek()));
    reloader()->request();
}

void YearView::setDate(const QDate &date)
{
    const bool sameYear = m_date.isValid() && date.isValid() && date.year() == m_date.year();
    m_date = date;
    if (!sameYear)
        reloader()->request();
}

void YearView::reload()
{
    const QDateTime from(QDate(m_date.year(), 1, 1), QTime(0, 0));
    loader()->request(from, from.addYears(1));
}

void YearView::applyRange(const ViewRangeData &data)
{
    const BusyDays busy = data.digest.value<BusyDays>();
    m_grid->setContent(data.from.date().year(), busy.dotColors, busy.days);
}

YearView::BusyDays YearView::busyDaysOf(const QList<Event> &events, const QHash<QString, QString> &calendarColors,
                                        int year)
{
    BusyDays busy;
    for (const Event &event : events) {
        // An all-day event marks the day it names, in every zone.
        const QDate day = ViewDates::startDay(event);
        if (day.year() != year)
            continue;
        busy.days.insert(day);
        if (!busy.dotColors.contains(day))
            busy.dotColors.insert(day, event.color.isEmpty() ? calendarColors.value(event.calendar_id) : event.color);
    }
    return busy;

}
