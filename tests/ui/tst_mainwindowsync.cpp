#include <QMessageBox>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/synctestbed.h"
#include "tests/support/teststore.h"
#include "ui/mainwindow.h"
#include "ui/sync/syncorchestrator.h"

#include <memory>

class TestMainWindowSync : public QObject
{
    Q_OBJECT

    std::unique_ptr<SyncTestBed> m_bed;

    std::unique_ptr<MainWindow> makeWindow()
    {
        auto window = std::make_unique<MainWindow>(&m_bed->state);
        m_bed->attach(window->syncOrchestrator());
        return window;
    }

private Q_SLOTS:
    void init()
    {
        m_bed = std::make_unique<SyncTestBed>();
        QVERIFY(m_bed->state.preferences()->setBool(QStringLiteral("ui/firstLaunchSeen"), true));
        m_bed->addAccount(QStringLiteral("g"), QStringLiteral("google"), {QStringLiteral("cal")});
        Calendar calendar = m_bed->state.calendars()->getById(QStringLiteral("cal")).value();
        calendar.ctag = QStringLiteral("ctag-1");
        QVERIFY(m_bed->state.calendars()->update(calendar));
    }

    void cleanup() { m_bed.reset(); }

    void syncNowShortcutSyncsEveryAccount()
    {
        const std::unique_ptr<MainWindow> window = makeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(m_bed->factory.handed(), QStringList{QStringLiteral("cal")});
    }

    // Nobody asks: the window syncs shortly after it opens. Its progress
    // message goes when the run ends, even when a client ends it by going.
    void windowSyncsByItselfAfterItOpens()
    {
        const std::unique_ptr<MainWindow> window = makeWindow();
        QTest::qWait(2500);
        QVERIFY(m_bed->factory.handed().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(m_bed->factory.handed(), QStringList{QStringLiteral("cal")}, 20000);
        QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Syncing 1 account(s)…"));
        delete m_bed->client(QStringLiteral("cal"));
        QCOMPARE(window->statusBar()->currentMessage(), QString());
        QCOMPARE(m_bed->state.runningSyncCount(), 0);

        // The tray and the other windows ask through the hub.
        Q_EMIT m_bed->state.syncNowRequested();
        QCOMPARE(m_bed->factory.handed().size(), 2);
    }

    // Whoever asks through the hub (the accounts dialog, the configuration
    // sync, a sign-in) gets one sync: each calendar is handed out once, and
    // no second sync follows when it ends.
    void syncAskedThroughTheHubRunsOnce()
    {
        const std::unique_ptr<MainWindow> window = makeWindow();
        Q_EMIT m_bed->state.syncNowRequested();
        QCOMPARE(m_bed->factory.handed(), QStringList{QStringLiteral("cal")});
        m_bed->client(QStringLiteral("cal"))->complete(QStringLiteral("cal"), 0);
        QTRY_COMPARE(m_bed->state.runningSyncCount(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(m_bed->factory.handed(), QStringList{QStringLiteral("cal")});
        QCOMPARE(m_bed->factory.connections.size(), 1);
    }

    // Items no server has yet have nothing to give way to: marked synced
    // they would never be sent, so they stay pending, tasks as events.
    void forceFullSyncKeepsNeverUploadedItemsPending()
    {
        const QString cal = QStringLiteral("cal");
        const Event unsent = m_bed->addPendingEvent(cal, QStringLiteral("unsent"));
        Task unsentTask;
        unsentTask.id = unsentTask.uid = unsentTask.title = QStringLiteral("unsent-task");
        unsentTask.calendar_id = cal;
        unsentTask.sync_status = SyncStatus::Pending;
        unsentTask.raw_icalendar = IcsCodec::buildTodo(unsentTask);
        Task sentTask = unsentTask;
        sentTask.id = sentTask.uid = sentTask.title = QStringLiteral("sent-task");
        sentTask.href = QStringLiteral("/cal/sent-task.ics");
        sentTask.etag = QStringLiteral("\"3\"");
        QVERIFY(m_bed->state.tasks()->insert(unsentTask));
        QVERIFY(m_bed->state.tasks()->insert(sentTask));
        unsentTask = m_bed->state.tasks()->getById(unsentTask.id).value();
        QTRY_VERIFY(!changeAnnouncementPending(m_bed->state.events()));
        QTRY_VERIFY(!changeAnnouncementPending(m_bed->state.tasks()));
        const std::unique_ptr<MainWindow> window = makeWindow();
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Yes);
        window->forceFullSync();

        QCOMPARE(m_bed->state.events()->getById(unsent.id).value_or(Event()), unsent);
        QCOMPARE(m_bed->state.tasks()->getById(unsentTask.id).value_or(Task()), unsentTask);
        const Task sent = m_bed->state.tasks()->getById(sentTask.id).value_or(Task());
        QCOMPARE(toText(sent.sync_status) + ' ' + sent.etag, QStringLiteral("synced "));
    }

    // Every saved token and sync time goes, then everything syncs.
    void forceFullSyncForgetsTokensAndSyncTimes()
    {
        m_bed->addAccount(QStringLiteral("feeds"), QStringLiteral("webcal"), {QStringLiteral("feed")});
        const QDateTime editedAt = m_bed->now.addDays(-7);
        Account feeds = m_bed->state.accounts()->getById(QStringLiteral("feeds")).value();
        feeds.last_sync_time = m_bed->now.addDays(-1);
        feeds.updated_at = editedAt;
        QVERIFY(m_bed->state.accounts()->updateKeepingTime(feeds));
        Calendar synced = m_bed->state.calendars()->getById(QStringLiteral("cal")).value();
        synced.updated_at = editedAt;
        QVERIFY(m_bed->state.calendars()->updateKeepingTime(synced));
        QVERIFY(m_bed->state.preferences()->set(QStringLiteral("config/sync/since"), QStringLiteral("42")));
        const std::unique_ptr<MainWindow> window = makeWindow();
        QSignalSpy messages(window->syncOrchestrator(), &SyncOrchestrator::statusMessage);
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Yes);
        window->forceFullSync();

        QCOMPARE(messages.first(), (QList<QVariant>{QStringLiteral("Cleared 1 calendar sync token(s), running full sync…"), 4000}));
        QCOMPARE(m_bed->state.accounts()->getById(QStringLiteral("feeds"))->last_sync_time, std::nullopt);
        // Forgotten sync state is no edit: the change times that decide
        // between devices stay.
        QCOMPARE(m_bed->state.accounts()->getById(QStringLiteral("feeds"))->updated_at, editedAt);
        QCOMPARE(m_bed->state.calendars()->getById(QStringLiteral("cal"))->updated_at, editedAt);
        QCOMPARE(m_bed->state.accounts()->getById(QStringLiteral("g"))->last_sync_time, std::optional(m_bed->now));
        QCOMPARE(m_bed->state.preferences()->get(QStringLiteral("config/sync/since")), std::nullopt);
        QCOMPARE(m_bed->factory.handed(), (QStringList{QStringLiteral("cal"), QStringLiteral("feed")}));
    }

    void forceFullSyncRunsOnlyWhenConfirmed_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::newRow("cancel") << QMessageBox::Cancel;
        QTest::newRow("yes") << QMessageBox::Yes;
    }

    // Edits of items a server has give way to the server's copy; items no
    // server has yet stay pending (marked synced they would be lost), and
    // so do deletions.
    void forceFullSyncRunsOnlyWhenConfirmed()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        const QString cal = QStringLiteral("cal");
        const Event edited = m_bed->addPendingEvent(cal, QStringLiteral("edited"), QStringLiteral("/cal/edited.ics"));
        const Event unsent = m_bed->addPendingEvent(cal, QStringLiteral("unsent"));
        const Event deleted = m_bed->addPendingEvent(cal, QStringLiteral("gone"), QStringLiteral("/cal/gone.ics"));
        QVERIFY(m_bed->state.events()->remove(deleted.id));
        // Announced before the window listens: no auto-sync joins in.
        QTRY_VERIFY(!changeAnnouncementPending(m_bed->state.events()));
        const std::unique_ptr<MainWindow> window = makeWindow();
        ModalAnswerer answerer;
        answerer.pressButton(answer);
        window->forceFullSync();
        QCOMPARE(answerer.seen().size(), 1);

        const bool confirmed = answer == QMessageBox::Yes;
        const Event read = m_bed->state.events()->getById(edited.id).value_or(Event());
        Event expected = edited;
        if (confirmed) {
            expected.sync_status = SyncStatus::Synced;
            expected.etag.clear();
            expected.last_modified = read.last_modified;
        }
        QCOMPARE(read, expected);
        QCOMPARE(m_bed->state.events()->getById(unsent.id).value_or(Event()), unsent);
        QCOMPARE(m_bed->state.events()->getPending(cal).size(), confirmed ? 2 : 3);
        QCOMPARE(m_bed->state.calendars()->getById(cal)->ctag.isEmpty(), confirmed);
        QCOMPARE(m_bed->factory.handed().size(), confirmed ? 1 : 0);
    }
};

QTEST_MAIN(TestMainWindowSync)
#include "tst_mainwindowsync.moc"
