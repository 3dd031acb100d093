#include "store/event.h"

#include "store/recorddebug.h"

#include <QUuid>

#include <tuple>

namespace {

auto fields(const Event &r)
{
    return std::tie(r.id, r.calendar_id, r.uid, r.provider_event_id, r.etag, r.href, r.title,
                    r.description, r.location, r.geo_location, r.start_time, r.end_time,
                    r.is_all_day, r.timezone, r.recurrence_rule, r.recurrence_dates,
                    r.exception_dates, r.recurrence_id, r.master_event_uid, r.status, r.event_url,
                    r.conference_url, r.organizer_email, r.organizer_name, r.sequence,
                    r.raw_icalendar, r.color, r.created, r.last_modified, r.sync_status,
                    r.deleted_at, r.related_to_uid, r.reminders, r.attendees);
}

} // namespace

bool operator==(const Event &a, const Event &b)
{
    return fields(a) == fields(b);
}

void claimChildRows(Event &event)
{
    for (Reminder &reminder : event.reminders) {
        reminder.id.clear();
        reminder.event_id = event.id;
    }
    for (Attendee &attendee : event.attendees) {
        attendee.id.clear();
        attendee.event_id = event.id;
    }
}

Event occurrenceUnder(const Event &occurrence, const Event &series)
{
    Event copy = occurrence;
    copy.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    copy.uid = copy.master_event_uid = series.uid;
    copy.calendar_id = series.calendar_id;
    copy.provider_event_id.clear();
    copy.etag.clear();
    copy.href.clear();
    copy.deleted_at.reset();
    claimChildRows(copy);
    return copy;
}

bool isWithdrawnOccurrence(const Event &event)
{
    return event.deleted_at && !event.recurrence_id.isEmpty() && event.status == WithdrawnOccurrenceStatus;
}

QDebug operator<<(QDebug debug, const Event &r)
{
    const QDebugStateSaver saver(debug);
    RecordDebug(debug, "Event")
        .field("id", r.id)
        .field("calendar_id", r.calendar_id)
        .field("uid", r.uid)
        .field("provider_event_id", r.provider_event_id)
        .field("etag", r.etag)
        .field("href", r.href)
        .field("title", r.title)
        .field("description", r.description)
        .field("location", r.location)
        .field("geo_location", r.geo_location)
        .field("start_time", r.start_time)
        .field("end_time", r.end_time)
        .field("is_all_day", r.is_all_day)
        .field("timezone", r.timezone)
        .field("recurrence_rule", r.recurrence_rule)
        .field("recurrence_dates", r.recurrence_dates)
        .field("exception_dates", r.exception_dates)
        .field("recurrence_id", r.recurrence_id)
        .field("master_event_uid", r.master_event_uid)
        .field("status", r.status)
        .field("event_url", r.event_url)
        .field("conference_url", r.conference_url)
        .field("organizer_email", r.organizer_email)
        .field("organizer_name", r.organizer_name)
        .field("sequence", r.sequence)
        .field("raw_icalendar", r.raw_icalendar)
        .field("color", r.color)
        .field("created", r.created)
        .field("last_modified", r.last_modified)
        .field("sync_status", r.sync_status)
        .field("deleted_at", r.deleted_at)
        .field("related_to_uid", r.related_to_uid)
        .field("reminders", r.reminders)
        .field("attendees", r.attendees);
    return debug;
}
