#include "sync/oauth/pulledrowwriter.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

#include "calendar/icscodec.h"
#include "calendar/movedseriesplaces.h"
#include "calendar/recurrence.h"
#include "store/eventbatchwriter.h"
#include "store/eventrepository.h"
#include "sync/core/movedcopy.h"
#include "sync/core/movedseriesrows.h"
#include "sync/oauth/movedseriesskips.h"

#include <algorithm>

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
    const MovedSeriesRows *moved = series ? movedHere(*series) : nullptr;
    const std::optional<MovedSeriesPlaces::Place> place =
        moved ? moved->places().whereNow(row.recurrence_id) : std::nullopt;
    if (!place)
        return true;
    const Event &holder = *place->series;
    if (m_events->getLiveByUidAndRecurrenceId(holder.uid, m_calendar.id, place->recurrenceId))
        return false;
    qInfo().noquote() << row.title << "was changed in" << m_calendar.name << "before this device moved or split"
                      << "its series; it is kept where the occurrence stands now";
    // It keeps the provider's copy of the instance it was, which names the
    // old start: the push finds the instance at the new one. Past a split
    // that instance is the ended series', not the new one's: without its
    // id, the day goes onto the new series' instance there as the provider
    // held it.
    row.recurrence_id = place->recurrenceId;
    row.master_event_uid = holder.uid;
    row.sync_status = SyncStatus::Pending;
    if (holder.id != series->id) {
        row.provider_event_id.clear();
        row.etag.clear();
    }
    return true;
}

bool PulledRowWriter::takeSkippedDays(const Event &pulled, const QString &seriesId)
{
    std::optional<Event> series = m_events->getById(seriesId);
    const MovedSeriesRows *moved = series ? movedHere(*series) : nullptr;
    if (!moved)
        return true;
    // Measured against the base: a copy that holds this device's move
    // already dropped the days skipped here itself.
    const std::optional<EventSyncBase> synced = m_events->syncBase(seriesId);
    const std::optional<Event> base = synced ? eventFromStored(synced->raw_icalendar) : std::nullopt;
    if (!base)
        return true;
    QString skipped = series->exception_dates;
    bool saved = true;
    if (const std::optional<QString> joined = skippedDaysJoined(*base, *series, pulled)) {
        skipped = *joined;
    } else if (moved->hasSplits()) {
        // Read against the provider's copy: where another device moved the
        // series, it names the days at their starts there.
        const QList<Event> splits = MovedSeriesRows::splitsOf(m_events, *series);
        const MovedSeriesRows rows(m_events, *series, splits, MovedSeriesPlaces(*base, *series, splits, pulled));
        Event merged = *series;
        saved = rows.keepSkippedDays(pulled, &merged);
        skipped = merged.exception_dates;
        // The new series' days as written name the places from here on.
        m_moved.remove(seriesId);
    }
    if (skipped == series->exception_dates)
        return saved;
    qInfo().noquote() << pulled.title << "skips days in" << m_calendar.name << "since this device moved or split"
                      << "it; they are skipped where their occurrences stand now";
    series->exception_dates = skipped;
    return m_events->update(*series) && saved;
}

namespace {

// The instant a recurrence id or skipped day names, as the expansion reads
// a skipped day: an all-day one by its date whichever form names it.
std::optional<qint64> instantOf(const QString &day)
{
    const QSet<qint64> read = Recurrence::parseExceptionDates(
        QString::fromUtf8(QJsonDocument(QJsonArray{day}).toJson(QJsonDocument::Compact)));
    return read.isEmpty() ? std::nullopt : std::make_optional(*read.cbegin());
}

} // namespace

bool PulledRowWriter::droppedWithMove(const Event &series, const QString &recurrenceId)
{
    if (!m_dropped) {
        m_dropped = m_events->droppedOccurrences(m_calendar.id);
        if (!m_dropped) {
            // Unread, they are forgotten only by a pull that reads them.
            ++m_result.failed;
            m_dropped.emplace();
        }
    }
    const std::optional<qint64> at = instantOf(recurrenceId);
    if (!at || Recurrence::parseExceptionDates(series.exception_dates).contains(*at))
        return false;
    const QStringList dropped = m_dropped->value(series.id);
    return std::any_of(dropped.cbegin(), dropped.cend(), [&at](const QString &day) { return instantOf(day) == at; });
}

bool PulledRowWriter::droppedByOwnMove(const Event &row, const QString &heldAt)
{
    if (row.recurrence_id.isEmpty() || row.deleted_at || row.sync_status != SyncStatus::Pending
        || !instantOf(heldAt) || instantOf(heldAt) == instantOf(row.recurrence_id))
        return false;
    std::optional<Event> series = m_events->getByUid(row.master_event_uid, m_calendar.id);
    if (!series || !Recurrence::isSeries(*series))
        series = m_events->getByProviderEventId(m_calendar.id, row.master_event_uid);
    if (!series || !Recurrence::isSeries(*series) || series->deleted_at)
        return false;
    if (!droppedWithMove(*series, heldAt))
        return false;
    qInfo().noquote() << row.title << "was dropped in" << m_calendar.name << "by this device's move of its series;"
                      << "it is written where its occurrence stands now";
    return true;
}

void PulledRowWriter::forgetDroppedDays()
{
    if (m_result.failed == 0 && !m_events->forgetDroppedOccurrences(m_calendar.id))
        ++m_result.failed;
}

const MovedSeriesRows *PulledRowWriter::movedHere(const Event &series)
{
    const auto cached = m_moved.constFind(series.id);
    if (cached != m_moved.constEnd())
        return cached->get();
    std::shared_ptr<const MovedSeriesRows> rows;
    if (series.sync_status == SyncStatus::Pending && !series.deleted_at && series.recurrence_id.isEmpty()
        && Recurrence::isSeries(series)) {
        const std::optional<EventSyncBase> base = m_events->syncBase(series.id);
        const std::optional<Event> before = base ? eventFromStored(base->raw_icalendar) : std::nullopt;
        // A series made all-day or timed has no occurrence to name alike.
        if (before && Recurrence::isSeries(*before) && before->is_all_day == series.is_all_day) {
            const QList<Event> splits = MovedSeriesRows::splitsOf(m_events, series);
            if (!splits.isEmpty() || MovedSeriesPlaces::between(*before, series))
                rows = std::make_shared<const MovedSeriesRows>(m_events, series, splits,
                                                               MovedSeriesPlaces(*before, series, splits));
        }
    }
    m_moved.insert(series.id, rows);
    return rows.get();
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
    // A row the provider does not name yet (a day that goes onto a split's
    // new series) is found by no listing.
    if (written.provider_event_id.isEmpty())
        return;
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
