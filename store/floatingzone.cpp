#include "store/floatingzone.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>

#include "store/database.h"
#include "store/preferencekeys.h"
#include "store/sqlitestatement.h"
#include "store/sqlquery.h"
#include "store/storetransaction.h"
#include "store/wallclockpin.h"

#include <map>
#include <memory>

namespace FloatingZone {

namespace {

const char kClass[] = "FloatingZone";

// A floating row's times, as stored.
const char kFloatingRows[] = "SELECT rowid, start_time, end_time, exception_dates, recurrence_dates FROM events "
                             "WHERE is_all_day = 0 AND timezone = ''";
// The occurrences a floating series names by their instants: each changed
// one, whatever its own times. Read from the changed occurrences through
// the master-uid index, each finding its series through the uid index: left
// to itself, the planner walks a floating row's whole calendar for each.
const char kOccurrences[] =
    "SELECT o.rowid, o.recurrence_id FROM events o INDEXED BY idx_events_master_uid CROSS JOIN events s "
    "ON s.calendar_id = o.calendar_id AND s.uid = o.master_event_uid AND COALESCE(s.recurrence_id, '') = '' "
    "AND s.id <> o.id WHERE o.master_event_uid > '' AND COALESCE(o.recurrence_id, '') <> '' "
    "AND s.is_all_day = 0 AND s.timezone = ''";
// The reminders of floating rows, read from the reminders.
const char kReminders[] = "SELECT r.rowid, r.trigger_time FROM reminders r CROSS JOIN events e ON e.id = r.event_id "
                          "WHERE e.is_all_day = 0 AND e.timezone = '' AND r.trigger_time IS NOT NULL";

// The rows of a read, each as its columns' texts; false when it fails.
bool readRows(QSqlDatabase &db, const char *sql, int columns, QList<QStringList> *rows)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!SqlQuery::run(query, QString::fromLatin1(sql), {})) {
        qWarning().noquote() << "FloatingZone::readRows failed:" << query.lastError().text();
        return false;
    }
    while (query.next()) {
        QStringList row;
        for (int i = 0; i < columns; ++i)
            row.append(query.value(i).toString());
        rows->append(row);
    }
    return true;
}

// A JSON date list with each instant pinned again, a period's end too.
QString repinnedList(const QString &json, WallClockPin &pin)
{
    if (json.trimmed().isEmpty())
        return json;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    if (!document.isArray())
        return json;
    QJsonArray entries;
    for (const QJsonValue &entry : document.array()) {
        QStringList parts = entry.toString().split(QLatin1Char('/'));
        for (QString &part : parts)
            part = pin(part);
        entries.append(parts.join(QLatin1Char('/')));
    }
    const QString written = QString::fromUtf8(QJsonDocument(entries).toJson(QJsonDocument::Compact));
    return entries == document.array() ? json : written;
}

// Writes the columns of each row whose value changed, those alone, through
// one statement prepared once for each set of columns: a new zone rewrites
// tens of thousands of rows before the window shows.
class ChangedColumns
{
public:
    ChangedColumns(QSqlDatabase &db, const char *table, const QStringList &columns)
        : m_db(db)
        , m_table(QLatin1String(table))
        , m_columns(columns)
    {
    }

    // False, logged, when the write failed.
    bool write(const QStringList &before, const QStringList &after, qint64 row, int *changed)
    {
        if (before == after)
            return true;
        unsigned set = 0;
        for (qsizetype i = 0; i < m_columns.size(); ++i) {
            if (before.at(i) != after.at(i))
                set |= 1u << i;
        }
        SqliteStatement &statement = statementFor(set);
        int position = 1;
        for (qsizetype i = 0; i < m_columns.size(); ++i) {
            if (set & (1u << i))
                statement.bindText(position++, after.at(i));
        }
        statement.bindInt(position, row);
        if (!statement.exec()) {
            qWarning().noquote() << "FloatingZone::repin failed:" << statement.errorText();
            return false;
        }
        ++*changed;
        return true;
    }

private:
    SqliteStatement &statementFor(unsigned set)
    {
        std::unique_ptr<SqliteStatement> &statement = m_statements[set];
        if (!statement) {
            QStringList sets;
            for (qsizetype i = 0; i < m_columns.size(); ++i) {
                if (set & (1u << i))
                    sets.append(m_columns.at(i) + QLatin1String(" = ?"));
            }
            statement = std::make_unique<SqliteStatement>(
                m_db, QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(m_table, sets.join(QLatin1String(", "))));
        }
        return *statement;
    }

    QSqlDatabase &m_db;
    QString m_table;
    QStringList m_columns;
    std::map<unsigned, std::unique_ptr<SqliteStatement>> m_statements;
};

} // namespace

QString repinned(const QString &text, const QTimeZone &from)
{
    return WallClockPin(from)(text);
}

int repin(Database *db, const QTimeZone &from)
{
    QSqlDatabase &sql = db->database();
    QList<QStringList> rows;
    QList<QStringList> occurrences;
    QList<QStringList> reminders;
    if (!readRows(sql, kFloatingRows, 5, &rows) || !readRows(sql, kOccurrences, 2, &occurrences)
        || !readRows(sql, kReminders, 2, &reminders))
        return -1;
    WallClockPin pin(from);
    int changed = 0;
    ChangedColumns times(sql, "events",
                         {QStringLiteral("start_time"), QStringLiteral("end_time"),
                          QStringLiteral("exception_dates"), QStringLiteral("recurrence_dates")});
    for (const QStringList &row : std::as_const(rows)) {
        const QStringList after = {pin(row.at(1)), pin(row.at(2)), repinnedList(row.at(3), pin),
                                   repinnedList(row.at(4), pin)};
        if (!times.write(row.mid(1), after, row.at(0).toLongLong(), &changed))
            return -1;
    }
    ChangedColumns names(sql, "events", {QStringLiteral("recurrence_id")});
    for (const QStringList &row : std::as_const(occurrences)) {
        if (!names.write({row.at(1)}, {pin(row.at(1))}, row.at(0).toLongLong(), &changed))
            return -1;
    }
    // A reminder is due at its wall-clock time as well; it is no row of
    // its own to count.
    int triggers = 0;
    ChangedColumns due(sql, "reminders", {QStringLiteral("trigger_time")});
    for (const QStringList &row : std::as_const(reminders)) {
        if (!due.write({row.at(1)}, {pin(row.at(1))}, row.at(0).toLongLong(), &triggers))
            return -1;
    }
    return changed;
}

bool repinIfMoved(Database *db)
{
    const QTimeZone here = QTimeZone::systemTimeZone();
    if (!here.isValid())
        return true;
    const QString hereId = QString::fromUtf8(here.id());
    const QString key = QLatin1String(PreferenceKeys::FloatingZone);
    const QVariant stored =
        SqlQuery::firstValue(db->database(), QStringLiteral("SELECT value FROM settings WHERE key = ?"), {key});
    if (stored.isValid() && stored.toString() == hereId)
        return true;
    // A first start keeps the zone its rows were read in; a zone this
    // computer does not know leaves them as they are.
    const QTimeZone from(stored.toString().toUtf8());
    StoreTransaction work(db, QStringLiteral("floating_zone"));
    const int changed = !work.isActive() ? -1 : stored.isValid() && from.isValid() ? repin(db, from) : 0;
    if (changed < 0
        || !SqlQuery::exec(db->database(), kClass, "repinIfMoved",
                           QStringLiteral("INSERT OR REPLACE INTO settings (key, value) VALUES (?, ?)"),
                           {key, hereId})
        || !work.commit()) {
        qWarning().noquote() << "FloatingZone::repinIfMoved failed; the next start tries again" << work.errorText();
        return false;
    }
    if (changed > 0)
        qInfo().noquote() << "Floating times of" << changed << "row(s) read in" << stored.toString() << "now on"
                          << hereId;
    return true;
}

} // namespace FloatingZone
