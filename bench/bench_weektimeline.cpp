#include "tests/support/widgetfixture.h"
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

private:
    void startDrag();

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
void BenchWeekTimeline::denseWeekPaint()
{
    QRandomGenerator random(500);
    QList<Event> events;
    for (int day = 0; day < 7; ++day) {
        const QDate date = m_start.addDays(day);
        for (int i = 0; i < 500; ++i) {
            const QDateTime start(date, QTime(7, 0).addSecs(60 * i));
            Event event = WidgetFixture::timedEvent(QStringLiteral("Daily %1").arg(i), start, start.addSecs(1800));
            event.id = QStringLiteral("daily-%1").arg(i);
            if (i % 2 == 0)
                event.reminders = {Reminder()};
            events.append(event);
        }
        for (int i = 0; i < 35; ++i) {
            const QDateTime start(date, QTime(0, 0).addSecs(60 * 15 * random.bounded(96)));
            Event event = WidgetFixture::timedEvent(QStringLiteral("Event %1").arg(i), start,
                                                    start.addSecs(60 * (30 + 15 * random.bounded(6))));
            event.id = QStringLiteral("event-%1-%2").arg(day).arg(i);
            events.append(event);
        }
    }
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

QTEST_MAIN(BenchWeekTimeline)
#include "bench_weektimeline.moc"
