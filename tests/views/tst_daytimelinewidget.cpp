#include "app/appstate.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "tests/support/widgetfixture.h"
#include "views/day/daytimelinewidget.h"

#include <QMainWindow>
#include <QMimeData>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>

#include <memory>

namespace {

const QDate Day(2026, 3, 10);

Event block(const QString &id, const QTime &start, const std::optional<QTime> &end)
{
    Event event = WidgetFixture::timedEvent(id, QDateTime(Day, start),
                                            end ? std::optional<QDateTime>(QDateTime(Day, *end)) : std::nullopt);
    event.id = id;
    return event;
}

} // namespace

class TestDayTimelineWidget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void overlappingEventsShareTheWidth();
    void shortEventKeepsOneTitleLine();
    void pressThenReleaseIsAClickUnlessDraggedAQuarter_data();
    void pressThenReleaseIsAClickUnlessDraggedAQuarter();
    void resizeStartsWithoutThreshold();
    void multiDayEventStaysPutAndNamesItsDays();
    void twoOccurrencesOfOneSeriesKeepTheirOwnTimes();
    void doubleClickOnEmptySlot_data();
    void doubleClickOnEmptySlot();
    void tabWalksTheTimedEvents();
    void controlWheelAsksForZoom();
    void droppedIcsFilesAreImportedAfterTheDrag();
    void droppedTaskGetsItsDueTime();

private:
    DayTimelineWidget *timeline(const QList<Event> &events, int width = 876);

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<QWidget> m_host;
};

void TestDayTimelineWidget::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
}

void TestDayTimelineWidget::cleanup()
{
    m_host.reset();
    m_fixture.reset();
}

DayTimelineWidget *TestDayTimelineWidget::timeline(const QList<Event> &events, int width)
{
    // A main window around it, as in the program, for the drop's status
    // line; not its central widget, so that it keeps the size given here.
    auto *window = new QMainWindow;
    m_host.reset(window);
    auto *widget = new DayTimelineWidget(m_fixture->state(), window);
    widget->setClock(m_fixture->clock());
    widget->setDate(Day);
    widget->resize(width, 56 * 24);
    widget->setEvents(events, {}, {}, {});
    window->resize(width + 40, 56 * 24 + 40);
    window->show();
    widget->grab();
    return widget;
}

void TestDayTimelineWidget::overlappingEventsShareTheWidth()
{
    DayTimelineWidget *t = timeline({block("long", QTime(9, 0), QTime(11, 0)), block("first", QTime(9, 0), QTime(10, 0)),
                                     block("second", QTime(10, 0), QTime(11, 0))});
    // (876 - 76 - 2 * 2 + 2) / 2 = 399 wide, side by side from x = 68.
    QCOMPARE(t->hitRects().size(), 3);
    QCOMPARE(t->hitRects().at(0).rect, QRect(68, 9 * 56, 399, 56));
    QCOMPARE(t->hitRects().at(1).rect, QRect(469, 9 * 56, 399, 112));
    QCOMPARE(t->hitRects().at(2).rect, QRect(68, 10 * 56, 399, 56));
    QCOMPARE(t->hitRects().at(2).occurrenceStart, QDateTime(Day, QTime(10, 0)));
}

void TestDayTimelineWidget::shortEventKeepsOneTitleLine()
{
    DayTimelineWidget *t = timeline({block("short", QTime(9, 0), QTime(9, 5))});
    QFont title = t->font();
    title.setWeight(QFont::Bold);
    QCOMPARE(t->hitRects().first().rect.height(), QFontMetrics(title).height() + 8);
}

void TestDayTimelineWidget::pressThenReleaseIsAClickUnlessDraggedAQuarter_data()
{
    QTest::addColumn<int>("dy");
    QTest::addColumn<int>("move");
    // At 56 pixels an hour, 7 pixels are 7.5 minutes: half a quarter rounds up.
    QTest::newRow("still") << 0 << 0;
    QTest::newRow("below threshold") << 3 << 0;
    QTest::newRow("snaps back to zero") << 5 << 0;
    QTest::newRow("seven down") << 7 << 15;
    QTest::newRow("seven up") << -7 << -15;
    QTest::newRow("an hour") << 56 << 60;
}

void TestDayTimelineWidget::pressThenReleaseIsAClickUnlessDraggedAQuarter()
{
    QFETCH(int, dy);
    QFETCH(int, move);
    DayTimelineWidget *t = timeline({block("standup", QTime(9, 0), QTime(10, 0))});
    QSignalSpy moved(t, &DayTimelineWidget::eventMoveRequested);
    QSignalSpy selected(t, &DayTimelineWidget::eventSelected);
    const QPoint press = t->hitRects().first().rect.topLeft() + QPoint(20, 10);
    QTest::mousePress(t, Qt::LeftButton, {}, press);
    QTest::mouseMove(t, press + QPoint(0, dy));
    QTest::mouseRelease(t, Qt::LeftButton, {}, press + QPoint(0, dy));
    if (move == 0) {
        QCOMPARE(moved.size(), 0);
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.first().at(0).toString(), QStringLiteral("standup"));
        QCOMPARE(selected.first().at(1).toDateTime(), QDateTime(Day, QTime(9, 0)));
    } else {
        QCOMPARE(selected.size(), 0);
        QCOMPARE(moved.size(), 1);
        QCOMPARE(moved.first().at(1).toDateTime(), QDateTime(Day, QTime(9, 0)));
        QCOMPARE(moved.first().at(2).toInt(), move);
    }
    QCOMPARE(t->dragMode(), int(DayTimelineWidget::DragNone));
}

void TestDayTimelineWidget::resizeStartsWithoutThreshold()
{
    DayTimelineWidget *t = timeline({block("review", QTime(9, 0), QTime(10, 0))});
    QSignalSpy resized(t, &DayTimelineWidget::eventResizeRequested);
    const QRect rect = t->hitRects().first().rect;
    const QPoint edge(rect.center().x(), rect.bottom() - 2);
    QTest::mousePress(t, Qt::LeftButton, {}, edge);
    QCOMPARE(t->dragMode(), int(DayTimelineWidget::DragResizing));
    QTest::mouseMove(t, edge + QPoint(0, 28));
    QCOMPARE(t->dragMinuteDelta(), 30);
    QTest::mouseRelease(t, Qt::LeftButton, {}, edge + QPoint(0, 28));
    QCOMPARE(resized.size(), 1);
    QCOMPARE(resized.first().at(2).toInt(), 30);
}

void TestDayTimelineWidget::multiDayEventStaysPutAndNamesItsDays()
{
    Event overnight = block("overnight", QTime(22, 0), std::nullopt);
    overnight.start_time = QDateTime(Day.addDays(-1), QTime(22, 0));
    overnight.end_time = QDateTime(Day, QTime(2, 0));
    DayTimelineWidget *t = timeline({overnight});
    QVERIFY(t->undraggableIds().contains(QStringLiteral("overnight")));
    const QRect rect = t->hitRects().first().rect;
    QCOMPARE(rect.top(), 0);
    QCOMPARE(t->timeTextAt(rect.center()), QStringLiteral("Mon 10:00 PM – Tue 2:00 AM"));
    QTest::mousePress(t, Qt::LeftButton, {}, rect.center());
    QCOMPARE(t->dragMode(), int(DayTimelineWidget::DragNone));
    QTest::mouseRelease(t, Qt::LeftButton, {}, rect.center());
}

void TestDayTimelineWidget::twoOccurrencesOfOneSeriesKeepTheirOwnTimes()
{
    Event morning = block("series", QTime(9, 0), QTime(10, 0));
    Event afternoon = block("series", QTime(15, 0), QTime(16, 0));
    DayTimelineWidget *t = timeline({morning, afternoon});
    const QRect first = t->hitRects().at(0).rect;
    const QRect second = t->hitRects().at(1).rect;
    QCOMPARE(t->timeTextAt(first.center()), QStringLiteral("9:00 AM – 10:00 AM"));
    QCOMPARE(t->timeTextAt(second.center()), QStringLiteral("3:00 PM – 4:00 PM"));

    QSignalSpy moved(t, &DayTimelineWidget::eventMoveRequested);
    const QPoint press = second.topLeft() + QPoint(20, 10);
    QTest::mousePress(t, Qt::LeftButton, {}, press);
    QTest::mouseMove(t, press + QPoint(0, 56));
    QTest::mouseRelease(t, Qt::LeftButton, {}, press + QPoint(0, 56));
    QCOMPARE(moved.size(), 1);
    QCOMPARE(moved.first().at(1).toDateTime(), QDateTime(Day, QTime(15, 0)));
}

void TestDayTimelineWidget::doubleClickOnEmptySlot_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<QTime>("slot");
    QTest::newRow("quarter rounds down") << QPoint(300, 14 * 56 + 40) << QTime(14, 30);
    QTest::newRow("last slot") << QPoint(300, 24 * 56 - 2) << QTime(23, 45);
    QTest::newRow("hour gutter") << QPoint(30, 10 * 56) << QTime();
}

void TestDayTimelineWidget::doubleClickOnEmptySlot()
{
    QFETCH(QPoint, pos);
    QFETCH(QTime, slot);
    DayTimelineWidget *t = timeline({});
    QSignalSpy empty(t, &DayTimelineWidget::emptySlotActivated);
    QTest::mouseDClick(t, Qt::LeftButton, {}, pos);
    QCOMPARE(empty.size(), slot.isValid() ? 1 : 0);
    if (slot.isValid())
        QCOMPARE(empty.first().at(0).toTime(), slot);
}

void TestDayTimelineWidget::tabWalksTheTimedEvents()
{
    DayTimelineWidget *t = timeline({});
    QSignalSpy focused(t, &DayTimelineWidget::eventFocused);
    QTest::keyClick(t, Qt::Key_Tab);
    QCOMPARE(focused.size(), 0);

    Event allDay = WidgetFixture::allDayEvent(QStringLiteral("holiday"), Day, Day.addDays(1));
    allDay.id = QStringLiteral("holiday");
    t->setEvents({block("late", QTime(15, 0), QTime(16, 0)), allDay, block("early", QTime(8, 0), QTime(9, 0))}, {}, {},
                 {});
    QTest::keyClick(t, Qt::Key_Up);
    t->setSelectedEventId(QStringLiteral("late"));
    QTest::keyClick(t, Qt::Key_Tab);
    QTest::keyClick(t, Qt::Key_Backtab);
    QCOMPARE(focused.size(), 3);
    QCOMPARE(focused.at(0).at(0).toString(), QStringLiteral("late"));
    QCOMPARE(focused.at(1).at(0).toString(), QStringLiteral("early"));
    QCOMPARE(focused.at(2).at(0).toString(), QStringLiteral("early"));
}

void TestDayTimelineWidget::controlWheelAsksForZoom()
{
    DayTimelineWidget *t = timeline({});
    QSignalSpy zoom(t, &DayTimelineWidget::zoomRequested);
    const auto wheel = [t](int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(200, 200), t->mapToGlobal(QPointF(200, 200)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(t, &event);
        return event.isAccepted();
    };
    QVERIFY(wheel(120, Qt::ControlModifier));
    QVERIFY(wheel(60, Qt::ControlModifier));
    QVERIFY(!wheel(120, Qt::NoModifier));
    QCOMPARE(zoom.size(), 1);
    QCOMPARE(zoom.first().at(0).toInt(), 1);
}

void TestDayTimelineWidget::droppedIcsFilesAreImportedAfterTheDrag()
{
    DayTimelineWidget *t = timeline({});
    QStringList imported;
    t->setIcsImportSink([&imported](const QString &path) { imported << path; });
    const Task task = m_fixture->addTask(QStringLiteral("Ignored"));
    m_fixture->state()->preferences()->set(QStringLiteral("ui/taskDropAction"), QStringLiteral("due"));

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.ICS")), QUrl::fromLocalFile(QStringLiteral("/tmp/b.txt")),
                  QUrl::fromLocalFile(QStringLiteral("/tmp/c.ics"))});
    mime.setData(QStringLiteral("application/x-tindlebrook-task-id"), task.id.toUtf8());
    QVERIFY(WidgetFixture::drop(t, QPoint(300, 600), &mime));
    QVERIFY(imported.isEmpty());
    QTRY_COMPARE(imported, QStringList({"/tmp/a.ICS", "/tmp/c.ics"}));
    QVERIFY(!m_fixture->state()->tasks()->getById(task.id)->due_date);
}

void TestDayTimelineWidget::droppedTaskGetsItsDueTime()
{
    DayTimelineWidget *t = timeline({});
    const Task task = m_fixture->addTask(QStringLiteral("File taxes"));
    m_fixture->state()->preferences()->set(QStringLiteral("ui/taskDropAction"), QStringLiteral("due"));
    QMimeData mime;
    mime.setData(QStringLiteral("application/x-tindlebrook-task-id"), task.id.toUtf8());
    QVERIFY(WidgetFixture::drop(t, QPoint(300, 14 * 56 + 30), &mime));
    const Task stored = *m_fixture->state()->tasks()->getById(task.id);
    QCOMPARE(*stored.due_date, QDateTime(Day, QTime(14, 30)));
    QVERIFY(!stored.due_is_date_only);
    QCOMPARE(stored.sync_status, QStringLiteral("pending"));
    auto *window = static_cast<QMainWindow *>(m_host.get());
    QVERIFY(window->statusBar()->currentMessage().startsWith(QStringLiteral("Set due date for \"File taxes\" to ")));
}

QTEST_MAIN(TestDayTimelineWidget)
#include "tst_daytimelinewidget.moc"
