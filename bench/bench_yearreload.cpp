#include "tests/support/widgetfixture.h"
#include "views/year/yeargridwidget.h"
#include "views/year/yearview.h"

#include <QTest>

#include <memory>

// A year of a hundred daily series: about 36,500 occurrences read, expanded
// and filed under their days on every reload of the year page.
class BenchYearReload : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void reload();

private:
    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<YearView> m_view;
};

void BenchYearReload::initTestCase()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    for (int i = 0; i < 100; ++i) {
        const QDateTime start(QDate(2025, 12, 1), QTime(6 + i % 12, 0));
        Event event = WidgetFixture::timedEvent(QStringLiteral("Daily %1").arg(i), start, start.addSecs(1800));
        event.recurrence_rule = QStringLiteral("FREQ=DAILY");
        m_fixture->addEvent(event);
    }
    m_view = std::make_unique<YearView>(m_fixture->state());
    m_view->setDate(QDate(2026, 6, 1));
    QVERIFY(QTest::qWaitFor([this] { return !m_view->isLoading(); }, 60000));
    QCOMPARE(m_view->grid()->busyDays().size(), 365);
}

void BenchYearReload::cleanupTestCase()
{
    m_view.reset();
    m_fixture.reset();
}

void BenchYearReload::reload()
{
    // From the request to the dots painted: the read runs on the loader's
    // thread, the filing under days on this one.
    QBENCHMARK {
        m_view->reload();
        if (!QTest::qWaitFor([this] { return !m_view->isLoading(); }, 60000))
            qWarning("the year did not load");
    }
}

QTEST_MAIN(BenchYearReload)
#include "bench_yearreload.moc"
