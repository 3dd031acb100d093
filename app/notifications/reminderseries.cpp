#include "app/notifications/reminderseries.h"

#include <QSet>

#include "calendar/eventorder.h"
#include "calendar/recurrence.h"

namespace ReminderSeries {

QList<Event> startingIn(const Event &master, const QList<Event> &overrides, const QDateTime &from,
                        const QDateTime &to)
{
    QList<Event> occurrences;
    // A moved occurrence may now lie far from the slot it replaces, so it is
    // judged by its own start, and its slot is left out of the series.
    QSet<QString> replaced;
    for (const Event &moved : overrides) {
        replaced.insert(Recurrence::storedRecurrenceId(moved.recurrence_id));
        if (!moved.reminders.isEmpty() || moved.status == QLatin1String("cancelled"))
            continue;
        if (moved.start_time >= from && moved.start_time < to)
            occurrences.append(moved);
    }
    // Light records first: a window may span years of a daily series.
    for (const Occurrence &occurrence : Recurrence::occurrencesOf(master, from, to)) {
        if (!(occurrence.start >= from && occurrence.start < to))
            continue;
        if (!replaced.isEmpty()
            && (replaced.contains(Recurrence::recurrenceIdOf(master, occurrence.start))
                || replaced.contains(Recurrence::recurrenceIdAt(occurrence.start, false))))
            continue;
        occurrences.append(Recurrence::eventFor(master, occurrence));
    }
    EventOrder::sort(occurrences);
    return occurrences;
}

std::optional<Event> firstAfter(const Event &master, const QList<Event> &overrides, const QDateTime &after)
{
    // Widening steps: most series repeat within days, yearly ones within a
    // year; the step at ten years tells an ended series.
    const QDateTime from = after.addMSecs(1);
    for (int days : {2, 40, 400, 3660}) {
        const QList<Event> found = startingIn(master, overrides, from, after.addDays(days));
        if (!found.isEmpty())
            return found.first();
    }
    return std::nullopt;
}

} // namespace ReminderSeries
