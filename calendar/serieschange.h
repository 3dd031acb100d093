#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

#include "store/seriesrows.h"

// A change of a whole repeating event worked out as one value, from the
// series as stored and its own rows (its changed occurrences and their
// tombstones): the rows to write, or the words of a refusal. Every time is
// read on the clock the series steps on (Recurrence::steppedStart): its
// named zone, the computer's wall clock for a floating series, the date
// for an all-day one, else UTC. Nothing here reads or writes the store;
// the rows carry no edit stamp yet (EventStamp).
class SeriesChange
{
public:
    // The series `before` stored as `after` (the form's record, or a
    // drag's). Where its start or zone changed, every occurrence moves
    // alike (SeriesShift): each skipped day, extra date and changed
    // occurrence's recurrence id with it (an override's own times stay),
    // and, moved by whole days, the days its rule names, unless the same
    // edit gave a rule of its own. Refused where the rule cannot name the
    // moved days. A record that changes no time changes no day.
    static SeriesChange wholeSeries(const Event &before, const Event &after, const QList<Event> &own);
    // One occurrence dragged "All events": the series moves as that one
    // did. It keeps its own length unless the edit gave the occurrence
    // another; that one goes on as whole days on the wall clock and the
    // rest, as every occurrence is read.
    static SeriesChange allOccurrences(const Event &master, const QDateTime &occurrenceStart,
                                       const QDateTime &newStart, const std::optional<QDateTime> &newEnd,
                                       const QList<Event> &own);
    // "This and following": the series ends before the occurrence, and a
    // new one with `fields`' title, notes, reminders and the like starts at
    // the new time: at the occurrence, or, split at an extra date off the
    // rule, at the rule's next occurrence moved alike, the extra date kept
    // as one (a series of its dates alone where the rule gives no more).
    // It keeps the old one's end (its UNTIL, or the part of its COUNT
    // left), and the skipped and changed occurrences and extra dates from
    // the split on, all moved as a whole-series move would move them; its
    // rule too, refused where that cannot be exact: where the rule cannot
    // name the moved days, or cannot start again there and give the same
    // days.
    static SeriesChange thisAndFollowing(const Event &master, const Event &fields, const QDateTime &occurrenceStart,
                                         const QDateTime &newStart, const std::optional<QDateTime> &newEnd,
                                         const QList<Event> &own);

    bool isRefused() const { return !m_refusal.isEmpty(); }
    // The words the user reads when the change is refused.
    QString refusal() const { return m_refusal; }
    // What the log says of a refusal.
    QString refusalDetail() const { return m_detail; }
    const SeriesRows &rows() const { return m_rows; }

    // The rule ended at the cut-off: COUNT dropped, UNTIL (replaced in
    // place or appended) the given value; other parts kept.
    static QString truncatedRule(const QString &rule, const QString &until);
    // A row of its own for an override or a new series: the master's
    // visible fields, its reminders and attendees (so a moved occurrence
    // still alerts and still invites), new times and a new identity.
    static Event newRowLike(const Event &master, const QDateTime &newStart, const std::optional<QDateTime> &newEnd);

private:
    // Refused with the words of a rule that cannot move every occurrence.
    static SeriesChange refused(const Event &series, const QString &detail);
    static SeriesChange refused(const QString &words, const QString &detail);

    SeriesRows m_rows;
    QString m_refusal;
    QString m_detail;
};
