#include "views/common/timedlayout.h"

#include <algorithm>
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
    // Indices into result (and keys) of the events still running.
    std::vector<qsizetype> active;
    std::vector<char> used;
    qsizetype clusterStart = 0;

    const auto closeCluster = [&result, &clusterStart]() {
        int widest = 0;
        for (qsizetype i = clusterStart; i < result.size(); ++i)
            widest = std::max(widest, result.at(i).column);
        for (qsizetype i = clusterStart; i < result.size(); ++i)
            result[i].columnCount = widest + 1;
        clusterStart = result.size();
    };

    for (size_t k = 0; k < keys.size(); ++k) {
        const qint64 start = keys[k].start;
        active.erase(std::remove_if(active.begin(), active.end(),
                                    [&keys, start](qsizetype i) { return keys[size_t(i)].end <= start; }),
                     active.end());
        if (active.empty() && !result.isEmpty())
            closeCluster();

        used.assign(active.size() + 1, 0);
        for (qsizetype i : active) {
            const int column = result.at(i).column;
            if (size_t(column) < used.size())
                used[size_t(column)] = 1;
        }
        const int column = int(std::find(used.begin(), used.end(), 0) - used.begin());

        result.append(TimedLayoutEntry{std::move(events[keys[k].index]), column, 0});
        active.push_back(result.size() - 1);
    }
    if (!result.isEmpty())
        closeCluster();
    return result;
}
