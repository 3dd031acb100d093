#include "sync/caldav/caldavpulledrow.h"

namespace CalDavPulledRow {

void claimChildren(Event &event)
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

void claimChildren(Task &task)
{
    for (Reminder &reminder : task.reminders) {
        reminder.id.clear();
        reminder.event_id.clear();
        reminder.task_id = task.id;
    }
}

} // namespace CalDavPulledRow
