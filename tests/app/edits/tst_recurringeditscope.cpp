#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "app/edits/recurringeditscope.h"
#include "dialogs/editing/recurringeditscopedialog.h"
#include "store/eventrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/teststore.h"

#include <QRegularExpression>
#include <QTest>
#include <QTimeZone>

#include <memory>

class TestRecurringEditScope : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup()
    {
        m_events.reset();
        m_store.reset();
    }

    void dialogTellsTheChosenScope_data();
    void dialogTellsTheChosenScope();
    void thisEventOnlyStoresAnOverrideInsideTheSeries();
    void splitKeepsTheSeriesEnd_data();
    void splitKeepsTheSeriesEnd();
    void splitTakesLaterChangesAlong();
    void failedSplitGivesTheMasterItsRuleBack();
    void allEventsMovesAndResizesTheMaster();
    void allDaySeriesKeepsItsDatesAcrossDaylightSaving();
    void seriesEditKeepsTheSeriesLength_data();
    void seriesEditKeepsTheSeriesLength();
    void truncationEndsTheRuleAtTheCutoff();
    void allEventsMoveKeepsSkippedAndChangedDays_data();
    void allEventsMoveKeepsSkippedAndChangedDays();
    void allEventsMoveKeepsEachHeldChangeOnce_data();
    void allEventsMoveKeepsEachHeldChangeOnce();
    void extraDatesMoveWithTheSeries_data();
    void extraDatesMoveWithTheSeries();
    void failedWriteLeavesTheSeriesAsItWas_data();
    void failedWriteLeavesTheSeriesAsItWas();
    void splitTextLeavesLaterChangesToTheNewSeries();

private:
    QStringList shownIn(const QTimeZone &zone) const;
    Event storeSeries(const QString &rule, bool allDay = false);
    Event other(const QString &masterId) const
    {
        const QList<Event> rows = m_events->getByCalendar(QStringLiteral("cal"));
        return rows.size() == 2 ? (rows.first().id == masterId ? rows.last() : rows.first()) : Event();
    }

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<EventRepository> m_events;
};

void TestRecurringEditScope::init()
{
    m_store = std::make_unique<TestStore>();
    QVERIFY(seedLocalCalendars(m_store->db(), {QStringLiteral("cal")}));
    m_events = std::make_unique<EventRepository>(m_store->db());
}

// From Monday 5 January 2026, 10:00 to 11:00 local time, with a reminder.
Event TestRecurringEditScope::storeSeries(const QString &rule, bool allDay)
{
    Event master;
    master.id = QStringLiteral("master");
    master.uid = QStringLiteral("series@example.test");
    master.calendar_id = QStringLiteral("cal");
    master.title = QStringLiteral("Standup");
    master.is_all_day = allDay;
    // A timed series is stepped in the local zone, as the event form plans
    // new events; an all-day one read from a server names no zone.
    master.timezone = allDay ? QStringLiteral("UTC") : QString::fromUtf8(QTimeZone::systemTimeZoneId());
    master.start_time = QDateTime(QDate(2026, 1, 5), allDay ? QTime(0, 0) : QTime(10, 0));
    master.end_time = master.start_time.addSecs(allDay ? 86400 : 3600);
    master.recurrence_rule = rule;
    master.reminders = {Reminder()};
    master.raw_icalendar = IcsCodec::buildEventIcs(master);
    if (!m_events->insert(master))
        qFatal("setup write refused");
    return *m_events->getById(master.id);
}

void TestRecurringEditScope::dialogTellsTheChosenScope_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("scope");
    QTest::newRow("this") << "This event only" << 1;
    QTest::newRow("following") << "This and following events" << 2;
    QTest::newRow("all") << "All events in the series" << 3;
    QTest::newRow("cancel") << "Cancel" << 0;
    QTest::newRow("escape") << QString() << 0;
}

void TestRecurringEditScope::dialogTellsTheChosenScope()
{
    QFETCH(QString, button);
    QFETCH(int, scope);
    const Event master = storeSeries(QStringLiteral("FREQ=WEEKLY;COUNT=10"));
    ModalAnswerer answerer;
    if (button.isEmpty())
        answerer.answer([](QWidget *dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    else
        answerer.clickButton(button);
    RecurringEditScopeDialog dialog(master.title);
    QCOMPARE(dialog.exec(), scope == 0 ? int(QDialog::Rejected) : int(QDialog::Accepted));
    QCOMPARE(dialog.scope(), scope);
    QCOMPARE(answerer.seen(), QStringList{QStringLiteral("RecurringEditScopeDialog Edit Recurring Event")});
    if (scope != 0)
        return;
    // A cancelled choice writes nothing.
    const QDateTime occurrence(QDate(2026, 1, 12), QTime(10, 0));
    QVERIFY(applyRecurringEditScope(m_events.get(), master, occurrence, occurrence, std::nullopt, dialog.scope()));
    QCOMPARE(m_events->getById(master.id)->last_modified, master.last_modified);
    QCOMPARE(m_events->getByCalendar(QStringLiteral("cal")).size(), 1);
}

void TestRecurringEditScope::thisEventOnlyStoresAnOverrideInsideTheSeries()
{
    const Event master = storeSeries(QStringLiteral("FREQ=WEEKLY;COUNT=10"));
    const QDateTime occurrence(QDate(2026, 1, 12), QTime(10, 0));
    QVERIFY(applyRecurringEditScope(m_events.get(), master, occurrence, occurrence.addSecs(3600),
                                    occurrence.addSecs(7200), 1));
    QCOMPARE(m_events->getById(master.id)->sequence, master.sequence);
    const Event moved = other(master.id);
    QCOMPARE(moved.uid, moved.id);
    QCOMPARE(moved.master_event_uid, master.uid);
    QCOMPARE(moved.recurrence_id, occurrence.toUTC().toString(QStringLiteral("yyyyMMddTHHmmss'Z'")));
    QCOMPARE(moved.sync_status, SyncStatus::Pending);
    QCOMPARE(moved.reminders.size(), 1);
    // Its text overrides the series' occurrence, so the sync sends it
    // inside the series' resource; the views show it in the occurrence's place.
    const Event text = IcsCodec::parseEvents(moved.raw_icalendar).value(0);
    QCOMPARE(QStringList({text.uid, text.recurrence_id}), QStringList({master.uid, moved.recurrence_id}));
    QCOMPARE(text.start_time, occurrence.addSecs(3600));
    const QList<Event> shown = Recurrence::expandForRange(m_events->getByCalendar(QStringLiteral("cal")),
                                                          occurrence.addSecs(-60), occurrence.addSecs(60));
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().id, moved.id);
}

void TestRecurringEditScope::splitKeepsTheSeriesEnd_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<bool>("allDay");
    QTest::addColumn<QDate>("splitDay");
    QTest::addColumn<QString>("newRule");
    // 5, 12 and 19 January stay behind.
    QTest::newRow("count") << "FREQ=WEEKLY;COUNT=10;BYDAY=MO" << false << QDate(2026, 1, 26)
                           << "FREQ=WEEKLY;COUNT=7;BYDAY=MO";
    // The new series starts half an hour later: its UNTIL moves with its
    // last occurrence, as a move of the whole series moves it.
    QTest::newRow("until") << "FREQ=WEEKLY;UNTIL=20260601T090000Z" << false << QDate(2026, 1, 26)
                           << "FREQ=WEEKLY;UNTIL=20260601T093000Z";
    QTest::newRow("first") << "FREQ=WEEKLY;COUNT=4" << false << QDate(2026, 1, 5) << "FREQ=WEEKLY;COUNT=4";
    QTest::newRow("all-day") << "FREQ=WEEKLY;COUNT=10" << true << QDate(2026, 1, 26) << "FREQ=WEEKLY;COUNT=7";
}

void TestRecurringEditScope::splitKeepsTheSeriesEnd()
{
    QFETCH(QString, rule);
    QFETCH(bool, allDay);
    QFETCH(QDate, splitDay);
    QFETCH(QString, newRule);
    const Event master = storeSeries(rule, allDay);
    const QDateTime occurrence(splitDay, master.start_time.toLocalTime().time());
    const QDateTime newStart = occurrence.addSecs(allDay ? 86400 : 1800);
    QVERIFY(applyToThisAndFollowing(m_events.get(), master, occurrence, newStart, std::nullopt));

    // The old series ends the day (all-day) or second before the split, and
    // its own text says so.
    const Event truncated = *m_events->getById(master.id);
    const QString until = allDay ? QStringLiteral("20260125")
                                 : occurrence.addSecs(-1).toUTC().toString(QStringLiteral("yyyyMMddTHHmmss'Z'"));
    QCOMPARE(truncated.recurrence_rule.section(QStringLiteral("UNTIL="), 1), until);
    QVERIFY(!truncated.recurrence_rule.contains(QStringLiteral("COUNT")));
    QCOMPARE(IcsCodec::parseEvents(truncated.raw_icalendar).value(0).recurrence_rule, truncated.recurrence_rule);
    QCOMPARE(truncated.sequence, master.sequence + 1);
    const Event series = other(master.id);
    QCOMPARE(series.recurrence_rule, newRule);
    QCOMPARE(series.start_time, newStart);
    QCOMPARE(IcsCodec::parseEvents(series.raw_icalendar).value(0).uid, series.uid);
}

void TestRecurringEditScope::splitTakesLaterChangesAlong()
{
    // Skipped on 12 January and 9 February; 2 February moved to 15:00.
    Event master = storeSeries(QStringLiteral("FREQ=WEEKLY;COUNT=10"));
    const auto at = [](int month, int day, int hour) { return QDateTime(QDate(2026, month, day), QTime(hour, 0)); };
    master.exception_dates = QStringLiteral("[\"%1\",\"%2\"]").arg(
        at(1, 12, 10).toUTC().toString(QStringLiteral("yyyyMMddTHHmmss'Z'")),
        at(2, 9, 10).toUTC().toString(QStringLiteral("yyyyMMddTHHmmss'Z'")));
    QVERIFY(m_events->update(master));
    QVERIFY(applyToThisOccurrence(m_events.get(), master, at(2, 2, 10), at(2, 2, 15), at(2, 2, 16)));

    // From 26 January on, an hour later.
    QVERIFY(applyToThisAndFollowing(m_events.get(), *m_events->getById(master.id), at(1, 26, 10), at(1, 26, 11),
                                    at(1, 26, 12)));
    QStringList shown;
    for (const Event &event : Recurrence::expandForRange(m_events->getByCalendar(QStringLiteral("cal")),
                                                         at(1, 1, 0), at(2, 20, 0)))
        shown.append(event.start_time.toLocalTime().toString(QStringLiteral("MM-dd HH")));
    shown.sort();
    QCOMPARE(shown, QStringList({"01-05 10", "01-19 10", "01-26 11", "02-02 15", "02-16 11"}));
    for (const Event &event : m_events->getByCalendar(QStringLiteral("cal"))) {
        if (!event.recurrence_id.isEmpty())
            QCOMPARE(IcsCodec::parseEvents(event.raw_icalendar).value(0).uid, event.master_event_uid);
    }
}

void TestRecurringEditScope::failedSplitGivesTheMasterItsRuleBack()
{
    const Event master = storeSeries(QStringLiteral("FREQ=WEEKLY;COUNT=10"));
    QVERIFY(m_store->exec(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE INSERT ON events "
                                         "BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("EventRepository::insert failed"));
    const QDateTime occurrence(QDate(2026, 1, 26), QTime(10, 0));
    QVERIFY(!applyRecurringEditScope(m_events.get(), master, occurrence, occurrence, std::nullopt, 2));
    QCOMPARE(m_events->getById(master.id)->recurrence_rule, master.recurrence_rule);
}

void TestRecurringEditScope::allEventsMovesAndResizesTheMaster()
{
    const Event master = storeSeries(QStringLiteral("FREQ=DAILY;COUNT=5"));
    const QDateTime occurrence(QDate(2026, 1, 7), QTime(10, 0));
    QVERIFY(applyRecurringEditScope(m_events.get(), master, occurrence, occurrence.addDays(1),
                                    occurrence.addDays(1).addSecs(3600), 3));
    const Event moved = *m_events->getById(master.id);
    QCOMPARE(moved.start_time, master.start_time.addDays(1));
    QCOMPARE(*moved.end_time, master.end_time->addDays(1));
    QCOMPARE(IcsCodec::parseEvents(moved.raw_icalendar).value(0).start_time, moved.start_time);

    // Thirty minutes longer: the start stays, the end moves.
    const QDateTime again(QDate(2026, 1, 8), QTime(10, 0));
    QVERIFY(applyRecurringEditScope(m_events.get(), moved, again, again, again.addSecs(5400), 3));
    const Event resized = *m_events->getById(master.id);
    QCOMPARE(resized.start_time, moved.start_time);
    QCOMPARE(moved.end_time->secsTo(*resized.end_time), 1800);

    // Without an end the master keeps having none.
    Event open = resized;
    open.end_time.reset();
    QVERIFY(m_events->update(open));
    QVERIFY(applyRecurringEditScope(m_events.get(), open, again, again.addSecs(600), std::nullopt, 3));
    QVERIFY(!m_events->getById(master.id)->end_time);
}

void TestRecurringEditScope::allDaySeriesKeepsItsDatesAcrossDaylightSaving()
{
    // From the day this zone's clocks change in 2026 to the next is not 24 hours.
    const QTimeZone::OffsetData change =
        QTimeZone::systemTimeZone().nextTransition(QDateTime(QDate(2026, 1, 1), QTime(0, 0)));
    if (!change.atUtc.isValid() || change.atUtc.date().year() != 2026)
        QSKIP("No daylight-saving change in this zone");
    const QDateTime occurrence(change.atUtc.toLocalTime().date(), QTime(0, 0));
    const QDateTime next(occurrence.date().addDays(1), QTime(0, 0));
    const Event master = storeSeries(QStringLiteral("FREQ=DAILY"), true);
    QVERIFY(applyRecurringEditScope(m_events.get(), master, occurrence, next, next.addDays(1), 3));
    const Event moved = *m_events->getById(master.id);
    QCOMPARE(moved.start_time.date(), QDate(2026, 1, 6));
    QCOMPARE(moved.end_time->date(), QDate(2026, 1, 7));

    // An override of an all-day day is named by its date, as the views name it.
    QVERIFY(applyRecurringEditScope(m_events.get(), moved, next, next.addDays(1), next.addDays(2), 1));
    const QList<Event> shown = Recurrence::expandForRange(m_events->getByCalendar(QStringLiteral("cal")), next,
                                                          next.addSecs(60));
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().start_time.date(), next.date().addDays(1));
}

void TestRecurringEditScope::seriesEditKeepsTheSeriesLength_data()
{
    // A daily series of day-long events in a zone, as another client writes
    // it (DURATION:P1D); the day of the occurrence an edit starts from, the
    // days it is dragged by (0: its title is edited in the form), the
    // seconds its end is dragged later by, and the scope.
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDate>("opened");
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("longer");
    QTest::addColumn<int>("scope");
    const QByteArray berlin("Europe/Berlin");
    const QByteArray newYork("America/New_York");
    QTest::newRow("title, autumn") << berlin << QDate(2026, 10, 25) << 0 << 0 << 3;
    QTest::newRow("title, spring") << berlin << QDate(2026, 3, 29) << 0 << 0 << 3;
    QTest::newRow("title, autumn, New York") << newYork << QDate(2026, 11, 1) << 0 << 0 << 3;
    QTest::newRow("title, no change") << berlin << QDate(2026, 6, 10) << 0 << 0 << 3;
    QTest::newRow("dragged onto autumn") << berlin << QDate(2026, 10, 24) << 1 << 0 << 3;
    QTest::newRow("dragged onto spring, New York") << newYork << QDate(2026, 3, 7) << 1 << 0 << 3;
    QTest::newRow("an hour longer, autumn") << berlin << QDate(2026, 10, 25) << 0 << 3600 << 3;
    QTest::newRow("following, title, autumn") << berlin << QDate(2026, 10, 25) << 0 << 0 << 2;
    QTest::newRow("following, dragged onto spring") << berlin << QDate(2026, 3, 28) << 1 << 0 << 2;
    QTest::newRow("following, an hour longer, autumn") << berlin << QDate(2026, 10, 25) << 0 << 3600 << 2;
}

void TestRecurringEditScope::seriesEditKeepsTheSeriesLength()
{
    QFETCH(QByteArray, zone);
    QFETCH(QDate, opened);
    QFETCH(int, days);
    QFETCH(int, longer);
    QFETCH(int, scope);
    const QTimeZone tz(zone);
    Event master = IcsCodec::parseEvents(
                       QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Client//EN\r\n"
                                      "BEGIN:VEVENT\r\nUID:away@example.test\r\nSUMMARY:Away\r\n"
                                      "DTSTART;TZID=%1:20260301T000000\r\nDURATION:P1D\r\nRRULE:FREQ=DAILY\r\n"
                                      "END:VEVENT\r\nEND:VCALENDAR\r\n")
                           .arg(QString::fromLatin1(zone)))
                       .value(0);
    master.id = QStringLiteral("master");
    master.calendar_id = QStringLiteral("cal");
    QVERIFY(m_events->insert(master));
    const QDateTime midnight(opened, QTime(0, 0), tz);
    const Event occurrence = Recurrence::expandEvent(master, midnight, midnight.addSecs(1)).value(0);
    QCOMPARE(occurrence.start_time, midnight);
    if (days == 0 && longer == 0) {
        Event edited = occurrence;
        edited.title = QStringLiteral("Away from the desk");
        QVERIFY(applyRecurringEditScope(m_events.get(), master, midnight, edited, scope));
    } else {
        const QDateTime newStart(opened.addDays(days), QTime(0, 0), tz);
        const QDateTime newEnd = Recurrence::occurrenceEnd(master, newStart)->addSecs(longer);
        QVERIFY(applyRecurringEditScope(m_events.get(), master, midnight, newStart, newEnd, scope));
    }

    // Every occurrence, here and as its text reads elsewhere, lasts a day
    // on the wall clock (and the added time, from the edited one on), and
    // an unchanged length is still the series' DURATION.
    const QDateTime from(QDate(2026, 3, 1), QTime(0, 0), tz);
    const QDateTime to(QDate(2027, 3, 1), QTime(0, 0), tz);
    const QDateTime editedFrom = scope == 3 ? from : QDateTime(opened.addDays(days), QTime(0, 0), tz);
    QStringList wrong;
    for (const Event &row : m_events->getByCalendar(QStringLiteral("cal"))) {
        const QStringList lengthLines = IcsCodec::unfoldLines(row.raw_icalendar)
                                            .filter(QRegularExpression(QStringLiteral("^(DTEND|DURATION)[;:]")));
        if (longer == 0 && lengthLines != QStringList{QStringLiteral("DURATION:P1D")})
            wrong.append(row.title + QStringLiteral(": ") + lengthLines.join(QLatin1Char(' ')));
        for (const Event &series : {row, IcsCodec::parseEvents(row.raw_icalendar).value(0)}) {
            for (const Event &shown : Recurrence::expandEvent(series, from, to)) {
                const QDateTime start = shown.start_time.toTimeZone(tz);
                const QDateTime end = QDateTime(start.date().addDays(1), start.time(), tz)
                                          .addSecs(start >= editedFrom ? longer : 0);
                if (*shown.end_time != end)
                    wrong.append(start.toString(Qt::ISODate) + QStringLiteral(" to ")
                                 + shown.end_time->toTimeZone(tz).toString(Qt::ISODate));
            }
        }
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(QString::number(wrong.size()) + QStringLiteral(" wrong, first: ")
                                         + wrong.mid(0, 3).join(QStringLiteral("; "))));
}

void TestRecurringEditScope::truncationEndsTheRuleAtTheCutoff()
{
    const QDateTime cutoff(QDate(2026, 3, 9), QTime(8, 59, 59), Qt::UTC);
    QCOMPARE(truncateRruleBefore(QStringLiteral("FREQ=WEEKLY;COUNT=10;BYDAY=MO"), cutoff),
             QStringLiteral("FREQ=WEEKLY;BYDAY=MO;UNTIL=20260309T085959Z"));
    QCOMPARE(truncateRruleBefore(QStringLiteral("FREQ=DAILY;until=20261231;;stray"), cutoff),
             QStringLiteral("FREQ=DAILY;UNTIL=20260309T085959Z;stray"));
}

// Every occurrence of the calendar's rows, and of their texts as another
// device reads them, on the zone's wall clock with its title.
QStringList TestRecurringEditScope::shownIn(const QTimeZone &zone) const
{
    const QList<Event> rows = m_events->getByCalendar(QStringLiteral("cal"));
    QList<Event> texts;
    for (const Event &row : rows)
        texts += IcsCodec::parseEvents(row.raw_icalendar);
    QStringList shown;
    const QDateTime from(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);
    for (const QList<Event> &events : {rows, texts}) {
        for (const Event &event : Recurrence::expandForRange(events, from, from.addYears(2)))
            shown.append(event.start_time.toTimeZone(zone).toString(QStringLiteral("yyyy-MM-dd ddd HH:mm "))
                         + event.title);
    }
    shown.sort();
    return shown;
}

void TestRecurringEditScope::allEventsMoveKeepsSkippedAndChangedDays_data()
{
    // A series from its first day at 09:00 in `zone` (its length a DTEND,
    // or a DURATION), its third occurrence skipped and its fourth changed
    // to 11:00 here, moved "All events" from its second occurrence by
    // whole days and minutes, or given a new zone at the same wall clock.
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<bool>("duration");
    QTest::addColumn<bool>("changes");
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QString>("newZone");
    QTest::addColumn<QString>("newRule");
    const QString weekly("FREQ=WEEKLY;COUNT=8");
    const QDate monday(2026, 3, 2);
    const QString berlin("Europe/Berlin");
    const QString utc("UTC");
    QTest::newRow("Berlin, two hours") << berlin << monday << weekly << false << true << 0 << 120 << QString() << weekly;
    QTest::newRow("Berlin, a day") << berlin << monday << weekly << false << true << 1 << 0 << QString() << weekly;
    QTest::newRow("Berlin, new zone") << berlin << monday << weekly << false << true << 0 << 0
                                      << "America/New_York" << weekly;
    QTest::newRow("UTC, two hours") << utc << monday << weekly << false << true << 0 << 120 << QString() << weekly;
    QTest::newRow("UTC, a day back") << utc << monday << weekly << false << true << -1 << 0 << QString() << weekly;
    QTest::newRow("UTC, new zone") << utc << monday << weekly << false << true << 0 << 0 << berlin << weekly;
    QTest::newRow("DURATION, two hours") << berlin << monday << weekly << true << true << 0 << 120 << QString()
                                         << weekly;
    QTest::newRow("DURATION, a day") << berlin << monday << weekly << true << true << 1 << 0 << QString() << weekly;
    QTest::newRow("DURATION, new zone") << berlin << monday << weekly << true << true << 0 << 0 << "Europe/London"
                                        << weekly;
    QTest::newRow("weekly on Wednesday, a day")
        << berlin << QDate(2026, 3, 4) << "FREQ=WEEKLY;BYDAY=WE;COUNT=8" << false << true << 1 << 0 << QString()
        << "FREQ=WEEKLY;BYDAY=TH;COUNT=8";
    QTest::newRow("monthly on the 2nd, a day")
        << berlin << monday << "FREQ=MONTHLY;BYMONTHDAY=2;UNTIL=20261002T070000Z" << false << true << 1 << 0
        << QString() << "FREQ=MONTHLY;BYMONTHDAY=3;UNTIL=20261003T070000Z";
    QTest::newRow("last day of the month, a day back")
        << utc << QDate(2026, 3, 31) << "FREQ=MONTHLY;BYMONTHDAY=-1;COUNT=8" << false << true << -1 << 0
        << QString() << "FREQ=MONTHLY;BYMONTHDAY=-2;COUNT=8";
    QTest::newRow("no skipped or changed day, an hour") << berlin << monday << weekly << false << false << 0 << 60
                                                        << QString() << weekly;
    // A floating series steps on the computer's wall clock, and moves on it.
    const QString floating("floating");
    const QString monWed("FREQ=WEEKLY;BYDAY=MO,WE;COUNT=8");
    QTest::newRow("floating Mon/Wed, to 00:30") << floating << monday << monWed << false << true << 0 << -510
                                                << QString() << monWed;
    QTest::newRow("floating Tuesday, 09:00 to 21:00")
        << floating << QDate(2026, 3, 3) << "FREQ=WEEKLY;BYDAY=TU;COUNT=8" << false << true << 0 << 720 << QString()
        << "FREQ=WEEKLY;BYDAY=TU;COUNT=8";
    // 28 March dragged onto 29 March, a day and 23 hours later in Berlin.
    QTest::newRow("floating daily, a day across 29 March")
        << floating << QDate(2026, 3, 27) << "FREQ=DAILY;COUNT=8" << false << true << 1 << 0 << QString()
        << "FREQ=DAILY;COUNT=8";
    QTest::newRow("floating Mon/Wed, a day") << floating << monday << monWed << false << true << 1 << 0 << QString()
                                             << "FREQ=WEEKLY;BYDAY=TU,TH;COUNT=8";
    // A series that begins on the day the clocks change keeps its hour.
    QTest::newRow("first on 29 March, two hours") << berlin << QDate(2026, 3, 29) << weekly << false << true << 0
                                                  << 120 << QString() << weekly;
    // Refused: the moved rule would name other days than the moved ones.
    // Other clients skip a month without the day; this one would clamp.
    QTest::newRow("monthly on the 1st, a day back") << berlin << QDate(2026, 3, 1) << "FREQ=MONTHLY;COUNT=8"
                                                    << false << true << -1 << 0 << QString() << QString();
    QTest::newRow("the 31st, a day") << berlin << QDate(2026, 3, 31) << "FREQ=MONTHLY;BYMONTHDAY=31;COUNT=8"
                                     << false << true << 1 << 0 << QString() << QString();
    QTest::newRow("second Monday, a day") << berlin << QDate(2026, 3, 9) << "FREQ=MONTHLY;BYDAY=2MO;COUNT=8"
                                          << false << true << 1 << 0 << QString() << QString();
    QTest::newRow("28 February, two days") << utc << QDate(2026, 2, 28) << "FREQ=YEARLY;COUNT=8" << false << true
                                           << 2 << 0 << QString() << QString();
    QTest::newRow("last workday, a day") << berlin << QDate(2026, 3, 31)
                                         << "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1;COUNT=8" << false << true
                                         << 1 << 0 << QString() << QString();
}

void TestRecurringEditScope::allEventsMoveKeepsSkippedAndChangedDays()
{
    QFETCH(QString, zone);
    QFETCH(QDate, first);
    QFETCH(QString, rule);
    QFETCH(bool, duration);
    QFETCH(bool, changes);
    QFETCH(int, days);
    QFETCH(int, minutes);
    QFETCH(QString, newZone);
    QFETCH(QString, newRule);
    const bool utc = zone == QLatin1String("UTC");
    const bool floating = zone == QLatin1String("floating");
    const QTimeZone tz = utc ? QTimeZone("UTC") : floating ? QTimeZone::systemTimeZone() : QTimeZone(zone.toUtf8());
    const QString day = first.toString(QStringLiteral("yyyyMMdd"));
    const QString start = utc      ? QStringLiteral("DTSTART:%1T090000Z").arg(day)
                          : floating ? QStringLiteral("DTSTART:%1T090000").arg(day)
                                     : QStringLiteral("DTSTART;TZID=%1:%2T090000").arg(zone, day);
    Event master = IcsCodec::parseEvents(
                       QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Client//EN\r\n"
                                      "BEGIN:VEVENT\r\nUID:walk@example.test\r\nSUMMARY:Walk\r\n%1\r\n%2\r\n"
                                      "RRULE:%3\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
                           .arg(start, duration ? QStringLiteral("DURATION:PT1H") : QString(start).replace(
                                                                                        "DTSTART", "DTEND").replace("T09", "T10"),
                                rule))
                       .value(0);
    master.id = QStringLiteral("master");
    master.calendar_id = QStringLiteral("cal");
    QVERIFY(m_events->insert(master));
    const QList<Event> occurrences =
        Recurrence::expandEvent(master, master.start_time, master.start_time.addYears(6));
    QVERIFY(occurrences.size() >= 4);
    if (changes) {
        master.exception_dates = QStringLiteral("[\"%1\"]").arg(
            occurrences.at(2).start_time.toUTC().toString(QStringLiteral("yyyyMMddTHHmmss'Z'")));
        master.raw_icalendar = IcsCodec::buildEventIcs(master);
        QVERIFY(m_events->update(master));
        const QDateTime changed = occurrences.at(3).start_time;
        QVERIFY(applyToThisOccurrence(m_events.get(), master, changed, changed.addSecs(7200),
                                      changed.addSecs(10800)));
        Event own = other(master.id);
        own.title = QStringLiteral("Changed");
        own.raw_icalendar = IcsCodec::buildEventIcs(own);
        QVERIFY(m_events->update(own));
    }
    master = *m_events->getById(master.id);
    const QList<Event> before = m_events->getByCalendar(QStringLiteral("cal"));
    const QTimeZone shownZone = newZone.isEmpty() ? tz : QTimeZone(newZone.toUtf8());
    // What every occurrence is to be: the same wall clock moved, the
    // changed one where it was put.
    QStringList expected;
    for (const QString &line : shownIn(tz)) {
        const QDateTime at = QDateTime::fromString(line.left(20).remove(10, 4), QStringLiteral("yyyy-MM-dd HH:mm"));
        const QString title = line.mid(21);
        const QDateTime moved =
            title == QLatin1String("Changed")
                ? QDateTime(at.date(), at.time(), tz)
                : QDateTime(at.date().addDays(days), at.time().addSecs(minutes * 60), shownZone);
        expected.append(moved.toTimeZone(shownZone).toString(QStringLiteral("yyyy-MM-dd ddd HH:mm ")) + title);
    }
    expected.sort();

    if (newRule.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^applyRecurringEditScope refused")));
    QString refusal;
    bool done = false;
    if (newZone.isEmpty()) {
        const QDateTime from = occurrences.at(1).start_time.toTimeZone(tz);
        const QDateTime to(from.date().addDays(days), from.time().addSecs(minutes * 60), tz);
        done = applyRecurringEditScope(m_events.get(), master, from, to, std::nullopt, SeriesScope::AllEvents,
                                       &refusal);
    } else {
        Event after = master;
        after.timezone = newZone;
        const QDateTime wall = master.start_time.toTimeZone(tz);
        after.start_time = QDateTime(wall.date(), wall.time(), shownZone);
        after.end_time = after.start_time.addSecs(3600);
        done = storeMovedSeries(m_events.get(), master, after, &refusal);
    }
    if (newRule.isEmpty()) {
        QVERIFY(!done);
        QVERIFY(!refusal.isEmpty());
        QCOMPARE(m_events->getByCalendar(QStringLiteral("cal")), before);
        return;
    }
    QVERIFY2(done, qPrintable(refusal));
    QCOMPARE(m_events->getById(master.id)->recurrence_rule, newRule);
    QCOMPARE(shownIn(shownZone), expected);
}

void TestRecurringEditScope::allEventsMoveKeepsEachHeldChangeOnce_data()
{
    // A Berlin series a server holds, its second week skipped and its
    // third and fourth changed there, moved "All events" by these steps
    // in turn: a change moved by a week takes the place its neighbour
    // leaves, or one withdrawn there before.
    QTest::addColumn<QList<int>>("days");
    QTest::addColumn<int>("minutes");
    QTest::newRow("a week") << QList<int>{7} << 0;
    QTest::newRow("a week and back") << QList<int>{7, -7} << 0;
    QTest::newRow("two hours") << QList<int>{0} << 120;
}

void TestRecurringEditScope::allEventsMoveKeepsEachHeldChangeOnce()
{
    QFETCH(QList<int>, days);
    QFETCH(int, minutes);
    const QTimeZone berlin("Europe/Berlin");
    const QString changed("BEGIN:VEVENT\r\nUID:walk@example.test\r\nSUMMARY:%1\r\n"
                          "RECURRENCE-ID;TZID=Europe/Berlin:%2T090000\r\nDTSTART;TZID=Europe/Berlin:%2T%3\r\n"
                          "DURATION:PT1H\r\nEND:VEVENT\r\n");
    QList<Event> held = IcsCodec::parseEvents(
        QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Client//EN\r\n"
                       "BEGIN:VEVENT\r\nUID:walk@example.test\r\nSUMMARY:Walk\r\n"
                       "DTSTART;TZID=Europe/Berlin:20260302T090000\r\nDURATION:PT1H\r\n"
                       "RRULE:FREQ=WEEKLY;COUNT=6\r\nEXDATE;TZID=Europe/Berlin:20260309T090000\r\nEND:VEVENT\r\n")
        + changed.arg("Later", "20260316", "110000") + changed.arg("Early", "20260323", "073000")
        + QStringLiteral("END:VCALENDAR\r\n"));
    QCOMPARE(held.size(), 3);
    for (Event &row : held) {
        row.id = QStringLiteral("row") + row.recurrence_id;
        row.calendar_id = QStringLiteral("cal");
        row.href = QStringLiteral("/cal/walk.ics");
        row.etag = QStringLiteral("\"1\"");
        row.sync_status = SyncStatus::Synced;
        row.raw_icalendar = IcsCodec::buildEventIcs(row);
        QVERIFY(m_events->insert(row));
    }
    QStringList expected;
    int moved = 0;
    for (int step : days)
        moved += step;
    for (const QString &line : shownIn(berlin)) {
        const QDateTime at = QDateTime::fromString(line.left(20).remove(10, 4), QStringLiteral("yyyy-MM-dd HH:mm"));
        const QDateTime to = line.endsWith(QLatin1String(" Walk"))
            ? QDateTime(at.date().addDays(moved), at.time().addSecs(minutes * 60), berlin)
            : QDateTime(at.date(), at.time(), berlin);
        expected.append(to.toString(QStringLiteral("yyyy-MM-dd ddd HH:mm ")) + line.mid(21));
    }
    expected.sort();

    QDateTime second(QDate(2026, 3, 9), QTime(9, 0), berlin);
    for (int step : days) {
        const QDateTime to(second.date().addDays(step), second.time().addSecs(minutes * 60), berlin);
        QVERIFY(applyRecurringEditScope(m_events.get(), *m_events->getById(held.first().id), second, to, std::nullopt,
                                        SeriesScope::AllEvents));
        second = to;
    }
    QCOMPARE(shownIn(berlin), expected);
    // Each change is found where it now stands, under the series' UID.
    for (const Event &row : m_events->getByCalendar(QStringLiteral("cal"))) {
        const std::optional<Event> found =
            m_events->getByUidAndRecurrenceId(held.first().uid, row.calendar_id, row.recurrence_id);
        QCOMPARE(found ? found->id : QString(), row.id);
    }
}

void TestRecurringEditScope::extraDatesMoveWithTheSeries_data()
{
    // A series from Monday 2 March 2026 (its start: floating without Z,
    // or on `zone`'s wall clock; weekly, or of dates alone) and its extra
    // dates, its occurrence numbered `dragged` dragged by these minutes:
    // "All events" from the first, else "This and following". The extra dates as they
    // are to be stored: the series' (the new one's of a split), and those
    // the ended series keeps.
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<int>("dragged");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QStringList>("moved");
    QTest::addColumn<QStringList>("kept");
    const QString floating("20260302T090000");
    const QString berlin("Europe/Berlin");
    const QString weekly("FREQ=WEEKLY;COUNT=4");
    QTest::newRow("floating, to 00:30") << floating << QString() << weekly << QStringList{"20260320T090000"} << 0
                                        << -510 << QStringList{"20260320T003000"} << QStringList();
    QTest::newRow("floating, a day") << floating << QString() << weekly << QStringList{"20260320T090000"} << 0 << 1440
                                     << QStringList{"20260321T090000"} << QStringList();
    QTest::newRow("date on a floating series, to 00:30") << floating << QString() << weekly << QStringList{"20260320"}
                                                         << 0 << -510 << QStringList{"20260320"} << QStringList();
    QTest::newRow("date on a UTC series, to 00:30") << "20260302T090000Z" << QString() << weekly
                                                    << QStringList{"20260320"} << 0 << -510 << QStringList{"20260320"}
                                                    << QStringList();
    QTest::newRow("UTC, two hours") << "20260302T090000Z" << QString() << weekly << QStringList{"20260320T090000Z"}
                                    << 0 << 120 << QStringList{"20260320T110000Z"} << QStringList();
    // Berlin changes to summer time on 29 March: 09:00 is 08:00Z before, 07:00Z after.
    QTest::newRow("date on a Berlin series, a day across summer time")
        << floating << berlin << weekly << QStringList{"20260328"} << 0 << 1440 << QStringList{"20260329"}
        << QStringList();
    // Split at 9 March (the third occurrence, after the 5th).
    QTest::newRow("split floating, a day") << floating << QString() << weekly
                                           << QStringList{"20260305T090000", "20260320T090000"} << 2 << 1440
                                           << QStringList{"20260321T090000"} << QStringList{"20260305T090000"};
    QTest::newRow("split UTC, two hours") << "20260302T090000Z" << QString() << weekly
                                          << QStringList{"20260305T090000Z", "20260320T090000Z"} << 2 << 120
                                          << QStringList{"20260320T110000Z"} << QStringList{"20260305T090000Z"};
    QTest::newRow("split Berlin, two hours") << floating << berlin << weekly
                                             << QStringList{"20260305T080000Z", "20260320T080000Z"} << 2 << 120
                                             << QStringList{"20260320T100000Z"} << QStringList{"20260305T080000Z"};
    QTest::newRow("split Berlin, a day across summer time")
        << floating << berlin << weekly << QStringList{"20260305T080000Z", "20260328T080000Z"} << 2 << 1440
        << QStringList{"20260329T070000Z"} << QStringList{"20260305T080000Z"};
    QTest::newRow("split Berlin, dates across summer time")
        << floating << berlin << weekly << QStringList{"20260305", "20260328"} << 2 << 1440 << QStringList{"20260329"}
        << QStringList{"20260305"};
    // A split that changes no time (the form's fields alone): each date as it was.
    QTest::newRow("split Berlin, nothing moved") << floating << berlin << weekly
                                                 << QStringList{"20260305", "20260320T080000Z"} << 2 << 0
                                                 << QStringList{"20260320T080000Z"} << QStringList{"20260305"};
    // The dragged occurrence is an extra date too: it goes with the split.
    QTest::newRow("split at an extra date") << floating << QString() << weekly << QStringList{"20260309T090000"} << 1
                                            << 1440 << QStringList{"20260310T090000"} << QStringList();
    // An extra date off the rule, on a Wednesday: the new series starts at
    // the next Monday moved a day, a Tuesday, and keeps the Thursday.
    QTest::newRow("split floating at an extra date off the rule")
        << floating << QString() << weekly << QStringList{"20260311T090000"} << 2 << 1440
        << QStringList{"20260312T090000"} << QStringList();
    QTest::newRow("split UTC at an extra date off the rule")
        << "20260302T090000Z" << QString() << weekly << QStringList{"20260311T090000Z"} << 2 << 1440
        << QStringList{"20260312T090000Z"} << QStringList();
    // Split at 20 March, the ended series keeps its start and the 5th.
    QTest::newRow("split dates alone") << floating << QString() << QString()
                                       << QStringList{"20260305T090000", "20260320T090000"} << 2 << 1440
                                       << QStringList{"20260321T090000"} << QStringList{"20260305T090000"};
}

void TestRecurringEditScope::extraDatesMoveWithTheSeries()
{
    QFETCH(QString, start);
    QFETCH(QString, zone);
    QFETCH(QString, rule);
    QFETCH(QStringList, extra);
    QFETCH(int, dragged);
    QFETCH(int, minutes);
    QFETCH(QStringList, moved);
    QFETCH(QStringList, kept);
    const bool utc = start.endsWith(QLatin1Char('Z'));
    const QString dtstart = zone.isEmpty() ? QLatin1Char(':') + start : QStringLiteral(";TZID=%1:%2").arg(zone, start);
    Event master = IcsCodec::parseEvents(
                       QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Client//EN\r\n"
                                      "BEGIN:VEVENT\r\nUID:walk@example.test\r\nSUMMARY:Walk\r\nDTSTART%1\r\n"
                                      "DURATION:PT1H\r\n%2END:VEVENT\r\nEND:VCALENDAR\r\n")
                           .arg(dtstart, rule.isEmpty() ? QString() : QStringLiteral("RRULE:%1\r\n").arg(rule)))
                       .value(0);
    const auto json = [](const QStringList &dates) {
        return dates.isEmpty() ? QString() : QStringLiteral("[\"%1\"]").arg(dates.join(QStringLiteral("\",\"")));
    };
    master.id = QStringLiteral("master");
    master.calendar_id = QStringLiteral("cal");
    master.recurrence_dates = json(extra);
    QVERIFY(m_events->insert(master));
    master = *m_events->getById(master.id);
    // The drag on the clock the series is shown on.
    const auto onClock = [&](const QDateTime &at) {
        if (!zone.isEmpty())
            return at.toTimeZone(QTimeZone(zone.toUtf8()));
        return utc ? at.toUTC() : at.toLocalTime();
    };
    const auto dropped = [&](const QDateTime &at) {
        return onClock(at).addDays(minutes / 1440).addSecs((minutes % 1440) * 60);
    };
    const QDateTime from = master.start_time.addDays(-1);
    const QDateTime to = master.start_time.addDays(60);
    const QList<Event> before = Recurrence::expandEvent(master, from, to);
    QVERIFY(before.size() > dragged);
    const QDateTime occurrence = onClock(before.at(dragged).start_time);
    QVERIFY(applyRecurringEditScope(m_events.get(), master, occurrence, dropped(occurrence), std::nullopt,
                                    dragged == 0 ? SeriesScope::AllEvents : SeriesScope::ThisAndFollowing));
    const Event ended = *m_events->getById(master.id);
    QCOMPARE((dragged == 0 ? ended : other(master.id)).recurrence_dates, json(moved));
    if (dragged > 0)
        QCOMPARE(ended.recurrence_dates, json(kept));

    // Shown here and as another device reads the texts: every occurrence
    // from the dragged one on moved by the drag, the others where they
    // were, each once.
    QStringList expected;
    for (qsizetype n = 0; n < before.size(); ++n) {
        const QDateTime at = before.at(n).start_time;
        expected.append((n < dragged ? at : dropped(at)).toUTC().toString(Qt::ISODate));
    }
    const QList<Event> stored = m_events->getByCalendar(QStringLiteral("cal"));
    QList<Event> read;
    for (const Event &row : stored)
        read.append(IcsCodec::parseEvents(row.raw_icalendar).value(0));
    for (const QList<Event> &rows : {stored, read}) {
        QStringList shown;
        for (const Event &one : Recurrence::expandForRange(rows, from, to))
            shown.append(one.start_time.toUTC().toString(Qt::ISODate));
        shown.sort();
        QCOMPARE(shown, expected);
    }
}

void TestRecurringEditScope::failedWriteLeavesTheSeriesAsItWas_data()
{
    QTest::addColumn<int>("scope");
    QTest::newRow("all events") << int(SeriesScope::AllEvents);
    QTest::newRow("this and following") << int(SeriesScope::ThisAndFollowing);
}

// The series and its changed occurrences are one write: a store that
// fails at a changed occurrence, after the series itself was written,
// leaves every row as it was.
void TestRecurringEditScope::failedWriteLeavesTheSeriesAsItWas()
{
    QFETCH(int, scope);
    const Event master = storeSeries(QStringLiteral("FREQ=WEEKLY;COUNT=10"));
    const QDateTime changed(QDate(2026, 2, 2), QTime(10, 0));
    QVERIFY(applyToThisOccurrence(m_events.get(), master, changed, changed.addSecs(3600), changed.addSecs(7200)));
    const QList<Event> before = m_events->getByCalendar(QStringLiteral("cal"));
    QVERIFY(m_store->exec(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE UPDATE ON events "
                                         "WHEN COALESCE(NEW.recurrence_id, '') <> '' "
                                         "BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^EventRepository::\\w+ failed"));
    const QDateTime occurrence(QDate(2026, 1, 12), QTime(10, 0));
    QVERIFY(!applyRecurringEditScope(m_events.get(), master, occurrence, occurrence.addDays(1), std::nullopt, scope));
    QCOMPARE(m_events->getByCalendar(QStringLiteral("cal")), before);
}

// A server's text of a series holds its changed occurrences too: split,
// the old series' text no longer holds those from the split on, which the
// new series took along.
void TestRecurringEditScope::splitTextLeavesLaterChangesToTheNewSeries()
{
    const QString text("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Client//EN\r\n"
                       "BEGIN:VEVENT\r\nUID:walk@example.test\r\nSUMMARY:Walk\r\n"
                       "DTSTART:20260302T090000Z\r\nDURATION:PT1H\r\nRRULE:FREQ=WEEKLY;COUNT=8\r\nEND:VEVENT\r\n"
                       "BEGIN:VEVENT\r\nUID:walk@example.test\r\nSUMMARY:Early\r\n"
                       "RECURRENCE-ID:20260309T090000Z\r\nDTSTART:20260309T070000Z\r\nDURATION:PT1H\r\n"
                       "END:VEVENT\r\nBEGIN:VEVENT\r\nUID:walk@example.test\r\nSUMMARY:Late\r\n"
                       "RECURRENCE-ID:20260330T090000Z\r\nDTSTART:20260330T110000Z\r\nDURATION:PT1H\r\n"
                       "END:VEVENT\r\nEND:VCALENDAR\r\n");
    QList<Event> rows = IcsCodec::parseEvents(text);
    QCOMPARE(rows.size(), 3);
    for (Event &row : rows) {
        row.id = QStringLiteral("row") + row.recurrence_id;
        row.calendar_id = QStringLiteral("cal");
        row.href = QStringLiteral("/cal/walk.ics");
        row.raw_icalendar = text;
        QVERIFY(m_events->insert(row));
    }
    const QDateTime split(QDate(2026, 3, 23), QTime(9, 0), Qt::UTC);
    QVERIFY(applyRecurringEditScope(m_events.get(), rows.first(), split, split.addSecs(3600), std::nullopt,
                                    SeriesScope::ThisAndFollowing));
    const QString kept = m_events->getById(rows.first().id)->raw_icalendar;
    QVERIFY(kept.contains(QStringLiteral("RECURRENCE-ID:20260309T090000Z")));
    QVERIFY2(!kept.contains(QStringLiteral("20260330T090000Z")), qPrintable(kept));
}

QTEST_MAIN(TestRecurringEditScope)
#include "tst_recurringeditscope.moc"
