#include <QJsonArray>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest>

#include "sync/microsoft/microsoftauthservice.h"
#include "tests/support/capturedlog.h"
#include "tests/support/fakemicrosoftserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/recordingbrowser.h"
#include "tests/support/recordingurlopener.h"
#include "tests/support/tempdatadir.h"
#include "tests/support/tokenanswers.h"

using Microsoft::AuthService;
using Microsoft::StoredTokens;

Q_DECLARE_METATYPE(LocalHttpServer::Reply)

namespace {

// What a browser does with the redirect: one GET, and the whole answer.
QByteArray followRedirect(quint16 port, const QString &query)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(3000))
        return QByteArray();
    socket.write("GET /?" + query.toUtf8() + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    QByteArray answer;
    QElapsedTimer timer;
    timer.start();
    while (socket.state() == QAbstractSocket::ConnectedState && timer.elapsed() < 5000) {
        QTest::qWait(10);
        answer += socket.readAll();
    }
    return answer + socket.readAll();
}

QString encoded(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QStringList keysOf(const QList<QPair<QString, QString>> &items)
{
    QStringList keys;
    for (const auto &item : items)
        keys.append(item.first);
    return keys;
}

} // namespace

class TestMicrosoftAuthService : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeMicrosoftServer> m_server;
    // The authorization request the start address led to.
    QUrl m_authorization;
    std::unique_ptr<TempDataDir> m_dir;

    Microsoft::Endpoints endpoints() const
    {
        Microsoft::Endpoints endpoints;
        endpoints.authority = m_server->baseUrl();
        endpoints.graphRoot = m_server->graphRoot();
        endpoints.clientId = m_server->clientId;
        endpoints.transferTimeoutMs = 3000;
        return endpoints;
    }

    // Plays the browser: the redirect gets `query`, where "{state}" and
    // "{code}" stand for the request's state and a code the consent page
    // would hand out.
    void answerWith(RecordingUrlOpener &browser, const QString &query, QByteArray *page)
    {
        browser.onOpen = [this, query, page](const QUrl &start) {
            QTimer::singleShot(0, this, [this, start, query, page] {
                m_authorization = askStartAddress(start).location;
                const QUrlQuery request(m_authorization);
                const QString redirectUri =
                    request.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded);
                const QString code =
                    m_server->issueCode(request.queryItemValue(QStringLiteral("code_challenge")), redirectUri);
                QString filled = query;
                filled.replace(QStringLiteral("{state}"), request.queryItemValue(QStringLiteral("state")));
                filled.replace(QStringLiteral("{code}"), encoded(code));
                *page = followRedirect(QUrl(redirectUri).port(), filled);
            });
        };
    }

    // A whole sign-in through the browser; the failure it reports, "signed
    // in" when it succeeded.
    QString signInOutcome()
    {
        RecordingUrlOpener browser;
        AuthService auth(endpoints(), &browser);
        QSignalSpy succeeded(&auth, &AuthService::signInSucceeded);
        QSignalSpy failed(&auth, &AuthService::signInFailed);
        QByteArray page;
        answerWith(browser, QStringLiteral("code={code}&state={state}"), &page);
        auth.startSignIn();
        if (!QTest::qWaitFor([&] { return succeeded.size() + failed.size() > 0; }, 20000))
            return QStringLiteral("no answer");
        return failed.isEmpty() ? QStringLiteral("signed in") : failed.first().at(0).toString();
    }

    // A refresh with a token the server knows; the failure it reports,
    // "refreshed" when it succeeded.
    QString refreshOutcome()
    {
        m_server->addRefreshToken(QStringLiteral("M.r1"));
        AuthService auth(endpoints(), nullptr);
        QSignalSpy succeeded(&auth, &AuthService::refreshSucceeded);
        QSignalSpy failed(&auth, &AuthService::refreshFailed);
        auth.refreshAccessToken(QStringLiteral("M.r1"));
        if (!QTest::qWaitFor([&] { return succeeded.size() + failed.size() > 0; }, 20000))
            return QStringLiteral("no answer");
        return failed.isEmpty() ? QStringLiteral("refreshed") : failed.first().at(0).toString();
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TempDataDir>();
        m_server = std::make_unique<FakeMicrosoftServer>();
        QVERIFY(m_server->start());
    }

    void signInCompletesWithoutASecret()
    {
        RecordingUrlOpener browser;
        AuthService auth(endpoints(), &browser);
        QSignalSpy succeeded(&auth, &AuthService::signInSucceeded);
        QSignalSpy failed(&auth, &AuthService::signInFailed);
        QByteArray page;
        answerWith(browser, QStringLiteral("code={code}&state={state}"), &page);
        auth.startSignIn();
        QTRY_COMPARE_WITH_TIMEOUT(succeeded.size() + failed.size(), 1, 20000);
        QCOMPARE(failed.size(), 0);
        QVERIFY(page.startsWith("HTTP/1.1 200 OK"));

        // The browser is handed an address without the sign-in's secrets.
        QCOMPARE(browser.opened.value(0).query(), QString());
        const QUrl authorization = m_authorization;
        QCOMPARE(authorization.path(), QStringLiteral("/common/oauth2/v2.0/authorize"));
        const QUrlQuery query(authorization);
        QCOMPARE(keysOf(query.queryItems()),
                 (QStringList{"client_id", "response_type", "redirect_uri", "scope", "code_challenge",
                              "code_challenge_method", "state", "response_mode", "prompt"}));
        QCOMPARE(query.queryItemValue(QStringLiteral("response_mode")), QStringLiteral("query"));
        QCOMPARE(query.queryItemValue(QStringLiteral("prompt")), QStringLiteral("select_account"));
        QCOMPARE(query.queryItemValue(QStringLiteral("scope"), QUrl::FullyDecoded),
                 QStringLiteral("openid profile email offline_access User.Read Calendars.ReadWrite "
                                "Calendars.ReadWrite.Shared"));
        QCOMPARE(query.queryItemValue(QStringLiteral("code_verifier")), QString());

        const auto exchanges = m_server->requestsTo("/common/oauth2/v2.0/token", "POST");
        QCOMPARE(exchanges.size(), 1);
        const QUrlQuery form(QString::fromUtf8(exchanges.first().body));
        QCOMPARE(keysOf(form.queryItems()),
                 (QStringList{"client_id", "scope", "code", "redirect_uri", "grant_type", "code_verifier"}));

        const auto result = succeeded.first().at(0).value<Microsoft::SignInResult>();
        // No "email" claim: the user name stands in.
        QCOMPARE(result.email, QStringLiteral("ada@example.com"));
        QCOMPARE(result.name, QStringLiteral("Ada Lovelace"));
        QCOMPARE(result.accessToken, m_server->lastAccessToken());
        QCOMPARE(result.refreshToken, m_server->lastRefreshToken());
        QVERIFY(qAbs(result.expiresAt.secsTo(QDateTime::currentDateTimeUtc().addSecs(3599))) < 10);
    }

    void redirectsThatEndTheSignIn_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("reason");
        QTest::newRow("error with description")
            << QStringLiteral("error=access_denied&error_description=The%20user%20declined&state={state}")
            << QStringLiteral("Microsoft denied the sign-in: The user declined");
        // The redirect's query is form-encoded: "+" is a space.
        QTest::newRow("form-encoded description")
            << QStringLiteral("error=access_denied&error_description=AADSTS65004%3A+User+declined+%2B+left&"
                              "state={state}")
            << QStringLiteral("Microsoft denied the sign-in: AADSTS65004: User declined + left");
        // A description over lines reads as one: no line of its own.
        QTest::newRow("description over lines")
            << QStringLiteral("error=access_denied&error_description=Declined.%0D%0ALock+file%3A+x%E2%80%A8y&"
                              "state={state}")
            << QStringLiteral("Microsoft denied the sign-in: Declined. Lock file: x y");
        QTest::newRow("error alone") << QStringLiteral("error=access_denied&error_description=&state={state}")
                                     << QStringLiteral("Microsoft denied the sign-in: access_denied");
        QTest::newRow("no code") << QStringLiteral("state={state}")
                                 << QStringLiteral("Microsoft did not return an authorization code.");
    }

    void redirectsThatEndTheSignIn()
    {
        QFETCH(QString, query);
        QFETCH(QString, reason);
        RecordingUrlOpener browser;
        AuthService auth(endpoints(), &browser);
        QSignalSpy failed(&auth, &AuthService::signInFailed);
        QByteArray page;
        answerWith(browser, query, &page);
        auth.startSignIn();
        QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 1, 20000);
        QCOMPARE(failed.first().at(0).toString(), reason);
        QVERIFY(page.startsWith("HTTP/1.1 400 Bad Request"));
        QCOMPARE(auth.listeningPort(), quint16(0));
        auth.cancel();
        QCOMPARE(failed.size(), 1);
    }

    void tokenRepliesWithoutTokensFail_data()
    {
        QTest::addColumn<QString>("omitted");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no access token") << QStringLiteral("access_token")
                                         << QStringLiteral("Microsoft did not return an access token.");
        QTest::newRow("no refresh token") << QStringLiteral("refresh_token")
                                          << QStringLiteral("Microsoft did not return a refresh token. Verify "
                                                            "offline_access is in the scopes configured for this app.");
    }

    void tokenRepliesWithoutTokensFail()
    {
        QFETCH(QString, omitted);
        QFETCH(QString, reason);
        m_server->omitFromTokenReply.insert(omitted);
        RecordingUrlOpener browser;
        AuthService auth(endpoints(), &browser);
        QSignalSpy failed(&auth, &AuthService::signInFailed);
        QByteArray page;
        answerWith(browser, QStringLiteral("code={code}&state={state}"), &page);
        auth.startSignIn();
        QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 1, 20000);
        QCOMPARE(failed.first().at(0).toString(), reason);
    }

    void withoutAClientIdNothingStarts()
    {
        Microsoft::Endpoints unset = endpoints();
        unset.clientId.clear();
        RecordingUrlOpener browser;
        AuthService auth(unset, &browser);
        QSignalSpy failed(&auth, &AuthService::signInFailed);
        QSignalSpy refreshFailed(&auth, &AuthService::refreshFailed);
        auth.startSignIn();
        auth.refreshAccessToken(QStringLiteral("M.any"));
        QCOMPARE(failed.size(), 1);
        QCOMPARE(failed.first().at(0).toString(),
                 QStringLiteral("Microsoft OAuth credentials are not configured in this build. See .env.example."));
        QCOMPARE(refreshFailed.first().at(0).toString(), QStringLiteral("Microsoft OAuth credentials are not configured."));
        QCOMPARE(browser.opened.size(), 0);
        QCOMPARE(m_server->requests().size(), 0);
    }

    void refreshKeepsOrRotates()
    {
        m_server->addRefreshToken(QStringLiteral("M.r1"));
        AuthService auth(endpoints(), nullptr);
        QSignalSpy refreshed(&auth, &AuthService::refreshSucceeded);
        auth.refreshAccessToken(QStringLiteral("M.r1"));
        QVERIFY(refreshed.wait(20000));
        QCOMPARE(refreshed.first().at(0).toString(), m_server->lastAccessToken());
        QCOMPARE(refreshed.first().at(2).toString(), QString());
        const QUrlQuery form(QString::fromUtf8(m_server->requests().last().body));
        QCOMPARE(keysOf(form.queryItems()), (QStringList{"client_id", "scope", "refresh_token", "grant_type"}));

        QSignalSpy failed(&auth, &AuthService::refreshFailed);
        auth.refreshAccessToken(QStringLiteral("M.unknown"));
        QVERIFY(failed.wait(20000));
        QVERIFY(failed.first().at(0).toString().startsWith(QStringLiteral("Token refresh failed (HTTP 400): ")));
    }

    // What Microsoft's own answers come to (the rules shared with Google:
    // tst_googleauthservice): none of Graph's tokens, shown or logged.
    void tokenAnswersShowNoTokens_data()
    {
        QTest::addColumn<LocalHttpServer::Reply>("answer");
        QTest::addColumn<QString>("signIn");
        QTest::addColumn<QString>("refresh");
        const QString unusable = QStringLiteral("Microsoft's response had an expires_in that could not be used.");
        // Microsoft may send the expiry as text.
        QTest::newRow("negative expiry as text")
            << TokenAnswers::withTokens({{QStringLiteral("expires_in"), QStringLiteral("-5")}}) << unusable << unusable;
        // The identity platform's description runs over lines of trace ids.
        QTest::newRow("description")
            << TokenAnswers::json(400, {{QStringLiteral("error"), QStringLiteral("invalid_grant")},
                                        {QStringLiteral("error_description"),
                                         QStringLiteral("AADSTS70008: The code has expired.\r\nTrace ID: 5c1f")},
                                        {QStringLiteral("error_codes"), QJsonArray{70008}}})
            << QStringLiteral("Token exchange failed (HTTP 400): AADSTS70008: The code has expired. Trace ID: 5c1f")
            << QStringLiteral("Token refresh failed (HTTP 400): AADSTS70008: The code has expired. Trace ID: 5c1f");
        QTest::newRow("Graph code alone")
            << TokenAnswers::json(503, {{QStringLiteral("error"),
                                         QJsonObject{{QStringLiteral("code"), QStringLiteral("ServiceNotAvailable")}}}})
            << QStringLiteral("Token exchange failed (HTTP 503): ServiceNotAvailable")
            << QStringLiteral("Token refresh failed (HTTP 503): ServiceNotAvailable");
    }

    void tokenAnswersShowNoTokens()
    {
        QFETCH(LocalHttpServer::Reply, answer);
        QFETCH(QString, signIn);
        QFETCH(QString, refresh);
        const CapturedLog log;
        m_server->scriptedTokenReplies = {answer};
        const QString signInFailure = signInOutcome();
        QCOMPARE(signInFailure, signIn);
        m_server->scriptedTokenReplies = {answer};
        const QString refreshFailure = refreshOutcome();
        QCOMPARE(refreshFailure, refresh);
        QCOMPARE(TokenAnswers::showingTokens(log.messages() << signInFailure << refreshFailure), QStringList());
    }

    void tokenSetsRoundTripPerAccount()
    {
        MemoryTokenStore store;
        const StoredTokens first{QStringLiteral("a1"), QStringLiteral("r1"),
                                 QDateTime(QDate(2026, 3, 1), QTime(9, 30, 0, 123), Qt::UTC)};
        const StoredTokens second{QStringLiteral("a2"), QStringLiteral("r2"), QDateTime()};
        QVERIFY(AuthService::saveTokens(store, QStringLiteral("one"), first));
        QVERIFY(AuthService::saveTokens(store, QStringLiteral("two"), second));
        QCOMPARE(AuthService::loadTokens(store, QStringLiteral("one")), first);
        QCOMPARE(AuthService::loadTokens(store, QStringLiteral("two")), second);
        QCOMPARE(*store.read(QStringLiteral("microsoft-tokens-one")),
                 QStringLiteral("{\"access_token\":\"a1\",\"expires_at\":\"2026-03-01T09:30:00.123Z\","
                                "\"refresh_token\":\"r1\"}"));
        QCOMPARE(AuthService::loadTokens(store, QStringLiteral("three")), StoredTokens());
    }
};

QTEST_MAIN(TestMicrosoftAuthService)
#include "tst_microsoftauthservice.moc"
