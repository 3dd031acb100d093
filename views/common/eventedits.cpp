#include "views/common/eventedits.h"

#include "app/appstate.h"
#include "app/edits/eventeditor.h"
#include "calendar/recurrence.h"
#include "dialogs/editing/eventactions.h"
#include "dialogs/editing/eventformdialog.h"
#include "store/calendarrepository.h"
#include "ui/popovers/eventdetailspopover.h"
#include "ui/popovers/popoverplacement.h"

#include <optional>

namespace EventEdits {

namespace {

std::optional<Event> liveEvent(AppState *state, const QString &eventId)
{
    if (!state)
        return std::nullopt;
    return state->eventEditor().liveEvent(eventId);
}

} // namespace

void moveEvent(AppState *state, QWidget *view, const QString &eventId, const QDateTime &instanceStart,
               int dayDelta, int minuteOffset)
{
    // A block whose event left the view since the last paint has no start
    // to move from; the request is dropped rather than guessed.
    const std::optional<Event> stored = liveEvent(state, eventId);
    if (!stored)
        return;
    if (const auto times = EventEditor::moved(*stored, instanceStart, dayDelta, minuteOffset))
        EventActions::changeTimes(state, view, *stored, instanceStart, *times, EventEditor::TimeEdit::Move);
}

void resizeEvent(AppState *state, QWidget *view, const QString &eventId, const QDateTime &instanceStart,
                 int minuteDelta)
{
    const std::optional<Event> stored = liveEvent(state, eventId);
    if (!stored)
        return;
    if (const auto times = EventEditor::resized(*stored, instanceStart, minuteDelta))
        EventActions::changeTimes(state, view, *stored, instanceStart, *times, EventEditor::TimeEdit::Resize);
}

void openEditor(AppState *state, const Event &stored, QWidget *view)
{
    EventDetailsPopover::closeCurrent();
    EventFormDialog dialog(state, stored, view);
    dialog.exec();
}

void openEditorFor(AppState *state, const QString &eventId, QWidget *view)
{
    if (const std::optional<Event> stored = liveEvent(state, eventId))
        openEditor(state, *stored, view);
}

void openNewEventAt(AppState *state, const QDateTime &start, QWidget *view)
{
    if (!state || state->calendars()->getAll().isEmpty())
        return;
    EventDetailsPopover::closeCurrent();
    EventFormDialog dialog(state, view);
    dialog.setStartAndDuration(start, 60);
    dialog.exec();
}

void showDetails(AppState *state, const EventPopoverFactory &factory, QWidget *view, const QString &eventId,
                 const QDateTime &occurrenceStart, const QRect &anchorRect)
{
    if (!state)
        return;
    state->setSelectedEventId(eventId);
    std::optional<Event> event = liveEvent(state, eventId);
    if (!event || !factory)
        return;
    if (occurrenceStart.isValid() && !event->recurrence_rule.isEmpty() && event->recurrence_id.isEmpty()) {
        event->end_time = Recurrence::occurrenceEnd(*event, occurrenceStart);
        event->start_time = occurrenceStart;
    }
    QWidget *popover = factory(state, *event, view);
    if (!popover)
        return;
    if (anchorRect.isValid())
        positionPopoverNear(popover, anchorRect);
    else
        showPopoverCentered(popover);
}

void showContextMenu(AppState *state, QWidget *view, const QString &eventId, const QPoint &globalPos)
{
    const std::optional<Event> stored = liveEvent(state, eventId);
    if (!stored)
        return;
    state->setSelectedEventId(eventId);
    EventActions::showMenu(state, view, *stored, globalPos,
                           [state, view](const Event &event) { openEditor(state, event, view); });
}

} // namespace EventEdits
