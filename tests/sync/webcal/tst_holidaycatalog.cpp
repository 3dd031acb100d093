#include <QSet>
#include <QTest>

#include "sync/webcal/holidaycatalog.h"
#include "sync/webcal/webcalsyncclient.h"

class TestHolidayCatalog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void regionsPartitionTheCatalogueInOrder()
    {
        QCOMPARE(HolidayCatalog::regions(), (QStringList{"Americas", "Europe", "Asia Pacific", "Middle East & Africa"}));
        QList<HolidayFeed> joined;
        for (const QString &region : HolidayCatalog::regions())
            joined += HolidayCatalog::feedsInRegion(region);
        QCOMPARE(joined, HolidayCatalog::feeds()); // table order, each row once
        QCOMPARE(joined.size(), 21);
        QCOMPARE(HolidayCatalog::feedsInRegion(QStringLiteral("Europe")).size(), 8);
        QVERIFY(HolidayCatalog::feedsInRegion(QStringLiteral("europe")).isEmpty());
    }

    void feedAddressesAreDistinctHttpsCalendars()
    {
        QSet<QString> seen;
        for (const HolidayFeed &feed : HolidayCatalog::feeds()) {
            const QUrl url = Webcal::SyncClient::normalizeUrl(feed.url);
            QVERIFY2(url.isValid() && url.scheme() == QLatin1String("https"), qPrintable(feed.url));
            QCOMPARE(url.toString(QUrl::FullyEncoded), feed.url); // fetched as written
            seen.insert(feed.url);
        }
        QCOMPARE(seen.size(), 21);
        QVERIFY(HolidayCatalog::feedUrl(QStringLiteral("south_korea")).contains(QLatin1String("/en.south_korea%23holiday%40")));
    }

    void searchMatchesNameThenRegion()
    {
        const auto names = [](const char *text) {
            QStringList out;
            for (const HolidayFeed &feed : HolidayCatalog::search(QLatin1String(text)))
                out << feed.name;
            return out;
        };
        QCOMPARE(names("AfRiCa"), (QStringList{"Israel", "South Africa"}));
        QCOMPARE(names("ind"), QStringList{"India"});
        QCOMPARE(HolidayCatalog::search(QString()), HolidayCatalog::feeds());
    }
};

QTEST_GUILESS_MAIN(TestHolidayCatalog)
#include "tst_holidaycatalog.moc"
