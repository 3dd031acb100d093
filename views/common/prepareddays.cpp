#include "views/common/prepareddays.h"

#include "views/common/viewrange.h"

PreparedDays PreparedDays::build(const ViewRangeData &data, const QDate &first, int dayCount)
{
    PreparedDays prepared =
        layOut(data.events, first, dayCount, data.calendarColors, data.dimmedIds, data.pendingMarkCalendarIds);
    prepared.undraggableIds = undraggable(data.events);
    return prepared;
}

PreparedDays PreparedDays::layOut(const QList<Event> &events, const QDate &first, int dayCount,
                                  const QHash<QString, QString> &calendarColors, const QSet<QString> &dimmedIds,
                                  const QSet<QString> &pendingMarkCalendarIds)
{
    PreparedDays prepared;
    prepared.first = first;
    prepared.events = events;
    prepared.dayBlocks.reserve(dayCount);
    for (int day = 0; day < dayCount; ++day) {
        prepared.dayBlocks.append(
            DayBlocks::build(events, first.addDays(day), calendarColors, dimmedIds, pendingMarkCalendarIds));
    }
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
