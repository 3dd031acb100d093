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

// Occurrences made into records and filtered at once, for a read in slices.
constexpr qsizetype SliceSize = 4096;

QHash<QString, QString> calendarColours(const ViewRangeSources &sources)
{
    QHash<QString, QString> colours;
    for (const Calendar &calendar : sources.calendars->getAll())
        colours.insert(calendar.id, calendar.color);
    return colours;
}

// The events a whole read keeps, handed over a slice at a time in the same
// order; false when the read was abandoned between two slices.
bool expandInSlices(const ViewRangeSources &sources, const QList<Event> &stored, const QDateTime &from,
                    const QDateTime &to, const ViewRangeOptions::Slice &eachSlice, ViewRangeData &data)
{
    const QList<Occurrence> found = Recurrence::occurrences(stored, from, to);
    const QList<FilterRule> rules = sources.filterRules->getEnabled();
    const bool filtering = !FilterEngine::compile(rules).isEmpty();
    QList<Event> slice;
    for (qsizetype next = 0; next < found.size();) {
        if (sources.abandoned && sources.abandoned())
            return false;
        slice.clear();
        for (; next < found.size() && slice.size() < SliceSize; ++next)
            slice.append(Recurrence::eventFor(stored.at(found.at(next).eventIndex), found.at(next)));
        if (!filtering) {
            eachSlice(slice, data);
            continue;
        }
        const FilterResult filtered = FilterEngine::apply(slice, rules);
        data.dimmedIds.unite(filtered.dimmedIds);
        data.hiddenCount += filtered.hiddenCount;
        eachSlice(filtered.events, data);
    }
    return true;
}

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
    // The caller's digest, the last step of a load.
    const auto digest = [&options](ViewRangeData &data) {
        if (options.digest) {
            options.digest(data);
            ++finishedSteps;
        }
    };
    ViewRangeData data;
    data.from = from;
    data.to = to;
    if (options.read) {
        options.read(sources, data);
        if (!goOn())
            return std::nullopt;
        digest(data);
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
    bool coloured = false;
    if (!ids.isEmpty()) {
        QList<Event> stored = sources.events->getInRange(from, to, ids);
        // The views show records, never their stored iCalendar text (an edit
        // reads its event again): it is let go of here rather than kept with
        // every range a view holds.
        for (Event &event : stored)
            event.raw_icalendar = QString();
        if (!goOn())
            return std::nullopt;
        if (options.eachSlice) {
            // The slices may need the colours.
            data.calendarColors = calendarColours(sources);
            coloured = true;
            if (!expandInSlices(sources, stored, from, to, options.eachSlice, data))
                return std::nullopt;
        } else {
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
        }
        if (!goOn())
            return std::nullopt;
    }
    if (!coloured)
        data.calendarColors = calendarColours(sources);
    data.pendingMarkCalendarIds = AppState::remoteAccountCalendars(sources.accounts, sources.calendars);
    if (!goOn())
        return std::nullopt;
    digest(data);
    return data;
}

quint64 stepsFinished()
{
    return finishedSteps.loadRelaxed();
}

} // namespace ViewRange
