#include "tests/support/widgetfixture.h"
#include "views/day/daytimelinewidget.h"
#include "views/week/weektimelinewidget.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QTest>

#include <memory>

// A fortnight of busy days on a large screen: fourteen columns of forty
// events each at 1440 × 2000. A drag across days repaints on every mouse
// move, so one step must stay inside a frame (16 ms).
class BenchWeekTimeline : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void grabWithLayoutCached();
    void grabAfterNewEvents();
    void dragMoveStep();
    void dragMoveStepFullRepaint();
    void denseWeekPaint();
    void screenshots();

private:
    void startDrag();
    static QList<Event> denseWeek(const QDate &start);

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<WeekTimelineWidget> m_timeline;
    QList<Event> m_events;
    QDate m_start;
    QPoint m_press;
    int m_step = 0;
};

void BenchWeekTimeline::initTestCase()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    QRandomGenerator random(1440);
    m_start = QDate(2026, 3, 9);
    for (int day = 0; day < 14; ++day) {
        for (int i = 0; i < 40; ++i) {
            const QDateTime start(m_start.addDays(day), QTime(6 + random.bounded(14), 15 * random.bounded(4)));
            Event event = WidgetFixture::timedEvent(QStringLiteral("Meeting %1 with a longer title").arg(i), start,
                                                    start.addSecs(60 * (30 + 15 * random.bounded(6))));
            event.id = QStringLiteral("event-%1-%2").arg(day).arg(i);
            if (i % 3 == 0)
                event.reminders = {Reminder()};
            m_events.append(event);
        }
    }
    m_timeline = std::make_unique<WeekTimelineWidget>(m_fixture->state());
    m_timeline->setClock(m_fixture->clock());
    m_timeline->setMinimumWidth(0);
    m_timeline->resize(1440, 2000);
    m_timeline->setEvents(m_start, 14, m_events, {}, {}, {});
    m_timeline->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_timeline.get()));
    m_timeline->grab();
}

void BenchWeekTimeline::cleanupTestCase()
{
    m_timeline.reset();
    m_fixture.reset();
}

void BenchWeekTimeline::grabWithLayoutCached()
{
    QBENCHMARK {
        m_timeline->grab();
    }
}

void BenchWeekTimeline::grabAfterNewEvents()
{
    QBENCHMARK {
        m_timeline->setEvents(m_start, 14, m_events, {}, {}, {});
        m_timeline->grab();
    }
}

void BenchWeekTimeline::startDrag()
{
    m_timeline->grab();
    const QList<EventHitRect> hits = m_timeline->hitRects();
    QVERIFY(!hits.isEmpty());
    // A block of the fourth day, dragged right and down.
    m_press = hits.at(3 * 40 + 20).rect.topLeft() + QPoint(3, 3);
    QTest::mousePress(m_timeline.get(), Qt::LeftButton, {}, m_press);
    QTest::mouseMove(m_timeline.get(), m_press + QPoint(10, 20));
    QCOMPARE(m_timeline->dragMode(), int(WeekTimelineWidget::DragMoving));
    // The full repaints of the press and of the last release are not steps.
    QCoreApplication::sendPostedEvents();
    QApplication::processEvents();
}

void BenchWeekTimeline::dragMoveStep()
{
    startDrag();
    const int column = m_timeline->columnWidth();
    // Every step moves by a quarter hour and a day, so every step repaints.
    QBENCHMARK {
        m_step = (m_step + 1) % 8;
        QTest::mouseMove(m_timeline.get(), m_press + QPoint(column * m_step, 21 * (m_step + 1)));
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
    }
    QTest::mouseRelease(m_timeline.get(), Qt::LeftButton, {}, m_press);
}

void BenchWeekTimeline::dragMoveStepFullRepaint()
{
    startDrag();
    const int column = m_timeline->columnWidth();
    QBENCHMARK {
        m_step = (m_step + 1) % 8;
        QTest::mouseMove(m_timeline.get(), m_press + QPoint(column * m_step, 21 * (m_step + 1)));
        m_timeline->repaint();
    }
    QTest::mouseRelease(m_timeline.get(), Qt::LeftButton, {}, m_press);
}

// A week of a store with 500 daily series that begin a minute apart and
// about 35 single events a day: over 500 narrow, overlapping blocks in every
// column, at the size the week view gives it. One full paint, laid out
// already.
QList<Event> BenchWeekTimeline::denseWeek(const QDate &start)
{
    QRandomGenerator random(500);
    QList<Event> events;
    for (int day = 0; day < 7; ++day) {
        const QDate date = start.addDays(day);
        for (int i = 0; i < 500; ++i) {
            const QDateTime begin(date, QTime(7, 0).addSecs(60 * i));
            Event event = WidgetFixture::timedEvent(QStringLiteral("Daily %1").arg(i), begin, begin.addSecs(1800));
            event.id = QStringLiteral("daily-%1").arg(i);
            if (i % 2 == 0)
                event.reminders = {Reminder()};
            events.append(event);
        }
        for (int i = 0; i < 35; ++i) {
            const QDateTime begin(date, QTime(0, 0).addSecs(60 * 15 * random.bounded(96)));
            Event event = WidgetFixture::timedEvent(QStringLiteral("Event %1").arg(i), begin,
                                                    begin.addSecs(60 * (30 + 15 * random.bounded(6))));
            event.id = QStringLiteral("event-%1-%2").arg(day).arg(i);
            events.append(event);
        }
    }
    return events;
}

void BenchWeekTimeline::denseWeekPaint()
{
    const QList<Event> events = denseWeek(m_start);
    WeekTimelineWidget dense(m_fixture->state());
    dense.setClock(m_fixture->clock());
    dense.setMinimumWidth(0);
    dense.resize(1380, 56 * 24);
    dense.setEvents(m_start, 7, events, {}, {}, {});
    dense.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dense));
    dense.grab();
    qInfo().noquote() << QStringLiteral("dense week: %1 blocks").arg(dense.hitRects().size());
    QBENCHMARK {
        dense.grab();
    }
}

// With BENCH_SHOT_DIR set: an ordinary and a dense week and day saved as
// PNG files there, to compare the painting before and after a change; with
// BENCH_SHOT_REFERENCE also set, each is compared with the file of the same
// name there and the pixels that differ are counted.
static void saveShot(const QPixmap &shot, const QString &name)
{
    const QString dir = qEnvironmentVariable("BENCH_SHOT_DIR");
    QVERIFY(shot.save(dir + QLatin1Char('/') + name));
    const QString referenceDir = qEnvironmentVariable("BENCH_SHOT_REFERENCE");
    if (referenceDir.isEmpty())
        return;
    const QImage now = shot.toImage().convertToFormat(QImage::Format_RGB32);
    const QImage before = QImage(referenceDir + QLatin1Char('/') + name).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(before.size(), now.size());
    QImage diff(now.size(), QImage::Format_RGB32);
    diff.fill(Qt::white);
    int count = 0;
    QRect area;
    for (int y = 0; y < now.height(); ++y) {
        for (int x = 0; x < now.width(); ++x) {
            if (now.pixel(x, y) != before.pixel(x, y)) {
                ++count;
                area |= QRect(x, y, 1, 1);
                diff.setPixel(x, y, qRgb(255, 0, 0));
            }
        }
    }
    QVERIFY(diff.save(dir + QStringLiteral("/diff-") + name));
    qInfo("%s: %d pixels differ, within (%d, %d) %d x %d", qPrintable(name), count, area.x(), area.y(), area.width(),
          area.height());
}

void BenchWeekTimeline::screenshots()
{
    const QString dir = qEnvironmentVariable("BENCH_SHOT_DIR");
    if (dir.isEmpty())
        QSKIP("BENCH_SHOT_DIR is not set");
    QList<Event> ordinary;
    const auto add = [&](int day, QTime from, int minutes, const QString &title) -> Event & {
        const QDateTime begin(m_start.addDays(day), from);
        ordinary.append(WidgetFixture::timedEvent(title, begin, begin.addSecs(60 * minutes)));
        ordinary.last().id = QStringLiteral("ordinary-%1").arg(ordinary.size());
        return ordinary.last();
    };
    add(0, QTime(9, 0), 60, QStringLiteral("Stand-up"));
    add(0, QTime(9, 30), 90, QStringLiteral("Design review with the whole team")).reminders = {Reminder()};
    add(1, QTime(8, 0), 30, QStringLiteral("Short"));
    add(1, QTime(13, 0), 15, QStringLiteral("Quarter hour call"));
    Event &pending = add(2, QTime(10, 0), 120, QStringLiteral("Workshop"));
    pending.sync_status = SyncStatus::Pending;
    pending.reminders = {Reminder()};
    add(2, QTime(10, 30), 60, QStringLiteral("Overlap"));
    add(2, QTime(11, 0), 60, QStringLiteral("Third in a row"));
    add(3, QTime(12, 0), 60, QStringLiteral("Lunch"));
    add(4, QTime(16, 0), 45, QStringLiteral("Friday wrap-up with a very long title that does not fit"));
    add(5, QTime(9, 0), 240, QStringLiteral("Hike"));
    QSet<QString> pendingCalendars{ordinary.at(4).calendar_id};
    const QString selected = ordinary.at(1).id;
    const QList<Event> dense = denseWeek(m_start);

    for (const auto &[name, events] : {std::pair{QStringLiteral("ordinary"), ordinary},
                                       std::pair{QStringLiteral("dense"), dense}}) {
        WeekTimelineWidget week(m_fixture->state());
        week.setClock(m_fixture->clock());
        week.setMinimumWidth(0);
        week.resize(1380, 56 * 24);
        week.setEvents(m_start, 7, events, {}, {QStringLiteral("ordinary-8")}, pendingCalendars);
        week.setSelectedEventId(selected);
        week.show();
        QVERIFY(QTest::qWaitForWindowExposed(&week));
        saveShot(week.grab(), QStringLiteral("week-%1.png").arg(name));

        DayTimelineWidget day(m_fixture->state());
        day.setClock(m_fixture->clock());
        day.setDate(m_start.addDays(2));
        day.resize(1200, 56 * 24);
        day.setEvents(events, {}, {QStringLiteral("ordinary-8")}, pendingCalendars);
        day.setSelectedEventId(ordinary.at(6).id);
        day.show();
        QVERIFY(QTest::qWaitForWindowExposed(&day));
        saveShot(day.grab(), QStringLiteral("day-%1.png").arg(name));
    }
}

QTEST_MAIN(BenchWeekTimeline)
#include "bench_weektimeline.moc"
