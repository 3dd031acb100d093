#include "views/common/elidedtextcache.h"

#include <QApplication>
#include <QTest>

class TestElidedTextCache : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cutsAsTheFontMetricsDo_data();
    void cutsAsTheFontMetricsDo();
    void aNewFontCutsAgain();
};

void TestElidedTextCache::cutsAsTheFontMetricsDo_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    const QString title = QStringLiteral("Quarterly planning with the whole team");
    QTest::newRow("fits") << title << 2000;
    QTest::newRow("cut") << title << 80;
    QTest::newRow("narrower than an ellipsis") << title << 3;
    QTest::newRow("no width") << title << 0;
    QTest::newRow("empty") << QString() << 80;
    QTest::newRow("one letter") << QStringLiteral("Q") << 80;
}

void TestElidedTextCache::cutsAsTheFontMetricsDo()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    const QFont font = QApplication::font();
    const QFontMetrics metrics(font);
    ElidedTextCache cache;
    cache.useFont(font);
    const QString expected = metrics.elidedText(text, Qt::ElideRight, width);
    QCOMPARE(cache.elided(metrics, text, width), expected);
    // The second time from the cache, and a neighbouring width is its own.
    QCOMPARE(cache.elided(metrics, text, width), expected);
    QCOMPARE(cache.size(), 1);
    QCOMPARE(cache.elided(metrics, text, width + 40), metrics.elidedText(text, Qt::ElideRight, width + 40));
    QCOMPARE(cache.size(), 2);
}

void TestElidedTextCache::aNewFontCutsAgain()
{
    const QString text = QStringLiteral("Quarterly planning with the whole team");
    QFont small = QApplication::font();
    small.setPixelSize(10);
    QFont large = small;
    large.setPixelSize(20);
    const QFontMetrics smallMetrics(small);
    const QFontMetrics largeMetrics(large);
    const int width = smallMetrics.horizontalAdvance(text) - 5;
    QVERIFY(smallMetrics.elidedText(text, Qt::ElideRight, width)
            != largeMetrics.elidedText(text, Qt::ElideRight, width));

    ElidedTextCache cache;
    cache.useFont(small);
    QCOMPARE(cache.elided(smallMetrics, text, width), smallMetrics.elidedText(text, Qt::ElideRight, width));
    cache.useFont(small);
    QCOMPARE(cache.size(), 1);
    cache.useFont(large);
    QCOMPARE(cache.size(), 0);
    QCOMPARE(cache.elided(largeMetrics, text, width), largeMetrics.elidedText(text, Qt::ElideRight, width));
}

QTEST_MAIN(TestElidedTextCache)
#include "tst_elidedtextcache.moc"
