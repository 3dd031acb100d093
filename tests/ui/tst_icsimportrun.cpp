#include "app/appstate.h"
#include "app/edits/eventstamp.h"
#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/storetransaction.h"
#include "store/storewriter.h"
#include "store/taskrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"
#include "ui/icsimportflow.h"
#include "ui/icsimportrun.h"
#include "ui/mainwindow.h"
#include "ui/panes/taskspane.h"
#include "ui/panes/taskspanerow.h"

#include <QFile>
#include <QProcess>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

QString personal()
{
    return QString::fromLatin1(AppState::LocalCalendarId);
}

// count plain events a day apart from 2026-01-01 (uids plain-N), then a
// daily series whose third occurrence moved two hours later.
QByteArray calendarFile(int count)
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Example//Test//EN\r\n";
    const QDateTime origin(QDate(2026, 1, 1), QTime(9, 0), Qt::UTC);
    for (int i = 0; i < count; ++i) {
        const QDateTime start = origin.addSecs(3600LL * i);
        text += "BEGIN:VEVENT\r\nUID:plain-" + QByteArray::number(i) + "\r\nSUMMARY:Plain " + QByteArray::number(i)
                + "\r\nDTSTART:" + start.toString(QStringLiteral("yyyyMMddTHHmmssZ")).toLatin1()
                + "\r\nDTEND:" + start.addSecs(1800).toString(QStringLiteral("yyyyMMddTHHmmssZ")).toLatin1()
                + "\r\nEND:VEVENT\r\n";
    }
    text += "BEGIN:VEVENT\r\nUID:standup@example.test\r\nSUMMARY:Stand-up\r\n"
            "DTSTART:20260302T090000Z\r\nDTEND:20260302T091500Z\r\nRRULE:FREQ=DAILY;COUNT=5\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:standup@example.test\r\nRECURRENCE-ID:20260304T090000Z\r\n"
            "SUMMARY:Stand-up (late)\r\nDTSTART:20260304T110000Z\r\nDTEND:20260304T111500Z\r\nEND:VEVENT\r\n";
    return text + "END:VCALENDAR\r\n";
}

QList<Event> calendarEvents(int count)
{
    return IcsCodec::readEvents(calendarFile(count)).events;
}

} // namespace

// A large .ics file is stored in slices, each committed on its own and the
// whole announced once; the user's writes meanwhile are never part of the
// import's, and Cancel leaves the calendar as it was but for what someone
// changed since.
class TestIcsImportRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void slicedImportKeepsTheSeriesAndItsMovedOccurrence();
    void importAnnouncesOneChange();
    void cancelLeavesTheCalendarAsItWas();
    void cancelKeepsATaskTickedWhileTheImportRan();
    void cancelKeepsAnEventTheUserChangedMeanwhile_data();
    void cancelKeepsAnEventTheUserChangedMeanwhile();
    void killDuringTheImportKeepsAWriteAcknowledgedMeanwhile();
    void importWaitsWhileAnotherConnectionHoldsTheWriteLock();
    void largeFileShowsProgressAndReportsInTheStatusBar();
    void cancelWhileTheCalendarIsReadWritesNothing();
    void reimportOfTheSameEventsChangesNothing();
    void cancelFromTheLastProgressStepLeavesTheCalendarAsItWas();
    void runEndedAsItFinishesKeepsTheImportAndTellsTheViewsOnce();

private:
    std::unique_ptr<WidgetFixture> m_fixture;
};

void TestIcsImportRun::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
}

void TestIcsImportRun::cleanup()
{
    m_fixture.reset();
}

void TestIcsImportRun::slicedImportKeepsTheSeriesAndItsMovedOccurrence()
{
    IcsImportRun run(m_fixture->state(), calendarEvents(500), personal());
    QSignalSpy finished(&run, &IcsImportRun::finished);
    run.start();
    QVERIFY(finished.wait(10000));
    const IcsImport::Result result = finished.first().at(0).value<IcsImport::Result>();
    QCOMPARE(result.imported, 502);
    QCOMPARE(result.failed, 0);

    const QDateTime from(QDate(2026, 3, 2), QTime(0, 0), Qt::UTC);
    const QList<Event> week =
        Recurrence::expandForRange(m_fixture->state()->events()->getInRange(from, from.addDays(7)), from,
                                   from.addDays(7));
    QStringList seen;
    for (const Event &event : week) {
        if (event.uid == QLatin1String("standup@example.test"))
            seen << event.title + QLatin1Char(' ') + event.start_time.toUTC().toString(Qt::ISODate);
    }
    seen.sort();
    QCOMPARE(seen, QStringList({"Stand-up (late) 2026-03-04T11:00:00Z", "Stand-up 2026-03-02T09:00:00Z",
                                "Stand-up 2026-03-03T09:00:00Z", "Stand-up 2026-03-05T09:00:00Z",
                                "Stand-up 2026-03-06T09:00:00Z"}));
}

void TestIcsImportRun::importAnnouncesOneChange()
{
    QSignalSpy changed(m_fixture->state()->events(), &EventRepository::eventsChanged);
    IcsImportRun run(m_fixture->state(), calendarEvents(300), personal());
    QSignalSpy finished(&run, &IcsImportRun::finished);
    run.start();
    QVERIFY(finished.wait(10000));
    QVERIFY(changed.wait(20000));
    QTest::qWait(300);
    QCOMPARE(changed.size(), 1);
}

void TestIcsImportRun::cancelLeavesTheCalendarAsItWas()
{
    // One event of the file is already stored, with other text: the import
    // would update it.
    Event known = calendarEvents(1).first();
    known.title = QStringLiteral("Kept as it was");
    known.calendar_id = personal();
    known.raw_icalendar = QStringLiteral("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
    m_fixture->addEvent(known);
    const QList<Event> before = m_fixture->state()->events()->getByCalendar(personal());
    QCOMPARE(before.size(), 1);

    IcsImportRun run(m_fixture->state(), calendarEvents(3000), personal());
    QSignalSpy progress(&run, &IcsImportRun::progress);
    QSignalSpy finished(&run, &IcsImportRun::finished);
    QSignalSpy cancelled(&run, &IcsImportRun::cancelled);
    run.start();
    QVERIFY(progress.wait(10000));
    QVERIFY(run.done() > 0);
    QVERIFY(run.done() < run.total());
    run.cancel();
    QCOMPARE(cancelled.size(), 1);
    QTest::qWait(50);
    QCOMPARE(finished.size(), 0);
    QCOMPARE(m_fixture->state()->events()->getByCalendar(personal()), before);

    // Destroyed unfinished, a run undoes its writes the same way.
    {
        IcsImportRun unfinished(m_fixture->state(), calendarEvents(3000), personal());
        QSignalSpy sliced(&unfinished, &IcsImportRun::progress);
        unfinished.start();
        QVERIFY(sliced.wait(10000));
    }
    QCOMPARE(m_fixture->state()->events()->getByCalendar(personal()), before);
}

// Cancel takes back the import alone: a task ticked in the pane while the
// import ran stays done, in the store and on the screen.
void TestIcsImportRun::cancelKeepsATaskTickedWhileTheImportRan()
{
    const Task task = m_fixture->addTask(QStringLiteral("Ticked meanwhile"));
    TasksPane pane(m_fixture->state());
    pane.resize(400, 600);
    pane.show();
    const auto rowOf = [&pane, &task]() -> TasksPaneRow * {
        for (TasksPaneRow *row : pane.findChildren<TasksPaneRow *>()) {
            if (row->task().id == task.id && row->isVisibleTo(&pane))
                return row;
        }
        return nullptr;
    };
    QTRY_VERIFY(rowOf());

    // The first event brings rows of its own, which go with it.
    QList<Event> events = calendarEvents(3000);
    Reminder reminder;
    reminder.minutes_before = 15;
    Attendee attendee;
    attendee.email = QStringLiteral("ann@example.test");
    events.first().reminders = {reminder};
    events.first().attendees = {attendee};
    IcsImportRun run(m_fixture->state(), events, personal());
    QSignalSpy progress(&run, &IcsImportRun::progress);
    run.start();
    QVERIFY(progress.wait(10000));
    QVERIFY(run.done() < run.total());
    QTest::mouseClick(rowOf(), Qt::LeftButton, {}, rowOf()->completionHitArea().center());
    QCOMPARE(m_fixture->state()->tasks()->getById(task.id)->status, TaskStatus::Completed);
    QVERIFY(run.isRunning());
    run.cancel();

    QCOMPARE(m_fixture->state()->events()->getByCalendar(personal()), QList<Event>());
    QCOMPARE(m_fixture->state()->tasks()->getById(task.id)->status, TaskStatus::Completed);
    QTRY_VERIFY(rowOf() && rowOf()->task().status == TaskStatus::Completed);
}

void TestIcsImportRun::cancelKeepsAnEventTheUserChangedMeanwhile_data()
{
    QTest::addColumn<bool>("storedBefore");
    QTest::newRow("updated by the import") << true;
    QTest::newRow("added by the import") << false;
}

// The import commits as it goes, so the user can open and change one of
// its events before Cancel: the change stays, and the rest goes.
void TestIcsImportRun::cancelKeepsAnEventTheUserChangedMeanwhile()
{
    QFETCH(bool, storedBefore);
    if (storedBefore) {
        Event known = calendarEvents(1).first();
        known.title = QStringLiteral("Kept as it was");
        known.calendar_id = personal();
        known.raw_icalendar = QStringLiteral("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
        m_fixture->addEvent(known);
    }
    IcsImportRun run(m_fixture->state(), calendarEvents(3000), personal());
    QSignalSpy progress(&run, &IcsImportRun::progress);
    run.start();
    QVERIFY(progress.wait(10000));
    QVERIFY(run.done() < run.total());
    std::optional<Event> edited = m_fixture->state()->events()->getByUid(QStringLiteral("plain-0"), personal());
    QVERIFY(edited);
    QCOMPARE(edited->title, QStringLiteral("Plain 0"));
    edited->title = QStringLiteral("Changed by the user");
    EventStamp::changed(*edited);
    QVERIFY(m_fixture->state()->events()->update(*edited));
    const Event changed = m_fixture->storedEvent(edited->id);

    run.cancel();
    QVERIFY(!run.isRunning());
    QCOMPARE(m_fixture->state()->events()->getByCalendar(personal()), QList<Event>{changed});
}

// A program killed mid-import (a peer process, stopped by the test right
// after it ticked a task while its import ran) keeps the tick, and the
// events it stored so far, in file order.
void TestIcsImportRun::killDuringTheImportKeepsAWriteAcknowledgedMeanwhile()
{
    const Task task = m_fixture->addTask(QStringLiteral("Ticked mid-import"));
    QProcess peer;
    peer.start(QStringLiteral(ICSIMPORT_PEER), {task.id});
    QVERIFY(peer.waitForStarted());
    QByteArray said;
    while (!said.contains('\n') && peer.waitForReadyRead(60000))
        said += peer.readAllStandardOutput();
    const QList<QByteArray> words = said.trimmed().split(' ');
    QVERIFY2(words.size() == 3 && words.at(0) == "ticked", said.constData());
    QVERIFY(words.at(1).toInt() < words.at(2).toInt());
    peer.kill();
    QVERIFY(peer.waitForFinished(60000));

    Database reopened;
    QVERIFY(reopened.open(m_fixture->db()->path(), QStringLiteral("after_the_kill")));
    QCOMPARE(TaskRepository(&reopened).getById(task.id)->status, TaskStatus::Completed);
    const QList<Event> stored = EventRepository(&reopened).getByCalendar(personal());
    QStringList uids;
    for (const Event &event : stored)
        uids.append(event.uid);
    uids.sort();
    QStringList firstOfTheFile;
    for (int i = 0; i < words.at(1).toInt(); ++i)
        firstOfTheFile.append(QStringLiteral("peer-%1").arg(i));
    firstOfTheFile.sort();
    QCOMPARE(uids, firstOfTheFile);
}

// A sync's pull writes through a connection of its own: while it holds the
// write lock the import stores nothing and tries again, and then ends.
void TestIcsImportRun::importWaitsWhileAnotherConnectionHoldsTheWriteLock()
{
    StoreWriter pull(m_fixture->db()->path(), QStringLiteral("pull_holding_the_lock"));
    auto held = std::make_unique<StoreTransaction>(pull.database(), QStringLiteral("pull"),
                                                   StoreTransaction::Lock::Immediate);
    QVERIFY(held->isActive());
    IcsImportRun run(m_fixture->state(), calendarEvents(300), personal());
    QSignalSpy progress(&run, &IcsImportRun::progress);
    QSignalSpy finished(&run, &IcsImportRun::finished);
    run.start();
    QTest::qWait(300);
    QCOMPARE(progress.size(), 0);
    QVERIFY(run.isRunning());
    held.reset();
    QVERIFY(finished.wait(10000));
    const IcsImport::Result result = finished.first().at(0).value<IcsImport::Result>();
    QCOMPARE((QList<int>{result.imported, result.failed}), (QList<int>{302, 0}));
}

void TestIcsImportRun::largeFileShowsProgressAndReportsInTheStatusBar()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.ics"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(calendarFile(IcsImportFlow::ProgressThreshold));
    file.close();

    MainWindow window(m_fixture->state());
    window.show();
    ModalAnswerer answerer;
    answerer.clickButton(QStringLiteral("Import"));
    bool progressShown = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (const auto *dialog = window.findChild<QProgressDialog *>())
            progressShown = progressShown || dialog->isVisible();
    });
    watch.start(1);
    window.importIcsFromCommand(path);
    QTRY_VERIFY_WITH_TIMEOUT(window.statusBar()->currentMessage().startsWith(QLatin1String("Imported")), 20000);
    QCOMPARE(window.statusBar()->currentMessage(),
             QStringLiteral("Imported %1 events into On This Device / Personal.").arg(IcsImportFlow::ProgressThreshold + 2));
    QVERIFY(progressShown);
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(m_fixture->state()->events()->getByCalendar(personal()).size(), IcsImportFlow::ProgressThreshold + 2);
}

void TestIcsImportRun::cancelWhileTheCalendarIsReadWritesNothing()
{
    QSignalSpy changed(m_fixture->state()->events(), &EventRepository::eventsChanged);
    IcsImportRun run(m_fixture->state(), calendarEvents(1500), personal());
    QSignalSpy progress(&run, &IcsImportRun::progress);
    QSignalSpy finished(&run, &IcsImportRun::finished);
    QSignalSpy cancelled(&run, &IcsImportRun::cancelled);
    run.start();
    // The calendar's rows are read beside the window first: nothing is
    // written before that read returns.
    QVERIFY(run.isRunning());
    QCOMPARE(run.done(), 0);
    run.cancel();
    QVERIFY(cancelled.wait(20000));
    QCOMPARE(cancelled.size(), 1);
    QTest::qWait(300);
    QCOMPARE(progress.size(), 0);
    QCOMPARE(finished.size(), 0);
    QCOMPARE(changed.size(), 0);
    QVERIFY(!run.isRunning());
    QVERIFY(m_fixture->state()->events()->getByCalendar(personal()).isEmpty());
}

void TestIcsImportRun::reimportOfTheSameEventsChangesNothing()
{
    const QList<Event> events = calendarEvents(1200);
    {
        IcsImportRun first(m_fixture->state(), events, personal());
        QSignalSpy finished(&first, &IcsImportRun::finished);
        first.start();
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.first().at(0).value<IcsImport::Result>().imported, 1202);
    }
    const QList<Event> stored = m_fixture->state()->events()->getByCalendar(personal());
    // The second run reads what the first stored on its own connection.
    IcsImportRun again(m_fixture->state(), events, personal());
    QSignalSpy finished(&again, &IcsImportRun::finished);
    again.start();
    QVERIFY(finished.wait(20000));
    const IcsImport::Result result = finished.first().at(0).value<IcsImport::Result>();
    QCOMPARE((QList<int>{result.imported, result.updated, result.unchanged, result.failed}),
             (QList<int>{0, 0, 1202, 0}));
    QCOMPARE(m_fixture->state()->events()->getByCalendar(personal()), stored);
}

// The progress dialog answers Cancel while it shows a step (a modal dialog
// handles events in setValue()): at the last step every event is stored and
// the commit has not run yet.
void TestIcsImportRun::cancelFromTheLastProgressStepLeavesTheCalendarAsItWas()
{
    IcsImportRun run(m_fixture->state(), calendarEvents(1200), personal());
    QSignalSpy finished(&run, &IcsImportRun::finished);
    QSignalSpy cancelled(&run, &IcsImportRun::cancelled);
    connect(&run, &IcsImportRun::progress, &run, [&run](int done, int total) {
        if (done == total)
            run.cancel();
    });
    run.start();
    QVERIFY(cancelled.wait(20000));
    QTest::qWait(100);
    QCOMPARE(finished.size(), 0);
    QVERIFY(!run.isRunning());
    QCOMPARE(m_fixture->state()->events()->getByCalendar(personal()), QList<Event>());
}

// Once a run finished, a Cancel or the run's end comes too late to take it
// back, and the views hear of it once.
void TestIcsImportRun::runEndedAsItFinishesKeepsTheImportAndTellsTheViewsOnce()
{
    QSignalSpy changed(m_fixture->state()->events(), &EventRepository::eventsChanged);
    auto run = std::make_unique<IcsImportRun>(m_fixture->state(), calendarEvents(3000), personal());
    const int total = run->total();
    QSignalSpy cancelled(run.get(), &IcsImportRun::cancelled);
    connect(run.get(), &IcsImportRun::finished, this, [&] {
        run->cancel();
        QTimer::singleShot(0, this, [&run] { run.reset(); });
    });
    run->start();
    QTRY_VERIFY_WITH_TIMEOUT(!run, 20000);
    QCOMPARE(cancelled.size(), 0);
    QCOMPARE(m_fixture->state()->events()->getByCalendar(personal()).size(), total);
    QTRY_COMPARE(changed.size(), 1);
    QTest::qWait(300);
    QCOMPARE(changed.size(), 1);
}

QTEST_MAIN(TestIcsImportRun)
#include "tst_icsimportrun.moc"
