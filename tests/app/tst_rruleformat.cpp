#include "app/rruleformat.h"

#include <QCoreApplication>
#include <QTest>
#include <QTranslator>

#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "store/event.h"

#include <QTimeZone>

namespace {

// Marks every translated text with its context, and keeps the plural
// numbers it was asked for.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        Q_UNUSED(disambiguation);
        if (n >= 0)
            m_pluralNumbers << n;
        QString text = QString::fromUtf8(sourceText);
        if (n >= 0)
            text.replace(QLatin1String("%n"), QString::number(n));
        return QStringLiteral("[%1]%2").arg(QString::fromLatin1(context), text);
    }
    bool isEmpty() const override { return false; }

    mutable QList<int> m_pluralNumbers;
};

bool isLastWorkdayOfMonth(const QDate &day)
{
    if (day.dayOfWeek() > 5)
        return false;
    for (QDate later = day.addDays(1); later.month() == day.month(); later = later.addDays(1)) {
        if (later.dayOfWeek() <= 5)
            return false;
    }
    return true;
}

} // namespace

class TestRruleFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void describesRules_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("line");
        auto row = [](const char *rule, const char *line) {
            QTest::newRow(rule) << QString::fromUtf8(rule) << QString::fromUtf8(line);
        };
        // Heads and intervals.
        row("", "");
        row("FREQ=DAILY", "Repeats daily");
        row("FREQ=DAILY;INTERVAL=3", "Every 3 days");
        row("FREQ=YEARLY;INTERVAL=4", "Every 4 years");
        row("freq=weekly", "Repeats weekly");
        row("FREQ=HOURLY;INTERVAL=3", "Repeats");
        row("INTERVAL=2", "Repeats");
        // The expander steps every day for these; so does the text.
        row("FREQ=DAILY;INTERVAL=0", "Repeats daily");

        // Weekdays.
        row("FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE;COUNT=5", "Every 2 weeks · Mon, Wed · 5 time(s)");
        row("FREQ=WEEKLY;BYDAY=mo,we", "Repeats weekly · Mon, Wed");
        row("FREQ=WEEKLY;BYDAY=2MO", "Repeats weekly · Mon");
        row("FREQ=YEARLY;BYDAY=MO,XX", "Repeats yearly · Mon");
        row("FREQ=MONTHLY;BYDAY=MO", "Repeats monthly · Mon");
        row("FREQ=MONTHLY;BYDAY=0MO", "Repeats monthly");
        row("BYDAY=MO", "Repeats · Mon");

        // Ordinal weekdays, as the expander places them.
        row("FREQ=MONTHLY;BYDAY=1TH", "Repeats monthly · on the first Thu");
        row("FREQ=MONTHLY;BYDAY=+3TU", "Repeats monthly · on the third Tue");
        row("FREQ=MONTHLY;BYDAY=5FR", "Repeats monthly · on the fifth Fri");
        row("FREQ=MONTHLY;BYDAY=-2SU", "Repeats monthly · on the second-to-last Sun");
        row("FREQ=MONTHLY;BYDAY=-1FR;UNTIL=20251231T235959Z", "Repeats monthly · on the last Fri · until Dec 31, 2025");
        row("FREQ=MONTHLY;BYDAY=2TU,4TU", "Repeats monthly · on the second Tue, fourth Tue");
        row("FREQ=MONTHLY;BYDAY=MO,-1FR", "Repeats monthly · Mon, on the last Fri");
        row("FREQ=YEARLY;BYDAY=1MO", "Repeats yearly · on the first Mon of the year");
        row("FREQ=YEARLY;BYDAY=20MO", "Repeats yearly · on the 20th Mon of the year");
        row("FREQ=YEARLY;BYDAY=-3MO", "Repeats yearly · on the 3rd-from-last Mon of the year");
        row("FREQ=YEARLY;BYMONTH=11;BYDAY=4TH", "Repeats yearly · in Nov · on the fourth Thu");

        // Days of the month.
        row("FREQ=MONTHLY;BYMONTHDAY=15", "Repeats monthly · on the 15th");
        row("FREQ=MONTHLY;BYMONTHDAY=1,15", "Repeats monthly · on the 1st, 15th");
        row("FREQ=MONTHLY;BYMONTHDAY=-1", "Repeats monthly · on the last day");
        row("FREQ=MONTHLY;BYMONTHDAY=0", "Repeats monthly");
        row("FREQ=MONTHLY;BYMONTHDAY=32", "Repeats monthly");
        row("FREQ=WEEKLY;BYMONTHDAY=15", "Repeats weekly");
        row("FREQ=MONTHLY;BYMONTHDAY=13;BYDAY=FR", "Repeats monthly · on the 13th if it falls on Fri");
        row("FREQ=YEARLY;BYMONTHDAY=15", "Repeats yearly · in every month · on the 15th");
        row("FREQ=DAILY;BYMONTHDAY=1", "Repeats daily · on the 1st");

        // Months and set positions.
        row("FREQ=YEARLY;BYMONTH=1,7", "Repeats yearly · in Jan, Jul");
        row("FREQ=DAILY;BYMONTH=12", "Repeats daily · in Dec");
        row("FREQ=MONTHLY;BYDAY=1TH;BYMONTH=2,2", "Repeats monthly · in Feb · on the first Thu");
        row("FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1", "Repeats monthly · on the last weekday");
        row("FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR,SA,SU;BYSETPOS=-1", "Repeats monthly · on the last day");
        row("FREQ=MONTHLY;BYDAY=TU,TH;BYSETPOS=2", "Repeats monthly · Tue, Thu · only the second of these");
        row("FREQ=MONTHLY;BYMONTHDAY=1,15;BYSETPOS=-1", "Repeats monthly · on the 1st, 15th · only the last of these");
        row("FREQ=YEARLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1", "Repeats yearly · on the last weekday of the year");

        // Ends.
        row("FREQ=DAILY;COUNT=1", "Repeats daily · 1 time(s)");
        row("FREQ=WEEKLY;COUNT=-3", "Repeats weekly");
        row("FREQ=WEEKLY;UNTIL=20260301", "Repeats weekly · until Mar 1, 2026");
        row("FREQ=WEEKLY;UNTIL=20260301T000000Z", "Repeats weekly · until Mar 1, 2026");
        row("FREQ=WEEKLY;UNTIL=20260301T100000", "Repeats weekly · until Mar 1, 2026");
        row("FREQ=DAILY;UNTIL=notadate", "Repeats daily");
        // A COUNT that reads as nothing does not stop the series; UNTIL does.
        row("FREQ=DAILY;COUNT=0;UNTIL=20260301", "Repeats daily · until Mar 1, 2026");
        row("FREQ=DAILY;COUNT=3;UNTIL=20260301", "Repeats daily · 3 time(s)");
    }

    void describesRules()
    {
        QFETCH(QString, rule);
        QFETCH(QString, line);
        QCOMPARE(describeRrule(rule), line);
    }

    void namesTheDaysTheOccurrencesAreShownOn_data()
    {
        // The card's event: the series from its DTSTART, or one occurrence
        // of it (`occurrence`, when valid, in UTC) as the card shows it.
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QDateTime>("occurrence");
        QTest::addColumn<QString>("inBerlin"); // the line read in Berlin
        const QDateTime none;
        QTest::newRow("23:30Z on Mondays") << "DTSTART:20260302T233000Z" << "FREQ=WEEKLY;BYDAY=MO" << none
                                          << "Repeats weekly · Tue";
        QTest::newRow("23:30Z on Mondays and Saturdays")
            << "DTSTART:20260302T233000Z" << "FREQ=WEEKLY;BYDAY=MO,SA;COUNT=6" << none
            << "Repeats weekly · Tue, Sun · 6 time(s)";
        QTest::newRow("23:30Z daily on weekdays") << "DTSTART:20260302T233000Z" << "FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR"
                                                 << none << "Repeats daily · Tue, Wed, Thu, Fri, Sat";
        QTest::newRow("22:30Z on Mondays, a winter occurrence")
            << "DTSTART:20260302T223000Z" << "FREQ=WEEKLY;BYDAY=MO" << QDateTime(QDate(2026, 3, 16), QTime(22, 30), Qt::UTC)
            << "Repeats weekly · Mon";
        QTest::newRow("22:30Z on Mondays, a summer occurrence")
            << "DTSTART:20260302T223000Z" << "FREQ=WEEKLY;BYDAY=MO" << QDateTime(QDate(2026, 6, 1), QTime(22, 30), Qt::UTC)
            << "Repeats weekly · Tue";
        QTest::newRow("Berlin 00:30 on Tuesdays") << "DTSTART;TZID=Europe/Berlin:20260303T003000"
                                                 << "FREQ=WEEKLY;BYDAY=TU" << none << "Repeats weekly · Tue";
        QTest::newRow("Tokyo 08:00 on Mondays") << "DTSTART;TZID=Asia/Tokyo:20260302T080000" << "FREQ=WEEKLY;BYDAY=MO"
                                               << none << "Repeats weekly · Mon";
        QTest::newRow("floating 23:30 on Mondays") << "DTSTART:20260302T233000" << "FREQ=WEEKLY;BYDAY=MO" << none
                                                  << "Repeats weekly · Mon";
        QTest::newRow("all-day on Mondays") << "DTSTART;VALUE=DATE:20260302" << "FREQ=WEEKLY;BYDAY=MO" << none
                                           << "Repeats weekly · Mon";
        // Counted weekdays pick their days on the rule's own clock: the
        // rule is described as it is written.
        QTest::newRow("23:30Z on the first Monday") << "DTSTART:20260302T233000Z" << "FREQ=MONTHLY;BYDAY=1MO"
                                                   << none << "Repeats monthly · on the first Mon";
    }

    // The card names the days its occurrences are shown on in this zone:
    // those of the occurrences the views read, and in Berlin as written.
    void namesTheDaysTheOccurrencesAreShownOn()
    {
        QFETCH(QString, start);
        QFETCH(QString, rule);
        QFETCH(QDateTime, occurrence);
        QFETCH(QString, inBerlin);
        Event event = IcsCodec::parseEvents(
                          QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Client//EN\r\n"
                                         "BEGIN:VEVENT\r\nUID:walk@example.test\r\nSUMMARY:Walk\r\n%1\r\n"
                                         "RRULE:%2\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
                              .arg(start, rule))
                          .value(0);
        QVERIFY(event.start_time.isValid());
        event.id = QStringLiteral("series");
        if (occurrence.isValid()) {
            event.end_time.reset();
            event.start_time = occurrence;
        }
        const QString line = describeRecurrence(event);
        if (QTimeZone::systemTimeZoneId() == "Europe/Berlin")
            QCOMPARE(line, inBerlin);
        if (rule.contains(QLatin1String("1MO")))
            return;
        // A week of occurrences from the card's, on this computer's clock.
        QStringList shown;
        const QDateTime from = event.start_time.addSecs(-1);
        for (const Event &one : Recurrence::expandEvent(event, from, from.addDays(7))) {
            const QDate day = event.is_all_day ? one.start_time.date() : one.start_time.toLocalTime().date();
            shown.append(QLocale::c().dayName(day.dayOfWeek(), QLocale::ShortFormat));
        }
        QVERIFY(!shown.isEmpty());
        QStringList named = line.split(QStringLiteral(" · ")).value(1).split(QStringLiteral(", "));
        shown.sort();
        named.sort();
        QCOMPARE(named, shown);
    }

    void textAgreesWithExpandedDates_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<QDate>("seriesStart");
        QTest::addColumn<QString>("check");
        QTest::addColumn<int>("minimum");
        QTest::newRow("first Thursday") << "FREQ=MONTHLY;BYDAY=1TH" << "on the first Thu" << QDate(2026, 1, 1)
                                        << "firstThursday" << 11;
        QTest::newRow("last Friday") << "FREQ=MONTHLY;BYDAY=-1FR" << "on the last Fri" << QDate(2026, 1, 30)
                                     << "lastFriday" << 11;
        QTest::newRow("last day") << "FREQ=MONTHLY;BYMONTHDAY=-1" << "on the last day" << QDate(2026, 1, 31)
                                  << "lastDay" << 11;
        QTest::newRow("15th") << "FREQ=MONTHLY;BYMONTHDAY=15" << "on the 15th" << QDate(2026, 1, 15)
                              << "fifteenth" << 11;
        QTest::newRow("last weekday") << "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1" << "on the last weekday"
                                      << QDate(2026, 1, 30) << "lastWorkday" << 11;
        QTest::newRow("Friday the 13th") << "FREQ=MONTHLY;BYMONTHDAY=13;BYDAY=FR" << "on the 13th if it falls on Fri"
                                         << QDate(2026, 2, 13) << "fridayThe13th" << 1;
        QTest::newRow("fourth Thursday of November")
            << "FREQ=YEARLY;BYMONTH=11;BYDAY=4TH" << "in Nov · on the fourth Thu" << QDate(2025, 11, 27)
            << "thanksgiving" << 1;
    }

    void textAgreesWithExpandedDates()
    {
        QFETCH(QString, rule);
        QFETCH(QString, phrase);
        QFETCH(QDate, seriesStart);
        QFETCH(QString, check);
        QFETCH(int, minimum);

        QVERIFY2(describeRrule(rule).contains(phrase), qPrintable(describeRrule(rule)));

        Event master;
        master.id = master.uid = QStringLiteral("series");
        master.recurrence_rule = rule;
        master.start_time = QDateTime(seriesStart, QTime(9, 0), Qt::UTC);
        master.end_time = master.start_time.addSecs(3600);
        const QDateTime from = master.start_time.addDays(1);
        const QList<Event> occurrences =
            Recurrence::expandEvent(master, from, QDateTime(seriesStart.addYears(1), QTime(0, 0), Qt::UTC));
        QVERIFY2(occurrences.size() >= minimum, qPrintable(QString::number(occurrences.size())));
        for (const Event &occurrence : occurrences) {
            const QDate day = occurrence.start_time.date();
            bool ok = false;
            if (check == QLatin1String("firstThursday"))
                ok = day.dayOfWeek() == 4 && day.day() <= 7;
            else if (check == QLatin1String("lastFriday"))
                ok = day.dayOfWeek() == 5 && day.day() > day.daysInMonth() - 7;
            else if (check == QLatin1String("lastDay"))
                ok = day.day() == day.daysInMonth();
            else if (check == QLatin1String("fifteenth"))
                ok = day.day() == 15;
            else if (check == QLatin1String("lastWorkday"))
                ok = isLastWorkdayOfMonth(day);
            else if (check == QLatin1String("fridayThe13th"))
                ok = day.day() == 13 && day.dayOfWeek() == 5;
            else if (check == QLatin1String("thanksgiving"))
                ok = day.month() == 11 && day.dayOfWeek() == 4 && day.day() >= 22 && day.day() <= 28;
            QVERIFY2(ok, qPrintable(day.toString(Qt::ISODate)));
        }
    }

    void ordinalSuffix_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("text");
        const QList<std::pair<int, const char *>> rows = {
            {1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"},     {11, "11th"},   {12, "12th"},
            {13, "13th"}, {21, "21st"}, {22, "22nd"}, {23, "23rd"},   {31, "31st"},   {0, "0th"},
            {101, "101st"}, {111, "111th"}, {112, "112th"}, {113, "113th"}, {366, "366th"}};
        for (const auto &[n, text] : rows)
            QTest::addRow("%d", n) << n << QString::fromLatin1(text);
    }

    void ordinalSuffix()
    {
        QFETCH(int, n);
        QFETCH(QString, text);
        QCOMPARE(::ordinalSuffix(n), text);
    }

    void ordinalWord_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("text");
        const QList<std::pair<int, const char *>> rows = {
            {-2, "second-to-last"}, {-1, "last"},  {1, "first"},   {2, "second"},          {3, "third"},
            {4, "fourth"},          {5, "fifth"},  {6, "6th"},     {22, "22nd"},           {0, "0th-from-last"},
            {-3, "3rd-from-last"},  {-4, "4th-from-last"},         {-21, "21st-from-last"}};
        for (const auto &[n, text] : rows)
            QTest::addRow("%d", n) << n << QString::fromLatin1(text);
    }

    void ordinalWord()
    {
        QFETCH(int, n);
        QFETCH(QString, text);
        QCOMPARE(::ordinalWord(n), text);
    }

    void parseByDayToken_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<int>("ordinal");
        QTest::addColumn<QString>("weekday");
        QTest::newRow("2MO") << "2MO" << 2 << "MO";
        QTest::newRow("-1FR") << "-1FR" << -1 << "FR";
        QTest::newRow("+3TU") << "+3TU" << 3 << "TU";
        QTest::newRow("SA") << "SA" << 0 << "SA";
        QTest::newRow("lower case") << "10th" << 10 << "TH";
        QTest::newRow("sign only") << "+FR" << 0 << "FR";
        QTest::newRow("minus only") << "-" << 0 << "";
        QTest::newRow("empty") << "" << 0 << "";
    }

    void parseByDayToken()
    {
        QFETCH(QString, token);
        QFETCH(int, ordinal);
        QFETCH(QString, weekday);
        const auto [parsedOrdinal, parsedWeekday] = ::parseByDayToken(token);
        QCOMPARE(parsedOrdinal, ordinal);
        QCOMPARE(parsedWeekday, weekday);
    }

    void weekdayShortName_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("MO") << "MO" << "Mon";
        QTest::newRow("th lower") << "th" << "Thu";
        QTest::newRow("su lower") << "su" << "Sun";
        QTest::newRow("unknown upper-cased") << "xx" << "XX";
        QTest::newRow("empty") << "" << "";
    }

    void weekdayShortName()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QCOMPARE(::weekdayShortName(code), name);
    }

    void describeReminderOffset_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "At time of event";
        QTest::newRow("negative") << -5 << "At time of event";
        QTest::newRow("59") << 59 << "59 min before";
        QTest::newRow("60") << 60 << "1 hour(s) before";
        QTest::newRow("90 drops the rest") << 90 << "1 hour(s) before";
        QTest::newRow("1439") << 1439 << "23 hour(s) before";
        QTest::newRow("1440") << 1440 << "1 day(s) before";
        QTest::newRow("3000") << 3000 << "2 day(s) before";
    }

    void describeReminderOffset()
    {
        QFETCH(int, minutes);
        QFETCH(QString, text);
        QCOMPARE(::describeReminderOffset(minutes), text);
    }

    void textsUseTheirTranslationContexts()
    {
        MarkingTranslator translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        const QString line = describeRrule(QStringLiteral("FREQ=MONTHLY;BYDAY=-1FR;COUNT=3"));
        const QString weekly = describeRrule(QStringLiteral("FREQ=YEARLY;BYMONTH=3;BYDAY=SU"));
        const QString reminder = ::describeReminderOffset(120);
        QCoreApplication::removeTranslator(&translator);

        QCOMPARE(line, QString::fromUtf8("[QObject]Repeats monthly · [QObject]on the [QObject]last [RruleFormat]Fri"
                                         " · [QObject]3 time(s)"));
        QCOMPARE(weekly, QString::fromUtf8("[QObject]Repeats yearly · [QObject]in [RruleFormat]Mar · [RruleFormat]Sun"));
        QCOMPARE(reminder, QStringLiteral("[QObject]2 hour(s) before"));
        QVERIFY(translator.m_pluralNumbers.contains(3));
    }
};

QTEST_GUILESS_MAIN(TestRruleFormat)
#include "tst_rruleformat.moc"
