#include "app/edits/eventeditor.h"

#include <QUuid>

#include "app/edits/eventmove.h"
#include "app/edits/eventstamp.h"
#include "app/edits/meetingmove.h"
#include "app/edits/recurringeditscope.h"
#include "calendar/recurrence.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"

namespace {

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace

EditResult EventEditor::saveForm(const std::optional<Event> &before, Event edited, Event *saved)
{
    if (!m_events)
        return saveFailed("saveForm", QStringLiteral("no event store"), edited.title);
    const bool update = before && !before->id.isEmpty();
    const bool moved = update && edited.calendar_id != before->calendar_id;
    // A changed occurrence is part of its series' resource, which the new
    // calendar's server does not hold: alone there it is refused for good.
    if (moved && !before->recurrence_id.isEmpty())
        return refused("saveForm",
                       QStringLiteral("occurrence %1 of series %2 cannot leave its calendar")
                           .arg(before->id, before->master_event_uid.isEmpty() ? before->uid : before->master_event_uid),
                       tr("\"%1\" is one occurrence of a repeating event and stays in its calendar. To move it, move "
                          "the whole series.")
                           .arg(nameOf(edited.title)));
    if (const QString why = moved ? MeetingMove::refusal(m_database, m_calendars, *before, edited.calendar_id)
                                  : QString();
        !why.isEmpty())
        return refused("saveForm", QStringLiteral("a meeting's move would tell its guests"), why);
    if (!update || moved) {
        // A move is a deletion in the old calendar and a new item in the
        // new one, so that both servers learn of it.
        edited.id = newId();
        edited.uid = edited.id;
        if (moved) {
            edited.provider_event_id.clear();
            edited.etag.clear();
            edited.href.clear();
            edited.deleted_at.reset();
            for (Attendee &attendee : edited.attendees)
                attendee.id.clear();
        } else {
            edited.status = QStringLiteral("confirmed");
        }
        // The stored text is patched, so what the form does not show survives.
        EventStamp::created(edited);
    }
    // A series takes its changed occurrences along, each under the new UID.
    const QList<Event> occurrences = moved ? EventMove::occurrencesOf(m_events, *before) : QList<Event>();
    QList<Event> copies;
    for (const Event &occurrence : occurrences)
        copies.append(EventMove::copiedOccurrence(occurrence, edited));
    // A series given a new start or zone takes its skipped and changed days along.
    QString refusal;
    const bool stored = !update ? m_events->insert(edited)
        : !moved                ? storeMovedSeries(m_events, *before, edited, &refusal)
                                : EventMove::storeCopies(m_database, m_events, edited, copies);
    // A series' change or a calendar move has no undo; a refusal stored nothing.
    if (update && refusal.isEmpty() && (moved || Recurrence::isSeries(*before) || Recurrence::isSeries(edited)))
        markChanged(*before);
    if (!stored && !refusal.isEmpty())
        return EditResult::failed(refusal);
    if (!stored)
        return saveFailed("saveForm", QStringLiteral("the row could not be stored"), edited.title);
    if (saved)
        *saved = edited;
    // The old copy goes only once the new one is stored, so a failed move
    // loses nothing. A read-only calendar refuses deletions: a tombstone
    // there would fail on every sync, so what is left there is the server's.
    if (moved) {
        const std::optional<Calendar> old = m_calendars ? m_calendars->getById(before->calendar_id) : std::nullopt;
        if ((!old || !old->is_read_only)
            && !EventMove::leaveBehind(m_database, m_events, *before, occurrences, edited, copies))
            return refused("saveForm", QStringLiteral("the old copy %1 stayed behind after the move").arg(before->id),
                           tr("\"%1\" was copied to its new calendar, but could not be removed from the old one. "
                              "The log has the details.")
                               .arg(nameOf(edited.title)));
    }
    return EditResult::done();
}

EditResult EventEditor::saveOccurrence(const Event &master, const QDateTime &occurrenceStart, const Event &edited,
                                       int scope)
{
    if (scope == SeriesScope::Cancel)
        return EditResult::done();
    QString refusal;
    const bool applied = applyRecurringEditScope(m_events, master, occurrenceStart, edited, scope, &refusal);
    if (scope != SeriesScope::ThisEvent && refusal.isEmpty())
        markChanged(master);
    if (!applied)
        return !refusal.isEmpty() ? EditResult::failed(refusal)
                                  : saveFailed("saveOccurrence", QStringLiteral("the series could not be changed"),
                                               master.title);
    return EditResult::done();
}
