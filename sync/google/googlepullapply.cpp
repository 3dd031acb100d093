#include "sync/google/googlepullapply.h"

#include <QDebug>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QStringList>

#include "calendar/movedseriesplaces.h"
#include "calendar/recurrence.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventproviderkey.h"
#include "store/eventrepository.h"
#include "store/storetransaction.h"
#include "sync/core/movedseriesrows.h"
#include "sync/core/pullapplyqueue.h"
#include "sync/google/googleeventmapping.h"
#include "sync/google/googlepushrun.h"
#include "sync/oauth/pulledrowwriter.h"
#include "sync/oauth/tombstonecopy.h"

#include <memory>
#include <utility>

namespace Google {

namespace {

QStringList dateList(const QString &json)
{
    QStringList result;
    for (const QJsonValue &value : QJsonDocument::fromJson(json.toUtf8()).array())
        result.append(value.toString());
    return result;
}

QString dateListText(const QStringList &dates)
{
    if (dates.isEmpty())
        return QString();
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(dates)).toJson(QJsonDocument::Compact));
}

// The union of both lists, the first one's order kept.
QString mergedDates(const QString &kept, const QString &added)
{
    QStringList dates = dateList(kept);
    for (const QString &date : dateList(added)) {
        if (!dates.contains(date))
            dates.append(date);
    }
    return dateListText(dates);
}

class Applier : public OAuth::PulledRowWriter
{
public:
    using PulledRowWriter::PulledRowWriter;

    void apply(const ListedEvent &item);
    void excludeCancelledOccurrences();
    void removeOccurrencesOfRemovedSeries();
    using PulledRowWriter::forgetDroppedDays;

protected:
    std::optional<Event> eventFromStored(const QString &text) const override;

private:
    std::optional<EventProviderKey> find(const QString &googleId);
    bool takeUnrecordedInsert(const ListedEvent &item);
    void applyCancelled(const ListedEvent &item, const std::optional<EventProviderKey> &local);
    void count(bool ok) { ++(ok ? m_result.upserted : m_result.failed); }
    std::optional<std::pair<Event, QString>> skippedDayOf(const Event &series, const QString &recurrenceId);

    QList<ListedEvent> m_cancelledOccurrences;
    // The rows waiting for their first insert, by the id their insert names
    // (PushRun::clientEventId); read when first asked for.
    std::optional<QHash<QString, QString>> m_unsentInserts;
    // The Google ids and local uids of series removed on Google.
    QSet<QString> m_removedSeries;
};

std::optional<Event> Applier::eventFromStored(const QString &text) const
{
    const QJsonDocument stored = QJsonDocument::fromJson(text.toUtf8());
    if (!stored.isObject())
        return std::nullopt;
    return eventFromJson(stored.object(), m_calendar.id);
}

std::optional<EventProviderKey> Applier::find(const QString &googleId)
{
    if (keysRead()) {
        const auto found = m_keys.constFind(googleId);
        return found == m_keys.constEnd() ? std::nullopt : std::make_optional(*found);
    }
    const std::optional<Event> row = m_events->getByProviderEventId(m_calendar.id, googleId);
    if (!row)
        return std::nullopt;
    EventProviderKey key;
    key.id = row->id;
    key.provider_event_id = row->provider_event_id;
    key.etag = row->etag;
    key.sync_status = row->sync_status;
    key.recurring = !row->recurrence_rule.isEmpty();
    key.deleted = row->deleted_at.has_value();
    return key;
}

void Applier::apply(const ListedEvent &item)
{
    if (item.id.isEmpty())
        return;
    const std::optional<EventProviderKey> local = find(item.id);
    // Tested before the pending check: Google's deletion wins over an edit.
    if (item.cancelled) {
        applyCancelled(item, local);
        return;
    }
    if (local && local->sync_status == SyncStatus::Pending) {
        if (local->recurring && local->etag != item.etag && !takeSkippedDays(item.record, local->id))
            ++m_result.failed;
        // Deleted here: the deletion goes up, with Google's change kept.
        if (local->deleted && local->etag != item.etag
            && !OAuth::TombstoneCopy::takeNewer(m_events, local->id, item.record,
                                                [this](const QString &text) { return eventFromStored(text); }))
            ++m_result.failed;
        ++m_result.skippedPending;
        return;
    }
    if (local && !item.etag.isEmpty() && local->etag == item.etag && !local->deleted) {
        ++m_result.unchanged;
        return;
    }
    if (!local && takeUnrecordedInsert(item))
        return;
    Event mapped = item.record;
    mapped.calendar_id = m_calendar.id;
    if (!local) {
        count(insertNew(mapped, item.seriesId.isEmpty() ? std::nullopt : find(item.seriesId)));
        return;
    }
    // Only a changed event needs its whole stored row.
    const std::optional<Event> stored = m_events->getByProviderEventId(m_calendar.id, item.id);
    if (!stored) {
        ++m_result.failed;
        return;
    }
    // Occurrences removed on Google arrive once, as cancelled instances;
    // the series' later versions do not repeat them.
    mapped.exception_dates = mergedDates(stored->exception_dates, mapped.exception_dates);
    count(updateKnown(mapped, *stored));
}

// An insert of this calendar's that reached Google but whose answer was not
// recorded here: Google lists it under the id the insert chose, and its row
// still waits without one. The event becomes that row's, still pending, so
// the push updates it instead of a second row taking it.
bool Applier::takeUnrecordedInsert(const ListedEvent &item)
{
    if (!m_unsentInserts) {
        m_unsentInserts.emplace();
        for (const Event &row : m_events->getPending(m_calendar.id)) {
            if (row.provider_event_id.isEmpty() && !row.deleted_at)
                m_unsentInserts->insert(PushRun::clientEventId(row.id), row.id);
        }
    }
    const QString localId = m_unsentInserts->take(item.id);
    std::optional<Event> row = localId.isEmpty() ? std::nullopt : m_events->getById(localId);
    if (!row || !row->provider_event_id.isEmpty())
        return false;
    row->provider_event_id = item.id;
    row->etag = item.etag;
    if (!m_events->update(*row)) {
        ++m_result.failed;
        return true;
    }
    ++m_result.skippedPending;
    remember(*row);
    return true;
}

void Applier::applyCancelled(const ListedEvent &item, const std::optional<EventProviderKey> &local)
{
    const bool occurrence = !item.seriesId.isEmpty();
    if (local && occurrence && local->sync_status == SyncStatus::Pending) {
        const std::optional<Event> stored = m_events->getById(local->id);
        if (stored && droppedByOwnMove(*stored, item.recurrenceId)) {
            ++m_result.skippedPending;
            return;
        }
    }
    if (local) {
        if (!occurrence && local->recurring) {
            m_removedSeries.insert(local->provider_event_id);
            if (const std::optional<Event> stored = m_events->getByProviderEventId(m_calendar.id, item.id))
                m_removedSeries.insert(stored->uid);
        }
        if (m_events->hardDelete(local->id)) {
            ++m_result.deleted;
            m_keys.remove(item.id);
        } else {
            ++m_result.failed;
        }
    }
    if (occurrence)
        m_cancelledOccurrences.append(item);
}

// A series removed on Google takes its moved occurrences along; Google
// does not list them as cancelled of their own.
void Applier::removeOccurrencesOfRemovedSeries()
{
    m_removedSeries.remove(QString());
    if (m_removedSeries.isEmpty())
        return;
    QList<EventProviderKey> keys;
    if (!m_events->getProviderKeys(m_calendar.id, &keys)) {
        ++m_result.failed;
        return;
    }
    for (const EventProviderKey &key : std::as_const(keys)) {
        if (!m_removedSeries.contains(key.master_event_uid))
            continue;
        if (m_events->hardDelete(key.id))
            ++m_result.deleted;
        else
            ++m_result.failed;
    }
}

// The series that skips a day for its instance cancelled on Google at
// `recurrenceId`, and that day: the series and that one, or, in a series
// this device moved in time or split since Google had it, the series that
// holds that occurrence now, where it stands there (past a split, the new
// series that continues it). None where the cancellation skips no day
// here: a day Google dropped with the move, or one that a change made here
// holds.
std::optional<std::pair<Event, QString>> Applier::skippedDayOf(const Event &series, const QString &recurrenceId)
{
    // Google lists the exceptions a series moved in time loses as cancelled
    // at their old starts.
    if (droppedWithMove(series, recurrenceId))
        return std::nullopt;
    const MovedSeriesRows *moved = movedHere(series);
    if (!moved)
        return std::make_pair(series, recurrenceId);
    if (!Recurrence::readRecurrenceId(recurrenceId).isValid())
        return std::nullopt;
    const std::optional<MovedSeriesPlaces::Place> place = moved->places().whereNow(recurrenceId);
    if (!place)
        return std::make_pair(series, recurrenceId);
    if (m_events->getLiveByUidAndRecurrenceId(place->series->uid, m_calendar.id, place->recurrenceId))
        return std::nullopt;
    const std::optional<Event> holder =
        place->series->id == series.id ? std::make_optional(series) : m_events->getById(place->series->id);
    if (!holder)
        return std::nullopt;
    return std::make_pair(*holder, MovedSeriesPlaces::skippedAt(*place, recurrenceId));
}

// After the whole listing, so that a series listed after its cancelled
// occurrences is there to take the exclusion.
void Applier::excludeCancelledOccurrences()
{
    for (const ListedEvent &item : std::as_const(m_cancelledOccurrences)) {
        const std::optional<Event> series = m_events->getByProviderEventId(m_calendar.id, item.seriesId);
        if (item.recurrenceId.isEmpty() || !series)
            continue;
        const std::optional<std::pair<Event, QString>> skipped = skippedDayOf(*series, item.recurrenceId);
        if (!skipped)
            continue;
        Event updated = skipped->first;
        QStringList dates = dateList(updated.exception_dates);
        if (skipped->second.isEmpty() || dates.contains(skipped->second))
            continue;
        dates.append(skipped->second);
        updated.exception_dates = dateListText(dates);
        if (m_events->update(updated))
            ++m_result.deleted;
        else
            ++m_result.failed;
    }
}

} // namespace

void storeSyncToken(const Sync::Repositories &store, const Calendar &calendar, const QString &nextSyncToken)
{
    // The stored row, not the run's copy, so that a change made during the
    // listing (a rename, a colour) is kept.
    Calendar advanced = store.calendars->getById(calendar.id).value_or(calendar);
    advanced.sync_token = nextSyncToken;
    if (!store.calendars->recordSyncState(advanced))
        qWarning().noquote() << "Google::storeSyncToken failed: could not store the sync token of" << calendar.name;
}

PullApplyResult applyEventsPage(const Sync::Repositories &store, const Calendar &calendar,
                                const QList<QList<ListedEvent>> &pages, const QString &nextSyncToken,
                                const std::atomic_bool &cancelled)
{
    // One transaction for the whole listing: thousands of rows commit at once.
    const std::unique_ptr<StoreTransaction> transaction =
        PullApplyQueue::begin(store, QStringLiteral("google_pull"), cancelled);
    if (!transaction) {
        PullApplyResult none;
        for (const QList<ListedEvent> &items : pages)
            none.failed += int(items.size());
        return none;
    }
    const bool wasBlocked = store.events->blockSignals(true);
    Applier applier(store, calendar);
    for (const QList<ListedEvent> &items : pages) {
        for (const ListedEvent &item : items) {
            if (cancelled)
                break;
            applier.apply(item);
        }
    }
    if (!cancelled) {
        applier.excludeCancelledOccurrences();
        applier.removeOccurrencesOfRemovedSeries();
        applier.forgetDroppedDays();
    }
    store.events->blockSignals(wasBlocked);
    if (!cancelled && applier.result().failed == 0 && !nextSyncToken.isEmpty())
        storeSyncToken(store, calendar, nextSyncToken);
    return OAuth::finishPull(*transaction, applier.result(), "Google::applyEventsPage", cancelled);
}

} // namespace Google
