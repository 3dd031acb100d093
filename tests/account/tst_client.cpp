#include "account/client.h"

#include <QSysInfo>
#include <QTest>

class TestClient : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void platformIsNormalised_data()
    {
        QTest::addColumn<QString>("configured");
        QTest::addColumn<QString>("expected");
        QTest::newRow("given is kept as written") << "Windows" << "Windows";
        QTest::newRow("empty is the running kernel") << "" << QSysInfo::kernelType().toLower();
    }

    void platformIsNormalised()
    {
        QFETCH(QString, configured);
        QFETCH(QString, expected);
        QCOMPARE(TindAccount::Client::normalizePlatform(configured), expected);
        TindAccount::Client::Config config;
        config.platform = configured;
        TindAccount::Client client(config);
        QCOMPARE(client.config().platform, expected);
    }
};

QTEST_GUILESS_MAIN(TestClient)
#include "tst_client.moc"
