#pragma once

#include "store/event.h"

#include <QList>
#include <QStringList>

#include <optional>

// A series' change as the rows it comes to, written together or not at
// all (EventRepository::storeSeriesChange): the series itself, the new
// series a split starts, the changed occurrences rewritten and added, and
// the ids of those whose change is taken back (EventRepository::withdraw).
// A re-keyed row is a changed occurrence under a new recurrence id or
// series (and that series' UID where it carried the old series' UID) and
// its edit stamp, every other field and its reminders and attendees as
// stored.
struct SeriesRows
{
    Event master;
    std::optional<Event> newSeries;
    QList<Event> rekeyed;
    QList<Event> updates;
    QList<Event> inserts;
    QStringList withdrawals;
};
