#include "app/appstate.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/filterrulerepository.h"
#include "store/preferencesrepository.h"
#include "store/viewrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"
#include "ui/popovers/eventdetailspopover.h"
#include "views/common/alldaystrip.h"
#include "views/common/viewrange.h"
#include "views/day/daytimelinewidget.h"
#include "views/day/dayview.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimeZone>

#include <memory>

namespace {

const QDate Day(2026, 3, 10);

QStringList titles(const QList<Event> &events)
{
    QStringList out;
    for (const Event &event : events)
        out << event.title;
    out.sort();
    return out;
}

} // namespace

class TestDayView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void activeGroupDecidesTheCalendars_data();
    void activeGroupDecidesTheCalendars();
    void dayLoadsOccurrencesAndAppliesFilters();
    void reloadFollowsTheStoreAndTheWorkday();
    void firstShowScrollsToTheWorkingDay_data();
    void firstShowScrollsToTheWorkingDay();
    void controlWheelZoomsWithinBounds();
    void selectingAnOccurrenceShowsItsTimes();
    void emptySlotWithoutCalendarsOpensNothing();

private:
    DayView *view();

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<DayView> m_view;
};

void TestDayView::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
}

void TestDayView::cleanup()
{
    EventDetailsPopover::closeCurrent();
    m_view.reset();
    m_fixture.reset();
}

DayView *TestDayView::view()
{
    m_view = std::make_unique<DayView>(m_fixture->state());
    m_view->setClock(m_fixture->clock());
    m_view->setDate(Day);
    m_view->reload();
    return m_view.get();
}

void TestDayView::activeGroupDecidesTheCalendars_data()
{
    QTest::addColumn<QString>("activeGroup");
    QTest::addColumn<QString>("calendarIds");
    QTest::addColumn<QStringList>("expected");
    const QString local = QString::fromLatin1(AppState::LocalCalendarId);
    QTest::newRow("empty list: visible calendars") << "group" << "[]" << QStringList{local, "work"};
    QTest::newRow("not an array: visible calendars") << "group" << "{\"a\":1}" << QStringList{local, "work"};
    QTest::newRow("stored list as is, hidden included") << "group" << "[\"hidden\",\"work\"]"
                                                       << QStringList{"hidden", "work"};
    QTest::newRow("non-string element gives an empty id") << "group" << "[7]" << QStringList{""};
    QTest::newRow("unknown group: nothing") << "missing" << "[]" << QStringList();
}

void TestDayView::activeGroupDecidesTheCalendars()
{
    QFETCH(QString, activeGroup);
    QFETCH(QString, calendarIds);
    QFETCH(QStringList, expected);
    AppState *state = m_fixture->state();
    m_fixture->addCalendar(QStringLiteral("work"), QStringLiteral("Work"));
    m_fixture->addCalendar(QStringLiteral("hidden"), QStringLiteral("Hidden"), QStringLiteral("#aa0000"), false);
    CalendarView group;
    group.id = QStringLiteral("group");
    group.name = QStringLiteral("Group");
    group.calendar_ids = calendarIds;
    QVERIFY(state->views()->insert(group));
    state->setActiveViewId(activeGroup);
    QStringList ids = ViewRange::activeViewCalendarIds(state);
    ids.sort();
    expected.sort();
    QCOMPARE(ids, expected);
}

void TestDayView::dayLoadsOccurrencesAndAppliesFilters()
{
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Dentist"), QDateTime(Day, QTime(9, 0)),
                                                  QDateTime(Day, QTime(10, 0))));
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Tomorrow"), QDateTime(Day.addDays(1), QTime(9, 0)),
                                                  QDateTime(Day.addDays(1), QTime(10, 0))));
    Event weekly = WidgetFixture::timedEvent(QStringLiteral("Weekly sync"), QDateTime(Day.addDays(-14), QTime(11, 0)),
                                             QDateTime(Day.addDays(-14), QTime(11, 30)));
    weekly.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    // Weekly at 11:00 on the local clock, across a change of daylight saving.
    weekly.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    m_fixture->addEvent(weekly);
    m_fixture->addEvent(WidgetFixture::allDayEvent(QStringLiteral("Holiday"), Day, Day.addDays(1)));
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Gym secret"), QDateTime(Day, QTime(18, 0)),
                                                  QDateTime(Day, QTime(19, 0))));
    FilterRule hide;
    hide.id = QStringLiteral("hide-gym");
    hide.name = QStringLiteral("No gym");
    hide.type = QStringLiteral("pattern");
    hide.conditions = QStringLiteral("{\"runtimeType\":\"pattern\",\"titleContains\":[\"gym\"]}");
    QVERIFY(m_fixture->state()->filterRules()->insert(hide));

    const ViewRangeData data =
        ViewRange::load(m_fixture->state(), QDateTime(Day, QTime(0, 0)), QDateTime(Day.addDays(1), QTime(0, 0)));
    QCOMPARE(titles(data.events), QStringList({"Dentist", "Holiday", "Weekly sync"}));
    QCOMPARE(data.hiddenCount, 1);
    const auto weeklyShown = std::find_if(data.events.cbegin(), data.events.cend(),
                                          [](const Event &e) { return e.title == QLatin1String("Weekly sync"); });
    QCOMPARE(weeklyShown->start_time, QDateTime(Day, QTime(11, 0)));
    QCOMPARE(data.calendarColors.value(QString::fromLatin1(AppState::LocalCalendarId)),
             m_fixture->state()->calendars()->getById(AppState::LocalCalendarId)->color);
}

void TestDayView::reloadFollowsTheStoreAndTheWorkday()
{
    DayView *v = view();
    v->resize(900, 700);
    QVERIFY(v->timeline()->hitRects().isEmpty());
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Added"), QDateTime(Day, QTime(9, 0)),
                                                  QDateTime(Day, QTime(10, 0))));
    m_fixture->addEvent(WidgetFixture::allDayEvent(QStringLiteral("Holiday"), Day, Day.addDays(1)));
    QVERIFY(m_fixture->waitForEventsChanged());
    v->timeline()->grab();
    QCOMPARE(v->timeline()->hitRects().size(), 1);
    QCOMPARE(v->allDayStrip()->laneCount(), 1);

    m_fixture->state()->preferences()->setInt(QStringLiteral("ui/workdayStart"), 6);
    v->reload();
    QCOMPARE(v->timeline()->workdayStartHour(), 6);

    // A group that names no stored calendar group shows an empty day.
    m_fixture->state()->setActiveViewId(QStringLiteral("no-such-group"));
    v->timeline()->grab();
    QVERIFY(v->timeline()->hitRects().isEmpty());
    QCOMPARE(v->allDayStrip()->laneCount(), 0);
}

void TestDayView::firstShowScrollsToTheWorkingDay_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<int>("dayOffset");
    QTest::addColumn<int>("expectedHourY");
    // Expected: the y of this hour, or -1 for "now, a third down".
    QTest::newRow("before work: now a third down") << QTime(7, 0) << 0 << -1;
    QTest::newRow("during work: start of the day") << QTime(10, 0) << 0 << 8;
    QTest::newRow("another day: start of the day") << QTime(7, 0) << 1 << 8;
}

void TestDayView::firstShowScrollsToTheWorkingDay()
{
    QFETCH(QTime, now);
    QFETCH(int, dayOffset);
    QFETCH(int, expectedHourY);
    m_fixture->setNow(QDateTime(Day, now));
    m_view = std::make_unique<DayView>(m_fixture->state());
    m_view->setClock(m_fixture->clock());
    m_view->setDate(Day.addDays(dayOffset));
    QVERIFY(m_view->isFirstShowPending());
    m_view->resize(900, 600);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    QTRY_VERIFY(!m_view->isFirstShowPending());
    const int value = m_view->scrollArea()->verticalScrollBar()->value();
    if (expectedHourY >= 0) {
        QCOMPARE(value, expectedHourY * 56);
    } else {
        // The viewport's first height counts, which the layout may still
        // settle by a few pixels.
        const int viewport = m_view->scrollArea()->viewport()->height();
        QVERIFY2(qAbs(7 * 56 - value - viewport / 3) <= 5, qPrintable(QString::number(value)));
    }
}

void TestDayView::controlWheelZoomsWithinBounds()
{
    DayView *v = view();
    AppState *state = m_fixture->state();
    QCOMPARE(state->hourHeight(), 56);
    Q_EMIT v->timeline()->zoomRequested(3);
    QCOMPARE(state->hourHeight(), 80);
    QCOMPARE(v->timeline()->hourHeight(), 80);
    Q_EMIT v->timeline()->zoomRequested(-5);
    QCOMPARE(state->hourHeight(), 56);
    Q_EMIT v->timeline()->zoomRequested(-1);
    QCOMPARE(state->hourHeight(), 56);
    Q_EMIT v->timeline()->zoomRequested(30);
    QCOMPARE(state->hourHeight(), 200);
}

void TestDayView::selectingAnOccurrenceShowsItsTimes()
{
    Event weekly = WidgetFixture::timedEvent(QStringLiteral("Weekly sync"), QDateTime(Day.addDays(-14), QTime(11, 0)),
                                             QDateTime(Day.addDays(-14), QTime(11, 30)));
    weekly.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    weekly = m_fixture->addEvent(weekly);
    DayView *v = view();
    v->resize(900, 700);
    v->show();
    QVERIFY(QTest::qWaitForWindowExposed(v));

    const QDateTime occurrence(Day, QTime(11, 0));
    v->onEventSelected(weekly.id, occurrence, QRect(v->mapToGlobal(QPoint(100, 100)), QSize(200, 40)));
    QCOMPARE(m_fixture->state()->selectedEventId(), weekly.id);
    QVERIFY(EventDetailsPopover::current());
    QCOMPARE(EventDetailsPopover::current()->event().start_time, occurrence);
    QCOMPARE(*EventDetailsPopover::current()->event().end_time, occurrence.addSecs(1800));
    QVERIFY(EventDetailsPopover::current()->isVisible());

    // From the all-day strip there is no occurrence: the stored times show.
    v->onEventSelected(weekly.id, QDateTime(), QRect());
    QCOMPARE(EventDetailsPopover::current()->event().start_time, weekly.start_time);

    v->onEventSelected(QString(), QDateTime(), QRect());
    QVERIFY(m_fixture->state()->selectedEventId().isEmpty());
}

void TestDayView::emptySlotWithoutCalendarsOpensNothing()
{
    DayView *v = view();
    ModalAnswerer answerer;
    answerer.rejectDialog();
    v->onEmptySlotActivated(QTime(9, 0));
    QTRY_COMPARE(answerer.pending(), 0);
    QCOMPARE(answerer.seen().first().section(QLatin1Char(' '), 0, 0), QStringLiteral("EventFormDialog"));

    QVERIFY(m_fixture->state()->calendars()->remove(AppState::LocalCalendarId));
    v->onEmptySlotActivated(QTime(9, 0));
    QCOMPARE(answerer.seen().size(), 1);
}

QTEST_MAIN(TestDayView)
#include "tst_dayview.moc"
