#include "views/common/viewrange.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "app/appstate.h"
#include "calendar/filterengine.h"
#include "calendar/recurrence.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/filterrulerepository.h"
#include "store/viewrepository.h"

namespace ViewRange {

QStringList activeViewCalendarIds(AppState *state)
{
    if (!state || !state->views() || !state->calendars())
        return {};
    const std::optional<CalendarView> group = state->views()->getById(state->activeViewId());
    // A deleted group is no group: the repository hands tombstones back too.
    if (!group || group->deleted_at)
        return {};

    QStringList ids;
    const QJsonDocument document = QJsonDocument::fromJson(group->calendar_ids.toUtf8());
    if (document.isArray()) {
        const QJsonArray array = document.array();
        ids.reserve(array.size());
        for (const QJsonValue &value : array)
            ids.append(value.toString());
    }
    if (!ids.isEmpty())
        return ids;

    for (const Calendar &calendar : state->calendars()->getAll()) {
        if (calendar.is_visible)
            ids.append(calendar.id);
    }
    return ids;
}

ViewRangeData load(AppState *state, const QDateTime &from, const QDateTime &to)
{
    ViewRangeData data;
    if (!state)
        return data;
    const QStringList ids = activeViewCalendarIds(state);
    if (!ids.isEmpty()) {
        const QList<Event> stored = state->events()->getInRange(from, to, ids);
        FilterResult filtered =
            FilterEngine::apply(Recurrence::expandForRange(stored, from, to), state->filterRules()->getEnabled());
        data.events = std::move(filtered.events);
        data.dimmedIds = std::move(filtered.dimmedIds);
        data.hiddenCount = filtered.hiddenCount;
    }
    for (const Calendar &calendar : state->calendars()->getAll())
        data.calendarColors.insert(calendar.id, calendar.color);
    data.pendingMarkCalendarIds = state->remoteAccountCalendars();
    return data;
}

} // namespace ViewRange
