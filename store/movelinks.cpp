#include "store/movelinks.h"

#include "store/sqlquery.h"

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

} // namespace MoveLinks
