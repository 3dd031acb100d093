#include "app/appstate.h"
#include "tests/support/widgetfixture.h"
#include "views/common/viewrange.h"
#include "views/day/daytimelinewidget.h"
#include "views/day/dayview.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// Berlin springs forward at 02:00 on 29 March 2026 (a 23-hour day) and falls
// back at 03:00 on 25 October 2026 (a 25-hour day).
const QDate SpringDay(2026, 3, 29);
const QDate AutumnDay(2026, 10, 25);

} // namespace

class TestDstDay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void blocksSitOnTheWallClock_data();
    void blocksSitOnTheWallClock();
    void dragLandsOnTheLineItWasDroppedOn_data();
    void dragLandsOnTheLineItWasDroppedOn();
    void dayRangeCoversTheWholeLocalDay_data();
    void dayRangeCoversTheWholeLocalDay();

private:
    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<DayView> m_view;
};

void TestDstDay::initTestCase()
{
    WidgetFixture::pinTimeZone("Europe/Berlin");
}

void TestDstDay::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    m_view = std::make_unique<DayView>(m_fixture->state());
    m_view->setClock(m_fixture->clock());
    m_view->resize(900, 800);
}

void TestDstDay::cleanup()
{
    m_view.reset();
    m_fixture.reset();
}

void TestDstDay::blocksSitOnTheWallClock_data()
{
    QTest::addColumn<QDate>("day");
    QTest::newRow("23-hour day") << SpringDay;
    QTest::newRow("25-hour day") << AutumnDay;
}

void TestDstDay::blocksSitOnTheWallClock()
{
    QFETCH(QDate, day);
    // 01:00 to 04:00 on the clock is two hours of time in spring and four in autumn.
    const Event early = m_fixture->addEvent(
        WidgetFixture::timedEvent(QStringLiteral("Early"), QDateTime(day, QTime(1, 0)), QDateTime(day, QTime(4, 0))));
    m_view->setDate(day);
    m_view->reload();
    m_view->timeline()->grab();
    QCOMPARE(m_view->timeline()->hitRects().size(), 1);
    const QRect rect = m_view->timeline()->hitRects().first().rect;
    QCOMPARE(rect.top(), 56);
    QCOMPARE(rect.bottom() + 1, 4 * 56);
    QCOMPARE(m_view->timeline()->timeTextAt(rect.center()), QStringLiteral("1:00 AM – 4:00 AM"));
    Q_UNUSED(early);
}

void TestDstDay::dragLandsOnTheLineItWasDroppedOn_data()
{
    QTest::addColumn<QDate>("day");
    QTest::newRow("23-hour day") << SpringDay;
    QTest::newRow("25-hour day") << AutumnDay;
}

void TestDstDay::dragLandsOnTheLineItWasDroppedOn()
{
    QFETCH(QDate, day);
    const Event event = m_fixture->addEvent(
        WidgetFixture::timedEvent(QStringLiteral("Call"), QDateTime(day, QTime(1, 0)), QDateTime(day, QTime(1, 30))));
    m_view->setDate(day);
    m_view->reload();
    DayTimelineWidget *timeline = m_view->timeline();
    timeline->grab();
    const QPoint press = timeline->hitRects().first().rect.topLeft() + QPoint(20, 5);
    QTest::mousePress(timeline, Qt::LeftButton, {}, press);
    QTest::mouseMove(timeline, press + QPoint(0, 2 * 56));
    QTest::mouseRelease(timeline, Qt::LeftButton, {}, press + QPoint(0, 2 * 56));

    // The preview said 03:00; the event starts at 03:00 and keeps its 30 minutes.
    const Event moved = m_fixture->storedEvent(event.id);
    QCOMPARE(moved.start_time.toLocalTime().time(), QTime(3, 0));
    QCOMPARE(moved.start_time.date(), day);
    QCOMPARE(moved.start_time.secsTo(*moved.end_time), 1800);
}

void TestDstDay::dayRangeCoversTheWholeLocalDay_data()
{
    QTest::addColumn<QDate>("day");
    QTest::newRow("23-hour day") << SpringDay;
    QTest::newRow("25-hour day") << AutumnDay;
}

void TestDstDay::dayRangeCoversTheWholeLocalDay()
{
    QFETCH(QDate, day);
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Late"), QDateTime(day, QTime(23, 30)),
                                                  QDateTime(day.addDays(1), QTime(0, 0))));
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Next day"), QDateTime(day.addDays(1), QTime(0, 0)),
                                                  QDateTime(day.addDays(1), QTime(0, 30))));
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Day before"), QDateTime(day.addDays(-1), QTime(23, 0)),
                                                  QDateTime(day, QTime(0, 0))));
    const ViewRangeData data =
        ViewRange::load(m_fixture->state(), QDateTime(day, QTime(0, 0)), QDateTime(day.addDays(1), QTime(0, 0)));
    QCOMPARE(data.events.size(), 1);
    QCOMPARE(data.events.first().title, QStringLiteral("Late"));
}

QTEST_MAIN(TestDstDay)
#include "tst_dstday.moc"
