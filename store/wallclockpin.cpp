#include "store/wallclockpin.h"

#include "calendar/icstext.h"
#include "store/storedtime.h"

#include <limits>

namespace {

constexpr qint64 kDayMs = 24 * 3600 * 1000;
constexpr qint64 kFar = std::numeric_limits<qint64>::max() / 4;
// The years of a 32-bit time: outside them Qt may read the computer's
// local time from other zone data than the system's, so that such a time is
// pinned the long way, as it is read.
constexpr qint64 kLocalFrom = 2 * kDayMs;
constexpr qint64 kLocalTo = qint64(std::numeric_limits<qint32>::max()) * 1000 - 2 * kDayMs;

} // namespace

WallClockPin::Offsets::Offsets(const QTimeZone &zone)
    : m_zone(zone)
{
}

int WallClockPin::Offsets::at(qint64 msecs, qint64 margin, bool *clear)
{
    if (!m_known || msecs < m_from || msecs >= m_to) {
        const QDateTime instant = QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
        m_offset = m_zone.offsetFromUtc(instant);
        // The changes around it: the last at or before it, the first after.
        const QTimeZone::OffsetData before = m_zone.previousTransition(instant.addMSecs(1));
        const QTimeZone::OffsetData after = m_zone.nextTransition(instant);
        m_from = before.atUtc.isValid() ? before.atUtc.toMSecsSinceEpoch() : -kFar;
        m_to = after.atUtc.isValid() ? after.atUtc.toMSecsSinceEpoch() : kFar;
        m_known = true;
    }
    *clear = msecs - margin >= m_from && msecs + margin < m_to;
    return m_offset;
}

WallClockPin::WallClockPin(const QTimeZone &from)
    : m_fromZone(from)
    , m_from(from)
    , m_here(QTimeZone::systemTimeZone())
{
}

QDateTime WallClockPin::pinned(const QDateTime &instant)
{
    const qint64 msecs = instant.toMSecsSinceEpoch();
    bool clear = false;
    // The wall-clock reading in the zone it was read in, as if it were UTC.
    const qint64 wall = msecs + qint64(m_from.at(msecs, 0, &clear)) * 1000;
    // Its instant here: exact where the computer's offset does not change
    // within two days of it, as localWallClock reads it there.
    if (wall > kLocalFrom && wall < kLocalTo) {
        const int guess = m_here.at(wall, 0, &clear);
        const int offset = m_here.at(wall - qint64(guess) * 1000, 2 * kDayMs, &clear);
        if (clear && offset == guess)
            return QDateTime::fromMSecsSinceEpoch(wall - qint64(offset) * 1000, Qt::UTC);
    }
    const QDateTime reading = instant.toTimeZone(m_fromZone);
    return IcsText::localWallClock(reading.date(), reading.time());
}

QString WallClockPin::operator()(const QString &text)
{
    const QString value = text.trimmed();
    if (!value.endsWith(QLatin1Char('Z')) || !value.contains(QLatin1Char('T')))
        return text;
    const bool iso = value.contains(QLatin1Char('-'));
    QDateTime instant;
    if (iso) {
        instant = StoredTime::parse(value);
    } else {
        QDate day;
        QTime time;
        if (IcsText::readDateTime(QStringView(value).chopped(1), &day, &time))
            instant = QDateTime(day, time, Qt::UTC);
    }
    if (!instant.isValid())
        return text;
    const QDateTime pinned = this->pinned(instant);
    return iso ? StoredTime::instant(pinned) : IcsText::utcText(pinned);
}
