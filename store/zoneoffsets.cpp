#include "store/zoneoffsets.h"

#include <QDateTime>

#include <algorithm>
#include <limits>

namespace {

constexpr qint64 kFar = std::numeric_limits<qint64>::max() / 4;

} // namespace

ZoneOffsets::ZoneOffsets(const QTimeZone &zone)
    : m_zone(zone)
{
}

int ZoneOffsets::at(qint64 msecs, qint64 margin, bool *clear)
{
    const Span &span = spanAt(msecs);
    if (clear)
        *clear = msecs - margin >= span.from && msecs + margin < span.to;
    return span.offset;
}

const ZoneOffsets::Span &ZoneOffsets::spanAt(qint64 msecs)
{
    if (m_last < m_spans.size() && msecs >= m_spans[m_last].from && msecs < m_spans[m_last].to)
        return m_spans[m_last];
    // The first span starting after it; the one before may hold it.
    auto next = std::upper_bound(m_spans.begin(), m_spans.end(), msecs,
                                 [](qint64 at, const Span &span) { return at < span.from; });
    if (next != m_spans.begin() && msecs < std::prev(next)->to) {
        m_last = std::size_t(std::prev(next) - m_spans.begin());
        return m_spans[m_last];
    }
    const QDateTime instant = QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
    Span span;
    span.offset = m_zone.offsetFromUtc(instant);
    // The changes around it: the last at or before it, the first after.
    const QTimeZone::OffsetData before = m_zone.previousTransition(instant.addMSecs(1));
    const QTimeZone::OffsetData after = m_zone.nextTransition(instant);
    span.from = before.atUtc.isValid() ? before.atUtc.toMSecsSinceEpoch() : -kFar;
    span.to = after.atUtc.isValid() ? after.atUtc.toMSecsSinceEpoch() : kFar;
    if (span.from > msecs || span.to <= msecs) {
        // Data that does not bound the instant is kept for it alone.
        span.from = msecs;
        span.to = msecs + 1;
    }
    const auto inserted = m_spans.insert(next, span);
    m_last = std::size_t(inserted - m_spans.begin());
    return m_spans[m_last];
}
