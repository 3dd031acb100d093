// The zones a task's times are written in: an edit keeps the form its text
// gave them, and a task made repeating here repeats on the program's wall
// clock, so that no device sees an occurrence move across a change to or
// from summer time.

#include <QRegularExpression>
#include <QTest>
#include <QTimeZone>

#include "calendar/icscodec.h"
#include "calendar/icstext.h"
#include "calendar/recurrence.h"
#include "icsdescription.h"

namespace {

using IcsDescription::describe;

QString resourceOf(const QString &head, const QString &todo)
{
    return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Client//EN\r\n%1BEGIN:VTODO\r\n"
                          "UID:water\r\nSUMMARY:Water\r\n%2\r\nEND:VTODO\r\nEND:VCALENDAR\r\n")
        .arg(head, todo);
}

// The VTODO's DTSTART and DUE lines, and the TZIDs the text defines.
QStringList linesNamed(const QString &text, const QStringList &names, const QString &after = QString())
{
    QStringList lines = IcsCodec::unfoldLines(text);
    lines = lines.mid(after.isEmpty() ? 0 : lines.indexOf(after));
    return lines.filter(QRegularExpression(QStringLiteral("^(%1)[;:]").arg(names.join(QLatin1Char('|')))));
}

QStringList timesOf(const QString &text)
{
    return linesNamed(text, {QStringLiteral("DTSTART"), QStringLiteral("DUE")}, QStringLiteral("BEGIN:VTODO"));
}

QStringList zonesOf(const QString &text)
{
    return linesNamed(text, {QStringLiteral("TZID")}).replaceInStrings(QStringLiteral("TZID:"), QString());
}

// The first ten starts of the text's series as another device reads it: the
// VTODO as the VEVENT it shares DTSTART and RRULE with.
QList<QDateTime> startsSeenElsewhere(QString text)
{
    text.replace(QLatin1String("VTODO\r\n"), QLatin1String("VEVENT\r\n"));
    QList<QDateTime> starts;
    for (const Event &occurrence : Recurrence::expandEvent(IcsCodec::parseEvents(text).value(0),
                                                           QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC),
                                                           QDateTime(QDate(2026, 5, 8), QTime(0, 0), Qt::UTC)))
        starts.append(occurrence.start_time.toUTC());
    return starts;
}

} // namespace

class TestIcsCodecZones : public QObject
{
    Q_OBJECT

private slots:
    void editKeepsTheFormTheTextGaveTheTimes_data();
    void editKeepsTheFormTheTextGaveTheTimes();
    void taskMadeRepeatingHereRepeatsOnTheProgramsWallClock_data();
    void taskMadeRepeatingHereRepeatsOnTheProgramsWallClock();
    void seriesFromTheRepeatedHourStepsOnTheWallClock_data();
    void seriesFromTheRepeatedHourStepsOnTheWallClock();
};

void TestIcsCodecZones::editKeepsTheFormTheTextGaveTheTimes_data()
{
    // The calendar's lines before the task and the task's lines as another
    // client wrote them (weekly from Monday 2 March 2026, over the changes
    // of Berlin, New York and Adelaide); the task's time lines and the
    // zones defined once its title is edited here.
    QTest::addColumn<QString>("head");
    QTest::addColumn<QString>("times");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QStringList>("zones");
    const QString weekly = QStringLiteral("\r\nRRULE:FREQ=WEEKLY");
    const QString berlin = QStringLiteral("DTSTART;TZID=Europe/Berlin:20260302T090000");
    const QString berlinZone = QStringLiteral("BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:STANDARD\r\n"
                                              "DTSTART:19701025T030000\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n"
                                              "END:STANDARD\r\nEND:VTIMEZONE\r\n");
    QTest::newRow("Berlin, defined") << berlinZone << berlin + weekly << QStringList{berlin}
                                     << QStringList{"Europe/Berlin"};
    QTest::newRow("Berlin, not defined") << QString() << berlin + weekly << QStringList{berlin}
                                         << QStringList{"Europe/Berlin"};
    for (const char *zone : {"America/New_York", "Australia/Adelaide"}) {
        const QString start = QStringLiteral("DTSTART;TZID=%1:20260302T090000").arg(QLatin1String(zone));
        QTest::newRow(zone) << QString() << start + weekly << QStringList{start} << QStringList{zone};
    }
    QTest::newRow("due in another zone")
        << berlinZone << berlin + "\r\nDUE;TZID=America/New_York:20260302T060000" + weekly
        << QStringList{berlin, "DUE;TZID=America/New_York:20260302T060000"}
        << QStringList{"Europe/Berlin", "America/New_York"};
    QTest::newRow("due from a duration across the change")
        << QString() << "DTSTART;TZID=Europe/Berlin:20261024T120000\r\nDURATION:P1D"
        << QStringList{"DTSTART;TZID=Europe/Berlin:20261024T120000", "DUE;TZID=Europe/Berlin:20261025T120000"}
        << QStringList{"Europe/Berlin"};
    QTest::newRow("once") << QString() << berlin << QStringList{berlin} << QStringList{"Europe/Berlin"};
    QTest::newRow("Windows name") << QString() << "DTSTART;TZID=W. Europe Standard Time:20260302T090000" + weekly
                                  << QStringList{berlin} << QStringList{"Europe/Berlin"};
    // Read on the computer's wall clock, written back on it: not moved.
    const QString unknown = QStringLiteral("DTSTART;TZID=\"(UTC+01:00) Amsterdam, Berlin\":20260302T090000");
    QTest::newRow("unknown zone") << QString() << unknown + weekly << QStringList{unknown} << QStringList();
    const QString longName = QStringLiteral("DTSTART;TZID=%1:20260302T090000").arg(QString(300, QLatin1Char('x')));
    QTest::newRow("unknown zone, longer than any") << QString() << longName + weekly << QStringList{longName}
                                                   << QStringList();
    QTest::newRow("floating") << QString() << "DTSTART:20260302T090000" + weekly
                              << QStringList{"DTSTART:20260302T090000"} << QStringList();
    QTest::newRow("floating in the calendar's zone") << "X-WR-TIMEZONE:Europe/Berlin\r\n"
                                                     << "DTSTART:20260302T090000" + weekly << QStringList{berlin}
                                                     << QStringList{"Europe/Berlin"};
    QTest::newRow("UTC series") << QString() << "DTSTART:20260302T080000Z" + weekly
                                << QStringList{"DTSTART:20260302T080000Z"} << QStringList();
    QTest::newRow("dates") << QString() << "DTSTART;VALUE=DATE:20260302" + weekly
                           << QStringList{"DTSTART;VALUE=DATE:20260302"} << QStringList();
    // The second time of an hour the change from summer time repeats has no
    // wall-clock time of its own: it goes in UTC. A start the change to
    // summer time skips is the hour after it.
    const QString hour = QStringLiteral("\r\nDURATION:PT1H");
    QTest::newRow("due in the repeated hour, Berlin")
        << QString() << "DTSTART;TZID=Europe/Berlin:20261025T023000" + hour
        << QStringList{"DTSTART;TZID=Europe/Berlin:20261025T023000", "DUE:20261025T013000Z"}
        << QStringList{"Europe/Berlin"};
    QTest::newRow("due in the repeated hour, New York")
        << QString() << "DTSTART;TZID=America/New_York:20261101T013000" + hour
        << QStringList{"DTSTART;TZID=America/New_York:20261101T013000", "DUE:20261101T063000Z"}
        << QStringList{"America/New_York"};
    QTest::newRow("due in the repeated hour, Adelaide")
        << QString() << "DTSTART;TZID=Australia/Adelaide:20260405T023000" + hour
        << QStringList{"DTSTART;TZID=Australia/Adelaide:20260405T023000", "DUE:20260404T170000Z"}
        << QStringList{"Australia/Adelaide"};
    QTest::newRow("once, due in UTC in the repeated hour")
        << QString() << "DTSTART;TZID=Europe/Berlin:20261024T090000\r\nDUE:20261025T013000Z"
        << QStringList{"DTSTART;TZID=Europe/Berlin:20261024T090000", "DUE:20261025T013000Z"}
        << QStringList{"Europe/Berlin"};
    QTest::newRow("extra date in the repeated hour")
        << QString() << "DTSTART;TZID=Europe/Berlin:20261018T023000\r\nRDATE:20261025T013000Z"
        << QStringList{"DTSTART;TZID=Europe/Berlin:20261018T023000"} << QStringList{"Europe/Berlin"};
    QTest::newRow("start in the skipped hour, Berlin")
        << QString() << "DTSTART;TZID=Europe/Berlin:20260329T023000" + hour
        << QStringList{"DTSTART;TZID=Europe/Berlin:20260329T033000", "DUE;TZID=Europe/Berlin:20260329T043000"}
        << QStringList{"Europe/Berlin"};
    QTest::newRow("start in the skipped hour, New York")
        << QString() << "DTSTART;TZID=America/New_York:20260308T023000" + hour
        << QStringList{"DTSTART;TZID=America/New_York:20260308T033000", "DUE;TZID=America/New_York:20260308T043000"}
        << QStringList{"America/New_York"};
}

void TestIcsCodecZones::editKeepsTheFormTheTextGaveTheTimes()
{
    QFETCH(QString, head);
    QFETCH(QString, times);
    QFETCH(QStringList, written);
    QFETCH(QStringList, zones);
    const QString resource = resourceOf(head, times);
    Task edited = IcsCodec::parseTodoResource(resource).value(0);
    edited.title = QStringLiteral("Water the herbs");

    const QString text = IcsCodec::patchTodoIcs(resource, edited);
    QCOMPARE(timesOf(text), written);
    QCOMPARE(zonesOf(text), zones);
    QCOMPARE(describe(IcsCodec::parseTodoResource(text).value(0)), describe(edited));
    // Another device sees every occurrence where it was, those after a
    // change to or from summer time among them.
    QCOMPARE(startsSeenElsewhere(text), startsSeenElsewhere(resource));
    // Edited again, the text defines each zone once.
    QCOMPARE(zonesOf(IcsCodec::patchTodoIcs(text, IcsCodec::parseTodoResource(text).value(0))), zones);
    // The same times as an event's start, end and extra dates, written anew
    // by the event writer, name the same instants.
    const Event event = IcsCodec::parseEvents(QString(resource)
                                                  .replace(QLatin1String("VTODO\r\n"), QLatin1String("VEVENT\r\n"))
                                                  .replace(QLatin1String("\nDUE"), QLatin1String("\nDTEND")))
                            .value(0);
    Event fresh = event;
    fresh.raw_icalendar.clear();
    const Event again = IcsCodec::parseEvents(IcsCodec::buildEventIcs(fresh)).value(0);
    const auto instants = [](const Event &read) {
        return QStringList{read.start_time.toUTC().toString(Qt::ISODate),
                           read.end_time.value_or(read.start_time).toUTC().toString(Qt::ISODate),
                           read.recurrence_dates};
    };
    QCOMPARE(instants(again), instants(event));
}

void TestIcsCodecZones::taskMadeRepeatingHereRepeatsOnTheProgramsWallClock_data()
{
    // The text the task was stored as (none: made here), its rule, and
    // whether it is written in the program's zone.
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<bool>("zoned");
    QTest::newRow("weekly") << QString() << "FREQ=WEEKLY" << true;
    QTest::newRow("once") << QString() << QString() << false;
    QTest::newRow("written in UTC, made weekly")
        << resourceOf(QString(), QStringLiteral("DTSTART:20260302T080000Z")) << "FREQ=WEEKLY" << true;
}

void TestIcsCodecZones::taskMadeRepeatingHereRepeatsOnTheProgramsWallClock()
{
    QFETCH(QString, stored);
    QFETCH(QString, rule);
    QFETCH(bool, zoned);
    Task task = IcsCodec::parseTodoResource(resourceOf(QString(), QString())).value(0);
    task.start_date = QDateTime(QDate(2026, 3, 2), QTime(9, 0));
    task.start_is_date_only = false;
    task.recurrence_rule = rule;
    task.raw_icalendar = stored;

    const QString text = IcsCodec::patchTodoIcs(stored, task);
    // UTC is written as UTC.
    const QString zone = QString::fromUtf8(QTimeZone::systemTimeZoneId()).remove(QRegularExpression("^(Etc/)?UTC$"));
    QCOMPARE(timesOf(text), QStringList{zoned && !zone.isEmpty()
                                            ? QStringLiteral("DTSTART;TZID=%1:20260302T090000").arg(zone)
                                            : "DTSTART:" + IcsText::utcText(*task.start_date)});
    QCOMPARE(zonesOf(text), zoned && !zone.isEmpty() ? QStringList{zone} : QStringList());
    QCOMPARE(describe(IcsCodec::parseTodos(text).value(0)), describe(task));
    if (rule.isEmpty())
        return;
    const QList<QDateTime> starts = startsSeenElsewhere(text);
    QCOMPARE(starts.size(), 10);
    for (const QDateTime &start : starts)
        QCOMPARE(start.toLocalTime().time(), QTime(9, 0));
}

void TestIcsCodecZones::seriesFromTheRepeatedHourStepsOnTheWallClock_data()
{
    // An hour-long item from the second 02:30 of the autumn change (01:30 in
    // New York), written here: an event, a task with a start and a due
    // time, a task with a due time only; its rule, and what became of its
    // first occurrence.
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("first");
    const QDateTime berlin(QDate(2026, 10, 25), QTime(1, 30), Qt::UTC);
    const QDateTime newYork(QDate(2026, 11, 1), QTime(6, 30), Qt::UTC);
    const QString daily = QStringLiteral("FREQ=DAILY");
    QTest::newRow("event, Berlin") << QByteArray("Europe/Berlin") << berlin << "event" << daily << "kept";
    QTest::newRow("event, New York") << QByteArray("America/New_York") << newYork << "event" << daily << "kept";
    // As the Google mapping reads the series' start.
    QTest::newRow("Google event, Berlin") << QByteArray("Europe/Berlin")
                                          << QDateTime::fromString("2026-10-25T02:30:00+01:00", Qt::ISODate)
                                          << "event" << daily << "kept";
    QTest::newRow("first skipped") << QByteArray("Europe/Berlin") << berlin << "event" << daily << "skipped";
    QTest::newRow("first moved") << QByteArray("America/New_York") << newYork << "event" << daily << "moved";
    QTest::newRow("task, Berlin") << QByteArray("Europe/Berlin") << berlin << "task" << daily << "kept";
    QTest::newRow("task due, New York") << QByteArray("America/New_York") << newYork << "due" << daily << "kept";
    QTest::newRow("event once") << QByteArray("Europe/Berlin") << berlin << "event" << QString() << "kept";
    QTest::newRow("task due once") << QByteArray("America/New_York") << newYork << "due" << QString() << "kept";
}

void TestIcsCodecZones::seriesFromTheRepeatedHourStepsOnTheWallClock()
{
    QFETCH(QByteArray, zone);
    QFETCH(QDateTime, start);
    QFETCH(QString, item);
    QFETCH(QString, rule);
    QFETCH(QString, first);
    const QTimeZone tz(zone);
    const QString id = QString::fromLatin1(zone);
    // The written text as an event's, a task's first time as its start.
    QString text;
    Event moved;
    if (item == QLatin1String("event")) {
        Event event;
        event.uid = QStringLiteral("night");
        event.timezone = id;
        event.start_time = start;
        event.end_time = start.addSecs(3600);
        event.recurrence_rule = rule;
        if (first == QLatin1String("skipped"))
            event.exception_dates = QStringLiteral("[\"%1\"]").arg(IcsText::utcText(start));
        text = IcsCodec::buildEventIcs(event);
        moved = event;
        moved.recurrence_rule.clear();
        moved.master_event_uid = event.uid;
        moved.recurrence_id = IcsText::utcText(start);
        moved.start_time = start.addSecs(7200);
        moved.end_time = start.addSecs(10800);
    } else {
        // Another client's task, moved here to that hour.
        const QString times = item == QLatin1String("task") ? QStringLiteral("DTSTART;TZID=%1:20260302T090000\r\n"
                                                                             "DUE;TZID=%1:20260302T100000")
                                                            : QStringLiteral("DUE;TZID=%1:20260302T090000");
        const QString resource =
            resourceOf(QString(), times.arg(id) + (rule.isEmpty() ? QString() : "\r\nRRULE:" + rule));
        Task task = IcsCodec::parseTodoResource(resource).value(0);
        if (item == QLatin1String("task"))
            task.start_date = start;
        task.due_date = start.addSecs(item == QLatin1String("task") ? 3600 : 0);
        text = IcsCodec::patchTodoIcs(resource, task).replace(QLatin1String("VTODO\r\n"), QLatin1String("VEVENT\r\n"));
        text.replace(QLatin1String("\nDUE"), item == QLatin1String("task") ? QLatin1String("\nDTEND")
                                                                          : QLatin1String("\nDTSTART"));
    }
    const Event read = IcsCodec::parseEvents(text).value(0);
    if (rule.isEmpty()) {
        // A one-off instant is written as it is, in UTC.
        QCOMPARE(linesNamed(text, {QStringLiteral("DTSTART")}, QStringLiteral("BEGIN:VEVENT")),
                 QStringList{"DTSTART:" + IcsText::utcText(start)});
        QCOMPARE(read.start_time, start);
        return;
    }

    // Its occurrences a month and half a year later at the same wall-clock
    // time; that day's, on the wall clock too (the first of the two times),
    // skipped or replaced as the text says.
    const QDateTime wall = start.toTimeZone(tz);
    const Event override = IcsCodec::parseEvents(IcsCodec::buildEventIcs(moved)).value(0);
    for (const QDate day : {wall.date().addMonths(1), wall.date().addMonths(6), wall.date()}) {
        QList<Event> rows{read};
        if (first == QLatin1String("moved"))
            rows.append(override);
        const QList<Event> on = Recurrence::expandForRange(rows, QDateTime(day, QTime(0, 0), tz),
                                                           QDateTime(day.addDays(1), QTime(0, 0), tz));
        if (day == wall.date() && first == QLatin1String("skipped")) {
            QCOMPARE(on.size(), 0);
            continue;
        }
        QCOMPARE(on.size(), 1);
        const bool replaced = day == wall.date() && first == QLatin1String("moved");
        QCOMPARE(on.first().start_time, replaced ? moved.start_time : IcsText::wallClock(day, wall.time(), tz));
        if (item != QLatin1String("due"))
            QCOMPARE(on.first().start_time.secsTo(*on.first().end_time), 3600);
    }
}

QTEST_GUILESS_MAIN(TestIcsCodecZones)
#include "tst_icscodec_zones.moc"
