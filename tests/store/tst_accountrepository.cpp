#include "store/accountrepository.h"
#include "store/calendar.h"
#include "store/calendarrepository.h"
#include "tests/store/repositorychecks.h"
#include "tests/support/teststore.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

namespace {

Account makeAccount(const QString &id, const QString &type, const QString &username,
                    const QString &server, const QDateTime &created = QDateTime())
{
    Account a;
    a.id = id;
    a.name = id;
    setTypeText(a, type);
    a.username = username;
    a.server_url = server;
    a.created_at = created.isValid() ? created : QDateTime::currentDateTimeUtc();
    a.updated_at = a.created_at;
    return a;
}

Calendar makeCalendar(const QString &id, const QString &accountId, const QString &url)
{
    Calendar c;
    c.id = id;
    c.account_id = accountId;
    c.url = url;
    c.name = id;
    return c;
}

} // namespace

class TestAccountRepository : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = new TestStore;
        QVERIFY(m_store->isOpen());
        m_accounts = new AccountRepository(m_store->db());
        m_calendars = new CalendarRepository(m_store->db());
    }

    void cleanup()
    {
        delete m_calendars;
        delete m_accounts;
        delete m_store;
    }

    void normalizeServerUrl_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("case, default port, slashes")
            << "HTTPS://DAV.Example.COM:443/Cal/Home//" << "https://dav.example.com/Cal/Home";
        QTest::newRow("http default port") << "http://example.com:80/" << "http://example.com";
        QTest::newRow("non-default port kept") << "https://example.com:8443/dav/" << "https://example.com:8443/dav";
        QTest::newRow("https on 80 keeps port") << "https://example.com:80/x" << "https://example.com:80/x";
        QTest::newRow("user info, query, fragment dropped")
            << "https://me:pw@example.com/dav/?a=1#f" << "https://example.com/dav";
        QTest::newRow("percent-decoded path") << "https://example.com/a%20b/" << "https://example.com/a b";
        QTest::newRow("bare word") << "  SomeServer// " << "SomeServer";
        QTest::newRow("blank") << "   " << "";
        QTest::newRow("empty") << "" << "";
    }

    void normalizeServerUrl()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(AccountRepository::normalizeServerUrl(input), expected);
    }

    void sameServer_data()
    {
        QTest::addColumn<QStringList>("a");
        QTest::addColumn<QStringList>("b");
        QTest::addColumn<bool>("expected");
        QTest::newRow("same host, different path")
            << QStringList{"https://dav.example.com/a/", "", ""}
            << QStringList{"https://DAV.example.com/b", "", ""} << true;
        QTest::newRow("same host, other port")
            << QStringList{"http://localhost:5232/alice/", "", ""}
            << QStringList{"http://localhost:5233/alice/", "", ""} << false;
        QTest::newRow("same host, default port written on one side")
            << QStringList{"https://dav.example.com:443/a/", "", ""}
            << QStringList{"https://dav.example.com/b", "", ""} << true;
        QTest::newRow("same host, http default port")
            << QStringList{"http://dav.example.com/a/", "", ""}
            << QStringList{"http://DAV.example.com:80/b", "", ""} << true;
        QTest::newRow("same host, port only on one side")
            << QStringList{"https://dav.example.com:8443/a/", "", ""}
            << QStringList{"https://dav.example.com/b", "", ""} << false;
        QTest::newRow("different hosts, same home set")
            << QStringList{"https://one.example.com", "https://home.example.com/u/", ""}
            << QStringList{"https://two.example.com", "https://home.example.com/u", ""} << true;
        QTest::newRow("different hosts, same principal")
            << QStringList{"https://one.example.com", "", "https://p.example.com/me"}
            << QStringList{"https://two.example.com", "", "https://p.example.com/me/"} << true;
        QTest::newRow("different hosts, nothing shared")
            << QStringList{"https://one.example.com", "", ""}
            << QStringList{"https://two.example.com", "", ""} << false;
        QTest::newRow("empty urls never match")
            << QStringList{"", "", ""} << QStringList{"", "", ""} << false;
    }

    void sameServer()
    {
        QFETCH(QStringList, a);
        QFETCH(QStringList, b);
        QFETCH(bool, expected);
        QCOMPARE(AccountRepository::sameServer(a[0], a[1], a[2], b[0], b[1], b[2]), expected);
    }

    void insertAndReadBackEveryField()
    {
        Account a = makeAccount(QStringLiteral("acc"), QStringLiteral("caldav"), QStringLiteral("ann"),
                                QStringLiteral("https://dav.example.com"),
                                QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5), QTimeZone::utc()));
        a.calendar_home_set = QStringLiteral("https://dav.example.com/ann/");
        a.principal_url = QStringLiteral("https://dav.example.com/principals/ann/");
        a.sync_interval_minutes = 30;
        a.last_sync_time = QDateTime(QDate(2026, 12, 6), QTime(8, 0), QTimeZone("Europe/Berlin"));
        a.last_sync_error = QStringLiteral("timeout");
        a.enabled = false;
        a.color = QStringLiteral("#112233");
        a.exclude_from_sync = true;
        a.trusted_cert_sha256 = QStringLiteral("ab");
        a.pending_cert_sha256 = QStringLiteral("cd");

        QSignalSpy spy(m_accounts, &AccountRepository::accountsChanged);
        QVERIFY(m_accounts->insert(a));
        QCOMPARE(spy.count(), 1);

        QCOMPARE(m_accounts->getById(QStringLiteral("acc")).value_or(Account()), a);
        QCOMPARE(m_store->scalar(QStringLiteral("SELECT last_sync_time FROM accounts")).toString(),
                 QStringLiteral("2026-12-06T07:00:00Z"));

        // A duplicate id is refused and says so.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^AccountRepository::insert failed:")));
        QVERIFY(!m_accounts->insert(a));
        QCOMPARE(spy.count(), 1);
    }

    void updateStampsNowAndKeepsCreated()
    {
        const QDateTime old = QDateTime(QDate(2020, 1, 1), QTime(0, 0), QTimeZone::utc());
        Account a = makeAccount(QStringLiteral("acc"), QStringLiteral("caldav"), QStringLiteral("u"),
                                QStringLiteral("https://x"), old);
        QVERIFY(m_accounts->insert(a));
        a.name = QStringLiteral("Renamed");
        a.last_sync_time.reset();
        QSignalSpy spy(m_accounts, &AccountRepository::accountsChanged);
        QVERIFY(m_accounts->update(a));
        QCOMPARE(spy.count(), 1);
        const Account read = *m_accounts->getById(QStringLiteral("acc"));
        QCOMPARE(read.name, QStringLiteral("Renamed"));
        QCOMPARE(read.created_at, old);
        QVERIFY(read.updated_at > old);
        QVERIFY(qAbs(read.updated_at.secsTo(QDateTime::currentDateTimeUtc())) < 60);
        // Updating an unknown id fails and stays silent.
        a.id = QStringLiteral("ghost");
        QVERIFY(!m_accounts->update(a));
        QCOMPARE(spy.count(), 1);
    }

    // The sync time and error alone.
    void recordSyncStateWritesOnlyTheSyncState()
    {
        const QDateTime old = QDateTime(QDate(2020, 1, 1), QTime(0, 0), QTimeZone::utc());
        const Account a = makeAccount(QStringLiteral("acc"), QStringLiteral("caldav"), QStringLiteral("u"),
                                      QStringLiteral("https://x"), old);
        Account synced = a;
        synced.last_sync_time = old.addDays(1);
        synced.last_sync_error = QStringLiteral("PasswordMissing");
        RepositoryChecks::recordSyncStateWritesOnlyTheSyncState(m_accounts, &AccountRepository::accountsChanged, a,
                                                                synced);
    }

    void removeCascadesOverEverythingUnderTheAccount()
    {
        QVERIFY(m_accounts->insert(makeAccount("gone", "caldav", "u", "https://a")));
        QVERIFY(m_accounts->insert(makeAccount("kept", "caldav", "v", "https://b")));
        QVERIFY(m_calendars->insert(makeCalendar("c1", "gone", "https://a/c1/")));
        QVERIFY(m_calendars->insert(makeCalendar("c2", "gone", "https://a/c2/")));
        QVERIFY(m_calendars->insert(makeCalendar("k1", "kept", "https://b/k1/")));
        addEventWithChildren("c1", "e1");
        addEventWithChildren("c2", "e2");
        addEventWithChildren("k1", "ek");
        addTaskWithReminder("c1", "t1");
        addTaskWithReminder("k1", "tk");

        QSignalSpy accounts(m_accounts, &AccountRepository::accountsChanged);
        QSignalSpy calendars(m_calendars, &CalendarRepository::calendarsChanged);
        QVERIFY(m_accounts->remove("gone"));
        QCOMPARE(accounts.count(), 1);
        QCOMPARE(calendars.count(), 0);

        QVERIFY(!m_store->scalar("SELECT deleted_at FROM accounts WHERE id = 'gone'").isNull());
        QCOMPARE(m_store->scalar("SELECT deleted_at FROM accounts WHERE id = 'gone'").toString(),
                 m_store->scalar("SELECT updated_at FROM accounts WHERE id = 'gone'").toString());
        QCOMPARE(m_store->count("calendars"), 1);
        QCOMPARE(m_store->count("events"), 1);
        QCOMPARE(m_store->count("attendees"), 1);
        QCOMPARE(m_store->count("attachments"), 1);
        QCOMPARE(m_store->count("reminders"), 1);
        QCOMPARE(m_store->count("tasks"), 1);
        QCOMPARE(m_store->count("task_reminders"), 1);
        QCOMPARE(m_store->scalar("SELECT event_id FROM attendees").toString(), QStringLiteral("ek"));
    }

    void tombstoneHiddenFromLookupsButListedIncludingDeleted()
    {
        QVERIFY(m_accounts->insert(makeAccount("a", "caldav", "u", "https://x")));
        QVERIFY(m_accounts->remove("a"));
        QVERIFY(!m_accounts->getById("a"));
        QVERIFY(m_accounts->getAll().isEmpty());
        QVERIFY(!m_accounts->findByTypeAndUsername(AccountType::CalDav, "u", "https://x", {}, {}));
        const QList<Account> all = m_accounts->getAllIncludingDeleted();
        QCOMPARE(all.size(), 1);
        QVERIFY(all.first().deleted_at.has_value());
    }

    void reapTombstoneDeletesOnlyTombstones()
    {
        QVERIFY(m_accounts->insert(makeAccount("live", "caldav", "u", "https://x")));
        QVERIFY(m_accounts->insert(makeAccount("dead", "caldav", "v", "https://y")));
        QVERIFY(m_accounts->remove("dead"));
        QVERIFY(m_accounts->reapTombstone("live"));
        QVERIFY(m_accounts->reapTombstone("dead"));
        QCOMPARE(m_store->count("accounts"), 1);
        QVERIFY(m_accounts->getById("live"));
    }

    void reorderWritesTensWithOneStampAndOneSignal()
    {
        for (const char *id : {"a", "b", "c"})
            QVERIFY(m_accounts->insert(makeAccount(id, "caldav", id, "https://x")));
        QSignalSpy spy(m_accounts, &AccountRepository::accountsChanged);
        QVERIFY(m_accounts->reorder({"c", "a", "b"}));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(m_store->scalar("SELECT group_concat(id || sort_order, ',') FROM "
                                 "(SELECT id, sort_order FROM accounts ORDER BY sort_order)").toString(),
                 QStringLiteral("c10,a20,b30"));
        QCOMPARE(m_store->scalar("SELECT COUNT(DISTINCT updated_at) FROM accounts").toInt(), 1);
        QStringList order;
        for (const Account &a : m_accounts->getAll())
            order << a.id;
        QCOMPARE(order, QStringList({"c", "a", "b"}));
        QVERIFY(m_accounts->reorder({}));
        QCOMPARE(spy.count(), 1);
    }

    void findByTypeAndUsernameMatchesSameServer()
    {
        QVERIFY(m_accounts->insert(makeAccount("a", "caldav", "ann", "https://dav.example.com/x")));
        QVERIFY(m_accounts->findByTypeAndUsername(AccountType::CalDav, "ann", "https://DAV.example.com/other", {}, {}));
        QVERIFY(!m_accounts->findByTypeAndUsername(AccountType::CalDav, "ann", "https://elsewhere.example.com", {}, {}));
        QVERIFY(!m_accounts->findByTypeAndUsername(AccountType::ICloud, "ann", "https://dav.example.com", {}, {}));
        QVERIFY(!m_accounts->findByTypeAndUsername(AccountType::CalDav, "", "https://dav.example.com", {}, {}));
        QVERIFY(!m_accounts->findByTypeAndUsername(AccountType::CalDav, "Ann", "https://dav.example.com", {}, {}));
    }

    void dedupeKeepsOldestAndMovesOrDropsCalendars()
    {
        const QDateTime t1 = QDateTime(QDate(2025, 1, 1), QTime(0, 0), QTimeZone::utc());
        // Inserted newest first so row order cannot pick the survivor by accident.
        QVERIFY(m_accounts->insert(makeAccount("t3", "caldav", "ann", "https://dav.example.com/c", t1.addDays(2))));
        QVERIFY(m_accounts->insert(makeAccount("t2", "caldav", "ann", "https://dav.example.com/b", t1.addDays(1))));
        QVERIFY(m_accounts->insert(makeAccount("t1", "caldav", "ann", "https://dav.example.com/a", t1)));
        QVERIFY(m_calendars->insert(makeCalendar("home1", "t1", "https://dav.example.com/ann/home/")));
        // t2's copy of "home" goes with its contents; its "work" moves to t1.
        QVERIFY(m_calendars->insert(makeCalendar("home2", "t2", "HTTPS://dav.example.com/ann/home")));
        QVERIFY(m_calendars->insert(makeCalendar("work2", "t2", "https://dav.example.com/ann/work/")));
        addEventWithChildren("home2", "eh2");
        // t3 holds a second "work" and a "team" calendar: work goes, team moves.
        QVERIFY(m_calendars->insert(makeCalendar("work3", "t3", "https://dav.example.com/ann/work")));
        QVERIFY(m_calendars->insert(makeCalendar("team3", "t3", "https://dav.example.com/team/")));

        QCOMPARE(m_accounts->dedupeAccounts(), 2);
        QStringList live;
        for (const Account &a : m_accounts->getAll())
            live << a.id;
        QCOMPARE(live, QStringList{"t1"});
        QStringList calendars;
        for (const Calendar &c : m_calendars->getByAccount("t1"))
            calendars << c.id;
        calendars.sort();
        QCOMPARE(calendars, QStringList({"home1", "team3", "work2"}));
        QCOMPARE(m_store->count("calendars"), 3);
        QCOMPARE(m_store->count("events"), 0);
        QCOMPARE(m_store->count("attendees"), 0);
        // A second run finds nothing more to merge.
        QCOMPARE(m_accounts->dedupeAccounts(), 0);
    }

    void dedupeIgnoresOtherTypesEmptyUsersAndTombstones()
    {
        const QDateTime t = QDateTime(QDate(2025, 1, 1), QTime(0, 0), QTimeZone::utc());
        for (const char *type : {"google", "microsoft", "webcal", "tindlebrook"}) {
            QVERIFY(m_accounts->insert(makeAccount(QStringLiteral("%1-a").arg(type), type, "ann", "https://x.example.com", t)));
            QVERIFY(m_accounts->insert(makeAccount(QStringLiteral("%1-b").arg(type), type, "ann", "https://x.example.com", t.addDays(1))));
        }
        QVERIFY(m_accounts->insert(makeAccount("anon-a", "caldav", "", "https://x.example.com", t)));
        QVERIFY(m_accounts->insert(makeAccount("anon-b", "caldav", "", "https://x.example.com", t.addDays(1))));
        QVERIFY(m_accounts->insert(makeAccount("dead", "icloud", "ann", "https://x.example.com", t)));
        QVERIFY(m_accounts->remove("dead"));
        QVERIFY(m_accounts->insert(makeAccount("live", "icloud", "ann", "https://x.example.com", t.addDays(1))));
        // Same user and server but another CalDAV family type: not duplicates.
        QVERIFY(m_accounts->insert(makeAccount("zoho", "zoho", "ann", "https://x.example.com", t)));

        QCOMPARE(m_accounts->dedupeAccounts(), 0);
        QCOMPARE(m_accounts->getAll().size(), 12);
    }

    void deleteCalendarDeepLeavesOtherCalendarsAlone()
    {
        QVERIFY(m_accounts->insert(makeAccount("a", "caldav", "u", "https://x")));
        QVERIFY(m_calendars->insert(makeCalendar("c1", "a", "u1")));
        QVERIFY(m_calendars->insert(makeCalendar("c2", "a", "u2")));
        addEventWithChildren("c1", "e1");
        addEventWithChildren("c2", "e2");
        addTaskWithReminder("c1", "t1");
        QVERIFY(m_accounts->deleteCalendarDeep("c1"));
        QCOMPARE(m_store->scalar("SELECT group_concat(id) FROM calendars").toString(), QStringLiteral("c2"));
        QCOMPARE(m_store->scalar("SELECT group_concat(id) FROM events").toString(), QStringLiteral("e2"));
        QCOMPARE(m_store->count("tasks"), 0);
        QCOMPARE(m_store->count("task_reminders"), 0);
        QCOMPARE(m_store->count("reminders"), 1);
    }

    void deleteCalendarDeepKeepsTheCalendarWhenAStepFails()
    {
        QVERIFY(m_accounts->insert(makeAccount("a", "caldav", "u", "https://x")));
        QVERIFY(m_calendars->insert(makeCalendar("c1", "a", "u1")));
        addEventWithChildren("c1", "e1");
        addTaskWithReminder("c1", "t1");
        QVERIFY(m_store->exec("CREATE TRIGGER keep_tasks BEFORE DELETE ON tasks BEGIN SELECT RAISE(ABORT, 'kept'); END"));
        // The refusal is reported, and the calendar stays listed with what
        // could not go, rather than leaving its tasks without a calendar.
        QVERIFY(!m_accounts->deleteCalendarDeep("c1"));
        QCOMPARE(m_store->scalar("SELECT group_concat(id) FROM calendars").toString(), QStringLiteral("c1"));
        QCOMPARE(m_store->scalar("SELECT group_concat(id) FROM tasks").toString(), QStringLiteral("t1"));
    }

    void dedupeKeepsDuplicateWhoseCalendarCouldNotMove()
    {
        const QDateTime t = QDateTime(QDate(2025, 1, 1), QTime(0, 0), QTimeZone::utc());
        QVERIFY(m_accounts->insert(makeAccount("old", "caldav", "ann", "https://dav.example.com", t)));
        QVERIFY(m_accounts->insert(makeAccount("new", "caldav", "ann", "https://dav.example.com", t.addDays(1))));
        QVERIFY(m_calendars->insert(makeCalendar("work", "new", "https://dav.example.com/ann/work/")));
        addEventWithChildren("work", "e1");
        // The move is refused: the duplicate must keep its calendar and events.
        QVERIFY(m_store->exec("CREATE TRIGGER no_move BEFORE UPDATE OF account_id ON calendars "
                              "BEGIN SELECT RAISE(ABORT, 'locked'); END"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^AccountRepository::mergeInto failed:")));
        QCOMPARE(m_accounts->dedupeAccounts(), 0);
        QVERIFY(m_accounts->getById("new"));
        QCOMPARE(m_store->scalar("SELECT account_id FROM calendars WHERE id = 'work'").toString(), QStringLiteral("new"));
        QCOMPARE(m_store->count("events"), 1);

        QVERIFY(m_store->exec("DROP TRIGGER no_move"));
        QCOMPARE(m_accounts->dedupeAccounts(), 1);
        QCOMPARE(m_store->scalar("SELECT account_id FROM calendars WHERE id = 'work'").toString(), QStringLiteral("old"));
        QCOMPARE(m_store->count("events"), 1);
    }

    void removeFailingHalfWayKeepsEverything()
    {
        QVERIFY(m_accounts->insert(makeAccount("a", "caldav", "u", "https://a")));
        QVERIFY(m_calendars->insert(makeCalendar("c1", "a", "https://a/c1/")));
        addEventWithChildren("c1", "e1");
        addTaskWithReminder("c1", "t1");
        // The cascade deletes events before tasks; the tasks then refuse to go.
        QVERIFY(m_store->exec(QStringLiteral("CREATE TEMP TRIGGER keep_tasks BEFORE DELETE ON tasks "
                                             "BEGIN SELECT RAISE(ABORT, 'tasks are locked'); END")));

        QSignalSpy accounts(m_accounts, &AccountRepository::accountsChanged);
        QVERIFY(!m_accounts->remove("a"));
        QCOMPARE(accounts.count(), 0);
        QVERIFY(m_accounts->getById("a"));
        QCOMPARE(m_store->count("calendars"), 1);
        QCOMPARE(m_store->count("events"), 1);
        QCOMPARE(m_store->count("reminders"), 1);
    }

private:
    void addEventWithChildren(const QString &calendarId, const QString &eventId)
    {
        QVERIFY(m_store->exec(QStringLiteral(
            "INSERT INTO events (id, calendar_id, uid, title, start_time, raw_icalendar) "
            "VALUES ('%1', '%2', '%1', 't', '2026-12-06T10:00:00Z', '')").arg(eventId, calendarId)));
        QVERIFY(m_store->exec(QStringLiteral("INSERT INTO attendees (id, event_id, email) VALUES ('at-%1', '%1', 'a@b')").arg(eventId)));
        QVERIFY(m_store->exec(QStringLiteral("INSERT INTO attachments (id, event_id, filename) VALUES ('ac-%1', '%1', 'f')").arg(eventId)));
        QVERIFY(m_store->exec(QStringLiteral("INSERT INTO reminders (id, event_id, minutes_before) VALUES ('r-%1', '%1', 15)").arg(eventId)));
    }

    void addTaskWithReminder(const QString &calendarId, const QString &taskId)
    {
        QVERIFY(m_store->exec(QStringLiteral(
            "INSERT INTO tasks (id, calendar_id, uid, title, raw_icalendar) VALUES ('%1', '%2', '%1', 't', '')")
                                  .arg(taskId, calendarId)));
        QVERIFY(m_store->exec(QStringLiteral(
            "INSERT INTO task_reminders (id, task_id, minutes_before) VALUES ('tr-%1', '%1', 5)").arg(taskId)));
    }

    TestStore *m_store = nullptr;
    AccountRepository *m_accounts = nullptr;
    CalendarRepository *m_calendars = nullptr;
};

QTEST_GUILESS_MAIN(TestAccountRepository)
#include "tst_accountrepository.moc"
