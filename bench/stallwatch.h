#pragma once

// Watches the event loop of the thread it lives in: a 1 ms timer that
// notes every gap between its ticks longer than a threshold. A gap is a
// stretch in which the loop could not answer the user.
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

#include <algorithm>

class StallWatch : public QObject
{
public:
    struct Gap
    {
        qint64 startMs;
        qint64 endMs;
        qint64 length() const { return endMs - startMs; }
    };

    explicit StallWatch(const QElapsedTimer &clock, qint64 thresholdMs = 5)
        : m_clock(clock)
        , m_threshold(thresholdMs)
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        m_last = now();
        m_timer.start();
    }

    void restart()
    {
        m_gaps.clear();
        m_last = now();
    }

    // Notes the stretch since the last tick (a stall still going on when
    // the figures are read).
    void close() { tick(); }

    // The longest gap starting at or after fromMs; 0 when none passed the threshold.
    qint64 longest(qint64 fromMs = 0) const
    {
        qint64 result = 0;
        for (const Gap &gap : m_gaps) {
            if (gap.startMs >= fromMs)
                result = std::max(result, gap.length());
        }
        return result;
    }

    // The end of the first gap after fromMs that is followed by quietMs
    // without another; fromMs when there is none.
    qint64 idleAfter(qint64 fromMs, qint64 quietMs = 100) const
    {
        qint64 idle = fromMs;
        for (const Gap &gap : m_gaps) {
            if (gap.endMs <= fromMs)
                continue;
            if (gap.startMs - idle > quietMs)
                break;
            idle = gap.endMs;
        }
        return idle;
    }

    const QList<Gap> &gaps() const { return m_gaps; }

private:
    qint64 now() const { return m_clock.nsecsElapsed() / 1000000; }

    void tick()
    {
        const qint64 at = now();
        if (at - m_last > m_threshold)
            m_gaps.append({m_last, at});
        m_last = at;
    }

    const QElapsedTimer &m_clock;
    qint64 m_threshold;
    qint64 m_last = 0;
    QTimer m_timer;
    QList<Gap> m_gaps;
};
