#pragma once

#include <QHash>
#include <QString>
#include <QTimeZone>

// The zones TZID texts name, remembered for the next look-up: a reader sees
// few distinct ids, and a file that names thousands cannot make the cache
// grow past its capacity (it starts over when full).
class IcsZoneCache
{
public:
    static constexpr qsizetype Capacity = 64;
    // Longer ids name no zone and are not looked up.
    static constexpr qsizetype MaxIdLength = 256;

    QTimeZone zone(const QString &id);
    qsizetype size() const { return m_zones.size(); }

private:
    static QTimeZone lookUp(const QString &id);

    QHash<QString, QTimeZone> m_zones;
};
