#include "store/erasedtombstones.h"

void ErasedTombstones::keep(const Event &tombstone)
{
    if (m_rows.contains(tombstone.id))
        m_order.removeOne(tombstone.id);
    m_rows.insert(tombstone.id, tombstone);
    m_order.append(tombstone.id);
    while (m_order.size() > MaxKept)
        m_rows.remove(m_order.takeFirst());
}

std::optional<Event> ErasedTombstones::find(const QString &id) const
{
    const auto found = m_rows.constFind(id);
    if (found == m_rows.constEnd())
        return std::nullopt;
    return *found;
}
