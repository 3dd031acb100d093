#include "calendar/timeformat.h"

#include <QTest>

class TestTimeFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onlyExactly24SelectsTheTwentyFourHourClock_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("twentyFour");
        QTest::newRow("no value") << false << QString() << false;
        QTest::newRow("24") << true << "24" << true;
        QTest::newRow("12") << true << "12" << false;
        QTest::newRow("blank before") << true << " 24" << false;
        QTest::newRow("blank after") << true << "24 " << false;
        QTest::newRow("suffix") << true << "24h" << false;
        QTest::newRow("empty") << true << "" << false;
    }

    void onlyExactly24SelectsTheTwentyFourHourClock()
    {
        QFETCH(bool, present);
        QFETCH(QString, stored);
        QFETCH(bool, twentyFour);
        const std::optional<QString> value = present ? std::optional<QString>(stored) : std::nullopt;
        QCOMPARE(TimeFormat::isTwentyFourHour(value), twentyFour);
        QCOMPARE(TimeFormat::patternFor(TimeFormat::isTwentyFourHour(value)),
                 twentyFour ? QStringLiteral("HH:mm") : QStringLiteral("h:mm AP"));
    }

    void timesAreShownInTheChosenClock_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<bool>("twentyFour");
        QTest::addColumn<QString>("shown");
        QTest::newRow("afternoon, 12-hour") << QTime(13, 5) << false << "1:05 PM";
        QTest::newRow("morning, 12-hour") << QTime(9, 5) << false << "9:05 AM";
        QTest::newRow("midnight, 12-hour") << QTime(0, 0) << false << "12:00 AM";
        QTest::newRow("noon, 12-hour") << QTime(12, 0) << false << "12:00 PM";
        QTest::newRow("morning, 24-hour") << QTime(9, 5) << true << "09:05";
        QTest::newRow("afternoon, 24-hour") << QTime(13, 5) << true << "13:05";
    }

    void timesAreShownInTheChosenClock()
    {
        QFETCH(QTime, time);
        QFETCH(bool, twentyFour);
        QFETCH(QString, shown);
        QCOMPARE(TimeFormat::formatTimeWith(QDateTime(QDate(2026, 3, 14), time), twentyFour), shown);
    }
};

QTEST_GUILESS_MAIN(TestTimeFormat)
#include "tst_timeformat.moc"
