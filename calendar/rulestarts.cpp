#include "calendar/rulestarts.h"

#include "calendar/icstext.h"
#include "calendar/recurrence.h"

#include <algorithm>

namespace {

// How far ahead the next start of a rule is looked for: a year first, as
// nearly every rule has one there, then the 400 years after which the
// calendar's dates fall on the same weekdays again (a rule that gives
// none by then gives none at all).
constexpr int NearYears = 1;
constexpr int FarYears = 400;
// How far before the occurrence its rule's start is looked for: one a
// change to summer time shows an hour on is read at the time the rule
// names, before it.
constexpr qint64 GapSecs = 2 * 3600;

} // namespace

namespace RuleStarts {

QDateTime naive(const QDate &day, const QTime &time)
{
    return QDateTime(day, time, Qt::UTC);
}

RecurrenceRule onWallClock(RecurrenceRule rule, const QDateTime &clock)
{
    if (rule.until.isValid() && !rule.untilIsDate && !rule.untilIsFloating) {
        const QDateTime wall = IcsText::inSpecOf(rule.until, clock);
        rule.until = naive(wall.date(), wall.time());
    }
    return rule;
}

QList<QDateTime> between(const QString &rule, const QDateTime &clock, const QDateTime &start, const QDateTime &from,
                         const QDateTime &to)
{
    QList<QDateTime> starts;
    for (const QString &line : Recurrence::ruleLines(rule)) {
        // A rule that cannot be read gives its start alone, wherever `from` is.
        for (const QDateTime &when : Recurrence::step(onWallClock(Recurrence::parseRule(line), clock), start, to, from)) {
            if (when >= from)
                starts.append(when);
        }
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    return starts;
}

std::optional<QDateTime> firstFrom(const Event &series, const QDateTime &from)
{
    if (series.recurrence_rule.trimmed().isEmpty() || !from.isValid())
        return std::nullopt;
    const QDateTime clock = Recurrence::steppedStart(series);
    const QTime time = series.is_all_day ? QTime(0, 0) : Recurrence::steppedTime(series);
    const QDateTime wallFrom = IcsText::inSpecOf(from, clock);
    const QDateTime since = series.is_all_day ? naive(wallFrom.date(), QTime(0, 0))
                                              : naive(wallFrom.date(), wallFrom.time()).addSecs(-GapSecs);
    for (const int years : {NearYears, FarYears}) {
        for (const QDateTime &wall :
             between(series.recurrence_rule, clock, naive(clock.date(), time), since, since.addYears(years))) {
            const QDateTime shown = IcsText::wallClockLike(wall.date(), wall.time(), clock);
            if (series.is_all_day || shown >= from)
                return shown;
        }
    }
    return std::nullopt;
}

} // namespace RuleStarts
