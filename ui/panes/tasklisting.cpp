#include "ui/panes/tasklisting.h"

#include "calendar/tasktree.h"
#include "store/calendarrepository.h"
#include "store/taskrepository.h"
#include "ui/panes/paneparts.h"
#include "ui/panes/taskspane.h"
#include "views/common/viewrange.h"

namespace {

bool listed(const Task &task, const TaskListing::Settings &settings, const QSet<QString> &keptCompleted)
{
    if (task.item_type == QLatin1String("reminder"))
        return false;
    if (settings.hideCompleted
        && (task.status == TaskStatus::Cancelled || task.status == TaskStatus::Completed)
        && !keptCompleted.contains(task.uid))
        return false;
    return TasksPane::passesFilter(task, settings.filter, settings.today);
}

} // namespace

TaskListing TaskListing::read(const ViewRangeSources &sources, const Settings &settings)
{
    TaskListing listing;
    listing.grouped = settings.groupByCalendar;
    if (!sources.calendars || !sources.tasks || !sources.views)
        return listing;
    const QList<Calendar> calendars = sources.calendars->getAll();
    listing.noCalendars = calendars.isEmpty();
    const std::optional<QSet<QString>> group = PaneParts::groupFilter(sources.views, settings.activeViewId);
    // Each visible calendar's tasks are read once; a completed parent of an
    // open subtask stays listed even when completed ones are hidden, across
    // every visible calendar as before.
    QList<QPair<Calendar, QList<Task>>> visible;
    QList<Task> everyVisibleTask;
    for (const Calendar &calendar : calendars) {
        listing.colors.insert(calendar.id, calendar.color);
        if (!calendar.is_visible)
            continue;
        visible.append({calendar, sources.tasks->getByCalendar(calendar.id)});
        if (settings.hideCompleted)
            everyVisibleTask += visible.last().second;
    }
    const QSet<QString> keptCompleted =
        settings.hideCompleted ? TaskTree::completedKeptByActiveTree(everyVisibleTask) : QSet<QString>();
    QList<Task> ungrouped;
    for (const auto &[calendar, tasks] : std::as_const(visible)) {
        if (group && !group->contains(calendar.id))
            continue;
        QList<Task> taken;
        for (const Task &task : tasks) {
            if (listed(task, settings, keptCompleted))
                taken.append(task);
        }
        if (!settings.groupByCalendar) {
            ungrouped += taken;
            continue;
        }
        if (taken.isEmpty())
            continue;
        listing.sections.append({PaneParts::calendarTitle(sources.accounts, calendar), calendar.color,
                                 TaskTree::flatten(taken, &TasksPane::siblingLess)});
    }
    if (!settings.groupByCalendar && !ungrouped.isEmpty())
        listing.sections.append({QString(), QString(), TaskTree::flatten(ungrouped, &TasksPane::siblingLess)});
    return listing;
}

int TaskListing::rowCount() const
{
    int count = 0;
    for (const Section &section : sections)
        count += int(section.lines.size()) + (grouped ? 1 : 0);
    return count;
}
