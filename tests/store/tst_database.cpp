#include "store/database.h"
#include "tests/support/tempdatadir.h"

#include <QFile>
#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

// Columns as the schema lists them: name, type, NOT NULL, default (as SQLite
// reports it, outer parentheses removed), primary key.
struct Column
{
    QString name;
    QString type;
    bool notNull;
    QString defaultValue;
    bool primaryKey;
};

using Table = QList<Column>;

const QString kNow = QStringLiteral("datetime('now')");

QMap<QString, Table> expectedSchema()
{
    QMap<QString, Table> t;
    t[QStringLiteral("accounts")] = {
        {"id", "TEXT", false, {}, true},
        {"name", "TEXT", true, {}, false},
        {"type", "TEXT", true, {}, false},
        {"server_url", "TEXT", false, {}, false},
        {"username", "TEXT", false, {}, false},
        {"calendar_home_set", "TEXT", false, {}, false},
        {"principal_url", "TEXT", false, {}, false},
        {"sync_interval_minutes", "INTEGER", true, "15", false},
        {"last_sync_time", "TEXT", false, {}, false},
        {"last_sync_error", "TEXT", false, {}, false},
        {"enabled", "INTEGER", true, "1", false},
        {"color", "TEXT", true, "'#4285F4'", false},
        {"exclude_from_sync", "INTEGER", true, "0", false},
        {"trusted_cert_sha256", "TEXT", false, {}, false},
        {"pending_cert_sha256", "TEXT", false, {}, false},
        {"created_at", "TEXT", true, kNow, false},
        {"updated_at", "TEXT", true, kNow, false},
        {"sort_order", "INTEGER", true, "0", false},
        {"deleted_at", "TEXT", false, {}, false},
    };
    t[QStringLiteral("calendars")] = {
        {"id", "TEXT", false, {}, true},
        {"account_id", "TEXT", true, {}, false},
        {"url", "TEXT", true, {}, false},
        {"name", "TEXT", true, {}, false},
        {"description", "TEXT", false, {}, false},
        {"color", "TEXT", true, "'#4285F4'", false},
        {"timezone", "TEXT", true, "'UTC'", false},
        {"is_visible", "INTEGER", true, "1", false},
        {"is_read_only", "INTEGER", true, "0", false},
        {"is_default", "INTEGER", true, "0", false},
        {"ctag", "TEXT", false, {}, false},
        {"sync_token", "TEXT", false, {}, false},
        {"delta_sync_token", "TEXT", false, {}, false},
        {"supported_components", "TEXT", true, "'[\"VEVENT\"]'", false},
        {"sort_order", "INTEGER", true, "0", false},
        {"canonical_key", "TEXT", false, {}, false},
        {"sync_enabled", "INTEGER", true, "0", false},
        {"is_shared", "INTEGER", true, "0", false},
        {"shared_with_me", "INTEGER", true, "0", false},
        {"last_sync_error", "TEXT", false, {}, false},
        {"created_at", "TEXT", true, kNow, false},
        {"updated_at", "TEXT", true, kNow, false},
        {"allow_tasks_override", "INTEGER", true, "0", false},
    };
    t[QStringLiteral("events")] = {
        {"id", "TEXT", false, {}, true},
        {"calendar_id", "TEXT", true, {}, false},
        {"uid", "TEXT", true, {}, false},
        {"provider_event_id", "TEXT", false, {}, false},
        {"etag", "TEXT", false, {}, false},
        {"href", "TEXT", false, {}, false},
        {"title", "TEXT", true, {}, false},
        {"description", "TEXT", false, {}, false},
        {"location", "TEXT", false, {}, false},
        {"geo_location", "TEXT", false, {}, false},
        {"start_time", "TEXT", true, {}, false},
        {"end_time", "TEXT", false, {}, false},
        {"is_all_day", "INTEGER", true, "0", false},
        {"timezone", "TEXT", true, "'UTC'", false},
        {"recurrence_rule", "TEXT", false, {}, false},
        {"recurrence_dates", "TEXT", false, {}, false},
        {"exception_dates", "TEXT", false, {}, false},
        {"recurrence_id", "TEXT", false, {}, false},
        {"master_event_uid", "TEXT", false, {}, false},
        {"status", "TEXT", true, "'confirmed'", false},
        {"event_url", "TEXT", false, {}, false},
        {"conference_url", "TEXT", false, {}, false},
        {"organizer_email", "TEXT", false, {}, false},
        {"organizer_name", "TEXT", false, {}, false},
        {"sequence", "INTEGER", true, "0", false},
        {"raw_icalendar", "TEXT", true, {}, false},
        {"color", "TEXT", false, {}, false},
        {"created", "TEXT", true, kNow, false},
        {"last_modified", "TEXT", true, kNow, false},
        {"sync_status", "TEXT", true, "'synced'", false},
        {"deleted_at", "TEXT", false, {}, false},
        {"related_to_uid", "TEXT", false, {}, false},
    };
    t[QStringLiteral("attendees")] = {
        {"id", "TEXT", false, {}, true},
        {"event_id", "TEXT", true, {}, false},
        {"email", "TEXT", true, {}, false},
        {"name", "TEXT", false, {}, false},
        {"role", "TEXT", true, "'required'", false},
        {"status", "TEXT", true, "'needs-action'", false},
        {"type", "TEXT", false, {}, false},
        {"rsvp", "INTEGER", true, "0", false},
    };
    t[QStringLiteral("attachments")] = {
        {"id", "TEXT", false, {}, true},
        {"event_id", "TEXT", true, {}, false},
        {"filename", "TEXT", true, {}, false},
        {"url", "TEXT", false, {}, false},
        {"mime_type", "TEXT", false, {}, false},
        {"size", "INTEGER", false, {}, false},
        {"provider_file_id", "TEXT", false, {}, false},
    };
    const Table alarm = {
        {"id", "TEXT", false, {}, true},
        {"event_id", "TEXT", true, {}, false},
        {"minutes_before", "INTEGER", true, {}, false},
        {"action", "TEXT", true, "'display'", false},
        {"acknowledged", "INTEGER", true, "0", false},
        {"trigger_time", "TEXT", false, {}, false},
    };
    t[QStringLiteral("reminders")] = alarm;
    Table taskAlarm = alarm;
    taskAlarm[1].name = QStringLiteral("task_id");
    t[QStringLiteral("task_reminders")] = taskAlarm;
    t[QStringLiteral("tasks")] = {
        {"id", "TEXT", false, {}, true},
        {"calendar_id", "TEXT", true, {}, false},
        {"uid", "TEXT", true, {}, false},
        {"etag", "TEXT", false, {}, false},
        {"href", "TEXT", false, {}, false},
        {"title", "TEXT", true, {}, false},
        {"description", "TEXT", false, {}, false},
        {"status", "TEXT", true, "'needs-action'", false},
        {"priority", "INTEGER", true, "0", false},
        {"percent_complete", "INTEGER", true, "0", false},
        {"due_date", "TEXT", false, {}, false},
        {"start_date", "TEXT", false, {}, false},
        {"completed_date", "TEXT", false, {}, false},
        {"categories", "TEXT", true, "'[]'", false},
        {"parent_task_uid", "TEXT", false, {}, false},
        {"sort_order", "INTEGER", true, "0", false},
        {"color", "TEXT", false, {}, false},
        {"recurrence_rule", "TEXT", false, {}, false},
        {"sequence", "INTEGER", true, "0", false},
        {"raw_icalendar", "TEXT", true, {}, false},
        {"created", "TEXT", true, kNow, false},
        {"last_modified", "TEXT", true, kNow, false},
        {"sync_status", "TEXT", true, "'synced'", false},
        {"deleted_at", "TEXT", false, {}, false},
        {"due_is_date_only", "INTEGER", true, "1", false},
        {"start_is_date_only", "INTEGER", true, "1", false},
        {"repeat_mode", "TEXT", true, "'fromDueDate'", false},
        {"item_type", "TEXT", true, "'task'", false},
    };
    t[QStringLiteral("filter_rules")] = {
        {"id", "TEXT", false, {}, true},
        {"name", "TEXT", true, {}, false},
        {"type", "TEXT", true, {}, false},
        {"enabled", "INTEGER", true, "1", false},
        {"calendar_ids", "TEXT", true, "'[]'", false},
        {"conditions", "TEXT", true, {}, false},
        {"action", "TEXT", true, "'hide'", false},
        {"priority", "INTEGER", true, "100", false},
        {"event_uid", "TEXT", false, {}, false},
        {"event_calendar_id", "TEXT", false, {}, false},
        {"suppress_reminders", "INTEGER", true, "0", false},
        {"sync_status", "TEXT", true, "'pending'", false},
        {"created_at", "TEXT", true, kNow, false},
        {"updated_at", "TEXT", true, kNow, false},
        {"deleted_at", "TEXT", false, {}, false},
    };
    t[QStringLiteral("calendar_views")] = {
        {"id", "TEXT", false, {}, true},
        {"name", "TEXT", true, {}, false},
        {"color", "TEXT", false, {}, false},
        {"calendar_ids", "TEXT", true, "'[]'", false},
        {"is_default", "INTEGER", true, "0", false},
        {"sort_order", "INTEGER", true, "0", false},
        {"sync_status", "TEXT", true, "'pending'", false},
        {"created_at", "TEXT", true, kNow, false},
        {"updated_at", "TEXT", true, kNow, false},
        {"deleted_at", "TEXT", false, {}, false},
    };
    t[QStringLiteral("event_templates")] = {
        {"id", "TEXT", false, {}, true},
        {"name", "TEXT", true, {}, false},
        {"title", "TEXT", true, {}, false},
        {"description", "TEXT", false, {}, false},
        {"location", "TEXT", false, {}, false},
        {"color", "TEXT", false, {}, false},
        {"is_all_day", "INTEGER", true, "0", false},
        {"duration_minutes", "INTEGER", true, "60", false},
        {"recurrence_rule", "TEXT", false, {}, false},
        {"calendar_id", "TEXT", false, {}, false},
        {"reminders", "TEXT", true, "'[15]'", false},
        {"sort_order", "INTEGER", true, "0", false},
        {"sync_status", "TEXT", true, "'pending'", false},
        {"created_at", "TEXT", true, kNow, false},
        {"updated_at", "TEXT", true, kNow, false},
        {"deleted_at", "TEXT", false, {}, false},
    };
    t[QStringLiteral("settings")] = {
        {"key", "TEXT", false, {}, true},
        {"value", "TEXT", true, {}, false},
        {"type", "TEXT", true, "'string'", false},
    };
    t[QStringLiteral("schema_version")] = {
        {"version", "INTEGER", false, {}, true},
        {"name", "TEXT", true, {}, false},
        {"applied_at", "TEXT", true, kNow, false},
    };
    return t;
}

// index name -> "table|unique|partial|columns"
QMap<QString, QString> expectedIndexes()
{
    return {
        {"idx_calendars_account", "calendars|0|0|account_id"},
        {"idx_events_calendar", "events|0|0|calendar_id"},
        {"idx_events_start_time", "events|0|0|start_time"},
        {"idx_events_end_time", "events|0|0|end_time"},
        {"idx_events_calendar_start", "events|0|0|calendar_id,start_time"},
        {"idx_events_uid_calendar", "events|0|0|uid,calendar_id"},
        {"idx_events_master_uid", "events|0|0|master_event_uid"},
        {"idx_events_sync_status", "events|0|0|sync_status"},
        {"idx_events_calendar_pending", "events|0|1|calendar_id,sync_status"},
        {"idx_events_calendar_provider", "events|0|0|calendar_id,provider_event_id"},
        {"idx_events_uid_unique", "events|1|0|calendar_id,uid,<expr>"},
        {"idx_events_related_to_uid", "events|0|0|related_to_uid"},
        {"idx_attendees_event", "attendees|0|0|event_id"},
        {"idx_attachments_event", "attachments|0|0|event_id"},
        {"idx_reminders_event", "reminders|0|0|event_id"},
        {"idx_reminders_trigger", "reminders|0|0|trigger_time"},
        {"idx_tasks_calendar", "tasks|0|0|calendar_id"},
        {"idx_tasks_due_date", "tasks|0|0|due_date"},
        {"idx_tasks_status", "tasks|0|0|status"},
        {"idx_tasks_uid_calendar", "tasks|0|0|uid,calendar_id"},
        {"idx_tasks_sync_status", "tasks|0|0|sync_status"},
        {"idx_tasks_calendar_pending", "tasks|0|1|calendar_id,sync_status"},
        {"idx_tasks_item_type", "tasks|0|0|item_type"},
        {"idx_task_reminders_task", "task_reminders|0|0|task_id"},
        {"idx_task_reminders_trigger", "task_reminders|0|0|trigger_time"},
    };
}

QString stripParens(QString text)
{
    while (text.startsWith(QLatin1Char('(')) && text.endsWith(QLatin1Char(')')))
        text = text.mid(1, text.size() - 2);
    return text;
}

bool exec(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql)) {
        qWarning() << sql << q.lastError().text();
        return false;
    }
    return true;
}

QVariant scalar(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql) || !q.next())
        return QVariant();
    return q.value(0);
}

QString readScript(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// Applies the bundled migrations up to and including `version`.
bool migrateTo(Database &db, int version)
{
    for (const Database::Migration &m : Database::migrations()) {
        if (m.version > version)
            break;
        if (!db.applyMigration(m.version, m.name, readScript(m.resourcePath)))
            return false;
    }
    return true;
}

bool createSchemaVersionTable(Database &db)
{
    // migrate() creates the bookkeeping table; building up by hand needs it too.
    return exec(db.database(),
                QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER PRIMARY KEY, "
                               "name TEXT NOT NULL, applied_at TEXT NOT NULL DEFAULT (datetime('now')))"));
}

} // namespace

class TestDatabase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void freshDatabaseReachesVersion15WithEveryMigrationNamed();
    void freshSchemaMatchesTablesColumnsAndIndexes();
    void seedRowOfAllCalendarsGroup();
    void migratedDatabaseRunsNothingAndEmitsNothing();
    void openingTwiceIsHarmless();
    void walAndForeignKeysAreOn();
    void intermediateVersionMigratesForwardWithData_data();
    void intermediateVersionMigratesForwardWithData();
    void failingStatementRollsBackWholeScript();
    void migration6KeepsOldestDuplicateAndItsChildren();
    void uniqueIndexRejectsSecondCopyEvenOfTombstone();
    void migration12ReapsOrphanedCalendars();
    void migration14MarksOwnCalendarsTaskCapable();
    void taskDeleteCascadesButEventDeleteIsGuarded();
    void splitStatements_data();
    void splitStatements();
    void openFailsOnUnwritablePath();
};

void TestDatabase::freshDatabaseReachesVersion15WithEveryMigrationNamed()
{
    TempDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    QSignalSpy applied(&db, &Database::migrationApplied);
    QVERIFY(db.migrate());
    QCOMPARE(db.schemaVersion(), 15);
    QCOMPARE(applied.count(), 15);

    QSqlQuery q(db.database());
    QVERIFY(q.exec(QStringLiteral("SELECT version, name FROM schema_version ORDER BY version")));
    QStringList names;
    int expectedVersion = 1;
    while (q.next()) {
        QCOMPARE(q.value(0).toInt(), expectedVersion++);
        names << q.value(1).toString();
    }
    const QStringList expected = {"initial", "event_sync", "tasks_sync", "accounts_sort_order",
                                  "provider_event_idx", "events_uid_unique", "tasks_dateonly_repeat",
                                  "accounts_soft_delete", "event_related_to", "task_reminders",
                                  "task_item_type", "reap_orphaned_calendars",
                                  "calendar_allow_tasks_override", "local_calendars_support_tasks",
                                  "drop_sync_queue"};
    QCOMPARE(names, expected);
}

void TestDatabase::freshSchemaMatchesTablesColumnsAndIndexes()
{
    TempDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    QVERIFY(db.migrate());
    QSqlDatabase &sql = db.database();

    const QMap<QString, Table> schema = expectedSchema();
    QStringList tables;
    QSqlQuery list(sql);
    QVERIFY(list.exec(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY name")));
    while (list.next())
        tables << list.value(0).toString();
    QStringList expectedTables = schema.keys();
    expectedTables.sort();
    QCOMPARE(tables, expectedTables);
    QVERIFY(!tables.contains(QStringLiteral("sync_queue")));

    for (auto it = schema.cbegin(); it != schema.cend(); ++it) {
        QSqlQuery info(sql);
        QVERIFY(info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(it.key())));
        int i = 0;
        while (info.next()) {
            QVERIFY2(i < it.value().size(), qPrintable(it.key()));
            const Column &c = it.value().at(i++);
            const QString where = it.key() + QLatin1Char('.') + c.name;
            QCOMPARE(info.value(1).toString(), c.name);
            QVERIFY2(info.value(2).toString() == c.type, qPrintable(where));
            QVERIFY2(info.value(3).toBool() == c.notNull, qPrintable(where));
            QVERIFY2(stripParens(info.value(4).toString()) == c.defaultValue, qPrintable(where));
            QVERIFY2((info.value(5).toInt() > 0) == c.primaryKey, qPrintable(where));
        }
        QCOMPARE(i, it.value().size());
    }

    // Declared foreign keys: only task_reminders cascades.
    QSqlQuery fk(sql);
    QVERIFY(fk.exec(QStringLiteral("PRAGMA foreign_key_list(task_reminders)")));
    QVERIFY(fk.next());
    QCOMPARE(fk.value(2).toString(), QStringLiteral("tasks"));
    QCOMPARE(fk.value(6).toString(), QStringLiteral("CASCADE"));
    QVERIFY(fk.exec(QStringLiteral("PRAGMA foreign_key_list(events)")));
    QVERIFY(fk.next());
    QCOMPARE(fk.value(2).toString(), QStringLiteral("calendars"));
    QCOMPARE(fk.value(6).toString(), QStringLiteral("NO ACTION"));

    QMap<QString, QString> indexes;
    QSqlQuery idx(sql);
    QVERIFY(idx.exec(QStringLiteral(
        "SELECT name, tbl_name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL")));
    while (idx.next()) {
        const QString name = idx.value(0).toString();
        const QString table = idx.value(1).toString();
        QString unique = QStringLiteral("0");
        QString partial = QStringLiteral("0");
        QSqlQuery li(sql);
        QVERIFY(li.exec(QStringLiteral("PRAGMA index_list(%1)").arg(table)));
        while (li.next()) {
            if (li.value(1).toString() == name) {
                unique = li.value(2).toString();
                partial = li.value(4).toString();
            }
        }
        QStringList columns;
        QSqlQuery ii(sql);
        QVERIFY(ii.exec(QStringLiteral("PRAGMA index_info(%1)").arg(name)));
        while (ii.next())
            columns << (ii.value(2).isNull() ? QStringLiteral("<expr>") : ii.value(2).toString());
        indexes[name] = QStringList{table, unique, partial, columns.join(QLatin1Char(','))}.join(
            QLatin1Char('|'));
    }
    QCOMPARE(indexes, expectedIndexes());
}

void TestDatabase::seedRowOfAllCalendarsGroup()
{
    TempDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    QVERIFY(db.migrate());
    QSqlQuery q(db.database());
    QVERIFY(q.exec(QStringLiteral(
        "SELECT id, name, calendar_ids, is_default, sort_order, sync_status, color FROM calendar_views")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("all-calendars"));
    QCOMPARE(q.value(1).toString(), QStringLiteral("All Calendars"));
    QCOMPARE(q.value(2).toString(), QStringLiteral("[]"));
    QCOMPARE(q.value(3).toInt(), 1);
    QCOMPARE(q.value(4).toInt(), 0);
    QCOMPARE(q.value(5).toString(), QStringLiteral("synced"));
    QVERIFY(q.value(6).isNull());
    QVERIFY(!q.next());
}

void TestDatabase::migratedDatabaseRunsNothingAndEmitsNothing()
{
    TempDataDir dir;
    {
        Database db;
        QVERIFY(db.open(dir.databasePath()));
        QVERIFY(db.migrate());
    }
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    QSignalSpy applied(&db, &Database::migrationApplied);
    QSignalSpy failed(&db, &Database::migrationError);
    QVERIFY(db.migrate());
    QCOMPARE(applied.count(), 0);
    QCOMPARE(failed.count(), 0);
    QCOMPARE(scalar(db.database(), QStringLiteral("SELECT COUNT(*) FROM schema_version")).toInt(), 15);
}

void TestDatabase::openingTwiceIsHarmless()
{
    TempDataDir dir;
    for (int round = 0; round < 2; ++round) {
        Database db;
        QVERIFY(db.open(dir.databasePath()));
        QVERIFY(db.migrate());
        QVERIFY(db.migrate());
        QVERIFY(exec(db.database(),
                     QStringLiteral("INSERT INTO settings (key, value) VALUES ('round%1', 'x')").arg(round)));
        QCOMPARE(scalar(db.database(), QStringLiteral("SELECT COUNT(*) FROM settings")).toInt(), round + 1);
        QCOMPARE(scalar(db.database(), QStringLiteral("SELECT COUNT(*) FROM calendar_views")).toInt(), 1);
    }
}

void TestDatabase::walAndForeignKeysAreOn()
{
    TempDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    QCOMPARE(scalar(db.database(), QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
    QCOMPARE(scalar(db.database(), QStringLiteral("PRAGMA foreign_keys")).toInt(), 1);
}

void TestDatabase::intermediateVersionMigratesForwardWithData_data()
{
    QTest::addColumn<int>("version");
    for (int v = 1; v <= 14; ++v)
        QTest::addRow("from %d", v) << v;
}

void TestDatabase::intermediateVersionMigratesForwardWithData()
{
    QFETCH(int, version);
    TempDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    QVERIFY(createSchemaVersionTable(db));
    QVERIFY(migrateTo(db, version));
    QCOMPARE(db.schemaVersion(), version);

    // Rows that every version can hold: a live account with a calendar, an
    // event with a reminder, a task, a setting.
    QSqlDatabase &sql = db.database();
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('a1', 'Home', 'tindlebrook')")));
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO calendars (id, account_id, url, name) "
                                     "VALUES ('c1', 'a1', 'local://c1', 'Personal')")));
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO events (id, calendar_id, uid, title, start_time, raw_icalendar) "
                                     "VALUES ('e1', 'c1', 'u1', 'Dentist', '2026-12-06T09:00:00Z', '')")));
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO reminders (id, event_id, minutes_before) VALUES ('r1', 'e1', 10)")));
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO tasks (id, calendar_id, uid, title, raw_icalendar) "
                                     "VALUES ('t1', 'c1', 'tu1', 'Call back', '')")));
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO settings (key, value) VALUES ('ui/viewMode', 'week')")));

    QSignalSpy applied(&db, &Database::migrationApplied);
    QVERIFY(db.migrate());
    QCOMPARE(db.schemaVersion(), 15);
    QCOMPARE(applied.count(), 15 - version);
    QCOMPARE(applied.first().at(0).toInt(), version + 1);

    QCOMPARE(scalar(sql, QStringLiteral("SELECT title FROM events WHERE id = 'e1'")).toString(),
             QStringLiteral("Dentist"));
    QCOMPARE(scalar(sql, QStringLiteral("SELECT sync_status FROM events WHERE id = 'e1'")).toString(),
             QStringLiteral("synced"));
    QCOMPARE(scalar(sql, QStringLiteral("SELECT minutes_before FROM reminders WHERE id = 'r1'")).toInt(), 10);
    QCOMPARE(scalar(sql, QStringLiteral("SELECT item_type || repeat_mode FROM tasks WHERE id = 't1'")).toString(),
             QStringLiteral("taskfromDueDate"));
    QCOMPARE(scalar(sql, QStringLiteral("SELECT value FROM settings WHERE key = 'ui/viewMode'")).toString(),
             QStringLiteral("week"));
    // Our own calendars hold tasks once migration 14 has run over them.
    QCOMPARE(scalar(sql, QStringLiteral("SELECT supported_components FROM calendars WHERE id = 'c1'")).toString(),
             version < 14 ? QStringLiteral("[\"VEVENT\",\"VTODO\"]") : QStringLiteral("[\"VEVENT\"]"));
}

void TestDatabase::failingStatementRollsBackWholeScript()
{
    TempDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    QVERIFY(createSchemaVersionTable(db));
    QVERIFY(migrateTo(db, 9));
    // Migration 10 creates a table and then two indexes; an index already
    // holding the third statement's name makes that statement fail.
    QVERIFY(exec(db.database(), QStringLiteral("CREATE INDEX idx_task_reminders_trigger ON tasks(title)")));

    QSignalSpy failed(&db, &Database::migrationError);
    QSignalSpy applied(&db, &Database::migrationApplied);
    QVERIFY(!db.migrate());
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed.first().at(0).toInt(), 10);
    QCOMPARE(applied.count(), 0);
    QCOMPARE(db.schemaVersion(), 9);
    QCOMPARE(scalar(db.database(),
                    QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name IN "
                                   "('task_reminders', 'idx_task_reminders_task')")).toInt(),
             0);
    // Later migrations were not tried.
    QCOMPARE(scalar(db.database(),
                    QStringLiteral("SELECT COUNT(*) FROM pragma_table_info('tasks') WHERE name = 'item_type'")).toInt(),
             0);

    // Once the obstacle is gone the next start picks up at migration 10.
    QVERIFY(exec(db.database(), QStringLiteral("DROP INDEX idx_task_reminders_trigger")));
    QVERIFY(db.migrate());
    QCOMPARE(db.schemaVersion(), 15);
}

void TestDatabase::migration6KeepsOldestDuplicateAndItsChildren()
{
    TempDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    QVERIFY(createSchemaVersionTable(db));
    QVERIFY(migrateTo(db, 5));
    QSqlDatabase &sql = db.database();
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('a', 'A', 'caldav')")));
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO calendars (id, account_id, url, name) VALUES ('c', 'a', 'u', 'C')")));
    const QString insert = QStringLiteral(
        "INSERT INTO events (id, calendar_id, uid, title, start_time, raw_icalendar, recurrence_id, created) "
        "VALUES ('%1', 'c', 'dup', 't', '2026-01-01T00:00:00Z', '', %2, '%3')");
    QVERIFY(exec(sql, insert.arg("e3", "NULL", "2026-01-02 00:00:00")));
    QVERIFY(exec(sql, insert.arg("e2", "NULL", "2026-01-01 00:00:00")));
    QVERIFY(exec(sql, insert.arg("e1", "''", "2026-01-01 00:00:00")));
    // A different recurrence id is another logical row and stays.
    QVERIFY(exec(sql, insert.arg("e4", "'20260105T000000Z'", "2026-01-03 00:00:00")));
    for (const char *event : {"e1", "e2", "e3"}) {
        QVERIFY(exec(sql, QStringLiteral("INSERT INTO attendees (id, event_id, email) VALUES ('at-%1', '%1', 'x@y')").arg(event)));
        QVERIFY(exec(sql, QStringLiteral("INSERT INTO attachments (id, event_id, filename) VALUES ('ac-%1', '%1', 'f')").arg(event)));
        QVERIFY(exec(sql, QStringLiteral("INSERT INTO reminders (id, event_id, minutes_before) VALUES ('r-%1', '%1', 5)").arg(event)));
    }

    QVERIFY(db.migrate());
    QSqlQuery q(sql);
    QVERIFY(q.exec(QStringLiteral("SELECT id FROM events ORDER BY id")));
    QStringList ids;
    while (q.next())
        ids << q.value(0).toString();
    // e1 and e2 share the earliest created; the smaller id wins.
    QCOMPARE(ids, QStringList({"e1", "e4"}));
    QCOMPARE(scalar(sql, QStringLiteral("SELECT group_concat(event_id) FROM attendees")).toString(), QStringLiteral("e1"));
    QCOMPARE(scalar(sql, QStringLiteral("SELECT group_concat(event_id) FROM attachments")).toString(), QStringLiteral("e1"));
    QCOMPARE(scalar(sql, QStringLiteral("SELECT group_concat(event_id) FROM reminders")).toString(), QStringLiteral("e1"));
}

void TestDatabase::uniqueIndexRejectsSecondCopyEvenOfTombstone()
{
    TempDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    QVERIFY(db.migrate());
    QSqlDatabase &sql = db.database();
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('a', 'A', 'caldav')")));
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO calendars (id, account_id, url, name) VALUES ('c', 'a', 'u', 'C')")));
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO events (id, calendar_id, uid, title, start_time, raw_icalendar, deleted_at) "
                                     "VALUES ('e1', 'c', 'u', 't', 'x', '', '2026-01-01T00:00:00Z')")));
    QSqlQuery q(sql);
    QVERIFY(!q.exec(QStringLiteral("INSERT INTO events (id, calendar_id, uid, title, start_time, raw_icalendar, recurrence_id) "
                                   "VALUES ('e2', 'c', 'u', 't', 'x', '', '')")));
    QVERIFY(q.lastError().text().contains(QLatin1String("UNIQUE"), Qt::CaseInsensitive));
}

void TestDatabase::migration12ReapsOrphanedCalendars()
{
    TempDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    QVERIFY(createSchemaVersionTable(db));
    QVERIFY(migrateTo(db, 11));
    QSqlDatabase &sql = db.database();
    // Foreign keys would refuse a calendar of a missing account; older
    // databases could hold one all the same.
    QVERIFY(exec(sql, QStringLiteral("PRAGMA foreign_keys=OFF")));
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('live', 'L', 'caldav')")));
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO accounts (id, name, type, deleted_at) VALUES ('dead', 'D', 'caldav', '2026-01-01T00:00:00Z')")));
    const QStringList calendars = {"c-live|live", "c-dead|dead", "c-gone|missing"};
    for (const QString &pair : calendars) {
        const QStringList p = pair.split(QLatin1Char('|'));
        const QString c = p[0];
        QVERIFY(exec(sql, QStringLiteral("INSERT INTO calendars (id, account_id, url, name) VALUES ('%1', '%2', 'u', 'n')").arg(c, p[1])));
        QVERIFY(exec(sql, QStringLiteral("INSERT INTO events (id, calendar_id, uid, title, start_time, raw_icalendar) VALUES ('e-%1', '%1', 'u', 't', 'x', '')").arg(c)));
        QVERIFY(exec(sql, QStringLiteral("INSERT INTO attendees (id, event_id, email) VALUES ('at-%1', 'e-%1', 'm')").arg(c)));
        QVERIFY(exec(sql, QStringLiteral("INSERT INTO attachments (id, event_id, filename) VALUES ('ac-%1', 'e-%1', 'f')").arg(c)));
        QVERIFY(exec(sql, QStringLiteral("INSERT INTO reminders (id, event_id, minutes_before) VALUES ('r-%1', 'e-%1', 1)").arg(c)));
        QVERIFY(exec(sql, QStringLiteral("INSERT INTO tasks (id, calendar_id, uid, title, raw_icalendar) VALUES ('t-%1', '%1', 'u', 't', '')").arg(c)));
        QVERIFY(exec(sql, QStringLiteral("INSERT INTO task_reminders (id, task_id, minutes_before) VALUES ('tr-%1', 't-%1', 1)").arg(c)));
        QVERIFY(exec(sql, QStringLiteral("INSERT INTO sync_queue (id, operation, entity_type, entity_id, calendar_id, payload) "
                                         "VALUES ('q-%1', 'put', 'event', 'e', '%1', '{}')").arg(c)));
    }
    QVERIFY(exec(sql, QStringLiteral("PRAGMA foreign_keys=ON")));

    QVERIFY(db.migrate());
    for (const char *table : {"calendars", "events", "attendees", "attachments", "reminders", "tasks", "task_reminders"}) {
        QCOMPARE(scalar(sql, QStringLiteral("SELECT group_concat(id) FROM %1").arg(QLatin1String(table))).toString()
                     .endsWith(QLatin1String("c-live")),
                 true);
        QCOMPARE(scalar(sql, QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table))).toInt(), 1);
    }
}

void TestDatabase::migration14MarksOwnCalendarsTaskCapable()
{
    TempDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    QVERIFY(createSchemaVersionTable(db));
    QVERIFY(migrateTo(db, 13));
    QSqlDatabase &sql = db.database();
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('own', 'O', 'tindlebrook')")));
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('dav', 'D', 'caldav')")));
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO calendars (id, account_id, url, name, supported_components) VALUES "
                                     "('plain', 'own', 'u', 'n', '[\"VEVENT\"]'), "
                                     "('already', 'own', 'u', 'n', '[\"VTODO\",\"VEVENT\"]'), "
                                     "('other', 'dav', 'u', 'n', '[\"VEVENT\"]')")));
    QVERIFY(db.migrate());
    auto components = [&](const char *id) {
        return scalar(sql, QStringLiteral("SELECT supported_components FROM calendars WHERE id = '%1'")
                               .arg(QLatin1String(id))).toString();
    };
    QCOMPARE(components("plain"), QStringLiteral("[\"VEVENT\",\"VTODO\"]"));
    QCOMPARE(components("already"), QStringLiteral("[\"VTODO\",\"VEVENT\"]"));
    QCOMPARE(components("other"), QStringLiteral("[\"VEVENT\"]"));
}

void TestDatabase::taskDeleteCascadesButEventDeleteIsGuarded()
{
    TempDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    QVERIFY(db.migrate());
    QSqlDatabase &sql = db.database();
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('a', 'A', 'caldav')")));
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO calendars (id, account_id, url, name) VALUES ('c', 'a', 'u', 'C')")));
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO tasks (id, calendar_id, uid, title, raw_icalendar) VALUES ('t', 'c', 'u', 'T', '')")));
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO task_reminders (id, task_id, minutes_before) VALUES ('tr', 't', 1)")));
    QVERIFY(exec(sql, QStringLiteral("DELETE FROM tasks WHERE id = 't'")));
    QCOMPARE(scalar(sql, QStringLiteral("SELECT COUNT(*) FROM task_reminders")).toInt(), 0);

    QVERIFY(exec(sql, QStringLiteral("INSERT INTO events (id, calendar_id, uid, title, start_time, raw_icalendar) VALUES ('e', 'c', 'u', 't', 'x', '')")));
    QVERIFY(exec(sql, QStringLiteral("INSERT INTO reminders (id, event_id, minutes_before) VALUES ('r', 'e', 1)")));
    QSqlQuery q(sql);
    QVERIFY(!q.exec(QStringLiteral("DELETE FROM events WHERE id = 'e'")));
    QVERIFY(q.lastError().text().contains(QLatin1String("FOREIGN KEY"), Qt::CaseInsensitive));
}

void TestDatabase::splitStatements_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("comment line with semicolon is dropped")
        << QStringLiteral("CREATE TABLE a (x);\n-- a note;\nCREATE TABLE b (y)")
        << QStringList{"CREATE TABLE a (x)", "CREATE TABLE b (y)"};
    QTest::newRow("trigger stays one statement")
        << QStringLiteral("CREATE TRIGGER t AFTER INSERT ON a BEGIN\n  UPDATE a SET x = 1;\nEND;")
        << QStringList{"CREATE TRIGGER t AFTER INSERT ON a BEGIN\n  UPDATE a SET x = 1;\nEND"};
    QTest::newRow("lone semicolon yields nothing")
        << QStringLiteral("SELECT 1;\n;\n")
        << QStringList{"SELECT 1"};
    QTest::newRow("multi-line statement and CRLF")
        << QStringLiteral("CREATE TABLE a (\r\n  x TEXT,\r\n  end_time TEXT\r\n);\r\nSELECT 2;\r\n")
        << QStringList{"CREATE TABLE a (\r\n  x TEXT,\r\n  end_time TEXT\r\n)", "SELECT 2"};
    QTest::newRow("a word holding begin swallows the rest")
        << QStringLiteral("CREATE TABLE a (beginning TEXT);\nSELECT 1;\nSELECT 2;")
        << QStringList{"CREATE TABLE a (beginning TEXT);\nSELECT 1;\nSELECT 2"};
    QTest::newRow("trailing comment after code stays")
        << QStringLiteral("SELECT 1; -- keep\nSELECT 2;")
        << QStringList{"SELECT 1; -- keep\nSELECT 2"};
    QTest::newRow("empty script") << QString() << QStringList{};
}

void TestDatabase::splitStatements()
{
    QFETCH(QString, script);
    QFETCH(QStringList, expected);
    QCOMPARE(Database::splitStatements(script), expected);
}

void TestDatabase::openFailsOnUnwritablePath()
{
    TempDataDir dir;
    Database db;
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("^Failed to open database:")));
    QVERIFY(!db.open(dir.path() + QStringLiteral("/missing-folder/deeper/calendar.db")));
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
