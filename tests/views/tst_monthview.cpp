#include "app/appstate.h"
#include "store/filterrulerepository.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "tests/support/widgetfixture.h"
#include "ui/popovers/eventdetailspopover.h"
#include "views/month/monthgridwidget.h"
#include "views/month/monthview.h"

#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// March 2026 starts on a Sunday.
const QDate March(2026, 3, 10);

} // namespace

class TestMonthView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void gridShowsFortyTwoDaysFromTheWeekStart_data();
    void gridShowsFortyTwoDaysFromTheWeekStart();
    void cellsListEventsOnTheirStartDayWithOverflow_data();
    void cellsListEventsOnTheirStartDayWithOverflow();
    void allDayEventsStayOnTheirStoredDate();
    void cellLinesReadInOrderOfTime();
    void hiddenEventsGoAndDimmedStay();
    void clickOnEmptyClearsTheSelection();
    void taskDroppedOnACellIsScheduledThatDay();

private:
    MonthView *view(int height = 568);
    // The cell rectangle the grid paints the date in.
    QRect cellOf(const QDate &date) const;

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<MonthView> m_view;
};

void TestMonthView::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    QVERIFY(m_fixture->state()->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 1));
}

void TestMonthView::cleanup()
{
    EventDetailsPopover::closeCurrent();
    m_view.reset();
    m_fixture.reset();
}

MonthView *TestMonthView::view(int height)
{
    m_view = std::make_unique<MonthView>(m_fixture->state());
    m_view->grid()->setMinimumSize(0, 0);
    m_view->setDate(March);
    // Cells of 100 × (height - 28) / 6.
    m_view->resize(700, height);
    // The weeks are read off the GUI thread and fill in a moment later.
    if (!QTest::qWaitFor([this] { return !m_view->isLoading(); }, 20000))
        qWarning("the month did not load");
    m_view->grid()->grab();
    return m_view.get();
}

QRect TestMonthView::cellOf(const QDate &date) const
{
    const int index = int(m_view->grid()->gridStart().daysTo(date));
    return m_view->grid()->cellRect(index / 7, index % 7);
}

void TestMonthView::gridShowsFortyTwoDaysFromTheWeekStart_data()
{
    QTest::addColumn<int>("firstDay");
    QTest::addColumn<QDate>("shown");
    QTest::addColumn<QDate>("first");
    QTest::newRow("month starts on the week's first day") << 7 << March << QDate(2026, 3, 1);
    QTest::newRow("Monday weeks") << 1 << March << QDate(2026, 2, 23);
    QTest::newRow("across the year") << 1 << QDate(2027, 1, 20) << QDate(2026, 12, 28);
}

void TestMonthView::gridShowsFortyTwoDaysFromTheWeekStart()
{
    QFETCH(int, firstDay);
    QFETCH(QDate, shown);
    QFETCH(QDate, first);
    QVERIFY(m_fixture->state()->preferences()->setInt(QStringLiteral("ui/weekStartDay"), firstDay));
    // An event on each end of the 42 days, and one just outside.
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("first"), QDateTime(first, QTime(9, 0)),
                                                  QDateTime(first, QTime(10, 0))));
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("last"), QDateTime(first.addDays(41), QTime(9, 0)),
                                                  QDateTime(first.addDays(41), QTime(10, 0))));
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("after"), QDateTime(first.addDays(42), QTime(9, 0)),
                                                  QDateTime(first.addDays(42), QTime(10, 0))));
    view();
    m_view->setDate(shown);
    QTRY_VERIFY(!m_view->isLoading());
    m_view->grid()->grab();
    QCOMPARE(m_view->grid()->gridStart(), first);
    QCOMPARE(m_view->grid()->hitRects().size(), 2);
    QVERIFY(cellOf(first).contains(m_view->grid()->hitRects().at(0).rect));
    QVERIFY(cellOf(first.addDays(41)).contains(m_view->grid()->hitRects().at(1).rect));
    QCOMPARE(cellOf(first.addDays(41)), m_view->grid()->cellRect(5, 6));
}

void TestMonthView::cellsListEventsOnTheirStartDayWithOverflow_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("events");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("overflow");
    // Cells 90 high hold three lines, cells 50 high one.
    QTest::newRow("three fit") << 568 << 3 << 3 << "";
    QTest::newRow("four in three lines") << 568 << 4 << 2 << "+2 more";
    QTest::newRow("two in one line") << 328 << 2 << 0 << "+2 more";
}

void TestMonthView::cellsListEventsOnTheirStartDayWithOverflow()
{
    QFETCH(int, height);
    QFETCH(int, events);
    QFETCH(int, shown);
    QFETCH(QString, overflow);
    for (int i = 0; i < events; ++i) {
        const QDateTime start(March, QTime(8 + i, 0));
        m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("E%1").arg(i), start, start.addSecs(3600)));
    }
    // Three days long: listed on its first day only.
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Trip"), QDateTime(March.addDays(-3), QTime(9, 0)),
                                                  QDateTime(March.addDays(1), QTime(9, 0))));
    view(height);
    const QRect cell = cellOf(March);
    int inCell = 0;
    for (const EventHitRect &hit : m_view->grid()->hitRects())
        inCell += cell.contains(hit.rect) ? 1 : 0;
    QCOMPARE(inCell, shown);
    QCOMPARE(m_view->grid()->overflowTexts().value(March), overflow);
    QCOMPARE(m_view->grid()->hitRects().size(), shown + 1);
    QVERIFY(cellOf(March.addDays(-3)).contains(m_view->grid()->hitRects().first().rect));
}

void TestMonthView::allDayEventsStayOnTheirStoredDate()
{
    // Stored as the calendar day it names; west of UTC the instant falls on
    // the evening before, which is not where it belongs.
    m_fixture->addEvent(WidgetFixture::allDayEvent(QStringLiteral("Holiday"), March, March.addDays(1)));
    view();
    QCOMPARE(m_view->grid()->hitRects().size(), 1);
    QVERIFY(cellOf(March).contains(m_view->grid()->hitRects().first().rect));
}

void TestMonthView::cellLinesReadInOrderOfTime()
{
    // A single event and an earlier occurrence of a series: the loader lists
    // the single event first.
    const Event lunch = m_fixture->addEvent(WidgetFixture::timedEvent(
        QStringLiteral("Lunch"), QDateTime(March, QTime(12, 0)), QDateTime(March, QTime(13, 0))));
    Event run = WidgetFixture::timedEvent(QStringLiteral("Run"), QDateTime(March.addDays(-7), QTime(7, 0)),
                                          QDateTime(March.addDays(-7), QTime(8, 0)));
    run.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    run = m_fixture->addEvent(run);
    const Event holiday =
        m_fixture->addEvent(WidgetFixture::allDayEvent(QStringLiteral("Holiday"), March, March.addDays(1)));
    view();
    QStringList order;
    for (const EventHitRect &hit : m_view->grid()->hitRects()) {
        if (cellOf(March).contains(hit.rect))
            order << hit.eventId;
    }
    QCOMPARE(order, QStringList({holiday.id, run.id, lunch.id}));
}

void TestMonthView::hiddenEventsGoAndDimmedStay()
{
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Gym"), QDateTime(March, QTime(7, 0)),
                                                  QDateTime(March, QTime(8, 0))));
    const Event lunch = m_fixture->addEvent(WidgetFixture::timedEvent(
        QStringLiteral("Lunch"), QDateTime(March, QTime(12, 0)), QDateTime(March, QTime(13, 0))));
    FilterRule hide;
    hide.id = hide.name = QStringLiteral("no-gym");
    hide.type = QStringLiteral("pattern");
    hide.conditions = QStringLiteral("{\"runtimeType\":\"pattern\",\"titleContains\":[\"gym\"]}");
    QVERIFY(m_fixture->state()->filterRules()->insert(hide));
    view();
    QCOMPARE(m_view->grid()->hitRects().size(), 1);
    QCOMPARE(m_view->grid()->hitRects().first().eventId, lunch.id);
}

void TestMonthView::clickOnEmptyClearsTheSelection()
{
    const Event lunch = m_fixture->addEvent(WidgetFixture::timedEvent(
        QStringLiteral("Lunch"), QDateTime(March, QTime(12, 0)), QDateTime(March, QTime(13, 0))));
    view();
    m_view->setPopoverFactory([](AppState *, const Event &, QWidget *) -> QWidget * { return nullptr; });
    QSignalSpy selected(m_view->grid(), &MonthGridWidget::eventSelected);
    const QRect chip = m_view->grid()->hitRects().first().rect;
    QTest::mouseClick(m_view->grid(), Qt::LeftButton, {}, chip.center());
    QCOMPARE(m_fixture->state()->selectedEventId(), lunch.id);
    QTest::mouseClick(m_view->grid(), Qt::LeftButton, {}, cellOf(March.addDays(5)).center());
    QCOMPARE(selected.size(), 2);
    QCOMPARE(selected.at(0).mid(0, 2), QVariantList({lunch.id, lunch.start_time}));
    QCOMPARE(selected.at(1), QVariantList({QString(), QDateTime(), QRect()}));
    QCOMPARE(m_fixture->state()->selectedEventId(), QString());
}

void TestMonthView::taskDroppedOnACellIsScheduledThatDay()
{
    QVERIFY(m_fixture->state()->preferences()->set(QStringLiteral("ui/taskDropAction"), QStringLiteral("due")));
    const Task task = m_fixture->addTask(QStringLiteral("Pay rent"));
    view();
    QMimeData mime;
    mime.setData(QStringLiteral("application/x-tindlebrook-task-id"), task.id.toUtf8());
    QVERIFY(!WidgetFixture::drop(m_view->grid(), QPoint(250, 10), &mime));
    QVERIFY(WidgetFixture::drop(m_view->grid(), m_view->grid()->cellRect(2, 3).center(), &mime));
    const std::optional<Task> dropped = m_fixture->state()->tasks()->getById(task.id);
    QVERIFY(dropped && dropped->due_date);
    QCOMPARE(*dropped->due_date, QDateTime(m_view->grid()->gridStart().addDays(17), QTime(0, 0)));
    QVERIFY(dropped->due_is_date_only);
}

QTEST_MAIN(TestMonthView)
#include "tst_monthview.moc"
