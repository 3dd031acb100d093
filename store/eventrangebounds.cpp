#include "store/eventrangebounds.h"

#include "store/savepoint.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace EventRangeBounds {

namespace {

// Whether the row (%1: "events", NEW) is kept apart: it recurs, or it ends
// more than the window after its start, or its times do not read as dates.
QString keptApart(const char *row)
{
    return QStringLiteral(
               "(%1.recurrence_rule IS NOT NULL AND %1.recurrence_rule != '') OR "
               "(%1.end_time IS NOT NULL AND %1.end_time != '' AND "
               "COALESCE(julianday(%1.end_time) - julianday(%1.start_time) > %2, 1))")
        .arg(QLatin1String(row))
        .arg(kWindowDays);
}

QString apartColumns(const char *row)
{
    return QStringLiteral("%1.id, %1.start_time, %1.end_time, "
                          "%1.recurrence_rule IS NOT NULL AND %1.recurrence_rule != ''")
        .arg(QLatin1String(row));
}

QStringList setUpStatements()
{
    const QString apart = QLatin1String(kApartTable);
    const QString add = QStringLiteral("INSERT INTO %1 (id, start_time, end_time, recurring) "
                                       "SELECT %2 WHERE %3; ")
                            .arg(apart, apartColumns("NEW"), keptApart("NEW"));
    const QString drop = QStringLiteral("DELETE FROM %1 WHERE id = OLD.id; ").arg(apart);
    return {
        QStringLiteral("CREATE TEMP TABLE %1 (id TEXT PRIMARY KEY, start_time TEXT, "
                       "end_time TEXT, recurring INTEGER NOT NULL)")
            .arg(apart),
        QStringLiteral("INSERT INTO %1 (id, start_time, end_time, recurring) SELECT %2 FROM events "
                       "WHERE %3")
            .arg(apart, apartColumns("events"), keptApart("events")),
        QStringLiteral("CREATE TEMP TRIGGER event_range_insert AFTER INSERT ON events BEGIN ")
            + add + QStringLiteral("END"),
        QStringLiteral("CREATE TEMP TRIGGER event_range_update AFTER UPDATE OF id, start_time, "
                       "end_time, recurrence_rule ON events BEGIN ")
            + drop + add + QStringLiteral("END"),
        QStringLiteral("CREATE TEMP TRIGGER event_range_delete AFTER DELETE ON events BEGIN ")
            + drop + QStringLiteral("END"),
    };
}

bool isSetUp(QSqlDatabase &db)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT 1 FROM sqlite_temp_master WHERE type = 'table' AND name = ?"));
    query.addBindValue(QLatin1String(kApartTable));
    return query.exec() && query.next();
}

} // namespace

bool ensure(QSqlDatabase &db)
{
    if (isSetUp(db))
        return true;
    SavePoint savepoint(db, QStringLiteral("event_range_bounds"));
    QString error = savepoint.errorText();
    if (savepoint.isActive()) {
        for (const QString &sql : setUpStatements()) {
            QSqlQuery query(db);
            if (!query.exec(sql)) {
                error = query.lastError().text();
                break;
            }
        }
        if (error.isEmpty() && savepoint.release())
            return true;
        if (error.isEmpty())
            error = savepoint.errorText();
    }
    qWarning().noquote() << "EventRangeBounds::ensure failed:" << error;
    return false;
}

} // namespace EventRangeBounds
