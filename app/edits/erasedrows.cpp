#include "app/edits/erasedrows.h"

#include "calendar/recurrence.h"
#include "store/eventrepository.h"

ErasedRows::ErasedRows(EventRepository *events, const QList<Event> &removed)
{
    for (const Event &row : removed)
        m_ids.insert(row.id);
    connect(events, &EventRepository::eventErased, this, [this](const Event &row) {
        if (m_ids.contains(row.id)) {
            // Live again and erased since, it is no longer this delete's.
            if (!row.deleted_at)
                return;
            m_rows.insert(row.id, row);
            if (Recurrence::isSeries(row)) {
                m_goneSeries.insert(row.uid);
                if (!row.provider_event_id.isEmpty())
                    m_goneSeries.insert(row.provider_event_id);
            }
            return;
        }
        if (!row.recurrence_id.isEmpty() && m_goneSeries.contains(row.master_event_uid))
            m_along.append(row);
    });
}

std::optional<Event> ErasedRows::find(const QString &id) const
{
    const auto found = m_rows.constFind(id);
    if (found == m_rows.constEnd())
        return std::nullopt;
    return *found;
}
