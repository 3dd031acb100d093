#include "store/movelinks.h"

#include "store/sqlquery.h"

namespace {

// One item kind's share of otherEnds(): `moves` links rows of `rows`. The
// links drive the join (CROSS JOIN keeps that order), so only the linked
// rows are read, never every pending row of the store.
QString otherEndsIn(const char *moves, const char *rows)
{
    return QStringLiteral("SELECT CASE WHEN o.calendar_id = ? THEN c.calendar_id ELSE o.calendar_id END "
                          "FROM %1 m CROSS JOIN %2 o CROSS JOIN %2 c WHERE o.id = m.from_id AND c.id = m.to_id "
                          "AND o.sync_status = 'pending' AND o.calendar_id <> c.calendar_id "
                          "AND (o.calendar_id = ? OR (c.calendar_id = ? AND c.sync_status = 'pending'))")
        .arg(QLatin1String(moves), QLatin1String(rows));
}

} // namespace

namespace MoveLinks {

bool keep(QSqlDatabase &db, const char *owner, const QString &table, const QString &fromId, const QString &toId)
{
    return SqlQuery::exec(db, owner, "keepMove",
                          QStringLiteral("INSERT OR REPLACE INTO %1 (from_id, to_id) VALUES (?, ?)").arg(table),
                          {fromId, toId});
}

QString to(QSqlDatabase &db, const QString &table, const QString &fromId)
{
    return SqlQuery::firstValue(db, QStringLiteral("SELECT to_id FROM %1 WHERE from_id = ?").arg(table), {fromId})
        .toString();
}

QString from(QSqlDatabase &db, const QString &table, const QString &toId)
{
    return SqlQuery::firstValue(db, QStringLiteral("SELECT from_id FROM %1 WHERE to_id = ?").arg(table), {toId})
        .toString();
}

QStringList otherEnds(QSqlDatabase &db, const QString &calendarId)
{
    const QString sql = otherEndsIn("event_moves", "events") + QStringLiteral(" UNION ")
                        + otherEndsIn("task_moves", "tasks");
    return SqlQuery::select<QString>(db, sql, QVariantList(6, calendarId),
                                     [](const QSqlQuery &row) { return row.value(0).toString(); });
}

QStringList leftPendingIn(QSqlDatabase &db, const QString &table, const QString &rowsTable,
                          const QString &calendarId)
{
    const QString sql = QStringLiteral("SELECT o.id FROM %1 m CROSS JOIN %2 o WHERE o.id = m.from_id "
                                       "AND o.calendar_id = ? AND o.sync_status = 'pending' "
                                       "AND o.deleted_at IS NOT NULL")
                            .arg(table, rowsTable);
    return SqlQuery::select<QString>(db, sql, {calendarId},
                                     [](const QSqlQuery &row) { return row.value(0).toString(); });
}

} // namespace MoveLinks
