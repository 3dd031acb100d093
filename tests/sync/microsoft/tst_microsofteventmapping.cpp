#include <QJsonArray>
#include <QJsonDocument>
#include <QTimeZone>
#include <QtTest>

#include "tests/sync/microsoft/graphfixtures.h"

#include "calendar/recurrence.h"
#include "sync/microsoft/microsofteventmapping.h"
#include "sync/microsoft/microsoftrecurrence.h"

using namespace Microsoft;

namespace {

QJsonObject parse(const char *json)
{
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray(json));
    return document.object();
}

QJsonObject time(const QString &dateTime, const QString &zone)
{
    return QJsonObject{{QStringLiteral("dateTime"), dateTime}, {QStringLiteral("timeZone"), zone}};
}

QDateTime utc(int y, int m, int d, int h, int min, int s = 0, int ms = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min, s, ms), Qt::UTC);
}

Event timedEvent()
{
    Event event;
    event.id = QStringLiteral("local-1");
    event.title = QStringLiteral("Standup");
    event.start_time = utc(2024, 5, 10, 8, 30);
    event.end_time = utc(2024, 5, 10, 9, 0);
    return event;
}

} // namespace

class TestMicrosoftEventMapping : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsGraphTimesInTheZoneTheyName_data()
    {
        QTest::addColumn<QJsonObject>("time");
        QTest::addColumn<QDateTime>("expected");
        QTest::newRow("seven fraction digits, UTC") << time(QStringLiteral("2024-05-10T08:30:00.1234567"),
                                                            QStringLiteral("UTC"))
                                                    << utc(2024, 5, 10, 8, 30, 0, 123);
        QTest::newRow("Graph's own UTC name") << time(QStringLiteral("2024-05-10T08:30:00.0000000"),
                                                      QStringLiteral("tzone://Microsoft/Utc"))
                                              << utc(2024, 5, 10, 8, 30);
        QTest::newRow("IANA zone") << time(QStringLiteral("2024-05-10T08:30:00.0000000"),
                                           QStringLiteral("Europe/Berlin"))
                                   << utc(2024, 5, 10, 6, 30);
        QTest::newRow("Windows zone") << time(QStringLiteral("2024-01-10T08:30:00.0000000"),
                                              QStringLiteral("Pacific Standard Time"))
                                      << utc(2024, 1, 10, 16, 30);
        QTest::newRow("absent") << QJsonObject() << QDateTime();
    }

    void readsGraphTimesInTheZoneTheyName()
    {
        QFETCH(QJsonObject, time);
        QFETCH(QDateTime, expected);
        const GraphTime read = dateTimeFromGraph(time, false);
        QCOMPARE(read.dateTime.isValid(), expected.isValid());
        if (expected.isValid())
            QCOMPARE(read.dateTime.toUTC(), expected);
        QCOMPARE(read.dateOnly, false);
    }

    void readsAllDayDatesAsLocalDates()
    {
        const GraphTime read =
            dateTimeFromGraph(time(QStringLiteral("2024-05-10T00:00:00.0000000"), QStringLiteral("UTC")), true);
        QCOMPARE(read, (GraphTime{QDateTime(QDate(2024, 5, 10), QTime(0, 0), Qt::LocalTime), true,
                                  QStringLiteral("UTC")}));
    }

    void mapsWindowsZoneNamesToIana()
    {
        QCOMPARE(ianaZoneName(QStringLiteral("W. Europe Standard Time")), QStringLiteral("Europe/Berlin"));
        QCOMPARE(ianaZoneName(QStringLiteral("Europe/Paris")), QStringLiteral("Europe/Paris"));
        QCOMPARE(ianaZoneName(QStringLiteral("tzone://Microsoft/Utc")), QStringLiteral("UTC"));
        QCOMPARE(ianaZoneName(QStringLiteral("tzone://Microsoft/Custom")), QString());
    }

    void eventFromGraphReadsEveryField()
    {
        const QJsonObject graph = parse(MappingJson1);
        const Event event = eventFromGraph(graph, QStringLiteral("cal"));
        Event expected;
        expected.id = event.id;
        expected.calendar_id = QStringLiteral("cal");
        expected.provider_event_id = expected.uid = QStringLiteral("AAMkAG1=");
        expected.etag = QStringLiteral("ck1");
        expected.title = QStringLiteral("Untitled Event");
        expected.description = QStringLiteral("<p>Agenda</p>");
        expected.location = QStringLiteral("Room 4");
        expected.event_url = QStringLiteral("https://outlook.example/1");
        expected.conference_url = QStringLiteral("https://teams.example/j/1");
        expected.start_time = utc(2024, 5, 10, 8, 30);
        expected.end_time = utc(2024, 5, 10, 9, 0);
        expected.timezone = QStringLiteral("Europe/Berlin");
        expected.status = QStringLiteral("tentative");
        expected.organizer_email = QStringLiteral("boss@example.com");
        expected.organizer_name = QStringLiteral("Boss");
        Attendee ada;
        ada.email = QStringLiteral("ada@example.com");
        ada.name = QStringLiteral("Ada");
        ada.role = QStringLiteral("optional");
        ada.status = QStringLiteral("tentative");
        ada.rsvp = true;
        Attendee boss;
        boss.email = QStringLiteral("boss@example.com");
        boss.name = QStringLiteral("Boss");
        boss.role = QStringLiteral("required");
        boss.status = QStringLiteral("accepted");
        boss.rsvp = true;
        expected.attendees = {ada, boss};
        Reminder reminder;
        reminder.minutes_before = 0;
        reminder.action = QStringLiteral("display");
        expected.reminders = {reminder};
        expected.last_modified = expected.created = utc(2024, 5, 1, 10, 0, 0, 123);
        expected.raw_icalendar = QString::fromUtf8(QJsonDocument(graph).toJson(QJsonDocument::Compact));
        expected.sync_status = SyncStatus::Synced;
        QCOMPARE(event, expected);
    }

    void eventToGraphWritesTheRecordsFields()
    {
        Event event = timedEvent();
        event.status = QStringLiteral("cancelled");
        QJsonObject graph = eventToGraph(event);
        QCOMPARE(graph.value(QStringLiteral("showAs")).toString(), QStringLiteral("free"));
        QCOMPARE(graph.value(QStringLiteral("isReminderOn")).toBool(), false);
        QVERIFY(!graph.contains(QStringLiteral("body")));
        QVERIFY(!graph.contains(QStringLiteral("attendees")));
        event.status = QStringLiteral("confirmed");
        event.end_time.reset();
        graph = eventToGraph(event);
        QCOMPARE(graph.value(QStringLiteral("showAs")).toString(), QStringLiteral("busy"));
        QCOMPARE(graph.value(QStringLiteral("end")).toObject(),
                 time(QStringLiteral("2024-05-10T09:30:00.000Z"), QStringLiteral("UTC")));
    }

    void allDayEndIsTheNextDay_data()
    {
        QTest::addColumn<bool>("withEnd");
        QTest::newRow("no end") << false;
        QTest::newRow("end equals start") << true;
    }

    void allDayEndIsTheNextDay()
    {
        QFETCH(bool, withEnd);
        Event event;
        event.is_all_day = true;
        event.start_time = QDateTime(QDate(2024, 5, 10), QTime(0, 0), Qt::LocalTime);
        if (withEnd)
            event.end_time = event.start_time;
        const QJsonObject graph = eventToGraph(event);
        QCOMPARE(graph.value(QStringLiteral("start")).toObject(),
                 time(QStringLiteral("2024-05-10T00:00:00"), QStringLiteral("UTC")));
        QCOMPARE(graph.value(QStringLiteral("end")).toObject(),
                 time(QStringLiteral("2024-05-11T00:00:00"), QStringLiteral("UTC")));
    }

    void timedEventsKeepTheirOwnZoneWhenPushed()
    {
        Event event = timedEvent();
        event.timezone = QStringLiteral("Europe/Berlin");
        const QJsonObject graph = eventToGraph(event);
        QCOMPARE(graph.value(QStringLiteral("start")).toObject(),
                 time(QStringLiteral("2024-05-10T10:30:00.000"), QStringLiteral("Europe/Berlin")));
        // Read back, it is the same instant.
        QCOMPARE(dateTimeFromGraph(graph.value(QStringLiteral("start")).toObject(), false).dateTime.toUTC(),
                 event.start_time);
        // A zone pulled by its Windows name goes back as the IANA one.
        event.timezone = QStringLiteral("Pacific Standard Time");
        QCOMPARE(eventToGraph(event).value(QStringLiteral("start")).toObject(),
                 time(QStringLiteral("2024-05-10T01:30:00.000"), QStringLiteral("America/Los_Angeles")));
    }

    void recurrenceFromGraph_data()
    {
        QTest::addColumn<QByteArray>("recurrence");
        QTest::addColumn<QString>("rule");
        // Graph fills every pattern field, whether the type uses it or not.
        QTest::newRow("relative monthly, second Tuesday")
            << QByteArray(MappingJson2)
            << QStringLiteral("FREQ=MONTHLY;BYDAY=2TU");
        QTest::newRow("relative monthly, last weekday")
            << QByteArray(MappingJson3)
            << QStringLiteral("FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1;INTERVAL=2;COUNT=6");
        QTest::newRow("relative yearly, first Monday of September")
            << QByteArray(MappingJson4)
            << QStringLiteral("FREQ=YEARLY;BYMONTH=9;BYDAY=1MO");
        QTest::newRow("absolute yearly") << QByteArray(MappingJson5)
                                         << QStringLiteral("FREQ=YEARLY;BYMONTH=3;BYMONTHDAY=14");
        QTest::newRow("weekly, any letter case, end date")
            << QByteArray(MappingJson6)
            << QStringLiteral("FREQ=WEEKLY;BYDAY=FR;UNTIL=20241231");
        QTest::newRow("absolute monthly, the 31st")
            << QByteArray(MappingJson7)
            << QStringLiteral("FREQ=MONTHLY;BYMONTHDAY=31;INTERVAL=3");
        QTest::newRow("unknown type") << QByteArray(MappingJson8) << QString();
        QTest::newRow("relative without days") << QByteArray(MappingJson9) << QString();
    }

    void recurrenceFromGraph()
    {
        QFETCH(QByteArray, recurrence);
        QFETCH(QString, rule);
        QCOMPARE(recurrenceToRrule(QJsonDocument::fromJson(recurrence).object()), rule);
    }

    void rulesRoundTripThroughGraph_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QDate>("firstDay");
        QTest::newRow("second Tuesday") << QStringLiteral("FREQ=MONTHLY;BYDAY=2TU") << QDate(2024, 5, 14);
        QTest::newRow("last Friday, until")
            << QStringLiteral("FREQ=MONTHLY;BYDAY=-1FR;UNTIL=20241231") << QDate(2024, 5, 31);
        QTest::newRow("first weekday") << QStringLiteral("FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=1")
                                       << QDate(2024, 5, 1);
        QTest::newRow("month day") << QStringLiteral("FREQ=MONTHLY;BYMONTHDAY=15;INTERVAL=2;COUNT=4")
                                   << QDate(2024, 5, 15);
        QTest::newRow("yearly relative") << QStringLiteral("FREQ=YEARLY;BYMONTH=11;BYDAY=4TH") << QDate(2024, 11, 28);
        QTest::newRow("weekly") << QStringLiteral("FREQ=WEEKLY;BYDAY=MO,WE;INTERVAL=2;COUNT=10") << QDate(2024, 5, 6);
        QTest::newRow("daily until") << QStringLiteral("FREQ=DAILY;UNTIL=20240331") << QDate(2024, 3, 1);
    }

    void rulesRoundTripThroughGraph()
    {
        QFETCH(QString, rule);
        QFETCH(QDate, firstDay);
        const QJsonObject recurrence = rruleToRecurrence(rule, firstDay);
        QVERIFY(!recurrence.isEmpty());
        QCOMPARE(recurrenceToRrule(recurrence), rule);
    }

    void rulesGraphCannotHoldGiveNoRecurrence_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::newRow("hourly") << QStringLiteral("FREQ=HOURLY");
        QTest::newRow("fifth Monday") << QStringLiteral("FREQ=MONTHLY;BYDAY=5MO");
        QTest::newRow("second-to-last day") << QStringLiteral("FREQ=MONTHLY;BYMONTHDAY=-2");
        QTest::newRow("mixed ordinals") << QStringLiteral("FREQ=MONTHLY;BYDAY=1MO,2TU");
    }

    void rulesGraphCannotHoldGiveNoRecurrence()
    {
        QFETCH(QString, rule);
        QCOMPARE(rruleToRecurrence(rule, QDate(2024, 5, 6)), QJsonObject());
    }

    void rruleToRecurrenceWritesPatternAndRange()
    {
        QCOMPARE(rruleToRecurrence(QStringLiteral("FREQ=WEEKLY;BYDAY=MO,WE,2FR;INTERVAL=2;COUNT=10"),
                                   QDate(2024, 5, 6)),
                 parse(MappingJson10));
        QCOMPARE(rruleToRecurrence(QStringLiteral("FREQ=MONTHLY;BYDAY=2TU"), QDate(2024, 5, 14)),
                 parse(MappingJson11));
        QCOMPARE(rruleToRecurrence(QStringLiteral("FREQ=DAILY;UNTIL=20240331T235959Z"), QDate(2024, 3, 1)),
                 parse(MappingJson12));
        // Graph refuses a weekly pattern without days.
        QCOMPARE(rruleToRecurrence(QStringLiteral("FREQ=WEEKLY"), QDate(2024, 5, 8))
                     .value(QStringLiteral("pattern")).toObject().value(QStringLiteral("daysOfWeek")).toArray(),
                 QJsonArray{QStringLiteral("wednesday")});
    }

    // A rule that ends at an instant ends in Graph on the date of the last
    // occurrence it keeps, on the series' own clock (Graph's end date is
    // the last day its pattern applies on), and another device reading it
    // back finds the same occurrences.
    void seriesEndsOnTheDayOfItsLastOccurrence_data()
    {
        QTest::addColumn<QString>("zone"); // empty: all-day
        QTest::addColumn<QDateTime>("start"); // on the zone's wall clock
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("endDate");
        const QDateTime nine(QDate(2025, 3, 24), QTime(9, 0));
        QTest::newRow("UTC, a second before a split")
            << "UTC" << nine << "FREQ=DAILY;UNTIL=20250331T085959Z" << "2025-03-30";
        QTest::newRow("UTC, on its last occurrence")
            << "UTC" << nine << "FREQ=DAILY;UNTIL=20250331T090000Z" << "2025-03-31";
        QTest::newRow("New York evening, the next day in UTC")
            << "America/New_York" << QDateTime(QDate(2025, 3, 24), QTime(21, 0)) << "FREQ=DAILY;UNTIL=20250401T005959Z"
            << "2025-03-30";
        QTest::newRow("Tokyo morning, the day before in UTC")
            << "Asia/Tokyo" << QDateTime(QDate(2025, 3, 24), QTime(8, 0)) << "FREQ=DAILY;UNTIL=20250330T230000Z"
            << "2025-03-31";
        QTest::newRow("weekly, ending between two occurrences")
            << "UTC" << QDateTime(QDate(2025, 3, 3), QTime(9, 0)) << "FREQ=WEEKLY;BYDAY=MO;UNTIL=20250326T120000Z"
            << "2025-03-24";
        QTest::newRow("all-day, ending on a date")
            << QString() << QDateTime(QDate(2025, 3, 24), QTime(0, 0)) << "FREQ=DAILY;UNTIL=20250330" << "2025-03-30";
    }

    void seriesEndsOnTheDayOfItsLastOccurrence()
    {
        QFETCH(QString, zone);
        QFETCH(QDateTime, start);
        QFETCH(QString, rule);
        QFETCH(QString, endDate);
        Event series = timedEvent();
        series.is_all_day = zone.isEmpty();
        series.timezone = zone.isEmpty() ? QStringLiteral("UTC") : zone;
        series.start_time = zone.isEmpty() ? QDateTime(start.date(), QTime(0, 0), Qt::LocalTime)
                                           : QDateTime(start.date(), start.time(), QTimeZone(zone.toUtf8()));
        series.end_time = zone.isEmpty() ? series.start_time.addDays(1) : series.start_time.addSecs(3600);
        series.recurrence_rule = rule;
        QJsonObject graph = eventToGraph(series);
        QCOMPARE(graph.value(QStringLiteral("recurrence")).toObject().value(QStringLiteral("range")).toObject()
                     .value(QStringLiteral("endDate")).toString(),
                 endDate);
        graph.insert(QStringLiteral("id"), QStringLiteral("AAMk1="));
        graph.insert(QStringLiteral("type"), QStringLiteral("seriesMaster"));
        const auto starts = [](const Event &event) {
            QStringList found;
            const QDateTime from(QDate(2025, 2, 1), QTime(0, 0), Qt::UTC);
            for (const Event &occurrence : Recurrence::expandEvent(event, from, from.addDays(90)))
                found.append(occurrence.start_time.toUTC().toString(Qt::ISODate));
            return found;
        };
        QCOMPARE(starts(eventFromGraph(graph, QStringLiteral("cal"))), starts(series));
    }

    void htmlBodyIsSentBackAsHtmlAndOnlyWhenChanged()
    {
        const QJsonObject graph = parse(MappingJson13);
        Event event = eventFromGraph(graph, QStringLiteral("cal"));
        QCOMPARE(event.recurrence_rule, QStringLiteral("FREQ=MONTHLY;BYDAY=2TU"));
        QJsonObject update = eventToGraphForUpdate(event);
        QVERIFY(!update.contains(QStringLiteral("body")));
        QVERIFY(!update.contains(QStringLiteral("recurrence")));
        event.description = QStringLiteral("<p>New agenda</p>");
        event.recurrence_rule = QStringLiteral("FREQ=MONTHLY;BYDAY=3TU");
        update = eventToGraphForUpdate(event);
        QCOMPARE(update.value(QStringLiteral("body")).toObject(),
                 parse(MappingJson14));
        QCOMPARE(update.value(QStringLiteral("recurrence")).toObject().value(QStringLiteral("pattern")).toObject(),
                 parse(MappingJson15));
        event.recurrence_rule.clear();
        QVERIFY(eventToGraphForUpdate(event).value(QStringLiteral("recurrence")).isNull());
    }

    void patternsThisProgramCannotExpressAreLeftAsTheyAre()
    {
        const QJsonObject graph = parse(MappingJson16);
        Event event = eventFromGraph(graph, QStringLiteral("cal"));
        QCOMPARE(event.recurrence_rule, QString());
        event.title = QStringLiteral("Renamed");
        const QJsonObject update = eventToGraphForUpdate(event);
        QCOMPARE(update.value(QStringLiteral("subject")).toString(), QStringLiteral("Renamed"));
        QVERIFY(!update.contains(QStringLiteral("recurrence")));
    }

    // An event Graph held and holds no more goes up as Graph held it, the
    // record's change over it, without what Graph gives a new event
    // itself, a pattern this program cannot write kept; a changed
    // occurrence of it goes onto the new series' instance as what differs.
    void insertOfAHeldObjectLeavesGraphItsOwn()
    {
        QJsonObject held = parse(MappingJson1);
        for (const char *key : {"iCalUId", "isOrganizer", "responseStatus", "seriesMasterId", "originalStart"})
            held.insert(QLatin1String(key), QStringLiteral("Graph's"));
        held.insert(QStringLiteral("categories"), QJsonArray{QStringLiteral("Blue category")});
        held.insert(QStringLiteral("recurrence"), parse(MappingJson16).value(QStringLiteral("recurrence")));
        Event event = eventFromGraph(held, QStringLiteral("cal"));
        event.provider_event_id.clear();
        event.title = QStringLiteral("Review");
        const QJsonObject body = eventToGraphFromHeld(event);
        for (const char *own : {"id", "changeKey", "webLink", "onlineMeeting", "organizer", "iCalUId", "isOrganizer",
                                "responseStatus", "seriesMasterId", "originalStart", "originalStartTimeZone"})
            QVERIFY2(!body.contains(QLatin1String(own)), own);
        for (const char *kept : {"attendees", "categories", "body", "recurrence"})
            QCOMPARE(body.value(QLatin1String(kept)), held.value(QLatin1String(kept)));
        QCOMPARE(body.value(QStringLiteral("subject")).toString(), QStringLiteral("Review"));

        QJsonObject instance = body;
        instance.insert(QStringLiteral("id"), QStringLiteral("new_20240510"));
        instance.insert(QStringLiteral("categories"), QJsonArray{QStringLiteral("Series category")});
        instance.insert(QStringLiteral("subject"), QStringLiteral("Weekly"));
        QCOMPARE(instanceChangesFromHeld(event, instance),
                 (QJsonObject{{QStringLiteral("categories"), held.value(QStringLiteral("categories"))},
                              {QStringLiteral("subject"), QStringLiteral("Review")}}));
    }

    void exceptionsAreNamedByTheirOriginalStart()
    {
        const QJsonObject exception = parse(MappingJson17);
        const Event event = eventFromGraph(exception, QStringLiteral("cal"));
        QCOMPARE(event.master_event_uid, QStringLiteral("master1"));
        QCOMPARE(event.recurrence_id, QStringLiteral("20240521T080000Z"));

        const QJsonObject allDay = parse(MappingJson18);
        QCOMPARE(eventFromGraph(allDay, QStringLiteral("cal")).recurrence_id, QStringLiteral("20240521T000000Z"));
    }

    void cancelledOccurrencesBecomeExclusions()
    {
        const QJsonObject master = parse(MappingJson19);
        const Event event = eventFromGraph(master, QStringLiteral("cal"));
        // 09:00 in Berlin on both sides of the change to winter time.
        QCOMPARE(QJsonDocument::fromJson(event.exception_dates.toUtf8()).array(),
                 (QJsonArray{QStringLiteral("20240514T070000Z"), QStringLiteral("20241105T080000Z")}));
    }

    void invitationAnswersBecomeResponses_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("action");
        QTest::newRow("accepted") << QStringLiteral("accepted") << QStringLiteral("ADA@example.com")
                                  << QStringLiteral("accept");
        QTest::newRow("tentative") << QStringLiteral("tentative") << QStringLiteral("ada@example.com")
                                   << QStringLiteral("tentativelyAccept");
        QTest::newRow("declined") << QStringLiteral("declined") << QString() << QStringLiteral("decline");
        QTest::newRow("unchanged") << QStringLiteral("needs-action") << QStringLiteral("ada@example.com") << QString();
        QTest::newRow("someone else's") << QStringLiteral("accepted") << QStringLiteral("bob@example.com")
                                        << QString();
    }

    void invitationAnswersBecomeResponses()
    {
        QFETCH(QString, status);
        QFETCH(QString, address);
        QFETCH(QString, action);
        Event event = eventFromGraph(parse(MappingJson20),
                                     QStringLiteral("cal"));
        event.attendees[0].status = status;
        QCOMPARE(responseActionFor(event, address), action);
    }
};

QTEST_GUILESS_MAIN(TestMicrosoftEventMapping)
#include "tst_microsofteventmapping.moc"
