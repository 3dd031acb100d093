#include "sync/oauth/pulledrowwriter.h"

#include <QDebug>

#include "calendar/icscodec.h"
#include "calendar/movedseriesplaces.h"
#include "store/eventbatchwriter.h"
#include "store/eventrepository.h"
#include "sync/core/movedcopy.h"

namespace OAuth {

PulledRowWriter::PulledRowWriter(const Sync::Repositories &store, const Calendar &calendar)
    : m_events(store.events)
    , m_calendar(calendar)
    , m_newRows(store.database ? std::make_unique<EventBatchWriter>(store.database) : nullptr)
{
}

PulledRowWriter::~PulledRowWriter() = default;

QHash<QString, EventProviderKey> &PulledRowWriter::keys()
{
    if (!m_keysAsked) {
        m_keysAsked = true;
        QList<EventProviderKey> stored;
        m_keysRead = m_events->getProviderKeys(m_calendar.id, &stored);
        for (const EventProviderKey &key : std::as_const(stored))
            m_keys.insert(key.provider_event_id, key);
    }
    return m_keys;
}

bool PulledRowWriter::insertNew(Event &row, const std::optional<EventProviderKey> &series)
{
    QString copyId;
    if (series && series->deleted
        && !MovedCopy::leaveWithMovedSeries(m_events, row, series->id, &IcsCodec::buildEventIcs, &copyId))
        return false;
    if (series && !series->deleted && series->sync_status == SyncStatus::Pending && !row.recurrence_id.isEmpty()
        && !placeInMovedSeries(row, series->id))
        return true;
    if (!(m_newRows ? m_newRows->insert(row) : m_events->insert(row)))
        return false;
    remember(row);
    if (copyId.isEmpty())
        return true;
    qInfo().noquote() << row.title << "was changed in" << m_calendar.name << "after its series was moved from"
                      << "there; it goes to the series' new calendar too";
    if (!MovedCopy::keepLeftBehind(m_events, row, copyId))
        qWarning().noquote() << "PulledRowWriter: could not link the occurrence" << row.id << "to its copy" << copyId;
    return true;
}

bool PulledRowWriter::placeInMovedSeries(Event &row, const QString &seriesId)
{
    const std::optional<Event> series = m_events->getById(seriesId);
    const MovedSeriesPlaces *places = series ? movedHere(*series) : nullptr;
    const QString place = places ? places->placeOf(row.recurrence_id) : QString();
    if (place.isEmpty())
        return true;
    if (m_events->getLiveByUidAndRecurrenceId(series->uid, m_calendar.id, place))
        return false;
    qInfo().noquote() << row.title << "was changed in" << m_calendar.name << "before this device moved its series"
                      << "in time; it is kept where the occurrence stands now";
    // It keeps the provider's id and copy of the instance it was, which
    // name the old start: the push finds the instance at the new one.
    row.recurrence_id = place;
    row.master_event_uid = series->uid;
    row.sync_status = SyncStatus::Pending;
    return true;
}

bool PulledRowWriter::takeSkippedDays(const Event &pulled, const QString &seriesId)
{
    std::optional<Event> series = m_events->getById(seriesId);
    const MovedSeriesPlaces *places = series ? movedHere(*series) : nullptr;
    if (!places)
        return true;
    const QString skipped = places->skippedDaysWith(pulled.exception_dates, series->exception_dates);
    if (skipped == series->exception_dates)
        return true;
    qInfo().noquote() << pulled.title << "skips days in" << m_calendar.name << "since this device moved it in time;"
                      << "they are skipped where their occurrences stand now";
    series->exception_dates = skipped;
    return m_events->update(*series);
}

const MovedSeriesPlaces *PulledRowWriter::movedHere(const Event &series)
{
    const auto cached = m_moved.constFind(series.id);
    if (cached != m_moved.constEnd())
        return cached->get();
    std::shared_ptr<const MovedSeriesPlaces> places;
    if (series.sync_status == SyncStatus::Pending && !series.deleted_at && series.recurrence_id.isEmpty()) {
        const std::optional<EventSyncBase> base = m_events->syncBase(series.id);
        const std::optional<Event> before = base ? eventFromStored(base->raw_icalendar) : std::nullopt;
        if (const std::optional<MovedSeriesPlaces> moved =
                before ? MovedSeriesPlaces::between(*before, series) : std::nullopt)
            places = std::make_shared<const MovedSeriesPlaces>(*moved);
    }
    m_moved.insert(series.id, places);
    return places.get();
}

bool PulledRowWriter::updateKnown(Event &pulled, const Event &stored)
{
    pulled.id = stored.id;
    if (!stored.uid.isEmpty())
        pulled.uid = stored.uid;
    // The provider names the series by its own id; an occurrence changed
    // here names it by the series' uid, and keeps doing so.
    if (!pulled.master_event_uid.isEmpty() && !stored.master_event_uid.isEmpty()
        && stored.master_event_uid != pulled.master_event_uid) {
        const std::optional<Event> series = m_events->getByProviderEventId(m_calendar.id, pulled.master_event_uid);
        if (series && series->uid == stored.master_event_uid)
            pulled.master_event_uid = stored.master_event_uid;
    }
    if (!m_events->update(pulled))
        return false;
    remember(pulled);
    return true;
}

void PulledRowWriter::remember(const Event &written)
{
    EventProviderKey key;
    key.id = written.id;
    key.provider_event_id = written.provider_event_id;
    key.etag = written.etag;
    key.sync_status = written.sync_status;
    key.master_event_uid = written.master_event_uid;
    key.start_time = written.start_time;
    key.recurring = !written.recurrence_rule.isEmpty();
    m_keys.insert(written.provider_event_id, key);
}

} // namespace OAuth
