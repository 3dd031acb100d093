#include "app/edits/eventstamp.h"
#include "app/edits/icsimport.h"
#include "app/edits/icsimportrun.h"
#include "app/edits/slicebudget.h"
#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/storetransaction.h"
#include "store/storewriter.h"
#include "store/taskrepository.h"
#include "tests/support/icstestfiles.h"
#include "tests/support/teststore.h"

#include <QProcess>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <QUuid>

#include <algorithm>
#include <memory>
#include <utility>

namespace {

const QString kPersonal = QStringLiteral("personal");
const QString kOther = QStringLiteral("other");

// count plain events an hour apart from 2026-01-01 (uids plain-N), then a
// daily series whose third occurrence moved two hours later.
QByteArray calendarFile(int count)
{
    QByteArray text = IcsTestFiles::Head + IcsTestFiles::plainEvents(count);
    text += "BEGIN:VEVENT\r\nUID:standup@example.test\r\nSUMMARY:Stand-up\r\n"
            "DTSTART:20260302T090000Z\r\nDTEND:20260302T091500Z\r\nRRULE:FREQ=DAILY;COUNT=5\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:standup@example.test\r\nRECURRENCE-ID:20260304T090000Z\r\n"
            "SUMMARY:Stand-up (late)\r\nDTSTART:20260304T110000Z\r\nDTEND:20260304T111500Z\r\nEND:VEVENT\r\n";
    return text + IcsTestFiles::Tail;
}

QList<Event> calendarEvents(int count)
{
    return IcsCodec::readEvents(calendarFile(count)).events;
}

const char TwoEvents[] =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Example//Test//EN\r\n"
    "BEGIN:VEVENT\r\nUID:import-1@example.test\r\nSUMMARY:Board meeting\r\n"
    "DTSTART:20260310T090000Z\r\nDTEND:20260310T100000Z\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:import-2@example.test\r\nSUMMARY:Team lunch\r\n"
    "DTSTART:20260311T120000Z\r\nDTEND:20260311T130000Z\r\nEND:VEVENT\r\n"
    "END:VCALENDAR\r\n";

} // namespace

// The import of an .ics file's events: at once, or in slices, each
// committed on its own within its time and the whole announced once; the
// user's writes meanwhile are never part of the import's, and Cancel leaves
// the calendar as it was but for what someone changed since.
class TestIcsImportRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void importUpdatesByUidPerCalendar();
    void importKeepsTheSeriesOfAMovedOccurrence();
    void importCountsEventsThatCouldNotBeStored();
    void slicedImportKeepsTheSeriesAndItsMovedOccurrence();
    void importAnnouncesOneChange();
    void sliceEndsWithinItsBudget_data();
    void sliceEndsWithinItsBudget();
    void slowCommitLeavesTheImportMostlyStores();
    void cancelLeavesTheCalendarAsItWas();
    void cancelKeepsAnEventTheUserChangedMeanwhile_data();
    void cancelKeepsAnEventTheUserChangedMeanwhile();
    void killDuringTheImportKeepsAWriteAcknowledgedMeanwhile();
    void importWaitsWhileAnotherConnectionHoldsTheWriteLock();
    void cancelWhileTheCalendarIsReadWritesNothing();
    void reimportOfTheSameEventsChangesNothing();
    void cancelFromTheLastProgressStepLeavesTheCalendarAsItWas();
    void runEndedAsItFinishesKeepsTheImportAndTellsTheViewsOnce();

private:
    std::unique_ptr<IcsImportRun> runOf(const QList<Event> &events, const QString &calendarId = kPersonal);
    Event addEvent(Event event);
    QList<Event> personalEvents() const { return m_events->getByCalendar(kPersonal); }

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<EventRepository> m_events;
};

void TestIcsImportRun::init()
{
    m_store = std::make_unique<TestStore>();
    QVERIFY(m_store->isOpen());
    QVERIFY(seedLocalCalendars(m_store->db(), {kPersonal, kOther}));
    m_events = std::make_unique<EventRepository>(m_store->db());
}

void TestIcsImportRun::cleanup()
{
    m_events.reset();
    m_store.reset();
}

std::unique_ptr<IcsImportRun> TestIcsImportRun::runOf(const QList<Event> &events, const QString &calendarId)
{
    return std::make_unique<IcsImportRun>(m_store->db(), m_events.get(), events, calendarId);
}

// Stored in the personal calendar with an id of its own; as read back.
Event TestIcsImportRun::addEvent(Event event)
{
    event.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    event.calendar_id = kPersonal;
    if (!m_events->insert(event))
        return Event();
    return m_events->getById(event.id).value_or(Event());
}

void TestIcsImportRun::importUpdatesByUidPerCalendar()
{
    const QList<Event> events = IcsCodec::parseEvents(QString::fromLatin1(TwoEvents));
    QCOMPARE(events.size(), 2);

    IcsImport::Result first = IcsImport::importEvents(m_store->db(), m_events.get(), events, kPersonal);
    QCOMPARE(first.imported, 2);
    QCOMPARE(first.updated, 0);
    const std::optional<Event> stored = m_events->getByUid("import-1@example.test", kPersonal);
    QVERIFY(stored);
    QCOMPARE(stored->sync_status, SyncStatus::Pending);
    QCOMPARE(stored->id.size(), 36);

    // A deleted event comes back, and nothing is duplicated.
    QVERIFY(m_events->remove(stored->id));
    IcsImport::Result second = IcsImport::importEvents(m_store->db(), m_events.get(), events, kPersonal);
    QCOMPARE(second.imported, 0);
    QCOMPARE(second.updated, 1);
    QCOMPARE(second.unchanged, 1);
    const std::optional<Event> revived = m_events->getById(stored->id);
    QVERIFY(revived);
    QVERIFY(!revived->deleted_at);
    QCOMPARE(personalEvents().size(), 2);

    IcsImport::Result third = IcsImport::importEvents(m_store->db(), m_events.get(), events, kOther);
    QCOMPARE(third.imported, 2);
}

void TestIcsImportRun::importKeepsTheSeriesOfAMovedOccurrence()
{
    const QList<Event> events = calendarEvents(0);
    QCOMPARE(IcsImport::importEvents(m_store->db(), m_events.get(), events, kPersonal).imported, 2);
    QCOMPARE(personalEvents().size(), 2);
    const std::optional<Event> series =
        m_events->getByUidAndRecurrenceId("standup@example.test", kPersonal, QString());
    QVERIFY(series);
    QCOMPARE(series->title, QStringLiteral("Stand-up"));
    QCOMPARE(series->recurrence_rule, QStringLiteral("FREQ=DAILY;COUNT=5"));

    // Again: nothing added, nothing written (the import writes through a
    // connection of its own, whose commits this one sees as a new version).
    QSqlQuery changes(m_store->db()->database());
    QVERIFY(changes.exec(QStringLiteral("PRAGMA data_version")) && changes.next());
    const int version = changes.value(0).toInt();
    const IcsImport::Result again = IcsImport::importEvents(m_store->db(), m_events.get(), events, kPersonal);
    QCOMPARE(again.unchanged, 2);
    QCOMPARE(again.imported + again.updated + again.failed, 0);
    QVERIFY(changes.exec(QStringLiteral("PRAGMA data_version")) && changes.next());
    QCOMPARE(changes.value(0).toInt(), version);
}

void TestIcsImportRun::importCountsEventsThatCouldNotBeStored()
{
    // In the file's schema: the import writes through a connection of its own.
    QVERIFY(m_store->exec(QStringLiteral("CREATE TRIGGER refuse_events BEFORE INSERT ON events "
                                         "BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
    const IcsImport::Result result = IcsImport::importEvents(
        m_store->db(), m_events.get(), IcsCodec::parseEvents(QString::fromLatin1(TwoEvents)), kPersonal);
    QCOMPARE(result.failed, 2);
    QCOMPARE(result.imported, 0);
}

void TestIcsImportRun::slicedImportKeepsTheSeriesAndItsMovedOccurrence()
{
    const auto run = runOf(calendarEvents(500));
    QSignalSpy finished(run.get(), &IcsImportRun::finished);
    run->start();
    QVERIFY(finished.wait(10000));
    const IcsImport::Result result = finished.first().at(0).value<IcsImport::Result>();
    QCOMPARE(result.imported, 502);
    QCOMPARE(result.failed, 0);

    const QDateTime from(QDate(2026, 3, 2), QTime(0, 0), Qt::UTC);
    const QList<Event> week =
        Recurrence::expandForRange(m_events->getInRange(from, from.addDays(7)), from, from.addDays(7));
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
    QSignalSpy changed(m_events.get(), &EventRepository::eventsChanged);
    const auto run = runOf(calendarEvents(300));
    QSignalSpy finished(run.get(), &IcsImportRun::finished);
    run->start();
    QVERIFY(finished.wait(10000));
    QVERIFY(changed.wait(20000));
    QTest::qWait(300);
    QCOMPARE(changed.size(), 1);
}

void TestIcsImportRun::sliceEndsWithinItsBudget_data()
{
    QTest::addColumn<qint64>("storeUs");
    QTest::addColumn<qint64>("fixedEndUs");
    QTest::addColumn<qint64>("endPerStoreUs");
    // How much longer the third slice's end takes once (the machine was busy).
    QTest::addColumn<qint64>("onceSlowerUs");
    // How much longer each slice's end takes than the one before.
    QTest::addColumn<qint64>("endGrowthUs");
    // How much longer the tenth store of the fifth slice takes once.
    QTest::addColumn<qint64>("slowStoreUs");
    const auto row = [](const char *name, qint64 storeUs, qint64 fixedEndUs, qint64 endPerStoreUs,
                        qint64 onceSlowerUs = 0, qint64 endGrowthUs = 0, qint64 slowStoreUs = 0) {
        QTest::newRow(name) << storeUs << fixedEndUs << endPerStoreUs << onceSlowerUs << endGrowthUs << slowStoreUs;
    };
    row("quick commit", 100, 300, 0);
    row("commit as long as the stores", 100, 3000, 0);
    row("commit that grows with the slice", 100, 300, 40);
    row("slow stores", 1500, 800, 20);
    row("end longer than the budget", 100, 9000, 0);
    // The short slices after the slow end must not keep the later ones short.
    row("commit as long as the stores, once slower", 100, 3000, 0, 4000);
    row("commit that grows with the slice, once slower", 100, 300, 40, 4000);
    // Nor long: one slow end is the machine's moment, not the disk's pace.
    row("quick commit, once longer than the budget", 100, 300, 0, 20000);
    row("quick commit, once through the machine's sleep", 100, 300, 0, 24LL * 3600 * 1000 * 1000);
    row("commit slower with every slice", 100, 1000, 0, 0, 1500);
    row("slow stores beside a slow commit", 4000, 6000, 0);
    row("one slow store beside a slow commit", 100, 9000, 0, 0, 0, 30000);
    row("commit longer than three budgets", 100, 150000, 0);
}

// Stores of a fixed length, and an end (the commit and the report) of a
// part every slice takes and a part per store, as the test sets them.
void TestIcsImportRun::sliceEndsWithinItsBudget()
{
    QFETCH(qint64, storeUs);
    QFETCH(qint64, fixedEndUs);
    QFETCH(qint64, endPerStoreUs);
    QFETCH(qint64, onceSlowerUs);
    QFETCH(qint64, endGrowthUs);
    QFETCH(qint64, slowStoreUs);
    const qint64 budget = IcsImportRun::SliceNs;
    constexpr int SlowSlice = 2;
    constexpr int SlowStoreSlice = 4;
    qint64 now = 0;
    SliceBudget slices(budget);
    slices.setClock([&now] { return now; });
    qint64 lastEnd = 0;
    qint64 endBefore = 0;
    for (int slice = 0; slice < 12; ++slice) {
        const qint64 start = now;
        slices.startSlice();
        int stored = 0;
        qint64 lastStore = 0;
        while (slices.roomForAnother(stored)) {
            lastStore = (storeUs + (slice == SlowStoreSlice && stored == 9 ? slowStoreUs : 0)) * 1000;
            now += lastStore;
            ++stored;
        }
        const qint64 stores = now - start;
        slices.startEnd(stored);
        const qint64 endNs = (fixedEndUs + endPerStoreUs * stored + endGrowthUs * slice) * 1000;
        now += endNs + (slice == SlowSlice ? onceSlowerUs * 1000 : 0);
        slices.endSlice();
        QVERIFY(stored >= 1);
        const QString where = QStringLiteral("slice %1: %2 stores in %3 ns").arg(slice).arg(stored).arg(stores);
        // Where an end takes more than a third of the budget, a slice
        // stores until its stores took twice the shorter of the last two
        // ends, for three budgets at most, so that its end is at most a
        // third of it; and one store past that at most.
        const qint64 wanted = std::min(2 * std::min(lastEnd, slice == 1 ? lastEnd : endBefore), 3 * budget);
        QVERIFY2(slice == 0 || stores >= wanted, qPrintable(where));
        endBefore = std::exchange(lastEnd, now - start - stores);
        // The first slice knows no end yet, and the slow one overran it.
        if (slice == 0 || slice == SlowSlice)
            continue;
        // An end longer than the one before overruns the budget by as much.
        const qint64 took = now - start;
        QVERIFY2(took <= std::max(budget + endGrowthUs * 1000, wanted + lastStore + endNs), qPrintable(where));
        // Once it knows the ends, a slice leaves less than two stores of
        // its time unused.
        if (slice == 11)
            QVERIFY2(took + 2 * (storeUs + endPerStoreUs) * 1000 > budget, qPrintable(QString::number(took)));
    }
}

// Through the run, on a slice clock that moves a store's time whenever the
// slices read it and a commit's at each report: a commit longer than the
// slice leaves every slice but the first (which knows no end yet) and the
// last at least twice its time of stores, so that the commits are at most
// a third of the import.
void TestIcsImportRun::slowCommitLeavesTheImportMostlyStores()
{
    constexpr qint64 StoreNs = 100 * 1000;
    constexpr qint64 CommitNs = 9 * 1000 * 1000;
    qint64 now = 0;
    const auto run = runOf(calendarEvents(1998));
    run->setSliceClock([&now] { return now += StoreNs; });
    QList<int> steps{0};
    connect(run.get(), &IcsImportRun::progress, this, [&](int done) {
        steps.append(done);
        now += CommitNs;
    });
    QSignalSpy finished(run.get(), &IcsImportRun::finished);
    run->start();
    QVERIFY(finished.wait(60000));
    QCOMPARE(steps.last(), 2000);
    for (int i = 2; i + 1 < steps.size(); ++i)
        QVERIFY2((steps.at(i) - steps.at(i - 1)) * StoreNs >= 2 * CommitNs, qPrintable(QString::number(i)));
    // The first slice, then one for each such stretch of the file at most.
    const qint64 perSlice = 2 * CommitNs / StoreNs;
    QVERIFY2(steps.size() - 1 <= 1 + (2000 + perSlice - 1) / perSlice, qPrintable(QString::number(steps.size())));
}

void TestIcsImportRun::cancelLeavesTheCalendarAsItWas()
{
    // One event of the file is already stored, with other text: the import
    // would update it.
    Event known = calendarEvents(1).first();
    known.title = QStringLiteral("Kept as it was");
    known.raw_icalendar = QStringLiteral("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
    addEvent(known);
    const QList<Event> before = personalEvents();
    QCOMPARE(before.size(), 1);

    const auto run = runOf(calendarEvents(3000));
    QSignalSpy progress(run.get(), &IcsImportRun::progress);
    QSignalSpy finished(run.get(), &IcsImportRun::finished);
    QSignalSpy cancelled(run.get(), &IcsImportRun::cancelled);
    run->start();
    QVERIFY(progress.wait(10000));
    QVERIFY(run->done() > 0);
    QVERIFY(run->done() < run->total());
    run->cancel();
    QCOMPARE(cancelled.size(), 1);
    QTest::qWait(50);
    QCOMPARE(finished.size(), 0);
    QCOMPARE(personalEvents(), before);

    // Destroyed unfinished, a run undoes its writes the same way.
    {
        const auto unfinished = runOf(calendarEvents(3000));
        QSignalSpy sliced(unfinished.get(), &IcsImportRun::progress);
        unfinished->start();
        QVERIFY(sliced.wait(10000));
    }
    QCOMPARE(personalEvents(), before);
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
        known.raw_icalendar = QStringLiteral("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
        addEvent(known);
    }
    const auto run = runOf(calendarEvents(3000));
    QSignalSpy progress(run.get(), &IcsImportRun::progress);
    run->start();
    QVERIFY(progress.wait(10000));
    QVERIFY(run->done() < run->total());
    std::optional<Event> edited = m_events->getByUid(QStringLiteral("plain-0"), kPersonal);
    QVERIFY(edited);
    QCOMPARE(edited->title, QStringLiteral("Plain 0"));
    edited->title = QStringLiteral("Changed by the user");
    EventStamp::changed(*edited);
    QVERIFY(m_events->update(*edited));
    const std::optional<Event> changed = m_events->getById(edited->id);
    QVERIFY(changed);

    run->cancel();
    QVERIFY(!run->isRunning());
    QCOMPARE(personalEvents(), QList<Event>{*changed});
}

// A program killed mid-import (a peer process, stopped by the test right
// after it ticked a task while its import ran) keeps the tick, and the
// events it stored so far, in file order.
void TestIcsImportRun::killDuringTheImportKeepsAWriteAcknowledgedMeanwhile()
{
    Task task;
    task.id = task.uid = QStringLiteral("ticked-mid-import");
    task.calendar_id = kPersonal;
    task.title = QStringLiteral("Ticked mid-import");
    task.raw_icalendar = IcsCodec::buildTodo(task);
    QVERIFY(TaskRepository(m_store->db()).insert(task));
    QProcess peer;
    peer.start(QStringLiteral(ICSIMPORT_PEER), {m_store->db()->path(), kPersonal, task.id});
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
    QVERIFY(reopened.open(m_store->db()->path(), QStringLiteral("after_the_kill")));
    QCOMPARE(TaskRepository(&reopened).getById(task.id)->status, TaskStatus::Completed);
    const QList<Event> stored = EventRepository(&reopened).getByCalendar(kPersonal);
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
    StoreWriter pull(m_store->db()->path(), QStringLiteral("pull_holding_the_lock"));
    auto held = std::make_unique<StoreTransaction>(pull.database(), QStringLiteral("pull"),
                                                   StoreTransaction::Lock::Immediate);
    QVERIFY(held->isActive());
    const auto run = runOf(calendarEvents(300));
    QSignalSpy progress(run.get(), &IcsImportRun::progress);
    QSignalSpy finished(run.get(), &IcsImportRun::finished);
    run->start();
    QTest::qWait(300);
    QCOMPARE(progress.size(), 0);
    QVERIFY(run->isRunning());
    held.reset();
    QVERIFY(finished.wait(10000));
    const IcsImport::Result result = finished.first().at(0).value<IcsImport::Result>();
    QCOMPARE((QList<int>{result.imported, result.failed}), (QList<int>{302, 0}));
}

void TestIcsImportRun::cancelWhileTheCalendarIsReadWritesNothing()
{
    QSignalSpy changed(m_events.get(), &EventRepository::eventsChanged);
    const auto run = runOf(calendarEvents(1500));
    QSignalSpy progress(run.get(), &IcsImportRun::progress);
    QSignalSpy finished(run.get(), &IcsImportRun::finished);
    QSignalSpy cancelled(run.get(), &IcsImportRun::cancelled);
    run->start();
    // The calendar's rows are read beside the window first: nothing is
    // written before that read returns.
    QVERIFY(run->isRunning());
    QCOMPARE(run->done(), 0);
    run->cancel();
    QVERIFY(cancelled.wait(20000));
    QCOMPARE(cancelled.size(), 1);
    QTest::qWait(300);
    QCOMPARE(progress.size(), 0);
    QCOMPARE(finished.size(), 0);
    QCOMPARE(changed.size(), 0);
    QVERIFY(!run->isRunning());
    QVERIFY(personalEvents().isEmpty());
}

void TestIcsImportRun::reimportOfTheSameEventsChangesNothing()
{
    const QList<Event> events = calendarEvents(1200);
    {
        const auto first = runOf(events);
        QSignalSpy finished(first.get(), &IcsImportRun::finished);
        first->start();
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.first().at(0).value<IcsImport::Result>().imported, 1202);
    }
    const QList<Event> stored = personalEvents();
    // The second run reads what the first stored on its own connection.
    const auto again = runOf(events);
    QSignalSpy finished(again.get(), &IcsImportRun::finished);
    again->start();
    QVERIFY(finished.wait(20000));
    const IcsImport::Result result = finished.first().at(0).value<IcsImport::Result>();
    QCOMPARE((QList<int>{result.imported, result.updated, result.unchanged, result.failed}),
             (QList<int>{0, 0, 1202, 0}));
    QCOMPARE(personalEvents(), stored);
}

// The progress dialog answers Cancel while it shows a step (a modal dialog
// handles events in setValue()): at the last step every event is stored and
// the run has not ended yet.
void TestIcsImportRun::cancelFromTheLastProgressStepLeavesTheCalendarAsItWas()
{
    const auto run = runOf(calendarEvents(1200));
    QSignalSpy finished(run.get(), &IcsImportRun::finished);
    QSignalSpy cancelled(run.get(), &IcsImportRun::cancelled);
    IcsImportRun *running = run.get();
    connect(running, &IcsImportRun::progress, running, [running](int done, int total) {
        if (done == total)
            running->cancel();
    });
    run->start();
    QVERIFY(cancelled.wait(20000));
    QTest::qWait(100);
    QCOMPARE(finished.size(), 0);
    QVERIFY(!run->isRunning());
    QCOMPARE(personalEvents(), QList<Event>());
}

// Once a run finished, a Cancel or the run's end comes too late to take it
// back, and the views hear of it once.
void TestIcsImportRun::runEndedAsItFinishesKeepsTheImportAndTellsTheViewsOnce()
{
    QSignalSpy changed(m_events.get(), &EventRepository::eventsChanged);
    auto run = runOf(calendarEvents(3000));
    const int total = run->total();
    QSignalSpy cancelled(run.get(), &IcsImportRun::cancelled);
    connect(run.get(), &IcsImportRun::finished, this, [&] {
        run->cancel();
        QTimer::singleShot(0, this, [&run] { run.reset(); });
    });
    run->start();
    QTRY_VERIFY_WITH_TIMEOUT(!run, 20000);
    QCOMPARE(cancelled.size(), 0);
    QCOMPARE(personalEvents().size(), total);
    QTRY_COMPARE(changed.size(), 1);
    QTest::qWait(300);
    QCOMPARE(changed.size(), 1);
}

QTEST_MAIN(TestIcsImportRun)
#include "tst_icsimportrun.moc"
