#include "app/appstate.h"
#include "app/edits/undostack.h"
#include "app/notifications/notificationservice.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/preferencesrepository.h"
#include "tests/support/recordingfakes.h"
#include "tests/support/tempdatadir.h"
#include "ui/icsimportreport.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QMenuBar>
#include <QPixmap>
#include <QSqlQuery>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <memory>

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        qunsetenv("CALENDAR_INSTANCE");
        m_dir = std::make_unique<TempDataDir>();
        m_state = std::make_unique<AppState>();
        QVERIFY(m_state->initialize());
        // These cases are about a window already past its first launch.
        QVERIFY(m_state->preferences()->setBool(QStringLiteral("ui/firstLaunchSeen"), true));
    }

    void cleanup()
    {
        m_state.reset();
        m_dir.reset();
    }

    void closingWithoutATrayQuitsTheApplication_data()
    {
        QTest::addColumn<bool>("withTrayIcon");
        QTest::newRow("no tray icon") << false;
        QTest::newRow("tray icon but no system tray") << true;
    }

    void closingWithoutATrayQuitsTheApplication()
    {
        QFETCH(bool, withTrayIcon);
        // Close-to-tray is on by default; with nowhere to hide, closing must end
        // the program rather than leave it running unseen.
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        // As in the program: the last window closing does not end it by itself.
        qApp->setQuitOnLastWindowClosed(false);
        MainWindow window(m_state.get());
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::blue);
        QSystemTrayIcon tray{QIcon(pixmap)};
        if (withTrayIcon) {
            tray.show();
            QVERIFY(tray.isVisible());
            window.setTrayIcon(&tray);
        }
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QTimer::singleShot(0, &window, [&window] { window.close(); });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(7); });
        const int result = QCoreApplication::exec();
        QCOMPARE(result, 0);
        QVERIFY(window.isQuitting());
        QVERIFY(!window.isVisible());
    }

    void quitSavesTheWindowStateForTheNextStart()
    {
        QSize kept;
        {
            MainWindow window(m_state.get());
            window.resize(640, 480);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            // The sidebar, the views and the panes side by side may need
            // more width than asked for.
            kept = window.size();
            window.close();
            QVERIFY(window.isQuitting());
        }
        QVERIFY(!m_state->preferences()->getString("ui/window/geometry").isEmpty());
        QVERIFY(!m_state->preferences()->getString("ui/window/state").isEmpty());
        MainWindow next(m_state.get());
        // Restored, within the screen as every start does.
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(next.size(), kept.boundedTo(QSize(available.width(), available.height() - 60)));
        QCOMPARE(next.height(), 480);
    }

    void quickAddFromCommandReportsInTheStatusBar_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("refused");
        QTest::newRow("added") << "lunch Thursday 1pm" << "Added: lunch Thursday 1pm" << 1 << false;
        QTest::newRow("blank does nothing") << "   " << "" << 0 << false;
        QTest::newRow("nothing stored") << "party feb 30" << "Quick-add couldn't parse: \"party feb 30\"" << 0 << false;
        QTest::newRow("event refused by the store")
            << "lunch Thursday 1pm" << "Quick-add: \"lunch Thursday 1pm\" was not saved." << 0 << true;
        QTest::newRow("task refused by the store") << "task: file taxes" << "Quick-add: \"task: file taxes\" was not saved."
                                                   << 0 << true;
    }

    void quickAddFromCommandReportsInTheStatusBar()
    {
        QFETCH(QString, line);
        QFETCH(QString, message);
        QFETCH(int, stored);
        QFETCH(bool, refused);
        for (const char *table : {"events", "tasks"}) {
            if (refused)
                QVERIFY(QSqlQuery(m_state->database()->database())
                            .exec(QStringLiteral("CREATE TEMP TRIGGER refuse_%1 BEFORE INSERT ON %1 "
                                                 "BEGIN SELECT RAISE(ABORT, 'disk full'); END")
                                      .arg(QLatin1String(table))));
        }
        MainWindow window(m_state.get());
        window.quickAddFromCommand(line);
        QVERIFY(window.isVisible());
        QCOMPARE(window.statusBar()->currentMessage(), message);
        QCOMPARE(m_state->events()->getByCalendar(AppState::LocalCalendarId).size(), stored);
    }

    void undoReportsInTheStatusBar_data()
    {
        QTest::addColumn<UndoStack::Outcome>("outcome");
        QTest::addColumn<QString>("message");
        QTest::newRow("undone") << UndoStack::Outcome::Undone << "Undid: Deleted \"Review\"";
        QTest::newRow("a meeting's guests invited again")
            << UndoStack::Outcome::Reinvited << "Undid: Deleted \"Review\". Its guests are invited again.";
        QTest::newRow("changed since") << UndoStack::Outcome::ChangedSince
                                       << "Could not undo: Deleted \"Review\". The event was changed since.";
        QTest::newRow("refused") << UndoStack::Outcome::Failed
                                 << "Could not undo: Deleted \"Review\". The log has the details.";
    }

    // What Ctrl+Z did is said in the status bar.
    void undoReportsInTheStatusBar()
    {
        QFETCH(UndoStack::Outcome, outcome);
        QFETCH(QString, message);
        MainWindow window(m_state.get());
        m_state->undoStack()->push({QStringLiteral("Deleted \"Review\""), [outcome] { return outcome; }});
        m_state->undoStack()->undo();
        QCOMPARE(window.statusBar()->currentMessage(), message);
    }

    void quickAddWithoutCalendarsIsIgnored()
    {
        QVERIFY(m_state->calendars()->remove(AppState::LocalCalendarId));
        MainWindow window(m_state.get());
        window.quickAddFromCommand(QStringLiteral("lunch Thursday 1pm"));
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Quick-add ignored: no calendars configured."));
    }

    void showTodayAndFocusOnEventMoveTheSharedState()
    {
        MainWindow window(m_state.get());
        const QDate elsewhere = QDate::currentDate().addDays(45);
        window.focusOnEvent(QStringLiteral("some-event"), elsewhere);
        QCOMPARE(m_state->currentDate(), elsewhere);
        QCOMPARE(m_state->selectedEventId(), QStringLiteral("some-event"));
        QVERIFY(window.isVisible());
        window.hide();
        window.showToday();
        QVERIFY(window.isVisible());
        QCOMPARE(m_state->currentDate(), QDate::currentDate());
    }

    void developerMenuOnlyInTheDeveloperInstance()
    {
        auto menuTitles = [](MainWindow &window) {
            QStringList titles;
            for (QAction *action : window.menuBar()->actions())
                titles << action->text();
            return titles;
        };
        {
            MainWindow window(m_state.get());
            QVERIFY(!menuTitles(window).contains(QStringLiteral("&Developer")));
        }
        qputenv("CALENDAR_INSTANCE", "dev");
        MainWindow window(m_state.get());
        qunsetenv("CALENDAR_INSTANCE");
        QVERIFY(menuTitles(window).contains(QStringLiteral("&Developer")));
        QAction *load = nullptr;
        for (QAction *action : window.findChildren<QAction *>()) {
            if (action->text() == QLatin1String("Load Sample &Data"))
                load = action;
        }
        QVERIFY(load);
        load->trigger();
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Loaded 30 sample row(s)."));
        QVERIFY(m_state->calendars()->getById("sample-cal-work"));
    }

    void developerMenuSendsATestNotification()
    {
        RecordingNotifier notifier;
        NotificationService service(m_state->database(), m_state->events(), m_state->preferences(), &notifier);
        qputenv("CALENDAR_INSTANCE", "dev");
        MainWindow window(m_state.get());
        qunsetenv("CALENDAR_INSTANCE");
        window.setNotificationService(&service);
        QAction *send = nullptr;
        for (QAction *action : window.findChildren<QAction *>()) {
            if (action->text() == QLatin1String("Send Test &Notification"))
                send = action;
        }
        QVERIFY(send);
        send->trigger();
        QCOMPARE(notifier.shown.size(), 1);
        QCOMPARE(notifier.shown.first().title, QStringLiteral("Test reminder"));
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Test notification fired"));
    }

    void importReportNamesWhatHappened_data()
    {
        QTest::addColumn<int>("imported");
        QTest::addColumn<int>("updated");
        QTest::addColumn<int>("unchanged");
        QTest::addColumn<int>("failed");
        QTest::addColumn<QString>("text");
        QTest::newRow("both") << 2 << 3 << 0 << 0 << "Imported 2 and updated 3 in Home / Personal.";
        QTest::newRow("one update") << 0 << 1 << 4 << 0 << "Updated 1 existing event in Home / Personal.";
        QTest::newRow("updates") << 0 << 4 << 0 << 0 << "Updated 4 existing events in Home / Personal.";
        QTest::newRow("one import") << 1 << 0 << 0 << 0 << "Imported 1 event into Home / Personal.";
        QTest::newRow("imports") << 5 << 0 << 0 << 0 << "Imported 5 events into Home / Personal.";
        QTest::newRow("nothing new")
            << 0 << 0 << 2 << 0 << "Nothing to change: 2 event(s) already in Home / Personal.";
        QTest::newRow("nothing stored") << 0 << 0 << 1 << 2 << "Couldn't store 2 event(s) in Home / Personal.";
        QTest::newRow("some not stored")
            << 3 << 0 << 0 << 1 << "Imported 3 events into Home / Personal. 1 event(s) could not be stored.";
    }

    void importReportNamesWhatHappened()
    {
        QFETCH(int, imported);
        QFETCH(int, updated);
        QFETCH(int, unchanged);
        QFETCH(int, failed);
        QFETCH(QString, text);
        QCOMPARE(IcsImport::reportText({imported, updated, unchanged, failed}, QStringLiteral("Home / Personal")),
                 text);
    }

private:
    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<AppState> m_state;
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
