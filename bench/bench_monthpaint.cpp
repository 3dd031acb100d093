#include "tests/support/widgetfixture.h"
#include "views/month/monthgridwidget.h"

#include <QRandomGenerator>
#include <QTest>

#include <memory>

// A full month page: twenty events on each of the 42 days, most of them
// behind a "+N more" line.
class BenchMonthPaint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void paint();
    void densePaint();

private:
    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<MonthGridWidget> m_grid;
};

void BenchMonthPaint::initTestCase()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    m_grid = std::make_unique<MonthGridWidget>(m_fixture->state());
    m_grid->resize(1440, 900);
    const QDate shown(2026, 3, 10);
    m_grid->setContent(shown, {}, {}, {}, {});
    const QDate first = m_grid->gridStart();
    QRandomGenerator random(42);
    QList<Event> events;
    for (int day = 0; day < 42; ++day) {
        for (int i = 0; i < 20; ++i) {
            const QDateTime start(first.addDays(day), QTime(7 + random.bounded(12), 15 * random.bounded(4)));
            Event event = WidgetFixture::timedEvent(QStringLiteral("Event %1 of the day").arg(i), start,
                                                    start.addSecs(3600));
            event.id = QStringLiteral("event-%1-%2").arg(day).arg(i);
            events.append(event);
        }
    }
    m_grid->setContent(shown, events, {}, {}, {});
    m_grid->grab();
    QCOMPARE(m_grid->overflowTexts().size(), 42);
}

void BenchMonthPaint::cleanupTestCase()
{
    m_grid.reset();
    m_fixture.reset();
}

void BenchMonthPaint::paint()
{
    QBENCHMARK {
        m_grid->grab();
    }
}

// The month of a store with 500 daily series that begin a minute apart and
// about 35 single events a day: over 500 events on each of the 42 days.
// Taking the events in and one full paint.
void BenchMonthPaint::densePaint()
{
    MonthGridWidget grid(m_fixture->state());
    grid.resize(1440, 900);
    const QDate shown(2026, 3, 10);
    grid.setContent(shown, {}, {}, {}, {});
    const QDate first = grid.gridStart();
    QRandomGenerator random(500);
    QList<Event> events;
    for (int day = 0; day < 42; ++day) {
        for (int i = 0; i < 500; ++i) {
            const QDateTime start(first.addDays(day), QTime(7, 0).addSecs(60 * i));
            Event event = WidgetFixture::timedEvent(QStringLiteral("Daily %1").arg(i), start, start.addSecs(1800));
            event.id = QStringLiteral("daily-%1").arg(i);
            events.append(event);
        }
        for (int i = 0; i < 35; ++i) {
            const QDateTime start(first.addDays(day), QTime(0, 0).addSecs(60 * 15 * random.bounded(96)));
            Event event = WidgetFixture::timedEvent(QStringLiteral("Event %1").arg(i), start, start.addSecs(3600));
            event.id = QStringLiteral("event-%1-%2").arg(day).arg(i);
            events.append(event);
        }
    }
    QBENCHMARK {
        grid.setContent(shown, events, {}, {}, {});
        grid.grab();
    }
    QCOMPARE(grid.overflowTexts().size(), 42);
}

QTEST_MAIN(BenchMonthPaint)
#include "bench_monthpaint.moc"
