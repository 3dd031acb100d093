#include "sync/oauth/pendingpush.h"

#include <QDebug>
#include <QJsonDocument>

#include "calendar/eventconflictmerge.h"
#include "store/eventrepository.h"
#include "store/eventsyncbase.h"

#include <tuple>

namespace OAuth {

PendingPush::PendingPush(const Sync::Repositories &store, const Calendar &calendar, const QString &logTag,
                         QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_calendar(calendar)
    , m_logTag(logTag)
{
}

int PendingPush::start()
{
    const QList<Event> pending = m_store.events->getPending(m_calendar.id);
    for (const Event &row : pending)
        m_items.insert(row.id, Item{row, false});
    const int count = int(m_items.size());
    for (const Event &row : pending) {
        if (m_items.contains(row.id))
            send(row);
    }
    return count;
}

void PendingPush::send(const Event &row)
{
    const bool known = !row.provider_event_id.isEmpty();
    if (row.deleted_at && !known) {
        // It never reached the provider: nothing to tell it.
        if (!m_store.events->hardDelete(row.id))
            qWarning().noquote() << m_logTag << "could not remove local-only tombstone" << row.id;
        countDown(row.id);
        return;
    }
    if (row.deleted_at)
        sendDelete(row, row.etag);
    else
        sendWrite(row);
    noteInFlight();
}

void PendingPush::noteInFlight()
{
    m_peakInFlight = qMax(m_peakInFlight, requestsInFlight());
}

const Event *PendingPush::pendingRow(const QString &localId) const
{
    const auto item = m_items.constFind(localId);
    return item == m_items.constEnd() ? nullptr : &item->snapshot;
}

void PendingPush::markSynced(const QString &localId, const QString &providerEventId, const QString &version,
                             const QJsonObject &resource)
{
    const auto item = m_items.constFind(localId);
    if (item == m_items.constEnd())
        return;
    std::optional<Event> current = m_store.events->getById(localId);
    if (!current) {
        qWarning().noquote() << m_logTag << "push success but local row gone:" << localId;
        return;
    }
    const bool unchanged = *current == item->snapshot;
    if (!providerEventId.isEmpty())
        current->provider_event_id = providerEventId;
    if (!version.isEmpty())
        current->etag = version;
    if (unchanged) {
        if (!resource.isEmpty())
            current->raw_icalendar = QString::fromUtf8(QJsonDocument(resource).toJson(QJsonDocument::Compact));
        current->last_modified = QDateTime::currentDateTimeUtc();
        current->sync_status = SyncStatus::Synced;
    }
    // Changed while the request was out: it keeps the provider's id and
    // version, so the next run updates rather than inserts, and stays pending.
    if (m_store.events->update(*current))
        qInfo().noquote() << m_logTag << "pushed" << localId
                          << "→ providerEventId=" + current->provider_event_id.left(16) + "..."
                          << (unchanged ? "" : "(changed meanwhile, still pending)");
}

void PendingPush::onWritten(const QString &localId, const QString &providerEventId, const QString &version,
                            const QJsonObject &resource)
{
    markSynced(localId, providerEventId, version, resource);
    countDown(localId);
}

void PendingPush::onWriteFailed(const QString &localId, const QString &reason, int status)
{
    const auto item = m_items.find(localId);
    if (item == m_items.end())
        return;
    qWarning().noquote() << m_logTag << "push failed for" << localId << "status" << status << "reason" << reason;
    const Event &row = item->snapshot;
    if (status == 412 && !item->retried) {
        item->retried = true;
        sendFetch(row);
        noteInFlight();
        return;
    }
    if (status == 404 || status == 410) {
        if (row.deleted_at) {
            onDeleted(localId);
        } else {
            clearProviderId(localId);
            countDown(localId);
        }
        return;
    }
    Q_EMIT failed(item->retried ? staleText(row, reason) : reason);
    countDown(localId);
}

void PendingPush::onFetched(const QString &localId, const QJsonObject &resource)
{
    const auto item = m_items.constFind(localId);
    if (item == m_items.constEnd())
        return;
    const Event &row = item->snapshot;
    const QString version = versionOf(resource);
    if (row.deleted_at) {
        sendDelete(row, version);
        noteInFlight();
        return;
    }
    const Event server = eventFromResource(resource);
    // Without the synced copy the edit started from, the local version wins.
    Event base = server;
    if (const std::optional<EventSyncBase> synced = m_store.events->syncBase(localId)) {
        const QJsonDocument document = QJsonDocument::fromJson(synced->raw_icalendar.toUtf8());
        if (document.isObject())
            base = eventFromResource(document.object());
    }
    Event fresh = EventConflictMerge::merged(base, row, server);
    fresh.raw_icalendar = QString::fromUtf8(QJsonDocument(resource).toJson(QJsonDocument::Compact));
    const QStringList both = changedOnBothSides(base, row, server);
    if (!both.isEmpty())
        Q_EMIT failed(conflictText(row, both));
    sendOverwrite(fresh, version);
    noteInFlight();
}

QStringList PendingPush::changedOnBothSides(const Event &base, const Event &local, const Event &server)
{
    struct TextField
    {
        const char *name;
        QString Event::*member;
    };
    static const TextField textFields[] = {
        {QT_TR_NOOP("title"), &Event::title},
        {QT_TR_NOOP("description"), &Event::description},
        {QT_TR_NOOP("location"), &Event::location},
        {QT_TR_NOOP("status"), &Event::status},
        {QT_TR_NOOP("repetition"), &Event::recurrence_rule},
    };
    QStringList fields;
    for (const TextField &field : textFields) {
        const QString &mine = local.*field.member;
        const QString &theirs = server.*field.member;
        const QString &was = base.*field.member;
        if (mine != was && theirs != was && mine != theirs)
            fields.append(tr(field.name));
    }
    const auto times = [](const Event &e) { return std::make_tuple(e.start_time, e.end_time, e.is_all_day); };
    if (times(local) != times(base) && times(server) != times(base) && times(local) != times(server))
        fields.append(tr("time"));
    return fields;
}

void PendingPush::clearProviderId(const QString &localId)
{
    std::optional<Event> current = m_store.events->getById(localId);
    if (!current || current->provider_event_id.isEmpty())
        return;
    current->provider_event_id.clear();
    current->etag.clear();
    current->href.clear();
    current->last_modified = QDateTime::currentDateTimeUtc();
    if (m_store.events->update(*current))
        qInfo().noquote() << m_logTag << "cleared stale providerEventId on" << localId << "for retry as insert";
}

void PendingPush::onDeleted(const QString &localId)
{
    if (!m_items.contains(localId))
        return;
    if (!m_store.events->hardDelete(localId))
        qWarning().noquote() << m_logTag << "pushed delete" << localId << "but could not remove its row";
    else
        qInfo().noquote() << m_logTag << "pushed delete" << localId;
    countDown(localId);
}

void PendingPush::countDown(const QString &localId)
{
    if (m_items.remove(localId) == 0)
        return;
    if (m_items.isEmpty())
        Q_EMIT finished();
}

} // namespace OAuth
