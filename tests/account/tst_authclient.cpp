#include "account/accountclient.h"
#include "account/authclient.h"
#include "account/client.h"
#include "account/webauthhandler.h"
#include "tests/support/fakecloudserver.h"
#include "tests/support/listeningports.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/recordingbrowser.h"

#include <QMap>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QUrlQuery>

using namespace TindAccount;

// Sign-in, session restore and sign-out of the whole client against the fake
// cloud service, with a browser that follows the sign-in redirect.
class TestAuthClient : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeCloudServer> m_server;
    MemoryTokenStore::Entries m_entries;
    RecordingBrowser *m_browser = nullptr;
    std::function<void()> m_secretsReady;
    bool m_holdSecrets = false;

    std::unique_ptr<Client> makeClient()
    {
        Client::Config config;
        config.authApiUrl = m_server->authApiUrl();
        config.realmSlug = FakeCloudServer::RealmSlug;
        config.accountApiUrl = m_server->accountApiUrl();
        config.clientId = "0123456789abcdef0123456789abcdef";
        config.appId = "calendar-test";
        config.accountPortalUrl = m_server->portalUrl();
        Client::Seams seams;
        seams.tokenStore = std::make_unique<MemoryTokenStore>(m_entries);
        seams.openUrl = m_browser->opener();
        seams.whenSecretsReady = [this](QObject *, std::function<void()> ready) {
            if (m_holdSecrets)
                m_secretsReady = std::move(ready);
            else
                ready();
        };
        return std::make_unique<Client>(config, std::move(seams));
    }

    void store(const QString &access, const QString &refresh)
    {
        m_entries->insert(AccessTokenKey, access);
        m_entries->insert(RefreshTokenKey, refresh);
    }

private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<FakeCloudServer>();
        QVERIFY(m_server->listen());
        m_entries = std::make_shared<QHash<QString, QString>>();
        m_browser = new RecordingBrowser(this);
        m_holdSecrets = false;
        m_secretsReady = {};
    }

    void cleanup()
    {
        delete m_browser;
        m_server.reset();
    }

    void browserSignInEndsSignedInAndSurvivesARestart()
    {
        auto client = makeClient();
        QSignalSpy states(client.get(), &Client::authStateChanged);
        QSignalSpy claims(client.get(), &Client::claimsUpdated);
        client->initialize();
        QCOMPARE(client->state(), AuthState::SignedOut);
        QSignalSpy succeeded(client->authClient(), &AuthClient::loginSucceeded);
        client->authClient()->login();
        QTRY_COMPARE(succeeded.count(), 1);
        QVERIFY(client->isAuthenticated());
        QCOMPARE(states.count(), 2);
        QCOMPARE(states.at(1).at(0).value<AuthState>(), AuthState::SignedIn);
        QCOMPARE(claims.count(), 1);

        // The browser is handed the one-time start address, which carries no
        // secret and leads on to the sign-in page.
        const QUrl start = m_browser->opened().constFirst();
        QCOMPARE(start, client->authClient()->lastSignInPage());
        QCOMPARE(start.query(), QString());
        const QUrl page = m_browser->redirects().value(0);
        QCOMPARE(page.path(), QStringLiteral("/tindlebrook/account/login"));
        QVERIFY2(page.toString(QUrl::FullyEncoded).contains(
                     "client_id=0123456789abcdef0123456789abcdef&redirect_uri=http%3A%2F%2F127.0.0.1%3A"),
                 qPrintable(page.toString(QUrl::FullyEncoded)));
        QVERIFY(!m_entries->value(RefreshTokenKey).isEmpty());

        client.reset();
        auto restarted = makeClient();
        restarted->initialize();
        QCOMPARE(restarted->state(), AuthState::SignedIn);
    }

    void sessionIsRestoredOnlyOnceTheKeyringIsReady()
    {
        const FakeCloudServer::Tokens tokens = m_server->signIn();
        store(tokens.accessToken, tokens.refreshToken);
        m_holdSecrets = true;
        auto client = makeClient();
        QSignalSpy states(client.get(), &Client::authStateChanged);
        client->initialize();
        QCOMPARE(client->state(), AuthState::Initial);
        QVERIFY(!client->isAuthenticated());
        QVERIFY(m_secretsReady);
        m_secretsReady();
        QCOMPARE(client->state(), AuthState::SignedIn);
        QCOMPARE(states.count(), 1);
    }

    void restoreWithExpiredTokenFollowsTheRefresh_data()
    {
        QTest::addColumn<FakeCloudServer::Fault>("fault");
        QTest::addColumn<bool>("forged");
        QTest::addColumn<AuthState>("expected");
        QTest::addColumn<bool>("kept");
        QTest::newRow("refreshed") << FakeCloudServer::Fault::None << false << AuthState::SignedIn << true;
        QTest::newRow("service 503") << FakeCloudServer::Fault::ServerError << false << AuthState::SignedIn << true;
        QTest::newRow("refused") << FakeCloudServer::Fault::None << true << AuthState::SignedOut << false;
    }

    void restoreWithExpiredTokenFollowsTheRefresh()
    {
        QFETCH(FakeCloudServer::Fault, fault);
        QFETCH(bool, forged);
        QFETCH(AuthState, expected);
        QFETCH(bool, kept);
        const FakeCloudServer::Tokens tokens = m_server->signIn();
        store(m_server->accessToken(m_server->sessionOf(tokens.refreshToken), 10),
              forged ? QStringLiteral("forged") : tokens.refreshToken);
        m_server->setFault("/auth/token/refresh", fault);
        auto client = makeClient();
        client->initialize();
        QCOMPARE(client->state(), AuthState::Initial);
        QTRY_COMPARE(client->state(), expected);
        QCOMPARE(m_entries->contains(RefreshTokenKey), kept);
    }

    void signOutDuringARefreshLeavesTheStoreEmpty()
    {
        const FakeCloudServer::Tokens tokens = m_server->signIn();
        store(m_server->accessToken(m_server->sessionOf(tokens.refreshToken), 10), tokens.refreshToken);
        m_holdSecrets = false;
        auto client = makeClient();
        client->initialize();
        QCOMPARE(client->state(), AuthState::Initial);
        // The restore's refresh is in flight; sign-out clears at once.
        QSignalSpy done(client->authClient(), &AuthClient::logoutCompleted);
        // The sign-out request waits for that refresh, whose tokens are discarded.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^ApiClient: token refresh rejected for \"POST\""));
        client->authClient()->logout();
        QCOMPARE(done.count(), 1);
        QCOMPARE(client->state(), AuthState::SignedOut);
        QTRY_VERIFY(m_server->refreshCount() >= 1);
        QTest::qWait(100);
        QVERIFY2(m_entries->isEmpty(), qPrintable(m_entries->keys().join(',')));
        QCOMPARE(client->state(), AuthState::SignedOut);

        client.reset();
        auto restarted = makeClient();
        restarted->initialize();
        QCOMPARE(restarted->state(), AuthState::SignedOut);
    }

    void signOutRevokesTheSessionOnTheService()
    {
        const FakeCloudServer::Tokens tokens = m_server->signIn();
        store(tokens.accessToken, tokens.refreshToken);
        auto client = makeClient();
        client->initialize();
        QSignalSpy claims(client.get(), &Client::claimsUpdated);
        QSignalSpy states(client.get(), &Client::authStateChanged);
        client->authClient()->logout();
        QCOMPARE(states.count(), 1);
        QCOMPARE(states.at(0).at(0).value<AuthState>(), AuthState::SignedOut);
        QCOMPARE(claims.count(), 0);
        QTRY_VERIFY(m_server->isSessionRevoked(m_server->sessionOf(tokens.refreshToken)));
    }

    void forcedRefreshRefusedSignsOut()
    {
        store(m_server->signIn().accessToken, QStringLiteral("forged"));
        auto client = makeClient();
        client->initialize();
        QCOMPARE(client->state(), AuthState::SignedIn);
        int result = -1;
        client->authClient()->refreshToken([&result](bool ok) { result = ok; });
        QTRY_COMPARE(result, 0);
        QCOMPARE(client->state(), AuthState::SignedOut);
        QVERIFY(m_entries->isEmpty());
    }

    void redirectWithoutTokensFailsTheSignIn()
    {
        m_server->setSignInDenied(true);
        auto client = makeClient();
        client->initialize();
        QSignalSpy failed(client->authClient(), &AuthClient::loginFailed);
        client->authClient()->login();
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(failed.at(0).at(0).toString(), QStringLiteral("No tokens received"));
        QCOMPARE(client->state(), AuthState::SignedOut);
    }

    void listenerIgnoresEverythingButTheCallback()
    {
        m_browser->setVisiting(false);
        auto client = makeClient();
        client->initialize();
        QSignalSpy succeeded(client->authClient(), &AuthClient::loginSucceeded);
        QSignalSpy failed(client->authClient(), &AuthClient::loginFailed);
        client->authClient()->login();
        const QUrl page = askStartAddress(m_browser->opened().constFirst()).location;
        const QUrl loopback(QUrlQuery(page).queryItemValue("redirect_uri", QUrl::FullyDecoded));
        QCOMPARE(loopback.host(), QStringLiteral("127.0.0.1"));
        QCOMPARE(loopback.path(), QStringLiteral("/callback"));
        const QString state = QUrlQuery(page).queryItemValue("state", QUrl::FullyDecoded);
        QVERIFY(state.size() >= 16);

        // A browser's icon request, a POST to the callback, and another local
        // program handing in tokens of its own (no state, a wrong one) are
        // all turned away, and the sign-in goes on waiting.
        const FakeCloudServer::Tokens stranger = m_server->signIn();
        const auto callback = [&](const QString &withState) {
            QUrl url = loopback;
            QUrlQuery query;
            query.addQueryItem("access_token", stranger.accessToken);
            query.addQueryItem("refresh_token", stranger.refreshToken);
            if (!withState.isNull())
                query.addQueryItem("state", withState);
            url.setQuery(query);
            return url;
        };
        QUrl icon = loopback;
        icon.setPath("/favicon.ico");
        QNetworkAccessManager network;
        const auto statusOf = [&network](QNetworkReply *reply) {
            reply->setParent(&network);
            return QTest::qWaitFor([reply] { return reply->isFinished(); }, 20000)
                ? reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt()
                : -1;
        };
        QNetworkRequest postRequest(callback(state));
        postRequest.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("text/plain"));
        const QList<int> turnedAway{statusOf(network.get(QNetworkRequest(icon))),
                                    statusOf(network.post(postRequest, QByteArray("x"))),
                                    statusOf(network.get(QNetworkRequest(callback(QString())))),
                                    statusOf(network.get(QNetworkRequest(callback(state + "x"))))};
        QCOMPARE(turnedAway, QList<int>({404, 404, 404, 404}));
        QCOMPARE(succeeded.count(), 0);
        QCOMPARE(failed.count(), 0);
        QVERIFY(m_entries->value(AccessTokenKey).isEmpty());

        // The sign-in's own callback, its request line arriving in pieces, is
        // read whole and signs in.
        const FakeCloudServer::Tokens tokens = m_server->signIn();
        const quint16 port = loopback.port();
        QVERIFY(listensHere(port));
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(socket.waitForConnected(2000));
        const QByteArray line = "GET /callback?access_token=" + tokens.accessToken.toLatin1() + "&refresh_token="
            + tokens.refreshToken.toLatin1() + "&state=" + QUrl::toPercentEncoding(state)
            + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
        socket.write(line.left(20));
        socket.flush();
        QTest::qWait(50);
        QCOMPARE(succeeded.count(), 0);
        socket.write(line.mid(20));
        QTRY_COMPARE(succeeded.count(), 1);
        QTRY_VERIFY(socket.bytesAvailable() > 0 || socket.state() != QAbstractSocket::ConnectedState);
        socket.waitForReadyRead(500);
        QVERIFY(socket.readAll().contains("<h2>Authentication complete!</h2>"));
        QCOMPARE(m_entries->value(AccessTokenKey), tokens.accessToken);

        // The listener closed with the first valid callback.
        QTRY_VERIFY(!listensHere(port));
    }

    void listenerGivesUpAfterItsTimeAndWhenANewSignInStarts()
    {
        m_browser->setVisiting(false);
        auto client = makeClient();
        client->authClient()->setSignInTimeLimit(100);
        client->authClient()->login();
        const auto portOf = [](const QUrl &start) { return start.port(); };
        const int first = portOf(m_browser->opened().at(0));
        QVERIFY(listensHere(first));
        QTRY_VERIFY_WITH_TIMEOUT(!listensHere(first), 5000);

        client->authClient()->setSignInTimeLimit(60000);
        client->authClient()->login();
        client->authClient()->login();
        // The second sign-in closed the first: it took the same port, or,
        // where another program holds the usual one, the first's port no
        // longer answers.
        const int closed = portOf(m_browser->opened().at(1));
        const int open = portOf(m_browser->opened().at(2));
        QVERIFY(listensHere(open));
        if (open != closed)
            QVERIFY2(!listensHere(closed), "the first sign-in still listens");
    }

    void userAndSessionEndpoints()
    {
        const FakeCloudServer::Tokens tokens = m_server->signIn();
        store(tokens.accessToken, tokens.refreshToken);
        const FakeCloudServer::Tokens other = m_server->signIn();
        auto client = makeClient();
        client->initialize();
        AuthClient *auth = client->authClient();

        User user;
        auth->updateProfile("Ada L.", [&user](User updated) { user = updated; });
        QTRY_VERIFY(!user.id.isEmpty());
        QCOMPARE(user.display_name, QStringLiteral("Ada L."));
        QCOMPARE(auth->currentUser(), user);

        User refused;
        refused.id = QStringLiteral("not answered");
        auth->updateProfile(QString(), [&refused](User updated) { refused = updated; });
        QTRY_COMPARE(refused, User());
        QCOMPARE(auth->currentUser(), user);

        // Replies may arrive in any order; each is kept under its own name.
        QMap<QString, bool> changed;
        auth->changePassword("wrong", "new secret", [&changed](bool ok) { changed.insert("wrong", ok); });
        auth->changePassword(m_server->password(), "new secret", [&changed](bool ok) { changed.insert("right", ok); });
        QTRY_COMPARE(changed.size(), 2);
        QCOMPARE(changed, (QMap<QString, bool>{{"wrong", false}, {"right", true}}));
        QVERIFY(!m_server->requests().constLast().target.contains("secret"));

        QList<Session> sessions;
        auth->listSessions([&sessions](QList<Session> list) { sessions = list; });
        QTRY_COMPARE(sessions.size(), 2);
        const QString otherId = m_server->sessionOf(other.refreshToken);

        QMap<QString, bool> revoked;
        auth->revokeSession(otherId, [&revoked](bool ok) { revoked.insert("other", ok); });
        auth->revokeSession("no-such-session", [&revoked](bool ok) { revoked.insert("unknown", ok); });
        QTRY_COMPARE(revoked.size(), 2);
        QCOMPARE(revoked, (QMap<QString, bool>{{"other", true}, {"unknown", false}}));
        QVERIFY(m_server->isSessionRevoked(otherId));
    }
};

QTEST_GUILESS_MAIN(TestAuthClient)
#include "tst_authclient.moc"
