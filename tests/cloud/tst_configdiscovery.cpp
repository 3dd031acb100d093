#include <QSignalSpy>
#include <QTest>

#include "cloud/configrecords.h"
#include "sync/core/canonicalcalendarkey.h"
#include "sync/core/syncerrorcode.h"
#include "sync/google/googleauthservice.h"
#include "sync/microsoft/microsoftauthservice.h"
#include "tests/support/configsyncdevice.h"
#include "tests/support/fakecloudconfigroutes.h"
#include "tests/support/fakegoogleserver.h"
#include "tests/support/fakemicrosoftserver.h"
#include "tests/support/refusedport.h"

namespace Records = Tindlebrook::ConfigRecords;

namespace {

// Whole seconds, as the store keeps them.
QDateTime at(int secondsAgo)
{
    return QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() - secondsAgo, Qt::UTC);
}

// A token set as either provider keeps it.
struct Tokens
{
    QString access;
    QString refresh;
    QDateTime expiresAt;
};

// Google or Microsoft on 127.0.0.1, behind one face, so that every case runs
// against both providers' real clients.
class ProviderBed
{
public:
    explicit ProviderBed(const QString &type)
        : m_type(type)
    {
    }

    bool isGoogle() const { return m_type == QLatin1String("google"); }
    QString type() const { return m_type; }

    bool start() { return isGoogle() ? m_google.start() : m_microsoft.start(); }

    Tindlebrook::ConfigSyncSeams seams(int transferTimeoutMs = 5000) const
    {
        Tindlebrook::ConfigSyncSeams seams;
        seams.debounceMs = 50;
        seams.discovery.timeLimitMs = 10000;
        seams.discovery.google.accountsBase = m_google.baseUrl();
        seams.discovery.google.tokenBase = m_google.baseUrl();
        seams.discovery.google.apiBase = m_google.baseUrl();
        seams.discovery.google.clientId = m_google.clientId;
        seams.discovery.google.clientSecret = m_google.clientSecret;
        seams.discovery.google.transferTimeoutMs = transferTimeoutMs;
        seams.discovery.microsoft.authority = m_microsoft.baseUrl();
        seams.discovery.microsoft.graphRoot = m_microsoft.graphRoot();
        seams.discovery.microsoft.clientId = m_microsoft.clientId;
        seams.discovery.microsoft.transferTimeoutMs = transferTimeoutMs;
        return seams;
    }

    void addCalendar(const QString &id, const QString &name, bool writable, const QString &color)
    {
        if (isGoogle())
            m_google.addCalendar({{"id", id},
                                  {"summary", name},
                                  {"description", name + QStringLiteral(" notes")},
                                  {"backgroundColor", color},
                                  {"accessRole", writable ? "owner" : "reader"}});
        else
            m_microsoft.addCalendar({{"id", id}, {"name", name}, {"hexColor", color}, {"canEdit", writable}});
    }

    // Valid on the server.
    void issue(const Tokens &tokens)
    {
        if (isGoogle()) {
            m_google.addRefreshToken(tokens.refresh);
            m_google.addAccessToken(tokens.access);
        } else {
            m_microsoft.addRefreshToken(tokens.refresh);
            m_microsoft.addAccessToken(tokens.access);
        }
    }

    void store(ConfigSyncDevice &device, const QString &accountId, const Tokens &tokens) const
    {
        MemoryTokenStore secrets(device.secrets);
        if (isGoogle())
            Google::AuthService::saveTokens(secrets, accountId, {tokens.access, tokens.refresh, tokens.expiresAt});
        else
            Microsoft::AuthService::saveTokens(secrets, accountId, {tokens.access, tokens.refresh, tokens.expiresAt});
    }

    Tokens stored(ConfigSyncDevice &device, const QString &accountId) const
    {
        MemoryTokenStore secrets(device.secrets);
        if (isGoogle()) {
            const Google::StoredTokens t = Google::AuthService::loadTokens(secrets, accountId);
            return {t.accessToken, t.refreshToken, t.expiresAt};
        }
        const Microsoft::StoredTokens t = Microsoft::AuthService::loadTokens(secrets, accountId);
        return {t.accessToken, t.refreshToken, t.expiresAt};
    }

    void setRotating(bool rotating)
    {
        m_google.rotateRefreshTokens = rotating;
        m_microsoft.rotateRefreshTokens = rotating;
    }

    QString lastAccessToken() const { return isGoogle() ? m_google.lastAccessToken() : m_microsoft.lastAccessToken(); }
    QString lastRefreshToken() const
    {
        return isGoogle() ? m_google.lastRefreshToken() : m_microsoft.lastRefreshToken();
    }

    int tokenRequests() const
    {
        return isGoogle() ? m_google.requestsTo("/token").size()
                          : m_microsoft.requestsTo("/common/oauth2/v2.0/token").size();
    }

    int listRequests() const
    {
        return isGoogle() ? m_google.requestsTo("/calendar/v3/users/me/calendarList").size()
                          : m_microsoft.requestsTo("/v1.0/me/calendars").size();
    }

    void failToken(int status)
    {
        if (isGoogle())
            m_google.failNext({"POST", "/token", status, false, -1});
        else
            m_microsoft.failNext({"POST", "/oauth2/v2.0/token", status, false, -1});
    }

    void failListing(int status, bool hang)
    {
        if (isGoogle())
            m_google.failNext({"GET", "/calendarList", status, hang, -1});
        else
            m_microsoft.failNext({"GET", "/me/calendars", status, hang, -1});
    }

private:
    QString m_type;
    FakeGoogleServer m_google;
    FakeMicrosoftServer m_microsoft;
};

Account oauthAccount(const QString &type)
{
    Account account;
    account.id = QStringLiteral("oauth-1");
    account.name = QStringLiteral("Ada's calendars");
    setTypeText(account, type);
    account.username = QStringLiteral("ada@example.com");
    account.color = QStringLiteral("#336699");
    account.created_at = at(7200);
    account.updated_at = at(7200);
    return account;
}

Calendar providerCalendar(const QString &type, const QString &id, const QString &accountId, const QString &url)
{
    Calendar calendar;
    calendar.id = id;
    calendar.account_id = accountId;
    calendar.url = url;
    calendar.name = id;
    calendar.color = QStringLiteral("#AA0000");
    calendar.is_visible = false;
    calendar.sort_order = 3;
    calendar.canonical_key = Sync::canonicalCalendarKey(type, url).value_or(QString());
    calendar.sync_enabled = true;
    calendar.created_at = at(7000);
    calendar.updated_at = at(7000);
    return calendar;
}

std::optional<Calendar> withUrl(const QList<Calendar> &calendars, const QString &url)
{
    for (const Calendar &calendar : calendars) {
        if (calendar.url == url)
            return calendar;
    }
    return std::nullopt;
}

void addProviderRow()
{
    QTest::addColumn<QString>("type");
    QTest::newRow("google") << QStringLiteral("google");
    QTest::newRow("microsoft") << QStringLiteral("microsoft");
}

} // namespace

// Accounts set up with Google or Microsoft on one device reach another,
// which lists their calendars with its own tokens.
class TestConfigDiscovery : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeCloudServer> m_cloud;
    std::unique_ptr<ProviderBed> m_provider;
    std::unique_ptr<ConfigSyncDevice> m_a;
    std::unique_ptr<ConfigSyncDevice> m_b;

    FakeCloudConfigRoutes *cloud() const { return m_cloud->config(); }

    // Device A with the account, one calendar and a group of it, pushed.
    Calendar shareFromDeviceA(const QString &type)
    {
        const Account account = oauthAccount(type);
        const Calendar work = providerCalendar(type, QStringLiteral("a-work"), account.id, QStringLiteral("work-id"));
        CalendarView group;
        group.id = QStringLiteral("group-work");
        group.name = QStringLiteral("Work");
        group.calendar_ids = Records::compactIdList({work.id});
        if (!m_a->accounts.insert(account) || !m_a->calendars.insert(work) || !m_a->views.insert(group)
            || !m_a->sync())
            return {};
        return work;
    }

    // unreachablePort: where device B finds the provider's API; 0: the fake.
    void start(const QString &type, std::function<QDateTime()> clock = {}, quint16 unreachablePort = 0)
    {
        m_cloud = std::make_unique<FakeCloudServer>();
        m_provider = std::make_unique<ProviderBed>(type);
        QVERIFY(m_cloud->listen());
        QVERIFY(m_provider->start());
        Tindlebrook::ConfigSyncSeams seams = m_provider->seams();
        seams.clock = clock;
        if (unreachablePort != 0) {
            const QUrl nowhere(QStringLiteral("http://127.0.0.1:%1").arg(unreachablePort));
            seams.discovery.google.apiBase = nowhere;
            seams.discovery.microsoft.graphRoot = nowhere;
        }
        m_a = std::make_unique<ConfigSyncDevice>(*m_cloud, QStringLiteral("laptop"), m_provider->seams());
        m_b = std::make_unique<ConfigSyncDevice>(*m_cloud, QStringLiteral("desktop"), seams);
        QVERIFY(m_a->opened && m_b->opened);
        m_provider->addCalendar(QStringLiteral("work-id"), QStringLiteral("Work"), true, QStringLiteral("#0B8043"));
        m_provider->addCalendar(QStringLiteral("shared-id"), QStringLiteral("Team"), false, QStringLiteral("#7986CB"));
    }

private Q_SLOTS:
    void cleanup()
    {
        m_a.reset();
        m_b.reset();
        m_provider.reset();
        m_cloud.reset();
    }

    void pulledAccountListsItsCalendars_data() { addProviderRow(); }

    void pulledAccountListsItsCalendars()
    {
        QFETCH(QString, type);
        start(type);
        if (QTest::currentTestFailed())
            return;
        const Calendar work = shareFromDeviceA(type);
        QVERIFY(!work.id.isEmpty());
        const Tokens tokens{QStringLiteral("access-1"), QStringLiteral("refresh-1"), at(-3600)};
        m_provider->issue(tokens);
        m_provider->store(*m_b, QStringLiteral("oauth-1"), tokens);
        QSignalSpy syncRequested(m_b->service.get(), &Tindlebrook::ConfigSyncService::syncRequested);

        QVERIFY(m_b->sync());
        QCOMPARE(m_b->service->state(), Tindlebrook::ConfigSyncService::UpToDate);
        QCOMPARE(syncRequested.size(), 1);
        QCOMPARE(m_provider->listRequests(), 1);
        QCOMPARE(m_provider->tokenRequests(), 0);
        const QList<Calendar> calendars = m_b->calendars.getByAccount(QStringLiteral("oauth-1"));
        QCOMPARE(calendars.size(), 2);
        const std::optional<Calendar> mine = withUrl(calendars, QStringLiteral("work-id"));
        const std::optional<Calendar> team = withUrl(calendars, QStringLiteral("shared-id"));
        QVERIFY(mine && team);
        // Writable and keyed like A's; A's choices for it follow.
        QCOMPARE(mine->canonical_key, work.canonical_key);
        QVERIFY(!mine->is_read_only);
        QVERIFY(mine->sync_enabled);
        QCOMPARE(mine->is_visible, false);
        QCOMPARE(mine->color, QStringLiteral("#AA0000"));
        QCOMPARE(m_b->views.getById(QStringLiteral("group-work"))->calendar_ids, Records::compactIdList({mine->id}));
        // Only readable: read-only here.
        Calendar expectedTeam = *team;
        expectedTeam.name = QStringLiteral("Team");
        expectedTeam.description = m_provider->isGoogle() ? QStringLiteral("Team notes") : QString();
        expectedTeam.color = QStringLiteral("#7986CB");
        expectedTeam.is_read_only = true;
        expectedTeam.sync_enabled = true;
        expectedTeam.is_visible = true;
        expectedTeam.canonical_key = *Sync::canonicalCalendarKey(type, QStringLiteral("shared-id"));
        QCOMPARE(*team, expectedTeam);
        QVERIFY(m_b->accounts.getById(QStringLiteral("oauth-1"))->last_sync_error.isEmpty());
    }

    void signingInLaterAdoptsTheWaitingCalendar_data() { addProviderRow(); }

    void signingInLaterAdoptsTheWaitingCalendar()
    {
        QFETCH(QString, type);
        start(type);
        if (QTest::currentTestFailed())
            return;
        const Calendar work = shareFromDeviceA(type);
        QVERIFY(!work.id.isEmpty());
        QVERIFY(m_b->sync());
        QCOMPARE(m_b->accounts.getById(QStringLiteral("oauth-1"))->last_sync_error,
                 QString::fromLatin1(SyncErrorCode::SignInRequired));
        QCOMPARE(m_provider->listRequests(), 0);
        const QList<Calendar> waiting = m_b->calendars.getByAccount(QStringLiteral("oauth-1"));
        QCOMPARE(waiting.size(), 1);
        const Calendar stub = waiting.first();
        QVERIFY(stub.is_read_only);

        // Signed in on B; A renames the account, which brings it round again.
        const Tokens tokens{QStringLiteral("access-1"), QStringLiteral("refresh-1"), at(-3600)};
        m_provider->issue(tokens);
        m_provider->store(*m_b, QStringLiteral("oauth-1"), tokens);
        Account renamed = *m_a->accounts.getById(QStringLiteral("oauth-1"));
        renamed.name = QStringLiteral("Ada at work");
        renamed.updated_at = at(0);
        QVERIFY(m_a->accounts.updateKeepingTime(renamed));
        QVERIFY(m_a->sync());
        QVERIFY(m_b->sync());

        const QList<Calendar> calendars = m_b->calendars.getByAccount(QStringLiteral("oauth-1"));
        QCOMPARE(calendars.size(), 2);
        const std::optional<Calendar> adopted = withUrl(calendars, QStringLiteral("work-id"));
        QVERIFY(adopted);
        Calendar expected = stub;
        expected.name = QStringLiteral("Work");
        if (m_provider->isGoogle())
            expected.description = QStringLiteral("Work notes");
        expected.color = QStringLiteral("#0B8043");
        expected.is_read_only = false;
        expected.sync_enabled = true;
        expected.updated_at = adopted->updated_at;
        QCOMPARE(*adopted, expected);
        const Account account = *m_b->accounts.getById(QStringLiteral("oauth-1"));
        QCOMPARE(account.name, QStringLiteral("Ada at work"));
        QVERIFY(account.last_sync_error.isEmpty());
    }

    void expiringTokenIsRefreshedFirst_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("secondsLeft");
        QTest::addColumn<bool>("rotating");
        QTest::addColumn<bool>("refreshed");
        for (const QString &type : {QStringLiteral("google"), QStringLiteral("microsoft")}) {
            const QByteArray name = type.toLatin1();
            QTest::newRow(name + " 61 s left") << type << 61 << false << false;
            QTest::newRow(name + " 60 s left") << type << 60 << false << true;
            QTest::newRow(name + " expired, rotated") << type << -5 << true << true;
        }
    }

    void expiringTokenIsRefreshedFirst()
    {
        QFETCH(QString, type);
        QFETCH(int, secondsLeft);
        QFETCH(bool, rotating);
        QFETCH(bool, refreshed);
        const QDateTime now = at(0);
        start(type, [now] { return now; });
        if (QTest::currentTestFailed())
            return;
        m_provider->setRotating(rotating);
        QVERIFY(!shareFromDeviceA(type).id.isEmpty());
        const Tokens tokens{QStringLiteral("access-1"), QStringLiteral("refresh-1"), now.addSecs(secondsLeft)};
        m_provider->issue(tokens);
        m_provider->store(*m_b, QStringLiteral("oauth-1"), tokens);

        QVERIFY(m_b->sync());
        QCOMPARE(m_provider->tokenRequests(), refreshed ? 1 : 0);
        QCOMPARE(m_b->calendars.getByAccount(QStringLiteral("oauth-1")).size(), 2);
        const Tokens kept = m_provider->stored(*m_b, QStringLiteral("oauth-1"));
        if (!refreshed) {
            QCOMPARE(kept.access, tokens.access);
            QCOMPARE(kept.refresh, tokens.refresh);
            return;
        }
        QCOMPARE(kept.access, m_provider->lastAccessToken());
        QVERIFY(kept.access != tokens.access);
        QVERIFY(kept.expiresAt > tokens.expiresAt);
        // A refresh that hands out no new refresh token keeps the old one.
        QCOMPARE(kept.refresh, rotating ? m_provider->lastRefreshToken() : tokens.refresh);
        QVERIFY(!rotating || kept.refresh != tokens.refresh);
    }

    // Only a refusal of the sign-in asks for a new one: no tokens, a refused
    // refresh, a listing refused even after a renewal. A provider that fails
    // otherwise is asked again at the next sync, the account left as it was.
    void failingProviderLeavesTheStubAndThePullGoesOn_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<bool>("signInRequired");
        QTest::addColumn<int>("tokenRequests");
        for (const QString &type : {QStringLiteral("google"), QStringLiteral("microsoft")}) {
            const QByteArray name = type.toLatin1();
            QTest::newRow(name + " no tokens") << type << "none" << true << 0;
            QTest::newRow(name + " refresh refused") << type << "refresh" << true << 1;
            QTest::newRow(name + " listing refused after renewal") << type << "listing 401" << true << 1;
            QTest::newRow(name + " refresh 500") << type << "refresh 500" << false << 1;
            QTest::newRow(name + " listing 500") << type << "listing 500" << false << 0;
            QTest::newRow(name + " listing unreachable") << type << "unreachable" << false << 0;
        }
    }

    void failingProviderLeavesTheStubAndThePullGoesOn()
    {
        QFETCH(QString, type);
        QFETCH(QString, failure);
        QFETCH(bool, signInRequired);
        QFETCH(int, tokenRequests);
        RefusedPort refused;
        QVERIFY(refused.isValid());
        start(type, {}, failure == QLatin1String("unreachable") ? refused.port() : 0);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!shareFromDeviceA(type).id.isEmpty());
        cloud()->inject(Records::FilterRules, {{"id", "rule-after"}, {"name", "after discovery"}});
        const Tokens valid{QStringLiteral("access-1"), QStringLiteral("refresh-1"), at(-3600)};
        if (failure == QLatin1String("refresh")) {
            // Unknown to the server: the refresh is refused.
            m_provider->store(*m_b, QStringLiteral("oauth-1"), {QString(), QStringLiteral("revoked"), QDateTime()});
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("token refresh FAILED for"));
        } else if (failure == QLatin1String("refresh 500")) {
            m_provider->issue(valid);
            m_provider->store(*m_b, QStringLiteral("oauth-1"), {QString(), valid.refresh, QDateTime()});
            m_provider->failToken(500);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("token refresh FAILED for"));
        } else if (failure != QLatin1String("none")) {
            m_provider->issue(valid);
            m_provider->store(*m_b, QStringLiteral("oauth-1"), valid);
            if (failure.startsWith(QLatin1String("listing")))
                m_provider->failListing(failure.mid(8).toInt(), false);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("discovery FAILED for"));
        }
        QVERIFY(m_b->sync());
        QCOMPARE(m_b->service->state(), Tindlebrook::ConfigSyncService::UpToDate);
        QCOMPARE(m_b->accounts.getById(QStringLiteral("oauth-1"))->last_sync_error,
                 signInRequired ? QString::fromLatin1(SyncErrorCode::SignInRequired) : QString());
        // A 401 is answered by one renewal, and refused again.
        QCOMPARE(m_provider->tokenRequests(), tokenRequests);
        // Waiting as a read-only stub; the rest of the pull is applied.
        const QList<Calendar> calendars = m_b->calendars.getByAccount(QStringLiteral("oauth-1"));
        QCOMPARE(calendars.size(), 1);
        QVERIFY(calendars.first().is_read_only);
        QVERIFY(m_b->filterRules.getById(QStringLiteral("rule-after")));
        QCOMPARE(m_b->preferences.getString(QStringLiteral("config/sync/since")), QString::number(cloud()->cursor()));
    }

    void hungProviderCannotHoldTheCycle_data() { addProviderRow(); }

    void hungProviderCannotHoldTheCycle()
    {
        QFETCH(QString, type);
        start(type);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!shareFromDeviceA(type).id.isEmpty());
        // The provider's own request limit is far away: only the time limit
        // of the discovery ends the wait.
        Tindlebrook::ConfigSyncSeams seams = m_provider->seams(60000);
        seams.discovery.timeLimitMs = 300;
        ConfigSyncDevice c(*m_cloud, QStringLiteral("tablet"), seams);
        QVERIFY(c.opened);
        const Tokens tokens{QStringLiteral("access-1"), QStringLiteral("refresh-1"), at(-3600)};
        m_provider->issue(tokens);
        m_provider->store(c, QStringLiteral("oauth-1"), tokens);
        m_provider->failListing(200, true);
        cloud()->inject(Records::FilterRules, {{"id", "rule-after"}, {"name", "after discovery"}});
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("discovery gave up on"));

        QVERIFY(c.sync(5000));
        QCOMPARE(m_provider->listRequests(), 1);
        QCOMPARE(c.service->state(), Tindlebrook::ConfigSyncService::UpToDate);
        QVERIFY(!c.service->isCycleRunning());
        QVERIFY(c.filterRules.getById(QStringLiteral("rule-after")));
        QCOMPARE(c.preferences.getString(QStringLiteral("config/sync/since")), QString::number(cloud()->cursor()));
        // The next cycle is not held either.
        QVERIFY(c.sync(5000));
    }
};

QTEST_GUILESS_MAIN(TestConfigDiscovery)
#include "tst_configdiscovery.moc"
