#include "account/apiclient.h"
#include "account/authclient.h"
#include "account/tokenmanager.h"
#include "tests/support/fakecloudserver.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/memorytokenstore.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

using namespace TindAccount;

Q_DECLARE_METATYPE(LocalHttpServer::Reply)

namespace {

struct Answer
{
    bool done = false;
    bool ok = false;
    int status = -1;
    QJsonObject json;

    ApiClient::ResponseCallback callback()
    {
        return [this](bool replyOk, int replyStatus, const QJsonObject &replyJson) {
            QVERIFY2(!done, "a request was answered twice");
            done = true;
            ok = replyOk;
            status = replyStatus;
            json = replyJson;
        };
    }
};

} // namespace

// The realm API client against the fake cloud service, with the refresh
// function the sign-in client installs.
class TestApiClient : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeCloudServer> m_server;
    std::unique_ptr<TokenManager> m_tokens;
    std::unique_ptr<ApiClient> m_api;
    std::unique_ptr<AuthClient> m_auth;
    MemoryTokenStore::Entries m_entries;

    QString realmPath(const QString &path) const
    {
        return QStringLiteral("/api/v1/realms/tindlebrook") + path;
    }

private:
    // The failure the client notes for a public request, read as its answer
    // comes in.
    QString publicFailure(Answer &answer)
    {
        QString failed;
        m_api->getPublic("/status", [&](bool ok, int status, const QJsonObject &json) {
            failed = m_api->lastFailure();
            answer.callback()(ok, status, json);
        });
        if (!QTest::qWaitFor([&] { return answer.done; }, 10000))
            return QStringLiteral("no answer");
        return failed;
    }

private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<FakeCloudServer>();
        QVERIFY(m_server->listen());
        m_entries = std::make_shared<QHash<QString, QString>>();
        m_tokens = std::make_unique<TokenManager>(std::make_unique<MemoryTokenStore>(m_entries));
        m_api = std::make_unique<ApiClient>(m_tokens.get());
        m_api->setBaseUrl(QUrl(m_server->authApiUrl() + "/api/v1/realms/tindlebrook"));
        m_api->setAppInfo("calendar-test", "9.9", "linux");
        m_auth = std::make_unique<AuthClient>(m_server->authApiUrl(), "tindlebrook", "client", m_api.get(),
                                              m_tokens.get());
    }

    void cleanup()
    {
        m_auth.reset();
        m_api.reset();
        m_tokens.reset();
        m_server.reset();
    }

    void tokenAndBodyStayWithTheirOrigin_data()
    {
        QTest::addColumn<int>("redirect");
        QTest::addColumn<QByteArray>("method");
        QTest::newRow("302 GET") << 302 << QByteArray("GET");
        QTest::newRow("307 POST") << 307 << QByteArray("POST");
        QTest::newRow("308 PUT") << 308 << QByteArray("PUT");
    }

    // A redirect to another port of the same host is another origin: neither
    // the bearer token nor the body (a pushed password) may follow it.
    void tokenAndBodyStayWithTheirOrigin()
    {
        QFETCH(int, redirect);
        QFETCH(QByteArray, method);
        LocalHttpServer elsewhere;
        QVERIFY(elsewhere.listen());
        elsewhere.setHandler([](const LocalHttpServer::Request &) {
            return LocalHttpServer::Reply{200, {{"Content-Type", "application/json"}}, "{}"};
        });
        LocalHttpServer front;
        QVERIFY(front.listen());
        const QByteArray target = elsewhere.url("/api/v1/caught").toEncoded();
        front.setHandler([redirect, target](const LocalHttpServer::Request &) {
            return LocalHttpServer::Reply::redirect(redirect, target);
        });
        m_tokens->setTokens(m_server->signIn().accessToken, "refresh");
        m_api->setBaseUrl(front.url("/api/v1"));

        Answer answer;
        const QJsonObject body{{"caldav_password", "s3cret"}};
        if (method == "GET")
            m_api->get("/users/me", answer.callback());
        else if (method == "POST")
            m_api->post("/config/push", body, answer.callback());
        else
            m_api->put("/config/push", body, answer.callback());
        QTRY_VERIFY_WITH_TIMEOUT(answer.done, 10000);
        QCOMPARE(front.requests().size(), 1);
        QCOMPARE(elsewhere.requests().size(), 0);
        QVERIFY(!answer.ok);
    }

    void oversizeOrTricklingReplyFails_data()
    {
        QTest::addColumn<LocalHttpServer::Reply>("reply");
        QTest::addColumn<QString>("failure");
        LocalHttpServer::Reply large{200, {{"Content-Type", "application/json"}}, QByteArray(4096, ' ') + "{}"};
        LocalHttpServer::Reply unannounced = large;
        unannounced.closeWithoutLength = true;
        LocalHttpServer::Reply trickling{200, {{"Content-Type", "application/json"}}, QByteArray(200, ' ') + "{}"};
        trickling.trickleMs = 50;
        QTest::newRow("announced") << large << "The answer from 127.0.0.1 is larger than 2 kB.";
        QTest::newRow("unannounced") << unannounced << "The answer from 127.0.0.1 is larger than 2 kB.";
        QTest::newRow("trickling") << trickling << "127.0.0.1 did not finish its answer within 1 seconds.";
    }

    void oversizeOrTricklingReplyFails()
    {
        QFETCH(LocalHttpServer::Reply, reply);
        QFETCH(QString, failure);
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([reply](const LocalHttpServer::Request &) { return reply; });
        m_api->setBaseUrl(server.url("/api/v1"));
        m_api->setReplyLimits(2048, 1000);
        QSignalSpy networkErrors(m_api.get(), &ApiClient::networkError);

        Answer answer;
        const QString failed = publicFailure(answer);
        QCOMPARE(std::make_pair(answer.ok, answer.status), std::make_pair(false, 0));
        QCOMPARE(failed, failure);
        QCOMPARE(networkErrors.count(), 1);
    }

    void serviceWordsAreShownOnOneBoundedLineWithoutTokens()
    {
        LocalHttpServer server;
        QVERIFY(server.listen());
        const QString words = QStringLiteral("Token access-1 and refresh-1 refused\u2028Lock file: x\r\n")
            + QString(5000, QLatin1Char('x'));
        server.setHandler([words](const LocalHttpServer::Request &) {
            const QJsonObject error{{QStringLiteral("message"), words}};
            return LocalHttpServer::Reply{400, {{"Content-Type", "application/json"}}, QJsonDocument(error).toJson()};
        });
        m_api->setBaseUrl(server.url("/api/v1"));
        m_tokens->setTokens(QStringLiteral("access-1"), QStringLiteral("refresh-1"));
        Answer answer;
        const QString failed = publicFailure(answer);
        QCOMPARE(failed.left(45), QStringLiteral("Token *** and *** refused Lock file: x xxxxxx"));
        QCOMPARE(failed.size(), 300);
    }

    void signedInRequestCarriesTokenAndAppHeaders()
    {
        const FakeCloudServer::Tokens tokens = m_server->signIn();
        m_tokens->setTokens(tokens.accessToken, tokens.refreshToken);
        Answer answer;
        m_api->get("/users/me", answer.callback());
        QTRY_VERIFY(answer.done);
        QVERIFY(answer.ok);
        QCOMPARE(answer.json.value("id").toString(), QStringLiteral("user-1"));
        const LocalHttpServer::Request sent = m_server->requests().constLast();
        QCOMPARE(sent.header("authorization"), "Bearer " + tokens.accessToken.toLatin1());
        QCOMPARE(sent.header("content-type"), QByteArray("application/json"));
        QCOMPARE(sent.header("accept"), QByteArray("application/json"));
        QCOMPARE(sent.header("x-app-id"), QByteArray("calendar-test"));
        QCOMPARE(sent.header("x-app-version"), QByteArray("9.9"));
        QCOMPARE(sent.header("x-platform"), QByteArray("linux"));
    }

    void emptyBodyIsSentAsNoBytesAndPublicRequestsCarryNoToken()
    {
        const FakeCloudServer::Tokens tokens = m_server->signIn();
        m_tokens->setTokens(tokens.accessToken, tokens.refreshToken);
        Answer answer;
        m_api->postPublic("/auth/token/refresh", QJsonObject(), answer.callback());
        QTRY_VERIFY(answer.done);
        QCOMPARE(answer.status, 401);
        const LocalHttpServer::Request sent = m_server->requests().constLast();
        QVERIFY(sent.body.isEmpty());
        QVERIFY(sent.header("authorization").isEmpty());
        QCOMPARE(sent.header("content-type"), QByteArray("application/json"));
    }

    void tokenAboutToExpireIsRefreshedBeforeSending()
    {
        const FakeCloudServer::Tokens tokens = m_server->signIn();
        const QString session = m_server->sessionOf(tokens.refreshToken);
        m_tokens->setTokens(m_server->accessToken(session, 20), tokens.refreshToken);
        Answer answer;
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^ApiClient: token needs refresh before"));
        m_api->get("/users/me", answer.callback());
        QTRY_VERIFY(answer.done);
        QVERIFY(answer.ok);
        QCOMPARE(m_server->refreshCount(), 1);
        // Rotated: the new pair is held and stored.
        QVERIFY(m_tokens->refreshToken() != tokens.refreshToken);
        QCOMPARE(m_entries->value(RefreshTokenKey), m_tokens->refreshToken());
        QCOMPARE(m_server->requests().constLast().header("authorization"),
                 "Bearer " + m_tokens->validAccessToken().toLatin1());
    }

    void concurrentRequestsAnswered401ShareOneRefresh()
    {
        const FakeCloudServer::Tokens tokens = m_server->signIn();
        m_tokens->setTokens(tokens.accessToken, tokens.refreshToken);
        m_server->setFault("/users/me", FakeCloudServer::Fault::Unauthorized, 2);
        Answer first;
        Answer second;
        m_api->get("/users/me", first.callback());
        m_api->get("/users/me/sessions", second.callback());
        QTRY_VERIFY(first.done && second.done);
        QVERIFY(first.ok);
        QVERIFY(second.ok);
        QCOMPARE(m_server->refreshCount(), 1);
        QCOMPARE(m_server->countRequests("GET", "/users/me"), 2);
        QCOMPARE(m_server->countRequests("GET", "/users/me/sessions"), 2);
    }

    void requestIsReplayedOnceOnlyAfter401()
    {
        const FakeCloudServer::Tokens tokens = m_server->signIn();
        m_tokens->setTokens(tokens.accessToken, tokens.refreshToken);
        m_server->setFault("/users/me", FakeCloudServer::Fault::Unauthorized);
        QSignalSpy required(m_api.get(), &ApiClient::authenticationRequired);
        Answer answer;
        m_api->get("/users/me", answer.callback());
        QTRY_VERIFY(answer.done);
        QTest::qWait(50);
        QCOMPARE(m_server->countRequests("GET", "/users/me"), 2);
        QCOMPARE(m_server->refreshCount(), 1);
        QCOMPARE(answer.status, 401);
        QCOMPARE(answer.json.value("error").toString(), QStringLiteral("unauthorized"));
        QCOMPARE(required.count(), 0);
    }

    void refreshFailureAfter401IsReportedByKind_data()
    {
        QTest::addColumn<bool>("serviceDown");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("authRequired");
        QTest::newRow("refresh token refused") << false << 401 << 1;
        QTest::newRow("refresh endpoint 503") << true << 0 << 0;
    }

    void refreshFailureAfter401IsReportedByKind()
    {
        QFETCH(bool, serviceDown);
        QFETCH(int, status);
        QFETCH(int, authRequired);
        const FakeCloudServer::Tokens tokens = m_server->signIn();
        m_tokens->setTokens(tokens.accessToken, serviceDown ? tokens.refreshToken : QStringLiteral("forged"));
        m_server->setFault("/users/me", FakeCloudServer::Fault::Unauthorized, 1);
        if (serviceDown)
            m_server->setFault("/auth/token/refresh", FakeCloudServer::Fault::ServerError);
        QSignalSpy required(m_api.get(), &ApiClient::authenticationRequired);
        Answer answer;
        m_api->get("/users/me", answer.callback());
        QTRY_VERIFY(answer.done);
        QVERIFY(!answer.ok);
        QCOMPARE(answer.status, status);
        QCOMPARE(answer.json, QJsonObject());
        QCOMPARE(required.count(), authRequired);
        // An ordinary request never drops the tokens.
        QVERIFY(!m_tokens->refreshToken().isEmpty());
    }

    void requestWithoutTokensEndsAs401()
    {
        QSignalSpy required(m_api.get(), &ApiClient::authenticationRequired);
        Answer answer;
        m_api->get("/users/me", answer.callback());
        QTRY_VERIFY(answer.done);
        QCOMPARE(answer.status, 401);
        QCOMPARE(required.count(), 1);
        QVERIFY(m_server->requests().constFirst().header("authorization").isEmpty());
    }

    void malformedReplyGivesEmptyJsonWithTheRealStatus()
    {
        const FakeCloudServer::Tokens tokens = m_server->signIn();
        m_tokens->setTokens(tokens.accessToken, tokens.refreshToken);
        m_server->setFault("/users/me", FakeCloudServer::Fault::MalformedJson, 1);
        Answer answer;
        m_api->get("/users/me", answer.callback());
        QTRY_VERIFY(answer.done);
        QVERIFY(answer.ok);
        QCOMPARE(answer.status, 200);
        QCOMPARE(answer.json, QJsonObject());
    }

    void hangingRequestEndsAsNetworkError()
    {
        const FakeCloudServer::Tokens tokens = m_server->signIn();
        m_tokens->setTokens(tokens.accessToken, tokens.refreshToken);
        m_api->setTransferTimeout(200);
        m_server->setFault("/users/me", FakeCloudServer::Fault::Hang, 1);
        QSignalSpy errors(m_api.get(), &ApiClient::networkError);
        Answer answer;
        m_api->get("/users/me", answer.callback());
        QTRY_VERIFY(answer.done);
        QCOMPARE(answer.status, 0);
        QVERIFY(!answer.ok);
        QCOMPARE(errors.count(), 1);
    }

    void hangingRefreshReleasesTheRequestsWaitingForIt()
    {
        const FakeCloudServer::Tokens tokens = m_server->signIn();
        m_tokens->setTokens(QString(), tokens.refreshToken);
        m_api->setTransferTimeout(200);
        m_server->setFault("/auth/token/refresh", FakeCloudServer::Fault::Hang, 1);
        Answer first;
        Answer second;
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^ApiClient: token needs refresh before"));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^ApiClient: token needs refresh before"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^ApiClient: token refresh failed \\(transient\\)"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^ApiClient: token refresh failed \\(transient\\)"));
        m_api->get("/users/me", first.callback());
        m_api->get("/users/me", second.callback());
        QTRY_VERIFY(first.done && second.done);
        QCOMPARE(first.status, 0);
        QCOMPARE(second.status, 0);
        // The next request refreshes again and goes through.
        Answer third;
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^ApiClient: token needs refresh before"));
        m_api->get("/users/me", third.callback());
        QTRY_VERIFY(third.done);
        QVERIFY(third.ok);
    }

    void pathSegmentsCannotLeaveTheirPlace_data()
    {
        QTest::addColumn<QString>("id");
        QTest::newRow("slash") << "a/b";
        QTest::newRow("query") << "x?admin=1";
        QTest::newRow("fragment and percent") << "x#%2F";
        QTest::newRow("dots inside") << "a..b";
    }

    void pathSegmentsCannotLeaveTheirPlace()
    {
        QFETCH(QString, id);
        const FakeCloudServer::Tokens tokens = m_server->signIn();
        m_tokens->setTokens(tokens.accessToken, tokens.refreshToken);
        Answer answer;
        m_api->del("/users/me/sessions/" + ApiClient::pathSegment(id), answer.callback());
        QTRY_VERIFY(answer.done);
        const QByteArray target = m_server->requests().constLast().target;
        const QByteArray prefix = realmPath("/users/me/sessions/").toLatin1();
        QVERIFY2(target.startsWith(prefix), target);
        QCOMPARE(QUrl::fromPercentEncoding(target.mid(prefix.size())), id);
        QCOMPARE(answer.status, 404);
    }

    void dotSegmentsAreNeverSent_data()
    {
        QTest::addColumn<QString>("id");
        QTest::newRow("dot dot") << "..";
        QTest::newRow("dot") << ".";
    }

    void dotSegmentsAreNeverSent()
    {
        QFETCH(QString, id);
        Answer answer;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^ApiClient: refusing a path with a dot segment"));
        m_api->del("/users/me/sessions/" + ApiClient::pathSegment(id), answer.callback());
        QVERIFY(answer.done);
        QCOMPARE(answer.status, 0);
        QTest::qWait(50);
        QVERIFY(m_server->requests().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestApiClient)
#include "tst_apiclient.moc"
