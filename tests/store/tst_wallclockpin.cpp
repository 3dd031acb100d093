#include "store/wallclockpin.h"

#include "calendar/icstext.h"
#include "store/storedtime.h"

#include <QTest>
#include <QTimeZone>

namespace {

// A zone the floating rows were read in, other than this computer's.
QTimeZone readIn()
{
    return QTimeZone(QTimeZone::systemTimeZoneId() == "Asia/Tokyo" ? "America/New_York" : "Asia/Tokyo");
}

// The stored instant `text` in its own form, as Qt reads its wall clock in
// `from` and gives that reading's instant on this computer's.
QString expectedPin(const QString &text, const QTimeZone &from)
{
    const bool iso = text.contains(QLatin1Char('-'));
    QDateTime instant = iso ? QDateTime::fromString(text, Qt::ISODate)
                            : QDateTime::fromString(text, QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    instant.setTimeSpec(Qt::UTC);
    const QDateTime wall = instant.toTimeZone(from);
    const QDateTime here = IcsText::localWallClock(wall.date(), wall.time()).toUTC();
    return iso ? StoredTime::instant(here) : IcsText::utcText(here);
}

} // namespace

// Each stored form of an instant is pinned again on the computer's wall
// clock, read on the wall clock of the zone it was read in; the store's own
// forms digit by digit, any other the long way, and what is no instant (a
// wall-clock or date entry, a day no calendar has) stays as it is.
class TestWallClockPin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pinsEachFormOfAStoredInstant_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("instant");
        QTest::newRow("ISO, winter") << "2026-01-15T00:00:00Z" << true;
        QTest::newRow("ISO, summer") << "2026-07-01T03:00:00Z" << true;
        QTest::newRow("iCalendar, winter") << "20260115T000000Z" << true;
        QTest::newRow("iCalendar, 29 February") << "20280229T233000Z" << true;
        QTest::newRow("ISO, past a 32-bit time") << "2039-07-04T00:00:00Z" << true;
        QTest::newRow("ISO, before 1970") << "1969-12-31T20:00:00Z" << true;
        QTest::newRow("ISO, the last year") << "9999-06-30T00:00:00Z" << true;
        QTest::newRow("a wall-clock entry") << "20260323T090000" << false;
        QTest::newRow("a date") << "20260320" << false;
        QTest::newRow("a day no calendar has") << "2026-02-30T08:00:00Z" << false;
        QTest::newRow("no text") << "" << false;
    }

    void pinsEachFormOfAStoredInstant()
    {
        QFETCH(QString, text);
        QFETCH(bool, instant);
        WallClockPin pin(readIn());
        const QString expected = instant ? expectedPin(text, readIn()) : text;
        QCOMPARE(pin(text), expected);
        const std::optional<QByteArray> changed = pin.changedText(text.toUtf8());
        QCOMPARE(changed.value_or(text.toUtf8()), expected.toUtf8());
        // In the zone it was read in, it stays.
        QVERIFY(!WallClockPin(QTimeZone::systemTimeZone()).changedText(text.toUtf8()));
    }

    void pinsEachInstantOfADateList_data()
    {
        QTest::addColumn<QString>("json");
        QTest::addColumn<QString>("expected");
        const QString winter = expectedPin(QStringLiteral("20260115T000000Z"), readIn());
        const QString summer = expectedPin(QStringLiteral("20260701T030000Z"), readIn());
        QTest::newRow("instants, a period, a wall-clock entry and a date")
            << "[\"20260115T000000Z\",\"20260701T030000Z/PT1H\",\"20260323T090000\",\"20260320\"]"
            << QStringLiteral("[\"%1\",\"%2/PT1H\",\"20260323T090000\",\"20260320\"]").arg(winter, summer);
        QTest::newRow("a period of two instants") << "[\"20260115T000000Z/20260701T030000Z\"]"
                                                  << QStringLiteral("[\"%1/%2\"]").arg(winter, summer);
        QTest::newRow("written with spaces") << "[ \"20260115T000000Z\" ]" << QStringLiteral("[\"%1\"]").arg(winter);
        QTest::newRow("nothing to pin") << "[\"20260323T090000\"]" << "[\"20260323T090000\"]";
        QTest::newRow("empty") << "[]" << "[]";
        QTest::newRow("no list") << "20260115T000000Z" << "20260115T000000Z";
    }

    void pinsEachInstantOfADateList()
    {
        QFETCH(QString, json);
        QFETCH(QString, expected);
        WallClockPin pin(readIn());
        QCOMPARE(pin.list(json), expected);
        QCOMPARE(pin.changedList(json.toUtf8()).value_or(json.toUtf8()), expected.toUtf8());
    }
};

QTEST_GUILESS_MAIN(TestWallClockPin)
#include "tst_wallclockpin.moc"
