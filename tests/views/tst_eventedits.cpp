#include "app/appstate.h"
#include "app/edits/undostack.h"
#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "app/edits/eventeditor.h"
#include "app/edits/recurringeditscope.h"
#include "dialogs/editing/eventactions.h"
#include "dialogs/editing/eventformdialog.h"
#include "dialogs/editing/filterformdialog.h"
#include "dialogs/editing/taskactions.h"
#include "store/filterrulerepository.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"
#include "tests/views/cardundo.h"
#include "tests/views/undoneedit.h"
#include "tests/views/walkclub.h"
#include "ui/pickers/datetimepicker.h"
#include "ui/popovers/eventdetailspopover.h"
#include "views/day/dayview.h"

#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>

#include <memory>

namespace {

const QDate Day(2026, 3, 10);

QDateTime at(const QTime &time)
{
    return time.isValid() ? QDateTime(Day, time) : QDateTime();
}

// What the undo of a delete gives back: the record as it was, as a new
// local change.
Event undone(Event before, const Event &restored)
{
    before.sync_status = SyncStatus::Pending;
    before.last_modified = restored.last_modified;
    return before;
}

// The occurrences the day shows, as title and start.
QStringList shownOn(EventRepository *events, const QDate &day)
{
    const QDateTime from(day, QTime(0, 0));
    const QDateTime to(day.addDays(1), QTime(0, 0));
    const QList<Event> rows = events->getInRange(from, to);
    QStringList shown;
    for (const Occurrence &occurrence : Recurrence::occurrences(rows, from, to))
        shown.append(rows.at(occurrence.eventIndex).title + QLatin1Char(' ')
                     + occurrence.start.toLocalTime().time().toString(QStringLiteral("HH:mm")));
    return shown;
}

// The occurrences shown from the day on for four weeks, as date, start and
// title, read as the views read them.
QStringList shownFromDay(EventRepository *events)
{
    const QDateTime from(Day, QTime(0, 0));
    const QDateTime to(Day.addDays(28), QTime(0, 0));
    const QList<Event> rows = events->getInRange(from, to);
    QStringList shown;
    for (const Occurrence &occurrence : Recurrence::occurrences(rows, from, to))
        shown.append(occurrence.start.toLocalTime().toString(QStringLiteral("MM-dd HH:mm ")) +
                     rows.at(occurrence.eventIndex).title);
    shown.sort();
    return shown;
}

// Every row of the calendar as stored, tombstones of changes not yet sent
// too, by id.
QMap<QString, Event> rowsOf(EventRepository *events, const QString &calendarId)
{
    QMap<QString, Event> rows;
    for (const Event &row : events->getPending(calendarId) + events->getByCalendar(calendarId))
        rows.insert(row.id, row);
    return rows;
}

} // namespace

class TestEventEdits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void dragEditsWithUndo_data();
    void dragEditsWithUndo();
    void undoAfterSyncIsPushedAgain();
    void deleteAsksAndUndoBringsItBack();
    void deleteQuestionKeepsTheRecordOnEnter_data();
    void deleteQuestionKeepsTheRecordOnEnter();
    void deletedMovedOccurrenceStaysGoneUntilUndone_data();
    void deletedMovedOccurrenceStaysGoneUntilUndone();
    void failedWriteOffersNoUndo();
    void repeatingEventAsksForTheScope();
    void oneOccurrenceEditUndoesWithItsSeries_data();
    void oneOccurrenceEditUndoesWithItsSeries();
    void undoKeepsWhatOthersChangedSince_data();
    void undoKeepsWhatOthersChangedSince();
    void undoAfterASeriesChangeWritesNothing_data();
    void undoAfterASeriesChangeWritesNothing();
    void deletedSeriesTakesItsChangedDays_data();
    void deletedSeriesTakesItsChangedDays();
    void undoneSeriesDeleteReachesAnotherDevice_data();
    void undoneSeriesDeleteReachesAnotherDevice();
    void undoOfADeletedDayKeepsAPulledChange_data();
    void undoOfADeletedDayKeepsAPulledChange();
    void menuEditOpensTheStoredSeries();
    void filterEntriesOpenTheFilterForm();

private:
    Event synced(const QTime &start, const QTime &end);
    void deleteFromMenu(const QString &id, QMessageBox::StandardButton answer);
    // refused: the store refuses the delete, and the box saying so is closed.
    void deleteFromCard(const QString &id, const QDateTime &occurrence, bool refused = false);
    // Ctrl+Z, and what the status bar is told of it.
    QString pressUndo();
    UndoStack *undo() const { return m_fixture->state()->undoStack(); }

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<DayView> m_view;
    std::unique_ptr<ModalAnswerer> m_answerer;
};

void TestEventEdits::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    m_view = std::make_unique<DayView>(m_fixture->state());
    m_view->setDate(Day);
    m_answerer = std::make_unique<ModalAnswerer>();
}

void TestEventEdits::cleanup()
{
    EventDetailsPopover::closeCurrent();
    m_answerer.reset();
    m_view.reset();
    m_fixture.reset();
}

// A stored event the server already has.
Event TestEventEdits::synced(const QTime &start, const QTime &end)
{
    Event event = WidgetFixture::timedEvent(QStringLiteral("Planning"), at(start),
                                            end.isValid() ? std::optional<QDateTime>(at(end)) : std::nullopt);
    event.etag = QStringLiteral("\"etag-1\"");
    event.href = QStringLiteral("/cal/planning.ics");
    event.provider_event_id = QStringLiteral("remote-1");
    event.sync_status = SyncStatus::Synced;
    return m_fixture->addEvent(event);
}

void TestEventEdits::deleteFromMenu(const QString &id, QMessageBox::StandardButton answer)
{
    m_answerer->chooseMenuItem(QStringLiteral("Delete"));
    m_answerer->pressButton(answer);
    m_view->showEventContextMenu(id, QPoint(10, 10));
    QCOMPARE(m_answerer->pending(), 0);
}

// The card of the occurrence, and its Delete answered Yes.
void TestEventEdits::deleteFromCard(const QString &id, const QDateTime &occurrence, bool refused)
{
    ::deleteFromCard(m_view.get(), m_answerer.get(), id, occurrence, refused);
}

QString TestEventEdits::pressUndo()
{
    return ::pressUndo(undo());
}

void TestEventEdits::deleteQuestionKeepsTheRecordOnEnter_data()
{
    QTest::addColumn<bool>("task");
    QTest::newRow("event") << false;
    QTest::newRow("task") << true;
}

// Both delete questions: plain text with Yes and No, and a stray Enter
// answers No and keeps the record.
void TestEventEdits::deleteQuestionKeepsTheRecordOnEnter()
{
    QFETCH(bool, task);
    QString shown;
    m_answerer->answer([&shown](QWidget *window) {
        auto *box = qobject_cast<QMessageBox *>(window);
        if (!box)
            return;
        shown = QStringList{box->windowTitle(), box->text(), QString::number(int(box->textFormat())),
                            QString::number(int(box->standardButtons()))}
                    .join(QLatin1Char('|'));
        QTest::keyClick(box, Qt::Key_Return);
    });
    AppState *state = m_fixture->state();
    QString expected;
    if (task) {
        const Task stored = m_fixture->addTask(QStringLiteral("Report"));
        QVERIFY(!TaskActions::confirmAndDelete(state, stored, QStringLiteral("Delete task?"),
                                               QStringLiteral("Delete <b>Report</b>?"), nullptr));
        QVERIFY(state->tasks()->getById(stored.id).has_value());
        expected = QStringLiteral("Delete task?|Delete <b>Report</b>?");
    } else {
        const Event stored = synced(QTime(9, 0), QTime(10, 0));
        QVERIFY(!EventActions::confirmAndDelete(state, nullptr, stored.id));
        QVERIFY(state->events()->getById(stored.id).has_value());
        expected = QStringLiteral("Delete event?|Delete \"Planning\"? You can undo with %1.")
                       .arg(QKeySequence(QKeySequence::Undo).toString(QKeySequence::NativeText));
    }
    expected += QStringLiteral("|%1|%2").arg(int(Qt::PlainText)).arg(int(QMessageBox::Yes | QMessageBox::No));
    QCOMPARE(m_answerer->pending(), 0);
    QCOMPARE(shown, expected);
}

void TestEventEdits::dragEditsWithUndo_data()
{
    QTest::addColumn<bool>("resize");
    QTest::addColumn<QTime>("start");
    QTest::addColumn<QTime>("end");
    QTest::addColumn<bool>("staleInstance");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QTime>("newStart"); // invalid: nothing may change
    QTest::addColumn<QTime>("newEnd");
    QTest::newRow("move keeps the duration") << false << QTime(9, 0) << QTime(10, 0) << false << 30 << QTime(9, 30)
                                             << QTime(10, 30);
    QTest::newRow("move without end") << false << QTime(9, 0) << QTime() << false << -45 << QTime(8, 15) << QTime();
    QTest::newRow("resize keeps a quarter") << true << QTime(9, 0) << QTime(9, 30) << false << -60 << QTime(9, 0)
                                            << QTime(9, 15);
    QTest::newRow("resize without end") << true << QTime(9, 0) << QTime() << false << 30 << QTime() << QTime();
    QTest::newRow("no offset") << false << QTime(9, 0) << QTime(10, 0) << false << 0 << QTime() << QTime();
    QTest::newRow("stale instance") << false << QTime(9, 0) << QTime(10, 0) << true << 30 << QTime() << QTime();
}

void TestEventEdits::dragEditsWithUndo()
{
    QFETCH(bool, resize);
    QFETCH(QTime, start);
    QFETCH(QTime, end);
    QFETCH(bool, staleInstance);
    QFETCH(int, minutes);
    QFETCH(QTime, newStart);
    QFETCH(QTime, newEnd);
    const Event before = synced(start, end);
    const QDateTime instance = staleInstance ? QDateTime() : before.start_time;
    if (resize)
        m_view->onEventResizeRequested(before.id, instance, minutes);
    else
        m_view->onEventMoveRequested(before.id, instance, minutes);

    const Event after = m_fixture->storedEvent(before.id);
    if (!newStart.isValid()) {
        QCOMPARE(after.sync_status, SyncStatus::Synced);
        QCOMPARE(undo()->count(), 0);
        return;
    }
    QCOMPARE(after.start_time, at(newStart));
    QCOMPARE(after.end_time.value_or(QDateTime()), at(newEnd));
    QCOMPARE(after.sync_status, SyncStatus::Pending);
    QVERIFY(after.raw_icalendar.contains(QStringLiteral("DTSTART:") + after.start_time.toUTC().toString("yyyyMMdd'T'HHmmss'Z'")));
    QSignalSpy labels(undo(), &UndoStack::undone);
    undo()->undo();
    QCOMPARE(labels.first().first().toString(), resize ? QStringLiteral("Resized \"Planning\"") : QStringLiteral("Moved \"Planning\""));
    const Event restored = m_fixture->storedEvent(before.id);
    QCOMPARE(restored, undoneEdit(before, restored, 1));
}

void TestEventEdits::undoAfterSyncIsPushedAgain()
{
    const Event before = synced(QTime(9, 0), QTime(10, 0));
    m_view->onEventMoveRequested(before.id, before.start_time, 60);
    // The move reached the server, which handed out a new ETag.
    QVERIFY(m_fixture->state()->events()->markSynced(before.id, before.href, QStringLiteral("\"etag-2\"")));
    undo()->undo();
    const Event restored = m_fixture->storedEvent(before.id);
    Event expected = undoneEdit(before, restored, 1);
    expected.etag = QStringLiteral("\"etag-2\"");
    QCOMPARE(restored, expected);
}

void TestEventEdits::deleteAsksAndUndoBringsItBack()
{
    const Event before = synced(QTime(9, 0), QTime(10, 0));
    deleteFromMenu(before.id, QMessageBox::No);
    const ModalAnswerer &answerer = *m_answerer;
    QCOMPARE(answerer.menus().first(), QStringList({"Edit…", "Delete", "Create Filter from Event…"}));
    QCOMPARE(answerer.seen().at(1), QStringLiteral("QMessageBox Delete \"Planning\"? You can undo with Ctrl+Z."));
    QVERIFY(!m_fixture->storedEvent(before.id).deleted_at);

    deleteFromMenu(before.id, QMessageBox::Yes);
    QVERIFY(m_fixture->storedEvent(before.id).deleted_at);
    undo()->undo();
    const Event restored = m_fixture->storedEvent(before.id);
    QCOMPARE(restored, undone(before, restored));

    // Once the deletion was pushed and the row erased, the undo stores a new
    // item for upload rather than an update of one the server no longer has.
    deleteFromMenu(before.id, QMessageBox::Yes);
    QVERIFY(m_fixture->state()->events()->hardDelete(before.id));
    undo()->undo();
    const Event recreated = m_fixture->storedEvent(before.id);
    Event expected = undone(before, recreated);
    expected.etag.clear();
    expected.href.clear();
    expected.provider_event_id.clear();
    QCOMPARE(recreated, expected);
}

void TestEventEdits::deletedMovedOccurrenceStaysGoneUntilUndone_data()
{
    QTest::addColumn<bool>("allDay");
    QTest::addColumn<QString>("recurrenceId");
    QTest::addColumn<QString>("exclusion");
    QTest::addColumn<QString>("accountType"); // empty: a calendar of this device
    // A week after the series starts, with no clock change in between.
    const QDateTime occurrence(Day.addDays(7), QTime(11, 0));
    const QString timed = occurrence.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    QTest::newRow("timed") << false << timed << timed << QString();
    QTest::newRow("all-day") << true << QStringLiteral("20260317T000000Z") << QStringLiteral("20260317") << QString();
    // Made here, the series is known there by an id of its own, which names
    // it in the occurrence changed there.
    QTest::newRow("timed, changed on Google") << false << timed << timed << QStringLiteral("google");
    QTest::newRow("timed, changed on Outlook") << false << timed << timed << QStringLiteral("microsoft");
}

// Deleting an occurrence moved to another time must not bring back the
// original one: the series skips that day in the same write, and the undo
// gives back the series and the moved occurrence as they were.
void TestEventEdits::deletedMovedOccurrenceStaysGoneUntilUndone()
{
    QFETCH(bool, allDay);
    QFETCH(QString, recurrenceId);
    QFETCH(QString, exclusion);
    QFETCH(QString, accountType);
    QString calendarId;
    if (!accountType.isEmpty())
        calendarId = m_fixture->addCalendar(QStringLiteral("synced"), QStringLiteral("Synced"), QStringLiteral("#123456"),
                                            true, m_fixture->addAccount(accountType)).id;
    Event series = allDay ? WidgetFixture::allDayEvent(QStringLiteral("Weekly"), Day, Day.addDays(1), calendarId)
                          : WidgetFixture::timedEvent(QStringLiteral("Weekly"), at(QTime(11, 0)), at(QTime(11, 30)),
                                                      calendarId);
    series.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    series.exception_dates = QStringLiteral("[\"20260324\"]");
    if (!accountType.isEmpty())
        series.provider_event_id = QStringLiteral("weeklyelsewhere");
    series = m_fixture->addEvent(series);
    Event moved = series;
    moved.id.clear();
    moved.recurrence_rule.clear();
    moved.exception_dates.clear();
    moved.raw_icalendar.clear();
    moved.master_event_uid = series.uid;
    if (!accountType.isEmpty()) {
        moved.uid = moved.provider_event_id = QStringLiteral("weeklyelsewhere_") + recurrenceId;
        moved.master_event_uid = series.provider_event_id;
    }
    moved.recurrence_id = recurrenceId;
    moved.start_time = allDay ? QDateTime(Day.addDays(8), QTime(0, 0)) : at(QTime(14, 0)).addDays(7);
    moved.end_time = moved.start_time.addSecs(allDay ? 86400 : 1800);
    moved = m_fixture->addEvent(moved);
    const auto shownThatWeek = [this] {
        const QDateTime from(Day.addDays(6), QTime(0, 0));
        const QDateTime to(Day.addDays(10), QTime(0, 0));
        return Recurrence::occurrences(m_fixture->state()->events()->getInRange(from, to), from, to).size();
    };
    QCOMPARE(shownThatWeek(), 1);

    deleteFromMenu(moved.id, QMessageBox::Yes);
    QVERIFY(m_fixture->storedEvent(moved.id).deleted_at);
    const Event skipping = m_fixture->storedEvent(series.id);
    QCOMPARE(skipping.exception_dates, QStringLiteral("[\"20260324\",\"%1\"]").arg(exclusion));
    QCOMPARE(skipping.sync_status, SyncStatus::Pending);
    QCOMPARE(shownThatWeek(), 0);

    undo()->undo();
    const Event restoredSeries = m_fixture->storedEvent(series.id);
    const Event restoredMoved = m_fixture->storedEvent(moved.id);
    // The series skipped the day as a new version: given back, it goes on
    // from that one, its SEQUENCE never lower, in its text too.
    Event expectedSeries = undone(series, restoredSeries);
    expectedSeries.sequence = series.sequence + 2;
    expectedSeries.raw_icalendar = restoredSeries.raw_icalendar;
    QCOMPARE(restoredSeries, expectedSeries);
    QCOMPARE(IcsCodec::parseEvents(restoredSeries.raw_icalendar).value(0).sequence, expectedSeries.sequence);
    QCOMPARE(restoredMoved, undone(moved, restoredMoved));
    QCOMPARE(shownThatWeek(), 1);
}

void TestEventEdits::failedWriteOffersNoUndo()
{
    const Event before = synced(QTime(9, 0), QTime(10, 0));
    QVERIFY(m_fixture->failEventWrites());
    ModalAnswerer &answerer = *m_answerer;
    answerer.pressButton(QMessageBox::Ok);
    m_view->onEventMoveRequested(before.id, before.start_time, 30);
    answerer.chooseMenuItem(QStringLiteral("Delete"));
    answerer.pressButton(QMessageBox::Yes);
    answerer.pressButton(QMessageBox::Ok);
    m_view->showEventContextMenu(before.id, QPoint(10, 10));
    QCOMPARE(answerer.pending(), 0);
    QVERIFY(answerer.seen().first().startsWith(QStringLiteral("QMessageBox \"Planning\" could not be stored")));
    QCOMPARE(m_fixture->storedEvent(before.id).start_time, before.start_time);
    QVERIFY(!m_fixture->storedEvent(before.id).deleted_at);
    QCOMPARE(undo()->count(), 0);
}

void TestEventEdits::repeatingEventAsksForTheScope()
{
    Event weekly = WidgetFixture::timedEvent(QStringLiteral("Weekly"), at(QTime(11, 0)).addDays(-7), at(QTime(11, 30)).addDays(-7));
    weekly.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    weekly = m_fixture->addEvent(weekly);
    ModalAnswerer &answerer = *m_answerer;
    answerer.pressButton(QMessageBox::Cancel);
    answerer.clickButton(QStringLiteral("All events in the series"));
    m_view->onEventMoveRequested(weekly.id, at(QTime(11, 0)), 60);
    QCOMPARE(m_fixture->storedEvent(weekly.id).start_time, weekly.start_time);
    m_view->onEventMoveRequested(weekly.id, at(QTime(11, 0)), 60);
    QCOMPARE(answerer.pending(), 0);
    const Event moved = m_fixture->storedEvent(weekly.id);
    QCOMPARE(moved.start_time, weekly.start_time.addSecs(3600));
    QCOMPARE(*moved.end_time, weekly.end_time->addSecs(3600));
    QCOMPARE(moved.sync_status, SyncStatus::Pending);
    QCOMPARE(undo()->count(), 0);
}

void TestEventEdits::oneOccurrenceEditUndoesWithItsSeries_data()
{
    QTest::addColumn<bool>("resize");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QDateTime>("overrideEnd");
    QTest::addColumn<int>("rounds");         // of edit and undo, one after the other
    QTest::addColumn<QString>("accountType"); // empty: the local account
    QTest::newRow("move") << false << QStringLiteral("Moved \"Daily\"") << at(QTime(12, 30)) << 1 << QString();
    QTest::newRow("resize") << true << QStringLiteral("Resized \"Daily\"") << at(QTime(12, 0)) << 1 << QString();
    // Each round's change is undone, not the withdrawn one of the round
    // before, which a calendar keeps until its push (a local one for ever).
    QTest::newRow("moved and undone 8 times, local calendar")
        << false << QStringLiteral("Moved \"Daily\"") << at(QTime(12, 30)) << 8 << QString();
    QTest::newRow("moved and undone 8 times, synced calendar")
        << false << QStringLiteral("Moved \"Daily\"") << at(QTime(12, 30)) << 8 << QStringLiteral("caldav");
}

// "This event only" adds an override; undo takes it away and gives the
// series back as it was, as one step.
void TestEventEdits::oneOccurrenceEditUndoesWithItsSeries()
{
    QFETCH(bool, resize);
    QFETCH(QString, label);
    QFETCH(QDateTime, overrideEnd);
    QFETCH(int, rounds);
    QFETCH(QString, accountType);
    QString calendarId;
    if (!accountType.isEmpty())
        calendarId = m_fixture->addCalendar(QStringLiteral("synced"), QStringLiteral("Synced"), QStringLiteral("#123456"),
                                            true, m_fixture->addAccount(accountType)).id;
    Event daily = WidgetFixture::timedEvent(QStringLiteral("Daily"), at(QTime(11, 0)).addDays(-1),
                                            at(QTime(11, 30)).addDays(-1), calendarId);
    daily.recurrence_rule = QStringLiteral("FREQ=DAILY");
    daily.sync_status = SyncStatus::Synced;
    daily = m_fixture->addEvent(daily);
    EventRepository *events = m_fixture->state()->events();
    for (int round = 1; round <= rounds; ++round) {
        const Event before = m_fixture->storedEvent(daily.id);
        m_answerer->clickButton(QStringLiteral("This event only"));
        if (resize)
            m_view->onEventResizeRequested(daily.id, at(QTime(11, 0)), 30);
        else
            m_view->onEventMoveRequested(daily.id, at(QTime(11, 0)), 60);
        QCOMPARE(m_answerer->pending(), 0);
        const std::optional<Event> added = events->getLiveByUidAndRecurrenceId(
            daily.uid, daily.calendar_id, at(QTime(11, 0)).toUTC().toString("yyyyMMdd'T'HHmmss'Z'"));
        QVERIFY(added);
        QCOMPARE(added->end_time.value_or(QDateTime()), overrideEnd);
        QCOMPARE(undo()->count(), 1);

        QSignalSpy labels(undo(), &UndoStack::undone);
        undo()->undo();
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.first().first().toString(), label);
        // The override is withdrawn, not deleted: the series shows the
        // occurrence again, and its SEQUENCE is above the one it had.
        QVERIFY2(isWithdrawnOccurrence(m_fixture->storedEvent(added->id)), qPrintable(QString::number(round)));
        const Event restored = m_fixture->storedEvent(daily.id);
        QCOMPARE(restored, undoneEdit(before, restored, 0));
        QCOMPARE(shownOn(events, Day), QStringList{QStringLiteral("Daily 11:00")});
        QCOMPARE(undo()->count(), 0);
    }
}

void TestEventEdits::undoKeepsWhatOthersChangedSince_data()
{
    QTest::addColumn<bool>("occurrence"); // "This event only" on a series, else a single event
    QTest::addColumn<bool>("onSeries");   // the later change was made to the series' row
    QTest::addColumn<bool>("retitled");   // the later change: a new title, else a move to 14:00
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("event retitled") << false << false << true << QStringList{"Planning (room 2) 09:00"};
    QTest::newRow("event moved again") << false << false << false << QStringList{"Planning 14:00"};
    QTest::newRow("occurrence retitled") << true << false << true << QStringList{"Planning (room 2) 09:00"};
    QTest::newRow("series retitled") << true << true << true << QStringList{"Planning (room 2) 09:00"};
}

// Another device changed the event after the move, and the pull brought
// that here before the undo: the undo gives back only the move.
void TestEventEdits::undoKeepsWhatOthersChangedSince()
{
    QFETCH(bool, occurrence);
    QFETCH(bool, onSeries);
    QFETCH(bool, retitled);
    QFETCH(QStringList, shown);
    Event stored = WidgetFixture::timedEvent(QStringLiteral("Planning"), at(QTime(9, 0)).addDays(occurrence ? -1 : 0),
                                             at(QTime(10, 0)).addDays(occurrence ? -1 : 0));
    stored.recurrence_rule = occurrence ? QStringLiteral("FREQ=DAILY") : QString();
    stored.sync_status = SyncStatus::Synced;
    stored = m_fixture->addEvent(stored);
    m_answerer->clickButton(QStringLiteral("This event only"));
    m_view->onEventMoveRequested(stored.id, at(QTime(9, 0)), 60);
    EventRepository *events = m_fixture->state()->events();
    const std::optional<Event> moved =
        occurrence ? events->getByUidAndRecurrenceId(stored.uid, stored.calendar_id,
                                                     Recurrence::recurrenceIdOf(stored, at(QTime(9, 0))))
                   : events->getById(stored.id);
    QVERIFY(moved);

    Event pulled = m_fixture->storedEvent(onSeries ? stored.id : moved->id);
    if (retitled) {
        pulled.title = QStringLiteral("Planning (room 2)");
    } else {
        pulled.start_time = at(QTime(14, 0));
        pulled.end_time = at(QTime(15, 0));
    }
    pulled.etag = QStringLiteral("\"elsewhere\"");
    pulled.sync_status = SyncStatus::Synced;
    QVERIFY(events->update(pulled));
    undo()->undo();

    QCOMPARE(shownOn(events, Day), shown);
    const Event changed = m_fixture->storedEvent(pulled.id);
    QCOMPARE(changed.sync_status, SyncStatus::Pending);
    QVERIFY(changed.sequence > pulled.sequence);
}

void TestEventEdits::undoAfterASeriesChangeWritesNothing_data()
{
    QTest::addColumn<QString>("seriesChange"); // made after the entries, with none of its own
    QTest::addColumn<bool>("synced");
    QTest::addColumn<QStringList>("shown"); // over three weeks, before Ctrl+Z
    const QStringList dragged{"03-11 13:00", "03-24 12:00"};
    const QStringList unchanged{"03-10 11:00", "03-24 12:00"};
    QTest::newRow("dragged all events by hours then a day, local") << "drag" << false << dragged;
    QTest::newRow("dragged all events by hours then a day, synced") << "drag" << true << dragged;
    QTest::newRow("re-timed in the form, synced") << "form" << true << QStringList{"03-10 13:00", "03-24 12:00"};
    QTest::newRow("no series change, local") << QString() << false << unchanged;
    QTest::newRow("no series change, synced") << QString() << true << unchanged;
}

// A series with a changed day deleted and another day changed, each with
// its entry; then the whole series changes, which has no entry. Ctrl+Z
// twice must not write back the series or its changes as they were before
// that: nothing is written and the status bar hears so. Without the
// series change both undo, the series' SEQUENCE still going up.
void TestEventEdits::undoAfterASeriesChangeWritesNothing()
{
    QFETCH(QString, seriesChange);
    QFETCH(bool, synced);
    QFETCH(QStringList, shown);
    QString calendarId = QString::fromLatin1(AppState::LocalCalendarId);
    if (synced)
        calendarId = m_fixture->addCalendar(QStringLiteral("synced"), QStringLiteral("Synced"), QStringLiteral("#123456"),
                                            true, m_fixture->addAccount(QStringLiteral("caldav"))).id;
    Event series = WidgetFixture::timedEvent(QStringLiteral("Walk"), at(QTime(11, 0)), at(QTime(11, 30)), calendarId);
    series.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    if (synced) {
        series.etag = QStringLiteral("\"etag-1\"");
        series.href = QStringLiteral("/cal/walk.ics");
        series.provider_event_id = QStringLiteral("walk-1");
    }
    series.sync_status = SyncStatus::Synced;
    series = m_fixture->addEvent(series);
    // The server's change of the second week, to 15:00.
    Event changed = series;
    changed.id.clear();
    changed.recurrence_rule.clear();
    changed.raw_icalendar.clear();
    changed.master_event_uid = series.uid;
    changed.recurrence_id = Recurrence::recurrenceIdOf(series, at(QTime(11, 0)).addDays(7));
    changed.start_time = at(QTime(15, 0)).addDays(7);
    changed.end_time = at(QTime(15, 30)).addDays(7);
    changed = m_fixture->addEvent(changed);

    EventEditor editor = m_fixture->state()->eventEditor();
    QVERIFY(editor.remove(changed));
    const Event deleting = m_fixture->storedEvent(series.id);
    const QDateTime thirdWeek = at(QTime(11, 0)).addDays(14);
    QVERIFY(editor.changeTimes(deleting, thirdWeek, *EventEditor::moved(deleting, thirdWeek, 0, 60),
                               EventEditor::TimeEdit::Move, SeriesScope::ThisEvent));
    QCOMPARE(undo()->count(), 2);

    if (seriesChange == QLatin1String("drag")) {
        const Event stored = m_fixture->storedEvent(series.id);
        QVERIFY(editor.changeTimes(stored, stored.start_time, *EventEditor::moved(stored, stored.start_time, 0, 120),
                                   EventEditor::TimeEdit::Move, SeriesScope::AllEvents));
        const Event later = m_fixture->storedEvent(series.id);
        QVERIFY(editor.changeTimes(later, later.start_time, *EventEditor::moved(later, later.start_time, 1, 0),
                                   EventEditor::TimeEdit::Move, SeriesScope::AllEvents));
    } else if (seriesChange == QLatin1String("form")) {
        EventFormDialog form(m_fixture->state(), m_fixture->storedEvent(series.id));
        form.findChild<DateTimePicker *>(QStringLiteral("start"))->setDateTime(at(QTime(13, 0)));
        form.findChild<DateTimePicker *>(QStringLiteral("end"))->setDateTime(at(QTime(13, 30)));
        QVERIFY(form.save().saved());
    }
    QCOMPARE(undo()->count(), 2);
    EventRepository *events = m_fixture->state()->events();
    const QMap<QString, Event> rowsBefore = rowsOf(events, calendarId);
    const Event seriesBefore = m_fixture->storedEvent(series.id);
    // Three weeks as the views read them: one range, so that a change
    // moved to another day still replaces its occurrence.
    const auto shownFromDay = [events] {
        const QDateTime from(Day, QTime(0, 0));
        const QDateTime to(Day.addDays(21), QTime(0, 0));
        QStringList shown;
        for (const Occurrence &occurrence : Recurrence::occurrences(events->getInRange(from, to), from, to))
            shown << occurrence.start.toLocalTime().toString(QStringLiteral("MM-dd HH:mm"));
        shown.sort();
        return shown;
    };
    const QStringList shownBefore = shownFromDay();
    QCOMPARE(shownBefore, shown);

    // What the status bar is told, in order.
    QStringList said;
    connect(undo(), &UndoStack::undone, this, [&said](const QString &label) { said << "Undid " + label; });
    connect(undo(), &UndoStack::notUndone, this, [&said](const QString &label, UndoStack::Outcome why) {
        said << (why == UndoStack::Outcome::ChangedSince ? "Changed since: " : "Failed: ") + label;
    });
    for (int press = 0; press < 2; ++press) {
        if (undo()->count() > 0)
            undo()->undo();
    }
    QCOMPARE(undo()->count(), 0);
    const Event seriesAfter = m_fixture->storedEvent(series.id);
    // What the sync would send says the same as the row, never a lower SEQUENCE.
    QCOMPARE(IcsCodec::parseEvents(seriesAfter.raw_icalendar).value(0).sequence, seriesAfter.sequence);
    if (!seriesChange.isEmpty()) {
        QCOMPARE(said, (QStringList{"Changed since: Moved \"Walk\"", "Changed since: Deleted \"Walk\""}));
        QCOMPARE(rowsOf(events, calendarId), rowsBefore);
        QCOMPARE(shownFromDay(), shownBefore);
        return;
    }
    QCOMPARE(said, (QStringList{"Undid Moved \"Walk\"", "Undid Deleted \"Walk\""}));
    QVERIFY2(seriesAfter.sequence > seriesBefore.sequence, qPrintable(QString::number(seriesAfter.sequence)));
    QCOMPARE(seriesAfter.exception_dates, series.exception_dates);
    QCOMPARE(shownFromDay(), (QStringList{"03-10 11:00", "03-17 15:00", "03-24 11:00"}));
}

void TestEventEdits::deletedSeriesTakesItsChangedDays_data()
{
    QTest::addColumn<QString>("accountType"); // empty: a calendar of this device
    QTest::addColumn<QString>("refused");     // the step the store refuses at a changed day, if any
    QTest::newRow("calendar of this device") << QString() << QString();
    QTest::newRow("Google, a day changed there too") << QStringLiteral("google") << QString();
    QTest::newRow("Outlook, a day changed there too") << QStringLiteral("microsoft") << QString();
    QTest::newRow("the delete refused at a changed day") << QString() << QStringLiteral("delete");
    QTest::newRow("the undo refused at a changed day") << QString() << QStringLiteral("undo");
}

// A series deleted from the card of one of its occurrences takes its
// changed days along: none stays on screen as an event of its own. Ctrl+Z
// gives back the series and every changed day as they were, in one step.
// Either is whole or nothing: refused at one row, no row is changed.
void TestEventEdits::deletedSeriesTakesItsChangedDays()
{
    QFETCH(QString, accountType);
    QFETCH(QString, refused);
    QString calendarId = QString::fromLatin1(AppState::LocalCalendarId);
    if (!accountType.isEmpty())
        calendarId = m_fixture->addCalendar(QStringLiteral("synced"), QStringLiteral("Synced"), QStringLiteral("#123456"),
                                            true, m_fixture->addAccount(accountType)).id;
    Event series = WidgetFixture::timedEvent(QStringLiteral("Walk club"), at(QTime(9, 0)).addDays(-7),
                                             at(QTime(10, 0)).addDays(-7), calendarId);
    series.recurrence_rule = QStringLiteral("FREQ=WEEKLY;COUNT=8");
    // Repeats at the same local time across a change of daylight saving.
    series.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    // Made here, the series is known to Google by an id of its own.
    if (!accountType.isEmpty())
        series.provider_event_id = QStringLiteral("walkclubgoogle");
    series.sync_status = SyncStatus::Synced;
    series = m_fixture->addEvent(series);
    // The second and third weeks changed here, through the drag.
    for (int week : {1, 2}) {
        m_answerer->clickButton(QStringLiteral("This event only"));
        m_view->onEventMoveRequested(series.id, at(QTime(9, 0)).addDays(7 * week), 60 * week);
        QCOMPARE(m_answerer->pending(), 0);
    }
    // The provider names the series of a day changed there by its own id.
    if (!accountType.isEmpty()) {
        Event changed = WidgetFixture::timedEvent(QStringLiteral("Walk club (elsewhere)"), at(QTime(14, 0)).addDays(21),
                                                  at(QTime(15, 0)).addDays(21), calendarId);
        changed.uid = changed.provider_event_id = QStringLiteral("walkclubgoogle_20260331");
        changed.master_event_uid = series.provider_event_id;
        changed.recurrence_id = Recurrence::recurrenceIdOf(series, at(QTime(9, 0)).addDays(21));
        changed.sync_status = SyncStatus::Synced;
        m_fixture->addEvent(changed);
    }
    EventRepository *events = m_fixture->state()->events();
    const QMap<QString, Event> before = rowsOf(events, calendarId);
    QCOMPARE(before.size(), accountType.isEmpty() ? 3 : 4);
    const QStringList shownBefore = shownFromDay(events);
    QCOMPARE(shownBefore.size(), 4);
    // A write of the third week's change fails, as a full disk would.
    const auto refuse = [this, events, series] {
        const Event third = events->getByUidAndRecurrenceId(series.uid, series.calendar_id,
                                                                 Recurrence::recurrenceIdOf(series, at(QTime(9, 0)).addDays(14)))
                                .value_or(Event());
        QSqlQuery query(m_fixture->db()->database());
        return !third.id.isEmpty()
            && query.exec(QStringLiteral("CREATE TEMP TRIGGER refuse_third BEFORE UPDATE ON events WHEN OLD.id = '%1' "
                                         "BEGIN SELECT RAISE(ABORT, 'disk full'); END")
                              .arg(third.id));
    };
    if (refused == QLatin1String("delete")) {
        QVERIFY(refuse());
        deleteFromCard(series.id, at(QTime(9, 0)), true);
        QCOMPARE(rowsOf(events, calendarId), before);
        QCOMPARE(shownFromDay(events), shownBefore);
        QCOMPARE(undo()->count(), 2);
        return;
    }

    deleteFromCard(series.id, at(QTime(9, 0)));
    QCOMPARE(shownFromDay(events), QStringList());
    for (const Event &row : before)
        QVERIFY2(m_fixture->storedEvent(row.id).deleted_at, qPrintable(row.title));
    if (refused == QLatin1String("undo")) {
        const QMap<QString, Event> deleted = rowsOf(events, calendarId);
        QVERIFY(refuse());
        QCOMPARE(pressUndo(), QStringLiteral("Failed: Deleted \"Walk club\""));
        QCOMPARE(rowsOf(events, calendarId), deleted);
        QCOMPARE(shownFromDay(events), QStringList());
        return;
    }

    QCOMPARE(pressUndo(), QStringLiteral("Undid Deleted \"Walk club\""));
    for (const Event &row : before) {
        const Event restored = m_fixture->storedEvent(row.id);
        QCOMPARE(restored, undone(row, restored));
    }
    QCOMPARE(shownFromDay(events), shownBefore);
}

void TestEventEdits::undoneSeriesDeleteReachesAnotherDevice_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("deleteWentUp"); // synced between the delete and Ctrl+Z
    for (const char *kind : {"radicale", "xandikos"}) {
        QTest::addRow("%s, undone after the delete went up", kind) << QString::fromLatin1(kind) << true;
        QTest::addRow("%s, undone before the sync", kind) << QString::fromLatin1(kind) << false;
    }
}

// A series another client changed two days of is deleted from an
// occurrence's card: on the server the resource goes whole. Ctrl+Z brings
// back the series with both changed days as the other client wrote them,
// its own lines too, and a second device reads them so.
void TestEventEdits::undoneSeriesDeleteReachesAnotherDevice()
{
    if (QTimeZone::systemTimeZoneId() != "Europe/Berlin")
        QSKIP("Real servers in one zone");
    QFETCH(QString, kind);
    QFETCH(bool, deleteWentUp);
    WalkClub::Server server(kind, m_fixture->state());
    QVERIFY2(server.isReady(), qPrintable(server.errorText()));
    QVERIFY(server.write(WalkClub::resource()));
    QCOMPARE(server.sync(), QString());
    QString failure;
    const QStringList readBefore = WalkClub::described(server.readElsewhere(&failure));
    QCOMPARE(failure, QString());
    QCOMPARE(readBefore, (QStringList{"Walk club (short) |  | 20260324T080000Z | 0 | X-OTHER-CLIENT-NOTE:short",
                                      "Walk club by the river |  | 20260317T080000Z | 0 | X-OTHER-CLIENT-NOTE:river",
                                      "Walk club | FREQ=WEEKLY;COUNT=8 |  | 0 | "}));
    EventRepository *events = m_fixture->state()->events();
    const auto here = [events] { return events->getByCalendar(WalkClub::Server::calendarId()); };
    const QStringList shownBefore = WalkClub::shown(here());
    QCOMPARE(shownBefore.size(), 8);
    const std::optional<Event> series = events->getByUid(QStringLiteral("walk-club"), WalkClub::Server::calendarId());
    QVERIFY(series);

    deleteFromCard(series->id, at(QTime(9, 0)));
    QCOMPARE(WalkClub::shown(here()), QStringList());
    if (deleteWentUp) {
        QCOMPARE(server.sync(), QString());
        QCOMPARE(server.hrefs(), QStringList());
    }
    QCOMPARE(pressUndo(), QStringLiteral("Undid Deleted \"Walk club\""));
    QCOMPARE(WalkClub::shown(here()), shownBefore);
    QCOMPARE(server.sync(), QString());
    QCOMPARE(server.hrefs().size(), 1);
    const QList<Event> read = server.readElsewhere(&failure);
    QCOMPARE(failure, QString());
    QCOMPARE(WalkClub::described(read), readBefore);
    QCOMPARE(WalkClub::shown(read), shownBefore);
}

void TestEventEdits::undoOfADeletedDayKeepsAPulledChange_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("deleted");   // "day": the changed 17 March; "series": the whole walk
    QTest::addColumn<QString>("synced");    // "first": the delete went up before the change elsewhere;
                                            // "after": one sync pulls that change, then sends the delete;
                                            // "refused": that sync's delete is refused and stays pending;
                                            // "meanwhile": the change comes after that sync's pull, its
                                            // delete meets it, and the next sync pulls it and deletes
    QTest::addColumn<QString>("elsewhere"); // what another device did before the pull; "change": the
                                            // 31 March moved to 1 April 11:00 and retitled
    for (const char *name : {"radicale", "xandikos"}) {
        const QString kind = QString::fromLatin1(name);
        QTest::addRow("%s, renamed elsewhere", name) << kind << "day" << "first" << "rename";
        QTest::addRow("%s, deleted elsewhere", name) << kind << "day" << "first" << "delete";
        QTest::addRow("%s, nothing pulled", name) << kind << "day" << "first" << QString();
        QTest::addRow("%s, series renamed elsewhere before its sync", name) << kind << "day" << "after" << "rename";
        QTest::addRow("%s, day retitled elsewhere before its sync", name) << kind << "day" << "after" << "retitle";
        QTest::addRow("%s, day retitled elsewhere, delete refused", name) << kind << "day" << "refused" << "retitle";
        QTest::addRow("%s, whole series, renamed elsewhere before its sync", name)
            << kind << "series" << "after" << "rename";
        QTest::addRow("%s, whole series, a day retitled elsewhere before its sync", name)
            << kind << "series" << "after" << "retitle";
        QTest::addRow("%s, whole series, renamed elsewhere, delete refused", name)
            << kind << "series" << "refused" << "rename";
        QTest::addRow("%s, whole series, nothing pulled before its sync", name)
            << kind << "series" << "after" << QString();
    }
    // A day the delete did not remove, changed elsewhere, comes back with it.
    QTest::newRow("radicale, whole series, a plain day changed elsewhere before its sync")
        << "radicale" << "series" << "after" << "change";
    QTest::newRow("radicale, whole series, a plain day changed elsewhere as its deletion goes")
        << "radicale" << "series" << "meanwhile" << "change";
}

// A changed day deleted from its card goes up; another device renames the
// series, and this one pulls that. Ctrl+Z gives back the day only: the
// series keeps the new name, here, on the server and on every device. A
// series deleted elsewhere stays deleted: the undo writes nothing. So too
// when the change elsewhere came first and this device's next sync pulls
// it before it sends the delete (of the day or of the whole series), and
// when the server refuses that delete: Ctrl+Z gives back what the server
// held last, the other device's change with it.
void TestEventEdits::undoOfADeletedDayKeepsAPulledChange()
{
    if (QTimeZone::systemTimeZoneId() != "Europe/Berlin")
        QSKIP("Real servers in one zone");
    QFETCH(QString, kind);
    QFETCH(QString, deleted);
    QFETCH(QString, synced);
    QFETCH(QString, elsewhere);
    WalkClub::Server server(kind, m_fixture->state());
    QVERIFY2(server.isReady(), qPrintable(server.errorText()));
    QVERIFY(server.write(WalkClub::resource()));
    QCOMPARE(server.sync(), QString());
    QString failure;
    QStringList expected = WalkClub::described(server.readElsewhere(&failure));
    QCOMPARE(failure, QString());
    EventRepository *events = m_fixture->state()->events();
    const auto here = [events] { return events->getByCalendar(WalkClub::Server::calendarId()); };
    QStringList shown = WalkClub::shown(here());
    const std::optional<Event> changed = events->getByUidAndRecurrenceId(
        QStringLiteral("walk-club"), WalkClub::Server::calendarId(), QStringLiteral("20260317T080000Z"));
    QVERIFY(changed);
    const std::optional<Event> series = events->getByUid(QStringLiteral("walk-club"), WalkClub::Server::calendarId());
    QVERIFY(series);

    if (deleted == QLatin1String("day")) {
        deleteFromCard(changed->id, changed->start_time);
        QVERIFY(!WalkClub::shown(here()).contains(QStringLiteral("03-17 11:00 Walk club by the river")));
    } else {
        deleteFromCard(series->id, at(QTime(9, 0)));
        QCOMPARE(WalkClub::shown(here()), QStringList());
    }
    if (synced == QLatin1String("first"))
        QCOMPARE(server.sync(), QString());
    if (elsewhere == QLatin1String("rename")) {
        QVERIFY(server.change("SUMMARY:Walk club\r\n", "SUMMARY:Walk club renamed\r\n"));
        expected.replaceInStrings(QRegularExpression(QStringLiteral("^Walk club \\|")),
                                  QStringLiteral("Walk club renamed |"));
        shown.replaceInStrings(QRegularExpression(QStringLiteral("Walk club$")), QStringLiteral("Walk club renamed"));
    } else if (elsewhere == QLatin1String("retitle")) {
        QVERIFY(server.change("SUMMARY:Walk club by the river\r\n", "SUMMARY:Walk club by the lake\r\n"));
        expected.replaceInStrings(QStringLiteral("by the river |"), QStringLiteral("by the lake |"));
        shown.replaceInStrings(QStringLiteral("by the river"), QStringLiteral("by the lake"));
    } else if (elsewhere == QLatin1String("delete")) {
        QVERIFY(server.remove());
        expected.clear();
        shown.clear();
    } else if (elsewhere == QLatin1String("change")) {
        expected.append(QStringLiteral("Walk club moved |  | 20260331T070000Z | 0 | X-OTHER-CLIENT-NOTE:moved"));
        expected.sort();
        shown.replaceInStrings(QStringLiteral("03-31 09:00 Walk club"), QStringLiteral("04-01 11:00 Walk club moved"));
        shown.sort();
    }
    // Another device moves 31 March a day later, once the pull has passed
    // when the change comes meanwhile.
    const auto moveADay = [&server] {
        return server.change("BEGIN:VTIMEZONE",
                             "BEGIN:VEVENT\r\nUID:walk-club\r\nDTSTAMP:20260101T000000Z\r\n"
                             "RECURRENCE-ID;TZID=Europe/Berlin:20260331T090000\r\n"
                             "DTSTART;TZID=Europe/Berlin:20260401T110000\r\n"
                             "DTEND;TZID=Europe/Berlin:20260401T120000\r\nSUMMARY:Walk club moved\r\n"
                             "X-OTHER-CLIENT-NOTE:moved\r\nEND:VEVENT\r\nBEGIN:VTIMEZONE");
    };
    if (elsewhere == QLatin1String("change") && synced != QLatin1String("meanwhile"))
        QVERIFY(moveADay());
    if (synced == QLatin1String("refused")) {
        // The pull lands; every write of the push is answered "busy".
        server.front().hook = [](const LocalHttpServer::Request &request) -> std::optional<LocalHttpServer::Reply> {
            if (request.method != "PUT" && request.method != "DELETE")
                return std::nullopt;
            LocalHttpServer::Reply busy;
            busy.status = 503;
            return busy;
        };
        const QString refusal = server.sync();
        QVERIFY2(refusal.endsWith(QLatin1String("(HTTP 503)")), qPrintable(refusal));
        server.front().hook = nullptr;
        QCOMPARE(server.hrefs().size(), 1);
    } else if (synced == QLatin1String("meanwhile")) {
        bool moved = false;
        server.front().hook = [&](const LocalHttpServer::Request &request) -> std::optional<LocalHttpServer::Reply> {
            if (request.method == "DELETE" && !moved)
                moved = moveADay();
            return std::nullopt;
        };
        const QString refusal = server.sync();
        server.front().hook = nullptr;
        QVERIFY(moved);
        QVERIFY2(refusal.endsWith(QLatin1String("(HTTP 412)")), qPrintable(refusal));
        QCOMPARE(server.sync(), QString());
        QCOMPARE(server.hrefs(), QStringList());
    } else {
        QCOMPARE(server.sync(), QString());
    }
    const QString label = deleted == QLatin1String("day") ? QStringLiteral("Deleted \"Walk club by the river\"")
                                                          : QStringLiteral("Deleted \"Walk club\"");
    QCOMPARE(pressUndo(), elsewhere == QLatin1String("delete") ? QStringLiteral("Changed since: ") + label
                                                               : QStringLiteral("Undid ") + label);
    QCOMPARE(server.sync(), QString());

    QCOMPARE(WalkClub::shown(here()), shown);
    const QList<Event> read = server.readElsewhere(&failure);
    QCOMPARE(failure, QString());
    QCOMPARE(WalkClub::described(read), expected);
    QCOMPARE(WalkClub::shown(read), shown);
}

// The context menu edits the series as stored, from its first date; only
// the details card of one occurrence edits that occurrence.
void TestEventEdits::menuEditOpensTheStoredSeries()
{
    Event weekly = WidgetFixture::timedEvent(QStringLiteral("Weekly"), at(QTime(11, 0)).addDays(-7), at(QTime(11, 30)).addDays(-7));
    weekly.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    weekly = m_fixture->addEvent(weekly);
    QDateTime formStart;
    m_answerer->chooseMenuItem(QStringLiteral("Edit…"));
    m_answerer->answer([&formStart](QWidget *form) {
        formStart = form->findChild<DateTimePicker *>(QStringLiteral("start"))->dateTime();
        form->findChild<QLineEdit *>(QStringLiteral("title"))->setText(QStringLiteral("Renamed"));
        for (QPushButton *button : form->findChildren<QPushButton *>()) {
            if (button->text() == QLatin1String("Save changes"))
                button->click();
        }
    });
    m_view->showEventContextMenu(weekly.id, QPoint(10, 10));
    QTRY_COMPARE(m_answerer->pending(), 0);
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QCOMPARE(formStart, weekly.start_time);
    // Saved as the series, without asking how far the change reaches.
    QCOMPARE(m_answerer->seen().size(), 2);
    const Event saved = m_fixture->storedEvent(weekly.id);
    QCOMPARE(QStringList({saved.title, saved.start_time.toString(Qt::ISODate), saved.recurrence_rule}),
             QStringList({QStringLiteral("Renamed"), weekly.start_time.toString(Qt::ISODate), weekly.recurrence_rule}));
}

void TestEventEdits::filterEntriesOpenTheFilterForm()
{
    const Event before = synced(QTime(9, 0), QTime(10, 0));
    QStringList shown;
    const auto record = [&shown](QWidget *window) {
        auto *form = qobject_cast<FilterFormDialog *>(window);
        QVERIFY(form);
        shown << form->windowTitle() << form->currentType()
              << form->findChild<QLineEdit *>(QStringLiteral("filterName"))->text()
              << form->findChild<QLabel *>(QStringLiteral("specificEvent"))->text();
        form->accept();
    };
    m_answerer->chooseMenuItem(QStringLiteral("Create Filter from Event…"));
    m_answerer->answer(record);
    m_view->showEventContextMenu(before.id, QPoint(10, 10));
    QCOMPARE(shown, QStringList({"Add Filter", "specific", "Planning", "Planning"}));
    const QList<FilterRule> rules = m_fixture->state()->filterRules()->getAll();
    QCOMPARE(rules.size(), 1);
    QCOMPARE(QStringList({rules.first().event_uid, rules.first().event_calendar_id}),
             QStringList({before.uid, before.calendar_id}));

    // The rule now decides the event, so the menu offers to edit it.
    shown.clear();
    m_answerer->chooseMenuItem(QStringLiteral("Edit filter \"Planning\"…"));
    m_answerer->answer(record);
    m_view->showEventContextMenu(before.id, QPoint(10, 10));
    QCOMPARE(m_answerer->menus().last(),
             QStringList({"Edit…", "Delete", "Edit filter \"Planning\"…", "Create Filter from Event…"}));
    QCOMPARE(shown, QStringList({"Edit Filter", "specific", "Planning", "Planning"}));
    QCOMPARE(m_answerer->pending(), 0);
}

QTEST_MAIN(TestEventEdits)
#include "tst_eventedits.moc"
