#include "app/appstate.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "tests/support/paintedblocks.h"
#include "tests/support/widgetfixture.h"
#include "views/day/daytimelinewidget.h"

#include <QContextMenuEvent>
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

// "09:00-10:00" on the day, or "09:00" without an end; the title is the id.
Event block(const char *span, const char *id = nullptr)
{
    const QStringList parts = QString::fromLatin1(span).split(QLatin1Char('-'));
    const auto time = [](const QString &text) { return QDateTime(Day, QTime::fromString(text, "HH:mm")); };
    Event event = WidgetFixture::timedEvent(QString::fromLatin1(id ? id : span), time(parts.at(0)),
                                            parts.size() > 1 ? std::optional<QDateTime>(time(parts.at(1))) : std::nullopt);
    event.id = event.title;
    return event;
}

} // namespace

class TestDayTimelineWidget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void blocksShareTheWidthAndKeepATitleLine();
    void denseDayPaintsEveryBlockWhereItIsLaidOut();
    void clickUnlessDraggedAQuarter_data();
    void clickUnlessDraggedAQuarter();
    void resizeStartsAtOnceAndMultiDayStaysPut();
    void twoOccurrencesOfOneSeriesKeepTheirOwnTimes();
    void occurrencesCutToOneStartKeepTheirOwnTimes();
    void doubleClickOnEmptySlot();
    void keysAndWheel();
    void returnAndMenuReportTheBlockOnTop();
    void drops();

private:
    DayTimelineWidget *timeline(const QList<Event> &events);
    void drag(const QPoint &from, int dy);

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<QMainWindow> m_window;
    DayTimelineWidget *m_timeline = nullptr;
};

void TestDayTimelineWidget::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
}

void TestDayTimelineWidget::cleanup()
{
    m_window.reset();
    m_fixture.reset();
}

DayTimelineWidget *TestDayTimelineWidget::timeline(const QList<Event> &events)
{
    // In a main window for the drop's status line, but not as its central
    // widget, so it keeps the width given here.
    m_window = std::make_unique<QMainWindow>();
    m_timeline = new DayTimelineWidget(m_fixture->state(), m_window.get());
    m_timeline->setClock(m_fixture->clock());
    m_timeline->setDate(Day);
    m_timeline->resize(876, 56 * 24);
    m_timeline->setEvents(events, {}, {}, {});
    m_window->resize(900, 56 * 24 + 20);
    m_window->show();
    m_timeline->grab();
    return m_timeline;
}

void TestDayTimelineWidget::drag(const QPoint &from, int dy)
{
    QTest::mousePress(m_timeline, Qt::LeftButton, {}, from);
    QTest::mouseMove(m_timeline, from + QPoint(0, dy));
    QTest::mouseRelease(m_timeline, Qt::LeftButton, {}, from + QPoint(0, dy));
}

void TestDayTimelineWidget::blocksShareTheWidthAndKeepATitleLine()
{
    DayTimelineWidget *t = timeline({block("09:00-11:00"), block("09:00-10:00"), block("10:00-11:00"),
                                     block("13:00-13:05")});
    // (876 - 76 - 2 * 2 + 2) / 2 = 399 wide, side by side from x = 68.
    QCOMPARE(t->hitRects().at(0).rect, QRect(68, 9 * 56, 399, 56));
    QCOMPARE(t->hitRects().at(1).rect, QRect(469, 9 * 56, 399, 112));
    QCOMPARE(t->hitRects().at(2).rect, QRect(68, 10 * 56, 399, 56));
    QFont title = t->font();
    title.setWeight(QFont::Bold);
    QCOMPARE(t->hitRects().at(3).rect.height(), QFontMetrics(title).height() + 8);
}

void TestDayTimelineWidget::denseDayPaintsEveryBlockWhereItIsLaidOut()
{
    // Sixty events a minute apart, 11 pixels each: no room for text or
    // marks. The afternoon's two blocks have room for title and time line.
    QList<Event> events;
    for (int i = 0; i < 60; ++i) {
        const QDateTime start(Day, QTime(9, i));
        events.append(WidgetFixture::timedEvent(QStringLiteral("Dense %1").arg(i), start, start.addSecs(3600)));
        events.last().reminders = {Reminder()};
    }
    events << block("13:00-15:00", "Planning the quarter") << block("14:00-15:00", "Review");
    events.last().reminders = {Reminder()};
    const QHash<QString, QColor> colours = PaintedBlocks::colourEach(events);
    DayTimelineWidget *t = timeline({});
    const QImage empty = t->grab().toImage();
    t->setEvents(events, {}, {}, {});
    const QImage shot = t->grab().toImage();
    QCOMPARE(t->hitRects().size(), events.size());

    const int titleHeight = PaintedBlocks::titleHeightOf(t);
    const PaintedBlocks::Insets insets{20, 4, 12, 8};
    int narrow = 0;
    const QString fault =
        PaintedBlocks::firstFault(shot, empty, t->hitRects(), colours, insets, titleHeight, true, &narrow);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    QCOMPARE(narrow, 60);
}

void TestDayTimelineWidget::clickUnlessDraggedAQuarter_data()
{
    QTest::addColumn<int>("dy");
    QTest::addColumn<int>("move");
    // At 56 pixels an hour, 7 pixels are 7.5 minutes: half a quarter rounds up.
    QTest::newRow("still") << 0 << 0;
    QTest::newRow("below threshold") << 3 << 0;
    QTest::newRow("snaps back to zero") << 5 << 0;
    QTest::newRow("seven down") << 7 << 15;
    QTest::newRow("seven up") << -7 << -15;
}

void TestDayTimelineWidget::clickUnlessDraggedAQuarter()
{
    QFETCH(int, dy);
    QFETCH(int, move);
    DayTimelineWidget *t = timeline({block("09:00-10:00", "standup")});
    QSignalSpy moved(t, &DayTimelineWidget::eventMoveRequested);
    QSignalSpy selected(t, &DayTimelineWidget::eventSelected);
    drag(t->hitRects().first().rect.topLeft() + QPoint(20, 10), dy);
    const QDateTime nine(Day, QTime(9, 0));
    if (move == 0)
        QCOMPARE(selected.value(0).mid(0, 2), QVariantList({QStringLiteral("standup"), nine}));
    else
        QCOMPARE(moved.value(0), QVariantList({QStringLiteral("standup"), nine, move}));
    QCOMPARE(moved.size() + selected.size(), 1);
}

void TestDayTimelineWidget::resizeStartsAtOnceAndMultiDayStaysPut()
{
    Event overnight = block("00:00-02:00", "overnight");
    overnight.start_time = QDateTime(Day.addDays(-1), QTime(22, 0));
    DayTimelineWidget *t = timeline({block("09:00-10:00", "review"), overnight});
    QSignalSpy resized(t, &DayTimelineWidget::eventResizeRequested);
    const QRect review = t->hitRects().at(1).rect;
    const QPoint edge(review.center().x(), review.bottom() - 2);
    QTest::mousePress(t, Qt::LeftButton, {}, edge);
    QCOMPARE(t->dragMode(), int(DayTimelineWidget::DragResizing));
    QTest::mouseMove(t, edge + QPoint(0, 28));
    QTest::mouseRelease(t, Qt::LeftButton, {}, edge + QPoint(0, 28));
    QCOMPARE(resized.value(0).value(2).toInt(), 30);

    // Clipped to the day, it cannot be dragged, and its line names both days.
    const QRect rect = t->hitRects().at(0).rect;
    QCOMPARE(rect.top(), 0);
    QCOMPARE(t->timeTextAt(rect.center()), QStringLiteral("Mon 10:00 PM – Tue 2:00 AM"));
    QTest::mousePress(t, Qt::LeftButton, {}, rect.center());
    QCOMPARE(t->dragMode(), int(DayTimelineWidget::DragNone));
}

void TestDayTimelineWidget::twoOccurrencesOfOneSeriesKeepTheirOwnTimes()
{
    DayTimelineWidget *t = timeline({block("09:00-10:00", "series"), block("15:00-16:00", "series")});
    const QRect afternoon = t->hitRects().at(1).rect;
    QCOMPARE(t->timeTextAt(t->hitRects().at(0).rect.center()), QStringLiteral("9:00 AM – 10:00 AM"));
    QCOMPARE(t->timeTextAt(afternoon.center()), QStringLiteral("3:00 PM – 4:00 PM"));
    QSignalSpy moved(t, &DayTimelineWidget::eventMoveRequested);
    drag(afternoon.topLeft() + QPoint(20, 10), 56);
    QCOMPARE(moved.value(0).value(1).toDateTime(), QDateTime(Day, QTime(15, 0)));
}

void TestDayTimelineWidget::occurrencesCutToOneStartKeepTheirOwnTimes()
{
    // One occurrence runs past midnight, the next starts at it: cut to the
    // day, both start at midnight.
    Event overnight = block("00:00-02:00", "series");
    overnight.start_time = QDateTime(Day.addDays(-1), QTime(22, 0));
    DayTimelineWidget *t = timeline({overnight, block("00:00-01:00", "series")});
    QStringList shown;
    for (const EventHitRect &hit : t->hitRects())
        shown << hit.occurrenceStart.toString(Qt::ISODate) + QLatin1Char(' ') + t->timeTextAt(hit.rect.center());
    QCOMPARE(shown, (QStringList{"2026-03-10T00:00:00 12:00 AM – 1:00 AM",
                                 "2026-03-09T22:00:00 Mon 10:00 PM – Tue 2:00 AM"}));
}

void TestDayTimelineWidget::doubleClickOnEmptySlot()
{
    DayTimelineWidget *t = timeline({});
    QSignalSpy empty(t, &DayTimelineWidget::emptySlotActivated);
    QTest::mouseDClick(t, Qt::LeftButton, {}, QPoint(300, 14 * 56 + 40));
    QTest::mouseDClick(t, Qt::LeftButton, {}, QPoint(300, 24 * 56 - 2));
    QTest::mouseDClick(t, Qt::LeftButton, {}, QPoint(30, 10 * 56)); // the hour gutter
    QCOMPARE(empty.size(), 2);
    QCOMPARE(empty.at(0).first().toTime(), QTime(14, 30));
    QCOMPARE(empty.at(1).first().toTime(), QTime(23, 45));
}

void TestDayTimelineWidget::keysAndWheel()
{
    DayTimelineWidget *t = timeline({});
    QSignalSpy focused(t, &DayTimelineWidget::eventFocused);
    QTest::keyClick(t, Qt::Key_Tab);
    Event holiday = WidgetFixture::allDayEvent(QStringLiteral("holiday"), Day, Day.addDays(1));
    t->setEvents({block("15:00-16:00", "late"), holiday, block("08:00-09:00", "early")}, {}, {}, {});
    QTest::keyClick(t, Qt::Key_Up);
    t->setSelectedEventId(QStringLiteral("late"));
    QTest::keyClick(t, Qt::Key_Tab);
    QTest::keyClick(t, Qt::Key_Backtab);
    QCOMPARE(focused, QList<QVariantList>({{"late"}, {"early"}, {"early"}}));

    QSignalSpy zoom(t, &DayTimelineWidget::zoomRequested);
    const auto wheel = [t](int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(200, 200), t->mapToGlobal(QPointF(200, 200)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(t, &event);
        return event.isAccepted();
    };
    QVERIFY(wheel(120, Qt::ControlModifier));
    QVERIFY(wheel(60, Qt::ControlModifier)); // under a notch: nothing, and no scrolling either
    QVERIFY(!wheel(120, Qt::NoModifier));
    QCOMPARE(zoom, QList<QVariantList>({{1}}));
}

void TestDayTimelineWidget::returnAndMenuReportTheBlockOnTop()
{
    // Return opens the selected block with its start and place; a block
    // without an end lies under the one painted after it, which the menu takes.
    DayTimelineWidget *t = timeline({block("15:00-16:00", "series"), block("09:00", "short"),
                                     block("09:00-10:00", "long")});
    QSignalSpy selected(t, &DayTimelineWidget::eventSelected);
    QTest::keyClick(t, Qt::Key_Return);
    QVERIFY(selected.isEmpty());
    t->setSelectedEventId(QStringLiteral("series"));
    QTest::keyClick(t, Qt::Key_Enter);
    const QRect series = t->hitRects().last().rect;
    QCOMPARE(selected.value(0), QVariantList({QStringLiteral("series"), QDateTime(Day, QTime(15, 0)),
                                              QRect(t->mapToGlobal(series.topLeft()), series.size())}));
    // Selected but not painted (the day changed): no start and no anchor.
    t->setSelectedEventId(QStringLiteral("elsewhere"));
    QTest::keyClick(t, Qt::Key_Return);
    QCOMPARE(selected.value(1), QVariantList({QStringLiteral("elsewhere"), QDateTime(), QRect()}));

    QSignalSpy menu(t, &DayTimelineWidget::eventContextRequested);
    const auto requestMenu = [t](const QPoint &pos) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, t->mapToGlobal(pos));
        QCoreApplication::sendEvent(t, &event);
        return event.isAccepted();
    };
    const QRect shortBlock = t->hitRects().at(0).rect;
    const QRect longBlock = t->hitRects().at(1).rect;
    QCOMPARE(shortBlock.topLeft(), longBlock.topLeft()); // drawn over each other at full width
    QVERIFY(requestMenu(shortBlock.center()));
    QVERIFY(!requestMenu(QPoint(300, 20 * 56)));
    QCOMPARE(menu, QList<QVariantList>({{QStringLiteral("long"), t->mapToGlobal(shortBlock.center())}}));
}

void TestDayTimelineWidget::drops()
{
    DayTimelineWidget *t = timeline({});
    QStringList imported;
    t->setIcsImportSink([&imported](const QString &path) { imported << path; });
    const Task task = m_fixture->addTask(QStringLiteral("File taxes"));
    QVERIFY(m_fixture->state()->preferences()->set(QStringLiteral("ui/taskDropAction"), QStringLiteral("due")));

    // .ics files win over a task in the same drop and wait for the drag's end.
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile("/tmp/a.ICS"), QUrl::fromLocalFile("/tmp/b.txt"), QUrl::fromLocalFile("/tmp/c.ics")});
    files.setData(QStringLiteral("application/x-tindlebrook-task-id"), task.id.toUtf8());
    QVERIFY(WidgetFixture::drop(t, QPoint(300, 600), &files));
    QVERIFY(imported.isEmpty());
    QTRY_COMPARE(imported, QStringList({"/tmp/a.ICS", "/tmp/c.ics"}));
    QVERIFY(!m_fixture->state()->tasks()->getById(task.id)->due_date);

    QMimeData dragged;
    dragged.setData(QStringLiteral("application/x-tindlebrook-task-id"), task.id.toUtf8());
    QVERIFY(WidgetFixture::drop(t, QPoint(300, 14 * 56 + 30), &dragged));
    QCOMPARE(*m_fixture->state()->tasks()->getById(task.id)->due_date, QDateTime(Day, QTime(14, 30)));
    QVERIFY(m_window->statusBar()->currentMessage().startsWith(QStringLiteral("Set due date for \"File taxes\"")));
}

QTEST_MAIN(TestDayTimelineWidget)
#include "tst_daytimelinewidget.moc"
