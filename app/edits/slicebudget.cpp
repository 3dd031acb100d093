#include "app/edits/slicebudget.h"

#include <algorithm>

namespace {

// Before the first slice ended nothing tells how long an end takes: a third
// of the budget is kept back, more than a commit of a few dozen events takes.
constexpr qint64 FirstReserveShare = 3;
// Where the ends are slow a slice stores until its stores took twice what
// an end takes: the end is then at most a third of the slice, and a slow
// commit costs the import half again its stores' time at most.
constexpr qint64 StoresPerEnd = 2;
// However slow the ends, a slice stores for at most this many budgets: a
// commit of up to a budget and a half stays a third of its slice, and one
// that grows with its rows (a disk slow for every page written) takes for
// them what the disk takes, as a commit of the whole file would.
constexpr qint64 LongestStoresBudgets = 3;
// An end counts at most this long (the machine slept through a commit),
// which keeps the arithmetic on the ends bounded.
constexpr qint64 LongestEndNs = 60LL * 1000 * 1000 * 1000;

// perStore * count, at most LongestEndNs.
qint64 endGrowth(qint64 perStore, int count)
{
    if (perStore <= 0 || count <= 0)
        return 0;
    return perStore > LongestEndNs / count ? LongestEndNs : perStore * count;
}

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
    if (spent + oneMore + endReserve(stored + 1) <= m_budget)
        return true;
    // The end does not fit beside one more store. Unless the ends are slow
    // the slice is done; if they are, it goes on while its stores are
    // short beside an end.
    if (m_endsSeen == 0)
        return false;
    return spent < std::min(StoresPerEnd * usualEnd(), LongestStoresBudgets * m_budget);
}

void SliceBudget::startEnd(int stored)
{
    m_stored = stored;
    m_endStart = now();
}

void SliceBudget::endSlice()
{
    m_lastEnds[m_nextEnd] = {std::clamp<qint64>(now() - m_endStart, 0, LongestEndNs), std::max(1, m_stored)};
    m_nextEnd = (m_nextEnd + 1) % m_lastEnds.size();
    m_endsSeen = std::min(m_endsSeen + 1, m_lastEnds.size());
}

// An end is a part every commit takes plus a part for each row it writes.
// The part per row is the rise from the shortest to the longest of the last
// slices' ends; while they all stored as many, it is taken as their whole
// end per row, which is never less. A slice of more stores than a recent
// one then ends at most that much per extra store later, one of fewer no
// later. (Scaling a short slice's whole end up instead would take its
// commit's fixed part for a cost per row, and keep the slices after one
// short slice short too.)
qint64 SliceBudget::endReserve(int stored) const
{
    if (m_endsSeen == 0)
        return m_budget / FirstReserveShare;
    const auto first = m_lastEnds.cbegin();
    const auto last = first + qsizetype(m_endsSeen);
    const auto byStored = [](const End &a, const End &b) { return a.stored < b.stored; };
    const End &fewest = *std::min_element(first, last, byStored);
    const End &most = *std::max_element(first, last, byStored);
    qint64 perStore = 0;
    if (most.stored > fewest.stored) {
        const qint64 spread = most.stored - fewest.stored;
        perStore = std::max<qint64>(0, (most.ns - fewest.ns + spread - 1) / spread);
    } else {
        perStore = (most.ns + most.stored - 1) / most.stored;
    }
    qint64 reserve = 0;
    for (auto end = first; end != last; ++end)
        reserve = std::max(reserve, end->ns + endGrowth(perStore, stored - end->stored));
    return reserve;
}

// The shorter of the last two ends, as it was: one slow end does not make
// the next slices long, two in a row are the disk's pace.
qint64 SliceBudget::usualEnd() const
{
    const size_t count = m_lastEnds.size();
    const size_t last = (m_nextEnd + count - 1) % count;
    if (m_endsSeen == 1)
        return m_lastEnds[last].ns;
    return std::min(m_lastEnds[last].ns, m_lastEnds[(last + count - 1) % count].ns);
}
