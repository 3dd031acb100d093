#include "app/edits/eventeditor.h"
#include "bench/benchstore.h"
#include "calendar/icscodec.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "tests/support/tempdatadir.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimeZone>

#include <memory>

// One event moved to another calendar through the form, from a calendar of
// 48,000 rows each with its stored text: a weekly series with two changed
// occurrences, each iteration the next of 500 such series. What a move
// reads of the old calendar is what the form waits for. Run it with a fixed
// count: bench_eventmove -iterations 20.
class BenchEventMove : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void moveSeriesToAnotherCalendar();

private:
    static constexpr int kSeries = 500;
    // With the series and their changed occurrences, 48,000 rows.
    static constexpr int kEvents = 48000 - 3 * kSeries;
    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<EventRepository> m_events;
    std::unique_ptr<CalendarRepository> m_calendars;
    QStringList m_calendarIds;
    int m_nextSeries = 0;
};

void BenchEventMove::initTestCase()
{
    m_dir = std::make_unique<TempDataDir>();
    m_db = std::make_unique<Database>();
    QVERIFY(m_db->open(m_dir->databasePath()));
    QVERIFY(m_db->migrate());
    m_calendarIds = addBenchCalendars(m_db.get(), 2);
    QVERIFY(!m_calendarIds.isEmpty());
    m_events = std::make_unique<EventRepository>(m_db.get());
    m_calendars = std::make_unique<CalendarRepository>(m_db.get());

    const QTimeZone berlin("Europe/Berlin");
    const QDateTime origin(QDate(2024, 1, 1), QTime(9, 0), berlin);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(m_db->database().transaction());
    for (int i = 0; i < kEvents; ++i) {
        Event e;
        e.id = e.uid = QStringLiteral("ev-%1").arg(i);
        e.calendar_id = m_calendarIds.first();
        e.title = QStringLiteral("Meeting %1").arg(i);
        e.description = QStringLiteral("Notes for the team, item %1").arg(i);
        e.start_time = origin.addSecs(3600LL * (i % 20000));
        e.end_time = e.start_time.addSecs(3600);
        e.timezone = QStringLiteral("Europe/Berlin");
        e.raw_icalendar = IcsCodec::buildEventIcs(e);
        QVERIFY(m_events->insert(e));
    }
    for (int k = 0; k < kSeries; ++k) {
        Event series;
        series.id = series.uid = QStringLiteral("walk-%1").arg(k);
        series.calendar_id = m_calendarIds.first();
        series.title = QStringLiteral("Walk %1").arg(k);
        series.start_time = QDateTime(QDate(2026, 3, 2), QTime(9, 0), berlin).addDays(k % 7);
        series.end_time = series.start_time.addSecs(3600);
        series.timezone = QStringLiteral("Europe/Berlin");
        series.recurrence_rule = QStringLiteral("FREQ=WEEKLY;COUNT=10");
        series.raw_icalendar = IcsCodec::buildEventIcs(series);
        QVERIFY(m_events->insert(series));
        for (int week = 1; week <= 2; ++week) {
            Event changed = series;
            changed.id = series.id + QStringLiteral("-%1").arg(week);
            changed.recurrence_rule.clear();
            changed.recurrence_id =
                series.start_time.addDays(7 * week).toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
            changed.start_time = series.start_time.addDays(7 * week).addSecs(7200);
            changed.end_time = changed.start_time.addSecs(3600);
            changed.title = QStringLiteral("Walk later");
            changed.raw_icalendar = IcsCodec::buildEventIcs(changed);
            QVERIFY(m_events->insert(changed));
        }
    }
    QVERIFY(m_db->database().commit());
    qInfo().noquote() << QStringLiteral("inserted %1 events in %2 ms").arg(kEvents + 3 * kSeries).arg(timer.elapsed());
}

void BenchEventMove::cleanupTestCase()
{
    m_events.reset();
    m_calendars.reset();
    m_db.reset();
    m_dir.reset();
}

// Each iteration moves the next series, with its two changed occurrences,
// out of the full calendar.
void BenchEventMove::moveSeriesToAnotherCalendar()
{
    EventEditor editor(m_events.get(), m_calendars.get(), m_db.get(), nullptr);
    QBENCHMARK
    {
        QVERIFY2(m_nextSeries < kSeries, "more iterations than series: give -iterations 20");
        const Event series = *m_events->getById(QStringLiteral("walk-%1").arg(m_nextSeries++));
        Event moved = series;
        moved.calendar_id = m_calendarIds.at(1);
        QVERIFY(editor.saveForm(series, moved).ok);
    }
    // Every series moved took its two changed occurrences along.
    QCOMPARE(m_events->getByCalendar(m_calendarIds.at(1)).size(), 3 * m_nextSeries);
}

QTEST_GUILESS_MAIN(BenchEventMove)
#include "bench_eventmove.moc"
