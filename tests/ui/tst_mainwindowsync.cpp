#include <QMessageBox>
#include <QTest>

#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/preferencesrepository.h"
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
        m_bed->state.preferences()->setBool(QStringLiteral("ui/firstLaunchSeen"), true);
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
            expected.sync_status = QStringLiteral("synced");
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
