#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QtTest>

#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "sync/google/googleauthservice.h"
#include "sync/google/googlesyncclient.h"
#include "tests/support/fakegoogleserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/teststore.h"

#include <memory>

// One Google account ("g") with one calendar ("work", Google's
// "team@example.com") against the fake Google server, its tokens in memory,
// and a sync client over them: what the Google sync tests share.
class GoogleSyncBed
{
public:
    static inline const QString CalendarId = QStringLiteral("work");
    static inline const QString GoogleCalendar = QStringLiteral("team@example.com");

    struct Outcome
    {
        QStringList failures;
        int completions = 0;
        int count = -1;
    };

    std::unique_ptr<TestStore> store;
    std::unique_ptr<AccountRepository> accounts;
    std::unique_ptr<CalendarRepository> calendars;
    std::unique_ptr<EventRepository> events;
    std::unique_ptr<FakeGoogleServer> server;
    MemoryTokenStore::Entries secrets;
    std::unique_ptr<Google::SyncClient> client;
    // How long the client waits for an answer (makeClient).
    int transferTimeoutMs = 5000;

    // False when the store or the server could not start.
    bool start()
    {
        store = std::make_unique<TestStore>();
        if (!store->isOpen())
            return false;
        accounts = std::make_unique<AccountRepository>(store->db());
        calendars = std::make_unique<CalendarRepository>(store->db());
        events = std::make_unique<EventRepository>(store->db());
        server = std::make_unique<FakeGoogleServer>();
        if (!server->start())
            return false;
        server->addAccessToken(QStringLiteral("ya29.stored"));
        server->addRefreshToken(QStringLiteral("1//stored"));
        secrets = std::make_shared<QHash<QString, QString>>();
        Account account;
        account.id = QStringLiteral("g");
        account.name = QStringLiteral("ada@example.com");
        account.username = QStringLiteral("me@example.com");
        account.type = AccountType::Google;
        Calendar work;
        work.id = CalendarId;
        work.name = QStringLiteral("Team");
        work.account_id = account.id;
        work.url = GoogleCalendar;
        if (!accounts->insert(account) || !calendars->insert(work))
            return false;
        saveTokens(QDateTime::currentDateTimeUtc().addSecs(3600));
        makeClient();
        return true;
    }

    Google::Endpoints endpoints() const
    {
        Google::Endpoints endpoints;
        endpoints.accountsBase = endpoints.tokenBase = endpoints.apiBase = server->baseUrl();
        endpoints.clientId = server->clientId;
        endpoints.clientSecret = server->clientSecret;
        endpoints.transferTimeoutMs = transferTimeoutMs;
        endpoints.retryBaseMs = 10;
        return endpoints;
    }

    void makeClient()
    {
        client = std::make_unique<Google::SyncClient>(
            Sync::Repositories{store->db(), events.get(), nullptr, calendars.get(), accounts.get()}, endpoints());
        auto shared = secrets;
        client->setTokenStoreMaker([shared] { return std::make_unique<MemoryTokenStore>(shared); });
    }

    bool saveTokens(const QDateTime &expiresAt, const QString &access = QStringLiteral("ya29.stored"),
                    const QString &refresh = QStringLiteral("1//stored"))
    {
        MemoryTokenStore tokens(secrets);
        return Google::AuthService::saveTokens(tokens, QStringLiteral("g"),
                                               Google::StoredTokens{access, refresh, expiresAt});
    }

    Google::StoredTokens savedTokens() const
    {
        MemoryTokenStore tokens(secrets);
        return Google::AuthService::loadTokens(tokens, QStringLiteral("g"));
    }

    // Another calendar here, `googleId` on Google, of the account or of a
    // second one signed in as well (`accountId`, made when missing).
    bool addCalendar(const QString &id, const QString &googleId, const QString &accountId = QStringLiteral("g"))
    {
        if (!accounts->getById(accountId)) {
            Account second = accounts->getById(QStringLiteral("g")).value();
            second.id = accountId;
            MemoryTokenStore tokens(secrets);
            if (!accounts->insert(second)
                || !Google::AuthService::saveTokens(tokens, accountId,
                                                    Google::StoredTokens{QStringLiteral("ya29.stored"),
                                                                         QStringLiteral("1//stored"),
                                                                         QDateTime::currentDateTimeUtc().addSecs(3600)}))
                return false;
        }
        Calendar other = calendar();
        other.id = id;
        other.url = googleId;
        other.account_id = accountId;
        return calendars->insert(other);
    }

    Calendar calendar(const QString &id = CalendarId) const { return calendars->getById(id).value_or(Calendar()); }

    // One run of the calendar, to its final signal.
    Outcome sync(const QString &calendarId = CalendarId)
    {
        Outcome outcome;
        bool done = false;
        QObject context;
        QObject::connect(client.get(), &Sync::CalendarSyncClient::calendarSyncCompleted, &context,
                         [&](const QString &, int count) {
                             ++outcome.completions;
                             outcome.count = count;
                             done = true;
                         });
        QObject::connect(client.get(), &Sync::CalendarSyncClient::calendarSyncFailed, &context,
                         [&](const QString &id, const QString &reason) {
                             outcome.failures.append(reason);
                             if (!client->isSyncing(id))
                                 done = true;
                         });
        client->syncCalendar(calendar(calendarId));
        if (!QTest::qWaitFor([&] { return done; }, 10000))
            outcome.failures.append(QStringLiteral("<no final signal>"));
        return outcome;
    }

    static QJsonObject parse(const char *json) { return QJsonDocument::fromJson(QByteArray(json)).object(); }
    QJsonObject serverEvent(const char *json) { return server->putEvent(GoogleCalendar, parse(json)); }
    QJsonObject serverCopy(const QString &id) const { return server->event(GoogleCalendar, id).value_or(QJsonObject()); }

    Event localRow(const QString &googleId) const
    {
        return events->getByProviderEventId(CalendarId, googleId).value_or(Event());
    }
};
