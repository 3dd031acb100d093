// The recurrence examples of RFC 5545, section 3.8.5.3, that use only the
// rule parts the expander reads (no BYWEEKNO, BYYEARDAY, BYHOUR, BYMINUTE or
// sub-daily frequencies). Each row: the rule, DTSTART in America/New_York,
// an optional EXDATE, the end of the range looked at, and the expected dates
// of the starts, every one at DTSTART's wall-clock time in that zone.

#include "calendar/recurrence.h"

#include <QTest>
#include <QTimeZone>

namespace {

const QTimeZone &newYork()
{
    static const QTimeZone zone("America/New_York");
    return zone;
}

QDateTime nyTime(const QString &text)
{
    const QDateTime read = QDateTime::fromString(text, QStringLiteral("yyyyMMdd'T'HHmmss"));
    return QDateTime(read.date(), read.time(), newYork());
}

// Every day from first to last, the dates in ISO form.
QStringList everyDay(const QDate &first, const QDate &last, int month = 0)
{
    QStringList days;
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        if (month == 0 || day.month() == month)
            days << day.toString(Qt::ISODate);
    }
    return days;
}

} // namespace

class TestRecurrenceRfc : public QObject
{
    Q_OBJECT

private slots:
    void rfcExamples_data();
    void rfcExamples();
};

void TestRecurrenceRfc::rfcExamples_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("dtstart");
    QTest::addColumn<QString>("exdate");
    QTest::addColumn<QDate>("rangeEnd");
    QTest::addColumn<QStringList>("expected");

    const QDate far(2010, 1, 1);
    QTest::newRow("daily for 10") << "FREQ=DAILY;COUNT=10" << "19970902T090000" << "" << far
                                  << everyDay(QDate(1997, 9, 2), QDate(1997, 9, 11));
    QTest::newRow("daily until 24 Dec") << "FREQ=DAILY;UNTIL=19971224T000000Z" << "19970902T090000" << "" << far
                                        << everyDay(QDate(1997, 9, 2), QDate(1997, 12, 23));
    QTest::newRow("every other day") << "FREQ=DAILY;INTERVAL=2" << "19970902T090000" << "" << QDate(1997, 10, 1)
                                     << QStringList{"1997-09-02", "1997-09-04", "1997-09-06", "1997-09-08",
                                                    "1997-09-10", "1997-09-12", "1997-09-14", "1997-09-16",
                                                    "1997-09-18", "1997-09-20", "1997-09-22", "1997-09-24",
                                                    "1997-09-26", "1997-09-28", "1997-09-30"};
    QTest::newRow("every 10 days, 5") << "FREQ=DAILY;INTERVAL=10;COUNT=5" << "19970902T090000" << "" << far
                                      << QStringList{"1997-09-02", "1997-09-12", "1997-09-22", "1997-10-02",
                                                     "1997-10-12"};
    QStringList january = everyDay(QDate(1998, 1, 1), QDate(1998, 1, 31)) + everyDay(QDate(1999, 1, 1), QDate(1999, 1, 31))
                          + everyDay(QDate(2000, 1, 1), QDate(2000, 1, 31));
    QTest::newRow("january yearly") << "FREQ=YEARLY;UNTIL=20000131T140000Z;BYMONTH=1;BYDAY=SU,MO,TU,WE,TH,FR,SA"
                                    << "19980101T090000" << "" << far << january;
    QTest::newRow("january daily") << "FREQ=DAILY;UNTIL=20000131T140000Z;BYMONTH=1" << "19980101T090000" << ""
                                   << far << january;
    QTest::newRow("weekly for 10") << "FREQ=WEEKLY;COUNT=10" << "19970902T090000" << "" << far
                                   << QStringList{"1997-09-02", "1997-09-09", "1997-09-16", "1997-09-23",
                                                  "1997-09-30", "1997-10-07", "1997-10-14", "1997-10-21",
                                                  "1997-10-28", "1997-11-04"};
    QTest::newRow("weekly until 24 Dec") << "FREQ=WEEKLY;UNTIL=19971224T000000Z" << "19970902T090000" << "" << far
                                         << QStringList{"1997-09-02", "1997-09-09", "1997-09-16", "1997-09-23",
                                                        "1997-09-30", "1997-10-07", "1997-10-14", "1997-10-21",
                                                        "1997-10-28", "1997-11-04", "1997-11-11", "1997-11-18",
                                                        "1997-11-25", "1997-12-02", "1997-12-09", "1997-12-16",
                                                        "1997-12-23"};
    QTest::newRow("every other week") << "FREQ=WEEKLY;INTERVAL=2;WKST=SU" << "19970902T090000" << ""
                                      << QDate(1998, 2, 18)
                                      << QStringList{"1997-09-02", "1997-09-16", "1997-09-30", "1997-10-14",
                                                     "1997-10-28", "1997-11-11", "1997-11-25", "1997-12-09",
                                                     "1997-12-23", "1998-01-06", "1998-01-20", "1998-02-03",
                                                     "1998-02-17"};
    const QStringList tuesdayThursday = {"1997-09-02", "1997-09-04", "1997-09-09", "1997-09-11", "1997-09-16",
                                         "1997-09-18", "1997-09-23", "1997-09-25", "1997-09-30", "1997-10-02"};
    QTest::newRow("tue thu until") << "FREQ=WEEKLY;UNTIL=19971007T000000Z;WKST=SU;BYDAY=TU,TH"
                                   << "19970902T090000" << "" << far << tuesdayThursday;
    QTest::newRow("tue thu count") << "FREQ=WEEKLY;COUNT=10;WKST=SU;BYDAY=TU,TH" << "19970902T090000" << ""
                                   << far << tuesdayThursday;
    QTest::newRow("other week mo we fr")
        << "FREQ=WEEKLY;INTERVAL=2;UNTIL=19971224T000000Z;WKST=SU;BYDAY=MO,WE,FR" << "19970901T090000" << "" << far
        << QStringList{"1997-09-01", "1997-09-03", "1997-09-05", "1997-09-15", "1997-09-17", "1997-09-19",
                       "1997-09-29", "1997-10-01", "1997-10-03", "1997-10-13", "1997-10-15", "1997-10-17",
                       "1997-10-27", "1997-10-29", "1997-10-31", "1997-11-10", "1997-11-12", "1997-11-14",
                       "1997-11-24", "1997-11-26", "1997-11-28", "1997-12-08", "1997-12-10", "1997-12-12",
                       "1997-12-22"};
    QTest::newRow("other week tu th 8") << "FREQ=WEEKLY;INTERVAL=2;COUNT=8;WKST=SU;BYDAY=TU,TH"
                                        << "19970902T090000" << "" << far
                                        << QStringList{"1997-09-02", "1997-09-04", "1997-09-16", "1997-09-18",
                                                       "1997-09-30", "1997-10-02", "1997-10-14", "1997-10-16"};
    QTest::newRow("first friday 10") << "FREQ=MONTHLY;COUNT=10;BYDAY=1FR" << "19970905T090000" << "" << far
                                     << QStringList{"1997-09-05", "1997-10-03", "1997-11-07", "1997-12-05",
                                                    "1998-01-02", "1998-02-06", "1998-03-06", "1998-04-03",
                                                    "1998-05-01", "1998-06-05"};
    QTest::newRow("first friday until") << "FREQ=MONTHLY;UNTIL=19971224T000000Z;BYDAY=1FR" << "19970905T090000"
                                        << "" << far
                                        << QStringList{"1997-09-05", "1997-10-03", "1997-11-07", "1997-12-05"};
    QTest::newRow("first and last sunday") << "FREQ=MONTHLY;INTERVAL=2;COUNT=10;BYDAY=1SU,-1SU"
                                           << "19970907T090000" << "" << far
                                           << QStringList{"1997-09-07", "1997-09-28", "1997-11-02", "1997-11-30",
                                                          "1998-01-04", "1998-01-25", "1998-03-01", "1998-03-29",
                                                          "1998-05-03", "1998-05-31"};
    QTest::newRow("second to last monday") << "FREQ=MONTHLY;COUNT=6;BYDAY=-2MO" << "19970922T090000" << "" << far
                                           << QStringList{"1997-09-22", "1997-10-20", "1997-11-17", "1997-12-22",
                                                          "1998-01-19", "1998-02-16"};
    QTest::newRow("third to last day") << "FREQ=MONTHLY;BYMONTHDAY=-3" << "19970928T090000" << ""
                                       << QDate(1998, 3, 1)
                                       << QStringList{"1997-09-28", "1997-10-29", "1997-11-28", "1997-12-29",
                                                      "1998-01-29", "1998-02-26"};
    QTest::newRow("2nd and 15th") << "FREQ=MONTHLY;COUNT=10;BYMONTHDAY=2,15" << "19970902T090000" << "" << far
                                  << QStringList{"1997-09-02", "1997-09-15", "1997-10-02", "1997-10-15",
                                                 "1997-11-02", "1997-11-15", "1997-12-02", "1997-12-15",
                                                 "1998-01-02", "1998-01-15"};
    QTest::newRow("first and last day") << "FREQ=MONTHLY;COUNT=10;BYMONTHDAY=1,-1" << "19970930T090000" << ""
                                        << far
                                        << QStringList{"1997-09-30", "1997-10-01", "1997-10-31", "1997-11-01",
                                                       "1997-11-30", "1997-12-01", "1997-12-31", "1998-01-01",
                                                       "1998-01-31", "1998-02-01"};
    QTest::newRow("every 18 months") << "FREQ=MONTHLY;INTERVAL=18;COUNT=10;BYMONTHDAY=10,11,12,13,14,15"
                                     << "19970910T090000" << "" << far
                                     << QStringList{"1997-09-10", "1997-09-11", "1997-09-12", "1997-09-13",
                                                    "1997-09-14", "1997-09-15", "1999-03-10", "1999-03-11",
                                                    "1999-03-12", "1999-03-13"};
    QTest::newRow("tuesdays other month") << "FREQ=MONTHLY;INTERVAL=2;BYDAY=TU" << "19970902T090000" << ""
                                          << QDate(1998, 4, 1)
                                          << QStringList{"1997-09-02", "1997-09-09", "1997-09-16", "1997-09-23",
                                                         "1997-09-30", "1997-11-04", "1997-11-11", "1997-11-18",
                                                         "1997-11-25", "1998-01-06", "1998-01-13", "1998-01-20",
                                                         "1998-01-27", "1998-03-03", "1998-03-10", "1998-03-17",
                                                         "1998-03-24", "1998-03-31"};
    QTest::newRow("june and july") << "FREQ=YEARLY;COUNT=10;BYMONTH=6,7" << "19970610T090000" << "" << far
                                   << QStringList{"1997-06-10", "1997-07-10", "1998-06-10", "1998-07-10",
                                                  "1999-06-10", "1999-07-10", "2000-06-10", "2000-07-10",
                                                  "2001-06-10", "2001-07-10"};
    QTest::newRow("jan feb mar other year") << "FREQ=YEARLY;INTERVAL=2;COUNT=10;BYMONTH=1,2,3" << "19970310T090000"
                                            << "" << far
                                            << QStringList{"1997-03-10", "1999-01-10", "1999-02-10", "1999-03-10",
                                                           "2001-01-10", "2001-02-10", "2001-03-10", "2003-01-10",
                                                           "2003-02-10", "2003-03-10"};
    QTest::newRow("20th monday") << "FREQ=YEARLY;BYDAY=20MO" << "19970519T090000" << "" << QDate(2000, 1, 1)
                                 << QStringList{"1997-05-19", "1998-05-18", "1999-05-17"};
    QTest::newRow("thursdays in march") << "FREQ=YEARLY;BYMONTH=3;BYDAY=TH" << "19970313T090000" << ""
                                        << QDate(2000, 1, 1)
                                        << QStringList{"1997-03-13", "1997-03-20", "1997-03-27", "1998-03-05",
                                                       "1998-03-12", "1998-03-19", "1998-03-26", "1999-03-04",
                                                       "1999-03-11", "1999-03-18", "1999-03-25"};
    QTest::newRow("summer thursdays")
        << "FREQ=YEARLY;BYDAY=TH;BYMONTH=6,7,8" << "19970605T090000" << "" << QDate(2000, 1, 1)
        << QStringList{"1997-06-05", "1997-06-12", "1997-06-19", "1997-06-26", "1997-07-03", "1997-07-10",
                       "1997-07-17", "1997-07-24", "1997-07-31", "1997-08-07", "1997-08-14", "1997-08-21",
                       "1997-08-28", "1998-06-04", "1998-06-11", "1998-06-18", "1998-06-25", "1998-07-02",
                       "1998-07-09", "1998-07-16", "1998-07-23", "1998-07-30", "1998-08-06", "1998-08-13",
                       "1998-08-20", "1998-08-27", "1999-06-03", "1999-06-10", "1999-06-17", "1999-06-24",
                       "1999-07-01", "1999-07-08", "1999-07-15", "1999-07-22", "1999-07-29", "1999-08-05",
                       "1999-08-12", "1999-08-19", "1999-08-26"};
    QTest::newRow("friday 13th") << "FREQ=MONTHLY;BYDAY=FR;BYMONTHDAY=13" << "19970902T090000"
                                 << "19970902T090000" << QDate(2000, 12, 31)
                                 << QStringList{"1998-02-13", "1998-03-13", "1998-11-13", "1999-08-13", "2000-10-13"};
    QTest::newRow("saturday after first sunday")
        << "FREQ=MONTHLY;BYDAY=SA;BYMONTHDAY=7,8,9,10,11,12,13" << "19970913T090000" << "" << QDate(1998, 7, 1)
        << QStringList{"1997-09-13", "1997-10-11", "1997-11-08", "1997-12-13", "1998-01-10", "1998-02-07",
                       "1998-03-07", "1998-04-11", "1998-05-09", "1998-06-13"};
    QTest::newRow("election day") << "FREQ=YEARLY;INTERVAL=4;BYMONTH=11;BYDAY=TU;BYMONTHDAY=2,3,4,5,6,7,8"
                                  << "19961105T090000" << "" << QDate(2005, 1, 1)
                                  << QStringList{"1996-11-05", "2000-11-07", "2004-11-02"};
    QTest::newRow("third tu we th") << "FREQ=MONTHLY;COUNT=3;BYDAY=TU,WE,TH;BYSETPOS=3" << "19970904T090000" << ""
                                    << far << QStringList{"1997-09-04", "1997-10-07", "1997-11-06"};
    QTest::newRow("second to last weekday") << "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-2" << "19970929T090000"
                                            << "" << QDate(1998, 4, 1)
                                            << QStringList{"1997-09-29", "1997-10-30", "1997-11-27", "1997-12-30",
                                                           "1998-01-29", "1998-02-26", "1998-03-30"};
    QTest::newRow("wkst monday") << "FREQ=WEEKLY;INTERVAL=2;COUNT=4;BYDAY=TU,SU;WKST=MO" << "19970805T090000" << ""
                                 << far << QStringList{"1997-08-05", "1997-08-10", "1997-08-19", "1997-08-24"};
    QTest::newRow("wkst sunday") << "FREQ=WEEKLY;INTERVAL=2;COUNT=4;BYDAY=TU,SU;WKST=SU" << "19970805T090000" << ""
                                 << far << QStringList{"1997-08-05", "1997-08-17", "1997-08-19", "1997-08-31"};
    QTest::newRow("invalid days skipped") << "FREQ=MONTHLY;BYMONTHDAY=15,30;COUNT=5" << "20070115T090000" << ""
                                          << far
                                          << QStringList{"2007-01-15", "2007-01-30", "2007-02-15", "2007-03-15",
                                                         "2007-03-30"};
}

void TestRecurrenceRfc::rfcExamples()
{
    QFETCH(QString, rule);
    QFETCH(QString, dtstart);
    QFETCH(QString, exdate);
    QFETCH(QDate, rangeEnd);
    QFETCH(QStringList, expected);

    Event event;
    event.uid = QStringLiteral("rfc");
    event.timezone = QStringLiteral("America/New_York");
    event.start_time = nyTime(dtstart);
    event.end_time = event.start_time.addSecs(3600);
    event.recurrence_rule = rule;
    if (!exdate.isEmpty())
        event.exception_dates = QStringLiteral("[\"%1\"]").arg(
            nyTime(exdate).toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")));

    const QList<Event> occurrences =
        Recurrence::expandEvent(event, event.start_time, QDateTime(rangeEnd, QTime(0, 0), newYork()));
    QStringList dates;
    for (const Event &occurrence : occurrences) {
        const QDateTime local = occurrence.start_time.toTimeZone(newYork());
        QCOMPARE(local.time(), event.start_time.time());
        QCOMPARE(occurrence.end_time->toMSecsSinceEpoch() - occurrence.start_time.toMSecsSinceEpoch(), 3600000);
        dates << local.date().toString(Qt::ISODate);
    }
    QCOMPARE(dates, expected);
}

QTEST_GUILESS_MAIN(TestRecurrenceRfc)
#include "tst_recurrence_rfc.moc"
