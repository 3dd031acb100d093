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
    : QWidget(parent)
    , m_appState(state)
    , m_date(QDate::currentDate())
    , m_popoverFactory(standardEventPopoverFactory())
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_grid = new MonthGridWidget(m_appState, this);
    layout->addWidget(m_grid, 1);
    m_reloader = new PageReloader(this, [this] { reload(); });
    m_loader = new ViewRangeLoader(m_appState, this);
    connect(m_loader, &ViewRangeLoader::loaded, this, &MonthView::applyRange);

    connect(m_appState, &AppState::activeViewChanged, m_reloader, &PageReloader::request);
    // The loader hears of the store's changes first and says when to read.
    connect(m_loader, &ViewRangeLoader::sourcesChanged, m_reloader, &PageReloader::request);
    if (m_appState->weather())
        connect(m_appState->weather(), &Weather::Service::forecastRefreshed, m_reloader, &PageReloader::request);
    connect(m_appState, &AppState::densityChanged, this, [this](const QString &view, const QString &density) {
        if (view == QLatin1String("month"))
            m_grid->setCompact(density == QLatin1String("compact"));
    });
    connect(m_appState, &AppState::firstDayOfWeekChanged, this, [this](Qt::DayOfWeek day) {
        m_grid->setFirstDayOfWeek(int(day));
        m_reloader->request();
    });
    connect(m_grid, &MonthGridWidget::eventSelected, this,
            [this](const QString &id, const QDateTime &occurrenceStart, const QRect &rect) {
                EventEdits::showDetails(m_appState, m_popoverFactory, this, id, occurrenceStart, rect);
            });
    connect(m_grid, &MonthGridWidget::eventActivated, this,
            [this](const QString &id) { EventEdits::openEditorFor(m_appState, id, this); });
    connect(m_grid, &MonthGridWidget::eventContextRequested, this, &MonthView::onEventContextRequested);

    m_grid->setCompact(m_appState->isCompact(QStringLiteral("month")));
    m_grid->setFirstDayOfWeek(int(m_appState->firstDayOfWeek()));
    m_reloader->request();
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
    m_reloader->request();
}

void MonthView::reload()
{
    const QDate first = ViewDates::monthGridStart(m_date, m_appState->firstDayOfWeek());
    const QDateTime from(first, QTime(0, 0));
    m_loader->request(from, QDateTime(first.addDays(42), QTime(0, 0)));
}

bool MonthView::isLoading() const
{
    return m_loader->isLoading();
}

void MonthView::applyRange(const ViewRangeData &data)
{
    const QDate first = data.from.date();
    m_grid->setContent(m_date, data.events, data.calendarColors, data.dimmedIds,
                       WeatherLabels::forDays(m_appState, first, 42));
}

void MonthView::onEventContextRequested(const QString &eventId, const QPoint &globalPos)
{
    EventEdits::showContextMenu(m_appState, this, eventId, globalPos);
}

