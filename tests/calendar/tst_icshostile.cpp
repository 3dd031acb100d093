// Calendar texts built to exhaust the reader: generated here rather than
// kept as files. Whatever they hold, what is read stays in proportion to
// the input.

#include <QTest>

#include "calendar/icscodec.h"
#include "calendar/icszonecache.h"
#include "calendar/icszonedefinitions.h"

#include <QRegularExpression>

namespace {

QString zoneBlock(const QString &tzid, int observances)
{
    QString block = QStringLiteral("BEGIN:VTIMEZONE\r\nTZID:") + tzid + QStringLiteral("\r\n");
    for (int i = 0; i < observances; ++i) {
        block += QStringLiteral("BEGIN:STANDARD\r\nDTSTART:%11025T030000\r\nTZOFFSETFROM:+0200\r\n"
                                "TZOFFSETTO:+0100\r\nEND:STANDARD\r\n")
                     .arg(1000 + i % 8000);
    }
    return block + QStringLiteral("END:VTIMEZONE\r\n");
}

QString eventNaming(int index, const QStringList &tzids)
{
    QString event = QStringLiteral("BEGIN:VEVENT\r\nUID:e%1\r\nDTSTART:20240101T090000Z\r\n").arg(index);
    for (const QString &tzid : tzids)
        event += QStringLiteral("X-ZONED;TZID=%1:20240101T090000\r\n").arg(tzid);
    return event + QStringLiteral("END:VEVENT\r\n");
}

qsizetype storedSize(const QList<Event> &events)
{
    qsizetype size = 0;
    for (const Event &event : events)
        size += event.raw_icalendar.size();
    return size;
}


// One resource of `count` tasks, as a shared calendar may hold it: each
// series names one of two zones in turn, every third has an occurrence
// changed elsewhere (every sixth before its series), and a third zone is
// named by none. The calendar's lines and each zone definition carry
// `calendarPadding` and `zonePadding` lines more.
QString resourceOfTasks(int count, int calendarPadding, int zonePadding)
{
    const QString padding = QStringLiteral("X-PADDING:%1\r\n").arg(QString(60, QLatin1Char('z')));
    QString text = QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Server//EN\r\n"
                                  "X-WR-CALNAME:Shared\r\n")
        + padding.repeated(calendarPadding);
    for (const char *zone : {"Europe/Berlin", "Asia/Tokyo", "America/Chicago"}) {
        text += QStringLiteral("BEGIN:VTIMEZONE\r\nTZID:%1\r\n").arg(QLatin1String(zone));
        text += padding.repeated(zonePadding);
        text += QStringLiteral("BEGIN:STANDARD\r\nDTSTART:19701025T030000\r\nTZOFFSETFROM:+0200\r\n"
                               "TZOFFSETTO:+0100\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n");
    }
    for (int i = 0; i < count; ++i) {
        const QString zone = QLatin1String(i % 2 ? "Asia/Tokyo" : "Europe/Berlin");
        const QString series = QStringLiteral("BEGIN:VTODO\r\nUID:t%1\r\nSUMMARY:Task %1\r\n"
                                              "DTSTART;TZID=%2:20260302T090000\r\nRRULE:FREQ=WEEKLY\r\nEND:VTODO\r\n")
                                   .arg(i)
                                   .arg(zone);
        const QString changed =
            i % 3 ? QString()
                  : QStringLiteral("BEGIN:VTODO\r\nUID:t%1\r\nRECURRENCE-ID;TZID=%2:20260309T090000\r\n"
                                   "SUMMARY:Once %1\r\nEND:VTODO\r\n")
                        .arg(i)
                        .arg(zone);
        text += i % 6 ? series + changed : changed + series;
    }
    return text + QStringLiteral("END:VCALENDAR\r\n");
}

// A resource of 100 tasks due in UTC, those from `zonedFrom` on as `due`
// says, whose calendar lines (with `head`) are large enough that the budget
// pays a copy of them for the first few tasks only.
QString resourceAtTheBudgetsEdge(const QString &head, const QString &due, int zonedFrom)
{
    const QString padding = QStringLiteral("X-PADDING:%1\r\n").arg(QString(60, QLatin1Char('z')));
    QString text = QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Server//EN\r\n"
                                  "X-WR-CALNAME:Shared\r\n")
        + padding.repeated(40) + head;
    for (int i = 0; i < 100; ++i) {
        text += QStringLiteral("BEGIN:VTODO\r\nUID:t%1\r\nSUMMARY:Task %1\r\n%2\r\nEND:VTODO\r\n")
                    .arg(i)
                    .arg(i < zonedFrom ? QStringLiteral("DUE:20260302T170000Z") : due);
    }
    return text + QStringLiteral("END:VCALENDAR\r\n");
}

} // namespace

class TestIcsHostile : public QObject
{
    Q_OBJECT

private slots:
    void zoneDefinitionsStoredStayInProportionToTheInput();
    void oversizedZoneDefinitionIsNotCopied();
    void eventCarriesAtMostSixteenZoneDefinitions();
    void zoneCacheStaysWithinItsCapacity();
    void resourceOfManyTasksGivesEachItsOwnPart_data();
    void resourceOfManyTasksGivesEachItsOwnPart();
    void taskCarriesAtMostSixteenZoneDefinitions();
    void editedTaskAtTheBudgetsEdgeKeepsWhatItsTimesMean_data();
    void editedTaskAtTheBudgetsEdgeKeepsWhatItsTimesMean();
    void zoneDefinitionsAddedStayInProportionToTheText_data();
    void zoneDefinitionsAddedStayInProportionToTheText();
    void taskOfManyCategoriesKeepsEachOnceAndItsLines_data();
    void taskOfManyCategoriesKeepsEachOnceAndItsLines();
};

void TestIcsHostile::zoneDefinitionsStoredStayInProportionToTheInput()
{
    // A 50 KB definition named by 2,000 small events would be 100 MB of
    // copies.
    QString text = QStringLiteral("BEGIN:VCALENDAR\r\n") + zoneBlock(QStringLiteral("Big/Zone"), 500);
    QCOMPARE_GT(text.size(), 40000);
    for (int i = 0; i < 2000; ++i)
        text += eventNaming(i, {QStringLiteral("Big/Zone")});
    text += QStringLiteral("END:VCALENDAR\r\n");
    const QList<Event> events = IcsCodec::parseEvents(text);
    QCOMPARE(events.size(), 2000);
    QVERIFY(events.first().raw_icalendar.contains(QLatin1String("TZID:Big/Zone")));
    QCOMPARE_LE(storedSize(events), 6 * text.size());
}

void TestIcsHostile::oversizedZoneDefinitionIsNotCopied()
{
    const QString text = QStringLiteral("BEGIN:VCALENDAR\r\n") + zoneBlock(QStringLiteral("Huge/Zone"), 5000)
                         + eventNaming(1, {QStringLiteral("Huge/Zone")}) + QStringLiteral("END:VCALENDAR\r\n");
    const QList<Event> events = IcsCodec::parseEvents(text);
    QCOMPARE(events.size(), 1);
    QVERIFY(!events.first().raw_icalendar.contains(QLatin1String("VTIMEZONE")));
}

void TestIcsHostile::eventCarriesAtMostSixteenZoneDefinitions()
{
    QString text = QStringLiteral("BEGIN:VCALENDAR\r\n");
    QStringList tzids;
    for (int i = 0; i < 100; ++i) {
        tzids << QStringLiteral("Zone/%1").arg(i);
        text += zoneBlock(tzids.last(), 1);
    }
    text += eventNaming(1, tzids) + QStringLiteral("END:VCALENDAR\r\n");
    const QList<Event> events = IcsCodec::parseEvents(text);
    QCOMPARE(events.size(), 1);
    QCOMPARE(events.first().raw_icalendar.count(QLatin1String("BEGIN:VTIMEZONE")), 16);
}

void TestIcsHostile::zoneCacheStaysWithinItsCapacity()
{
    IcsZoneCache cache;
    for (int i = 0; i < 1000; ++i)
        cache.zone(QStringLiteral("Nowhere/%1").arg(i));
    QCOMPARE_LE(cache.size(), IcsZoneCache::Capacity);
    QVERIFY(cache.zone(QStringLiteral("Europe/Berlin")).isValid());
    // An id longer than any zone's is not looked up.
    QVERIFY(!cache.zone(QStringLiteral("Europe/Berlin/") + QString(1 << 20, QLatin1Char('x'))).isValid());
}

void TestIcsHostile::resourceOfManyTasksGivesEachItsOwnPart_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("calendarPadding");
    QTest::addColumn<int>("zonePadding");
    QTest::newRow("a few tasks") << 4 << 0 << 0;
    // What many tasks share, of some size: the copies outgrow the budget.
    QTest::newRow("1500 tasks, large zones") << 1500 << 0 << 40;
    QTest::newRow("1500 tasks, large calendar lines") << 1500 << 40 << 0;
}

void TestIcsHostile::resourceOfManyTasksGivesEachItsOwnPart()
{
    QFETCH(int, count);
    QFETCH(int, calendarPadding);
    QFETCH(int, zonePadding);
    const QString text = resourceOfTasks(count, calendarPadding, zonePadding);
    const QList<Task> records = IcsCodec::parseTodoResource(text);
    QCOMPARE(records.size(), count);
    const QString wrapper = QLatin1String("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:")
        + QLatin1String(IcsCodec::ProductId) + QLatin1String("\r\nEND:VCALENDAR\r\n");
    qsizetype stored = 0;
    int withZone = 0;
    for (int i = 0; i < count; ++i) {
        const Task &record = records.at(i);
        const QString &own = record.raw_icalendar;
        stored += own.size();
        // The series and its changed occurrence, nothing of another task.
        const QList<Task> todos = IcsCodec::parseTodos(own);
        QCOMPARE(todos.size(), i % 3 ? 1 : 2);
        for (const Task &todo : todos)
            QCOMPARE(todo.uid, QStringLiteral("t%1").arg(i));
        // At most the zone it names.
        const int zones = int(own.count(QLatin1String("BEGIN:VTIMEZONE")));
        QVERIFY2(zones == 0 || (zones == 1 && own.contains(QLatin1String(i % 2 ? "TZID:Asia/Tokyo\r\n"
                                                                                 : "TZID:Europe/Berlin\r\n"))),
                 qPrintable(own));
        withZone += zones;
        // Its own text reads as the whole did.
        Task alone = IcsCodec::parseTodoResource(own).value(0);
        alone.raw_icalendar = own;
        QCOMPARE(alone, record);
        QCOMPARE(alone.title, QStringLiteral("Task %1").arg(i));
    }
    // The input once, what the records share up to four times over, and a
    // wrapper each.
    QVERIFY2(stored <= 5 * text.size() + count * wrapper.size(),
             qPrintable(QStringLiteral("%1 characters stored of %2 read").arg(stored).arg(text.size())));
    // Copies go while the budget lasts: all of them for a few tasks.
    QVERIFY(withZone > 0);
    QVERIFY(records.first().raw_icalendar.contains(QLatin1String("X-WR-CALNAME:Shared\r\n")));
    if (count < 10) {
        QCOMPARE(withZone, count);
        for (const Task &record : records)
            QVERIFY(record.raw_icalendar.startsWith(text.left(text.indexOf(QLatin1String("BEGIN:VTIMEZONE")))));
    }
}

void TestIcsHostile::taskCarriesAtMostSixteenZoneDefinitions()
{
    QString text = QStringLiteral("BEGIN:VCALENDAR\r\n");
    QString todo = QStringLiteral("BEGIN:VTODO\r\nUID:t\r\nSUMMARY:Zoned\r\n");
    for (int i = 0; i < 100; ++i) {
        text += zoneBlock(QStringLiteral("Zone/%1").arg(i), 1);
        todo += QStringLiteral("X-ZONED;TZID=Zone/%1:20240101T090000\r\n").arg(i);
    }
    text += todo + QStringLiteral("END:VTODO\r\nEND:VCALENDAR\r\n");
    const QList<Task> tasks = IcsCodec::parseTodoResource(text);
    QCOMPARE(tasks.size(), 1);
    QCOMPARE(tasks.first().raw_icalendar.count(QLatin1String("BEGIN:VTIMEZONE")), 16);
}

void TestIcsHostile::editedTaskAtTheBudgetsEdgeKeepsWhatItsTimesMean_data()
{
    QTest::addColumn<QString>("head");
    QTest::addColumn<QString>("due");
    QTest::addColumn<int>("zonedFrom");
    // The task edited: from the first without the calendar's lines, or from
    // the first naming its zone where that is later.
    QTest::addColumn<int>("step");
    const QString chicago = QStringLiteral("X-WR-TIMEZONE:America/Chicago\r\n");
    const QString floating = QStringLiteral("DUE:20260302T170000");
    QTest::newRow("calendar's zone, the last with the calendar's lines") << chicago << floating << 0 << -1;
    QTest::newRow("calendar's zone, the first without them") << chicago << floating << 0 << 0;
    // A definition larger than the calendar's lines: past the edge the
    // budget pays for none.
    const QString office = zoneBlock(QStringLiteral("Office/Zone"), 80);
    const QString zoned = QStringLiteral("DUE;TZID=Office/Zone:20260302T170000");
    QTest::newRow("defined zone, the first without the calendar's lines") << office << zoned << 0 << 0;
    QTest::newRow("defined zone, the first naming it, past the edge") << office << zoned << 80 << 0;
    QTest::newRow("defined zone, the next naming it") << office << zoned << 80 << 1;
}

void TestIcsHostile::editedTaskAtTheBudgetsEdgeKeepsWhatItsTimesMean()
{
    QFETCH(QString, head);
    QFETCH(QString, due);
    QFETCH(int, zonedFrom);
    QFETCH(int, step);
    const QList<Task> records = IcsCodec::parseTodoResource(resourceAtTheBudgetsEdge(head, due, zonedFrom));
    int edge = 0;
    while (edge < records.size() && records.at(edge).raw_icalendar.contains(QLatin1String("X-WR-CALNAME")))
        ++edge;
    QVERIFY2(edge > 1 && edge < records.size() && (zonedFrom == 0 || edge < zonedFrom),
             qPrintable(QString::number(edge)));
    const int edited = std::max(edge, zonedFrom) + step;
    Task task = records.at(edited);
    task.title += QLatin1String(", edited");
    const QString own = IcsCodec::patchTodoIcs(task.raw_icalendar, task);
    // Its time reads alone as in the whole.
    QCOMPARE(IcsCodec::parseTodoResource(own).value(0).due_date.value_or(QDateTime()).toUTC(),
             records.at(edited).due_date.value_or(QDateTime()).toUTC());
    // The calendar's zone goes up with it, and the definition of the zone it
    // names with it or with another task of the resource.
    QCOMPARE(own.contains(QLatin1String("\r\nX-WR-TIMEZONE:America/Chicago\r\n")),
             head.contains(QLatin1String("X-WR-TIMEZONE")));
    QString resource = own;
    for (const Task &record : records)
        resource += record.uid == task.uid ? QString() : record.raw_icalendar;
    QCOMPARE(resource.contains(QLatin1String("BEGIN:VTIMEZONE\r\nTZID:Office/Zone\r\n")),
             due.contains(QLatin1String("TZID")));
}

void TestIcsHostile::zoneDefinitionsAddedStayInProportionToTheText_data()
{
    // The zone ids the tasks of a resource name, none defined there, in
    // order. A small text gets a definition for each; a large one stays
    // within a few times its size, each zone defined.
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<bool>("small");
    QTest::newRow("three ids of two zones")
        << QStringList{"Europe/Berlin", "/v1/Europe/Berlin", "Asia/Tokyo"} << true;
    QStringList many;
    for (int i = 0; i < 3000; ++i)
        many.append(QStringLiteral("/v%1/Europe/Berlin").arg(i));
    many.append(QStringLiteral("/v3000/Asia/Tokyo"));
    QTest::newRow("3001 ids of two zones") << many << false;
}

void TestIcsHostile::zoneDefinitionsAddedStayInProportionToTheText()
{
    QFETCH(QStringList, ids);
    QFETCH(bool, small);
    QStringList calendar{"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//Other//Server//EN"};
    for (qsizetype i = 0; i < ids.size(); ++i) {
        calendar << QStringLiteral("BEGIN:VTODO") << QStringLiteral("UID:t%1").arg(i)
                 << QStringLiteral("DUE;TZID=%1:20260302T170000").arg(ids.at(i)) << QStringLiteral("END:VTODO");
    }
    calendar << QStringLiteral("END:VCALENDAR");
    const QStringList out = IcsZoneDefinitions::withNamedDefinitions(calendar);
    QStringList defined = out.filter(QRegularExpression(QStringLiteral("^TZID:")));
    defined.replaceInStrings(QRegularExpression(QStringLiteral("^TZID:")), QString());
    QVERIFY(defined.contains(ids.first()) && defined.contains(ids.last()));
    const QString text = out.join(QLatin1String("\r\n"));
    if (small)
        QCOMPARE(defined, ids);
    else
        QCOMPARE_LE(text.size(), 3 * calendar.join(QLatin1String("\r\n")).size());
    // Each id with its own zone's rules.
    const qsizetype tokyo = text.indexOf(QLatin1String("TZID:") + ids.last());
    const qsizetype tokyoEnd = text.indexOf(QLatin1String("END:VTIMEZONE"), tokyo);
    QVERIFY(text.mid(tokyo, tokyoEnd - tokyo).contains(QLatin1String("TZOFFSETTO:+0900")));
    // The definitions go before the first task, the text as it was around them.
    QCOMPARE(out.mid(0, 3) + out.mid(3 + out.size() - calendar.size()), calendar);
}

void TestIcsHostile::taskOfManyCategoriesKeepsEachOnceAndItsLines_data()
{
    // Whether each category has a line of its own; how many there are.
    QTest::addColumn<bool>("oneALine");
    QTest::addColumn<int>("count");
    QTest::newRow("a few, one a line") << true << 3;
    QTest::newRow("30,000, one a line") << true << 30000;
    QTest::newRow("30,000 on one line") << false << 30000;
}

void TestIcsHostile::taskOfManyCategoriesKeepsEachOnceAndItsLines()
{
    QFETCH(bool, oneALine);
    QFETCH(int, count);
    QStringList categories;
    for (int i = 0; i < count; ++i)
        categories.append(QStringLiteral("Category %1").arg(i));
    // Every category again, last first: each is read once, where first seen.
    QStringList repeated = categories;
    std::copy(categories.crbegin(), categories.crend(), std::back_inserter(repeated));
    const QStringList lines = oneALine ? repeated.replaceInStrings(QRegularExpression(QStringLiteral("^")),
                                                                   QStringLiteral("CATEGORIES:"))
                                       : QStringList{QStringLiteral("CATEGORIES:") + repeated.join(QLatin1Char(','))};
    const QString stored = QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:many\r\nSUMMARY:Sort\r\n")
        + lines.join(QLatin1String("\r\n")) + QStringLiteral("\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
    Task task = IcsCodec::parseTodoResource(stored).value(0);
    QCOMPARE(task.categories, categories);
    // An edit that leaves them keeps the lines as read.
    task.title = QStringLiteral("Sorted");
    const QString text = IcsCodec::patchTodoIcs(task.raw_icalendar, task);
    QCOMPARE(IcsCodec::unfoldLines(text).filter(QRegularExpression(QStringLiteral("^CATEGORIES:"))), lines);
    QCOMPARE(IcsCodec::parseTodoResource(text).value(0).categories, categories);
}

QTEST_GUILESS_MAIN(TestIcsHostile)
#include "tst_icshostile.moc"
