#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QTimeZone>

#include <optional>

#include "store/event.h"

// A floating series as the previous version stepped it (in UTC, reading
// the days its rule names on UTC dates) beside its stepping now (on the
// wall clock of the zone it was read in), to tell which occurrence a stamp
// of the old stepping named.
class OldStepping
{
public:
    // `zone` is the zone the series' instants were pinned in
    // (ReadInZones); an invalid one, or the computer's, is the computer's
    // wall clock.
    explicit OldStepping(const Event &series, const QTimeZone &zone = QTimeZone());

    // The recurrence id ("yyyyMMddTHHmmssZ") of the occurrence the stamp
    // named: the wall-clock start nearest the instant the stamp was shown
    // at, where that is clearly the same occurrence and no other old start
    // stands for it as well. Empty where the stamp names a wall-clock start
    // already, or no start of the old stepping, or where its counterpart
    // is not clear.
    QString renamed(const QString &stamp) const;

private:
    // The wall-clock start an old start stands for where that is clear:
    // the nearest one (of two as near, the one on its day), on the day the
    // old stepping gave it or clearly nearer than any other.
    struct Claim
    {
        qint64 start = 0;
        qint64 distance = 0;
    };
    std::optional<Claim> claimOf(const QList<qint64> &wall, qint64 old, qint64 reach) const;
    // The wall-clock start nearest an old one; of two equally near, the one
    // on the day the old stepping gave it. None where that leaves two.
    std::optional<qint64> nearestTo(const QList<qint64> &wall, qint64 old) const;
    // Whether the day the old stepping gave a start (its UTC date) is the
    // day a start has on the wall clock.
    bool sameDay(qint64 old, qint64 wall) const;
    // The starts of a stepping near an instant, in milliseconds.
    static QList<qint64> startsNear(const Event &stepping, qint64 at, qint64 reach);

    Event m_wall;
    Event m_utc;
    // The zone of the wall clock; invalid for the computer's.
    QTimeZone m_zone;
    // The shortest step of the series' rules; 0 for a series of dates.
    qint64 m_stepMs = 0;
};
