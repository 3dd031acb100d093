#include "app/upcomingevents.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>

#include "app/appstate.h"
#include "calendar/eventorder.h"
#include "calendar/filterengine.h"
#include "calendar/recurrence.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/filterrulerepository.h"
#include "store/viewrepository.h"

namespace UpcomingEvents {

namespace {

Sources sourcesOf(AppState *state)
{
    return {state->calendars(), state->events(), state->filterRules(), state->views()};
}

} // namespace

QStringList calendarSet(AppState *state)
{
    return calendarSet(sourcesOf(state), state->activeViewId());
}

QStringList calendarSet(const Sources &sources, const QString &activeViewId)
{
    QStringList ids;
    if (const std::optional<CalendarView> group = sources.views->getById(activeViewId)) {
        const QJsonDocument document = QJsonDocument::fromJson(group->calendar_ids.toUtf8());
        if (document.isArray()) {
            const QJsonArray array = document.array();
            for (const QJsonValue &value : array)
                ids.append(value.toString());
        }
    }
    if (!ids.isEmpty())
        return ids;
    for (const Calendar &calendar : sources.calendars->getAll()) {
        if (calendar.is_visible)
            ids.append(calendar.id);
    }
    return ids;
}

QList<Event> load(AppState *state)
{
    return load(sourcesOf(state), state->activeViewId());
}

QList<Event> load(const Sources &sources, const QString &activeViewId)
{
    if (!sources.calendars || !sources.events || !sources.filterRules || !sources.views)
        return {};
    const QStringList ids = calendarSet(sources, activeViewId);
    if (ids.isEmpty())
        return {};

    const QDateTime now = QDateTime::currentDateTime();
    const QDate today = QDate::currentDate();
    const QDate tomorrow = today.addDays(1);
    const QDateTime windowStart(today, QTime(0, 0));
    const QDateTime windowEnd(tomorrow, QTime(23, 59, 59));

    const QList<Event> events = sources.events->getInRange(windowStart, windowEnd, ids);
    // Only what is still to come is built into records and filtered.
    QList<Event> candidates;
    for (const Occurrence &occurrence : Recurrence::occurrences(events, windowStart, windowEnd)) {
        const Event &source = events.at(occurrence.eventIndex);
        if (source.is_all_day) {
            // An all-day event counts for the day it starts on only.
            const Event event = Recurrence::eventFor(source, occurrence);
            const QDate day = event.start_time.date();
            if (day == today || day == tomorrow)
                candidates.append(event);
        } else if (occurrence.end.isValid() ? occurrence.end > now : occurrence.start > now) {
            candidates.append(Recurrence::eventFor(source, occurrence));
        }
    }
    QList<Event> upcoming = FilterEngine::apply(candidates, sources.filterRules->getEnabled()).events;
    EventOrder::sort(upcoming);
    return upcoming;
}

bool belongsToToday(const Event &event, const QDate &today)
{
    return event.start_time.toLocalTime().date() <= today;
}

std::optional<Event> next(AppState *state)
{
    const QList<Event> upcoming = load(state);
    if (upcoming.isEmpty())
        return std::nullopt;
    return upcoming.first();
}

} // namespace UpcomingEvents
