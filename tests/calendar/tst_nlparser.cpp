#include "calendar/nlparser.h"

#include <QTest>
#include <QTimeZone>

using NLParser::ParseResult;

namespace {

QDateTime local(int y, int mo, int d, int h, int mi, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::LocalTime);
}

// Reference moments; every one is checked for its weekday below.
const QDateTime monday = local(2026, 6, 15, 9, 12, 40);
const QDateTime sunday = local(2026, 6, 14, 15, 0);
const QDateTime thursday = local(2026, 6, 18, 8, 0);
const QDateTime newYearsEve = local(2026, 12, 31, 23, 47, 10);
const QDateTime christmasEve = local(2026, 12, 24, 10, 0);
const QDateTime christmas = local(2026, 12, 25, 10, 0);
const QDateTime leapDay = local(2028, 2, 29, 11, 45);

QString kindOf(const ParseResult &r)
{
    if (r.isReminder)
        return QStringLiteral("reminder");
    return r.isTask ? QStringLiteral("task") : QStringLiteral("event");
}

QString shapeOf(const ParseResult &r)
{
    if (r.allDay)
        return QStringLiteral("allday");
    return r.hasTime ? QStringLiteral("timed") : QStringLiteral("open");
}

// Wall-clock minutes, so a zone's daylight-saving jump cannot change them.
int wallMinutes(const QDateTime &from, const QDateTime &to)
{
    return int(from.date().daysTo(to.date()) * 24 * 60
               + (to.time().msecsSinceStartOfDay() - from.time().msecsSinceStartOfDay()) / 60000);
}

} // namespace

class TestNLParser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void referenceMomentsAreTheirWeekdays();
    void parsesLines_data();
    void parsesLines();
    void blankTextGivesOnlyRoundedStart_data();
    void blankTextGivesOnlyRoundedStart();
    void openItemsStartAtTheNextHalfHour_data();
    void openItemsStartAtTheNextHalfHour();
    void rangeWithoutMeridiemRunsForwardAndShortest_data();
    void rangeWithoutMeridiemRunsForwardAndShortest();
    void dashRangeReadsAsStartAndEnd_data();
    void dashRangeReadsAsStartAndEnd();
    void leapDayIsNotMovedToTheTwentyEighth();
    void impossibleDatesAndHoursStayInvalid_data();
    void impossibleDatesAndHoursStayInvalid();
    void resultKeepsTheZoneOfNow_data();
    void resultKeepsTheZoneOfNow();
    void hugeNumbersAreBounded();
};

void TestNLParser::referenceMomentsAreTheirWeekdays()
{
    QCOMPARE(monday.date().dayOfWeek(), 1);
    QCOMPARE(sunday.date().dayOfWeek(), 7);
    QCOMPARE(thursday.date().dayOfWeek(), 4);
    QCOMPARE(newYearsEve.date().dayOfWeek(), 4);
    QVERIFY(QDate::isLeapYear(leapDay.date().year()));
}

void TestNLParser::parsesLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QStringList>("tags");

    auto row = [](const char *when, const QDateTime &now, const char *text, const char *title,
                  QDate date, QTime time, int minutes, const char *kind, const char *shape,
                  const QStringList &tags = {}) {
        QTest::addRow("%s: %s", when, text)
            << QString::fromUtf8(text) << now << QString::fromUtf8(title) << date << time
            << minutes << QString::fromLatin1(kind) << QString::fromLatin1(shape) << tags;
    };
    const QDate today(2026, 6, 15);
    const QDate tomorrow(2026, 6, 16);
    const QDate friday(2026, 6, 19);
    const QTime nextHalf(9, 30);
    const QTime midnight(0, 0);

    // The documented behaviour.
    row("mon", monday, "dentist", "dentist", today, nextHalf, 60, "task", "open");
    row("mon", monday, "lunch tomorrow", "lunch", tomorrow, midnight, 1440, "event", "allday");
    row("mon", monday, "lunch tomorrow at 1pm for 90 min", "lunch", tomorrow, QTime(13, 0), 90, "event", "timed");
    row("mon", monday, "lunch with colleagues tomorrow 1pm for 90 min #work", "lunch with colleagues",
        tomorrow, QTime(13, 0), 90, "event", "timed", {"work"});
    row("sun", sunday, "standup at 9am", "standup", sunday.date(), QTime(9, 0), 60, "event", "timed");
    row("mon", monday, "call at 1530", "call", today, QTime(15, 30), 60, "event", "timed");
    row("mon", monday, "call at 2460", "call at 2460", today, nextHalf, 60, "task", "open");
    row("dec25", christmas, "party on dec 24", "party", QDate(2027, 12, 24), midnight, 1440, "event", "allday");
    row("dec24", christmasEve, "party on dec 24", "party", QDate(2026, 12, 24), midnight, 1440, "event", "allday");
    row("mon", monday, "gym monday", "gym", today, midnight, 1440, "event", "allday");
    row("mon", monday, "gym next monday", "gym", QDate(2026, 6, 22), midnight, 1440, "event", "allday");
    row("mon", monday, "in 2 hours", "", today, QTime(11, 12, 40), 60, "event", "timed");
    row("mon", monday, "this afternoon", "", today, QTime(15, 0), 60, "event", "timed");
    row("mon", monday, "walk this morning", "walk", today, QTime(9, 0), 60, "event", "timed");
    row("mon", monday, "in 30 minutes this evening", "", today, QTime(9, 42, 40), 60, "event", "timed");
    row("mon", monday, "#Work #work #home plan", "plan", today, nextHalf, 60, "task", "open", {"Work", "home"});
    row("mon", monday, "remind me to pay rent friday", "pay rent", friday, midnight, 1440, "reminder", "allday");
    row("mon", monday, "remind me to call the bank friday", "call the bank", friday, midnight, 1440, "reminder", "allday");
    row("mon", monday, "Task: to buy milk", "buy milk", today, nextHalf, 60, "task", "open");
    row("mon", monday, "task: renew passport", "renew passport", today, nextHalf, 60, "task", "open");
    row("mon", monday, "tomorrow at 5pm", "", tomorrow, QTime(17, 0), 60, "event", "timed");

    // What people type.
    row("mon", monday, "lunch Thursday 1pm", "lunch", QDate(2026, 6, 18), QTime(13, 0), 60, "event", "timed");
    row("thu", thursday, "lunch Thursday 1pm", "lunch", thursday.date(), QTime(13, 0), 60, "event", "timed");
    row("mon", monday, "dentist tomorrow at 9:30 for 45 min", "dentist", tomorrow, QTime(9, 30), 45, "event", "timed");
    // No recurrence in quick add: the weekday is the next Sunday and "every" stays.
    row("mon", monday, "call mom every Sunday", "call mom every", QDate(2026, 6, 21), midnight, 1440, "event", "allday");
    row("sun", sunday, "call mom every Sunday", "call mom every", sunday.date(), midnight, 1440, "event", "allday");
    row("mon", monday, "todo buy milk", "buy milk", today, nextHalf, 60, "task", "open");
    // "the 1st" and numeric dates are not part of the grammar: they stay in the title.
    row("mon", monday, "remind me to pay rent on the 1st", "pay rent on the 1st", today, nextHalf, 60, "reminder", "open");
    row("mon", monday, "flight 6am-8:15am next Friday", "flight", friday, QTime(6, 0), 135, "event", "timed");
    row("mon", monday, "meeting 3-4pm", "meeting", today, QTime(15, 0), 60, "event", "timed");
    row("mon", monday, "standup 9", "standup 9", today, nextHalf, 60, "task", "open");
    row("mon", monday, "xmas 12/25", "xmas 12/25", today, nextHalf, 60, "task", "open");
    row("mon", monday, "xmas 25.12.", "xmas 25.12.", today, nextHalf, 60, "task", "open");
    row("mon", monday, "xmas Dec 25", "xmas", QDate(2026, 12, 25), midnight, 1440, "event", "allday");
    row("mon", monday, "pay rent the 3rd", "pay rent the 3rd", today, nextHalf, 60, "task", "open");
    row("mon", monday, "Lunch TOMORROW AT 1PM", "Lunch", tomorrow, QTime(13, 0), 60, "event", "timed");

    // Times of day.
    row("mon", monday, "call at 12am", "call", today, QTime(0, 0), 60, "event", "timed");
    row("mon", monday, "call at 12pm", "call", today, QTime(12, 0), 60, "event", "timed");
    row("mon", monday, "call at 12:30am", "call", today, QTime(0, 30), 60, "event", "timed");
    row("mon", monday, "call at 5", "call", today, QTime(5, 0), 60, "event", "timed");
    row("mon", monday, "call at 17:45", "call", today, QTime(17, 45), 60, "event", "timed");
    row("mon", monday, "lunch at noon", "lunch", today, QTime(12, 0), 60, "event", "timed");
    row("mon", monday, "deploy at midnight", "deploy", today, QTime(0, 0), 60, "event", "timed");
    row("mon", monday, "coffee 7:30am", "coffee", today, QTime(7, 30), 60, "event", "timed");
    row("mon", monday, "coffee 7:30 AM", "coffee", today, QTime(7, 30), 60, "event", "timed");
    row("mon", monday, "review 11pm", "review", today, QTime(23, 0), 60, "event", "timed");
    row("mon", monday, "on tue at 3pm", "", tomorrow, QTime(15, 0), 60, "event", "timed");
    row("sun", sunday, "mon standup 10am", "standup", today, QTime(10, 0), 60, "event", "timed");

    // Ranges.
    row("mon", monday, "meeting from 11 to 1pm", "meeting", today, QTime(11, 0), 120, "event", "timed");
    row("mon", monday, "shift from 9 to 5pm", "shift", today, QTime(9, 0), 480, "event", "timed");
    row("mon", monday, "shift from 10am to 2", "shift", today, QTime(10, 0), 240, "event", "timed");
    row("mon", monday, "party from 9pm to 1am", "party", today, QTime(21, 0), 240, "event", "timed");
    row("mon", monday, "party from 9pm to 1", "party", today, QTime(21, 0), 240, "event", "timed");
    row("mon", monday, "class from 14 to 16", "class", today, QTime(14, 0), 120, "event", "timed");
    row("mon", monday, "call from 2 to 4pm", "call", today, QTime(14, 0), 120, "event", "timed");
    row("mon", monday, "night shift from 22:00 to 06:00", "night shift", today, QTime(22, 0), 480, "event", "timed");
    row("mon", monday, "sync from 12 to 1pm", "sync", today, QTime(12, 0), 60, "event", "timed");
    row("mon", monday, "workshop 9:30-10:30", "workshop", today, QTime(9, 30), 60, "event", "timed");
    row("mon", monday, "meeting 11-1pm", "meeting", today, QTime(11, 0), 120, "event", "timed");
    row("mon", monday, "gym 6-7am tomorrow", "gym", tomorrow, QTime(6, 0), 60, "event", "timed");
    row("mon", monday, "meeting from 3-4pm", "meeting", today, QTime(15, 0), 60, "event", "timed");
    row("mon", monday, "meeting 3 \u2013 4pm", "meeting", today, QTime(15, 0), 60, "event", "timed");
    row("mon", monday, "team of 2-3 people", "team of 2-3 people", today, nextHalf, 60, "task", "open");
    row("mon", monday, "talk from 1pm to 2pm for 3 hours", "talk", today, QTime(13, 0), 60, "event", "timed");

    // Dates.
    row("mon", monday, "sync today", "sync", today, midnight, 1440, "event", "allday");
    row("mon", monday, "retro yesterday", "retro", QDate(2026, 6, 14), midnight, 1440, "event", "allday");
    row("mon", monday, "review in 3 days", "review", QDate(2026, 6, 18), midnight, 1440, "event", "allday");
    row("mon", monday, "review in 2 weeks", "review", QDate(2026, 6, 29), midnight, 1440, "event", "allday");
    row("mon", monday, "trip next week", "trip", QDate(2026, 6, 22), midnight, 1440, "event", "allday");
    row("mon", monday, "trip on jan 5", "trip", QDate(2027, 1, 5), midnight, 1440, "event", "allday");
    row("mon", monday, "trip september 3", "trip", QDate(2026, 9, 3), midnight, 1440, "event", "allday");
    row("mon", monday, "trip sept 3 at 8am", "trip", QDate(2026, 9, 3), QTime(8, 0), 60, "event", "timed");
    row("sun", sunday, "sunday brunch", "brunch", sunday.date(), midnight, 1440, "event", "allday");
    row("sun", sunday, "next sunday brunch", "brunch", QDate(2026, 6, 21), midnight, 1440, "event", "allday");
    row("sun", sunday, "brunch next mon", "brunch", QDate(2026, 6, 15), midnight, 1440, "event", "allday");

    // Around the turn of the year.
    const QDate newYear(2027, 1, 1);
    row("nye", newYearsEve, "dinner tomorrow", "dinner", newYear, midnight, 1440, "event", "allday");
    row("nye", newYearsEve, "dentist", "dentist", newYear, QTime(0, 0), 60, "task", "open");
    row("nye", newYearsEve, "new year call in 30 minutes", "new year call", newYear, QTime(0, 17, 10), 60, "event", "timed");
    row("nye", newYearsEve, "party tonight", "party", newYearsEve.date(), QTime(19, 0), 60, "event", "timed");
    row("nye", newYearsEve, "brunch next week", "brunch", QDate(2027, 1, 7), midnight, 1440, "event", "allday");
    row("nye", newYearsEve, "trip jan 3", "trip", QDate(2027, 1, 3), midnight, 1440, "event", "allday");
    row("nye", newYearsEve, "review dec 31", "review", newYearsEve.date(), midnight, 1440, "event", "allday");
    row("nye", newYearsEve, "fireworks at midnight", "fireworks", newYearsEve.date(), QTime(0, 0), 60, "event", "timed");
    row("nye", newYearsEve, "countdown from 11pm to 1am", "countdown", newYearsEve.date(), QTime(23, 0), 120, "event", "timed");

    // On 29 February.
    row("leap", leapDay, "leap party feb 29", "leap party", leapDay.date(), midnight, 1440, "event", "allday");
    row("leap", leapDay, "anniversary feb 28", "anniversary", QDate(2029, 2, 28), midnight, 1440, "event", "allday");
    row("leap", leapDay, "tomorrow", "", QDate(2028, 3, 1), midnight, 1440, "event", "allday");
    row("leap", leapDay, "plan in 1 week", "plan", QDate(2028, 3, 7), midnight, 1440, "event", "allday");
    row("leap", leapDay, "standup tuesday 9:15am", "standup", leapDay.date(), QTime(9, 15), 60, "event", "timed");

    // Durations.
    row("mon", monday, "workout at 6pm for 1.5 hours", "workout", today, QTime(18, 0), 90, "event", "timed");
    row("mon", monday, "nap at 2pm for 20 mins", "nap", today, QTime(14, 0), 20, "event", "timed");
    row("mon", monday, "ping at 10am for 0.5 min", "ping", today, QTime(10, 0), 0, "event", "timed");
    row("mon", monday, "focus at 9am for 2 hrs", "focus", today, QTime(9, 0), 120, "event", "timed");
    row("mon", monday, "call for 30 min", "call", today, nextHalf, 30, "task", "open");
    row("mon", monday, "deep work tomorrow for 3h", "deep work", tomorrow, midnight, 1440, "event", "allday");

    // Reminder and task prefixes.
    row("mon", monday, "remind me that the car needs oil tomorrow at 8am", "the car needs oil", tomorrow,
        QTime(8, 0), 60, "reminder", "timed");
    row("mon", monday, "reminder: to water plants", "water plants", today, nextHalf, 60, "reminder", "open");
    row("mon", monday, "remember to call Ann at 5pm", "call Ann", today, QTime(17, 0), 60, "reminder", "timed");
    row("mon", monday, "don't forget to pay invoice", "pay invoice", today, nextHalf, 60, "reminder", "open");
    row("mon", monday, "dont let me forget taxes monday", "taxes", today, midnight, 1440, "reminder", "allday");
    row("mon", monday, "remind me about the dentist", "the dentist", today, nextHalf, 60, "reminder", "open");
    row("mon", monday, "remind me to stretch", "stretch", today, nextHalf, 60, "reminder", "open");
    row("mon", monday, "remind me task: file report", "task: file report", today, nextHalf, 60, "reminder", "open");
    row("mon", monday, "add a task to clean garage", "clean garage", today, nextHalf, 60, "task", "open");
    row("mon", monday, "new task buy stamps", "buy stamps", today, nextHalf, 60, "task", "open");
    row("mon", monday, "to-do: file taxes friday", "file taxes", friday, midnight, 1440, "task", "allday");
    row("mon", monday, "Task - renew passport friday 9am", "renew passport", friday, QTime(9, 0), 60, "task", "timed");

    // Title clean-up and tags.
    row("mon", monday, "meet Bob at", "meet Bob", today, nextHalf, 60, "task", "open");
    row("mon", monday, "for lunch tomorrow", "lunch", tomorrow, midnight, 1440, "event", "allday");
    row("mon", monday, "#work", "", today, nextHalf, 60, "task", "open", {"work"});
    row("mon", monday, "plan #trip-2026 #Ünïcode_tag", "plan", today, nextHalf, 60, "task", "open",
        {"trip-2026", "Ünïcode_tag"});
    row("mon", monday, "  standup   at 9am   #team  ", "standup", today, QTime(9, 0), 60, "event", "timed", {"team"});
}

void TestNLParser::parsesLines()
{
    QFETCH(QString, text);
    QFETCH(QDateTime, now);
    QFETCH(QString, title);
    QFETCH(QDate, date);
    QFETCH(QTime, time);
    QFETCH(int, minutes);
    QFETCH(QString, kind);
    QFETCH(QString, shape);
    QFETCH(QStringList, tags);

    const ParseResult r = NLParser::parse(text, now);
    QCOMPARE(r.title, title);
    QCOMPARE(r.start.date(), date);
    QCOMPARE(r.start.time(), time);
    QVERIFY(r.end.has_value());
    QCOMPARE(wallMinutes(r.start, *r.end), minutes);
    QCOMPARE(kindOf(r), kind);
    QCOMPARE(shapeOf(r), shape);
    QCOMPARE(r.tags, tags);
    QVERIFY(!(r.isReminder && r.isTask));
}

void TestNLParser::blankTextGivesOnlyRoundedStart_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("spaces") << QStringLiteral("   ");
    QTest::newRow("tabs and newline") << QStringLiteral("\t\n ");
}

void TestNLParser::blankTextGivesOnlyRoundedStart()
{
    QFETCH(QString, text);
    const ParseResult r = NLParser::parse(text, monday);
    QCOMPARE(r.start, local(2026, 6, 15, 9, 30));
    QVERIFY(!r.end.has_value());
    QVERIFY(!r.isTask && !r.isReminder && !r.allDay && !r.hasTime);
    QVERIFY(r.title.isEmpty());
    QVERIFY(r.tags.isEmpty());
}

void TestNLParser::openItemsStartAtTheNextHalfHour_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QDateTime>("start");
    QTest::newRow("10:07 up to 10:30") << local(2026, 6, 15, 10, 7) << local(2026, 6, 15, 10, 30);
    QTest::newRow("10:31 up to 11:00") << local(2026, 6, 15, 10, 31) << local(2026, 6, 15, 11, 0);
    QTest::newRow("10:30 stays") << local(2026, 6, 15, 10, 30) << local(2026, 6, 15, 10, 30);
    QTest::newRow("10:00:59 drops seconds") << local(2026, 6, 15, 10, 0, 59) << local(2026, 6, 15, 10, 0);
    QTest::newRow("23:47 moves to tomorrow") << local(2026, 12, 31, 23, 47) << local(2027, 1, 1, 0, 0);
    QDateTime withMillis = local(2026, 6, 15, 10, 7, 12);
    withMillis = withMillis.addMSecs(345);
    QTest::newRow("milliseconds dropped") << withMillis << local(2026, 6, 15, 10, 30);
}

void TestNLParser::openItemsStartAtTheNextHalfHour()
{
    QFETCH(QDateTime, now);
    QFETCH(QDateTime, start);
    const ParseResult r = NLParser::parse(QStringLiteral("water the plants"), now);
    QCOMPARE(r.start, start);
    QCOMPARE(*r.end, start.addSecs(3600));
    QVERIFY(r.isTask);
}

void TestNLParser::rangeWithoutMeridiemRunsForwardAndShortest_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QTime>("start");
    QTest::addColumn<QTime>("end");
    QTest::addColumn<int>("endDayOffset");
    QTest::newRow("11 to 1pm") << "from 11 to 1pm" << QTime(11, 0) << QTime(13, 0) << 0;
    QTest::newRow("11:30 to 12:15pm") << "from 11:30 to 12:15pm" << QTime(11, 30) << QTime(12, 15) << 0;
    QTest::newRow("2 to 4pm") << "from 2 to 4pm" << QTime(14, 0) << QTime(16, 0) << 0;
    QTest::newRow("10 to 11am") << "from 10 to 11am" << QTime(10, 0) << QTime(11, 0) << 0;
    QTest::newRow("12 to 1am") << "from 12 to 1am" << QTime(0, 0) << QTime(1, 0) << 0;
    QTest::newRow("10pm to 2") << "from 10pm to 2" << QTime(22, 0) << QTime(2, 0) << 1;
    QTest::newRow("10am to 2") << "from 10am to 2" << QTime(10, 0) << QTime(14, 0) << 0;
    QTest::newRow("both written keep their word") << "from 11am to 1am" << QTime(11, 0) << QTime(1, 0) << 1;
    QTest::newRow("24-hour bare sides") << "from 9 to 17" << QTime(9, 0) << QTime(17, 0) << 0;
    QTest::newRow("bare 13 stays 13") << "from 13 to 2pm" << QTime(13, 0) << QTime(14, 0) << 0;
}

void TestNLParser::rangeWithoutMeridiemRunsForwardAndShortest()
{
    QFETCH(QString, text);
    QFETCH(QTime, start);
    QFETCH(QTime, end);
    QFETCH(int, endDayOffset);
    const ParseResult r = NLParser::parse(QStringLiteral("meeting ") + text, monday);
    QCOMPARE(r.start, QDateTime(monday.date(), start, Qt::LocalTime));
    QCOMPARE(*r.end, QDateTime(monday.date().addDays(endDayOffset), end, Qt::LocalTime));
    QCOMPARE(r.title, QStringLiteral("meeting"));
}

void TestNLParser::dashRangeReadsAsStartAndEnd_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QTime>("start");
    QTest::addColumn<QTime>("end");
    QTest::addColumn<QString>("title");
    QTest::newRow("3-4pm") << "meeting 3-4pm" << QTime(15, 0) << QTime(16, 0) << "meeting";
    QTest::newRow("6am-8:15am") << "flight 6am-8:15am" << QTime(6, 0) << QTime(8, 15) << "flight";
    QTest::newRow("spaces around dash") << "call 10am - 11am" << QTime(10, 0) << QTime(11, 0) << "call";
    QTest::newRow("minutes mark a time") << "slot 9:30-10" << QTime(9, 30) << QTime(10, 0) << "slot";
    QTest::newRow("first marked range wins over a plain one")
        << "room 2-3 at 5-6pm" << QTime(17, 0) << QTime(18, 0) << "room 2-3";
}

void TestNLParser::dashRangeReadsAsStartAndEnd()
{
    QFETCH(QString, text);
    QFETCH(QTime, start);
    QFETCH(QTime, end);
    QFETCH(QString, title);
    const ParseResult r = NLParser::parse(text, monday);
    QVERIFY(r.hasTime);
    QCOMPARE(r.start.time(), start);
    QCOMPARE(r.end->time(), end);
    QCOMPARE(r.title, title);
}

void TestNLParser::leapDayIsNotMovedToTheTwentyEighth()
{
    // Said after 29 February of a leap year, "feb 29" names a day the next
    // year does not have; it must not quietly become 28 February.
    const ParseResult r = NLParser::parse(QStringLiteral("leap party feb 29"), local(2028, 3, 1, 9, 0));
    QVERIFY(!r.start.isValid());
    QCOMPARE(r.title, QStringLiteral("leap party"));
    QVERIFY(r.allDay);
}

void TestNLParser::impossibleDatesAndHoursStayInvalid_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::newRow("30 February") << "trip feb 30" << "trip";
    QTest::newRow("29 February of a common year") << "trip feb 29 at 9am" << "trip";
    QTest::newRow("hour 25 in a range") << "gig from 25 to 26" << "gig";
    QTest::newRow("hour 25 after at") << "gig at 25" << "gig";
    QTest::newRow("minute 75") << "gig at 9:75pm" << "gig";
}

void TestNLParser::impossibleDatesAndHoursStayInvalid()
{
    QFETCH(QString, text);
    QFETCH(QString, title);
    const ParseResult r = NLParser::parse(text, monday);
    QVERIFY(!r.start.isValid());
    QVERIFY(r.end.has_value());
    QVERIFY(!r.end->isValid());
    QCOMPARE(r.title, title);
}

void TestNLParser::resultKeepsTheZoneOfNow_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::newRow("utc") << QDateTime(QDate(2026, 6, 15), QTime(9, 12), Qt::UTC);
    QTest::newRow("offset") << QDateTime(QDate(2026, 6, 15), QTime(9, 12), Qt::OffsetFromUTC, 5 * 3600 + 1800);
    QTest::newRow("named zone") << QDateTime(QDate(2026, 6, 15), QTime(9, 12), QTimeZone("Pacific/Auckland"));
    QTest::newRow("local") << monday;
}

void TestNLParser::resultKeepsTheZoneOfNow()
{
    QFETCH(QDateTime, now);
    const ParseResult r = NLParser::parse(QStringLiteral("lunch tomorrow 1pm"), now);
    QCOMPARE(r.start.timeSpec(), now.timeSpec());
    QCOMPARE(r.start.offsetFromUtc(), now.offsetFromUtc());
    QCOMPARE(r.start.date(), QDate(2026, 6, 16));
    QCOMPARE(r.start.time(), QTime(13, 0));
    QCOMPARE(r.end->timeSpec(), now.timeSpec());
}

void TestNLParser::hugeNumbersAreBounded()
{
    const ParseResult longCall = NLParser::parse(QStringLiteral("call at 9am for 99999999999 hours"), monday);
    QVERIFY(longCall.end->isValid());
    QVERIFY(*longCall.end > longCall.start);

    // Seven times this count does not fit an int.
    const ParseResult farAway = NLParser::parse(QStringLiteral("trip in 400000000 weeks"), monday);
    QVERIFY(farAway.allDay);
    QCOMPARE(farAway.start.date(), monday.date().addDays(7LL * 400000000));

    // Not a number Qt can read as int: the phrase is consumed and means "now".
    const ParseResult soon = NLParser::parse(QStringLiteral("ping in 99999999999 minutes"), monday);
    QCOMPARE(soon.start, monday);
}

QTEST_APPLESS_MAIN(TestNLParser)
#include "tst_nlparser.moc"
