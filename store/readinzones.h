#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QTimeZone>

#include <optional>

class Database;

// The zone each floating row's instants were pinned in (FloatingZone): the
// zone the settings recorded, or, in a store the previous version left
// without one, the zone the row was read in, which the row tells itself:
// its text's wall-clock DTSTART beside its stored instant gives the offset
// it was read at, and the zone is the one that gives that offset there
// and fits the most of the other rows (ZoneSearch). A row read in another
// zone than the others keeps its own; a row that tells nothing takes the
// others'. Never the computer's zone now for that reason alone: the first
// start after the upgrade may be far from where the rows were read.
class ReadInZones
{
public:
    // Every row in one zone; an invalid zone leaves every row as it is.
    explicit ReadInZones(const QTimeZone &zone = QTimeZone());

    // The recorded zone, else the rows' own. None when the rows could not
    // be read.
    static std::optional<ReadInZones> of(Database *db);
    // The rows' own zones, from their texts.
    static std::optional<ReadInZones> fromRows(Database *db);

    // Whether the zone was recorded rather than read from the rows.
    bool isRecorded() const { return m_recorded; }
    // The zone most rows were pinned in; invalid where none is known.
    QTimeZone common() const { return m_zones.first(); }
    // The zone the row with that id (or the series of a changed occurrence)
    // was pinned in.
    QTimeZone zoneOf(const QString &id) const;
    // The zones, the common one first, as indexOf() counts them.
    const QList<QTimeZone> &zones() const { return m_zones; }
    int indexOf(QByteArrayView id) const;
    // Whether every row is pinned in the computer's zone already.
    bool allHere() const;

private:
    QList<QTimeZone> m_zones;
    // The rows pinned in another zone than the common one.
    QHash<QByteArray, int> m_rows;
    bool m_recorded = false;
};
