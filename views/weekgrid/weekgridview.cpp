#include "views/weekgrid/weekgridview.h"

#include <QVBoxLayout>

#include "app/appstate.h"
#include "services/weatherservice.h"
#include "views/common/pagereloader.h"
#include "views/common/viewrange.h"
#include "views/common/viewrangeloader.h"
#include "views/common/weatherlabels.h"
#include "views/weekgrid/weekgridwidget.h"

WeekGridView::WeekGridView(AppState *appState, QWidget *parent)
    : QWidget(parent)
    , m_appState(appState)
    , m_popoverFactory(standardEventPopoverFactory())
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(0);
    m_widget = new WeekGridWidget(this);
    layout->addWidget(m_widget, 1);
    m_reloader = new PageReloader(this, [this] { reload(); });
    m_loader = new ViewRangeLoader(m_appState, this);
    connect(m_loader, &ViewRangeLoader::loaded, this, &WeekGridView::applyRange);

    connect(m_appState, &AppState::activeViewChanged, m_reloader, &PageReloader::request);
    connect(m_appState, &AppState::currentDateChanged, m_reloader, &PageReloader::request);
    // The loader hears of the store's changes first and says when to read.
    connect(m_loader, &ViewRangeLoader::sourcesChanged, m_reloader, &PageReloader::request);
    if (m_appState->weather())
        connect(m_appState->weather(), &Weather::Service::forecastRefreshed, m_reloader, &PageReloader::request);
    connect(m_appState, &AppState::densityChanged, this, &WeekGridView::onDensityChanged);
    connect(m_widget, &WeekGridWidget::eventSelected, this,
            [this](const QString &id, const QDateTime &occurrenceStart, const QRect &rect) {
                EventEdits::showDetails(m_appState, m_popoverFactory, this, id, occurrenceStart, rect);
            });
    connect(m_widget, &WeekGridWidget::eventActivated, this,
            [this](const QString &id) { EventEdits::openEditorFor(m_appState, id, this); });
    connect(m_widget, &WeekGridWidget::eventContextRequested, this,
            [this](const QString &id, const QPoint &globalPos) {
                EventEdits::showContextMenu(m_appState, this, id, globalPos);
            });
    connect(m_widget, &WeekGridWidget::dayActivated, this, &WeekGridView::dayActivated);

    m_widget->setCompact(m_appState->isCompact(QStringLiteral("grid")));
    m_reloader->request();
}

WeekGridView::~WeekGridView() = default;

void WeekGridView::setPopoverFactory(EventPopoverFactory factory)
{
    m_popoverFactory = factory ? std::move(factory) : standardEventPopoverFactory();
}

void WeekGridView::onDensityChanged(const QString &mode, const QString &density)
{
    if (mode == QLatin1String("grid"))
        m_widget->setCompact(density == QLatin1String("compact"));
}

void WeekGridView::reload()
{
    const QDate first = m_appState->currentDate().isValid() ? m_appState->currentDate() : QDate::currentDate();
    const QDateTime from(first, QTime(0, 0));
    m_loader->request(from, QDateTime(first.addDays(8), QTime(0, 0)));
}

bool WeekGridView::isLoading() const
{
    return m_loader->isLoading();
}

void WeekGridView::applyRange(const ViewRangeData &data)
{
    const QDate first = data.from.date();
    m_widget->setContent(first, data.events, data.calendarColors, data.dimmedIds,
                         WeatherLabels::forDays(m_appState, first, 8));
}

