#include "store/zonesearch.h"

#include "calendar/icstext.h"
#include "tests/support/computerzone.h"

#include <QTest>
#include <QTimeZone>

Q_DECLARE_METATYPE(ZoneSearch::Point)

namespace {

// A row read in `zone` at the wall-clock time "yyyy-MM-dd HH:mm", pinned as
// the reader pinned it (a time the zone skips read an hour on): its stored
// instant and the offset its text's wall clock is from it.
ZoneSearch::Point readAt(const char *zone, const char *wall)
{
    const QDateTime reading = QDateTime::fromString(QLatin1String(wall), QStringLiteral("yyyy-MM-dd HH:mm"));
    const qint64 at = IcsText::wallClock(reading.date(), reading.time(), QTimeZone(zone)).toMSecsSinceEpoch();
    const qint64 asUtc = QDateTime(reading.date(), reading.time(), Qt::UTC).toMSecsSinceEpoch();
    return {at, int((asUtc - at) / 1000)};
}

// The offset a zone has at noon UTC on a day, in hours.
double hoursOn(const QTimeZone &zone, int month, int day)
{
    return zone.offsetFromUtc(QDateTime(QDate(2026, month, day), QTime(12, 0), Qt::UTC)) / 3600.0;
}

} // namespace

// The zone each row was read in, from its instant and the offset it was
// read at: the zone most rows fit, then the zone most of the others fit;
// of zones that fit the same rows, the computer's, else those that keep
// the same clocks over the rows' years and most often, named as a region
// names them.
class TestZoneSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findsTheZoneEachRowWasReadIn_data()
    {
        QTest::addColumn<QList<ZoneSearch::Point>>("points");
        QTest::addColumn<QByteArray>("computer");
        QTest::addColumn<QStringList>("zones"); // each zone's hours on 15 January and 1 July, or its name
        QTest::addColumn<QList<int>>("zoneOfRow");

        const QList<ZoneSearch::Point> berlinWinter{readAt("Europe/Berlin", "2026-01-12 09:00"),
                                                    readAt("Europe/Berlin", "2026-02-02 18:30")};
        QTest::newRow("read in Berlin in winter alone: a zone with summer time")
            << berlinWinter << QByteArray("America/Los_Angeles") << QStringList{"1 2"} << QList<int>{0, 0};
        QTest::newRow("read in Berlin across summer time: named as Berlin")
            << (berlinWinter + QList<ZoneSearch::Point>{readAt("Europe/Berlin", "2026-07-10 12:30")})
            << QByteArray("Asia/Tokyo") << QStringList{"Europe/Berlin"} << QList<int>{0, 0, 0};
        QTest::newRow("read in Berlin, the computer in Amsterdam")
            << berlinWinter << QByteArray("Europe/Amsterdam") << QStringList{"Europe/Amsterdam"} << QList<int>{0, 0};
        QTest::newRow("one row read in New York among Berlin's")
            << (berlinWinter + QList<ZoneSearch::Point>{readAt("America/New_York", "2026-01-20 14:00")})
            << QByteArray("Asia/Tokyo") << QStringList{"1 2", "-5 -4"} << QList<int>{0, 0, 1};
        // 02:30 on 29 March is no time in Berlin: read as 03:30 there.
        QTest::newRow("a time summer time skips")
            << (berlinWinter + QList<ZoneSearch::Point>{readAt("Europe/Berlin", "2026-03-29 02:30")})
            << QByteArray("Asia/Tokyo") << QStringList{"1 2"} << QList<int>{0, 0, 0};
        QTest::newRow("an offset no zone has")
            << (berlinWinter + QList<ZoneSearch::Point>{{berlinWinter.first().at, 3 * 3600 + 17 * 60}})
            << QByteArray("Asia/Tokyo") << QStringList{"1 2"} << QList<int>{0, 0, -1};
        QTest::newRow("no rows") << QList<ZoneSearch::Point>() << QByteArray("Asia/Tokyo") << QStringList()
                                 << QList<int>();
    }

    void findsTheZoneEachRowWasReadIn()
    {
        QFETCH(QList<ZoneSearch::Point>, points);
        QFETCH(QByteArray, computer);
        QFETCH(QStringList, zones);
        QFETCH(QList<int>, zoneOfRow);
        QStringList found;
        QList<int> rows;
        inComputerZone(computer, [&] {
            ZoneSearch search(points);
            search.run();
            for (const QTimeZone &zone : search.zones()) {
                const QString hours = QStringLiteral("%1 %2").arg(hoursOn(zone, 1, 15)).arg(hoursOn(zone, 7, 1));
                found << (zones.value(int(found.size())).contains(QLatin1Char('/')) ? QString::fromUtf8(zone.id())
                                                                                     : hours);
            }
            rows = search.zoneOfRow();
        });
        QCOMPARE(found, zones);
        QCOMPARE(rows, zoneOfRow);
    }
};

QTEST_GUILESS_MAIN(TestZoneSearch)
#include "tst_zonesearch.moc"
