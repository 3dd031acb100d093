#pragma once

#include <QDateTime>
#include <QString>
#include <QTimeZone>

// Pins stored instants again on the computer's zone, each keeping the
// wall-clock reading it had in the zone it was read in (FloatingZone).
// A new zone pins tens of thousands of them before the window shows, so
// each zone's offset is looked up once for each span between two of its
// changes; a time within two days of a change of the computer's zone is
// pinned the long way (IcsText::localWallClock).
class WallClockPin
{
public:
    explicit WallClockPin(const QTimeZone &from);

    // The stored instant text (ISO "…Z", or the iCalendar
    // "yyyyMMddTHHmmssZ") pinned again, in its own form; any other text as
    // it is.
    QString operator()(const QString &text);

private:
    // A zone's offset from UTC over the span around the last instant asked
    // for in which it does not change.
    class Offsets
    {
    public:
        explicit Offsets(const QTimeZone &zone);
        // The offset in seconds at `msecs`; *clear tells whether it stays
        // so for `margin` on either side.
        int at(qint64 msecs, qint64 margin, bool *clear);

    private:
        QTimeZone m_zone;
        qint64 m_from = 0;
        qint64 m_to = 0;
        int m_offset = 0;
        bool m_known = false;
    };

    QDateTime pinned(const QDateTime &instant);

    QTimeZone m_fromZone;
    Offsets m_from;
    Offsets m_here;
};
