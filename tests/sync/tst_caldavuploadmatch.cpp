#include "sync/caldav/caldavuploadmatch.h"

#include "sync/caldav/caldavicsbundle.h"
#include "sync/caldav/caldavlandedupload.h"

#include <QTest>

namespace {

const QString kSent = QStringLiteral(
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tindlebrook//Calendar Desktop//EN\r\n"
    "BEGIN:VEVENT\r\nUID:series\r\nDTSTAMP:20260305T101010Z\r\nDTSTART;TZID=Europe/Berlin:20260302T090000\r\n"
    "RRULE:FREQ=DAILY;COUNT=5\r\nEXDATE;TZID=Europe/Berlin:20260303T090000\r\nSUMMARY:Stand\\, up\r\n"
    "ATTENDEE;CN=\"Ann\";PARTSTAT=ACCEPTED:mailto:ann@example.org\r\n"
    "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:series\r\nRECURRENCE-ID;TZID=Europe/Berlin:20260304T090000\r\n"
    "DTSTART;TZID=Europe/Berlin:20260304T110000\r\nSUMMARY:Moved\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");

// A calendar of one component, `lines` after its UID and DTSTAMP.
QString one(const char *component, const QString &lines)
{
    return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tindlebrook//Calendar Desktop//EN\r\n"
                          "BEGIN:%1\r\nUID:one\r\nDTSTAMP:20260305T101010Z\r\n%2END:%1\r\nEND:VCALENDAR\r\n")
        .arg(QLatin1String(component), lines);
}

QString vevent(const QString &lines)
{
    return one("VEVENT", lines);
}

// A Monday walk as this device writes it: from 2 March at `time` in
// `zone` (or from `day` at that time), six weeks, the third skipped.
QString walk(const QString &zone, const QString &day, const QString &time, const QString &skipped,
             const QString &lines = QString())
{
    return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tindlebrook//Calendar Desktop//EN\r\n"
                          "BEGIN:VEVENT\r\nUID:walk\r\nDTSTAMP:20260305T101010Z\r\nDTSTART;TZID=%1:%2T%3\r\n"
                          "DURATION:PT1H\r\nRRULE:FREQ=WEEKLY;COUNT=6\r\nEXDATE;TZID=%1:%4T%3\r\nSUMMARY:Walk\r\n"
                          "%5END:VEVENT\r\nEND:VCALENDAR\r\n")
        .arg(zone, day, time, skipped, lines);
}

// Its occurrence that `recurrenceId` (with its zone) names, changed to
// 11:00 to 12:00 in Berlin on 30 March and retitled.
QString walkChange(const QString &recurrenceId, const QString &lines = QStringLiteral("SUMMARY:Walk later\r\n"))
{
    return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tindlebrook//Calendar Desktop//EN\r\n"
                          "BEGIN:VEVENT\r\nUID:walk\r\nDTSTAMP:20260305T101010Z\r\nRECURRENCE-ID;TZID=%1\r\n"
                          "DTSTART;TZID=Europe/Berlin:20260330T110000\r\nDTEND;TZID=Europe/Berlin:20260330T120000\r\n"
                          "%2END:VEVENT\r\nEND:VCALENDAR\r\n")
        .arg(recurrenceId, lines);
}

QString bundle(const QStringList &texts)
{
    return CalDavIcsBundle::combine(texts);
}

} // namespace

// An upload counts as stored when the server's copy holds what was sent,
// however the server wrote it down.
class TestCalDavUploadMatch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void serverCopyHoldsWhatWasSent_data()
    {
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("holds");
        QString rewritten = kSent;
        // Line ends, folding, parameter order and quoting, escaping, a stamp
        // and a property of the server's own.
        rewritten.replace(QLatin1String("\r\n"), QLatin1String("\n"))
            .replace(QLatin1String("SUMMARY:Moved"), QLatin1String("SUMMARY:Mo\n ved\nX-SERVER:kept"))
            .replace(QLatin1String("ATTENDEE;CN=\"Ann\";PARTSTAT=ACCEPTED"),
                     QLatin1String("ATTENDEE;PARTSTAT=ACCEPTED;CN=Ann"))
            .replace(QLatin1String("DTSTAMP:20260305T101010Z"), QLatin1String("DTSTAMP:20260101T000000Z"));
        QTest::newRow("rewritten by the server") << kSent << rewritten << true;
        QTest::newRow("as sent") << kSent << kSent << true;
        QTest::newRow("a value changed")
            << kSent << QString(kSent).replace(QLatin1String("COUNT=5"), QLatin1String("COUNT=6")) << false;
        QTest::newRow("the exclusion missing")
            << kSent << QString(kSent).remove(QLatin1String("EXDATE;TZID=Europe/Berlin:20260303T090000\r\n")) << false;
        QTest::newRow("the alarm missing")
            << kSent << QString(kSent).remove(
                   QLatin1String("BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"))
            << false;
        QTest::newRow("an occurrence the upload left out")
            << kSent << QString(kSent).replace(QLatin1String("END:VCALENDAR"),
                                      QLatin1String("BEGIN:VEVENT\r\nUID:series\r\nRECURRENCE-ID:20260305T080000Z\r\n"
                                                    "SUMMARY:Other\r\nEND:VEVENT\r\nEND:VCALENDAR"))
            << false;
        QTest::newRow("no calendar at all") << kSent << QStringLiteral("<html>Sign in</html>") << false;

        // What servers make of a value that means the same.
        const char *reminders = "BEGIN:VALARM\r\nTRIGGER;RELATED=END:-PT1440M\r\nEND:VALARM\r\n"
                                "BEGIN:VALARM\r\nTRIGGER:-PT60M\r\nEND:VALARM\r\nBEGIN:VALARM\r\nTRIGGER:PT0S\r\n"
                                "END:VALARM\r\nBEGIN:VALARM\r\nTRIGGER:-P2W\r\nEND:VALARM\r\n";
        const char *twoAlarms = "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
                                "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER:-PT1H\r\nEND:VALARM\r\n";
        QTest::newRow("two alarms trading their actions")
            << one("VTODO", twoAlarms)
            << one("VTODO", "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT1H\r\nEND:VALARM\r\n"
                            "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n")
            << false;
        QTest::newRow("two alarms in the other order, one given a property and one added")
            << one("VTODO", twoAlarms)
            << one("VTODO", "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER:-PT1H\r\nEND:VALARM\r\n"
                            "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT1H\r\nEND:VALARM\r\n"
                            "BEGIN:VALARM\r\nX-SERVER:uid\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n")
            << true;
        QTest::newRow("alarm durations in other units")
            << one("VTODO", reminders)
            << one("VTODO",
                   "BEGIN:VALARM\r\nTRIGGER;RELATED=END:-P1D\r\nEND:VALARM\r\nBEGIN:VALARM\r\nTRIGGER:-PT1H\r\n"
                   "END:VALARM\r\nBEGIN:VALARM\r\nTRIGGER:P0D\r\nEND:VALARM\r\nBEGIN:VALARM\r\n"
                   "TRIGGER:-P14D\r\nEND:VALARM\r\n")
            << true;
        const char *rule = "DTSTART;TZID=Europe/Berlin:20260302T090000\r\n"
                           "RRULE:FREQ=WEEKLY;BYDAY=MO,WE,FR;BYMONTH=3,4;INTERVAL=2;UNTIL=20260330T090000\r\n";
        QTest::newRow("rule parts reordered, in other case, with defaults")
            << vevent(rule)
            << vevent(
                   "DTSTART;TZID=Europe/Berlin:20260302T090000\r\n"
                   "RRULE:freq=weekly;until=20260330T070000Z;wkst=MO;interval=02;byday=fr,we,MO,MO;bymonth=04,+3\r\n")
            << true;
        QTest::newRow("parameters in other case and defaults added")
            << vevent("ATTENDEE;PARTSTAT=accepted;ROLE=chair;CN=Ann:mailto:ann@example.org\r\nSTATUS:confirmed\r\n"
                      "BEGIN:VALARM\r\nTRIGGER;RELATED=end:-PT15M\r\nEND:VALARM\r\n")
            << vevent("ATTENDEE;CUTYPE=INDIVIDUAL;RSVP=FALSE;PARTSTAT=ACCEPTED;ROLE=CHAIR;CN=Ann:"
                      "mailto:ann@example.org\r\nSTATUS:CONFIRMED\r\n"
                      "BEGIN:VALARM\r\nTRIGGER;VALUE=DURATION;RELATED=END:-PT15M\r\nEND:VALARM\r\n")
            << true;
        // A scheduling server notes on a meeting the messages it sent (RFC
        // 6638), drops a request to send one and may name who sends them.
        const QString meeting = QStringLiteral("ORGANIZER;CN=Me:mailto:me@example.org\r\n"
                                               "ATTENDEE;CN=Ann;RSVP=TRUE:mailto:ann@example.org\r\n"
                                               "ATTENDEE;SCHEDULE-FORCE-SEND=REQUEST:mailto:bob@example.org\r\n");
        const QString scheduled = QString(meeting)
                                      .replace("CN=Me", "SCHEDULE-AGENT=SERVER;CN=Me")
                                      .replace("RSVP=TRUE", "RSVP=TRUE;SCHEDULE-STATUS=1.2")
                                      .replace("SCHEDULE-FORCE-SEND=REQUEST", "SCHEDULE-STATUS=\"2.0,2.4\"");
        QTest::newRow("a meeting as a scheduling server stores it") << vevent(meeting) << vevent(scheduled) << true;
        QTest::newRow("a meeting with the status of each message sent")
            << vevent(meeting) << vevent(QString(meeting).replace("CN=Ann", "SCHEDULE-STATUS=1.1;CN=Ann")) << true;
        QTest::newRow("a meeting without its request to send")
            << vevent(meeting) << vevent(QString(meeting).remove(";SCHEDULE-FORCE-SEND=REQUEST")) << true;
        QTest::newRow("a meeting as a scheduling server stores it, an answer changed")
            << vevent(meeting) << vevent(QString(scheduled).replace("RSVP=TRUE", "RSVP=TRUE;PARTSTAT=DECLINED"))
            << false;
        const char *times
            = "DTSTART;TZID=Europe/Berlin:20260328T090000\r\nDTEND;TZID=Europe/Berlin:20260329T090000\r\n";
        QTest::newRow("times in another zone and in UTC")
            << vevent(QString(times) + "EXDATE;TZID=Europe/Berlin:20260404T090000,20260411T090000\r\n")
            << vevent("DTSTART;VALUE=DATE-TIME;TZID=America/New_York:20260328T040000\r\nDTEND:20260329T070000Z\r\n"
                      "EXDATE:20260404T070000Z\r\nEXDATE:20260411T070000Z\r\n")
            << true;
        QTest::newRow("a changed occurrence named in UTC")
            << kSent
            << QString(kSent).replace(QLatin1String("RECURRENCE-ID;TZID=Europe/Berlin:20260304T090000"),
                                      QLatin1String("RECURRENCE-ID:20260304T080000Z"))
            << true;
        // A day over the change to summer time has 23 hours.
        QTest::newRow("an end as a duration")
            << vevent(times) << vevent("DTSTART;TZID=Europe/Berlin:20260328T090000\r\nDURATION:P1D\r\n") << true;
        QTest::newRow("a date end as a duration")
            << one("VTODO", "DTSTART;VALUE=DATE:20260302\r\nDUE;VALUE=DATE:20260304\r\n")
            << one("VTODO", "DTSTART;VALUE=DATE:20260302\r\nDURATION:P2D\r\n") << true;

        // What differs in meaning, however close the text.
        QTest::newRow("a reminder of another length")
            << one("VTODO", reminders) << one("VTODO", QString(reminders).replace("-P2W", "-P15D")) << false;
        QTest::newRow("the reminder before the start, not the end")
            << one("VTODO", reminders) << one("VTODO", QString(reminders).remove(";RELATED=END")) << false;
        QTest::newRow("a rule every week") << vevent(rule) << vevent(QString(rule).remove(";INTERVAL=2")) << false;
        QTest::newRow("a rule on other days")
            << vevent(rule) << vevent(QString(rule).replace("BYDAY=MO,WE,FR", "BYDAY=MO,WE,SA")) << false;
        QTest::newRow("a rule ending an hour later")
            << vevent(rule) << vevent(QString(rule).replace("UNTIL=20260330T090000", "UNTIL=20260330T080000Z"))
            << false;
        QTest::newRow("the same wall clock in UTC") << vevent("DTSTART;TZID=Europe/Berlin:20260302T090000\r\n")
                                                    << vevent("DTSTART:20260302T090000Z\r\n") << false;
        QTest::newRow("a floating time in UTC")
            << vevent("DTSTART:20260302T090000\r\n") << vevent("DTSTART:20260302T090000Z\r\n") << false;
        QTest::newRow("a date as a date-time")
            << vevent("DTSTART;VALUE=DATE:20260302\r\n") << vevent("DTSTART:20260302T000000Z\r\n") << false;
        QTest::newRow("a zone unknown here named otherwise")
            << vevent("DTSTART;TZID=Office Time:20260302T090000\r\n")
            << vevent("DTSTART;TZID=Home Time:20260302T090000\r\n") << false;
        QTest::newRow("24 hours over the change to summer time")
            << vevent(times) << vevent("DTSTART;TZID=Europe/Berlin:20260328T090000\r\nDURATION:PT24H\r\n") << false;
        QTest::newRow("a name in other case") << vevent("ATTENDEE;CN=Ann:mailto:ann@example.org\r\n")
                                              << vevent("ATTENDEE;CN=ANN:mailto:ann@example.org\r\n") << false;
        QTest::newRow("an answer declined") << vevent("ATTENDEE;PARTSTAT=ACCEPTED:mailto:ann@example.org\r\n")
                                            << vevent("ATTENDEE;PARTSTAT=DECLINED:mailto:ann@example.org\r\n") << false;
        QTest::newRow("a duration past any bound, not zero")
            << vevent("BEGIN:VALARM\r\nTRIGGER:PT0S\r\nEND:VALARM\r\n")
            << vevent("BEGIN:VALARM\r\nTRIGGER:-P99999999999999999999W\r\nEND:VALARM\r\n") << false;
    }

    // What the program's reader makes of a text decides: the same record
    // (title, start, end or due, occurrences, exclusions, reminders) or not.
    void serverCopyMeansWhatWasSent_data()
    {
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("holds");

        // A series counts its occurrences on its start's wall clock, so the
        // zone is part of what a repeating start says.
        const QString weekly = QStringLiteral("DTSTART;TZID=Europe/Berlin:20260302T090000\r\n"
                                              "RRULE:FREQ=WEEKLY;COUNT=8\r\n");
        QTest::newRow("a zoned weekly series from its first instant in UTC")
            << vevent(weekly) << vevent("DTSTART:20260302T080000Z\r\nRRULE:FREQ=WEEKLY;COUNT=8\r\n") << false;
        QTest::newRow("a zoned weekly series from its first instant in New York")
            << vevent(weekly)
            << vevent("DTSTART;TZID=America/New_York:20260302T030000\r\nRRULE:FREQ=WEEKLY;COUNT=8\r\n") << false;
        QTest::newRow("a task series from its first instant in UTC")
            << one("VTODO", weekly) << one("VTODO", "DTSTART:20260302T080000Z\r\nRRULE:FREQ=WEEKLY;COUNT=8\r\n")
            << false;
        QTest::newRow("a zoned series under another name of its zone")
            << vevent(weekly)
            << vevent("DTSTART;TZID=/mozilla.org/20050126_1/Europe/Berlin:20260302T090000\r\n"
                      "RRULE:FREQ=WEEKLY;COUNT=8\r\n")
            << true;
        QTest::newRow("a series' end and exclusion as instants")
            << vevent(weekly + "DTEND;TZID=Europe/Berlin:20260302T100000\r\n"
                               "EXDATE;TZID=Europe/Berlin:20260309T090000\r\n")
            << vevent(weekly + "DTEND:20260302T090000Z\r\nEXDATE:20260309T080000Z\r\n") << true;

        // Dates of a list are one set, however many lines hold it.
        const QString daily = QStringLiteral("DTSTART;TZID=Europe/Berlin:20260302T090000\r\n"
                                             "RRULE:FREQ=DAILY;COUNT=5\r\n");
        QTest::newRow("an exclusion more than was sent")
            << vevent(daily + "EXDATE;TZID=Europe/Berlin:20260303T090000\r\n")
            << vevent(daily + "EXDATE;TZID=Europe/Berlin:20260303T090000,20260304T090000\r\n") << false;
        QTest::newRow("an exclusion more on a line of its own")
            << vevent(daily + "EXDATE;TZID=Europe/Berlin:20260303T090000\r\n")
            << vevent(daily + "EXDATE;TZID=Europe/Berlin:20260303T090000\r\nEXDATE:20260304T080000Z\r\n") << false;
        QTest::newRow("an exclusion where none was sent")
            << vevent(daily) << vevent(daily + "EXDATE;TZID=Europe/Berlin:20260303T090000\r\n") << false;
        QTest::newRow("a date more than was sent")
            << vevent(daily + "RDATE;TZID=Europe/Berlin:20260310T090000\r\n")
            << vevent(daily + "RDATE;TZID=Europe/Berlin:20260310T090000,20260312T090000\r\n") << false;
        QTest::newRow("a date less than was sent")
            << vevent(daily + "RDATE;TZID=Europe/Berlin:20260310T090000,20260312T090000\r\n")
            << vevent(daily + "RDATE;TZID=Europe/Berlin:20260310T090000\r\n") << false;
        QTest::newRow("dates as instants on lines of their own")
            << vevent(daily + "RDATE;TZID=Europe/Berlin:20260310T090000,20260312T090000\r\n")
            << vevent(daily + "RDATE:20260312T080000Z\r\nRDATE:20260310T080000Z\r\n") << true;

        QStringList days;
        QString oneLineEach;
        const QDate first(2026, 3, 3);
        for (int day = 0; day < 2000; ++day) {
            days.append(first.addDays(day).toString(QStringLiteral("yyyyMMdd")) + QLatin1String("T080000Z"));
            oneLineEach.prepend(QLatin1String("EXDATE:") + days.last() + QLatin1String("\r\n"));
        }
        const QString manyExcluded = QStringLiteral("DTSTART:20260302T080000Z\r\nRRULE:FREQ=DAILY\r\nEXDATE:%1\r\n");
        QTest::newRow("two thousand exclusions, one a line in the other order")
            << vevent(manyExcluded.arg(days.join(QLatin1Char(','))))
            << vevent(QStringLiteral("DTSTART:20260302T080000Z\r\nRRULE:FREQ=DAILY\r\n") + oneLineEach) << true;
        QTest::newRow("two thousand exclusions and one more")
            << vevent(manyExcluded.arg(days.join(QLatin1Char(','))))
            << vevent(manyExcluded.arg(days.join(QLatin1Char(',')) + QLatin1String(",20400101T080000Z"))) << false;

        // DTEND gives every occurrence the exact length of the first one,
        // P1D a calendar day in the start's zone: 23 hours over the change
        // to summer time, 24 on the days after it.
        const QString overTheChange = QStringLiteral("DTSTART;TZID=Europe/Berlin:20260328T090000\r\n"
                                                     "RRULE:FREQ=DAILY;COUNT=3\r\n");
        QTest::newRow("a daily series' end against a day over the change to summer time")
            << vevent(overTheChange + "DTEND;TZID=Europe/Berlin:20260329T090000\r\n")
            << vevent(overTheChange + "DURATION:P1D\r\n") << false;
        QTest::newRow("a daily series' end as its exact length")
            << vevent(overTheChange + "DTEND;TZID=Europe/Berlin:20260329T090000\r\n")
            << vevent(overTheChange + "DURATION:PT23H\r\n") << true;
        QTest::newRow("a day against 24 hours on a zoned series")
            << vevent(overTheChange + "DURATION:P1D\r\n") << vevent(overTheChange + "DURATION:PT24H\r\n") << false;
        QTest::newRow("a day on a series in UTC")
            << vevent("DTSTART:20260328T080000Z\r\nDTEND:20260329T080000Z\r\nRRULE:FREQ=DAILY;COUNT=3\r\n")
            << vevent("DTSTART:20260328T080000Z\r\nDURATION:P1D\r\nRRULE:FREQ=DAILY;COUNT=3\r\n") << true;

        // An override names its occurrence as the reader does: on an all-day
        // series a zone's midnight is that day, the same instant in UTC the
        // day before.
        const QString allDay = QStringLiteral(
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tindlebrook//Calendar Desktop//EN\r\n"
            "BEGIN:VEVENT\r\nUID:leave\r\nDTSTAMP:20260305T101010Z\r\nDTSTART;VALUE=DATE:20260302\r\n"
            "RRULE:FREQ=DAILY;COUNT=5\r\nSUMMARY:Leave\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:leave\r\nDTSTAMP:20260305T101010Z\r\n"
            "RECURRENCE-ID;TZID=Europe/Berlin:20260304T000000\r\nDTSTART;VALUE=DATE:20260304\r\n"
            "SUMMARY:Leave, half day\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
        const QString zoneName = QStringLiteral("RECURRENCE-ID;TZID=Europe/Berlin:20260304T000000");
        const QString utcName = QStringLiteral("RECURRENCE-ID:20260303T230000Z");
        QTest::newRow("an all-day override named by the instant in UTC")
            << allDay << QString(allDay).replace(zoneName, utcName) << false;
        QString timed = allDay;
        timed.replace(QLatin1String("DTSTART;VALUE=DATE:20260302"),
                      QLatin1String("DTSTART;TZID=Europe/Berlin:20260302T000000"))
            .replace(QLatin1String("DTSTART;VALUE=DATE:20260304"),
                     QLatin1String("DTSTART;TZID=Europe/Berlin:20260304T020000"));
        QTest::newRow("a timed override at midnight named by the instant in UTC")
            << timed << QString(timed).replace(zoneName, utcName) << true;

        // A duration the reader cannot read gives no end at all.
        const QString hour = QStringLiteral("DTSTART:20260302T090000Z\r\nDTEND:20260302T100000Z\r\n");
        QTest::newRow("an end against a duration of no length")
            << vevent("DTSTART:20260302T090000Z\r\nDTEND:20260302T090000Z\r\n")
            << vevent("DTSTART:20260302T090000Z\r\nDURATION:P0D\r\n") << false;
        QTest::newRow("an end against a duration with a plus sign")
            << vevent(hour) << vevent("DTSTART:20260302T090000Z\r\nDURATION:+PT1H\r\n") << false;
        QTest::newRow("an end against a duration after a space")
            << vevent(hour) << vevent("DTSTART:20260302T090000Z\r\nDURATION: PT1H\r\n") << false;
        QTest::newRow("an end against a duration in minutes")
            << vevent(hour) << vevent("DTSTART:20260302T090000Z\r\nDURATION:PT60M\r\n") << true;
        QTest::newRow("a task's due against a duration with a plus sign")
            << one("VTODO", "DTSTART:20260302T090000Z\r\nDUE:20260302T100000Z\r\n")
            << one("VTODO", "DTSTART:20260302T090000Z\r\nDURATION:+PT1H\r\n") << true;

        // The reader takes the last of a part given twice.
        const QString twice = QStringLiteral("DTSTART;TZID=Europe/Berlin:20260302T090000\r\n"
                                             "RRULE:FREQ=WEEKLY;BYDAY=MO;BYDAY=TU\r\n");
        QTest::newRow("a rule's days given twice, in the other order")
            << vevent(twice) << vevent(QString(twice).replace("BYDAY=MO;BYDAY=TU", "BYDAY=TU;BYDAY=MO")) << false;
        QTest::newRow("a rule's interval given twice, the last the default")
            << vevent(QString(daily).replace("COUNT=5", "INTERVAL=2;INTERVAL=1"))
            << vevent(QString(daily).replace("COUNT=5", "INTERVAL=2")) << false;
        QTest::newRow("a rule with a part given twice, as sent") << vevent(twice) << vevent(twice) << true;
        // And the last of a property a component gives once.
        const QString titles = QStringLiteral("SUMMARY:Plan\r\nSUMMARY:Review\r\n");
        QTest::newRow("a title given twice, in the other order")
            << vevent(titles) << vevent("SUMMARY:Review\r\nSUMMARY:Plan\r\n") << false;
        QTest::newRow("a start given twice, in the other order")
            << vevent("DTSTART:20260302T090000Z\r\nDTSTART:20260303T090000Z\r\n")
            << vevent("DTSTART:20260303T090000Z\r\nDTSTART:20260302T090000Z\r\n") << false;
        QTest::newRow("a start given twice, the end as a duration from the last")
            << vevent("DTSTART:20260302T090000Z\r\nDTSTART:20260303T090000Z\r\nDTEND:20260303T100000Z\r\n")
            << vevent("DTSTART:20260302T090000Z\r\nDTSTART:20260303T090000Z\r\nDURATION:PT1H\r\n") << true;
        QTest::newRow("a title given again after it") << vevent("SUMMARY:Plan\r\n") << vevent(titles) << false;
        QTest::newRow("a title given again before it") << vevent("SUMMARY:Review\r\n") << vevent(titles) << true;
        QTest::newRow("a title given twice, as sent") << vevent(titles) << vevent(titles) << true;
        const QString rules = QStringLiteral("DTSTART:20260302T090000Z\r\nRRULE:FREQ=DAILY\r\nRRULE:FREQ=WEEKLY\r\n");
        const QString swapped = QString(rules).replace("DAILY", "MONTHLY").replace("WEEKLY", "DAILY").replace(
            "MONTHLY", "WEEKLY");
        QTest::newRow("a task's rules in the other order") << one("VTODO", rules) << one("VTODO", swapped) << false;
        QTest::newRow("an event's rules, all read, in the other order") << vevent(rules) << vevent(swapped) << true;
        // Every line's categories are read, each once.
        const QString categories = QStringLiteral("CATEGORIES:Home\r\nCATEGORIES:Work\r\n");
        QTest::newRow("a task's categories in the other order")
            << one("VTODO", categories) << one("VTODO", "CATEGORIES:Work\r\nCATEGORIES:Home\r\n") << true;
        QTest::newRow("a task's categories on one line")
            << one("VTODO", categories) << one("VTODO", "CATEGORIES:Work,Home\r\n") << true;
        QTest::newRow("a task's category left out")
            << one("VTODO", categories) << one("VTODO", "CATEGORIES:Work\r\n") << false;

        // A reminder at a date-time is no reminder before the start.
        QTest::newRow("a reminder's duration given as a date-time")
            << vevent("BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n")
            << vevent("BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER;VALUE=DATE-TIME:-PT15M\r\nEND:VALARM\r\n") << false;
        QTest::newRow("a reminder at a date-time as sent")
            << vevent("BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER;VALUE=DATE-TIME:20260302T083000Z\r\nEND:VALARM\r\n")
            << vevent("BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER;VALUE=date-time:20260302T083000Z\r\nEND:VALARM\r\n")
            << true;
    }

    // A series moved two hours here (its skipped day with it) and sent: the
    // server's copy holds that change, whatever another client changed on
    // it since, or it does not (the upload never got there).
    void serverCopyHoldsWhatWasChanged_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("holds");
        const QString base = vevent("DTSTART;TZID=Europe/Berlin:20260302T090000\r\nRRULE:FREQ=WEEKLY;COUNT=6\r\n"
                                    "EXDATE;TZID=Europe/Berlin:20260316T090000\r\nSUMMARY:Walk\r\nSEQUENCE:1\r\n");
        const QString sent = QString(base).replace("T09", "T11").replace("SEQUENCE:1", "SEQUENCE:2");
        const QString skipped("EXDATE:20260330T090000Z\r\n");
        QTest::newRow("as sent") << base << sent << sent << true;
        QTest::newRow("as sent, stamped anew there")
            << base << sent << QString(sent).replace("SEQUENCE:2", "SEQUENCE:3\r\nLAST-MODIFIED:20260306T000000Z")
            << true;
        QTest::newRow("as sent, a later day skipped there since")
            << base << sent << QString(sent).replace("SUMMARY:Walk\r\n", "SUMMARY:Walk\r\n" + skipped) << true;
        QTest::newRow("as sent, retitled there since")
            << base << sent << QString(sent).replace("SUMMARY:Walk", "SUMMARY:Walk on") << true;
        QTest::newRow("the copy it went up from, a later day skipped there")
            << base << sent << QString(base).replace("SUMMARY:Walk\r\n", "SUMMARY:Walk\r\n" + skipped) << false;
        QTest::newRow("as sent but the skipped day given back there")
            << base << sent << QString(sent).remove("EXDATE;TZID=Europe/Berlin:20260316T110000\r\n") << false;
        QTest::newRow("the copy it went up from") << base << sent << base << false;
        const QString alarm("BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n");
        QTest::newRow("an alarm added, not there")
            << base << QString(sent).replace("SEQUENCE:2\r\n", "SEQUENCE:2\r\n" + alarm) << sent << false;
        // An upload that only left a changed occurrence out.
        const QString change = walkChange(QStringLiteral("Europe/Berlin:20260330T090000"));
        const QString walked = walk(QStringLiteral("Europe/Berlin"), QStringLiteral("20260302"),
                                    QStringLiteral("090000"), QStringLiteral("20260316"));
        QTest::newRow("a change left out, gone there") << bundle({walked, change}) << walked << walked << true;
        QTest::newRow("a change left out, still there")
            << bundle({walked, change}) << walked << bundle({walked, change}) << false;
        QTest::newRow("a change left out, still there, another day skipped there")
            << bundle({walked, change}) << walked
            << bundle({QString(walked).replace("SUMMARY:Walk\r\n", "SUMMARY:Walk\r\nEXDATE:20260406T070000Z\r\n"),
                       change})
            << false;
        QTest::newRow("an alarm added, there")
            << base << QString(sent).replace("SEQUENCE:2\r\n", "SEQUENCE:2\r\n" + alarm)
            << QString(sent).replace("SEQUENCE:2\r\n", "SEQUENCE:2\r\n" + alarm) << true;
    }

    // A walk with 16 March skipped and 30 March changed to 11:00, moved
    // here (dragged two hours or a day, or given another zone in the form),
    // its upload stored by the server though its answer never came; another
    // client may have changed it since. The changed occurrence went up
    // under its new recurrence id, from a row that had no copy there: it is
    // measured against the occurrence it was before the move.
    void movedSeriesUploadLanded_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("elsewhere");
        QTest::addColumn<bool>("landed");
        const QStringList changes{"nothing", "the changed day retitled", "the changed day moved",
                                  "another day skipped", "another day changed"};
        for (const QString &change : changes) {
            QTest::addRow("two hours, %s there", qPrintable(change))
                << "Europe/Berlin" << "20260302" << "110000" << change << true;
            QTest::addRow("a day, %s there", qPrintable(change))
                << "Europe/Berlin" << "20260303" << "090000" << change << true;
            QTest::addRow("a new zone, %s there", qPrintable(change))
                << "Europe/London" << "20260302" << "090000" << change << true;
        }
        for (const char *move : {"two hours", "a day"}) {
            const bool hours = QLatin1String(move) == QLatin1String("two hours");
            const QString day = hours ? QStringLiteral("20260302") : QStringLiteral("20260303");
            const QString time = hours ? QStringLiteral("110000") : QStringLiteral("090000");
            QTest::addRow("%s, the upload never got there", move)
                << "Europe/Berlin" << day << time << "the copy it went up from" << false;
            QTest::addRow("%s, the changed day still at its old place too", move)
                << "Europe/Berlin" << day << time << "the old change kept" << false;
            QTest::addRow("%s, the series moved back there", move)
                << "Europe/Berlin" << day << time << "the series moved back" << false;
        }
    }

    void movedSeriesUploadLanded()
    {
        QFETCH(QString, zone);
        QFETCH(QString, day);
        QFETCH(QString, time);
        QFETCH(QString, elsewhere);
        QFETCH(bool, landed);
        const QString berlin("Europe/Berlin");
        const QString baseSeries = walk(berlin, QStringLiteral("20260302"), QStringLiteral("090000"),
                                        QStringLiteral("20260316"), QStringLiteral("SEQUENCE:1\r\n"));
        const QString baseChange = walkChange(berlin + QStringLiteral(":20260330T090000"));
        // Every occurrence moves alike: the skipped day and the changed
        // one's recurrence id with the series, the change's own times kept.
        const QDate first = QDate::fromString(day, QStringLiteral("yyyyMMdd"));
        const auto week = [&](int index) {
            return first.addDays(7 * index).toString(QStringLiteral("yyyyMMdd"));
        };
        const QString sentSeries = walk(zone, day, time, week(2), QStringLiteral("SEQUENCE:2\r\n"));
        const QString sentChange = walkChange(zone + QLatin1Char(':') + week(4) + QLatin1Char('T') + time);
        QString series = sentSeries;
        QString change = sentChange;
        QStringList more;
        if (elsewhere == QLatin1String("the changed day retitled")) {
            change.replace("SUMMARY:Walk later", "SUMMARY:Walk later\\, Room 4");
        } else if (elsewhere == QLatin1String("the changed day moved")) {
            change.replace("DTSTART;TZID=Europe/Berlin:20260330T110000", "DTSTART;TZID=Europe/Berlin:20260330T113000")
                .replace("DTEND;TZID=Europe/Berlin:20260330T120000", "DTEND;TZID=Europe/Berlin:20260330T123000");
        } else if (elsewhere == QLatin1String("another day skipped")) {
            series.replace("SUMMARY:Walk\r\n",
                           QStringLiteral("SUMMARY:Walk\r\nEXDATE;TZID=%1:%2T%3\r\n").arg(zone, week(5), time));
        } else if (elsewhere == QLatin1String("another day changed")) {
            more.append(walkChange(zone + QLatin1Char(':') + week(5) + QLatin1Char('T') + time,
                                   QStringLiteral("SUMMARY:Walk early\r\n"))
                            .replace("DTSTART;TZID=Europe/Berlin:20260330T110000",
                                     "DTSTART;TZID=Europe/Berlin:" + week(5) + "T083000")
                            .replace("DTEND;TZID=Europe/Berlin:20260330T120000",
                                     "DTEND;TZID=Europe/Berlin:" + week(5) + "T093000"));
        } else if (elsewhere == QLatin1String("the copy it went up from")) {
            series = baseSeries;
            change = baseChange;
        } else if (elsewhere == QLatin1String("the old change kept")) {
            more.append(baseChange);
        } else if (elsewhere == QLatin1String("the series moved back")) {
            series = walk(berlin, QStringLiteral("20260302"), QStringLiteral("090000"), week(2),
                          QStringLiteral("SEQUENCE:3\r\n"));
        }
        const QString stored = bundle(QStringList{series, change} + more);
        const QList<CalDavLandedUpload::Row> rows{{sentSeries, baseSeries}, {sentChange, QString()},
                                                  {QString(), baseChange}};
        QCOMPARE(CalDavLandedUpload::landed(stored, rows, false), landed);
    }

    // What this device changed is measured against the occurrence as it
    // was before the move, not against the one that stood at its new place.
    void changedOccurrenceMeasuredWhereItWasBefore()
    {
        const QString base = walkChange(QStringLiteral("Europe/Berlin:20260330T090000"));
        const QString sent = walkChange(QStringLiteral("Europe/Berlin:20260330T110000"));
        const QString retitled = QString(sent).replace("SUMMARY:Walk later", "SUMMARY:Walk later\\, Room 4");
        const auto twoHoursOn = [](const QString &, const QString &recurrenceId) {
            return recurrenceId == QLatin1String("20260330T070000Z") ? QStringLiteral("20260330T090000Z")
                                                                     : recurrenceId;
        };
        QVERIFY(CalDavUploadMatch::holdsChange(retitled, sent, base, twoHoursOn));
        QVERIFY(!CalDavUploadMatch::holdsChange(retitled, sent, base));
    }

    // A create changed nothing the server held: the resource holding each
    // of its events is that create, whatever another client changed on it.
    void createLanded_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("landed");
        const QString series = walk(QStringLiteral("Europe/Berlin"), QStringLiteral("20260406"),
                                    QStringLiteral("100000"), QStringLiteral("20260420"));
        const QString change = walkChange(QStringLiteral("Europe/Berlin:20260427T100000"));
        QTest::newRow("as sent") << bundle({series, change}) << true;
        QTest::newRow("a day skipped there")
            << bundle({QString(series).replace("SUMMARY:Walk\r\n", "SUMMARY:Walk\r\nEXDATE:20260504T080000Z\r\n"),
                       change})
            << true;
        QTest::newRow("retitled there") << bundle({QString(series).replace("SUMMARY:Walk", "SUMMARY:Gym"), change})
                                        << true;
        QTest::newRow("its changed day retitled there")
            << bundle({series, QString(change).replace("SUMMARY:Walk later", "SUMMARY:Walk later\\, Room 4")})
            << true;
        QTest::newRow("without its changed day") << series << false;
        QTest::newRow("another event") << QString(series).replace("UID:walk", "UID:other") << false;
    }

    void createLanded()
    {
        QFETCH(QString, stored);
        QFETCH(bool, landed);
        const QString series = walk(QStringLiteral("Europe/Berlin"), QStringLiteral("20260406"),
                                    QStringLiteral("100000"), QStringLiteral("20260420"));
        const QString change = walkChange(QStringLiteral("Europe/Berlin:20260427T100000"));
        QCOMPARE(CalDavLandedUpload::landed(stored, {{series, QString()}, {change, QString()}}, true), landed);
    }

    void serverCopyHoldsWhatWasChanged()
    {
        QFETCH(QString, base);
        QFETCH(QString, sent);
        QFETCH(QString, stored);
        QFETCH(bool, holds);
        QCOMPARE(CalDavUploadMatch::holdsChange(stored, sent, base), holds);
    }

    void serverCopyMeansWhatWasSent()
    {
        QFETCH(QString, sent);
        QFETCH(QString, stored);
        QFETCH(bool, holds);
        QCOMPARE(CalDavUploadMatch::holds(stored, sent), holds);
    }

    void serverCopyHoldsWhatWasSent()
    {
        QFETCH(QString, sent);
        QFETCH(QString, stored);
        QFETCH(bool, holds);
        QCOMPARE(CalDavUploadMatch::holds(stored, sent), holds);
    }
};

QTEST_GUILESS_MAIN(TestCalDavUploadMatch)
#include "tst_caldavuploadmatch.moc"
