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
    : ViewPage(appState, parent)
    , m_popoverFactory(standardEventPopoverFactory())
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(0);
    m_widget = new WeekGridWidget(this);
    layout->addWidget(m_widget, 1);

    connect(appState, &AppState::currentDateChanged, reloader(), &PageReloader::request);
    if (appState->weather())
        connect(appState->weather(), &Weather::Service::forecastRefreshed, reloader(), &PageReloader::request);
    connect(appState, &AppState::densityChanged, this, &WeekGridView::onDensityChanged);
    connect(m_widget, &WeekGridWidget::eventSelected, this,
            [this](const QString &id, const QDateTime &occurrenceStart, const QRect &rect) {
                EventEdits::showDetails(this->appState(), m_popoverFactory, this, id, occurrenceStart, rect);
            });
    connect(m_widget, &WeekGridWidget::eventActivated, this,
            [this](const QString &id) { EventEdits::openEditorFor(this->appState(), id, this); });
    connect(m_widget, &WeekGridWidget::eventContextRequested, this,
            [this](const QString &id, const QPoint &globalPos) {
                EventEdits::showContextMenu(this->appState(), this, id, globalPos);
            });
    connect(m_widget, &WeekGridWidget::dayActivated, this, &WeekGridView::dayActivated);

    m_widget->setCompact(appState->isCompact(QStringLiteral("grid")));
    reloader()->request();
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
    const QDate current = appState()->currentDate();
    const QDate first = current.isValid() ? current : QDate::currentDate();
    const QDateTime from(first, QTime(0, 0));
    loader()->request(from, QDateTime(first.addDays(8), QTime(0, 0)));
}

void WeekGridView::applyRange(const ViewRangeData &data)
{
    const QDate first = data.from.date();
    m_widget->setContent(first, data.events, data.calendarColors, data.dimmedIds,
                         WeatherLabels::forDays(appState(), first, 8));
}

