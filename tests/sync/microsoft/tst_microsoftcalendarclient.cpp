#include <QElapsedTimer>
#include <QJsonArray>
#include <QSignalSpy>
#include <QtTest>

#include "sync/microsoft/microsoftcalendarclient.h"
#include "tests/support/capturedlog.h"
#include "tests/support/fakemicrosoftserver.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/tokenanswers.h"

using Microsoft::CalendarClient;
using Microsoft::DiscoveredCalendar;

Q_DECLARE_METATYPE(LocalHttpServer::Reply)

namespace {

const QString Token = QStringLiteral("EwB.token");

QJsonObject timedEvent(const QString &subject, const QDateTime &start)
{
    return QJsonObject{{QStringLiteral("subject"), subject},
                       {QStringLiteral("start"), QJsonObject{{QStringLiteral("dateTime"),
                                                              start.toUTC().toString(Qt::ISODateWithMs)},
                                                             {QStringLiteral("timeZone"), QStringLiteral("UTC")}}},
                       {QStringLiteral("end"), QJsonObject{{QStringLiteral("dateTime"),
                                                            start.addSecs(3600).toUTC().toString(Qt::ISODateWithMs)},
                                                           {QStringLiteral("timeZone"), QStringLiteral("UTC")}}}};
}

QStringList subjects(const QList<QJsonObject> &events)
{
    QStringList result;
    for (const QJsonObject &event : events)
        result.append(event.value(QStringLiteral("subject")).toString());
    return result;
}

} // namespace

class TestMicrosoftCalendarClient : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeMicrosoftServer> m_server;
    std::unique_ptr<CalendarClient> m_client;
    QDateTime m_now = QDateTime::currentDateTimeUtc();

    Microsoft::Endpoints endpoints(int timeoutMs = 3000) const
    {
        Microsoft::Endpoints endpoints;
        endpoints.authority = m_server->baseUrl();
        endpoints.graphRoot = m_server->graphRoot();
        endpoints.clientId = m_server->clientId;
        endpoints.transferTimeoutMs = timeoutMs;
        return endpoints;
    }

    void makeClient(int timeoutMs = 3000)
    {
        m_client = std::make_unique<CalendarClient>(endpoints(timeoutMs));
        m_client->setAccessToken(Token);
    }

    CalendarClient::EventListPage list(CalendarClient::Listing listing, const QString &token = QString())
    {
        QSignalSpy listed(m_client.get(), &CalendarClient::eventsListed);
        QSignalSpy failed(m_client.get(), &CalendarClient::requestFailed);
        m_client->listEvents(listing, QStringLiteral("cal-a"), token, m_now.addDays(-1), m_now.addDays(30));
        if (!QTest::qWaitFor([&] { return listed.size() + failed.size() > 0; }, 10000) || listed.isEmpty())
            return CalendarClient::EventListPage();
        return listed.first().at(1).value<CalendarClient::EventListPage>();
    }

private Q_SLOTS:
    void hostileReplyFailsWithoutLeakingTokenOrBody_data()
    {
        QTest::addColumn<LocalHttpServer::Reply>("reply");
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("failure");
        LocalHttpServer::Reply large{200, {{"Content-Type", "application/json"}}, QByteArray(4096, ' ') + "{}"};
        large.closeWithoutLength = true;
        LocalHttpServer::Reply trickling{200, {{"Content-Type", "application/json"}}, QByteArray(200, ' ') + "{}"};
        trickling.trickleMs = 50;
        // "elsewhere" becomes the other server's address in the test.
        QTest::newRow("302 listing to another port") << LocalHttpServer::Reply::redirect(302, "elsewhere") << false
                                                     << "Microsoft rejected /me/calendars (HTTP 302)";
        QTest::newRow("307 write to another port") << LocalHttpServer::Reply::redirect(307, "elsewhere") << true
                                                   << "Microsoft rejected events.insert";
        QTest::newRow("oversize") << large << false << "The answer from 127.0.0.1 is larger than 2 kB.";
        QTest::newRow("trickling") << trickling << false << "127.0.0.1 did not finish its answer within 1 seconds.";
    }

    void hostileReplyFailsWithoutLeakingTokenOrBody()
    {
        QFETCH(LocalHttpServer::Reply, reply);
        QFETCH(bool, write);
        QFETCH(QString, failure);
        LocalHttpServer elsewhere;
        QVERIFY(elsewhere.listen());
        LocalHttpServer front;
        QVERIFY(front.listen());
        for (auto &header : reply.headers) {
            if (header.second == "elsewhere")
                header.second = elsewhere.url("/v1.0/caught").toEncoded();
        }
        front.setHandler([reply](const LocalHttpServer::Request &) { return reply; });
        Microsoft::Endpoints hostile = endpoints();
        hostile.graphRoot = front.url("/v1.0");
        hostile.replyLimits = {2048, 1000};
        CalendarClient graph(hostile);
        graph.setAccessToken(Token);
        QSignalSpy failed(&graph, &CalendarClient::requestFailed);
        QSignalSpy writeFailed(&graph, &CalendarClient::eventWriteFailed);
        if (write)
            graph.insertEvent(QStringLiteral("local-1"), QStringLiteral("cal-a"), timedEvent("Secret", m_now));
        else
            graph.listCalendars();
        QTRY_COMPARE_WITH_TIMEOUT(failed.size() + writeFailed.size(), 1, 10000);
        const QString reason = (write ? writeFailed : failed).at(0).at(write ? 1 : 0).toString();
        QVERIFY2(reason.contains(failure), qPrintable(reason));
        QCOMPARE(elsewhere.requests().size(), 0);
    }

    void init()
    {
        m_server = std::make_unique<FakeMicrosoftServer>();
        QVERIFY(m_server->start());
        m_server->addAccessToken(Token);
        m_server->addCalendar(QJsonObject{{QStringLiteral("id"), QStringLiteral("cal-a")},
                                          {QStringLiteral("name"), QStringLiteral("Calendar")},
                                          {QStringLiteral("isDefaultCalendar"), true}});
        makeClient();
    }

    void calendarColours_data()
    {
        QTest::addColumn<QJsonObject>("entry");
        QTest::addColumn<QString>("colour");
        QTest::newRow("hex colour wins") << QJsonObject{{QStringLiteral("hexColor"), QStringLiteral("#123456")},
                                                        {QStringLiteral("color"), QStringLiteral("lightTeal")}}
                                         << QStringLiteral("#123456");
        QTest::newRow("named") << QJsonObject{{QStringLiteral("hexColor"), QString()},
                                              {QStringLiteral("color"), QStringLiteral("lightTeal")}}
                               << QStringLiteral("#1FAA8E");
        QTest::newRow("unreadable hex colour") << QJsonObject{{QStringLiteral("hexColor"), QStringLiteral("#12345G")},
                                                              {QStringLiteral("color"), QStringLiteral("lightTeal")}}
                                               << QStringLiteral("#1FAA8E");
        QTest::newRow("unknown name") << QJsonObject{{QStringLiteral("color"), QStringLiteral("LightTeal")}}
                                      << QStringLiteral("#0078D4");
        QTest::newRow("none") << QJsonObject() << QStringLiteral("#0078D4");
    }

    void calendarColours()
    {
        QFETCH(QJsonObject, entry);
        QFETCH(QString, colour);
        QCOMPARE(CalendarClient::parseCalendar(entry).color, colour);
    }

    void calendarListFollowsEveryPage()
    {
        for (int i = 1; i <= 24; ++i)
            m_server->addCalendar(QJsonObject{{QStringLiteral("id"), QStringLiteral("cal-%1").arg(i)},
                                              {QStringLiteral("name"), QStringLiteral("Calendar %1").arg(i)},
                                              {QStringLiteral("canEdit"), i % 2 == 0}});
        QSignalSpy listed(m_client.get(), &CalendarClient::calendarsListed);
        m_client->listCalendars();
        QVERIFY(listed.wait(20000));
        const auto calendars = listed.first().at(0).value<QList<DiscoveredCalendar>>();
        QCOMPARE(calendars.size(), 25);
        QCOMPARE(calendars.first(), (DiscoveredCalendar{QStringLiteral("cal-a"), QStringLiteral("Calendar"),
                                                        QStringLiteral("#0078D4"), false, true}));
        QCOMPARE(calendars.last(), (DiscoveredCalendar{QStringLiteral("cal-24"), QStringLiteral("Calendar 24"),
                                                       QStringLiteral("#0078D4"), true, false}));
        QCOMPARE(m_server->requestsTo("/v1.0/me/calendars").size(), 3);
    }

    void windowListingReadsEveryPageInUtc()
    {
        m_server->pageSize = 2;
        for (int i = 0; i < 5; ++i)
            m_server->putEvent(QStringLiteral("cal-a"), timedEvent(QStringLiteral("E%1").arg(i), m_now.addDays(i)));
        m_server->putEvent(QStringLiteral("cal-a"), timedEvent(QStringLiteral("Too late"), m_now.addDays(60)));
        const CalendarClient::EventListPage page = list(CalendarClient::Listing::Window);
        QCOMPARE(subjects(page.events), (QStringList{"E0", "E1", "E2", "E3", "E4"}));
        QCOMPARE(page.deltaToken, QString());
        const auto requests = m_server->requestsTo("/v1.0/me/calendars/cal-a/calendarView");
        QCOMPARE(requests.size(), 3);
        for (const auto &request : requests)
            QCOMPARE(request.header("prefer"), QByteArray("outlook.timezone=\"UTC\""));
        QVERIFY(requests.first().target.contains("startDateTime="));
    }

    void deltaReadsEmptyAndRepeatedPagesToItsToken()
    {
        m_server->pageSize = 2;
        m_server->emptyFirstDeltaPage = true;
        m_server->repeatDeltaItems = true;
        for (int i = 0; i < 3; ++i)
            m_server->putEvent(QStringLiteral("cal-a"), timedEvent(QStringLiteral("E%1").arg(i), m_now.addDays(i)));
        CalendarClient::EventListPage page = list(CalendarClient::Listing::DefaultCalendarDelta);
        QCOMPARE(subjects(page.events), (QStringList{"E0", "E1", "E1", "E2"}));
        QVERIFY(!page.deltaToken.isEmpty());

        // The next round brings what changed, removals included.
        const QString removed = m_server->events(QStringLiteral("cal-a")).first().value(QStringLiteral("id")).toString();
        m_server->removeEvent(removed);
        m_server->emptyFirstDeltaPage = m_server->repeatDeltaItems = false;
        page = list(CalendarClient::Listing::DefaultCalendarDelta, page.deltaToken);
        QCOMPARE(page.events.size(), 1);
        QCOMPARE(page.events.first().value(QStringLiteral("id")).toString(), removed);
        QVERIFY(page.events.first().contains(QStringLiteral("@removed")));
        QVERIFY(m_server->requestsTo("/v1.0/me/calendarView/delta").last().target.contains("%24deltatoken=")
                || m_server->requestsTo("/v1.0/me/calendarView/delta").last().target.contains("$deltatoken="));
    }

    // A round that ends without its delta link still hands over what it
    // read, with no token to store.
    void deltaRoundWithoutItsLinkGivesNoToken()
    {
        m_server->pageSize = 2;
        m_server->omitDeltaLink = true;
        for (int i = 0; i < 3; ++i)
            m_server->putEvent(QStringLiteral("cal-a"), timedEvent(QStringLiteral("E%1").arg(i), m_now.addDays(i)));
        const CalendarClient::EventListPage page = list(CalendarClient::Listing::DefaultCalendarDelta);
        QCOMPARE(subjects(page.events), (QStringList{"E0", "E1", "E2"}));
        QCOMPARE(page.deltaToken, QString());
        QCOMPARE(m_server->requestsTo("/v1.0/me/calendarView/delta").size(), 2);
    }

    void expiredDeltaTokenReportsOnlyTheExpiry()
    {
        m_server->putEvent(QStringLiteral("cal-a"), timedEvent(QStringLiteral("E"), m_now));
        const QString token = list(CalendarClient::Listing::DefaultCalendarDelta).deltaToken;
        m_server->expireDeltaTokens();
        QSignalSpy expired(m_client.get(), &CalendarClient::deltaTokenExpired);
        QSignalSpy listed(m_client.get(), &CalendarClient::eventsListed);
        QSignalSpy failed(m_client.get(), &CalendarClient::requestFailed);
        m_client->listEvents(CalendarClient::Listing::DefaultCalendarDelta, QStringLiteral("cal-a"), token,
                             QDateTime(), QDateTime());
        QVERIFY(expired.wait(20000));
        QTest::qWait(50);
        QCOMPARE(listed.size() + failed.size(), 0);
    }

    // Never asked again before Retry-After is over, measured where Graph
    // would count it: from one arrival to the next. Two seconds or more is
    // where a timer may be coarse, and fire early.
    void throttledRequestsAreAskedAgainAfterRetryAfter()
    {
        m_server->putEvent(QStringLiteral("cal-a"), timedEvent(QStringLiteral("E"), m_now));
        m_server->failNext({"GET", "calendarView", 429, false, 3, 2});
        QElapsedTimer timer;
        timer.start();
        QList<qint64> arrivals;
        m_server->onRequest = [&](const LocalHttpServer::Request &request) {
            if (request.target.contains("calendarView"))
                arrivals.append(timer.elapsed());
        };
        const CalendarClient::EventListPage page = list(CalendarClient::Listing::Window);
        m_server->onRequest = nullptr;
        QCOMPARE(subjects(page.events), QStringList{"E"});
        QCOMPARE(arrivals.size(), 4);
        for (int i = 1; i < arrivals.size(); ++i)
            QVERIFY2(arrivals.at(i) - arrivals.at(i - 1) >= 2000,
                     qPrintable(QStringLiteral("asked again after %1 ms").arg(arrivals.at(i) - arrivals.at(i - 1))));
    }

    // A page that is no JSON fails the listing: read as an empty last page
    // it would end a window listing half read, and the pull would take
    // every event it did not reach as deleted.
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
        const QByteArray next = front.url("/v1.0/me/calendars/cal-a/calendarView?page=2").toEncoded();
        front.setHandler([garbledPage, next](const LocalHttpServer::Request &request) {
            const int page = request.target.contains("page=2") ? 2 : 1;
            if (page == garbledPage)
                return LocalHttpServer::Reply{200, {{"Content-Type", "text/html"}}, "<html>Busy</html>"};
            return LocalHttpServer::Reply{200,
                                          {{"Content-Type", "application/json"}},
                                          "{\"value\":[{\"id\":\"a\",\"subject\":\"A\"}],"
                                          "\"@odata.nextLink\":\""
                                              + next + "\"}"};
        });
        Microsoft::Endpoints garbling = endpoints();
        garbling.graphRoot = front.url("/v1.0");
        CalendarClient graph(garbling);
        graph.setAccessToken(Token);
        QSignalSpy listed(&graph, &CalendarClient::eventsListed);
        QSignalSpy failed(&graph, &CalendarClient::requestFailed);
        graph.listEvents(CalendarClient::Listing::Window, QStringLiteral("cal-a"), QString(), m_now,
                         m_now.addDays(30));
        QTRY_COMPARE(listed.size() + failed.size(), 1);
        QCOMPARE(failed.value(0).value(0).toString(),
                 QStringLiteral("Microsoft's answer to the events list (page %1) is not JSON.").arg(garbledPage));
        QCOMPARE(front.requests().size(), garbledPage);
    }

    void throttlingWithoutEndFails()
    {
        m_server->failNext({"GET", "calendarView", 429, false, -1, 0});
        QSignalSpy failed(m_client.get(), &CalendarClient::requestFailed);
        m_client->listEvents(CalendarClient::Listing::Window, QStringLiteral("cal-a"), QString(), m_now,
                             m_now.addDays(1));
        QVERIFY(failed.wait(20000));
        QVERIFY(failed.first().at(0).toString().startsWith(QStringLiteral("Microsoft rejected events list (HTTP 429)")));
        QCOMPARE(m_server->requestsTo("/v1.0/me/calendars/cal-a/calendarView").size(), 4);
    }

    void aHungServerFailsWithinTheTimeLimit()
    {
        makeClient(300);
        m_server->failNext({"GET", "/me/calendars", 200, true, 1, -1});
        QSignalSpy failed(m_client.get(), &CalendarClient::requestFailed);
        m_client->listCalendars();
        QVERIFY(failed.wait(20000));
        QVERIFY(failed.first().at(0).toString().contains(QStringLiteral("did not answer")));
    }

    void writesCarryTheChangeKey()
    {
        const QJsonObject stored = m_server->putEvent(QStringLiteral("cal-a"), timedEvent(QStringLiteral("E"), m_now));
        const QString id = stored.value(QStringLiteral("id")).toString();
        QSignalSpy written(m_client.get(), &CalendarClient::eventWritten);
        QSignalSpy writeFailed(m_client.get(), &CalendarClient::eventWriteFailed);
        m_client->updateEvent(QStringLiteral("l1"), QStringLiteral("cal-a"), id,
                              QJsonObject{{QStringLiteral("subject"), QStringLiteral("Stale")}}, QStringLiteral("ck0"));
        QVERIFY(writeFailed.wait(20000));
        QCOMPARE(writeFailed.first().at(2).toInt(), 412);
        m_client->updateEvent(QStringLiteral("l1"), QStringLiteral("cal-a"), id,
                              QJsonObject{{QStringLiteral("subject"), QStringLiteral("Fresh")}}, QString());
        QVERIFY(written.wait(20000));
        QVERIFY(m_server->requestsTo("/v1.0/me/calendars/cal-a/events/", "PATCH").last().header("if-match").isEmpty());
        QCOMPARE(written.first().at(2).toString(), m_server->event(id)->value(QStringLiteral("changeKey")).toString());

        QSignalSpy deleted(m_client.get(), &CalendarClient::eventDeleted);
        m_client->deleteEvent(QStringLiteral("l2"), QStringLiteral("cal-a"), QStringLiteral("gone"), QString());
        QVERIFY(deleted.wait(20000));
        QCOMPARE(deleted.first().at(0).toString(), QStringLiteral("l2"));
    }

    // A refused request reads in Graph's words, not as its JSON answer:
    // the reason reaches the status bar as it is.
    void refusalsReadInGraphsWords_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("reason");
        const QString words = QStringLiteral("Access token validation failure.");
        QTest::newRow("default calendar") << "calendar" << "Microsoft rejected /me/calendar (HTTP 401): " + words;
        QTest::newRow("calendar list") << "calendars" << "Microsoft rejected /me/calendars (HTTP 401): " + words;
        QTest::newRow("events list") << "events" << "Microsoft rejected events list (HTTP 401): " + words;
        QTest::newRow("insert") << "insert" << "Microsoft rejected events.insert: " + words;
        // Words quoting the token beside 100,000 characters more: the
        // words without the token, the answer's log line cut short.
        QTest::newRow("insert refused at length")
            << "insert at length" << "Microsoft rejected events.insert: Token *** may not write here.";
    }

    void refusalsReadInGraphsWords()
    {
        QFETCH(QString, request);
        QFETCH(QString, reason);
        m_client->setAccessToken(QStringLiteral("EwB.unknown"));
        const CapturedLog log;
        if (request == QLatin1String("insert at length"))
            m_server->failNext({"POST", "/events", 403, false, 1, -1, false, QString(), false,
                                [](const LocalHttpServer::Request &sent) {
                                    return "{\"error\":{\"code\":\"ErrorAccessDenied\",\"message\":\"Token "
                                           + sent.header("authorization").mid(7) + " may not write here.\","
                                           + "\"innerError\":{\"details\":\"" + QByteArray(100000, 'x') + "\"}}}";
                                }});
        QSignalSpy failed(m_client.get(), &CalendarClient::requestFailed);
        QSignalSpy writeFailed(m_client.get(), &CalendarClient::eventWriteFailed);
        if (request == QLatin1String("calendar"))
            m_client->findDefaultCalendar();
        if (request == QLatin1String("calendars"))
            m_client->listCalendars();
        if (request == QLatin1String("events"))
            list(CalendarClient::Listing::Window);
        if (request.startsWith(QLatin1String("insert")))
            m_client->insertEvent(QStringLiteral("l1"), QStringLiteral("cal-a"), timedEvent("E", m_now));
        QTRY_COMPARE_WITH_TIMEOUT(failed.size() + writeFailed.size(), 1, 10000);
        QCOMPARE(failed.isEmpty() ? writeFailed.first().at(1).toString() : failed.first().at(0).toString(), reason);
        const QStringList faults = TokenAnswers::faults({}, log.messages(), {QStringLiteral("EwB.unknown")});
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void withoutATokenNothingIsSent()
    {
        m_client->setAccessToken(QString());
        QSignalSpy failed(m_client.get(), &CalendarClient::requestFailed);
        QSignalSpy writeFailed(m_client.get(), &CalendarClient::eventWriteFailed);
        m_client->listCalendars();
        m_client->insertEvent(QStringLiteral("l1"), QStringLiteral("cal-a"), QJsonObject());
        QCOMPARE(failed.size(), 1);
        QCOMPARE(writeFailed.first(), (QList<QVariant>{QStringLiteral("l1"), QStringLiteral("No Microsoft access token."), 0}));
        QCOMPARE(m_server->requests().size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestMicrosoftCalendarClient)
#include "tst_microsoftcalendarclient.moc"
