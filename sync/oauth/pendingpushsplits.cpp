// What the write of a series split here ("This and following") brings
// about: the new series goes up after the series it was split from, whose
// write may meet a newer version another device wrote meanwhile, and what
// that device changed on the series reaches the new series first.
#include "sync/oauth/pendingpush.h"

#include <QDebug>
#include <QSet>

#include "calendar/movedseriesplaces.h"
#include "calendar/recurrence.h"
#include "store/eventrepository.h"
#include "sync/core/movedseriesrows.h"

namespace OAuth {

QHash<QString, QString> PendingPush::splitsAfterTheirSeries(const QList<Event> &pending) const
{
    QSet<QString> waiting;
    for (const Event &row : pending) {
        if (Recurrence::isSeries(row) && row.recurrence_id.isEmpty() && !row.deleted_at)
            waiting.insert(row.id);
    }
    QHash<QString, QString> after;
    for (const Event &row : pending) {
        if (!waiting.contains(row.id))
            continue;
        for (const QString &split : m_store.events->splitsFrom(row.id)) {
            if (split != row.id && waiting.contains(split))
                after.insert(split, row.id);
        }
    }
    return after;
}

bool PendingPush::handOnToSplits(const Event &base, const Event &row, const Event &server, Event *joined)
{
    // A series made all-day or timed has no occurrence to name alike.
    if (!Recurrence::isSeries(row) || !row.recurrence_id.isEmpty() || !Recurrence::isSeries(base)
        || base.is_all_day != row.is_all_day)
        return true;
    const QList<Event> splits = MovedSeriesRows::splitsOf(m_store.events, row);
    if (splits.isEmpty())
        return true;
    const MovedSeriesRows rows(m_store.events, row, splits, MovedSeriesPlaces(base, row, splits, server));
    QStringList written;
    // What it changed on the series first, then the days it skips, laid
    // onto the new series as they stand now.
    const bool saved = rows.handOnToSplits(&written) && rows.keepSkippedDays(server, joined, &written);
    m_writtenRows += int(written.size());
    if (!saved) {
        qWarning().noquote() << m_logTag << "what changed on" << row.id << "could not reach the series split from it";
        return false;
    }
    for (const QString &localId : std::as_const(written))
        takeStoredRow(localId);
    return true;
}

void PendingPush::takeStoredRow(const QString &localId)
{
    const auto item = m_items.find(localId);
    if (item == m_items.end())
        return;
    const auto update = [&](QList<Event> &rows) {
        for (Event &waiting : rows) {
            if (waiting.id != localId)
                continue;
            const std::optional<Event> stored = m_store.events->getById(localId);
            if (!stored)
                return true;
            waiting = *stored;
            item->snapshot = *stored;
            return true;
        }
        return false;
    };
    if (update(m_unsent))
        return;
    for (QList<Event> &rows : m_afterSeries) {
        if (update(rows))
            return;
    }
}

} // namespace OAuth
