#include "store/eventrangebounds.h"

#include "store/savepoint.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace EventRangeBounds {

namespace {

// Beyond a century a bound saves nothing; rows whose times do not read as
// dates count as endless and end up here too.
constexpr double kLongestUsefulSpanDays = 36525;

// The span of one row (%1 is the row: "events", NEW), for rows with an end.
QString span(const char *row)
{
    return QStringLiteral("COALESCE(julianday(%1.end_time) - julianday(%1.start_time), 1e9)")
        .arg(QLatin1String(row));
}

QString hasEnd(const char *row)
{
    return QStringLiteral("%1.end_time IS NOT NULL AND %1.end_time != ''").arg(QLatin1String(row));
}

QString recurring(const char *row)
{
    return QStringLiteral("%1.recurrence_rule IS NOT NULL AND %1.recurrence_rule != ''")
        .arg(QLatin1String(row));
}

QStringList setUpStatements()
{
    const QString series = QLatin1String(kSeriesTable);
    const QString growSpan = QStringLiteral("UPDATE event_range_span SET days = MAX(days, %1) WHERE %2; ")
                                 .arg(span("NEW"), hasEnd("NEW"));
    const QString addSeries =
        QStringLiteral("INSERT OR IGNORE INTO %1 (id, start_time) SELECT NEW.id, NEW.start_time WHERE %2; ")
            .arg(series, recurring("NEW"));
    const QString dropSeries = QStringLiteral("DELETE FROM %1 WHERE id = OLD.id; ").arg(series);
    return {
        QStringLiteral("CREATE TEMP TABLE event_range_span (days REAL NOT NULL)"),
        QStringLiteral("CREATE TEMP TABLE %1 (id TEXT PRIMARY KEY, start_time TEXT)").arg(series),
        QStringLiteral("INSERT INTO event_range_span SELECT COALESCE(MAX(%1), 0) FROM events WHERE %2")
            .arg(span("events"), hasEnd("events")),
        QStringLiteral("INSERT INTO %1 (id, start_time) SELECT id, start_time FROM events WHERE %2")
            .arg(series, recurring("events")),
        // A deleted row's span stays counted: the bound only has to be large enough.
        QStringLiteral("CREATE TEMP TRIGGER event_range_insert AFTER INSERT ON events BEGIN ")
            + growSpan + addSeries + QStringLiteral("END"),
        QStringLiteral("CREATE TEMP TRIGGER event_range_update AFTER UPDATE OF id, start_time, "
                       "end_time, recurrence_rule ON events BEGIN ")
            + growSpan + dropSeries + addSeries + QStringLiteral("END"),
        QStringLiteral("CREATE TEMP TRIGGER event_range_delete AFTER DELETE ON events BEGIN ")
            + dropSeries + QStringLiteral("END"),
    };
}

bool setUp(QSqlDatabase &db)
{
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
    qWarning().noquote() << "EventRangeBounds::setUp failed:" << error;
    return false;
}

std::optional<double> storedSpan(QSqlDatabase &db)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT days FROM event_range_span")) || !query.next())
        return std::nullopt;
    return query.value(0).toDouble();
}

} // namespace

std::optional<int> longestSpanDays(QSqlDatabase &db)
{
    std::optional<double> days = storedSpan(db);
    if (!days && setUp(db))
        days = storedSpan(db);
    if (!days || !(*days < kLongestUsefulSpanDays))
        return std::nullopt;
    return std::max(0, int(std::ceil(*days)));
}

} // namespace EventRangeBounds
