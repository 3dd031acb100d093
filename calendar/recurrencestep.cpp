#include "calendar/recurrence.h"

#include "calendar/icstext.h"
#include "calendar/recurrenceperiods.h"

#include <limits>

// Start generation after RFC 5545, 3.3.10: each interval of the rule gives
// its set of date-times through RecurrencePeriods, those are placed in the
// series' own zone, and the series start is always the first occurrence.
namespace Recurrence {

namespace {

constexpr qint64 Day = 86400;
// Starts handed out by one call, whatever the range.
constexpr int MaxStarts = 10000;
// Intervals and candidates looked at by one call: bound a rule that never
// matches or names millions of instants before the range.
constexpr qint64 MaxPeriods = 2000000;
constexpr qint64 MaxCandidates = 4000000;

qint64 wallClockOf(const QDateTime &value)
{
    return RecurrencePeriods::wallClockOf(value.date(), value.time().msecsSinceStartOfDay() / 1000);
}

// The wall-clock second of an instant seen in the series' spec, with a
// day of margin on the safe side for the tests that only prune.
qint64 wallClockIn(const QDateTime &value, const QDateTime &seriesStart)
{
    return wallClockOf(IcsText::inSpecOf(value, seriesStart));
}

} // namespace

void forEachStart(const RecurrenceRule &rule, const QDateTime &seriesStart, const QDateTime &rangeEnd,
                  const QDateTime &skipBefore, const std::function<void(const QDateTime &)> &take,
                  const QTime &time)
{
    if (!seriesStart.isValid())
        return;
    const QTime startTime = time.isValid() ? time : seriesStart.time();
    const int fraction = startTime.msec();
    RecurrencePeriods periods(rule, seriesStart.date(), startTime.msecsSinceStartOfDay() / 1000);
    if (!rule.readable || !periods.isValid()) {
        take(seriesStart);
        return;
    }
    if (!rangeEnd.isValid())
        return;

    auto pastUntil = [&](const QDateTime &when) {
        if (!rule.until.isValid())
            return false;
        if (rule.untilIsDate)
            return when.date() > rule.until.date();
        return when > rule.until;
    };
    // Starts before skipBefore are left out of the result (and of the cap);
    // whole intervals are jumped over only when no COUNT has to be counted
    // from the first start.
    const QDateTime keepFrom = (skipBefore.isValid() && skipBefore > seriesStart) ? skipBefore : QDateTime();
    const QDateTime skipTo = rule.count == 0 ? keepFrom : QDateTime();

    int produced = 0;
    int handedOut = 0;
    auto offer = [&](const QDateTime &when) {
        ++produced;
        if (!keepFrom.isValid() || when >= keepFrom) {
            take(when);
            ++handedOut;
        }
    };
    auto done = [&]() { return (rule.count >= 1 && produced >= rule.count) || handedOut >= MaxStarts; };

    if (pastUntil(seriesStart) || seriesStart >= rangeEnd)
        return;
    offer(seriesStart);
    if (done())
        return;

    // Pruning bounds on the wall-clock line, a day wide on the safe side;
    // the exact tests run on instants.
    const qint64 startWall = wallClockOf(seriesStart);
    const qint64 endWall = wallClockIn(rangeEnd, seriesStart) + Day;
    qint64 untilWall = std::numeric_limits<qint64>::max();
    if (rule.until.isValid()) {
        untilWall = rule.untilIsDate ? RecurrencePeriods::wallClockOf(rule.until.date(), 0) + 2 * Day
                                     : wallClockIn(rule.until, seriesStart) + Day;
    }
    const qint64 keepWall = keepFrom.isValid() ? wallClockIn(keepFrom, seriesStart) - Day
                                               : std::numeric_limits<qint64>::min();

    qint64 n = skipTo.isValid() ? periods.periodBefore(wallClockIn(skipTo, seriesStart)) : 0;
    qint64 examined = 0;
    for (qint64 looked = 0; looked < MaxPeriods; ++looked) {
        qint64 periodWall = 0;
        if (!periods.periodStart(n, &periodWall) || periodWall > endWall || periodWall > untilWall)
            return;
        const qint64 next = periods.fill(n, periodWall);
        const qint64 size = periods.size();
        for (qint64 i = 0; i < size; ++i) {
            if (++examined > MaxCandidates)
                return;
            const qint64 candidate = periods.at(i);
            if (candidate <= startWall)
                continue;
            if (candidate < keepWall) {
                // Long before the range: counted towards COUNT, not placed.
                ++produced;
                if (rule.count >= 1 && produced >= rule.count)
                    return;
                continue;
            }
            if (candidate > endWall || candidate > untilWall)
                return;
            const QTime time = QTime(0, 0).addSecs(RecurrencePeriods::secondOf(candidate)).addMSecs(fraction);
            const QDateTime when = IcsText::wallClockLike(RecurrencePeriods::dateOf(candidate), time, seriesStart);
            if (when <= seriesStart)
                continue;
            if (pastUntil(when) || when >= rangeEnd)
                return;
            offer(when);
            if (done())
                return;
        }
        n = next;
    }
}

QList<QDateTime> step(const RecurrenceRule &rule, const QDateTime &seriesStart, const QDateTime &rangeEnd,
                      const QDateTime &skipBefore, const QTime &time)
{
    QList<QDateTime> starts;
    forEachStart(
        rule, seriesStart, rangeEnd, skipBefore, [&starts](const QDateTime &when) { starts.append(when); }, time);
    return starts;
}

} // namespace Recurrence
