#include "views/common/alldaystrip.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const QDate Monday(2026, 3, 9);

Event allDay(const QString &id, const QDate &first, const std::optional<QDate> &endExclusive)
{
    Event event;
    event.id = id;
    event.title = id;
    event.is_all_day = true;
    event.start_time = QDateTime(first, QTime(0, 0));
    if (endExclusive)
        event.end_time = QDateTime(*endExclusive, QTime(0, 0));
    return event;
}

// "id startCol-endCol@lane" for every lane record, sorted for comparison.
QStringList describe(const QList<AllDayStrip::Lane> &lanes)
{
    QStringList out;
    for (const AllDayStrip::Lane &lane : lanes)
        out << QStringLiteral("%1 %2-%3@%4").arg(lane.eventId).arg(lane.startCol).arg(lane.endCol).arg(lane.lane);
    out.sort();
    return out;
}

} // namespace

class TestAllDayStrip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lanesFollowStoredDates();
    void storedUtcMidnightStaysOnItsDate();
    void fourLanesCollapseToChipsAndExpand();
    void threeLanesShowEverything();
    void clickOutsideBarsClearsTheSelection();
};

void TestAllDayStrip::lanesFollowStoredDates()
{
    const QList<Event> events = {
        allDay(QStringLiteral("monday"), Monday, Monday.addDays(1)),
        allDay(QStringLiteral("noEnd"), Monday.addDays(2), std::nullopt),
        allDay(QStringLiteral("before"), Monday.addDays(-3), Monday.addDays(2)),
        allDay(QStringLiteral("after"), Monday.addDays(5), Monday.addDays(12)),
        allDay(QStringLiteral("long"), Monday, Monday.addDays(4)),
        allDay(QStringLiteral("outside"), Monday.addDays(8), Monday.addDays(9)),
    };
    // The longer of two bars starting on Monday takes the lower lane.
    QCOMPARE(describe(AllDayStrip::layoutLanes(events, Monday, 7)),
             QStringList({"after 5-6@0", "before 0-1@1", "long 0-3@0", "monday 0-0@2", "noEnd 2-2@1"}));
}

void TestAllDayStrip::storedUtcMidnightStaysOnItsDate()
{
    // A date handed over as midnight UTC (as an iCalendar DATE reads) is
    // the date itself, also west of Greenwich where it is the evening before.
    Event event = allDay(QStringLiteral("holiday"), Monday, std::nullopt);
    event.start_time = QDateTime(Monday.addDays(1), QTime(0, 0), Qt::UTC);
    event.end_time = QDateTime(Monday.addDays(2), QTime(0, 0), Qt::UTC);
    QCOMPARE(describe(AllDayStrip::layoutLanes({event}, Monday, 7)), QStringList({"holiday 1-1@0"}));
}

void TestAllDayStrip::fourLanesCollapseToChipsAndExpand()
{
    AllDayStrip strip;
    strip.resize(64 + 7 * 100, 200);
    QList<Event> events;
    for (int i = 0; i < 4; ++i)
        events << allDay(QStringLiteral("e%1").arg(i), Monday, Monday.addDays(2 + i));
    strip.setEvents(64, Monday, 7, events, {}, {});
    QCOMPARE(strip.laneCount(), 4);
    QCOMPARE(strip.sizeHint().height(), 72);
    strip.resize(strip.width(), strip.sizeHint().height());
    strip.grab();
    QCOMPARE(strip.hitRects().size(), 2);
    // The hidden lanes hold Monday–Tuesday and Monday–Wednesday: a chip on
    // each of those three days.
    QCOMPARE(strip.moreRects().size(), 3);
    QCOMPARE(strip.moreRects().first(), QRect(66, 48, 96, 20));

    QTest::mouseClick(&strip, Qt::LeftButton, {}, strip.moreRects().first().center());
    QVERIFY(strip.isExpanded());
    QCOMPARE(strip.sizeHint().height(), 108);
    strip.resize(strip.width(), 108);
    strip.grab();
    QCOMPARE(strip.hitRects().size(), 4);
    QCOMPARE(strip.collapseRect(), QRect(0, 94, strip.width(), 14));

    QTest::mouseClick(&strip, Qt::LeftButton, {}, strip.collapseRect().center());
    QVERIFY(!strip.isExpanded());
    QCOMPARE(strip.sizeHint().height(), 72);
}

void TestAllDayStrip::threeLanesShowEverything()
{
    AllDayStrip strip;
    strip.resize(764, 72);
    QList<Event> events;
    for (int i = 0; i < 3; ++i)
        events << allDay(QStringLiteral("e%1").arg(i), Monday, Monday.addDays(1));
    strip.setEvents(64, Monday, 7, events, {}, {});
    strip.grab();
    QCOMPARE(strip.sizeHint().height(), 72);
    QCOMPARE(strip.hitRects().size(), 3);
    QVERIFY(strip.moreRects().isEmpty());
    QVERIFY(strip.collapseRect().isNull());
}

void TestAllDayStrip::clickOutsideBarsClearsTheSelection()
{
    AllDayStrip strip;
    strip.resize(764, 28);
    strip.setEvents(64, Monday, 7, {allDay(QStringLiteral("bar"), Monday, Monday.addDays(1))}, {}, {});
    strip.grab();
    QSignalSpy selected(&strip, &AllDayStrip::eventSelected);
    QSignalSpy activated(&strip, &AllDayStrip::eventActivated);
    const QRect bar = strip.hitRects().first().rect;
    QTest::mouseClick(&strip, Qt::LeftButton, {}, bar.center());
    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(strip.width() - 10, 10));
    QCOMPARE(selected.size(), 2);
    QCOMPARE(selected.at(0).at(0).toString(), QStringLiteral("bar"));
    QCOMPARE(selected.at(0).at(1).toRect().size(), bar.size());
    QCOMPARE(selected.at(1).at(0).toString(), QString());
    QVERIFY(selected.at(1).at(1).toRect().isNull());
    QTest::mouseDClick(&strip, Qt::LeftButton, {}, bar.center());
    QCOMPARE(activated.size(), 1);
    QCOMPARE(activated.at(0).at(0).toString(), QStringLiteral("bar"));
}

QTEST_MAIN(TestAllDayStrip)
#include "tst_alldaystrip.moc"
