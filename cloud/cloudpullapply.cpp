#include "cloud/cloudpullapply.h"

#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QUuid>

#include "calendar/icscodec.h"
#include "store/calendarrepository.h"
#include "store/eventitemkey.h"
#include "store/eventrepository.h"
#include "store/eventsynckey.h"
#include "store/storetransaction.h"
#include "sync/core/pullapplyqueue.h"

namespace Tindlebrook {

namespace {

class Applier
{
public:
    Applier(const Sync::Repositories &store, QList<PulledConflict> *conflicts, const Calendar &calendar)
        : m_events(store.events)
        , m_conflicts(conflicts)
        , m_calendar(calendar)
    {
    }

    bool readLocalRows();
    void apply(const QJsonObject &item);
    PullApplyResult result() const { return m_result; }

private:
    void applyDeleted(const QString &key);
    void recordConflict(const EventSyncKey &local, const QString &uid, const QString &etag,
                        const std::optional<Event> &remoteEvent);
    void write(const QString &key, const QString &uid, const QString &etag, Event event);

    EventRepository *m_events;
    QList<PulledConflict> *m_conflicts;
    const Calendar &m_calendar;
    // eventItemKey(uid, recurrence id) -> the local row. Tombstones included.
    QHash<QString, EventSyncKey> m_local;
    PullApplyResult m_result;
};

bool Applier::readLocalRows()
{
    QList<EventSyncKey> keys;
    if (!m_events->getSyncKeys(m_calendar.id, &keys))
        return false;
    m_local.reserve(keys.size());
    for (const EventSyncKey &key : std::as_const(keys))
        m_local.insert(eventItemKey(key.uid, key.recurrence_id), key);
    return true;
}

void Applier::apply(const QJsonObject &item)
{
    const QString uid = item.value(QStringLiteral("uid")).toString();
    if (uid.isEmpty())
        return;
    const QString text = item.value(QStringLiteral("raw_icalendar")).toString();
    std::optional<Event> remote;
    if (!text.isEmpty()) {
        const QList<Event> parsed = IcsCodec::parseEvents(text);
        if (!parsed.isEmpty())
            remote = parsed.first();
    }
    const QString key = eventItemKey(uid, remote ? remote->recurrence_id : QString());
    // A missing deleted_at is a live event; only a value deletes.
    const QJsonValue deletedAt = item.value(QStringLiteral("deleted_at"));
    if (!deletedAt.isUndefined() && !deletedAt.isNull()) {
        applyDeleted(key);
        return;
    }
    const QString etag = item.value(QStringLiteral("etag")).toString();
    const auto local = m_local.constFind(key);
    if (local != m_local.constEnd() && local->sync_status == SyncStatus::Pending) {
        ++m_result.keptPending;
        if (!etag.isEmpty() && !local->etag.isEmpty() && etag != local->etag)
            recordConflict(*local, uid, etag, remote);
        return;
    }
    if (remote)
        write(key, uid, etag, *remote);
}

void Applier::applyDeleted(const QString &key)
{
    // The server's deletion wins, also over local changes not yet pushed.
    const auto local = m_local.constFind(key);
    if (local == m_local.constEnd())
        return;
    if (m_events->hardDelete(local->id)) {
        ++m_result.deleted;
        m_local.erase(local);
    } else {
        ++m_result.failed;
    }
}

void Applier::recordConflict(const EventSyncKey &local, const QString &uid, const QString &etag,
                             const std::optional<Event> &remoteEvent)
{
    ++m_result.conflicts;
    if (!m_conflicts)
        return;
    const std::optional<Event> localRow = m_events->getById(local.id);
    if (!localRow)
        return;
    Event remote = remoteEvent.value_or(Event());
    remote.id = local.id;
    remote.uid = uid;
    remote.etag = etag;
    remote.calendar_id = m_calendar.id;
    m_conflicts->append(PulledConflict{*localRow, remote});
}

void Applier::write(const QString &key, const QString &uid, const QString &etag, Event event)
{
    event.calendar_id = m_calendar.id;
    event.uid = uid;
    event.etag = etag;
    event.sync_status = SyncStatus::Synced;
    const auto local = m_local.constFind(key);
    bool ok = false;
    if (local != m_local.constEnd()) {
        event.id = local->id;
        ok = m_events->update(event);
    } else {
        event.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        ok = m_events->insert(event);
        if (ok) {
            // A second copy of the item later in the same reply updates this row.
            EventSyncKey added;
            added.id = event.id;
            added.uid = uid;
            added.recurrence_id = event.recurrence_id;
            added.etag = etag;
            added.sync_status = event.sync_status;
            m_local.insert(key, added);
        }
    }
    ++(ok ? m_result.upserted : m_result.failed);
}

// Moves the calendar's pull cursor. The stored row, not the run's copy: a
// rename, colour or visibility change saved before the pull is kept.
void storeCursor(const Sync::Repositories &store, const QString &calendarId, const QString &timestamp)
{
    std::optional<Calendar> stored = store.calendars->getById(calendarId);
    if (!stored || stored->delta_sync_token == timestamp)
        return;
    stored->delta_sync_token = timestamp;
    // Not a change of the calendar's settings: its time stays, or another
    // device's newer choices would look older than this sync.
    if (!store.calendars->updateKeepingTime(*stored))
        qWarning().noquote() << "Tindlebrook::applyPulledEvents failed: could not store the cursor of"
                             << stored->name;
}

} // namespace

bool operator==(const PullApplyResult &a, const PullApplyResult &b)
{
    return a.upserted == b.upserted && a.deleted == b.deleted && a.keptPending == b.keptPending
        && a.conflicts == b.conflicts && a.failed == b.failed;
}

QDebug operator<<(QDebug debug, const PullApplyResult &result)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "PullApplyResult(upserted=" << result.upserted << ", deleted=" << result.deleted
                    << ", keptPending=" << result.keptPending << ", conflicts=" << result.conflicts
                    << ", failed=" << result.failed << ')';
    return debug;
}

std::optional<PulledPage> readPulledPage(const QByteArray &body)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject reply = document.object();
    return PulledPage{reply.value(QStringLiteral("timestamp")).toString(),
                      reply.value(QStringLiteral("events")).toArray()};
}

PullApplyResult applyPulledEvents(const Sync::Repositories &store, const Calendar &calendar, const PulledPage &page,
                                  const std::atomic_bool &cancelled, QList<PulledConflict> *conflicts)
{
    const QJsonArray &events = page.events;
    PullApplyResult unapplied;
    unapplied.failed = int(events.size());
    // One transaction for the whole reply: thousands of rows commit at
    // once. The local rows are read inside it, so their pending state is
    // the one written against.
    const std::unique_ptr<StoreTransaction> transaction =
        PullApplyQueue::begin(store, QStringLiteral("tindlebrook_pull"), cancelled);
    if (!transaction)
        return unapplied;
    Applier applier(store, conflicts, calendar);
    if (!applier.readLocalRows())
        return unapplied;
    const bool wasBlocked = store.events->blockSignals(true);
    for (const QJsonValue &item : events) {
        if (cancelled)
            break;
        applier.apply(item.toObject());
    }
    store.events->blockSignals(wasBlocked);
    if (cancelled)
        return PullApplyResult();
    PullApplyResult result = applier.result();
    // Past an event the store refused, the cursor would lose it for good.
    if (result.failed == 0 && !page.timestamp.isEmpty())
        storeCursor(store, calendar.id, page.timestamp);
    if (transaction->isActive() && !transaction->commit()) {
        qWarning().noquote() << "Tindlebrook::applyPulledEvents failed:" << transaction->errorText();
        result.failed += result.rowsWritten();
        result.upserted = result.deleted = 0;
        if (conflicts)
            conflicts->clear();
    }
    return result;
}

} // namespace Tindlebrook
