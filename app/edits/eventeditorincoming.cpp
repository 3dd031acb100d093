#include "app/edits/eventeditor.h"

#include <QUuid>

#include "app/edits/eventstamp.h"
#include "app/edits/pendingrule.h"
#include "store/eventrepository.h"

EditResult EventEditor::addNew(Event record, Event *saved)
{
    if (record.id.isEmpty()) {
        record.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        record.uid = record.id;
    }
    EventStamp::created(record, calendarOf(record.calendar_id));
    if (!m_events || !m_events->insert(record))
        return EditResult::failed(QStringLiteral("\"%1\" could not be stored.").arg(record.title));
    if (saved)
        *saved = record;
    return EditResult::done();
}

EditResult EventEditor::answerInvitation(const QString &eventId, const QString &email, const QString &status)
{
    const std::optional<Event> stored = m_events ? m_events->getById(eventId) : std::nullopt;
    if (!stored)
        return EditResult::failed(QStringLiteral("No event %1.").arg(eventId));
    Event event = *stored;
    bool matched = false;
    for (Attendee &attendee : event.attendees) {
        if (attendee.email.compare(email, Qt::CaseInsensitive) == 0) {
            attendee.status = status;
            matched = true;
        }
    }
    if (!matched)
        return EditResult::failed(QStringLiteral("%1 is not invited to \"%2\".").arg(email, event.title));
    // The stored text carries the answer too, so that anything reading it
    // (an export, a push that sends it as it stands) sees the same PARTSTAT
    // as the attendee rows.
    EventStamp::answered(event, calendarOf(event.calendar_id));
    if (!m_events->update(event))
        return EditResult::failed(QStringLiteral("\"%1\" could not be stored.").arg(event.title));
    return EditResult::done();
}

bool EventEditor::marksPending(const QString &calendarId) const
{
    return becomesPending(calendarOf(calendarId));
}

void EventEditor::prepareImported(Event &copy, const QString &calendarId, bool pending)
{
    copy.calendar_id = calendarId;
    if (pending)
        copy.sync_status = SyncStatus::Pending;
}
