#include "views/month/monthview.h"

#include <QVBoxLayout>

#include "app/appstate.h"
#include "services/weatherservice.h"
#include "store/preferencesrepository.h"
#include "views/common/pagereloader.h"
#include "views/common/viewdates.h"
#include "views/common/viewrange.h"
#include "views/common/viewrangeloader.h"
#include "views/common/weatherlabels.h"
#include "views/month/monthgridwidget.h"

MonthView::MonthView(AppState *state, QWidget *parent)
    : ViewPage(state, parent)
    , m_date(QDate::currentDate())
    , m_popoverFactory(standardEventPopoverFactory())
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_grid = new MonthGridWidget(appState(), this);
    layout->addWidget(m_grid, 1);
    if (appState()->weather())
        connect(appState()->weather(), &Weather::Service::forecastRefreshed, reloader(), &PageReloader::request);
    connect(appState(), &AppState::densityChanged, this, [this](const QString &view, const QString &density) {
        if (view == QLatin1String("month"))
            m_grid->setCompact(density == QLatin1String("compact"));
    });
    connect(appState(), &AppState::firstDayOfWeekChanged, this, [this](Qt::DayOfWeek day) {
        m_grid->setFirstDayOfWeek(int(day));
        reloader()->request();
    });
    connect(m_grid, &MonthGridWidget::eventSelected, this,
            [this](const QString &id, const QDateTime &occurrenceStart, const QRect &rect) {
                EventEdits::showDetails(appState(), m_popoverFactory, this, id, occurrenceStart, rect);
            });
    connect(m_grid, &MonthGridWidget::eventActivated, this,
            [this](const QString &id) { EventEdits::openEditorFor(appState(), id, this); });
    connect(m_grid, &MonthGridWidget::eventContextRequested, this, &MonthView::onEventContextRequested);

    m_grid->setCompact(appState()->isCompact(QStringLiteral("month")));
    m_grid->setFirstDayOfWeek(int(appState()->firstDayOfWeek()));
    reloader()->request();
}

void MonthView::setPopoverFactory(EventPopoverFactory factory)
{
    m_popoverFactory = factory ? std::move(factory) : standardEventPopoverFactory();
}

void MonthView::setIcsImportSink(IcsImportSink sink)
{
    m_grid->setIcsImportSink(std::move(sink));
}

void MonthView::setDate(const QDate &date)
{
    if (date == m_date)
        return;
    m_date = date;
    reloader()->request();
}

void MonthView::reload()
{
    const QDate first = ViewDates::monthGridStart(m_date, appState()->firstDayOfWeek());
    const QDateTime from(first, QTime(0, 0));
    loader()->request(from, QDateTime(first.addDays(42), QTime(0, 0)));
}

void MonthView::applyRange(const ViewRangeData &data)
{
    const QDate first = data.from.date();
    m_grid->setContent(m_date, data.events, data.calendarColors, data.dimmedIds,
                       WeatherLabels::forDays(appState(), first, 42));
}

void MonthView::onEventContextRequested(const QString &eventId, const QPoint &globalPos)
{
    EventEdits::showContextMenu(appState(), this, eventId, globalPos);
}

