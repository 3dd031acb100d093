// Calendar texts built to exhaust the reader: generated here rather than
// kept as files. Whatever they hold, what is read stays in proportion to
// the input.

#include <QTest>

#include "calendar/icscodec.h"
#include "calendar/icszonecache.h"

namespace {

QString zoneBlock(const QString &tzid, int observances)
{
    QString block = QStringLiteral("BEGIN:VTIMEZONE\r\nTZID:") + tzid + QStringLiteral("\r\n");
    for (int i = 0; i < observances; ++i) {
        block += QStringLiteral("BEGIN:STANDARD\r\nDTSTART:%11025T030000\r\nTZOFFSETFROM:+0200\r\n"
                                "TZOFFSETTO:+0100\r\nEND:STANDARD\r\n")
                     .arg(1000 + i % 8000);
    }
    return block + QStringLiteral("END:VTIMEZONE\r\n");
}

QString eventNaming(int index, const QStringList &tzids)
{
    QString event = QStringLiteral("BEGIN:VEVENT\r\nUID:e%1\r\nDTSTART:20240101T090000Z\r\n").arg(index);
    for (const QString &tzid : tzids)
        event += QStringLiteral("X-ZONED;TZID=%1:20240101T090000\r\n").arg(tzid);
    return event + QStringLiteral("END:VEVENT\r\n");
}

qsizetype storedSize(const QList<Event> &events)
{
    qsizetype size = 0;
    for (const Event &event : events)
        size += event.raw_icalendar.size();
    return size;
}

} // namespace

class TestIcsHostile : public QObject
{
    Q_OBJECT

private slots:
    void zoneDefinitionsStoredStayInProportionToTheInput();
    void oversizedZoneDefinitionIsNotCopied();
    void eventCarriesAtMostSixteenZoneDefinitions();
    void zoneCacheStaysWithinItsCapacity();
};

void TestIcsHostile::zoneDefinitionsStoredStayInProportionToTheInput()
{
    // A 50 KB definition named by 2,000 small events would be 100 MB of
    // copies.
    QString text = QStringLiteral("BEGIN:VCALENDAR\r\n") + zoneBlock(QStringLiteral("Big/Zone"), 500);
    QCOMPARE_GT(text.size(), 40000);
    for (int i = 0; i < 2000; ++i)
        text += eventNaming(i, {QStringLiteral("Big/Zone")});
    text += QStringLiteral("END:VCALENDAR\r\n");
    const QList<Event> events = IcsCodec::parseEvents(text);
    QCOMPARE(events.size(), 2000);
    QVERIFY(events.first().raw_icalendar.contains(QLatin1String("TZID:Big/Zone")));
    QCOMPARE_LE(storedSize(events), 6 * text.size());
}

void TestIcsHostile::oversizedZoneDefinitionIsNotCopied()
{
    const QString text = QStringLiteral("BEGIN:VCALENDAR\r\n") + zoneBlock(QStringLiteral("Huge/Zone"), 5000)
                         + eventNaming(1, {QStringLiteral("Huge/Zone")}) + QStringLiteral("END:VCALENDAR\r\n");
    const QList<Event> events = IcsCodec::parseEvents(text);
    QCOMPARE(events.size(), 1);
    QVERIFY(!events.first().raw_icalendar.contains(QLatin1String("VTIMEZONE")));
}

void TestIcsHostile::eventCarriesAtMostSixteenZoneDefinitions()
{
    QString text = QStringLiteral("BEGIN:VCALENDAR\r\n");
    QStringList tzids;
    for (int i = 0; i < 100; ++i) {
        tzids << QStringLiteral("Zone/%1").arg(i);
        text += zoneBlock(tzids.last(), 1);
    }
    text += eventNaming(1, tzids) + QStringLiteral("END:VCALENDAR\r\n");
    const QList<Event> events = IcsCodec::parseEvents(text);
    QCOMPARE(events.size(), 1);
    QCOMPARE(events.first().raw_icalendar.count(QLatin1String("BEGIN:VTIMEZONE")), 16);
}

void TestIcsHostile::zoneCacheStaysWithinItsCapacity()
{
    IcsZoneCache cache;
    for (int i = 0; i < 1000; ++i)
        cache.zone(QStringLiteral("Nowhere/%1").arg(i));
    QCOMPARE_LE(cache.size(), IcsZoneCache::Capacity);
    QVERIFY(cache.zone(QStringLiteral("Europe/Berlin")).isValid());
    // An id longer than any zone's is not looked up.
    QVERIFY(!cache.zone(QStringLiteral("Europe/Berlin/") + QString(1 << 20, QLatin1Char('x'))).isValid());
}

QTEST_GUILESS_MAIN(TestIcsHostile)
#include "tst_icshostile.moc"
