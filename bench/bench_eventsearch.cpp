#include "bench/benchstore.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "tests/support/tempdatadir.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <QTimeZone>

#include <memory>

// The search dialog's query over a store of 50,000 events spread over ten
// years: text, range and checked calendars in one statement, against the
// text search with the range and calendars applied to its first 300 rows.
class BenchEventSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void searchInRange_data();
    void searchInRange();
    void textThenFilter_data();
    void textThenFilter();

private:
    static constexpr int kEvents = 50000;
    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<EventRepository> m_repo;
    QStringList m_calendars;
    QDateTime m_now;
};

void BenchEventSearch::initTestCase()
{
    m_dir = std::make_unique<TempDataDir>();
    m_db = std::make_unique<Database>();
    QVERIFY(m_db->open(m_dir->databasePath()));
    QVERIFY(m_db->migrate());
    m_calendars = addBenchCalendars(m_db.get(), 5);
    QVERIFY(!m_calendars.isEmpty());
    m_repo = std::make_unique<EventRepository>(m_db.get());

    const QStringList words = {QStringLiteral("Standup"), QStringLiteral("Review"), QStringLiteral("Lunch"),
                               QStringLiteral("Planning"), QStringLiteral("Dentist"), QStringLiteral("Call")};
    QRandomGenerator random(20261207);
    m_now = QDateTime(QDate(2026, 12, 7), QTime(12, 0));
    const QDateTime origin = m_now.addDays(-3650);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(m_db->database().transaction());
    for (int i = 0; i < kEvents; ++i) {
        Event e;
        e.id = e.uid = QStringLiteral("ev-%1").arg(i);
        e.calendar_id = m_calendars.at(i % m_calendars.size());
        e.title = words.at(random.bounded(int(words.size()))) + QStringLiteral(" %1").arg(i);
        e.location = i % 7 == 0 ? QStringLiteral("Room %1").arg(i % 40) : QString();
        e.description = i % 3 == 0 ? QStringLiteral("Notes for the team, item %1").arg(i) : QString();
        e.start_time = origin.addSecs(60LL * 15 * random.bounded(4 * 24 * 3650 + 4 * 24 * 365));
        e.end_time = e.start_time.addSecs(3600);
        e.raw_icalendar = QStringLiteral("");
        QVERIFY(m_repo->insert(e));
    }
    QVERIFY(m_db->database().commit());
    qInfo().noquote() << QStringLiteral("inserted %1 events in %2 ms").arg(kEvents).arg(timer.elapsed());
}

void BenchEventSearch::cleanupTestCase()
{
    m_repo.reset();
    m_db.reset();
    m_dir.reset();
}

void BenchEventSearch::searchInRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pastDays");
    QTest::addColumn<int>("futureDays");
    QTest::addColumn<int>("calendars");
    QTest::newRow("common word, all time, all calendars") << "review" << 3650 << 3650 << 5;
    QTest::newRow("common word, next 30 days, all calendars") << "review" << 0 << 30 << 5;
    QTest::newRow("common word, past 30 days, two calendars") << "standup" << 30 << 7 << 2;
    QTest::newRow("rare text, all time") << "item 4999" << 3650 << 3650 << 5;
    QTest::newRow("no match, all time") << "zzz" << 3650 << 3650 << 5;
}

void BenchEventSearch::searchInRange()
{
    QFETCH(QString, text);
    QFETCH(int, pastDays);
    QFETCH(int, futureDays);
    QFETCH(int, calendars);
    const QStringList ids = m_calendars.mid(0, calendars);
    int found = 0;
    QBENCHMARK
    {
        found = int(m_repo->searchInRange(text, m_now.addDays(-pastDays), m_now.addDays(futureDays), ids, 300).size());
    }
    qInfo().noquote() << QStringLiteral("%1 listed").arg(found);
}

void BenchEventSearch::textThenFilter_data()
{
    searchInRange_data();
}

// The text search first, then range and calendars in memory over its 300
// earliest rows (what finds nothing recent for a common word).
void BenchEventSearch::textThenFilter()
{
    QFETCH(QString, text);
    QFETCH(int, pastDays);
    QFETCH(int, futureDays);
    QFETCH(int, calendars);
    const QSet<QString> ids(m_calendars.begin(), m_calendars.begin() + calendars);
    const QDateTime from = m_now.addDays(-pastDays);
    const QDateTime to = m_now.addDays(futureDays);
    int found = 0;
    QBENCHMARK
    {
        found = 0;
        for (const Event &e : m_repo->search(text, 300)) {
            if (e.start_time >= from && e.start_time <= to && ids.contains(e.calendar_id))
                ++found;
        }
    }
    qInfo().noquote() << QStringLiteral("%1 listed").arg(found);
}

QTEST_GUILESS_MAIN(BenchEventSearch)
#include "bench_eventsearch.moc"
