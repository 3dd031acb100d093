#include "views/common/timelinepage.h"

#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include "app/appstate.h"
#include "views/common/alldaystrip.h"
#include "views/common/pagereloader.h"
#include "views/common/timelinewidget.h"
#include "views/common/workdayhours.h"

TimelinePage::TimelinePage(AppState *appState, QWidget *parent)
    : ViewPage(appState, parent)
    , m_clock(systemViewClock())
    , m_popoverFactory(standardEventPopoverFactory())
{
}

void TimelinePage::setUpTimeline(QWidget *holder, TimelineWidget *timeline, const QString &densityKey,
                                 int nowLineInterval)
{
    m_timeline = timeline;
    m_densityKey = densityKey;
    m_allDayStrip = new AllDayStrip(holder);
    m_scrollArea = new QScrollArea(holder);
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_timeline->setHourHeight(appState()->hourHeight());
    m_timeline->setCompact(appState()->isCompact(m_densityKey));
    m_scrollArea->setWidget(m_timeline);
    m_allDayStrip->followScrollBar(m_scrollArea->verticalScrollBar());
    connectTimeline();
    m_timeline->setSelectedEventId(appState()->selectedEventId());
    m_scrollArea->viewport()->installEventFilter(this);

    m_nowTimer = new QTimer(this);
    m_nowTimer->setInterval(nowLineInterval);
    connect(m_nowTimer, &QTimer::timeout, m_timeline, qOverload<>(&QWidget::update));
    m_nowTimer->start();
}

void TimelinePage::connectTimeline()
{
    AppState *state = appState();
    connect(m_timeline, &TimelineWidget::zoomRequested, this,
            [state](int notches) { state->setHourHeight(state->hourHeight() + 8 * notches); });
    connect(state, &AppState::hourHeightChanged, m_timeline, &TimelineWidget::setHourHeight);
    connect(state, &AppState::densityChanged, this, [this](const QString &view, const QString &density) {
        if (view == m_densityKey)
            m_timeline->setCompact(density == QLatin1String("compact"));
    });
    connect(m_timeline, &TimelineWidget::eventSelected, this, &TimelinePage::onEventSelected);
    connect(m_timeline, &TimelineWidget::eventFocused, state, &AppState::setSelectedEventId);
    connect(m_timeline, &TimelineWidget::eventActivated, this, &TimelinePage::onEventActivated);
    connect(m_timeline, &TimelineWidget::eventContextRequested, this, &TimelinePage::showEventContextMenu);
    connect(m_timeline, &TimelineWidget::eventResizeRequested, this, &TimelinePage::onEventResizeRequested);
    connect(m_allDayStrip, &AllDayStrip::eventSelected, this,
            [this](const QString &id, const QRect &rect) { onEventSelected(id, QDateTime(), rect); });
    connect(m_allDayStrip, &AllDayStrip::eventActivated, this, &TimelinePage::onEventActivated);
    connect(m_allDayStrip, &AllDayStrip::eventContextRequested, this, &TimelinePage::showEventContextMenu);
    connect(state, &AppState::selectedEventChanged, m_timeline, &TimelineWidget::setSelectedEventId);
}

void TimelinePage::setClock(ViewClock clock)
{
    m_clock = clock ? std::move(clock) : systemViewClock();
    m_timeline->setClock(m_clock);
}

void TimelinePage::setPopoverFactory(EventPopoverFactory factory)
{
    m_popoverFactory = factory ? std::move(factory) : standardEventPopoverFactory();
}

void TimelinePage::setIcsImportSink(IcsImportSink sink)
{
    m_timeline->setIcsImportSink(std::move(sink));
}

void TimelinePage::scrollToWorkday()
{
    QScrollBar *bar = m_scrollArea ? m_scrollArea->verticalScrollBar() : nullptr;
    const int viewportHeight = m_scrollArea ? m_scrollArea->viewport()->height() : 0;
    if (!bar || viewportHeight <= 0)
        return;
    const QDateTime now = m_clock();
    bar->setValue(WorkdayHours::fromPreferences(appState())
                      .firstShowScrollTarget(showsDay(now.date()), now.time(), m_timeline->hourPixels(),
                                             viewportHeight));
    m_firstShowPending = false;
}

bool TimelinePage::eventFilter(QObject *watched, QEvent *event)
{
    if (m_firstShowPending && m_scrollArea && watched == m_scrollArea->viewport() && event->type() == QEvent::Resize)
        scrollToWorkday();
    return ViewPage::eventFilter(watched, event);
}

void TimelinePage::onEventSelected(const QString &eventId, const QDateTime &occurrenceStart, const QRect &anchorRect)
{
    EventEdits::showDetails(appState(), m_popoverFactory, this, eventId, occurrenceStart, anchorRect);
}

void TimelinePage::onEventActivated(const QString &eventId)
{
    EventEdits::openEditorFor(appState(), eventId, this);
}

void TimelinePage::onEventResizeRequested(const QString &eventId, const QDateTime &instanceStart, int minuteDelta)
{
    EventEdits::resizeEvent(appState(), this, eventId, instanceStart, minuteDelta);
}

void TimelinePage::showEventContextMenu(const QString &eventId, const QPoint &globalPos)
{
    EventEdits::showContextMenu(appState(), this, eventId, globalPos);
}
