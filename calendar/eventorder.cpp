#include "calendar/eventorder.h"

#include <algorithm>

namespace EventOrder {

bool startsBefore(const Event &a, const Event &b)
{
    return a.start_time < b.start_time;
}

void sort(QList<Event> &events)
{
    std::sort(events.begin(), events.end(), startsBefore);
}

} // namespace EventOrder
