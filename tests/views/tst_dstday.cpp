#include "tests/support/widgetfixture.h"
#include "views/common/viewrange.h"
#include "views/day/daytimelinewidget.h"
#include "views/day/dayview.h"

#include <QTest>

#include <memory>

// Berlin springs forward at 02:00 on 29 March 2026 (a 23-hour day) and falls
// back at 03:00 on 25 October 2026 (a 25-hour day). The timeline follows the
// clock on the wall on both.
class TestDstDay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void wallClockDay_data();
    void wallClockDay();
};

void TestDstDay::initTestCase()
{
    WidgetFixture::pinTimeZone("Europe/Berlin");
}

void TestDstDay::wallClockDay_data()
{
    QTest::addColumn<QDate>("day");
    QTest::newRow("23-hour day") << QDate(2026, 3, 29);
    QTest::newRow("25-hour day") << QDate(2026, 10, 25);
}

void TestDstDay::wallClockDay()
{
    QFETCH(QDate, day);
    WidgetFixture fixture;
    QVERIFY(fixture.isReady());
    const auto add = [&](const char *title, const QDateTime &start, const QDateTime &end) {
        return fixture.addEvent(WidgetFixture::timedEvent(QString::fromLatin1(title), start, end));
    };
    // 01:00 to 04:00 on the clock: two hours of time in spring, four in autumn.
    add("Early", QDateTime(day, QTime(1, 0)), QDateTime(day, QTime(4, 0)));
    const Event call = add("Call", QDateTime(day, QTime(1, 0)), QDateTime(day, QTime(1, 30)));
    add("Late", QDateTime(day, QTime(23, 30)), QDateTime(day.addDays(1), QTime(0, 0)));
    add("Next day", QDateTime(day.addDays(1), QTime(0, 0)), QDateTime(day.addDays(1), QTime(0, 30)));
    add("Day before", QDateTime(day.addDays(-1), QTime(23, 0)), QDateTime(day, QTime(0, 0)));

    DayView view(fixture.state());
    view.resize(900, 800);
    view.setDate(day);
    QTRY_VERIFY(!view.isLoading());
    DayTimelineWidget *timeline = view.timeline();
    timeline->grab();
    QCOMPARE(timeline->hitRects().size(), 3);
    const QRect early = timeline->hitRects().at(1).rect;
    QCOMPARE(early.top(), 1 * 56);
    QCOMPARE(early.bottom() + 1, 4 * 56);
    QCOMPARE(timeline->timeTextAt(early.center()), QStringLiteral("1:00 AM – 4:00 AM"));

    // Dragged down to the 03:00 line, which the preview names, it starts at
    // 03:00 and keeps its 30 minutes, across the change of the clocks.
    const QPoint press = timeline->hitRects().at(0).rect.topLeft() + QPoint(20, 5);
    QTest::mousePress(timeline, Qt::LeftButton, {}, press);
    QTest::mouseMove(timeline, press + QPoint(0, 2 * 56));
    QTest::mouseRelease(timeline, Qt::LeftButton, {}, press + QPoint(0, 2 * 56));
    const Event moved = fixture.storedEvent(call.id);
    QCOMPARE(moved.start_time.toLocalTime(), QDateTime(day, QTime(3, 0)));
    QCOMPARE(moved.start_time.secsTo(*moved.end_time), 1800);
}

QTEST_MAIN(TestDstDay)
#include "tst_dstday.moc"
