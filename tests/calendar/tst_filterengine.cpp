#include "calendar/filterengine.h"

#include <QTest>

// Times are local: the rules compare the machine's local start, and the suite
// runs under several zones. June dates keep clear of every DST change.
namespace {

const QDate kWednesday(2026, 6, 10);
const QDate kSaturday(2026, 6, 13);
const QDate kSunday(2026, 6, 14);

Event makeEvent(const QString &id, const QString &title, const QDateTime &start = {},
            const QString &calendar = QStringLiteral("cal-a"))
{
    Event e;
    e.id = id;
    e.uid = id + QStringLiteral("@uid");
    e.calendar_id = calendar;
    e.title = title;
    e.start_time = start.isValid() ? start : QDateTime(kWednesday, QTime(9, 0));
    return e;
}

FilterRule rule(const QString &name, const QString &conditions, const QString &action = QStringLiteral("hide"),
                int priority = 100, const QString &calendars = QStringLiteral("[]"))
{
    FilterRule r;
    r.id = name;
    r.name = name;
    r.conditions = conditions;
    r.action = action;
    r.priority = priority;
    r.calendar_ids = calendars;
    return r;
}

QString titleContains(const QString &phrase)
{
    return QStringLiteral("{\"runtimeType\":\"pattern\",\"titleContains\":[\"%1\"]}").arg(phrase);
}

QStringList ids(const QList<Event> &events)
{
    QStringList out;
    for (const Event &e : events)
        out << e.id;
    return out;
}

QStringList sorted(const QSet<QString> &set)
{
    QStringList out(set.begin(), set.end());
    out.sort();
    return out;
}

} // namespace

class TestFilterEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Reading the stored JSON
    void parseConditions_data()
    {
        QTest::addColumn<QString>("json");
        QTest::addColumn<int>("kind"); // variant index, -1 for no conditions

        QTest::newRow("empty text") << QString() << -1;
        QTest::newRow("not json") << QStringLiteral("{runtimeType: pattern") << -1;
        QTest::newRow("array") << QStringLiteral("[{\"runtimeType\":\"pattern\"}]") << -1;
        QTest::newRow("no runtimeType") << QStringLiteral("{\"titleContains\":[\"a\"]}") << -1;
        QTest::newRow("runtimeType not a string") << QStringLiteral("{\"runtimeType\":1}") << -1;
        QTest::newRow("stored type name all_day is inert") << QStringLiteral("{\"runtimeType\":\"all_day\"}") << -1;
        QTest::newRow("wrong case") << QStringLiteral("{\"runtimeType\":\"Pattern\"}") << -1;
        QTest::newRow("pattern") << QStringLiteral("{\"runtimeType\":\"pattern\"}") << 0;
        QTest::newRow("time") << QStringLiteral("{\"runtimeType\":\"time\"}") << 1;
        QTest::newRow("specific") << QStringLiteral("{\"runtimeType\":\"specific\"}") << 2;
        QTest::newRow("allDay") << QStringLiteral("{\"runtimeType\":\"allDay\"}") << 3;
        QTest::newRow("unknown keys ignored")
            << QStringLiteral("{\"runtimeType\":\"allDay\",\"colour\":\"red\",\"titleContains\":[1]}") << 3;
    }

    void parseConditions()
    {
        QFETCH(QString, json);
        QFETCH(int, kind);
        const std::optional<FilterConditions> parsed = parseFilterConditions(json);
        QCOMPARE(parsed ? int(parsed->index()) : -1, kind);
    }

    void parseConditionFields()
    {
        const auto pattern = parseFilterConditions(QStringLiteral(
            "{\"runtimeType\":\"pattern\",\"titleContains\":\"single\",\"titleExact\":[\"A\",7,\"B\"],"
            "\"descriptionContains\":{\"x\":1},\"locationContains\":[\"Room\"],\"caseSensitive\":\"yes\"}"));
        QVERIFY(pattern);
        const auto &p = std::get<PatternConditions>(*pattern);
        QVERIFY(p.titleContains.isEmpty());
        QCOMPARE(p.titleExact, (QStringList{"A", "", "B"}));
        QVERIFY(p.descriptionContains.isEmpty());
        QCOMPARE(p.locationContains, QStringList{"Room"});
        QVERIFY(!p.caseSensitive);

        const auto time = parseFilterConditions(QStringLiteral(
            "{\"runtimeType\":\"time\",\"timeExact\":930,\"timeRange\":\"09:00-10:00\","
            "\"daysOfWeek\":[\"mon\",\"fri\"],\"recurringOnly\":true}"));
        QVERIFY(time);
        const auto &t = std::get<TimeConditions>(*time);
        QVERIFY(t.timeExact.isEmpty());
        QVERIFY(t.rangeStart.isEmpty() && t.rangeEnd.isEmpty());
        QCOMPARE(t.daysOfWeek, (QStringList{"mon", "fri"}));
        QVERIFY(t.recurringOnly);

        const auto range = parseFilterConditions(
            QStringLiteral("{\"runtimeType\":\"time\",\"timeRange\":{\"start\":\"08:15\"}}"));
        QCOMPARE(std::get<TimeConditions>(*range).rangeStart, QStringLiteral("08:15"));
        QVERIFY(std::get<TimeConditions>(*range).rangeEnd.isEmpty());
    }

    void weekdayNames_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("weekday");
        QTest::newRow("mon") << QStringLiteral("mon") << 1;
        QTest::newRow("sun") << QStringLiteral("sun") << 7;
        QTest::newRow("upper case") << QStringLiteral("SUN") << 7;
        QTest::newRow("full name") << QStringLiteral("monday") << 0;
        QTest::newRow("leading space") << QStringLiteral(" mon") << 0;
        QTest::newRow("empty") << QString() << 0;
    }

    void weekdayNames()
    {
        QFETCH(QString, key);
        QFETCH(int, weekday);
        QCOMPARE(parseWeekdayName(key), weekday);
    }

    // Each kind of condition
    void patternRules_data()
    {
        QTest::addColumn<QString>("conditions");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("location");
        QTest::addColumn<bool>("captured");

        const QString standup = titleContains(QStringLiteral("standup"));
        QTest::newRow("contains, any case") << standup << "Daily Standup" << "" << "" << true;
        QTest::newRow("contains, case sensitive")
            << QStringLiteral("{\"runtimeType\":\"pattern\",\"titleContains\":[\"standup\"],\"caseSensitive\":true}")
            << "Daily Standup" << "" << "" << false;
        QTest::newRow("contains, case sensitive, same case")
            << QStringLiteral("{\"runtimeType\":\"pattern\",\"titleContains\":[\"Stand\"],\"caseSensitive\":true}")
            << "Daily Standup" << "" << "" << true;
        QTest::newRow("any of several phrases")
            << QStringLiteral("{\"runtimeType\":\"pattern\",\"titleContains\":[\"gym\",\"lunch\"]}")
            << "Team lunch" << "" << "" << true;
        QTest::newRow("exact is whole title")
            << QStringLiteral("{\"runtimeType\":\"pattern\",\"titleExact\":[\"Lunch\"]}")
            << "Lunch with team" << "" << "" << false;
        QTest::newRow("exact, any case")
            << QStringLiteral("{\"runtimeType\":\"pattern\",\"titleExact\":[\"Lunch\"]}")
            << "LUNCH" << "" << "" << true;
        QTest::newRow("empty phrase captures all")
            << titleContains(QString()) << "Anything" << "" << "" << true;
        QTest::newRow("description phrase")
            << QStringLiteral("{\"runtimeType\":\"pattern\",\"descriptionContains\":[\"zoom\"]}")
            << "Call" << "Join on Zoom" << "" << true;
        QTest::newRow("empty description never captured")
            << QStringLiteral("{\"runtimeType\":\"pattern\",\"descriptionContains\":[\"\"]}")
            << "Call" << "" << "" << false;
        QTest::newRow("location phrase")
            << QStringLiteral("{\"runtimeType\":\"pattern\",\"locationContains\":[\"berlin\"]}")
            << "Trip" << "" << "Berlin office" << true;
        QTest::newRow("empty location never captured")
            << QStringLiteral("{\"runtimeType\":\"pattern\",\"locationContains\":[\"\"]}")
            << "Trip" << "" << "" << false;
        QTest::newRow("title phrase does not search description")
            << standup << "Sync" << "after the standup" << "" << false;
        QTest::newRow("no phrases at all") << QStringLiteral("{\"runtimeType\":\"pattern\"}")
                                           << "Anything" << "text" << "place" << false;
        QTest::newRow("non-ASCII any case") << titleContains(QStringLiteral("straße"))
                                            << "STRASSE fest" << "" << "" << false;
        QTest::newRow("non-ASCII same letters") << titleContains(QStringLiteral("émile"))
                                                << "Call ÉMILE" << "" << "" << true;
    }

    void patternRules()
    {
        QFETCH(QString, conditions);
        QFETCH(QString, title);
        QFETCH(QString, description);
        QFETCH(QString, location);
        QFETCH(bool, captured);
        Event e = makeEvent(QStringLiteral("e"), title);
        e.description = description;
        e.location = location;
        const FilterRule r = rule(QStringLiteral("r"), conditions);
        const auto parsed = parseFilterConditions(conditions);
        QVERIFY(parsed);
        QCOMPARE(FilterEngine::matches(e, r, *parsed), captured);
        QCOMPARE(FilterEngine::apply({e}, {r}).hiddenCount, captured ? 1 : 0);
    }

    void timeRules_data()
    {
        QTest::addColumn<QString>("conditions");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QString>("rrule");
        QTest::addColumn<bool>("captured");

        const QString nineToTen =
            QStringLiteral("{\"runtimeType\":\"time\",\"timeRange\":{\"start\":\"09:00\",\"end\":\"10:00\"}}");
        const auto at = [](int h, int m, int s = 0) { return QDateTime(kWednesday, QTime(h, m, s)); };
        QTest::newRow("range: start edge") << nineToTen << at(9, 0) << "" << true;
        QTest::newRow("range: end edge") << nineToTen << at(10, 0) << "" << true;
        QTest::newRow("range: seconds ignored") << nineToTen << at(10, 0, 59) << "" << true;
        QTest::newRow("range: after") << nineToTen << at(10, 1) << "" << false;
        QTest::newRow("range: before") << nineToTen << at(8, 59, 59) << "" << false;
        QTest::newRow("range: only start")
            << QStringLiteral("{\"runtimeType\":\"time\",\"timeRange\":{\"start\":\"17:00\"}}") << at(23, 59)
            << "" << true;
        QTest::newRow("range: only end")
            << QStringLiteral("{\"runtimeType\":\"time\",\"timeRange\":{\"end\":\"07:00\"}}") << at(7, 30)
            << "" << false;

        const QString exactNine = QStringLiteral("{\"runtimeType\":\"time\",\"timeExact\":\"09:00\"}");
        QTest::newRow("exact") << exactNine << at(9, 0, 30) << "" << true;
        QTest::newRow("exact, other minute") << exactNine << at(9, 1) << "" << false;
        QTest::newRow("exact with one hour digit never matches")
            << QStringLiteral("{\"runtimeType\":\"time\",\"timeExact\":\"9:00\"}") << at(9, 0) << "" << false;

        const QString weekend =
            QStringLiteral("{\"runtimeType\":\"time\",\"daysOfWeek\":[\"sat\",\"sun\"]}");
        QTest::newRow("weekend: saturday morning") << weekend << QDateTime(kSaturday, QTime(0, 5)) << "" << true;
        QTest::newRow("weekend: sunday night") << weekend << QDateTime(kSunday, QTime(23, 55)) << "" << true;
        QTest::newRow("weekend: wednesday") << weekend << at(12, 0) << "" << false;
        QTest::newRow("day key in capitals")
            << QStringLiteral("{\"runtimeType\":\"time\",\"daysOfWeek\":[\"Sat\"]}")
            << QDateTime(kSaturday, QTime(15, 0)) << "" << true;
        QTest::newRow("unknown day key alone matches nothing")
            << QStringLiteral("{\"runtimeType\":\"time\",\"daysOfWeek\":[\"saturday\"]}")
            << QDateTime(kSaturday, QTime(15, 0)) << "" << false;
        QTest::newRow("day and range both needed")
            << QStringLiteral("{\"runtimeType\":\"time\",\"daysOfWeek\":[\"wed\"],"
                              "\"timeRange\":{\"start\":\"09:00\",\"end\":\"10:00\"}}")
            << QDateTime(kSaturday, QTime(9, 30)) << "" << false;

        QTest::newRow("runtimeType only matches nothing")
            << QStringLiteral("{\"runtimeType\":\"time\"}") << at(9, 0) << "" << false;
        QTest::newRow("recurringOnly alone matches nothing")
            << QStringLiteral("{\"runtimeType\":\"time\",\"recurringOnly\":true}") << at(9, 0)
            << "FREQ=DAILY" << false;
        QTest::newRow("recurringOnly, single event")
            << QStringLiteral("{\"runtimeType\":\"time\",\"timeExact\":\"09:00\",\"recurringOnly\":true}")
            << at(9, 0) << "" << false;
        QTest::newRow("recurringOnly, series")
            << QStringLiteral("{\"runtimeType\":\"time\",\"timeExact\":\"09:00\",\"recurringOnly\":true}")
            << at(9, 0) << "FREQ=WEEKLY" << true;
        QTest::newRow("invalid start never matches a time")
            << QStringLiteral("{\"runtimeType\":\"time\",\"timeRange\":{\"start\":\"22:00\",\"end\":\"06:00\"}}")
            << QDateTime() << "" << false;
        QTest::newRow("stored in UTC, compared locally")
            << exactNine << QDateTime(kWednesday, QTime(9, 0)).toUTC() << "" << true;
    }

    void timeRules()
    {
        QFETCH(QString, conditions);
        QFETCH(QDateTime, start);
        QFETCH(QString, rrule);
        QFETCH(bool, captured);
        Event e = makeEvent(QStringLiteral("e"), QStringLiteral("Meeting"), start);
        e.start_time = start; // the helper would replace an invalid start
        e.recurrence_rule = rrule;
        const auto parsed = parseFilterConditions(conditions);
        QVERIFY(parsed);
        QCOMPARE(FilterEngine::matchTime(e, std::get<TimeConditions>(*parsed)), captured);
        QCOMPARE(FilterEngine::apply({e}, {rule(QStringLiteral("r"), conditions)}).hiddenCount,
                 captured ? 1 : 0);
    }

    void timeRangeOverMidnightCapturesNightWindow_data()
    {
        QTest::addColumn<QTime>("start");
        QTest::addColumn<bool>("captured");
        QTest::newRow("22:00 start edge") << QTime(22, 0) << true;
        QTest::newRow("midnight") << QTime(0, 0) << true;
        QTest::newRow("06:00 end edge") << QTime(6, 0, 45) << true;
        QTest::newRow("06:01") << QTime(6, 1) << false;
        QTest::newRow("noon") << QTime(12, 0) << false;
        QTest::newRow("21:59") << QTime(21, 59, 59) << false;
    }

    void timeRangeOverMidnightCapturesNightWindow()
    {
        QFETCH(QTime, start);
        QFETCH(bool, captured);
        const QString night =
            QStringLiteral("{\"runtimeType\":\"time\",\"timeRange\":{\"start\":\"22:00\",\"end\":\"06:00\"}}");
        const Event e = makeEvent(QStringLiteral("e"), QStringLiteral("Late"), QDateTime(kWednesday, start));
        const FilterResult result = FilterEngine::apply({e}, {rule(QStringLiteral("night"), night)});
        QCOMPARE(result.hiddenCount, captured ? 1 : 0);
        QCOMPARE(result.events.size(), captured ? 0 : 1);
    }

    void allDayAndSpecificRules_data()
    {
        QTest::addColumn<QString>("conditions");
        QTest::addColumn<QString>("eventUidInRule");
        QTest::addColumn<QString>("eventCalendarInRule");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QString>("rrule");
        QTest::addColumn<QString>("providerId");
        QTest::addColumn<bool>("captured");

        const QString allDay = QStringLiteral("{\"runtimeType\":\"allDay\"}");
        const QString recurringAllDay = QStringLiteral("{\"runtimeType\":\"allDay\",\"recurringOnly\":true}");
        const QString specific = QStringLiteral("{\"runtimeType\":\"specific\"}");
        QTest::newRow("all-day event") << allDay << "" << "" << true << "" << "" << true;
        QTest::newRow("timed event") << allDay << "" << "" << false << "" << "" << false;
        QTest::newRow("recurring only, series") << recurringAllDay << "" << "" << true << "FREQ=YEARLY" << "" << true;
        QTest::newRow("recurring only, single") << recurringAllDay << "" << "" << true << "" << "" << false;
        QTest::newRow("specific by uid") << specific << "e@uid" << "cal-a" << false << "" << "" << true;
        QTest::newRow("specific, other calendar") << specific << "e@uid" << "cal-b" << false << "" << "" << false;
        QTest::newRow("specific by provider id") << specific << "g-123" << "cal-a" << false << "" << "g-123" << true;
        QTest::newRow("specific, empty provider id is no match")
            << specific << "" << "cal-a" << false << "" << "" << false;
        QTest::newRow("specific, other uid") << specific << "x@uid" << "cal-a" << false << "" << "g-1" << false;
    }

    void allDayAndSpecificRules()
    {
        QFETCH(QString, conditions);
        QFETCH(QString, eventUidInRule);
        QFETCH(QString, eventCalendarInRule);
        QFETCH(bool, allDay);
        QFETCH(QString, rrule);
        QFETCH(QString, providerId);
        QFETCH(bool, captured);
        Event e = makeEvent(QStringLiteral("e"), QStringLiteral("Holiday"), QDateTime(kWednesday, QTime(0, 0)));
        e.is_all_day = allDay;
        e.recurrence_rule = rrule;
        e.provider_event_id = providerId;
        FilterRule r = rule(QStringLiteral("r"), conditions);
        r.event_uid = eventUidInRule;
        r.event_calendar_id = eventCalendarInRule;
        QCOMPARE(FilterEngine::apply({e}, {r}).hiddenCount, captured ? 1 : 0);
    }

    // Deciding between rules
    void precedence_data()
    {
        // Two rules capture the same event; the winner's action shows.
        QTest::addColumn<QString>("firstAction");
        QTest::addColumn<int>("firstPriority");
        QTest::addColumn<QString>("secondAction");
        QTest::addColumn<int>("secondPriority");
        QTest::addColumn<QString>("outcome"); // "hidden", "dimmed" or "plain"

        QTest::newRow("dim at 10 beats hide at 100") << "hide" << 100 << "dim" << 10 << "dimmed";
        QTest::newRow("hide at 10 beats dim at 100") << "dim" << 100 << "hide" << 10 << "hidden";
        QTest::newRow("tie: first given decides (dim)") << "dim" << 50 << "hide" << 50 << "dimmed";
        QTest::newRow("tie: first given decides (hide)") << "hide" << 50 << "dim" << 50 << "hidden";
        QTest::newRow("unknown action decides and stops") << "highlight" << 1 << "hide" << 2 << "plain";
        QTest::newRow("action compared exactly") << "Hide" << 1 << "dim" << 2 << "plain";
        QTest::newRow("negative priority first") << "dim" << -5 << "hide" << 0 << "dimmed";
    }

    void precedence()
    {
        QFETCH(QString, firstAction);
        QFETCH(int, firstPriority);
        QFETCH(QString, secondAction);
        QFETCH(int, secondPriority);
        QFETCH(QString, outcome);
        const Event e = makeEvent(QStringLiteral("e"), QStringLiteral("Gym session"));
        const QList<FilterRule> rules = {
            rule(QStringLiteral("first"), titleContains(QStringLiteral("gym")), firstAction, firstPriority),
            rule(QStringLiteral("second"), titleContains(QStringLiteral("session")), secondAction, secondPriority),
        };
        const FilterResult result = FilterEngine::apply({e}, rules);
        QString got = QStringLiteral("plain");
        if (result.hiddenCount == 1 && result.events.isEmpty())
            got = QStringLiteral("hidden");
        else if (result.events.size() == 1 && result.dimmedIds.contains(QStringLiteral("e")))
            got = QStringLiteral("dimmed");
        else
            QCOMPARE(result.events.size(), 1);
        QCOMPARE(got, outcome);
    }

    void hiddenAndDimmedBookkeeping()
    {
        const QList<Event> events = {
            makeEvent(QStringLiteral("gym1"), QStringLiteral("Gym")),
            makeEvent(QStringLiteral("keep1"), QStringLiteral("Dentist")),
            makeEvent(QStringLiteral("lunch"), QStringLiteral("Lunch")),
            makeEvent(QStringLiteral("gym2"), QStringLiteral("gym again")),
            makeEvent(QStringLiteral("call"), QStringLiteral("Call")),
            makeEvent(QStringLiteral("keep2"), QStringLiteral("Review")),
        };
        FilterRule hideGym = rule(QStringLiteral("hide gym"), titleContains(QStringLiteral("gym")));
        FilterRule dimLunch = rule(QStringLiteral("dim lunch"), titleContains(QStringLiteral("lunch")),
                                   QStringLiteral("dim"));
        FilterRule dimCall = rule(QStringLiteral("dim call"), titleContains(QStringLiteral("call")),
                                  QStringLiteral("dim"));
        dimCall.suppress_reminders = true;
        // suppress_reminders on a hide rule changes nothing: hidden events are silent anyway.
        hideGym.suppress_reminders = false;

        const FilterResult result = FilterEngine::apply(events, {hideGym, dimLunch, dimCall});
        QCOMPARE(ids(result.events), (QStringList{"keep1", "lunch", "call", "keep2"}));
        QCOMPARE(result.hiddenCount, 2);
        QCOMPARE(sorted(result.dimmedIds), (QStringList{"call", "lunch"}));
        QCOMPARE(sorted(result.suppressedIds), (QStringList{"call", "gym1", "gym2"}));
    }

    void emptyRuleListKeepsEverything()
    {
        const QList<Event> events = {makeEvent(QStringLiteral("a"), QStringLiteral("A")),
                                     makeEvent(QStringLiteral("b"), QStringLiteral("B"))};
        const FilterResult result = FilterEngine::apply(events, {});
        QCOMPARE(ids(result.events), (QStringList{"a", "b"}));
        QCOMPARE(result.hiddenCount, 0);
        QVERIFY(result.dimmedIds.isEmpty());
        QVERIFY(result.suppressedIds.isEmpty());
        QVERIFY(FilterEngine::apply({}, {rule(QStringLiteral("r"), titleContains(QString()))}).events.isEmpty());
    }

    void inertRulesAreSkippedWithoutHarm()
    {
        const Event e = makeEvent(QStringLiteral("e"), QStringLiteral("Anything"));
        FilterRule disabled = rule(QStringLiteral("disabled"), titleContains(QString()), QStringLiteral("hide"), 1);
        disabled.enabled = false;
        FilterRule deleted = rule(QStringLiteral("deleted"), titleContains(QString()), QStringLiteral("hide"), 2);
        deleted.deleted_at = QDateTime::currentDateTimeUtc();
        const QList<FilterRule> broken = {
            disabled,
            deleted,
            rule(QStringLiteral("malformed"), QStringLiteral("{\"runtimeType\":\"pattern\",\"titleContains\":[\"\""),
                 QStringLiteral("hide"), 3),
            rule(QStringLiteral("empty"), QString(), QStringLiteral("hide"), 4),
            rule(QStringLiteral("misspelt"), QStringLiteral("{\"runtimeType\":\"paterns\"}"), QStringLiteral("hide"), 5),
            rule(QStringLiteral("binary"), QString::fromLatin1("\xff\xfe{\x01"), QStringLiteral("hide"), 6),
        };
        const FilterResult result = FilterEngine::apply({e}, broken);
        QCOMPARE(ids(result.events), QStringList{"e"});
        QCOMPARE(result.hiddenCount, 0);
        QVERIFY(!FilterEngine::findMatchingRule(e, broken));

        // Behind the inert rules a working one still decides.
        QList<FilterRule> withWorking = broken;
        withWorking.append(rule(QStringLiteral("works"), titleContains(QStringLiteral("any")), QStringLiteral("dim"), 7));
        QCOMPARE(FilterEngine::apply({e}, withWorking).dimmedIds.size(), 1);
        QCOMPARE(FilterEngine::findMatchingRule(e, withWorking)->name, QStringLiteral("works"));
    }

    // Calendar scope
    void scopedRuleKeepsItsScope_data()
    {
        QTest::addColumn<QString>("calendarIds");
        QTest::addColumn<QStringList>("hidden"); // ids of the hidden events, calendars a, b, hidden

        QTest::newRow("empty array: every calendar") << QStringLiteral("[]") << QStringList{"a", "b", "h"};
        QTest::newRow("spaced empty array: every calendar") << QStringLiteral(" [ ] ") << QStringList{"a", "b", "h"};
        QTest::newRow("one calendar") << QStringLiteral("[\"cal-a\"]") << QStringList{"a"};
        QTest::newRow("two calendars") << QStringLiteral("[\"cal-a\",\"cal-b\"]") << QStringList{"a", "b"};
        QTest::newRow("scoped to a hidden calendar only")
            << QStringLiteral("[\"cal-hidden\"]") << QStringList{"h"};
        QTest::newRow("scoped to an unknown calendar touches nothing")
            << QStringLiteral("[\"cal-gone\"]") << QStringList{};
        QTest::newRow("unknown id beside a known one") << QStringLiteral("[\"cal-gone\",\"cal-b\"]") << QStringList{"b"};
        QTest::newRow("ids compared exactly") << QStringLiteral("[\"CAL-A\"]") << QStringList{};
        QTest::newRow("unreadable list keeps the rule away from every calendar")
            << QStringLiteral("[\"cal-a\"") << QStringList{};
        QTest::newRow("empty text is no choice of every calendar") << QString() << QStringList{};
        QTest::newRow("only unusable entries are no choice of every calendar")
            << QStringLiteral("[\"\", 5, null]") << QStringList{};
        QTest::newRow("unusable entries beside an id") << QStringLiteral("[\"\", \"cal-a\", 5]") << QStringList{"a"};
    }

    void scopedRuleKeepsItsScope()
    {
        QFETCH(QString, calendarIds);
        QFETCH(QStringList, hidden);
        const QList<Event> events = {
            makeEvent(QStringLiteral("a"), QStringLiteral("Busy"), {}, QStringLiteral("cal-a")),
            makeEvent(QStringLiteral("b"), QStringLiteral("Busy"), {}, QStringLiteral("cal-b")),
            makeEvent(QStringLiteral("h"), QStringLiteral("Busy"), {}, QStringLiteral("cal-hidden")),
        };
        const FilterRule r = rule(QStringLiteral("busy"), titleContains(QStringLiteral("busy")),
                                  QStringLiteral("hide"), 100, calendarIds);
        const FilterResult result = FilterEngine::apply(events, {r});
        QCOMPARE(sorted(result.suppressedIds), hidden);
        QCOMPARE(result.hiddenCount, hidden.size());
        for (const Event &e : events)
            QCOMPARE(bool(FilterEngine::findMatchingRule(e, {r})), hidden.contains(e.id));
    }

    // Context-menu lookup
    void findMatchingRule_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("calendar");
        QTest::addColumn<QString>("found"); // rule name, empty for none

        QTest::newRow("lowest priority wins, whatever its action") << "Gym and lunch" << "cal-a" << "dim lunch";
        QTest::newRow("only one captures") << "Gym" << "cal-a" << "hide gym";
        QTest::newRow("out of scope falls through") << "Lunch" << "cal-b" << "plain lunch";
        QTest::newRow("disabled rule never found") << "Yoga" << "cal-a" << "";
        QTest::newRow("nothing captures") << "Dentist" << "cal-a" << "";
    }

    void findMatchingRule()
    {
        QFETCH(QString, title);
        QFETCH(QString, calendar);
        QFETCH(QString, found);
        FilterRule yoga = rule(QStringLiteral("yoga"), titleContains(QStringLiteral("yoga")), QStringLiteral("hide"), 1);
        yoga.enabled = false;
        // Given in name order, as the repository lists them.
        const QList<FilterRule> all = {
            rule(QStringLiteral("dim lunch"), titleContains(QStringLiteral("lunch")), QStringLiteral("dim"), 10,
                 QStringLiteral("[\"cal-a\"]")),
            rule(QStringLiteral("hide gym"), titleContains(QStringLiteral("gym")), QStringLiteral("hide"), 20),
            rule(QStringLiteral("plain lunch"), titleContains(QStringLiteral("lunch")), QStringLiteral("note"), 30),
            yoga,
        };
        const std::optional<FilterRule> match =
            FilterEngine::findMatchingRule(makeEvent(QStringLiteral("e"), title, {}, calendar), all);
        QCOMPARE(match ? match->name : QString(), found);
    }
};

QTEST_GUILESS_MAIN(TestFilterEngine)
#include "tst_filterengine.moc"
