#include "calendar/agendadays.h"

#include <QSet>

#include "calendar/eventdays.h"
#include "calendar/taskmarks.h"
#include "calendar/tasktree.h"

#include <algorithm>

namespace AgendaDays {

namespace {

void placeEvent(const Event &event, QList<Day> &days, const QDate &windowStart, const QDate &today,
                const QDateTime &now)
{
    const auto [first, last] = EventDays::of(event);
    if (!first.isValid() || !last.isValid() || last < first)
        return;
    const QDateTime ends = event.end_time && event.end_time->isValid() ? *event.end_time : event.start_time;
    // Only the days inside the window are walked, however long the event.
    const qint64 from = std::max<qint64>(0, windowStart.daysTo(first));
    const qint64 to = std::min<qint64>(days.size() - 1, windowStart.daysTo(last));
    for (qint64 i = from; i <= to; ++i) {
        Day &day = days[int(i)];
        if (day.date == today && ends < now)
            continue;
        day.events.append(event);
    }
}

void placeTask(const Task &task, QList<Day> &days, const QDate &windowStart, QList<QSet<QString>> &listed)
{
    for (const QDate &date : {TaskDates::startDay(task), TaskDates::dueDay(task)}) {
        if (!date.isValid())
            continue;
        const qint64 index = windowStart.daysTo(date);
        if (index < 0 || index >= days.size() || listed[int(index)].contains(task.id))
            continue;
        listed[int(index)].insert(task.id);
        days[int(index)].tasks.append(task);
    }
}

bool taskBefore(const Task &a, const Task &b)
{
    const bool aDone = isTaskCompleted(a);
    const bool bDone = isTaskCompleted(b);
    if (aDone != bDone)
        return !aDone;
    const int aPriority = a.priority == 0 ? 100 : a.priority;
    const int bPriority = b.priority == 0 ? 100 : b.priority;
    if (aPriority != bPriority)
        return aPriority < bPriority;
    return QString::localeAwareCompare(a.title, b.title) < 0;
}

} // namespace

QList<Day> spread(const QList<Event> &events, const QList<Task> &tasks, const QDate &windowStart, int dayCount,
                  const QDateTime &now)
{
    QList<Day> days;
    if (!windowStart.isValid() || dayCount <= 0)
        return days;
    days.reserve(dayCount);
    for (int i = 0; i < dayCount; ++i)
        days.append(Day{windowStart.addDays(i), {}, {}});

    const QDate today = now.toLocalTime().date();
    for (const Event &event : events)
        placeEvent(event, days, windowStart, today, now);
    QList<QSet<QString>> listed(dayCount);
    for (const Task &task : tasks) {
        if (!task.deleted_at)
            placeTask(task, days, windowStart, listed);
    }
    for (Day &day : days) {
        std::stable_sort(day.events.begin(), day.events.end(),
                         [](const Event &a, const Event &b) { return a.start_time < b.start_time; });
        std::stable_sort(day.tasks.begin(), day.tasks.end(), taskBefore);
    }
    return days;
}

QDate windowStart(const QDate &current, const QString &viewMode, Qt::DayOfWeek firstDayOfWeek)
{
    if (viewMode != QLatin1String("week") && viewMode != QLatin1String("grid"))
        return current;
    int back = current.dayOfWeek() - int(firstDayOfWeek);
    if (back < 0)
        back += 7;
    return current.addDays(-back);
}

} // namespace AgendaDays
