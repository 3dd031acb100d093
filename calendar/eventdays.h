#pragma once

#include "store/event.h"

#include <QDate>

// The first and last day an event is shown on: an all-day event's stored
// dates, a timed event's local start and end dates (the start's alone when
// it has no valid end). Either may be invalid; the last may come first.
struct EventDays
{
    QDate first;
    QDate last;

    static EventDays of(const Event &event);
};
