// The window's contents built a step per turn of the event loop show whole:
// the columns are shown in one step and paint, all of them at once, only in
// a later one, so the turn that lays them out is not also the one that
// paints them, and no paint ever shows part of them.
#include "tests/support/widgetfixture.h"
#include "ui/mainwindow.h"

#include <QSignalSpy>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>

#include <optional>

namespace {

// The window as the first paint inside its columns found it.
struct FirstColumnsPaint
{
    int columns = 0;
    bool centralIsSplitter = false;
    bool statusBarShown = false;
    bool aStepAfterTheShow = false;
    bool operator==(const FirstColumnsPaint &other) const
    {
        return columns == other.columns && centralIsSplitter == other.centralIsSplitter
            && statusBarShown == other.statusBarShown && aStepAfterTheShow == other.aStepAfterTheShow;
    }
};

char *toString(const FirstColumnsPaint &paint)
{
    return QTest::toString(QStringLiteral("columns %1, central splitter %2, status bar %3, a step after the show %4")
                               .arg(paint.columns)
                               .arg(paint.centralIsSplitter)
                               .arg(paint.statusBarShown)
                               .arg(paint.aStepAfterTheShow));
}

class ColumnsWatch : public QObject
{
public:
    explicit ColumnsWatch(MainWindow *window)
        : m_window(window)
    {
        qApp->installEventFilter(this);
    }
    ~ColumnsWatch() override { qApp->removeEventFilter(this); }

    std::optional<FirstColumnsPaint> firstPaint;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        QSplitter *columns = m_window->mainSplitter();
        if (!columns || watched != columns)
            return false;
        if (event->type() == QEvent::Show)
            m_shownAtStep = m_window->buildStepsDone();
        if (event->type() == QEvent::Paint && !firstPaint) {
            const QStatusBar *status = m_window->findChild<QStatusBar *>();
            firstPaint = FirstColumnsPaint{int(columns->count()), m_window->centralWidget() == columns,
                                           status && status->isVisible(),
                                           m_shownAtStep >= 0 && m_window->buildStepsDone() > m_shownAtStep};
        }
        return false;
    }

private:
    MainWindow *m_window;
    int m_shownAtStep = -1;
};

} // namespace

class TestMainWindowBuild : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void columnsPaintWholeInATurnAfterTheirShow()
    {
        WidgetFixture fixture;
        QVERIFY(fixture.isReady());
        MainWindow window(fixture.state(), MainWindow::Contents::Later);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ColumnsWatch watch(&window);
        QSignalSpy built(&window, &MainWindow::built);
        window.buildInSteps();
        QVERIFY(built.wait(20000));
        QTRY_VERIFY(watch.firstPaint.has_value());
        QCOMPARE(*watch.firstPaint, (FirstColumnsPaint{3, true, true, true}));
        QVERIFY(window.updatesEnabled());
    }
};

QTEST_MAIN(TestMainWindowBuild)
#include "tst_mainwindowbuild.moc"
