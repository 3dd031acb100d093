// How a pending row stands to its series: the series it belongs to, the
// occurrence the series itself gives on its day, what a withdrawn or an
// unsent deleted occurrence asks of the provider, and what a series'
// deletion takes along.
#include "sync/oauth/pendingpush.h"

#include <QDebug>

#include "calendar/recurrence.h"
#include "store/eventrepository.h"

namespace OAuth {

std::optional<Event> PendingPush::seriesOf(const Event &row) const
{
    if (row.master_event_uid.isEmpty() || row.recurrence_id.isEmpty())
        return std::nullopt;
    // The series by its uid, or by the provider's id once a pull named it so.
    std::optional<Event> series = m_store.events->getByUid(row.master_event_uid, m_calendar.id);
    if (!series || !Recurrence::isSeries(*series))
        series = m_store.events->getByProviderEventId(m_calendar.id, row.master_event_uid);
    if (!series || !Recurrence::isSeries(*series))
        return std::nullopt;
    return series;
}

QDateTime PendingPush::originalStartOf(const QString &recurrenceId)
{
    return Recurrence::readRecurrenceId(recurrenceId);
}

std::optional<Event> PendingPush::occurrenceOf(const Event &series, const QString &recurrenceId)
{
    const QDate day = originalStartOf(recurrenceId).date();
    if (!day.isValid())
        return std::nullopt;
    const QDateTime around(day, QTime(0, 0), Qt::UTC);
    for (const Event &occurrence : Recurrence::expandEvent(series, around.addDays(-1), around.addDays(2))) {
        const bool same = series.is_all_day ? occurrence.recurrence_id.left(8) == recurrenceId.left(8)
                                            : occurrence.recurrence_id == recurrenceId;
        if (same)
            return occurrence;
    }
    return std::nullopt;
}

bool PendingPush::cancelsUnsentOccurrence(const Event &row) const
{
    if (!row.deleted_at || !row.provider_event_id.isEmpty() || isWithdrawnOccurrence(row))
        return false;
    // Only the provider's instance holds the skipped day: a series' update
    // carries no exception dates.
    const std::optional<Event> series = seriesOf(row);
    return series && !series->deleted_at && !series->provider_event_id.isEmpty()
        && !occurrenceOf(*series, row.recurrence_id);
}

std::optional<Event> PendingPush::occurrenceAsSeriesHasIt(const Event &row) const
{
    if (!isWithdrawnOccurrence(row) || row.provider_event_id.isEmpty())
        return std::nullopt;
    const std::optional<Event> series = seriesOf(row);
    if (!series || series->deleted_at)
        return std::nullopt;
    const std::optional<Event> occurrence = occurrenceOf(*series, row.recurrence_id);
    if (!occurrence)
        return std::nullopt;
    // The series' fields at the occurrence's times, as the provider's
    // occurrence it was last written as.
    Event restored = *occurrence;
    restored.id = row.id;
    restored.uid = row.uid;
    restored.calendar_id = row.calendar_id;
    restored.provider_event_id = row.provider_event_id;
    restored.etag = row.etag;
    restored.href = row.href;
    restored.raw_icalendar = row.raw_icalendar;
    restored.recurrence_id = row.recurrence_id;
    restored.master_event_uid = row.master_event_uid;
    restored.recurrence_rule.clear();
    restored.recurrence_dates.clear();
    restored.exception_dates.clear();
    restored.sequence = row.sequence;
    restored.sync_status = SyncStatus::Pending;
    restored.deleted_at.reset();
    return restored;
}

void PendingPush::eraseTakenAlong(const Event &series)
{
    QList<Event> rows = m_store.events->getOccurrencesOf(series.uid, m_calendar.id);
    if (!series.provider_event_id.isEmpty() && series.provider_event_id != series.uid)
        rows += m_store.events->getOccurrencesOf(series.provider_event_id, m_calendar.id);
    for (const Event &row : std::as_const(rows)) {
        // A row of this run has an answer of its own.
        if (m_items.contains(row.id))
            continue;
        if (m_store.events->hardDelete(row.id))
            ++m_writtenRows;
        else
            qWarning().noquote() << m_logTag << "the occurrence" << row.id << "stays after its series' deletion";
    }
}

} // namespace OAuth
