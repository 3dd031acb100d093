#include "views/common/timedlayout.h"

#include <QTest>
#include <QTimeZone>

namespace {

// "09:00-10:00" or "09:00" (no end) on one fixed day.
Event eventFor(const char *spanText)
{
    const QString span = QString::fromLatin1(spanText);
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
    void tiesAndZones();
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
        events << eventFor(span.toLatin1().constData());
    QCOMPARE(describe(layoutTimedEvents(events)), expected);
}

void TestTimedLayout::tiesAndZones()
{
    // Identical events sit side by side, in either order.
    const QList<TimedLayoutEntry> twins = layoutTimedEvents({eventFor("09:00-10:00"), eventFor("09:00-10:00")});
    QCOMPARE(twins.at(0).column + twins.at(1).column, 1);
    QCOMPARE(twins.at(1).columnCount, 2);
    // Starts compare as instants: 09:00 in Tokyo is before 08:00 UTC.
    Event tokyo = eventFor("09:00");
    tokyo.start_time = QDateTime(tokyo.start_time.date(), QTime(9, 0), QTimeZone("Asia/Tokyo"));
    Event utc = eventFor("09:00");
    utc.start_time = QDateTime(utc.start_time.date(), QTime(8, 0), QTimeZone::utc());
    QVERIFY(layoutSortLess(tokyo, utc) && !layoutSortLess(utc, tokyo));
}

QTEST_GUILESS_MAIN(TestTimedLayout)
#include "tst_timedlayout.moc"
