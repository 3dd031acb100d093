#include <QSignalSpy>
#include <QtTest>

#include "sync/google/googlecalendarclient.h"
#include "tests/support/fakegoogleserver.h"
#include "tests/support/localhttpserver.h"

using Google::CalendarClient;

Q_DECLARE_METATYPE(LocalHttpServer::Reply)

namespace {

QStringList queryKeys(const QByteArray &target)
{
    QStringList keys;
    const QUrl url(QStringLiteral("http://h") + QString::fromLatin1(target));
    for (const auto &item : QUrlQuery(url).queryItems())
        keys.append(item.first);
    return keys;
}

} // namespace

class TestGoogleCalendarClient : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeGoogleServer> m_server;

    Google::Endpoints endpoints(int timeoutMs = 5000) const
    {
        Google::Endpoints endpoints;
        endpoints.accountsBase = endpoints.tokenBase = endpoints.apiBase = m_server->baseUrl();
        endpoints.transferTimeoutMs = timeoutMs;
        endpoints.retryBaseMs = 10;
        return endpoints;
    }

    std::unique_ptr<CalendarClient> client(int timeoutMs = 5000)
    {
        auto made = std::make_unique<CalendarClient>(endpoints(timeoutMs));
        made->setAccessToken(QStringLiteral("ya29.valid"));
        return made;
    }

    void addEvents(const QString &calendarId, int count)
    {
        for (int i = 0; i < count; ++i)
            m_server->putEvent(calendarId, QJsonObject{{QStringLiteral("summary"), QStringLiteral("E%1").arg(i)}});
    }

private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<FakeGoogleServer>();
        QVERIFY(m_server->start());
        m_server->addAccessToken(QStringLiteral("ya29.valid"));
    }

    void hostileReplyFailsWithoutLeakingTheToken_data()
    {
        QTest::addColumn<LocalHttpServer::Reply>("reply");
        QTest::addColumn<QString>("failure");
        LocalHttpServer::Reply large{200, {{"Content-Type", "application/json"}}, QByteArray(4096, ' ') + "{}"};
        large.closeWithoutLength = true;
        LocalHttpServer::Reply trickling{200, {{"Content-Type", "application/json"}}, QByteArray(200, ' ') + "{}"};
        trickling.trickleMs = 50;
        // The other server's address is filled in by the test.
        QTest::newRow("302 to another port") << LocalHttpServer::Reply::redirect(302, "elsewhere")
                                             << "Google rejected calendarList.list (HTTP 302)";
        QTest::newRow("oversize") << large << "The answer from 127.0.0.1 is larger than 2 kB.";
        QTest::newRow("trickling") << trickling << "127.0.0.1 did not finish its answer within 1 seconds.";
    }

    void hostileReplyFailsWithoutLeakingTheToken()
    {
        QFETCH(LocalHttpServer::Reply, reply);
        QFETCH(QString, failure);
        LocalHttpServer elsewhere;
        QVERIFY(elsewhere.listen());
        LocalHttpServer front;
        QVERIFY(front.listen());
        for (auto &header : reply.headers) {
            if (header.second == "elsewhere")
                header.second = elsewhere.url("/calendar/v3/users/me/calendarList").toEncoded();
        }
        front.setHandler([reply](const LocalHttpServer::Request &) { return reply; });
        Google::Endpoints hostile = endpoints();
        hostile.apiBase = front.url("/");
        hostile.replyLimits = {2048, 1000};
        CalendarClient google(hostile);
        google.setAccessToken(QStringLiteral("ya29.valid"));
        QSignalSpy failed(&google, &CalendarClient::requestFailed);
        google.listCalendars();
        QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 1, 10000);
        const QString reason = failed.at(0).at(0).toString();
        QVERIFY2(reason.contains(failure), qPrintable(reason));
        QCOMPARE(elsewhere.requests().size(), 0);
    }

    // A page that is no JSON ends the listing as a failure: read as an
    // empty last page it would hand over half a listing as a whole one.
    void unreadablePageFailsTheListing_data()
    {
        QTest::addColumn<int>("garbledPage");
        QTest::newRow("first page") << 1;
        QTest::newRow("later page") << 2;
    }

    void unreadablePageFailsTheListing()
    {
        QFETCH(int, garbledPage);
        LocalHttpServer front;
        QVERIFY(front.listen());
        front.setHandler([garbledPage](const LocalHttpServer::Request &request) {
            const int page = request.target.contains("pageToken=2") ? 2 : 1;
            if (page == garbledPage)
                return LocalHttpServer::Reply{200, {{"Content-Type", "text/html"}}, "<html>Busy</html>"};
            return LocalHttpServer::Reply{
                200, {{"Content-Type", "application/json"}},
                "{\"items\":[{\"id\":\"a\",\"summary\":\"A\"}],\"nextPageToken\":\"2\"}"};
        });
        Google::Endpoints garbling = endpoints();
        garbling.apiBase = front.url("/");
        CalendarClient google(garbling);
        google.setAccessToken(QStringLiteral("ya29.valid"));
        QSignalSpy listed(&google, &CalendarClient::eventsListed);
        QSignalSpy failed(&google, &CalendarClient::requestFailed);
        google.listEvents(QStringLiteral("cal"), QString(), QDateTime(), QDateTime());
        QTRY_COMPARE(listed.size() + failed.size(), 1);
        QCOMPARE(failed.value(0).value(0).toString(),
                 QStringLiteral("Google's answer to events.list (page %1) is not JSON.").arg(garbledPage));
        QCOMPARE(front.requests().size(), garbledPage);
    }

    // Google lists 100 calendars a page by default; every page is read.
    void calendarListFollowsEveryPage()
    {
        QList<Google::DiscoveredCalendar> expected;
        for (int i = 0; i < 230; ++i) {
            m_server->addCalendar(QJsonObject{{QStringLiteral("id"), QStringLiteral("c%1@group").arg(i)},
                                              {QStringLiteral("summary"), QStringLiteral("Cal %1").arg(i)},
                                              {QStringLiteral("backgroundColor"), QStringLiteral("#123456")},
                                              {QStringLiteral("accessRole"), QStringLiteral("owner")},
                                              {QStringLiteral("primary"), i == 0}});
            expected.append(Google::DiscoveredCalendar{QStringLiteral("c%1@group").arg(i),
                                                       QStringLiteral("Cal %1").arg(i), QString(),
                                                       QStringLiteral("#123456"), QStringLiteral("owner"), i == 0});
        }
        auto google = client();
        QSignalSpy listed(google.get(), &CalendarClient::calendarsListed);
        google->listCalendars();
        QTRY_COMPARE(listed.size(), 1);
        QCOMPARE(listed.at(0).at(0).value<QList<Google::DiscoveredCalendar>>(), expected);
        QCOMPARE(m_server->requestsTo("/calendar/v3/users/me/calendarList").size(), 3);
    }

    void listingQueries_data()
    {
        QTest::addColumn<QString>("syncToken");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("first") << QString() << QStringList{"singleEvents", "showDeleted", "maxResults"};
        QTest::newRow("incremental") << QStringLiteral("s1-0") << QStringList{"syncToken", "showDeleted", "maxResults"};
    }

    void listingQueries()
    {
        QFETCH(QString, syncToken);
        QFETCH(QStringList, keys);
        auto google = client();
        QSignalSpy listed(google.get(), &CalendarClient::eventsListed);
        google->listEvents(QStringLiteral("team@example.com"), syncToken, QDateTime(), QDateTime());
        QTRY_COMPARE(listed.size(), 1);
        const QByteArray target = m_server->requests().value(0).target;
        QVERIFY2(target.startsWith("/calendar/v3/calendars/team%40example.com/events?"), target.constData());
        QCOMPARE(queryKeys(target), keys);
        QVERIFY(target.contains("maxResults=2500"));
    }

    void threePagesMakeOneListing()
    {
        m_server->pageSize = 4;
        addEvents(QStringLiteral("cal"), 10);
        auto google = client();
        QSignalSpy listed(google.get(), &CalendarClient::eventsListed);
        google->listEvents(QStringLiteral("cal"), QString(), QDateTime(), QDateTime());
        QTRY_COMPARE(listed.size(), 1);
        const auto page = listed.at(0).at(1).value<CalendarClient::EventListPage>();
        QCOMPARE(page.items, m_server->events(QStringLiteral("cal")));
        QCOMPARE(page.nextSyncToken, QStringLiteral("s1-10"));
        QCOMPARE(m_server->requests().size(), 3);
    }

    void failureOnALaterPageDropsTheListing_data()
    {
        QTest::addColumn<int>("status");
        QTest::newRow("410") << 410;
        QTest::newRow("503") << 503;
    }

    void failureOnALaterPageDropsTheListing()
    {
        QFETCH(int, status);
        m_server->pageSize = 2;
        addEvents(QStringLiteral("cal"), 5);
        // A 503 is asked again; one that lasts ends the listing.
        m_server->failNext({"GET", "pageToken=", status, false, status == 410 ? 1 : -1});
        auto google = client();
        QSignalSpy listed(google.get(), &CalendarClient::eventsListed);
        QSignalSpy expired(google.get(), &CalendarClient::syncTokenExpired);
        QSignalSpy failed(google.get(), &CalendarClient::requestFailed);
        google->listEvents(QStringLiteral("cal"), QString(), QDateTime(), QDateTime());
        QTRY_COMPARE(expired.size() + failed.size(), 1);
        QCOMPARE(listed.size(), 0);
        QCOMPARE(expired.size(), status == 410 ? 1 : 0);
        if (status != 410)
            QVERIFY(failed.at(0).at(0).toString().startsWith(QStringLiteral("Google rejected events.list (HTTP 503): ")));
    }

    // A server that never answers fails the request in words.
    void hungServerFailsWithinTheTimeLimit()
    {
        m_server->failNext({"GET", "", 200, true, -1});
        auto google = client(300);
        QSignalSpy failed(google.get(), &CalendarClient::requestFailed);
        google->listEvents(QStringLiteral("cal"), QString(), QDateTime(), QDateTime());
        QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 1, 20000);
        QCOMPARE(failed.at(0).at(0).toString(),
                 QStringLiteral("Google rejected events.list (HTTP 0): Google did not answer within 1 second(s)."));
    }

    void writesCarryTheirLocalIdAndEtag()
    {
        auto google = client();
        QSignalSpy written(google.get(), &CalendarClient::eventWritten);
        QSignalSpy deleted(google.get(), &CalendarClient::eventDeleted);
        QSignalSpy failed(google.get(), &CalendarClient::eventWriteFailed);
        google->insertEvent(QStringLiteral("local-1"), QStringLiteral("cal"),
                            QJsonObject{{QStringLiteral("summary"), QStringLiteral("New")}});
        QTRY_COMPARE(written.size(), 1);
        const QString id = written.at(0).at(1).toString();
        const QString etag = written.at(0).at(2).toString();
        QCOMPARE(written.at(0).at(0).toString(), QStringLiteral("local-1"));
        QCOMPARE(written.at(0).at(3).value<QJsonObject>(), m_server->event(QStringLiteral("cal"), id).value());
        QCOMPARE(m_server->requests().last().header("content-type"), QByteArray("application/json"));

        // A stale etag is refused with its status.
        google->updateEvent(QStringLiteral("local-1"), QStringLiteral("cal"), id,
                            QJsonObject{{QStringLiteral("summary"), QStringLiteral("Edited")}}, QStringLiteral("\"0\""));
        QTRY_COMPARE(failed.size(), 1);
        QCOMPARE(failed.at(0).at(2).toInt(), 412);
        google->updateEvent(QStringLiteral("local-1"), QStringLiteral("cal"), id,
                            QJsonObject{{QStringLiteral("summary"), QStringLiteral("Edited")}}, etag);
        QTRY_COMPARE(written.size(), 2);
        QCOMPARE(m_server->requests().last().header("if-match"), etag.toUtf8());

        // Gone already (deleted, then 410; unknown, 404): deleted all the same.
        google->deleteEvent(QStringLiteral("local-1"), QStringLiteral("cal"), id, QString());
        google->deleteEvent(QStringLiteral("local-2"), QStringLiteral("cal"), QStringLiteral("nope"), QString());
        QTRY_COMPARE(deleted.size(), 2);
        google->deleteEvent(QStringLiteral("local-1"), QStringLiteral("cal"), id, QString());
        QTRY_COMPARE(deleted.size(), 3);
        QVERIFY(!m_server->requests().last().headers.contains("accept"));
    }

    void noTokenFailsAtOnce()
    {
        CalendarClient google(endpoints());
        QSignalSpy failed(&google, &CalendarClient::eventWriteFailed);
        QSignalSpy requestFailed(&google, &CalendarClient::requestFailed);
        google.insertEvent(QStringLiteral("l"), QStringLiteral("cal"), QJsonObject());
        QCOMPARE(failed.size(), 1);
        QCOMPARE(failed.at(0), (QVariantList{QStringLiteral("l"), QStringLiteral("No Google access token."), 0}));
        google.listCalendars();
        QCOMPARE(requestFailed.size(), 1);
        QCOMPARE(requestFailed.at(0).at(0).toString(), QStringLiteral("No Google access token available."));
        QVERIFY(m_server->requests().isEmpty());
    }
};

QTEST_MAIN(TestGoogleCalendarClient)
#include "tst_googlecalendarclient.moc"
