#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "app/platform/loopbacklistener.h"
#include "sync/google/googleauthservice.h"
#include "tests/support/capturedlog.h"
#include "tests/support/fakegoogleserver.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/recordingbrowser.h"
#include "tests/support/recordingurlopener.h"
#include "tests/support/tempdatadir.h"
#include "tests/support/tokenanswers.h"

using Google::AuthService;
using Google::StoredTokens;

Q_DECLARE_METATYPE(LocalHttpServer::Reply)

namespace {

// Sends the chunks one after the other on one connection, as a browser
// whose request arrives in pieces, and returns the whole answer.
QByteArray sendRaw(quint16 port, const QList<QByteArray> &chunks)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(3000))
        return QByteArray();
    for (const QByteArray &chunk : chunks) {
        socket.write(chunk);
        socket.flush();
        QTest::qWait(50);
    }
    QByteArray answer;
    QElapsedTimer timer;
    timer.start();
    while (socket.state() == QAbstractSocket::ConnectedState && timer.elapsed() < 5000) {
        QTest::qWait(10);
        answer += socket.readAll();
    }
    return answer + socket.readAll();
}

QByteArray redirectRequest(const QString &query)
{
    return "GET /?" + query.toUtf8() + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
}

} // namespace

class TestGoogleAuthService : public QObject
{
    Q_OBJECT

    Google::Endpoints endpoints() const
    {
        Google::Endpoints endpoints;
        endpoints.accountsBase = m_server->baseUrl();
        endpoints.tokenBase = m_server->baseUrl();
        endpoints.apiBase = m_server->baseUrl();
        endpoints.clientId = m_server->clientId;
        endpoints.clientSecret = m_server->clientSecret;
        endpoints.transferTimeoutMs = 3000;
        return endpoints;
    }

    // What the consent page does: hands out a code for the request's
    // challenge and redirect URI.
    QString consent(const QUrl &authorization)
    {
        const QUrlQuery query(authorization);
        return m_server->issueCode(query.queryItemValue(QStringLiteral("code_challenge")),
                                   query.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
    }

    // Signs in as the browser and the consent page would; the failure the
    // sign-in reports, "signed in" when it succeeded.
    QString signInOutcome()
    {
        RecordingUrlOpener browser;
        AuthService auth(endpoints(), &browser);
        QSignalSpy succeeded(&auth, &AuthService::signInSucceeded);
        QSignalSpy failed(&auth, &AuthService::signInFailed);
        browser.onOpen = [&](const QUrl &start) {
            QTimer::singleShot(0, [&, start] {
                const QUrl url = askStartAddress(start).location;
                const QUrlQuery query(url);
                const QString code = consent(url);
                const QUrl redirect(query.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
                sendRaw(redirect.port(), {redirectRequest(QStringLiteral("state=%1&code=%2")
                                                              .arg(query.queryItemValue(QStringLiteral("state")),
                                                                   QString::fromLatin1(QUrl::toPercentEncoding(code))))});
            });
        };
        auth.startSignIn();
        if (!QTest::qWaitFor([&] { return succeeded.size() + failed.size() > 0; }, 20000))
            return QStringLiteral("no answer");
        return failed.isEmpty() ? QStringLiteral("signed in") : failed.at(0).at(0).toString();
    }

    // A refresh with a token the server knows; the failure it reports,
    // "refreshed" when it succeeded.
    QString refreshOutcome()
    {
        m_server->addRefreshToken(QStringLiteral("1//stored"));
        AuthService auth(endpoints(), nullptr);
        QSignalSpy succeeded(&auth, &AuthService::refreshSucceeded);
        QSignalSpy failed(&auth, &AuthService::refreshFailed);
        auth.refreshAccessToken(QStringLiteral("1//stored"));
        if (!QTest::qWaitFor([&] { return succeeded.size() + failed.size() > 0; }, 20000))
            return QStringLiteral("no answer");
        return failed.isEmpty() ? QStringLiteral("refreshed") : failed.at(0).at(0).toString();
    }

    std::unique_ptr<FakeGoogleServer> m_server;
    std::unique_ptr<TempDataDir> m_dir;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TempDataDir>();
        m_server = std::make_unique<FakeGoogleServer>();
        QVERIFY(m_server->start());
    }

    void signInCompletesThroughTheLoopback()
    {
        RecordingUrlOpener browser;
        AuthService auth(endpoints(), &browser);
        QSignalSpy succeeded(&auth, &AuthService::signInSucceeded);
        QSignalSpy failed(&auth, &AuthService::signInFailed);
        QByteArray page;
        QUrl authorization;
        browser.onOpen = [&](const QUrl &start) {
            QTimer::singleShot(0, [&, start] {
                authorization = askStartAddress(start).location;
                const QUrlQuery query(authorization);
                const QString code = consent(authorization);
                const QUrl redirect(query.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
                page = sendRaw(redirect.port(), {redirectRequest(
                                                    QStringLiteral("state=%1&code=%2&scope=email")
                                                        .arg(query.queryItemValue(QStringLiteral("state")),
                                                             QString::fromLatin1(QUrl::toPercentEncoding(code))))});
            });
        };
        auth.startSignIn();
        QTRY_COMPARE_WITH_TIMEOUT(succeeded.size() + failed.size(), 1, 20000);
        QCOMPARE(failed.size(), 0);
        QVERIFY(page.startsWith("HTTP/1.1 200 OK"));
        QVERIFY(page.contains("Sign-in complete"));

        // The browser is handed an address without the sign-in's secrets;
        // it leads on to the authorization request.
        QCOMPARE(browser.opened.value(0).query(), QString());
        QCOMPARE(authorization.path(), QStringLiteral("/o/oauth2/v2/auth"));
        QStringList keys;
        for (const auto &item : QUrlQuery(authorization).queryItems())
            keys.append(item.first);
        QCOMPARE(keys, (QStringList{"client_id", "redirect_uri", "response_type", "scope", "code_challenge",
                                    "code_challenge_method", "state", "access_type", "prompt"}));
        const QUrlQuery query(authorization);
        QCOMPARE(query.queryItemValue(QStringLiteral("scope"), QUrl::FullyDecoded),
                 QStringLiteral("openid email profile https://www.googleapis.com/auth/calendar.events "
                                "https://www.googleapis.com/auth/calendar"));
        QVERIFY(query.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded)
                    .startsWith(QStringLiteral("http://127.0.0.1:")));
        QCOMPARE(query.queryItemValue(QStringLiteral("code_challenge_method")), QStringLiteral("S256"));
        QCOMPARE(query.queryItemValue(QStringLiteral("state")).size(), 22);

        const auto result = succeeded.at(0).at(0).value<Google::SignInResult>();
        QCOMPARE(result.email, QStringLiteral("ada@example.com"));
        QCOMPARE(result.name, QStringLiteral("Ada Lovelace"));
        QCOMPARE(result.accessToken, m_server->lastAccessToken());
        QCOMPARE(result.refreshToken, m_server->lastRefreshToken());
        QVERIFY(qAbs(QDateTime::currentDateTimeUtc().secsTo(result.expiresAt) - 3599) <= 5);
        // The listener is closed once the redirect came.
        QCOMPARE(auth.listeningPort(), quint16(0));
        const QByteArray body = m_server->requestsTo("/token").value(0).body;
        QVERIFY(body.startsWith("client_id=") && body.contains("&grant_type=authorization_code"));

        // A late cancel reports nothing.
        auth.cancel();
        QCOMPARE(failed.size(), 0);
    }

    // The redirect's outcome: an error wins over a code, a missing code
    // ends the sign-in too. (Redirects without this sign-in's state are
    // turned away: tst_signinforgery.)
    void redirectOutcomes_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("reason");
        QTest::newRow("error and code") << QStringLiteral("error=access_denied&code=abc&state=%1")
                                        << QStringLiteral("Google denied the sign-in: access_denied");
        QTest::newRow("no code") << QStringLiteral("state=%1")
                                 << QStringLiteral("Google did not return an authorization code.");
    }

    void redirectOutcomes()
    {
        QFETCH(QString, query);
        QFETCH(QString, reason);
        RecordingUrlOpener browser;
        AuthService auth(endpoints(), &browser);
        QSignalSpy failed(&auth, &AuthService::signInFailed);
        auth.startSignIn();
        const QString state =
            QUrlQuery(askStartAddress(browser.opened.value(0)).location).queryItemValue(QStringLiteral("state"));
        const QByteArray page = sendRaw(auth.listeningPort(), {redirectRequest(query.arg(state))});
        QVERIFY(page.startsWith("HTTP/1.1 400 Bad Request"));
        QVERIFY(!page.contains(reason.toUtf8()));
        QTRY_COMPARE(failed.size(), 1);
        QCOMPARE(failed.at(0).at(0).toString(), reason);
        QCOMPARE(auth.listeningPort(), quint16(0));
        QVERIFY(m_server->requestsTo("/token").isEmpty());
    }

    // A browser's icon request, another method or a garbled line neither
    // ends nor spoils the sign-in; a request line arriving in two pieces is
    // read whole.
    void strayRequestsKeepTheListenerWaiting()
    {
        RecordingUrlOpener browser;
        AuthService auth(endpoints(), &browser);
        QSignalSpy succeeded(&auth, &AuthService::signInSucceeded);
        QSignalSpy failed(&auth, &AuthService::signInFailed);
        auth.startSignIn();
        const QUrl authorization = askStartAddress(browser.opened.value(0)).location;
        const quint16 port = auth.listeningPort();
        QVERIFY(port != 0);

        QVERIFY(sendRaw(port, {"GET /favicon.ico HTTP/1.1\r\nHost: x\r\n\r\n"}).startsWith("HTTP/1.1 404"));
        QVERIFY(sendRaw(port, {"POST /?state=x HTTP/1.1\r\nHost: x\r\n\r\n"}).startsWith("HTTP/1.1 404"));
        QVERIFY(sendRaw(port, {"GARBAGE\r\n\r\n"}).startsWith("HTTP/1.1 400"));
        QCOMPARE(failed.size(), 0);
        QCOMPARE(auth.listeningPort(), port);

        const QString code = consent(authorization);
        const QByteArray request = redirectRequest(
            QStringLiteral("state=%1&code=%2")
                .arg(QUrlQuery(authorization).queryItemValue(QStringLiteral("state")), code));
        const QByteArray page = sendRaw(port, {request.left(12), request.mid(12)});
        QVERIFY(page.startsWith("HTTP/1.1 200 OK"));
        QTRY_COMPARE(succeeded.size(), 1);
        QCOMPARE(failed.size(), 0);
    }

    void listenerClosesAfterItsTimeLimit()
    {
        RecordingUrlOpener browser;
        Google::Endpoints settings = endpoints();
        settings.signInTimeLimitMs = 200;
        AuthService auth(settings, &browser);
        QSignalSpy failed(&auth, &AuthService::signInFailed);
        auth.startSignIn();
        const quint16 port = auth.listeningPort();
        QVERIFY(port != 0);
        QTRY_COMPARE(failed.size(), 1);
        QCOMPARE(failed.at(0).at(0).toString(), QStringLiteral("Google sign-in timed out. Please try again."));
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(!socket.waitForConnected(1000));
    }

    void newSignInClosesTheAbandonedOne()
    {
        RecordingUrlOpener browser;
        AuthService first(endpoints(), &browser);
        AuthService second(endpoints(), &browser);
        QSignalSpy firstFailed(&first, &AuthService::signInFailed);
        first.startSignIn();
        const quint16 firstPort = first.listeningPort();
        second.startSignIn();
        QCOMPARE(firstFailed.size(), 1);
        QCOMPARE(firstFailed.at(0).at(0).toString(), QStringLiteral("Sign-in cancelled."));
        QCOMPARE(first.listeningPort(), quint16(0));
        QVERIFY(second.listeningPort() != 0 && second.listeningPort() != firstPort);
    }

    void signInFailsBeforeListening_data()
    {
        QTest::addColumn<bool>("configured");
        QTest::addColumn<bool>("portTaken");
        QTest::addColumn<bool>("browserOpens");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no client") << false << false << true
                                   << QStringLiteral("Google OAuth credentials are not configured in this build. "
                                                     "See .env.example.");
        QTest::newRow("port taken") << true << true << true
                                    << QStringLiteral("Could not bind a local port for the Google sign-in callback: ");
        QTest::newRow("no browser") << true << false << false
                                    << QStringLiteral("Could not launch the system browser for Google sign-in.");
    }

    void signInFailsBeforeListening()
    {
        QFETCH(bool, configured);
        QFETCH(bool, portTaken);
        QFETCH(bool, browserOpens);
        QFETCH(QString, reason);
        QTcpServer occupant;
        QVERIFY(occupant.listen(QHostAddress::LocalHost, 0));
        Google::Endpoints settings = endpoints();
        if (!configured)
            settings.clientSecret.clear();
        if (portTaken)
            settings.signInPort = occupant.serverPort();
        RecordingUrlOpener browser;
        browser.result = browserOpens;
        AuthService auth(settings, &browser);
        QSignalSpy failed(&auth, &AuthService::signInFailed);
        auth.startSignIn();
        QCOMPARE(failed.size(), 1);
        QVERIFY2(failed.at(0).at(0).toString().startsWith(reason), qPrintable(failed.at(0).at(0).toString()));
        QCOMPARE(auth.listeningPort(), quint16(0));
        QCOMPARE(browser.opened.size(), configured && !portTaken ? 1 : 0);
    }

    // Google sends a new refresh token only sometimes; without one the
    // caller keeps its own. An unknown token is invalid_grant.
    // A token form carries the client secret and the refresh token: a 307
    // to another port must not resend it there.
    void tokenFormIsNotResentToAnotherOrigin()
    {
        LocalHttpServer elsewhere;
        QVERIFY(elsewhere.listen());
        LocalHttpServer front;
        QVERIFY(front.listen());
        const QByteArray target = elsewhere.url("/token").toEncoded();
        front.setHandler([target](const LocalHttpServer::Request &) {
            return LocalHttpServer::Reply::redirect(307, target);
        });
        Google::Endpoints hostile = endpoints();
        hostile.tokenBase = front.url("/");
        AuthService auth(hostile, nullptr);
        QSignalSpy succeeded(&auth, &AuthService::refreshSucceeded);
        QSignalSpy failed(&auth, &AuthService::refreshFailed);
        auth.refreshAccessToken(QStringLiteral("1//stored"));
        QTRY_COMPARE_WITH_TIMEOUT(succeeded.size() + failed.size(), 1, 10000);
        QCOMPARE(failed.size(), 1);
        QCOMPARE(front.requests().size(), 1);
        QCOMPARE(elsewhere.requests().size(), 0);
    }

    void refreshReportsTheRotatedTokenOrNone_data()
    {
        QTest::addColumn<bool>("rotate");
        QTest::addColumn<bool>("known");
        QTest::newRow("kept") << false << true;
        QTest::newRow("rotated") << true << true;
        QTest::newRow("invalid_grant") << false << false;
    }

    void refreshReportsTheRotatedTokenOrNone()
    {
        QFETCH(bool, rotate);
        QFETCH(bool, known);
        m_server->rotateRefreshTokens = rotate;
        if (known)
            m_server->addRefreshToken(QStringLiteral("1//stored"));
        AuthService auth(endpoints(), nullptr);
        QSignalSpy succeeded(&auth, &AuthService::refreshSucceeded);
        QSignalSpy failed(&auth, &AuthService::refreshFailed);
        auth.refreshAccessToken(QStringLiteral("1//stored"));
        QTRY_COMPARE(succeeded.size() + failed.size(), 1);
        if (!known) {
            // Google's words for the refusal, not its JSON.
            QCOMPARE(failed.at(0).at(0).toString(),
                     QStringLiteral("Token refresh failed (HTTP 400): Token has been expired or revoked."));
            return;
        }
        QCOMPARE(succeeded.at(0).at(0).toString(), m_server->lastAccessToken());
        QCOMPARE(succeeded.at(0).at(2).toString(), rotate ? m_server->lastRefreshToken() : QString());
    }

    void tokenReplyWithoutExpiryLastsAnHour()
    {
        m_server->omitFromTokenReply.insert(QStringLiteral("expires_in"));
        m_server->addRefreshToken(QStringLiteral("1//stored"));
        AuthService auth(endpoints(), nullptr);
        QSignalSpy succeeded(&auth, &AuthService::refreshSucceeded);
        auth.refreshAccessToken(QStringLiteral("1//stored"));
        QTRY_COMPARE(succeeded.size(), 1);
        QVERIFY(qAbs(QDateTime::currentDateTimeUtc().secsTo(succeeded.at(0).at(1).toDateTime()) - 3600) <= 5);
    }

    // An expiry no date holds makes the token reply unreadable, for a
    // refresh and for a sign-in alike.
    void outOfRangeExpiryFailsTheTokenReply_data()
    {
        QTest::addColumn<double>("expiresIn");
        QTest::newRow("1e300") << 1e300;
        QTest::newRow("negative") << -60.0;
        QTest::newRow("past the largest integer") << 9.3e18;
    }

    void outOfRangeExpiryFailsTheTokenReply()
    {
        QFETCH(double, expiresIn);
        m_server->overrideInTokenReply.insert(QStringLiteral("expires_in"), expiresIn);
        const QString unusable = QStringLiteral("Google's response had an expires_in that could not be used.");
        QCOMPARE(refreshOutcome(), unusable);
        QCOMPARE(signInOutcome(), unusable);
    }

    // What the sign-in's box and a renewal's status bar line say of a token
    // answer that cannot be used or refuses: Google's words for a refusal,
    // else a sentence; never a token, there or in the log.
    void tokenAnswersShowNoTokens_data()
    {
        QTest::addColumn<LocalHttpServer::Reply>("answer");
        QTest::addColumn<QString>("signIn");
        QTest::addColumn<QString>("refresh");
        const QString unusable = QStringLiteral("Google's response had an expires_in that could not be used.");
        const QString exchange = QStringLiteral("Token exchange failed (HTTP %1)%2");
        const QString renewal = QStringLiteral("Token refresh failed (HTTP %1)%2");
        const auto refused = [&](const char *name, const LocalHttpServer::Reply &answer, const QString &words) {
            const QString tail = words.isEmpty() ? QStringLiteral(".") : QStringLiteral(": ") + words;
            QTest::newRow(name) << answer << exchange.arg(answer.status).arg(tail) << renewal.arg(answer.status).arg(tail);
        };
        QTest::newRow("negative expiry")
            << TokenAnswers::withTokens({{QStringLiteral("expires_in"), -5}}) << unusable << unusable;
        QTest::newRow("no access token")
            << TokenAnswers::withTokens({{QStringLiteral("access_token"), QJsonValue(QJsonValue::Null)}})
            << QStringLiteral("Google did not return an access token.")
            << QStringLiteral("Google's response had no access_token.");
        QTest::newRow("not JSON") << TokenAnswers::formEncoded(200)
                                  << QStringLiteral("Google did not return an access token.")
                                  << QStringLiteral("Google's response had no access_token.");
        refused("description",
                TokenAnswers::json(400, {{QStringLiteral("error"), QStringLiteral("invalid_grant")},
                                         {QStringLiteral("error_description"), QStringLiteral("Malformed auth code.")}}),
                QStringLiteral("Malformed auth code."));
        refused("code alone", TokenAnswers::json(401, {{QStringLiteral("error"), QStringLiteral("invalid_client")}}),
                QStringLiteral("invalid_client"));
        refused("API error",
                TokenAnswers::json(403, {{QStringLiteral("error"),
                                          QJsonObject{{QStringLiteral("code"), 403},
                                                      {QStringLiteral("message"), QStringLiteral("No permission")},
                                                      {QStringLiteral("status"), QStringLiteral("PERMISSION_DENIED")}}}}),
                QStringLiteral("No permission"));
        refused("error page", TokenAnswers::errorPage(500), QString());
        refused("JSON without an error", TokenAnswers::json(400, {{QStringLiteral("access_token"), TokenAnswers::Access}}),
                QString());
        // White space, line breaks among it, reads as one space.
        refused("description on lines",
                TokenAnswers::json(400, {{QStringLiteral("error"), QStringLiteral("invalid_grant")},
                                         {QStringLiteral("error_description"), QStringLiteral("Bad\r\n  code.\tAgain.")}}),
                QStringLiteral("Bad code. Again."));
        // The fake server's client secret, quoted, is hidden; a control
        // character and a line separator read as spaces.
        refused("description quoting the secret",
                TokenAnswers::json(401, {{QStringLiteral("error"), QStringLiteral("invalid_client")},
                                         {QStringLiteral("error_description"),
                                          QStringLiteral("Client test-secret\u0007 is\u2028refused.")}}),
                QStringLiteral("Client *** is refused."));
        // However long the description, the user reads a bounded part.
        refused("long description",
                TokenAnswers::json(400, {{QStringLiteral("error"), QStringLiteral("invalid_grant")},
                                         {QStringLiteral("error_description"), QStringLiteral("Too long. ").repeated(50000)}}),
                QStringLiteral("Too long. ").repeated(30).left(299) + QChar(0x2026));
    }

    void tokenAnswersShowNoTokens()
    {
        QFETCH(LocalHttpServer::Reply, answer);
        QFETCH(QString, signIn);
        QFETCH(QString, refresh);
        const CapturedLog log;
        m_server->scriptedTokenReplies = {answer};
        const QString refreshFailure = refreshOutcome();
        QCOMPARE(refreshFailure, refresh);
        m_server->scriptedTokenReplies = {answer};
        const QString signInFailure = signInOutcome();
        QCOMPARE(signInFailure, signIn);
        QCOMPARE(TokenAnswers::showingTokens(log.messages() << signInFailure << refreshFailure), QStringList());
    }

    void tokenSetsRoundTripThroughTheSecretStore()
    {
        MemoryTokenStore store;
        const StoredTokens tokens{QStringLiteral("ya29.a"), QStringLiteral("1//r"),
                                  QDateTime(QDate(2026, 3, 1), QTime(9, 30, 0, 123), Qt::UTC)};
        QVERIFY(AuthService::saveTokens(store, QStringLiteral("acc"), tokens));
        QCOMPARE(store.read(QStringLiteral("google-tokens-acc")).value(),
                 QStringLiteral("{\"access_token\":\"ya29.a\",\"expires_at\":\"2026-03-01T09:30:00.123Z\","
                                "\"refresh_token\":\"1//r\"}"));
        QCOMPARE(AuthService::loadTokens(store, QStringLiteral("acc")), tokens);
        QCOMPARE(AuthService::loadTokens(store, QStringLiteral("other")), StoredTokens());
        // The application's own store (the file store in tests).
        QVERIFY(AuthService::saveTokens(QStringLiteral("acc"), tokens));
        QCOMPARE(AuthService::loadTokens(QStringLiteral("acc")), tokens);
    }

    void idTokenClaimsDecodeWithoutPadding()
    {
        // {"email":"a@b.c"} is 17 bytes: its base64url text needs padding.
        const QString payload = QString::fromLatin1(
            QByteArray("{\"email\":\"a@b.c\"}").toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
        QVERIFY(payload.size() % 4 != 0);
        QCOMPARE(AuthService::decodeIdTokenClaims(QStringLiteral("h.") + payload + QStringLiteral(".s")),
                 (QJsonObject{{QStringLiteral("email"), QStringLiteral("a@b.c")}}));
        QCOMPARE(AuthService::decodeIdTokenClaims(QStringLiteral("nodots")), QJsonObject());
        QCOMPARE(AuthService::randomUrlSafe(64).size(), 86);
    }
};

QTEST_MAIN(TestGoogleAuthService)
#include "tst_googleauthservice.moc"
