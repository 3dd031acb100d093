// What a series' write brings about on the provider beyond the series
// itself: a series deleted here with its changed occurrences goes up as
// one deletion (the provider's deletion of a series takes its exceptions
// with it, and each deletion of an organizer's meeting tells every guest),
// after one read of the changed occurrences the provider holds of it, and
// a series moved in time loses its changed and skipped days there.
#include "sync/oauth/pendingpush.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>

#include "calendar/movedseriesplaces.h"
#include "calendar/recurrence.h"
#include "store/eventproviderkey.h"
#include "store/eventrepository.h"
#include "sync/oauth/pulledrowwriter.h"
#include "sync/oauth/tombstonecopy.h"

#include <optional>
#include <utility>

namespace OAuth {

namespace {

// Writes a changed occurrence read before its series' deletion as the
// provider's pull writes one it lists: new, or over the older version
// held, and handed to the copy of a series moved to another calendar.
class UnseenExceptionWriter : public PulledRowWriter
{
public:
    UnseenExceptionWriter(const Sync::Repositories &store, const Calendar &calendar,
                          TombstoneCopy::FromStored fromStored)
        : PulledRowWriter(store, calendar)
        , m_fromStored(std::move(fromStored))
    {
    }

    using PulledRowWriter::insertNew;
    using PulledRowWriter::updateKnown;

protected:
    std::optional<Event> eventFromStored(const QString &text) const override { return m_fromStored(text); }

private:
    TombstoneCopy::FromStored m_fromStored;
};

} // namespace

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

void PendingPush::readExceptionsFirst(const QHash<QString, QString> &goneSeries)
{
    for (const QString &seriesId : goneSeries) {
        if (!m_items.contains(seriesId) || m_exceptionsToRead.contains(seriesId))
            continue;
        m_exceptionsToRead.insert(seriesId);
        ++m_occurrencesFirst[seriesId];
    }
}

bool PendingPush::readsExceptionsFirst(const Event &row)
{
    if (!m_exceptionsToRead.remove(row.id))
        return false;
    m_readingExceptions.insert(row.id);
    sendExceptionsRead(row);
    noteInFlight();
    return true;
}

void PendingPush::onExceptionsListed(const QString &localId, const QList<QJsonObject> &exceptions)
{
    const Event *series = pendingRow(localId);
    if (!m_readingExceptions.remove(localId) || !series)
        return;
    if (!keepUnseenExceptions(*series, exceptions)) {
        // Deleted now, it would take along a change kept nowhere.
        refused(localId);
        return;
    }
    oneFewerBeforeSeries(localId);
    // While answers are recorded, their commit comes first.
    if (!m_recording)
        settle();
}

bool PendingPush::exceptionsUnread(const QString &localId, const QString &reason, int status)
{
    if (!m_readingExceptions.contains(localId))
        return false;
    // Gone there already: its deletion finds it so.
    if (status == 404 || status == 410) {
        onExceptionsListed(localId, {});
        return true;
    }
    m_readingExceptions.remove(localId);
    qWarning().noquote() << m_logTag << "could not read the changed occurrences of" << localId << "status" << status
                         << "reason" << reason;
    if (const Event *series = pendingRow(localId))
        report(tr("\"%1\" is deleted at a later sync: what was changed in it elsewhere could not be read: %2")
                   .arg(series->title, reason));
    countDown(localId);
    return true;
}

bool PendingPush::keepUnseenExceptions(const Event &series, const QList<QJsonObject> &exceptions)
{
    // Made for the first one to write: most series have none.
    std::optional<UnseenExceptionWriter> writer;
    // What the pull knows of the series: deleted here, so that a moved
    // series' copy takes the occurrence.
    EventProviderKey seriesKey;
    seriesKey.id = series.id;
    seriesKey.provider_event_id = series.provider_event_id;
    seriesKey.recurring = seriesKey.deleted = true;
    for (const QJsonObject &resource : exceptions) {
        Event listed = eventFromResource(resource);
        // The series itself, and a day cancelled there, which its deletion
        // takes along as it is.
        if (listed.master_event_uid != series.provider_event_id || listed.recurrence_id.isEmpty()
            || listed.status == QLatin1String("cancelled"))
            continue;
        const std::optional<Event> held = m_store.events->getByProviderEventId(m_calendar.id, listed.provider_event_id);
        if (held && (held->sync_status == SyncStatus::Pending || held->etag == listed.etag))
            continue;
        qInfo().noquote() << m_logTag << listed.title << "was changed elsewhere since the last pull; it goes with"
                          << "its series' deletion and is kept for an undo";
        listed.calendar_id = m_calendar.id;
        if (!writer)
            writer.emplace(m_store, m_calendar, [this](const QString &text) { return fromStored(text); });
        if (!(held ? writer->updateKnown(listed, *held) : writer->insertNew(listed, seriesKey))) {
            qWarning().noquote() << m_logTag << "could not keep" << listed.provider_event_id
                                 << "changed elsewhere before its series' deletion";
            return false;
        }
        ++m_writtenRows;
    }
    return true;
}

void PendingPush::oneFewerBeforeSeries(const QString &seriesId)
{
    if (--m_occurrencesFirst[seriesId] > 0)
        return;
    m_occurrencesFirst.remove(seriesId);
    if (const Event *series = pendingRow(seriesId))
        m_unsent.prepend(*series);
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
