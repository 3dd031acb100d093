#include "views/common/timedlayout.h"

#include <algorithm>
#include <queue>
#include <utility>
#include <vector>

namespace {

qint64 effectiveEndMs(const Event &event)
{
    return event.end_time ? event.end_time->toMSecsSinceEpoch() : event.start_time.toMSecsSinceEpoch();
}

// The sort keys, read once: converting a local date-time to an instant costs
// far more than the comparison itself.
struct Key
{
    qint64 start;
    qint64 end;
    qsizetype index;
};

} // namespace

bool layoutSortLess(const Event &a, const Event &b)
{
    if (a.start_time != b.start_time)
        return a.start_time < b.start_time;
    return effectiveEndMs(a) < effectiveEndMs(b);
}

QList<TimedLayoutEntry> layoutTimedEvents(QList<Event> events)
{
    std::vector<Key> keys;
    keys.reserve(size_t(events.size()));
    for (qsizetype i = 0; i < events.size(); ++i)
        keys.push_back({events.at(i).start_time.toMSecsSinceEpoch(), effectiveEndMs(events.at(i)), i});
    std::sort(keys.begin(), keys.end(), [](const Key &a, const Key &b) {
        return a.start != b.start ? a.start < b.start : a.end < b.end;
    });

    QList<TimedLayoutEntry> result;
    result.reserve(events.size());
    // The running events as (end, column), soonest end on top, and the
    // columns they gave back, lowest on top. Columns from nextColumn on are
    // unused, so the lowest free column is the lower of the two.
    using Running = std::pair<qint64, int>;
    std::priority_queue<Running, std::vector<Running>, std::greater<>> running;
    std::priority_queue<int, std::vector<int>, std::greater<>> freed;
    int nextColumn = 0;
    qsizetype clusterStart = 0;

    const auto closeCluster = [&]() {
        for (qsizetype i = clusterStart; i < result.size(); ++i)
            result[i].columnCount = nextColumn;
        clusterStart = result.size();
        nextColumn = 0;
        freed = {};
    };

    for (const Key &key : keys) {
        while (!running.empty() && running.top().first <= key.start) {
            freed.push(running.top().second);
            running.pop();
        }
        if (running.empty() && !result.isEmpty())
            closeCluster();
        int column = nextColumn;
        if (!freed.empty() && freed.top() < nextColumn) {
            column = freed.top();
            freed.pop();
        } else {
            ++nextColumn;
        }
        result.append(TimedLayoutEntry{std::move(events[key.index]), column, 0});
        running.push({key.end, column});
    }
    if (!result.isEmpty())
        closeCluster();
    return result;
}
