#include "views/week/weekview.h"

#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <QScrollArea>
#include <QScrollBar>
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
    : TimelinePage(appState, parent)
    , m_weekMode(weekMode)
{
    m_viewDate = clock()().date();

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

    m_timeline = new WeekTimelineWidget(appState);
    setUpTimeline(m_page, m_timeline, densityKey(), 60000);
    scrollArea()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(allDayStrip());
    layout->addWidget(scrollArea(), 1);
    m_sideways->setWidget(m_page);

    // The days are laid out where they are read, not on the GUI thread.
    ViewRangeOptions options;
    options.digest = [](ViewRangeData &data) {
        const QDate first = data.from.date();
        const int days = int(first.daysTo(data.to.date()));
        data.digest = QVariant::fromValue(PreparedDays::build(data, first, days));
    };
    loader()->setOptions(options);
    connectSignals();

    updateDayHeaders();
    reloader()->request();
    m_timeline->installEventFilter(this);
}

QString WeekView::densityKey() const
{
    return m_weekMode ? QStringLiteral("week") : QStringLiteral("days");
}

void WeekView::connectSignals()
{
    const auto relayout = [this] {
        updateDayHeaders();
        reloader()->request();
    };
    connect(appState(), &AppState::weekHorizonChanged, this, relayout);
    connect(appState(), &AppState::firstDayOfWeekChanged, this, relayout);
    if (appState()->weather())
        connect(appState()->weather(), &Weather::Service::forecastRefreshed, this, &WeekView::updateDayHeaders);
    connect(m_timeline, &WeekTimelineWidget::emptySlotActivated, this, [this](const QDate &date, const QTime &time) {
        EventEdits::openNewEventAt(appState(), QDateTime(date, time), this);
    });
    connect(m_timeline, &WeekTimelineWidget::eventMoveRequested, this, &WeekView::onEventMoveRequested);
}

void WeekView::setClock(ViewClock clock)
{
    TimelinePage::setClock(std::move(clock));
    updateDayHeaders();
}

QDate WeekView::rangeStart() const
{
    if (!m_weekMode)
        return m_viewDate;
    const Qt::DayOfWeek firstDay = appState() ? appState()->firstDayOfWeek() : QLocale::system().firstDayOfWeek();
    return ViewDates::weekStart(m_viewDate, firstDay);
}

int WeekView::dayCount() const
{
    if (m_weekMode || !appState())
        return 7;
    return std::max(appState()->weekHorizon(), 2);
}

void WeekView::refresh(const QDate &date)
{
    if (date == m_viewDate)
        return;
    m_viewDate = date;
    updateDayHeaders();
    reloader()->request();
}

void WeekView::reload()
{
    const QDate first = rangeStart();
    const QDateTime from(first, QTime(0, 0));
    loader()->request(from, QDateTime(first.addDays(dayCount()), QTime(0, 0)));
}

void WeekView::applyRange(const ViewRangeData &data)
{
    const QDate first = data.from.date();
    const int days = int(first.daysTo(data.to.date()));
    const PreparedDays prepared = data.digest.value<PreparedDays>();
    m_timeline->setEvents(first, days, data.events, data.calendarColors, data.dimmedIds,
                          data.pendingMarkCalendarIds, &prepared);
    const WorkdayHours workday = WorkdayHours::fromPreferences(appState());
    m_timeline->setWorkdayHours(workday.startHour, workday.endHour);
    allDayStrip()->setEvents(TimelineGeometry::Gutter, first, days, data.events, data.calendarColors,
                             data.dimmedIds);
    Q_EMIT rangeLoaded();
}

void WeekView::updateDayHeaders()
{
    if (!m_headerRow)
        return;
    qDeleteAll(m_headerLabels);
    m_headerLabels.clear();
    Weather::Service *weather = appState()->weather();
    const bool showWeather = weather && weather->isEnabled();
    const QString unit = appState()->preferences()->getString(QLatin1String(PreferenceKeys::WeatherUnit), QStringLiteral("F"));
    const QDate today = clock()().date();
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
    m_page->setMinimumWidth(columns + scrollArea()->verticalScrollBar()->sizeHint().width());
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

bool WeekView::showsDay(const QDate &day) const
{
    const qint64 offset = rangeStart().daysTo(day);
    return offset >= 0 && offset < dayCount();
}

bool WeekView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_timeline && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        placeDayHeaders();
    return TimelinePage::eventFilter(watched, event);
}

void WeekView::onEventMoveRequested(const QString &eventId, const QDateTime &instanceStart, int dayDelta,
                                    int minuteOffset)
{
    // The same store, undo and pending rules as every other view's move.
    EventEdits::moveEvent(appState(), this, eventId, instanceStart, dayDelta, minuteOffset);
}
