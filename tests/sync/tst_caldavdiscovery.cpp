#include "sync/caldav/caldavclient.h"
#include "sync/caldav/caldavdiscovery.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/radicaleserver.h"
#include "tests/support/selfsignedcertificate.h"
#include "tests/support/xandikosserver.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

using Reply = LocalHttpServer::Reply;
using Request = LocalHttpServer::Request;

namespace {

struct Outcome
{
    bool completed = false;
    QList<CalDavParse::DiscoveredCalendar> calendars;
    QString reason;
};

Outcome discover(CalDavClient *client, const QUrl &url)
{
    CalDavDiscovery discovery(client);
    QSignalSpy completed(&discovery, &CalDavDiscovery::completed);
    QSignalSpy failed(&discovery, &CalDavDiscovery::failed);
    discovery.start(url);
    for (int waited = 0; completed.size() + failed.size() == 0 && waited < 30000; waited += 10)
        QTest::qWait(10);
    QTest::qWait(20);
    Outcome outcome;
    if (completed.size() + failed.size() != 1)
        return outcome;
    if (!completed.isEmpty()) {
        outcome.completed = true;
        outcome.calendars = completed.first().first().value<QList<CalDavParse::DiscoveredCalendar>>();
    } else {
        outcome.reason = failed.first().first().toString();
    }
    return outcome;
}

QByteArray principalMultistatus(const QByteArray &principal)
{
    return "<d:multistatus xmlns:d=\"DAV:\"><d:response><d:href>/</d:href><d:propstat><d:prop>"
           "<d:current-user-principal><d:href>" + principal + "</d:href></d:current-user-principal>"
           "</d:prop></d:propstat></d:response></d:multistatus>";
}

QByteArray calendarsMultistatus(const QByteArray &href)
{
    return "<d:multistatus xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:response>"
           "<d:href>" + href + "</d:href><d:propstat><d:prop><d:resourcetype><d:collection/><c:calendar/>"
           "</d:resourcetype><d:displayname>Only</d:displayname></d:prop></d:propstat></d:response></d:multistatus>";
}

QStringList targets(const LocalHttpServer &server)
{
    QStringList out;
    for (const Request &request : server.requests())
        out.append(QString::fromUtf8(request.method + ' ' + request.target + " depth=" + request.header("depth")));
    return out;
}

} // namespace

class TestCalDavDiscovery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qRegisterMetaType<QList<CalDavParse::DiscoveredCalendar>>();
    }

    void discoversRealServer_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("credentialsInUrl");
        QTest::newRow("radicale") << "radicale" << false;
        QTest::newRow("radicale, credentials typed into the url") << "radicale" << true;
        QTest::newRow("xandikos") << "xandikos" << false;
        QTest::newRow("xandikos, credentials typed into the url") << "xandikos" << true;
    }

    void discoversRealServer()
    {
        QFETCH(QString, kind);
        QFETCH(bool, credentialsInUrl);
        std::unique_ptr<DavServerProcess> server;
        if (kind == QLatin1String("radicale"))
            server = std::make_unique<RadicaleServer>();
        else
            server = std::make_unique<XandikosServer>();
        QVERIFY2(server->start(), qPrintable(server->errorText()));
        QVERIFY2(server->createCalendar(QStringLiteral("work"), QStringLiteral("Work & Play"),
                                        {QStringLiteral("VEVENT"), QStringLiteral("VTODO")}),
                 qPrintable(server->errorText()));

        CalDavClient client;
        QUrl url = server->baseUrl();
        if (credentialsInUrl) {
            url.setUserName(server->user());
            url.setPassword(server->password());
        } else {
            client.setCredentials(server->user(), server->password());
        }
        const Outcome outcome = discover(&client, url);
        QVERIFY2(outcome.completed, qPrintable(outcome.reason));
        const QUrl work = server->calendarUrl(QStringLiteral("work"));
        bool found = false;
        for (const CalDavParse::DiscoveredCalendar &calendar : outcome.calendars) {
            QVERIFY2(QUrl(calendar.url).userInfo().isEmpty(), qPrintable(calendar.url));
            if (QUrl(calendar.url) == work) {
                found = true;
                QCOMPARE(calendar.displayName, QStringLiteral("Work & Play"));
                QVERIFY(calendar.supportedComponents.contains(QStringLiteral("VTODO")));
            }
        }
        QVERIFY2(found, qPrintable(work.toString()));
    }

    void wrongPasswordIsReported_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("radicale") << "radicale";
        QTest::newRow("xandikos") << "xandikos";
    }

    void wrongPasswordIsReported()
    {
        QFETCH(QString, kind);
        std::unique_ptr<DavServerProcess> server;
        if (kind == QLatin1String("radicale"))
            server = std::make_unique<RadicaleServer>();
        else
            server = std::make_unique<XandikosServer>();
        QVERIFY2(server->start(), qPrintable(server->errorText()));
        CalDavClient client;
        client.setCredentials(server->user(), QStringLiteral("wrong"));
        const Outcome outcome = discover(&client, server->baseUrl());
        QVERIFY(!outcome.completed);
        QCOMPARE(outcome.reason, QStringLiteral("The server rejected the username or password."));
    }

    void candidatesInOrder_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("root") << "/" << QStringList{"PROPFIND /.well-known/caldav depth=0", "PROPFIND / depth=0"};
        QTest::newRow("principal path")
            << "/principals/bob/"
            << QStringList{"PROPFIND /principals/bob/ depth=0", "PROPFIND /.well-known/caldav depth=0",
                           "PROPFIND / depth=0"};
    }

    void candidatesInOrder()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, expected);
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([](const Request &) { Reply r; r.status = 404; return r; });
        CalDavClient client;
        const Outcome outcome = discover(&client, server.url(path));
        QCOMPARE(outcome.reason, QStringLiteral("Could not find a CalDAV account on that server. Check the URL."));
        QCOMPARE(targets(server), expected);
    }

    void bareHostIsTriedAsHttps()
    {
        SelfSignedCertificate certificate;
        QVERIFY2(certificate.isValid(), qPrintable(certificate.errorText()));
        LocalHttpServer server;
        QVERIFY(server.listenTls(certificate.certificatePath(), certificate.keyPath()));
        server.setHandler([](const Request &) { Reply r; r.status = 404; return r; });
        CalDavClient client;
        client.setPinnedFingerprint(certificate.sha256());
        const Outcome outcome = discover(&client, QUrl(QStringLiteral("127.0.0.1:%1").arg(server.port())));
        QCOMPARE(outcome.reason, QStringLiteral("Could not find a CalDAV account on that server. Check the URL."));
        QCOMPARE(targets(server), (QStringList{"PROPFIND /.well-known/caldav depth=0", "PROPFIND / depth=0"}));
    }

    void urlWithoutHostFails()
    {
        CalDavClient client;
        const Outcome outcome = discover(&client, QUrl(QStringLiteral("http://")));
        QCOMPARE(outcome.reason, QStringLiteral("Enter a CalDAV URL starting with http:// or https://"));
    }

    void authFailureOnlyWhenNoCandidateAnswers()
    {
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([](const Request &request) {
            Reply r;
            r.status = request.target == "/.well-known/caldav" ? 401 : 404;
            return r;
        });
        CalDavClient client;
        QCOMPARE(discover(&client, server.url()).reason,
                 QStringLiteral("The server rejected the username or password."));
    }

    void fallbackCandidateListsItsOwnCalendars()
    {
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([](const Request &request) {
            if (request.target == "/.well-known/caldav") {
                Reply r;
                r.status = 401;
                return r;
            }
            if (request.header("depth") == "1")
                return Reply::status207(calendarsMultistatus("/dav/only/"));
            return Reply::status207("<d:multistatus xmlns:d=\"DAV:\"/>");
        });
        CalDavClient client;
        const Outcome outcome = discover(&client, server.url(QStringLiteral("/dav/")));
        QVERIFY2(outcome.completed, qPrintable(outcome.reason));
        QCOMPARE(outcome.calendars.size(), 1);
        QCOMPARE(outcome.calendars.first().url, server.url(QStringLiteral("/dav/only/")).toString());
        QCOMPARE(targets(server),
                 (QStringList{"PROPFIND /dav/ depth=0", "PROPFIND /.well-known/caldav depth=0",
                              "PROPFIND / depth=0", "PROPFIND /dav/ depth=0", "PROPFIND /dav/ depth=1"}));
    }

    void wellKnownRedirectFollowedWithinCandidate()
    {
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([](const Request &request) {
            if (request.target == "/.well-known/caldav")
                return Reply::redirect(301, "/dav/");
            if (request.target == "/dav/" && request.header("depth") == "0" && request.body.contains("current-user-principal"))
                return Reply::status207(principalMultistatus("/dav/principals/bob/"));
            if (request.target == "/dav/principals/bob/" && request.header("depth") == "0")
                return Reply::status207("<d:multistatus xmlns:d=\"DAV:\"/>");
            if (request.header("depth") == "1")
                return Reply::status207(calendarsMultistatus("/dav/principals/bob/cal/"));
            Reply r;
            r.status = 500;
            return r;
        });
        CalDavClient client;
        const Outcome outcome = discover(&client, server.url());
        QVERIFY2(outcome.completed, qPrintable(outcome.reason));
        QCOMPARE(targets(server),
                 (QStringList{"PROPFIND /.well-known/caldav depth=0", "PROPFIND /dav/ depth=0",
                              "PROPFIND /dav/principals/bob/ depth=0", "PROPFIND /dav/principals/bob/ depth=1"}));
    }

    void hrefsToAnotherOriginAreNotFollowed_data()
    {
        QTest::addColumn<QByteArray>("step");
        QTest::newRow("principal") << QByteArray("current-user-principal");
        QTest::newRow("home set") << QByteArray("calendar-home-set");
        QTest::newRow("calendar") << QByteArray("calendar-list");
    }

    // A server that names another host, port or scheme for the next step of
    // discovery must not receive the password there.
    void hrefsToAnotherOriginAreNotFollowed()
    {
        QFETCH(QByteArray, step);
        LocalHttpServer elsewhere;
        QVERIFY(elsewhere.listen());
        elsewhere.setHandler([](const Request &) { return Reply::status207(calendarsMultistatus("/cal/")); });
        const QByteArray away = elsewhere.url("/away/").toEncoded();
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([step, away](const Request &request) {
            const bool hostile = request.body.contains(step) || (step == "calendar-list" && request.header("depth") == "1");
            if (request.header("depth") == "1")
                return Reply::status207(calendarsMultistatus(hostile ? away : "/h/cal/"));
            if (request.body.contains("calendar-home-set"))
                return Reply::status207("<d:multistatus xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
                                        "<d:response><d:href>/p/</d:href><d:propstat><d:prop><c:calendar-home-set>"
                                        "<d:href>" + (hostile ? away : QByteArray("/h/")) + "</d:href>"
                                        "</c:calendar-home-set></d:prop></d:propstat></d:response></d:multistatus>");
            return Reply::status207(principalMultistatus(hostile ? away : "/p/"));
        });
        CalDavClient client;
        client.setCredentials("bob", "s3cret");
        const Outcome outcome = discover(&client, server.url());
        QCOMPARE(outcome.reason,
                 QStringLiteral("The server pointed to %1, which is not the address you entered; the password is "
                                "not sent there.").arg(elsewhere.url().toString(QUrl::RemovePath)));
        QCOMPARE(elsewhere.requests().size(), 0);
    }

    void homeSetWithoutCalendarsFails()
    {
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([](const Request &request) {
            if (request.header("depth") == "1")
                return Reply::status207("<d:multistatus xmlns:d=\"DAV:\"><d:response><d:href>/h/</d:href>"
                                        "<d:propstat><d:prop><d:resourcetype><d:collection/></d:resourcetype>"
                                        "</d:prop></d:propstat></d:response></d:multistatus>");
            return Reply::status207(principalMultistatus("/h/"));
        });
        CalDavClient client;
        QCOMPARE(discover(&client, server.url()).reason, QStringLiteral("No calendars found at the discovered home set."));
    }

    void transportErrorEndsDiscovery()
    {
        quint16 port = 0;
        {
            LocalHttpServer closed;
            QVERIFY(closed.listen());
            port = closed.port();
        }
        CalDavClient client;
        const Outcome outcome = discover(&client, QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port)));
        QVERIFY(outcome.reason.startsWith(QStringLiteral("Could not reach the server: ")));
    }

    void homeSetHttpErrorFails()
    {
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([](const Request &request) {
            if (request.body.contains("calendar-home-set")) {
                Reply r;
                r.status = 503;
                return r;
            }
            return Reply::status207(principalMultistatus("/p/"));
        });
        CalDavClient client;
        QCOMPARE(discover(&client, server.url()).reason,
                 QStringLiteral("Server returned HTTP 503 during home-set discovery."));
    }
};

QTEST_GUILESS_MAIN(TestCalDavDiscovery)
#include "tst_caldavdiscovery.moc"
