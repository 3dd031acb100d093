#include "store/storedtime.h"

#include <QTest>
#include <QTimeZone>

class TestStoredTime : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void instantIsUtcWithZ_data()
    {
        QTest::addColumn<QDateTime>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("utc") << QDateTime(QDate(2026, 12, 6), QTime(14, 30), QTimeZone::utc())
                             << QStringLiteral("2026-12-06T14:30:00Z");
        QTest::newRow("offset +02:00") << QDateTime(QDate(2026, 12, 6), QTime(0, 30), QTimeZone(7200))
                                       << QStringLiteral("2026-12-05T22:30:00Z");
        QTest::newRow("named zone across midnight")
            << QDateTime(QDate(2026, 7, 1), QTime(23, 15), QTimeZone("America/New_York"))
            << QStringLiteral("2026-07-02T03:15:00Z");
        QTest::newRow("milliseconds dropped")
            << QDateTime(QDate(2026, 1, 1), QTime(1, 2, 3, 456), QTimeZone::utc())
            << QStringLiteral("2026-01-01T01:02:03Z");
        QTest::newRow("early year padded")
            << QDateTime(QDate(7, 2, 3), QTime(4, 5, 6), QTimeZone::utc()) << QStringLiteral("0007-02-03T04:05:06Z");
        QTest::newRow("last second of 9999")
            << QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), QTimeZone::utc())
            << QStringLiteral("9999-12-31T23:59:59Z");
    }

    void instantIsUtcWithZ()
    {
        QFETCH(QDateTime, value);
        QFETCH(QString, expected);
        QCOMPARE(StoredTime::instant(value), expected);
    }

    void parseReadsEveryStoredForm_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expectedUtc");
        const QDateTime at = QDateTime(QDate(2026, 12, 6), QTime(14, 30), QTimeZone::utc());
        QTest::newRow("Z") << QStringLiteral("2026-12-06T14:30:00Z") << at;
        QTest::newRow("offset") << QStringLiteral("2026-12-06T16:30:00+02:00") << at;
        QTest::newRow("sqlite default is utc") << QStringLiteral("2026-12-06 14:30:00") << at;
        QTest::newRow("padded") << QStringLiteral("  2026-12-06T14:30:00Z ") << at;
    }

    void parseReadsEveryStoredForm()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, expectedUtc);
        const QDateTime parsed = StoredTime::parse(text);
        QVERIFY(parsed.isValid());
        QCOMPARE(parsed.toUTC(), expectedUtc);
        QCOMPARE(StoredTime::instant(parsed), StoredTime::instant(expectedUtc));
    }

    void dateOnlyReadsAsSameDayInThisZone()
    {
        // Runs under several TZ values: the day must never shift.
        const QDateTime parsed = StoredTime::parse(QStringLiteral("2026-03-29"));
        QVERIFY(parsed.isValid());
        QCOMPARE(parsed.date(), QDate(2026, 3, 29));
        QCOMPARE(parsed.time(), QTime(0, 0));
        QVERIFY(StoredTime::isDateOnly(QStringLiteral("2026-03-29")));
        QVERIFY(!StoredTime::isDateOnly(QStringLiteral("2026-03-29T00:00:00Z")));
        QCOMPARE(StoredTime::date(parsed.date()), QStringLiteral("2026-03-29"));
    }

    void storedInstantsSortInTimeOrder()
    {
        // Local times on both sides of a UTC day boundary must sort as instants.
        // Tokyo's 2 June 08:30 is 1 June 23:30 UTC; New York's 1 June 20:00 is
        // 2 June 00:00 UTC: local text would sort them the wrong way round.
        const QDateTime early = QDateTime(QDate(2026, 6, 2), QTime(8, 30), QTimeZone("Asia/Tokyo"));
        const QDateTime late = QDateTime(QDate(2026, 6, 1), QTime(20, 0), QTimeZone("America/New_York"));
        QVERIFY(early < late);
        QVERIFY(StoredTime::instant(early) < StoredTime::instant(late));
    }

    void nullsAndInvalidValues()
    {
        QVERIFY(StoredTime::instant(QDateTime()).isNull());
        QVERIFY(StoredTime::date(QDate()).isNull());
        QVERIFY(!StoredTime::parse(QString()).isValid());
        QVERIFY(!StoredTime::parse(QStringLiteral("not a date")).isValid());
        QVERIFY(!StoredTime::parseOptional(QStringLiteral("  ")).has_value());
        QVERIFY(StoredTime::text(QString()).isNull());
        QCOMPARE(StoredTime::text(QStringLiteral("")).toString(), QStringLiteral(""));
        QVERIFY(StoredTime::instantOrNull(std::nullopt).isNull());
        QVERIFY(StoredTime::instantOrNull(QDateTime()).isNull());
    }
};

QTEST_GUILESS_MAIN(TestStoredTime)
#include "tst_storedtime.moc"
