#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "tests/store/repositorychecks.h"
#include "tests/support/teststore.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

class TestCalendarRepository : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = new TestStore;
        QVERIFY(m_store->isOpen());
        QVERIFY(m_store->exec("INSERT INTO accounts (id, name, type) VALUES ('acc', 'Local', 'tindlebrook')"));
        QVERIFY(m_store->exec("INSERT INTO accounts (id, name, type) VALUES ('acc2', 'Other', 'caldav')"));
        m_calendars = new CalendarRepository(m_store->db());
    }

    void cleanup()
    {
        delete m_calendars;
        delete m_store;
    }

    void normalizeColor_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("six digits, no hash, spaces") << " 1565C0 " << "#1565C0";
        QTest::newRow("three lower-case digits") << "#abc" << "#abc";
        QTest::newRow("eight digits") << "#80FF00AA" << "#80FF00AA";
        QTest::newRow("mixed case kept") << "#aBcDeF" << "#aBcDeF";
        QTest::newRow("five digits") << "#12345" << "#4285F4";
        QTest::newRow("non-hex") << "#12345G" << "#4285F4";
        QTest::newRow("colour name") << "red" << "#4285F4";
        QTest::newRow("empty") << "" << "#4285F4";
        QTest::newRow("hash only") << "#" << "#4285F4";
        QTest::newRow("two hashes") << "##123456" << "#4285F4";
    }

    void normalizeColor()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        QCOMPARE(CalendarRepository::normalizeColor(stored), expected);
    }

    void storedColorIsNormalizedOnlyOnRead()
    {
        Calendar c = calendar("c");
        c.color = QStringLiteral("teal");
        QVERIFY(m_calendars->insert(c));
        QCOMPARE(m_store->scalar("SELECT color FROM calendars").toString(), QStringLiteral("teal"));
        QCOMPARE(m_calendars->getById("c")->color, QStringLiteral("#4285F4"));
    }

    void insertAndReadBackEveryField()
    {
        Calendar c = calendar("c");
        c.description = QStringLiteral("Family things");
        c.color = QStringLiteral("#123456");
        c.timezone = QStringLiteral("Europe/Berlin");
        c.is_visible = false;
        c.is_read_only = true;
        c.is_default = true;
        c.ctag = QStringLiteral("ctag-1");
        c.sync_token = QStringLiteral("tok");
        c.delta_sync_token = QStringLiteral("delta");
        c.supported_components = QStringLiteral("[\"VEVENT\",\"VTODO\"]");
        c.allow_tasks_override = true;
        c.sort_order = 7;
        c.canonical_key = QStringLiteral("key");
        c.sync_enabled = true;
        c.is_shared = true;
        c.shared_with_me = true;
        c.last_sync_error = QStringLiteral("boom");
        c.created_at = QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5), QTimeZone::utc());
        c.updated_at = c.created_at;

        QSignalSpy spy(m_calendars, &CalendarRepository::calendarsChanged);
        QVERIFY(m_calendars->insert(c));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(m_calendars->getById("c").value_or(Calendar()), c);
        QVERIFY(!m_calendars->getById("missing"));

        // Unset texts are stored as NULL, not as empty text.
        QVERIFY(m_calendars->insert(calendar("bare")));
        QVERIFY(m_store->scalar("SELECT description FROM calendars WHERE id = 'bare'").isNull());
    }

    void updateKeepsCreatedAndStampsNow()
    {
        Calendar c = calendar("c");
        c.created_at = QDateTime(QDate(2020, 5, 5), QTime(5, 5), QTimeZone::utc());
        c.updated_at = c.created_at;
        QVERIFY(m_calendars->insert(c));
        c.name = QStringLiteral("Renamed");
        c.created_at = QDateTime::currentDateTimeUtc();
        QSignalSpy spy(m_calendars, &CalendarRepository::calendarsChanged);
        QVERIFY(m_calendars->update(c));
        QCOMPARE(spy.count(), 1);
        const Calendar r = *m_calendars->getById("c");
        QCOMPARE(r.name, QStringLiteral("Renamed"));
        QCOMPARE(r.created_at, QDateTime(QDate(2020, 5, 5), QTime(5, 5), QTimeZone::utc()));
        QVERIFY(qAbs(r.updated_at.secsTo(QDateTime::currentDateTimeUtc())) < 60);
    }

    // Its tokens and error alone.
    void recordSyncStateWritesOnlyTheSyncState()
    {
        Calendar c = calendar("c");
        c.created_at = c.updated_at = QDateTime(QDate(2020, 5, 5), QTime(5, 5), QTimeZone::utc());
        Calendar synced = c;
        synced.ctag = QStringLiteral("ctag-2");
        synced.sync_token = QStringLiteral("sync-2");
        synced.delta_sync_token = QStringLiteral("delta-2");
        synced.last_sync_error = QStringLiteral("HTTP 503");
        RepositoryChecks::recordSyncStateWritesOnlyTheSyncState(m_calendars, &CalendarRepository::calendarsChanged, c,
                                                                synced);
    }

    void getAllOrdersBySortOrderThenNameAcrossAccounts()
    {
        Calendar b = calendar("b", "acc2");
        b.sort_order = 1;
        Calendar a = calendar("a");
        a.sort_order = 1;
        Calendar z = calendar("z");
        z.sort_order = 0;
        Calendar upper = calendar("B", "acc2");
        upper.sort_order = 1;
        for (const Calendar &c : {b, a, z, upper})
            QVERIFY(m_calendars->insert(c));
        QStringList order;
        for (const Calendar &c : m_calendars->getAll())
            order << c.id;
        // SQLite's binary collation puts upper case first.
        QCOMPARE(order, QStringList({"z", "B", "a", "b"}));
        QCOMPARE(m_calendars->getByAccount("acc2").size(), 2);
    }

    void setDefaultLeavesExactlyOneDefault()
    {
        Calendar first = calendar("first");
        first.is_default = true;
        QVERIFY(m_calendars->insert(first));
        QVERIFY(m_calendars->insert(calendar("second", "acc2")));
        QSignalSpy spy(m_calendars, &CalendarRepository::calendarsChanged);
        QVERIFY(m_calendars->setDefault("second"));
        QVERIFY(m_calendars->setDefault("second"));
        QCOMPARE(spy.count(), 2);
        QCOMPARE(m_store->count("calendars", "is_default = 1"), 1);
        QVERIFY(m_calendars->getById("second")->is_default);
        QVERIFY(!m_calendars->getById("first")->is_default);
    }

    void setDefaultOfUnknownIdKeepsCurrentDefault()
    {
        Calendar first = calendar("first");
        first.is_default = true;
        QVERIFY(m_calendars->insert(first));
        QSignalSpy spy(m_calendars, &CalendarRepository::calendarsChanged);
        QVERIFY(!m_calendars->setDefault("no-such-calendar"));
        QCOMPARE(spy.count(), 0);
        QVERIFY(m_calendars->getById("first")->is_default);
    }

    void removeRefusedWhileEventsRemain()
    {
        QVERIFY(m_calendars->insert(calendar("c")));
        QVERIFY(m_store->exec("INSERT INTO events (id, calendar_id, uid, title, start_time, raw_icalendar) "
                              "VALUES ('e', 'c', 'u', 't', '2026-12-06T10:00:00Z', '')"));
        QSignalSpy spy(m_calendars, &CalendarRepository::calendarsChanged);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^CalendarRepository::remove failed:.*FOREIGN KEY")));
        QVERIFY(!m_calendars->remove("c"));
        QCOMPARE(spy.count(), 0);
        QVERIFY(m_calendars->getById("c"));
        QVERIFY(m_store->exec("DELETE FROM events"));
        QVERIFY(m_calendars->remove("c"));
        QCOMPARE(spy.count(), 1);
        QVERIFY(!m_calendars->getById("c"));
    }

private:
    Calendar calendar(const QString &id, const QString &account = QStringLiteral("acc"))
    {
        Calendar c;
        c.id = id;
        c.account_id = account;
        c.url = QStringLiteral("local://") + id;
        c.name = id;
        c.created_at = QDateTime::currentDateTimeUtc();
        c.updated_at = c.created_at;
        return c;
    }

    TestStore *m_store = nullptr;
    CalendarRepository *m_calendars = nullptr;
};

QTEST_GUILESS_MAIN(TestCalendarRepository)
#include "tst_calendarrepository.moc"
