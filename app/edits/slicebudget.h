#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

#include <array>
#include <cstddef>
#include <functional>

// The time one slice of a long write (an import's turn of the event loop)
// may take, its end included: the commit and the progress report after the
// stores hold the window as long as the stores do. A slice stores while
// what it took so far, one more store as long as its average one, and an
// end as long as the last slices' ends say one of its size takes still
// fit. Where the ends take more than a third of the budget (a slow disk)
// that would leave a slice mostly end, and the import would spend its
// time committing: a slice then goes on storing until its stores took
// twice what an end takes, so that its end is a third of it (a longer
// turn), for three budgets at most. The first store of a slice always
// happens, so that a run moves on however slow the store is.
class SliceBudget
{
public:
    // Nanoseconds on a monotonic clock.
    using Clock = std::function<qint64()>;

    explicit SliceBudget(qint64 budgetNs);

    // Measures on `clock` instead of the real one.
    void setClock(Clock clock);

    void startSlice();
    // Whether one more store fits in the slice, which stored `stored` so far.
    bool roomForAnother(int stored) const;
    // The slice's `stored` stores are done: the commit and the report follow.
    void startEnd(int stored);
    // The slice is over: how long its end took counts for the next ones.
    void endSlice();

private:
    struct End
    {
        qint64 ns = 0;
        int stored = 1;
    };

    qint64 now() const;
    // What the end of a slice of `stored` stores may take.
    qint64 endReserve(int stored) const;
    // What an end takes as the recent slices found it.
    qint64 usualEnd() const;

    qint64 m_budget;
    Clock m_clock;
    QElapsedTimer m_realClock;
    qint64 m_sliceStart = 0;
    qint64 m_endStart = 0;
    int m_stored = 0;
    // The ends of the last slices, the oldest overwritten first.
    std::array<End, 4> m_lastEnds{};
    size_t m_nextEnd = 0;
    size_t m_endsSeen = 0;
};
