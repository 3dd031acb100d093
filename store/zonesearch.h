#pragma once

#include <QByteArray>
#include <QList>
#include <QTimeZone>

#include <map>
#include <memory>

#include "store/zoneoffsets.h"

// Finds the zone each row was read in from one instant of it and the
// offset from UTC it was read at (its text's wall clock beside its stored
// instant): an offset alone names no zone, but the zone must give that
// offset at that instant for each row read in it. The zone most rows fit
// is theirs, then the zone most of the others fit, and so on; where zones
// fit the same rows, the computer's own if it is one of them, else the
// one most of them agree with over the rows' years (Berlin's rules rather
// than Lagos', which agree with them only in winter).
class ZoneSearch
{
public:
    struct Point
    {
        qint64 at = 0; // milliseconds since the epoch
        int offset = 0; // seconds
    };

    // One point for each row.
    explicit ZoneSearch(QList<Point> points);

    void run();

    // The zones found, the one most rows fit first; empty where no row fits
    // any zone.
    const QList<QTimeZone> &zones() const { return m_zones; }
    // For each row the index of its zone in zones(), -1 where it fits none.
    const QList<int> &zoneOfRow() const { return m_zoneOfRow; }

private:
    ZoneOffsets &offsets(const QByteArray &id);
    bool fits(ZoneOffsets &zone, const Point &point);
    // The zones that fit a few rows spread over the remaining ones, in the
    // order of the zone list.
    QList<QByteArray> candidates(const QList<int> &remaining);
    QByteArray mostAgreed(const QList<QByteArray> &tied, const QList<int> &rows);

    QList<Point> m_points;
    QList<QByteArray> m_ids;
    std::map<QByteArray, std::unique_ptr<ZoneOffsets>> m_offsets;
    QList<QTimeZone> m_zones;
    QList<int> m_zoneOfRow;
};
