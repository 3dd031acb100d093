#include "bench/benchstore.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "tests/support/tempdatadir.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>

#include <memory>

// One week of events out of a store of 50,000 spread over five years:
// timed, all-day, multi-day and recurring, with reminders and attendees.
class BenchEventRange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void queryPlan();
    void oneWeek_data();
    void oneWeek();
    void statementAlone_data();
    void statementAlone();

private:
    static constexpr int kEvents = 50000;
    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<EventRepository> m_repo;
    QStringList m_calendars;
};

void BenchEventRange::initTestCase()
{
    m_dir = std::make_unique<TempDataDir>();
    m_db = std::make_unique<Database>();
    QVERIFY(m_db->open(m_dir->databasePath()));
    QVERIFY(m_db->migrate());

    m_calendars = addBenchCalendars(m_db.get(), 5);
    QVERIFY(!m_calendars.isEmpty());
    m_repo = std::make_unique<EventRepository>(m_db.get());

    QRandomGenerator random(20240603);
    const QDateTime origin(QDate(2022, 1, 1), QTime(0, 0), QTimeZone::utc());
    const qint64 spanMinutes = 5LL * 365 * 24 * 60;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(m_db->database().transaction());
    for (int i = 0; i < kEvents; ++i) {
        Event e;
        e.id = QStringLiteral("ev-%1").arg(i);
        e.uid = e.id;
        e.calendar_id = m_calendars.at(i % m_calendars.size());
        e.title = QStringLiteral("Event %1").arg(i);
        e.raw_icalendar = QStringLiteral("");
        const QDateTime start =
            origin.addSecs(60 * (qint64(random.bounded(int(spanMinutes / 15))) * 15));
        const int kind = random.bounded(100);
        if (kind < 10) {
            e.is_all_day = true;
            e.start_time = QDateTime(start.date(), QTime(0, 0));
            e.end_time = QDateTime(start.date().addDays(1), QTime(0, 0));
        } else if (kind < 13) {
            e.is_all_day = true;
            e.start_time = QDateTime(start.date(), QTime(0, 0));
            e.end_time = QDateTime(start.date().addDays(2 + random.bounded(12)), QTime(0, 0));
        } else {
            e.start_time = start;
            e.end_time = start.addSecs(60 * (30 + 15 * random.bounded(6)));
            if (kind < 15)
                e.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
        }
        Reminder r;
        r.minutes_before = 15;
        e.reminders = {r};
        if (kind % 5 == 0) {
            Attendee a;
            a.email = QStringLiteral("guest%1@example.org").arg(i);
            e.attendees = {a};
        }
        QVERIFY(m_repo->insert(e));
    }
    QVERIFY(m_db->database().commit());
    qInfo().noquote()
        << QStringLiteral("inserted %1 events in %2 ms").arg(kEvents).arg(timer.elapsed());
    QSqlQuery analyze(m_db->database());
    analyze.exec(QStringLiteral("ANALYZE"));
}

void BenchEventRange::cleanupTestCase()
{
    m_repo.reset();
    m_db.reset();
    m_dir.reset();
}

void BenchEventRange::queryPlan()
{
    const QDateTime from(QDate(2024, 6, 10), QTime(0, 0));
    for (int calendarCount : {0, 3}) {
        QSqlQuery plan(m_db->database());
        QVERIFY(plan.prepare(QStringLiteral("EXPLAIN QUERY PLAN ")
                             + EventRepository::rangeStatement(calendarCount, true)));
        for (const QVariant &value : EventRepository::rangeBinds(from, from.addDays(7),
                                                                 m_calendars.mid(0, calendarCount),
                                                                 true))
            plan.addBindValue(value);
        QVERIFY(plan.exec());
        while (plan.next()) {
            qInfo().noquote() << QStringLiteral("plan (%1 calendars): %2")
                                     .arg(calendarCount)
                                     .arg(plan.value(3).toString());
        }
    }
}

void BenchEventRange::oneWeek_data()
{
    QTest::addColumn<QDate>("monday");
    QTest::addColumn<int>("calendars");
    QTest::newRow("early week, all calendars") << QDate(2022, 6, 6) << 0;
    QTest::newRow("middle week, all calendars") << QDate(2024, 6, 3) << 0;
    QTest::newRow("last week, all calendars") << QDate(2026, 12, 21) << 0;
    QTest::newRow("middle week, three calendars") << QDate(2024, 6, 3) << 3;
}

void BenchEventRange::oneWeek()
{
    QFETCH(QDate, monday);
    QFETCH(int, calendars);
    const QDateTime from(monday, QTime(0, 0));
    const QDateTime to(monday.addDays(7), QTime(0, 0));
    const QStringList ids = m_calendars.mid(0, calendars);
    int found = 0;
    QBENCHMARK
    {
        found = m_repo->getInRange(from, to, ids).size();
    }
    qInfo().noquote() << QStringLiteral("%1 events returned").arg(found);
    QVERIFY(found > 0);
}

void BenchEventRange::statementAlone_data()
{
    oneWeek_data();
}

// The range statement without building records or loading children, to
// tell the scan from the rest.
void BenchEventRange::statementAlone()
{
    QFETCH(QDate, monday);
    QFETCH(int, calendars);
    const QDateTime from(monday, QTime(0, 0));
    const QDateTime to(monday.addDays(7), QTime(0, 0));
    const QVariantList binds =
        EventRepository::rangeBinds(from, to, m_calendars.mid(0, calendars), true);
    int rows = 0;
    QBENCHMARK
    {
        QSqlQuery query(m_db->database());
        query.setForwardOnly(true);
        query.prepare(EventRepository::rangeStatement(calendars, true));
        for (const QVariant &value : binds)
            query.addBindValue(value);
        QVERIFY(query.exec());
        rows = 0;
        while (query.next())
            ++rows;
    }
    qInfo().noquote() << QStringLiteral("%1 rows").arg(rows);
}

QTEST_GUILESS_MAIN(BenchEventRange)
#include "bench_eventrange.moc"
