#include "bench/benchstore.h"
#include "calendar/icscodec.h"
#include "calendar/icstext.h"
#include "store/database.h"
#include "store/eventbatchwriter.h"
#include "store/floatingstamps.h"
#include "store/floatingzone.h"
#include "store/readinzones.h"
#include "store/sqlquery.h"
#include "tests/support/computerzone.h"
#include "tests/support/tempdatadir.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimeZone>

#include <ctime>
#include <memory>

// What the store does when it opens before the window shows, on large
// stores: the floating rows pinned again in the computer's new zone, and
// the upgrade's renaming of the days skipped or changed in floating series
// under the previous version. Each load is a store of its own:
//   300 floating series in a calendar of 48,000 events,
//   5,191 floating rows in a calendar of 48,000 events (1,000 series, each
//   with two changed occurrences, and single events),
//   5,000 floating series in a calendar of 48,000 events,
//   50,000 floating rows (an imported archive: 500 series, each with three
//   changed occurrences, and single events).
// Each floating series is weekly on Fridays at 00:30 with two changed
// occurrences and two skipped days, named by the instants the previous
// version stepped it on. Each figure ("… in N ms", with the processor time
// it took) is one run, as a start
// runs it once (a slow one may need more than Qt Test's 5 minutes):
//   QTEST_FUNCTION_TIMEOUT=3600000 TZ=Europe/Berlin bench_storeopen
class BenchStoreOpen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void repinInAnotherZone_data();
    void repinInAnotherZone();
    void renameFloatingStamps_data();
    void renameFloatingStamps();
    void findZonesOfAnUpgradedStore();

private:
    void fill(Database *db, int series, int changedEach, int floatingSingles, int zonedSingles,
              bool oldNames = true);
};

namespace {

// The processor time this thread has taken, in milliseconds: on a machine
// others load, the wall time of a run is longer than its work.
qint64 threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// A zone other than the computer's, as if the rows were read there.
QString otherZone()
{
    return QTimeZone::systemTimeZoneId() == "America/New_York" ? QStringLiteral("Asia/Tokyo")
                                                                 : QStringLiteral("America/New_York");
}

// The instant the previous version named the n-th Friday after a series'
// first start (a Friday 00:30 on the wall clock) by: its UTC stepping read
// the Fridays of the rule in UTC, a day after the wall clock's.
QString oldFriday(const QDateTime &first, int n)
{
    return IcsText::utcText(first.toUTC().addDays(7 * n + 1));
}

} // namespace

void BenchStoreOpen::fill(Database *db, int series, int changedEach, int floatingSingles, int zonedSingles,
                          bool oldNames)
{
    // The n-th Friday named as the previous version did, or as the wall
    // clock does.
    const auto friday = [oldNames](const QDateTime &first, int n) {
        return oldNames ? oldFriday(first, n) : IcsText::utcText(first.addDays(7 * n));
    };
    const QString calendarId = addBenchCalendars(db, 1).value(0);
    QVERIFY(!calendarId.isEmpty());
    EventBatchWriter writer(db);
    QVERIFY(db->database().transaction());
    for (int k = 0; k < series; ++k) {
        Event walk;
        walk.id = walk.uid = QStringLiteral("walk-%1").arg(k);
        walk.calendar_id = calendarId;
        walk.title = QStringLiteral("Walk %1").arg(k);
        walk.start_time = QDateTime(QDate(2026, 1, 2).addDays(7 * (k % 20)), QTime(0, 30));
        walk.end_time = walk.start_time.addSecs(3600);
        walk.timezone = QStringLiteral(""); // floating: no zone, an empty text
        walk.recurrence_rule = QStringLiteral("FREQ=WEEKLY;BYDAY=FR");
        walk.exception_dates = QStringLiteral("[\"%1\",\"%2\"]").arg(friday(walk.start_time, 3),
                                                                     friday(walk.start_time, 13));
        walk.raw_icalendar = IcsCodec::buildEventIcs(walk);
        QVERIFY(writer.insert(walk));
        for (int n = 1; n <= changedEach; ++n) {
            Event changed = walk;
            changed.id = walk.id + QStringLiteral("-%1").arg(n);
            changed.master_event_uid = walk.uid;
            changed.recurrence_rule.clear();
            changed.exception_dates.clear();
            changed.recurrence_id = friday(walk.start_time, 5 * n);
            changed.start_time = walk.start_time.addDays(7 * 5 * n).addSecs(7200);
            changed.end_time = changed.start_time.addSecs(3600);
            changed.title = QStringLiteral("Walk later");
            changed.raw_icalendar = IcsCodec::buildEventIcs(changed);
            QVERIFY(writer.insert(changed));
        }
    }
    for (int i = 0; i < floatingSingles + zonedSingles; ++i) {
        Event e = benchMeeting(i, calendarId);
        if (i < floatingSingles) {
            e.start_time = QDateTime(e.start_time.date(), e.start_time.time());
            e.end_time = e.start_time.addSecs(3600);
            e.timezone = QStringLiteral("");
        }
        e.raw_icalendar = IcsCodec::buildEventIcs(e);
        QVERIFY(writer.insert(e));
    }
    QVERIFY(db->database().commit());
}

void BenchStoreOpen::repinInAnotherZone_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("changedEach");
    QTest::addColumn<int>("floatingSingles");
    QTest::addColumn<int>("zonedSingles");
    QTest::newRow("300 floating series in 48,000 events") << 300 << 2 << 0 << 48000 - 900;
    QTest::newRow("5,191 floating rows in 48,000 events") << 1000 << 2 << 5191 - 3000 << 48000 - 5191;
    QTest::newRow("5,000 floating series in 48,000 events") << 5000 << 2 << 0 << 48000 - 15000;
    QTest::newRow("50,000 floating rows") << 500 << 3 << 50000 - 2000 << 0;
}

// The store opened on a computer in another zone than its floating rows
// were read in: FloatingZone's whole pass, as Database::migrate() runs it.
void BenchStoreOpen::repinInAnotherZone()
{
    QFETCH(int, series);
    QFETCH(int, changedEach);
    QFETCH(int, floatingSingles);
    QFETCH(int, zonedSingles);
    TempDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    QVERIFY(db.migrate());
    fill(&db, series, changedEach, floatingSingles, zonedSingles);
    const QString floating = QStringLiteral("SELECT count(*) FROM events WHERE is_all_day = 0 AND timezone = ''");
    qInfo().noquote() << SqlQuery::firstValue(db.database(), floating, {}).toInt() << "floating rows of"
                      << SqlQuery::firstValue(db.database(), QStringLiteral("SELECT count(*) FROM events"), {}).toInt();
    const QString setZone = QStringLiteral("UPDATE settings SET value = ? WHERE key = 'time/floatingZone'");
    QVERIFY(SqlQuery::exec(db.database(), "BenchStoreOpen", "repin", setZone, {otherZone()}));
    QElapsedTimer clock;
    clock.start();
    const qint64 cpu = threadCpuMs();
    QVERIFY(FloatingZone::repinIfMoved(&db));
    qInfo().noquote() << "repinned in" << clock.elapsed() << "ms," << threadCpuMs() - cpu << "ms of processor time";
    const QString zone = QStringLiteral("SELECT value FROM settings WHERE key = 'time/floatingZone'");
    QCOMPARE(SqlQuery::firstValue(db.database(), zone, {}).toByteArray(), QTimeZone::systemTimeZoneId());
}

void BenchStoreOpen::renameFloatingStamps_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("singles");
    QTest::addColumn<bool>("oldNames");
    QTest::newRow("5,000 floating series in 48,000 events") << 5000 << 48000 - 15000 << true;
    QTest::newRow("5,000 floating series named on the wall clock in 48,000 events") << 5000 << 48000 - 15000 << false;
}

// The upgrade's renaming as Database::migrate() runs it once migration 26
// marked it due: every series named by the previous version (each row
// rewritten), or every one named on the wall clock already (read alone).
void BenchStoreOpen::renameFloatingStamps()
{
    QFETCH(int, series);
    QFETCH(int, singles);
    QFETCH(bool, oldNames);
    TempDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    QVERIFY(db.migrate());
    fill(&db, series, 2, 0, singles, oldNames);
    const QString markDue =
        QStringLiteral("INSERT INTO settings (key, value) VALUES ('store/floatingStampsRenameDue', 'true')");
    QVERIFY(SqlQuery::exec(db.database(), "BenchStoreOpen", "rename", markDue, {}));
    QElapsedTimer clock;
    clock.start();
    const qint64 cpu = threadCpuMs();
    QVERIFY(FloatingStamps::runIfDue(&db));
    qInfo().noquote() << "renamed in" << clock.elapsed() << "ms," << threadCpuMs() - cpu << "ms of processor time";
}

// The first start of a store the previous version left (no zone recorded)
// on a computer in another zone than its rows were read in: the search for
// that zone among all the computer knows, from the rows' own texts, once
// for the renaming and once for the pinning.
void BenchStoreOpen::findZonesOfAnUpgradedStore()
{
    TempDataDir dir;
    {
        Database db;
        QVERIFY(db.open(dir.databasePath()));
        QVERIFY(db.migrate());
        fill(&db, 500, 3, 50000 - 2000, 0);
        QVERIFY(SqlQuery::exec(db.database(), "BenchStoreOpen", "zones",
                               QStringLiteral("DELETE FROM settings WHERE key = 'time/floatingZone'"), {}));
    }
    qint64 wall = -1;
    qint64 cpu = -1;
    QString found;
    inComputerZone(otherZone().toUtf8(), [&] {
        Database db;
        if (!db.open(dir.databasePath(), QStringLiteral("elsewhere")))
            return;
        QElapsedTimer clock;
        clock.start();
        const qint64 before = threadCpuMs();
        const std::optional<ReadInZones> zones = ReadInZones::fromRows(&db);
        wall = clock.elapsed();
        cpu = threadCpuMs() - before;
        found = zones ? QString::fromUtf8(zones->common().id()) : QString();
    });
    QVERIFY(wall >= 0);
    qInfo().noquote() << "50,000 floating rows read in" << found << "found in" << wall << "ms," << cpu
                      << "ms of processor time";
}

QTEST_GUILESS_MAIN(BenchStoreOpen)
#include "bench_storeopen.moc"
