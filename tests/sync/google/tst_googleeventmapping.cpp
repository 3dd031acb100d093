#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

#include "sync/google/googleeventmapping.h"
#include "tests/sync/google/meetingfixtures.h"

namespace {

QJsonObject parse(const char *json)
{
    return QJsonDocument::fromJson(QByteArray(json)).object();
}

QString compact(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

} // namespace

class TestGoogleEventMapping : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pulledEventBecomesARecord()
    {
        const QJsonObject json = parse("{\"id\":\"ev1\",\"etag\":\"\\\"7\\\"\",\"status\":\"CONFIRMED\",\"htmlLink\":\"https://h/1\", \"hangoutLink\":\"https://meet/x\",\"summary\":\"\",\"location\":\"Room 4\", \"start\":{\"dateTime\":\"2026-03-02T09:30:00+01:00\",\"timeZone\":\"Europe/Berlin\"}, \"end\":{\"dateTime\":\"2026-03-02T10:30:00+01:00\",\"timeZone\":\"Europe/Berlin\"}, \"recurrence\":[\"EXDATE;TZID=Europe/Berlin:20260309T093000\",\"RRULE:FREQ=WEEKLY;BYDAY=MO\"], \"organizer\":{\"email\":\"boss@example.com\",\"displayName\":\"Boss\"}, \"attendees\":[{\"email\":\"boss@example.com\",\"organizer\":true,\"optional\":true,\"responseStatus\":\"ACCEPTED\"}, {\"displayName\":\"No mail\"}, {\"email\":\"me@example.com\",\"displayName\":\"Me\",\"self\":true,\"responseStatus\":\"needsAction\"}], \"sequence\":3,\"updated\":\"2026-03-01T08:00:00.000Z\", \"reminders\":{\"useDefault\":false,\"overrides\":[{\"method\":\"email\",\"minutes\":30},{\"method\":\"popup\"}]}}");
        const Event first = Google::eventFromJson(json, QStringLiteral("cal"));
        const Event second = Google::eventFromJson(json, QStringLiteral("cal"));
        QVERIFY(first.id != second.id);

        Event expected;
        expected.id = first.id;
        expected.calendar_id = QStringLiteral("cal");
        expected.uid = expected.provider_event_id = QStringLiteral("ev1");
        expected.etag = QStringLiteral("\"7\"");
        expected.title = QStringLiteral("Untitled Event");
        expected.location = QStringLiteral("Room 4");
        expected.event_url = QStringLiteral("https://h/1");
        expected.conference_url = QStringLiteral("https://meet/x");
        expected.start_time = QDateTime(QDate(2026, 3, 2), QTime(8, 30), Qt::UTC);
        expected.end_time = QDateTime(QDate(2026, 3, 2), QTime(9, 30), Qt::UTC);
        expected.timezone = QStringLiteral("Europe/Berlin");
        expected.recurrence_rule = QStringLiteral("FREQ=WEEKLY;BYDAY=MO");
        expected.exception_dates = QStringLiteral("[\"20260309T083000Z\"]");
        expected.status = QStringLiteral("confirmed");
        expected.organizer_email = QStringLiteral("boss@example.com");
        expected.organizer_name = QStringLiteral("Boss");
        Attendee boss;
        boss.email = QStringLiteral("boss@example.com");
        boss.role = QStringLiteral("chair");
        boss.status = QStringLiteral("accepted");
        boss.rsvp = true;
        Attendee me;
        me.email = QStringLiteral("me@example.com");
        me.name = QStringLiteral("Me");
        me.status = QStringLiteral("needs-action");
        me.rsvp = true;
        expected.attendees = {boss, me};
        expected.sequence = 3;
        expected.created = expected.last_modified = QDateTime(QDate(2026, 3, 1), QTime(8, 0), Qt::UTC);
        Reminder reminder;
        reminder.minutes_before = 30;
        reminder.action = QStringLiteral("email");
        expected.reminders = {reminder};
        expected.raw_icalendar = compact(json);
        // Instants compare as instants whatever their offset.
        QCOMPARE(first, expected);
        QCOMPARE(first.start_time.offsetFromUtc(), 3600);
    }

    // A date is a calendar date in every zone, both ways.
    void allDayDatesStayTheirDates()
    {
        const Event event = Google::eventFromJson(
            parse("{\"id\":\"a\",\"start\":{\"date\":\"2026-05-04\"},\"end\":{\"date\":\"2026-05-05\"}}"), QStringLiteral("c"));
        QVERIFY(event.is_all_day);
        QCOMPARE(event.timezone, QStringLiteral("UTC"));
        QCOMPARE(event.start_time.date(), QDate(2026, 5, 4));
        QCOMPARE(event.end_time->date(), QDate(2026, 5, 5));
        const QJsonObject json = Google::eventToJson(event);
        QCOMPARE(json.value(QStringLiteral("start")).toObject(), parse("{\"date\":\"2026-05-04\"}"));
        QCOMPARE(json.value(QStringLiteral("end")).toObject(), parse("{\"date\":\"2026-05-05\"}"));

        // Stored with its end equal to its start: one day long.
        Event oneDay = event;
        oneDay.end_time = oneDay.start_time;
        QCOMPARE(Google::eventToJson(oneDay).value(QStringLiteral("end")).toObject(),
                 parse("{\"date\":\"2026-05-05\"}"));
    }

    // A weekly 09:00 Berlin meeting goes out in its zone, so Google keeps
    // it at 09:00 after the clocks change; zoneless events go as UTC.
    void timedEventsKeepTheirZone_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QString>("sentStart");
        QTest::addColumn<QString>("sentZone");
        QTest::newRow("Berlin winter") << "Europe/Berlin" << QDateTime(QDate(2026, 3, 23), QTime(8, 0), Qt::UTC)
                                       << "2026-03-23T09:00:00.000+01:00" << "Europe/Berlin";
        QTest::newRow("Berlin summer") << "Europe/Berlin" << QDateTime(QDate(2026, 3, 30), QTime(7, 0), Qt::UTC)
                                       << "2026-03-30T09:00:00.000+02:00" << "Europe/Berlin";
        QTest::newRow("UTC") << "UTC" << QDateTime(QDate(2026, 3, 1), QTime(14, 30), Qt::UTC)
                             << "2026-03-01T14:30:00.000Z" << "UTC";
        QTest::newRow("offset, no zone") << "" << QDateTime(QDate(2026, 3, 1), QTime(9, 30), Qt::OffsetFromUTC, -5 * 3600)
                                         << "2026-03-01T14:30:00.000Z" << "UTC";
        QTest::newRow("unknown zone") << "Mars/Olympus" << QDateTime(QDate(2026, 3, 1), QTime(14, 30), Qt::UTC)
                                      << "2026-03-01T14:30:00.000Z" << "UTC";
    }

    void timedEventsKeepTheirZone()
    {
        QFETCH(QString, zone);
        QFETCH(QDateTime, start);
        QFETCH(QString, sentStart);
        QFETCH(QString, sentZone);
        Event event;
        event.title = QStringLiteral("Standup");
        event.timezone = zone;
        event.start_time = start;
        event.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
        const QJsonObject json = Google::eventToJson(event);
        QCOMPARE(json.value(QStringLiteral("start")).toObject(),
                 (QJsonObject{{QStringLiteral("dateTime"), sentStart}, {QStringLiteral("timeZone"), sentZone}}));
        // No end: one hour.
        const QDateTime end = QDateTime::fromString(
            json.value(QStringLiteral("end")).toObject().value(QStringLiteral("dateTime")).toString(),
            Qt::ISODateWithMs);
        QCOMPARE(end, start.addSecs(3600));
        QCOMPARE(json.value(QStringLiteral("recurrence")).toArray(), QJsonArray{QStringLiteral("RRULE:FREQ=WEEKLY")});
    }

    void insertBodyCarriesOnlyModelledFields()
    {
        Event event;
        event.title = QStringLiteral("Dentist");
        event.start_time = QDateTime(QDate(2026, 3, 10), QTime(9, 0), Qt::UTC);
        event.end_time = QDateTime(QDate(2026, 3, 10), QTime(9, 30), Qt::UTC);
        Reminder popup;
        popup.minutes_before = 10;
        popup.action = QStringLiteral("display");
        event.reminders = {popup};
        event.attendees = {Attendee()};
        QCOMPARE(Google::eventToJson(event), parse("{\"summary\":\"Dentist\", \"start\":{\"dateTime\":\"2026-03-10T09:00:00.000Z\",\"timeZone\":\"UTC\"}, \"end\":{\"dateTime\":\"2026-03-10T09:30:00.000Z\",\"timeZone\":\"UTC\"},\"status\":\"confirmed\", \"reminders\":{\"useDefault\":false,\"overrides\":[{\"method\":\"popup\",\"minutes\":10}]}}"));
    }

    // An update writes the record's fields over what Google sent last:
    // attendees, conference data and colour survive; cleared fields go.
    void updateKeepsWhatTheRecordDoesNotModel()
    {
        const QJsonObject stored = parse("{\"id\":\"ev1\",\"etag\":\"\\\"3\\\"\",\"summary\":\"Old\",\"description\":\"Old text\", \"colorId\":\"5\",\"conferenceData\":{\"entryPoints\":[{\"uri\":\"https://meet/x\"}]}, \"attendees\":[{\"email\":\"boss@example.com\",\"responseStatus\":\"accepted\",\"organizer\":true}, {\"email\":\"Me@Example.com\",\"responseStatus\":\"needsAction\",\"self\":true,\"comment\":\"hi\"}], \"recurrence\":[\"RRULE:FREQ=DAILY\",\"EXDATE:20260305T090000Z\"], \"reminders\":{\"useDefault\":false,\"overrides\":[{\"method\":\"popup\",\"minutes\":5}]}, \"start\":{\"dateTime\":\"2026-03-01T09:00:00Z\"},\"end\":{\"dateTime\":\"2026-03-01T10:00:00Z\"}}");
        Event event = Google::eventFromJson(stored, QStringLiteral("cal"));
        event.title = QStringLiteral("New");
        event.description.clear();
        event.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
        event.reminders.clear();
        // The user's answer to the invitation, as the invitations list stores it.
        event.attendees[1].status = QStringLiteral("accepted");

        const QJsonObject json = Google::eventToJsonForUpdate(event);
        QCOMPARE(json.value(QStringLiteral("summary")).toString(), QStringLiteral("New"));
        QVERIFY(!json.contains(QStringLiteral("description")));
        QCOMPARE(json.value(QStringLiteral("colorId")).toString(), QStringLiteral("5"));
        QCOMPARE(json.value(QStringLiteral("conferenceData")), stored.value(QStringLiteral("conferenceData")));
        QCOMPARE(json.value(QStringLiteral("recurrence")).toArray(),
                 (QJsonArray{QStringLiteral("RRULE:FREQ=WEEKLY"), QStringLiteral("EXDATE:20260305T090000Z")}));
        QCOMPARE(json.value(QStringLiteral("reminders")).toObject(),
                 parse("{\"useDefault\":false,\"overrides\":[]}"));
        QCOMPARE(json.value(QStringLiteral("attendees")).toArray(), parse("{\"a\":[ {\"email\":\"boss@example.com\",\"responseStatus\":\"accepted\",\"organizer\":true}, {\"email\":\"Me@Example.com\",\"responseStatus\":\"accepted\",\"self\":true,\"comment\":\"hi\"}]}")
                                                                        .value(QStringLiteral("a"))
                                                                        .toArray());
        // Text that is not Google's JSON (a row made here) gives the plain body.
        event.raw_icalendar = QStringLiteral("BEGIN:VCALENDAR");
        QCOMPARE(Google::eventToJsonForUpdate(event), Google::eventToJson(event));
    }

    // An event Google held and holds no more goes up as Google held it,
    // the record's change over it, without what Google gives a new event
    // itself; a changed occurrence of it goes onto the new series'
    // instance as what differs from that instance.
    void insertOfAHeldCopyLeavesGoogleItsOwn()
    {
        const QJsonObject held = parse(HeldInstanceJson);
        Event event = Google::eventFromJson(held, QStringLiteral("cal"));
        event.provider_event_id.clear();
        event.title = QStringLiteral("Review, longer");
        const QJsonObject body = Google::eventToJsonFromHeld(event);
        for (const char *own : {"kind", "id", "etag", "htmlLink", "iCalUID", "created", "updated", "creator",
                                "organizer", "hangoutLink", "recurringEventId", "originalStartTime"})
            QVERIFY2(!body.contains(QLatin1String(own)), own);
        for (const char *kept : {"colorId", "conferenceData", "extendedProperties", "attendees"})
            QCOMPARE(body.value(QLatin1String(kept)), held.value(QLatin1String(kept)));
        QCOMPARE(body.value(QStringLiteral("summary")).toString(), QStringLiteral("Review, longer"));

        QJsonObject instance = held;
        instance.insert(QStringLiteral("id"), QStringLiteral("new_20260302T090000Z"));
        instance.insert(QStringLiteral("recurringEventId"), QStringLiteral("new"));
        instance.insert(QStringLiteral("summary"), QStringLiteral("Review"));
        instance.insert(QStringLiteral("description"), QStringLiteral("From the series"));
        instance.remove(QStringLiteral("extendedProperties"));
        instance.insert(QStringLiteral("start"), body.value(QStringLiteral("start")));
        instance.insert(QStringLiteral("end"), body.value(QStringLiteral("end")));
        QCOMPARE(Google::instanceChangesFromHeld(event, instance),
                 parse(HeldInstanceChangesJson));
    }

    // A changed occurrence is named by the start it replaces, in UTC (or
    // its date at midnight for an all-day series, as every other side names
    // it), so it takes that occurrence's place.
    void occurrencesAreNamedByTheirOriginalStart_data()
    {
        QTest::addColumn<QString>("json");
        QTest::addColumn<QString>("recurrenceId");
        QTest::newRow("timed") << "{\"id\":\"s_20260302T080000Z\",\"recurringEventId\":\"s\", \"originalStartTime\":{\"dateTime\":\"2026-03-02T09:00:00+01:00\",\"timeZone\":\"Europe/Berlin\"}, \"start\":{\"dateTime\":\"2026-03-02T11:00:00+01:00\"}}"
                               << "20260302T080000Z";
        QTest::newRow("all-day") << "{\"id\":\"d_20260302\",\"recurringEventId\":\"d\", \"originalStartTime\":{\"date\":\"2026-03-02\"},\"start\":{\"date\":\"2026-03-03\"}}"
                                 << "20260302T000000Z";
    }

    void occurrencesAreNamedByTheirOriginalStart()
    {
        QFETCH(QString, json);
        QFETCH(QString, recurrenceId);
        const Event event = Google::eventFromJson(parse(json.toUtf8().constData()), QStringLiteral("c"));
        QCOMPARE(event.recurrence_id, recurrenceId);
        QCOMPARE(event.master_event_uid, json.contains(QLatin1String("\"s\"")) ? QStringLiteral("s")
                                                                              : QStringLiteral("d"));
        QCOMPARE(event.uid, event.provider_event_id);
    }

    void smallFunctions()
    {
        QCOMPARE(Google::mapEventStatus(QStringLiteral("CONFIRMED")), QStringLiteral("confirmed"));
        QCOMPARE(Google::mapEventStatus(QStringLiteral("cancelled")), QStringLiteral("cancelled"));
        QCOMPARE(Google::mapEventStatus(QString()), QStringLiteral("confirmed"));
        QCOMPARE(Google::recurrenceRuleFromJson(parse("{\"recurrence\":[\"EXDATE:20260101\",\"rrule:X\"]}")),
                 QString());
        QCOMPARE(Google::eventTimeFromJson(QJsonObject()), Google::EventTime());
    }
};

QTEST_MAIN(TestGoogleEventMapping)
#include "tst_googleeventmapping.moc"
