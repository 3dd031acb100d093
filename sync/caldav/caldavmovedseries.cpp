#include "sync/caldav/caldavmovedseries.h"

#include "calendar/eventconflictmerge.h"
#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "calendar/serieschange.h"
#include "store/eventrepository.h"
#include "sync/caldav/caldavlog.h"
#include "sync/caldav/caldavmovedcopy.h"
#include "sync/core/movedcopy.h"

#include <utility>

namespace {

// An edit's bookkeeping, as the editor stamps one: the pull writes it here
// for the user, so the row goes up.
void stamp(Event &row)
{
    row.last_modified = QDateTime::currentDateTimeUtc();
    ++row.sequence;
    row.sync_status = SyncStatus::Pending;
    row.raw_icalendar = IcsCodec::buildEventIcs(row);
}

bool sameTimes(const Event &a, const Event &b)
{
    return a.start_time == b.start_time && a.end_time == b.end_time && a.is_all_day == b.is_all_day
        && a.timezone == b.timezone;
}

} // namespace

CalDavMovedSeries::CalDavMovedSeries(EventRepository *events, const Event &local, const QList<Event> &splits,
                                     MovedSeriesPlaces places)
    : m_events(events)
    , m_local(local)
    , m_splits(splits)
    , m_places(std::move(places))
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
    if (!series || series->m_splits.isEmpty())
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
            QList<Event> splits;
            for (const QString &id : events->splitsFrom(local->id)) {
                const std::optional<Event> row = events->getById(id);
                if (row && !row->deleted_at && row->calendar_id == calendarId && row->recurrence_id.isEmpty())
                    splits.append(*row);
            }
            return CalDavMovedSeries(events, *local, splits, MovedSeriesPlaces(candidate, *local, splits, server));
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
        series ? series->m_places.whereNow(old.recurrence_id) : std::nullopt;
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
    const std::optional<MovedSeriesPlaces::Place> place = m_places.whereNow(pulled.recurrence_id);
    if (!place)
        return Arrival::Stays;
    const Event &series = *place->series;
    if (m_events->getLiveByUidAndRecurrenceId(series.uid, series.calendar_id, place->recurrenceId))
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
    // The rows of a split's new series as stored now: the pull may have
    // written them since this series was read.
    QHash<QString, QString> skipped{{m_local.id, m_local.exception_dates}};
    QHash<QString, Event> continued;
    for (const Event &row : m_splits) {
        const Event stored = m_events->getById(row.id).value_or(row);
        continued.insert(row.id, stored);
        skipped.insert(row.id, stored.exception_dates);
    }
    const QHash<QString, QString> days = m_places.skippedDaysWith(server.exception_dates, skipped);
    for (auto it = days.cbegin(); it != days.cend(); ++it) {
        if (it.key() == m_local.id) {
            merged->exception_dates = it.value();
            continue;
        }
        Event row = continued.value(it.key());
        row.exception_dates = it.value();
        row.sync_status = SyncStatus::Pending;
        row.last_modified = QDateTime::currentDateTimeUtc();
        if (!m_events->update(row))
            qCWarning(caldavLog) << "[CalDav] Could not skip in" << row.title << "a day skipped on the server";
    }
    if (const std::optional<QString> rule = m_places.splitRuleMoved())
        merged->recurrence_rule = *rule;
}

bool CalDavMovedSeries::handOnToSplits() const
{
    bool saved = true;
    for (const Event &row : m_splits)
        saved = handOnTo(row) && saved;
    return saved;
}

bool CalDavMovedSeries::handOnTo(const Event &row) const
{
    const std::optional<Event> stored = m_events->getById(row.id);
    if (!stored || stored->deleted_at)
        return true;
    Event continued = m_places.continuedWith(*stored);
    if (continued == *stored)
        return true;
    qCInfo(caldavLog).noquote() << "[CalDav]" << m_local.title << "was changed on the server before this device"
                                << "split it; the change reaches" << stored->title << "too";
    if (!sameTimes(continued, *stored)) {
        const SeriesChange change = SeriesChange::wholeSeries(
            *stored, continued, m_events->getSeriesRows(stored->uid, stored->calendar_id));
        if (!change.isRefused()) {
            SeriesRows rows = change.rows();
            stamp(rows.master);
            for (QList<Event> *changed : {&rows.rekeyed, &rows.updates, &rows.inserts}) {
                for (Event &occurrence : *changed)
                    stamp(occurrence);
            }
            return m_events->storeSeriesChange(rows);
        }
        qCInfo(caldavLog).noquote() << "[CalDav]" << stored->title << "keeps its times:" << change.refusalDetail();
        continued.start_time = stored->start_time;
        continued.end_time = stored->end_time;
        continued.is_all_day = stored->is_all_day;
        continued.timezone = stored->timezone;
        if (continued == *stored)
            return true;
    }
    stamp(continued);
    return m_events->update(continued);
}
