// A delete made in the views and its undo, each one write through
// statements prepared once for all its rows: a series with hundreds of
// changed occurrences goes and comes back without a statement parsed, or
// its child rows rewritten, per row.
#include "store/eventrepository.h"

#include "store/database.h"
#include "store/eventbatchwriter.h"
#include "store/eventrows.h"
#include "store/savepoint.h"
#include "store/sqlitestatement.h"
#include "store/sqllists.h"
#include "store/sqlquery.h"
#include "store/storedtime.h"

#include <QDebug>
#include <QSqlDriver>
#include <QSqlError>

#include <sqlite3.h>

QList<Event> EventRepository::getByIds(const QStringList &ids) const
{
    if (ids.isEmpty())
        return {};
    return selectWithChildren(
        EventRows::withColumns("SELECT %1 FROM events WHERE id IN (SELECT value FROM json_each(?))"),
        {SqlLists::jsonArray(ids)});
}

bool EventRepository::removeAll(const QStringList &ids)
{
    if (ids.isEmpty())
        return true;
    const QString calendarId = calendarIdOf(ids.first());
    const QString stamp = StoredTime::now();
    QSqlQuery query(m_db->database());
    if (!SqlQuery::run(query,
                       QStringLiteral("UPDATE events SET deleted_at = ?, sync_status = 'pending', last_modified = ? "
                                      "WHERE id IN (SELECT value FROM json_each(?))"),
                       {stamp, stamp, SqlLists::jsonArray(ids)})) {
        qWarning().noquote() << "EventRepository::removeAll failed:" << query.lastError().text();
        return false;
    }
    // Every row or none: the caller's transaction undoes a part.
    if (query.numRowsAffected() != ids.size()) {
        qWarning().noquote() << "EventRepository::removeAll failed:" << ids.size() - query.numRowsAffected()
                             << "of the rows are gone";
        return false;
    }
    notifyChanged(calendarId);
    return true;
}

bool EventRepository::giveBack(const QList<Event> &revived, const QList<Event> &recreated)
{
    if (revived.isEmpty() && recreated.isEmpty())
        return true;
    QSqlDatabase &db = m_db->database();
    SavePoint savepoint(db, QStringLiteral("event_give_back"));
    if (!savepoint.isActive()) {
        qWarning().noquote() << "EventRepository::giveBack failed:" << savepoint.errorText();
        return false;
    }
    // A tombstone live again changes in these columns alone; its child rows
    // stay as they are.
    if (!revived.isEmpty()) {
        SqliteStatement revive(db, QStringLiteral("UPDATE events SET deleted_at = NULL, sync_status = ?, sequence = ?, "
                                                  "raw_icalendar = ?, last_modified = ? "
                                                  "WHERE id = ? AND deleted_at IS NOT NULL"));
        if (!revive.isValid()) {
            qWarning().noquote() << "EventRepository::giveBack failed:" << revive.errorText();
            return false;
        }
        sqlite3 *handle = *static_cast<sqlite3 *const *>(db.driver()->handle().constData());
        for (const Event &row : revived) {
            revive.bindText(1, toText(row.sync_status));
            revive.bindInt(2, row.sequence);
            revive.bindText(3, row.raw_icalendar);
            revive.bindText(4, StoredTime::instant(row.last_modified));
            revive.bindText(5, row.id);
            if (!revive.exec() || sqlite3_changes(handle) != 1) {
                qWarning().noquote() << "EventRepository::giveBack failed at" << row.id << ":"
                                     << (revive.errorText().isEmpty() ? QStringLiteral("no such tombstone")
                                                                      : revive.errorText());
                return false;
            }
        }
    }
    if (!recreated.isEmpty()) {
        EventBatchWriter writer(m_db);
        for (const Event &row : recreated) {
            if (!writer.insert(row))
                return false;
        }
    }
    if (!savepoint.release()) {
        qWarning().noquote() << "EventRepository::giveBack failed:" << savepoint.errorText();
        return false;
    }
    notifyChanged((revived.isEmpty() ? recreated : revived).first().calendar_id);
    return true;
}
