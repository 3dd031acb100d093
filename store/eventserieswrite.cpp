// A series' change in one write: the series, the new series of a split and
// its changed occurrences all stored, or nothing.
#include "store/eventrepository.h"

#include "store/database.h"
#include "store/eventrows.h"
#include "store/savepoint.h"
#include "store/sqlquery.h"
#include "store/storedtime.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// Changed occurrences given a new recurrence id or series, through one
// statement prepared once: their child rows stay as stored, as do the
// times their reminders are due at.
bool writeRekeyed(QSqlDatabase &db, const QList<Event> &rows)
{
    if (rows.isEmpty())
        return true;
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral(
            "UPDATE events SET calendar_id = ?, uid = ?, provider_event_id = ?, etag = ?, href = ?, "
            "title = ?, description = ?, location = ?, geo_location = ?, start_time = ?, "
            "end_time = ?, is_all_day = ?, timezone = ?, recurrence_rule = ?, recurrence_dates = ?, "
            "exception_dates = ?, recurrence_id = ?, master_event_uid = ?, status = ?, "
            "event_url = ?, conference_url = ?, organizer_email = ?, organizer_name = ?, "
            "sequence = ?, raw_icalendar = ?, color = ?, last_modified = ?, sync_status = ?, "
            "deleted_at = ?, related_to_uid = ? WHERE id = ?"))) {
        qWarning().noquote() << "EventRepository::storeSeriesChange failed:" << query.lastError().text();
        return false;
    }
    const QString now = StoredTime::now();
    for (const Event &row : rows) {
        EventRows::bindContent(query, row);
        query.addBindValue(now);
        query.addBindValue(toText(row.sync_status));
        query.addBindValue(StoredTime::instantOrNull(row.deleted_at));
        query.addBindValue(StoredTime::text(row.related_to_uid));
        query.addBindValue(row.id);
        if (!query.exec() || query.numRowsAffected() != 1) {
            qWarning().noquote() << "EventRepository::storeSeriesChange failed at" << row.id << ":"
                                 << query.lastError().text();
            return false;
        }
    }
    return true;
}

} // namespace

QList<Event> EventRepository::getSeriesRows(const QString &uid, const QString &calendarId) const
{
    if (uid.isEmpty())
        return {};
    // Each half through its own index, as getOccurrencesOf reads them.
    return selectWithChildren(
        EventRows::withColumns("SELECT %1 FROM events WHERE calendar_id = ? AND uid = ? "
                               "AND COALESCE(recurrence_id, '') <> '' UNION ALL "
                               "SELECT %1 FROM events INDEXED BY idx_events_master_uid WHERE master_event_uid = ? "
                               "AND calendar_id = ? AND uid <> ? AND COALESCE(recurrence_id, '') <> '' "
                               "ORDER BY recurrence_id"),
        {calendarId, uid, uid, calendarId, uid});
}

bool EventRepository::storeSeriesChange(const SeriesRows &rows)
{
    SavePoint savepoint(m_db->database(), QStringLiteral("series_change"));
    if (!savepoint.isActive()) {
        qWarning().noquote() << "EventRepository::storeSeriesChange failed:" << savepoint.errorText();
        return false;
    }
    if (!update(rows.master) || (rows.newSeries && !insert(*rows.newSeries))
        || !writeRekeyed(m_db->database(), rows.rekeyed))
        return false;
    for (const Event &row : rows.updates) {
        if (!update(row))
            return false;
    }
    for (const Event &row : rows.inserts) {
        if (!insert(row))
            return false;
    }
    for (const QString &id : rows.withdrawals) {
        if (!withdraw(id))
            return false;
    }
    if (!savepoint.release()) {
        qWarning().noquote() << "EventRepository::storeSeriesChange failed:" << savepoint.errorText();
        return false;
    }
    return true;
}
