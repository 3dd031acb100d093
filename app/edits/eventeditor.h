#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

#include "app/edits/editresult.h"
#include "app/edits/undostack.h"
#include "store/calendar.h"
#include "store/event.h"

#include <functional>
#include <optional>

class CalendarRepository;
class Database;
class EventRepository;

// Every change a user makes to an event: drags and resizes, the form's
// save, duplicates, deletes, a series scope, quick add, an invitation's
// answer and an imported file's rows. Each write is stamped once here
// (EventStamp), a single event's change goes onto the undo stack once the
// store took it, and a refused write is logged and answers with a failed
// result whose words the caller shows as they are. The asking (menus,
// confirmations, the scope dialog) stays with the widgets.
class EventEditor
{
    Q_DECLARE_TR_FUNCTIONS(EventEditor)
public:
    enum class TimeEdit { Move, Resize };

    struct Times
    {
        QDateTime start;
        std::optional<QDateTime> end;
    };

    // The undo stack may be null: the change is then made without an undo.
    EventEditor(EventRepository *events, CalendarRepository *calendars, Database *database, UndoStack *undoStack);

    // The stored row when it is live; a tombstone is as good as gone.
    std::optional<Event> liveEvent(const QString &eventId) const;

    // Where a drag by whole days and minutes of the wall clock puts the
    // occurrence that starts at instanceStart, its duration kept: a block
    // dropped on the 03:00 line starts at 03:00 also on a daylight-saving
    // day. None for a zero move or an invalid instance start.
    static std::optional<Times> moved(const Event &stored, const QDateTime &instanceStart, int dayDelta,
                                      int minuteOffset);
    // The occurrence's end moved by minuteDelta on the wall clock; at least
    // 15 minutes remain. None for an event without an end.
    static std::optional<Times> resized(const Event &stored, const QDateTime &instanceStart, int minuteDelta);

    // Gives the occurrence at occurrenceStart the new times. A single event
    // changes with its undo; a series changes as far as scope reaches (a
    // SeriesScope), with an undo for the one occurrence only. A change of
    // more than that occurrence has none, and the undo entries held for the
    // series write nothing from then on (UndoStack::markChanged).
    EditResult changeTimes(const Event &stored, const QDateTime &occurrenceStart, const Times &times, TimeEdit edit,
                           int scope = 0);

    // The form's record: new when before is empty or has no id, a change
    // otherwise. A change of calendar stores a new item there and leaves a
    // deletion in the old calendar, which a read-only calendar is spared.
    // The stored record is written to saved, also when the new copy was
    // stored but the old one could not be removed (a failed result): saving
    // again would only make another copy. A series saved, or an event moved
    // to another calendar, has no undo and outdates the ones held for it.
    EditResult saveForm(const std::optional<Event> &before, Event edited, Event *saved = nullptr);
    // The form's edit of one occurrence of a series, as far as scope
    // reaches; beyond that occurrence as changeTimes() says.
    EditResult saveOccurrence(const Event &master, const QDateTime &occurrenceStart, const Event &edited, int scope);

    // A new item of its own with the source's fields and the given title.
    EditResult duplicate(const Event &source, const QString &title);
    // Soft-deletes the stored event with its undo; a moved occurrence's
    // series skips its day in the same write.
    EditResult remove(const Event &stored);

    // Stores a record built elsewhere (quick add) as a new event.
    EditResult addNew(Event record, Event *saved = nullptr);
    // The user's answer as the attendee with that address.
    EditResult answerInvitation(const QString &eventId, const QString &email, const QString &status);
    // An imported row as it is stored in the chosen calendar; the file's
    // own SEQUENCE and text are kept.
    static void prepareImported(Event &copy, const QString &calendarId);

private:
    // Logs why the write was refused and answers with the words the user
    // reads.
    static EditResult refused(const char *operation, const QString &why, const QString &shown);
    static EditResult saveFailed(const char *operation, const QString &why, const QString &title);
    static QString nameOf(const QString &title);

    EditResult storeChanged(const Event &before, Event after, const QString &label);
    void pushOccurrenceUndo(const Event &master, const QDateTime &occurrenceStart, const QString &label);
    // The entry writes back the event (its whole series for a changed
    // occurrence).
    void pushUndo(const QString &label, const Event &event, std::function<UndoStack::Outcome()> undo);
    // A change with no entry of its own was made to the event's series:
    // the entries held for it would write back a copy older than that.
    void markChanged(const Event &event);

    EventRepository *m_events;
    CalendarRepository *m_calendars;
    Database *m_database;
    UndoStack *m_undoStack;
};
