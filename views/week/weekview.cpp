#include "views/week/weekview.h"

#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "services/weatherservice.h"
#include "store/preferencesrepository.h"
#include "views/common/alldaystrip.h"
#include "views/common/pagereloader.h"
#include "views/common/prepareddays.h"
#include "views/common/timelinegeometry.h"
#include "views/common/viewdates.h"
#include "views/common/viewrange.h"
#include "views/common/viewrangeloader.h"
#include "views/common/workdayhours.h"
#include "views/week/weektimelinewidget.h"
#include "store/preferencekeys.h"

namespace {

// Above and below the day labels.
constexpr int HeaderPadding = 8;

} // namespace

WeekView::WeekView(AppState *appState, bool weekMode, QWidget *parent)
    : QWidget(parent)
    , m_appState(appState)
    , m_weekMode(weekMode)
    , m_clock(systemViewClock())
    , m_popoverFactory(standardEventPopoverFactory())
{
    m_viewDate = m_clock().date();

    // The header, the strip and the timeline share one width; where the
    // days cannot fit, the three scroll sideways together.
    auto *outerLayout = new QVBoxLayout(this);
    outerLayout->setContentsMargins(0, 0, 0, 0);
    m_sideways = new QScrollArea(this);
    m_sideways->setWidgetResizable(true);
    m_sideways->setFrameShape(QFrame::NoFrame);
    m_sideways->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    outerLayout->addWidget(m_sideways);
    m_page = new QWidget(m_sideways);
    auto *layout = new QVBoxLayout(m_page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_headerRow = new QWidget(m_page);
    layout->addWidget(m_headerRow);

    m_allDayStrip = new AllDayStrip(m_page);
    layout->addWidget(m_allDayStrip);

    m_scrollArea = new QScrollArea(m_page);
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_timeline = new WeekTimelineWidget(m_appState);
    m_timeline->setHourHeight(m_appState->hourHeight());
    m_timeline->setCompact(m_appState->isCompact(densityKey()));
    m_scrollArea->setWidget(m_timeline);
    m_allDayStrip->followScrollBar(m_scrollArea->verticalScrollBar());
    layout->addWidget(m_scrollArea, 1);
    m_sideways->setWidget(m_page);

    m_reloader = new PageReloader(this, [this] { reload(); });
    // The days fill in when their load completes; the page shows before.
    m_loader = new ViewRangeLoader(m_appState, this);
    connect(m_loader, &ViewRangeLoader::loaded, this, &WeekView::applyRange);
    // The days are laid out where they are read, not on the GUI thread.
    ViewRangeOptions options;
    options.digest = [](ViewRangeData &data) {
        const QDate first = data.from.date();
        const int days = int(first.daysTo(data.to.date()));
        data.digest = QVariant::fromValue(PreparedDays::build(data, first, days));
    };
    m_loader->setOptions(options);
    connectSignals();

    m_timeline->setSelectedEventId(m_appState->selectedEventId());
    updateDayHeaders();
    m_reloader->request();
    m_scrollArea->viewport()->installEventFilter(this);
    m_timeline->installEventFilter(this);

    m_nowTimer = new QTimer(this);
    m_nowTimer->setInterval(60000);
    connect(m_nowTimer, &QTimer::timeout, m_timeline, qOverload<>(&QWidget::update));
    m_nowTimer->start();
}

QString WeekView::densityKey() const
{
    return m_weekMode ? QStringLiteral("week") : QStringLiteral("days");
}

void WeekView::connectSignals()
{
    connect(m_appState, &AppState::densityChanged, this, [this](const QString &view, const QString &density) {
        if (view == densityKey())
            m_timeline->setCompact(density == QLatin1String("compact"));
    });
    connect(m_timeline, &WeekTimelineWidget::zoomRequested, this,
            [this](int notches) { m_appState->setHourHeight(m_appState->hourHeight() + notches * 8); });
    connect(m_appState, &AppState::hourHeightChanged, m_timeline, &WeekTimelineWidget::setHourHeight);
    connect(m_appState, &AppState::activeViewChanged, m_reloader, &PageReloader::request);
    connect(m_loader, &ViewRangeLoader::sourcesChanged, m_reloader, &PageReloader::request);
    const auto relayout = [this] {
        updateDayHeaders();
        m_reloader->request();
    };
    connect(m_appState, &AppState::weekHorizonChanged, this, relayout);
    connect(m_appState, &AppState::firstDayOfWeekChanged, this, relayout);
    if (m_appState->weather())
        connect(m_appState->weather(), &Weather::Service::forecastRefreshed, this, &WeekView::updateDayHeaders);

    connect(m_timeline, &WeekTimelineWidget::eventSelected, this,
            [this](const QString &id, const QDateTime &occurrenceStart, const QRect &rect) {
                EventEdits::showDetails(m_appState, m_popoverFactory, this, id, occurrenceStart, rect);
            });
    connect(m_timeline, &WeekTimelineWidget::eventFocused, m_appState, &AppState::setSelectedEventId);
    const auto activate = [this](const QString &id) { EventEdits::openEditorFor(m_appState, id, this); };
    connect(m_timeline, &WeekTimelineWidget::eventActivated, this, activate);
    connect(m_allDayStrip, &AllDayStrip::eventActivated, this, activate);
    connect(m_timeline, &WeekTimelineWidget::eventContextRequested, this, &WeekView::showEventContextMenu);
    connect(m_allDayStrip, &AllDayStrip::eventContextRequested, this, &WeekView::showEventContextMenu);
    connect(m_allDayStrip, &AllDayStrip::eventSelected, this, [this](const QString &id, const QRect &rect) {
        EventEdits::showDetails(m_appState, m_popoverFactory, this, id, QDateTime(), rect);
    });
    connect(m_timeline, &WeekTimelineWidget::emptySlotActivated, this, [this](const QDate &date, const QTime &time) {
        EventEdits::openNewEventAt(m_appState, QDateTime(date, time), this);
    });
    connect(m_timeline, &WeekTimelineWidget::eventMoveRequested, this, &WeekView::onEventMoveRequested);
    connect(m_timeline, &WeekTimelineWidget::eventResizeRequested, this, &WeekView::onEventResizeRequested);
    connect(m_appState, &AppState::selectedEventChanged, m_timeline, &WeekTimelineWidget::setSelectedEventId);
}

void WeekView::setClock(ViewClock clock)
{
    m_clock = clock ? std::move(clock) : systemViewClock();
    m_timeline->setClock(m_clock);
    updateDayHeaders();
}

void WeekView::setPopoverFactory(EventPopoverFactory factory)
{
    m_popoverFactory = factory ? std::move(factory) : standardEventPopoverFactory();
}

void WeekView::setIcsImportSink(IcsImportSink sink)
{
    m_timeline->setIcsImportSink(std::move(sink));
}

QDate WeekView::rangeStart() const
{
    if (!m_weekMode)
        return m_viewDate;
    const Qt::DayOfWeek firstDay = m_appState ? m_appState->firstDayOfWeek() : QLocale::system().firstDayOfWeek();
    return ViewDates::weekStart(m_viewDate, firstDay);
}

int WeekView::dayCount() const
{
    if (m_weekMode || !m_appState)
        return 7;
    return std::max(m_appState->weekHorizon(), 2);
}

void WeekView::refresh(const QDate &date)
{
    if (date == m_viewDate)
        return;
    m_viewDate = date;
    updateDayHeaders();
    m_reloader->request();
}

void WeekView::reload()
{
    const QDate first = rangeStart();
    const QDateTime from(first, QTime(0, 0));
    m_loader->request(from, QDateTime(first.addDays(dayCount()), QTime(0, 0)));
}

bool WeekView::isLoading() const
{
    return m_loader->isLoading();
}

void WeekView::applyRange(const ViewRangeData &data)
{
    const QDate first = data.from.date();
    const int days = int(first.daysTo(data.to.date()));
    const PreparedDays prepared = data.digest.value<PreparedDays>();
    m_timeline->setEvents(first, days, data.events, data.calendarColors, data.dimmedIds,
                          data.pendingMarkCalendarIds, &prepared);
    const WorkdayHours workday = WorkdayHours::fromPreferences(m_appState);
    m_timeline->setWorkdayHours(workday.startHour, workday.endHour);
    m_allDayStrip->setEvents(TimelineGeometry::Gutter, first, days, data.events, data.calendarColors,
                             data.dimmedIds);
    Q_EMIT rangeLoaded();
}

void WeekView::updateDayHeaders()
{
    if (!m_headerRow)
        return;
    qDeleteAll(m_headerLabels);
    m_headerLabels.clear();
    Weather::Service *weather = m_appState->weather();
    const bool showWeather = weather && weather->isEnabled();
    const QString unit = m_appState->preferences()->getString(QLatin1String(PreferenceKeys::WeatherUnit), QStringLiteral("F"));
    const QDate today = m_clock().date();
    const QDate first = rangeStart();
    for (int i = 0; i < dayCount(); ++i) {
        const QDate date = first.addDays(i);
        QString text = QLocale().toString(date, QStringLiteral("ddd\nMMM d"));
        if (showWeather) {
            text += QLatin1Char('\n');
            if (const std::optional<DayForecast> forecast = weather->forecastFor(date))
                text += Weather::Service::dayLabel(*forecast, unit);
        }
        auto *label = new QLabel(text, m_headerRow);
        label->setAlignment(Qt::AlignCenter);
        QFont labelFont = label->font();
        labelFont.setWeight(date == today ? QFont::Bold : QFont::Normal);
        label->setFont(labelFont);
        label->show();
        m_headerLabels.append(label);
    }
    int labelHeight = 0;
    for (const QLabel *label : std::as_const(m_headerLabels))
        labelHeight = std::max(labelHeight, label->sizeHint().height());
    m_headerRow->setFixedHeight(labelHeight + 2 * HeaderPadding);
    const int columns = TimelineGeometry::Gutter + TimelineGeometry::MinColumnWidth * dayCount();
    m_timeline->setMinimumWidth(columns);
    m_page->setMinimumWidth(columns + m_scrollArea->verticalScrollBar()->sizeHint().width());
    placeDayHeaders();
}

void WeekView::placeDayHeaders()
{
    // Each label takes the geometry of its column, so it stays over it at
    // any width, with or without the vertical scroll bar.
    const int days = std::max(int(m_headerLabels.size()), 1);
    const int columnWidth = std::max(m_timeline->width() - TimelineGeometry::Gutter, 0) / days;
    const int left = m_timeline->mapTo(m_page, QPoint(0, 0)).x() - m_headerRow->x() + TimelineGeometry::Gutter;
    for (int i = 0; i < m_headerLabels.size(); ++i) {
        m_headerLabels.at(i)->setGeometry(left + i * columnWidth, HeaderPadding, columnWidth,
                                          m_headerRow->height() - 2 * HeaderPadding);
    }
}

void WeekView::scrollToWorkday()
{
    QScrollBar *bar = m_scrollArea ? m_scrollArea->verticalScrollBar() : nullptr;
    const int viewportHeight = m_scrollArea ? m_scrollArea->viewport()->height() : 0;
    if (!bar || viewportHeight <= 0)
        return;
    const QDateTime now = m_clock();
    const qint64 offset = rangeStart().daysTo(now.date());
    const bool todayShown = offset >= 0 && offset < dayCount();
    bar->setValue(WorkdayHours::fromPreferences(m_appState)
                      .firstShowScrollTarget(todayShown, now.time(), m_timeline->hourPixels(), viewportHeight));
    m_firstShow = false;
}

bool WeekView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_timeline && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        placeDayHeaders();
    if (m_scrollArea && watched == m_scrollArea->viewport() && event->type() == QEvent::Resize && m_firstShow)
        scrollToWorkday();
    return QWidget::eventFilter(watched, event);
}

void WeekView::onEventMoveRequested(const QString &eventId, const QDateTime &instanceStart, int dayDelta,
                                    int minuteOffset)
{
    // The same store, undo and pending rules as every other view's move.
    EventEdits::moveEvent(m_appState, this, eventId, instanceStart, dayDelta, minuteOffset);
}

void WeekView::onEventResizeRequested(const QString &eventId, const QDateTime &instanceStart, int minuteDelta)
{
    EventEdits::resizeEvent(m_appState, this, eventId, instanceStart, minuteDelta);
}

void WeekView::showEventContextMenu(const QString &eventId, const QPoint &globalPos)
{
    EventEdits::showContextMenu(m_appState, this, eventId, globalPos);
}

