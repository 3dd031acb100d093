#include "tests/support/widgetfixture.h"
#include "views/week/weektimelinewidget.h"
#include "views/week/weekview.h"

#include <QTest>

#include <memory>

// A week with a change of daylight saving in Berlin: 29 March 2026 has 23
// hours, 25 October 2026 has 25. Blocks sit on the hour lines of the wall
// clock, and a move by whole days keeps the time on the wall.
class TestDstWeek : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void weekAcrossTheChange_data();
    void weekAcrossTheChange();
};

void TestDstWeek::initTestCase()
{
    WidgetFixture::pinTimeZone("Europe/Berlin");
}

void TestDstWeek::weekAcrossTheChange_data()
{
    QTest::addColumn<QDate>("changeDay");
    QTest::newRow("spring") << QDate(2026, 3, 29);
    QTest::newRow("autumn") << QDate(2026, 10, 25);
}

void TestDstWeek::weekAcrossTheChange()
{
    QFETCH(QDate, changeDay);
    WidgetFixture fixture;
    QVERIFY(fixture.isReady());
    const QDate saturday = changeDay.addDays(-1);
    const Event early = fixture.addEvent(WidgetFixture::timedEvent(
        QStringLiteral("Early"), QDateTime(changeDay, QTime(1, 0)), QDateTime(changeDay, QTime(4, 0))));
    const Event brunch = fixture.addEvent(WidgetFixture::timedEvent(
        QStringLiteral("Brunch"), QDateTime(saturday, QTime(11, 0)), QDateTime(saturday, QTime(12, 0))));

    WeekView view(fixture.state(), false);
    view.setClock(fixture.clock());
    view.refresh(saturday);
    view.resize(1200, 800);
    QTRY_VERIFY(!view.isLoading());
    WeekTimelineWidget *timeline = view.timeline();
    timeline->grab();
    const int hourPx = timeline->hourPixels();
    QCOMPARE(timeline->hitRects().size(), 2);
    const QRect brunchRect = timeline->hitRects().at(0).rect;
    const QRect earlyRect = timeline->hitRects().at(1).rect;
    QCOMPARE(brunchRect.top(), 11 * hourPx);
    QCOMPARE(earlyRect.top(), 1 * hourPx);
    QCOMPARE(earlyRect.bottom() + 1, 4 * hourPx);
    QCOMPARE(earlyRect.left(), brunchRect.left() + timeline->columnWidth());

    view.onEventMoveRequested(brunch.id, brunch.start_time, 1, 0);
    const Event moved = fixture.storedEvent(brunch.id);
    QCOMPARE(moved.start_time.toLocalTime(), QDateTime(changeDay, QTime(11, 0)));
    QCOMPARE(moved.end_time->toLocalTime(), QDateTime(changeDay, QTime(12, 0)));
    Q_UNUSED(early);
}

QTEST_MAIN(TestDstWeek)
#include "tst_dstweek.moc"
