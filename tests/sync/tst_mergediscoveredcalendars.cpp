#include "sync/core/canonicalcalendarkey.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "sync/caldav/mergediscoveredcalendars.h"
#include "tests/support/teststore.h"

#include <QTest>

namespace {

CalDavParse::DiscoveredCalendar discovered(const QString &url, const QString &name, const QString &color = QString(),
                                           const QStringList &components = {QStringLiteral("VEVENT")})
{
    CalDavParse::DiscoveredCalendar calendar;
    calendar.url = url;
    calendar.displayName = name;
    calendar.color = color;
    calendar.description = name + QStringLiteral(" description");
    calendar.ctag = QStringLiteral("ctag-1");
    calendar.syncToken = QStringLiteral("token-1");
    calendar.supportedComponents = components;
    return calendar;
}

} // namespace

class TestMergeDiscoveredCalendars : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<CalendarRepository> m_calendars;
    std::unique_ptr<AccountRepository> m_accounts;

    void addAccount(const QString &id, const QString &type)
    {
        Account account;
        account.id = id;
        account.name = id;
        setTypeText(account, type);
        account.created_at = account.updated_at = QDateTime::currentDateTimeUtc();
        QVERIFY(m_accounts->insert(account));
    }

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<TestStore>();
        QVERIFY(m_store->isOpen());
        m_calendars = std::make_unique<CalendarRepository>(m_store->db());
        m_accounts = std::make_unique<AccountRepository>(m_store->db());
        // Migrations may seed rows; every case starts from an empty table.
        QVERIFY(m_store->exec(QStringLiteral("DELETE FROM calendars")));
    }

    void cleanup()
    {
        m_accounts.reset();
        m_calendars.reset();
        m_store.reset();
    }

    void insertsNewCalendarsOnceWithDefaults()
    {
        addAccount(QStringLiteral("acc"), QStringLiteral("icloud"));
        const QList<CalDavParse::DiscoveredCalendar> found = {
            discovered(QStringLiteral("https://h/dav/Work/"), QStringLiteral("Work"), QStringLiteral("#FF0000"),
                       {QStringLiteral("VEVENT"), QStringLiteral("VTODO")}),
            discovered(QStringLiteral("https://h/dav/home/"), QStringLiteral("Home"))};
        QCOMPARE(mergeDiscoveredCalendars(m_calendars.get(), m_accounts.get(), QStringLiteral("acc"), found), 2);

        const QList<Calendar> rows = m_calendars->getByAccount(QStringLiteral("acc"));
        QCOMPARE(rows.size(), 2);
        for (const Calendar &row : rows) {
            QVERIFY(!row.id.isEmpty() && !row.id.contains(QLatin1Char('{')));
            QVERIFY(row.sync_enabled);
            QVERIFY(!row.is_read_only);
            QVERIFY(row.is_visible);
            QVERIFY(row.ctag.isEmpty());
            QVERIFY(row.sync_token.isEmpty());
            QCOMPARE(row.timezone, QStringLiteral("UTC"));
            QCOMPARE(row.canonical_key, Sync::canonicalCalendarKey(QStringLiteral("caldav"), row.url).value());
            if (row.name == QLatin1String("Work")) {
                QVERIFY(row.is_default);
                QCOMPARE(row.color, QStringLiteral("#FF0000"));
                QCOMPARE(row.supported_components, QStringLiteral("[\"VEVENT\",\"VTODO\"]"));
            } else {
                QVERIFY(!row.is_default);
                QCOMPARE(row.color, QStringLiteral("#4285F4"));
                QCOMPARE(row.supported_components, QStringLiteral("[\"VEVENT\"]"));
            }
        }

        // The same result again adds nothing and changes nothing.
        const QVariant before = m_store->scalar(QStringLiteral("SELECT group_concat(updated_at || name) FROM calendars"));
        QCOMPARE(mergeDiscoveredCalendars(m_calendars.get(), m_accounts.get(), QStringLiteral("acc"), found), 0);
        QCOMPARE(m_store->count(QStringLiteral("calendars")), 2);
        QCOMPARE(m_store->scalar(QStringLiteral("SELECT group_concat(updated_at || name) FROM calendars")), before);
    }

    void existingRowKeepsUserChoices()
    {
        addAccount(QStringLiteral("acc"), QStringLiteral("caldav"));
        QCOMPARE(mergeDiscoveredCalendars(m_calendars.get(), m_accounts.get(), QStringLiteral("acc"),
                                          {discovered(QStringLiteral("https://h/c/"), QStringLiteral("Server name"))}), 1);
        Calendar row = m_calendars->getByAccount(QStringLiteral("acc")).first();
        row.name = QStringLiteral("My name");
        row.color = QStringLiteral("#123456");
        QVERIFY(m_calendars->update(row));
        QCOMPARE(mergeDiscoveredCalendars(m_calendars.get(), m_accounts.get(), QStringLiteral("acc"),
                                          {discovered(QStringLiteral("https://h/c/"), QStringLiteral("Renamed"),
                                                      QStringLiteral("#00FF00"))}), 0);
        const Calendar after = m_calendars->getById(row.id).value();
        QCOMPARE(after.name, QStringLiteral("My name"));
        QCOMPARE(after.color, QStringLiteral("#123456"));
    }

    void placeholderIsReactivated_data()
    {
        QTest::addColumn<QString>("color");
        QTest::addColumn<QString>("expectedColor");
        QTest::newRow("server colour") << "#00FF00" << "#00FF00";
        QTest::newRow("no server colour keeps own") << "" << "#ABCDEF";
    }

    void placeholderIsReactivated()
    {
        QFETCH(QString, color);
        QFETCH(QString, expectedColor);
        addAccount(QStringLiteral("acc"), QStringLiteral("caldav"));
        Calendar placeholder;
        placeholder.id = QStringLiteral("stub");
        placeholder.account_id = QStringLiteral("acc");
        placeholder.url = QStringLiteral("https://h/c/");
        placeholder.name = QStringLiteral("Stub");
        placeholder.color = QStringLiteral("#ABCDEF");
        placeholder.is_read_only = true;
        placeholder.sync_enabled = false;
        placeholder.canonical_key = QStringLiteral("key");
        QVERIFY(m_calendars->insert(placeholder));

        QCOMPARE(mergeDiscoveredCalendars(m_calendars.get(), m_accounts.get(), QStringLiteral("acc"),
                                          {discovered(QStringLiteral("https://h/c/"), QStringLiteral("Server"), color,
                                                      {QStringLiteral("VTODO")})}), 0);
        const Calendar row = m_calendars->getById(QStringLiteral("stub")).value();
        QCOMPARE(row.name, QStringLiteral("Server"));
        QCOMPARE(row.description, QStringLiteral("Server description"));
        QCOMPARE(row.color, expectedColor);
        QCOMPARE(row.supported_components, QStringLiteral("[\"VTODO\"]"));
        QVERIFY(!row.is_read_only);
        QVERIFY(row.sync_enabled);
        QCOMPARE(row.canonical_key, QStringLiteral("key"));
        QCOMPARE(m_store->count(QStringLiteral("calendars")), 1);
    }

    void defaultOnlyWhenStoreHasNoCalendar()
    {
        addAccount(QStringLiteral("acc"), QStringLiteral("caldav"));
        addAccount(QStringLiteral("acc2"), QStringLiteral("tindlebrook"));
        Calendar other;
        other.id = QStringLiteral("other");
        other.account_id = QStringLiteral("acc2");
        other.url = QStringLiteral("local://calendar/x");
        other.name = QStringLiteral("Other");
        QVERIFY(m_calendars->insert(other));
        mergeDiscoveredCalendars(m_calendars.get(), m_accounts.get(), QStringLiteral("acc"),
                                 {discovered(QStringLiteral("https://h/c/"), QStringLiteral("C"))});
        QVERIFY(!m_calendars->getByAccount(QStringLiteral("acc")).first().is_default);
        QCOMPARE(m_calendars->getById(QStringLiteral("other"))->url, QStringLiteral("local://calendar/x"));
    }

    void deletedAccountStoresEmptyKey()
    {
        addAccount(QStringLiteral("ghost"), QStringLiteral("caldav"));
        QVERIFY(m_store->exec(QStringLiteral("UPDATE accounts SET deleted_at = '2026-01-01T00:00:00Z' WHERE id = 'ghost'")));
        QCOMPARE(mergeDiscoveredCalendars(m_calendars.get(), m_accounts.get(), QStringLiteral("ghost"),
                                          {discovered(QStringLiteral("https://h/c/"), QStringLiteral("C"))}), 1);
        QVERIFY(m_calendars->getByAccount(QStringLiteral("ghost")).first().canonical_key.isEmpty());
    }

    void emptyAccountIdOrStoreChangesNothing()
    {
        const QList<CalDavParse::DiscoveredCalendar> found = {discovered(QStringLiteral("https://h/c/"), QStringLiteral("C"))};
        QCOMPARE(mergeDiscoveredCalendars(m_calendars.get(), m_accounts.get(), QString(), found), 0);
        QCOMPARE(mergeDiscoveredCalendars(nullptr, m_accounts.get(), QStringLiteral("acc"), found), 0);
        QCOMPARE(m_store->count(QStringLiteral("calendars")), 0);
    }

    void calendarListedTwiceIsStoredOnce()
    {
        addAccount(QStringLiteral("acc"), QStringLiteral("caldav"));
        const QList<CalDavParse::DiscoveredCalendar> found = {discovered(QStringLiteral("https://h/c/"), QStringLiteral("C")),
                                                              discovered(QStringLiteral("https://h/c/"), QStringLiteral("C again"))};
        QCOMPARE(mergeDiscoveredCalendars(m_calendars.get(), m_accounts.get(), QStringLiteral("acc"), found), 1);
        QCOMPARE(m_store->count(QStringLiteral("calendars")), 1);
    }

    void storedUrlCarriesNoCredentials()
    {
        addAccount(QStringLiteral("acc"), QStringLiteral("caldav"));
        const QList<CalDavParse::DiscoveredCalendar> found = {
            discovered(QStringLiteral("https://bob:secret@h/c/"), QStringLiteral("C"))};
        QCOMPARE(mergeDiscoveredCalendars(m_calendars.get(), m_accounts.get(), QStringLiteral("acc"), found), 1);
        QCOMPARE(m_calendars->getByAccount(QStringLiteral("acc")).first().url, QStringLiteral("https://h/c/"));
        QCOMPARE(m_store->count(QStringLiteral("calendars"), QStringLiteral("url LIKE '%secret%'")), 0);
        // Merging again recognises the row by its stripped URL.
        QCOMPARE(mergeDiscoveredCalendars(m_calendars.get(), m_accounts.get(), QStringLiteral("acc"), found), 0);
    }
};

QTEST_GUILESS_MAIN(TestMergeDiscoveredCalendars)
#include "tst_mergediscoveredcalendars.moc"
