#include <QSignalSpy>
#include <QTest>

#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/taskrepository.h"
#include "tests/support/fakecaldavcalendar.h"
#include "tests/support/synctestbed.h"
#include "ui/sync/syncorchestrator.h"

#include <memory>

class TestSyncOrchestrator : public QObject
{
    Q_OBJECT

    std::unique_ptr<SyncTestBed> m_bed;
    std::unique_ptr<SyncOrchestrator> m_sync;
    std::unique_ptr<QSignalSpy> m_messages;

    QString lastMessage() const { return m_messages->isEmpty() ? QString() : m_messages->last().at(0).toString(); }
    Account account(const QString &id) const { return m_bed->state.accounts()->getById(id).value_or(Account()); }

private Q_SLOTS:
    void init()
    {
        m_bed = std::make_unique<SyncTestBed>();
        m_sync = std::make_unique<SyncOrchestrator>(&m_bed->state);
        m_bed->attach(m_sync.get());
        m_messages = std::make_unique<QSignalSpy>(m_sync.get(), &SyncOrchestrator::statusMessage);
    }

    void cleanup()
    {
        m_messages.reset();
        m_sync.reset();
        m_bed.reset();
    }

    void quickChangesToOneCalendarRunOneAutoSync()
    {
        m_bed->addAccount(QStringLiteral("g"), QStringLiteral("google"),
                          {QStringLiteral("edited"), QStringLiteral("clean")});
        m_bed->addPendingEvent(QStringLiteral("edited"), QStringLiteral("event-in-edited"));
        for (int i = 0; i < 5; ++i) {
            m_sync->queueAutoSync(QStringLiteral("edited"));
            m_sync->queueAutoSync(QStringLiteral("clean"));
        }
        QVERIFY(m_bed->factory.handed().isEmpty());
        QTRY_COMPARE(m_bed->factory.handed(), QStringList{QStringLiteral("edited")});
        QCOMPARE(m_bed->factory.connections.size(), 1);
    }

    // Ctrl+R during the start-up sync must not send the same pending rows
    // through a second client; it syncs once more afterwards, so an edit
    // made meanwhile (not queued while a sync runs) still goes out.
    void syncAskedForWhileItsCalendarSyncsRunsOnceAfterIt()
    {
        m_bed->addAccount(QStringLiteral("g"), QStringLiteral("google"), {QStringLiteral("cal")});
        m_sync->syncAll();
        m_bed->addPendingEvent(QStringLiteral("cal"), QStringLiteral("event-in-cal"));
        m_sync->queueAutoSync(QStringLiteral("cal"));
        QVERIFY(m_sync->pendingAutoSyncCalendarIds().isEmpty());
        m_sync->syncAll();
        m_sync->syncAll();
        QCOMPARE(m_bed->factory.connections.size(), 1);

        m_bed->client(QStringLiteral("cal"))->complete(QStringLiteral("cal"), 0);
        QTRY_COMPARE(m_bed->factory.handed().size(), 2);
        m_bed->client(QStringLiteral("cal"))->complete(QStringLiteral("cal"), 1);
        QCoreApplication::processEvents();
        QCOMPARE(m_bed->factory.handed().size(), 2);
    }

    void failedCalendarWaitsAMinuteBeforeAutoSyncOnlyForCalDav()
    {
        const QStringList calendars = {QStringLiteral("dav-cal"), QStringLiteral("g-cal")};
        m_bed->addAccount(QStringLiteral("dav"), QStringLiteral("zoho"), {calendars.first()});
        m_bed->addAccount(QStringLiteral("g"), QStringLiteral("google"), {calendars.last()});
        for (const QString &calendarId : calendars) {
            m_bed->addPendingEvent(calendarId, QStringLiteral("event-in-") + calendarId);
            m_sync->queueAutoSync(calendarId);
        }
        QTRY_COMPARE(m_bed->factory.handed().size(), 2);
        for (const QString &calendarId : calendars)
            m_bed->client(calendarId)->fail(calendarId, QStringLiteral("Server said no"));
        QCOMPARE(lastMessage(), QStringLiteral("Server said no"));

        m_bed->now = m_bed->now.addSecs(59);
        for (const QString &calendarId : calendars)
            m_sync->queueAutoSync(calendarId);
        QCOMPARE(m_sync->pendingAutoSyncCalendarIds(), QSet<QString>{calendars.last()});
        m_bed->now = m_bed->now.addSecs(1);
        m_sync->queueAutoSync(calendars.first());
        QCOMPARE(m_sync->pendingAutoSyncCalendarIds().size(), 2);
    }

    void periodicCheckSyncsEveryAccountOnceOneIsDue()
    {
        m_bed->addAccount(QStringLiteral("manual"), QStringLiteral("google"), {QStringLiteral("manual-cal")}, 0);
        m_bed->addAccount(QStringLiteral("feed"), QStringLiteral("webcal"), {QStringLiteral("feed-cal")}, 1);
        m_bed->addAccount(QStringLiteral("hourly"), QStringLiteral("microsoft"), {QStringLiteral("hourly-cal")},
                          60, m_bed->now.addSecs(-3599));
        // Neither a manual account nor a feed, both never synced, starts a sync.
        m_sync->onPeriodicSyncTick();
        QVERIFY(m_bed->factory.connections.isEmpty());

        m_bed->now = m_bed->now.addSecs(1);
        m_sync->onPeriodicSyncTick();
        QCOMPARE(m_bed->factory.handed().size(), 3);
        QCOMPARE(account(QStringLiteral("manual")).last_sync_time, std::optional<QDateTime>(m_bed->now));
        QCOMPARE(account(QStringLiteral("hourly")).last_sync_time, std::optional<QDateTime>(m_bed->now));
        QCOMPARE(account(QStringLiteral("feed")).last_sync_time, std::nullopt);
    }

    void missingPasswordSkipsTheAccountUntilOneIsStored()
    {
        m_bed->addAccount(QStringLiteral("dav"), QStringLiteral("icloud"), {QStringLiteral("dav-cal")}, 15,
                          std::nullopt, false);
        m_sync->syncAll();
        QCOMPARE(account(QStringLiteral("dav")).last_sync_error, QStringLiteral("Password missing"));
        QCOMPARE(lastMessage(), QStringLiteral("All caught up, nothing waiting to sync."));

        m_bed->secrets->insert(caldavPasswordKey(QStringLiteral("dav")), QStringLiteral("s3cret"));
        m_sync->syncAll();
        QCOMPARE(account(QStringLiteral("dav")).last_sync_error, QString());
        QTRY_COMPARE(m_bed->factory.handed(), QStringList{QStringLiteral("dav-cal")});
        QCOMPARE(m_bed->factory.connections.first().password, QStringLiteral("s3cret"));
    }

    // Only accounts that started a calendar count, and the message goes
    // once their calendars are done.
    void syncingMessageLastsOnlyWhileCalendarsSync()
    {
        m_bed->addAccount(QStringLiteral("empty"), QStringLiteral("caldav"), {});
        QSignalSpy ended(m_sync.get(), &SyncOrchestrator::statusMessageEnded);
        m_sync->syncAll();
        QTRY_COMPARE(lastMessage(), QStringLiteral("All caught up, nothing waiting to sync."));

        m_bed->addAccount(QStringLiteral("g"), QStringLiteral("google"), {QStringLiteral("cal")});
        m_messages->clear();
        m_sync->syncAll();
        QTRY_COMPARE(lastMessage(), QStringLiteral("Syncing 1 account(s)…"));
        QCOMPARE(m_messages->size(), 1);
        QCOMPARE(m_messages->first().at(1).toInt(), 0);
        QPointer<FakeSyncClient> released = m_bed->client(QStringLiteral("cal"));
        released->complete(QStringLiteral("cal"), 3);
        QCOMPARE(lastMessage(), QStringLiteral("Synced 3 events"));
        QTRY_VERIFY(!released);
        QCOMPARE(ended.size(), 1);
        QCOMPARE(ended.first().at(0).toString(), QStringLiteral("Syncing 1 account(s)…"));
    }

    // A failure on the way and a second final signal must not end a
    // calendar twice: the client would go while another calendar runs.
    // A client destroyed early ends what still runs as failed.
    void calendarEndsOnceOnItsFinalSignal()
    {
        m_bed->addAccount(QStringLiteral("g"), QStringLiteral("google"),
                          {QStringLiteral("one"), QStringLiteral("two")});
        m_sync->syncAll();
        QPointer<FakeSyncClient> shared = m_bed->client(QStringLiteral("one"));
        shared->failOnTheWay(QStringLiteral("one"), QStringLiteral("\"Lunch\" was rejected"));
        QCOMPARE(m_bed->state.runningSyncCount(), 2);
        shared->complete(QStringLiteral("one"), 4);
        shared->complete(QStringLiteral("one"), 4);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(shared);
        QCOMPARE(m_bed->state.runningSyncCount(), 1);
        QVERIFY(m_sync->isSyncing(QStringLiteral("two")));

        // Gone with a calendar running, the client ends it as failed.
        delete shared.data();
        QCOMPARE(m_bed->state.runningSyncCount(), 0);
        QVERIFY(!m_sync->isSyncing(QStringLiteral("two")));
        QVERIFY(m_bed->state.lastSyncErrored());
    }

    // CalDAV reports a task the calendar refuses (moving it to the local task
    // list) and goes on with the run.
    void calDavRefusalLeavesTheCalendarSyncingUntilItsRunEnds()
    {
        LocalHttpServer http;
        QVERIFY(http.listen());
        FakeCalDavCalendar server(&http);
        server.hook = [](const LocalHttpServer::Request &request) -> std::optional<LocalHttpServer::Reply> {
            LocalHttpServer::Reply refused;
            refused.status = 403;
            return request.method == "PUT" ? std::optional(refused) : std::nullopt;
        };
        m_bed->addAccount(QStringLiteral("dav"), QStringLiteral("caldav"), {QStringLiteral("cal")});
        Calendar calendar = m_bed->state.calendars()->getById(QStringLiteral("cal")).value();
        calendar.url = server.url().toString();
        calendar.allow_tasks_override = true;
        QVERIFY(m_bed->state.calendars()->update(calendar));
        Task task;
        task.id = task.uid = task.title = QStringLiteral("Refused");
        task.calendar_id = calendar.id;
        task.sync_status = QStringLiteral("pending");
        task.raw_icalendar = IcsCodec::buildTodo(task);
        QVERIFY(m_bed->state.tasks()->insert(task));
        bool syncingAtRefusal = false;
        connect(m_sync.get(), &SyncOrchestrator::statusMessage, this, [&](const QString &text) {
            if (text.contains(QStringLiteral("does not accept tasks")))
                syncingAtRefusal = m_sync->isSyncing(calendar.id) && m_bed->state.runningSyncCount() == 1;
        });

        m_sync->setClientFactory(nullptr);
        m_sync->queueAutoSync(calendar.id);
        QTRY_VERIFY(m_sync->isSyncing(calendar.id));
        QTRY_VERIFY_WITH_TIMEOUT(!m_sync->isSyncing(calendar.id), 10000);
        QVERIFY(syncingAtRefusal);
        QCOMPARE(m_bed->state.runningSyncCount(), 0);
        QVERIFY(m_bed->state.lastSyncErrored());
    }
};

QTEST_MAIN(TestSyncOrchestrator)
#include "tst_syncorchestrator.moc"
