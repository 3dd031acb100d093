#include "app/appstate.h"
#include "services/invitationsservice.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/calendarview.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "store/viewrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"
#include "ui/mainwindow.h"
#include "ui/palette/commandpalette.h"
#include "ui/panes/agendalistwidget.h"
#include "ui/panes/reminderspane.h"
#include "ui/panes/taskspane.h"
#include "ui/popovers/eventdetailspopover.h"
#include "ui/popovers/taskdetailspopover.h"
#include "ui/sidebar/sidebar.h"
#include "views/area/viewarea.h"
#include "views/minimonth/minimonthcalendar.h"
#include "views/month/monthgridwidget.h"
#include "views/week/weektimelinewidget.h"
#include "views/week/weekview.h"
#include "views/year/yeargridwidget.h"

#include <QAction>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QSignalBlocker>
#include <QSignalSpy>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

QList<QAction *> allActions(const QMenuBar *bar)
{
    QList<QAction *> actions;
    for (const QAction *menuAction : bar->actions()) {
        if (menuAction->menu())
            actions += menuAction->menu()->actions();
    }
    return actions;
}

QAction *findAction(const QMenuBar *bar, const QString &text)
{
    for (QAction *action : allActions(bar)) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

} // namespace

class TestMainWindowShell : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WidgetFixture> m_fixture;
    AppState *state() const { return m_fixture->state(); }

    void addGroups(int count)
    {
        for (int i = 1; i <= count; ++i) {
            CalendarView group;
            group.id = QStringLiteral("group-%1").arg(i);
            group.name = QStringLiteral("Group %1").arg(i);
            group.color = QStringLiteral("#336699");
            group.sort_order = i;
            QVERIFY(state()->views()->insert(group));
        }
    }

private Q_SLOTS:
    void init()
    {
        qunsetenv("CALENDAR_INSTANCE");
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
    }

    void cleanup() { m_fixture.reset(); }

    void emptyStateFollowsTheCalendars()
    {
        MainWindow window(state());
        const QStringList ids = [this] {
            QStringList list;
            for (const Calendar &c : state()->calendars()->getAll())
                list.append(c.id);
            return list;
        }();
        QVERIFY(!ids.isEmpty());
        QCOMPARE(window.centralStack()->currentIndex(), 1);
        QVERIFY(window.newEventAction()->isEnabled());
        for (const QString &id : ids)
            QVERIFY(state()->calendars()->remove(id));
        QCOMPARE(window.centralStack()->currentIndex(), 0);
        QVERIFY(!window.newEventAction()->isEnabled());
        m_fixture->addCalendar(QStringLiteral("work"), QStringLiteral("Work"));
        QCOMPARE(window.centralStack()->currentIndex(), 1);
        QVERIFY(window.newEventAction()->isEnabled());
    }

    void menusInOrderWithEveryKeyBoundOnce_data()
    {
        QTest::addColumn<QByteArray>("instance");
        QTest::addColumn<QStringList>("menus");
        const QStringList plain = {"&File", "&Edit", "&View", "&Window", "&Tools", "&Help"};
        QStringList dev = plain;
        dev.insert(5, QStringLiteral("&Developer"));
        QTest::newRow("user") << QByteArray() << plain;
        QTest::newRow("developer") << QByteArray("dev") << dev;
        QTest::newRow("almost developer") << QByteArray("dev2") << plain;
    }

    void menusInOrderWithEveryKeyBoundOnce()
    {
        QFETCH(QByteArray, instance);
        QFETCH(QStringList, menus);
        if (!instance.isEmpty())
            qputenv("CALENDAR_INSTANCE", instance);
        MainWindow window(state());
        qunsetenv("CALENDAR_INSTANCE");
        QStringList titles;
        for (const QAction *action : window.menuBar()->actions())
            titles.append(action->text());
        QCOMPARE(titles, menus);

        // Offscreen binds no key to Quit or Preferences: the fallbacks apply.
        QCOMPARE(findAction(window.menuBar(), "&Quit")->shortcuts(), MainWindow::quitKeys());
        QCOMPARE(MainWindow::quitKeys(), QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Q"))});
        QCOMPARE(MainWindow::preferencesKeys(), QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+,"))});
        QStringList seen;
        for (const QAction *action : allActions(window.menuBar())) {
            for (const QKeySequence &keys : action->shortcuts()) {
                const QString text = keys.toString();
                QVERIFY2(!seen.contains(text), qPrintable(text + " is bound twice"));
                seen.append(text);
            }
        }
    }

    // The entry counts the meetings still waiting for an answer, and counts
    // again whenever the File menu opens.
    void invitationsEntryCountsWhatIsPending()
    {
        Account mail;
        mail.id = QStringLiteral("mail");
        mail.name = QStringLiteral("Mail");
        mail.type = AccountType::CalDav;
        mail.username = QStringLiteral("alice@example.com");
        QVERIFY(state()->accounts()->insert(mail));
        m_fixture->addCalendar(QStringLiteral("invited"), QStringLiteral("Invited"), QStringLiteral("#4285F4"), true,
                               mail.id);
        QList<Event> meetings;
        for (int day = 1; day <= 2; ++day) {
            const QDateTime start = QDateTime::currentDateTime().addDays(day);
            Event meeting = WidgetFixture::timedEvent(QStringLiteral("Meeting %1").arg(day), start,
                                                      start.addSecs(3600), QStringLiteral("invited"));
            Attendee me;
            me.email = QStringLiteral("Alice@Example.com");
            me.status = QStringLiteral("needs-action");
            meeting.attendees = {me};
            meetings << m_fixture->addEvent(meeting);
        }

        MainWindow window(state());
        QAction *entry = findAction(window.menuBar(), QStringLiteral("&Invitations… (2)"));
        QVERIFY(entry);
        QMenu *file = window.menuBar()->actions().first()->menu();
        {
            // Answered behind the service's back: only the menu opening
            // brings the entry up to date.
            const QSignalBlocker quiet(state()->invitations());
            for (Event meeting : std::as_const(meetings)) {
                meeting.attendees.first().status = QStringLiteral("accepted");
                QVERIFY(state()->events()->update(meeting));
            }
        }
        QCOMPARE(entry->text(), QStringLiteral("&Invitations… (2)"));
        Q_EMIT file->aboutToShow();
        QCOMPARE(entry->text(), QStringLiteral("&Invitations…"));

        // A new invitation reaches the entry through the service at once.
        const QDateTime start = QDateTime::currentDateTime().addDays(3);
        Event another = WidgetFixture::timedEvent(QStringLiteral("Meeting 3"), start, start.addSecs(3600),
                                                  QStringLiteral("invited"));
        Attendee me;
        me.email = QStringLiteral("alice@example.com");
        another.attendees = {me};
        m_fixture->addEvent(another);
        QTRY_COMPARE(entry->text(), QStringLiteral("&Invitations… (1)"));
    }

    void singleKeyShortcutNeverFiresWhileTyping()
    {
        MainWindow window(state());
        auto *field = new QLineEdit(&window);
        window.statusBar()->addWidget(field);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        field->setFocus();
        const QString mode = state()->viewMode();
        // "/" opens the search, t goes to today, j and k step, 1 … 6 switch
        // views: none of them while the text takes the keys.
        ModalAnswerer answerer;
        state()->setCurrentDate(QDate(2026, 1, 15));
        QTest::keyClicks(field, QStringLiteral("a/b tjk 15"));
        QCOMPARE(field->text(), QStringLiteral("a/b tjk 15"));
        QVERIFY(!window.commandPalette());
        QCOMPARE(answerer.seen(), QStringList());
        QCOMPARE(state()->viewMode(), mode);
        QCOMPARE(state()->currentDate(), QDate(2026, 1, 15));

        // Elsewhere in the window the same key opens the search.
        window.centralStack()->setFocus();
        QTest::keyClick(&window, Qt::Key_Slash);
        QCOMPARE(answerer.seen(), QStringList{QStringLiteral("SearchDialog Search (unexpected)")});
        // Ctrl+K shows the palette, and the same one again.
        window.activateWindow();
        QTRY_VERIFY(window.isActiveWindow());
        QTest::keyClick(&window, Qt::Key_K, Qt::ControlModifier);
        QVERIFY(window.commandPalette());
        QVERIFY(window.commandPalette()->isVisible());
        window.commandPalette()->hide();
        CommandPalette *first = window.commandPalette();
        QTest::keyClick(&window, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(window.commandPalette(), first);
        QVERIFY(first->isVisible());
    }

    void calendarGroupKeysSelectAndWrap_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        // The built-in default group comes first, then group-1 … group-3.
        QTest::newRow("second by position") << "all-calendars" << "Ctrl+2" << "group-1";
        QTest::newRow("beyond the groups") << "group-2" << "Ctrl+5" << "group-2";
        QTest::newRow("last position") << "group-1" << "Ctrl+4" << "group-3";
        QTest::newRow("next wraps to first") << "group-3" << "Ctrl+]" << "all-calendars";
        QTest::newRow("previous wraps to last") << "all-calendars" << "Ctrl+[" << "group-3";
        QTest::newRow("unknown: next is second") << "gone" << "Ctrl+]" << "group-1";
        QTest::newRow("unknown: previous is last") << "gone" << "Ctrl+[" << "group-3";
    }

    void calendarGroupKeysSelectAndWrap()
    {
        QFETCH(QString, start);
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        addGroups(3);
        QCOMPARE(state()->views()->getAll().first().id, QStringLiteral("all-calendars"));
        MainWindow window(state());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        state()->setActiveViewId(start);
        const QKeySequence sequence(keys);
        QTest::keySequence(&window, sequence);
        QCOMPARE(state()->activeViewId(), expected);
    }

    void densityEntrySpeaksForTheCurrentView()
    {
        state()->setDensity(QStringLiteral("week"), QStringLiteral("compact"));
        state()->setViewMode(QStringLiteral("week"));
        MainWindow window(state());
        QAction *density = findAction(window.menuBar(), "&Compact Density");
        QVERIFY(density->isChecked());
        state()->setViewMode(QStringLiteral("month"));
        QVERIFY(!density->isChecked());
        QCOMPARE(state()->preferences()->get(QStringLiteral("ui/density/month")), std::nullopt);
        density->trigger();
        QCOMPARE(state()->density(QStringLiteral("month")), QStringLiteral("compact"));
        QCOMPARE(state()->density(QStringLiteral("week")), QStringLiteral("compact"));
    }

    void mouseBackAndForwardStepTheHistory()
    {
        MainWindow window(state());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        state()->navigateTo(QStringLiteral("day"), QDate(2026, 3, 1));
        state()->navigateTo(QStringLiteral("month"), QDate(2026, 5, 1));
        const QPoint at = window.rect().center();
        QMouseEvent back(QEvent::MouseButtonPress, at, window.mapToGlobal(at), Qt::BackButton, Qt::BackButton,
                         Qt::NoModifier);
        QVERIFY(QCoreApplication::sendEvent(window.statusBar(), &back));
        QCOMPARE(state()->viewMode(), QStringLiteral("day"));
        QCOMPARE(state()->currentDate(), QDate(2026, 3, 1));
        QMouseEvent forward(QEvent::MouseButtonPress, at, window.mapToGlobal(at), Qt::ForwardButton,
                            Qt::ForwardButton, Qt::NoModifier);
        QVERIFY(QCoreApplication::sendEvent(window.statusBar(), &forward));
        QCOMPARE(state()->viewMode(), QStringLiteral("month"));
    }

    void windowAndPaneStateSurviveARestart()
    {
        // With both panes put away the window fits the small offscreen
        // screen with room to move the columns.
        QVERIFY(state()->preferences()->setBool(QStringLiteral("ui/tasksPaneVisible"), false));
        QVERIFY(state()->preferences()->setBool(QStringLiteral("ui/remindersPaneVisible"), false));
        QList<int> columns;
        {
            MainWindow window(state());
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QVERIFY(!window.rightSplitter()->isVisible());
            findAction(window.menuBar(), "Show &Empty Days in Agenda")->trigger();
            findAction(window.menuBar(), "Toggle &Sidebar")->trigger();
            QVERIFY(window.sidebar()->isHidden());
            findAction(window.menuBar(), "Toggle &Sidebar")->trigger();
            const QList<int> before = window.mainSplitter()->sizes();
            window.mainSplitter()->setSizes({before.at(0) - 40, before.at(1) + 40, before.at(2)});
            columns = window.mainSplitter()->sizes();
            QVERIFY2(columns != before, "the sidebar could not be narrowed");
            QVERIFY(window.close());
        }
        QVERIFY(!state()->preferences()->getString(QStringLiteral("ui/window/splitter")).isEmpty());
        {
            MainWindow next(state());
            QAction *emptyDays = findAction(next.menuBar(), "Show &Empty Days in Agenda");
            QVERIFY(!emptyDays->isChecked());
            QVERIFY(!next.sidebar()->agenda()->showEmptyDays());
            // The sidebar entry is not kept: every start shows the sidebar.
            QVERIFY(findAction(next.menuBar(), "Toggle &Sidebar")->isChecked());
            QVERIFY(!findAction(next.menuBar(), "Toggle &Tasks Pane")->isChecked());
            QVERIFY(!findAction(next.menuBar(), "Toggle &Reminders Pane")->isChecked());
            next.show();
            QVERIFY(QTest::qWaitForWindowExposed(&next));
            QVERIFY(next.sidebar()->isVisible());
            QVERIFY(!next.rightSplitter()->isVisible());
            QCOMPARE(next.mainSplitter()->sizes(), columns);
            // The agenda switching its own mode moves the entry along.
            next.sidebar()->agenda()->setMode(true);
            QVERIFY(emptyDays->isChecked());
            // Either pane brings the right column back.
            findAction(next.menuBar(), "Toggle &Reminders Pane")->trigger();
            QVERIFY(next.rightSplitter()->isVisible());
            QVERIFY(next.remindersPane()->isVisible());
            QVERIFY(!next.tasksPane()->isVisible());
            QVERIFY(next.close());
        }
        QCOMPARE(state()->preferences()->getBool(QStringLiteral("ui/remindersPaneVisible"), false), true);
        MainWindow third(state());
        third.show();
        QVERIFY(QTest::qWaitForWindowExposed(&third));
        QVERIFY(findAction(third.menuBar(), "Show &Empty Days in Agenda")->isChecked());
        QVERIFY(third.remindersPane()->isVisible());
        QVERIFY(!third.tasksPane()->isVisible());
        findAction(third.menuBar(), "Toggle &Reminders Pane")->trigger();
        QVERIFY(!third.rightSplitter()->isVisible());
    }

    // The start-up shows the frame and builds the contents a step per turn
    // of the event loop: the window keeps answering, and what it ends up
    // holding is what the window built at once holds.
    void contentsBuiltInStepsMatchTheWindowBuiltAtOnce()
    {
        QStringList atOnceMenus;
        QList<int> atOnceColumns;
        {
            MainWindow atOnce(state());
            atOnce.show();
            QVERIFY(QTest::qWaitForWindowExposed(&atOnce));
            for (const QAction *action : allActions(atOnce.menuBar()))
                atOnceMenus.append(action->text());
            atOnceColumns = atOnce.mainSplitter()->sizes();
        }

        MainWindow stepwise(state(), MainWindow::Contents::Later);
        QVERIFY(!stepwise.isBuilt());
        QCOMPARE(stepwise.centralWidget(), nullptr);
        stepwise.show();
        QVERIFY(QTest::qWaitForWindowExposed(&stepwise));
        QSignalSpy built(&stepwise, &MainWindow::built);
        int turnsWhileBuilding = 0;
        QTimer turn;
        turn.setInterval(0);
        connect(&turn, &QTimer::timeout, &stepwise, [&] {
            if (!stepwise.isBuilt())
                ++turnsWhileBuilding;
        });
        turn.start();
        stepwise.buildInSteps();
        QVERIFY(!stepwise.isBuilt());
        QVERIFY(built.wait(20000));
        QCOMPARE(built.count(), 1);
        QVERIFY2(turnsWhileBuilding >= 2, "the event loop ran between the steps");

        QStringList stepwiseMenus;
        for (const QAction *action : allActions(stepwise.menuBar()))
            stepwiseMenus.append(action->text());
        QCOMPARE(stepwiseMenus, atOnceMenus);
        QCOMPARE(stepwise.centralWidget(), stepwise.mainSplitter());
        QCOMPARE(stepwise.mainSplitter()->indexOf(stepwise.sidebar()), 0);
        QCOMPARE(stepwise.mainSplitter()->indexOf(stepwise.centralStack()), 1);
        QCOMPARE(stepwise.mainSplitter()->indexOf(stepwise.rightSplitter()), 2);
        QVERIFY(stepwise.viewArea()->isVisible());
        QVERIFY(stepwise.sidebar()->isVisible());
        QVERIFY(stepwise.statusPills() != nullptr);
        QCOMPARE(stepwise.mainSplitter()->sizes(), atOnceColumns);
        // Building again changes nothing.
        stepwise.build();
        QCOMPARE(built.count(), 1);
        QCOMPARE(allActions(stepwise.menuBar()).size(), atOnceMenus.size());
    }

    // Closed while its contents are being built (a quit in the first
    // moments of a start), the window keeps the column layout the user left
    // last time.
    void windowClosedWhileBuildingKeepsTheStoredLayout()
    {
        {
            MainWindow first(state());
            first.show();
            QVERIFY(QTest::qWaitForWindowExposed(&first));
            const QList<int> sizes = first.mainSplitter()->sizes();
            first.mainSplitter()->setSizes({sizes.at(0) - 40, sizes.at(1) + 40, sizes.at(2)});
            QVERIFY(first.close());
        }
        PreferencesRepository *preferences = state()->preferences();
        const QString columns = preferences->getString(QStringLiteral("ui/window/splitter"));
        QVERIFY(!columns.isEmpty());
        QVERIFY(preferences->set(QStringLiteral("ui/window/geometry"), QString()));

        MainWindow window(state(), MainWindow::Contents::Later);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        bool closedMidway = false;
        QTimer turn;
        turn.setInterval(0);
        connect(&turn, &QTimer::timeout, &window, [&] {
            if (!closedMidway && window.mainSplitter() && !window.isBuilt()) {
                closedMidway = true;
                window.close();
            }
        });
        turn.start();
        QSignalSpy built(&window, &MainWindow::built);
        window.buildInSteps();
        QVERIFY(built.wait(20000));
        QVERIFY(closedMidway);
        QCOMPARE(preferences->getString(QStringLiteral("ui/window/splitter")), columns);
        // Where the window was is still worth keeping.
        QVERIFY(!preferences->getString(QStringLiteral("ui/window/geometry")).isEmpty());
    }

    void storedWindowStateThatIsNotBase64IsIgnored()
    {
        for (const char *key : {"ui/window/geometry", "ui/window/state", "ui/window/splitter"})
            QVERIFY(state()->preferences()->set(QString::fromLatin1(key), QStringLiteral("%%% not base64 %%%")));
        MainWindow window(state());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QList<int> sizes = window.mainSplitter()->sizes();
        QCOMPARE(sizes.size(), 3);
        for (int size : sizes)
            QVERIFY2(size > 0, "every column keeps a width");
    }

    void weekHeaderLiesOverItsColumns_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("1024") << 1024;
        QTest::newRow("1440, the default") << 1440;
        QTest::newRow("1600") << 1600;
    }

    // The day labels sit over the timeline's columns, and the usual window
    // sizes need no sideways scrolling.
    void weekHeaderLiesOverItsColumns()
    {
        QFETCH(int, width);
        state()->setViewMode(QStringLiteral("week"));
        MainWindow window(state());
        window.resize(width, 900);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        WeekView *week = nullptr;
        for (WeekView *view : window.findChildren<WeekView *>()) {
            if (view->isVisible())
                week = view;
        }
        QVERIFY(week);
        QTRY_VERIFY(!week->isLoading());
        QCOMPARE(window.width(), width);
        const WeekTimelineWidget *timeline = week->timeline();
        const int column = timeline->columnWidth();
        QList<int> labelCentres;
        QList<int> columnCentres;
        for (int i = 0; i < week->headerLabels().size(); ++i) {
            const QLabel *label = week->headerLabels().at(i);
            labelCentres << label->mapTo(week, QPoint(label->width() / 2, 0)).x();
            columnCentres << timeline->mapTo(week, QPoint(64 + i * column + column / 2, 0)).x();
        }
        QCOMPARE(labelCentres, columnCentres);
        QVERIFY(!week->sidewaysScrollArea()->horizontalScrollBar()->isVisible());
    }

    void viewPagesFitBesideTheSidePanes_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("group");
        // The title expected, and whether it is shortened to fit (none: not
        // looked at).
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("shortened");
        const QString today = QStringLiteral("Today · Tuesday, March 10, 2026");
        QTest::newRow("month at 1024") << "month" << 1024 << 640 << QString() << QString() << false;
        QTest::newRow("month at 1440") << "month" << 1440 << 640 << QString() << QString() << false;
        QTest::newRow("days at 1024") << "days" << 1024 << 640 << QString() << QString() << false;
        QTest::newRow("days at 1440") << "days" << 1440 << 640 << QString() << QString() << false;
        QTest::newRow("days at 1024, a long group name")
            << "days" << 1024 << 640 << "Family, friends and the football club" << QString() << false;
        QTest::newRow("week at 1024") << "week" << 1024 << 640 << QString() << "Mar 9 – 15, 2026" << true;
        // The window's size on a 1024 × 700 and a 1366 × 768 screen, and
        // maximised there.
        QTest::newRow("year at 1024") << "year" << 1024 << 640 << QString() << QString() << false;
        QTest::newRow("year at 1024, maximised") << "year" << 1024 << 700 << QString() << QString() << false;
        QTest::newRow("year at 1366") << "year" << 1366 << 708 << QString() << QString() << false;
        QTest::newRow("year at 1366, maximised") << "year" << 1366 << 768 << QString() << QString() << false;
        QTest::newRow("day at 1024") << "day" << 1024 << 640 << QString() << today << true;
        QTest::newRow("day at 1024, maximised") << "day" << 1024 << 700 << QString() << today << true;
        QTest::newRow("day at 1366") << "day" << 1366 << 708 << QString() << today << false;
    }

    // Every day number of the year's months fits its cell in the font it is
    // painted in, apart from the next, inside the middle column.
    static void checkYearDaysReadable(const MainWindow &window, const QRect &middle)
    {
        YearGridWidget *grid = window.viewArea()->findChild<YearGridWidget *>();
        QTRY_VERIFY(grid->isVisible() && grid->year() > 0);
        grid->grab();
        QCOMPARE(grid->hitRects().size(), 12 * 42);
        const QFontMetrics metrics(grid->dayFont());
        // Neighbours a digit apart read as two numbers, not as one.
        const int gap = metrics.horizontalAdvance(QLatin1Char('0'));
        for (const YearGridWidget::DayHit &hit : grid->hitRects()) {
            const int text = metrics.horizontalAdvance(QString::number(hit.date.day()));
            const QRect cell(grid->mapTo(&window, hit.rect.topLeft()), hit.rect.size());
            QVERIFY2(text + gap <= cell.width() && metrics.height() <= cell.height()
                         && cell.left() >= middle.left() && cell.right() <= middle.right(),
                     qPrintable(QStringLiteral("%1: %2 px of text in a %3 × %4 cell at x %5")
                                    .arg(hit.date.toString(Qt::ISODate))
                                    .arg(text)
                                    .arg(cell.width())
                                    .arg(cell.height())
                                    .arg(cell.left())));
        }
    }

    // All seven days of the month and every day of the year lie readable
    // inside the middle column, the sidebar keeps room for the mini month's
    // days, and the mode buttons neither move nor change size when the mode
    // changes: a long title is shortened, with its whole text in its tooltip.
    void viewPagesFitBesideTheSidePanes()
    {
        QFETCH(QString, mode);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QString, group);
        QFETCH(QString, title);
        QFETCH(bool, shortened);
        if (!group.isEmpty()) {
            CalendarView view;
            view.id = QStringLiteral("long");
            view.name = group;
            QVERIFY(state()->views()->insert(view));
            state()->setActiveViewId(view.id);
        }
        state()->setViewMode(QStringLiteral("year"));
        state()->setCurrentDate(m_fixture->now().date());
        MainWindow window(state());
        window.viewArea()->setClock(m_fixture->clock());
        window.resize(width, height);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto buttonPlaces = [&window] {
            QList<QRect> places;
            for (const char *key : {"day", "days", "week", "grid", "month", "year"}) {
                const auto *button = window.viewArea()->findChild<QToolButton *>(QStringLiteral("mode_") + key);
                places << QRect(button->mapTo(&window, QPoint(0, 0)), button->size());
            }
            return places;
        };
        // Painted as the user sees it: a new title lays the header out again,
        // and its height reaches the columns through the events that follow.
        const auto settle = [&window] {
            window.grab();
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        };
        settle();
        // The year's short title leaves the buttons where they belong.
        const QList<QRect> inYear = buttonPlaces();
        window.viewArea()->setViewMode(mode);
        // The columns settle on a later turn.
        QTRY_VERIFY(window.viewArea()->width() >= window.viewArea()->minimumSizeHint().width());
        settle();
        QCOMPARE(window.width(), width);
        const QRect middle(window.centralStack()->mapTo(&window, QPoint(0, 0)), window.centralStack()->size());
        if (mode == QLatin1String("month")) {
            const MonthGridWidget *grid = window.viewArea()->findChild<MonthGridWidget *>();
            QTRY_VERIFY(grid->isVisible());
            const QRect days(grid->mapTo(&window, QPoint(0, 0)), grid->size());
            QVERIFY2(middle.contains(days), qPrintable(QStringLiteral("%1 px of days in a %2 px column")
                                                           .arg(days.width()).arg(middle.width())));
        }
        if (mode == QLatin1String("year")) {
            checkYearDaysReadable(window, middle);
            if (QTest::currentTestFailed())
                return;
        }
        if (!title.isEmpty()) {
            const auto *label = window.viewArea()->findChild<QLabel *>(QStringLiteral("viewTitle"));
            QCOMPARE(window.viewArea()->title(), title);
            QCOMPARE(label->text() != title, shortened);
            QCOMPARE(label->toolTip(), shortened ? title : QString());
            QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
        }
        QVERIFY2(window.sidebar()->miniMonth()->width() >= 7 * 28 + 8,
                 qPrintable(QString::number(window.sidebar()->miniMonth()->width())));
        QCOMPARE(buttonPlaces(), inYear);
    }

    void focusOnEventOpensTheOccurrenceCard()
    {
        Event series = WidgetFixture::timedEvent(QStringLiteral("Stand-up"), QDateTime(QDate(2026, 3, 2), QTime(9, 0)),
                                                 QDateTime(QDate(2026, 3, 2), QTime(9, 45)));
        series.recurrence_rule = QStringLiteral("FREQ=DAILY;COUNT=10");
        series = m_fixture->addEvent(series);
        const Task task = m_fixture->addTask(QStringLiteral("Write minutes"));

        MainWindow window(state());
        window.focusOnTask(task.uid);
        QVERIFY(TaskDetailsPopover::current());
        window.focusOnEvent(series.id, QDate(2026, 3, 5));
        QVERIFY(window.isVisible());
        QCOMPARE(state()->currentDate(), QDate(2026, 3, 5));
        QCOMPARE(state()->selectedEventId(), series.id);
        // The event card replaces the task card.
        QTRY_VERIFY(!TaskDetailsPopover::current());
        EventDetailsPopover *card = EventDetailsPopover::current();
        QVERIFY(card);
        QVERIFY(card->isVisible());
        Event expected = series;
        expected.start_time = QDateTime(QDate(2026, 3, 5), QTime(9, 0));
        expected.end_time = QDateTime(QDate(2026, 3, 5), QTime(9, 45));
        QCOMPARE(card->event(), expected);

        // Without a date the master itself is shown.
        window.focusOnEvent(series.id, QDate());
        QCOMPARE(EventDetailsPopover::current()->event(), series);
    }

    void focusOnUnknownItemsOpensNoCard()
    {
        MainWindow window(state());
        window.focusOnTask(QString());
        QVERIFY(!window.isVisible());
        window.focusOnTask(QStringLiteral("no-such-task"));
        QVERIFY(window.isVisible());
        QVERIFY(!TaskDetailsPopover::current());
        window.hide();
        window.focusOnEvent(QStringLiteral("no-such-event"), QDate(2026, 4, 1));
        QVERIFY(window.isVisible());
        QVERIFY(!EventDetailsPopover::current());
        QCOMPARE(state()->selectedEventId(), QStringLiteral("no-such-event"));

        // A deleted task is not shown either.
        const Task task = m_fixture->addTask(QStringLiteral("Gone"));
        QVERIFY(state()->tasks()->remove(task.id));
        window.focusOnTask(task.uid);
        QVERIFY(!TaskDetailsPopover::current());
    }

    void closeHidesToARealTrayAndTellsOnce()
    {
        qApp->setQuitOnLastWindowClosed(false);
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::blue);
        QSystemTrayIcon tray{QIcon(pixmap)};
        tray.show();
        int trayQuestions = 0;
        for (int round = 1; round <= 2; ++round) {
            MainWindow window(state());
            window.setTrayIcon(&tray);
            window.setTrayAvailableCheck([&trayQuestions] {
                ++trayQuestions;
                return true;
            });
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QVERIFY(!window.close());
            QVERIFY(!window.isVisible());
            QVERIFY(!window.isQuitting());
            QVERIFY(state()->preferences()->getBool(QStringLiteral("ui/closeToTrayBalloonShown"), false));
        }
        QCOMPARE(trayQuestions, 2);
        // Turned off, closing closes for real.
        QVERIFY(state()->preferences()->setBool(QStringLiteral("ui/closeToTray"), false));
        MainWindow window(state());
        window.setTrayIcon(&tray);
        window.setTrayAvailableCheck([] { return true; });
        window.show();
        QVERIFY(window.close());
        QVERIFY(window.isQuitting());
    }
};

QTEST_MAIN(TestMainWindowShell)
#include "tst_mainwindowshell.moc"
