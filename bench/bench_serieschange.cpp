#include "app/edits/eventeditor.h"
#include "app/edits/recurringeditscope.h"
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

// A change of a whole series in a calendar of 48,000 rows, each with its
// stored text: 500 weekly series with two changed occurrences each, single
// events, and the series changed here, a daily Berlin series with 0, 20
// or 500 changed occurrences. Dragged "All events" by an hour (back and
// forth), saved from the form with a new title and an hour later, and
// split "This and following" (a series of its own each iteration). What
// the step reads and writes is what the window waits for. Run it with a
// fixed count: bench_serieschange -iterations 4.
class BenchSeriesChange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void dragAllEvents_data();
    void dragAllEvents();
    void formSavesTheSeries();
    void thisAndFollowing();

private:
    Event storeSeries(const QString &id, int changed);

    static constexpr int kSeries = 500;
    static constexpr int kSplits = 12;
    static constexpr int kEvents = 48000 - 3 * kSeries - (1 + 21 + 501) - kSplits * 501;
    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<EventRepository> m_events;
    std::unique_ptr<CalendarRepository> m_calendars;
    QString m_calendarId;
    int m_nextSplit = 0;
};

// A daily series at 09:00 in Berlin from Monday 2 March 2026, its first
// `changed` occurrences moved two hours later under a title of their own.
Event BenchSeriesChange::storeSeries(const QString &id, int changed)
{
    const QTimeZone berlin("Europe/Berlin");
    Event series;
    series.id = series.uid = id;
    series.calendar_id = m_calendarId;
    series.title = id;
    series.start_time = QDateTime(QDate(2026, 3, 2), QTime(9, 0), berlin);
    series.end_time = series.start_time.addSecs(3600);
    series.timezone = QStringLiteral("Europe/Berlin");
    series.recurrence_rule = QStringLiteral("FREQ=DAILY;COUNT=1000");
    series.raw_icalendar = IcsCodec::buildEventIcs(series);
    if (!m_events->insert(series))
        qFatal("setup write refused");
    for (int day = 1; day <= changed; ++day) {
        Event row = series;
        row.id = row.uid = id + QStringLiteral("-%1").arg(day);
        row.master_event_uid = series.uid;
        row.recurrence_rule.clear();
        const QDateTime occurrence = series.start_time.addDays(day);
        row.recurrence_id = occurrence.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
        row.start_time = occurrence.addSecs(7200);
        row.end_time = row.start_time.addSecs(3600);
        row.title = QStringLiteral("Later");
        row.raw_icalendar = IcsCodec::buildEventIcs(row);
        if (!m_events->insert(row))
            qFatal("setup write refused");
    }
    return series;
}

void BenchSeriesChange::initTestCase()
{
    m_dir = std::make_unique<TempDataDir>();
    m_db = std::make_unique<Database>();
    QVERIFY(m_db->open(m_dir->databasePath()));
    QVERIFY(m_db->migrate());
    const QStringList calendarIds = addBenchCalendars(m_db.get(), 1);
    QVERIFY(!calendarIds.isEmpty());
    m_calendarId = calendarIds.first();
    m_events = std::make_unique<EventRepository>(m_db.get());
    m_calendars = std::make_unique<CalendarRepository>(m_db.get());

    QElapsedTimer timer;
    timer.start();
    QVERIFY(m_db->database().transaction());
    for (int i = 0; i < kEvents; ++i) {
        Event e = benchMeeting(i, m_calendarId);
        e.raw_icalendar = IcsCodec::buildEventIcs(e);
        QVERIFY(m_events->insert(e));
    }
    for (int k = 0; k < kSeries; ++k)
        QVERIFY(addBenchWalk(*m_events, k, m_calendarId));
    for (int changed : {0, 20, 500})
        storeSeries(QStringLiteral("run-%1").arg(changed), changed);
    for (int k = 0; k < kSplits; ++k)
        storeSeries(QStringLiteral("split-%1").arg(k), 500);
    QVERIFY(m_db->database().commit());
    QCOMPARE(m_events->countInCalendar(m_calendarId), 48000);
    qInfo().noquote() << QStringLiteral("inserted 48000 events in %1 ms").arg(timer.elapsed());
}

void BenchSeriesChange::cleanupTestCase()
{
    m_events.reset();
    m_calendars.reset();
    m_db.reset();
    m_dir.reset();
}

void BenchSeriesChange::dragAllEvents_data()
{
    QTest::addColumn<int>("changed");
    QTest::newRow("no changed occurrence") << 0;
    QTest::newRow("20 changed occurrences") << 20;
    QTest::newRow("500 changed occurrences") << 500;
}

// The series' second occurrence dragged an hour later, then back.
void BenchSeriesChange::dragAllEvents()
{
    QFETCH(int, changed);
    const QString id = QStringLiteral("run-%1").arg(changed);
    EventEditor editor(m_events.get(), m_calendars.get(), m_db.get(), nullptr);
    int step = 0;
    QBENCHMARK
    {
        const Event series = *m_events->getById(id);
        const QDateTime occurrence = series.start_time.addDays(1);
        const int minutes = step++ % 2 == 0 ? 60 : -60;
        const EventEditor::Times times{occurrence.addSecs(minutes * 60), occurrence.addSecs(minutes * 60 + 3600)};
        QVERIFY(editor.changeTimes(series, occurrence, times, EventEditor::TimeEdit::Move, SeriesScope::AllEvents).ok);
    }
    // Every changed occurrence went along.
    QCOMPARE(m_events->getOccurrencesOf(id, m_calendarId).size(), changed);
}

// The series with 500 changed occurrences saved whole from the form: a new
// title and an hour later, then back.
void BenchSeriesChange::formSavesTheSeries()
{
    const QString id = QStringLiteral("run-500");
    EventEditor editor(m_events.get(), m_calendars.get(), m_db.get(), nullptr);
    int step = 0;
    QBENCHMARK
    {
        const Event series = *m_events->getById(id);
        Event edited = series;
        const int seconds = step++ % 2 == 0 ? 3600 : -3600;
        edited.title = QStringLiteral("Run %1").arg(step);
        edited.start_time = series.start_time.addSecs(seconds);
        edited.end_time = series.end_time->addSecs(seconds);
        QVERIFY(editor.saveForm(series, edited).ok);
    }
    QCOMPARE(m_events->getOccurrencesOf(id, m_calendarId).size(), 500);
}

// A series with 500 changed occurrences split at its first one, the rest an
// hour later: each changed occurrence goes to the new series.
void BenchSeriesChange::thisAndFollowing()
{
    EventEditor editor(m_events.get(), m_calendars.get(), m_db.get(), nullptr);
    QBENCHMARK
    {
        QVERIFY2(m_nextSplit < kSplits, "more iterations than series to split: give at most -iterations 4");
        const Event series = *m_events->getById(QStringLiteral("split-%1").arg(m_nextSplit++));
        const QDateTime occurrence = series.start_time.addDays(1);
        const EventEditor::Times times{occurrence.addSecs(3600), occurrence.addSecs(7200)};
        QVERIFY(editor.changeTimes(series, occurrence, times, EventEditor::TimeEdit::Move,
                                   SeriesScope::ThisAndFollowing)
                    .ok);
        QCOMPARE(m_events->getOccurrencesOf(series.uid, m_calendarId).size(), 0);
    }
}

QTEST_GUILESS_MAIN(BenchSeriesChange)
#include "bench_serieschange.moc"
