#include "app/edits/eventundo.h"

#include "app/edits/eventstamp.h"
#include "calendar/conflictmergesteps.h"
#include "store/eventrepository.h"
#include "store/unitofwork.h"

#include <QDebug>

#include <algorithm>

namespace EventUndo {

namespace {

// The fields an edit changes one at a time; the times and the organizer
// go in groups, the child rows by what they hold.
template <typename Visit>
void eachSingleField(Visit visit)
{
    visit(&Event::title);
    visit(&Event::description);
    visit(&Event::location);
    visit(&Event::geo_location);
    visit(&Event::status);
    visit(&Event::event_url);
    visit(&Event::conference_url);
    visit(&Event::color);
    visit(&Event::recurrence_rule);
    visit(&Event::recurrence_dates);
    visit(&Event::exception_dates);
    visit(&Event::related_to_uid);
}

bool sameTimes(const Event &a, const Event &b)
{
    return a.start_time == b.start_time && a.end_time == b.end_time && a.is_all_day == b.is_all_day;
}

bool sameOrganizer(const Event &a, const Event &b)
{
    return a.organizer_email == b.organizer_email && a.organizer_name == b.organizer_name;
}

// Attendees compared by what the text holds, not by their row ids.
QStringList attendeeKeys(const QList<Attendee> &attendees)
{
    QStringList keys;
    for (const Attendee &a : attendees)
        keys.append(QStringList{a.email.trimmed().toLower(), a.name, a.role, a.status, a.type,
                                a.rsvp ? QStringLiteral("1") : QStringLiteral("0")}
                        .join(QChar(0x1f)));
    std::sort(keys.begin(), keys.end());
    return keys;
}

} // namespace

QString itemOf(const Event &event)
{
    const QString series = event.master_event_uid.isEmpty() ? event.uid : event.master_event_uid;
    return event.calendar_id + QLatin1Char('/') + series;
}

std::optional<Event> restoredRow(const Event &removed, const std::optional<Event> &now,
                                 const std::optional<Event> &erased)
{
    if (now && !now->deleted_at) {
        qInfo().noquote() << "[Undo]" << removed.id << "is live again since the delete; it is left as it is";
        return std::nullopt;
    }
    // Erased since (its deletion went up), the row comes back as this
    // device held it last, with what a pull merged into it before the push.
    Event copy = now ? *now : erased.value_or(removed);
    copy.deleted_at.reset();
    copy.sync_status = SyncStatus::Pending;
    copy.last_modified = QDateTime::currentDateTimeUtc();
    // Written since with a higher SEQUENCE (another device's change a pull
    // merged in), the row goes on from that one: an attendee's client would
    // ignore a version no higher than the one it holds.
    if (copy.sequence > removed.sequence)
        EventStamp::changed(copy);
    if (!now) {
        copy.etag.clear();
        copy.href.clear();
        copy.provider_event_id.clear();
    }
    return copy;
}

Event takenBack(const Event &now, const Event &before, const Event &left)
{
    Event out = now;
    eachSingleField([&](auto field) {
        if (now.*field == left.*field)
            out.*field = before.*field;
    });
    if (sameTimes(now, left)) {
        out.start_time = before.start_time;
        out.end_time = before.end_time;
        out.is_all_day = before.is_all_day;
        out.timezone = before.timezone;
    }
    if (sameOrganizer(now, left)) {
        out.organizer_email = before.organizer_email;
        out.organizer_name = before.organizer_name;
    }
    const QStringList attendeesNow = attendeeKeys(now.attendees);
    if (attendeesNow == attendeeKeys(left.attendees) && attendeesNow != attendeeKeys(before.attendees)) {
        out.attendees = before.attendees;
        for (Attendee &attendee : out.attendees) {
            attendee.id.clear();
            attendee.event_id = now.id;
        }
    }
    if (ConflictMergeSteps::takeChangedReminders(out, left, now, before)) {
        for (Reminder &reminder : out.reminders) {
            reminder.id.clear();
            reminder.event_id = now.id;
        }
    }
    return out;
}

bool sameFields(const Event &a, const Event &b)
{
    bool same = sameTimes(a, b) && sameOrganizer(a, b) && attendeeKeys(a.attendees) == attendeeKeys(b.attendees)
        && ConflictMergeSteps::reminderKeys(a.reminders) == ConflictMergeSteps::reminderKeys(b.reminders);
    eachSingleField([&](auto field) { same = same && a.*field == b.*field; });
    return same;
}

Outcome undoEdit(EventRepository *events, const Event &before, const Event &left)
{
    if (!events || left.id.isEmpty())
        return Outcome::Failed;
    const std::optional<Event> now = events->getById(left.id);
    if (!now || now->deleted_at) {
        qInfo().noquote() << "[Undo]" << left.id << "was deleted since the edit; it stays deleted";
        return Outcome::ChangedSince;
    }
    Event undone = takenBack(*now, before, left);
    EventStamp::changed(undone);
    if (!events->update(undone)) {
        qWarning().noquote() << "EventUndo::undoEdit failed: could not write" << undone.id;
        return Outcome::Failed;
    }
    return Outcome::Undone;
}

Outcome undoOccurrenceEdit(Database *database, EventRepository *events, const Event &series, const Event &replaced,
                           const Event &added)
{
    if (!events)
        return Outcome::Failed;
    const std::optional<Event> now = events->getById(added.id);
    if (!now || now->deleted_at) {
        qInfo().noquote() << "[Undo]" << added.id << "was removed since the edit; nothing to give back";
        return Outcome::ChangedSince;
    }
    UnitOfWork unit(database, QStringLiteral("occurrence_undo"));
    if (!unit.isActive())
        return Outcome::Failed;
    Event undone = takenBack(*now, replaced, added);
    if (sameFields(undone, replaced)) {
        // The edit left the series as it was; it changes only by losing
        // the override, as a new version of it.
        if (!events->withdraw(added.id) || undoEdit(events, series, series) == Outcome::Failed)
            return Outcome::Failed;
    } else {
        EventStamp::changed(undone);
        if (!events->update(undone))
            return Outcome::Failed;
    }
    if (!unit.commit()) {
        qWarning().noquote() << "EventUndo::undoOccurrenceEdit failed:" << unit.errorText();
        return Outcome::Failed;
    }
    return Outcome::Undone;
}

} // namespace EventUndo
