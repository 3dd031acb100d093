#include "sync/caldav/caldavclient.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/selfsignedcertificate.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <optional>

using Reply = LocalHttpServer::Reply;
using Request = LocalHttpServer::Request;

Q_DECLARE_METATYPE(LocalHttpServer::Reply)

namespace {

// Runs one request and waits for its callback, which must come exactly once.
class Waiter
{
public:
    CalDavClient::Callback callback()
    {
        return [this](const CalDavClient::Response &response) {
            ++m_calls;
            m_response = response;
        };
    }

    bool wait(int timeoutMs = 15000)
    {
        QElapsedTimer timer;
        timer.start();
        while (m_calls == 0 && timer.elapsed() < timeoutMs)
            QTest::qWait(10);
        QTest::qWait(20);
        return m_calls == 1;
    }

    CalDavClient::Response response() const { return m_response.value_or(CalDavClient::Response()); }

private:
    int m_calls = 0;
    std::optional<CalDavClient::Response> m_response;
};

void send(CalDavClient &client, const QByteArray &verb, const QUrl &url, const QByteArray &body,
          CalDavClient::Callback callback)
{
    if (verb == "PROPFIND")
        client.propfind(url, body, 1, std::move(callback));
    else if (verb == "REPORT")
        client.report(url, body, 1, std::move(callback));
    else if (verb == "PUT")
        client.put(url, body, QStringLiteral("text/calendar; charset=utf-8"), std::move(callback), QStringLiteral("e1"));
    else if (verb == "DELETE")
        client.del(url, std::move(callback), QStringLiteral("e1"));
    else if (verb == "MKCALENDAR")
        client.mkcalendar(url, body, std::move(callback));
    else
        client.proppatch(url, body, std::move(callback));
}

} // namespace

class TestCalDavClient : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyVerbFollowsSameOriginRedirectWithSameVerb_data()
    {
        QTest::addColumn<QByteArray>("verb");
        QTest::addColumn<int>("status");
        for (const char *verb : {"PROPFIND", "REPORT", "PUT", "DELETE", "MKCALENDAR", "PROPPATCH"}) {
            for (int status : {301, 302, 303, 307, 308})
                QTest::addRow("%s %d", verb, status) << QByteArray(verb) << status;
        }
    }

    void everyVerbFollowsSameOriginRedirectWithSameVerb()
    {
        QFETCH(QByteArray, verb);
        QFETCH(int, status);
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([status](const Request &request) {
            if (request.target == "/old/")
                return Reply::redirect(status, "/new/");
            return Reply::status207("<ok/>");
        });
        CalDavClient client;
        client.setCredentials(QStringLiteral("bob"), QStringLiteral("pw"));
        const QByteArray body = verb == "DELETE" ? QByteArray() : QByteArray("<body/>");
        Waiter waiter;
        send(client, verb, server.url(QStringLiteral("/old/")), body, waiter.callback());
        QVERIFY(waiter.wait());
        QCOMPARE(waiter.response().status, 207);
        QCOMPARE(server.requests().size(), 2);
        const Request second = server.requests().at(1);
        QCOMPARE(second.method, verb);
        QCOMPARE(second.target, QByteArray("/new/"));
        QCOMPARE(second.body, body);
        QCOMPARE(second.header("authorization"), CalDavClient::basicAuthHeader(QStringLiteral("bob"), QStringLiteral("pw")));
        QCOMPARE(second.header("if-match"), server.requests().at(0).header("if-match"));
        QCOMPARE(second.header("depth"), server.requests().at(0).header("depth"));
    }

    void redirectBudgetDeliversSixthRedirect()
    {
        LocalHttpServer server;
        QVERIFY(server.listen());
        int hops = 0;
        server.setHandler([&hops](const Request &) {
            ++hops;
            return Reply::redirect(301, "/hop" + QByteArray::number(hops));
        });
        CalDavClient client;
        Waiter waiter;
        client.propfind(server.url(QStringLiteral("/start")), "<b/>", 0, waiter.callback());
        QVERIFY(waiter.wait());
        QCOMPARE(waiter.response().status, 301);
        QCOMPARE(server.requests().size(), 6);
        QCOMPARE(server.requests().last().header("depth"), QByteArray("0"));
    }

    void redirectLocationHeaderAnyCase_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("upper") << QByteArray("LOCATION");
        QTest::newRow("lower") << QByteArray("location");
        QTest::newRow("mixed") << QByteArray("LoCaTion");
        QTest::newRow("absent") << QByteArray();
    }

    void redirectLocationHeaderAnyCase()
    {
        QFETCH(QByteArray, name);
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([name](const Request &request) {
            Reply reply;
            if (request.target == "/a") {
                reply.status = 302;
                if (!name.isEmpty())
                    reply.headers.append(qMakePair(name, QByteArray("/b")));
            }
            return reply;
        });
        CalDavClient client;
        Waiter waiter;
        client.propfind(server.url(QStringLiteral("/a")), "<b/>", 0, waiter.callback());
        QVERIFY(waiter.wait());
        QCOMPARE(waiter.response().status, name.isEmpty() ? 302 : 200);
        QCOMPARE(server.requests().size(), name.isEmpty() ? 1 : 2);
    }

    void redirectToAnotherOriginIsNotFollowed()
    {
        LocalHttpServer other;
        QVERIFY(other.listen());
        LocalHttpServer server;
        QVERIFY(server.listen());
        const QByteArray elsewhere = other.url(QStringLiteral("/steal")).toEncoded();
        server.setHandler([elsewhere](const Request &) { return Reply::redirect(307, elsewhere); });
        CalDavClient client;
        client.setCredentials(QStringLiteral("bob"), QStringLiteral("pw"));
        Waiter waiter;
        client.put(server.url(QStringLiteral("/cal/x.ics")), "BEGIN:VCALENDAR", QStringLiteral("text/calendar"),
                   waiter.callback());
        QVERIFY(waiter.wait());
        QCOMPARE(waiter.response().status, 307);
        QCOMPARE(other.requests().size(), 0);
    }

    void redirectFromHttpsToHttpIsNotFollowed()
    {
        SelfSignedCertificate certificate;
        QVERIFY2(certificate.isValid(), qPrintable(certificate.errorText()));
        LocalHttpServer plain;
        QVERIFY(plain.listen());
        LocalHttpServer secure;
        QVERIFY(secure.listenTls(certificate.certificatePath(), certificate.keyPath()));
        // Same host and the port of the TLS server: only the scheme drops.
        const QByteArray downgrade = "http://127.0.0.1:" + QByteArray::number(secure.port()) + "/cal/";
        secure.setHandler([downgrade](const Request &) { return Reply::redirect(301, downgrade); });
        CalDavClient client;
        client.setPinnedFingerprint(certificate.sha256());
        client.setCredentials(QStringLiteral("bob"), QStringLiteral("pw"));
        Waiter waiter;
        client.report(secure.url(QStringLiteral("/cal/")), "<q/>", 1, waiter.callback());
        QVERIFY(waiter.wait());
        QCOMPARE(waiter.response().status, 301);
        QCOMPARE(secure.requests().size(), 1);
    }

    void requestHeaders()
    {
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([](const Request &) { return Reply(); });
        CalDavClient client;
        client.setCredentials(QStringLiteral("bob"), QStringLiteral("p\u00e4ss:word"));
        const QByteArray ics = QStringLiteral("SUMMARY:caf\u00e9\r\n").toUtf8();
        Waiter put;
        client.put(server.url(QStringLiteral("/x.ics")), ics, QStringLiteral("text/calendar; charset=utf-8"),
                   put.callback());
        QVERIFY(put.wait());
        Request request = server.requests().last();
        QCOMPARE(request.header("content-type"), QByteArray("text/calendar; charset=utf-8"));
        QCOMPARE(request.header("content-length"), QByteArray::number(ics.size()));
        QCOMPARE(request.header("user-agent"), QByteArray("TindlebrookCalendar/1.3.5 (Qt)"));
        QCOMPARE(request.header("authorization"),
                 "Basic " + QStringLiteral("bob:p\u00e4ss:word").toUtf8().toBase64());
        QVERIFY(request.header("if-match").isEmpty());

        Waiter propfind;
        client.setCredentials(QString(), QStringLiteral("ignored"));
        client.propfind(server.url(QStringLiteral("/")), "<p/>", 0, propfind.callback());
        QVERIFY(propfind.wait());
        request = server.requests().last();
        QVERIFY(request.header("authorization").isEmpty());
        QCOMPARE(request.header("content-type"), QByteArray("application/xml; charset=utf-8"));
        QCOMPARE(request.header("depth"), QByteArray("0"));
    }

    void ifMatchValue_data()
    {
        QTest::addColumn<QString>("etag");
        QTest::addColumn<QByteArray>("header");
        QTest::newRow("empty") << "" << QByteArray();
        QTest::newRow("star") << "*" << QByteArray("*");
        QTest::newRow("quoted") << "\"abc\"" << QByteArray("\"abc\"");
        QTest::newRow("bare") << "abc" << QByteArray("\"abc\"");
    }

    void ifMatchValue()
    {
        QFETCH(QString, etag);
        QFETCH(QByteArray, header);
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([](const Request &) { Reply r; r.status = 204; return r; });
        CalDavClient client;
        Waiter waiter;
        client.del(server.url(QStringLiteral("/x.ics")), waiter.callback(), etag);
        QVERIFY(waiter.wait());
        QCOMPARE(server.requests().last().header("if-match"), header);
        QVERIFY(server.requests().last().body.isEmpty());
        QVERIFY(server.requests().last().header("content-type").isEmpty());
    }

    void credentialsInUrlAreMovedOutOfTheUrl()
    {
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([](const Request &) { return Reply::status207("<m/>"); });
        CalDavClient client;
        QUrl url = server.url(QStringLiteral("/dav/"));
        url.setUserName(QStringLiteral("alice"));
        url.setPassword(QStringLiteral("se cret"));
        Waiter waiter;
        client.propfind(url, "<p/>", 0, waiter.callback());
        QVERIFY(waiter.wait());
        QCOMPARE(client.user(), QStringLiteral("alice"));
        const Request request = server.requests().last();
        QCOMPARE(request.header("authorization"), CalDavClient::basicAuthHeader(QStringLiteral("alice"), QStringLiteral("se cret")));
        QVERIFY(!request.target.contains("alice"));
        QVERIFY(!request.header("host").contains("alice"));
    }

    void responseCarriesStatusBodyAndHeaders()
    {
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([](const Request &) {
            Reply reply;
            reply.status = 503;
            reply.body = "busy";
            reply.headers.append(qMakePair(QByteArray("X-Mixed-Case"), QByteArray("v")));
            return reply;
        });
        CalDavClient client;
        Waiter waiter;
        client.report(server.url(QStringLiteral("/c/")), "<r/>", 1, waiter.callback());
        QVERIFY(waiter.wait());
        QCOMPARE(waiter.response().status, 503);
        QCOMPARE(waiter.response().body, QByteArray("busy"));
        QVERIFY(waiter.response().error.isEmpty());
        QCOMPARE(waiter.response().header("x-mixed-case"), QByteArray("v"));
        QVERIFY(waiter.response().headers.contains("X-Mixed-Case"));
    }

    void refusedConnectionGivesStatusZeroAndError()
    {
        quint16 port = 0;
        {
            LocalHttpServer closed;
            QVERIFY(closed.listen());
            port = closed.port();
        }
        CalDavClient client;
        Waiter waiter;
        client.propfind(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port)), "<p/>", 0, waiter.callback());
        QVERIFY(waiter.wait());
        QCOMPARE(waiter.response().status, 0);
        QVERIFY(!waiter.response().error.isEmpty());
    }

    void hungServerFailsAfterTransferTimeout()
    {
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([](const Request &) { Reply r; r.hang = true; return r; });
        CalDavClient client;
        client.setTransferTimeout(400);
        Waiter waiter;
        client.report(server.url(QStringLiteral("/c/")), "<r/>", 1, waiter.callback());
        QVERIFY(waiter.wait(10000));
        QCOMPARE(waiter.response().status, 0);
        QVERIFY(!waiter.response().error.isEmpty());
    }

    void oversizeOrTricklingReplyFails_data()
    {
        QTest::addColumn<Reply>("reply");
        QTest::addColumn<QString>("error");
        Reply large = Reply::status207(QByteArray(4096, ' ') + "<d:multistatus xmlns:d=\"DAV:\"/>");
        Reply unannounced = large;
        unannounced.closeWithoutLength = true;
        Reply trickling = Reply::status207(QByteArray(200, ' ') + "<d:multistatus xmlns:d=\"DAV:\"/>");
        trickling.trickleMs = 50;
        QTest::newRow("announced") << large << "The answer from 127.0.0.1 is larger than 2 kB.";
        QTest::newRow("unannounced") << unannounced << "The answer from 127.0.0.1 is larger than 2 kB.";
        QTest::newRow("trickling") << trickling << "127.0.0.1 did not finish its answer within 1 seconds.";
    }

    // The transfer timeout only notices silence: a reply that trickles in,
    // or grows past any listing, fails all the same, and none of it is
    // handed on as an answer.
    void oversizeOrTricklingReplyFails()
    {
        QFETCH(Reply, reply);
        QFETCH(QString, error);
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([reply](const Request &) { return reply; });
        CalDavClient client;
        client.setTransferTimeout(5000);
        client.setReplyLimits(2048, 1000);
        Waiter waiter;
        client.report(server.url(QStringLiteral("/c/")), "<r/>", 1, waiter.callback());
        QVERIFY(waiter.wait(10000));
        const CalDavClient::Response response = waiter.response();
        QCOMPARE(std::make_tuple(response.status, response.body, response.error),
                 std::make_tuple(0, QByteArray(), error));
    }

    void bodyCutAfterStatusLineIsATransportError()
    {
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([](const Request &) {
            Reply reply = Reply::status207("<d:multistatus xmlns:d=\"DAV:\"><d:response>...</d:response></d:multistatus>");
            reply.truncateAt = 20;
            return reply;
        });
        CalDavClient client;
        Waiter waiter;
        client.report(server.url(QStringLiteral("/c/")), "<r/>", 1, waiter.callback());
        QVERIFY(waiter.wait());
        QCOMPARE(waiter.response().status, 207);
        QVERIFY(!waiter.response().error.isEmpty());
    }

    void pinnedCertificate()
    {
        SelfSignedCertificate certificate;
        QVERIFY2(certificate.isValid(), qPrintable(certificate.errorText()));
        LocalHttpServer server;
        QVERIFY(server.listenTls(certificate.certificatePath(), certificate.keyPath()));
        server.setHandler([](const Request &) { return Reply::status207("<m/>"); });

        CalDavClient client;
        QSignalSpy untrusted(&client, &CalDavClient::untrustedCertEncountered);
        Waiter rejected;
        client.setPinnedFingerprint(QStringLiteral("00:11"));
        client.propfind(server.url(QStringLiteral("/")), "<p/>", 0, rejected.callback());
        QVERIFY(rejected.wait());
        QCOMPARE(rejected.response().status, 0);
        QVERIFY(!rejected.response().error.isEmpty());
        QCOMPARE(untrusted.size(), 1);
        const CalDavClient::UntrustedCertInfo info = client.lastUntrustedCert();
        QCOMPARE(info.fingerprint, certificate.sha256());
        QCOMPARE(info.host, QStringLiteral("127.0.0.1"));
        QCOMPARE(info.port, int(server.port()));
        QCOMPARE(info.subject, QStringLiteral("127.0.0.1"));
        QVERIFY(!info.errors.isEmpty());
        QVERIFY(info.expiryDate > info.effectiveDate);

        // The pin as a person would copy it: lower case with colons.
        client.setPinnedFingerprint(formatFingerprint(certificate.sha256()).toLower());
        QVERIFY(client.lastUntrustedCert().fingerprint.isEmpty());
        QCOMPARE(client.lastUntrustedCert().port, 0);
        Waiter accepted;
        client.propfind(server.url(QStringLiteral("/")), "<p/>", 0, accepted.callback());
        QVERIFY(accepted.wait());
        QCOMPARE(accepted.response().status, 207);
        QCOMPARE(untrusted.size(), 1);
    }

    void formatFingerprintPairsDigits()
    {
        QCOMPARE(formatFingerprint(QStringLiteral("ABCD")), QStringLiteral("AB:CD"));
        QCOMPARE(formatFingerprint(QStringLiteral("ABC")), QStringLiteral("AB:C"));
        QCOMPARE(formatFingerprint(QString()), QString());
    }
};

QTEST_GUILESS_MAIN(TestCalDavClient)
#include "tst_caldavclient.moc"
