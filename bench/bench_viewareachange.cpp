#include "app/appstate.h"
#include "store/eventrepository.h"
#include "tests/support/widgetfixture.h"
#include "views/area/viewarea.h"
#include "views/common/pagereloader.h"
#include "views/day/dayview.h"
#include "views/month/monthview.h"
#include "views/week/weekview.h"
#include "views/weekgrid/weekgridview.h"
#include "views/year/yearview.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>

#include <memory>

// The cost of one store change with the whole view area built: 5,000 events
// and 100 daily series over the year. Every page of the area and its hidden
// count listen to the change; each page reload is one range read and one
// expansion of the series. Measured with the pages out of sight reloading
// at once (as every page did before) and reloading only when shown.
class BenchViewAreaChange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void oneChange_data();
    void oneChange();

private:
    // Every load and count asked for has arrived and been applied.
    bool settled() const;
    void changeAndSettle();

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<ViewArea> m_area;
    QList<PageReloader *> m_reloaders;
    int m_reloads = 0;
};

void BenchViewAreaChange::initTestCase()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    QRandomGenerator random(5000);
    const QDate first(2026, 1, 1);
    for (int i = 0; i < 5000; ++i) {
        const QDateTime start(first.addDays(random.bounded(365)), QTime(7 + random.bounded(12), 15 * random.bounded(4)));
        m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Event %1").arg(i), start, start.addSecs(3600)));
    }
    for (int i = 0; i < 100; ++i) {
        const QDateTime start(QDate(2025, 12, 1), QTime(6 + i % 12, 0));
        Event event = WidgetFixture::timedEvent(QStringLiteral("Daily %1").arg(i), start, start.addSecs(1800));
        event.recurrence_rule = QStringLiteral("FREQ=DAILY");
        m_fixture->addEvent(event);
    }
    m_fixture->state()->setCurrentDate(QDate(2026, 3, 10));
    m_fixture->state()->setViewMode(QStringLiteral("week"));
    m_area = std::make_unique<ViewArea>(m_fixture->state());
    m_area->resize(1440, 900);
    m_area->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_area.get()));
    m_reloaders = m_area->findChildren<PageReloader *>();
    QCOMPARE(m_reloaders.size(), 6);
    for (PageReloader *reloader : std::as_const(m_reloaders))
        connect(reloader, &PageReloader::reloaded, this, [this] { ++m_reloads; });
}

bool BenchViewAreaChange::settled() const
{
    const ViewArea *a = m_area.get();
    return !a->isCounting() && !a->dayView()->isLoading() && !a->weekView()->isLoading()
           && !a->daysView()->isLoading() && !a->gridView()->isLoading() && !a->monthView()->isLoading()
           && !a->yearView()->isLoading();
}

void BenchViewAreaChange::changeAndSettle()
{
    Q_EMIT m_fixture->state()->events()->eventsChanged(QString());
    if (!QTest::qWaitFor([this] { return settled(); }, 60000))
        qWarning("the views did not settle");
}

void BenchViewAreaChange::cleanupTestCase()
{
    m_area.reset();
    m_fixture.reset();
}

void BenchViewAreaChange::oneChange_data()
{
    QTest::addColumn<bool>("deferHidden");
    QTest::newRow("every page reloads") << false;
    QTest::newRow("hidden pages wait") << true;
}

void BenchViewAreaChange::oneChange()
{
    QFETCH(bool, deferHidden);
    for (PageReloader *reloader : std::as_const(m_reloaders))
        reloader->setDeferWhileHidden(deferHidden);
    QVERIFY(QTest::qWaitFor([this] { return settled(); }, 60000));
    m_reloads = 0;
    QElapsedTimer timer;
    timer.start();
    changeAndSettle();
    const qint64 elapsed = timer.elapsed();
    // The view area's own hidden count reads the shown range once more.
    const int reads = m_reloads + 1;
    qInfo("one change: %lld ms, %d range reads and %d expansions", elapsed, reads, reads);
    // From the change to every page and the count up to date again.
    QBENCHMARK {
        changeAndSettle();
    }
}

QTEST_MAIN(BenchViewAreaChange)
#include "bench_viewareachange.moc"
