#include "store/database.h"
#include "store/daydurationreread.h"
#include "store/eventrepository.h"
#include "store/floatingstamps.h"
#include "store/storedtime.h"
#include "calendar/icscodec.h"
#include "calendar/icstext.h"
#include "calendar/recurrence.h"
#include "tests/support/computerzone.h"
#include "tests/support/tempdatadir.h"
#include "tests/support/teststore.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>


namespace {

// Every table, index and trigger as SQLite keeps its text, in name order.
QString schemaDump(Database *db)
{
    QSqlQuery q(db->database());
    if (!q.exec(QStringLiteral("SELECT type, name, sql FROM sqlite_master WHERE sql IS NOT NULL "
                               "AND name NOT LIKE 'sqlite_%' ORDER BY type DESC, name")))
        return q.lastError().text();
    QString dump;
    while (q.next())
        dump += QStringLiteral("-- %1 %2\n%3;\n\n").arg(q.value(0).toString(), q.value(1).toString(),
                                                         q.value(2).toString());
    return dump;
}

// A shipped migration script as migrate() reads it.
QString readScript(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// The k-th Monday 09:00 on this computer's wall clock from 2 March 2026, as
// a floating series' occurrence is named now, and as the previous version
// named it: its first start plus k weeks in UTC.
QString wallMonday(int k)
{
    return IcsText::utcText(QDateTime(QDate(2026, 3, 2).addDays(7 * k), QTime(9, 0)));
}

QString utcMonday(int k)
{
    return IcsText::utcText(QDateTime(QDate(2026, 3, 2), QTime(9, 0)).toUTC().addDays(7 * k));
}

// The rows of `events` and `reminders` as text, for a store that must not
// change.
QString rowDump(TestStore &store)
{
    return store.scalar(QStringLiteral("SELECT group_concat(r, ' / ') FROM (SELECT id || start_time || "
                                       "coalesce(end_time, '') || coalesce(exception_dates, '') || "
                                       "coalesce(recurrence_dates, '') || coalesce(recurrence_id, '') || sync_status "
                                       "AS r FROM events UNION ALL SELECT id || trigger_time FROM reminders ORDER BY 1)"))
        .toString();
}

// A floating (or zoned) series as the previous version left it, upgraded.
struct UpgradedSeries
{
    QString failure; // what went wrong in setting it up
    QString skipped; // the series' exception_dates
    QStringList changed; // each changed row's recurrence id
    QStringList statuses; // the series' sync status, then each changed row's
    QStringList texts; // the series' text, then each changed row's
    QString besideSkipped; // the exception_dates of a series beside it that cannot be written
    int due = -1; // the renaming still marked due
    int renamedAgain = -1; // what a second renaming changes
    QStringList shown; // the starts from 20 April for three weeks
};

// A store at version 24 holding a series first on the wall-clock `start`
// ("yyyyMMddTHHmmss") of the computer's zone, or of `zone`, with the rule,
// the skipped days and one changed row for each stamp of `changed` (two
// hours later, as the server holds what this device wrote), brought to
// the current version. Where `besideRefused`, another series like it
// beside it cannot be written. A floating series read in `readIn` was
// stored on that zone's wall clock, the upgrade starting on the computer's.
UpgradedSeries upgradeSeries(const QString &zone, const QString &start, const QString &rule,
                             const QStringList &skipped, const QStringList &changed, bool besideRefused,
                             const QByteArray &readIn = QByteArray())
{
    UpgradedSeries after;
    const bool floating = zone.isEmpty();
    const QTimeZone readZone = readIn.isEmpty() ? QTimeZone::systemTimeZone() : QTimeZone(readIn);
    const QDateTime wall = QDateTime::fromString(start, QStringLiteral("yyyyMMdd'T'HHmmss"));
    const QDateTime first = QDateTime(wall.date(), wall.time(), floating ? readZone : QTimeZone(zone.toUtf8()));
    const QString text = QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:walk\r\nSUMMARY:Walk\r\n%1\r\n"
                                        "RRULE:%2\r\nEXDATE:%3\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
                             .arg(floating ? QStringLiteral("DTSTART:") + start
                                           : QStringLiteral("DTSTART;TZID=%1:%2").arg(zone, start),
                                  rule, skipped.join(QLatin1Char(',')));
    TestStore store(24);
    QStringList setUp{
        QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('a', 'A', 'caldav')"),
        QStringLiteral("INSERT INTO calendars (id, account_id, url, name) VALUES ('c', 'a', 'u', 'C')"),
        QStringLiteral("INSERT INTO events (id, calendar_id, uid, title, start_time, end_time, timezone, "
                       "recurrence_rule, exception_dates, raw_icalendar, href, sequence) VALUES ('s', 'c', 'walk', "
                       "'Walk', '%1', '%2', '%3', '%4', '[\"%5\"]', '%6', '/c/walk.ics', 1)")
            .arg(StoredTime::instant(first), StoredTime::instant(first.addSecs(3600)),
                 floating ? QStringLiteral("UTC") : zone, rule, skipped.join(QLatin1String("\",\"")), text)};
    for (qsizetype i = 0; i < changed.size(); ++i) {
        // Moved to 12:00 on the day it was shown.
        const QString id = changed.at(i);
        QDateTime shownAt = QDateTime::fromString(id, QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
        shownAt.setTimeSpec(Qt::UTC);
        shownAt = shownAt.toTimeZone(readZone);
        const QDateTime movedAt = QDateTime(shownAt.date(), QTime(12, 0), readZone).toUTC();
        const QString occurrence =
            QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:walk\r\nRECURRENCE-ID:%1\r\nDTSTART:%2\r\n"
                           "SUMMARY:Walk later\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
                .arg(id, IcsText::utcText(movedAt));
        setUp << QStringLiteral("INSERT INTO events (id, calendar_id, uid, master_event_uid, recurrence_id, title, "
                                "start_time, end_time, raw_icalendar, href, sequence) VALUES ('o%1', 'c', 'walk', "
                                "'walk', '%2', 'Walk later', '%3', '%4', '%5', '/c/walk.ics', 1)")
                     .arg(QString::number(i), id, StoredTime::instant(movedAt),
                          StoredTime::instant(movedAt.addSecs(3600)), occurrence);
    }
    if (besideRefused)
        setUp << QStringLiteral("INSERT INTO events (id, calendar_id, uid, title, start_time, end_time, timezone, "
                                "recurrence_rule, exception_dates, raw_icalendar) SELECT 't', calendar_id, 'run', 'Run', "
                                "start_time, end_time, timezone, recurrence_rule, exception_dates, "
                                "replace(raw_icalendar, 'UID:walk', 'UID:run') FROM events WHERE id = 's'")
              << QStringLiteral("CREATE TRIGGER refused BEFORE UPDATE OF exception_dates ON events WHEN OLD.id = 't' "
                                "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    for (const QString &statement : std::as_const(setUp)) {
        if (!store.exec(statement))
            after.failure = QStringLiteral("could not store: ") + statement;
    }
    if (!after.failure.isEmpty())
        return after;
    if (!store.db()->migrate()) {
        after.failure = QStringLiteral("the upgrade failed");
        return after;
    }
    const auto column = [&store](const QString &id, const char *name) {
        return storedColumn(store.db(), QStringLiteral("events"), id, QLatin1String(name));
    };
    after.skipped = column(QStringLiteral("s"), "exception_dates");
    after.besideSkipped = column(QStringLiteral("t"), "exception_dates");
    after.statuses << column(QStringLiteral("s"), "sync_status");
    after.texts << column(QStringLiteral("s"), "raw_icalendar");
    for (qsizetype i = 0; i < changed.size(); ++i) {
        const QString id = QStringLiteral("o%1").arg(i);
        after.changed << column(id, "recurrence_id");
        after.statuses << column(id, "sync_status");
        after.texts << column(id, "raw_icalendar");
    }
    after.due = store.count(QStringLiteral("settings"), QStringLiteral("key = 'store/floatingStampsRenameDue'"));
    after.renamedAgain = FloatingStamps::rename(store.db());
    EventRepository events(store.db());
    const QDateTime from(QDate(2026, 4, 20), QTime(0, 0));
    for (const Event &shown :
         Recurrence::expandForRange(events.getByCalendar(QStringLiteral("c")), from, from.addDays(21)))
        after.shown << IcsText::utcText(shown.start_time);
    after.shown.sort();
    return after;
}

// What a store the previous version left (schema 25, no zone recorded)
// shows at home in Berlin, where its rows were read, after the upgrade
// first started on a computer in `firstStart` and then at home again.
struct HomeAgain
{
    QString failure;
    QStringList shown; // each floating time on the wall clock at home
    QStringList pending; // the rows that would go up
    QStringList unchanged; // the rows no start may touch, as they are after
    QStringList unchangedBefore; // and as they were
    QString walkText; // the walk's text after both starts
    QString renamedText; // the walk's text once renamed at home
    QString rows; // every row's times and state, to compare with the start at home
};

HomeAgain upgradeAwayThenHome(const QByteArray &firstStart, bool oneReadInNewYork)
{
    HomeAgain after;
    const QTimeZone berlin("Europe/Berlin");
    const auto at = [&berlin](int month, int day, int hour, int minute) {
        return QDateTime(QDate(2026, month, day), QTime(hour, minute), berlin);
    };
    const auto text = [](const QString &uid, const QString &lines) {
        return QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:%1\r\nSUMMARY:%1\r\n%2END:VEVENT\r\n"
                              "END:VCALENDAR\r\n")
            .arg(uid, lines);
    };
    // id, start, end, zone, rule, skipped days, recurrence id, status, sequence, text
    struct Row
    {
        QString id;
        QString start;
        QString end;
        QString zone;
        QString rule;
        QString skipped;
        QString name;
        QString status;
        int sequence;
        QString text;
    };
    const QString iso = QStringLiteral("yyyy-MM-dd'T'HH:mm:ss'Z'");
    QList<Row> rows{
        // Another client's weekly walk at 09:00 with a skipped day.
        {"walk", StoredTime::instant(at(3, 2, 9, 0)), StoredTime::instant(at(3, 2, 10, 0)), "", "FREQ=WEEKLY",
         QStringLiteral("[\"%1\"]").arg(IcsText::utcText(at(3, 16, 9, 0))), "", "synced", 0,
         text("walk", "DTSTART:20260302T090000\r\nDTEND:20260302T100000\r\nRRULE:FREQ=WEEKLY\r\n"
                      "EXDATE:20260316T090000\r\n")},
        // Mondays 18:00, one day skipped and one changed here under the UTC
        // stepping (19:00 in summer): renamed wherever the upgrade starts.
        {"run", StoredTime::instant(at(3, 2, 18, 0)), StoredTime::instant(at(3, 2, 19, 0)), "", "FREQ=WEEKLY",
         "[\"20260420T170000Z\"]", "", "synced", 1,
         text("run", "DTSTART:20260302T180000\r\nDTEND:20260302T190000\r\nRRULE:FREQ=WEEKLY\r\n"
                     "EXDATE:20260420T170000Z\r\n")},
        {"run-o", "2026-04-27T18:00:00Z", "2026-04-27T19:00:00Z", "UTC", "", "", "20260427T170000Z", "synced", 1,
         text("run", "RECURRENCE-ID:20260427T170000Z\r\nDTSTART:20260427T180000Z\r\n")},
        {"coffee", StoredTime::instant(at(3, 5, 9, 0)), StoredTime::instant(at(3, 5, 9, 30)), "", "", "", "",
         "synced", 0, text("coffee", "DTSTART:20260305T090000\r\nDTEND:20260305T093000\r\n")},
        {"lunch", StoredTime::instant(at(7, 10, 12, 30)), StoredTime::instant(at(7, 10, 13, 30)), "", "", "", "",
         "synced", 0, text("lunch", "DTSTART:20260710T123000\r\nDTEND:20260710T133000\r\n")},
        // The user's own edit, not sent yet.
        {"dentist", StoredTime::instant(at(3, 12, 15, 0)), StoredTime::instant(at(3, 12, 16, 0)), "", "", "", "",
         "pending", 1, text("dentist", "DTSTART:20260312T150000\r\nDTEND:20260312T160000\r\nSEQUENCE:1\r\n")},
        {"meeting", "2026-03-04T09:00:00Z", "2026-03-04T10:00:00Z", "Europe/Berlin", "", "", "", "synced", 0,
         text("meeting", "DTSTART;TZID=Europe/Berlin:20260304T100000\r\nDTEND;TZID=Europe/Berlin:20260304T110000\r\n")},
        {"call", "2026-03-04T12:00:00Z", "2026-03-04T12:30:00Z", "UTC", "", "", "", "synced", 0,
         text("call", "DTSTART:20260304T120000Z\r\nDTEND:20260304T123000Z\r\n")},
        {"holiday", "2026-03-06", "2026-03-07", "", "", "", "", "synced", 0,
         text("holiday", "DTSTART;VALUE=DATE:20260306\r\nDTEND;VALUE=DATE:20260307\r\n")},
    };
    if (oneReadInNewYork) {
        // Read on a trip under the previous version, pinned there.
        const QTimeZone newYork("America/New_York");
        rows.append({"conference", QDateTime(QDate(2026, 3, 18), QTime(14, 0), newYork).toUTC().toString(iso),
                     QDateTime(QDate(2026, 3, 18), QTime(15, 0), newYork).toUTC().toString(iso), "", "", "", "",
                     "synced", 0, text("conference", "DTSTART:20260318T140000\r\nDTEND:20260318T150000\r\n")});
    }
    TestStore store(25);
    QStringList setUp{
        QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('a', 'A', 'caldav')"),
        QStringLiteral("INSERT INTO calendars (id, account_id, url, name) VALUES ('c', 'a', 'u', 'C')"),
        QStringLiteral("INSERT INTO tasks (id, calendar_id, uid, title, due_date, raw_icalendar) VALUES ('t', 'c', "
                       "'t', 'Report', '2026-03-10T16:00:00Z', 'BEGIN:VCALENDAR')")};
    for (const Row &row : std::as_const(rows)) {
        const bool changed = !row.name.isEmpty();
        setUp << QStringLiteral("INSERT INTO events (id, calendar_id, uid, master_event_uid, recurrence_id, title, "
                                "start_time, end_time, is_all_day, timezone, recurrence_rule, exception_dates, "
                                "sync_status, sequence, raw_icalendar, href) VALUES ('%1', 'c', '%2', '%3', '%4', '%1', "
                                "'%5', '%6', %7, '%8', '%9', '%10', '%11', %12, '%13', '/c/%2.ics')")
                     .arg(row.id, changed ? QStringLiteral("run") : row.id, changed ? QStringLiteral("run") : QString(),
                          row.name, row.start, row.end, row.id == QLatin1String("holiday") ? QStringLiteral("1") : QStringLiteral("0"), row.zone,
                          row.rule)
                     .arg(row.skipped, row.status, QString::number(row.sequence), row.text);
    }
    setUp << QStringLiteral("INSERT INTO reminders (id, event_id, minutes_before, trigger_time) VALUES ('m', "
                            "'coffee', 15, '%1')")
                 .arg(StoredTime::instant(at(3, 5, 8, 45)));
    for (const QString &statement : std::as_const(setUp)) {
        if (!store.exec(statement))
            after.failure = QStringLiteral("could not store: ") + statement;
    }
    const QString untouched = QStringLiteral("SELECT id || ' ' || start_time || ' ' || end_time FROM events WHERE id IN "
                                             "('meeting', 'call', 'holiday') UNION ALL SELECT id || ' ' || due_date "
                                             "FROM tasks ORDER BY 1");
    const auto texts = [&store](const QString &sql) {
        QStringList found;
        QSqlQuery read(store.db()->database());
        read.exec(sql);
        while (read.next())
            found << read.value(0).toString();
        return found;
    };
    after.unchangedBefore = texts(untouched);
    const QString path = store.dir().databasePath();
    bool started = false;
    inComputerZone(firstStart, [&] {
        Database db;
        started = db.open(path, QStringLiteral("first-start")) && db.migrate();
    });
    if (!started)
        after.failure += QStringLiteral("the first start failed");
    if (!after.failure.isEmpty())
        return after;
    inComputerZone("Europe/Berlin", [&] {
        Database db;
        if (!db.open(path, QStringLiteral("home")) || !db.migrate())
            return;
        EventRepository events(&db);
        events.holdChanges(true); // no event loop on this thread
        const QString reading = QStringLiteral("MM-dd HH:mm");
        const QDateTime march(QDate(2026, 3, 1), QTime(0, 0));
        for (const Event &shown : Recurrence::expandForRange(events.getByCalendar(QStringLiteral("c")), march,
                                                             march.addDays(140))) {
            if (Recurrence::isFloating(shown) || shown.uid == QLatin1String("run"))
                after.shown << shown.uid + QLatin1Char(' ') + shown.start_time.toLocalTime().toString(reading);
        }
        const std::optional<Event> coffee = events.getById(QStringLiteral("coffee"));
        if (coffee && !coffee->reminders.isEmpty() && coffee->reminders.first().trigger_time)
            after.shown << QStringLiteral("reminder ")
                               + coffee->reminders.first().trigger_time->toLocalTime().toString(reading);
        // A rename at home, as the form's save writes it.
        std::optional<Event> walk = events.getById(QStringLiteral("walk"));
        if (!walk)
            return;
        after.walkText = walk->raw_icalendar;
        walk->title = QStringLiteral("Walk, renamed");
        ++walk->sequence;
        walk->sync_status = SyncStatus::Pending;
        walk->raw_icalendar = IcsCodec::buildEventIcs(*walk);
        if (events.update(*walk))
            after.renamedText = events.getById(QStringLiteral("walk")).value_or(Event()).raw_icalendar;
    });
    after.shown.sort();
    after.pending = texts(QStringLiteral("SELECT id FROM events WHERE sync_status = 'pending' AND id <> 'walk' "
                                         "ORDER BY id"));
    after.unchanged = texts(untouched);
    after.rows = rowDump(store);
    return after;
}

} // namespace

class TestDatabase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void freshDatabaseRecordsEveryMigrationByName()
    {
        TempDataDir dir;
        Database db;
        QVERIFY(db.open(dir.databasePath()));
        QSignalSpy applied(&db, &Database::migrationApplied);
        QVERIFY(db.migrate());
        QCOMPARE(applied.count(), Database::migrations().size());
        QCOMPARE(db.schemaVersion(), Database::migrations().last().version);

        QSqlQuery q(db.database());
        QVERIFY(q.exec(QStringLiteral("SELECT version, name FROM schema_version ORDER BY version")));
        QStringList recorded;
        QStringList bundled;
        while (q.next())
            recorded << q.value(0).toString() + QLatin1Char(' ') + q.value(1).toString();
        for (const Database::Migration &m : Database::migrations())
            bundled << QString::number(m.version) + QLatin1Char(' ') + m.name;
        QCOMPARE(recorded, bundled);
    }

    void freshSchemaMatchesTheGoldenDump()
    {
        // After a deliberate schema change, rewrite the golden file from a fresh
        // database and review its diff:
        //   TINDLE_WRITE_GOLDEN=1 ctest -R 'tst_database.UTC'
        TestStore store;
        QVERIFY(store.isOpen());
        const QString actual = schemaDump(store.db());
        const QString path = QFINDTESTDATA("data/schema.sql");
        QVERIFY2(!path.isEmpty(), "tests/store/data/schema.sql is missing");
        QFile golden(path);
        if (qEnvironmentVariableIsSet("TINDLE_WRITE_GOLDEN")) {
            QVERIFY(golden.open(QIODevice::WriteOnly | QIODevice::Truncate));
            golden.write(actual.toUtf8());
            QSKIP("golden schema rewritten");
        }
        QVERIFY(golden.open(QIODevice::ReadOnly));
        QCOMPARE(actual, QString::fromUtf8(golden.readAll()));
    }

    void migratedDatabaseRunsNothingAndEmitsNothing()
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
        QVERIFY(db.migrate());
        QCOMPARE(applied.count(), 0);
        QCOMPARE(failed.count(), 0);
        QSqlQuery q(db.database());
        QVERIFY(q.exec(QStringLiteral("SELECT (SELECT COUNT(*) FROM schema_version), "
                                      "(SELECT COUNT(*) FROM calendar_views)")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), Database::migrations().size());
        QCOMPARE(q.value(1).toInt(), 1); // the seeded group, once
    }

    void walAndForeignKeysAreOn()
    {
        TestStore store;
        QVERIFY(store.isOpen());
        QCOMPARE(store.scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
        QCOMPARE(store.scalar(QStringLiteral("PRAGMA foreign_keys")).toInt(), 1);
    }

    // A writer on a connection of its own holds this one's automatic
    // checkpoints; holds nest, and the last one puts the setting back.
    void heldCheckpointsComeBackAfterTheLastHold()
    {
        TestStore store;
        QVERIFY(store.exec(QStringLiteral("PRAGMA wal_autocheckpoint=777")));
        const auto setting = [&store] { return store.scalar(QStringLiteral("PRAGMA wal_autocheckpoint")).toInt(); };
        store.db()->holdCheckpoints(true);
        store.db()->holdCheckpoints(true);
        QCOMPARE(setting(), 0);
        store.db()->holdCheckpoints(false);
        QCOMPARE(setting(), 0);
        store.db()->holdCheckpoints(false);
        QCOMPARE(setting(), 777);
    }

    void intermediateVersionMigratesForwardWithData_data()
    {
        QTest::addColumn<int>("version");
        for (int v = 1; v < Database::migrations().last().version; ++v)
            QTest::addRow("from %d", v) << v;
    }

    void intermediateVersionMigratesForwardWithData()
    {
        QFETCH(int, version);
        TestStore store(version);
        QVERIFY(store.isOpen());
        QCOMPARE(store.db()->schemaVersion(), version);

        // Rows that every version can hold: a live account with a calendar, an
        // event with a reminder, a task, a setting.
        QVERIFY(store.exec(QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('a1', 'Home', 'tindlebrook')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO calendars (id, account_id, url, name) "
                                          "VALUES ('c1', 'a1', 'local://c1', 'Personal')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO events (id, calendar_id, uid, title, start_time, raw_icalendar) "
                                          "VALUES ('e1', 'c1', 'u1', 'Dentist', '2026-12-06T09:00:00Z', '')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO reminders (id, event_id, minutes_before) VALUES ('r1', 'e1', 10)")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO tasks (id, calendar_id, uid, title, raw_icalendar) "
                                          "VALUES ('t1', 'c1', 'tu1', 'Call back', '')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO settings (key, value) VALUES ('ui/viewMode', 'week')")));

        QSignalSpy applied(store.db(), &Database::migrationApplied);
        QVERIFY(store.db()->migrate());
        QCOMPARE(store.db()->schemaVersion(), Database::migrations().last().version);
        QCOMPARE(applied.count(), Database::migrations().last().version - version);
        QCOMPARE(applied.first().at(0).toInt(), version + 1);

        QCOMPARE(store.scalar(QStringLiteral("SELECT title || sync_status FROM events WHERE id = 'e1'")).toString(),
                 QStringLiteral("Dentistsynced"));
        QCOMPARE(store.scalar(QStringLiteral("SELECT minutes_before FROM reminders WHERE id = 'r1'")).toInt(), 10);
        QCOMPARE(store.scalar(QStringLiteral("SELECT item_type || repeat_mode FROM tasks WHERE id = 't1'")).toString(),
                 QStringLiteral("taskfromDueDate"));
        QCOMPARE(store.scalar(QStringLiteral("SELECT value FROM settings WHERE key = 'ui/viewMode'")).toString(),
                 QStringLiteral("week"));
        // Our own calendars hold tasks once migration 14 has run over them.
        QCOMPARE(store.scalar(QStringLiteral("SELECT supported_components FROM calendars WHERE id = 'c1'")).toString(),
                 version < 14 ? QStringLiteral("[\"VEVENT\",\"VTODO\"]") : QStringLiteral("[\"VEVENT\"]"));
    }

    void failingStatementRollsBackWholeScript()
    {
        TestStore store(9);
        QVERIFY(store.isOpen());
        // Migration 10 creates a table and then two indexes; an index already
        // holding the third statement's name makes that statement fail.
        QVERIFY(store.exec(QStringLiteral("CREATE INDEX idx_task_reminders_trigger ON tasks(title)")));

        QSignalSpy failed(store.db(), &Database::migrationError);
        QSignalSpy applied(store.db(), &Database::migrationApplied);
        QVERIFY(!store.db()->migrate());
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failed.first().at(0).toInt(), 10);
        QCOMPARE(applied.count(), 0);
        QCOMPARE(store.db()->schemaVersion(), 9);
        QCOMPARE(store.count(QStringLiteral("sqlite_master"),
                             QStringLiteral("name IN ('task_reminders', 'idx_task_reminders_task')")),
                 0);
        // Later migrations were not tried.
        QCOMPARE(store.count(QStringLiteral("pragma_table_info('tasks')"), QStringLiteral("name = 'item_type'")), 0);

        // Once the obstacle is gone the next start picks up at migration 10.
        QVERIFY(store.exec(QStringLiteral("DROP INDEX idx_task_reminders_trigger")));
        QVERIFY(store.db()->migrate());
        QCOMPARE(store.db()->schemaVersion(), Database::migrations().last().version);
    }

    void migration6KeepsOldestDuplicateAndItsChildren()
    {
        TestStore store(5);
        QVERIFY(store.isOpen());
        QVERIFY(store.exec(QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('a', 'A', 'caldav')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO calendars (id, account_id, url, name) VALUES ('c', 'a', 'u', 'C')")));
        const QString insert = QStringLiteral(
            "INSERT INTO events (id, calendar_id, uid, title, start_time, raw_icalendar, recurrence_id, created) "
            "VALUES ('%1', 'c', 'dup', 't', '2026-01-01T00:00:00Z', '', %2, '%3')");
        QVERIFY(store.exec(insert.arg("e3", "NULL", "2026-01-02 00:00:00")));
        QVERIFY(store.exec(insert.arg("e2", "NULL", "2026-01-01 00:00:00")));
        QVERIFY(store.exec(insert.arg("e1", "''", "2026-01-01 00:00:00")));
        // A different recurrence id is another logical row and stays.
        QVERIFY(store.exec(insert.arg("e4", "'20260105T000000Z'", "2026-01-03 00:00:00")));
        for (const char *event : {"e1", "e2", "e3"}) {
            QVERIFY(store.exec(QStringLiteral("INSERT INTO attendees (id, event_id, email) VALUES ('at-%1', '%1', 'x@y')").arg(event)));
            QVERIFY(store.exec(QStringLiteral("INSERT INTO attachments (id, event_id, filename) VALUES ('ac-%1', '%1', 'f')").arg(event)));
            QVERIFY(store.exec(QStringLiteral("INSERT INTO reminders (id, event_id, minutes_before) VALUES ('r-%1', '%1', 5)").arg(event)));
        }

        QVERIFY(store.db()->migrate());
        // e1 and e2 share the earliest created; the smaller id wins.
        QCOMPARE(store.scalar(QStringLiteral("SELECT group_concat(id) FROM (SELECT id FROM events ORDER BY id)")).toString(),
                 QStringLiteral("e1,e4"));
        for (const char *table : {"attendees", "attachments", "reminders"})
            QCOMPARE(store.scalar(QStringLiteral("SELECT group_concat(event_id) FROM %1").arg(QLatin1String(table))).toString(),
                     QStringLiteral("e1"));
    }

    void uniqueIndexRejectsSecondCopyEvenOfTombstone()
    {
        TestStore store;
        QVERIFY(store.isOpen());
        QVERIFY(store.exec(QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('a', 'A', 'caldav')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO calendars (id, account_id, url, name) VALUES ('c', 'a', 'u', 'C')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO events (id, calendar_id, uid, title, start_time, raw_icalendar, deleted_at) "
                                          "VALUES ('e1', 'c', 'u', 't', 'x', '', '2026-01-01T00:00:00Z')")));
        QSqlQuery q(store.db()->database());
        QVERIFY(!q.exec(QStringLiteral("INSERT INTO events (id, calendar_id, uid, title, start_time, raw_icalendar, recurrence_id) "
                                       "VALUES ('e2', 'c', 'u', 't', 'x', '', '')")));
        QVERIFY(q.lastError().text().contains(QLatin1String("UNIQUE"), Qt::CaseInsensitive));
    }

    void migration12ReapsOrphanedCalendars()
    {
        TestStore store(11);
        QVERIFY(store.isOpen());
        // Foreign keys would refuse a calendar of a missing account; older
        // databases could hold one all the same.
        QVERIFY(store.exec(QStringLiteral("PRAGMA foreign_keys=OFF")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('live', 'L', 'caldav')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO accounts (id, name, type, deleted_at) VALUES ('dead', 'D', 'caldav', '2026-01-01T00:00:00Z')")));
        const QStringList calendars = {"c-live|live", "c-dead|dead", "c-gone|missing"};
        for (const QString &pair : calendars) {
            const QStringList p = pair.split(QLatin1Char('|'));
            const QString c = p[0];
            QVERIFY(store.exec(QStringLiteral("INSERT INTO calendars (id, account_id, url, name) VALUES ('%1', '%2', 'u', 'n')").arg(c, p[1])));
            QVERIFY(store.exec(QStringLiteral("INSERT INTO events (id, calendar_id, uid, title, start_time, raw_icalendar) VALUES ('e-%1', '%1', 'u', 't', 'x', '')").arg(c)));
            QVERIFY(store.exec(QStringLiteral("INSERT INTO attendees (id, event_id, email) VALUES ('at-%1', 'e-%1', 'm')").arg(c)));
            QVERIFY(store.exec(QStringLiteral("INSERT INTO attachments (id, event_id, filename) VALUES ('ac-%1', 'e-%1', 'f')").arg(c)));
            QVERIFY(store.exec(QStringLiteral("INSERT INTO reminders (id, event_id, minutes_before) VALUES ('r-%1', 'e-%1', 1)").arg(c)));
            QVERIFY(store.exec(QStringLiteral("INSERT INTO tasks (id, calendar_id, uid, title, raw_icalendar) VALUES ('t-%1', '%1', 'u', 't', '')").arg(c)));
            QVERIFY(store.exec(QStringLiteral("INSERT INTO task_reminders (id, task_id, minutes_before) VALUES ('tr-%1', 't-%1', 1)").arg(c)));
            QVERIFY(store.exec(QStringLiteral("INSERT INTO sync_queue (id, operation, entity_type, entity_id, calendar_id, payload) "
                                              "VALUES ('q-%1', 'put', 'event', 'e', '%1', '{}')").arg(c)));
        }
        QVERIFY(store.exec(QStringLiteral("PRAGMA foreign_keys=ON")));

        QVERIFY(store.db()->migrate());
        for (const char *table : {"calendars", "events", "attendees", "attachments", "reminders", "tasks", "task_reminders"}) {
            QVERIFY(store.scalar(QStringLiteral("SELECT group_concat(id) FROM %1").arg(QLatin1String(table))).toString()
                        .endsWith(QLatin1String("c-live")));
            QCOMPARE(store.count(QLatin1String(table)), 1);
        }
    }

    void migration14MarksOwnCalendarsTaskCapable()
    {
        TestStore store(13);
        QVERIFY(store.isOpen());
        QVERIFY(store.exec(QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('own', 'O', 'tindlebrook')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('dav', 'D', 'caldav')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO calendars (id, account_id, url, name, supported_components) VALUES "
                                          "('plain', 'own', 'u', 'n', '[\"VEVENT\"]'), "
                                          "('already', 'own', 'u', 'n', '[\"VTODO\",\"VEVENT\"]'), "
                                          "('other', 'dav', 'u', 'n', '[\"VEVENT\"]')")));
        QVERIFY(store.db()->migrate());
        QCOMPARE(store.scalar(QStringLiteral("SELECT group_concat(id || supported_components, ' ') FROM "
                                             "(SELECT * FROM calendars ORDER BY id)")).toString(),
                 QStringLiteral("already[\"VTODO\",\"VEVENT\"] other[\"VEVENT\"] plain[\"VEVENT\",\"VTODO\"]"));
    }

    // Every CalDAV calendar that synced before the flag counted keeps
    // syncing; other kinds and placeholders are left as they were.
    void migration19SwitchesSyncOnForCalDavCalendars()
    {
        TestStore store(18);
        QVERIFY(store.isOpen());
        QVERIFY(store.exec(QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('dav', 'D', 'caldav'), "
                                          "('icl', 'I', 'icloud'), ('zoh', 'Z', 'zoho'), ('goo', 'G', 'google'), "
                                          "('loc', 'L', 'local'), ('mic', 'M', 'microsoft'), "
                                          "('web', 'W', 'webcal'), ('own', 'O', 'tindlebrook')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO calendars (id, account_id, url, name, is_read_only, "
                                          "canonical_key, sync_enabled) VALUES "
                                          "('dav', 'dav', 'u', 'n', 0, 'k1', 0), ('icl', 'icl', 'u', 'n', 1, '', 0), "
                                          "('zoh', 'zoh', 'u', 'n', 0, NULL, 0), ('goo', 'goo', 'u', 'n', 0, '', 0), "
                                          "('loc', 'loc', 'u', 'n', 0, '', 0), ('stub', 'dav', 'u', 'n', 1, 'k2', 0), "
                                          "('mic', 'mic', 'u', 'n', 1, '', 0), ('micstub', 'mic', 'u', 'n', 1, 'k3', 0), "
                                          "('goostub', 'goo', 'u', 'n', 1, 'k4', 0), ('web', 'web', 'u', 'n', 1, 'k5', 0), "
                                          "('own', 'own', 'local://calendar/own', 'n', 0, 'k6', 0)")));
        QVERIFY(store.db()->migrate());
        QCOMPARE(store.scalar(QStringLiteral("SELECT group_concat(id || sync_enabled, ' ') FROM "
                                             "(SELECT * FROM calendars ORDER BY id)")).toString(),
                 QStringLiteral("dav1 goo1 goostub0 icl1 loc0 mic1 micstub0 own0 stub0 web1 zoh1"));
    }

    // Migration 21 dropped the indexes dedicated to these reads: another
    // index still serves each, so none reads the whole table.
    void migration21LeavesEventReadsAnIndex_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("a calendar's rows") << "calendar_id = ?";
        QTest::newRow("a uid in a calendar") << "uid = ? AND calendar_id = ?";
        QTest::newRow("an account's calendars") << "calendar_id IN (SELECT id FROM calendars WHERE account_id = ?)";
    }

    void migration21LeavesEventReadsAnIndex()
    {
        QFETCH(QString, where);
        TestStore store;
        QVERIFY(store.isOpen());
        QSqlQuery plan(store.db()->database());
        QVERIFY(plan.prepare(QStringLiteral("EXPLAIN QUERY PLAN SELECT * FROM events WHERE ") + where));
        for (qsizetype i = where.count(QLatin1Char('?')); i > 0; --i)
            plan.addBindValue(QStringLiteral("x"));
        QVERIFY2(plan.exec(), qPrintable(plan.lastError().text()));
        QStringList steps;
        while (plan.next())
            steps << plan.value(3).toString();
        const QStringList reads = steps.filter(QRegularExpression(QStringLiteral("^(SCAN|SEARCH) events\\b")));
        QCOMPARE(reads.size(), 1);
        QVERIFY2(reads.first().startsWith(QLatin1String("SEARCH events USING ")), qPrintable(steps.join(" | ")));
    }

    // Rows stored with 86,400 s a day from a DURATION:P1D at noon in Berlin.
    // Unedited, they take the end their text gives now: across the change to
    // summer time (29 March) a day has 23 hours, to winter time (25 October)
    // 25; an alarm before the end moves with it. An edit here that left the
    // times of the server's copy takes the end too; one that wrote times of
    // its own keeps them, even an end moved by the hour of the change onto
    // the end read before. A series keeps its one length for every
    // occurrence, and a start cut short leaves everything to the next one.
    void migration23ReadsDayDurationsAgain_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("here"); // what happened to the row before the upgrade
        QTest::addColumn<QString>("end");
        QTest::newRow("event, spring") << "events" << "20260328" << "" << "2026-03-29T10:00:00Z";
        QTest::newRow("event, autumn") << "events" << "20261024" << "" << "2026-10-25T11:00:00Z";
        QTest::newRow("task, spring") << "tasks" << "20260328" << "" << "2026-03-29T10:00:00Z";
        QTest::newRow("task, autumn") << "tasks" << "20261024" << "" << "2026-10-25T11:00:00Z";
        QTest::newRow("event, title edited") << "events" << "20261024" << "title edited" << "2026-10-25T11:00:00Z";
        // The task writer puts the due date the row holds in place of the
        // duration at any edit: that cannot be told from a due date moved
        // onto it, so it stays.
        QTest::newRow("task, title edited") << "tasks" << "20260328" << "title edited" << "2026-03-29T11:00:00Z";
        QTest::newRow("task, due date edited") << "tasks" << "20260328" << "end edited" << "2026-03-29T13:00:00Z";
        QTest::newRow("event, end moved an hour, spring") << "events" << "20260328" << "end moved" << "2026-03-29T11:00:00Z";
        QTest::newRow("task, due moved an hour, autumn") << "tasks" << "20261024" << "end moved" << "2026-10-25T10:00:00Z";
        QTest::newRow("task, a start cut short") << "tasks" << "20261024" << "cut short" << "2026-10-25T11:00:00Z";
        QTest::newRow("event series") << "events" << "20260328" << "series" << "2026-03-29T10:00:00Z";
        QTest::newRow("task series") << "tasks" << "20261024" << "series" << "2026-10-25T11:00:00Z";
    }

    void migration23ReadsDayDurationsAgain()
    {
        QFETCH(QString, table);
        QFETCH(QString, day);
        QFETCH(QString, here);
        QFETCH(QString, end);
        const bool task = table == QLatin1String("tasks");
        const QString startColumn = task ? QStringLiteral("start_date") : QStringLiteral("start_time");
        const QString endColumn = task ? QStringLiteral("due_date") : QStringLiteral("end_time");
        const QDateTime noon(QDate::fromString(day, QStringLiteral("yyyyMMdd")), QTime(12, 0),
                             QTimeZone("Europe/Berlin"));
        const QDateTime before = noon.addSecs(86400).toUTC();
        const QString rule = here == QLatin1String("series") ? QStringLiteral("RRULE:FREQ=DAILY\r\n") : QString();
        const QString text = QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:%1\r\nUID:u\r\nSUMMARY:Day\r\n"
                                            "DTSTART;TZID=Europe/Berlin:%2T120000\r\n%3DURATION:P1D\r\nBEGIN:VALARM\r\n"
                                            "TRIGGER;RELATED=END:-PT15M\r\nEND:VALARM\r\nEND:%1\r\nEND:VCALENDAR\r\n")
                                 .arg(task ? "VTODO" : "VEVENT", day, rule);
        TestStore store(22);
        QVERIFY(store.exec(QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('a', 'A', 'caldav')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO calendars (id, account_id, url, name) "
                                          "VALUES ('c', 'a', 'u', 'C')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO %1 (id, calendar_id, uid, title, raw_icalendar, %2, %3) "
                                          "VALUES ('r', 'c', 'u', 'Day', '%4', '%5', '%6')")
                               .arg(table, startColumn, endColumn, text, noon.toUTC().toString(Qt::ISODate),
                                    before.toString(Qt::ISODate))));
        QVERIFY(!task || store.exec(QStringLiteral("UPDATE tasks SET start_is_date_only = 0, due_is_date_only = 0")));
        const bool editedHere = here.endsWith(QLatin1String("edited")) || here == QLatin1String("end moved");
        if (editedHere) {
            // Written as an edit writes it: the record's end in place of the
            // duration, but for an event's times the edit left as they were.
            // The end the server's copy gives now, moved by the hour of the
            // change, is the one read before.
            const QDateTime edited = here == QLatin1String("end edited") ? before.addSecs(7200) : before;
            QString mine = text;
            mine.replace(QLatin1String("SUMMARY:Day"), QLatin1String("SUMMARY:Day, edited"));
            if (task || here != QLatin1String("title edited"))
                mine.replace(QLatin1String("DURATION:P1D"),
                             (task ? "DUE:" : "DTEND:") + edited.toString("yyyyMMdd'T'HHmmss'Z'"));
            QVERIFY(store.exec(QStringLiteral("UPDATE %1 SET title = 'Day, edited', sync_status = 'pending', "
                                              "%2 = '%3', raw_icalendar = '%4'")
                                   .arg(table, endColumn, edited.toString(Qt::ISODate), mine)));
        }
        // Its alarm as stored: an event's counted from its start.
        const QString reminders = task ? QStringLiteral("task_reminders") : QStringLiteral("reminders");
        QVERIFY(store.exec(QStringLiteral("INSERT INTO %1 (id, %2, minutes_before, trigger_time) SELECT 'm', id, %3, "
                                          "strftime('%Y-%m-%dT%H:%M:%SZ', %4, '-15 minutes') FROM %5")
                               .arg(reminders, task ? "task_id" : "event_id",
                                    task ? "15" : "15 - (strftime('%s', end_time) - strftime('%s', start_time)) / 60",
                                    endColumn, table)));
        const QString mark = QStringLiteral("key = 'store/dayDurationsRereadDue'");
        if (here == QLatin1String("cut short")) {
            QVERIFY(store.exec(QStringLiteral("CREATE TRIGGER cut BEFORE UPDATE ON task_reminders "
                                              "BEGIN SELECT RAISE(ABORT, 'cut short'); END")));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cut short")));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("tries again")));
            QVERIFY(store.db()->migrate());
            QCOMPARE(storedColumn(store.db(), table, QStringLiteral("r"), endColumn), before.toString(Qt::ISODate));
            QCOMPARE(store.count(QStringLiteral("settings"), mark), 1);
            QVERIFY(store.exec(QStringLiteral("DROP TRIGGER cut")));
        }
        QVERIFY(store.db()->migrate());
        QCOMPARE(storedColumn(store.db(), table, QStringLiteral("r"), endColumn), end);
        QCOMPARE(storedColumn(store.db(), table, QStringLiteral("r"), QStringLiteral("title")),
                 editedHere ? QStringLiteral("Day, edited") : QStringLiteral("Day"));
        QCOMPARE(storedColumn(store.db(), reminders, QStringLiteral("m"), QStringLiteral("trigger_time")),
                 QDateTime::fromString(end, Qt::ISODate).addSecs(-900).toString(Qt::ISODate));
        QCOMPARE(store.count(QStringLiteral("settings"), mark), 0);
        QCOMPARE(DayDurationReread::reread(store.db()), 0);
    }

    // A timed event another client wrote without a zone was stored as a UTC
    // one, and its series stepped in UTC: it has no zone now, where every
    // DTSTART of its text says so.
    void migration25GivesFloatingEventsNoZone_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("timezone");
        const QString series = QStringLiteral("DTSTART:20260302T090000\r\nRRULE:FREQ=WEEKLY\r\n");
        QTest::newRow("floating series") << series << "";
        QTest::newRow("floating series, lines ended by LF") << QString(series).remove(QLatin1Char('\r')) << "";
        QTest::newRow("UTC series") << QStringLiteral("DTSTART:20260302T080000Z\r\nRRULE:FREQ=WEEKLY\r\n") << "UTC";
        QTest::newRow("floating series, an occurrence in UTC")
            << series + QStringLiteral("END:VEVENT\r\nBEGIN:VEVENT\r\nUID:u\r\nRECURRENCE-ID:20260309T080000Z\r\n"
                                       "DTSTART:20260309T100000Z\r\n")
            << "UTC";
        QTest::newRow("floating times beside a zone's definition")
            << series + QStringLiteral("END:VEVENT\r\nBEGIN:VTIMEZONE\r\nTZID:Office\r\nBEGIN:STANDARD\r\n"
                                       "DTSTART:19701025T030000\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n"
                                       "END:STANDARD\r\nEND:VTIMEZONE\r\nBEGIN:VEVENT\r\nUID:v\r\n")
            << "UTC";
    }

    void migration25GivesFloatingEventsNoZone()
    {
        QFETCH(QString, lines);
        QFETCH(QString, timezone);
        const QString text = QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:u\r\nSUMMARY:Walk\r\n") + lines
                             + QStringLiteral("END:VEVENT\r\nEND:VCALENDAR\r\n");
        TestStore store(24);
        QVERIFY(store.exec(QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('a', 'A', 'caldav')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO calendars (id, account_id, url, name) VALUES ('c', 'a', 'u', 'C')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO events (id, calendar_id, uid, title, start_time, raw_icalendar) "
                                          "VALUES ('r', 'c', 'u', 'Walk', '2026-03-02T08:00:00Z', '%1')")
                               .arg(text)));
        QVERIFY(store.db()->migrate());
        // Read and written again, the row keeps it.
        EventRepository events(store.db());
        const std::optional<Event> read = events.getById(QStringLiteral("r"));
        QVERIFY(read && events.update(*read));
        QCOMPARE(storedColumn(store.db(), QStringLiteral("events"), QStringLiteral("r"), QStringLiteral("timezone")),
                 timezone);
    }

    // The days this device skipped or changed in a floating series under
    // the previous version were named by its stepping in UTC: where that
    // gives another instant than the wall clock's (summer time, or a rule
    // naming days read on the UTC date), each is renamed as the occurrence
    // nearest the one shown for it, where that is clearly the same one,
    // and its row goes up again. A name that gives an occurrence already, a
    // name with no clear counterpart, one another change holds, and a zoned
    // series' names stay. The rows with a zone of their own run on a
    // computer set to it.
    void migration26RenamesFloatingStamps_data()
    {
        QTest::addColumn<QByteArray>("computer"); // empty: the zone the test runs in
        QTest::addColumn<QByteArray>("readIn"); // where the series was read, where not on the computer
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QStringList>("skipped");
        QTest::addColumn<QStringList>("changed");
        QTest::addColumn<QStringList>("skippedNow");
        QTest::addColumn<QStringList>("changedNow");
        QTest::addColumn<QString>("textNow"); // a line of the series' text after, where it changed
        QTest::addColumn<QStringList>("shownNow"); // from 20 April for three weeks, where given
        QTest::addColumn<bool>("besideRefused"); // another series like it cannot be written

        const QString monday = QStringLiteral("20260302T090000");
        const QString weekly = QStringLiteral("FREQ=WEEKLY");
        // 20 April as it was, 27 April skipped, 4 May changed and once.
        const QStringList mondaysShown{wallMonday(7), IcsText::utcText(QDateTime(QDate(2026, 5, 4), QTime(12, 0)))};
        QTest::newRow("floating, named by the UTC stepping")
            << QByteArray() << QByteArray() << "" << monday << weekly << QStringList{utcMonday(8)} << QStringList{utcMonday(9)}
            << QStringList{wallMonday(8)} << QStringList{wallMonday(9)}
            << (utcMonday(8) == wallMonday(8) ? QString() : QStringLiteral("EXDATE:20260427T090000")) << mondaysShown << false;
        QTest::newRow("floating, named on the wall clock")
            << QByteArray() << QByteArray() << "" << monday << weekly << QStringList{wallMonday(8)} << QStringList{wallMonday(9)}
            << QStringList{wallMonday(8)} << QStringList{wallMonday(9)} << QString() << mondaysShown << false;
        QTest::newRow("zoned") << QByteArray() << QByteArray() << "Europe/Berlin" << monday << weekly
                               << QStringList{"20260427T080000Z"} << QStringList{"20260504T080000Z"}
                               << QStringList{"20260427T080000Z"} << QStringList{"20260504T080000Z"} << QString()
                               << QStringList() << false;
        // Shown on Saturdays 00:30 (in UTC, Friday 23:30) before: the user
        // skipped 14 March and 4 April, and changed 21 March.
        QTest::newRow("Berlin, Fridays 00:30")
            << QByteArray("Europe/Berlin") << QByteArray() << "" << "20260306T003000" << "FREQ=WEEKLY;BYDAY=FR"
            << QStringList{"20260313T233000Z", "20260403T233000Z"} << QStringList{"20260320T233000Z"}
            << QStringList{"20260312T233000Z", "20260402T223000Z"} << QStringList{"20260319T233000Z"}
            << "EXDATE:20260313T003000,20260403T003000" << QStringList() << false;
        // Shown on Tuesdays and Thursdays 08:30 (07:30 after the summer).
        QTest::newRow("Auckland, Monday and Wednesday mornings")
            << QByteArray("Pacific/Auckland") << QByteArray() << "" << "20260302T083000" << "FREQ=WEEKLY;BYDAY=MO,WE"
            << QStringList{"20260309T193000Z", "20260415T193000Z"} << QStringList{"20260325T193000Z"}
            << QStringList{"20260308T193000Z", "20260414T203000Z"} << QStringList{"20260324T193000Z"}
            << "EXDATE:20260309T083000,20260415T083000" << QStringList() << false;
        // Shown on Wednesdays 19:00 and Mondays 20:00 (after 8 March): the
        // Wednesday lies as near the Tuesday before as the Thursday after,
        // and only the Thursday was shown at no other time.
        QTest::newRow("Los Angeles, Tuesday and Thursday evenings")
            << QByteArray("America/Los_Angeles") << QByteArray() << "" << "20260303T190000" << "FREQ=WEEKLY;BYDAY=TU,TH"
            << QStringList{"20260305T030000Z", "20260312T030000Z"} << QStringList{"20260310T030000Z"}
            << QStringList{"20260306T030000Z", "20260313T020000Z"} << QStringList{"20260311T020000Z"}
            << "EXDATE:20260305T190000,20260312T190000" << QStringList() << false;
        // Shown on Wednesdays and Fridays 23:30 (in UTC, Thursday and
        // Saturday 06:30): the Wednesday's nearest wall-clock start is the
        // Thursday a day on, not the Saturday four days before.
        QTest::newRow("Los Angeles, Thursday and Saturday nights")
            << QByteArray("America/Los_Angeles") << QByteArray() << "" << "20251023T233000" << "FREQ=WEEKLY;BYDAY=TH,SA"
            << QStringList{"20260326T063000Z"} << QStringList() << QStringList{"20260327T063000Z"} << QStringList()
            << "EXDATE:20260326T233000" << QStringList() << false;
        // The same series first opened by the upgrade in Berlin: named on
        // Los Angeles' wall clock, where it was read, then on Berlin's, as
        // every floating time (Thursday 23:30 there).
        QTest::newRow("Los Angeles, Thursday and Saturday nights, first started in Berlin")
            << QByteArray("Europe/Berlin") << QByteArray("America/Los_Angeles") << "" << "20251023T233000"
            << "FREQ=WEEKLY;BYDAY=TH,SA" << QStringList{"20260326T063000Z"} << QStringList()
            << QStringList{"20260326T223000Z"} << QStringList() << "EXDATE:20260326T233000" << QStringList() << false;
        // Shown on the 2nd at 05:00.
        QTest::newRow("Kolkata, monthly on the 1st at 05:00")
            << QByteArray("Asia/Kolkata") << QByteArray() << "" << "20260301T050000" << "FREQ=MONTHLY;BYMONTHDAY=1"
            << QStringList{"20260501T233000Z"} << QStringList{"20260601T233000Z"}
            << QStringList{"20260430T233000Z"} << QStringList{"20260531T233000Z"} << "EXDATE:20260501T050000"
            << QStringList() << false;
        // Shown Tuesday to Saturday. Wednesday 4 March 00:30 is shown now
        // as then; Saturday 7 March is no weekday's, and stays as it was;
        // 1 and 3 April (01:30 then) take the time of the wall clock.
        QTest::newRow("Berlin, weekdays at 00:30")
            << QByteArray("Europe/Berlin") << QByteArray() << "" << "20260302T003000" << "FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR"
            << QStringList{"20260303T233000Z", "20260306T233000Z", "20260331T233000Z"}
            << QStringList{"20260402T233000Z"}
            << QStringList{"20260303T233000Z", "20260306T233000Z", "20260331T223000Z"}
            << QStringList{"20260402T223000Z"} << QString() << QStringList() << false;
        // 4 May is changed twice: once under the old name, once under the
        // wall clock's (pulled since). The one under the old name stays as
        // it was; the rest is renamed.
        QTest::newRow("Berlin, a change another change holds")
            << QByteArray("Europe/Berlin") << QByteArray() << "" << monday << weekly << QStringList{"20260427T080000Z"}
            << QStringList{"20260504T080000Z", "20260504T070000Z", "20260511T080000Z"}
            << QStringList{"20260427T070000Z"}
            << QStringList{"20260504T080000Z", "20260504T070000Z", "20260511T070000Z"}
            << "EXDATE:20260427T090000" << QStringList() << false;
        // A series that cannot be written stays as it was and is tried again
        // at the next start; the others are renamed.
        QTest::newRow("Berlin, Fridays 00:30, beside a series that cannot be written")
            << QByteArray("Europe/Berlin") << QByteArray() << "" << "20260306T003000" << "FREQ=WEEKLY;BYDAY=FR"
            << QStringList{"20260313T233000Z", "20260403T233000Z"} << QStringList{"20260320T233000Z"}
            << QStringList{"20260312T233000Z", "20260402T223000Z"} << QStringList{"20260319T233000Z"}
            << "EXDATE:20260313T003000,20260403T003000" << QStringList() << true;
    }

    void migration26RenamesFloatingStamps()
    {
        QFETCH(QByteArray, computer);
        QFETCH(QByteArray, readIn);
        QFETCH(QString, zone);
        QFETCH(QString, start);
        QFETCH(QString, rule);
        QFETCH(QStringList, skipped);
        QFETCH(QStringList, changed);
        QFETCH(QStringList, skippedNow);
        QFETCH(QStringList, changedNow);
        QFETCH(QString, textNow);
        QFETCH(QStringList, shownNow);
        QFETCH(bool, besideRefused);
        UpgradedSeries after;
        const auto upgrade = [&] {
            after = upgradeSeries(zone, start, rule, skipped, changed, besideRefused, readIn);
        };
        computer.isEmpty() ? upgrade() : inComputerZone(computer, upgrade);
        QVERIFY2(after.failure.isEmpty(), qPrintable(after.failure));

        QCOMPARE(after.skipped, QStringLiteral("[\"%1\"]").arg(skippedNow.join(QLatin1String("\",\""))));
        QCOMPARE(after.changed, changedNow);
        // Each renamed row goes up, written as the writer writes a floating
        // series and a changed occurrence of its own times.
        QStringList statuses{skippedNow == skipped ? "synced" : "pending"};
        for (qsizetype i = 0; i < changed.size(); ++i)
            statuses << (changedNow.at(i) == changed.at(i) ? "synced" : "pending");
        QCOMPARE(after.statuses, statuses);
        if (!textNow.isEmpty()) {
            QVERIFY2(after.texts.first().contains(textNow + QStringLiteral("\r\n")), qPrintable(after.texts.first()));
            QVERIFY(after.texts.first().contains(QStringLiteral("SEQUENCE:2\r\n")));
        }
        for (qsizetype i = 0; i < changed.size(); ++i) {
            if (changedNow.at(i) != changed.at(i))
                QVERIFY(after.texts.at(i + 1).contains(QStringLiteral("RECURRENCE-ID:%1\r\n").arg(changedNow.at(i))));
        }
        // Done once: no mark left, and a second run (after a start cut
        // short, say) finds nothing to rename.
        QCOMPARE(after.due, besideRefused ? 1 : 0);
        QCOMPARE(after.renamedAgain, 0);
        if (besideRefused)
            QCOMPARE(after.besideSkipped, QStringLiteral("[\"%1\"]").arg(skipped.join(QLatin1String("\",\""))));
        if (!shownNow.isEmpty())
            QCOMPARE(after.shown, shownNow);
    }

    // A floating time is kept as the instant its wall-clock time had in the
    // computer's zone. Opened on a computer in another zone, each such
    // instant keeps its wall-clock reading; UTC and zoned rows, a floating
    // text's own wall-clock entries and a second start in the same zone
    // change nothing.
    void floatingRowsKeepTheirWallClockInAnotherZone()
    {
        const QByteArray here = QTimeZone::systemTimeZoneId();
        const QByteArray there = here == "America/New_York" ? "Asia/Tokyo" : "America/New_York";
        const auto pinnedThere = [&there](int day, int hour, int minute) {
            return QDateTime(QDate(2026, 3, day), QTime(hour, minute), QTimeZone(there));
        };
        const auto local = [](int day, int hour, int minute) {
            return QDateTime(QDate(2026, 3, day), QTime(hour, minute));
        };
        TestStore store;
        const QString zoneKey = QStringLiteral("SELECT value FROM settings WHERE key = 'time/floatingZone'");
        QCOMPARE(store.scalar(zoneKey).toString(), QString::fromUtf8(here));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('a', 'A', 'caldav')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO calendars (id, account_id, url, name) VALUES ('c', 'a', 'u', 'C')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO events (id, calendar_id, uid, title, start_time, end_time, "
                                          "timezone, recurrence_rule, exception_dates, recurrence_dates, raw_icalendar) "
                                          "VALUES ('f', 'c', 'f', 'Walk', '%1', '%2', '', 'FREQ=WEEKLY', "
                                          "'[\"%3\",\"20260323T090000\"]', '[\"%4/PT1H\"]', '')")
                               .arg(StoredTime::instant(pinnedThere(2, 9, 0)), StoredTime::instant(pinnedThere(2, 10, 0)),
                                    IcsText::utcText(pinnedThere(16, 9, 0)), IcsText::utcText(pinnedThere(4, 9, 0)))));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO events (id, calendar_id, uid, master_event_uid, recurrence_id, "
                                          "title, start_time, raw_icalendar) VALUES ('o', 'c', 'f', 'f', '%1', 'Walk', "
                                          "'2026-03-09T12:00:00Z', '')")
                               .arg(IcsText::utcText(pinnedThere(9, 9, 0)))));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO reminders (id, event_id, minutes_before, trigger_time) "
                                          "VALUES ('m', 'f', 15, '%1')")
                               .arg(StoredTime::instant(pinnedThere(2, 8, 45)))));
        for (const char *zone : {"UTC", "Europe/Berlin"})
            QVERIFY(store.exec(QStringLiteral("INSERT INTO events (id, calendar_id, uid, title, start_time, timezone, "
                                              "raw_icalendar) VALUES ('%1', 'c', '%1', 'T', '2026-03-02T08:00:00Z', "
                                              "'%1', '')")
                                   .arg(QLatin1String(zone))));
        // A change made here names the series by master_event_uid under a
        // uid of its own; a zoned series' change keeps its name.
        QVERIFY(store.exec(QStringLiteral("INSERT INTO events (id, calendar_id, uid, master_event_uid, recurrence_id, "
                                          "title, start_time, raw_icalendar) VALUES ('p', 'c', 'p', 'f', '%1', 'Walk', "
                                          "'2026-03-23T12:00:00Z', ''), ('q', 'c', 'Europe/Berlin', 'Europe/Berlin', "
                                          "'20260309T080000Z', 'T', '2026-03-09T12:00:00Z', '')")
                               .arg(IcsText::utcText(pinnedThere(23, 9, 0)))));
        QVERIFY(store.exec(QStringLiteral("UPDATE events SET recurrence_rule = 'FREQ=WEEKLY' WHERE id = 'Europe/Berlin'")));
        // Around each change of this computer's zone in 2026: 09:00 the day
        // before and the day after, and the half hour the change skips (read
        // an hour on) or repeats (read as the first); and 09:00 in 2039.
        const QTimeZone hereZone(here);
        const QString reading = QStringLiteral("yyyy-MM-dd HH:mm");
        QStringList walls;
        QStringList shownHere;
        for (const QTimeZone::OffsetData &change :
             hereZone.transitions(QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC),
                                  QDateTime(QDate(2027, 1, 1), QTime(0, 0), Qt::UTC))) {
            const int before = hereZone.offsetFromUtc(change.atUtc.addSecs(-1));
            const bool skips = change.offsetFromUtc > before;
            const QDateTime halfHour = change.atUtc.addSecs(skips ? 1800 : -1800).toOffsetFromUtc(before);
            for (int days : {-1, 1}) {
                walls << halfHour.date().addDays(days).toString(QStringLiteral("yyyy-MM-dd 09:00"));
                shownHere << walls.last();
            }
            walls << halfHour.toString(reading);
            shownHere << (skips ? halfHour.addSecs(change.offsetFromUtc - before) : halfHour).toString(reading);
        }
        walls << QStringLiteral("2039-07-04 09:00");
        shownHere << walls.last();
        for (qsizetype i = 0; i < walls.size(); ++i) {
            const QDateTime wall = QDateTime::fromString(walls.at(i), reading);
            QVERIFY(store.exec(QStringLiteral("INSERT INTO events (id, calendar_id, uid, title, start_time, timezone, "
                                              "raw_icalendar) VALUES ('w%1', 'c', 'w%1', 'T', '%2', '', '')")
                                   .arg(QString::number(i),
                                        StoredTime::instant(IcsText::wallClock(wall.date(), wall.time(),
                                                                               QTimeZone(there))))));
        }
        QVERIFY(store.exec(QStringLiteral("UPDATE settings SET value = '%1' WHERE key = 'time/floatingZone'")
                               .arg(QString::fromUtf8(there))));

        QVERIFY(store.db()->migrate());
        QStringList shown;
        for (qsizetype i = 0; i < walls.size(); ++i)
            shown << StoredTime::parse(storedColumn(store.db(), QStringLiteral("events"), QStringLiteral("w%1").arg(i),
                                                    QStringLiteral("start_time")))
                         .toLocalTime()
                         .toString(reading);
        QCOMPARE(shown, shownHere);
        const auto column = [&store](const char *table, const char *id, const char *name) {
            return storedColumn(store.db(), QLatin1String(table), QLatin1String(id), QLatin1String(name));
        };
        QCOMPARE((QStringList{column("events", "f", "start_time"), column("events", "f", "end_time"),
                              column("events", "f", "exception_dates"), column("events", "f", "recurrence_dates"),
                              column("events", "o", "recurrence_id"), column("events", "o", "start_time"),
                              column("events", "p", "recurrence_id"), column("events", "q", "recurrence_id"),
                              column("reminders", "m", "trigger_time"), column("events", "UTC", "start_time"),
                              column("events", "Europe/Berlin", "start_time"), store.scalar(zoneKey).toString()}),
                 (QStringList{StoredTime::instant(local(2, 9, 0)), StoredTime::instant(local(2, 10, 0)),
                              QStringLiteral("[\"%1\",\"20260323T090000\"]").arg(IcsText::utcText(local(16, 9, 0))),
                              QStringLiteral("[\"%1/PT1H\"]").arg(IcsText::utcText(local(4, 9, 0))),
                              IcsText::utcText(local(9, 9, 0)), QStringLiteral("2026-03-09T12:00:00Z"),
                              IcsText::utcText(local(23, 9, 0)), QStringLiteral("20260309T080000Z"),
                              StoredTime::instant(local(2, 8, 45)), QStringLiteral("2026-03-02T08:00:00Z"),
                              QStringLiteral("2026-03-02T08:00:00Z"), QString::fromUtf8(here)}));
        const QString rows = rowDump(store);
        QVERIFY(store.db()->migrate());
        QCOMPARE(rowDump(store), rows);
    }

    // The upgrade from the previous version, first started away from where
    // the floating rows were read (no zone recorded then): each row's text
    // tells the zone it was read in, the skipped and changed days are named
    // on that wall clock, and the times are pinned again on the computer's.
    // Back home, everything shows as before, nothing goes up because of
    // where the upgrade started, and a rename writes the time as read. A
    // row read on a trip keeps its own wall clock.
    void upgradeFirstStartedAwayMovesNoFloatingTime_data()
    {
        QTest::addColumn<QByteArray>("firstStart");
        QTest::addColumn<bool>("oneReadInNewYork");
        QTest::newRow("first start in New York") << QByteArray("America/New_York") << false;
        QTest::newRow("first start in Tokyo") << QByteArray("Asia/Tokyo") << false;
        QTest::newRow("first start in London, summer time on the same days") << QByteArray("Europe/London") << false;
        QTest::newRow("first start at home") << QByteArray("Europe/Berlin") << false;
        QTest::newRow("first start in Tokyo, one event read in New York") << QByteArray("Asia/Tokyo") << true;
        QTest::newRow("first start at home, one event read in New York") << QByteArray("Europe/Berlin") << true;
    }

    void upgradeFirstStartedAwayMovesNoFloatingTime()
    {
        QFETCH(QByteArray, firstStart);
        QFETCH(bool, oneReadInNewYork);
        const HomeAgain after = upgradeAwayThenHome(firstStart, oneReadInNewYork);
        QVERIFY2(after.failure.isEmpty(), qPrintable(after.failure));

        QStringList shown{"coffee 03-05 09:00", "dentist 03-12 15:00", "lunch 07-10 12:30", "reminder 03-05 08:45"};
        for (const char *day : {"03-02", "03-09", "03-23", "03-30", "04-06", "04-13", "04-20", "04-27", "05-04",
                                "05-11", "05-18", "05-25", "06-01", "06-08", "06-15", "06-22", "06-29", "07-06",
                                "07-13"})
            shown << QStringLiteral("walk %1 09:00").arg(QLatin1String(day));
        for (const char *day : {"03-02", "03-09", "03-16", "03-23", "03-30", "04-06", "04-13", "05-04", "05-11",
                                "05-18", "05-25", "06-01", "06-08", "06-15", "06-22", "06-29", "07-06", "07-13"})
            shown << QStringLiteral("run %1 18:00").arg(QLatin1String(day));
        shown << QStringLiteral("run 04-27 20:00");
        if (oneReadInNewYork)
            shown << QStringLiteral("conference 03-18 14:00");
        shown.sort();
        QCOMPARE(after.shown, shown);
        // The user's edit, and the series renamed as at any start.
        QCOMPARE(after.pending, (QStringList{"dentist", "run", "run-o"}));
        QCOMPARE(after.unchanged, after.unchangedBefore);
        QVERIFY2(after.walkText.contains(QStringLiteral("DTSTART:20260302T090000\r\nDTEND:20260302T100000\r\n"
                                                        "RRULE:FREQ=WEEKLY\r\nEXDATE:20260316T090000\r\n")),
                 qPrintable(after.walkText));
        QVERIFY2(after.renamedText.contains(QStringLiteral("DTSTART:20260302T090000\r\n"))
                     && after.renamedText.contains(QStringLiteral("EXDATE:20260316T090000\r\n")),
                 qPrintable(after.renamedText));
        // Row for row what a first start at home leaves.
        if (firstStart != "Europe/Berlin")
            QCOMPARE(after.rows, upgradeAwayThenHome("Europe/Berlin", oneReadInNewYork).rows);
    }

    // A floating series pulled on a computer in New York, whose zone is
    // then Tokyo: every occurrence is at 09:00 there, and a rename writes
    // it at 09:00 for everyone.
    void floatingSeriesPulledInNewYorkKeepsItsTimeInTokyo()
    {
        TempDataDir dir;
        bool pulled = false;
        inComputerZone("America/New_York", [&] {
            Database db;
            pulled = db.open(dir.databasePath(), QStringLiteral("new-york")) && db.migrate()
                     && seedLocalCalendars(&db, {QStringLiteral("c")});
            EventRepository events(&db);
            events.holdChanges(true); // no event loop on this thread
            Event walk = IcsCodec::parseEvents(QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:walk\r\n"
                                                              "DTSTART:20260302T090000\r\nDTEND:20260302T100000\r\n"
                                                              "RRULE:FREQ=WEEKLY;COUNT=6\r\nSUMMARY:Walk\r\n"
                                                              "END:VEVENT\r\nEND:VCALENDAR\r\n"))
                             .value(0);
            walk.id = QStringLiteral("walk");
            walk.calendar_id = QStringLiteral("c");
            pulled = pulled && events.insert(walk);
        });
        QVERIFY(pulled);
        QStringList seen;
        QString written;
        inComputerZone("Asia/Tokyo", [&] {
            Database db;
            if (!db.open(dir.databasePath(), QStringLiteral("tokyo")) || !db.migrate())
                return;
            EventRepository events(&db);
            Event walk = events.getById(QStringLiteral("walk")).value_or(Event());
            const QDateTime from(QDate(2026, 3, 1), QTime(0, 0));
            for (const Event &shown : Recurrence::expandForRange({walk}, from, from.addDays(60)))
                seen << shown.start_time.toLocalTime().toString(QStringLiteral("MM-dd HH:mm"));
            walk.title = QStringLiteral("Walk, renamed");
            written = IcsCodec::buildEventIcs(walk);
        });
        QCOMPARE(seen, (QStringList{"03-02 09:00", "03-09 09:00", "03-16 09:00", "03-23 09:00", "03-30 09:00",
                                    "04-06 09:00"}));
        QVERIFY2(written.contains(QStringLiteral("DTSTART:20260302T090000\r\n")), qPrintable(written));
    }

    void taskDeleteCascadesButEventDeleteIsGuarded()
    {
        TestStore store;
        QVERIFY(store.isOpen());
        QVERIFY(store.exec(QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('a', 'A', 'caldav')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO calendars (id, account_id, url, name) VALUES ('c', 'a', 'u', 'C')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO tasks (id, calendar_id, uid, title, raw_icalendar) VALUES ('t', 'c', 'u', 'T', '')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO task_reminders (id, task_id, minutes_before) VALUES ('tr', 't', 1)")));
        QVERIFY(store.exec(QStringLiteral("DELETE FROM tasks WHERE id = 't'")));
        QCOMPARE(store.count(QStringLiteral("task_reminders")), 0);

        QVERIFY(store.exec(QStringLiteral("INSERT INTO events (id, calendar_id, uid, title, start_time, raw_icalendar) VALUES ('e', 'c', 'u', 't', 'x', '')")));
        QVERIFY(store.exec(QStringLiteral("INSERT INTO reminders (id, event_id, minutes_before) VALUES ('r', 'e', 1)")));
        QSqlQuery q(store.db()->database());
        QVERIFY(!q.exec(QStringLiteral("DELETE FROM events WHERE id = 'e'")));
        QVERIFY(q.lastError().text().contains(QLatin1String("FOREIGN KEY"), Qt::CaseInsensitive));
    }

    void splitStatements_data()
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
        QTest::newRow("empty script") << QString() << QStringList{};
    }

    void splitStatements()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, expected);
        QCOMPARE(Database::splitStatements(script), expected);
    }

    // The shipped scripts split into the statements they always split into:
    // their count and a digest of their text, recorded per script.
    void shippedMigrationsSplitAsBefore()
    {
        QFile golden(QFINDTESTDATA("data/migration-splits.expected"));
        QVERIFY(golden.open(QIODevice::ReadOnly | QIODevice::Text));
        QHash<QString, QStringList> expected;
        for (const QString &line : QString::fromUtf8(golden.readAll()).split(QLatin1Char('\n'))) {
            const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (fields.size() == 3 && !line.startsWith(QLatin1Char('#')))
                expected.insert(fields.at(0), fields.mid(1));
        }
        QCOMPARE(expected.size(), Database::migrations().size());
        for (const Database::Migration &m : Database::migrations()) {
            const QStringList statements = Database::splitStatements(readScript(m.resourcePath));
            QCryptographicHash digest(QCryptographicHash::Sha1);
            for (const QString &statement : statements) {
                digest.addData(statement.toUtf8());
                digest.addData(QByteArray(1, '\0'));
            }
            const QString name = m.resourcePath.section(QLatin1Char('/'), -1);
            const QStringList actual = {QString::number(statements.size()),
                                        QString::fromLatin1(digest.result().toHex())};
            QCOMPARE(actual, expected.value(name));
        }
    }

    void splitterEndsStatementsOutsideTriggers_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("a word holding begin")
            << QStringLiteral("CREATE TABLE a (beginning TEXT);\nSELECT 1;\nSELECT 2;")
            << QStringList{"CREATE TABLE a (beginning TEXT)", "SELECT 1", "SELECT 2"};
        QTest::newRow("comment after a statement")
            << QStringLiteral("SELECT 1; -- keep\nSELECT 2;") << QStringList{"SELECT 1", "SELECT 2"};
        QTest::newRow("semicolons in a comment and in text")
            << QStringLiteral("CREATE TABLE a (\n  x TEXT -- x; not the end\n);\nINSERT INTO a VALUES ('-- b;');")
            << QStringList{"CREATE TABLE a (\n  x TEXT \n)", "INSERT INTO a VALUES ('-- b;')"};
        QTest::newRow("trigger with a case and a statement after it")
            << QStringLiteral("CREATE TEMP TRIGGER t AFTER UPDATE ON a BEGIN\n"
                              "  UPDATE a SET x = CASE WHEN x THEN 1 END; END; SELECT 1;")
            << QStringList{"CREATE TEMP TRIGGER t AFTER UPDATE ON a BEGIN\n"
                           "  UPDATE a SET x = CASE WHEN x THEN 1 END; END",
                           "SELECT 1"};
    }

    void splitterEndsStatementsOutsideTriggers()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, expected);
        QCOMPARE(Database::splitStatements(script), expected);
    }

    // A deferred foreign key is checked only when the migration commits.
    void failedCommitLeavesMigrationUnapplied()
    {
        TestStore store;
        QVERIFY(store.isOpen());
        QSignalSpy failed(store.db(), &Database::migrationError);
        QSignalSpy applied(store.db(), &Database::migrationApplied);
        const int version = store.db()->schemaVersion();
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("failed to commit:")));
        QVERIFY(!store.db()->applyMigration(version + 1, QStringLiteral("deferred"),
                                            QStringLiteral("CREATE TABLE child (parent TEXT REFERENCES "
                                                           "calendars(id) DEFERRABLE INITIALLY DEFERRED);\n"
                                                           "INSERT INTO child VALUES ('nowhere');")));
        QCOMPARE(failed.count(), 1);
        QCOMPARE(applied.count(), 0);
        QCOMPARE(store.db()->schemaVersion(), version);
        QVERIFY(!store.db()->database().tables().contains(QStringLiteral("child")));
    }

    void openFailsOnUnwritablePath()
    {
        TempDataDir dir;
        Database db;
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("^Failed to open database:")));
        QVERIFY(!db.open(dir.path() + QStringLiteral("/missing-folder/deeper/calendar.db")));
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
