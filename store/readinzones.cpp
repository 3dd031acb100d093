#include "store/readinzones.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>

#include "calendar/icstext.h"
#include "store/database.h"
#include "store/preferencekeys.h"
#include "store/sqlquery.h"
#include "store/storedtime.h"
#include "store/zonesearch.h"

namespace {

// The floating rows with what tells their zone: the stored start and the
// text it was read from.
const char kFloatingRows[] = "SELECT id, start_time, raw_icalendar, coalesce(recurrence_id, '') <> '' FROM events "
                             "WHERE is_all_day = 0 AND timezone = ''";
// No zone is further from UTC.
constexpr qint64 kFarthestOffsetMs = 18 * 3600 * 1000;

bool isProperty(QStringView line, QLatin1String name)
{
    return line.size() > name.size() && line.startsWith(name, Qt::CaseInsensitive)
           && (line.at(name.size()) == u':' || line.at(name.size()) == u';');
}

// The wall-clock start (a DTSTART without a zone, a "Z" or other
// parameters) of the row's own VEVENT in its text, the one with a
// RECURRENCE-ID for a changed occurrence, else the one without, as if it
// were UTC, in milliseconds.
std::optional<qint64> ownWallStart(QStringView text, bool occurrence)
{
    int depth = 0;
    int eventDepth = -1;
    bool named = false;
    QStringView start;
    for (QStringView line : text.tokenize(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.startsWith(QLatin1String("BEGIN:"), Qt::CaseInsensitive)) {
            ++depth;
            if (eventDepth < 0 && line.sliced(6).compare(QLatin1String("VEVENT"), Qt::CaseInsensitive) == 0) {
                eventDepth = depth;
                named = false;
                start = QStringView();
            }
        } else if (line.startsWith(QLatin1String("END:"), Qt::CaseInsensitive)) {
            if (depth == eventDepth) {
                QDate day;
                QTime time;
                if (named == occurrence && IcsText::readDateTime(start, &day, &time) && start.size() == 15)
                    return QDateTime(day, time, Qt::UTC).toMSecsSinceEpoch();
                eventDepth = -1;
            }
            --depth;
        } else if (depth == eventDepth && isProperty(line, QLatin1String("RECURRENCE-ID"))) {
            named = true;
        } else if (depth == eventDepth && isProperty(line, QLatin1String("DTSTART"))) {
            start = line.at(7) == u':' ? line.sliced(8) : QStringView();
        }
    }
    return std::nullopt;
}

} // namespace

ReadInZones::ReadInZones(const QTimeZone &zone)
    : m_zones{zone}
{
}

std::optional<ReadInZones> ReadInZones::of(Database *db)
{
    const QVariant stored =
        SqlQuery::firstValue(db->database(), QStringLiteral("SELECT value FROM settings WHERE key = ?"),
                             {QLatin1String(PreferenceKeys::FloatingZone)});
    if (!stored.isValid())
        return fromRows(db);
    // A zone this computer does not know leaves the rows as they are.
    ReadInZones zones(QTimeZone(stored.toString().toUtf8()));
    zones.m_recorded = true;
    return zones;
}

std::optional<ReadInZones> ReadInZones::fromRows(Database *db)
{
    QSqlQuery rows(db->database());
    rows.setForwardOnly(true);
    if (!SqlQuery::run(rows, QString::fromLatin1(kFloatingRows), {})) {
        qWarning().noquote() << "ReadInZones::fromRows failed:" << rows.lastError().text();
        return std::nullopt;
    }
    QList<QByteArray> ids;
    QList<ZoneSearch::Point> points;
    while (rows.next()) {
        const std::optional<qint64> wall = ownWallStart(rows.value(2).toString(), rows.value(3).toBool());
        const QDateTime start = StoredTime::parse(rows.value(1).toString());
        if (!wall || !start.isValid())
            continue;
        const qint64 offsetMs = *wall - start.toMSecsSinceEpoch();
        if (std::abs(offsetMs) > kFarthestOffsetMs || offsetMs % 1000 != 0)
            continue;
        ids.append(rows.value(0).toString().toUtf8());
        points.append({start.toMSecsSinceEpoch(), int(offsetMs / 1000)});
    }
    ZoneSearch search(points);
    search.run();
    ReadInZones zones;
    if (search.zones().isEmpty())
        return zones;
    zones.m_zones = search.zones();
    for (qsizetype i = 0; i < ids.size(); ++i) {
        if (search.zoneOfRow().at(i) > 0)
            zones.m_rows.insert(ids.at(i), search.zoneOfRow().at(i));
    }
    qInfo().noquote() << "Floating rows read in" << QString::fromUtf8(zones.common().id()) << "and"
                      << zones.m_rows.size() << "row(s) in" << zones.m_zones.size() - 1 << "other zone(s)";
    return zones;
}

QTimeZone ReadInZones::zoneOf(const QString &id) const
{
    return m_zones.at(m_rows.value(id.toUtf8(), 0));
}

int ReadInZones::indexOf(QByteArrayView id) const
{
    if (m_rows.isEmpty())
        return 0;
    return m_rows.value(QByteArray::fromRawData(id.data(), id.size()), 0);
}

bool ReadInZones::allHere() const
{
    const QByteArray here = QTimeZone::systemTimeZoneId();
    for (const QTimeZone &zone : m_zones) {
        if (zone.isValid() && zone.id() != here)
            return false;
    }
    return true;
}
