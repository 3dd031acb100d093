#pragma once

#include "store/event.h"

#include <QList>

// A timed event with its place among the events it overlaps: its column and
// the number of columns of its cluster (a run of events during which some
// event was always running).
struct TimedLayoutEntry
{
    Event event;
    int column = 0;
    int columnCount = 0;
};

// Earlier start first; for equal starts the earlier effective end (the end,
// else the start). Compared as instants.
bool layoutSortLess(const Event &a, const Event &b);

// Columns for the timed events of one day, in sorted order. Events that only
// touch do not overlap; a freed column is reused, so a cluster is as wide as
// its peak of simultaneous events. Runs on every paint of a timeline.
QList<TimedLayoutEntry> layoutTimedEvents(QList<Event> events);
