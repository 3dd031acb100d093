#include "app/appstate.h"
#include "store/preferencesrepository.h"
#include "tests/support/widgetfixture.h"
#include "ui/panes/agendalistwidget.h"
#include "ui/sidebar/detachedagendawindow.h"
#include "ui/sidebar/detachedreminderswindow.h"
#include "ui/sidebar/detachedtaskswindow.h"
#include "ui/sidebar/detachedwindows.h"
#include "ui/sidebar/sidebar.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

class TestDetachedWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
    }
    void cleanup() { m_fixture.reset(); }

    void eachKindOpensOnceWithItsTitleAndDefaultSize()
    {
        DetachedWindows windows(m_fixture->state());
        DetachedTasksWindow *tasks = windows.openTasks();
        QCOMPARE(windows.openTasks(), tasks);
        QCOMPARE(tasks->windowTitle(), QStringLiteral("Tasks — Tindlebrook Calendar"));
        QCOMPARE(tasks->size(), QSize(360, 720));
        QVERIFY(tasks->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(windows.openAgenda()->windowTitle(), QStringLiteral("Agenda — Tindlebrook Calendar"));
        QCOMPARE(windows.openAgenda()->size(), QSize(380, 720));
        QCOMPARE(windows.openReminders()->windowTitle(), QStringLiteral("Reminders — Tindlebrook Calendar"));
    }

    void closingAndReopeningKeepsTheGeometry()
    {
        DetachedWindows windows(m_fixture->state());
        QPointer<DetachedRemindersWindow> first = windows.openReminders();
        first->setGeometry(120, 140, 420, 500);
        const QRect kept = first->geometry();
        first->close();
        QTRY_VERIFY(!first);
        DetachedRemindersWindow *second = windows.openReminders();
        QCOMPARE(second->geometry().size(), kept.size());
        QVERIFY(!m_fixture->state()->preferences()->getString(
                                            QString::fromLatin1(DetachedRemindersWindow::GeometryKey)).isEmpty());
    }

    void unreadableGeometryLeavesTheDefaultSizeAndIsReplaced()
    {
        const QString key = QString::fromLatin1(DetachedAgendaWindow::GeometryKey);
        QVERIFY(m_fixture->state()->preferences()->set(key, QStringLiteral("!!not base64!!")));
        {
            DetachedAgendaWindow window(m_fixture->state());
            QCOMPARE(window.size(), QSize(380, 720));
            window.show();
            window.close();
        }
        const QByteArray saved = QByteArray::fromBase64(m_fixture->state()->preferences()->getString(key).toLatin1());
        QVERIFY(!saved.isEmpty());
    }

    void closingOneWhileTheMainWindowIsHiddenDoesNotQuit()
    {
        // The application may end with its last window; a detached window
        // still must not end it while the main window hides in the tray.
        QGuiApplication::setQuitOnLastWindowClosed(true);
        QMainWindow main;
        main.show();
        main.hide();
        DetachedWindows windows(m_fixture->state());
        QPointer<DetachedAgendaWindow> agenda = windows.openAgenda();
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        // The application reacts to a last window only inside its own loop.
        QTimer::singleShot(0, agenda, [agenda] { agenda->close(); });
        QTimer::singleShot(200, qApp, [] { QCoreApplication::exit(7); });
        QCOMPARE(QCoreApplication::exec(), 7);
        QVERIFY(!agenda);
        QCOMPARE(lastClosed.size(), 0);
    }

    void agendaModesOfTheSidebarAndTheDetachedWindowAreApart()
    {
        Sidebar sidebar(m_fixture->state());
        DetachedAgendaWindow detached(m_fixture->state());
        auto *detachedAgenda = detached.findChild<AgendaListWidget *>();
        QVERIFY(detachedAgenda);
        detachedAgenda->setMode(false);
        QVERIFY(sidebar.agenda()->showEmptyDays());
        sidebar.agenda()->setMode(false);
        sidebar.agenda()->setMode(true);
        QVERIFY(!detachedAgenda->showEmptyDays());
        QCOMPARE(m_fixture->state()->preferences()->getString(QStringLiteral("ui/detachedAgendaMode")),
                 QStringLiteral("list"));
        QCOMPARE(m_fixture->state()->preferences()->getString(QStringLiteral("ui/sidebarAgendaMode")),
                 QStringLiteral("agenda"));
    }

private:
    std::unique_ptr<WidgetFixture> m_fixture;
};

QTEST_MAIN(TestDetachedWindows)
#include "tst_detachedwindows.moc"
