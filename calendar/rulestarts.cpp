#include "calendar/rulestarts.h"

#include <QSet>

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

// The wall-clock time of `at` on the series' clock, held as UTC.
QDateTime naiveOn(const QDateTime &at, const QDateTime &clock)
{
    const QDateTime wall = IcsText::inSpecOf(at, clock);
    return QDateTime(wall.date(), wall.time(), Qt::UTC);
}

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

namespace RuleStarts {

qint64 countBefore(const Event &series, const QDateTime &before)
{
    if (series.recurrence_rule.trimmed().isEmpty() || !before.isValid())
        return 0;
    const QDateTime clock = Recurrence::steppedStart(series);
    const QTime time = series.is_all_day ? QTime(0, 0) : Recurrence::steppedTime(series);
    const QDateTime start = naive(clock.date(), time);
    const QDateTime end = series.is_all_day ? naive(IcsText::inSpecOf(before, clock).date(), QTime(0, 0))
                                            : naiveOn(before, clock);
    if (end <= start)
        return 0;
    const QStringList lines = Recurrence::ruleLines(series.recurrence_rule);
    // Several rules may give the same start: it counts once.
    QSet<qint64> seen;
    qint64 counted = 0;
    for (const QString &line : lines) {
        RecurrenceRule rule = onWallClock(Recurrence::parseRule(line), clock);
        // Stepped without its COUNT, each stretch goes straight to where the
        // last one stopped; the COUNT ends the count instead.
        const int limit = rule.count;
        rule.count = 0;
        qint64 ofRule = 0;
        QDateTime from;
        for (;;) {
            qint64 taken = 0;
            for (const QDateTime &when : Recurrence::step(rule, start, end, from, time)) {
                // A rule that cannot be read gives its start alone, wherever
                // the stretch begins.
                if ((from.isValid() && when < from) || (limit >= 1 && ofRule == limit))
                    continue;
                ++ofRule;
                ++taken;
                from = when.addMSecs(1);
                if (lines.size() == 1) {
                    ++counted;
                } else if (!seen.contains(when.toMSecsSinceEpoch())) {
                    seen.insert(when.toMSecsSinceEpoch());
                    ++counted;
                }
            }
            if (taken == 0)
                break;
        }
    }
    return counted;
}

} // namespace RuleStarts
