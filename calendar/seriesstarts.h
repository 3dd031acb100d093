#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <memory>

struct Event;

// Where the rules of a series start occurrences, asked of one instant at a
// time: each answer reads the rule around that instant, never every
// occurrence from the first, so an occurrence years on, past the ten
// thousand one expansion gives, is found as the second is. A rule with a
// COUNT is counted to its end once per series. Skipped days count as
// occurrences here: what is asked is where the rule puts them.
class SeriesStarts
{
public:
    SeriesStarts();
    ~SeriesStarts();

    // Whether the series gives an occurrence named `recurrenceId`
    // (Recurrence::recurrenceIdOf).
    bool names(const Event &series, const QString &recurrenceId);
    // An all-day series' occurrences are named by their dates here, each at
    // its midnight in UTC (as Recurrence::readRecurrenceId reads a date):
    // `start` as these answers name it.
    static QDateTime startOf(const Event &series, const QDateTime &start);
    // The last occurrence starting before `at`; invalid where none does.
    QDateTime lastBefore(const Event &series, const QDateTime &at);
    // The first occurrence starting after `after` and not after
    // `notAfter`; invalid where none does.
    QDateTime firstAfter(const Event &series, const QDateTime &after, const QDateTime &notAfter);

private:
    struct Stepped;
    const Stepped &steppedOf(const Event &series);
    // The starts of the series in [from, to), in order.
    QList<QDateTime> startsIn(const Event &series, const QDateTime &from, const QDateTime &to);

    // By what fixes where a series' occurrences fall.
    QHash<QString, std::shared_ptr<const Stepped>> m_stepped;
};
