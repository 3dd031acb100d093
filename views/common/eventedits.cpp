#include "views/common/eventedits.h"

#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>

#include "app/appstate.h"
#include "app/edits/undostack.h"
#include "calendar/filterengine.h"
#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "dialogs/editing/eventformdialog.h"
#include "dialogs/editing/filterformdialog.h"
#include "dialogs/editing/recurringeditscope.h"
#include "dialogs/editing/recurringeditscopedialog.h"
#include "store/calendarrepository.h"
#include "store/eventremoval.h"
#include "store/eventrepository.h"
#include "store/eventundo.h"
#include "store/filterrulerepository.h"
#include "ui/popovers/eventdetailspopover.h"
#include "ui/popovers/popoverplacement.h"
#include "views/common/timelinegeometry.h"

#include <optional>

namespace EventEdits {

namespace {

// The stored row when it is live; a tombstone is as good as gone here.
std::optional<Event> liveEvent(AppState *state, const QString &eventId)
{
    if (!state || eventId.isEmpty())
        return std::nullopt;
    std::optional<Event> event = state->events()->getById(eventId);
    if (!event || event->deleted_at)
        return std::nullopt;
    return event;
}

void reportFailure(QWidget *view, const Event &event, const EventEditTexts &texts)
{
    QMessageBox box(QMessageBox::Warning, texts.saveFailedTitle, texts.saveFailedText.arg(event.title),
                    QMessageBox::Ok, view);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

// Stores the changed single event and, only once the store took it, offers
// its undo.
void storeWithUndo(AppState *state, QWidget *view, const Event &before, Event after, const QString &label,
                   const EventEditTexts &texts)
{
    after.last_modified = QDateTime::currentDateTimeUtc();
    after.sync_status = SyncStatus::Pending;
    after.raw_icalendar =
        IcsCodec::patchEventTimes(before.raw_icalendar, after.start_time, after.end_time.value_or(after.start_time));
    if (!state->events()->update(after)) {
        reportFailure(view, before, texts);
        return;
    }
    EventRepository *events = state->events();
    state->undoStack()->push({label.arg(before.title), [events, before] { EventUndo::restoreSnapshot(events, before); }});
}

// Offers the undo of a change to one occurrence: its new override goes and
// the series is written back as it was, so that both return together (a
// removed override may also have left its mark on the series).
void pushOccurrenceUndo(AppState *state, const Event &master, const QDateTime &occurrenceStart, const QString &label)
{
    EventRepository *events = state->events();
    const std::optional<Event> added = events->getByUidAndRecurrenceId(
        master.uid, master.calendar_id, Recurrence::recurrenceIdOf(master, occurrenceStart));
    if (!added || added->deleted_at || added->id == master.id)
        return;
    const QString addedId = added->id;
    state->undoStack()->push({label.arg(master.title), [events, master, addedId] {
                                  events->holdChanges(true);
                                  events->remove(addedId);
                                  EventUndo::restoreSnapshot(events, master);
                                  events->holdChanges(false);
                              }});
}

// Asks how far a change to one occurrence reaches and carries it out on the
// stored series. A change to that occurrence alone can be undone; changes
// that reach further into the series offer no undo.
void editSeries(AppState *state, QWidget *view, const Event &master, const QDateTime &occurrenceStart,
                const QDateTime &newStart, const std::optional<QDateTime> &newEnd, const QString &label,
                const EventEditTexts &texts)
{
    RecurringEditScopeDialog dialog(master.title, view);
    if (dialog.exec() != QDialog::Accepted || dialog.scope() == RecurringEditScopeDialog::Cancel)
        return;
    if (!applyRecurringEditScope(state->events(), master, occurrenceStart, newStart, newEnd, dialog.scope())) {
        reportFailure(view, master, texts);
        return;
    }
    if (dialog.scope() == RecurringEditScopeDialog::ThisEvent)
        pushOccurrenceUndo(state, master, occurrenceStart, label);
}

} // namespace

void moveEvent(AppState *state, QWidget *view, const QString &eventId, const QDateTime &instanceStart,
               int dayDelta, int minuteOffset, const EventEditTexts &texts)
{
    const std::optional<Event> stored = liveEvent(state, eventId);
    // A block whose event left the view since the last paint has no start
    // to move from; the request is dropped rather than guessed.
    if (!stored || (dayDelta == 0 && minuteOffset == 0) || !instanceStart.isValid())
        return;
    const QDateTime newStart =
        TimelineGeometry::shiftWallClock(instanceStart, qint64(dayDelta) * 1440 + minuteOffset);
    std::optional<QDateTime> newEnd;
    if (stored->end_time)
        newEnd = newStart.addSecs(stored->start_time.secsTo(*stored->end_time));

    if (!stored->recurrence_rule.isEmpty()) {
        editSeries(state, view, *stored, instanceStart, newStart, newEnd, texts.moved, texts);
        return;
    }
    Event after = *stored;
    after.start_time = newStart;
    if (newEnd)
        after.end_time = newEnd;
    storeWithUndo(state, view, *stored, after, texts.moved, texts);
}

void resizeEvent(AppState *state, QWidget *view, const QString &eventId, const QDateTime &instanceStart,
                 int minuteDelta, const EventEditTexts &texts)
{
    const std::optional<Event> stored = liveEvent(state, eventId);
    if (!stored || minuteDelta == 0 || !stored->end_time || !instanceStart.isValid())
        return;
    const QDateTime occurrenceEnd = instanceStart.addSecs(stored->start_time.secsTo(*stored->end_time));
    QDateTime newEnd = TimelineGeometry::shiftWallClock(occurrenceEnd, minuteDelta);
    const QDateTime shortest = instanceStart.addSecs(900);
    if (newEnd < shortest)
        newEnd = shortest;

    if (!stored->recurrence_rule.isEmpty()) {
        editSeries(state, view, *stored, instanceStart, instanceStart, newEnd, texts.resized, texts);
        return;
    }
    Event after = *stored;
    after.end_time = newEnd;
    storeWithUndo(state, view, *stored, after, texts.resized, texts);
}

bool deleteWithUndo(AppState *state, QWidget *view, const Event &stored, const EventEditTexts &texts)
{
    const std::optional<EventRemoval::Removal> removal =
        EventRemoval::remove(state->database(), state->events(), stored);
    if (!removal) {
        reportFailure(view, stored, texts);
        return false;
    }
    Database *database = state->database();
    EventRepository *events = state->events();
    state->undoStack()->push({texts.deleted.arg(stored.title),
                              [database, events, removal = *removal] { EventRemoval::undo(database, events, removal); }});
    return true;
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
        const qint64 duration = event->end_time ? event->start_time.secsTo(*event->end_time) : 0;
        event->start_time = occurrenceStart;
        if (event->end_time)
            event->end_time = occurrenceStart.addSecs(duration);
    }
    QWidget *popover = factory(state, *event, view);
    if (!popover)
        return;
    if (anchorRect.isValid())
        positionPopoverNear(popover, anchorRect);
    else
        showPopoverCentered(popover);
}

void showContextMenu(AppState *state, QWidget *view, const QString &eventId, const QPoint &globalPos,
                     const EventMenuTexts &menuTexts, const EventEditTexts &editTexts)
{
    const std::optional<Event> stored = liveEvent(state, eventId);
    if (!stored)
        return;
    state->setSelectedEventId(eventId);

    QMenu menu(view);
    QAction *edit = menu.addAction(menuTexts.edit);
    QAction *remove = menu.addAction(menuTexts.remove);
    menu.addSeparator();
    const std::optional<FilterRule> rule = FilterEngine::findMatchingRule(*stored, state->filterRules()->getAll());
    QAction *editFilter = rule ? menu.addAction(menuTexts.editFilter.arg(rule->name)) : nullptr;
    QAction *createFilter = menu.addAction(menuTexts.createFilter);

    QAction *chosen = menu.exec(globalPos);
    if (chosen == edit) {
        openEditor(state, *stored, view);
    } else if (chosen && chosen == editFilter) {
        FilterFormDialog form(state, *rule, view);
        form.exec();
    } else if (chosen == createFilter) {
        FilterFormDialog form(state, view);
        form.setSpecificEvent(*stored);
        form.exec();
    } else if (chosen == remove) {
        const QString question =
            menuTexts.deleteQuestion.arg(stored->title, QKeySequence(QKeySequence::Undo).toString(QKeySequence::NativeText));
        QMessageBox box(QMessageBox::Question, menuTexts.deleteTitle, question, QMessageBox::Yes | QMessageBox::No,
                        view);
        box.setTextFormat(Qt::PlainText);
        box.setDefaultButton(QMessageBox::No);
        if (box.exec() == QMessageBox::Yes)
            deleteWithUndo(state, view, *stored, editTexts);
    }
}

} // namespace EventEdits
