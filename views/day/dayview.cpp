#include "views/day/dayview.h"

#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "dialogs/editing/eventformdialog.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/filterrulerepository.h"
#include "store/preferencesrepository.h"
#include "ui/popovers/eventdetailspopover.h"
#include "ui/popovers/popoverplacement.h"
#include "views/common/alldaystrip.h"
#include "views/common/timelinegeometry.h"
#include "views/common/viewrange.h"
#include "views/day/daytimelinewidget.h"

namespace {

const char WorkdayStartKey[] = "ui/workdayStart";
const char WorkdayEndKey[] = "ui/workdayEnd";

} // namespace

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
    layout->addWidget(m_scrollArea);

    connectSignals();

    m_timeline->setSelectedEventId(m_appState->selectedEventId());
    reload();
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
    connect(m_appState, &AppState::activeViewChanged, this, &DayView::reload);
    connect(m_appState->calendars(), &CalendarRepository::calendarsChanged, this, &DayView::reload);
    connect(m_appState->events(), &EventRepository::eventsChanged, this, &DayView::reload);
    connect(m_appState->filterRules(), &FilterRuleRepository::filterRulesChanged, this, &DayView::reload);
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
    reload();
}

void DayView::reload()
{
    const QDateTime from(m_date, QTime(0, 0));
    const QDateTime to(m_date.addDays(1), QTime(0, 0));
    const ViewRangeData data = ViewRange::load(m_appState, from, to);
    m_timeline->setEvents(data.events, data.calendarColors, data.dimmedIds, data.pendingMarkCalendarIds);
    m_timeline->setDate(m_date);
    m_timeline->update();

    PreferencesRepository *preferences = m_appState->preferences();
    const int workdayStart = preferences->getInt(QString::fromLatin1(WorkdayStartKey), 8);
    const int workdayEnd = preferences->getInt(QString::fromLatin1(WorkdayEndKey), 18);
    m_timeline->setWorkdayHours(workdayStart, workdayEnd);

    m_allDayStrip->setEvents(TimelineGeometry::Gutter, m_date, 1, data.events, data.calendarColors, data.dimmedIds);
}

void DayView::scrollToWorkday()
{
    QScrollBar *bar = m_scrollArea ? m_scrollArea->verticalScrollBar() : nullptr;
    const int viewportHeight = m_scrollArea ? m_scrollArea->viewport()->height() : 0;
    if (!bar || viewportHeight <= 0)
        return;
    PreferencesRepository *preferences = m_appState->preferences();
    const int workdayStart = preferences->getInt(QString::fromLatin1(WorkdayStartKey), 8);
    const int workdayEnd = preferences->getInt(QString::fromLatin1(WorkdayEndKey), 18);

    int target = m_timeline->timeToY(QTime(workdayStart, 0));
    const QDateTime now = m_clock();
    if (m_date == now.date()) {
        const int minute = now.time().hour() * 60 + now.time().minute();
        if (minute < workdayStart * 60 || minute >= workdayEnd * 60)
            target = std::max(m_timeline->timeToY(now.time()) - viewportHeight / 3, 0);
    }
    bar->setValue(target);
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
    m_appState->setSelectedEventId(eventId);
    if (eventId.isEmpty())
        return;
    std::optional<Event> event = m_appState->events()->getById(eventId);
    if (!event || event->deleted_at)
        return;
    if (occurrenceStart.isValid() && !event->recurrence_rule.isEmpty() && event->recurrence_id.isEmpty()) {
        const qint64 duration = event->end_time ? event->start_time.secsTo(*event->end_time) : 0;
        event->start_time = occurrenceStart;
        if (event->end_time)
            event->end_time = occurrenceStart.addSecs(duration);
    }
    QWidget *popover = m_popoverFactory(m_appState, *event, this);
    if (!popover)
        return;
    if (anchorRect.isValid())
        positionPopoverNear(popover, anchorRect);
    else
        showPopoverCentered(popover);
}

void DayView::onEventActivated(const QString &eventId)
{
    const std::optional<Event> event = m_appState->events()->getById(eventId);
    if (!event || event->deleted_at)
        return;
    EventEdits::openEditor(m_appState, *event, this);
}

void DayView::onEmptySlotActivated(const QTime &time)
{
    if (m_appState->calendars()->getAll().isEmpty())
        return;
    EventDetailsPopover::closeCurrent();
    EventFormDialog dialog(m_appState, this);
    dialog.setStartAndDuration(QDateTime(m_date, time), 60);
    dialog.exec();
}

void DayView::onEventMoveRequested(const QString &eventId, const QDateTime &instanceStart, int minuteOffset)
{
    EventEdits::moveEvent(m_appState, this, eventId, instanceStart, 0, minuteOffset, editTexts());
}

void DayView::onEventResizeRequested(const QString &eventId, const QDateTime &instanceStart, int minuteDelta)
{
    EventEdits::resizeEvent(m_appState, this, eventId, instanceStart, minuteDelta, editTexts());
}

void DayView::showEventContextMenu(const QString &eventId, const QPoint &globalPos)
{
    EventEdits::showContextMenu(m_appState, this, eventId, globalPos, menuTexts(), editTexts());
}

EventMenuTexts DayView::menuTexts() const
{
    EventMenuTexts texts;
    texts.edit = tr("Edit…");
    texts.remove = tr("Delete");
    texts.editFilter = tr("Edit filter \"%1\"…");
    texts.createFilter = tr("Create Filter from Event…");
    texts.deleteTitle = tr("Delete event?");
    texts.deleteQuestion = tr("Delete \"%1\"? You can undo with %2.");
    return texts;
}

EventEditTexts DayView::editTexts() const
{
    EventEditTexts texts;
    texts.moved = tr("Moved \"%1\"");
    texts.resized = tr("Resized \"%1\"");
    texts.deleted = tr("Deleted \"%1\"");
    texts.saveFailedTitle = tr("Couldn't save the change");
    texts.saveFailedText = tr("\"%1\" could not be stored, so nothing was changed. The log has the details.");
    return texts;
}
