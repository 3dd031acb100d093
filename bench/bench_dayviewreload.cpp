#include "app/appstate.h"
#include "bench/loopwait.h"
#include "bench/stallwatch.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "tests/support/widgetfixture.h"
#include "views/day/daytimelinewidget.h"
#include "views/day/dayview.h"
#include "views/week/weektimelinewidget.h"
#include "views/week/weekview.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// Counts the paints a widget receives from the event loop.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count() const { return m_count; }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_count;
        return false;
    }

private:
    int m_count = 0;
};

} // namespace

// What one change costs the day view: a store of 50,000 events over four
// years, 100 of them repeating series, and the reload that every
// eventsChanged triggers (range read, expansion, filters, both widgets).
class BenchDayViewReload : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void reloadAfterOneChange();
    void reloadToPaintedResult();
    void weekReloadToPaintedResult();
    void denseReloadToPaintedResult();

private:
    void weekReloads(const char *what, bool grab = true);

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<DayView> m_view;
};

void BenchDayViewReload::initTestCase()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    EventRepository *events = m_fixture->state()->events();
    QRandomGenerator random(50000);
    const QDateTime origin(QDate(2024, 6, 1), QTime(0, 0));
    QElapsedTimer timer;
    timer.start();
    QVERIFY(m_fixture->db()->database().transaction());
    for (int i = 0; i < 50000; ++i) {
        const QDateTime start = origin.addSecs(60LL * 15 * random.bounded(4 * 365 * 96));
        Event event = WidgetFixture::timedEvent(QStringLiteral("Event %1").arg(i), start,
                                                start.addSecs(60 * (30 + 15 * random.bounded(6))));
        event.id = QStringLiteral("event-%1").arg(i);
        event.uid = event.id;
        event.raw_icalendar = QStringLiteral("");
        if (i < 100) {
            // Series that started before the day shown and run through it.
            event.start_time = QDateTime(QDate(2025, 1, 6).addDays(i % 7), QTime(8 + i % 10, 0));
            event.end_time = event.start_time.addSecs(1800);
            event.recurrence_rule = i % 2 ? QStringLiteral("FREQ=WEEKLY") : QStringLiteral("FREQ=DAILY;INTERVAL=3");
        }
        QVERIFY(events->insert(event));
    }
    QVERIFY(m_fixture->db()->database().commit());
    qInfo().noquote() << QStringLiteral("stored 50000 events in %1 ms").arg(timer.elapsed());

    m_view = std::make_unique<DayView>(m_fixture->state());
    m_view->setClock(m_fixture->clock());
    m_view->resize(1200, 800);
    m_view->setDate(QDate(2026, 3, 10));
}

void BenchDayViewReload::cleanupTestCase()
{
    m_view.reset();
    m_fixture.reset();
}

void BenchDayViewReload::reloadAfterOneChange()
{
    Event changed = m_fixture->storedEvent(QStringLiteral("event-4242"));
    QSignalSpy reloads(m_fixture->state()->events(), &EventRepository::eventsChanged);
    changed.title = QStringLiteral("Renamed");
    QVERIFY(m_fixture->state()->events()->update(changed));
    QVERIFY(reloads.wait(2000));
    QBENCHMARK {
        m_view->reload();
    }
    m_view->timeline()->grab();
    qInfo().noquote() << QStringLiteral("blocks on the day: %1").arg(m_view->timeline()->hitRects().size());
}

// A reload as the event loop sees it: the time from asking to the painted
// day, and the longest stretch the loop could not answer meanwhile (the
// whole read when it runs on the GUI thread).
void BenchDayViewReload::reloadToPaintedResult()
{
    QElapsedTimer clock;
    clock.start();
    StallWatch watch(clock, 1);
    QList<qint64> totals;
    for (int i = 0; i < 20; ++i) {
        loopFor(20);
        const qint64 asked = clock.nsecsElapsed();
        QTimer::singleShot(0, m_view.get(), [this] { m_view->reload(); });
#if __has_include("views/common/viewrangeloader.h")
        QSignalSpy loaded(m_view.get(), &DayView::rangeLoaded);
        QVERIFY(loaded.wait(5000));
#else
        QCoreApplication::processEvents();
#endif
        m_view->timeline()->grab();
        totals.append((clock.nsecsElapsed() - asked) / 1000);
    }
    watch.close();
    std::sort(totals.begin(), totals.end());
    qInfo("reload to painted day: median %.1f ms; longest event-loop stall %lld ms", totals.at(10) / 1000.0,
          watch.longest());
}

// The same store in the week view (the view a first start shows): the
// week's read, expansion and layout run where it is read; the GUI thread
// applies and paints.
void BenchDayViewReload::weekReloadToPaintedResult()
{
    weekReloads("week");
    weekReloads("week, painted by the event loop", false);
}

// The same after 500 daily series that begin a minute apart: hundreds of
// overlapping, very narrow blocks on every day. Runs last, as it changes
// the store the cases above measure.
void BenchDayViewReload::denseReloadToPaintedResult()
{
    EventRepository *events = m_fixture->state()->events();
    QVERIFY(m_fixture->db()->database().transaction());
    for (int i = 0; i < 500; ++i) {
        const QDateTime start(QDate(2026, 2, 1), QTime(7, 0).addSecs(60 * i));
        Event event = WidgetFixture::timedEvent(QStringLiteral("Daily %1").arg(i), start, start.addSecs(1800));
        event.id = QStringLiteral("daily-%1").arg(i);
        event.uid = event.id;
        event.raw_icalendar = QStringLiteral("");
        event.recurrence_rule = QStringLiteral("FREQ=DAILY");
        QVERIFY(events->insert(event));
    }
    QVERIFY(m_fixture->db()->database().commit());
    reloadToPaintedResult();
    qInfo().noquote() << QStringLiteral("dense: blocks on the day: %1").arg(m_view->timeline()->hitRects().size());
    weekReloads("dense week");
    weekReloads("dense week, painted by the event loop", false);
}

// With `grab`, each reload ends in a synchronous grab of the whole view
// (which paints the week a second time after the paint the reload itself
// asks for); without it, the time runs to the week's own paint.
void BenchDayViewReload::weekReloads(const char *what, bool grab)
{
    WeekView week(m_fixture->state(), true);
    week.setClock(m_fixture->clock());
    week.resize(1400, 900);
    week.refresh(QDate(2026, 3, 10));
    week.show();
    QVERIFY(QTest::qWaitForWindowExposed(&week));
    QTRY_VERIFY(!week.isLoading());
    QElapsedTimer clock;
    clock.start();
    StallWatch watch(clock, 1);
    QList<qint64> totals;
    for (int i = 0; i < 20; ++i) {
        loopFor(20);
        const qint64 asked = clock.nsecsElapsed();
        QTimer::singleShot(0, &week, [&week] { week.reload(); });
        if (grab) {
            QSignalSpy loaded(&week, &WeekView::rangeLoaded);
            QVERIFY(loaded.wait(5000));
            week.grab();
        } else {
            PaintCounter paints(week.timeline());
            int paintsWhenLoaded = -1;
            connect(&week, &WeekView::rangeLoaded, &paints, [&] { paintsWhenLoaded = paints.count(); });
            QVERIFY(loopUntil([&] { return paintsWhenLoaded >= 0 && paints.count() > paintsWhenLoaded; }, 5000));
        }
        totals.append((clock.nsecsElapsed() - asked) / 1000);
    }
    watch.close();
    std::sort(totals.begin(), totals.end());
    qInfo("reload to painted %s: median %.1f ms; longest event-loop stall %lld ms", what, totals.at(10) / 1000.0,
          watch.longest());
}

QTEST_MAIN(BenchDayViewReload)
#include "bench_dayviewreload.moc"
