#include "store/eventversions.h"

#include "store/database.h"
#include "store/eventitemkey.h"
#include "store/storedtime.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>

bool EventVersions::read(Database *database, const QString &calendarId)
{
    m_byUid.clear();
    m_byMasterUid.clear();
    QSqlQuery query(database->database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT id, uid, COALESCE(recurrence_id, ''), master_event_uid, raw_icalendar, "
                                 "provider_event_id, etag, href, created, deleted_at IS NOT NULL "
                                 "FROM events WHERE calendar_id = ?"));
    query.addBindValue(calendarId);
    if (!query.exec()) {
        qWarning().noquote() << "EventVersions::read failed:" << query.lastError().text();
        return false;
    }
    while (query.next()) {
        Version version;
        version.id = query.value(0).toString();
        version.rawIcalendar = query.value(4).toString();
        version.providerEventId = query.value(5).toString();
        version.etag = query.value(6).toString();
        version.href = query.value(7).toString();
        version.created = StoredTime::parse(query.value(8).toString());
        version.deleted = query.value(9).toBool();
        const QString recurrenceId = query.value(2).toString();
        // The first row found wins, as with a read that stops at one row.
        const QString own = eventItemKey(query.value(1).toString(), recurrenceId);
        if (!m_byUid.contains(own))
            m_byUid.insert(own, version);
        const QString master = query.value(3).toString();
        const QString series = eventItemKey(master, recurrenceId);
        if (!master.isEmpty() && !recurrenceId.isEmpty() && !m_byMasterUid.contains(series))
            m_byMasterUid.insert(series, version);
    }
    return true;
}

std::optional<EventVersions::Version> EventVersions::find(const QString &uid, const QString &recurrenceId) const
{
    const auto own = m_byUid.constFind(eventItemKey(uid, recurrenceId));
    if (own != m_byUid.constEnd())
        return *own;
    if (recurrenceId.isEmpty())
        return std::nullopt;
    const auto moved = m_byMasterUid.constFind(eventItemKey(uid, recurrenceId));
    if (moved != m_byMasterUid.constEnd())
        return *moved;
    return std::nullopt;
}

void EventVersions::note(const QString &uid, const QString &recurrenceId, const Version &version)
{
    m_byUid.insert(eventItemKey(uid, recurrenceId), version);
}
