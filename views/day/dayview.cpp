#include "views/day/dayview.h"

#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
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
    : QWidget(parent)
    , m_appState(appState)
    , m_clock(systemViewClock())
    , m_popoverFactory(standardEventPopoverFactory())
{
    m_date = m_clock().date();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_allDayStrip = new AllDayStrip(this);
    layout->addWidget(m_allDayStrip);

    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_timeline = new DayTimelineWidget(m_appState, m_scrollArea);
    m_timeline->setHourHeight(m_appState->hourHeight());
    m_scrollArea->setWidget(m_timeline);
    m_allDayStrip->followScrollBar(m_scrollArea->verticalScrollBar());
    layout->addWidget(m_scrollArea);

    m_reloader = new PageReloader(this, [this] { reload(); });
    // The day fills in when its load completes; the window shows before.
    m_loader = new ViewRangeLoader(m_appState, this);
    connect(m_loader, &ViewRangeLoader::loaded, this, &DayView::applyRange);
    // The day is laid out where it is read, not on the GUI thread.
    ViewRangeOptions options;
    options.digest = [](ViewRangeData &data) {
        data.digest = QVariant::fromValue(PreparedDays::build(data, data.from.date(), 1));
    };
    m_loader->setOptions(options);
    connectSignals();

    m_timeline->setSelectedEventId(m_appState->selectedEventId());
    m_timeline->setDate(m_date);
    m_reloader->request();
    m_scrollArea->viewport()->installEventFilter(this);

    m_nowTimer = new QTimer(this);
    m_nowTimer->setInterval(30000);
    connect(m_nowTimer, &QTimer::timeout, m_timeline, qOverload<>(&QWidget::update));
    m_nowTimer->start();
}

void DayView::connectSignals()
{
    connect(m_timeline, &DayTimelineWidget::zoomRequested, this,
            [this](int notches) { m_appState->setHourHeight(m_appState->hourHeight() + 8 * notches); });
    connect(m_appState, &AppState::hourHeightChanged, m_timeline, &DayTimelineWidget::setHourHeight);
    connect(m_appState, &AppState::activeViewChanged, m_reloader, &PageReloader::request);
    connect(m_loader, &ViewRangeLoader::sourcesChanged, m_reloader, &PageReloader::request);
    m_timeline->setCompact(m_appState->isCompact(QStringLiteral("day")));
    connect(m_appState, &AppState::densityChanged, this, [this](const QString &view, const QString &density) {
        if (view == QLatin1String("day"))
            m_timeline->setCompact(density == QLatin1String("compact"));
    });
    connect(m_timeline, &DayTimelineWidget::eventSelected, this, &DayView::onEventSelected);
    connect(m_timeline, &DayTimelineWidget::eventFocused, m_appState, &AppState::setSelectedEventId);
    connect(m_timeline, &DayTimelineWidget::eventActivated, this, &DayView::onEventActivated);
    connect(m_timeline, &DayTimelineWidget::eventContextRequested, this, &DayView::showEventContextMenu);
    connect(m_allDayStrip, &AllDayStrip::eventSelected, this,
            [this](const QString &id, const QRect &rect) { onEventSelected(id, QDateTime(), rect); });
    connect(m_allDayStrip, &AllDayStrip::eventActivated, this, &DayView::onEventActivated);
    connect(m_allDayStrip, &AllDayStrip::eventContextRequested, this, &DayView::showEventContextMenu);
    connect(m_timeline, &DayTimelineWidget::emptySlotActivated, this, &DayView::onEmptySlotActivated);
    connect(m_timeline, &DayTimelineWidget::eventMoveRequested, this, &DayView::onEventMoveRequested);
    connect(m_timeline, &DayTimelineWidget::eventResizeRequested, this, &DayView::onEventResizeRequested);
    connect(m_appState, &AppState::selectedEventChanged, m_timeline, &DayTimelineWidget::setSelectedEventId);
}

void DayView::setClock(ViewClock clock)
{
    m_clock = clock ? std::move(clock) : systemViewClock();
    m_timeline->setClock(m_clock);
}

void DayView::setPopoverFactory(EventPopoverFactory factory)
{
    m_popoverFactory = factory ? std::move(factory) : standardEventPopoverFactory();
}

void DayView::setIcsImportSink(IcsImportSink sink)
{
    m_timeline->setIcsImportSink(std::move(sink));
}

void DayView::setDate(const QDate &date)
{
    if (date == m_date)
        return;
    m_date = date;
    m_reloader->request();
}

void DayView::reload()
{
    m_loader->request(QDateTime(m_date, QTime(0, 0)), QDateTime(m_date.addDays(1), QTime(0, 0)));
}

bool DayView::isLoading() const
{
    return m_loader->isLoading();
}

void DayView::applyRange(const ViewRangeData &data)
{
    const QDate date = data.from.date();
    const PreparedDays prepared = data.digest.value<PreparedDays>();
    m_timeline->setDate(date);
    m_timeline->setEvents(data.events, data.calendarColors, data.dimmedIds, data.pendingMarkCalendarIds, &prepared);
    m_timeline->update();

    const WorkdayHours workday = WorkdayHours::fromPreferences(m_appState);
    m_timeline->setWorkdayHours(workday.startHour, workday.endHour);

    m_allDayStrip->setEvents(TimelineGeometry::Gutter, date, 1, data.events, data.calendarColors, data.dimmedIds);
    Q_EMIT rangeLoaded();
}

void DayView::scrollToWorkday()
{
    QScrollBar *bar = m_scrollArea ? m_scrollArea->verticalScrollBar() : nullptr;
    const int viewportHeight = m_scrollArea ? m_scrollArea->viewport()->height() : 0;
    if (!bar || viewportHeight <= 0)
        return;
    const QDateTime now = m_clock();
    bar->setValue(WorkdayHours::fromPreferences(m_appState)
                      .firstShowScrollTarget(m_date == now.date(), now.time(), m_timeline->hourPixels(), viewportHeight));
    m_firstShowPending = false;
}

bool DayView::eventFilter(QObject *watched, QEvent *event)
{
    if (m_firstShowPending && m_scrollArea && watched == m_scrollArea->viewport() && event->type() == QEvent::Resize)
        scrollToWorkday();
    return QWidget::eventFilter(watched, event);
}

void DayView::onEventSelected(const QString &eventId, const QDateTime &occurrenceStart, const QRect &anchorRect)
{
    EventEdits::showDetails(m_appState, m_popoverFactory, this, eventId, occurrenceStart, anchorRect);
}

void DayView::onEventActivated(const QString &eventId)
{
    EventEdits::openEditorFor(m_appState, eventId, this);
}

void DayView::onEmptySlotActivated(const QTime &time)
{
    EventEdits::openNewEventAt(m_appState, QDateTime(m_date, time), this);
}

void DayView::onEventMoveRequested(const QString &eventId, const QDateTime &instanceStart, int minuteOffset)
{
    EventEdits::moveEvent(m_appState, this, eventId, instanceStart, 0, minuteOffset);
}

void DayView::onEventResizeRequested(const QString &eventId, const QDateTime &instanceStart, int minuteDelta)
{
    EventEdits::resizeEvent(m_appState, this, eventId, instanceStart, minuteDelta);
}

void DayView::showEventContextMenu(const QString &eventId, const QPoint &globalPos)
{
    EventEdits::showContextMenu(m_appState, this, eventId, globalPos);
}

