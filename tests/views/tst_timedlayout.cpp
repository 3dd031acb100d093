#include "views/common/timedlayout.h"

#include <QTest>
#include <QTimeZone>

namespace {

// "09:00-10:00" or "09:00" (no end) on one fixed day.
Event eventFor(const QString &span)
{
    const QDate day(2026, 3, 10);
    const QStringList parts = span.split(QLatin1Char('-'));
    Event event;
    event.id = span;
    event.start_time = QDateTime(day, QTime::fromString(parts.at(0), QStringLiteral("HH:mm")));
    if (parts.size() > 1)
        event.end_time = QDateTime(day, QTime::fromString(parts.at(1), QStringLiteral("HH:mm")));
    return event;
}

// Each entry as "span column/count", in layout order.
QStringList describe(const QList<TimedLayoutEntry> &entries)
{
    QStringList out;
    for (const TimedLayoutEntry &entry : entries)
        out << QStringLiteral("%1 %2/%3").arg(entry.event.id).arg(entry.column).arg(entry.columnCount);
    return out;
}

} // namespace

class TestTimedLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void columnsAndClusters_data();
    void columnsAndClusters();
    void identicalEventsSitSideBySide();
    void instantsCompareAcrossZones();
};

void TestTimedLayout::columnsAndClusters_data()
{
    QTest::addColumn<QStringList>("spans");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("nothing") << QStringList() << QStringList();
    QTest::newRow("one event") << QStringList{"09:00-10:00"} << QStringList{"09:00-10:00 0/1"};
    QTest::newRow("freed column is reused")
        << QStringList{"09:00-11:00", "09:00-10:00", "10:00-11:00"}
        << QStringList{"09:00-10:00 0/2", "09:00-11:00 1/2", "10:00-11:00 0/2"};
    QTest::newRow("touching events do not overlap")
        << QStringList{"10:00-11:00", "09:00-10:00"} << QStringList{"09:00-10:00 0/1", "10:00-11:00 0/1"};
    QTest::newRow("a chain is one cluster")
        << QStringList{"10:15-11:00", "09:30-10:30", "09:00-10:00"}
        << QStringList{"09:00-10:00 0/2", "09:30-10:30 1/2", "10:15-11:00 0/2"};
    QTest::newRow("no end sorts first and leaves at once")
        << QStringList{"09:00-10:00", "09:00"} << QStringList{"09:00 0/1", "09:00-10:00 0/1"};
    QTest::newRow("end before start pushes nobody aside")
        << QStringList{"09:00-08:00", "09:30-10:00"} << QStringList{"09:00-08:00 0/1", "09:30-10:00 0/1"};
    QTest::newRow("peak, not count, sets the width")
        << QStringList{"08:00-12:00", "08:30-09:00", "09:00-09:30", "09:30-10:00", "13:00-14:00"}
        << QStringList{"08:00-12:00 0/2", "08:30-09:00 1/2", "09:00-09:30 1/2", "09:30-10:00 1/2", "13:00-14:00 0/1"};
}

void TestTimedLayout::columnsAndClusters()
{
    QFETCH(QStringList, spans);
    QFETCH(QStringList, expected);
    QList<Event> events;
    for (const QString &span : std::as_const(spans))
        events << eventFor(span);
    QCOMPARE(describe(layoutTimedEvents(events)), expected);
}

void TestTimedLayout::identicalEventsSitSideBySide()
{
    Event a = eventFor(QStringLiteral("09:00-10:00"));
    Event b = a;
    a.id = QStringLiteral("a");
    b.id = QStringLiteral("b");
    const QList<TimedLayoutEntry> entries = layoutTimedEvents({a, b});
    QCOMPARE(entries.size(), 2);
    QCOMPARE(QSet<int>({entries.at(0).column, entries.at(1).column}), QSet<int>({0, 1}));
    QCOMPARE(entries.at(0).columnCount, 2);
    QCOMPARE(entries.at(1).columnCount, 2);
    QVERIFY(!layoutSortLess(a, b) && !layoutSortLess(b, a));
}

void TestTimedLayout::instantsCompareAcrossZones()
{
    // 09:00 in Tokyo is midnight UTC: it starts before 08:00 UTC.
    Event tokyo;
    tokyo.id = QStringLiteral("tokyo");
    tokyo.start_time = QDateTime(QDate(2026, 3, 10), QTime(9, 0), QTimeZone("Asia/Tokyo"));
    tokyo.end_time = tokyo.start_time.addSecs(3600);
    Event utc;
    utc.id = QStringLiteral("utc");
    utc.start_time = QDateTime(QDate(2026, 3, 10), QTime(8, 0), Qt::UTC);
    utc.end_time = utc.start_time.addSecs(3600);
    QVERIFY(layoutSortLess(tokyo, utc));
    QCOMPARE(describe(layoutTimedEvents({utc, tokyo})), QStringList({"tokyo 0/1", "utc 0/1"}));
}

QTEST_GUILESS_MAIN(TestTimedLayout)
#include "tst_timedlayout.moc"
