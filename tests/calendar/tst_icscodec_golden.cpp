// Real-world shaped iCalendar files in data/: each is read and compared with
// its hand-written .expected description, then written back and read again.

#include "calendar/icscodec.h"
#include "calendar/recurrence.h"

#include <QFile>
#include <QTest>

namespace {

QString orDash(const QString &text)
{
    if (text.isEmpty())
        return QStringLiteral("-");
    QString shown = text;
    return shown.replace(QLatin1Char('\n'), QLatin1String("\\n"));
}

QString when(const std::optional<QDateTime> &value, bool allDay)
{
    if (!value || !value->isValid())
        return QStringLiteral("-");
    if (allDay)
        return QStringLiteral("date ") + value->date().toString(Qt::ISODate);
    return value->toUTC().toString(Qt::ISODate);
}

QString describe(const Event &event)
{
    QStringList lines;
    lines << QStringLiteral("event");
    lines << QStringLiteral("uid: ") + orDash(event.uid);
    lines << QStringLiteral("title: ") + orDash(event.title);
    lines << QStringLiteral("description: ") + orDash(event.description);
    lines << QStringLiteral("location: ") + orDash(event.location);
    lines << QStringLiteral("start: ") + when(event.start_time, event.is_all_day);
    lines << QStringLiteral("end: ") + when(event.end_time, event.is_all_day);
    lines << QStringLiteral("all-day: ") + (event.is_all_day ? QStringLiteral("yes") : QStringLiteral("no"));
    lines << QStringLiteral("timezone: ") + orDash(event.timezone);
    lines << QStringLiteral("rule: ") + orDash(event.recurrence_rule);
    lines << QStringLiteral("exceptions: ") + orDash(event.exception_dates);
    lines << QStringLiteral("recurrence-id: ") + orDash(event.recurrence_id);
    lines << QStringLiteral("master: ") + orDash(event.master_event_uid);
    lines << QStringLiteral("status: ") + orDash(event.status);
    lines << QStringLiteral("sequence: ") + QString::number(event.sequence);
    lines << QStringLiteral("url: ") + orDash(event.event_url);
    lines << QStringLiteral("organizer: ")
                 + (event.organizer_email.isEmpty() ? QStringLiteral("-")
                                                    : event.organizer_email + QLatin1String(" | ") + event.organizer_name);
    lines << QStringLiteral("created: ") + when(event.created, false);
    lines << QStringLiteral("last-modified: ") + when(event.last_modified, false);
    lines << QStringLiteral("related-to: ") + orDash(event.related_to_uid);
    for (const Reminder &reminder : event.reminders)
        lines << QStringLiteral("reminder: %1 %2").arg(reminder.minutes_before).arg(reminder.action);
    for (const Attendee &attendee : event.attendees) {
        lines << QStringLiteral("attendee: %1 | %2 | %3 | %4 | %5 | %6")
                     .arg(attendee.email, attendee.name, attendee.role, attendee.status, orDash(attendee.type),
                          attendee.rsvp ? QStringLiteral("rsvp") : QStringLiteral("-"));
    }
    return lines.join(QLatin1Char('\n'));
}

QString describe(const Task &task)
{
    QStringList lines;
    lines << QStringLiteral("task");
    lines << QStringLiteral("uid: ") + orDash(task.uid);
    lines << QStringLiteral("title: ") + orDash(task.title);
    lines << QStringLiteral("description: ") + orDash(task.description);
    lines << QStringLiteral("start: ") + when(task.start_date, task.start_is_date_only);
    lines << QStringLiteral("due: ") + when(task.due_date, task.due_is_date_only);
    lines << QStringLiteral("completed: ") + when(task.completed_date, false);
    lines << QStringLiteral("status: ") + orDash(task.status);
    lines << QStringLiteral("priority: ") + QString::number(task.priority);
    lines << QStringLiteral("percent: ") + QString::number(task.percent_complete);
    lines << QStringLiteral("rule: ") + orDash(task.recurrence_rule);
    lines << QStringLiteral("categories: ") + orDash(task.categories.join(QLatin1String(" | ")));
    lines << QStringLiteral("parent: ") + orDash(task.parent_task_uid);
    lines << QStringLiteral("sequence: ") + QString::number(task.sequence);
    lines << QStringLiteral("repeat-mode: ") + task.repeat_mode;
    lines << QStringLiteral("item-type: ") + task.item_type;
    lines << QStringLiteral("sort-order: ") + QString::number(task.sort_order);
    for (const Reminder &reminder : task.reminders)
        lines << QStringLiteral("reminder: %1 %2").arg(reminder.minutes_before).arg(reminder.action);
    return lines.join(QLatin1Char('\n'));
}

template<typename Record>
QString describeAll(const QList<Record> &records)
{
    QStringList parts;
    for (const Record &record : records)
        parts << describe(record);
    return parts.join(QLatin1Char('\n'));
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QString expectedText(const QString &path)
{
    return QString::fromUtf8(readBytes(path)).trimmed();
}

const char *const EventFiles[] = {"google-weekly", "outlook-invite", "allday", "apple-rehearsal"};

} // namespace

class TestIcsCodecGolden : public QObject
{
    Q_OBJECT

private slots:
    void readsEventsAsExpected_data();
    void readsEventsAsExpected();
    void readsTodosAsExpected();
    void lineEndsDoNotChangeWhatIsRead_data();
    void lineEndsDoNotChangeWhatIsRead();
    void decodeTextRejoinsCharactersSplitAcrossFolds();
    void rawTextHoldsOneEventWithItsTimeZone();
    void writeThenReadKeepsEveryField_data();
    void writeThenReadKeepsEveryField();
    void writeThenReadKeepsEveryTaskField();
    void editOfStoredTextKeepsWhatTheRecordDoesNotModel();
    void goldenSeriesExpandsWithExceptionsAndOverride();
    void goldenAllDaySeriesSkipsExceptionDaysInEveryZone();
};

void TestIcsCodecGolden::readsEventsAsExpected_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : EventFiles)
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestIcsCodecGolden::readsEventsAsExpected()
{
    QFETCH(QString, name);
    const QString icsPath = QFINDTESTDATA(QStringLiteral("data/%1.ics").arg(name));
    const QString expectedPath = QFINDTESTDATA(QStringLiteral("data/%1.expected").arg(name));
    QVERIFY2(!icsPath.isEmpty() && !expectedPath.isEmpty(), "golden file missing");

    const QList<Event> events = IcsCodec::parseEvents(IcsCodec::decodeText(readBytes(icsPath)));
    QCOMPARE(describeAll(events), expectedText(expectedPath));
}

void TestIcsCodecGolden::readsTodosAsExpected()
{
    const QString icsPath = QFINDTESTDATA("data/todos.ics");
    const QString expectedPath = QFINDTESTDATA("data/todos.expected");
    QVERIFY(!icsPath.isEmpty() && !expectedPath.isEmpty());
    const QList<Task> tasks = IcsCodec::parseTodos(IcsCodec::decodeText(readBytes(icsPath)));
    QCOMPARE(describeAll(tasks), expectedText(expectedPath));
    // The alarm's SUMMARY is the alarm's, and the raw text is the VTODO alone.
    QVERIFY(tasks.first().raw_icalendar.startsWith(QLatin1String("BEGIN:VTODO\r\n")));
    QVERIFY(tasks.first().raw_icalendar.endsWith(QLatin1String("END:VTODO\r\n")));
}

void TestIcsCodecGolden::lineEndsDoNotChangeWhatIsRead_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : EventFiles)
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestIcsCodecGolden::lineEndsDoNotChangeWhatIsRead()
{
    QFETCH(QString, name);
    const QByteArray bytes = readBytes(QFINDTESTDATA(QStringLiteral("data/%1.ics").arg(name)));
    QVERIFY(!bytes.isEmpty());
    QByteArray lf = bytes;
    lf.replace("\r\n", "\n");
    QByteArray crlf = lf;
    crlf.replace("\n", "\r\n");
    QCOMPARE(describeAll(IcsCodec::parseEvents(IcsCodec::decodeText(lf))),
             describeAll(IcsCodec::parseEvents(IcsCodec::decodeText(crlf))));
}

void TestIcsCodecGolden::decodeTextRejoinsCharactersSplitAcrossFolds()
{
    const QByteArray bytes = readBytes(QFINDTESTDATA("data/google-weekly.ics"));
    // The file folds the description inside the bytes of "ト".
    QVERIFY(bytes.contains("\xe3\x83\r\n \x88"));
    const QList<Event> events = IcsCodec::parseEvents(IcsCodec::decodeText(bytes));
    QVERIFY(!events.isEmpty());
    QVERIFY(events.first().description.contains(QStringLiteral("日本語テキスト straddles")));
    QVERIFY(!events.first().description.contains(QChar(QChar::ReplacementCharacter)));
}

void TestIcsCodecGolden::rawTextHoldsOneEventWithItsTimeZone()
{
    const QList<Event> events =
        IcsCodec::parseEvents(IcsCodec::decodeText(readBytes(QFINDTESTDATA("data/google-weekly.ics"))));
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

void TestIcsCodecGolden::writeThenReadKeepsEveryField_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("fresh");
    for (const char *name : EventFiles) {
        QTest::addRow("%s patched", name) << QString::fromLatin1(name) << false;
        QTest::addRow("%s fresh", name) << QString::fromLatin1(name) << true;
    }
}

void TestIcsCodecGolden::writeThenReadKeepsEveryField()
{
    QFETCH(QString, name);
    QFETCH(bool, fresh);
    const QList<Event> events =
        IcsCodec::parseEvents(IcsCodec::decodeText(readBytes(QFINDTESTDATA(QStringLiteral("data/%1.ics").arg(name)))));
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

void TestIcsCodecGolden::writeThenReadKeepsEveryTaskField()
{
    const QList<Task> tasks = IcsCodec::parseTodos(IcsCodec::decodeText(readBytes(QFINDTESTDATA("data/todos.ics"))));
    QCOMPARE(tasks.size(), 2);
    for (const Task &task : tasks) {
        const QList<Task> again = IcsCodec::parseTodos(IcsCodec::buildTodo(task));
        QCOMPARE(again.size(), 1);
        QCOMPARE(describe(again.first()), describe(task));
    }
}

void TestIcsCodecGolden::editOfStoredTextKeepsWhatTheRecordDoesNotModel()
{
    const QList<Event> events =
        IcsCodec::parseEvents(IcsCodec::decodeText(readBytes(QFINDTESTDATA("data/outlook-invite.ics"))));
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

    const QString written = IcsCodec::buildEventIcs(edited);
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

void TestIcsCodecGolden::goldenSeriesExpandsWithExceptionsAndOverride()
{
    const QList<Event> events =
        IcsCodec::parseEvents(IcsCodec::decodeText(readBytes(QFINDTESTDATA("data/google-weekly.ics"))));
    const QDateTime from(QDate(2024, 3, 1), QTime(0, 0), Qt::UTC);
    const QDateTime to(QDate(2024, 5, 1), QTime(0, 0), Qt::UTC);
    const QList<Event> expanded = Recurrence::expandForRange(events, from, to);

    // Mondays and Wednesdays 09:30 New York from 4 March up to UNTIL (29
    // April 23:59:59 EDT), without 11 and 20 March and 1 April; 13 March is
    // the moved occurrence at 11:00.
    QStringList seen;
    for (const Event &event : expanded) {
        const QDateTime local = event.start_time.toTimeZone(QTimeZone("America/New_York"));
        seen << local.toString(QStringLiteral("MM-dd HH:mm"));
    }
    const QStringList expected = {"03-04 09:30", "03-06 09:30", "03-13 11:00", "03-18 09:30", "03-25 09:30",
                                  "03-27 09:30", "04-03 09:30", "04-08 09:30", "04-10 09:30", "04-15 09:30",
                                  "04-17 09:30", "04-22 09:30", "04-24 09:30", "04-29 09:30"};
    QCOMPARE(seen, expected);
    QCOMPARE(expanded.at(2).title, QStringLiteral("Team stand-up (moved)"));
}

void TestIcsCodecGolden::goldenAllDaySeriesSkipsExceptionDaysInEveryZone()
{
    QList<Event> events =
        IcsCodec::parseEvents(IcsCodec::decodeText(readBytes(QFINDTESTDATA("data/allday.ics"))));
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

QTEST_GUILESS_MAIN(TestIcsCodecGolden)
#include "tst_icscodec_golden.moc"
