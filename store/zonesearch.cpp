#include "store/zonesearch.h"

#include <QDateTime>
#include <QHash>

#include "calendar/icstext.h"

#include <algorithm>

namespace {

constexpr qint64 kHourMs = 3600 * 1000;
constexpr qint64 kYearMs = 365 * 24 * kHourMs;
// Rows read in more zones than this are each left to the first zones'.
constexpr int kRounds = 16;
// Rows looked at for the zones they fit before every zone is counted.
constexpr int kSample = 8;

// Every zone this computer knows, its own first.
QList<QByteArray> knownZones()
{
    QList<QByteArray> ids = QTimeZone::availableTimeZoneIds();
    const QByteArray own = QTimeZone::systemTimeZoneId();
    ids.removeAll(own);
    ids.prepend(own);
    return ids;
}

} // namespace

ZoneSearch::ZoneSearch(QList<Point> points)
    : m_points(std::move(points))
    , m_zoneOfRow(m_points.size(), -1)
{
}

ZoneOffsets &ZoneSearch::offsets(const QByteArray &id)
{
    std::unique_ptr<ZoneOffsets> &zone = m_offsets[id];
    if (!zone)
        zone = std::make_unique<ZoneOffsets>(QTimeZone(id));
    return *zone;
}

bool ZoneSearch::fits(ZoneOffsets &zone, const Point &point)
{
    bool clear = false;
    const int offset = zone.at(point.at, 3 * kHourMs, &clear);
    if (offset == point.offset)
        return true;
    // A wall-clock time the zone skips reads as an instant beside the
    // change, at the other offset: as the zone's own reading gives it.
    if (clear || std::abs(offset - point.offset) > 3 * 3600)
        return false;
    const QDateTime wall = QDateTime::fromMSecsSinceEpoch(point.at + qint64(point.offset) * 1000, Qt::UTC);
    return IcsText::wallClock(wall.date(), wall.time(), zone.zone()).toMSecsSinceEpoch() == point.at;
}

QList<QByteArray> ZoneSearch::candidates(const QList<int> &remaining)
{
    QList<int> sample;
    const qsizetype step = std::max<qsizetype>(1, remaining.size() / kSample);
    for (qsizetype i = 0; i < remaining.size() && sample.size() < kSample; i += step)
        sample.append(remaining.at(i));
    QList<QByteArray> found;
    for (const QByteArray &id : std::as_const(m_ids)) {
        for (int row : std::as_const(sample)) {
            if (fits(offsets(id), m_points.at(row))) {
                found.append(id);
                break;
            }
        }
    }
    return found;
}

QByteArray ZoneSearch::mostAgreed(const QList<QByteArray> &tied, const QList<int> &rows)
{
    if (tied.size() == 1 || tied.first() == m_ids.first())
        return tied.first();
    // Each zone's changes over the rows' years and two years on, where the
    // series and their days lie.
    qint64 first = m_points.at(rows.first()).at;
    qint64 last = first;
    for (int row : rows) {
        first = std::min(first, m_points.at(row).at);
        last = std::max(last, m_points.at(row).at);
    }
    const QDateTime from = QDateTime::fromMSecsSinceEpoch(first - kYearMs, Qt::UTC);
    const QDateTime to = QDateTime::fromMSecsSinceEpoch(last + 2 * kYearMs, Qt::UTC);
    QHash<QString, int> agreeing;
    QHash<QByteArray, QString> rulesOf;
    for (const QByteArray &id : tied) {
        const QTimeZone &zone = offsets(id).zone();
        QString rules = QString::number(zone.offsetFromUtc(from));
        for (const QTimeZone::OffsetData &change : zone.transitions(from, to))
            rules += QStringLiteral(" %1:%2").arg(change.atUtc.toMSecsSinceEpoch()).arg(change.offsetFromUtc);
        rulesOf.insert(id, rules);
        ++agreeing[rules];
    }
    QByteArray best = tied.first();
    for (const QByteArray &id : tied) {
        if (agreeing.value(rulesOf.value(id)) > agreeing.value(rulesOf.value(best)))
            best = id;
    }
    // Of zones that agree throughout, the one a region's clocks are named
    // after (Berlin rather than Ceuta), which is all a name changes.
    for (const QByteArray &id : tied) {
        if (rulesOf.value(id) == rulesOf.value(best)
            && QTimeZone::windowsIdToDefaultIanaId(QTimeZone::ianaIdToWindowsId(id)) == id)
            return id;
    }
    return best;
}

void ZoneSearch::run()
{
    m_ids = knownZones();
    QList<int> remaining;
    for (int row = 0; row < m_points.size(); ++row)
        remaining.append(row);
    // Rows read where the computer is (the upgrade started at home) are
    // told apart at once.
    ZoneOffsets &own = offsets(m_ids.first());
    if (!remaining.isEmpty()
        && std::all_of(remaining.cbegin(), remaining.cend(), [&](int row) { return fits(own, m_points.at(row)); })) {
        m_zoneOfRow.fill(0);
        m_zones.append(own.zone());
        return;
    }
    for (int round = 0; round < kRounds && !remaining.isEmpty(); ++round) {
        QList<QByteArray> tied;
        QList<int> fitting;
        for (const QByteArray &id : candidates(remaining)) {
            QList<int> rows;
            ZoneOffsets &zone = offsets(id);
            for (int row : std::as_const(remaining)) {
                if (fits(zone, m_points.at(row)))
                    rows.append(row);
            }
            if (rows.size() > fitting.size())
                tied.clear();
            if (rows.size() >= fitting.size() && !rows.isEmpty()) {
                tied.append(id);
                fitting = rows;
            }
        }
        if (fitting.isEmpty())
            break;
        // Of zones that fit as many rows, the one chosen takes those it fits.
        const QByteArray best = mostAgreed(tied, fitting);
        QList<int> rows;
        ZoneOffsets &zone = offsets(best);
        for (int row : std::as_const(remaining)) {
            if (fits(zone, m_points.at(row)))
                rows.append(row);
        }
        for (int row : std::as_const(rows))
            m_zoneOfRow[row] = int(m_zones.size());
        m_zones.append(zone.zone());
        remaining.removeIf([this](int row) { return m_zoneOfRow.at(row) >= 0; });
    }
}
