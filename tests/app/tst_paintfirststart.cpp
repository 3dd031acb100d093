// The program's own start on a desktop without a tray: the window's frame is
// painted before its contents are built, the fonts the contents draw their
// icons with (and the window icon) are there before the first of them is
// made, and the contents are built a step at a time with the event loop
// running between steps. A store with calendars never shows the page for a
// store without.
// The process has one application object, so the start is one case.
#include "app/application.h"
#include "app/theme/theme.h"
#include "tests/support/programstart.h"
#include "ui/mainwindow.h"

#include <QChildEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

namespace {

// What the start looked like at its first paint and as the contents grew.
class StartWatch : public QObject
{
public:
    StartWatch() { qApp->installEventFilter(this); }

    bool painted = false;
    bool builtAtFirstPaint = true;
    bool hadContentsAtFirstPaint = true;
    int contentsMade = 0;
    int madeWithoutIconFont = 0;
    int madeWithoutWindowIcon = 0;
    int emptyStatePaints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && isOnTheEmptyState(watched))
            ++emptyStatePaints;
        auto *window = qobject_cast<MainWindow *>(watched);
        if (!window)
            return false;
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            builtAtFirstPaint = window->isBuilt();
            hadContentsAtFirstPaint = window->centralWidget() != nullptr || window->menuWidget() != nullptr;
        } else if (event->type() == QEvent::ChildAdded && painted
                   && static_cast<QChildEvent *>(event)->child()->isWidgetType()) {
            ++contentsMade;
            if (!QFontDatabase::families().contains(Theme::fontFamily()))
                ++madeWithoutIconFont;
            if (QGuiApplication::windowIcon().isNull())
                ++madeWithoutWindowIcon;
        }
        return false;
    }

private:
    static bool isOnTheEmptyState(QObject *watched)
    {
        if (!watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        auto *window = qobject_cast<MainWindow *>(widget->window());
        QStackedWidget *stack = window ? window->centralStack() : nullptr;
        QWidget *emptyState = stack && stack->count() > 0 ? stack->widget(0) : nullptr;
        return emptyState && (widget == emptyState || emptyState->isAncestorOf(widget));
    }
};

} // namespace

class TestPaintFirstStart : public QObject
{
    Q_OBJECT

public:
    explicit TestPaintFirstStart(Application *app)
        : m_app(app)
    {
    }

private Q_SLOTS:
    void frameFirstThenContentsInStepsWithTheirIconFont()
    {
        m_app->setTrayPresence([] { return false; });
        StartWatch watch;
        int turnsWhileBuilding = 0;
        QTimer turn;
        turn.setInterval(0);
        connect(&turn, &QTimer::timeout, m_app, [&] {
            MainWindow *window = m_app->mainWindow();
            if (window && watch.painted && !window->isBuilt())
                ++turnsWhileBuilding;
            if (window && window->isBuilt())
                QCoreApplication::quit();
        });
        QTimer::singleShot(0, &turn, qOverload<>(&QTimer::start));
        QTimer::singleShot(30000, m_app, &QCoreApplication::quit);
        QCOMPARE(m_app->run(), 0);

        QVERIFY(watch.painted);
        QVERIFY(!watch.builtAtFirstPaint);
        QVERIFY(!watch.hadContentsAtFirstPaint);
        QVERIFY(m_app->mainWindow()->isBuilt());
        QVERIFY(m_app->mainWindow()->viewArea() != nullptr);
        QVERIFY(watch.contentsMade > 0);
        QCOMPARE(watch.madeWithoutIconFont, 0);
        QCOMPARE(watch.madeWithoutWindowIcon, 0);
        QCOMPARE(QFontInfo(QFont(Theme::fontFamily())).family(), QStringLiteral("Material Icons"));
        QVERIFY2(turnsWhileBuilding >= 2, "the event loop ran between the steps of the build");
        // The store has a calendar: its columns show the views from their
        // first paint, never the page that asks for a first calendar.
        QCOMPARE(m_app->mainWindow()->centralStack()->currentIndex(), 1);
        QCOMPARE(watch.emptyStatePaints, 0);
    }

private:
    Application *m_app;
};

int main(int argc, char **argv)
{
    ProgramStart start;
    Application app(argc, argv, Application::Assets::AfterTheFirstFrame);
    TestPaintFirstStart test(&app);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_paintfirststart.moc"
