#include "sync/microsoft/microsoftpullapply.h"

#include <QDebug>
#include <QHash>
#include <QJsonDocument>
#include <QSet>

#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/storetransaction.h"
#include "sync/core/pullapplyqueue.h"
#include "sync/microsoft/microsofteventmapping.h"
#include "sync/microsoft/microsofttransactionid.h"
#include "sync/oauth/pulledrowwriter.h"

#include <memory>

namespace Microsoft {

namespace {

QString text(const QJsonObject &object, const char *key)
{
    return object.value(QLatin1String(key)).toString();
}

class Applier : public OAuth::PulledRowWriter
{
public:
    using PulledRowWriter::PulledRowWriter;
    using PulledRowWriter::keysRead;

    void apply(const ListedEvent &item);
    void upsert(const ListedEvent &item);
    void removeSeriesOrEvent(const QString &graphId);
    void removeUnlisted(const QDateTime &from, const QDateTime &to);
    using PulledRowWriter::forgetDroppedDays;

protected:
    std::optional<Event> eventFromStored(const QString &text) const override
    {
        const QJsonDocument stored = QJsonDocument::fromJson(text.toUtf8());
        if (!stored.isObject())
            return std::nullopt;
        return eventFromGraph(stored.object(), m_calendar.id);
    }

private:
    void erase(const EventProviderKey &key);
    bool takeUnrecordedInsert(const ListedEvent &item);
    // Graph drops a series' exceptions when its start or pattern changes,
    // and lists each as removed: `key`, a changed occurrence that waits to
    // be written where this device moved its series, whose move dropped it.
    bool droppedByOwnMove(const EventProviderKey &key);

    QSet<QString> m_seen;
};

void Applier::apply(const ListedEvent &item)
{
    const QString &graphId = item.id;
    if (graphId.isEmpty())
        return;
    m_seen.insert(graphId);
    // Graph's deletion wins over an edit made here.
    if (item.removed) {
        removeSeriesOrEvent(graphId);
        return;
    }
    // An occurrence is the series' own: expanded from the master here.
    if (item.occurrence)
        return;
    upsert(item);
}

void Applier::upsert(const ListedEvent &item)
{
    const QString &graphId = item.id;
    m_seen.insert(graphId);
    const auto found = keys().constFind(graphId);
    const bool known = found != m_keys.constEnd();
    if (known && found->sync_status == SyncStatus::Pending) {
        if (found->recurring && !takeSkippedDays(item.record, found->id))
            ++m_result.failed;
        ++m_result.skippedPending;
        return;
    }
    if (!known && takeUnrecordedInsert(item))
        return;
    const QString &changeKey = item.record.etag;
    if (known && !changeKey.isEmpty() && found->etag == changeKey && !found->deleted) {
        ++m_result.unchanged;
        return;
    }
    Event mapped = item.record;
    mapped.calendar_id = m_calendar.id;
    if (!known) {
        const auto series = m_keys.constFind(mapped.master_event_uid);
        const bool inserted =
            insertNew(mapped, series == m_keys.constEnd() ? std::nullopt : std::make_optional(*series));
        ++(inserted ? m_result.upserted : m_result.failed);
        return;
    }
    // Only a changed event needs its whole stored row.
    const std::optional<Event> stored = m_events->getById(found->id);
    if (!stored || !updateKnown(mapped, *stored)) {
        ++m_result.failed;
        return;
    }
    ++m_result.upserted;
}

// An insert of this calendar's that reached Graph but whose answer was not
// recorded here: its row still waits without a Graph id. The event becomes
// that row's, still pending, so the push updates it instead of making it
// again or a second row taking it.
bool Applier::takeUnrecordedInsert(const ListedEvent &item)
{
    if (item.transactionId.isEmpty())
        return false;
    std::optional<Event> row = m_events->getById(rowIdOfTransaction(item.transactionId));
    if (!row || row->calendar_id != m_calendar.id || !row->provider_event_id.isEmpty()
        || row->sync_status != SyncStatus::Pending || row->deleted_at)
        return false;
    row->provider_event_id = item.id;
    row->etag = item.record.etag;
    if (!m_events->update(*row)) {
        ++m_result.failed;
        return true;
    }
    ++m_result.skippedPending;
    remember(*row);
    return true;
}

void Applier::erase(const EventProviderKey &key)
{
    if (m_events->hardDelete(key.id))
        ++m_result.deleted;
    else
        ++m_result.failed;
    m_keys.remove(key.provider_event_id);
}

bool Applier::droppedByOwnMove(const EventProviderKey &key)
{
    if (key.recurring || key.deleted || key.sync_status != SyncStatus::Pending)
        return false;
    const std::optional<Event> row = m_events->getById(key.id);
    const QJsonObject held = row ? QJsonDocument::fromJson(row->raw_icalendar.toUtf8()).object() : QJsonObject();
    return row && PulledRowWriter::droppedByOwnMove(*row, recurrenceIdFromGraph(held, row->is_all_day));
}

void Applier::removeSeriesOrEvent(const QString &graphId)
{
    const auto found = keys().constFind(graphId);
    if (found == m_keys.constEnd())
        return;
    if (droppedByOwnMove(*found)) {
        ++m_result.skippedPending;
        return;
    }
    const EventProviderKey removed = *found;
    erase(removed);
    if (!removed.recurring)
        return;
    // The series' exceptions go with it.
    const QList<EventProviderKey> rows = keys().values();
    for (const EventProviderKey &key : rows) {
        if (key.master_event_uid == graphId)
            erase(key);
    }
}

void Applier::removeUnlisted(const QDateTime &from, const QDateTime &to)
{
    const QList<EventProviderKey> rows = keys().values();
    for (const EventProviderKey &key : rows) {
        if (m_seen.contains(key.provider_event_id) || key.deleted || key.recurring
            || key.sync_status == SyncStatus::Pending || !key.start_time.isValid())
            continue;
        if (key.start_time >= from && key.start_time < to)
            erase(key);
    }
}

} // namespace

void storeDeltaToken(const Sync::Repositories &store, const Calendar &calendar, const PulledChanges &changes,
                     const PullApplyResult &result)
{
    // The stored row, not the run's copy, so that a change made during the
    // listing (a rename, a colour) is kept; an unchanged token writes nothing.
    Calendar advanced = store.calendars->getById(calendar.id).value_or(calendar);
    if (changes.dropDeltaToken && !advanced.delta_sync_token.isEmpty()) {
        advanced.delta_sync_token.clear();
        if (!store.calendars->recordSyncState(advanced))
            qWarning().noquote() << "Microsoft::storeDeltaToken failed: could not clear the delta token of"
                                 << calendar.name;
    } else if (result.failed == 0 && changes.unreadMasters == 0 && !changes.deltaToken.isEmpty()
               && advanced.delta_sync_token != changes.deltaToken) {
        advanced.delta_sync_token = changes.deltaToken;
        if (!store.calendars->recordSyncState(advanced))
            qWarning().noquote() << "Microsoft::storeDeltaToken failed: could not store the delta token of"
                                 << calendar.name;
    }
}

PullApplyResult applyPulledChanges(const Sync::Repositories &store, const Calendar &calendar,
                                   const PulledChanges &changes, const std::atomic_bool &cancelled)
{
    // One transaction for the whole pull: thousands of rows commit at once.
    const std::unique_ptr<StoreTransaction> transaction =
        PullApplyQueue::begin(store, QStringLiteral("microsoft_pull"), cancelled);
    if (!transaction) {
        PullApplyResult none;
        none.failed = int(changes.events.size() + changes.masters.size());
        return none;
    }
    const bool wasBlocked = store.events->blockSignals(true);
    Applier applier(store, calendar);
    for (const QList<ListedEvent> &page : changes.listedPages) {
        for (const ListedEvent &item : page) {
            if (cancelled)
                break;
            applier.apply(item);
        }
    }
    for (const QJsonObject &master : changes.masters) {
        if (cancelled)
            break;
        // Read one by one, few: mapped here.
        ListedEvent listed;
        listed.id = text(master, "id");
        listed.record = eventFromGraph(master, QString());
        applier.upsert(listed);
    }
    for (const QString &gone : changes.goneMasters)
        applier.removeSeriesOrEvent(gone);
    // Only a listing known whole, over rows known whole, says what is gone.
    if (changes.wholeWindow && changes.unreadMasters == 0 && applier.keysRead() && !cancelled)
        applier.removeUnlisted(changes.windowStart, changes.windowEnd);
    if (!cancelled)
        applier.forgetDroppedDays();
    store.events->blockSignals(wasBlocked);
    if (!cancelled)
        storeDeltaToken(store, calendar, changes, applier.result());
    return OAuth::finishPull(*transaction, applier.result(), "Microsoft::applyPulledChanges", cancelled);
}

} // namespace Microsoft
