#include "app/appstate.h"
#include "store/eventrepository.h"
#include "store/filterrulerepository.h"
#include "store/viewrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"
#include "views/area/calendargroups.h"
#include "views/area/viewarea.h"
#include "views/area/viewmodes.h"
#include "views/area/wheelaccumulator.h"
#include "views/common/pagereloader.h"
#include "views/common/viewrangeloader.h"
#include "views/common/viewrangeworker.h"
#include "views/day/daytimelinewidget.h"
#include "views/day/dayview.h"
#include "views/month/monthview.h"
#include "views/week/weektimelinewidget.h"
#include "views/week/weekview.h"
#include "views/year/yeargridwidget.h"
#include "views/weekgrid/weekgridview.h"
#include "views/year/yearview.h"

#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QThread>
#include <QToolButton>
#include <QWheelEvent>

#include <memory>

namespace {

const QDate Day(2026, 3, 10);

QStringList menuTexts(QMenu *menu)
{
    QStringList texts;
    for (QAction *action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text() + (action->isChecked() ? "*" : ""));
    return texts;
}

} // namespace

class TestViewArea : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void titles_data();
    void titles();
    void stepsAndCountedRanges();
    void modesPickPagesAndButtons_data();
    void modesPickPagesAndButtons();
    void daysModeShowsTheHorizonChip();
    void wheelAccumulatorStepsEveryTwoNotches();
    void sidewaysWheelNavigatesAndVerticalPasses();
    void keysMoveTheDateAndSwitchModes();
    void groupKeysWithAnUnknownActiveGroup();
    void groupChipAndMenu();
    void deletingTheActiveGroupReturnsToAllCalendars();
    void hiddenCountFollowsRulesAndGroup();
    void hiddenPagesReloadWhenShownNext();
    void noPageAsksForARangeBeforeItIsShown();
    void pageOnShowInAHiddenWindowCatchesUpWhenTheWindowShows();
    void shownAreaReadsItsPageOnceAndCountsFromThatRead_data();
    void shownAreaReadsItsPageOnceAndCountsFromThatRead();
    void storeChangeReloadsThePageInSightOnce_data();
    void storeChangeReloadsThePageInSightOnce();

private:
    ViewArea *area();
    void addGroups(const QStringList &names);

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<ViewArea> m_area;
};

void TestViewArea::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    m_fixture->state()->setCurrentDate(Day);
}

void TestViewArea::cleanup()
{
    m_area.reset();
    m_fixture.reset();
}

ViewArea *TestViewArea::area()
{
    m_area = std::make_unique<ViewArea>(m_fixture->state());
    m_area->setClock(m_fixture->clock());
    m_area->resize(1300, 800);
    return m_area.get();
}

void TestViewArea::addGroups(const QStringList &names)
{
    int order = 1;
    for (const QString &name : names) {
        CalendarView group;
        group.id = name.toLower();
        group.name = name;
        group.color = QStringLiteral("#0B8043");
        group.sort_order = order++;
        QVERIFY(m_fixture->state()->views()->insert(group));
    }
}

void TestViewArea::titles_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("firstDay");
    QTest::addColumn<int>("horizon");
    QTest::addColumn<QString>("title");
    QTest::newRow("week across the year") << "week" << QDate(2026, 1, 1) << 1 << 7 << "Dec 29 – Jan 4, 2026";
    QTest::newRow("week in March") << "week" << QDate(2025, 3, 5) << 1 << 7 << "Mar 3 – 9, 2025";
    QTest::newRow("Sunday week") << "week" << QDate(2025, 3, 5) << 7 << 7 << "Mar 2 – 8, 2025";
    QTest::newRow("days of ten") << "days" << QDate(2026, 12, 27) << 1 << 10 << "Dec 27 – Jan 5, 2027";
    QTest::newRow("days of one still spans two") << "days" << Day << 1 << 1 << "Mar 10 – 11, 2026";
    QTest::newRow("grid") << "grid" << QDate(2026, 12, 28) << 1 << 7 << "Dec 28 – Jan 4, 2027";
    QTest::newRow("month") << "month" << Day << 1 << 7 << "March 2026";
    QTest::newRow("year") << "year" << Day << 1 << 7 << "2026";
    QTest::newRow("today") << "day" << QDate(2026, 12, 5) << 1 << 7 << "Today · Saturday, December 5, 2026";
    QTest::newRow("another day") << "day" << QDate(2026, 12, 6) << 1 << 7 << "Sunday, December 6, 2026";
    QTest::newRow("unknown key titles like a day") << "agenda2" << QDate(2026, 12, 6) << 1 << 7 << "Sunday, December 6, 2026";
}

void TestViewArea::titles()
{
    QFETCH(QString, mode);
    QFETCH(QDate, date);
    QFETCH(int, firstDay);
    QFETCH(int, horizon);
    QFETCH(QString, title);
    QCOMPARE(ViewModes::title(mode, date, Qt::DayOfWeek(firstDay), horizon, QDate(2026, 12, 5), QString()), title);
}

void TestViewArea::stepsAndCountedRanges()
{
    using ViewModes::Span;
    QCOMPARE(ViewModes::step(QStringLiteral("days"), Day, 1, false, 10), Day.addDays(10));
    QCOMPARE(ViewModes::step(QStringLiteral("days"), Day, -1, true, 10), Day.addDays(-1));
    QCOMPARE(ViewModes::step(QStringLiteral("grid"), Day, 1, false, 10), Day.addDays(1));
    QCOMPARE(ViewModes::step(QStringLiteral("grid"), Day, 1, true, 10), Day.addDays(7));
    QCOMPARE(ViewModes::step(QStringLiteral("month"), QDate(2026, 1, 31), 1, false, 7), QDate(2026, 2, 28));
    QCOMPARE(ViewModes::step(QStringLiteral("year"), QDate(2024, 2, 29), 1, false, 7), QDate(2025, 2, 28));
    QCOMPARE(ViewModes::step(QStringLiteral("week"), Day, -1, false, 7), Day.addDays(-7));
    QCOMPARE(ViewModes::countedRange(QStringLiteral("week"), Day, Qt::Monday, 7), Span({QDate(2026, 3, 9), 7}));
    QCOMPARE(ViewModes::countedRange(QStringLiteral("days"), Day, Qt::Monday, 1), Span({Day, 2}));
    QCOMPARE(ViewModes::countedRange(QStringLiteral("grid"), Day, Qt::Monday, 7), Span({Day, 8}));
    QCOMPARE(ViewModes::countedRange(QStringLiteral("year"), Day, Qt::Monday, 7), Span({QDate(2026, 2, 23), 42}));
    QCOMPARE(ViewModes::countedRange(QStringLiteral("other"), Day, Qt::Monday, 7), Span({Day, 7}));
}

void TestViewArea::modesPickPagesAndButtons_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("checked");
    QTest::newRow("agenda") << "agenda" << 1 << "week";
    QTest::newRow("list") << "list" << 1 << "week";
    QTest::newRow("grid") << "grid" << 3 << "grid";
    QTest::newRow("year") << "year" << 5 << "year";
    QTest::newRow("unknown keeps the page") << "timeline" << 4 << "";
}

void TestViewArea::modesPickPagesAndButtons()
{
    QFETCH(QString, mode);
    QFETCH(int, page);
    QFETCH(QString, checked);
    ViewArea *a = area();
    a->setViewMode(QStringLiteral("month"));
    a->setViewMode(mode);
    QCOMPARE(a->stack()->currentIndex(), page);
    QStringList on;
    for (const char *key : {"day", "week", "days", "month", "year", "grid"}) {
        if (a->modeButton(QLatin1String(key))->isChecked())
            on << QLatin1String(key);
    }
    QCOMPARE(on.join(QLatin1Char(',')), checked);
    QCOMPARE(m_fixture->state()->viewMode(), checked.isEmpty() ? mode : checked);
}

void TestViewArea::daysModeShowsTheHorizonChip()
{
    ViewArea *a = area();
    a->show();
    a->setViewMode(QStringLiteral("week"));
    QVERIFY(!a->horizonChip()->isVisible());
    m_fixture->state()->setWeekHorizon(10);
    a->setViewMode(QStringLiteral("days"));
    QVERIFY(a->horizonChip()->isVisible());
    QCOMPARE(a->horizonChip()->text(), QStringLiteral("10d"));
    QCOMPARE(menuTexts(a->horizonChip()->menu()),
             QStringList({"3 days", "5 days", "7 days", "10 days*", "14 days"}));
    QCOMPARE(a->title(), QStringLiteral("Mar 10 – 19, 2026"));
    a->navigate(1);
    QCOMPARE(m_fixture->state()->currentDate(), Day.addDays(10));
    a->horizonChip()->menu()->actions().at(0)->trigger();
    QCOMPARE(m_fixture->state()->weekHorizon(), 3);
    QCOMPARE(a->mode(), QStringLiteral("days"));
    QCOMPARE(a->horizonChip()->text(), QStringLiteral("3d"));
}

void TestViewArea::wheelAccumulatorStepsEveryTwoNotches()
{
    WheelAccumulator wheel;
    QCOMPARE(wheel.add(-120), 0);
    QCOMPARE(wheel.add(-120), 1);
    QCOMPARE(wheel.add(-120), 0);
    QCOMPARE(wheel.value(), -120);
    // A turn the other way starts over, then counts.
    QCOMPARE(wheel.add(120), 0);
    QCOMPARE(wheel.value(), 120);
    QCOMPARE(wheel.add(600), -3);
    QCOMPARE(wheel.value(), 0);
    QVERIFY(WheelAccumulator::takes(QPoint(-120, 120)));
    QVERIFY(!WheelAccumulator::takes(QPoint(-60, 120)));
    QVERIFY(!WheelAccumulator::takes(QPoint(0, 0)));
}

void TestViewArea::sidewaysWheelNavigatesAndVerticalPasses()
{
    ViewArea *a = area();
    a->setViewMode(QStringLiteral("week"));
    const auto turn = [a](const QPoint &delta) {
        QWidget *target = a->weekView()->timeline();
        QWheelEvent event(QPointF(100, 100), target->mapToGlobal(QPointF(100, 100)), QPoint(), delta, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        return QCoreApplication::sendEvent(target, &event);
    };
    for (int i = 0; i < 3; ++i)
        QVERIFY(turn(QPoint(-120, 0)));
    QCOMPARE(m_fixture->state()->currentDate(), Day.addDays(7));
    QCOMPARE(a->wheelAccumulator(), -120);
    QVERIFY(turn(QPoint(120, 10)));
    QCOMPARE(a->wheelAccumulator(), 120);
    QCOMPARE(m_fixture->state()->currentDate(), Day.addDays(7));
    // Mostly vertical: scrolling, not navigation.
    turn(QPoint(10, -120));
    QCOMPARE(a->wheelAccumulator(), 120);
}

void TestViewArea::keysMoveTheDateAndSwitchModes()
{
    ViewArea *a = area();
    a->show();
    QVERIFY(QTest::qWaitForWindowActive(a));
    AppState *state = m_fixture->state();
    a->setViewMode(QStringLiteral("month"));
    QTest::keyClick(a, Qt::Key_J);
    QCOMPARE(state->currentDate(), QDate(2026, 4, 10));
    QTest::keyClick(a, Qt::Key_H);
    QCOMPARE(state->currentDate(), QDate(2026, 4, 3));
    QTest::keyClick(a, Qt::Key_K, Qt::ShiftModifier);
    QCOMPARE(state->currentDate(), QDate(2026, 3, 3));
    QTest::keyClick(a, Qt::Key_T);
    QCOMPARE(state->currentDate(), Day);
    QTest::keyClick(a, Qt::Key_2);
    QCOMPARE(a->mode(), QStringLiteral("days"));
    QTest::keyClick(a, Qt::Key_6);
    QCOMPARE(a->mode(), QStringLiteral("year"));
    QTest::keyClick(a, Qt::Key_4, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(state->weekHorizon(), 10);
    QCOMPARE(a->mode(), QStringLiteral("days"));
}

void TestViewArea::groupKeysWithAnUnknownActiveGroup()
{
    addGroups({QStringLiteral("Work"), QStringLiteral("Home")});
    AppState *state = m_fixture->state();
    // The default group first: All Calendars, Work, Home.
    QVERIFY(CalendarGroups::selectAt(state, 3));
    QCOMPARE(state->activeViewId(), QStringLiteral("home"));
    QVERIFY(!CalendarGroups::selectAt(state, 4));
    QCOMPARE(state->activeViewId(), QStringLiteral("home"));
    QVERIFY(CalendarGroups::cycle(state, 1));
    QCOMPARE(state->activeViewId(), QStringLiteral("all-calendars"));
    QVERIFY(CalendarGroups::cycle(state, -1));
    QCOMPARE(state->activeViewId(), QStringLiteral("home"));

    state->setActiveViewId(QStringLiteral("gone"));
    QVERIFY(CalendarGroups::cycle(state, 1));
    QCOMPARE(state->activeViewId(), QStringLiteral("work"));
    state->setActiveViewId(QStringLiteral("gone"));
    QVERIFY(CalendarGroups::cycle(state, -1));
    QCOMPARE(state->activeViewId(), QStringLiteral("home"));

    // The same through the keys.
    ViewArea *a = area();
    a->show();
    QVERIFY(QTest::qWaitForWindowActive(a));
    QTest::keyClick(a, Qt::Key_2, Qt::ControlModifier);
    QCOMPARE(state->activeViewId(), QStringLiteral("work"));
    QTest::keyClick(a, Qt::Key_BracketRight, Qt::ControlModifier);
    QCOMPARE(state->activeViewId(), QStringLiteral("home"));
}

void TestViewArea::groupChipAndMenu()
{
    addGroups({QStringLiteral("Work")});
    AppState *state = m_fixture->state();
    state->setActiveViewId(QStringLiteral("work"));
    ViewArea *a = area();
    QCOMPARE(a->groupChip()->text(), QStringLiteral("Work"));
    QCOMPARE(menuTexts(a->groupChip()->menu()),
             QStringList({"All Calendars", "Work*", "-", "Add Calendar Group…", "Edit Current Group…",
                          "Delete Current Group"}));
    state->setActiveViewId(QStringLiteral("all-calendars"));
    QCOMPARE(menuTexts(a->groupChip()->menu()),
             QStringList({"All Calendars*", "Work", "-", "Add Calendar Group…", "Edit Current Group…"}));
    state->setActiveViewId(QStringLiteral("gone"));
    QCOMPARE(a->groupChip()->text(), QStringLiteral("All Calendars"));
    QCOMPARE(menuTexts(a->groupChip()->menu()), QStringList({"All Calendars", "Work", "-", "Add Calendar Group…"}));
    a->groupChip()->menu()->actions().at(1)->trigger();
    QCOMPARE(state->activeViewId(), QStringLiteral("work"));
}

void TestViewArea::deletingTheActiveGroupReturnsToAllCalendars()
{
    addGroups({QStringLiteral("Work")});
    AppState *state = m_fixture->state();
    state->setActiveViewId(QStringLiteral("work"));
    ViewArea *a = area();
    ModalAnswerer answerer;
    answerer.pressButton(QMessageBox::No);
    answerer.pressButton(QMessageBox::Yes);
    a->deleteCurrentGroup(QStringLiteral("work"), QStringLiteral("Work"));
    QCOMPARE(state->activeViewId(), QStringLiteral("work"));
    a->deleteCurrentGroup(QStringLiteral("work"), QStringLiteral("Work"));
    QCOMPARE(answerer.seen().first(), QStringLiteral("QMessageBox Delete \"Work\"? You can recreate it later."));
    QCOMPARE(state->activeViewId(), QStringLiteral("all-calendars"));
    QVERIFY(state->views()->getById(QStringLiteral("work"))->deleted_at);
}

void TestViewArea::hiddenCountFollowsRulesAndGroup()
{
    AppState *state = m_fixture->state();
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Gym"), QDateTime(Day, QTime(7, 0)),
                                                  QDateTime(Day, QTime(8, 0))));
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Gym"), QDateTime(Day.addDays(20), QTime(7, 0)),
                                                  QDateTime(Day.addDays(20), QTime(8, 0))));
    ViewArea *a = area();
    a->setViewMode(QStringLiteral("day"));
    // No enabled rule hides nothing.
    QTRY_VERIFY(!a->isCounting());
    QCOMPARE(state->filterHiddenCount(), 0);
    FilterRule hide;
    hide.id = hide.name = QStringLiteral("no-gym");
    hide.type = QStringLiteral("pattern");
    hide.conditions = QStringLiteral("{\"runtimeType\":\"pattern\",\"titleContains\":[\"gym\"]}");
    hide.enabled = false;
    QVERIFY(state->filterRules()->insert(hide));
    a->updateFilterHiddenCount();
    QTRY_VERIFY(!a->isCounting());
    QCOMPARE(state->filterHiddenCount(), 0);
    QVERIFY(state->filterRules()->setEnabled(hide.id, true));
    a->updateFilterHiddenCount();
    QTRY_COMPARE(state->filterHiddenCount(), 1);
    a->setViewMode(QStringLiteral("month"));
    QTRY_COMPARE(state->filterHiddenCount(), 2);
    state->setActiveViewId(QStringLiteral("gone"));
    QTRY_COMPARE(state->filterHiddenCount(), 0);
}

void TestViewArea::hiddenPagesReloadWhenShownNext()
{
    ViewArea *a = area();
    a->setViewMode(QStringLiteral("week"));
    a->show();
    AppState *state = m_fixture->state();
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Standup"), QDateTime(Day, QTime(9, 0)),
                                                  QDateTime(Day, QTime(9, 30))));
    QVERIFY(m_fixture->waitForEventsChanged());
    // The page in sight asks at once; the others only note the change.
    QTRY_VERIFY(!a->weekView()->isLoading());
    a->weekView()->timeline()->grab();
    QCOMPARE(a->weekView()->timeline()->hitRects().size(), 1);
    QVERIFY(!a->weekView()->reloader()->isPending());
    for (PageReloader *hidden : {a->dayView()->reloader(), a->daysView()->reloader(), a->monthView()->reloader(),
                                 a->yearView()->reloader()})
        QVERIFY(hidden->isPending());
    QCOMPARE(a->yearView()->grid()->busyDays(), QSet<QDate>());
    // Shown next, a page catches up before it paints.
    a->setViewMode(QStringLiteral("year"));
    QVERIFY(!a->yearView()->reloader()->isPending());
    QTRY_COMPARE(a->yearView()->grid()->busyDays(), QSet<QDate>({Day}));
    // A new date for a hidden page waits as well.
    state->setCurrentDate(Day.addDays(400));
    QVERIFY(a->monthView()->reloader()->isPending());
    QTRY_COMPARE(a->yearView()->grid()->year(), Day.addDays(400).year());
}

// The window paints before any page reads: building asks for nothing, and
// showing asks for the page in sight only.
void TestViewArea::noPageAsksForARangeBeforeItIsShown()
{
    m_fixture->state()->setViewMode(QStringLiteral("month"));
    ViewArea *a = area();
    const QList<QWidget *> pages{a->dayView(), a->weekView(), a->daysView(), a->gridView(), a->monthView(),
                                 a->yearView()};
    const auto requestsOf = [](QWidget *page) {
        quint64 count = 0;
        for (const ViewRangeLoader *loader : page->findChildren<ViewRangeLoader *>())
            count += loader->generation();
        return count;
    };
    for (QWidget *page : pages) {
        QCOMPARE(requestsOf(page), quint64(0));
        QVERIFY(page->findChild<PageReloader *>()->isPending());
    }
    a->show();
    QVERIFY(requestsOf(a->monthView()) > 0);
    for (QWidget *page : pages) {
        if (page != a->monthView())
            QCOMPARE(requestsOf(page), quint64(0));
    }
    QTRY_VERIFY(!a->monthView()->isLoading());
}

void TestViewArea::pageOnShowInAHiddenWindowCatchesUpWhenTheWindowShows()
{
    m_fixture->state()->setViewMode(QStringLiteral("day"));
    ViewArea *a = area();
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Standup"), QDateTime(Day, QTime(9, 0)),
                                                  QDateTime(Day, QTime(9, 30))));
    QVERIFY(m_fixture->waitForEventsChanged());
    QVERIFY(a->dayView()->reloader()->isPending());
    a->show();
    QVERIFY(!a->dayView()->reloader()->isPending());
    QTRY_VERIFY(!a->dayView()->isLoading());
    a->dayView()->timeline()->grab();
    QCOMPARE(a->dayView()->timeline()->hitRects().size(), 1);
}

void TestViewArea::shownAreaReadsItsPageOnceAndCountsFromThatRead_data()
{
    QTest::addColumn<QString>("mode");
    // Event-loop turns between building the area and showing it (the
    // window builds its columns out of sight, a step per turn).
    QTest::addColumn<int>("turns");
    QTest::addColumn<int>("reads");
    QTest::addColumn<int>("hidden");
    // The month grid reaches the second hidden event; the year page reads a
    // whole year, so its count (over the month grid) is read apart.
    QTest::newRow("day") << QStringLiteral("day") << 0 << 1 << 1;
    QTest::newRow("week") << QStringLiteral("week") << 0 << 1 << 1;
    QTest::newRow("days") << QStringLiteral("days") << 0 << 1 << 1;
    QTest::newRow("grid") << QStringLiteral("grid") << 0 << 1 << 1;
    QTest::newRow("month") << QStringLiteral("month") << 0 << 1 << 2;
    QTest::newRow("year") << QStringLiteral("year") << 0 << 2 << 2;
    QTest::newRow("week shown turns later") << QStringLiteral("week") << 4 << 1 << 1;
    QTest::newRow("month shown turns later") << QStringLiteral("month") << 4 << 1 << 2;
}

// Built and shown, as the window starts: the page in sight reads its range
// once, the hidden pages read nothing, and the count of hidden events
// comes from the page's read; a change later costs one read again.
void TestViewArea::shownAreaReadsItsPageOnceAndCountsFromThatRead()
{
    QFETCH(QString, mode);
    QFETCH(int, turns);
    QFETCH(int, reads);
    QFETCH(int, hidden);
    AppState *state = m_fixture->state();
    const auto gym = [this](const QDate &day, int hour) {
        m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Gym"), QDateTime(day, QTime(hour, 0)),
                                                      QDateTime(day, QTime(hour + 1, 0))));
    };
    gym(Day, 7);
    gym(Day.addDays(20), 7);
    FilterRule hide;
    hide.id = hide.name = QStringLiteral("no-gym");
    hide.type = QStringLiteral("pattern");
    hide.conditions = QStringLiteral("{\"runtimeType\":\"pattern\",\"titleContains\":[\"gym\"]}");
    QVERIFY(state->filterRules()->insert(hide));
    QVERIFY(m_fixture->waitForEventsChanged());
    state->setViewMode(mode);

    const quint64 before = ViewRangeWorker::readsStarted();
    ViewArea *a = area();
    for (int turn = 0; turn < turns; ++turn)
        QCoreApplication::processEvents();
    a->show();
    const ViewRangeLoader *page = a->stack()->currentWidget()->findChild<ViewRangeLoader *>();
    const auto settled = [a, page] { return !a->isCounting() && !page->isLoading(); };
    QTRY_VERIFY(settled());
    QTest::qWait(50);
    QVERIFY(settled());
    QCOMPARE(ViewRangeWorker::readsStarted() - before, quint64(reads));
    QCOMPARE(state->filterHiddenCount(), hidden);
    // Nor has a page out of sight a share of the reading thread.
    for (int i = 0; i < a->stack()->count(); ++i) {
        QWidget *other = a->stack()->widget(i);
        const QList<ViewRangeLoader *> loaders = other->findChildren<ViewRangeLoader *>();
        const bool reads = std::any_of(loaders.cbegin(), loaders.cend(),
                                       [](const ViewRangeLoader *loader) { return loader->hasReader(); });
        QCOMPARE(reads, other == a->stack()->currentWidget());
    }

    gym(Day, 12);
    QVERIFY(m_fixture->waitForEventsChanged());
    QTRY_VERIFY(settled());
    QTest::qWait(50);
    QVERIFY(settled());
    QCOMPARE(ViewRangeWorker::readsStarted() - before, quint64(2 * reads));
    QCOMPARE(state->filterHiddenCount(), hidden + 1);

    // A page that was out of sight through the change reads once when shown,
    // and its read gives the count of its week.
    a->setViewMode(mode == QLatin1String("week") ? QStringLiteral("day") : QStringLiteral("week"));
    const ViewRangeLoader *next = a->stack()->currentWidget()->findChild<ViewRangeLoader *>();
    QTRY_VERIFY(!a->isCounting() && !next->isLoading());
    QTest::qWait(50);
    QCOMPARE(ViewRangeWorker::readsStarted() - before, quint64(2 * reads + 1));
    QCOMPARE(state->filterHiddenCount(), 2);
}

void TestViewArea::storeChangeReloadsThePageInSightOnce_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("change");
    for (const char *mode : {"day", "week", "days", "grid", "month", "year"}) {
        for (const char *change : {"event", "calendar", "filter rule"})
            QTest::addRow("%s, %s", mode, change) << QString::fromLatin1(mode) << QString::fromLatin1(change);
    }
}

// Every page hears of the store through its loader alone: one change, one
// reload.
void TestViewArea::storeChangeReloadsThePageInSightOnce()
{
    QFETCH(QString, mode);
    QFETCH(QString, change);
    AppState *state = m_fixture->state();
    state->setViewMode(mode);
    ViewArea *a = area();
    a->show();
    QWidget *page = a->stack()->currentWidget();
    const ViewRangeLoader *loader = page->findChild<ViewRangeLoader *>(QString(), Qt::FindDirectChildrenOnly);
    QTRY_VERIFY(!loader->isLoading());
    QSignalSpy reloads(page->findChild<PageReloader *>(QString(), Qt::FindDirectChildrenOnly),
                       &PageReloader::reloaded);
    if (change == QLatin1String("event")) {
        m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Standup"), QDateTime(Day, QTime(9, 0)),
                                                      QDateTime(Day, QTime(9, 30))));
    } else if (change == QLatin1String("calendar")) {
        m_fixture->addCalendar(QStringLiteral("work"), QStringLiteral("Work"));
    } else {
        FilterRule rule;
        rule.id = rule.name = QStringLiteral("dim-standup");
        rule.type = QStringLiteral("pattern");
        rule.action = QStringLiteral("dim");
        rule.conditions = QStringLiteral("{\"runtimeType\":\"pattern\",\"titleContains\":[\"standup\"]}");
        QVERIFY(state->filterRules()->insert(rule));
    }
    // Every listener of one announcement runs before the loop turns again.
    QTRY_VERIFY(!reloads.isEmpty());
    QCOMPARE(reloads.size(), 1);
    QTRY_VERIFY(!loader->isLoading());
}

QTEST_MAIN(TestViewArea)
#include "tst_viewarea.moc"
