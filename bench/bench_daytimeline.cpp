#include "tests/support/widgetfixture.h"
#include "views/day/daytimelinewidget.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QTest>

#include <memory>

// Painting a busy day: sixty events, many of them side by side. A drag
// repaints on every mouse move, so one move step (snap, preview and the
// repaint it causes) must stay well inside a frame.
class BenchDayTimeline : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void grabWithLayoutCached();
    void grabAfterNewEvents();
    void dragMoveStep();
    void dragMoveStepFullRepaint();

private:
    void startDrag();

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<DayTimelineWidget> m_timeline;
    QList<Event> m_events;
    QPoint m_press;
    int m_step = 0;
};

void BenchDayTimeline::initTestCase()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    QRandomGenerator random(60);
    const QDate day(2026, 3, 10);
    for (int i = 0; i < 60; ++i) {
        const QDateTime start(day, QTime(7 + random.bounded(11), 15 * random.bounded(4)));
        Event event = WidgetFixture::timedEvent(QStringLiteral("Meeting %1 with a longer title").arg(i), start,
                                                start.addSecs(60 * (30 + 15 * random.bounded(6))));
        event.id = QStringLiteral("event-%1").arg(i);
        if (i % 3 == 0)
            event.reminders = {Reminder()};
        m_events.append(event);
    }
    m_timeline = std::make_unique<DayTimelineWidget>(m_fixture->state());
    m_timeline->setClock(m_fixture->clock());
    m_timeline->setDate(day);
    m_timeline->resize(1200, 56 * 24);
    m_timeline->setEvents(m_events, {}, {}, {});
    m_timeline->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_timeline.get()));
    m_timeline->grab();
}

void BenchDayTimeline::cleanupTestCase()
{
    m_timeline.reset();
    m_fixture.reset();
}

void BenchDayTimeline::grabWithLayoutCached()
{
    QBENCHMARK {
        m_timeline->grab();
    }
}

void BenchDayTimeline::grabAfterNewEvents()
{
    QBENCHMARK {
        m_timeline->setEvents(m_events, {}, {}, {});
        m_timeline->grab();
    }
}

void BenchDayTimeline::startDrag()
{
    m_timeline->grab();
    const QList<EventHitRect> hits = m_timeline->hitRects();
    QVERIFY(!hits.isEmpty());
    m_press = hits.at(hits.size() / 2).rect.topLeft() + QPoint(10, 3);
    QTest::mousePress(m_timeline.get(), Qt::LeftButton, {}, m_press);
    QTest::mouseMove(m_timeline.get(), m_press + QPoint(0, 20));
    QCOMPARE(m_timeline->dragMode(), int(DayTimelineWidget::DragMoving));
}

void BenchDayTimeline::dragMoveStep()
{
    startDrag();
    // Every step moves by a quarter hour, so every step repaints.
    QBENCHMARK {
        m_step = (m_step + 1) % 16;
        QTest::mouseMove(m_timeline.get(), m_press + QPoint(0, 14 * (m_step + 1)));
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
    }
    QTest::mouseRelease(m_timeline.get(), Qt::LeftButton, {}, m_press);
}

void BenchDayTimeline::dragMoveStepFullRepaint()
{
    startDrag();
    QBENCHMARK {
        m_step = (m_step + 1) % 16;
        QTest::mouseMove(m_timeline.get(), m_press + QPoint(0, 14 * (m_step + 1)));
        m_timeline->repaint();
    }
    QTest::mouseRelease(m_timeline.get(), Qt::LeftButton, {}, m_press);
}

QTEST_MAIN(BenchDayTimeline)
#include "bench_daytimeline.moc"
