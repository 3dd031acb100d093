// Real-world shaped iCalendar files of data/ics/ written back and read
// again, edited, and read with other line ends; what they read as is the
// iCalendar read golden runner's.

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTimeZone>

#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "icsdescription.h"

namespace {

using IcsDescription::describe;
using IcsDescription::describeAll;

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

const char *const EventFiles[] = {"google-weekly", "outlook-invite", "allday", "apple-rehearsal",
                                   "extra-dates-in-every-form"};

QDateTime utc(int y, int m, int d, int h, int min = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC);
}

// Durations from a start with a zone, floating or in UTC, with the end they
// name: weeks and days are calendar days of the start's zone (a day across
// a change of its offset has 23 or 25 hours), hours exact. The changes:
// Berlin 29 March and 25 October 2026, New York 8 March, Adelaide 5 April.
void addWallClockDurationRows()
{
    QTest::newRow("a day across the change to winter time")
        << "DTSTART;TZID=Europe/Berlin:20261024T120000\r\nDURATION:P1D" << utc(2026, 10, 25, 11) << false;
    QTest::newRow("a week across the change to summer time")
        << "DTSTART;TZID=Europe/Berlin:20260325T090000\r\nDURATION:P1W" << utc(2026, 4, 1, 7) << false;
    QTest::newRow("a day and hours across the change")
        << "DTSTART;TZID=Europe/Berlin:20261024T120000\r\nDURATION:P1DT2H30M" << utc(2026, 10, 25, 13, 30) << false;
    QTest::newRow("24 hours across the change stay exact")
        << "DTSTART;TZID=Europe/Berlin:20261024T120000\r\nDURATION:PT24H" << utc(2026, 10, 25, 10) << false;
    QTest::newRow("a day across New York's change")
        << "DTSTART;TZID=America/New_York:20260307T120000\r\nDURATION:P1D" << utc(2026, 3, 8, 16) << false;
    QTest::newRow("a day across Adelaide's change")
        << "DTSTART;TZID=Australia/Adelaide:20260404T120000\r\nDURATION:P1D" << utc(2026, 4, 5, 2, 30) << false;
    // 02:30 on 29 March does not exist in Berlin: read as 03:30 summer time.
    QTest::newRow("a day onto a skipped wall-clock time")
        << "DTSTART;TZID=Europe/Berlin:20260328T023000\r\nDURATION:P1D" << utc(2026, 3, 29, 1, 30) << false;
    QTest::newRow("a UTC start counts 24 hours a day")
        << "DTSTART:20261024T100000Z\r\nDURATION:P1D" << utc(2026, 10, 25, 10) << false;
    // On the computer's wall clock, whatever its zone.
    QTest::newRow("a floating start adds days to the date")
        << "DTSTART:20261024T120000\r\nDURATION:P1D" << QDateTime(QDate(2026, 10, 25), QTime(12, 0)) << false;
    QTest::newRow("the longest read from a zoned start")
        << "DTSTART;TZID=Europe/Berlin:20260309T090000\r\nDURATION:P366000D"
        << QDateTime(QDate(2026, 3, 9).addDays(366000), QTime(9, 0), QTimeZone("Europe/Berlin")) << false;
}

} // namespace

class TestIcsCodecRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void lineEndsDoNotChangeWhatIsRead_data();
    void lineEndsDoNotChangeWhatIsRead();
    void decodeTextRejoinsCharactersSplitAcrossFolds();
    void rawTextHoldsOneEventWithItsTimeZone();
    void writeThenReadKeepsEveryField_data();
    void writeThenReadKeepsEveryField();
    void writeThenReadKeepsEveryTaskField();
    void editOfStoredTextKeepsWhatTheRecordDoesNotModel();
    void editOfStoredTaskTextKeepsWhatTheRecordDoesNotModel();
    void taskDurationGivesTheDueDate_data();
    void taskDurationGivesTheDueDate();
    void eventDurationEndsOnTheStartsWallClock_data();
    void eventDurationEndsOnTheStartsWallClock();
    void editedTaskNeverKeepsDurationForTheRecordsDates_data();
    void editedTaskNeverKeepsDurationForTheRecordsDates();
    void editOfTaskResourceKeepsItsOtherComponents_data();
    void editOfTaskResourceKeepsItsOtherComponents();
    void copiedOccurrenceNamesTheCopysParent();
    void savedTaskKeepsItsAlarmsAsTheReaderReadsThem_data();
    void savedTaskKeepsItsAlarmsAsTheReaderReadsThem();
    void writtenValuesStayInTheirProperty_data();
    void writtenValuesStayInTheirProperty();
    void storedAllDaySeriesSkipsExceptionDaysInEveryZone();
};

void TestIcsCodecRoundTrip::lineEndsDoNotChangeWhatIsRead_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : EventFiles)
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestIcsCodecRoundTrip::lineEndsDoNotChangeWhatIsRead()
{
    QFETCH(QString, name);
    const QByteArray bytes = readBytes(QFINDTESTDATA(QStringLiteral("data/ics/%1.ics").arg(name)));
    QVERIFY(!bytes.isEmpty());
    QByteArray lf = bytes;
    lf.replace("\r\n", "\n");
    QByteArray crlf = lf;
    crlf.replace("\n", "\r\n");
    QCOMPARE(describeAll(IcsCodec::parseEvents(IcsCodec::decodeText(lf))),
             describeAll(IcsCodec::parseEvents(IcsCodec::decodeText(crlf))));
}

void TestIcsCodecRoundTrip::decodeTextRejoinsCharactersSplitAcrossFolds()
{
    const QByteArray bytes = readBytes(QFINDTESTDATA("data/ics/google-weekly.ics"));
    // The file folds the description inside the bytes of "ト".
    QVERIFY(bytes.contains("\xe3\x83\r\n \x88"));
    const QList<Event> events = IcsCodec::parseEvents(IcsCodec::decodeText(bytes));
    QVERIFY(!events.isEmpty());
    QVERIFY(events.first().description.contains(QStringLiteral("日本語テキスト straddles")));
    QVERIFY(!events.first().description.contains(QChar(QChar::ReplacementCharacter)));
}

void TestIcsCodecRoundTrip::rawTextHoldsOneEventWithItsTimeZone()
{
    const QList<Event> events =
        IcsCodec::parseEvents(IcsCodec::decodeText(readBytes(QFINDTESTDATA("data/ics/google-weekly.ics"))));
    QCOMPARE(events.size(), 2);
    for (const Event &event : events) {
        const QString &raw = event.raw_icalendar;
        QVERIFY(raw.startsWith(QLatin1String("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tindlebrook//Calendar Desktop//EN\r\n")));
        QCOMPARE(raw.count(QLatin1String("BEGIN:VEVENT")), 1);
        // TZID=America/New_York needs its definition next to the event.
        QCOMPARE(raw.count(QLatin1String("BEGIN:VTIMEZONE")), 1);
        QVERIFY(raw.contains(QLatin1String("TZID:America/New_York\r\n")));
        QVERIFY(raw.endsWith(QLatin1String("END:VEVENT\r\nEND:VCALENDAR\r\n")));
        QVERIFY(!raw.contains(QLatin1String("X-WR-CALNAME")));
    }
    QVERIFY(events.first().raw_icalendar.contains(QLatin1String("BEGIN:VALARM\r\nACTION:EMAIL")));
}

void TestIcsCodecRoundTrip::writeThenReadKeepsEveryField_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("fresh");
    for (const char *name : EventFiles) {
        QTest::addRow("%s patched", name) << QString::fromLatin1(name) << false;
        QTest::addRow("%s fresh", name) << QString::fromLatin1(name) << true;
    }
}

void TestIcsCodecRoundTrip::writeThenReadKeepsEveryField()
{
    QFETCH(QString, name);
    QFETCH(bool, fresh);
    const QList<Event> events =
        IcsCodec::parseEvents(IcsCodec::decodeText(readBytes(QFINDTESTDATA(QStringLiteral("data/ics/%1.ics").arg(name)))));
    QVERIFY(!events.isEmpty());
    for (Event event : events) {
        if (fresh)
            event.raw_icalendar.clear();
        const QString written = IcsCodec::buildEventIcs(event);
        QVERIFY(written.contains(QLatin1String("DTSTAMP:")));
        const QList<Event> again = IcsCodec::parseEvents(written);
        QCOMPARE(again.size(), 1);
        QCOMPARE(describe(again.first()), describe(event));
        // Every zone the text names is defined in it.
        if (written.contains(QLatin1String(";TZID=")))
            QVERIFY(written.contains(QLatin1String("BEGIN:VTIMEZONE")));
    }
}

void TestIcsCodecRoundTrip::writeThenReadKeepsEveryTaskField()
{
    const QList<Task> tasks = IcsCodec::parseTodos(IcsCodec::decodeText(readBytes(QFINDTESTDATA("data/ics/todos.ics"))));
    QCOMPARE(tasks.size(), 2);
    for (const Task &task : tasks) {
        const QList<Task> again = IcsCodec::parseTodos(IcsCodec::buildTodo(task));
        QCOMPARE(again.size(), 1);
        QCOMPARE(describe(again.first()), describe(task));
    }
}

void TestIcsCodecRoundTrip::editOfStoredTextKeepsWhatTheRecordDoesNotModel()
{
    const QList<Event> events =
        IcsCodec::parseEvents(IcsCodec::decodeText(readBytes(QFINDTESTDATA("data/ics/outlook-invite.ics"))));
    QCOMPARE(events.size(), 1);
    Event edited = events.first();
    edited.title = QStringLiteral("Quartalsbericht Q3 (verschoben)");
    edited.sequence = 1;
    edited.start_time = edited.start_time.addSecs(3600);
    edited.end_time = edited.end_time->addSecs(3600);
    edited.attendees.removeLast();
    edited.attendees.first().status = QStringLiteral("accepted");
    edited.reminders.append(Reminder());
    edited.reminders.last().minutes_before = 1440;

    // Unfolded, as the lines below are longer than a folded line.
    const QString written = IcsCodec::unfoldLines(IcsCodec::buildEventIcs(edited)).join(QLatin1String("\r\n"));
    // Unmodelled properties, parameters and the zone definition survive.
    for (const char *kept : {"X-MICROSOFT-CDO-BUSYSTATUS:TENTATIVE", "CLASS:PUBLIC", "PRIORITY:5",
                             "DESCRIPTION;ALTREP=\"data:text/html,<p>Quarterly review</p>\";LANGUAGE=de-DE:",
                             "LOCATION;LANGUAGE=de-DE:Konferenzraum", "TZID:W. Europe Standard Time",
                             "ORGANIZER;CN=Max Mustermann:MAILTO:max@contoso.example",
                             "DESCRIPTION:REMINDER\r\nTRIGGER;RELATED=START:-PT15M"}) {
        QVERIFY2(written.contains(QString::fromUtf8(kept)), kept);
    }
    QVERIFY(written.contains(QLatin1String("SUMMARY:Quartalsbericht Q3 (verschoben)\r\n")));
    QVERIFY(!written.contains(QLatin1String("SUMMARY;LANGUAGE=de-DE:Quartalsbericht Q3\r\n")));
    QVERIFY(written.contains(QLatin1String("SEQUENCE:1\r\n")));
    QVERIFY(!written.contains(QLatin1String("john@fabrikam.example")));
    QVERIFY(written.contains(QLatin1String(
        "ATTENDEE;ROLE=REQ-PARTICIPANT;PARTSTAT=ACCEPTED;RSVP=TRUE;CN=Erika Musterfrau:mailto:erika@contoso.example")));
    QVERIFY(written.contains(QLatin1String("TRIGGER:-PT1440M")));

    const QList<Event> again = IcsCodec::parseEvents(written);
    QCOMPARE(again.size(), 1);
    QCOMPARE(describe(again.first()), describe(edited));
    QCOMPARE(again.first().start_time.toUTC(), QDateTime(QDate(2024, 10, 28), QTime(14, 0), Qt::UTC));
}

void TestIcsCodecRoundTrip::editOfStoredTaskTextKeepsWhatTheRecordDoesNotModel()
{
    const QString stored = QStringLiteral(
        "BEGIN:VTODO\r\nUID:pack@example.org\r\nDTSTAMP:20260101T000000Z\r\nCREATED:20251201T080000Z\r\n"
        "LAST-MODIFIED:20260101T000000Z\r\nSUMMARY:Pack\r\nDTSTART:20260309T080000Z\r\nDURATION:PT1H\r\n"
        "X-OTHER-CLIENT-NOTE:blue bag\r\n CASE\r\nRELATED-TO;RELTYPE=SIBLING:shop@example.org\r\n"
        "RELATED-TO:trip@example.org\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
        "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER;VALUE=DATE-TIME:20260309T070000Z\r\nEND:VALARM\r\n"
        "BEGIN:X-OTHER-PART\r\nX-PART-NOTE:kept\r\nEND:X-OTHER-PART\r\nEND:VTODO\r\n");
    Task edited = IcsCodec::parseTodos(stored).value(0);
    edited.title = QStringLiteral("Pack the car");
    edited.due_date = QDateTime(QDate(2026, 3, 10), QTime(18, 0), Qt::UTC);
    edited.due_is_date_only = false;
    edited.parent_task_uid.clear();
    edited.reminders.first().minutes_before = 30;

    const QString written = IcsCodec::patchTodoIcs(stored, edited);
    for (const char *kept : {"CREATED:20251201T080000Z", "X-OTHER-CLIENT-NOTE:blue bagCASE",
                             "RELATED-TO;RELTYPE=SIBLING:shop@example.org",
                             "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER;VALUE=DATE-TIME:20260309T070000Z\r\nEND:VALARM",
                             "BEGIN:X-OTHER-PART\r\nX-PART-NOTE:kept\r\nEND:X-OTHER-PART\r\nEND:VTODO"})
        QVERIFY2(written.contains(QString::fromUtf8(kept)), kept);
    // What the record holds is written from it alone.
    for (const char *gone : {"SUMMARY:Pack\r\n", "DURATION", "LAST-MODIFIED", "RELATED-TO:trip", "-PT15M"})
        QVERIFY2(!written.contains(QString::fromUtf8(gone)), gone);
    QVERIFY(written.indexOf(QLatin1String("X-OTHER-CLIENT-NOTE")) < written.indexOf(QLatin1String("BEGIN:VALARM")));
    const QList<Task> again = IcsCodec::parseTodos(written);
    QCOMPARE(again.size(), 1);
    QCOMPARE(describe(again.first()), describe(edited));
    // Patched again, as a second edit does, the text keeps the same lines.
    QCOMPARE(IcsCodec::patchTodoIcs(written, edited).count(QLatin1String("X-OTHER-CLIENT-NOTE")), 1);
}

void TestIcsCodecRoundTrip::taskDurationGivesTheDueDate_data()
{
    // The VTODO's time lines as a server sent them, and the due date read.
    QTest::addColumn<QString>("times");
    QTest::addColumn<QDateTime>("due");
    QTest::addColumn<bool>("dueIsDate");
    const QDateTime none;
    QTest::newRow("date start, days") << "DTSTART;VALUE=DATE:20260309\r\nDURATION:P2D"
                                      << QDateTime(QDate(2026, 3, 11), QTime(0, 0), Qt::UTC) << true;
    QTest::newRow("date start, hours") << "DTSTART;VALUE=DATE:20260309\r\nDURATION:PT12H"
                                       << QDateTime(QDate(2026, 3, 9), QTime(12, 0), Qt::UTC) << false;
    QTest::newRow("date-time start") << "DTSTART:20260309T080000Z\r\nDURATION:PT1H30M"
                                     << QDateTime(QDate(2026, 3, 9), QTime(9, 30), Qt::UTC) << false;
    QTest::newRow("zoned start, a week") << "DTSTART;TZID=Europe/Berlin:20260309T090000\r\nDURATION:P1W"
                                         << QDateTime(QDate(2026, 3, 16), QTime(8, 0), Qt::UTC) << false;
    QTest::newRow("duration before the start") << "DURATION:+PT45M\r\nDTSTART:20260309T080000Z"
                                               << QDateTime(QDate(2026, 3, 9), QTime(8, 45), Qt::UTC) << false;
    QTest::newRow("zero") << "DTSTART:20260309T080000Z\r\nDURATION:PT0S"
                          << QDateTime(QDate(2026, 3, 9), QTime(8, 0), Qt::UTC) << false;
    QTest::newRow("longest read") << "DTSTART;VALUE=DATE:20260309\r\nDURATION:P366000D"
                                  << QDateTime(QDate(2026, 3, 9).addDays(366000), QTime(0, 0), Qt::UTC) << true;
    QTest::newRow("due wins") << "DURATION:PT1H\r\nDTSTART:20260309T080000Z\r\nDUE:20260310T170000Z"
                              << QDateTime(QDate(2026, 3, 10), QTime(17, 0), Qt::UTC) << false;
    QTest::newRow("negative") << "DTSTART:20260309T080000Z\r\nDURATION:-PT1H" << none << true;
    QTest::newRow("past the longest") << "DTSTART:20260309T080000Z\r\nDURATION:P366001D" << none << true;
    QTest::newRow("overflowing") << "DTSTART:20260309T080000Z\r\nDURATION:P99999999999999999999999W" << none
                                 << true;
    QTest::newRow("unreadable") << "DTSTART:20260309T080000Z\r\nDURATION:1 hour" << none << true;
    QTest::newRow("no start") << "DURATION:PT1H" << none << true;
    addWallClockDurationRows();
    QTest::newRow("a negative day from a zoned start")
        << "DTSTART;TZID=Europe/Berlin:20261024T120000\r\nDURATION:-P1D" << none << true;
    QTest::newRow("past the longest from a zoned start")
        << "DTSTART;TZID=Europe/Berlin:20260309T090000\r\nDURATION:P366001D" << none << true;
    QTest::newRow("a date start, weeks across the change")
        << "DTSTART;VALUE=DATE:20260325\r\nDURATION:P1W" << utc(2026, 4, 1, 0) << true;
}

void TestIcsCodecRoundTrip::taskDurationGivesTheDueDate()
{
    QFETCH(QString, times);
    QFETCH(QDateTime, due);
    QFETCH(bool, dueIsDate);
    const QList<Task> tasks = IcsCodec::parseTodos(
        QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:water\r\nSUMMARY:Water\r\n%1\r\nEND:VTODO\r\n"
                       "END:VCALENDAR\r\n")
            .arg(times));
    QCOMPARE(tasks.size(), 1);
    QCOMPARE(tasks.first().due_date.value_or(QDateTime()).toUTC(), due);
    QCOMPARE(tasks.first().due_is_date_only, dueIsDate);
}

void TestIcsCodecRoundTrip::eventDurationEndsOnTheStartsWallClock_data()
{
    QTest::addColumn<QString>("times");
    QTest::addColumn<QDateTime>("end");
    QTest::addColumn<bool>("allDay");
    addWallClockDurationRows();
    QTest::newRow("a date start, days") << "DTSTART;VALUE=DATE:20260325\r\nDURATION:P7D" << utc(2026, 4, 1, 0)
                                       << true;
    QTest::newRow("an end wins") << "DTSTART;TZID=Europe/Berlin:20261024T120000\r\nDURATION:P1D\r\n"
                                    "DTEND;TZID=Europe/Berlin:20261024T130000"
                                 << utc(2026, 10, 24, 11) << false;
    QTest::newRow("a negative day gives no end")
        << "DTSTART;TZID=Europe/Berlin:20261024T120000\r\nDURATION:-P1D" << QDateTime() << false;
}

void TestIcsCodecRoundTrip::eventDurationEndsOnTheStartsWallClock()
{
    QFETCH(QString, times);
    QFETCH(QDateTime, end);
    QFETCH(bool, allDay);
    const QList<Event> events = IcsCodec::parseEvents(
        QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:clocks\r\nSUMMARY:Clocks\r\n%1\r\nEND:VEVENT\r\n"
                       "END:VCALENDAR\r\n")
            .arg(times));
    QCOMPARE(events.size(), 1);
    QCOMPARE(events.first().end_time.value_or(QDateTime()).toUTC(), end.toUTC());
    QCOMPARE(events.first().is_all_day, allDay);
}

void TestIcsCodecRoundTrip::editedTaskNeverKeepsDurationForTheRecordsDates_data()
{
    QTest::addColumn<bool>("clearStart");
    QTest::addColumn<bool>("clearDue");
    QTest::newRow("start cleared") << true << false;
    QTest::newRow("due cleared") << false << true;
    QTest::newRow("both cleared") << true << true;
    QTest::newRow("title edited") << false << false;
}

void TestIcsCodecRoundTrip::editedTaskNeverKeepsDurationForTheRecordsDates()
{
    QFETCH(bool, clearStart);
    QFETCH(bool, clearDue);
    const QString stored = QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:water\r\nSUMMARY:Water\r\n"
                                          "DTSTART:20260309T080000Z\r\nDURATION:PT2H\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
    Task edited = IcsCodec::parseTodos(stored).value(0);
    edited.title = QStringLiteral("Water the plants");
    if (clearStart)
        edited.start_date.reset();
    if (clearDue)
        edited.due_date.reset();
    const QString written = IcsCodec::patchTodoIcs(stored, edited);
    // DURATION without DTSTART is not iCalendar, and a kept one would bring
    // back the due date cleared here.
    QVERIFY2(!written.contains(QLatin1String("DURATION")) || written.contains(QLatin1String("DTSTART")),
             qPrintable(written));
    const QList<Task> again = IcsCodec::parseTodos(written);
    QCOMPARE(again.size(), 1);
    QCOMPARE(describe(again.first()), describe(edited));
}

void TestIcsCodecRoundTrip::editOfTaskResourceKeepsItsOtherComponents_data()
{
    // A series changed elsewhere on one of its occurrences, as a server holds
    // it, and the titles of its VTODOs in order once the task is edited.
    QTest::addColumn<QStringList>("todos");
    QTest::addColumn<QString>("uid");
    QTest::addColumn<QStringList>("titles");
    const QString master = QStringLiteral("UID:water\r\nSUMMARY:Water\r\nDTSTART:20260302T080000Z\r\n"
                                          "RRULE:FREQ=WEEKLY;COUNT=6\r\nX-OTHER:master");
    const QString saturday = QStringLiteral("UID:water\r\nRECURRENCE-ID;TZID=Europe/Berlin:20260309T090000\r\n"
                                            "SUMMARY:Water early\r\nSTATUS:COMPLETED");
    const QString monday = QStringLiteral("UID:water\r\nRECURRENCE-ID:20260316T080000Z\r\nSUMMARY:Water late");
    QTest::newRow("master first") << QStringList{master, saturday} << "water"
                                  << QStringList{"Edited", "Water early"};
    QTest::newRow("occurrence first") << QStringList{saturday, master, monday} << "water"
                                      << QStringList{"Water early", "Edited", "Water late"};
    QTest::newRow("occurrences alone") << QStringList{saturday, monday} << "water"
                                       << QStringList{"Edited", "Water late"};
    // A copy takes the occurrences along, after its series.
    QTest::newRow("copy under a new uid") << QStringList{saturday, master} << "water-copy"
                                          << QStringList{"Edited", "Water early"};
    QTest::newRow("copy, series first") << QStringList{master, saturday} << "water-copy"
                                        << QStringList{"Edited", "Water early"};
    // An exception in the zone: the copy names it, so its definition goes too.
    const QString zoned = master + QStringLiteral("\r\nEXDATE;TZID=Europe/Berlin:20260323T090000");
    QTest::newRow("copy naming a zone") << QStringList{saturday, zoned, monday} << "water-copy"
                                        << QStringList{"Edited", "Water early", "Water late"};
    // The copy's occurrence never repeats: a rule there goes.
    QTest::newRow("copy of an occurrence with a rule")
        << QStringList{master, saturday + QStringLiteral("\r\nRRULE:FREQ=DAILY;COUNT=2")} << "water-copy"
        << QStringList{"Edited", "Water early"};
    QTest::newRow("copy of occurrences alone") << QStringList{saturday, monday} << "water-copy"
                                               << QStringList{"Edited"};
}

void TestIcsCodecRoundTrip::editOfTaskResourceKeepsItsOtherComponents()
{
    QFETCH(QStringList, todos);
    QFETCH(QString, uid);
    QFETCH(QStringList, titles);
    QString resource = QStringLiteral(
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Client//EN\r\nX-WR-CALNAME:Home\r\n"
        "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n"
        "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n");
    for (const QString &todo : todos)
        resource += QStringLiteral("BEGIN:VTODO\r\n%1\r\nEND:VTODO\r\n").arg(todo);
    resource += QStringLiteral("END:VCALENDAR\r\n");

    // One record for the series, which stands for it in the text.
    const QList<Task> records = IcsCodec::parseTodoResource(resource);
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.first().raw_icalendar, resource);
    const QString own = IcsCodec::todoOf(resource, records.first().uid);
    QCOMPARE(IcsCodec::parseTodos(own).value(0).title, records.first().title);
    Task edited = records.first();
    edited.uid = uid;
    edited.title = QStringLiteral("Edited");

    const QString written = IcsCodec::patchTodoIcs(resource, edited);
    // An occurrence's own rule never goes with a copy.
    const QList<Task> before =
        IcsCodec::parseTodos(QString(resource).remove(QLatin1String("\r\nRRULE:FREQ=DAILY;COUNT=2")));
    const QList<Task> after = IcsCodec::parseTodos(written);
    QStringList writtenTitles;
    for (Task task : after) {
        writtenTitles.append(task.title);
        // Every other VTODO is the server's, line for line, a copy's under
        // its own UID.
        if (task.title == edited.title)
            continue;
        QCOMPARE(task.uid, uid);
        task.uid = records.first().uid;
        task.raw_icalendar.replace(QLatin1String("UID:") + uid, QLatin1String("UID:") + task.uid);
        QVERIFY2(before.contains(task), qPrintable(task.title));
    }
    QCOMPARE(writtenTitles, titles);
    QCOMPARE(describe(IcsCodec::parseTodos(IcsCodec::todoOf(written, uid)).value(0)), describe(edited));
    const QString head = resource.left(resource.indexOf(QLatin1String("BEGIN:VTODO")));
    if (uid == records.first().uid) {
        // The calendar's own lines and its zones stay where they were.
        QVERIFY2(written.startsWith(head), qPrintable(written));
        return;
    }
    // A copy for another calendar is its series and their occurrences, under
    // this program's own lines, with the zone they name and no other.
    const bool hasSeries = todos.join(QString()).contains(QLatin1String("X-OTHER:master"));
    const bool namesZone = hasSeries && todos.join(QString()).contains(QLatin1String("TZID=Europe/Berlin"));
    const QString zone = namesZone ? head.mid(head.indexOf(QLatin1String("BEGIN:VTIMEZONE"))) : QString();
    QCOMPARE(written.left(written.indexOf(QLatin1String("BEGIN:VTODO"))),
             QLatin1String("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:") + QLatin1String(IcsCodec::ProductId)
                 + QLatin1String("\r\n") + zone);
    for (const char *gone : {"X-WR-CALNAME", "-//Other//Client//EN", "FREQ=DAILY"})
        QVERIFY2(!written.contains(QLatin1String(gone)), qPrintable(written));
    QCOMPARE(written.contains(QLatin1String("X-OTHER:master")), hasSeries);
}

void TestIcsCodecRoundTrip::copiedOccurrenceNamesTheCopysParent()
{
    // A subtask moved with its parent: both have new UIDs in the new calendar.
    const QString resource = QStringLiteral(
        "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:water\r\nRELATED-TO:garden\r\nSUMMARY:Water\r\n"
        "DTSTART:20260302T080000Z\r\nRRULE:FREQ=WEEKLY;COUNT=6\r\nEND:VTODO\r\nBEGIN:VTODO\r\nUID:water\r\n"
        "RECURRENCE-ID:20260309T080000Z\r\nRELATED-TO;RELTYPE=PARENT:garden\r\nRELATED-TO;RELTYPE=SIBLING:hose\r\n"
        "STATUS:COMPLETED\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
    Task copy = IcsCodec::parseTodoResource(resource).value(0);
    copy.uid = QStringLiteral("water-copy");
    copy.parent_task_uid = QStringLiteral("garden-copy");
    const QString written = IcsCodec::patchTodoIcs(resource, copy);
    QCOMPARE(written.count(QLatin1String("RELATED-TO;RELTYPE=PARENT:garden-copy\r\n")), 2);
    QVERIFY2(!written.contains(QLatin1String(":garden\r\n")), qPrintable(written));
    QVERIFY2(written.contains(QLatin1String("RELATED-TO;RELTYPE=SIBLING:hose\r\n")), qPrintable(written));
}

void TestIcsCodecRoundTrip::savedTaskKeepsItsAlarmsAsTheReaderReadsThem_data()
{
    // A VALARM (or what holds one) as a server keeps it, the reminders the
    // reader makes of it and the VALARMs the text holds after each save.
    QTest::addColumn<QString>("alarm");
    QTest::addColumn<int>("reminders");
    QTest::addColumn<int>("alarms");
    const QString relative = QStringLiteral("TRIGGER:-PT15M");
    const QString fixed = QStringLiteral("TRIGGER;VALUE=DATE-TIME:20260309T070000Z");
    const QString holding = QStringLiteral("BEGIN:VALARM\r\nACTION:DISPLAY\r\n%1\r\nBEGIN:%3\r\n%2\r\nEND:%3\r\n"
                                           "END:VALARM");
    const QString snooze = QStringLiteral("X-SNOOZE");
    QTest::newRow("component with a fixed trigger inside") << holding.arg(relative, fixed, snooze) << 1 << 1;
    QTest::newRow("alarm with a fixed trigger inside")
        << holding.arg(relative, fixed, QStringLiteral("VALARM")) << 1 << 1;
    QTest::newRow("fixed trigger, relative one inside") << holding.arg(fixed, relative, snooze) << 0 << 1;
    QTest::newRow("alarm inside another component")
        << QStringLiteral("BEGIN:X-WRAP\r\nBEGIN:VALARM\r\n%1\r\nEND:VALARM\r\nEND:X-WRAP").arg(relative) << 0 << 1;
    QTest::newRow("no trigger") << QStringLiteral("BEGIN:VALARM\r\nACTION:DISPLAY\r\nEND:VALARM") << 0 << 1;
}

void TestIcsCodecRoundTrip::savedTaskKeepsItsAlarmsAsTheReaderReadsThem()
{
    QFETCH(QString, alarm);
    QFETCH(int, reminders);
    QFETCH(int, alarms);
    QString stored = QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTODO\r\nUID:water\r\nSUMMARY:Water\r\n"
                                    "DUE:20260309T080000Z\r\n%1\r\nEND:VTODO\r\nEND:VCALENDAR\r\n")
                         .arg(alarm);
    QCOMPARE(IcsCodec::parseTodoResource(stored).value(0).reminders.size(), reminders);
    // An alarm the reader makes a reminder of is the record's to write; any
    // other stays as it was, once.
    for (int save = 1; save <= 5; ++save) {
        Task edited = IcsCodec::parseTodoResource(stored).value(0);
        edited.title = QStringLiteral("Water, save %1").arg(save);
        stored = IcsCodec::patchTodoIcs(stored, edited);
        Task again = IcsCodec::parseTodoResource(stored).value(0);
        QCOMPARE(again.reminders.size(), reminders);
        QCOMPARE(stored.count(QLatin1String("BEGIN:VALARM")), alarms);
        edited.raw_icalendar = again.raw_icalendar;
        QCOMPARE(again, edited);
    }
}

void TestIcsCodecRoundTrip::writtenValuesStayInTheirProperty_data()
{
    // A value as a server or a provider handed it over, and as it reads
    // back from what the writers made of it.
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("readBack");
    const QString uid = QStringLiteral("task-1\nEND:VTODO\nBEGIN:VTODO\nUID:injected");
    const QString parent = QStringLiteral("parent\nSUMMARY:Injected title");
    QTest::newRow("task uid") << "task uid" << uid << uid;
    QTest::newRow("task parent") << "task parent" << parent << parent;
    QTest::newRow("task title with a line separator")
        << "task title" << QStringLiteral("Call\u2028SUMMARY:Injected") << QStringLiteral("Call\nSUMMARY:Injected");
    QTest::newRow("task rule") << "task rule" << "FREQ=DAILY\r\nSUMMARY:Injected" << "FREQ=DAILYSUMMARY:Injected";
    QTest::newRow("task alarm action") << "task alarm" << "display\r\nSUMMARY:Injected" << "display";
    QTest::newRow("event uid") << "event uid" << "event-1\nEND:VEVENT\nBEGIN:VEVENT\nUID:injected"
                               << "event-1\nEND:VEVENT\nBEGIN:VEVENT\nUID:injected";
    QTest::newRow("event parent") << "event parent" << parent << parent;
    QTest::newRow("event url") << "event url" << "https://example.org/a\r\nSUMMARY:Injected"
                               << "https://example.org/a%0D%0ASUMMARY:Injected";
    QTest::newRow("event attendee") << "event attendee" << "ann@example.org\nSUMMARY:Injected"
                                    << "ann@example.org%0ASUMMARY:Injected";
    const QString longTitle = QStringLiteral("Gr\u00fc\u00dfe \U0001F600 ").repeated(12);
    QTest::newRow("task title longer than a line") << "task title" << longTitle << longTitle;
    const QString longUrl = QStringLiteral("https://example.org/") + QStringLiteral("path/").repeated(20);
    QTest::newRow("event url longer than a line") << "event url" << longUrl << longUrl;
    QTest::newRow("event rule ended by a lone CR")
        << "event rule" << "FREQ=DAILY\rSUMMARY:Injected" << "FREQ=DAILY\nSUMMARY:Injected";
}

void TestIcsCodecRoundTrip::writtenValuesStayInTheirProperty()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, readBack);
    // No part of a value starts a line of its own, and long ones are folded.
    const QRegularExpression injectedLine(QStringLiteral("[\r\n](SUMMARY|UID):injected"),
                                          QRegularExpression::CaseInsensitiveOption);
    const auto longestLine = [](const QString &written) {
        qsizetype longest = 0;
        for (const QString &line : written.split(QLatin1String("\r\n")))
            longest = std::max(longest, line.toUtf8().size());
        return longest;
    };
    const auto set = [&field](auto &record, const QString &text) {
        if constexpr (std::is_same_v<std::decay_t<decltype(record)>, Task>) {
            QString *target = field == QLatin1String("task uid") ? &record.uid
                : field == QLatin1String("task parent")         ? &record.parent_task_uid
                : field == QLatin1String("task title")          ? &record.title
                : field == QLatin1String("task rule")           ? &record.recurrence_rule
                                                                : &record.reminders.first().action;
            *target = text;
        } else {
            QString *target = field == QLatin1String("event uid") ? &record.uid
                : field == QLatin1String("event parent")         ? &record.related_to_uid
                : field == QLatin1String("event url")            ? &record.event_url
                : field == QLatin1String("event rule")           ? &record.recurrence_rule
                                                                 : &record.attendees.first().email;
            *target = text;
        }
    };
    if (field.startsWith(QLatin1String("task"))) {
        Task task;
        task.uid = QStringLiteral("task-1");
        task.title = QStringLiteral("Call Mum");
        task.due_date = QDateTime(QDate(2024, 6, 3), QTime(9, 0), Qt::UTC);
        task.due_is_date_only = false;
        task.reminders = {Reminder()};
        task.reminders.first().minutes_before = 10;
        task.reminders.first().action = QStringLiteral("display");
        Task expected = task;
        set(task, value);
        set(expected, readBack);
        const QString written = IcsCodec::buildTodo(task);
        QVERIFY2(!written.contains(injectedLine), qPrintable(written));
        QVERIFY2(longestLine(written) <= 75, qPrintable(written));
        const QList<Task> again = IcsCodec::parseTodos(written);
        QCOMPARE(again.size(), 1);
        QCOMPARE(describe(again.first()), describe(expected));
        return;
    }
    Event event;
    event.uid = QStringLiteral("event-1");
    event.title = QStringLiteral("Planning");
    event.start_time = QDateTime(QDate(2024, 7, 1), QTime(8, 0), Qt::UTC);
    event.end_time = event.start_time.addSecs(3600);
    event.attendees = {Attendee()};
    event.attendees.first().email = QStringLiteral("ann@example.org");
    event.attendees.first().status = QStringLiteral("needs-action");
    Event expected = event;
    set(event, value);
    set(expected, readBack);
    const QString written = IcsCodec::buildEventIcs(event);
    QVERIFY2(!written.contains(injectedLine), qPrintable(written));
    QVERIFY2(longestLine(written) <= 75, qPrintable(written));
    const QList<Event> again = IcsCodec::parseEvents(written);
    QCOMPARE(again.size(), 1);
    QCOMPARE(describe(again.first()), describe(expected));
}

void TestIcsCodecRoundTrip::storedAllDaySeriesSkipsExceptionDaysInEveryZone()
{
    QList<Event> events =
        IcsCodec::parseEvents(IcsCodec::decodeText(readBytes(QFINDTESTDATA("data/ics/allday.ics"))));
    QCOMPARE(events.size(), 4);
    // As the store reads them back: all-day values at local midnight.
    for (Event &event : events) {
        event.start_time = QDateTime(event.start_time.date(), QTime(0, 0));
        if (event.end_time)
            event.end_time = QDateTime(event.end_time->date(), QTime(0, 0));
    }
    const QDateTime from(QDate(2020, 1, 1), QTime(0, 0));
    const QDateTime to(QDate(2026, 1, 1), QTime(0, 0));
    QStringList birthdays;
    for (const Event &event : Recurrence::expandForRange(events, from, to)) {
        if (event.uid == QLatin1String("birthday-ada@example.org"))
            birthdays << event.start_time.date().toString(Qt::ISODate) + QLatin1Char('/')
                             + event.end_time->date().toString(Qt::ISODate);
    }
    QCOMPARE(birthdays, QStringList({"2020-12-10/2020-12-11", "2021-12-10/2021-12-11", "2024-12-14/2024-12-15",
                                     "2025-12-10/2025-12-11"}));
}

QTEST_GUILESS_MAIN(TestIcsCodecRoundTrip)
#include "tst_icscodec_roundtrip.moc"
