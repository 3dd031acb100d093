#include "views/common/viewrange.h"

#include "app/activeviewcalendars.h"
#include "app/appstate.h"
#include "calendar/filterengine.h"
#include "calendar/recurrence.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/filterrulerepository.h"
#include "store/taskrepository.h"
#include "store/viewrepository.h"

namespace ViewRange {

ViewRangeSources sourcesOf(AppState *state)
{
    if (!state)
        return {};
    return {state->accounts(), state->calendars(), state->events(), state->filterRules(), state->views(),
            state->tasks()};
}

ViewRangeData load(AppState *state, const QDateTime &from, const QDateTime &to)
{
    if (!state)
        return {};
    return load(sourcesOf(state), state->activeViewId(), from, to);
}

ViewRangeData load(const ViewRangeSources &sources, const QString &activeViewId, const QDateTime &from,
                   const QDateTime &to, const ViewRangeOptions &options)
{
    ViewRangeData data;
    data.from = from;
    data.to = to;
    if (options.read) {
        options.read(sources, data);
        return data;
    }
    if (!sources.events || !sources.calendars || !sources.filterRules)
        return data;
    const QStringList ids =
        activeViewCalendarIds(sources.views, sources.calendars, activeViewId, options.missingGroupShowsVisible);
    data.calendarIds = ids;
    if (!ids.isEmpty() && options.withTasks && sources.tasks)
        data.tasks = sources.tasks->getInRange(from, to, ids);
    if (!ids.isEmpty()) {
        const QList<Event> stored = sources.events->getInRange(from, to, ids);
        FilterResult filtered =
            FilterEngine::apply(Recurrence::expandForRange(stored, from, to), sources.filterRules->getEnabled());
        data.events = std::move(filtered.events);
        data.dimmedIds = std::move(filtered.dimmedIds);
        data.hiddenCount = filtered.hiddenCount;
    }
    for (const Calendar &calendar : sources.calendars->getAll())
        data.calendarColors.insert(calendar.id, calendar.color);
    data.pendingMarkCalendarIds = AppState::remoteAccountCalendars(sources.accounts, sources.calendars);
    if (options.digest)
        options.digest(data);
    return data;
}

} // namespace ViewRange
