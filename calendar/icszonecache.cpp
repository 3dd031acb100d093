#include "calendar/icszonecache.h"

QTimeZone IcsZoneCache::zone(const QString &id)
{
    if (id.isEmpty() || id.size() > MaxIdLength)
        return QTimeZone();
    const auto cached = m_zones.constFind(id);
    if (cached != m_zones.constEnd())
        return *cached;
    if (m_zones.size() >= Capacity)
        m_zones.clear();
    const QTimeZone zone = lookUp(id);
    m_zones.insert(id, zone);
    return zone;
}

// An IANA id, a Windows zone name, or an id with a vendor prefix ending in
// an IANA id ("/mozilla.org/20050126_1/Europe/Berlin").
QTimeZone IcsZoneCache::lookUp(const QString &id)
{
    const QByteArray utf8 = id.toUtf8();
    if (QTimeZone::isTimeZoneIdAvailable(utf8))
        return QTimeZone(utf8);
    const QByteArray iana = QTimeZone::windowsIdToDefaultIanaId(utf8);
    if (!iana.isEmpty())
        return QTimeZone(iana);
    for (qsizetype slash = utf8.indexOf('/'); slash >= 0; slash = utf8.indexOf('/', slash + 1)) {
        const QByteArray tail = utf8.mid(slash + 1);
        if (!tail.isEmpty() && QTimeZone::isTimeZoneIdAvailable(tail))
            return QTimeZone(tail);
    }
    return QTimeZone();
}
