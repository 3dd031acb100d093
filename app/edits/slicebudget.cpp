#include "app/edits/slicebudget.h"

#include <algorithm>

namespace {

// Before the first slice ended nothing tells how long an end takes: a third
// of the budget is kept back, more than a commit of a few dozen events takes.
constexpr qint64 FirstReserveShare = 3;

} // namespace

SliceBudget::SliceBudget(qint64 budgetNs)
    : m_budget(budgetNs)
{
    m_realClock.start();
}

void SliceBudget::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

qint64 SliceBudget::now() const
{
    return m_clock ? m_clock() : m_realClock.nsecsElapsed();
}

void SliceBudget::startSlice()
{
    m_sliceStart = now();
}

bool SliceBudget::roomForAnother(int stored) const
{
    if (stored <= 0)
        return true;
    const qint64 spent = now() - m_sliceStart;
    // Rounded up: a store is never thought shorter than it was.
    const qint64 oneMore = (spent + stored - 1) / stored;
    return spent + oneMore + endReserve(stored + 1) <= m_budget;
}

void SliceBudget::startEnd(int stored)
{
    m_stored = stored;
    m_endStart = now();
}

void SliceBudget::endSlice()
{
    m_lastEnds[m_nextEnd] = {std::max<qint64>(0, now() - m_endStart), std::max(1, m_stored)};
    m_nextEnd = (m_nextEnd + 1) % m_lastEnds.size();
    m_endsSeen = std::min(m_endsSeen + 1, m_lastEnds.size());
}

// An end is a part every commit takes plus a part for each row it writes:
// a slice of more stores than a recent one may end that much later in
// proportion, one of fewer as late.
qint64 SliceBudget::endReserve(int stored) const
{
    if (m_endsSeen == 0)
        return m_budget / FirstReserveShare;
    qint64 reserve = 0;
    for (size_t i = 0; i < m_endsSeen; ++i) {
        const End &end = m_lastEnds[i];
        reserve = std::max({reserve, end.ns, end.ns * stored / end.stored});
    }
    return reserve;
}
