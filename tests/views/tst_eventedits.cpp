#include "app/appstate.h"
#include "app/undostack.h"
#include "store/eventrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"
#include "views/day/dayview.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

const QDate Day(2026, 3, 10);

} // namespace

class TestEventEdits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void moveKeepsTheDurationAndMarksForUpload();
    void moveWithoutEndMovesOnlyTheStart();
    void resizeKeepsAQuarterHour();
    void staleOrEmptyRequestsChangeNothing();
    void undoAfterSyncIsPushedAgain();
    void deleteAsksAndUndoBringsTheEventBack();
    void undoOfAPushedDeleteCreatesANewItem();
    void failedWriteOffersNoUndo();
    void repeatingEventAsksForTheScope();

private:
    Event syncedEvent(const QTime &start, const std::optional<QTime> &end);
    int undoCount() const { return m_fixture->state()->undoStack()->count(); }

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<DayView> m_view;
};

void TestEventEdits::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    m_view = std::make_unique<DayView>(m_fixture->state());
    m_view->setClock(m_fixture->clock());
    m_view->setDate(Day);
}

void TestEventEdits::cleanup()
{
    m_view.reset();
    m_fixture.reset();
}

Event TestEventEdits::syncedEvent(const QTime &start, const std::optional<QTime> &end)
{
    Event event = WidgetFixture::timedEvent(QStringLiteral("Planning"), QDateTime(Day, start),
                                            end ? std::optional<QDateTime>(QDateTime(Day, *end)) : std::nullopt);
    event.etag = QStringLiteral("\"etag-1\"");
    event.href = QStringLiteral("/cal/planning.ics");
    event.provider_event_id = QStringLiteral("remote-1");
    event.sync_status = QStringLiteral("synced");
    return m_fixture->addEvent(event);
}

void TestEventEdits::moveKeepsTheDurationAndMarksForUpload()
{
    const Event before = syncedEvent(QTime(9, 0), QTime(10, 0));
    m_view->onEventMoveRequested(before.id, before.start_time, 30);
    const Event after = m_fixture->storedEvent(before.id);
    QCOMPARE(after.start_time, QDateTime(Day, QTime(9, 30)));
    QCOMPARE(*after.end_time, QDateTime(Day, QTime(10, 30)));
    QCOMPARE(after.sync_status, QStringLiteral("pending"));
    const QString utcStart = after.start_time.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    QVERIFY2(after.raw_icalendar.contains(QStringLiteral("DTSTART:") + utcStart), qPrintable(after.raw_icalendar));
    QCOMPARE(undoCount(), 1);

    QSignalSpy undone(m_fixture->state()->undoStack(), &UndoStack::undone);
    m_fixture->state()->undoStack()->undo();
    QCOMPARE(undone.first().at(0).toString(), QStringLiteral("Moved \"Planning\""));
    const Event restored = m_fixture->storedEvent(before.id);
    QCOMPARE(restored.start_time, before.start_time);
    QCOMPARE(restored.end_time, before.end_time);
    QCOMPARE(restored.raw_icalendar, before.raw_icalendar);
}

void TestEventEdits::moveWithoutEndMovesOnlyTheStart()
{
    const Event before = syncedEvent(QTime(9, 0), std::nullopt);
    m_view->onEventMoveRequested(before.id, before.start_time, -45);
    const Event after = m_fixture->storedEvent(before.id);
    QCOMPARE(after.start_time, QDateTime(Day, QTime(8, 15)));
    QVERIFY(!after.end_time);
}

void TestEventEdits::resizeKeepsAQuarterHour()
{
    const Event short30 = syncedEvent(QTime(9, 0), QTime(9, 30));
    m_view->onEventResizeRequested(short30.id, short30.start_time, -60);
    QCOMPARE(*m_fixture->storedEvent(short30.id).end_time, QDateTime(Day, QTime(9, 15)));
    QCOMPARE(m_fixture->storedEvent(short30.id).start_time, short30.start_time);

    const Event open = syncedEvent(QTime(11, 0), std::nullopt);
    m_view->onEventResizeRequested(open.id, open.start_time, 30);
    QCOMPARE(m_fixture->storedEvent(open.id).sync_status, QStringLiteral("synced"));
    QCOMPARE(undoCount(), 1);
}

void TestEventEdits::staleOrEmptyRequestsChangeNothing()
{
    const Event event = syncedEvent(QTime(9, 0), QTime(10, 0));
    m_view->onEventMoveRequested(event.id, QDateTime(), 30);
    m_view->onEventMoveRequested(event.id, event.start_time, 0);
    m_view->onEventMoveRequested(QStringLiteral("gone"), event.start_time, 30);
    m_view->onEventResizeRequested(event.id, QDateTime(), 30);
    QCOMPARE(m_fixture->storedEvent(event.id).start_time, event.start_time);
    QCOMPARE(m_fixture->storedEvent(event.id).sync_status, QStringLiteral("synced"));
    QCOMPARE(undoCount(), 0);
}

void TestEventEdits::undoAfterSyncIsPushedAgain()
{
    const Event before = syncedEvent(QTime(9, 0), QTime(10, 0));
    m_view->onEventMoveRequested(before.id, before.start_time, 60);
    // The move reaches the server, which hands out a new ETag.
    QVERIFY(m_fixture->state()->events()->markSynced(before.id, before.href, QStringLiteral("\"etag-2\"")));
    const QDateTime pushedAt = m_fixture->storedEvent(before.id).last_modified;

    m_fixture->state()->undoStack()->undo();
    const Event restored = m_fixture->storedEvent(before.id);
    QCOMPARE(restored.start_time, before.start_time);
    QCOMPARE(restored.title, before.title);
    QCOMPARE(restored.sync_status, QStringLiteral("pending"));
    QCOMPARE(restored.etag, QStringLiteral("\"etag-2\""));
    QCOMPARE(restored.href, before.href);
    QCOMPARE(restored.provider_event_id, before.provider_event_id);
    QVERIFY(restored.last_modified >= pushedAt);
}

void TestEventEdits::deleteAsksAndUndoBringsTheEventBack()
{
    const Event before = syncedEvent(QTime(9, 0), QTime(10, 0));
    ModalAnswerer answerer;
    answerer.chooseMenuItem(QStringLiteral("Delete"));
    answerer.pressButton(QMessageBox::Yes);
    m_view->showEventContextMenu(before.id, QPoint(10, 10));
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(answerer.menus().first(),
             QStringList({"Edit…", "Delete", "Create Filter from Event… (disabled)"}));
    QCOMPARE(answerer.seen().at(1), QStringLiteral("QMessageBox Delete \"Planning\"? You can undo with Ctrl+Z."));
    QCOMPARE(m_fixture->state()->selectedEventId(), before.id);
    QVERIFY(m_fixture->storedEvent(before.id).deleted_at);

    m_fixture->state()->undoStack()->undo();
    const Event restored = m_fixture->storedEvent(before.id);
    QVERIFY(!restored.deleted_at);
    QCOMPARE(restored.etag, before.etag);
    QCOMPARE(restored.sync_status, QStringLiteral("pending"));

    // Answering No keeps the event.
    answerer.chooseMenuItem(QStringLiteral("Delete"));
    answerer.pressButton(QMessageBox::No);
    m_view->showEventContextMenu(before.id, QPoint(10, 10));
    QVERIFY(!m_fixture->storedEvent(before.id).deleted_at);
}

void TestEventEdits::undoOfAPushedDeleteCreatesANewItem()
{
    const Event before = syncedEvent(QTime(9, 0), QTime(10, 0));
    ModalAnswerer answerer;
    answerer.chooseMenuItem(QStringLiteral("Delete"));
    answerer.pressButton(QMessageBox::Yes);
    m_view->showEventContextMenu(before.id, QPoint(10, 10));
    // The tombstone was pushed and the row erased.
    QVERIFY(m_fixture->state()->events()->hardDelete(before.id));

    m_fixture->state()->undoStack()->undo();
    const Event restored = m_fixture->storedEvent(before.id);
    QCOMPARE(restored.id, before.id);
    QCOMPARE(restored.start_time, before.start_time);
    QCOMPARE(restored.sync_status, QStringLiteral("pending"));
    QVERIFY(restored.etag.isEmpty());
    QVERIFY(restored.href.isEmpty());
    QVERIFY(restored.provider_event_id.isEmpty());
}

void TestEventEdits::failedWriteOffersNoUndo()
{
    const Event before = syncedEvent(QTime(9, 0), QTime(10, 0));
    QVERIFY(m_fixture->failEventWrites());
    ModalAnswerer answerer;
    answerer.pressButton(QMessageBox::Ok);
    m_view->onEventMoveRequested(before.id, before.start_time, 30);
    QCOMPARE(answerer.pending(), 0);
    QVERIFY(answerer.seen().first().startsWith(QStringLiteral("QMessageBox \"Planning\" could not be stored")));
    QCOMPARE(m_fixture->storedEvent(before.id).start_time, before.start_time);
    QCOMPARE(undoCount(), 0);

    answerer.chooseMenuItem(QStringLiteral("Delete"));
    answerer.pressButton(QMessageBox::Yes);
    answerer.pressButton(QMessageBox::Ok);
    m_view->showEventContextMenu(before.id, QPoint(10, 10));
    QCOMPARE(answerer.pending(), 0);
    QVERIFY(!m_fixture->storedEvent(before.id).deleted_at);
    QCOMPARE(undoCount(), 0);
}

void TestEventEdits::repeatingEventAsksForTheScope()
{
    Event weekly = WidgetFixture::timedEvent(QStringLiteral("Weekly sync"), QDateTime(Day.addDays(-7), QTime(11, 0)),
                                             QDateTime(Day.addDays(-7), QTime(11, 30)));
    weekly.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    weekly = m_fixture->addEvent(weekly);
    const QDateTime occurrence(Day, QTime(11, 0));

    ModalAnswerer answerer;
    answerer.pressButton(QMessageBox::Cancel);
    m_view->onEventMoveRequested(weekly.id, occurrence, 60);
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(m_fixture->storedEvent(weekly.id).start_time, weekly.start_time);

    answerer.clickButton(QStringLiteral("All events in the series"));
    m_view->onEventMoveRequested(weekly.id, occurrence, 60);
    QCOMPARE(answerer.pending(), 0);
    const Event moved = m_fixture->storedEvent(weekly.id);
    QCOMPARE(moved.start_time, weekly.start_time.addSecs(3600));
    QCOMPARE(*moved.end_time, weekly.end_time->addSecs(3600));
    QCOMPARE(moved.sync_status, QStringLiteral("pending"));
    QCOMPARE(undoCount(), 0);
}

QTEST_MAIN(TestEventEdits)
#include "tst_eventedits.moc"
