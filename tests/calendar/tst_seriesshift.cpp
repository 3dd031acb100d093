#include "calendar/seriesshift.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>
#include <QTimeZone>

#include "calendar/icscodec.h"
#include "calendar/icstext.h"
#include "calendar/recurrence.h"

#include <ctime>
#include <thread>

namespace {

// What a drag of a whole series gave: refused or not, the rule written,
// and the occurrences of a range as the old series moved them (each one on
// its own wall clock, worked out here with plain Qt) beside those the new
// series shows.
struct Outcome
{
    bool refused = false;
    QString rule;
    QStringList expected;
    QStringList shown;
};

// The clock a series' times are read on: its zone, the computer's wall
// clock (floating), UTC, or the calendar date (all-day).
struct Clock
{
    bool allDay = false;
    bool utc = false;
    QTimeZone zone;

    QDateTime at(const QDate &day, const QTime &time) const
    {
        if (allDay)
            return QDateTime(day, QTime(0, 0));
        if (utc)
            return QDateTime(day, time, Qt::UTC);
        return zone.isValid() ? QDateTime(day, time, zone) : QDateTime(day, time, Qt::LocalTime);
    }
    QDateTime wall(const QDateTime &instant) const
    {
        if (allDay)
            return QDateTime(instant.date(), QTime(0, 0));
        if (utc)
            return instant.toUTC();
        return zone.isValid() ? instant.toTimeZone(zone) : instant.toLocalTime();
    }
    QDateTime read(const QString &text) const
    {
        QDate day = IcsText::readDate(text);
        QTime time(0, 0);
        if (!day.isValid())
            IcsText::readDateTime(text, &day, &time);
        return at(day, time);
    }
    QString text(const QDateTime &instant) const
    {
        return wall(instant).toString(allDay ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyy-MM-dd HH:mm"));
    }
};

Clock clockOf(const Event &series)
{
    Clock clock;
    clock.allDay = series.is_all_day;
    clock.utc = !series.is_all_day && series.timezone == QLatin1String("UTC");
    if (!series.is_all_day && !series.timezone.isEmpty() && !clock.utc)
        clock.zone = IcsCodec::zoneForId(series.timezone);
    return clock;
}

// A stored date list's entries moved as the series moved.
QString movedList(const QString &json, const SeriesShift &shift, bool allDay)
{
    QJsonArray out;
    for (const QJsonValue &entry : QJsonDocument::fromJson(json.toUtf8()).array()) {
        const QString text = entry.toString();
        if (const QDate day = IcsText::readDate(text); day.isValid()) {
            out.append(IcsText::dateText(shift.movedDay(day)));
            continue;
        }
        // A UTC time, or a floating one on the computer's wall clock.
        const bool utc = text.endsWith(QLatin1Char('Z'));
        QDate day;
        QTime time;
        IcsText::readDateTime(utc ? QStringView(text).chopped(1) : QStringView(text), &day, &time);
        const QDateTime moved = shift.moved(utc ? QDateTime(day, time, Qt::UTC) : IcsText::localWallClock(day, time));
        out.append(allDay ? IcsText::dateText(moved.date()) : IcsText::utcText(moved));
    }
    return QString::fromUtf8(QJsonDocument(out).toJson(QJsonDocument::Compact));
}

// The calendar text read in `zone` as the store keeps it, its occurrence at
// `dragged` dropped at `dropped` and the whole series moved alike; a thread
// of its own, so that no zone a thread keeps from before is used.
Outcome dragWholeSeries(const QByteArray &zone, const QString &lines, const QString &dragged, const QString &dropped,
                        const QDate &from, const QDate &to)
{
    const QByteArray before = qgetenv("TZ");
    qputenv("TZ", zone);
    tzset();
    Outcome outcome;
    std::thread([&] {
        const QString text = QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:walk\r\nSUMMARY:Walk\r\n") + lines
                             + QStringLiteral("END:VEVENT\r\nEND:VCALENDAR\r\n");
        Event old = IcsCodec::parseEvents(text).value(0);
        const Clock clock = clockOf(old);
        const qint64 length = old.start_time.secsTo(*old.end_time);
        old.start_time = old.is_all_day ? QDateTime(old.start_time.date(), QTime(0, 0)) : old.start_time.toUTC();
        old.end_time = old.is_all_day ? QDateTime(old.end_time->date(), QTime(0, 0)) : old.end_time->toUTC();

        // The drag, measured on the series' clock, lays its start anew.
        Event grabbed = old;
        grabbed.start_time = clock.read(dragged);
        Event landed = old;
        landed.start_time = clock.read(dropped);
        const QDateTime start = SeriesShift::between(grabbed, landed).moved(Recurrence::steppedStart(old));
        Event moved = old;
        moved.start_time = old.is_all_day ? QDateTime(start.date(), QTime(0, 0)) : start.toUTC();
        moved.end_time = old.is_all_day ? moved.start_time.addDays(length / 86400) : moved.start_time.addSecs(length);

        const SeriesShift shift = SeriesShift::between(old, moved);
        const std::optional<QString> rule = shift.movedRule(old.recurrence_rule);
        outcome.refused = !rule;
        if (!rule)
            return;
        outcome.rule = *rule;
        moved.recurrence_rule = *rule;
        moved.exception_dates = movedList(old.exception_dates, shift, old.is_all_day);
        moved.recurrence_dates = movedList(old.recurrence_dates, shift, old.is_all_day);

        const QDateTime grabbedWall = clock.wall(grabbed.start_time);
        const QDateTime landedWall = clock.wall(landed.start_time);
        const qint64 days = grabbedWall.date().daysTo(landedWall.date());
        const qint64 seconds = grabbedWall.time().secsTo(landedWall.time());
        QList<QDateTime> expected;
        for (const Event &occurrence : Recurrence::expandEvent(old, clock.at(from, QTime(0, 0)), clock.at(to, QTime(0, 0)))) {
            const QDateTime wall = clock.wall(occurrence.start_time);
            const QDateTime naive = QDateTime(wall.date(), wall.time(), Qt::UTC).addDays(days).addSecs(seconds);
            expected.append(clock.at(naive.date(), naive.time()));
        }
        if (expected.isEmpty())
            return;
        for (const QDateTime &instant : std::as_const(expected))
            outcome.expected.append(clock.text(instant));
        const QDateTime first = expected.first();
        const QDateTime last = expected.last();
        for (const Event &occurrence : Recurrence::expandEvent(moved, first.addDays(-1), last.addDays(1))) {
            if (occurrence.start_time >= first && occurrence.start_time <= last)
                outcome.shown.append(clock.text(occurrence.start_time));
        }
    }).join();
    qputenv("TZ", before);
    tzset();
    return outcome;
}

} // namespace

class TestSeriesShift : public QObject
{
    Q_OBJECT

private slots:
    void wholeSeriesMovesEveryOccurrenceOrNothing_data();
    void wholeSeriesMovesEveryOccurrenceOrNothing();
};

void TestSeriesShift::wholeSeriesMovesEveryOccurrenceOrNothing_data()
{
    // The computer's zone, the series as another client wrote it, the
    // occurrence dragged and where it was dropped, the range of old
    // occurrences compared, and whether the move is refused.
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("dragged");
    QTest::addColumn<QString>("dropped");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<bool>("refused");
    const QDate spring(2026, 3, 1);
    const QDate summer(2026, 7, 1);
    const QDate twoYears(2028, 3, 1);

    // Other clients skip the months without the day this device clamps to.
    QTest::newRow("monthly on the 1st a day earlier, Berlin")
        << QByteArray("Europe/Berlin") << QStringLiteral("DTSTART;TZID=Europe/Berlin:20260201T090000\r\n"
                                                         "DURATION:PT1H\r\nRRULE:FREQ=MONTHLY\r\n")
        << QStringLiteral("20260301T090000") << QStringLiteral("20260228T090000") << spring << twoYears << true;
    QTest::newRow("monthly on the 28th a day later, New York")
        << QByteArray("America/New_York") << QStringLiteral("DTSTART;TZID=America/New_York:20260128T090000\r\n"
                                                            "DURATION:PT1H\r\nRRULE:FREQ=MONTHLY\r\n")
        << QStringLiteral("20260128T090000") << QStringLiteral("20260129T090000") << spring << twoYears << true;
    QTest::newRow("yearly on 1 March onto 29 February, Tokyo")
        << QByteArray("Asia/Tokyo") << QStringLiteral("DTSTART;TZID=Asia/Tokyo:20280301T090000\r\n"
                                                      "DURATION:PT1H\r\nRRULE:FREQ=YEARLY\r\n")
        << QStringLiteral("20290301T090000") << QStringLiteral("20290228T090000") << spring << twoYears << true;
    QTest::newRow("monthly on the 1st a week later, Berlin")
        << QByteArray("Europe/Berlin") << QStringLiteral("DTSTART;TZID=Europe/Berlin:20260201T090000\r\n"
                                                         "DURATION:PT1H\r\nRRULE:FREQ=MONTHLY\r\n")
        << QStringLiteral("20260301T090000") << QStringLiteral("20260308T090000") << spring << twoYears << false;
    QTest::newRow("last day of the month a day later, Tokyo")
        << QByteArray("Asia/Tokyo") << QStringLiteral("DTSTART;TZID=Asia/Tokyo:20260131T090000\r\n"
                                                      "DURATION:PT1H\r\nRRULE:FREQ=MONTHLY;BYMONTHDAY=-1\r\n")
        << QStringLiteral("20260228T090000") << QStringLiteral("20260301T090000") << spring << twoYears << false;
    QTest::newRow("last day of the month a day earlier, Chicago")
        << QByteArray("America/Chicago") << QStringLiteral("DTSTART;TZID=America/Chicago:20260131T090000\r\n"
                                                           "DURATION:PT1H\r\nRRULE:FREQ=MONTHLY;BYMONTHDAY=-1\r\n")
        << QStringLiteral("20260131T090000") << QStringLiteral("20260130T090000") << spring << twoYears << false;

    // Stepped on the wall clock, hour by hour across each change of summer
    // time for twelve years.
    QTest::newRow("hourly two hours later, Berlin")
        << QByteArray("Europe/Berlin") << QStringLiteral("DTSTART;TZID=Europe/Berlin:20260301T100000\r\n"
                                                         "DURATION:PT30M\r\nRRULE:FREQ=HOURLY\r\n")
        << QStringLiteral("20260301T100000") << QStringLiteral("20260301T120000") << QDate(2026, 4, 6)
        << QDate(2026, 4, 8) << false;
    QTest::newRow("every 15 minutes two hours later, Berlin")
        << QByteArray("Europe/Berlin") << QStringLiteral("DTSTART;TZID=Europe/Berlin:20260301T100000\r\n"
                                                         "DURATION:PT10M\r\nRRULE:FREQ=MINUTELY;INTERVAL=15\r\n")
        << QStringLiteral("20260301T100000") << QStringLiteral("20260301T120000") << QDate(2026, 4, 6)
        << QDate(2026, 4, 7) << false;
    QTest::newRow("all-day weekly without end a day later, Chicago")
        << QByteArray("America/Chicago") << QStringLiteral("DTSTART;VALUE=DATE:20260302\r\nDTEND;VALUE=DATE:20260303\r\n"
                                                           "RRULE:FREQ=WEEKLY\r\nEXDATE;VALUE=DATE:20260316\r\n")
        << QStringLiteral("20260309") << QStringLiteral("20260310") << spring << summer << false;

    // Clock changes.
    QTest::newRow("first occurrence on 29 March two hours later, Berlin")
        << QByteArray("Europe/Berlin") << QStringLiteral("DTSTART;TZID=Europe/Berlin:20260329T013000\r\n"
                                                         "DURATION:PT1H\r\nRRULE:FREQ=WEEKLY\r\n")
        << QStringLiteral("20260405T013000") << QStringLiteral("20260405T033000") << spring << summer << false;
    QTest::newRow("floating, first occurrence in the skipped hour, Berlin")
        << QByteArray("Europe/Berlin") << QStringLiteral("DTSTART:20260329T023000\r\nDURATION:PT1H\r\n"
                                                         "RRULE:FREQ=DAILY;COUNT=20\r\n")
        << QStringLiteral("20260401T023000") << QStringLiteral("20260401T043000") << QDate(2026, 3, 30) << summer
        << false;
    QTest::newRow("skipped day across 29 March by four days, Berlin")
        << QByteArray("Europe/Berlin") << QStringLiteral("DTSTART;TZID=Europe/Berlin:20260302T090000\r\n"
                                                         "DURATION:PT1H\r\nRRULE:FREQ=DAILY\r\n"
                                                         "EXDATE;TZID=Europe/Berlin:20260328T090000\r\n")
        << QStringLiteral("20260326T090000") << QStringLiteral("20260330T090000") << QDate(2026, 3, 20)
        << QDate(2026, 4, 5) << false;
    QTest::newRow("floating, skipped day across 29 March by four days, Berlin")
        << QByteArray("Europe/Berlin") << QStringLiteral("DTSTART:20260302T090000\r\nDURATION:PT1H\r\n"
                                                         "RRULE:FREQ=DAILY\r\nEXDATE:20260328T090000\r\n")
        << QStringLiteral("20260326T090000") << QStringLiteral("20260330T090000") << QDate(2026, 3, 20)
        << QDate(2026, 4, 5) << false;
    QTest::newRow("date-only extra date, over midnight, Berlin")
        << QByteArray("Europe/Berlin") << QStringLiteral("DTSTART;TZID=Europe/Berlin:20260302T233000\r\n"
                                                         "DURATION:PT30M\r\nRRULE:FREQ=WEEKLY;COUNT=4\r\n"
                                                         "RDATE;VALUE=DATE:20260312\r\n")
        << QStringLiteral("20260302T233000") << QStringLiteral("20260303T003000") << spring << summer << false;

    // Floating series on the computer's wall clock.
    QTest::newRow("floating Mon/Wed 09:00 to 00:30, Berlin")
        << QByteArray("Europe/Berlin") << QStringLiteral("DTSTART:20260302T090000\r\nDURATION:PT1H\r\n"
                                                         "RRULE:FREQ=WEEKLY;BYDAY=MO,WE\r\n")
        << QStringLiteral("20260302T090000") << QStringLiteral("20260302T003000") << spring << summer << false;
    QTest::newRow("floating Tuesday 18:00 to 21:00, New York")
        << QByteArray("America/New_York") << QStringLiteral("DTSTART:20260303T180000\r\nDURATION:PT1H\r\n"
                                                            "RRULE:FREQ=WEEKLY;BYDAY=TU\r\nEXDATE:20260317T180000\r\n")
        << QStringLiteral("20260303T180000") << QStringLiteral("20260303T210000") << spring << summer << false;

    // Guards: a plain weekly series by hours, a zoned one by a day.
    QTest::newRow("UTC weekly two hours later, Tokyo")
        << QByteArray("Asia/Tokyo") << QStringLiteral("DTSTART:20260302T233000Z\r\nDURATION:PT1H\r\n"
                                                      "RRULE:FREQ=WEEKLY\r\n")
        << QStringLiteral("20260309T233000") << QStringLiteral("20260310T013000") << spring << summer << false;
    QTest::newRow("zoned weekly a day later, New York")
        << QByteArray("America/New_York") << QStringLiteral("DTSTART;TZID=Europe/Berlin:20260302T090000\r\n"
                                                            "DURATION:PT1H\r\nRRULE:FREQ=WEEKLY;BYDAY=MO\r\n"
                                                            "EXDATE;TZID=Europe/Berlin:20260330T090000\r\n")
        << QStringLiteral("20260309T090000") << QStringLiteral("20260310T090000") << spring << summer << false;
}

void TestSeriesShift::wholeSeriesMovesEveryOccurrenceOrNothing()
{
    QFETCH(QByteArray, zone);
    QFETCH(QString, lines);
    QFETCH(QString, dragged);
    QFETCH(QString, dropped);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(bool, refused);
    const Outcome outcome = dragWholeSeries(zone, lines, dragged, dropped, from, to);
    QCOMPARE(outcome.refused, refused);
    if (refused)
        return;
    QVERIFY(!outcome.expected.isEmpty());
    QCOMPARE(outcome.shown, outcome.expected);
}

QTEST_GUILESS_MAIN(TestSeriesShift)
#include "tst_seriesshift.moc"
