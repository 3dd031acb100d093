#include "sync/caldav/caldavmovedseries.h"

#include "calendar/eventconflictmerge.h"
#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "store/eventrepository.h"
#include "sync/caldav/caldavlog.h"
#include "sync/caldav/caldavmovedcopy.h"
#include "sync/core/movedcopy.h"

#include <utility>

CalDavMovedSeries::CalDavMovedSeries(MovedSeriesRows rows)
    : m_rows(std::move(rows))
{
}

CalDavMovedSeries::Cache::Cache(EventRepository *events, const QString &calendarId)
    : m_events(events)
    , m_calendarId(calendarId)
{
}

const CalDavMovedSeries *CalDavMovedSeries::Cache::of(const QString &uid)
{
    const auto found = m_read.constFind(uid);
    if (found != m_read.cend())
        return found->get();
    const auto server = m_servers.constFind(uid);
    std::optional<CalDavMovedSeries> series = CalDavMovedSeries::of(
        m_events, m_calendarId, uid, server == m_servers.cend() ? std::nullopt : std::make_optional(*server));
    const std::shared_ptr<const CalDavMovedSeries> kept =
        series ? std::make_shared<const CalDavMovedSeries>(std::move(*series)) : nullptr;
    m_read.insert(uid, kept);
    return kept.get();
}

bool CalDavMovedSeries::Cache::meet(const Event &server)
{
    m_servers.insert(server.uid, server);
    m_read.remove(server.uid);
    const CalDavMovedSeries *series = of(server.uid);
    if (!series || !series->m_rows.hasSplits())
        return true;
    const bool saved = series->handOnToSplits();
    // The new series as they stand now name the places from here on.
    m_read.remove(server.uid);
    return saved;
}

std::optional<CalDavMovedSeries> CalDavMovedSeries::of(EventRepository *events, const QString &calendarId,
                                                       const QString &uid, const std::optional<Event> &server)
{
    const std::optional<Event> local = events->getLiveByUidAndRecurrenceId(uid, calendarId, QString());
    if (!local || local->sync_status != SyncStatus::Pending || !Recurrence::isSeries(*local))
        return std::nullopt;
    const std::optional<EventSyncBase> base = events->syncBase(local->id);
    if (!base)
        return std::nullopt;
    for (const Event &candidate : IcsCodec::parseEvents(base->raw_icalendar)) {
        // A series made all-day or timed has no occurrence to name alike.
        if (candidate.recurrence_id.isEmpty() && candidate.uid == uid && Recurrence::isSeries(candidate)
            && candidate.is_all_day == local->is_all_day) {
            const QList<Event> splits = MovedSeriesRows::splitsOf(events, *local);
            return CalDavMovedSeries(
                MovedSeriesRows(events, *local, splits, MovedSeriesPlaces(candidate, *local, splits, server)));
        }
    }
    return std::nullopt;
}

bool CalDavMovedSeries::handOn(EventRepository *events, Cache *cache, const Event &old, const QString &storedTag,
                               const Event &server, bool *handed)
{
    *handed = false;
    if (!isWithdrawnOccurrence(old) || storedTag.isEmpty() || storedTag == server.etag)
        return true;
    const CalDavMovedSeries *series = cache->of(old.master_event_uid.isEmpty() ? old.uid : old.master_event_uid);
    const std::optional<MovedSeriesPlaces::Place> place =
        series ? series->m_rows.places().whereNow(old.recurrence_id) : std::nullopt;
    const std::optional<Event> live = place ? events->getLiveByUidAndRecurrenceId(place->series->uid,
                                                                                   old.calendar_id, place->recurrenceId)
                                            : std::nullopt;
    if (!live)
        return true;
    qCInfo(caldavLog).noquote() << "[CalDav]" << live->title << "was changed on the server before its series moved"
                                << "here; the change goes to where the occurrence stands now";
    *handed = true;
    // Both copies named at the new place, so that only what each side
    // changed counts; the change's text is its own, the record's edits
    // written over it.
    Event base = CalDavMovedCopy::startedFrom(events, old);
    base.recurrence_id = live->recurrence_id;
    Event changed = server;
    changed.recurrence_id = live->recurrence_id;
    return MovedCopy::handOn(events, *live, base, changed, &EventConflictMerge::merged,
                             [](const Event &merged, const Event &copy) {
                                 Event written = merged;
                                 written.raw_icalendar = copy.raw_icalendar;
                                 return IcsCodec::buildEventIcs(written);
                             });
}

CalDavMovedSeries::Arrival CalDavMovedSeries::take(Event &pulled) const
{
    const std::optional<MovedSeriesPlaces::Place> place = m_rows.places().whereNow(pulled.recurrence_id);
    if (!place)
        return Arrival::Stays;
    const Event &series = *place->series;
    if (m_rows.events()->getLiveByUidAndRecurrenceId(series.uid, series.calendar_id, place->recurrenceId))
        return Arrival::HeldThere;
    qCInfo(caldavLog).noquote() << "[CalDav]" << pulled.title << "was changed on the server before its series moved"
                                << "here; it is kept where the occurrence stands now";
    pulled = occurrenceUnder(pulled, series);
    pulled.recurrence_id = place->recurrenceId;
    pulled.sync_status = SyncStatus::Pending;
    pulled.raw_icalendar = IcsCodec::buildEventIcs(pulled);
    return Arrival::Moved;
}

void CalDavMovedSeries::keepSkippedDays(const Event &server, Event *merged) const
{
    // A new series that could not be saved is told in the log; the merge
    // goes on with the series' own days.
    m_rows.keepSkippedDays(server, merged);
}

bool CalDavMovedSeries::handOnToSplits() const
{
    return m_rows.handOnToSplits();
}
