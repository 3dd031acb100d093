// What sync clients read and write of event rows beyond the records: the
// keys a pull matches server items by, the marks of a pushed row, the
// server's copy a row's local edits started from, and the days a provider
// dropped from a series this device moved.
#include "store/eventrepository.h"

#include "store/database.h"
#include "store/eventrows.h"
#include "store/movelinks.h"
#include "store/sqllists.h"
#include "store/sqlquery.h"
#include "store/storedtime.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// A tag and a text kept beside the event `id`: none when there are none or
// the read fails (logged as "EventRepository::<operation> failed:").
std::optional<EventSyncBase> readBase(QSqlDatabase &db, const char *operation, const QString &sql, const QString &id)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!SqlQuery::run(query, sql, {id})) {
        qWarning().noquote() << QStringLiteral("EventRepository::%1 failed:").arg(QLatin1String(operation))
                             << query.lastError().text();
        return std::nullopt;
    }
    if (!query.next())
        return std::nullopt;
    return EventSyncBase{query.value(0).toString(), query.value(1).toString()};
}

} // namespace

bool EventRepository::getSyncKeys(const QString &calendarId, QList<EventSyncKey> *keys) const
{
    keys->clear();
    QSqlQuery query(m_db->database());
    query.setForwardOnly(true);
    if (!SqlQuery::run(query,
                       QStringLiteral("SELECT id, uid, master_event_uid, recurrence_id, href, etag, sync_status, "
                                      "deleted_at IS NOT NULL FROM events WHERE calendar_id = ?"),
                       {calendarId})) {
        qWarning().noquote() << "EventRepository::getSyncKeys failed:" << query.lastError().text();
        return false;
    }
    while (query.next()) {
        EventSyncKey key;
        key.id = query.value(0).toString();
        key.uid = query.value(1).toString();
        key.master_event_uid = query.value(2).toString();
        key.recurrence_id = query.value(3).toString();
        key.href = query.value(4).toString();
        key.etag = query.value(5).toString();
        key.sync_status = syncStatusFromText(query.value(6).toString());
        key.deleted = query.value(7).toBool();
        keys->append(key);
    }
    return true;
}

std::optional<Event> EventRepository::getByProviderEventId(const QString &calendarId,
                                                          const QString &providerEventId) const
{
    if (providerEventId.isEmpty())
        return std::nullopt;
    return selectOne(EventRows::withColumns("SELECT %1 FROM events WHERE calendar_id = ? "
                                            "AND provider_event_id = ? LIMIT 1"),
                     {calendarId, providerEventId});
}

bool EventRepository::markSynced(const QString &id, const QString &href, const QString &etag)
{
    const QString calendarId = calendarIdOf(id);
    if (!SqlQuery::execOnRow(m_db->database(), "EventRepository", "markSynced",
                           QStringLiteral("UPDATE events SET href = ?, etag = ?, sync_status = 'synced' "
                                          "WHERE id = ?"),
                           {StoredTime::text(href), StoredTime::text(etag), id}))
        return false;
    notifyChanged(calendarId);
    return true;
}

bool EventRepository::markSent(const QString &id, const QString &href, const QString &etag, const QString &text)
{
    const QString calendarId = calendarIdOf(id);
    if (!SqlQuery::execOnRow(m_db->database(), "EventRepository", "markSent",
                             QStringLiteral("UPDATE events SET href = ?, etag = ?, raw_icalendar = ?, "
                                            "sync_status = 'synced' WHERE id = ?"),
                             {StoredTime::text(href), StoredTime::text(etag), StoredTime::text(text), id}))
        return false;
    notifyChanged(calendarId);
    return true;
}

EventRepository::PushRecord EventRepository::recordPushed(const Event &pushed, const QString &providerEventId,
                                                          const QString &etag, const QString &rawResource,
                                                          const Event *joined)
{
    const QList<Event> rows = select(EventRows::withColumns("SELECT %1 FROM events WHERE id = ?"), {pushed.id});
    if (rows.isEmpty())
        return PushRecord::Gone;
    Event current = rows.first();
    // The row's own columns first: most edits show there, and the child
    // rows are read only when they don't.
    current.reminders = pushed.reminders;
    current.attendees = pushed.attendees;
    bool unchanged = current == pushed;
    if (unchanged) {
        current.reminders.clear();
        current.attendees.clear();
        if (!loadChildren(current))
            return PushRecord::Failed;
        unchanged = current == pushed;
    }
    if (unchanged && joined) {
        // Its columns are what the provider holds now: a later edit sends
        // only what it changes, not this side's values from before the join.
        Event written = *joined;
        written.id = current.id;
        written.calendar_id = current.calendar_id;
        written.provider_event_id = providerEventId.isEmpty() ? current.provider_event_id : providerEventId;
        written.etag = etag.isEmpty() ? current.etag : etag;
        if (!rawResource.isEmpty())
            written.raw_icalendar = rawResource;
        written.sync_status = SyncStatus::Synced;
        return update(written) ? PushRecord::Synced : PushRecord::Failed;
    }
    // Naming sync_status lets the store's trigger drop the sync base of a
    // row turning synced, as a whole-row update does.
    const QVariant keep(QMetaType::fromType<QString>());
    const bool ok = SqlQuery::execOnRow(
        m_db->database(), "EventRepository", "recordPushed",
        QStringLiteral("UPDATE events SET provider_event_id = COALESCE(?, provider_event_id), "
                       "etag = COALESCE(?, etag), raw_icalendar = COALESCE(?, raw_icalendar), "
                       "last_modified = ?, sync_status = COALESCE(?, sync_status) WHERE id = ?"),
        {providerEventId.isEmpty() ? keep : QVariant(providerEventId), etag.isEmpty() ? keep : QVariant(etag),
         !unchanged || rawResource.isEmpty() ? keep : QVariant(rawResource), StoredTime::now(),
         unchanged ? QVariant(toText(SyncStatus::Synced)) : keep, pushed.id});
    if (!ok)
        return PushRecord::Failed;
    notifyChanged(current.calendar_id);
    return unchanged ? PushRecord::Synced : PushRecord::ChangedMeanwhile;
}

std::optional<EventSyncBase> EventRepository::syncBase(const QString &id) const
{
    // A row kept for a sent copy alone holds no base.
    return readBase(m_db->database(), "syncBase",
                    QStringLiteral("SELECT etag, raw_icalendar FROM event_sync_bases WHERE event_id = ? "
                                   "AND COALESCE(raw_icalendar, '') <> ''"),
                    id);
}

bool EventRepository::keepSyncBase(const QString &id, const EventSyncBase &base)
{
    return SqlQuery::exec(m_db->database(), "EventRepository", "keepSyncBase",
                          QStringLiteral("INSERT OR REPLACE INTO event_sync_bases (event_id, etag, raw_icalendar) "
                                         "VALUES (?, ?, ?)"),
                          {id, StoredTime::text(base.etag), StoredTime::text(base.raw_icalendar)});
}

bool EventRepository::keepDroppedOccurrences(const QString &seriesId, const QStringList &recurrenceIds)
{
    for (const QString &recurrenceId : recurrenceIds) {
        if (!SqlQuery::exec(m_db->database(), "EventRepository", "keepDroppedOccurrences",
                            QStringLiteral("INSERT OR IGNORE INTO event_dropped_occurrences (event_id, recurrence_id) "
                                           "VALUES (?, ?)"),
                            {seriesId, recurrenceId}))
            return false;
    }
    return true;
}

std::optional<QHash<QString, QStringList>> EventRepository::droppedOccurrences(const QString &calendarId) const
{
    QSqlQuery query(m_db->database());
    query.setForwardOnly(true);
    if (!SqlQuery::run(query,
                       QStringLiteral("SELECT d.event_id, d.recurrence_id FROM event_dropped_occurrences d "
                                      "JOIN events e ON e.id = d.event_id WHERE e.calendar_id = ?"),
                       {calendarId})) {
        qWarning().noquote() << "EventRepository::droppedOccurrences failed:" << query.lastError().text();
        return std::nullopt;
    }
    QHash<QString, QStringList> dropped;
    while (query.next())
        dropped[query.value(0).toString()].append(query.value(1).toString());
    return dropped;
}

bool EventRepository::forgetDroppedOccurrences(const QString &calendarId)
{
    return SqlQuery::exec(m_db->database(), "EventRepository", "forgetDroppedOccurrences",
                          QStringLiteral("DELETE FROM event_dropped_occurrences WHERE event_id IN "
                                         "(SELECT id FROM events WHERE calendar_id = ?)"),
                          {calendarId});
}

bool EventRepository::keepSentCopy(const QString &id, const EventSyncBase &sent)
{
    // A row without a base gets one of its own, which holds no copy. A row
    // left out keeps an empty text: no sent copy at all is NULL.
    const QString text = sent.raw_icalendar.isNull() ? QStringLiteral("") : sent.raw_icalendar;
    return SqlQuery::exec(m_db->database(), "EventRepository", "keepSentCopy",
                          QStringLiteral("INSERT INTO event_sync_bases (event_id, sent_etag, sent_icalendar) "
                                         "VALUES (?, ?, ?) ON CONFLICT (event_id) DO UPDATE SET "
                                         "sent_etag = excluded.sent_etag, sent_icalendar = excluded.sent_icalendar"),
                          {id, StoredTime::text(sent.etag), text});
}

std::optional<EventSyncBase> EventRepository::sentCopy(const QString &id) const
{
    return readBase(m_db->database(), "sentCopy",
                    QStringLiteral("SELECT sent_etag, sent_icalendar FROM event_sync_bases WHERE event_id = ? "
                                   "AND COALESCE(sent_icalendar, '') <> ''"),
                    id);
}

std::optional<QHash<QString, EventSentCopy>> EventRepository::sentCopies(const QStringList &ids) const
{
    QHash<QString, EventSentCopy> copies;
    if (ids.isEmpty())
        return copies;
    QSqlQuery query(m_db->database());
    query.setForwardOnly(true);
    if (!SqlQuery::run(query,
                       QStringLiteral("SELECT event_id, sent_etag, sent_icalendar, raw_icalendar FROM event_sync_bases "
                                      "WHERE event_id IN (SELECT value FROM json_each(?)) "
                                      "AND sent_icalendar IS NOT NULL"),
                       {SqlLists::jsonArray(ids)})) {
        qWarning().noquote() << "EventRepository::sentCopies failed:" << query.lastError().text();
        return std::nullopt;
    }
    while (query.next())
        copies.insert(query.value(0).toString(),
                      EventSentCopy{{query.value(1).toString(), query.value(2).toString()}, query.value(3).toString()});
    return copies;
}

bool EventRepository::keepMove(const QString &fromId, const QString &toId)
{
    return MoveLinks::keep(m_db->database(), "EventRepository", QStringLiteral("event_moves"), fromId, toId);
}

QString EventRepository::movedTo(const QString &fromId) const
{
    return MoveLinks::to(m_db->database(), QStringLiteral("event_moves"), fromId);
}

QString EventRepository::movedFrom(const QString &toId) const
{
    return MoveLinks::from(m_db->database(), QStringLiteral("event_moves"), toId);
}

QStringList EventRepository::leftPendingByMoves(const QString &calendarId) const
{
    return MoveLinks::leftPendingIn(m_db->database(), QStringLiteral("event_moves"), QStringLiteral("events"), calendarId);
}

bool EventRepository::getProviderKeys(const QString &calendarId, QList<EventProviderKey> *keys) const
{
    keys->clear();
    QSqlQuery query(m_db->database());
    query.setForwardOnly(true);
    if (!SqlQuery::run(query,
                       QStringLiteral("SELECT id, provider_event_id, etag, sync_status, master_event_uid, start_time, "
                                      "COALESCE(recurrence_rule, '') != '', deleted_at IS NOT NULL FROM events "
                                      "WHERE calendar_id = ? AND provider_event_id != ''"),
                       {calendarId})) {
        qWarning().noquote() << "EventRepository::getProviderKeys failed:" << query.lastError().text();
        return false;
    }
    while (query.next()) {
        EventProviderKey key;
        key.id = query.value(0).toString();
        key.provider_event_id = query.value(1).toString();
        key.etag = query.value(2).toString();
        key.sync_status = syncStatusFromText(query.value(3).toString());
        key.master_event_uid = query.value(4).toString();
        key.start_time = StoredTime::parse(query.value(5).toString());
        key.recurring = query.value(6).toBool();
        key.deleted = query.value(7).toBool();
        keys->append(key);
    }
    return true;
}
