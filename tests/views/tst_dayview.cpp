#include "app/activeviewcalendars.h"
#include "app/appstate.h"
#include "store/calendarrepository.h"
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
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

#include <memory>

namespace {

const QDate Day(2026, 3, 10);

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
    void reloadFollowsTheStoreTheWorkdayAndTheGroup();
    void firstShowScrollsToTheWorkingDay_data();
    void firstShowScrollsToTheWorkingDay();
    void controlWheelZoomsWithinBounds();
    void timelineFollowsTheSharedSelectionAndDensity();
    void selectingAnOccurrenceShowsItsTimes();
    void nextDayPartOfAnOvernightSeriesOpensItsOccurrence();
    void clickAfterNewEventsHitsOnlyTheNewBlocks();
    void emptySlotOpensTheFormOnlyWithCalendars();

private:
    Event add(const char *title, int dayOffset, const QTime &start, const QTime &end, const QString &rule = {});
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

Event TestDayView::add(const char *title, int dayOffset, const QTime &start, const QTime &end, const QString &rule)
{
    Event event = WidgetFixture::timedEvent(QString::fromLatin1(title), QDateTime(Day.addDays(dayOffset), start),
                                            QDateTime(Day.addDays(dayOffset), end));
    event.recurrence_rule = rule;
    // Repeats at the same local time across a change of daylight saving.
    event.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    return m_fixture->addEvent(event);
}

DayView *TestDayView::view()
{
    m_view = std::make_unique<DayView>(m_fixture->state());
    m_view->setClock(m_fixture->clock());
    m_view->setDate(Day);
    // The day is read off the GUI thread and fills in a moment later.
    if (!QTest::qWaitFor([this] { return !m_view->isLoading(); }, 20000))
        qWarning("the day did not load");
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
    QTest::newRow("stored list as is") << "group" << "[\"work\",\"hidden\"]" << QStringList{"work", "hidden"};
    QTest::newRow("non-string element: empty id") << "group" << "[7]" << QStringList{""};
    QTest::newRow("unknown group: nothing") << "missing" << "[]" << QStringList();
}

void TestDayView::activeGroupDecidesTheCalendars()
{
    QFETCH(QString, activeGroup);
    QFETCH(QString, calendarIds);
    QFETCH(QStringList, expected);
    m_fixture->addCalendar(QStringLiteral("work"), QStringLiteral("Work"));
    m_fixture->addCalendar(QStringLiteral("hidden"), QStringLiteral("Hidden"), QStringLiteral("#aa0000"), false);
    CalendarView group;
    group.id = group.name = QStringLiteral("group");
    group.calendar_ids = calendarIds;
    QVERIFY(m_fixture->state()->views()->insert(group));
    m_fixture->state()->setActiveViewId(activeGroup);
    QStringList ids = activeViewCalendarIds(m_fixture->state());
    ids.sort();
    expected.sort();
    QCOMPARE(ids, expected);
}

void TestDayView::dayLoadsOccurrencesAndAppliesFilters()
{
    add("Dentist", 0, QTime(9, 0), QTime(10, 0));
    add("Tomorrow", 1, QTime(9, 0), QTime(10, 0));
    add("Weekly", -14, QTime(11, 0), QTime(11, 30), QStringLiteral("FREQ=WEEKLY"));
    add("Gym", 0, QTime(18, 0), QTime(19, 0));
    m_fixture->addEvent(WidgetFixture::allDayEvent(QStringLiteral("Holiday"), Day, Day.addDays(1)));
    FilterRule hide;
    hide.id = hide.name = QStringLiteral("no-gym");
    hide.type = QStringLiteral("pattern");
    hide.conditions = QStringLiteral("{\"runtimeType\":\"pattern\",\"titleContains\":[\"gym\"]}");
    QVERIFY(m_fixture->state()->filterRules()->insert(hide));

    const ViewRangeData data =
        ViewRange::load(m_fixture->state(), QDateTime(Day, QTime(0, 0)), QDateTime(Day.addDays(1), QTime(0, 0)));
    QStringList shown;
    for (const Event &event : data.events)
        shown << event.title + QLatin1Char(' ') + event.start_time.toLocalTime().toString("HH:mm");
    shown.sort();
    QCOMPARE(shown, QStringList({"Dentist 09:00", "Holiday 00:00", "Weekly 11:00"}));
    QCOMPARE(data.hiddenCount, 1);
    QCOMPARE(data.calendarColors.value(QString::fromLatin1(AppState::LocalCalendarId)), QStringLiteral("#4285F4"));
}

void TestDayView::reloadFollowsTheStoreTheWorkdayAndTheGroup()
{
    DayView *v = view();
    add("Added", 0, QTime(9, 0), QTime(10, 0));
    m_fixture->addEvent(WidgetFixture::allDayEvent(QStringLiteral("Holiday"), Day, Day.addDays(1)));
    QVERIFY(m_fixture->state()->preferences()->setInt(QStringLiteral("ui/workdayStart"), 6));
    QVERIFY(m_fixture->waitForEventsChanged());
    QTRY_VERIFY(!v->isLoading());
    v->timeline()->grab();
    QCOMPARE(v->timeline()->hitRects().size(), 1);
    QCOMPARE(v->allDayStrip()->laneCount(), 1);
    QCOMPARE(v->timeline()->workdayStartHour(), 6);
    // A group that names no stored group shows an empty day.
    m_fixture->state()->setActiveViewId(QStringLiteral("no-such-group"));
    QTRY_VERIFY(!v->isLoading());
    v->timeline()->grab();
    QVERIFY(v->timeline()->hitRects().isEmpty());
    QCOMPARE(v->allDayStrip()->laneCount(), 0);
}

void TestDayView::firstShowScrollsToTheWorkingDay_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<int>("dayOffset");
    QTest::addColumn<int>("hour"); // -1: the current time a third of the way down
    QTest::newRow("before work") << QTime(7, 0) << 0 << -1;
    QTest::newRow("during work") << QTime(10, 0) << 0 << 8;
    QTest::newRow("another day") << QTime(7, 0) << 1 << 8;
}

void TestDayView::firstShowScrollsToTheWorkingDay()
{
    QFETCH(QTime, now);
    QFETCH(int, dayOffset);
    QFETCH(int, hour);
    m_fixture->setNow(QDateTime(Day, now));
    DayView *v = view();
    v->setDate(Day.addDays(dayOffset));
    v->resize(900, 600);
    v->show();
    QTRY_VERIFY(!v->isFirstShowPending());
    const int value = v->scrollArea()->verticalScrollBar()->value();
    if (hour >= 0)
        QCOMPARE(value, hour * 56);
    else // the viewport's first height counts, which the layout may still settle by a few pixels
        QVERIFY(qAbs(7 * 56 - value - v->scrollArea()->viewport()->height() / 3) <= 5);
}

void TestDayView::controlWheelZoomsWithinBounds()
{
    DayView *v = view();
    QList<int> heights;
    for (int notches : {3, -5, -1, 30}) {
        Q_EMIT v->timeline()->zoomRequested(notches);
        heights << v->timeline()->hourHeight();
    }
    QCOMPARE(heights, QList<int>({80, 56, 56, 200}));
}

void TestDayView::timelineFollowsTheSharedSelectionAndDensity()
{
    const Event dentist = add("Dentist", 0, QTime(9, 0), QTime(10, 0));
    AppState *state = m_fixture->state();
    state->setSelectedEventId(dentist.id);
    state->setDensity(QStringLiteral("day"), QStringLiteral("compact"));
    DayView *v = view();
    QCOMPARE(v->timeline()->selectedEventId(), dentist.id);
    QVERIFY(v->timeline()->isCompact());
    // Another view's density is not the day's; Tab moves the shared selection.
    state->setDensity(QStringLiteral("week"), QStringLiteral("comfortable"));
    QVERIFY(v->timeline()->isCompact());
    state->setDensity(QStringLiteral("day"), QStringLiteral("comfortable"));
    QVERIFY(!v->timeline()->isCompact());
    state->setSelectedEventId(QString());
    QCOMPARE(v->timeline()->selectedEventId(), QString());
    QTest::keyClick(v->timeline(), Qt::Key_Tab);
    QCOMPARE(state->selectedEventId(), dentist.id);
    QCOMPARE(v->timeline()->selectedEventId(), dentist.id);
}

void TestDayView::selectingAnOccurrenceShowsItsTimes()
{
    const Event weekly = add("Weekly", -14, QTime(11, 0), QTime(11, 30), QStringLiteral("FREQ=WEEKLY"));
    DayView *v = view();
    v->show();
    const QDateTime occurrence(Day, QTime(11, 0));
    v->onEventSelected(weekly.id, occurrence, QRect(v->mapToGlobal(QPoint(100, 100)), QSize(200, 40)));
    QCOMPARE(m_fixture->state()->selectedEventId(), weekly.id);
    QVERIFY(EventDetailsPopover::current()->isVisible());
    QCOMPARE(EventDetailsPopover::current()->event().start_time, occurrence);
    QCOMPARE(*EventDetailsPopover::current()->event().end_time, occurrence.addSecs(1800));
    // From the all-day strip there is no occurrence: the stored times show.
    v->onEventSelected(weekly.id, QDateTime(), QRect());
    QCOMPARE(EventDetailsPopover::current()->event().start_time, weekly.start_time);
    v->onEventSelected(QString(), QDateTime(), QRect());
    QVERIFY(m_fixture->state()->selectedEventId().isEmpty());
}

// The block from midnight belongs to the occurrence that began the evening
// before: the card shows that occurrence, not the clipped block's times.
void TestDayView::nextDayPartOfAnOvernightSeriesOpensItsOccurrence()
{
    Event nightly = WidgetFixture::timedEvent(QStringLiteral("Night shift"), QDateTime(Day.addDays(-2), QTime(22, 0)),
                                              QDateTime(Day.addDays(-1), QTime(2, 0)));
    nightly.recurrence_rule = QStringLiteral("FREQ=DAILY");
    nightly.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    nightly = m_fixture->addEvent(nightly);
    DayTimelineWidget *t = view()->timeline();
    t->grab();
    QTest::mouseClick(t, Qt::LeftButton, {}, QPoint(t->width() / 2, t->timeToY(QTime(1, 0))));
    Event expected = nightly;
    expected.start_time = QDateTime(Day.addDays(-1), QTime(22, 0));
    expected.end_time = QDateTime(Day, QTime(2, 0));
    QVERIFY(EventDetailsPopover::current());
    QCOMPARE(EventDetailsPopover::current()->event(), expected);
}

// New events replace the blocks at once: a click before the next paint
// hits what is shown now, never a block of the last paint.
void TestDayView::clickAfterNewEventsHitsOnlyTheNewBlocks()
{
    const auto hour = [](const char *id, int from) {
        Event event = WidgetFixture::timedEvent(QString::fromLatin1(id), QDateTime(Day, QTime(from, 0)),
                                                QDateTime(Day, QTime(from + 1, 0)));
        event.id = event.title;
        return event;
    };
    DayTimelineWidget *t = view()->timeline();
    t->setEvents({hour("early", 9)}, {}, {}, {});
    t->grab();
    const QPoint early(t->width() / 2, t->timeToY(QTime(9, 30)));
    t->setEvents({hour("late", 14)}, {}, {}, {});
    QSignalSpy selected(t, &DayTimelineWidget::eventSelected);
    QTest::mouseClick(t, Qt::LeftButton, {}, early);
    QTest::mouseClick(t, Qt::LeftButton, {}, QPoint(early.x(), t->timeToY(QTime(14, 30))));
    QCOMPARE(selected.size(), 2);
    QCOMPARE(QVariantList({selected.at(0).at(0), selected.at(1).at(0), selected.at(1).at(1)}),
             QVariantList({QString(), QStringLiteral("late"), QDateTime(Day, QTime(14, 0))}));
}

void TestDayView::emptySlotOpensTheFormOnlyWithCalendars()
{
    DayView *v = view();
    ModalAnswerer answerer;
    answerer.pressButton(QMessageBox::Cancel);
    v->onEmptySlotActivated(QTime(9, 0));
    QVERIFY(answerer.seen().first().startsWith(QStringLiteral("EventFormDialog")));
    QVERIFY(m_fixture->state()->calendars()->remove(AppState::LocalCalendarId));
    v->onEmptySlotActivated(QTime(9, 0));
    QCOMPARE(answerer.seen().size(), 1);
}

QTEST_MAIN(TestDayView)
#include "tst_dayview.moc"
