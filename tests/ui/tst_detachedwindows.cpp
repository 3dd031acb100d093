#include "app/appstate.h"
#include "store/preferencesrepository.h"
#include "tests/support/laptopscreens.h"
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
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>
#include <tuple>

namespace {

using WindowMaker = std::function<QMainWindow *(AppState *)>;

} // namespace

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

    // Each window opens with its whole frame inside the free area of its
    // screen: with its default size, centred on the first screen or kept
    // where it was put on another, with a size kept from a taller screen, or
    // with a frame Qt learns of only after placing it.
    void windowFitsTheScreen_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<WindowMaker>("make");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("keptTaller");
        // Where a window is put, relative to the small screen's free area,
        // before Qt knows its frame; null for none.
        QTest::addColumn<QRect>("unframedAt");
        const QList<std::tuple<const char *, WindowMaker, const char *>> windows = {
            {"agenda", [](AppState *s) { return new DetachedAgendaWindow(s); }, DetachedAgendaWindow::GeometryKey},
            {"tasks", [](AppState *s) { return new DetachedTasksWindow(s); }, DetachedTasksWindow::GeometryKey},
            {"reminders", [](AppState *s) { return new DetachedRemindersWindow(s); },
             DetachedRemindersWindow::GeometryKey},
        };
        for (const bool keptTaller : {false, true}) {
            for (const char *screen : {"laptop", "small"}) {
                for (const auto &[name, make, key] : windows) {
                    QTest::addRow("%s%s on %s", name, keptTaller ? " kept taller," : "", screen)
                        << QString::fromLatin1(screen) << make << QString::fromLatin1(key) << keptTaller << QRect();
                }
            }
        }
        for (const auto &[name, make, key] : windows) {
            QTest::addRow("%s partly above small, its frame unknown to Qt", name)
                << QStringLiteral("small") << make << QString::fromLatin1(key) << false << QRect(100, -30, 360, 500);
            QTest::addRow("%s inside small, its frame unknown to Qt", name)
                << QStringLiteral("small") << make << QString::fromLatin1(key) << false << QRect(100, 40, 360, 500);
        }
    }

    void windowFitsTheScreen()
    {
        QFETCH(QString, screen);
        QFETCH(WindowMaker, make);
        QFETCH(QString, key);
        QFETCH(bool, keptTaller);
        QFETCH(QRect, unframedAt);
        QScreen *target = LaptopScreens::named(screen);
        QVERIFY(target);
        const QRect available = target->availableGeometry();
        const bool first = target == QGuiApplication::primaryScreen();
        if (keptTaller) {
            // Saved where there was room: a screen 1 100 px tall.
            QWidget tall;
            tall.setGeometry(QRect(available.topLeft() + QPoint(40, 30), QSize(400, 1100)));
            QVERIFY(m_fixture->state()->preferences()->set(key, QString::fromLatin1(tall.saveGeometry().toBase64())));
        }
        // The program's main window is open, framed already.
        QWidget main;
        if (!unframedAt.isNull()) {
            main.show();
            QVERIFY(QTest::qWaitForWindowExposed(&main));
        }
        std::unique_ptr<QMainWindow> window(make(m_fixture->state()));
        // A new window opens on the first screen; on another it is one the
        // user moved there.
        if (!unframedAt.isNull()) {
            // Made frameless and given its frame once made, the window is
            // placed before Qt knows the frame the window system gives it,
            // as under a window manager.
            window->setScreen(target);
            window->setGeometry(unframedAt.translated(available.topLeft()));
            window->setWindowFlag(Qt::FramelessWindowHint);
            window->winId();
            window->windowHandle()->setFlag(Qt::FramelessWindowHint, false);
        } else if (!keptTaller && !first) {
            window->move(available.topLeft() + QPoint(60, 50));
        }
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->screen(), target);
        QString frame;
        QDebug(&frame) << window->frameGeometry();
        QVERIFY2(available.contains(window->frameGeometry()), qPrintable(frame));
        // Put where it fits, it stays there; else it moves no further than
        // it must.
        const QRect put = unframedAt.translated(available.topLeft());
        if (!unframedAt.isNull())
            QCOMPARE(window->geometry().x(), put.x());
        if (!unframedAt.isNull() && unframedAt.top() >= 0)
            QCOMPARE(window->geometry(), put);
        // Where there is room, the default height stays.
        if (!keptTaller && available.height() >= 768)
            QCOMPARE(window->height(), 720);
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

int main(int argc, char **argv)
{
    return LaptopScreens::exec<TestDetachedWindows>(argc, argv);
}
#include "tst_detachedwindows.moc"
