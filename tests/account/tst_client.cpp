#include "account/apiclient.h"
#include "account/client.h"

#include <QSignalSpy>
#include <QSysInfo>
#include <QTest>

class TestClient : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void platformIsNormalised_data();
    void platformIsNormalised();
    void initializeWithoutSessionReportsSignedOut();
    void syncApiHasNoBaseUntilTheOwnerSetsOne();
};

void TestClient::platformIsNormalised_data()
{
    QTest::addColumn<QString>("configured");
    QTest::addColumn<QString>("expected");
    QTest::newRow("given is kept as written") << "Windows" << "Windows";
    QTest::newRow("empty is the running kernel") << "" << QSysInfo::kernelType().toLower();
}

void TestClient::platformIsNormalised()
{
    QFETCH(QString, configured);
    QFETCH(QString, expected);
    QCOMPARE(TindAccount::Client::normalizePlatform(configured), expected);
    TindAccount::Client::Config config;
    config.platform = configured;
    TindAccount::Client client(config);
    QCOMPARE(client.config().platform, expected);
}

void TestClient::initializeWithoutSessionReportsSignedOut()
{
    TindAccount::Client client(TindAccount::Client::Config{});
    QCOMPARE(client.state(), TindAccount::AuthState::Initial);
    QVERIFY(!client.isAuthenticated());

    QSignalSpy states(&client, &TindAccount::Client::authStateChanged);
    client.initialize();
    QCOMPARE(states.count(), 1);
    QCOMPARE(states.at(0).at(0).value<TindAccount::AuthState>(), TindAccount::AuthState::SignedOut);
    QCOMPARE(static_cast<int>(client.state()), 1);
    QVERIFY(!client.isAuthenticated());
}

void TestClient::syncApiHasNoBaseUntilTheOwnerSetsOne()
{
    TindAccount::Client client(TindAccount::Client::Config{});
    QVERIFY(client.syncApi());
    QVERIFY(client.syncApi()->baseUrl().isEmpty());
    client.syncApi()->setBaseUrl(QUrl(QStringLiteral("https://api.example.test/calendar/v1")));
    QCOMPARE(client.syncApi()->baseUrl().path(), QStringLiteral("/calendar/v1"));
}

QTEST_GUILESS_MAIN(TestClient)
#include "tst_client.moc"
