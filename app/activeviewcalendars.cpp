#include "app/activeviewcalendars.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "app/appstate.h"
#include "store/calendarrepository.h"
#include "store/viewrepository.h"

QStringList activeViewCalendarIds(AppState *state)
{
    if (!state)
        return {};
    return activeViewCalendarIds(state->views(), state->calendars(), state->activeViewId());
}

QStringList activeViewCalendarIds(ViewRepository *views, CalendarRepository *calendars,
                                  const QString &activeViewId, bool missingGroupShowsVisible)
{
    if (!views || !calendars)
        return {};
    std::optional<CalendarView> group = views->getById(activeViewId);
    // A deleted group is no group: the repository hands tombstones back too.
    if (group && group->deleted_at)
        group.reset();
    if (!group && !missingGroupShowsVisible)
        return {};

    QStringList ids;
    const QJsonDocument document =
        group ? QJsonDocument::fromJson(group->calendar_ids.toUtf8()) : QJsonDocument();
    if (document.isArray()) {
        const QJsonArray array = document.array();
        ids.reserve(array.size());
        for (const QJsonValue &value : array)
            ids.append(value.toString());
    }
    if (!ids.isEmpty())
        return ids;

    for (const Calendar &calendar : calendars->getAll()) {
        if (calendar.is_visible)
            ids.append(calendar.id);
    }
    return ids;
}
