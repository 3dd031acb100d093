#include "app/appstate.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "tests/support/widgetfixture.h"
#include "views/minimonth/minimonthcalendar.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// The mini month's busy days for its 42-day grid in a store of 50,000
// events over four years, 100 of them repeating series: the read on the
// loader's thread and the busy days applied, until they are in place.
class BenchMiniMonthReload : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
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
                event.start_time = QDateTime(QDate(2025, 1, 6).addDays(i % 7), QTime(8 + i % 10, 0));
                event.end_time = event.start_time.addSecs(1800);
                event.recurrence_rule = i % 2 ? QStringLiteral("FREQ=WEEKLY") : QStringLiteral("FREQ=DAILY;INTERVAL=3");
            }
            QVERIFY(events->insert(event));
        }
        QVERIFY(m_fixture->db()->database().commit());
        qInfo().noquote() << QStringLiteral("stored 50000 events in %1 ms").arg(timer.elapsed());
        m_fixture->state()->setCurrentDate(QDate(2026, 3, 10));
        m_calendar = std::make_unique<MiniMonthCalendar>(m_fixture->state());
        m_calendar->resize(240, 274);
    }

    void cleanupTestCase()
    {
        m_calendar.reset();
        m_fixture.reset();
    }

    void reloadBusyDays()
    {
        QSignalSpy loaded(m_calendar.get(), &MiniMonthCalendar::busyDaysLoaded);
        QBENCHMARK {
            m_calendar->reloadBusyDays();
            QVERIFY(loaded.wait(10000));
        }
        QVERIFY(m_calendar->busyDays().size() > 30);
    }

private:
    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<MiniMonthCalendar> m_calendar;
};

QTEST_MAIN(BenchMiniMonthReload)
#include "bench_minimonthreload.moc"
