#include "app/appstate.h"
#include "app/edits/eventeditor.h"
#include "app/edits/icsimportrun.h"
#include "app/edits/recurringeditscope.h"
#include "app/edits/undostack.h"
#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "dialogs/editing/eventactions.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"

#include <QKeySequence>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>
#include <QTimeZone>
#include <QTest>

#include <functional>
#include <memory>

namespace {

const QDateTime Nine(QDate(2026, 3, 10), QTime(9, 0));

// One edit of the stored event, as a caller asks for it.
using Edit = std::function<EditResult(EventEditor &, const Event &stored)>;

EditResult moveHour(EventEditor &editor, const Event &stored)
{
    const auto times = EventEditor::moved(stored, stored.start_time, 0, 60);
    return editor.changeTimes(stored, stored.start_time, *times, EventEditor::TimeEdit::Move, SeriesScope::AllEvents);
}

EditResult resizeHour(EventEditor &editor, const Event &stored)
{
    const auto times = EventEditor::resized(stored, stored.start_time, 60);
    return editor.changeTimes(stored, stored.start_time, *times, EventEditor::TimeEdit::Resize);
}

EditResult moveOccurrence(EventEditor &editor, const Event &stored)
{
    const QDateTime occurrence = stored.start_time.addDays(1);
    const auto times = EventEditor::moved(stored, occurrence, 0, 60);
    return editor.changeTimes(stored, occurrence, *times, EventEditor::TimeEdit::Move, SeriesScope::ThisEvent);
}

EditResult formSave(EventEditor &editor, const Event &stored)
{
    Event edited = stored;
    edited.title = QStringLiteral("Renamed");
    return editor.saveForm(stored, edited);
}

EditResult seriesFormSave(EventEditor &editor, const Event &stored)
{
    Event edited = stored;
    edited.title = QStringLiteral("Renamed");
    return editor.saveOccurrence(stored, stored.start_time, edited, SeriesScope::AllEvents);
}

EditResult removal(EventEditor &editor, const Event &stored)
{
    return editor.remove(stored);
}

// How many occurrences the rows start from `from` on, counted a hundred
// days at a time (an expansion gives a series at most 10,000 at once)
// until a stretch starts none, or a century gave none.
int startsFrom(const QList<Event> &rows, const QDateTime &from)
{
    int count = 0;
    for (QDateTime at = from; at < from.addYears(100); at = at.addDays(100)) {
        int here = 0;
        for (const Event &row : rows) {
            for (const Occurrence &occurrence : Recurrence::occurrencesOf(row, at, at.addDays(100)))
                here += occurrence.start >= at ? 1 : 0;
        }
        if (here == 0 && count > 0)
            break;
        count += here;
    }
    return count;
}

} // namespace

class TestEventEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void everyChangeRaisesTheSequence_data();
    void everyChangeRaisesTheSequence();
    void everyChangedDayGetsItsOwnText_data();
    void everyChangedDayGetsItsOwnText();
    void newEventsStartAtSequenceZero();
    void everyCalendarKindMarksEditsPending_data();
    void everyCalendarKindMarksEditsPending();
    void refusedWriteAnswersFailed_data();
    void refusedWriteAnswersFailed();
    void moveThatLeavesTheOldCopySaysSo();
    void moveTakesTheChangedOccurrencesAlong_data();
    void moveTakesTheChangedOccurrencesAlong();
    void followingDraggedMovesItsRule_data();
    void followingDraggedMovesItsRule();
    void followingDraggedTakesEveryChangeAlong_data();
    void followingDraggedTakesEveryChangeAlong();
    void followingDraggedAtAnExtraDateKeepsTheRuleDays_data();
    void followingDraggedAtAnExtraDateKeepsTheRuleDays();
    void splitRecordsItsNewSeriesUntilSent_data();
    void splitRecordsItsNewSeriesUntilSent();
    void callersShowTheRefusal_data();
    void callersShowTheRefusal();

private:
    // A stored event the server holds at SEQUENCE 3.
    Event synced(const QString &calendarId = QString(), const QString &rule = QString());
    EventEditor editor() const { return m_fixture->state()->eventEditor(); }

    std::unique_ptr<WidgetFixture> m_fixture;
};

void TestEventEditor::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
}

void TestEventEditor::cleanup()
{
    m_fixture.reset();
}

Event TestEventEditor::synced(const QString &calendarId, const QString &rule)
{
    Event event = WidgetFixture::timedEvent(QStringLiteral("Planning"), Nine, Nine.addSecs(3600), calendarId);
    event.recurrence_rule = rule;
    event.sequence = 3;
    event.sync_status = SyncStatus::Synced;
    return m_fixture->addEvent(event);
}

void TestEventEditor::everyChangeRaisesTheSequence_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<bool>("undone");
    QTest::addColumn<int>("sequence"); // of the stored row afterwards; it had 3
    QTest::newRow("drag") << QString() << Edit(moveHour) << false << 4;
    QTest::newRow("resize") << QString() << Edit(resizeHour) << false << 4;
    QTest::newRow("form") << QString() << Edit(formSave) << false << 4;
    QTest::newRow("series drag") << QStringLiteral("FREQ=DAILY") << Edit(moveHour) << false << 4;
    QTest::newRow("series form") << QStringLiteral("FREQ=DAILY") << Edit(seriesFormSave) << false << 4;
    // An undo is a new version too, never the old one again.
    QTest::newRow("drag undone") << QString() << Edit(moveHour) << true << 5;
    QTest::newRow("resize undone") << QString() << Edit(resizeHour) << true << 5;
    QTest::newRow("occurrence drag undone") << QStringLiteral("FREQ=DAILY") << Edit(moveOccurrence) << true << 4;
}

// Attendees' programs keep the version with the higher SEQUENCE: a change
// sent without a higher one is ignored there.
void TestEventEditor::everyChangeRaisesTheSequence()
{
    QFETCH(QString, rule);
    QFETCH(Edit, edit);
    QFETCH(bool, undone);
    QFETCH(int, sequence);
    const Event before = synced(QString(), rule);
    EventEditor edits = editor();
    QVERIFY(edit(edits, before));
    if (undone)
        m_fixture->state()->undoStack()->undo();
    const Event after = m_fixture->storedEvent(before.id);
    QCOMPARE(after.sequence, sequence);
    QVERIFY2(after.raw_icalendar.contains(QStringLiteral("SEQUENCE:%1").arg(sequence)), qPrintable(after.raw_icalendar));
}

void TestEventEditor::everyChangedDayGetsItsOwnText_data()
{
    QTest::addColumn<int>("days");     // changed days of a daily series
    QTest::addColumn<bool>("onServer"); // held by a server: each goes on as a new row
    // Fewer than 64 are written one by one, more side by side.
    QTest::newRow("63 changed days") << 63 << false;
    QTest::newRow("64 changed days") << 64 << false;
    QTest::newRow("200 changed days") << 200 << false;
    QTest::newRow("200 changed days a server holds") << 200 << true;
}

// A series dragged with "All events" writes each changed day's text anew,
// each from its own row: what the sync sends says what the row holds.
void TestEventEditor::everyChangedDayGetsItsOwnText()
{
    QFETCH(int, days);
    QFETCH(bool, onServer);
    Event series = WidgetFixture::timedEvent(QStringLiteral("Planning"), Nine, Nine.addSecs(3600));
    series.recurrence_rule = QStringLiteral("FREQ=DAILY");
    series.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    series.sync_status = SyncStatus::Synced;
    series = m_fixture->addEvent(series);
    for (int day = 1; day <= days; ++day) {
        Event changed = WidgetFixture::timedEvent(QStringLiteral("Planning %1").arg(day), Nine.addDays(day).addSecs(7200),
                                                  Nine.addDays(day).addSecs(9000));
        changed.uid = changed.master_event_uid = series.uid;
        changed.recurrence_id = Recurrence::recurrenceIdOf(series, Nine.addDays(day));
        changed.sequence = day % 5;
        if (onServer)
            changed.href = QStringLiteral("/cal/planning.ics");
        changed.sync_status = SyncStatus::Synced;
        m_fixture->addEvent(changed);
    }
    QVERIFY(moveHour(*std::make_unique<EventEditor>(editor()), series));

    const auto described = [](const Event &e) {
        return QStringList{e.title, e.recurrence_id, e.start_time.toUTC().toString(Qt::ISODate),
                           e.end_time.value_or(QDateTime()).toUTC().toString(Qt::ISODate), QString::number(e.sequence)}
            .join(QLatin1Char('|'));
    };
    QStringList rows;
    QStringList texts;
    QStringList wanted;
    for (const Event &row : m_fixture->state()->events()->getByCalendar(series.calendar_id)) {
        if (row.recurrence_id.isEmpty())
            continue;
        rows.append(described(row));
        Event text = IcsCodec::parseEvents(row.raw_icalendar).value(0);
        texts.append(described(text));
    }
    for (int day = 1; day <= days; ++day) {
        const QDateTime start = Nine.addDays(day);
        Event moved;
        moved.title = QStringLiteral("Planning %1").arg(day);
        moved.recurrence_id = Recurrence::recurrenceIdOf(series, start.addSecs(3600));
        moved.start_time = start.addSecs(7200);
        moved.end_time = start.addSecs(9000);
        // Re-keyed in place, or gone on as a new row where a server holds
        // it, each goes on from its own SEQUENCE.
        moved.sequence = day % 5 + 1;
        wanted.append(described(moved));
    }
    rows.sort();
    texts.sort();
    wanted.sort();
    QCOMPARE(rows, wanted);
    QCOMPARE(texts, rows);
}

void TestEventEditor::newEventsStartAtSequenceZero()
{
    const Event source = synced();
    Event daily = WidgetFixture::timedEvent(QStringLiteral("Daily"), Nine, Nine.addSecs(1800));
    daily.recurrence_rule = QStringLiteral("FREQ=DAILY");
    daily.sequence = 7;
    daily = m_fixture->addEvent(daily);
    // A moved occurrence's own row is new, and deleting it changes its series.
    QVERIFY(editor().changeTimes(daily, Nine.addDays(1), {Nine.addDays(1).addSecs(3600), Nine.addDays(1).addSecs(5400)},
                                 EventEditor::TimeEdit::Move, SeriesScope::ThisEvent));
    const Event occurrence = m_fixture->state()
                                 ->events()
                                 ->getByUidAndRecurrenceId(daily.uid, daily.calendar_id,
                                                           Recurrence::recurrenceIdOf(daily, Nine.addDays(1)))
                                 .value_or(Event());
    QVERIFY(editor().duplicate(source, QStringLiteral("Planning (copy)")));
    Event quick = WidgetFixture::timedEvent(QStringLiteral("Lunch"), Nine, Nine.addSecs(3600));
    Event added;
    QVERIFY(editor().addNew(quick, &added));

    QMap<QString, int> sequences;
    for (const Event &row : m_fixture->state()->events()->getByCalendar(source.calendar_id))
        sequences.insert(row.title + (row.recurrence_id.isEmpty() ? QString() : QStringLiteral(" moved")), row.sequence);
    const QMap<QString, int> expected{{QStringLiteral("Planning"), 3},       {QStringLiteral("Planning (copy)"), 0},
                                      {QStringLiteral("Daily"), 7},          {QStringLiteral("Daily moved"), 0},
                                      {QStringLiteral("Lunch"), 0}};
    QCOMPARE(sequences, expected);

    QVERIFY(editor().remove(occurrence));
    QCOMPARE(m_fixture->storedEvent(daily.id).sequence, 8);
}

void TestEventEditor::everyCalendarKindMarksEditsPending_data()
{
    QTest::addColumn<QString>("accountType"); // empty: the local account
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("pending");
    QTest::newRow("local") << QString() << false << true;
    QTest::newRow("caldav") << QStringLiteral("caldav") << false << true;
    QTest::newRow("google") << QStringLiteral("google") << false << true;
    QTest::newRow("microsoft") << QStringLiteral("microsoft") << false << true;
    QTest::newRow("webcal") << QStringLiteral("webcal") << true << true;
    QTest::newRow("read-only caldav") << QStringLiteral("caldav") << true << true;
}

void TestEventEditor::everyCalendarKindMarksEditsPending()
{
    QFETCH(QString, accountType);
    QFETCH(bool, readOnly);
    QFETCH(bool, pending);
    QString accountId;
    if (!accountType.isEmpty())
        accountId = m_fixture->addAccount(accountType);
    Calendar calendar = m_fixture->addCalendar(QStringLiteral("kind"), QStringLiteral("Kind"), QStringLiteral("#123456"),
                                               true, accountId);
    calendar.is_read_only = readOnly;
    QVERIFY(m_fixture->state()->calendars()->update(calendar));
    const Event before = synced(calendar.id);

    EventEditor edits = editor();
    QVERIFY(moveHour(edits, before));
    Event imported = before;
    imported.sync_status = SyncStatus::Synced;
    EventEditor::prepareImported(imported, calendar.id);
    const QList<bool> marked{m_fixture->storedEvent(before.id).sync_status == SyncStatus::Pending,
                             imported.sync_status == SyncStatus::Pending};
    QCOMPARE(marked, QList<bool>({pending, pending}));
}

void TestEventEditor::refusedWriteAnswersFailed_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<Edit>("edit");
    // The words the user reads, as the editor answers them.
    QTest::addColumn<QString>("shown");
    const QString notStoredText =
        QStringLiteral("\"%1\" could not be stored, so nothing was changed. The log has the details.");
    const QString notStored = notStoredText.arg(QStringLiteral("Planning"));
    QTest::newRow("drag") << QString() << Edit(moveHour) << notStored;
    QTest::newRow("resize") << QString() << Edit(resizeHour) << notStored;
    QTest::newRow("form") << QString() << Edit(formSave) << notStoredText.arg(QStringLiteral("Renamed"));
    QTest::newRow("series drag") << QStringLiteral("FREQ=DAILY") << Edit(moveHour) << notStored;
    QTest::newRow("series form") << QStringLiteral("FREQ=DAILY") << Edit(seriesFormSave) << notStored;
    QTest::newRow("delete") << QString() << Edit(removal)
                            << QStringLiteral("\"Planning\" could not be deleted. The log has the details.");
    QTest::newRow("duplicate") << QString()
                               << Edit([](EventEditor &e, const Event &stored) { return e.duplicate(stored, QStringLiteral("Copy")); })
                               << QStringLiteral("The copy could not be stored. The log has the details.");
    QTest::newRow("new event") << QString() << Edit([](EventEditor &e, const Event &stored) {
        Event fresh = stored;
        fresh.id.clear();
        return e.addNew(fresh);
    }) << notStored;
    QTest::newRow("invitation answer") << QString() << Edit([](EventEditor &e, const Event &stored) {
        return e.answerInvitation(stored.id, QStringLiteral("me@example.org"), QStringLiteral("accepted"));
    }) << notStored;
}

// A store that refuses a write (a full disk) leaves every row as it was,
// offers no undo and says so.
void TestEventEditor::refusedWriteAnswersFailed()
{
    QFETCH(QString, rule);
    QFETCH(Edit, edit);
    QFETCH(QString, shown);
    Event event = WidgetFixture::timedEvent(QStringLiteral("Planning"), Nine, Nine.addSecs(3600));
    event.recurrence_rule = rule;
    Attendee me;
    me.email = QStringLiteral("me@example.org");
    me.status = QStringLiteral("needs-action");
    event.attendees.append(me);
    const Event before = m_fixture->addEvent(event);
    QVERIFY(m_fixture->failEventWrites());

    EventEditor edits = editor();
    const EditResult result = edit(edits, before);
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(result.error, shown);
    const QList<Event> rows = m_fixture->state()->events()->getByCalendar(before.calendar_id);
    QCOMPARE(rows, QList<Event>{before});
    QCOMPARE(m_fixture->state()->undoStack()->count(), 0);
}

// A move to another calendar stores the new copy first; when the old one
// cannot then be removed, the event is in both calendars and the user is
// told so, with the copy that was stored.
void TestEventEditor::moveThatLeavesTheOldCopySaysSo()
{
    const Event before = synced();
    const Calendar other = m_fixture->addCalendar(QStringLiteral("other"), QStringLiteral("Other"));
    // The removal is an update of the row; new rows still go in.
    QVERIFY(m_fixture->failWritesTo(QStringLiteral("events")));
    QVERIFY(m_fixture->allowInsertsInto(QStringLiteral("events")));
    Event edited = before;
    edited.calendar_id = other.id;

    Event saved;
    const EditResult result = editor().saveForm(before, edited, &saved);
    QCOMPARE(QVariantList({result.ok, result.error}),
             QVariantList({false, QStringLiteral("\"Planning\" was copied to its new calendar, but could not be "
                                                 "removed from the old one. The log has the details.")}));
    const QList<Event> moved = m_fixture->state()->events()->getByCalendar(other.id);
    QCOMPARE(moved.size(), 1);
    QCOMPARE((QStringList{moved.first().id, moved.first().title}), (QStringList{saved.id, before.title}));
    QCOMPARE(m_fixture->storedEvent(before.id), before);
}

void TestEventEditor::moveTakesTheChangedOccurrencesAlong_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("onServer");
    QTest::newRow("out of a server's calendar") << false << true;
    QTest::newRow("out of a calendar on this device") << false << false;
    QTest::newRow("out of a read-only calendar") << true << true;
}

// A series moved to another calendar takes its changed occurrences along
// under the new UID: one read from a server, one changed here, one
// cancelled. One deleted here and another series' stay behind. Each row
// left behind is a tombstone, linked to its copy when a server holds it; a
// read-only calendar keeps its rows as they are.
void TestEventEditor::moveTakesTheChangedOccurrencesAlong()
{
    QFETCH(bool, readOnly);
    QFETCH(bool, onServer);
    EventRepository *events = m_fixture->state()->events();
    Calendar work = m_fixture->addCalendar(QStringLiteral("work"), QStringLiteral("Work"));
    Event series = synced(work.id, QStringLiteral("FREQ=DAILY;COUNT=6"));
    series.href = onServer ? QStringLiteral("/work/planning.ics") : QString();
    QVERIFY(events->update(series));
    const Event otherSeries = synced(work.id, QStringLiteral("FREQ=DAILY"));
    const auto occurrence = [&](const Event &of, int day, const QString &uid, const QString &title,
                                const QString &status) {
        Event row = WidgetFixture::timedEvent(title, Nine.addDays(day).addSecs(7200), Nine.addDays(day).addSecs(9000),
                                              work.id);
        row.uid = uid;
        row.master_event_uid = of.uid;
        row.recurrence_id = Recurrence::recurrenceIdOf(of, Nine.addDays(day));
        row.status = status;
        row.href = series.href;
        return m_fixture->addEvent(row);
    };
    const QString confirmed = QStringLiteral("confirmed");
    const QList<Event> rows{series,
                            occurrence(series, 1, series.uid, QStringLiteral("Read from the server"), confirmed),
                            occurrence(series, 2, QStringLiteral("changed-here"), QStringLiteral("Changed here"), confirmed),
                            occurrence(series, 3, series.uid, QStringLiteral("Cancelled"), QStringLiteral("cancelled")),
                            occurrence(series, 4, series.uid, QStringLiteral("Deleted here"), confirmed),
                            occurrence(otherSeries, 1, otherSeries.uid, QStringLiteral("Another series'"), confirmed)};
    QVERIFY(events->remove(rows.at(4).id));
    work.is_read_only = readOnly;
    QVERIFY(m_fixture->state()->calendars()->update(work));
    Event edited = series;
    edited.calendar_id = m_fixture->addCalendar(QStringLiteral("home"), QStringLiteral("Home")).id;
    Event saved;
    QVERIFY(editor().saveForm(series, edited, &saved));

    const auto describe = [](const Event &e) {
        return QStringList{e.title, e.status, e.recurrence_id, e.start_time.toUTC().toString(Qt::ISODate),
                           e.end_time.value_or(QDateTime()).toUTC().toString(Qt::ISODate)}
            .join(QLatin1Char('|'));
    };
    QStringList copied;
    for (const Event &copy : events->getByCalendar(edited.calendar_id)) {
        const QString named = IcsCodec::parseEvents(copy.raw_icalendar).value(0).uid;
        const QString series = copy.recurrence_id.isEmpty() ? copy.uid : copy.master_event_uid;
        QCOMPARE((QStringList{copy.uid, series, named, toText(copy.sync_status)}),
                 (QStringList{saved.uid, saved.uid, saved.uid, QStringLiteral("pending")}));
        copied.append(describe(copy));
    }
    // What is left behind, and the copy each row is linked to.
    QStringList wanted;
    QStringList left;
    QStringList leftWanted;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const Event now = m_fixture->storedEvent(rows.at(i).id);
        const Event copy = m_fixture->storedEvent(events->movedTo(now.id));
        const bool taken = i < 4 && !readOnly;
        if (i < 4)
            wanted.append(describe(rows.at(i)));
        left.append(now.title + (now.deleted_at ? QLatin1String(" gone ") : QLatin1String(" live "))
                    + (copy.id.isEmpty() ? QString() : describe(copy)));
        leftWanted.append(rows.at(i).title + (taken || i == 4 ? QLatin1String(" gone ") : QLatin1String(" live "))
                          + (taken && onServer ? describe(rows.at(i)) : QString()));
    }
    copied.sort();
    wanted.sort();
    QCOMPARE(copied, wanted);
    QCOMPARE(left, leftWanted);
}

void TestEventEditor::followingDraggedMovesItsRule_data()
{
    // A series in the computer's zone from its first day at 09:00, its
    // occurrence on `from` dragged "This and following" by days and
    // minutes: the new series' rule and its weekdays, or a refusal.
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QString>("newRule");
    QTest::addColumn<QList<int>>("weekdays");
    const QString monWed("FREQ=WEEKLY;BYDAY=MO,WE;COUNT=10");
    const QDate monday(2026, 12, 28);
    const QDate fourth(2027, 1, 4);
    QTest::newRow("Mon/Wed, a day") << monWed << monday << fourth << 1 << 0 << "FREQ=WEEKLY;BYDAY=TU,TH;COUNT=8"
                                    << QList<int>{2, 4};
    QTest::newRow("Mon/Wed, two hours") << monWed << monday << fourth << 0 << 120
                                        << "FREQ=WEEKLY;BYDAY=MO,WE;COUNT=8" << QList<int>{1, 3};
    QTest::newRow("first Thursday, a day") << "FREQ=MONTHLY;BYDAY=1TH;COUNT=6" << QDate(2027, 1, 7)
                                           << QDate(2027, 2, 4) << 1 << 0 << QString() << QList<int>();
    // From the 31st, April's occurrence is on the 30th: a series started
    // there would have the 30th of May.
    QTest::newRow("the 31st, two hours from a 30th") << "FREQ=MONTHLY;COUNT=6" << QDate(2027, 1, 31)
                                                     << QDate(2027, 4, 30) << 0 << 120 << QString() << QList<int>();
    // Past the ten thousand occurrences one expansion gives: split just
    // before and just after the 10,000th, every day at 09:00 and every
    // hour from then.
    const QDate hourly(2026, 1, 5);
    const QDate daily(2000, 1, 3);
    QTest::newRow("hourly, from the 9,985th") << "FREQ=HOURLY;COUNT=20000" << hourly << hourly.addDays(416) << 0
                                              << 30 << "FREQ=HOURLY;COUNT=10016" << QList<int>();
    QTest::newRow("hourly, from the 10,009th") << "FREQ=HOURLY;COUNT=20000" << hourly << hourly.addDays(417) << 0
                                               << 30 << "FREQ=HOURLY;COUNT=9992" << QList<int>();
    QTest::newRow("daily, from the 9,999th") << "FREQ=DAILY;COUNT=20000" << daily << daily.addDays(9998) << 0 << 30
                                             << "FREQ=DAILY;COUNT=10002" << QList<int>();
    QTest::newRow("daily, from the 10,002nd") << "FREQ=DAILY;COUNT=20000" << daily << daily.addDays(10001) << 0
                                              << 30 << "FREQ=DAILY;COUNT=9999" << QList<int>();
}

// The new series of a split moves as a move of the whole series would:
// its rule names the moved days, or the drag is refused with the same
// words and nothing is stored.
void TestEventEditor::followingDraggedMovesItsRule()
{
    QFETCH(QString, rule);
    QFETCH(QDate, first);
    QFETCH(QDate, from);
    QFETCH(int, days);
    QFETCH(int, minutes);
    QFETCH(QString, newRule);
    QFETCH(QList<int>, weekdays);
    Event series = WidgetFixture::timedEvent(QStringLiteral("Run"), QDateTime(first, QTime(9, 0)),
                                             QDateTime(first, QTime(10, 0)));
    series.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    series.recurrence_rule = rule;
    series = m_fixture->addEvent(series);
    EventRepository *events = m_fixture->state()->events();
    const QList<Event> before = events->getByCalendar(series.calendar_id);
    const QDateTime occurrence(from, QTime(9, 0));
    const auto times = EventEditor::moved(series, occurrence, days, minutes);
    if (newRule.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^applyRecurringEditScope refused")));
    const EditResult result = editor().changeTimes(series, occurrence, *times, EventEditor::TimeEdit::Move,
                                                   SeriesScope::ThisAndFollowing);
    if (newRule.isEmpty()) {
        QVERIFY(!result.ok);
        QVERIFY2(result.error.startsWith(QStringLiteral("\"Run\" was left as it was")), qPrintable(result.error));
        QCOMPARE(events->getByCalendar(series.calendar_id), before);
        return;
    }
    QVERIFY2(result.ok, qPrintable(result.error));
    QList<Event> started;
    for (const Event &row : events->getByCalendar(series.calendar_id)) {
        if (row.id != series.id)
            started.append(row);
    }
    QCOMPARE(started.size(), 1);
    QCOMPARE(started.first().recurrence_rule, newRule);
    // The series it ended and the new one give each occurrence the rule
    // counted once, however far on the split.
    const QList<Event> both{*events->getById(series.id), started.first()};
    QCOMPARE(startsFrom(both, series.start_time), Recurrence::parseRule(rule).count);
    // Here and as another device reads its text, on the moved weekdays
    // (where the row names them).
    const QList<Event> records = weekdays.isEmpty()
        ? QList<Event>()
        : QList<Event>{started.first(), IcsCodec::parseEvents(started.first().raw_icalendar).value(0)};
    for (const Event &record : records) {
        QSet<int> shown;
        const QList<Event> expanded =
            Recurrence::expandEvent(record, occurrence.addDays(-1), occurrence.addDays(60));
        for (const Event &one : expanded)
            shown.insert(one.start_time.toLocalTime().date().dayOfWeek());
        QCOMPARE(expanded.size(), 8);
        QCOMPARE(shown, QSet<int>(weekdays.begin(), weekdays.end()));
    }
}

void TestEventEditor::followingDraggedTakesEveryChangeAlong_data()
{
    // A Berlin series from Monday 2 March 2026, 09:00, imported with the
    // occurrences numbered `changed` changed (ten minutes later, a title
    // of their own), its occurrence `split` dragged "This and following"
    // by days and minutes: the changed ones land on each other's places.
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QList<int>>("changed");
    QTest::addColumn<int>("split");
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("minutes");
    QList<int> quarterHours{3, 7};
    for (int n = 100; n < 260; n += 4)
        quarterHours.append(n);
    const QString quarter("FREQ=MINUTELY;INTERVAL=15;COUNT=300");
    QTest::newRow("15 minutes, a day") << quarter << quarterHours << 98 << 1 << 0;
    QTest::newRow("15 minutes, two hours") << quarter << quarterHours << 98 << 0 << 120;
    QTest::newRow("15 minutes, back an hour") << quarter << quarterHours << 98 << 0 << -60;
    const QString weekly("FREQ=WEEKLY;COUNT=10");
    QTest::newRow("weekly, a week over changed weeks") << weekly << QList<int>{0, 2, 3, 4, 5} << 1 << 7 << 0;
    QTest::newRow("weekly, a day") << weekly << QList<int>{0, 2, 3, 4, 5} << 1 << 1 << 0;
    // The new series starts on the old one's last week, which keeps its
    // own change there.
    QTest::newRow("weekly, back a week") << weekly << QList<int>{1, 2, 3, 4} << 2 << -7 << 0;
}

// Every changed occurrence from the split on goes to the new series under
// its moved place and is shown once at its own time; the others from the
// split on move; nothing before it changes.
void TestEventEditor::followingDraggedTakesEveryChangeAlong()
{
    QFETCH(QString, rule);
    QFETCH(QList<int>, changed);
    QFETCH(int, split);
    QFETCH(int, days);
    QFETCH(int, minutes);
    const QTimeZone berlin("Europe/Berlin");
    const QString head("BEGIN:VEVENT\r\nUID:drill@example.test\r\nDURATION:PT10M\r\n");
    QString text("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Client//EN\r\n" + head
                 + "SUMMARY:Drill\r\nDTSTART;TZID=Europe/Berlin:20260302T090000\r\nRRULE:" + rule + "\r\nEND:VEVENT\r\n");
    Event series = IcsCodec::parseEvents(text + QStringLiteral("END:VCALENDAR\r\n")).value(0);
    const QList<Event> starts = Recurrence::expandEvent(series, series.start_time, series.start_time.addYears(1));
    const auto wall = [&](const QDateTime &at) { return at.toTimeZone(berlin).toString(QStringLiteral("yyyyMMddTHHmmss")); };
    for (int n : changed)
        text += head + QStringLiteral("SUMMARY:Changed %1\r\nRECURRENCE-ID;TZID=Europe/Berlin:%2\r\n"
                                      "DTSTART;TZID=Europe/Berlin:%3\r\nEND:VEVENT\r\n")
                           .arg(n)
                           .arg(wall(starts.at(n).start_time), wall(starts.at(n).start_time.addSecs(600)));
    const QString calendarId = QString::fromLatin1(AppState::LocalCalendarId);
    IcsImportRun import(m_fixture->db(), m_fixture->state()->events(),
                        IcsCodec::parseEvents(text + QStringLiteral("END:VCALENDAR\r\n")), calendarId);
    QCOMPARE(import.runToEnd().imported, int(changed.size()) + 1);

    EventRepository *events = m_fixture->state()->events();
    const auto shown = [&] {
        QStringList lines;
        for (const Event &one : Recurrence::expandForRange(events->getByCalendar(calendarId), starts.first().start_time,
                                                           starts.last().start_time.addDays(30)))
            lines.append(wall(one.start_time) + QLatin1Char(' ') + one.title);
        lines.sort();
        return lines;
    };
    QStringList expected;
    for (int n = 0; n < starts.size(); ++n) {
        const QDateTime at = starts.at(n).start_time.toTimeZone(berlin);
        if (changed.contains(n))
            expected.append(wall(at.addSecs(600)) + QStringLiteral(" Changed %1").arg(n));
        else
            expected.append(wall(n < split ? at : at.addDays(days).addSecs(minutes * 60)) + QStringLiteral(" Drill"));
    }
    expected.sort();
    series = events->getByUidAndRecurrenceId(series.uid, calendarId, QString()).value_or(Event());
    const QDateTime occurrence = starts.at(split).start_time;
    const EditResult result = editor().changeTimes(series, occurrence, *EventEditor::moved(series, occurrence, days, minutes),
                                                   EventEditor::TimeEdit::Move, SeriesScope::ThisAndFollowing);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(shown(), expected);
    // The old series keeps only the changes before the split: a move of it
    // to another calendar takes no others along.
    QStringList kept;
    QStringList keptExpected;
    for (const Event &row : events->getOccurrencesOf(series.uid, calendarId))
        kept.append(row.title);
    for (int n : changed) {
        if (n < split)
            keptExpected.append(QStringLiteral("Changed %1").arg(n));
    }
    kept.sort();
    keptExpected.sort();
    QCOMPARE(kept, keptExpected);
    // Each changed occurrence is its series' in its own text, found there
    // by the UID it is written under.
    for (const Event &row : events->getByCalendar(calendarId)) {
        if (row.recurrence_id.isEmpty())
            continue;
        const Event read = IcsCodec::parseEvents(row.raw_icalendar).value(0);
        QCOMPARE(read.uid, row.master_event_uid);
        QCOMPARE(events->getByUidAndRecurrenceId(read.uid, calendarId, row.recurrence_id).value_or(Event()).id, row.id);
    }
}

void TestEventEditor::followingDraggedAtAnExtraDateKeepsTheRuleDays_data()
{
    // Another client's Berlin series from Monday 2 March 2026, 09:00, with
    // one extra date (Berlin wall clock), that occurrence dragged "This and
    // following" by days and minutes: the new series' rule and start as
    // written, or the first words of a refusal.
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("extra");
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QString>("newRule");
    QTest::addColumn<QString>("newStart");
    QTest::addColumn<QString>("refusal");
    const QString monday("20260302T090000");
    const QString weekly("FREQ=WEEKLY");
    const QString sixMondays("FREQ=WEEKLY;BYDAY=MO;COUNT=6");
    // A Wednesday: the Mondays moved a day are Tuesdays from the 24th on.
    QTest::newRow("weekly, after a rule day") << monday << weekly << "20260318T090000" << 1 << 0 << weekly
                                              << "20260324T090000" << QString();
    QTest::newRow("Mondays six times, after a rule day")
        << monday << sixMondays << "20260318T090000" << 1 << 0 << "FREQ=WEEKLY;BYDAY=TU;COUNT=3"
        << "20260324T090000" << QString();
    QTest::newRow("Mondays six times, the day before one")
        << monday << sixMondays << "20260315T090000" << 1 << 0 << "FREQ=WEEKLY;BYDAY=TU;COUNT=4"
        << "20260317T090000" << QString();
    QTest::newRow("Mondays six times, on one after its time")
        << monday << sixMondays << "20260316T140000" << 1 << 0 << "FREQ=WEEKLY;BYDAY=TU;COUNT=3"
        << "20260324T090000" << QString();
    QTest::newRow("Mondays six times, on one at its time")
        << monday << sixMondays << "20260316T090000" << 1 << 0 << "FREQ=WEEKLY;BYDAY=TU;COUNT=4"
        << "20260317T090000" << QString();
    QTest::newRow("weekly, two hours") << monday << weekly << "20260318T090000" << 0 << 120 << weekly
                                       << "20260323T110000" << QString();
    // No Monday after it: the new series is its dates alone.
    QTest::newRow("Mondays three times, the last date after them")
        << monday << "FREQ=WEEKLY;BYDAY=MO;COUNT=3" << "20260318T090000" << 1 << 0 << QString()
        << "20260319T090000" << QString();
    QTest::newRow("monthly on the 2nd") << monday << "FREQ=MONTHLY;BYMONTHDAY=2;COUNT=5" << "20260318T090000" << 1
                                        << 0 << "FREQ=MONTHLY;BYMONTHDAY=3;COUNT=4" << "20260403T090000" << QString();
    QTest::newRow("monthly on the first Monday, two hours")
        << monday << "FREQ=MONTHLY;BYDAY=1MO" << "20260318T090000" << 0 << 120 << "FREQ=MONTHLY;BYDAY=1MO"
        << "20260406T110000" << QString();
    QTest::newRow("monthly on the first Monday, a day")
        << monday << "FREQ=MONTHLY;BYDAY=1MO" << "20260318T090000" << 1 << 0 << QString() << QString()
        << "\"Walk\" was left as it was: its repeat rule cannot move every occurrence";
    // From the 31st a month of 30 days has its occurrence on the 30th: a
    // series from 30 April would have the 30th of every month.
    QTest::newRow("monthly from the 31st, the next one on the 30th")
        << "20260331T090000" << "FREQ=MONTHLY" << "20260415T090000" << 0 << 120 << QString() << QString()
        << "\"Walk\" was left as it was: its repeat rule cannot start again from this occurrence";
}

// Dragged at an extra date off its rule, a series goes on from the rule's
// next occurrence moved as the dragged one moved, on the days the rule
// names moved alike, as many times as it had left; the dragged one stays
// an extra date. Shown here and as another device reads the texts: every
// occurrence from the dragged one on moved by the drag, each once, the
// others where they were.
void TestEventEditor::followingDraggedAtAnExtraDateKeepsTheRuleDays()
{
    QFETCH(QString, start);
    QFETCH(QString, rule);
    QFETCH(QString, extra);
    QFETCH(int, days);
    QFETCH(int, minutes);
    QFETCH(QString, newRule);
    QFETCH(QString, newStart);
    QFETCH(QString, refusal);
    const QTimeZone berlin("Europe/Berlin");
    Event series = IcsCodec::parseEvents(QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Client//EN\r\n"
                                                        "BEGIN:VEVENT\r\nUID:walk@example.test\r\nSUMMARY:Walk\r\n"
                                                        "DTSTART;TZID=Europe/Berlin:%1\r\nDURATION:PT1H\r\n"
                                                        "RRULE:%2\r\nRDATE;TZID=Europe/Berlin:%3\r\n"
                                                        "END:VEVENT\r\nEND:VCALENDAR\r\n")
                                             .arg(start, rule, extra))
                       .value(0);
    series.calendar_id = QString::fromLatin1(AppState::LocalCalendarId);
    series = m_fixture->addEvent(series);
    QVERIFY(!series.id.isEmpty());
    EventRepository *events = m_fixture->state()->events();
    const QList<Event> before = events->getByCalendar(series.calendar_id);
    const auto wall = [&](const QDateTime &at) {
        return at.toTimeZone(berlin).toString(QStringLiteral("yyyyMMddTHHmmss"));
    };
    const auto dropped = [&](const QDateTime &at) {
        return at.toTimeZone(berlin).addDays(days).addSecs(minutes * 60);
    };
    const QDateTime from(QDate(2026, 3, 1), QTime(0, 0), berlin);
    const QDateTime to(QDate(2026, 9, 1), QTime(0, 0), berlin);
    const QDateTime occurrence(QDate::fromString(extra.left(8), QStringLiteral("yyyyMMdd")),
                               QTime::fromString(extra.mid(9), QStringLiteral("HHmmss")), berlin);
    QStringList expected;
    for (const Event &one : Recurrence::expandEvent(series, from, to.addDays(7))) {
        const QDateTime at = one.start_time < occurrence ? one.start_time : dropped(one.start_time);
        if (at < to)
            expected.append(wall(at));
    }
    expected.sort();

    if (!refusal.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^applyRecurringEditScope refused")));
    const EditResult result = editor().changeTimes(series, occurrence, *EventEditor::moved(series, occurrence, days, minutes),
                                                   EventEditor::TimeEdit::Move, SeriesScope::ThisAndFollowing);
    if (!refusal.isEmpty()) {
        QVERIFY(!result.ok);
        QVERIFY2(result.error.startsWith(refusal), qPrintable(result.error));
        QCOMPARE(events->getByCalendar(series.calendar_id), before);
        return;
    }
    QVERIFY2(result.ok, qPrintable(result.error));
    const QList<Event> stored = events->getByCalendar(series.calendar_id);
    QCOMPARE(stored.size(), 2);
    const Event started = stored.first().id == series.id ? stored.last() : stored.first();
    QCOMPARE(started.recurrence_rule, newRule);
    QCOMPARE(wall(started.start_time), newStart);
    QCOMPARE(started.recurrence_dates, QStringLiteral("[\"%1\"]").arg(dropped(occurrence).toUTC().toString(QStringLiteral("yyyyMMddTHHmmss'Z'"))));
    const Event read = IcsCodec::parseEvents(started.raw_icalendar).value(0);
    QCOMPARE(QStringList({read.recurrence_rule, wall(read.start_time)}), QStringList({newRule, newStart}));
    QList<Event> texts;
    for (const Event &row : stored)
        texts.append(IcsCodec::parseEvents(row.raw_icalendar).value(0));
    for (const QList<Event> &rows : {stored, texts}) {
        QStringList shown;
        for (const Event &one : Recurrence::expandForRange(rows, from, to))
            shown.append(wall(one.start_time));
        shown.sort();
        QCOMPARE(shown, expected);
    }
}

void TestEventEditor::splitRecordsItsNewSeriesUntilSent_data()
{
    // After a synced daily series is split "This and following" two hours
    // later on its third day: what happens next, and whether the split's
    // record of its new series is still there.
    QTest::addColumn<QString>("then");
    QTest::addColumn<bool>("linked");
    QTest::newRow("waiting to go up") << "" << true;
    QTest::newRow("the new series sent") << "new sent" << true;
    QTest::newRow("the new series deleted, still to go up") << "new deleted" << true;
    QTest::newRow("the ended series sent") << "ended sent" << false;
    QTest::newRow("the new series erased") << "new erased" << false;
    QTest::newRow("the ended series erased") << "ended erased" << false;
}

// A split records the series it started, so a change another device made
// to a later day meanwhile reaches it and no other series; the record goes
// once the ended series is up, and with either row.
void TestEventEditor::splitRecordsItsNewSeriesUntilSent()
{
    QFETCH(QString, then);
    QFETCH(bool, linked);
    const Event series = synced(QString(), QStringLiteral("FREQ=DAILY;COUNT=10"));
    EventRepository *events = m_fixture->state()->events();
    const QDateTime third = series.start_time.addDays(2);
    QVERIFY(editor().changeTimes(series, third, *EventEditor::moved(series, third, 0, 120),
                                 EventEditor::TimeEdit::Move, SeriesScope::ThisAndFollowing)
                .ok);
    QString started;
    for (const Event &row : events->getByCalendar(series.calendar_id)) {
        if (row.id != series.id)
            started = row.id;
    }
    QVERIFY(!started.isEmpty());
    if (then == QLatin1String("new sent"))
        QVERIFY(events->markSynced(started, QStringLiteral("/new.ics"), QStringLiteral("e1")));
    else if (then == QLatin1String("new deleted"))
        QVERIFY(editor().remove(events->getById(started).value()).ok);
    else if (then == QLatin1String("ended sent"))
        QVERIFY(events->markSent(series.id, QStringLiteral("/s.ics"), QStringLiteral("e2"),
                                 events->getById(series.id)->raw_icalendar));
    else if (then == QLatin1String("new erased"))
        QVERIFY(events->hardDelete(started));
    else if (then == QLatin1String("ended erased"))
        QVERIFY(events->hardDelete(series.id));
    QCOMPARE(events->splitsFrom(series.id), linked ? QStringList{started} : QStringList());
    QSqlQuery rows(m_fixture->state()->database()->database());
    QVERIFY(rows.exec(QStringLiteral("SELECT COUNT(*) FROM event_splits")) && rows.next());
    QCOMPARE(rows.value(0).toInt(), linked ? 1 : 0);
}

void TestEventEditor::callersShowTheRefusal_data()
{
    const QString undoKey = QKeySequence(QKeySequence::Undo).toString(QKeySequence::NativeText);
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("drag") << QStringLiteral("drag")
                          << QStringList{QStringLiteral("QMessageBox \"Planning\" could not be stored, so nothing was "
                                                        "changed. The log has the details.")};
    QTest::newRow("delete") << QStringLiteral("delete")
                            << QStringList{QStringLiteral("QMessageBox Delete \"Planning\"? You can undo with %1.").arg(undoKey),
                                           QStringLiteral("QMessageBox \"Planning\" could not be deleted. The log has the details.")};
    QTest::newRow("duplicate") << QStringLiteral("duplicate")
                               << QStringList{QStringLiteral("QMessageBox The copy could not be stored. The log has the details.")};
}

void TestEventEditor::callersShowTheRefusal()
{
    QFETCH(QString, action);
    QFETCH(QStringList, shown);
    const Event before = synced();
    QVERIFY(m_fixture->failEventWrites());
    ModalAnswerer answerer;
    if (action == QLatin1String("delete"))
        answerer.pressButton(QMessageBox::Yes);
    answerer.pressButton(QMessageBox::Ok);
    AppState *state = m_fixture->state();
    if (action == QLatin1String("drag"))
        EventActions::changeTimes(state, nullptr, before, before.start_time, *EventEditor::moved(before, before.start_time, 0, 30),
                                  EventEditor::TimeEdit::Move);
    else if (action == QLatin1String("delete"))
        QVERIFY(!EventActions::confirmAndDelete(state, nullptr, before.id));
    else
        QVERIFY(!EventActions::duplicate(state, nullptr, before));
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(answerer.seen(), shown);
}

QTEST_MAIN(TestEventEditor)
#include "tst_eventeditor.moc"
