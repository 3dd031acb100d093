#include "views/common/viewrange.h"

#include <QAtomicInteger>

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

namespace {

QAtomicInteger<quint64> finishedSteps;

} // namespace

ViewRangeSources sourcesOf(AppState *state)
{
    if (!state)
        return {};
    return {state->accounts(), state->calendars(), state->events(), state->filterRules(), state->views(),
            state->tasks(), nullptr};
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
    ViewRangeSources unstoppable = sources;
    unstoppable.abandoned = nullptr;
    return *loadUnlessAbandoned(unstoppable, activeViewId, from, to, options);
}

std::optional<ViewRangeData> loadUnlessAbandoned(const ViewRangeSources &sources, const QString &activeViewId,
                                                 const QDateTime &from, const QDateTime &to,
                                                 const ViewRangeOptions &options)
{
    // Counts the step just done and says whether to go on.
    const auto goOn = [&sources] {
        ++finishedSteps;
        return !sources.abandoned || !sources.abandoned();
    };
    ViewRangeData data;
    data.from = from;
    data.to = to;
    if (options.read) {
        options.read(sources, data);
        if (!goOn())
            return std::nullopt;
        if (options.digest) {
            options.digest(data);
            ++finishedSteps;
        }
        return data;
    }
    if (!sources.events || !sources.calendars || !sources.filterRules)
        return data;
    const QStringList ids =
        activeViewCalendarIds(sources.views, sources.calendars, activeViewId, options.missingGroupShowsVisible);
    data.calendarIds = ids;
    if (!goOn())
        return std::nullopt;
    if (!ids.isEmpty() && options.withTasks && sources.tasks) {
        data.tasks = sources.tasks->getInRange(from, to, ids);
        if (!goOn())
            return std::nullopt;
    }
    if (!ids.isEmpty()) {
        const QList<Event> stored = sources.events->getInRange(from, to, ids);
        if (!goOn())
            return std::nullopt;
        QList<Event> expanded = Recurrence::expandForRange(stored, from, to);
        if (!goOn())
            return std::nullopt;
        const QList<FilterRule> rules = sources.filterRules->getEnabled();
        if (FilterEngine::compile(rules).isEmpty()) {
            // No rule decides anything: the filter would only copy the list.
            data.events = std::move(expanded);
        } else {
            FilterResult filtered = FilterEngine::apply(expanded, rules);
            data.events = std::move(filtered.events);
            data.dimmedIds = std::move(filtered.dimmedIds);
            data.hiddenCount = filtered.hiddenCount;
        }
        if (!goOn())
            return std::nullopt;
    }
    for (const Calendar &calendar : sources.calendars->getAll())
        data.calendarColors.insert(calendar.id, calendar.color);
    data.pendingMarkCalendarIds = AppState::remoteAccountCalendars(sources.accounts, sources.calendars);
    if (!goOn())
        return std::nullopt;
    if (options.digest) {
        options.digest(data);
        ++finishedSteps;
    }
    return data;
}

quint64 stepsFinished()
{
    return finishedSteps.loadRelaxed();
}

} // namespace ViewRange
