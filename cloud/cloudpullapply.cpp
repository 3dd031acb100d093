#include "cloud/cloudpullapply.h"

#include <QHash>
#include <QJsonObject>
#include <QUuid>

#include "calendar/icscodec.h"
#include "cloud/conflictresolutionservice.h"
#include "store/eventrepository.h"
#include "store/eventsynckey.h"
#include "store/storetransaction.h"

namespace Tindlebrook {

namespace {

class Applier
{
public:
    Applier(const Sync::Repositories &store, Sync::ConflictResolutionService *conflicts, const Calendar &calendar)
        : m_events(store.events)
        , m_conflicts(conflicts)
        , m_calendar(calendar)
    {
    }

    bool readLocalRows();
    void apply(const QJsonObject &item);
    PullApplyResult result() const { return m_result; }

private:
    void applyDeleted(const QString &uid);
    void recordConflict(const EventSyncKey &local, const QString &uid, const QString &etag, const QString &text);
    void write(const QString &uid, const QString &etag, const QString &text);

    EventRepository *m_events;
    Sync::ConflictResolutionService *m_conflicts;
    const Calendar &m_calendar;
    // uid -> the local row the service's event stands for: the series
    // itself when occurrences share its uid. Tombstones included.
    QHash<QString, EventSyncKey> m_local;
    PullApplyResult m_result;
};

bool Applier::readLocalRows()
{
    QList<EventSyncKey> keys;
    if (!m_events->getSyncKeys(m_calendar.id, &keys))
        return false;
    m_local.reserve(keys.size());
    for (const EventSyncKey &key : std::as_const(keys)) {
        const auto known = m_local.constFind(key.uid);
        if (known == m_local.constEnd() || (!known->recurrence_id.isEmpty() && key.recurrence_id.isEmpty()))
            m_local.insert(key.uid, key);
    }
    return true;
}

void Applier::apply(const QJsonObject &item)
{
    const QString uid = item.value(QStringLiteral("uid")).toString();
    if (uid.isEmpty())
        return;
    // A missing deleted_at is a live event; only a value deletes.
    const QJsonValue deletedAt = item.value(QStringLiteral("deleted_at"));
    if (!deletedAt.isUndefined() && !deletedAt.isNull()) {
        applyDeleted(uid);
        return;
    }
    const QString etag = item.value(QStringLiteral("etag")).toString();
    const QString text = item.value(QStringLiteral("raw_icalendar")).toString();
    const auto local = m_local.constFind(uid);
    if (local != m_local.constEnd() && local->sync_status == QLatin1String("pending")) {
        ++m_result.keptPending;
        if (!etag.isEmpty() && !local->etag.isEmpty() && etag != local->etag)
            recordConflict(*local, uid, etag, text);
        return;
    }
    write(uid, etag, text);
}

void Applier::applyDeleted(const QString &uid)
{
    // The server's deletion wins, also over local changes not yet pushed.
    const auto local = m_local.constFind(uid);
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
                             const QString &text)
{
    ++m_result.conflicts;
    if (!m_conflicts)
        return;
    const std::optional<Event> localRow = m_events->getById(local.id);
    if (!localRow)
        return;
    Event remote;
    if (!text.isEmpty()) {
        const QList<Event> parsed = IcsCodec::parseEvents(text);
        if (!parsed.isEmpty())
            remote = parsed.first();
    }
    remote.id = local.id;
    remote.uid = uid;
    remote.etag = etag;
    remote.calendar_id = m_calendar.id;
    m_conflicts->recordConflict(*localRow, remote);
}

void Applier::write(const QString &uid, const QString &etag, const QString &text)
{
    if (text.isEmpty())
        return;
    const QList<Event> parsed = IcsCodec::parseEvents(text);
    if (parsed.isEmpty())
        return;
    Event event = parsed.first();
    event.calendar_id = m_calendar.id;
    event.uid = uid;
    event.etag = etag;
    event.sync_status = QStringLiteral("synced");
    const auto local = m_local.constFind(uid);
    bool ok = false;
    if (local != m_local.constEnd()) {
        event.id = local->id;
        ok = m_events->update(event);
    } else {
        event.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        ok = m_events->insert(event);
        if (ok) {
            // A second copy of the uid later in the same reply updates this row.
            EventSyncKey key;
            key.id = event.id;
            key.uid = uid;
            key.etag = etag;
            key.sync_status = event.sync_status;
            m_local.insert(uid, key);
        }
    }
    ++(ok ? m_result.upserted : m_result.failed);
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

PullApplyResult applyPulledEvents(const Sync::Repositories &store, Sync::ConflictResolutionService *conflicts,
                                  const Calendar &calendar, const QJsonArray &events)
{
    Applier applier(store, conflicts, calendar);
    if (!applier.readLocalRows()) {
        PullApplyResult unread;
        unread.failed = int(events.size());
        return unread;
    }
    // One transaction and one change notice for the whole reply: thousands
    // of rows commit at once and the views reload once.
    StoreTransaction transaction(store.database, QStringLiteral("tindlebrook_pull"));
    const bool wasBlocked = store.events->blockSignals(true);
    for (const QJsonValue &item : events)
        applier.apply(item.toObject());
    store.events->blockSignals(wasBlocked);
    PullApplyResult result = applier.result();
    if (transaction.isActive() && !transaction.commit()) {
        qWarning().noquote() << "Tindlebrook::applyPulledEvents failed:" << transaction.errorText();
        result.failed += result.rowsWritten();
        result.upserted = result.deleted = 0;
    }
    if (result.rowsWritten() > 0)
        store.events->notifyChanged(calendar.id);
    return result;
}

} // namespace Tindlebrook
