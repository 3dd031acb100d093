#include "sync/microsoft/microsoftpullapply.h"

#include <QDebug>
#include <QHash>
#include <QSet>

#include "store/eventrepository.h"
#include "store/storetransaction.h"
#include "sync/core/pullapplyqueue.h"
#include "sync/microsoft/microsofteventmapping.h"

namespace Microsoft {

namespace {

QString text(const QJsonObject &object, const char *key)
{
    return object.value(QLatin1String(key)).toString();
}

class Applier
{
public:
    Applier(const Sync::Repositories &store, const Calendar &calendar)
        : m_events(store.events)
        , m_calendar(calendar)
    {
        QList<EventProviderKey> keys;
        m_keysRead = m_events->getProviderKeys(calendar.id, &keys);
        for (const EventProviderKey &key : std::as_const(keys))
            m_keys.insert(key.provider_event_id, key);
    }

    bool keysRead() const { return m_keysRead; }
    void apply(const QJsonObject &item);
    void upsert(const QJsonObject &item);
    void removeSeriesOrEvent(const QString &graphId);
    void removeUnlisted(const QDateTime &from, const QDateTime &to);
    PullApplyResult result() const { return m_result; }

private:
    void erase(const EventProviderKey &key);

    EventRepository *m_events;
    const Calendar &m_calendar;
    QHash<QString, EventProviderKey> m_keys;
    QSet<QString> m_seen;
    bool m_keysRead = false;
    PullApplyResult m_result;
};

void Applier::apply(const QJsonObject &item)
{
    const QString graphId = text(item, "id");
    if (graphId.isEmpty())
        return;
    m_seen.insert(graphId);
    // Graph's deletion wins over an edit made here.
    if (item.contains(QStringLiteral("@removed"))) {
        removeSeriesOrEvent(graphId);
        return;
    }
    // An occurrence is the series' own: expanded from the master here.
    if (text(item, "type") == QLatin1String("occurrence"))
        return;
    upsert(item);
}

void Applier::upsert(const QJsonObject &item)
{
    const QString graphId = text(item, "id");
    m_seen.insert(graphId);
    const auto found = m_keys.constFind(graphId);
    const bool known = found != m_keys.constEnd();
    if (known && found->sync_status == SyncStatus::Pending) {
        ++m_result.skippedPending;
        return;
    }
    const QString changeKey = text(item, "changeKey");
    if (known && !changeKey.isEmpty() && found->etag == changeKey && !found->deleted) {
        ++m_result.unchanged;
        return;
    }
    Event mapped = eventFromGraph(item, m_calendar.id);
    if (known)
        mapped.id = found->id;
    const bool ok = known ? m_events->update(mapped) : m_events->insert(mapped);
    if (!ok) {
        ++m_result.failed;
        return;
    }
    ++m_result.upserted;
    // The same object may come twice in one listing.
    EventProviderKey key;
    key.id = mapped.id;
    key.provider_event_id = graphId;
    key.etag = mapped.etag;
    key.sync_status = mapped.sync_status;
    key.master_event_uid = mapped.master_event_uid;
    key.start_time = mapped.start_time;
    key.recurring = !mapped.recurrence_rule.isEmpty();
    m_keys.insert(graphId, key);
}

void Applier::erase(const EventProviderKey &key)
{
    if (m_events->hardDelete(key.id))
        ++m_result.deleted;
    else
        ++m_result.failed;
    m_keys.remove(key.provider_event_id);
}

void Applier::removeSeriesOrEvent(const QString &graphId)
{
    const auto found = m_keys.constFind(graphId);
    if (found == m_keys.constEnd())
        return;
    const EventProviderKey removed = *found;
    erase(removed);
    if (!removed.recurring)
        return;
    // The series' exceptions go with it.
    const QList<EventProviderKey> keys = m_keys.values();
    for (const EventProviderKey &key : keys) {
        if (key.master_event_uid == graphId)
            erase(key);
    }
}

void Applier::removeUnlisted(const QDateTime &from, const QDateTime &to)
{
    const QList<EventProviderKey> keys = m_keys.values();
    for (const EventProviderKey &key : keys) {
        if (m_seen.contains(key.provider_event_id) || key.deleted || key.recurring
            || key.sync_status == SyncStatus::Pending || !key.start_time.isValid())
            continue;
        if (key.start_time >= from && key.start_time < to)
            erase(key);
    }
}

} // namespace

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
    for (const QJsonObject &item : changes.events) {
        if (cancelled)
            break;
        applier.apply(item);
    }
    for (const QJsonObject &master : changes.masters) {
        if (cancelled)
            break;
        applier.upsert(master);
    }
    for (const QString &gone : changes.goneMasters)
        applier.removeSeriesOrEvent(gone);
    // Only a listing known whole, over rows known whole, says what is gone.
    if (changes.wholeWindow && changes.unreadMasters == 0 && applier.keysRead() && !cancelled)
        applier.removeUnlisted(changes.windowStart, changes.windowEnd);
    store.events->blockSignals(wasBlocked);
    return OAuth::finishPull(*transaction, applier.result(), "Microsoft::applyPulledChanges", cancelled);
}

} // namespace Microsoft
