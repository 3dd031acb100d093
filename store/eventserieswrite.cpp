// A series' change in one write: the series, the new series of a split and
// its changed occurrences all stored, or nothing.
#include "store/eventrepository.h"

#include "store/database.h"
#include "store/eventrows.h"
#include "store/savepoint.h"
#include "store/sqlitestatement.h"
#include "store/sqlquery.h"
#include "store/storedtime.h"

#include <QDebug>
#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

namespace {

// Changed occurrences given a new recurrence id or series (and its UID,
// where they carried the old series'), through one statement prepared
// once: what such a change and its edit stamp write, every other column
// and the child rows as stored, so that SQLite touches only the indexes of
// the UID, the series and recurrence id.
bool writeRekeyed(QSqlDatabase &db, const QList<Event> &rows)
{
    if (rows.isEmpty())
        return true;
    SqliteStatement statement(db, QStringLiteral(
                                      "UPDATE events SET uid = ?, master_event_uid = ?, recurrence_id = ?, "
                                      "sequence = ?, raw_icalendar = ?, last_modified = ?, sync_status = ? "
                                      "WHERE id = ? AND COALESCE(recurrence_id, '') <> ''"));
    if (!statement.isValid()) {
        qWarning().noquote() << "EventRepository::storeSeriesChange failed:" << statement.errorText();
        return false;
    }
    // The statement's own count of rows, without those a trigger writes.
    sqlite3 *handle = *static_cast<sqlite3 *const *>(db.driver()->handle().constData());
    const QString now = StoredTime::now();
    for (const Event &row : rows) {
        statement.bindText(1, row.uid);
        statement.bindText(2, row.master_event_uid);
        statement.bindText(3, row.recurrence_id);
        statement.bindInt(4, row.sequence);
        statement.bindText(5, row.raw_icalendar);
        statement.bindText(6, now);
        statement.bindText(7, toText(row.sync_status));
        statement.bindText(8, row.id);
        if (!statement.exec() || sqlite3_changes(handle) != 1) {
            qWarning().noquote() << "EventRepository::storeSeriesChange failed at" << row.id << ":"
                                 << (statement.errorText().isEmpty() ? QStringLiteral("no such row")
                                                                     : statement.errorText());
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

QStringList EventRepository::splitsFrom(const QString &fromId) const
{
    return SqlQuery::select<QString>(m_db->database(),
                                     QStringLiteral("SELECT to_id FROM event_splits WHERE from_id = ? ORDER BY rowid"),
                                     {fromId}, [](const QSqlQuery &row) { return row.value(0).toString(); });
}

bool EventRepository::storeSeriesChange(const SeriesRows &rows)
{
    SavePoint savepoint(m_db->database(), QStringLiteral("series_change"));
    if (!savepoint.isActive()) {
        qWarning().noquote() << "EventRepository::storeSeriesChange failed:" << savepoint.errorText();
        return false;
    }
    // The split's new series is linked to the series it continues: a change
    // made elsewhere to a later occurrence goes to it, and to no other.
    if (!update(rows.master) || (rows.newSeries && !insert(*rows.newSeries))
        || (rows.newSeries
            && !SqlQuery::exec(m_db->database(), "EventRepository", "storeSeriesChange",
                               QStringLiteral("INSERT OR REPLACE INTO event_splits (from_id, to_id) VALUES (?, ?)"),
                               {rows.master.id, rows.newSeries->id}))
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
