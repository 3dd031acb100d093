#include "sync/core/movedseriesrows.h"

#include <QDebug>
#include <QHash>
#include <QJsonDocument>

#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "calendar/serieschange.h"
#include "store/eventrepository.h"

#include <utility>

namespace {

// An edit's bookkeeping, as the editor stamps one: the sync writes it here
// for the user, so the row goes up. A provider's own copy of the row (the
// JSON Google or Graph last sent) stays, as the push sends what the record
// changed against it; any other text is written anew from the record.
void stamp(Event &row)
{
    row.last_modified = QDateTime::currentDateTimeUtc();
    ++row.sequence;
    row.sync_status = SyncStatus::Pending;
    const bool providerCopy = !row.provider_event_id.isEmpty() && row.raw_icalendar.trimmed().startsWith(QLatin1Char('{'))
        && QJsonDocument::fromJson(row.raw_icalendar.toUtf8()).isObject();
    if (!providerCopy)
        row.raw_icalendar = IcsCodec::buildEventIcs(row);
}

bool sameTimes(const Event &a, const Event &b)
{
    return a.start_time == b.start_time && a.end_time == b.end_time && a.is_all_day == b.is_all_day
        && a.timezone == b.timezone;
}

} // namespace

QList<Event> MovedSeriesRows::splitsOf(const EventRepository *events, const Event &local)
{
    QList<Event> splits;
    for (const QString &id : events->splitsFrom(local.id)) {
        const std::optional<Event> row = events->getById(id);
        if (row && !row->deleted_at && row->calendar_id == local.calendar_id && row->recurrence_id.isEmpty())
            splits.append(*row);
    }
    return splits;
}

MovedSeriesRows::MovedSeriesRows(EventRepository *events, const Event &local, const QList<Event> &splits,
                                 MovedSeriesPlaces places)
    : m_events(events)
    , m_local(local)
    , m_splits(splits)
    , m_places(std::move(places))
{
}

bool MovedSeriesRows::handOnToSplits(QStringList *written) const
{
    bool saved = true;
    for (const Event &row : m_splits) {
        bool changed = false;
        saved = handOnTo(row, &changed) && saved;
        if (changed && written)
            written->append(row.id);
    }
    return saved;
}

bool MovedSeriesRows::handOnTo(const Event &row, bool *changed) const
{
    const std::optional<Event> stored = m_events->getById(row.id);
    if (!stored || stored->deleted_at)
        return true;
    Event continued = m_places.continuedWith(*stored);
    if (continued == *stored)
        return true;
    qInfo().noquote() << m_local.title << "was changed elsewhere before this device split it; the change reaches"
                      << stored->title << "too";
    *changed = true;
    if (!sameTimes(continued, *stored)) {
        const SeriesChange change = SeriesChange::wholeSeries(
            *stored, continued, m_events->getSeriesRows(stored->uid, stored->calendar_id));
        if (!change.isRefused()) {
            SeriesRows rows = change.rows();
            stamp(rows.master);
            for (QList<Event> *moved : {&rows.rekeyed, &rows.updates, &rows.inserts}) {
                for (Event &occurrence : *moved)
                    stamp(occurrence);
            }
            return m_events->storeSeriesChange(rows);
        }
        qInfo().noquote() << stored->title << "keeps its times:" << change.refusalDetail();
        continued.start_time = stored->start_time;
        continued.end_time = stored->end_time;
        continued.is_all_day = stored->is_all_day;
        continued.timezone = stored->timezone;
        if (continued == *stored) {
            *changed = false;
            return true;
        }
    }
    stamp(continued);
    return m_events->update(continued);
}

bool MovedSeriesRows::keepSkippedDays(const Event &server, Event *merged, QStringList *written) const
{
    // The new series as stored now: the sync may have written them since
    // this series was read.
    QHash<QString, QString> skipped{{m_local.id, m_local.exception_dates}};
    QHash<QString, Event> continued;
    for (const Event &row : m_splits) {
        const Event stored = m_events->getById(row.id).value_or(row);
        continued.insert(row.id, stored);
        skipped.insert(row.id, stored.exception_dates);
    }
    bool saved = true;
    const QHash<QString, QString> days = m_places.skippedDaysWith(server.exception_dates, skipped);
    for (auto it = days.cbegin(); it != days.cend(); ++it) {
        if (it.key() == m_local.id) {
            merged->exception_dates = it.value();
            continue;
        }
        Event row = continued.value(it.key());
        if (row.exception_dates == it.value())
            continue;
        row.exception_dates = it.value();
        row.sync_status = SyncStatus::Pending;
        row.last_modified = QDateTime::currentDateTimeUtc();
        if (!m_events->update(row)) {
            qWarning().noquote() << "MovedSeriesRows::keepSkippedDays failed: could not skip in" << row.title
                                 << "a day skipped elsewhere";
            saved = false;
        } else if (written) {
            written->append(row.id);
        }
    }
    if (const std::optional<QString> rule = m_places.splitRuleMoved())
        merged->recurrence_rule = *rule;
    return saved;
}
