#include "calendar/eventconflictmerge.h"

#include <QStringList>

#include <algorithm>

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

QStringList reminderKeys(const Event &event)
{
    QStringList keys;
    for (const Reminder &r : event.reminders)
        keys.append(QString::number(r.minutes_before) + QChar(0x1f) + r.action.toLower());
    std::sort(keys.begin(), keys.end());
    return keys;
}

bool sameTimes(const Event &a, const Event &b)
{
    return a.start_time == b.start_time && a.end_time == b.end_time && a.is_all_day == b.is_all_day
        && a.timezone == b.timezone;
}

// Takes the server's value where the local one is still the base's.
template <typename Field>
void takeUnchanged(Event &out, const Event &base, const Event &server, Field field)
{
    if (out.*field == base.*field)
        out.*field = server.*field;
}

} // namespace

Event merged(const Event &base, const Event &local, const Event &server)
{
    Event out = local;
    takeUnchanged(out, base, server, &Event::title);
    takeUnchanged(out, base, server, &Event::description);
    takeUnchanged(out, base, server, &Event::location);
    takeUnchanged(out, base, server, &Event::event_url);
    takeUnchanged(out, base, server, &Event::recurrence_rule);
    takeUnchanged(out, base, server, &Event::recurrence_dates);
    takeUnchanged(out, base, server, &Event::exception_dates);
    takeUnchanged(out, base, server, &Event::status);
    takeUnchanged(out, base, server, &Event::related_to_uid);
    if (sameTimes(local, base)) {
        out.start_time = server.start_time;
        out.end_time = server.end_time;
        out.is_all_day = server.is_all_day;
        out.timezone = server.timezone;
    }
    if (local.organizer_email == base.organizer_email && local.organizer_name == base.organizer_name) {
        out.organizer_email = server.organizer_email;
        out.organizer_name = server.organizer_name;
    }
    if (attendeeKeys(local) == attendeeKeys(base) && attendeeKeys(server) != attendeeKeys(local)) {
        out.attendees = server.attendees;
        for (Attendee &attendee : out.attendees) {
            attendee.id.clear();
            attendee.event_id = local.id;
        }
    }
    // Unchanged reminders keep their rows, and so what was acknowledged.
    if (reminderKeys(local) == reminderKeys(base) && reminderKeys(server) != reminderKeys(local)) {
        out.reminders = server.reminders;
        for (Reminder &reminder : out.reminders) {
            reminder.id.clear();
            reminder.event_id = local.id;
        }
    }
    out.sequence = std::max(local.sequence, server.sequence);
    return out;
}

} // namespace EventConflictMerge
