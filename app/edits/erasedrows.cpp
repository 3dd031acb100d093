#include "app/edits/erasedrows.h"

#include "store/eventrepository.h"

ErasedRows::ErasedRows(EventRepository *events, const QStringList &ids)
    : m_ids(ids.cbegin(), ids.cend())
{
    connect(events, &EventRepository::tombstoneErased, this, [this](const Event &tombstone) {
        if (m_ids.contains(tombstone.id))
            m_rows.insert(tombstone.id, tombstone);
    });
}

std::optional<Event> ErasedRows::find(const QString &id) const
{
    const auto found = m_rows.constFind(id);
    if (found == m_rows.constEnd())
        return std::nullopt;
    return *found;
}
