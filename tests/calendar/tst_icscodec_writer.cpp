#include "calendar/icscodec.h"

#include <QRegularExpression>
#include <QTest>
#include <QTimeZone>

namespace {

QDateTime utc(int y, int m, int d, int h = 0, int min = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC);
}

QStringList linesOf(const QString &text)
{
    return text.split(QLatin1String("\r\n"));
}

// The lines of the VEVENT block only, without its own BEGIN and END,
// unfolded.
QStringList eventLines(const QString &text)
{
    const QStringList lines = IcsCodec::unfoldLines(text);
    const qsizetype begin = lines.indexOf(QStringLiteral("BEGIN:VEVENT"));
    const qsizetype end = lines.indexOf(QStringLiteral("END:VEVENT"));
    return (begin < 0 || end < begin) ? QStringList() : lines.mid(begin + 1, end - begin - 1);
}

Task sampleTask()
{
    Task task;
    task.uid = QStringLiteral("task-1");
    task.title = QStringLiteral("Call Mum, then; relax");
    task.status = taskStatusFromText(QString());
    return task;
}

Event sampleEvent()
{
    Event event;
    event.id = QStringLiteral("id-1");
    event.uid = QStringLiteral("event-1");
    event.title = QStringLiteral("Planning, Q3; final");
    event.description = QStringLiteral("Agenda\r\n1. Budget");
    event.location = QStringLiteral("Room 4");
    event.start_time = utc(2024, 7, 1, 8);
    event.end_time = utc(2024, 7, 1, 9);
    event.sequence = 2;
    event.status = QStringLiteral("tentative");
    return event;
}

} // namespace

class TestIcsCodecWriter : public QObject
{
    Q_OBJECT

private slots:
    void buildTodoWritesTheTask();
    void buildTodoWritesDatesByTheirFlags();
    void buildTodoWritesAlarmsRelativeToTheAnchor();
    void buildTodoWritesNoAlarmWithoutADate();
    void buildTodoWritesAlarmsAfterTheAnchorAsValidDurations();
    void taskValueIsWrittenAsReadOrRefused_data();
    void taskValueIsWrittenAsReadOrRefused();
    void taskEditKeepsTheCategoryLinesItLeaves_data();
    void taskEditKeepsTheCategoryLinesItLeaves();
    void eventSeriesUidIsWrittenAsRead_data();
    void eventSeriesUidIsWrittenAsRead();

    void buildEventIcsWritesACompleteEvent();
    void buildEventIcsWritesAllDayEventsAsDates();
    void buildEventIcsWritesZonedTimesWithTheirTimeZone();
    void buildEventIcsWritesAnOverrideUnderItsSeriesUid();
    void buildEventIcsWritesAttendeesOrganizerAndAlarms();
    void writtenTimeZoneFollowsTheZoneRules();
    void timedSeriesEndsAtTheUtcInstantEndingItsUntilDay_data();
    void timedSeriesEndsAtTheUtcInstantEndingItsUntilDay();
    void floatingSeriesIsWrittenOnTheWallClock_data();
    void floatingSeriesIsWrittenOnTheWallClock();

    void editOfStoredTextRemovesWhatTheRecordDropped();
    void editOfStoredTextKeepsUnchangedLinesVerbatim();
    void editOfStoredTextPatchesTheOverrideItStandsFor();
    void editOfStoredTextWritesEachSkippedDayOnce_data();
    void editOfStoredTextWritesEachSkippedDayOnce();

    void patchEventTimesRewritesTheFirstEventInUtc();
    void patchEventTimesLeavesOtherTextAlone();
    void patchEventTimesKeepsAllDayEventsAsDates();
    void patchEventTimesKeepsAlarmDurations();
    void patchEventTimesDropsContinuationsOfReplacedLines();
};

void TestIcsCodecWriter::buildTodoWritesTheTask()
{
    Task task = sampleTask();
    task.description = QStringLiteral("Line one\r\nLine two\nLine three");
    task.categories = {QStringLiteral("Family, close"), QStringLiteral("Phone")};
    task.parent_task_uid = QStringLiteral("parent-9");
    task.repeat_mode = QStringLiteral("fromCompletionDate");
    task.item_type = QStringLiteral("reminder");
    task.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    task.sort_order = 20;
    task.sequence = 3;
    task.priority = 1;
    task.percent_complete = 50;
    const QStringList lines = linesOf(IcsCodec::buildTodo(task));
    QCOMPARE(lines.mid(0, 5), QStringList({"BEGIN:VCALENDAR", "VERSION:2.0",
                                           "PRODID:-//Tindlebrook//Calendar Desktop//EN", "BEGIN:VTODO",
                                           "UID:task-1"}));
    QVERIFY(lines.at(5).startsWith(QLatin1String("DTSTAMP:")) && lines.at(5).endsWith(QLatin1Char('Z')));
    QCOMPARE(lines.mid(6), QStringList({"SUMMARY:Call Mum\\, then\\; relax", "STATUS:NEEDS-ACTION", "SEQUENCE:3",
                                        "PRIORITY:1", "PERCENT-COMPLETE:50", "RRULE:FREQ=WEEKLY",
                                        "CATEGORIES:Family\\, close,Phone", "RELATED-TO;RELTYPE=PARENT:parent-9",
                                        "X-TINDLEBROOK-REPEAT-MODE:fromCompletionDate",
                                        "X-TINDLEBROOK-ITEM-TYPE:reminder", "X-TINDLEBROOK-SORT-ORDER:20",
                                        "DESCRIPTION:Line one\\nLine two\\nLine three", "END:VTODO",
                                        "END:VCALENDAR", ""}));

    Task plain = sampleTask();
    plain.status = TaskStatus::InProcess;
    const QString text = IcsCodec::buildTodo(plain);
    QVERIFY(text.contains(QLatin1String("\r\nSTATUS:IN-PROCESS\r\n")));
    for (const char *absent : {"SEQUENCE", "PRIORITY", "PERCENT-COMPLETE", "X-TINDLEBROOK", "CREATED", "DESCRIPTION"})
        QVERIFY2(!text.contains(QLatin1String(absent)), absent);
}

void TestIcsCodecWriter::buildTodoWritesDatesByTheirFlags()
{
    Task task = sampleTask();
    task.due_date = QDateTime(QDate(2024, 6, 3), QTime(0, 0));
    task.start_date = QDateTime(QDate(2024, 6, 1), QTime(9, 30), QTimeZone("Europe/Berlin"));
    task.start_is_date_only = false;
    task.completed_date = utc(2024, 6, 2, 18);
    const QString text = IcsCodec::buildTodo(task);
    QVERIFY(text.contains(QLatin1String("\r\nDTSTART:20240601T073000Z\r\n")));
    QVERIFY(text.contains(QLatin1String("\r\nDUE;VALUE=DATE:20240603\r\n")));
    QVERIFY(text.contains(QLatin1String("\r\nCOMPLETED:20240602T180000Z\r\n")));
}

void TestIcsCodecWriter::buildTodoWritesAlarmsRelativeToTheAnchor()
{
    Task task = sampleTask();
    task.due_date = utc(2024, 6, 3, 9);
    task.due_is_date_only = false;
    Reminder atTime;
    Reminder before;
    before.minutes_before = 10;
    before.action = QStringLiteral("audio");
    task.reminders = {atTime, before};
    const QString text = IcsCodec::buildTodo(task);
    QVERIFY(text.contains(QLatin1String("BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Call Mum\\, then\\; relax\r\n"
                                        "TRIGGER;RELATED=END:PT0S\r\nEND:VALARM\r\n")));
    QVERIFY(text.contains(QLatin1String("ACTION:AUDIO\r\nDESCRIPTION:Call Mum\\, then\\; relax\r\n"
                                        "TRIGGER;RELATED=END:-PT10M\r\n")));
    QVERIFY(text.endsWith(QLatin1String("END:VALARM\r\nEND:VTODO\r\nEND:VCALENDAR\r\n")));
    // Read back, both alarms come home.
    const QList<Task> again = IcsCodec::parseTodos(text);
    QCOMPARE(again.size(), 1);
    QCOMPARE(again.first().reminders.size(), 2);
    QCOMPARE(again.first().reminders.at(1).minutes_before, 10);

    task.due_date.reset();
    task.start_date = utc(2024, 6, 1);
    QVERIFY(IcsCodec::buildTodo(task).contains(QLatin1String("TRIGGER;RELATED=START:-PT10M")));
}

void TestIcsCodecWriter::buildTodoWritesNoAlarmWithoutADate()
{
    Task task = sampleTask();
    task.reminders = {Reminder()};
    QVERIFY(!IcsCodec::buildTodo(task).contains(QLatin1String("VALARM")));
}

void TestIcsCodecWriter::buildTodoWritesAlarmsAfterTheAnchorAsValidDurations()
{
    Task task = sampleTask();
    task.due_date = utc(2024, 6, 3, 9);
    Reminder after;
    after.minutes_before = -5;
    task.reminders = {after};
    const QString text = IcsCodec::buildTodo(task);
    QVERIFY(text.contains(QLatin1String("TRIGGER;RELATED=END:PT5M\r\n")));
    QVERIFY(!text.contains(QLatin1String("-PT-")));
}

void TestIcsCodecWriter::taskValueIsWrittenAsReadOrRefused_data()
{
    // A UID and a due time's zone as read; whether an edit is written.
    QTest::addColumn<QString>("uid");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<bool>("written");
    // How the text's lines end.
    QTest::addColumn<QString>("lineEnd");
    QTest::newRow("UID with a NUL") << QStringLiteral("seri") + QChar(0) + QStringLiteral("es-1") << "Asia/Kolkata"
                                    << false << "\r\n";
    QTest::newRow("UID with a lone CR") << "series\r1" << "Asia/Kolkata" << false << "\r\n";
    QTest::newRow("zone with a quote") << "series-1" << "Asia/Kolkat\"a" << false << "\r\n";
    QTest::newRow("UID with a line feed, zone with a comma") << "series\n1" << "Office, Main" << true << "\r\n";
    // Text allows them; only CR and LF break a content line.
    QTest::newRow("UID with the Unicode line breaks") << QString::fromUtf8("series\u2028one\u2029two\u0085")
                                                     << "Asia/Kolkata" << true << "\r\n";
    QTest::newRow("UID read from CR CR LF line ends") << "series-1" << "Asia/Kolkata" << true << "\r\r\n";
}

void TestIcsCodecWriter::taskValueIsWrittenAsReadOrRefused()
{
    QFETCH(QString, uid);
    QFETCH(QString, zone);
    QFETCH(bool, written);
    QFETCH(QString, lineEnd);
    const QString stored = QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:%1\r\nDUE;TZID=%2:20260302T090000\r\n"
                                          "END:VTODO\r\nEND:VCALENDAR\r\n")
                               .arg(QString(uid).replace(QLatin1Char('\n'), QLatin1String("\\n")),
                                    zone.contains(QLatin1Char(',')) ? '"' + zone + '"' : zone)
                               .replace(QLatin1String("\r\n"), lineEnd);
    Task task = IcsCodec::parseTodoResource(stored).value(0);
    QCOMPARE(task.uid, uid);
    task.title = QStringLiteral("Edited");
    if (!written)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^\\[Ics\\] Task Edited is not written")));
    const QString text = IcsCodec::patchTodoIcs(stored, task);
    QCOMPARE(text.isEmpty(), !written);
    if (!written)
        return;
    const QString line = IcsCodec::unfoldLines(text).filter(QRegularExpression(QStringLiteral("^DUE;"))).value(0);
    QCOMPARE(IcsCodec::unquoteParam(IcsCodec::splitContentLine(line).params.value(QStringLiteral("TZID"))), zone);
    QCOMPARE(IcsCodec::parseTodoResource(text).value(0).uid, uid);
}

void TestIcsCodecWriter::eventSeriesUidIsWrittenAsRead_data()
{
    // The series' UID as read, which its changed occurrence shares.
    QTest::addColumn<QString>("uid");
    QTest::newRow("plain UID") << "series-1";
    QTest::newRow("UID with the Unicode line breaks") << QString::fromUtf8("series\u2028one\u2029two\u0085");
}

void TestIcsCodecWriter::eventSeriesUidIsWrittenAsRead()
{
    QFETCH(QString, uid);
    const QString stored = QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:%1\r\nDTSTART:20260302T090000Z\r\n"
                                          "RRULE:FREQ=WEEKLY\r\nRELATED-TO:%1\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\n"
                                          "UID:%1\r\nRECURRENCE-ID:20260309T090000Z\r\nDTSTART:20260309T110000Z\r\n"
                                          "END:VEVENT\r\nEND:VCALENDAR\r\n")
                               .arg(uid);
    QList<Event> read = IcsCodec::parseEvents(stored);
    QCOMPARE(read.size(), 2);
    QCOMPARE(read.at(1).master_event_uid, uid);
    read[0].title = QStringLiteral("Walk");
    read[1].title = QStringLiteral("Walk later");
    // The series and its changed occurrence edited here, and the occurrence
    // changed here first (no stored text of its own yet).
    Event fresh = read.at(1);
    fresh.raw_icalendar.clear();
    const QList<Event> written = IcsCodec::parseEvents(IcsCodec::patchEventIcs(stored, read.at(0))
                                                       + IcsCodec::patchEventIcs(stored, read.at(1))
                                                       + IcsCodec::buildEventIcs(fresh));
    QCOMPARE(written.size(), 5); // the series' text holds its occurrence
    for (const Event &event : written)
        QCOMPARE(event.uid, uid);
    QCOMPARE(written.at(0).related_to_uid, uid);
    QCOMPARE(written.at(4).master_event_uid, uid);
}

void TestIcsCodecWriter::taskEditKeepsTheCategoryLinesItLeaves_data()
{
    // A task's CATEGORIES lines as another client wrote them, its categories
    // as an edit here leaves them, and the lines written.
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("categories");
    QTest::addColumn<QStringList>("written");
    const QStringList oneALine{"CATEGORIES:Home", "CATEGORIES:Money"};
    QTest::newRow("one a line, left as read") << oneALine << QStringList{"Home", "Money"} << oneALine;
    QTest::newRow("several on a line, left as read")
        << QStringList{"CATEGORIES:Home,Money"} << QStringList{"Home", "Money"} << QStringList{"CATEGORIES:Home,Money"};
    QTest::newRow("one a line, one removed") << oneALine << QStringList{"Money"} << QStringList{"CATEGORIES:Money"};
    QTest::newRow("one a line, one added")
        << oneALine << QStringList{"Home", "Money", "Car"} << QStringList{"CATEGORIES:Home,Money,Car"};
}

void TestIcsCodecWriter::taskEditKeepsTheCategoryLinesItLeaves()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, categories);
    QFETCH(QStringList, written);
    const QString stored = QLatin1String("BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:bills\r\nSUMMARY:Bills\r\n")
        + lines.join(QLatin1String("\r\n")) + QLatin1String("\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
    Task task = IcsCodec::parseTodoResource(stored).value(0);
    // Every line's categories are read.
    QCOMPARE(task.categories, (QStringList{"Home", "Money"}));
    task.title = QStringLiteral("Pay the bills");
    task.categories = categories;
    const QString text = IcsCodec::patchTodoIcs(stored, task);
    QCOMPARE(IcsCodec::unfoldLines(text).filter(QRegularExpression(QStringLiteral("^CATEGORIES[;:]"))), written);
    Task again = IcsCodec::parseTodoResource(text).value(0);
    QCOMPARE(again.categories, categories);
    again.raw_icalendar = task.raw_icalendar;
    QCOMPARE(again, task);
}

void TestIcsCodecWriter::buildEventIcsWritesACompleteEvent()
{
    Event event = sampleEvent();
    event.recurrence_rule = QStringLiteral("FREQ=WEEKLY;BYDAY=MO");
    event.exception_dates = QStringLiteral("[\"20240708T080000Z\",\"20240715\"]");
    event.related_to_uid = QStringLiteral("task-7");
    event.event_url = QStringLiteral("https://example.org/planning");
    event.created = utc(2024, 6, 1);
    event.last_modified = utc(2024, 6, 2);
    const QStringList lines = eventLines(IcsCodec::buildEventIcs(event));
    QVERIFY(!lines.isEmpty());
    QCOMPARE(lines.first(), QStringLiteral("UID:event-1"));
    QVERIFY(lines.at(1).startsWith(QLatin1String("DTSTAMP:")));
    QCOMPARE(lines.mid(2), QStringList({"CREATED:20240601T000000Z", "LAST-MODIFIED:20240602T000000Z", "SEQUENCE:2",
                                        "STATUS:TENTATIVE", "SUMMARY:Planning\\, Q3\\; final",
                                        "DESCRIPTION:Agenda\\n1. Budget", "LOCATION:Room 4",
                                        "URL:https://example.org/planning", "DTSTART:20240701T080000Z",
                                        "DTEND:20240701T090000Z", "RRULE:FREQ=WEEKLY;BYDAY=MO",
                                        "EXDATE:20240708T080000Z,20240715T000000Z",
                                        "RELATED-TO;RELTYPE=PARENT:task-7"}));

    Event noEnd = sampleEvent();
    noEnd.end_time.reset();
    const QStringList noEndLines = eventLines(IcsCodec::buildEventIcs(noEnd));
    QVERIFY(noEndLines.contains(QStringLiteral("DTEND:20240701T080000Z")));
}

void TestIcsCodecWriter::buildEventIcsWritesAllDayEventsAsDates()
{
    Event event = sampleEvent();
    event.is_all_day = true;
    // As the store reads an all-day event: local midnights.
    event.start_time = QDateTime(QDate(2024, 7, 1), QTime(0, 0));
    event.end_time = QDateTime(QDate(2024, 7, 3), QTime(0, 0));
    event.timezone = QStringLiteral("Europe/Berlin");
    event.recurrence_rule = QStringLiteral("FREQ=YEARLY");
    event.exception_dates = QStringLiteral("[\"20250701\"]");
    const QString text = IcsCodec::buildEventIcs(event);
    const QStringList lines = eventLines(text);
    QVERIFY(lines.contains(QStringLiteral("DTSTART;VALUE=DATE:20240701")));
    QVERIFY(lines.contains(QStringLiteral("DTEND;VALUE=DATE:20240703")));
    QVERIFY(lines.contains(QStringLiteral("EXDATE;VALUE=DATE:20250701")));
    QVERIFY(!text.contains(QLatin1String("VTIMEZONE")));

    event.end_time = event.start_time; // an end that is not after the start
    QVERIFY(eventLines(IcsCodec::buildEventIcs(event)).contains(QStringLiteral("DTEND;VALUE=DATE:20240702")));
}

void TestIcsCodecWriter::buildEventIcsWritesZonedTimesWithTheirTimeZone()
{
    Event event = sampleEvent();
    event.timezone = QStringLiteral("America/New_York");
    event.recurrence_rule = QStringLiteral("FREQ=DAILY");
    event.exception_dates = QStringLiteral("[\"20240702T080000Z\"]");
    const QString text = IcsCodec::buildEventIcs(event);
    const QStringList lines = eventLines(text);
    QVERIFY(lines.contains(QStringLiteral("DTSTART;TZID=America/New_York:20240701T040000")));
    QVERIFY(lines.contains(QStringLiteral("DTEND;TZID=America/New_York:20240701T050000")));
    QVERIFY(lines.contains(QStringLiteral("EXDATE;TZID=America/New_York:20240702T040000")));
    QVERIFY(text.indexOf(QLatin1String("BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\n")) > 0);
    QVERIFY(text.indexOf(QLatin1String("END:VTIMEZONE")) < text.indexOf(QLatin1String("BEGIN:VEVENT")));

    const QList<Event> again = IcsCodec::parseEvents(text);
    QCOMPARE(again.size(), 1);
    QCOMPARE(again.first().timezone, QStringLiteral("America/New_York"));
    QCOMPARE(again.first().start_time.toUTC(), event.start_time);

    event.timezone = QStringLiteral("Not/AZone");
    QVERIFY(eventLines(IcsCodec::buildEventIcs(event)).contains(QStringLiteral("DTSTART:20240701T080000Z")));
}

void TestIcsCodecWriter::buildEventIcsWritesAnOverrideUnderItsSeriesUid()
{
    Event event = sampleEvent();
    event.uid = QStringLiteral("own-uid");
    event.master_event_uid = QStringLiteral("series-uid");
    event.recurrence_id = QStringLiteral("20240701T070000Z");
    const QStringList lines = eventLines(IcsCodec::buildEventIcs(event));
    QCOMPARE(lines.first(), QStringLiteral("UID:series-uid"));
    QVERIFY(lines.contains(QStringLiteral("RECURRENCE-ID:20240701T070000Z")));

    event.timezone = QStringLiteral("Europe/Berlin");
    QVERIFY(eventLines(IcsCodec::buildEventIcs(event)).contains(QStringLiteral("RECURRENCE-ID;TZID=Europe/Berlin:20240701T090000")));
    event.is_all_day = true;
    event.recurrence_id = QStringLiteral("20240701T000000Z");
    QVERIFY(eventLines(IcsCodec::buildEventIcs(event)).contains(QStringLiteral("RECURRENCE-ID;VALUE=DATE:20240701")));
}

void TestIcsCodecWriter::buildEventIcsWritesAttendeesOrganizerAndAlarms()
{
    Event event = sampleEvent();
    event.organizer_email = QStringLiteral("boss@example.org");
    event.organizer_name = QStringLiteral("The \"Boss\"; Ltd");
    Attendee chair;
    chair.email = QStringLiteral("boss@example.org");
    chair.role = QStringLiteral("chair");
    chair.status = QStringLiteral("accepted");
    Attendee guest;
    guest.email = QStringLiteral("guest@example.org");
    guest.name = QStringLiteral("Guest");
    guest.role = QStringLiteral("optional");
    guest.type = QStringLiteral("individual");
    guest.rsvp = true;
    Attendee blank;
    event.attendees = {chair, guest, blank};
    Reminder quarter;
    quarter.minutes_before = 15;
    Reminder after;
    after.minutes_before = -5;
    after.action = QStringLiteral("audio");
    event.reminders = {quarter, after};

    const QString text = IcsCodec::buildEventIcs(event);
    const QStringList lines = eventLines(text);
    QVERIFY(lines.contains(QStringLiteral("ORGANIZER;CN=\"The Boss; Ltd\":mailto:boss@example.org")));
    QVERIFY(lines.contains(QStringLiteral("ATTENDEE;ROLE=CHAIR;PARTSTAT=ACCEPTED:mailto:boss@example.org")));
    QVERIFY(lines.contains(QStringLiteral(
        "ATTENDEE;CUTYPE=INDIVIDUAL;ROLE=OPT-PARTICIPANT;PARTSTAT=NEEDS-ACTION;RSVP=TRUE;CN=Guest:mailto:guest@example.org")));
    QCOMPARE(text.count(QLatin1String("ATTENDEE")), 2);
    QVERIFY(text.contains(QLatin1String("BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Planning\\, Q3\\; final\r\n"
                                        "TRIGGER:-PT15M\r\nEND:VALARM\r\n")));
    QVERIFY(text.contains(QLatin1String("BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER:PT5M\r\nEND:VALARM\r\n")));

    const Event again = IcsCodec::parseEvents(text).value(0);
    QCOMPARE(again.reminders.size(), 2);
    QCOMPARE(again.reminders.at(1).minutes_before, -5);
    QCOMPARE(again.attendees.size(), 2);
    QCOMPARE(again.attendees.at(1).role, QStringLiteral("optional"));
    QCOMPARE(again.organizer_name, QStringLiteral("The Boss; Ltd"));
}

void TestIcsCodecWriter::writtenTimeZoneFollowsTheZoneRules()
{
    Event event = sampleEvent();
    event.timezone = QStringLiteral("Europe/Berlin");
    const QString berlin = IcsCodec::buildEventIcs(event);
    QVERIFY(berlin.contains(QLatin1String("BEGIN:DAYLIGHT\r\nDTSTART:")));
    QVERIFY(berlin.contains(QLatin1String("RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\n")));
    QVERIFY(berlin.contains(QLatin1String("RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n")));

    event.timezone = QStringLiteral("Asia/Tokyo");
    const QString tokyo = IcsCodec::buildEventIcs(event);
    QVERIFY(tokyo.contains(QLatin1String("BEGIN:STANDARD\r\nDTSTART:19700101T000000\r\nTZOFFSETFROM:+0900\r\nTZOFFSETTO:+0900\r\n")));
    QVERIFY(!tokyo.contains(QLatin1String("DAYLIGHT")));

    event.timezone = QStringLiteral("Australia/Adelaide");
    const QString adelaide = IcsCodec::buildEventIcs(event);
    QVERIFY(adelaide.contains(QLatin1String("TZOFFSETFROM:+0930\r\nTZOFFSETTO:+1030\r\n")));
    QVERIFY(adelaide.contains(QLatin1String("RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=1SU")));
}

void TestIcsCodecWriter::timedSeriesEndsAtTheUtcInstantEndingItsUntilDay_data()
{
    QTest::addColumn<QString>("zone");
    QTest::addColumn<bool>("allDay");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("written");
    QTest::newRow("utc") << "UTC" << false << "FREQ=DAILY;UNTIL=20260323" << "FREQ=DAILY;UNTIL=20260323T235959Z";
    QTest::newRow("new york, summer time") << "America/New_York" << false << "FREQ=DAILY;UNTIL=20260323"
                                           << "FREQ=DAILY;UNTIL=20260324T035959Z";
    QTest::newRow("berlin, winter time") << "Europe/Berlin" << false << "FREQ=WEEKLY;UNTIL=20260323;BYDAY=MO"
                                         << "FREQ=WEEKLY;UNTIL=20260323T225959Z;BYDAY=MO";
    QTest::newRow("tokyo") << "Asia/Tokyo" << false << "FREQ=DAILY;INTERVAL=2;UNTIL=20260323"
                           << "FREQ=DAILY;INTERVAL=2;UNTIL=20260323T145959Z";
    QTest::newRow("adelaide, half-hour offset") << "Australia/Adelaide" << false << "FREQ=DAILY;UNTIL=20260323"
                                                << "FREQ=DAILY;UNTIL=20260323T132959Z";
    QTest::newRow("unknown zone: utc") << "Not/AZone" << false << "FREQ=DAILY;UNTIL=20260323"
                                       << "FREQ=DAILY;UNTIL=20260323T235959Z";
    QTest::newRow("already an instant") << "Europe/Berlin" << false << "FREQ=DAILY;UNTIL=20260323T120000Z"
                                        << "FREQ=DAILY;UNTIL=20260323T120000Z";
    QTest::newRow("all-day keeps the date") << "Europe/Berlin" << true << "FREQ=DAILY;UNTIL=20260323"
                                            << "FREQ=DAILY;UNTIL=20260323";
    QTest::newRow("floating: the wall clock's day") << "" << false << "FREQ=DAILY;UNTIL=20260323"
                                                     << "FREQ=DAILY;UNTIL=20260323T235959";
}

void TestIcsCodecWriter::timedSeriesEndsAtTheUtcInstantEndingItsUntilDay()
{
    QFETCH(QString, zone);
    QFETCH(bool, allDay);
    QFETCH(QString, rule);
    QFETCH(QString, written);
    Event event = sampleEvent();
    event.timezone = zone;
    event.is_all_day = allDay;
    event.start_time = allDay ? QDateTime(QDate(2026, 3, 10), QTime(0, 0)) : utc(2026, 3, 10, 8);
    event.end_time = allDay ? QDateTime(QDate(2026, 3, 11), QTime(0, 0)) : utc(2026, 3, 10, 9);
    event.recurrence_rule = rule;
    const QString wanted = QStringLiteral("RRULE:") + written;

    const QString fresh = IcsCodec::buildEventIcs(event);
    QCOMPARE(eventLines(fresh).filter(QStringLiteral("RRULE:")), QStringList{wanted});
    const QList<Event> read = IcsCodec::parseEvents(fresh);
    QCOMPARE(read.size(), 1);
    QCOMPARE(read.first().recurrence_rule, written);

    // A stored text that still holds the rule as the record does is
    // rewritten in the written form; one already in it is kept.
    event.raw_icalendar = fresh;
    event.raw_icalendar.replace(wanted, QStringLiteral("RRULE:") + rule);
    QCOMPARE(eventLines(IcsCodec::buildEventIcs(event)).filter(QStringLiteral("RRULE:")), QStringList{wanted});
    event.raw_icalendar = fresh;
    QCOMPARE(IcsCodec::buildEventIcs(event).remove(QRegularExpression(QStringLiteral("DTSTAMP:\\w+"))),
             QString(fresh).remove(QRegularExpression(QStringLiteral("DTSTAMP:\\w+"))));
}

void TestIcsCodecWriter::floatingSeriesIsWrittenOnTheWallClock_data()
{
    // A series as the store hands it over (its zone, its start, a skipped
    // day as stored), the start of its occurrence changed a week on, and
    // the times written of them.
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QString>("skipped");
    QTest::addColumn<QDateTime>("changed");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("floating") << "" << QDateTime(QDate(2026, 3, 2), QTime(9, 0)).toUTC() << "20260316T090000"
                              << QDateTime(QDate(2026, 3, 9), QTime(9, 0)).toUTC()
                              << QStringList{"DTSTART:20260302T090000", "DTEND:20260302T100000",
                                             "EXDATE:20260316T090000", "RECURRENCE-ID:20260309T090000"};
    QTest::newRow("UTC") << "UTC" << utc(2026, 3, 2, 8) << "20260316T080000Z" << utc(2026, 3, 9, 8)
                         << QStringList{"DTSTART:20260302T080000Z", "DTEND:20260302T090000Z",
                                        "EXDATE:20260316T080000Z", "RECURRENCE-ID:20260309T080000Z"};
}

void TestIcsCodecWriter::floatingSeriesIsWrittenOnTheWallClock()
{
    QFETCH(QString, zone);
    QFETCH(QDateTime, start);
    QFETCH(QString, skipped);
    QFETCH(QDateTime, changed);
    QFETCH(QStringList, lines);
    Event series = sampleEvent();
    series.timezone = zone;
    series.start_time = start;
    series.end_time = start.addSecs(3600);
    series.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    series.exception_dates = QStringLiteral("[\"%1\"]").arg(skipped);
    Event occurrence = series;
    occurrence.recurrence_rule.clear();
    occurrence.exception_dates.clear();
    occurrence.master_event_uid = series.uid;
    occurrence.recurrence_id = changed.toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    const QString written = IcsCodec::buildEventIcs(series);
    const QRegularExpression times(QStringLiteral("^(DTSTART|DTEND|EXDATE)[;:]"));
    QCOMPARE(eventLines(written).filter(times) + eventLines(IcsCodec::buildEventIcs(occurrence)).filter(
                 QRegularExpression(QStringLiteral("^RECURRENCE-ID"))),
             lines);
    // Read back, it has the zone it had.
    QCOMPARE(IcsCodec::parseEvents(written).value(0).timezone, zone);
}

void TestIcsCodecWriter::editOfStoredTextRemovesWhatTheRecordDropped()
{
    Event event = sampleEvent();
    event.recurrence_rule = QStringLiteral("FREQ=DAILY");
    Attendee a;
    a.email = QStringLiteral("a@example.org");
    Attendee b;
    b.email = QStringLiteral("b@example.org");
    event.attendees = {a, b};
    Reminder r;
    r.minutes_before = 30;
    event.reminders = {r};
    event.raw_icalendar = IcsCodec::buildEventIcs(event);
    event.raw_icalendar.replace(QLatin1String("END:VEVENT"), QLatin1String("X-CUSTOM;X-P=\"k:v\":keep me\r\nEND:VEVENT"));

    event.description.clear();
    event.recurrence_rule.clear();
    event.attendees.removeFirst();
    event.reminders.clear();
    const QString written = IcsCodec::buildEventIcs(event);
    QVERIFY(!written.contains(QLatin1String("DESCRIPTION")));
    QVERIFY(!written.contains(QLatin1String("RRULE")));
    QVERIFY(!written.contains(QLatin1String("a@example.org")));
    QVERIFY(written.contains(QLatin1String("b@example.org")));
    QVERIFY(!written.contains(QLatin1String("VALARM")));
    QVERIFY(written.contains(QLatin1String("X-CUSTOM;X-P=\"k:v\":keep me\r\n")));
    QCOMPARE(written.count(QLatin1String("BEGIN:VEVENT")), 1);
}

void TestIcsCodecWriter::editOfStoredTextKeepsUnchangedLinesVerbatim()
{
    const QString stored = QStringLiteral(
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//App//EN\r\nBEGIN:VEVENT\r\nUID:u1\r\n"
        "DTSTAMP:20200101T000000Z\r\nSUMMARY;LANGUAGE=en:Walk\r\nDTSTART;VALUE=DATE-TIME:20240701T080000Z\r\n"
        "DURATION:PT1H\r\nCATEGORIES:Outdoor\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:custom text\r\n"
        "TRIGGER:-P1D\r\nEND:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    Event event = IcsCodec::parseEvents(stored).value(0);
    QCOMPARE(event.reminders.size(), 1);
    event.location = QStringLiteral("Park");
    const QString written = IcsCodec::buildEventIcs(event);
    for (const char *kept : {"SUMMARY;LANGUAGE=en:Walk",
                             "DTSTART;VALUE=DATE-TIME:20240701T080000Z", "DURATION:PT1H", "CATEGORIES:Outdoor",
                             "DESCRIPTION:custom text\r\nTRIGGER:-P1D"})
        QVERIFY2(written.contains(QLatin1String(kept)), kept);
    QVERIFY(written.contains(QLatin1String("LOCATION:Park\r\n")));
    QVERIFY(!written.contains(QLatin1String("DTSTAMP:20200101T000000Z")));
    // The new line goes in before the nested alarm.
    QVERIFY(written.indexOf(QLatin1String("LOCATION:Park")) < written.indexOf(QLatin1String("BEGIN:VALARM")));

    event.reminders.first().minutes_before = 60;
    const QString moved = IcsCodec::buildEventIcs(event);
    QVERIFY(!moved.contains(QLatin1String("custom text")));
    QVERIFY(moved.contains(QLatin1String("TRIGGER:-PT60M")));
}

void TestIcsCodecWriter::editOfStoredTextPatchesTheOverrideItStandsFor()
{
    const QString stored = QStringLiteral(
        "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:s\r\nSUMMARY:Series\r\nDTSTART:20240701T080000Z\r\n"
        "RRULE:FREQ=DAILY\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nUID:s\r\nRECURRENCE-ID:20240703T080000Z\r\n"
        "SUMMARY:Moved\r\nDTSTART:20240703T100000Z\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    const QList<Event> events = IcsCodec::parseEvents(stored);
    QCOMPARE(events.size(), 2);
    Event override = events.at(1);
    override.title = QStringLiteral("Moved again");
    const QString written = IcsCodec::patchEventIcs(stored, override);
    QVERIFY(written.contains(QLatin1String("SUMMARY:Series\r\n")));
    QVERIFY(written.contains(QLatin1String("SUMMARY:Moved again\r\n")));
    QCOMPARE(IcsCodec::parseEvents(written).value(1).title, QStringLiteral("Moved again"));
}

void TestIcsCodecWriter::editOfStoredTextWritesEachSkippedDayOnce_data()
{
    // The skipped days a series' stored text has one a line, the hours the
    // edit moves every one (none: a retitle), and whether the record gains
    // as many again that the text did not have.
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("added");
    QTest::newRow("retitled") << 300 << 0 << 0;
    QTest::newRow("every day moved") << 300 << 2 << 0;
    QTest::newRow("days added to a text without any") << 0 << 0 << 300;
}

void TestIcsCodecWriter::editOfStoredTextWritesEachSkippedDayOnce()
{
    QFETCH(int, stored);
    QFETCH(int, hours);
    QFETCH(int, added);
    const QDateTime first = utc(2024, 1, 1, 8);
    QString text = QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:s\r\nSUMMARY:Walk\r\n"
                                  "DTSTART:20240101T080000Z\r\nDURATION:PT1H\r\nRRULE:FREQ=DAILY\r\n");
    for (int i = 0; i < stored; ++i)
        text += QStringLiteral("EXDATE:%1\r\n").arg(first.addDays(i).toString(QStringLiteral("yyyyMMddTHHmmssZ")));
    text += QStringLiteral("BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT5M\r\nEND:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    Event event = IcsCodec::parseEvents(text).value(0);
    event.title = QStringLiteral("Run");
    QStringList wanted;
    for (int i = 0; i < stored + added; ++i)
        wanted.append(first.addDays(i).addSecs(hours * 3600).toString(QStringLiteral("yyyyMMddTHHmmssZ")));
    event.exception_dates = QStringLiteral("[\"%1\"]").arg(wanted.join(QLatin1String("\",\"")));
    event.start_time = event.start_time.addSecs(hours * 3600);
    event.end_time = event.end_time->addSecs(hours * 3600);

    QStringList written;
    for (const QString &line : eventLines(IcsCodec::buildEventIcs(event))) {
        if (line.startsWith(QLatin1String("EXDATE")))
            written += line.mid(line.indexOf(QLatin1Char(':')) + 1).split(QLatin1Char(','));
    }
    QCOMPARE(written, wanted);
}

void TestIcsCodecWriter::patchEventTimesRewritesTheFirstEventInUtc()
{
    const QString stored = QStringLiteral(
        "BEGIN:VCALENDAR\r\nBEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n"
        "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\nBEGIN:VEVENT\r\nUID:x\r\n"
        "DTSTART;TZID=Europe/Berlin:20240110T100000\r\nDURATION:PT1H\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nUID:y\r\n"
        "DTSTART:20240110T100000Z\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    const QString patched = IcsCodec::patchEventTimes(stored, utc(2024, 1, 11, 9), utc(2024, 1, 11, 11));
    QCOMPARE(patched, QStringLiteral(
        "BEGIN:VCALENDAR\r\nBEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n"
        "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\nBEGIN:VEVENT\r\nUID:x\r\n"
        "DTSTART:20240111T090000Z\r\nDTEND:20240111T110000Z\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nUID:y\r\n"
        "DTSTART:20240110T100000Z\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"));

    const QString withEnd = IcsCodec::patchEventTimes(
        QStringLiteral("BEGIN:VEVENT\nUID:z\ndtstart;TZID=X:20240110T100000\nDTEND:20240110T110000Z\nEND:VEVENT"),
        utc(2024, 1, 12, 9), QDateTime());
    QCOMPARE(withEnd, QStringLiteral("BEGIN:VEVENT\r\nUID:z\r\nDTSTART:20240112T090000Z\r\nDTEND:20240112T090000Z\r\nEND:VEVENT"));
}

void TestIcsCodecWriter::patchEventTimesLeavesOtherTextAlone()
{
    const QString noEvent = QStringLiteral("BEGIN:VCALENDAR\nBEGIN:VTODO\nUID:t\nEND:VTODO\nEND:VCALENDAR\n");
    QCOMPARE(IcsCodec::patchEventTimes(noEvent, utc(2024, 1, 1), utc(2024, 1, 2)), noEvent);
    QCOMPARE(IcsCodec::patchEventTimes(QString(), utc(2024, 1, 1), utc(2024, 1, 2)), QString());
    const QString stored = QStringLiteral("BEGIN:VEVENT\r\nUID:a\r\nEND:VEVENT\r\n");
    QCOMPARE(IcsCodec::patchEventTimes(stored, QDateTime(), utc(2024, 1, 2)), stored);
}

void TestIcsCodecWriter::patchEventTimesKeepsAllDayEventsAsDates()
{
    const QString stored = QStringLiteral(
        "BEGIN:VEVENT\r\nUID:a\r\nDTSTART;VALUE=DATE:20240110\r\nDTEND;VALUE=DATE:20240111\r\nEND:VEVENT\r\n");
    const QString patched = IcsCodec::patchEventTimes(stored, QDateTime(QDate(2024, 1, 15), QTime(0, 0)),
                                                      QDateTime(QDate(2024, 1, 17), QTime(0, 0)));
    QCOMPARE(patched, QStringLiteral("BEGIN:VEVENT\r\nUID:a\r\nDTSTART;VALUE=DATE:20240115\r\n"
                                     "DTEND;VALUE=DATE:20240117\r\nEND:VEVENT\r\n"));
    const QList<Event> events = IcsCodec::parseEvents(patched);
    QCOMPARE(events.size(), 1);
    QVERIFY(events.first().is_all_day);

    // A date-time written with VALUE=DATE-TIME is not a date.
    const QString timed = IcsCodec::patchEventTimes(
        QStringLiteral("BEGIN:VEVENT\r\nUID:b\r\nDTSTART;VALUE=DATE-TIME:20240110T100000Z\r\nEND:VEVENT\r\n"),
        utc(2024, 1, 15, 9), utc(2024, 1, 15, 10));
    QVERIFY(timed.contains(QLatin1String("\r\nDTSTART:20240115T090000Z\r\nDTEND:20240115T100000Z\r\n")));
}

void TestIcsCodecWriter::patchEventTimesKeepsAlarmDurations()
{
    const QString stored = QStringLiteral(
        "BEGIN:VEVENT\r\nUID:a\r\nDTSTART:20240110T100000Z\r\nDURATION:PT1H\r\nBEGIN:VALARM\r\nACTION:AUDIO\r\n"
        "TRIGGER:-PT10M\r\nDURATION:PT5M\r\nREPEAT:2\r\nEND:VALARM\r\nEND:VEVENT\r\n");
    const QString patched = IcsCodec::patchEventTimes(stored, utc(2024, 1, 11, 10), utc(2024, 1, 11, 11));
    QCOMPARE(patched.count(QLatin1String("DURATION")), 1);
    QVERIFY(patched.contains(QLatin1String("TRIGGER:-PT10M\r\nDURATION:PT5M\r\nREPEAT:2\r\n")));
    QVERIFY(patched.contains(QLatin1String("DTEND:20240111T110000Z\r\nEND:VEVENT")));
}

void TestIcsCodecWriter::patchEventTimesDropsContinuationsOfReplacedLines()
{
    const QString stored = QStringLiteral(
        "BEGIN:VEVENT\r\nUID:a\r\nDTSTART;TZID=/example.org/tz/Euro\r\n pe/Berlin:20240110T100000\r\n"
        "SUMMARY:long\r\n title\r\nEND:VEVENT\r\n");
    const QString patched = IcsCodec::patchEventTimes(stored, utc(2024, 1, 11, 9), utc(2024, 1, 11, 10));
    QCOMPARE(patched, QStringLiteral("BEGIN:VEVENT\r\nUID:a\r\nDTSTART:20240111T090000Z\r\nSUMMARY:long\r\n title\r\n"
                                     "DTEND:20240111T100000Z\r\nEND:VEVENT\r\n"));
}

QTEST_GUILESS_MAIN(TestIcsCodecWriter)
#include "tst_icscodec_writer.moc"
