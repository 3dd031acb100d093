#include "app/appstate.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "tests/support/paintedblocks.h"
#include "tests/support/widgetfixture.h"
#include "views/week/weektimelinewidget.h"

#include <QMainWindow>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>

#include <memory>

namespace {

// A Monday.
const QDate Start(2026, 3, 9);

// "d 09:00-10:00": day offset d from Start; the title is the id.
Event block(int day, const char *span, const char *id)
{
    const QStringList parts = QString::fromLatin1(span).split(QLatin1Char('-'));
    const auto time = [day](const QString &text) {
        return QDateTime(Start.addDays(day), QTime::fromString(text, "HH:mm"));
    };
    Event event = WidgetFixture::timedEvent(QString::fromLatin1(id), time(parts.at(0)),
                                            parts.size() > 1 ? std::optional<QDateTime>(time(parts.at(1))) : std::nullopt);
    event.id = event.title;
    return event;
}

} // namespace

class TestWeekTimelineWidget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void blocksSitInTheirDayColumn();
    void denseDayPaintsEveryBlockWhereItIsLaidOut();
    void crowdedDayKeepsItsBlocksInItsColumn_data();
    void crowdedDayKeepsItsBlocksInItsColumn();
    void overnightEventShowsInBothColumnsAndStaysPut();
    void dragAcrossDaysWithGhost_data();
    void dragAcrossDaysWithGhost();
    void resizeGhostAndSmallResizeIsAClick();
    void doubleClickOnEmptySlot();
    void keysAndWheel();
    void dropsOnADayAndRefusedOverTheGutter();

private:
    WeekTimelineWidget *timeline(const QList<Event> &events, int dayCount = 7, int columnWidth = 140,
                                 int hourHeight = 56);
    void drag(const QPoint &from, const QPoint &by);

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<QMainWindow> m_window;
    WeekTimelineWidget *m_timeline = nullptr;
};

void TestWeekTimelineWidget::initTestCase()
{
    WidgetFixture::pinTimeZone("America/New_York");
}

void TestWeekTimelineWidget::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
}

void TestWeekTimelineWidget::cleanup()
{
    m_window.reset();
    m_fixture.reset();
}

WeekTimelineWidget *TestWeekTimelineWidget::timeline(const QList<Event> &events, int dayCount, int columnWidth,
                                                     int hourHeight)
{
    m_window = std::make_unique<QMainWindow>();
    m_timeline = new WeekTimelineWidget(m_fixture->state(), m_window.get());
    m_timeline->setClock(m_fixture->clock());
    m_timeline->setMinimumWidth(0);
    m_timeline->setHourHeight(hourHeight);
    m_timeline->resize(64 + columnWidth * dayCount, hourHeight * 24);
    m_timeline->setEvents(Start, dayCount, events, {}, {}, {});
    m_window->resize(m_timeline->width() + 20, m_timeline->height() + 20);
    m_window->show();
    m_timeline->grab();
    return m_timeline;
}

void TestWeekTimelineWidget::drag(const QPoint &from, const QPoint &by)
{
    QTest::mousePress(m_timeline, Qt::LeftButton, {}, from);
    QTest::mouseMove(m_timeline, from + by / 2);
    QTest::mouseMove(m_timeline, from + by);
    m_timeline->grab();
    QTest::mouseRelease(m_timeline, Qt::LeftButton, {}, from + by);
}

void TestWeekTimelineWidget::blocksSitInTheirDayColumn()
{
    WeekTimelineWidget *t = timeline({block(1, "09:00-09:30", "half"), block(2, "13:00-13:05", "short"),
                                      block(3, "10:00-11:00", "a"), block(3, "10:00-11:00", "b"),
                                      block(3, "10:30-11:30", "c")});
    QCOMPARE(t->columnWidth(), 140);
    QCOMPARE(t->hitRects().at(0).rect, QRect(64 + 140 + 4, 504, 132, 28));
    QFont bold = t->font();
    bold.setWeight(QFont::Bold);
    QCOMPARE(t->hitRects().at(1).rect.height(), QFontMetrics(bold).height() + 6);
    // Three overlapping: (140 - 8 - 6 + 2) / 3 = 42 wide, 2 apart.
    const int left = 64 + 3 * 140 + 4;
    QCOMPARE(t->hitRects().at(2).rect, QRect(left, 560, 42, 56));
    QCOMPARE(t->hitRects().at(3).rect, QRect(left + 44, 560, 42, 56));
    QCOMPARE(t->hitRects().at(4).rect, QRect(left + 88, 588, 42, 56));
}

void TestWeekTimelineWidget::denseDayPaintsEveryBlockWhereItIsLaidOut()
{
    // Sixteen events a minute apart share Wednesday's column, 6 pixels each:
    // no room for text or marks. Friday's lone block and Saturday's three
    // side by side have room for their titles.
    QList<Event> events;
    for (int i = 0; i < 16; ++i) {
        const QDateTime start(Start.addDays(2), QTime(9, i));
        events.append(WidgetFixture::timedEvent(QStringLiteral("Dense %1").arg(i), start, start.addSecs(3600)));
        events.last().reminders = {Reminder()};
    }
    events << block(4, "13:00-15:00", "Planning the quarter") << block(5, "10:00-11:00", "Alpha")
           << block(5, "10:00-11:00", "Beta") << block(5, "10:00-11:00", "Gamma");
    events.last().reminders = {Reminder()};
    const QHash<QString, QColor> colours = PaintedBlocks::colourEach(events);
    WeekTimelineWidget *t = timeline({});
    const QImage empty = t->grab().toImage();
    t->setEvents(Start, 7, events, {}, {}, {});
    const QImage shot = t->grab().toImage();
    QCOMPARE(t->hitRects().size(), events.size());

    const int titleHeight = PaintedBlocks::titleHeightOf(t);
    const PaintedBlocks::Insets insets{15, 3, 9, 6};
    int narrow = 0;
    const QString fault =
        PaintedBlocks::firstFault(shot, empty, t->hitRects(), colours, insets, titleHeight, false, &narrow);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    QCOMPARE(narrow, 16);
    // The wide block has its time line under the title.
    const QRect wide = t->hitRects().at(16).rect;
    QCOMPARE(wide.width(), 132);
    QCOMPARE(PaintedBlocks::blockFault(shot, empty, wide, colours.value(QStringLiteral("Planning the quarter")), insets,
                                       titleHeight, true),
             QString());
}

void TestWeekTimelineWidget::crowdedDayKeepsItsBlocksInItsColumn_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("43") << 43;
    QTest::newRow("60") << 60;
    QTest::newRow("200") << 200;
}

// More blocks side by side than a narrow day has pixels for two apart: each
// keeps a pixel at least, inside its own day, and the days beside it look
// as they did without them.
void TestWeekTimelineWidget::crowdedDayKeepsItsBlocksInItsColumn()
{
    QFETCH(int, count);
    const int column = 95;
    const QList<Event> neighbours{block(1, "10:00-12:00", "Tuesday"), block(3, "10:00-12:00", "Thursday")};
    WeekTimelineWidget *t = timeline(neighbours, 7, column);
    const QImage without = t->grab().toImage();
    QList<Event> events = neighbours;
    for (int i = 0; i < count; ++i) {
        const QDateTime start(Start.addDays(2), QTime(10, 0).addSecs(30 * i));
        events.append(WidgetFixture::timedEvent(QStringLiteral("Crowd %1").arg(i), start, start.addSecs(7200)));
        events.last().id = events.last().title;
    }
    t->setEvents(Start, 7, events, {}, {}, {});
    const QImage shot = t->grab().toImage();
    QCOMPARE(t->hitRects().size(), count + 2);

    const QRect wednesday(64 + 2 * column, 0, column, t->height());
    for (const EventHitRect &hit : t->hitRects()) {
        if (!hit.eventId.startsWith(QLatin1String("Crowd")))
            continue;
        QVERIFY2(hit.rect.width() >= 1 && wednesday.contains(hit.rect),
                 qPrintable(QStringLiteral("%1 at x %2, %3 wide").arg(hit.eventId).arg(hit.rect.x()).arg(hit.rect.width())));
    }
    int changed = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x)
            changed += !wednesday.contains(x, y) && shot.pixel(x, y) != without.pixel(x, y) ? 1 : 0;
    }
    QCOMPARE(changed, 0);
}

void TestWeekTimelineWidget::overnightEventShowsInBothColumnsAndStaysPut()
{
    Event overnight = block(0, "22:00-02:00", "overnight");
    overnight.end_time = QDateTime(Start.addDays(1), QTime(2, 0));
    WeekTimelineWidget *t = timeline({overnight});
    QCOMPARE(t->hitRects().size(), 2);
    QCOMPARE(t->hitRects().at(0).rect, QRect(68, 22 * 56, 132, 2 * 56));
    QCOMPARE(t->hitRects().at(1).rect, QRect(64 + 140 + 4, 0, 132, 2 * 56));
    QVERIFY(t->undraggableIds().contains(QStringLiteral("overnight")));
    QTest::mousePress(t, Qt::LeftButton, {}, t->hitRects().at(1).rect.center());
    QCOMPARE(t->dragMode(), int(WeekTimelineWidget::DragNone));
    QTest::mouseRelease(t, Qt::LeftButton, {}, t->hitRects().at(1).rect.center());
}

void TestWeekTimelineWidget::dragAcrossDaysWithGhost_data()
{
    QTest::addColumn<int>("dayCount");
    QTest::addColumn<int>("fromDay");
    QTest::addColumn<QPoint>("by");
    QTest::addColumn<int>("dayDelta");
    QTest::addColumn<int>("minuteOffset");
    QTest::addColumn<QString>("label");
    // At 60 pixels an hour: 44 down is 2.93 quarters, rounded to 3.
    QTest::newRow("two right, 44 down") << 7 << 1 << QPoint(280, 44) << 2 << 45 << "Thu  10:45 AM";
    QTest::newRow("three pixels is a click") << 7 << 1 << QPoint(3, 3) << 0 << 0 << "";
    QTest::newRow("sideways only") << 7 << 1 << QPoint(-140, 2) << -1 << 0 << "Mon  10:00 AM";
    QTest::newRow("past the last of 14 days") << 14 << 12 << QPoint(1400, 0) << 1 << 0 << "Sun  10:00 AM";
    QTest::newRow("before the first of 14 days") << 14 << 1 << QPoint(-1400, -60) << -1 << -60 << "Mon  9:00 AM";
    QTest::newRow("half a column rounds away") << 14 << 5 << QPoint(-70, 0) << -1 << 0 << "Fri  10:00 AM";
}

void TestWeekTimelineWidget::dragAcrossDaysWithGhost()
{
    QFETCH(int, dayCount);
    QFETCH(int, fromDay);
    QFETCH(QPoint, by);
    QFETCH(int, dayDelta);
    QFETCH(int, minuteOffset);
    QFETCH(QString, label);
    WeekTimelineWidget *t = timeline({block(fromDay, "10:00-11:00", "standup")}, dayCount, 100, 60);
    by.setX(by.x() * 100 / 140);
    QSignalSpy moved(t, &WeekTimelineWidget::eventMoveRequested);
    QSignalSpy selected(t, &WeekTimelineWidget::eventSelected);
    const QRect origin = t->hitRects().first().rect;
    const QPoint from = origin.topLeft() + QPoint(20, 10);
    QTest::mousePress(t, Qt::LeftButton, {}, from);
    QTest::mouseMove(t, from + by);
    if (dayDelta != 0 || minuteOffset != 0) {
        QCOMPARE(t->ghostRect(), origin.translated(100 * dayDelta, minuteOffset));
        QCOMPARE(t->ghostLabel(), label);
    } else {
        QCOMPARE(t->ghostRect(), QRect());
    }
    QTest::mouseRelease(t, Qt::LeftButton, {}, from + by);
    QCOMPARE(t->ghostRect(), QRect());
    const QDateTime start(Start.addDays(fromDay), QTime(10, 0));
    if (dayDelta == 0 && minuteOffset == 0)
        QCOMPARE(selected.value(0).mid(0, 2), QVariantList({QStringLiteral("standup"), start}));
    else
        QCOMPARE(moved.value(0), QVariantList({QStringLiteral("standup"), start, dayDelta, minuteOffset}));
    QCOMPARE(moved.size() + selected.size(), 1);
}

void TestWeekTimelineWidget::resizeGhostAndSmallResizeIsAClick()
{
    WeekTimelineWidget *t = timeline({block(2, "09:00-10:00", "review")}, 7, 140, 60);
    QSignalSpy resized(t, &WeekTimelineWidget::eventResizeRequested);
    QSignalSpy selected(t, &WeekTimelineWidget::eventSelected);
    const QRect review = t->hitRects().first().rect;
    const QPoint edge(review.center().x(), review.bottom() - 1);
    QTest::mousePress(t, Qt::LeftButton, {}, edge);
    QCOMPARE(t->dragMode(), int(WeekTimelineWidget::DragResizing));
    QTest::mouseMove(t, edge + QPoint(50, 30));
    QCOMPARE(t->ghostRect(), QRect(review.topLeft(), QSize(review.width(), 90)));
    QCOMPARE(t->ghostLabel(), QStringLiteral("90 min"));
    QTest::mouseRelease(t, Qt::LeftButton, {}, edge + QPoint(50, 30));
    QCOMPARE(resized.value(0), QVariantList({QStringLiteral("review"), QDateTime(Start.addDays(2), QTime(9, 0)), 30}));

    // Less than half a quarter hour: nothing moves, it is a click.
    QTest::mousePress(t, Qt::LeftButton, {}, edge);
    QTest::mouseMove(t, edge + QPoint(0, -7));
    QTest::mouseRelease(t, Qt::LeftButton, {}, edge + QPoint(0, -7));
    QCOMPARE(resized.size(), 1);
    QCOMPARE(selected.value(0).first().toString(), QStringLiteral("review"));
}

void TestWeekTimelineWidget::doubleClickOnEmptySlot()
{
    WeekTimelineWidget *t = timeline({});
    QSignalSpy empty(t, &WeekTimelineWidget::emptySlotActivated);
    QTest::mouseDClick(t, Qt::LeftButton, {}, QPoint(64 + 2 * 140 + 30, 10 * 56 + 52 * 56 / 60 + 1));
    QTest::mouseDClick(t, Qt::LeftButton, {}, QPoint(64 + 6 * 140 + 10, 24 * 56 - 1));
    QTest::mouseDClick(t, Qt::LeftButton, {}, QPoint(30, 10 * 56));
    QCOMPARE(empty, QList<QVariantList>({{Start.addDays(2), QTime(10, 45)}, {Start.addDays(6), QTime(23, 45)}}));
}

void TestWeekTimelineWidget::keysAndWheel()
{
    Event holiday = WidgetFixture::allDayEvent(QStringLiteral("holiday"), Start, Start.addDays(1));
    WeekTimelineWidget *t =
        timeline({block(4, "08:00-09:00", "friday"), holiday, block(1, "15:00-16:00", "tuesday")});
    QSignalSpy focused(t, &WeekTimelineWidget::eventFocused);
    QTest::keyClick(t, Qt::Key_Tab);
    QTest::keyClick(t, Qt::Key_Tab, Qt::ShiftModifier);
    t->setSelectedEventId(QStringLiteral("friday"));
    QTest::keyClick(t, Qt::Key_Down);
    QCOMPARE(focused, QList<QVariantList>({{"tuesday"}, {"friday"}, {"tuesday"}}));

    QSignalSpy zoom(t, &WeekTimelineWidget::zoomRequested);
    const auto wheel = [t](int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(200, 200), t->mapToGlobal(QPointF(200, 200)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(t, &event);
        return event.isAccepted();
    };
    QVERIFY(wheel(120, Qt::ControlModifier));
    QVERIFY(wheel(60, Qt::ControlModifier));
    QVERIFY(!wheel(120, Qt::NoModifier));
    QCOMPARE(zoom, QList<QVariantList>({{1}}));
}

void TestWeekTimelineWidget::dropsOnADayAndRefusedOverTheGutter()
{
    QVERIFY(m_fixture->state()->preferences()->set(QStringLiteral("ui/taskDropAction"), QStringLiteral("start")));
    const Task task = m_fixture->addTask(QStringLiteral("Write report"));
    WeekTimelineWidget *t = timeline({});
    QMimeData mime;
    mime.setData(QStringLiteral("application/x-tindlebrook-task-id"), task.id.toUtf8());
    QVERIFY(!WidgetFixture::drop(t, QPoint(40, 10 * 56), &mime));
    QVERIFY(WidgetFixture::drop(t, QPoint(64 + 3 * 140 + 10, 10 * 56 + 20), &mime));
    const std::optional<Task> dropped = m_fixture->state()->tasks()->getById(task.id);
    QVERIFY(dropped && dropped->start_date);
    QCOMPARE(*dropped->start_date, QDateTime(Start.addDays(3), QTime(10, 15)));
    QMimeData other;
    other.setText(QStringLiteral("plain"));
    QVERIFY(!WidgetFixture::drop(t, QPoint(300, 300), &other));

    QStringList imported;
    t->setIcsImportSink([&imported](const QString &path) { imported.append(path); });
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.ics")), QUrl::fromLocalFile(QStringLiteral("/tmp/b.txt"))});
    QVERIFY(WidgetFixture::drop(t, QPoint(20, 20), &files));
    QTRY_COMPARE(imported, QStringList({QStringLiteral("/tmp/a.ics")}));
}

QTEST_MAIN(TestWeekTimelineWidget)
#include "tst_weektimelinewidget.moc"
