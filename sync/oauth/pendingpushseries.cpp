// What a series' write brings about on the provider beyond the series
// itself: a series deleted here with its changed occurrences goes up as
// one deletion (the provider's deletion of a series takes its exceptions
// with it, and each deletion of an organizer's meeting tells every guest),
// and a series moved in time loses its changed and skipped days there.
#include "sync/oauth/pendingpush.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>

#include "calendar/movedseriesplaces.h"
#include "calendar/recurrence.h"
#include "store/eventrepository.h"
#include "sync/oauth/tombstonecopy.h"

namespace OAuth {

void PendingPush::keepDroppedDays(const Event &row)
{
    if (!Recurrence::isSeries(row) || !row.recurrence_id.isEmpty())
        return;
    const std::optional<Event> before = fromStored(row.raw_icalendar);
    const std::optional<MovedSeriesPlaces> places = before ? MovedSeriesPlaces::between(*before, row) : std::nullopt;
    if (!places)
        return;
    // This device's own record of them: its skipped days and changed
    // occurrences, moved back to where the provider held them.
    QStringList dropped;
    const QByteArray skipped = places->originalsOfSkipped(row.exception_dates).toUtf8();
    for (const QJsonValue &day : QJsonDocument::fromJson(skipped).array())
        dropped.append(day.toString());
    for (const Event &occurrence : m_store.events->getOccurrencesOf(row.uid, row.calendar_id)) {
        const QString original = places->originalOf(occurrence.recurrence_id);
        if (!original.isEmpty())
            dropped.append(original);
    }
    if (!dropped.isEmpty() && !m_store.events->keepDroppedOccurrences(row.id, dropped))
        qWarning().noquote() << m_logTag << "could not keep the days" << row.id << "dropped with its move";
}

void PendingPush::readBeforeSeries(const Event &row)
{
    // A read tells the guests nothing, and it finds a change made there
    // that a deletion under the old version would have met.
    sendFetch(row);
    noteInFlight();
}

void PendingPush::keepForSeriesDeletion(const QString &localId, const QJsonObject &resource)
{
    const auto item = m_items.constFind(localId);
    if (item == m_items.constEnd())
        return;
    const Event &row = item->snapshot;
    const QString version = versionOf(resource);
    if (!version.isEmpty() && version != row.etag) {
        const Event server = eventFromResource(resource);
        if (!handOnToMovedCopy(row, server)
            || !TombstoneCopy::takeNewer(m_store.events, localId, server,
                                         [this](const QString &text) { return fromStored(text); })) {
            // It stays until what changed there is kept; the series goes
            // all the same, and the next run finds this one gone.
            refused(localId);
            return;
        }
    }
    m_goneWithSeries[m_seriesAfter.value(localId)].append(localId);
    countDown(localId);
}

void PendingPush::eraseGoneWithSeries(const QString &seriesId)
{
    for (const QString &localId : m_goneWithSeries.take(seriesId)) {
        if (m_store.events->hardDelete(localId))
            ++m_writtenRows;
        else
            qWarning().noquote() << m_logTag << "the occurrence" << localId
                                 << "stays behind its series' deletion; its own deletion ends it";
    }
}

} // namespace OAuth
