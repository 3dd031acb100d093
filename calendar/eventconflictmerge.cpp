#include "calendar/eventconflictmerge.h"

#include "calendar/conflictmergesteps.h"

#include <QStringList>

namespace EventConflictMerge {

namespace {

// Child rows compared by what the text holds, not by their row ids.
QStringList attendeeKeys(const Event &event)
{
    QStringList keys;
    for (const Attendee &a : event.attendees)
        keys.append(QStringList{a.email.trimmed().toLower(), a.name, a.role, a.status, a.type,
                                a.rsvp ? QStringLiteral("1") : QStringLiteral("0")}
                        .join(QChar(0x1f)));
    return keys;
}

} // namespace

Event merged(const Event &base, const Event &local, const Event &server)
{
    Event out = local;
    ConflictMergeSteps::takeUnchanged(out, base, server, &Event::title, &Event::description, &Event::location,
                                      &Event::event_url, &Event::recurrence_rule, &Event::recurrence_dates,
                                      &Event::exception_dates, &Event::status, &Event::related_to_uid);
    ConflictMergeSteps::takeUnchangedTogether(out, base, local, server, &Event::start_time, &Event::end_time,
                                              &Event::is_all_day, &Event::timezone);
    ConflictMergeSteps::takeUnchangedTogether(out, base, local, server, &Event::organizer_email,
                                              &Event::organizer_name);
    if (attendeeKeys(local) == attendeeKeys(base) && attendeeKeys(server) != attendeeKeys(local)) {
        out.attendees = server.attendees;
        for (Attendee &attendee : out.attendees) {
            attendee.id.clear();
            attendee.event_id = local.id;
        }
    }
    if (ConflictMergeSteps::takeChangedReminders(out, base, local, server)) {
        for (Reminder &reminder : out.reminders) {
            reminder.id.clear();
            reminder.event_id = local.id;
        }
    }
    ConflictMergeSteps::keepHigherSequence(out, local, server);
    return out;
}

} // namespace EventConflictMerge
