#pragma once

#include <QByteArray>
#include <QList>

#include "store/event.h"

namespace Webcal {

// What a fetched feed body holds. Only a whole calendar may replace a
// subscription's events: a login page served with status 200 or a body cut
// off mid-way would otherwise read as "no events" and empty the calendar.
struct Feed
{
    enum class Problem {
        None,
        NotACalendar,  // does not start with BEGIN:VCALENDAR (an HTML page)
        Incomplete,    // components not closed, or closed out of order
        TooManyEvents, // more than kMaxEvents events
    };

    // Bounds on what one feed may make us hold in memory.
    static constexpr int kMaxEvents = 50000;
    static constexpr int kMaxDepth = 16;

    Problem problem = Problem::None;
    // The events with a UID, in feed order; empty unless problem is None.
    QList<Event> events;

    // Reads UTF-8 iCalendar bytes.
    static Feed read(const QByteArray &body);
};

} // namespace Webcal
