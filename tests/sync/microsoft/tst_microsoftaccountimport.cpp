#include <QSignalSpy>
#include <QtTest>

#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "sync/core/canonicalcalendarkey.h"
#include "sync/microsoft/microsoftaccountimport.h"
#include "tests/support/fakemicrosoftserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/teststore.h"

using Microsoft::AccountImport;

class TestMicrosoftAccountImport : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<AccountRepository> m_accounts;
    std::unique_ptr<CalendarRepository> m_calendars;
    std::unique_ptr<FakeMicrosoftServer> m_server;
    MemoryTokenStore::Entries m_secrets;

    Microsoft::SignInResult signIn() const
    {
        return Microsoft::SignInResult{QStringLiteral("Ada@Example.com"), QStringLiteral("Ada Lovelace"),
                                       QStringLiteral("EwB.fresh"), QStringLiteral("M.fresh"), QString(),
                                       QDateTime(QDate(2026, 3, 1), QTime(10, 0), Qt::UTC)};
    }

    // One import to its end; the failure text, empty on success.
    QString import(const Microsoft::SignInResult &result, QString *accountId = nullptr)
    {
        Microsoft::Endpoints endpoints;
        endpoints.authority = m_server->baseUrl();
        endpoints.graphRoot = m_server->graphRoot();
        AccountImport importer(Sync::Repositories{m_store->db(), nullptr, nullptr, m_calendars.get(),
                                                  m_accounts.get()},
                               endpoints);
        auto secrets = m_secrets;
        importer.setTokenStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
        QSignalSpy imported(&importer, &AccountImport::imported);
        QSignalSpy failed(&importer, &AccountImport::failed);
        importer.start(result);
        if (!QTest::qWaitFor([&] { return imported.size() + failed.size() > 0; }, 20000))
            return QStringLiteral("<no answer>");
        if (accountId && !imported.isEmpty())
            *accountId = imported.first().at(0).toString();
        return failed.isEmpty() ? QString() : failed.first().at(0).toString();
    }

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<TestStore>();
        QVERIFY(m_store->isOpen());
        m_accounts = std::make_unique<AccountRepository>(m_store->db());
        m_calendars = std::make_unique<CalendarRepository>(m_store->db());
        m_server = std::make_unique<FakeMicrosoftServer>();
        QVERIFY(m_server->start());
        m_server->addAccessToken(QStringLiteral("EwB.fresh"));
        m_secrets = std::make_shared<QHash<QString, QString>>();
        m_server->addCalendar(QJsonObject{{QStringLiteral("id"), QStringLiteral("AAMkDefault=")},
                                          {QStringLiteral("name"), QStringLiteral("Calendar")},
                                          {QStringLiteral("color"), QStringLiteral("lightTeal")},
                                          {QStringLiteral("canEdit"), true},
                                          {QStringLiteral("isDefaultCalendar"), true}});
        for (int i = 1; i <= 11; ++i)
            m_server->addCalendar(QJsonObject{{QStringLiteral("id"), QStringLiteral("AAMkShared%1=").arg(i)},
                                              {QStringLiteral("name"), QStringLiteral("Shared %1").arg(i)},
                                              {QStringLiteral("hexColor"), QStringLiteral("#112233")},
                                              {QStringLiteral("canEdit"), false}});
    }

    void signInStoresTheAccountItsTokensAndEveryCalendar()
    {
        QString accountId;
        QCOMPARE(import(signIn(), &accountId), QString());
        const Account account = m_accounts->getById(accountId).value();
        QCOMPARE(account.type, AccountType::Microsoft);
        QCOMPARE(account.username, QStringLiteral("Ada@Example.com"));
        MemoryTokenStore store(m_secrets);
        QCOMPARE(Microsoft::AuthService::loadTokens(store, accountId),
                 (Microsoft::StoredTokens{QStringLiteral("EwB.fresh"), QStringLiteral("M.fresh"),
                                          QDateTime(QDate(2026, 3, 1), QTime(10, 0), Qt::UTC)}));
        const QList<Calendar> calendars = m_calendars->getByAccount(accountId);
        QCOMPARE(calendars.size(), 12);
        const auto byUrl = [&](const QString &url) {
            for (const Calendar &calendar : calendars) {
                if (calendar.url == url)
                    return calendar;
            }
            return Calendar();
        };
        const Calendar main = byUrl(QStringLiteral("AAMkDefault="));
        QCOMPARE(main.color, QStringLiteral("#1FAA8E"));
        QCOMPARE(main.is_read_only, false);
        QCOMPARE(main.canonical_key,
                 Sync::canonicalCalendarKey(QStringLiteral("microsoft"), QStringLiteral("AAMkDefault=")).value());
        QCOMPARE(byUrl(QStringLiteral("AAMkShared11=")).is_read_only, true);
        // Each one syncs from the start, read-only ones too.
        for (const Calendar &calendar : calendars)
            QVERIFY2(calendar.sync_enabled, qPrintable(calendar.url));
    }

    void signingInAgainUpdatesRatherThanDuplicates()
    {
        QString first;
        QCOMPARE(import(signIn(), &first), QString());
        Microsoft::SignInResult again = signIn();
        again.email = QStringLiteral("ada@example.com");
        again.refreshToken = QStringLiteral("M.second");
        QString second;
        QCOMPARE(import(again, &second), QString());
        QCOMPARE(second, first);
        QCOMPARE(m_accounts->getAll().size(), 1);
        QCOMPARE(m_calendars->getByAccount(first).size(), 12);
        MemoryTokenStore store(m_secrets);
        QCOMPARE(Microsoft::AuthService::loadTokens(store, first).refreshToken, QStringLiteral("M.second"));
    }

    void aRefusedListingIsReported()
    {
        m_server->failNext({"GET", "/me/calendars", 503, false, -1, 0});
        QVERIFY(import(signIn()).startsWith(QStringLiteral("Microsoft rejected /me/calendars (HTTP 503)")));
    }
};

QTEST_GUILESS_MAIN(TestMicrosoftAccountImport)
#include "tst_microsoftaccountimport.moc"
