#include "services/weatherservice.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>
#include <QUrlQuery>

#include "store/preferencesrepository.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/teststore.h"

#include <memory>

namespace {

const QDateTime kStart(QDate(2026, 3, 2), QTime(8, 0), Qt::UTC);

QByteArray forecastBody(const QStringList &dates, const QList<double> &maxima, const QList<double> &minima,
                        const QList<int> &codes)
{
    QJsonArray time;
    for (const QString &date : dates)
        time.append(date);
    QJsonArray max;
    for (double value : maxima)
        max.append(value);
    QJsonArray min;
    for (double value : minima)
        min.append(value);
    QJsonArray code;
    for (int value : codes)
        code.append(value);
    const QJsonObject daily{{QStringLiteral("time"), time},
                            {QStringLiteral("temperature_2m_max"), max},
                            {QStringLiteral("temperature_2m_min"), min},
                            {QStringLiteral("weather_code"), code}};
    return QJsonDocument(QJsonObject{{QStringLiteral("latitude"), 51.5}, {QStringLiteral("daily"), daily}})
        .toJson(QJsonDocument::Compact);
}

QByteArray twoDays()
{
    return forecastBody({QStringLiteral("2026-03-02"), QStringLiteral("2026-03-03")}, {12.5, 9.0}, {4.0, 1.5},
                        {0, 61});
}

LocalHttpServer::Reply json(const QByteArray &body, int status = 200)
{
    LocalHttpServer::Reply reply;
    reply.status = status;
    reply.headers.append({QByteArray("Content-Type"), QByteArray("application/json")});
    reply.body = body;
    return reply;
}

} // namespace

class TestWeatherService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<TestStore>();
        QVERIFY(m_store->isOpen());
        m_preferences = std::make_unique<PreferencesRepository>(m_store->db());
        m_server = std::make_unique<LocalHttpServer>();
        QVERIFY(m_server->listen());
        m_reply = json(twoDays());
        m_server->setHandler([this](const LocalHttpServer::Request &) { return m_reply; });
        m_now = kStart;
    }

    void cleanup()
    {
        m_server.reset();
        m_preferences.reset();
        m_store.reset();
    }

    void requestCarriesTheExactPathAndQuery_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("lat");
        QTest::addColumn<QString>("lng");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expectedLat");
        QTest::addColumn<QString>("expectedLng");

        QTest::newRow("six significant digits") << "/" << "51.507351" << "-0.127758" << "/v1/forecast"
                                                << "51.5074" << "-0.127758";
        QTest::newRow("whole degrees") << "/" << "48" << "2.35" << "/v1/forecast" << "48" << "2.35";
        QTest::newRow("unreadable longitude is 0") << "/" << "35.6895" << "east" << "/v1/forecast" << "35.6895"
                                                   << "0";
        QTest::newRow("base with a path") << "/mirror/" << "-33.8688" << "151.2093" << "/mirror/v1/forecast"
                                          << "-33.8688" << "151.209";
    }

    void requestCarriesTheExactPathAndQuery()
    {
        QFETCH(QString, base);
        QFETCH(QString, lat);
        QFETCH(QString, lng);
        QFETCH(QString, path);
        QFETCH(QString, expectedLat);
        QFETCH(QString, expectedLng);

        enable(lat, lng);
        Weather::Endpoints endpoints;
        endpoints.forecastBase = m_server->url(base);
        Weather::Service service(m_preferences.get(), endpoints);
        QVERIFY(fetchOnce(service));

        QCOMPARE(m_server->requests().size(), 1);
        const LocalHttpServer::Request request = m_server->requests().first();
        QCOMPARE(request.method, QByteArray("GET"));
        const QUrl sent(QStringLiteral("http://127.0.0.1") + QString::fromUtf8(request.target));
        QCOMPARE(sent.path(), path);
        const QList<QPair<QString, QString>> expected{
            {QStringLiteral("latitude"), expectedLat},
            {QStringLiteral("longitude"), expectedLng},
            {QStringLiteral("daily"), QStringLiteral("temperature_2m_max,temperature_2m_min,weather_code")},
            {QStringLiteral("timezone"), QStringLiteral("auto")},
            {QStringLiteral("forecast_days"), QStringLiteral("14")},
        };
        QCOMPARE(QUrlQuery(sent).queryItems(QUrl::FullyDecoded), expected);
        // Unauthenticated: nothing of the program's own is sent.
        QVERIFY(request.header("authorization").isEmpty());
    }

    void disabledServiceFetchesNothing_data()
    {
        QTest::addColumn<bool>("switchedOn");
        QTest::addColumn<bool>("latitudeStored");
        QTest::addColumn<bool>("enabled");

        QTest::newRow("off with a place") << false << true << false;
        QTest::newRow("on without a latitude") << true << false << false;
        QTest::newRow("on with a latitude") << true << true << true;
    }

    void disabledServiceFetchesNothing()
    {
        QFETCH(bool, switchedOn);
        QFETCH(bool, latitudeStored);
        QFETCH(bool, enabled);

        QVERIFY(m_preferences->setBool(QStringLiteral("weather/enabled"), switchedOn));
        if (latitudeStored)
            QVERIFY(m_preferences->set(QStringLiteral("weather/location_lat"), QString("")));
        auto service = makeService();
        QCOMPARE(service->isEnabled(), enabled);
        QSignalSpy refreshed(service.get(), &Weather::Service::forecastRefreshed);
        QVERIFY(!service->forecastFor(QDate(2026, 3, 2)).has_value());
        QCOMPARE(service->isFetching(), enabled);
        if (enabled) {
            QVERIFY(refreshed.wait(20000));
            QCOMPARE(m_server->requests().size(), 1);
        } else {
            QTest::qWait(50);
            QCOMPARE(m_server->requests().size(), 0);
        }
    }

    void hostsComeFromTheEnvironment()
    {
        qputenv("WEATHER_FORECAST_URL", m_server->url(QStringLiteral("/forecast-host")).toString().toUtf8());
        qputenv("WEATHER_GEOCODING_URL", "");
        const Weather::Endpoints endpoints = Weather::Endpoints::fromEnvironment();
        qunsetenv("WEATHER_FORECAST_URL");
        qunsetenv("WEATHER_GEOCODING_URL");
        QCOMPARE(endpoints.forecastBase, m_server->url(QStringLiteral("/forecast-host")));
        // An empty variable counts as unset.
        QCOMPARE(endpoints.geocodingBase.host(), QStringLiteral("geocoding-api.open-meteo.com"));
        QCOMPARE(endpoints.geocodingBase.scheme(), QStringLiteral("https"));

        enable();
        Weather::Service service(m_preferences.get(), endpoints);
        QVERIFY(fetchOnce(service));
        QCOMPARE(m_server->requests().size(), 1);
        QVERIFY(m_server->requests().first().target.startsWith("/forecast-host/v1/forecast?"));
    }

    void daysAreReadFromTheReply()
    {
        enable();
        // Three dates, one unreadable; the code array stops after the first day.
        m_reply = json(forecastBody({QStringLiteral("2026-03-02"), QStringLiteral("03/03/2026"),
                                     QStringLiteral("2026-03-04")},
                                    {12.5, 9.0, 7.25}, {4.0, 1.5}, {95}));
        auto service = makeService();
        QSignalSpy refreshed(service.get(), &Weather::Service::forecastRefreshed);
        QVERIFY(fetchOnce(*service));
        QCOMPARE(refreshed.size(), 1);
        const QList<QDate> dates = refreshed.first().first().value<QList<QDate>>();
        QCOMPARE(dates, (QList<QDate>{QDate(2026, 3, 2), QDate(2026, 3, 4)}));

        const auto first = service->forecastFor(QDate(2026, 3, 2));
        QVERIFY(first.has_value());
        QCOMPARE(first->maxTemperature, 12.5);
        QCOMPARE(first->minTemperature, 4.0);
        QCOMPARE(first->weatherCode, 95);
        const auto third = service->forecastFor(QDate(2026, 3, 4));
        QVERIFY(third.has_value());
        QCOMPARE(third->maxTemperature, 7.25);
        QCOMPARE(third->minTemperature, 0.0); // minimum array too short
        QCOMPARE(third->weatherCode, 0);      // code array too short: sun
        QVERIFY(!service->forecastFor(QDate(2026, 3, 3)).has_value());
        QCOMPARE(service->lastFetch(), kStart);
    }

    void cacheIsFreshForAnHour_data()
    {
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<int>("requests");

        QTest::newRow("3600 s is fresh") << 3600 << 1;
        QTest::newRow("3601 s is stale") << 3601 << 2;
    }

    void cacheIsFreshForAnHour()
    {
        QFETCH(int, ageSeconds);
        QFETCH(int, requests);

        enable();
        auto service = makeService();
        QVERIFY(fetchOnce(*service));
        m_now = kStart.addSecs(ageSeconds);
        QSignalSpy refreshed(service.get(), &Weather::Service::forecastRefreshed);
        const auto day = service->forecastFor(QDate(2026, 3, 3));
        QVERIFY(day.has_value()); // answered from the cache either way
        QCOMPARE(day->weatherCode, 61);
        if (requests > 1)
            QVERIFY(refreshed.wait(20000));
        else
            QTest::qWait(50);
        QCOMPARE(m_server->requests().size(), requests);
    }

    void callsDuringAFetchSendOneRequest()
    {
        enable();
        auto service = makeService();
        QVERIFY(fetchOnce(*service));
        m_now = kStart.addSecs(7200);
        m_reply = json(forecastBody({QStringLiteral("2026-03-02")}, {20.0}, {10.0}, {3}));

        QSignalSpy refreshed(service.get(), &Weather::Service::forecastRefreshed);
        for (int i = 0; i < 3; ++i) {
            const auto day = service->forecastFor(QDate(2026, 3, 2));
            QVERIFY(day.has_value());
            QCOMPARE(day->maxTemperature, 12.5); // the stale day meanwhile
        }
        QVERIFY(refreshed.wait(20000));
        QCOMPARE(m_server->requests().size(), 2);
        QCOMPARE(service->forecastFor(QDate(2026, 3, 2))->maxTemperature, 20.0);
        QVERIFY(!service->forecastFor(QDate(2026, 3, 3)).has_value()); // replaced whole
    }

    void clearCacheFetchesAgain()
    {
        enable();
        auto service = makeService();
        QVERIFY(fetchOnce(*service));
        QSignalSpy refreshed(service.get(), &Weather::Service::forecastRefreshed);
        service->clearCache();
        QVERIFY(!service->lastFetch().isValid());
        QVERIFY(service->cachedDays().isEmpty());
        QCOMPARE(refreshed.size(), 0); // clearing emits nothing
        QVERIFY(!service->forecastFor(QDate(2026, 3, 2)).has_value());
        QVERIFY(refreshed.wait(20000));
        QCOMPARE(m_server->requests().size(), 2);
    }

    void failedFetchKeepsTheCache_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("reason");
        const QString unreadable = QStringLiteral("Open-Meteo sent a forecast that could not be read");
        const QByteArray busy = R"({"error":true,"reason":"busy"})";
        QTest::newRow("server error") << 500 << busy << "Open-Meteo returned HTTP 500";
        QTest::newRow("not found") << 404 << busy << "Open-Meteo returned HTTP 404";
        QTest::newRow("not JSON") << 200 << QByteArray("<html>rate limited</html>") << unreadable;
        QTest::newRow("cut short") << 200 << twoDays().left(40) << unreadable;
        QTest::newRow("an array") << 200 << QByteArray("[1,2,3]") << unreadable;
        QTest::newRow("no daily") << 200 << QByteArray(R"({"latitude":51.5})") << unreadable;
        QTest::newRow("daily not an object") << 200 << QByteArray(R"({"daily":3})") << unreadable;
        QTest::newRow("time not an array") << 200 << QByteArray(R"({"daily":{"time":"2026-03-02"}})") << unreadable;
        QTest::newRow("empty body") << 200 << QByteArray() << unreadable;
    }

    void failedFetchKeepsTheCache()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, reason);

        enable();
        auto service = makeService();
        QVERIFY(fetchOnce(*service));
        m_now = kStart.addSecs(4000);
        m_reply = json(body, status);

        QSignalSpy failed(service.get(), &Weather::Service::forecastFailed);
        QSignalSpy refreshed(service.get(), &Weather::Service::forecastRefreshed);
        QVERIFY(service->forecastFor(QDate(2026, 3, 2)).has_value()); // stale: asks again
        QVERIFY(failed.wait(20000));
        QCOMPARE(failed.first().first().toString(), reason);
        QCOMPARE(refreshed.size(), 0);
        QCOMPARE(service->cachedDays().size(), 2);
        QCOMPARE(service->cachedDays().at(1).weatherCode, 61);
        QCOMPARE(service->lastFetch(), kStart);
        QVERIFY(!service->isFetching());

        // No back-off: the next question asks again.
        m_reply = json(twoDays());
        service->forecastFor(QDate(2026, 3, 2));
        QVERIFY(refreshed.wait(20000));
        QCOMPARE(m_server->requests().size(), 3);
    }

    void unreachableHostReportsStatusZero()
    {
        enable();
        Weather::Endpoints endpoints;
        {
            LocalHttpServer gone;
            QVERIFY(gone.listen());
            endpoints.forecastBase = gone.url(QStringLiteral("/"));
        }
        Weather::Service service(m_preferences.get(), endpoints);
        QSignalSpy failed(&service, &Weather::Service::forecastFailed);
        service.refresh();
        QVERIFY(failed.wait(20000));
        QCOMPARE(failed.first().first().toString(), QStringLiteral("Open-Meteo returned HTTP 0"));
        QVERIFY(!service.isFetching());
    }

    void emptyForecastReplacesTheCache()
    {
        enable();
        auto service = makeService();
        QVERIFY(fetchOnce(*service));
        m_now = kStart.addSecs(4000);
        m_reply = json(forecastBody({}, {}, {}, {}));
        QSignalSpy refreshed(service.get(), &Weather::Service::forecastRefreshed);
        service->refresh();
        QVERIFY(refreshed.wait(20000));
        QVERIFY(refreshed.first().first().value<QList<QDate>>().isEmpty());
        QVERIFY(service->cachedDays().isEmpty());
        QCOMPARE(service->lastFetch(), m_now);
    }

    void hungReplyTimesOutAndAllowsTheNextFetch()
    {
        enable();
        m_reply.hang = true;
        auto service = makeService(300);
        QSignalSpy failed(service.get(), &Weather::Service::forecastFailed);
        service->refresh();
        QVERIFY(service->isFetching());
        QVERIFY(failed.wait(20000));
        QCOMPARE(failed.first().first().toString(), QStringLiteral("Open-Meteo did not answer in time"));
        QVERIFY(!service->isFetching());

        m_reply = json(twoDays());
        QSignalSpy refreshed(service.get(), &Weather::Service::forecastRefreshed);
        QVERIFY(!service->forecastFor(QDate(2026, 3, 2)).has_value());
        QVERIFY(refreshed.wait(20000));
        QCOMPARE(m_server->requests().size(), 2);
        QVERIFY(service->forecastFor(QDate(2026, 3, 2)).has_value());
    }

    void oversizeOrTricklingForecastFails_data()
    {
        QTest::addColumn<bool>("trickle");
        QTest::addColumn<QString>("reason");
        QTest::newRow("oversize") << false << "The answer from 127.0.0.1 is larger than 1 MB.";
        QTest::newRow("trickling") << true << "127.0.0.1 did not finish its answer within 1 seconds.";
    }

    // A forecast is a few kilobytes: a reply far larger, or one that keeps
    // trickling in, fails and keeps the days already known.
    void oversizeOrTricklingForecastFails()
    {
        QFETCH(bool, trickle);
        QFETCH(QString, reason);
        enable();
        m_reply = json(trickle ? twoDays() : QByteArray(1024 * 1024, ' ') + twoDays());
        m_reply.trickleMs = trickle ? 50 : 0;
        Weather::Endpoints endpoints;
        endpoints.forecastBase = m_server->url(QStringLiteral("/"));
        endpoints.deadlineMs = 1000;
        Weather::Service service(m_preferences.get(), endpoints);
        service.setClock([this] { return m_now; });
        QSignalSpy failed(&service, &Weather::Service::forecastFailed);
        QSignalSpy refreshed(&service, &Weather::Service::forecastRefreshed);
        service.refresh();
        QVERIFY(failed.wait(10000));
        QCOMPARE(failed.first().first().toString(), reason);
        QCOMPARE(refreshed.count(), 0);
        QVERIFY(service.cachedDays().isEmpty());
    }

    void displayTemperatureRoundsHalfAwayFromZero_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<double>("celsius");
        QTest::addColumn<int>("shown");

        QTest::newRow("F 21.4 -> 70.52") << "F" << 21.4 << 71;
        QTest::newRow("F -0.5 -> 31.1") << "F" << -0.5 << 31;
        QTest::newRow("F -20.25 -> -4.45") << "F" << -20.25 << -4;
        QTest::newRow("F -20.5 -> -4.9") << "F" << -20.5 << -5;
        QTest::newRow("C 21.5") << "C" << 21.5 << 22;
        QTest::newRow("C -2.5") << "C" << -2.5 << -3;
        QTest::newRow("lower-case f is Celsius") << "f" << 10.0 << 10;
        QTest::newRow("empty unit is Celsius") << "" << 0.4 << 0;
    }

    void displayTemperatureRoundsHalfAwayFromZero()
    {
        QFETCH(QString, unit);
        QFETCH(double, celsius);
        QFETCH(int, shown);
        QCOMPARE(Weather::Service::displayTemperature(unit, celsius), shown);
    }

    void glyphForCode_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("glyph");

        const QString sun = QStringLiteral("\u2600\uFE0F");
        const QString sunCloud = QStringLiteral("\u26C5");
        const QString fog = QString::fromUcs4(U"\U0001F32B\uFE0F");
        const QString showers = QString::fromUcs4(U"\U0001F326\uFE0F");
        const QString rain = QString::fromUcs4(U"\U0001F327\uFE0F");
        const QString snow = QString::fromUcs4(U"\U0001F328\uFE0F");
        const QString storm = QStringLiteral("\u26C8\uFE0F");
        const QString cloud = QStringLiteral("\u2601\uFE0F");

        QTest::newRow("0 sun") << 0 << sun;
        QTest::newRow("2 sun behind cloud, no selector") << 2 << sunCloud;
        QTest::newRow("4 not in the table") << 4 << cloud;
        QTest::newRow("45 fog") << 45 << fog;
        QTest::newRow("51 drizzle") << 51 << showers;
        QTest::newRow("61 rain") << 61 << rain;
        QTest::newRow("71 snow") << 71 << snow;
        QTest::newRow("80 showers") << 80 << showers;
        QTest::newRow("85 snow showers") << 85 << snow;
        QTest::newRow("95 thunder") << 95 << storm;
        QTest::newRow("-1") << -1 << cloud;
    }

    void glyphForCode()
    {
        QFETCH(int, code);
        QFETCH(QString, glyph);
        DayForecast day;
        day.weatherCode = code;
        QCOMPARE(Weather::Service::glyphForCode(day), glyph);
    }

    void dayLabelJoinsGlyphAndTemperatures()
    {
        DayForecast day;
        day.date = QDate(2026, 3, 2);
        day.maxTemperature = 21.4;
        day.minTemperature = -0.5;
        day.weatherCode = 2;
        QCOMPARE(Weather::Service::dayLabel(day, QStringLiteral("F")), QStringLiteral("\u26C5 71°/31°"));
        QCOMPARE(Weather::Service::dayLabel(day, QStringLiteral("C")), QStringLiteral("\u26C5 21°/-1°"));
    }

private:
    std::unique_ptr<Weather::Service> makeService(int timeoutMs = 20000)
    {
        Weather::Endpoints endpoints;
        endpoints.forecastBase = m_server->url(QStringLiteral("/"));
        endpoints.geocodingBase = m_server->url(QStringLiteral("/"));
        endpoints.transferTimeoutMs = timeoutMs;
        auto service = std::make_unique<Weather::Service>(m_preferences.get(), endpoints);
        service->setClock([this] { return m_now; });
        return service;
    }

    void enable(const QString &lat = QStringLiteral("51.507351"),
                const QString &lng = QStringLiteral("-0.127758"))
    {
        QVERIFY(m_preferences->setBool(QStringLiteral("weather/enabled"), true));
        QVERIFY(m_preferences->set(QStringLiteral("weather/location_lat"), lat));
        QVERIFY(m_preferences->set(QStringLiteral("weather/location_lng"), lng));
    }

    bool fetchOnce(Weather::Service &service)
    {
        QSignalSpy refreshed(&service, &Weather::Service::forecastRefreshed);
        service.refresh();
        return refreshed.wait(20000);
    }

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<PreferencesRepository> m_preferences;
    std::unique_ptr<LocalHttpServer> m_server;
    LocalHttpServer::Reply m_reply;
    QDateTime m_now;
};

QTEST_GUILESS_MAIN(TestWeatherService)
#include "tst_weatherservice.moc"
