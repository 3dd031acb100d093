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

    QElapsedTimer timer;
    timer.start();
    QVERIFY(m_db->database().transaction());
    for (int i = 0; i < kEvents; ++i) {
        Event e = benchMeeting(i, m_calendarIds.first());
        e.raw_icalendar = IcsCodec::buildEventIcs(e);
        QVERIFY(m_events->insert(e));
    }
    for (int k = 0; k < kSeries; ++k)
        QVERIFY(addBenchWalk(*m_events, k, m_calendarIds.first()));
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
