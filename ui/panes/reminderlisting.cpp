#include "ui/panes/reminderlisting.h"

#include "calendar/remindersections.h"
#include "store/calendarrepository.h"
#include "store/taskrepository.h"
#include "ui/panes/paneparts.h"
#include "views/common/viewrange.h"

QList<Task> ReminderListing::collect(const ViewRangeSources &sources, const QString &activeViewId, bool completed)
{
    QList<Task> out;
    if (!sources.calendars || !sources.tasks || !sources.views)
        return out;
    const std::optional<QSet<QString>> group = PaneParts::groupFilter(sources.views, activeViewId);
    for (const Calendar &calendar : sources.calendars->getAll()) {
        if (!calendar.is_visible || (group && !group->contains(calendar.id)))
            continue;
        for (const Task &task : sources.tasks->getByCalendar(calendar.id)) {
            if (task.item_type != QLatin1String("reminder"))
                continue;
            const bool isCompleted = task.status == TaskStatus::Completed;
            const bool isCancelled = task.status == TaskStatus::Cancelled;
            if (completed ? isCompleted : (!isCompleted && !isCancelled))
                out.append(task);
        }
    }
    return out;
}

ReminderListing ReminderListing::read(const ViewRangeSources &sources, const Settings &settings)
{
    ReminderListing listing;
    if (!sources.calendars)
        return listing;
    for (const Calendar &calendar : sources.calendars->getAll())
        listing.colors.insert(calendar.id, calendar.color);
    const QList<Task> reminders = collect(sources, settings.activeViewId, settings.completed);
    const auto add = [&listing](Kind kind, const QList<Task> &taken) {
        if (!taken.isEmpty())
            listing.sections.append({kind, taken});
    };
    if (settings.completed) {
        add(Completed, ReminderSections::sortCompleted(reminders));
    } else {
        const ReminderSections::Sections sections = ReminderSections::split(reminders, settings.today);
        add(Overdue, sections.overdue);
        add(Today, sections.today);
        add(Upcoming, sections.upcoming);
        add(NoDate, sections.noDate);
    }
    return listing;
}
