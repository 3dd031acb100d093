#include "calendar/icscodec.h"

#include <QTest>
#include <QTimeZone>

namespace {

QString calendar(const QStringList &eventLines, const QString &component = QStringLiteral("VEVENT"))
{
    QStringList lines = {"BEGIN:VCALENDAR", "VERSION:2.0", "BEGIN:" + component};
    lines += eventLines;
    lines += {"END:" + component, "END:VCALENDAR"};
    return lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
}

Event onlyEvent(const QStringList &eventLines)
{
    const QList<Event> events = IcsCodec::parseEvents(calendar(QStringList{"UID:e1"} + eventLines));
    return events.isEmpty() ? Event() : events.first();
}

Task onlyTask(const QStringList &todoLines)
{
    const QList<Task> tasks = IcsCodec::parseTodos(calendar(QStringList{"UID:t1"} + todoLines, QStringLiteral("VTODO")));
    return tasks.isEmpty() ? Task() : tasks.first();
}

QDateTime utc(int y, int m, int d, int h = 0, int min = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC);
}

} // namespace

class TestIcsCodec : public QObject
{
    Q_OBJECT

private slots:
    void decodeTextDropsFoldsAndByteOrderMark();
    void unfoldLinesJoinsContinuations_data();
    void unfoldLinesJoinsContinuations();
    void splitContentLineSeparatesNameParamsAndValue_data();
    void splitContentLineSeparatesNameParamsAndValue();
    void unescapeText_data();
    void unescapeText();
    void escapeText_data();
    void escapeText();
    void parseDateTimeValueReadsEveryForm_data();
    void parseDateTimeValueReadsEveryForm();
    void parseDurationSeconds_data();
    void parseDurationSeconds();

    void eventReaderFillsTheRecord();
    void eventEndComesFromDtendOrDuration_data();
    void eventEndComesFromDtendOrDuration();
    void recurrenceIdIsStoredInUtc();
    void statusOrganizerAndRelationsFollowTheFirstParent();
    void eventsWithoutUidOrEndAreDropped();
    void alarmLinesDoNotReplaceEventProperties();
    void quotedParameterColonDoesNotEndTheName();
    void quotedTzidNamesAZone();
    void eventAlarmsBecomeReminders();
    void attendeesAndOrganizerAreRead();
    void exceptionDatesAreReadInUtcOrAsDates();
    void rawTextWrapsTheOneEvent();

    void todoReaderFillsTheRecord();
    void todoAlarmTriggersGiveMinutesBefore_data();
    void todoAlarmTriggersGiveMinutesBefore();
    void todoExtensionsNeedTheirExactValues_data();
    void todoExtensionsNeedTheirExactValues();
    void categoriesSplitOnlyAtUnescapedCommas();
    void todoRelationsKeepTheLastParent();
};

void TestIcsCodec::decodeTextDropsFoldsAndByteOrderMark()
{
    // "é" split between its two bytes by an LF-tab fold and a CRLF-space fold.
    QCOMPARE(IcsCodec::decodeText(QByteArray("\xEF\xBB\xBFSUMMARY:Caf\xC3\n\t\xA9\r\nLOCATION:Caf\xC3\r\n \xA9\r\n")),
             QStringLiteral("SUMMARY:Café\r\nLOCATION:Café\r\n"));
    QCOMPARE(IcsCodec::decodeText(QByteArray("A:1\n\n B")), QStringLiteral("A:1\nB"));
}

void TestIcsCodec::unfoldLinesJoinsContinuations_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << "A:1\r\nB:2\r\n" << QStringList{"A:1", "B:2", ""};
    QTest::newRow("lf") << "A:1\nB:2\n" << QStringList{"A:1", "B:2", ""};
    QTest::newRow("space fold") << "A:one\r\n two\r\nB:2" << QStringList{"A:onetwo", "B:2"};
    QTest::newRow("tab fold") << "A:one\n\t two" << QStringList{"A:one two"};
    QTest::newRow("empty lines kept") << "A:1\r\n\r\nB:2" << QStringList{"A:1", "", "B:2"};
    QTest::newRow("first line indented") << " A:1\r\nB:2" << QStringList{" A:1", "B:2"};
    QTest::newRow("lone cr is content") << "A:1\rB:2" << QStringList{"A:1\rB:2"};
}

void TestIcsCodec::unfoldLinesJoinsContinuations()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(IcsCodec::unfoldLines(text), lines);
}

void TestIcsCodec::splitContentLineSeparatesNameParamsAndValue_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("params");
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "summary:Lunch: at noon" << "SUMMARY" << "" << "Lunch: at noon";
    QTest::newRow("params") << "dtstart;tzid=Europe/Berlin;VALUE=DATE-TIME:20240101T100000" << "DTSTART"
                            << "TZID=Europe/Berlin|VALUE=DATE-TIME" << "20240101T100000";
    QTest::newRow("quoted colon") << "DESCRIPTION;ALTREP=\"cid:part1@example.org\":Text" << "DESCRIPTION"
                                  << "ALTREP=\"cid:part1@example.org\"" << "Text";
    QTest::newRow("quoted semicolon") << "ATTENDEE;CN=\"Smith; John\";ROLE=CHAIR:mailto:j@x" << "ATTENDEE"
                                      << "CN=\"Smith; John\"|ROLE=CHAIR" << "mailto:j@x";
    QTest::newRow("later parameter wins") << "X;A=1;a=2:v" << "X" << "A=2" << "v";
    QTest::newRow("pieces without equals ignored") << "X;bare;=x;B=:v" << "X" << "B=" << "v";
    QTest::newRow("no colon") << "begin" << "BEGIN" << "" << "";
    QTest::newRow("unbalanced quote") << "X;P=\"a:b" << "X" << "P=\"a" << "b";
}

void TestIcsCodec::splitContentLineSeparatesNameParamsAndValue()
{
    QFETCH(QString, line);
    QFETCH(QString, name);
    QFETCH(QString, params);
    QFETCH(QString, value);
    const ContentLine split = IcsCodec::splitContentLine(line);
    QCOMPARE(split.name, name);
    QCOMPARE(split.value, value);
    QStringList pairs;
    for (auto it = split.params.cbegin(); it != split.params.cend(); ++it)
        pairs << it.key() + QLatin1Char('=') + it.value();
    pairs.sort();
    QCOMPARE(pairs.join(QLatin1Char('|')), params);
}

void TestIcsCodec::unescapeText_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("separators") << "a\\,b\\;c\\\\d" << "a,b;c\\d";
    QTest::newRow("line breaks") << "one\\ntwo\\Nthree" << "one\ntwo\nthree";
    QTest::newRow("unknown escape kept") << "C:\\temp" << "C:\\temp";
    QTest::newRow("trailing backslash") << "end\\" << "end\\";
    QTest::newRow("double then n") << "\\\\n" << "\\n";
}

void TestIcsCodec::unescapeText()
{
    QFETCH(QString, value);
    QFETCH(QString, text);
    QCOMPARE(IcsCodec::unescapeText(value), text);
}

void TestIcsCodec::escapeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");
    QTest::newRow("separators") << "a,b;c\\d: e" << "a\\,b\\;c\\\\d: e";
    QTest::newRow("lf") << "one\ntwo" << "one\\ntwo";
    QTest::newRow("crlf is one break") << "one\r\ntwo\rthree" << "one\\ntwo\\nthree";
}

void TestIcsCodec::escapeText()
{
    QFETCH(QString, text);
    QFETCH(QString, value);
    QCOMPARE(IcsCodec::escapeText(text), value);
    QCOMPARE(IcsCodec::unescapeText(IcsCodec::escapeText(text)), QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

void TestIcsCodec::parseDateTimeValueReadsEveryForm_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("tzid");
    QTest::addColumn<QDateTime>("expected");
    QTest::addColumn<bool>("isDate");

    const QTimeZone berlin("Europe/Berlin");
    QTest::newRow("date") << "20240310" << "" << utc(2024, 3, 10) << true;
    QTest::newRow("utc") << "20240310T101500Z" << "" << utc(2024, 3, 10, 10, 15) << false;
    QTest::newRow("zoned") << "20240110T100000" << "Europe/Berlin" << QDateTime(QDate(2024, 1, 10), QTime(10, 0), berlin) << false;
    QTest::newRow("quoted zone") << "20240110T100000" << "\"Europe/Berlin\"" << utc(2024, 1, 10, 9) << false;
    QTest::newRow("windows zone") << "20240110T100000" << "W. Europe Standard Time" << utc(2024, 1, 10, 9) << false;
    QTest::newRow("vendor prefix") << "20240710T100000" << "/mozilla.org/20050126_1/Europe/Berlin"
                                   << utc(2024, 7, 10, 8) << false;
    QTest::newRow("floating") << "20240110T100000" << "" << QDateTime(QDate(2024, 1, 10), QTime(10, 0)) << false;
    QTest::newRow("unknown zone is floating") << "20240110T100000" << "Mars/Olympus"
                                              << QDateTime(QDate(2024, 1, 10), QTime(10, 0)) << false;
    QTest::newRow("garbage") << "2024-01-10" << "" << QDateTime() << false;
    QTest::newRow("bad month") << "20241310T100000Z" << "" << QDateTime() << false;
}

void TestIcsCodec::parseDateTimeValueReadsEveryForm()
{
    QFETCH(QString, value);
    QFETCH(QString, tzid);
    QFETCH(QDateTime, expected);
    QFETCH(bool, isDate);
    QHash<QString, QString> params;
    if (!tzid.isEmpty())
        params.insert(QStringLiteral("TZID"), tzid);
    bool flag = !isDate;
    const QDateTime read = IcsCodec::parseDateTimeValue(value, params, &flag);
    QCOMPARE(read.isValid(), expected.isValid());
    if (expected.isValid())
        QCOMPARE(read.toMSecsSinceEpoch(), expected.toMSecsSinceEpoch());
    QCOMPARE(flag, isDate);
}

void TestIcsCodec::parseDurationSeconds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("seconds");
    QTest::newRow("hour and a half") << "PT1H30M" << qint64(5400);
    QTest::newRow("month counts 30 days") << "P1M" << qint64(2592000);
    QTest::newRow("week") << "P1W" << qint64(604800);
    QTest::newRow("day and hours") << "P1DT2H" << qint64(93600);
    QTest::newRow("seconds") << "PT90S" << qint64(90);
    QTest::newRow("hours before T ignored") << "P2H" << qint64(0);
    QTest::newRow("leading minus") << "-PT15M" << qint64(0);
    QTest::newRow("empty") << "" << qint64(0);
    QTest::newRow("not a duration") << "1H" << qint64(0);
}

void TestIcsCodec::parseDurationSeconds()
{
    QFETCH(QString, text);
    QFETCH(qint64, seconds);
    QCOMPARE(IcsCodec::parseDurationSeconds(text), seconds);
}

void TestIcsCodec::eventReaderFillsTheRecord()
{
    const Event event = onlyEvent({"SUMMARY:Lunch\\, with Bob", "DESCRIPTION:Line 1\\nLine 2", "LOCATION:Café",
                                   "DTSTART:20240310T120000Z", "DTEND:20240310T130000Z", "RRULE:FREQ=WEEKLY;COUNT=3",
                                   "SEQUENCE:4", "URL:https://example.org/e1", "CREATED:20240101T000000Z",
                                   "LAST-MODIFIED:20240102T030405Z"});
    QCOMPARE(event.uid, QStringLiteral("e1"));
    QCOMPARE(event.title, QStringLiteral("Lunch, with Bob"));
    QCOMPARE(event.description, QStringLiteral("Line 1\nLine 2"));
    QCOMPARE(event.location, QStringLiteral("Café"));
    QCOMPARE(event.start_time, utc(2024, 3, 10, 12));
    QCOMPARE(*event.end_time, utc(2024, 3, 10, 13));
    QCOMPARE(event.recurrence_rule, QStringLiteral("FREQ=WEEKLY;COUNT=3"));
    QCOMPARE(event.sequence, 4);
    QCOMPARE(event.event_url, QStringLiteral("https://example.org/e1"));
    QCOMPARE(event.created, utc(2024, 1, 1));
    QCOMPARE(event.last_modified, QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5), Qt::UTC));
    QCOMPARE(event.timezone, QStringLiteral("UTC"));
    QCOMPARE(event.status, QStringLiteral("confirmed"));
    QCOMPARE(event.sync_status, QStringLiteral("synced"));
    QVERIFY(event.id.isEmpty() && event.calendar_id.isEmpty());

    const Event allDay = onlyEvent({"DTSTART:20240310"});
    QVERIFY(allDay.is_all_day);
    QCOMPARE(allDay.start_time, utc(2024, 3, 10));

    const Event floating = onlyEvent({"DTSTART;VALUE=DATE-TIME:20240310T120000"});
    QVERIFY(!floating.is_all_day);
    QCOMPARE(floating.start_time, QDateTime(QDate(2024, 3, 10), QTime(12, 0)));
    QCOMPARE(floating.timezone, QStringLiteral("UTC"));

    const Event unknownZone = onlyEvent({"DTSTART;TZID=Mars/Olympus:20240310T120000"});
    QCOMPARE(unknownZone.start_time, QDateTime(QDate(2024, 3, 10), QTime(12, 0)));
    QCOMPARE(unknownZone.timezone, QStringLiteral("Mars/Olympus"));
}

void TestIcsCodec::eventEndComesFromDtendOrDuration_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QDateTime>("end");
    const QString start = QStringLiteral("DTSTART:20240310T120000Z");
    QTest::newRow("duration") << QStringList{start, "DURATION:PT1H30M"} << utc(2024, 3, 10, 13, 30);
    QTest::newRow("a month is 30 days") << QStringList{start, "DURATION:P1M"} << utc(2024, 4, 9, 12);
    QTest::newRow("negative gives none") << QStringList{start, "DURATION:-PT1H"} << QDateTime();
    QTest::newRow("dtend after wins") << QStringList{start, "DURATION:PT1H", "DTEND:20240310T150000Z"}
                                      << utc(2024, 3, 10, 15);
    QTest::newRow("dtend before wins") << QStringList{"DTEND:20240310T150000Z", start, "DURATION:PT1H"}
                                       << utc(2024, 3, 10, 15);
    QTest::newRow("none") << QStringList{start} << QDateTime();
}

void TestIcsCodec::eventEndComesFromDtendOrDuration()
{
    QFETCH(QStringList, lines);
    QFETCH(QDateTime, end);
    const Event event = onlyEvent(lines);
    QCOMPARE(event.end_time.has_value(), end.isValid());
    if (end.isValid())
        QCOMPARE(*event.end_time, end);
}

void TestIcsCodec::recurrenceIdIsStoredInUtc()
{
    const Event zoned = onlyEvent({"RECURRENCE-ID;TZID=Europe/Berlin:20240110T100000", "DTSTART:20240110T110000Z"});
    QCOMPARE(zoned.recurrence_id, QStringLiteral("20240110T090000Z"));
    QCOMPARE(zoned.master_event_uid, QStringLiteral("e1"));
    QCOMPARE(onlyEvent({"RECURRENCE-ID;VALUE=DATE:20240110"}).recurrence_id, QStringLiteral("20240110T000000Z"));
    QCOMPARE(onlyEvent({"RECURRENCE-ID:garbage"}).recurrence_id, QStringLiteral("garbage"));
}

void TestIcsCodec::statusOrganizerAndRelationsFollowTheFirstParent()
{
    const Event event = onlyEvent({"STATUS:TENTATIVE", "ORGANIZER;CN=Ann:MAILTO:ann@example.org",
                                   "RELATED-TO;RELTYPE=CHILD:child-1", "RELATED-TO:parent-1",
                                   "RELATED-TO;RELTYPE=parent:parent-2"});
    QCOMPARE(event.status, QStringLiteral("tentative"));
    QCOMPARE(event.organizer_email, QStringLiteral("ann@example.org"));
    QCOMPARE(event.organizer_name, QStringLiteral("Ann"));
    QCOMPARE(event.related_to_uid, QStringLiteral("parent-1"));
    QCOMPARE(onlyEvent({}).status, QStringLiteral("confirmed"));
}

void TestIcsCodec::eventsWithoutUidOrEndAreDropped()
{
    const QString text = QStringLiteral(
        "BEGIN:VEVENT\r\nSUMMARY:no uid\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:restarted\r\nSUMMARY:lost\r\n"
        "BEGIN:VEVENT\r\nUID:second\r\nSUMMARY:kept\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:unfinished\r\n");
    const QList<Event> events = IcsCodec::parseEvents(text);
    QCOMPARE(events.size(), 1);
    QCOMPARE(events.first().uid, QStringLiteral("second"));
    QVERIFY(IcsCodec::parseEvents(QStringLiteral("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n")).isEmpty());
}

void TestIcsCodec::alarmLinesDoNotReplaceEventProperties()
{
    const Event event = onlyEvent({"SUMMARY:Dentist", "DESCRIPTION:Bring card", "BEGIN:VALARM", "UID:alarm-uid",
                                   "SUMMARY:Alarm", "DESCRIPTION:Reminder text", "LOCATION:nowhere",
                                   "TRIGGER:-PT30M", "ACTION:DISPLAY", "END:VALARM"});
    QCOMPARE(event.uid, QStringLiteral("e1"));
    QCOMPARE(event.title, QStringLiteral("Dentist"));
    QCOMPARE(event.description, QStringLiteral("Bring card"));
    QVERIFY(event.location.isEmpty());
    QVERIFY(event.raw_icalendar.contains(QLatin1String("SUMMARY:Alarm\r\n")));
}

void TestIcsCodec::quotedParameterColonDoesNotEndTheName()
{
    const Event event = onlyEvent({"DESCRIPTION;ALTREP=\"https://example.org/a\":Plain text",
                                   "X-APPLE-STRUCTURED-LOCATION;X-TITLE=\"A: B\":geo:1,2"});
    QCOMPARE(event.description, QStringLiteral("Plain text"));
}

void TestIcsCodec::quotedTzidNamesAZone()
{
    const Event event = onlyEvent({"DTSTART;TZID=\"America/New_York\":20240110T090000"});
    QCOMPARE(event.timezone, QStringLiteral("America/New_York"));
    QCOMPARE(event.start_time.toUTC(), utc(2024, 1, 10, 14));
}

void TestIcsCodec::eventAlarmsBecomeReminders()
{
    const Event event = onlyEvent({"DTSTART:20240310T120000Z", "DTEND:20240310T130000Z",
                                   "BEGIN:VALARM", "ACTION:DISPLAY", "TRIGGER:-PT15M", "END:VALARM",
                                   "BEGIN:VALARM", "TRIGGER:-P1D", "END:VALARM",
                                   "BEGIN:VALARM", "ACTION:AUDIO", "TRIGGER;RELATED=END:-PT10M", "END:VALARM",
                                   "BEGIN:VALARM", "ACTION:DISPLAY", "TRIGGER:PT5M", "END:VALARM",
                                   "BEGIN:VALARM", "ACTION:DISPLAY", "TRIGGER;VALUE=DATE-TIME:20240310T100000Z",
                                   "END:VALARM"});
    QStringList reminders;
    for (const Reminder &reminder : event.reminders)
        reminders << QStringLiteral("%1 %2").arg(reminder.minutes_before).arg(reminder.action);
    // Ten minutes before the end of an hour is 50 minutes after the start.
    QCOMPARE(reminders, QStringList({"15 display", "1440 display", "-50 audio", "-5 display"}));
    for (const Reminder &reminder : event.reminders)
        QVERIFY(!reminder.trigger_time && !reminder.acknowledged && reminder.id.isEmpty());
}

void TestIcsCodec::attendeesAndOrganizerAreRead()
{
    const Event event = onlyEvent({"ORGANIZER;CN=\"Doe, Jane\";SENT-BY=\"mailto:a@x\":mailto:jane@example.org",
                                   "ATTENDEE;ROLE=CHAIR;PARTSTAT=ACCEPTED;CN=Jane:mailto:jane@example.org",
                                   "ATTENDEE;RSVP=TRUE;CUTYPE=RESOURCE:MAILTO:beamer@example.org",
                                   "ATTENDEE;ROLE=OPT-PARTICIPANT;PARTSTAT=DECLINED:urn:uuid:1234",
                                   "ATTENDEE;CN=Nobody:"});
    QCOMPARE(event.organizer_email, QStringLiteral("jane@example.org"));
    QCOMPARE(event.organizer_name, QStringLiteral("Doe, Jane"));
    QCOMPARE(event.attendees.size(), 3);
    const Attendee &chair = event.attendees.at(0);
    QCOMPARE(chair.email, QStringLiteral("jane@example.org"));
    QCOMPARE(chair.name, QStringLiteral("Jane"));
    QCOMPARE(chair.role, QStringLiteral("chair"));
    QCOMPARE(chair.status, QStringLiteral("accepted"));
    QVERIFY(!chair.rsvp);
    const Attendee &beamer = event.attendees.at(1);
    QCOMPARE(beamer.email, QStringLiteral("beamer@example.org"));
    QCOMPARE(beamer.role, QStringLiteral("required"));
    QCOMPARE(beamer.status, QStringLiteral("needs-action"));
    QCOMPARE(beamer.type, QStringLiteral("resource"));
    QVERIFY(beamer.rsvp);
    QCOMPARE(event.attendees.at(2).email, QStringLiteral("urn:uuid:1234"));
    QCOMPARE(event.attendees.at(2).role, QStringLiteral("optional"));
    QCOMPARE(event.attendees.at(2).status, QStringLiteral("declined"));
}

void TestIcsCodec::exceptionDatesAreReadInUtcOrAsDates()
{
    const Event zoned = onlyEvent({"DTSTART;TZID=Europe/Berlin:20240110T100000",
                                   "EXDATE;TZID=Europe/Berlin:20240117T100000,20240724T100000",
                                   "EXDATE:20240131T090000Z"});
    QCOMPARE(zoned.exception_dates,
             QStringLiteral("[\"20240117T090000Z\",\"20240724T080000Z\",\"20240131T090000Z\"]"));
    QCOMPARE(onlyEvent({"DTSTART;VALUE=DATE:20240110", "EXDATE;VALUE=DATE:20240111,20240112"}).exception_dates,
             QStringLiteral("[\"20240111\",\"20240112\"]"));
    QCOMPARE(onlyEvent({"EXDATE:20240111T100000"}).exception_dates, QStringLiteral("[\"20240111T100000\"]"));
    QVERIFY(onlyEvent({"EXDATE:nonsense"}).exception_dates.isEmpty());
}

void TestIcsCodec::rawTextWrapsTheOneEvent()
{
    const QString text = QStringLiteral("BEGIN:VCALENDAR\nX-WR-CALNAME:Mine\nBEGIN:VEVENT\nUID:a\nDESCRIPTION:folded\n  text\nEND:VEVENT\n"
                                        "BEGIN:VTODO\nUID:t\nEND:VTODO\nBEGIN:VEVENT\nUID:b\nEND:VEVENT\nEND:VCALENDAR\n");
    const QList<Event> events = IcsCodec::parseEvents(text);
    QCOMPARE(events.size(), 2);
    QCOMPARE(events.first().raw_icalendar,
             QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tindlebrook//Calendar Desktop//EN\r\n"
                            "BEGIN:VEVENT\r\nUID:a\r\nDESCRIPTION:folded text\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"));
    QCOMPARE(events.first().description, QStringLiteral("folded text"));
}

void TestIcsCodec::todoReaderFillsTheRecord()
{
    const Task task = onlyTask({"SUMMARY:Pay rent", "DESCRIPTION:Before the 3rd", "DTSTART:20240601T080000Z",
                                "DUE;VALUE=DATE:20240603", "COMPLETED:20240602T100000Z", "STATUS:COMPLETED",
                                "PRIORITY:5", "PERCENT-COMPLETE:100", "RRULE:FREQ=MONTHLY", "SEQUENCE:7",
                                "CREATED:20240101T000000Z", "LAST-MODIFIED:20240602T100000Z"});
    QCOMPARE(task.title, QStringLiteral("Pay rent"));
    QCOMPARE(task.description, QStringLiteral("Before the 3rd"));
    QCOMPARE(*task.start_date, utc(2024, 6, 1, 8));
    QVERIFY(!task.start_is_date_only);
    QCOMPARE(task.due_date->date(), QDate(2024, 6, 3));
    QVERIFY(task.due_is_date_only);
    QCOMPARE(*task.completed_date, utc(2024, 6, 2, 10));
    QCOMPARE(task.status, QStringLiteral("completed"));
    QCOMPARE(task.priority, 5);
    QCOMPARE(task.percent_complete, 100);
    QCOMPARE(task.recurrence_rule, QStringLiteral("FREQ=MONTHLY"));
    QCOMPARE(task.sequence, 7);
    QCOMPARE(task.created, utc(2024, 1, 1));
    QVERIFY(task.raw_icalendar.startsWith(QLatin1String("BEGIN:VTODO\r\n")));
    QVERIFY(task.raw_icalendar.endsWith(QLatin1String("END:VTODO\r\n")));
    QCOMPARE(onlyTask({}).status, QStringLiteral("needs-action"));
}

void TestIcsCodec::todoAlarmTriggersGiveMinutesBefore_data()
{
    QTest::addColumn<QStringList>("alarm");
    QTest::addColumn<QString>("reminder");
    QTest::newRow("minus") << QStringList{"ACTION:DISPLAY", "TRIGGER:-PT15M"} << "15 display";
    QTest::newRow("plus") << QStringList{"ACTION:DISPLAY", "TRIGGER:+PT15M"} << "15 display";
    QTest::newRow("no sign") << QStringList{"ACTION:DISPLAY", "TRIGGER;RELATED=END:PT15M"} << "15 display";
    QTest::newRow("90 seconds") << QStringList{"ACTION:DISPLAY", "TRIGGER:-PT90S"} << "1 display";
    QTest::newRow("zero") << QStringList{"ACTION:DISPLAY", "TRIGGER:PT0S"} << "0 display";
    QTest::newRow("absolute") << QStringList{"ACTION:DISPLAY", "TRIGGER;VALUE=DATE-TIME:20240101T000000Z"} << "";
    QTest::newRow("no action") << QStringList{"TRIGGER:-PT5M"} << "5 display";
    QTest::newRow("audio") << QStringList{"ACTION:AUDIO", "TRIGGER:-PT5M"} << "5 audio";
}

void TestIcsCodec::todoAlarmTriggersGiveMinutesBefore()
{
    QFETCH(QStringList, alarm);
    QFETCH(QString, reminder);
    const Task task = onlyTask(QStringList{"SUMMARY:Task", "DUE:20240603T090000Z", "BEGIN:VALARM"} + alarm
                               + QStringList{"SUMMARY:alarm's own", "END:VALARM"});
    QCOMPARE(task.title, QStringLiteral("Task"));
    QStringList read;
    for (const Reminder &r : task.reminders)
        read << QStringLiteral("%1 %2").arg(r.minutes_before).arg(r.action);
    QCOMPARE(read.join(QLatin1Char(',')), reminder);
}

void TestIcsCodec::todoExtensionsNeedTheirExactValues_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("repeatMode");
    QTest::addColumn<QString>("itemType");
    QTest::addColumn<int>("sortOrder");
    QTest::newRow("repeat mode") << "X-TINDLEBROOK-REPEAT-MODE: fromCompletionDate " << "fromCompletionDate" << "task" << 0;
    QTest::newRow("repeat mode lower case") << "X-TINDLEBROOK-REPEAT-MODE:fromcompletiondate" << "fromDueDate" << "task" << 0;
    QTest::newRow("item type any case") << "X-TINDLEBROOK-ITEM-TYPE:Reminder" << "fromDueDate" << "reminder" << 0;
    QTest::newRow("item type other") << "X-TINDLEBROOK-ITEM-TYPE:note" << "fromDueDate" << "task" << 0;
    QTest::newRow("sort order") << "X-TINDLEBROOK-SORT-ORDER:40" << "fromDueDate" << "task" << 40;
    QTest::newRow("sort order zero") << "X-TINDLEBROOK-SORT-ORDER:0" << "fromDueDate" << "task" << 0;
    QTest::newRow("sort order negative") << "X-TINDLEBROOK-SORT-ORDER:-5" << "fromDueDate" << "task" << 0;
}

void TestIcsCodec::todoExtensionsNeedTheirExactValues()
{
    QFETCH(QString, line);
    QFETCH(QString, repeatMode);
    QFETCH(QString, itemType);
    QFETCH(int, sortOrder);
    const Task task = onlyTask({line});
    QCOMPARE(task.repeat_mode, repeatMode);
    QCOMPARE(task.item_type, itemType);
    QCOMPARE(task.sort_order, sortOrder);
}

void TestIcsCodec::categoriesSplitOnlyAtUnescapedCommas()
{
    const Task task = onlyTask({"CATEGORIES:first", "CATEGORIES:Work\\, urgent, Home\\;Garden ,, \\\\share"});
    QCOMPARE(task.categories, QStringList({"Work, urgent", "Home;Garden", "\\share"}));
}

void TestIcsCodec::todoRelationsKeepTheLastParent()
{
    const Task task = onlyTask({"RELATED-TO:parent-1", "RELATED-TO;RELTYPE=PARENT:parent-2",
                                "RELATED-TO;RELTYPE=CHILD:child"});
    QCOMPARE(task.parent_task_uid, QStringLiteral("parent-2"));
}

QTEST_GUILESS_MAIN(TestIcsCodec)
#include "tst_icscodec.moc"
