// A task pull written on its worker thread: the rows it leaves, an edit
// saved while it writes, a store it cannot take, a client destroyed mid-pull.
#include "caldavsyncharness.h"

#include "store/storetransaction.h"

#include <QSqlQuery>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace {

// Due in three zones in turn, one date-only in every ten.
QByteArray todo(int i, const QByteArray &title = QByteArray())
{
    static const char *const zones[] = {"Europe/Berlin", "America/New_York", "Asia/Tokyo"};
    const QByteArray due = i % 10 == 9 ? QByteArray("DUE;VALUE=DATE:20261025")
                                       : "DUE;TZID=" + QByteArray(zones[i % 3]) + ":20260329T013000";
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VTODO\r\nUID:task-" + QByteArray::number(i)
        + "\r\nDTSTAMP:20260101T000000Z\r\n" + due + "\r\nSUMMARY:"
        + (title.isEmpty() ? "Task " + QByteArray::number(i) : title) + "\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
}

QByteArray name(int i)
{
    return "task-" + QByteArray::number(i) + ".ics";
}

// The calendar's tasks without what differs between two runs by design.
QList<Task> taskRows(CalDavSyncHarness &h)
{
    QList<Task> all = h.tasks.getByCalendar(h.calendar.id);
    for (Task &t : all) {
        t.id.clear();
        t.created = t.last_modified = QDateTime();
    }
    std::sort(all.begin(), all.end(), [](const Task &a, const Task &b) { return a.uid < b.uid; });
    return all;
}

// True while another connection holds the store's write lock.
bool writeLockHeld(Database *probe)
{
    QSqlQuery query(probe->database());
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return true;
    query.exec(QStringLiteral("ROLLBACK"));
    return false;
}

} // namespace

class TestCalDavTaskPullWorker : public QObject
{
    Q_OBJECT

    // Calls `act` on this thread, once, as soon as the task pull's worker
    // holds the store (the task listing was asked for).
    static void onceWriting(CalDavSyncHarness &h, Database *probe, QTimer *poll, bool *acted,
                            std::function<bool()> act)
    {
        h.server.clearRequests();
        QObject::connect(poll, &QTimer::timeout, poll, [&h, probe, acted, act] {
            if (*acted)
                return;
            const QList<LocalHttpServer::Request> sent = h.server.requests();
            const bool tasksListed = std::any_of(sent.begin(), sent.end(), [](const LocalHttpServer::Request &r) {
                return r.body.contains("VTODO");
            });
            if (tasksListed && writeLockHeld(probe))
                *acted = act();
        });
        poll->start(0);
    }

private Q_SLOTS:
    void workerLeavesTheRowsOfAnApplyOnTheCallingThread_data()
    {
        QTest::addColumn<bool>("deleteLater");
        QTest::newRow("first pull, then unchanged") << false;
        QTest::newRow("tasks deleted on the server") << true;
    }

    void workerLeavesTheRowsOfAnApplyOnTheCallingThread()
    {
        QFETCH(bool, deleteLater);
        QList<QList<Task>> results;
        for (const bool onWorker : {false, true}) {
            CalDavSyncHarness h;
            h.client->setApplyOnWorker(onWorker);
            for (int i = 0; i < 60; ++i)
                h.fake->putItem(name(i), todo(i));
            CalDavOutcome first = h.sync();
            QVERIFY2(first.completed, qPrintable(first.failures.join(QLatin1Char('\n'))));
            if (deleteLater) {
                h.fake->items.remove(h.fake->path() + name(7));
                h.fake->items.remove(h.fake->path() + name(19));
                h.fake->putItem(name(3), todo(3, "Renamed there"));
                h.fake->ctag = "ctag-2";
            }
            CalDavOutcome second = h.sync();
            QVERIFY2(second.completed, qPrintable(second.failures.join(QLatin1Char('\n'))));
            results << taskRows(h);
        }
        QCOMPARE(results.at(1), results.at(0));
        QCOMPARE(results.at(0).size(), deleteLater ? 58 : 60);
    }

    void editSavedWhileThePullIsWrittenSurvives()
    {
        CalDavSyncHarness h;
        h.fake->putItem(name(0), todo(0));
        QVERIFY(h.sync().completed);
        for (int i = 1; i < 2000; ++i)
            h.fake->putItem(name(i), todo(i));
        h.fake->ctag = "ctag-2";
        Database probe;
        QVERIFY(probe.open(h.store.db()->path(), QStringLiteral("probe")));
        QSqlQuery(probe.database()).exec(QStringLiteral("PRAGMA busy_timeout=0"));
        // Saved while a worker holds the store: it waits for that commit
        // and lands on top of it.
        bool edited = false;
        QTimer poll;
        onceWriting(h, &probe, &poll, &edited, [&] {
            Task task = *h.tasks.getByUidAndCalendar(QStringLiteral("task-0"), h.calendar.id);
            task.title = QStringLiteral("Edited here");
            task.sync_status = SyncStatus::Pending;
            return h.tasks.update(task);
        });
        const CalDavOutcome outcome = h.sync();
        poll.stop();
        QVERIFY(edited);
        QVERIFY2(outcome.completed, qPrintable(outcome.failures.join(QLatin1Char('\n'))));
        QCOMPARE(h.tasks.getByCalendar(h.calendar.id).size(), 2000);
        QCOMPARE(h.tasks.getByUidAndCalendar(QStringLiteral("task-0"), h.calendar.id)->title,
                 QStringLiteral("Edited here"));
        QVERIFY(h.serverText(name(0)).contains("SUMMARY:Edited here"));
    }

    void pullThatCannotTakeTheStoreWritesNothing()
    {
        CalDavSyncHarness h;
        // No events: the task pull is the first to write.
        for (int i = 0; i < 3; ++i)
            h.fake->putItem(name(i), todo(i));
        bool held = false;
        std::unique_ptr<StoreTransaction> holder;
        // Another writer takes the store once the event pull has landed.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
            if (held || h.server.requests().isEmpty() || !h.server.requests().last().body.contains("VTODO"))
                return;
            holder = std::make_unique<StoreTransaction>(h.store.db(), QStringLiteral("held"));
            held = h.store.exec(QStringLiteral("UPDATE calendars SET name = 'Held' WHERE id = 'cal'"));
        });
        poll.start(0);
        const CalDavOutcome outcome = h.sync();
        poll.stop();
        holder.reset();
        QVERIFY(held);
        QVERIFY(!outcome.completed);
        QCOMPARE(outcome.failures.size(), 1);
        QVERIFY2(outcome.failures.first().startsWith(QStringLiteral("Could not save the pulled tasks")),
                 qPrintable(outcome.failures.first()));
        QCOMPARE(h.tasks.getByCalendar(h.calendar.id), QList<Task>());
    }

    void destroyingTheClientMidPullLeavesTheStoreAsItWas()
    {
        CalDavSyncHarness h;
        h.fake->putItem(name(0), todo(0));
        QVERIFY(h.sync().completed);
        const QList<Task> before = taskRows(h);
        for (int i = 1; i < 2000; ++i)
            h.fake->putItem(name(i), todo(i));
        h.fake->ctag = "ctag-2";
        Database probe;
        QVERIFY(probe.open(h.store.db()->path(), QStringLiteral("probe")));
        QSqlQuery(probe.database()).exec(QStringLiteral("PRAGMA busy_timeout=0"));
        bool destroyed = false;
        QTimer poll;
        // Quitting: the client goes with its run while a worker writes.
        onceWriting(h, &probe, &poll, &destroyed, [&] {
            h.client.reset();
            return true;
        });
        h.client->syncCalendar(*h.calendars.getById(h.calendar.id), QString(), QStringLiteral("u"),
                               QStringLiteral("p"), QString());
        QTRY_VERIFY_WITH_TIMEOUT(destroyed, 20000);
        poll.stop();
        QCOMPARE(taskRows(h), before);
        QVERIFY(!writeLockHeld(&probe));
    }
};

QTEST_GUILESS_MAIN(TestCalDavTaskPullWorker)
#include "tst_caldavtaskpullworker.moc"
