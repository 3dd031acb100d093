#include "views/common/timelinefocus.h"

#include <algorithm>

namespace TimelineFocus {

QString nextTimedEventId(const QList<Event> &events, const QString &selectedId, bool forward)
{
    QList<const Event *> timed;
    for (const Event &event : events) {
        if (!event.is_all_day)
            timed.append(&event);
    }
    if (timed.isEmpty())
        return QString();
    std::stable_sort(timed.begin(), timed.end(),
                     [](const Event *a, const Event *b) { return a->start_time < b->start_time; });
    const auto current =
        std::find_if(timed.cbegin(), timed.cend(), [&selectedId](const Event *e) { return e->id == selectedId; });
    const int n = int(timed.size());
    int next;
    if (current == timed.cend())
        next = forward ? 0 : n - 1;
    else
        next = (int(current - timed.cbegin()) + (forward ? 1 : n - 1)) % n;
    return timed.at(next)->id;
}

} // namespace TimelineFocus
