#include "calendar/recurrence.h"

#include <QTest>
#include <QTimeZone>

#include "calendar/icscodec.h"

#include <ctime>
#include <thread>

// Printable form of an occurrence for failure messages.
char *toString(const Occurrence &occurrence)
{
    return QTest::toString(QStringLiteral("#%1 %2 – %3")
                               .arg(occurrence.eventIndex)
                               .arg(occurrence.start.toString(Qt::ISODateWithMs),
                                    occurrence.end.toString(Qt::ISODateWithMs)));
}

namespace {

QDateTime utc(int y, int m, int d, int h = 0, int min = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC);
}

Event series(const QDateTime &start, const QString &rule, qint64 minutes = 60)
{
    Event event;
    event.id = QStringLiteral("event-1");
    event.uid = QStringLiteral("series-1");
    event.title = QStringLiteral("Series");
    event.start_time = start;
    if (minutes >= 0)
        event.end_time = start.addSecs(minutes * 60);
    event.recurrence_rule = rule;
    return event;
}

QStringList utcStarts(const QList<Event> &events)
{
    QStringList starts;
    for (const Event &event : events)
        starts << event.start_time.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    return starts;
}

QStringList startsIn(const QList<Event> &events, const QTimeZone &zone)
{
    QStringList starts;
    for (const Event &event : events)
        starts << event.start_time.toTimeZone(zone).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    return starts;
}

// The starts of a calendar's occurrences in [from, to) on the wall clock
// of `zone`, read and expanded there as the store hands the records over:
// each instant in UTC. A thread of its own, so that no zone the thread
// keeps from before is used.
QStringList wallStartsIn(const QByteArray &zone, const QString &text, const QDate &from, const QDate &to)
{
    const QByteArray before = qgetenv("TZ");
    qputenv("TZ", zone);
    tzset();
    QStringList starts;
    std::thread([&] {
        QList<Event> events = IcsCodec::parseEvents(text);
        for (Event &event : events) {
            event.start_time = event.start_time.toUTC();
            if (event.end_time)
                event.end_time = event.end_time->toUTC();
        }
        const QList<Event> shown = Recurrence::expandForRange(events, QDateTime(from, QTime(0, 0)).toUTC(),
                                                              QDateTime(to, QTime(0, 0)).toUTC());
        for (const Event &event : shown)
            starts << event.start_time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    }).join();
    qputenv("TZ", before);
    tzset();
    return starts;
}

} // namespace

class TestRecurrence : public QObject
{
    Q_OBJECT

private slots:
    void occurrenceCopiesTheMasterWithItsOwnTimesAndRecurrenceId();
    void masterWithoutEndGetsHourLongOccurrencesOverlappingTheRange();
    void exceptionDatesRemoveTheOccurrencesTheyName();
    void singleEventsPassThroughFirstAndUnchanged();
    void lightOccurrencesStandForTheFullRecords();
    void occurrenceMovedToAnotherDayShowsWhereItWent_data();
    void occurrenceMovedToAnotherDayShowsWhereItWent();
    void nextStartAfterAnAnchorIsTheFirstOccurrence();

    void oldSeriesWithoutCountStillShowsInRange_data();
    void oldSeriesWithoutCountStillShowsInRange();
    void oldSeriesWithCountEndsAfterCountStarts();
    void startsInsideOneRangeAreCapped();
    void wallClockStaysInTheEventZoneAcrossDaylightSaving();
    void allDayOccurrencesStayWholeDaysAcrossDaylightSaving();
    void occurrenceEndKeepsWholeDaysOnTheWallClock();
    void allDayOverridesAndExceptionsMatchByDateInEveryZone();
    void floatingSeriesStaysOnTheComputersWallClock_data();
    void floatingSeriesStaysOnTheComputersWallClock();
    void recurrenceIdsAreWrittenAndReadOneWay_data();
    void recurrenceIdsAreWrittenAndReadOneWay();

    void parseRuleReadsEveryPart_data();
    void parseRuleReadsEveryPart();
    void parseRuleReadsTheFurtherParts();
    void parseByDayReadsPlainCodesOnly();
    void parseByDayEntryReadsOrdinals_data();
    void parseByDayEntryReadsOrdinals();
    void parseExceptionDatesSkipsWhatItCannotRead();
};

void TestRecurrence::occurrenceCopiesTheMasterWithItsOwnTimesAndRecurrenceId()
{
    Event master = series(utc(2024, 6, 3, 9, 30), QStringLiteral("FREQ=DAILY"), 45);
    master.master_event_uid = QStringLiteral("kept-as-is");
    master.location = QStringLiteral("Room 1");
    const QList<Event> occurrences = Recurrence::expandEvent(master, utc(2024, 6, 4), utc(2024, 6, 5));
    QCOMPARE(occurrences.size(), 1);
    const Event &occurrence = occurrences.first();
    QCOMPARE(occurrence.id, master.id);
    QCOMPARE(occurrence.uid, master.uid);
    QCOMPARE(occurrence.location, master.location);
    QCOMPARE(occurrence.master_event_uid, QStringLiteral("kept-as-is"));
    QCOMPARE(occurrence.start_time, utc(2024, 6, 4, 9, 30));
    QCOMPARE(*occurrence.end_time, utc(2024, 6, 4, 10, 15));
    QCOMPARE(occurrence.recurrence_id, QStringLiteral("20240604T093000Z"));
}

void TestRecurrence::masterWithoutEndGetsHourLongOccurrencesOverlappingTheRange()
{
    const Event master = series(utc(2024, 6, 3, 9), QStringLiteral("FREQ=DAILY"), -1);
    const QList<Event> occurrences = Recurrence::expandEvent(master, utc(2024, 6, 4, 9, 30), utc(2024, 6, 5, 9));
    QCOMPARE(utcStarts(occurrences), QStringList({"2024-06-04 09:00"}));
    QCOMPARE(*occurrences.first().end_time, utc(2024, 6, 4, 10));
}

void TestRecurrence::exceptionDatesRemoveTheOccurrencesTheyName()
{
    Event master = series(utc(2024, 6, 3, 0), QStringLiteral("FREQ=DAILY;COUNT=6"));
    const QDateTime localFourth = utc(2024, 6, 4, 0).toLocalTime();
    master.exception_dates = QStringLiteral("[\"20240603T000000Z\",\"%1\",\"20240605\",\"20240606T000000\"]")
                                 .arg(localFourth.toString(QStringLiteral("yyyyMMdd'T'HHmmss")));
    const QStringList starts = utcStarts(Recurrence::expandEvent(master, utc(2024, 6, 1), utc(2024, 7, 1)));
    // With Z: that instant. Without Z: local time, so the 4th goes in every
    // zone and the 6th (written as UTC wall-clock) only where local is UTC.
    // A date removes the occurrence at 00:00 UTC of that day.
    QStringList expected = {"2024-06-07 00:00", "2024-06-08 00:00"};
    if (utc(2024, 6, 6).toLocalTime().offsetFromUtc() != 0)
        expected.prepend(QStringLiteral("2024-06-06 00:00"));
    QCOMPARE(starts, expected);
}

void TestRecurrence::singleEventsPassThroughFirstAndUnchanged()
{
    Event single = series(utc(2020, 1, 1, 9), QString()); // far outside: the caller chose it
    single.id = QStringLiteral("single");
    const Event master = series(utc(2024, 6, 3, 9), QStringLiteral("FREQ=DAILY;COUNT=2"));
    const QList<Event> result = Recurrence::expandForRange({master, single}, utc(2024, 6, 1), utc(2024, 7, 1));
    QCOMPARE(result.size(), 3);
    QCOMPARE(result.first().id, QStringLiteral("single"));
    QCOMPARE(result.first().start_time, single.start_time);
    QCOMPARE(result.first().recurrence_id, QString());
}

void TestRecurrence::lightOccurrencesStandForTheFullRecords()
{
    Event master = series(QDateTime(QDate(2024, 6, 3), QTime(9, 0), QTimeZone("Europe/Berlin")),
                          QStringLiteral("FREQ=DAILY;COUNT=3"), 30);
    master.timezone = QStringLiteral("Europe/Berlin");
    Event moved;
    moved.id = QStringLiteral("moved");
    moved.master_event_uid = master.uid;
    moved.recurrence_id = QStringLiteral("20240604T070000Z");
    moved.start_time = utc(2024, 6, 4, 12);
    Event single = series(utc(2024, 6, 5, 15), QString());
    single.id = QStringLiteral("single");
    const QList<Event> events = {master, moved, single};

    const QList<Occurrence> light = Recurrence::occurrences(events, utc(2024, 6, 1), utc(2024, 7, 1));
    const QList<Occurrence> expected = {{2, utc(2024, 6, 5, 15), utc(2024, 6, 5, 16)},
                                        {0, utc(2024, 6, 3, 7), utc(2024, 6, 3, 7, 30)},
                                        {1, utc(2024, 6, 4, 12), QDateTime()},
                                        {0, utc(2024, 6, 5, 7), utc(2024, 6, 5, 7, 30)}};
    QCOMPARE(light, expected);
    QCOMPARE(light.first().start.timeSpec(), Qt::UTC);

    const QList<Event> full = Recurrence::expandForRange(events, utc(2024, 6, 1), utc(2024, 7, 1));
    QCOMPARE(full.size(), light.size());
    for (qsizetype i = 0; i < full.size(); ++i) {
        const Event built = Recurrence::eventFor(events.at(light.at(i).eventIndex), light.at(i));
        QCOMPARE(built.id, full.at(i).id);
        QCOMPARE(built.start_time, full.at(i).start_time);
        QCOMPARE(built.recurrence_id, full.at(i).recurrence_id);
    }
    // Built in the series' own zone, named by its UTC start.
    QCOMPARE(full.at(1).start_time.timeZone(), QTimeZone("Europe/Berlin"));
    QCOMPARE(full.at(3).recurrence_id, QStringLiteral("20240605T070000Z"));
}

void TestRecurrence::occurrenceMovedToAnotherDayShowsWhereItWent_data()
{
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<QDateTime>("to");
    QTest::addColumn<QList<Occurrence>>("expected");
    // Tuesdays at 15:00; the one of 15 December moved to Wednesday at 16:00.
    const Occurrence moved{1, utc(2026, 12, 16, 16), utc(2026, 12, 16, 17)};
    QTest::newRow("the day it moved to") << utc(2026, 12, 16) << utc(2026, 12, 17) << QList<Occurrence>{moved};
    QTest::newRow("its week, once") << utc(2026, 12, 14) << utc(2026, 12, 21) << QList<Occurrence>{moved};
    QTest::newRow("a range ending as it starts") << utc(2026, 12, 16) << utc(2026, 12, 16, 16) << QList<Occurrence>{};
    QTest::newRow("the next day") << utc(2026, 12, 17) << utc(2026, 12, 18) << QList<Occurrence>{};
    QTest::newRow("the week after")
        << utc(2026, 12, 21) << utc(2026, 12, 28)
        << QList<Occurrence>{{0, utc(2026, 12, 22, 15), utc(2026, 12, 22, 16)}};
}

void TestRecurrence::occurrenceMovedToAnotherDayShowsWhereItWent()
{
    QFETCH(QDateTime, from);
    QFETCH(QDateTime, to);
    QFETCH(QList<Occurrence>, expected);
    const Event master = series(utc(2026, 12, 8, 15), QStringLiteral("FREQ=WEEKLY;COUNT=4"));
    Event moved;
    moved.id = QStringLiteral("moved");
    moved.uid = master.uid;
    moved.master_event_uid = master.uid;
    moved.recurrence_id = QStringLiteral("20261215T150000Z");
    moved.start_time = utc(2026, 12, 16, 16);
    moved.end_time = utc(2026, 12, 16, 17);
    QCOMPARE(Recurrence::occurrences({master, moved}, from, to), expected);
}

void TestRecurrence::nextStartAfterAnAnchorIsTheFirstOccurrence()
{
    // How a recurring task finds its next due date.
    const QDateTime anchor = utc(2024, 6, 3);
    Event probe;
    probe.start_time = anchor;
    probe.end_time = anchor;
    probe.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    QList<Event> next = Recurrence::expandEvent(probe, anchor.addSecs(1), anchor.addYears(5));
    QVERIFY(!next.isEmpty());
    QCOMPARE(next.first().start_time, utc(2024, 6, 10));

    probe.recurrence_rule = QStringLiteral("FREQ=DAILY;COUNT=1");
    QVERIFY(Recurrence::expandEvent(probe, anchor.addSecs(1), anchor.addYears(5)).isEmpty());
    probe.recurrence_rule = QStringLiteral("FREQ=YEARLY;INTERVAL=6");
    QVERIFY(Recurrence::expandEvent(probe, anchor.addSecs(1), anchor.addYears(5)).isEmpty());
}

void TestRecurrence::oldSeriesWithoutCountStillShowsInRange_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<int>("expectedDays");
    QTest::addColumn<QDateTime>("from");

    // Independent expectations: the dates in the week of 2030-06-03 that the
    // rule names, counted by hand from the series start of 1990-01-01 (a
    // Monday) — 2030-06-03 is 14763 days later, week 2109, month 485.
    QTest::newRow("daily") << "FREQ=DAILY" << 7 << utc(2030, 6, 3);
    QTest::newRow("every third day") << "FREQ=DAILY;INTERVAL=3" << 3 << utc(2030, 6, 3);
    QTest::newRow("weekly on weekdays") << "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR" << 5 << utc(2030, 6, 3);
    QTest::newRow("odd weeks skip this one") << "FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,TH" << 0 << utc(2030, 6, 3);
    QTest::newRow("even weeks do not") << "FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,TH" << 2 << utc(2030, 6, 10);
    QTest::newRow("monthly first monday") << "FREQ=MONTHLY;BYDAY=1MO" << 1 << utc(2030, 6, 3);
    QTest::newRow("every fifth month") << "FREQ=MONTHLY;INTERVAL=5;BYMONTHDAY=4" << 1 << utc(2030, 6, 3);
    QTest::newRow("yearly in june") << "FREQ=YEARLY;BYMONTH=6;BYDAY=1TU" << 1 << utc(2030, 6, 3);
}

void TestRecurrence::oldSeriesWithoutCountStillShowsInRange()
{
    QFETCH(QString, rule);
    QFETCH(int, expectedDays);
    QFETCH(QDateTime, from);
    const Event master = series(utc(1990, 1, 1, 9), rule);
    const QList<Event> occurrences = Recurrence::expandEvent(master, from, from.addDays(7));
    QCOMPARE(occurrences.size(), expectedDays);
    for (const Event &occurrence : occurrences)
        QCOMPARE(occurrence.start_time.toUTC().time(), QTime(9, 0));
}

void TestRecurrence::oldSeriesWithCountEndsAfterCountStarts()
{
    const Event master = series(utc(1990, 1, 1, 9), QStringLiteral("FREQ=DAILY;COUNT=20000"));
    const QDateTime last = utc(1990, 1, 1, 9).addDays(19999);
    QCOMPARE(utcStarts(Recurrence::expandEvent(master, last.addDays(-1), last.addDays(3))),
             QStringList({last.addDays(-1).toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                          last.toString(QStringLiteral("yyyy-MM-dd HH:mm"))}));
}

void TestRecurrence::startsInsideOneRangeAreCapped()
{
    const Event master = series(utc(2000, 1, 1, 9), QStringLiteral("FREQ=DAILY"));
    const QList<Event> occurrences = Recurrence::expandEvent(master, utc(2000, 1, 1), utc(2100, 1, 1));
    QCOMPARE(occurrences.size(), 10000);
    QCOMPARE(occurrences.first().start_time, utc(2000, 1, 1, 9));
}

void TestRecurrence::wallClockStaysInTheEventZoneAcrossDaylightSaving()
{
    const QTimeZone berlin("Europe/Berlin");
    // As the store may hand it over: the instant in UTC, the zone by name.
    Event master = series(QDateTime(QDate(2024, 3, 18), QTime(9, 0), berlin).toUTC(), QStringLiteral("FREQ=WEEKLY"));
    master.timezone = QStringLiteral("Europe/Berlin");
    const QList<Event> occurrences = Recurrence::expandEvent(master, utc(2024, 3, 1), utc(2024, 4, 9));
    QCOMPARE(startsIn(occurrences, berlin),
             QStringList({"2024-03-18 09:00", "2024-03-25 09:00", "2024-04-01 09:00", "2024-04-08 09:00"}));
    QCOMPARE(utcStarts(occurrences),
             QStringList({"2024-03-18 08:00", "2024-03-25 08:00", "2024-04-01 07:00", "2024-04-08 07:00"}));
    QCOMPARE(occurrences.at(2).recurrence_id, QStringLiteral("20240401T070000Z"));
}

void TestRecurrence::allDayOccurrencesStayWholeDaysAcrossDaylightSaving()
{
    // As read from the store: local midnights, whatever the zone of the run.
    Event master;
    master.uid = QStringLiteral("all-day");
    master.is_all_day = true;
    master.start_time = QDateTime(QDate(2024, 3, 28), QTime(0, 0));
    master.end_time = QDateTime(QDate(2024, 3, 29), QTime(0, 0));
    master.recurrence_rule = QStringLiteral("FREQ=DAILY;COUNT=8");
    const QList<Event> occurrences = Recurrence::expandEvent(master, QDateTime(QDate(2024, 3, 1), QTime(0, 0)),
                                                             QDateTime(QDate(2024, 5, 1), QTime(0, 0)));
    QCOMPARE(occurrences.size(), 8);
    for (int i = 0; i < occurrences.size(); ++i) {
        const Event &occurrence = occurrences.at(i);
        QCOMPARE(occurrence.start_time.toLocalTime(), QDateTime(QDate(2024, 3, 28).addDays(i), QTime(0, 0)));
        QCOMPARE(occurrence.end_time->toLocalTime(), QDateTime(QDate(2024, 3, 29).addDays(i), QTime(0, 0)));
        QCOMPARE(occurrence.recurrence_id, QDate(2024, 3, 28).addDays(i).toString(QStringLiteral("yyyyMMdd'T000000Z'")));
    }
}

void TestRecurrence::occurrenceEndKeepsWholeDaysOnTheWallClock()
{
    // The series' first day has 23 hours; the days after it have 24.
    const QTimeZone berlin("Europe/Berlin");
    Event master = series(QDateTime(QDate(2026, 3, 29), QTime(0, 0), berlin), QStringLiteral("FREQ=DAILY"));
    master.timezone = QStringLiteral("Europe/Berlin");
    master.end_time = QDateTime(QDate(2026, 3, 30), QTime(0, 0), berlin);
    const QDateTime next(QDate(2026, 3, 30), QTime(0, 0), berlin);
    QCOMPARE(Recurrence::occurrenceEnd(master, next), QDateTime(QDate(2026, 3, 31), QTime(0, 0), berlin));
    // A length under a day stays exact.
    master.end_time = QDateTime(QDate(2026, 3, 29), QTime(5, 0), berlin);
    QCOMPARE(Recurrence::occurrenceEnd(master, next), next.addSecs(4 * 3600));
}

void TestRecurrence::allDayOverridesAndExceptionsMatchByDateInEveryZone()
{
    Event master;
    master.uid = QStringLiteral("weekly-all-day");
    master.is_all_day = true;
    master.start_time = QDateTime(QDate(2024, 6, 3), QTime(0, 0));
    master.end_time = QDateTime(QDate(2024, 6, 4), QTime(0, 0));
    master.recurrence_rule = QStringLiteral("FREQ=WEEKLY;COUNT=4");
    master.exception_dates = QStringLiteral("[\"20240610\"]");

    Event byDate;
    byDate.id = QStringLiteral("by-date");
    byDate.master_event_uid = master.uid;
    byDate.recurrence_id = QStringLiteral("20240617T000000Z");
    byDate.is_all_day = true;
    byDate.start_time = QDateTime(QDate(2024, 6, 18), QTime(0, 0));
    byDate.end_time = QDateTime(QDate(2024, 6, 19), QTime(0, 0));
    // Written from the occurrence's own start, as a local midnight in UTC.
    Event byInstant = byDate;
    byInstant.id = QStringLiteral("by-instant");
    byInstant.recurrence_id =
        QDateTime(QDate(2024, 6, 24), QTime(0, 0)).toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));

    const QList<Event> result = Recurrence::expandForRange({master, byDate, byInstant},
                                                           QDateTime(QDate(2024, 6, 1), QTime(0, 0)),
                                                           QDateTime(QDate(2024, 7, 1), QTime(0, 0)));
    QStringList seen;
    for (const Event &event : result)
        seen << (event.id.isEmpty() ? event.start_time.date().toString(Qt::ISODate) : event.id);
    QCOMPARE(seen, QStringList({"2024-06-03", "by-date", "by-instant"}));
}

// Every side names an occurrence the same way: a timed one by its start in
// UTC, an all-day one by its date at midnight, on the series' clock or as
// read back (00:00 UTC); a changed day stored by its date alone, as an
// earlier version named a Google all-day instance, still takes its place.
void TestRecurrence::recurrenceIdsAreWrittenAndReadOneWay_data()
{
    QTest::addColumn<bool>("allDay");
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("stored"); // as a changed day's row names it
    const QDateTime localMidnight(QDate(2026, 3, 3), QTime(0, 0));
    QTest::newRow("timed, in a zone") << false
                                      << QDateTime(QDate(2026, 3, 3), QTime(9, 0), QTimeZone("Europe/Berlin"))
                                      << "20260303T080000Z" << "20260303T080000Z";
    QTest::newRow("all-day, local midnight") << true << localMidnight << "20260303T000000Z" << "20260303T000000Z";
    QTest::newRow("all-day, local midnight as an instant")
        << true << localMidnight.toUTC() << "20260303T000000Z" << "20260303T000000Z";
    QTest::newRow("all-day, read back") << true << utc(2026, 3, 3) << "20260303T000000Z" << "20260303T000000Z";
    QTest::newRow("all-day, stored by its date alone") << true << localMidnight << "20260303T000000Z" << "20260303";
}

void TestRecurrence::recurrenceIdsAreWrittenAndReadOneWay()
{
    QFETCH(bool, allDay);
    QFETCH(QDateTime, start);
    QFETCH(QString, written);
    QFETCH(QString, stored);
    Event master = series(allDay ? QDateTime(QDate(2026, 3, 2), QTime(0, 0))
                                 : QDateTime(QDate(2026, 3, 2), QTime(9, 0), QTimeZone("Europe/Berlin")),
                          QStringLiteral("FREQ=DAILY;COUNT=3"), allDay ? 24 * 60 : 60);
    master.is_all_day = allDay;
    master.timezone = allDay ? QStringLiteral("UTC") : QStringLiteral("Europe/Berlin");
    QCOMPARE(Recurrence::recurrenceIdOf(master, start), written);
    QCOMPARE(Recurrence::recurrenceIdOf(master, Recurrence::readRecurrenceId(stored)), written);
    QCOMPARE(Recurrence::storedRecurrenceId(stored), written);

    Event changed = master;
    changed.id = QStringLiteral("changed");
    changed.recurrence_rule.clear();
    changed.master_event_uid = master.uid;
    changed.recurrence_id = stored;
    changed.title = QStringLiteral("Changed");
    changed.start_time = master.start_time.addDays(5);
    changed.end_time = changed.start_time.addSecs(3600);
    QStringList shown;
    for (const Event &event : Recurrence::expandForRange({master, changed}, utc(2026, 3, 1), utc(2026, 3, 10)))
        shown << event.title + QLatin1Char(' ') + event.recurrence_id;
    QCOMPARE(shown, (QStringList{"Series " + Recurrence::recurrenceIdOf(master, master.start_time),
                                 "Changed " + stored,
                                 "Series " + Recurrence::recurrenceIdOf(master, master.start_time.addDays(2))}));
}

void TestRecurrence::floatingSeriesStaysOnTheComputersWallClock_data()
{
    // The computer's zone, a calendar's series (and what it changes), the
    // days shown and the starts shown there.
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QStringList>("starts");
    const QString weekly = QStringLiteral("DTSTART:20260302T090000\r\nDURATION:PT1H\r\nRRULE:FREQ=WEEKLY\r\n");
    const QDate march(2026, 3, 16);
    const QDate april(2026, 4, 7);
    const QStringList berlinWeeks{"2026-03-16 09:00", "2026-03-23 09:00", "2026-03-30 09:00", "2026-04-06 09:00"};
    QTest::newRow("floating weekly, Berlin, spring") << QByteArray("Europe/Berlin") << weekly << march << april
                                                     << berlinWeeks;
    QTest::newRow("floating weekly, New York, spring")
        << QByteArray("America/New_York") << weekly << QDate(2026, 3, 2) << QDate(2026, 3, 17)
        << QStringList{"2026-03-02 09:00", "2026-03-09 09:00", "2026-03-16 09:00"};
    const QString daily = QStringLiteral("DTSTART:20260901T090000\r\nDTEND:20260901T093000\r\nRRULE:FREQ=DAILY\r\n");
    QTest::newRow("floating daily, Berlin, autumn")
        << QByteArray("Europe/Berlin") << daily << QDate(2026, 10, 24) << QDate(2026, 10, 27)
        << QStringList{"2026-10-24 09:00", "2026-10-25 09:00", "2026-10-26 09:00"};
    QTest::newRow("floating daily, New York, autumn")
        << QByteArray("America/New_York") << daily << QDate(2026, 10, 31) << QDate(2026, 11, 3)
        << QStringList{"2026-10-31 09:00", "2026-11-01 09:00", "2026-11-02 09:00"};
    QTest::newRow("floating weekly until a floating time, New York")
        << QByteArray("America/New_York")
        << QStringLiteral("DTSTART:20260302T090000\r\nRRULE:FREQ=WEEKLY;UNTIL=20260316T090000\r\n")
        << QDate(2026, 3, 1) << QDate(2026, 3, 31)
        << QStringList{"2026-03-02 09:00", "2026-03-09 09:00", "2026-03-16 09:00"};
    QTest::newRow("floating occurrence changed after the change")
        << QByteArray("Europe/Berlin")
        << weekly + QStringLiteral("END:VEVENT\r\nBEGIN:VEVENT\r\nUID:walk\r\nRECURRENCE-ID:20260330T090000\r\n"
                                   "DTSTART:20260330T110000\r\nDURATION:PT1H\r\n")
        << march << april << QStringList{"2026-03-16 09:00", "2026-03-23 09:00", "2026-03-30 11:00", "2026-04-06 09:00"};
    QTest::newRow("floating day skipped after the change")
        << QByteArray("Europe/Berlin") << weekly + QStringLiteral("EXDATE:20260330T090000\r\n") << march << april
        << QStringList{"2026-03-16 09:00", "2026-03-23 09:00", "2026-04-06 09:00"};
    // A start written in the hour the change skips shows an hour on, the
    // days after at the time written; one written after it stays there.
    const QStringList fromSkippedHour{"2026-03-29 03:30", "2026-03-30 02:30", "2026-03-31 02:30"};
    for (const char *start : {"DTSTART:20260329T023000", "DTSTART;TZID=Europe/Berlin:20260329T023000"})
        QTest::newRow(start) << QByteArray("Europe/Berlin")
                             << QLatin1String(start) + QStringLiteral("\r\nDURATION:PT1H\r\nRRULE:FREQ=DAILY\r\n")
                             << QDate(2026, 3, 29) << QDate(2026, 4, 1) << fromSkippedHour;
    QTest::newRow("floating start after the skipped hour")
        << QByteArray("Europe/Berlin") << QStringLiteral("DTSTART:20260329T033000\r\nDURATION:PT1H\r\nRRULE:FREQ=DAILY\r\n")
        << QDate(2026, 3, 29) << QDate(2026, 4, 1)
        << QStringList{"2026-03-29 03:30", "2026-03-30 03:30", "2026-03-31 03:30"};
    // Guards: a zoned series keeps its zone's wall clock, a UTC one its
    // instant.
    QTest::newRow("zoned series seen in New York")
        << QByteArray("America/New_York")
        << QStringLiteral("DTSTART;TZID=Europe/Berlin:20260302T090000\r\nDURATION:PT1H\r\nRRULE:FREQ=WEEKLY\r\n")
        << march << april << QStringList{"2026-03-16 04:00", "2026-03-23 04:00", "2026-03-30 03:00", "2026-04-06 03:00"};
    QTest::newRow("UTC series")
        << QByteArray("Europe/Berlin")
        << QStringLiteral("DTSTART:20260302T080000Z\r\nDURATION:PT1H\r\nRRULE:FREQ=WEEKLY\r\n") << march << april
        << QStringList{"2026-03-16 09:00", "2026-03-23 09:00", "2026-03-30 10:00", "2026-04-06 10:00"};
}

void TestRecurrence::floatingSeriesStaysOnTheComputersWallClock()
{
    QFETCH(QByteArray, zone);
    QFETCH(QString, lines);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QStringList, starts);
    const QString text = QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:walk\r\nSUMMARY:Walk\r\n") + lines
                         + QStringLiteral("END:VEVENT\r\nEND:VCALENDAR\r\n");
    QCOMPARE(wallStartsIn(zone, text, from, to), starts);
}

void TestRecurrence::parseRuleReadsEveryPart_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("freq");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("count");
    QTest::addColumn<QDateTime>("until");
    QTest::addColumn<bool>("untilIsDate");
    QTest::addColumn<QStringList>("byDay");
    QTest::addColumn<bool>("readable");

    QTest::newRow("empty") << "" << "" << 1 << 0 << QDateTime() << false << QStringList() << false;
    QTest::newRow("full") << "FREQ=weekly;INTERVAL=2;COUNT=5;BYDAY=mo,,we" << "WEEKLY" << 2 << 5 << QDateTime()
                          << false << QStringList{"MO", "WE"} << true;
    QTest::newRow("bad numbers") << "FREQ=DAILY;INTERVAL=0;COUNT=-3" << "DAILY" << 1 << 0 << QDateTime() << false
                                 << QStringList() << false;
    QTest::newRow("not numbers") << "FREQ=DAILY;INTERVAL=x;COUNT=y" << "DAILY" << 1 << 0 << QDateTime() << false
                                 << QStringList() << false;
    QTest::newRow("largest interval") << "FREQ=YEARLY;INTERVAL=2147483647" << "YEARLY" << 2147483647 << 0
                                      << QDateTime() << false << QStringList() << true;
    QTest::newRow("interval past int") << "FREQ=YEARLY;INTERVAL=2147483648" << "YEARLY" << 1 << 0 << QDateTime()
                                       << false << QStringList() << false;
    QTest::newRow("until utc") << "FREQ=DAILY;UNTIL=20251231T235959Z" << "DAILY" << 1 << 0
                               << utc(2025, 12, 31).addSecs(86399) << false << QStringList() << true;
    QTest::newRow("until floating as utc") << "FREQ=DAILY;UNTIL=20251231T100000" << "DAILY" << 1 << 0
                                           << utc(2025, 12, 31, 10) << false << QStringList() << true;
    QTest::newRow("until date") << "FREQ=DAILY;UNTIL=20251231" << "DAILY" << 1 << 0 << utc(2025, 12, 31) << true
                                << QStringList() << true;
    QTest::newRow("until unreadable") << "FREQ=DAILY;UNTIL=tomorrow" << "DAILY" << 1 << 0 << QDateTime() << false
                                      << QStringList() << false;
    QTest::newRow("later key wins") << "FREQ=DAILY;FREQ=MONTHLY;BYDAY=1TH;BYDAY=-1FR" << "MONTHLY" << 1 << 0
                                    << QDateTime() << false << QStringList{"-1FR"} << true;
    QTest::newRow("first of several rules") << "FREQ=WEEKLY;COUNT=2\nFREQ=DAILY" << "WEEKLY" << 1 << 2
                                            << QDateTime() << false << QStringList() << true;
}

void TestRecurrence::parseRuleReadsEveryPart()
{
    QFETCH(QString, text);
    QFETCH(QString, freq);
    QFETCH(int, interval);
    QFETCH(int, count);
    QFETCH(QDateTime, until);
    QFETCH(bool, untilIsDate);
    QFETCH(QStringList, byDay);
    QFETCH(bool, readable);
    const RecurrenceRule rule = Recurrence::parseRule(text);
    QCOMPARE(rule.freq, freq);
    QCOMPARE(rule.interval, interval);
    QCOMPARE(rule.count, count);
    QCOMPARE(rule.until, until);
    QCOMPARE(rule.untilIsDate, untilIsDate);
    QCOMPARE(rule.byDay, byDay);
    QCOMPARE(rule.readable, readable);
}

void TestRecurrence::parseRuleReadsTheFurtherParts()
{
    const RecurrenceRule rule = Recurrence::parseRule(QStringLiteral(
        "FREQ=YEARLY;BYMONTH=3,11;BYMONTHDAY=1,-1;BYSETPOS=-2;WKST=SU;BYYEARDAY=-366,100;BYWEEKNO=53,-1;"
        "BYHOUR=0,23;BYMINUTE=59;BYSECOND=60"));
    QVERIFY(rule.readable);
    QCOMPARE(rule.byMonth, QList<int>({3, 11}));
    QCOMPARE(rule.byMonthDay, QList<int>({1, -1}));
    QCOMPARE(rule.bySetPos, QList<int>({-2}));
    QCOMPARE(rule.weekStart, 7);
    QCOMPARE(rule.byYearDay, QList<int>({-366, 100}));
    QCOMPARE(rule.byWeekNo, QList<int>({53, -1}));
    QCOMPARE(rule.byHour, QList<int>({0, 23}));
    QCOMPARE(rule.byMinute, QList<int>({59}));
    QCOMPARE(rule.bySecond, QList<int>({60}));
    for (const char *part : {"BYYEARDAY=0", "BYYEARDAY=367", "BYWEEKNO=54", "BYSETPOS=0", "BYMONTH=13",
                             "BYMINUTE=60", "BYSECOND=61", "WKST=XX"})
        QVERIFY2(!Recurrence::parseRule(QStringLiteral("FREQ=YEARLY;") + QLatin1String(part)).readable, part);
}

void TestRecurrence::parseByDayReadsPlainCodesOnly()
{
    const QStringList codes = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
    for (int i = 0; i < codes.size(); ++i)
        QCOMPARE(Recurrence::parseByDay(codes.at(i)), i + 1);
    for (const QString &other : {QStringLiteral("2MO"), QStringLiteral("-1FR"), QStringLiteral("mo"),
                                 QStringLiteral(""), QStringLiteral("XX")})
        QCOMPARE(Recurrence::parseByDay(other), 0);
}

void TestRecurrence::parseByDayEntryReadsOrdinals_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("ordinal");
    QTest::addColumn<int>("weekday");
    QTest::newRow("plain") << "SA" << true << 0 << 6;
    QTest::newRow("second monday") << "2MO" << true << 2 << 1;
    QTest::newRow("last friday") << "-1FR" << true << -1 << 5;
    QTest::newRow("plus sign") << "+3TU" << true << 3 << 2;
    QTest::newRow("lower case") << " -2we " << true << -2 << 3;
    QTest::newRow("zero") << "0MO" << false << 0 << 0;
    QTest::newRow("unknown day") << "1XX" << false << 0 << 0;
    QTest::newRow("garbage ordinal") << "aMO" << false << 0 << 0;
}

void TestRecurrence::parseByDayEntryReadsOrdinals()
{
    QFETCH(QString, entry);
    QFETCH(bool, valid);
    QFETCH(int, ordinal);
    QFETCH(int, weekday);
    int readOrdinal = 0;
    int readWeekday = 0;
    QCOMPARE(Recurrence::parseByDayEntry(entry, &readOrdinal, &readWeekday), valid);
    if (valid) {
        QCOMPARE(readOrdinal, ordinal);
        QCOMPARE(readWeekday, weekday);
    }
}

void TestRecurrence::parseExceptionDatesSkipsWhatItCannotRead()
{
    QVERIFY(Recurrence::parseExceptionDates(QString()).isEmpty());
    QVERIFY(Recurrence::parseExceptionDates(QStringLiteral("not json")).isEmpty());
    QVERIFY(Recurrence::parseExceptionDates(QStringLiteral("{\"a\":1}")).isEmpty());
    const QSet<qint64> set = Recurrence::parseExceptionDates(
        QStringLiteral("[\"20240603T090000Z\",\"bad\",\"20240605\",\"20241332\",\"20240606T120000\"]"));
    QCOMPARE(set.size(), 3);
    QVERIFY(set.contains(utc(2024, 6, 3, 9).toMSecsSinceEpoch()));
    QVERIFY(set.contains(utc(2024, 6, 5).toMSecsSinceEpoch()));
    QVERIFY(set.contains(QDateTime(QDate(2024, 6, 6), QTime(12, 0)).toMSecsSinceEpoch()));
}

QTEST_GUILESS_MAIN(TestRecurrence)
#include "tst_recurrence.moc"
