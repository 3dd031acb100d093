#pragma once

#include "store/event.h"

#include <QList>
#include <QSet>
#include <QString>

// What the filter rules leave of a list of events.
struct FilterResult
{
    // The events not hidden, in input order; dimmed ones included.
    QList<Event> events;
    QSet<QString> dimmedIds;
    int hiddenCount = 0;
    // Every hidden event, and dimmed events whose rule silences reminders.
    QSet<QString> suppressedIds;
};
