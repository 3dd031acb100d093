#include "services/geocodingclient.h"

#include <QSignalSpy>
#include <QTest>
#include <QUrlQuery>

#include "tests/support/localhttpserver.h"

#include <memory>

class TestGeocodingClient : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<LocalHttpServer>();
        QVERIFY(m_server->listen());
        m_reply = LocalHttpServer::Reply();
        m_reply.body = R"({"results":[]})";
        m_server->setHandler([this](const LocalHttpServer::Request &) { return m_reply; });
    }

    void cleanup()
    {
        m_server.reset();
    }

    void blankQueryAnswersAtOnceWithoutARequest_data()
    {
        QTest::addColumn<QString>("query");
        QTest::newRow("empty") << QString();
        QTest::newRow("spaces") << QStringLiteral("   ");
        QTest::newRow("tab and newline") << QStringLiteral("\t\n");
    }

    void blankQueryAnswersAtOnceWithoutARequest()
    {
        QFETCH(QString, query);
        auto client = makeClient();
        QSignalSpy completed(client.get(), &Weather::GeocodingClient::completed);
        client->search(query, 6);
        QCOMPARE(completed.size(), 1); // before search() returned
        QVERIFY(completed.first().first().value<QList<Weather::GeocodingResult>>().isEmpty());
        QTest::qWait(50);
        QCOMPARE(m_server->requests().size(), 0);
    }

    void requestCarriesTheExactQueryItems()
    {
        auto client = makeClient();
        QSignalSpy completed(client.get(), &Weather::GeocodingClient::completed);
        // Passed exactly as given: blanks, an ampersand and non-ASCII letters.
        const QString query = QStringLiteral(" São Paulo & Co");
        client->search(query, 6);
        QVERIFY(completed.wait(20000));

        QCOMPARE(m_server->requests().size(), 1);
        const LocalHttpServer::Request request = m_server->requests().first();
        QCOMPARE(request.method, QByteArray("GET"));
        const QUrl sent(QStringLiteral("http://127.0.0.1") + QString::fromUtf8(request.target));
        QCOMPARE(sent.path(), QStringLiteral("/v1/search"));
        const QList<QPair<QString, QString>> expected{
            {QStringLiteral("name"), query},
            {QStringLiteral("count"), QStringLiteral("6")},
            {QStringLiteral("language"), QStringLiteral("en")},
            {QStringLiteral("format"), QStringLiteral("json")},
        };
        QCOMPARE(QUrlQuery(sent).queryItems(QUrl::FullyDecoded), expected);
    }

    void matchesAreLabelledInTheServiceOrder()
    {
        m_reply.body = R"({"results":[
            {"name":"Paris","admin1":"Île-de-France","country_code":"FR","latitude":48.85341,"longitude":2.3488},
            {"name":"Paris","admin1":"Texas","country_code":"US","latitude":33.66094,"longitude":-95.55551},
            {"name":"Paris","latitude":1.5},
            {"name":"Paris","admin1":"","country_code":"CA","longitude":-80.38},
            {"admin1":"Nowhere"}
        ],"generationtime_ms":0.5})";
        auto client = makeClient();
        QSignalSpy completed(client.get(), &Weather::GeocodingClient::completed);
        client->search(QStringLiteral("Paris"), 6);
        QVERIFY(completed.wait(20000));

        const auto matches = completed.first().first().value<QList<Weather::GeocodingResult>>();
        QCOMPARE(matches.size(), 5);
        QCOMPARE(matches[0].label, QStringLiteral("Paris, Île-de-France, FR"));
        QCOMPARE(matches[0].latitude, 48.85341);
        QCOMPARE(matches[0].longitude, 2.3488);
        QCOMPARE(matches[1].label, QStringLiteral("Paris, Texas, US"));
        QCOMPARE(matches[1].longitude, -95.55551);
        QCOMPARE(matches[2].label, QStringLiteral("Paris"));
        QCOMPARE(matches[2].latitude, 1.5);
        QCOMPARE(matches[2].longitude, 0.0);
        QCOMPARE(matches[3].label, QStringLiteral("Paris, CA"));
        QCOMPARE(matches[3].latitude, 0.0);
        // The name stays even when it is empty.
        QCOMPARE(matches[4].label, QStringLiteral(", Nowhere"));
    }

    void answerWithoutResultsIsEmpty_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("no results key") << QByteArray(R"({"generationtime_ms":0.2})");
        QTest::newRow("empty results") << QByteArray(R"({"results":[]})");
        QTest::newRow("not JSON") << QByteArray("oops");
    }

    void answerWithoutResultsIsEmpty()
    {
        QFETCH(QByteArray, body);
        m_reply.body = body;
        auto client = makeClient();
        QSignalSpy completed(client.get(), &Weather::GeocodingClient::completed);
        QSignalSpy failed(client.get(), &Weather::GeocodingClient::failed);
        client->search(QStringLiteral("Atlantis"), 6);
        QVERIFY(completed.wait(20000));
        QVERIFY(completed.first().first().value<QList<Weather::GeocodingResult>>().isEmpty());
        QCOMPARE(failed.size(), 0);
    }

    void oversizeOrTricklingAnswerFails_data()
    {
        QTest::addColumn<bool>("trickle");
        QTest::addColumn<QString>("reason");
        QTest::newRow("oversize") << false << "The answer from 127.0.0.1 is larger than 1 MB.";
        QTest::newRow("trickling") << true << "127.0.0.1 did not finish its answer within 1 seconds.";
    }

    void oversizeOrTricklingAnswerFails()
    {
        QFETCH(bool, trickle);
        QFETCH(QString, reason);
        m_reply.body = (trickle ? QByteArray() : QByteArray(1024 * 1024, ' ')) + R"({"results":[]})";
        m_reply.trickleMs = trickle ? 100 : 0;
        Weather::Endpoints endpoints;
        endpoints.geocodingBase = m_server->url(QStringLiteral("/"));
        endpoints.deadlineMs = 1000;
        Weather::GeocodingClient client(endpoints);
        QSignalSpy completed(&client, &Weather::GeocodingClient::completed);
        QSignalSpy failed(&client, &Weather::GeocodingClient::failed);
        client.search(QStringLiteral("Atlantis"), 6);
        QVERIFY(failed.wait(10000));
        QCOMPARE(failed.first().first().toString(), reason);
        QCOMPARE(completed.size(), 0);
    }

    void httpFailureIsReported_data()
    {
        QTest::addColumn<int>("status");
        QTest::newRow("400") << 400;
        QTest::newRow("500") << 500;
    }

    void httpFailureIsReported()
    {
        QFETCH(int, status);
        m_reply.status = status;
        m_reply.body = R"({"error":true})";
        auto client = makeClient();
        QSignalSpy completed(client.get(), &Weather::GeocodingClient::completed);
        QSignalSpy failed(client.get(), &Weather::GeocodingClient::failed);
        client->search(QStringLiteral("Paris"), 6);
        QVERIFY(failed.wait(20000));
        QCOMPARE(failed.first().first().toString(), QStringLiteral("Geocoding returned HTTP %1").arg(status));
        QCOMPARE(completed.size(), 0);
    }

    void hungSearchTimesOut()
    {
        m_reply.hang = true;
        auto client = makeClient(300);
        QSignalSpy failed(client.get(), &Weather::GeocodingClient::failed);
        client->search(QStringLiteral("Paris"), 6);
        QVERIFY(failed.wait(20000));
        QCOMPARE(failed.first().first().toString(), QStringLiteral("Geocoding did not answer in time"));
    }

private:
    std::unique_ptr<Weather::GeocodingClient> makeClient(int timeoutMs = 20000)
    {
        Weather::Endpoints endpoints;
        endpoints.forecastBase = m_server->url(QStringLiteral("/forecast"));
        endpoints.geocodingBase = m_server->url(QStringLiteral("/"));
        endpoints.transferTimeoutMs = timeoutMs;
        return std::make_unique<Weather::GeocodingClient>(endpoints);
    }

    std::unique_ptr<LocalHttpServer> m_server;
    LocalHttpServer::Reply m_reply;
};

QTEST_GUILESS_MAIN(TestGeocodingClient)
#include "tst_geocodingclient.moc"
