#include "views/common/prepareddays.h"

#include "views/common/viewrange.h"

PreparedDays PreparedDays::build(const ViewRangeData &data, const QDate &first, int dayCount)
{
    PreparedDays prepared;
    prepared.first = first;
    prepared.dayBlocks.reserve(dayCount);
    for (int day = 0; day < dayCount; ++day) {
        prepared.dayBlocks.append(DayBlocks::build(data.events, first.addDays(day), data.calendarColors,
                                                   data.dimmedIds, data.pendingMarkCalendarIds));
    }
    prepared.undraggableIds = undraggable(data.events);
    return prepared;
}

QSet<QString> PreparedDays::undraggable(const QList<Event> &events)
{
    QSet<QString> ids;
    for (const Event &event : events) {
        if (event.end_time && event.start_time.toLocalTime().date() < event.end_time->toLocalTime().date())
            ids.insert(event.id);
    }
    return ids;
}
