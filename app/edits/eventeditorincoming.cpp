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
    EventStamp::created(record);
    if (!m_events || !m_events->insert(record))
        return saveFailed("addNew", QStringLiteral("the new row could not be stored"), record.title);
    if (saved)
        *saved = record;
    return EditResult::done();
}

EditResult EventEditor::answerInvitation(const QString &eventId, const QString &email, const QString &status)
{
    const std::optional<Event> stored = m_events ? m_events->getById(eventId) : std::nullopt;
    if (!stored)
        return saveFailed("answerInvitation", QStringLiteral("no event %1").arg(eventId), nameOf(QString()));
    Event event = *stored;
    bool matched = false;
    for (Attendee &attendee : event.attendees) {
        if (attendee.email.compare(email, Qt::CaseInsensitive) == 0) {
            attendee.status = status;
            matched = true;
        }
    }
    if (!matched)
        return saveFailed("answerInvitation", QStringLiteral("%1 is not invited").arg(email), event.title);
    // The stored text carries the answer too, so that anything reading it
    // (an export, a push that sends it as it stands) sees the same PARTSTAT
    // as the attendee rows.
    EventStamp::answered(event);
    if (!m_events->update(event))
        return saveFailed("answerInvitation", QStringLiteral("the answer could not be stored"), event.title);
    return EditResult::done();
}

void EventEditor::prepareImported(Event &copy, const QString &calendarId)
{
    copy.calendar_id = calendarId;
    copy.sync_status = ChangedItemStatus;
}
