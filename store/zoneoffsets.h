#pragma once

#include <QTimeZone>

#include <vector>

// A zone's offset from UTC, each span between two of its changes looked up
// once: pinning tens of thousands of floating times, or finding the zone
// they were read in, asks for the same few spans over and over, in no order.
class ZoneOffsets
{
public:
    explicit ZoneOffsets(const QTimeZone &zone);

    const QTimeZone &zone() const { return m_zone; }

    // The offset in seconds at `msecs`; *clear, where asked, tells whether
    // it stays so for `margin` on either side.
    int at(qint64 msecs, qint64 margin = 0, bool *clear = nullptr);

private:
    struct Span
    {
        qint64 from = 0; // the change at or before the span's instants
        qint64 to = 0; // the next change
        int offset = 0;
    };

    const Span &spanAt(qint64 msecs);

    QTimeZone m_zone;
    // Disjoint, in time order.
    std::vector<Span> m_spans;
    std::size_t m_last = 0;
};
