#include "app/edits/eventeditor.h"

#include <QDebug>
#include <QUuid>

#include "app/edits/eventremoval.h"
#include "app/edits/eventstamp.h"
#include "app/edits/eventundo.h"
#include "app/edits/recurringeditscope.h"
#include "app/edits/undostack.h"
#include "calendar/recurrence.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"

#include <utility>

namespace {

// The instant moved by whole wall-clock minutes in local time, so that a
// drop lands on the hour line it was dropped on also on a day with a
// daylight-saving change (a 23- or 25-hour day).
QDateTime shiftWallClock(const QDateTime &value, qint64 minutes)
{
    if (!value.isValid())
        return value;
    const QDateTime local = value.toLocalTime();
    const qint64 msOfDay = local.time().msecsSinceStartOfDay() + minutes * 60000;
    constexpr qint64 DayMs = 24 * 60 * 60 * 1000;
    // Floor division, so that a move before midnight lands on the day before.
    const qint64 days = msOfDay >= 0 ? msOfDay / DayMs : -((-msOfDay + DayMs - 1) / DayMs);
    const QDateTime shifted(local.date().addDays(days), QTime::fromMSecsSinceStartOfDay(int(msOfDay - days * DayMs)));
    return shifted.isValid() ? shifted : value.addSecs(minutes * 60);
}

// The end of the stored event laid onto another start: a series' occurrence
// keeps its whole days on the wall clock, as the views show it.
QDateTime endFrom(const Event &stored, const QDateTime &start)
{
    if (Recurrence::isSeries(stored))
        return Recurrence::occurrenceEnd(stored, start).value_or(start);
    return start.addSecs(stored.start_time.secsTo(*stored.end_time));
}

} // namespace

EventEditor::EventEditor(EventRepository *events, CalendarRepository *calendars, Database *database,
                         UndoStack *undoStack)
    : m_events(events)
    , m_calendars(calendars)
    , m_database(database)
    , m_undoStack(undoStack)
{
}

std::optional<Event> EventEditor::liveEvent(const QString &eventId) const
{
    if (!m_events || eventId.isEmpty())
        return std::nullopt;
    std::optional<Event> event = m_events->getById(eventId);
    if (!event || event->deleted_at)
        return std::nullopt;
    return event;
}

std::optional<EventEditor::Times> EventEditor::moved(const Event &stored, const QDateTime &instanceStart,
                                                     int dayDelta, int minuteOffset)
{
    if ((dayDelta == 0 && minuteOffset == 0) || !instanceStart.isValid())
        return std::nullopt;
    Times times;
    times.start = shiftWallClock(instanceStart, qint64(dayDelta) * 1440 + minuteOffset);
    if (stored.end_time)
        times.end = endFrom(stored, times.start);
    return times;
}

std::optional<EventEditor::Times> EventEditor::resized(const Event &stored, const QDateTime &instanceStart,
                                                       int minuteDelta)
{
    if (minuteDelta == 0 || !stored.end_time || !instanceStart.isValid())
        return std::nullopt;
    const QDateTime occurrenceEnd = endFrom(stored, instanceStart);
    QDateTime newEnd = shiftWallClock(occurrenceEnd, minuteDelta);
    const QDateTime shortest = instanceStart.addSecs(900);
    if (newEnd < shortest)
        newEnd = shortest;
    return Times{instanceStart, newEnd};
}

EditResult EventEditor::changeTimes(const Event &stored, const QDateTime &occurrenceStart, const Times &times,
                                    TimeEdit edit, int scope)
{
    const QString label = edit == TimeEdit::Move ? tr("Moved \"%1\"") : tr("Resized \"%1\"");
    if (stored.recurrence_rule.isEmpty()) {
        Event after = stored;
        after.start_time = times.start;
        if (times.end)
            after.end_time = times.end;
        return storeChanged(stored, after, label);
    }
    if (scope == SeriesScope::Cancel)
        return EditResult::done();
    QString refusal;
    const bool applied =
        applyRecurringEditScope(m_events, stored, occurrenceStart, times.start, times.end, scope, &refusal);
    // A refusal stored nothing; a failed write may have stored a part.
    if (scope != SeriesScope::ThisEvent && refusal.isEmpty())
        markChanged(stored);
    if (!applied)
        return !refusal.isEmpty() ? EditResult::failed(refusal)
                                  : saveFailed("changeTimes", QStringLiteral("the series could not be changed"),
                                               stored.title);
    if (scope == SeriesScope::ThisEvent)
        pushOccurrenceUndo(stored, occurrenceStart, label);
    return EditResult::done();
}

EditResult EventEditor::duplicate(const Event &source, const QString &title)
{
    Event copy = source;
    copy.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    copy.uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    copy.title = title;
    // A copy is a new item of its own: no server identity, no tie to the
    // occurrence it was made from, new child rows, and its own iCalendar
    // text; anything else would push it as an update of the original.
    copy.etag.clear();
    copy.href.clear();
    copy.provider_event_id.clear();
    copy.recurrence_id.clear();
    copy.master_event_uid.clear();
    copy.deleted_at.reset();
    claimChildRows(copy);
    for (Reminder &reminder : copy.reminders) {
        reminder.acknowledged = false;
        reminder.trigger_time.reset();
    }
    copy.raw_icalendar.clear();
    EventStamp::created(copy);
    if (!m_events || !m_events->insert(copy))
        return refused("duplicate", QStringLiteral("the copy of \"%1\" could not be stored").arg(source.title),
                       tr("The copy could not be stored. The log has the details."));
    return EditResult::done();
}

EditResult EventEditor::remove(const Event &stored)
{
    const std::optional<EventRemoval::Removal> removal = EventRemoval::remove(m_database, m_events, stored);
    if (!removal)
        return refused("remove", QStringLiteral("\"%1\" could not be deleted").arg(stored.title),
                       tr("\"%1\" could not be deleted. The log has the details.").arg(nameOf(stored.title)));
    Database *database = m_database;
    EventRepository *events = m_events;
    pushUndo(tr("Deleted \"%1\"").arg(stored.title), stored,
             [database, events, removal = *removal] { return EventRemoval::undo(database, events, removal); });
    return EditResult::done();
}

EditResult EventEditor::refused(const char *operation, const QString &why, const QString &shown)
{
    qWarning().noquote() << QStringLiteral("EventEditor::%1 failed:").arg(QLatin1String(operation)) << why;
    return EditResult::failed(shown);
}

EditResult EventEditor::saveFailed(const char *operation, const QString &why, const QString &title)
{
    EditResult result =
        refused(operation, QStringLiteral("\"%1\": ").arg(title) + why,
                tr("\"%1\" could not be stored, so nothing was changed. The log has the details.").arg(title));
    result.storeFailed = true;
    return result;
}

QString EventEditor::nameOf(const QString &title)
{
    return title.isEmpty() ? tr("Event") : title;
}

// Stores the changed single event and, only once the store took it, offers
// its undo.
EditResult EventEditor::storeChanged(const Event &before, Event after, const QString &label)
{
    EventStamp::changed(after);
    if (!m_events || !m_events->update(after))
        return saveFailed("storeChanged", QStringLiteral("the changed row could not be stored"), before.title);
    // What the edit left in the store, so that its undo tells the edit's
    // changes from later ones.
    const Event left = m_events->getById(after.id).value_or(after);
    EventRepository *events = m_events;
    pushUndo(label.arg(before.title), before,
             [events, before, left] { return EventUndo::undoEdit(events, before, left); });
    return EditResult::done();
}

// Offers the undo of a change to one occurrence: its override goes, and the
// series brings the occurrence back where it puts it, here and on the
// server (never as a skipped day).
void EventEditor::pushOccurrenceUndo(const Event &master, const QDateTime &occurrenceStart, const QString &label)
{
    // Live rows only: an earlier change of this occurrence, undone, stays
    // as a withdrawn row beside the one just made.
    const std::optional<Event> added = m_events->getLiveByUidAndRecurrenceId(
        master.uid, master.calendar_id, Recurrence::recurrenceIdOf(master, occurrenceStart));
    if (!added || added->id == master.id)
        return;
    // The occurrence as it was: the override's fields at its times in the
    // series.
    Event replaced = *added;
    replaced.start_time = occurrenceStart;
    if (added->end_time)
        replaced.end_time = endFrom(master, occurrenceStart);
    Database *database = m_database;
    EventRepository *events = m_events;
    pushUndo(label.arg(master.title), master, [database, events, master, replaced, added = *added] {
        const UndoStack::Outcome outcome = EventUndo::undoOccurrenceEdit(database, events, master, replaced, added);
        if (outcome == UndoStack::Outcome::Failed)
            qWarning().noquote() << "EventEditor: the undo could not give back the occurrence" << added.id;
        return outcome;
    });
}

void EventEditor::pushUndo(const QString &label, const Event &event, std::function<UndoStack::Outcome()> undo)
{
    if (m_undoStack)
        m_undoStack->push({label, std::move(undo), {EventUndo::itemOf(event)}});
}

void EventEditor::markChanged(const Event &event)
{
    if (m_undoStack)
        m_undoStack->markChanged(EventUndo::itemOf(event));
}
