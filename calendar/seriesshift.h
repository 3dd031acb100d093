#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

struct Event;

// How every occurrence of a series moves when the whole series is moved in
// time: by the whole days and the time of day its start moved by on the
// series' own wall clock, into the zone it now steps in (an all-day series
// by whole days). Moved alike, a skipped day or a changed occurrence's
// recurrence id still names its occurrence, and a rule naming days
// (BYDAY, BYMONTHDAY, BYYEARDAY) names the moved days.
class SeriesShift
{
public:
    // The series' start before and after, each in the time spec its
    // occurrences step in (its named zone, else as stored).
    SeriesShift(const QDateTime &from, const QDateTime &to, bool allDay);
    // The move from one record of a series to another, each start on the
    // clock the series steps on (Recurrence::steppedStart): a record that
    // keeps its instant and its clock moves nothing.
    static SeriesShift between(const Event &before, const Event &after);

    // Whether nothing moves: same instant, same wall clock.
    bool isNone() const;
    // An occurrence's start (or a skipped day's instant) moved alike, in
    // the new spec.
    QDateTime moved(const QDateTime &instant) const;
    // The day a date-valued entry moves to: an all-day series' day, or a
    // timed series' extra date, which names its occurrence at the series'
    // time of day that day.
    QDate movedDay(const QDate &day) const;
    // The rule (one value, or several one a line) whose occurrences are
    // the old ones moved alike: its named days and its UNTIL moved, the
    // rest as written. None where it cannot say that exactly (a month day
    // past the end of a shorter month, a numbered weekday, BYSETPOS,
    // BYWEEKNO, hours named by the rule): such a series is not moved.
    std::optional<QString> movedRule(const QString &rule) const;

    // The same move read from another occurrence of the series (its start
    // on the clock the series steps on, where the series steps at `time`
    // of day): a split's new series starts there and is checked from there.
    SeriesShift from(const QDateTime &occurrence, const QTime &time) const;
    // Whether `carried`, stepped from the new start, gives every start that
    // `rule`, stepped from `seriesStart` at `time` of day, gives from the
    // shift's start on, each moved alike, and no other: a series split
    // there goes on as it went. Not where the days a rule takes from its
    // start differ at a later one (the 31st, which shorter months move to
    // their last day), or several rules take them from one start.
    bool carriesOn(const QString &rule, const QDateTime &seriesStart, const QTime &time,
                   const QString &carried) const;

private:
    std::optional<QString> movedRuleLine(const QString &line) const;
    std::optional<QString> movedPart(const QString &key, const QString &value) const;
    QString movedUntil(const QString &value) const;
    bool movesEveryOccurrence(const QString &before, const QString &after) const;
    QDateTime wallMoved(const QDateTime &wall) const;

    QDateTime m_from;
    QDateTime m_to;
    bool m_allDay = false;
    // The times of day the series steps at before and after (as its start
    // reads, but for a start written in a skipped hour).
    QTime m_fromTime;
    QTime m_toTime;
    // Whole days between the two starts' wall-clock dates, and the rest.
    qint64 m_days = 0;
    qint64 m_seconds = 0;
};
