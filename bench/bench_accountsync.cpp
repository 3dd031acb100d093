// An account of 20 CalDAV calendars on a local Radicale, in a store of
// 50,000 events: 2,000 on the server (100 a calendar) and 48,000 in
// calendars kept on this device (pending, as local rows are; 500 weekly
// series with two changed days each among them). Timed through the sync
// orchestration the window uses:
//  - the auto-sync after one edit from the form in one calendar: from the
//    save until the sync has settled (the store's coalescing and the
//    orchestration's quiet period included), and the sync alone;
//  - a full sync of every calendar with nothing changed anywhere;
// each with the CPU this process spent meanwhile (the server's is its own).
// Where the program has them, the look for changed occurrences left in
// another calendar that every CalDAV push makes, and the look for the
// calendars at the other end of unsent moves that every local change
// makes, are timed alone too.
// Run: bench_accountsync (one pass; the figures are medians of its runs).
// BENCH_KEEP_STORE=<file> keeps a copy of the store at the end;
// BENCH_PERF_CONTROL=<fifo> writes "enable" and "disable" to perf's control
// fifo around the timed runs (perf record --control=fifo:<fifo> -D -1).
#include "app/appstate.h"
#include "app/edits/eventeditor.h"
#include "app/secrets/tokenstore.h"
#include "bench/benchstore.h"
#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/radicaleserver.h"
#include "tests/support/tempdatadir.h"
#include "ui/sync/syncorchestrator.h"

#if __has_include("store/strayoccurrences.h")
#include "store/movelinks.h"
#include "store/strayoccurrences.h"
#include "store/taskrepository.h"
#include "ui/sync/heldoldcopies.h"
#define BENCH_HAS_STRAY_LOOK 1
#endif

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

constexpr int kCalendars = 20;
constexpr int kServerEvents = 100;
constexpr int kLocalCalendars = 4;
constexpr int kLocalEvents = 48000;
constexpr int kLocalSeries = 500;
constexpr int kEdits = 20;
constexpr int kFullSyncs = 8;

QString calendarName(int i)
{
    return QStringLiteral("c%1").arg(i, 2, 10, QLatin1Char('0'));
}

QByteArray serverEvent(int calendar, int i)
{
    const QDateTime start = QDateTime(QDate(2026, 1, 5), QTime(8, 0), Qt::UTC).addSecs(qint64(i) * 7200);
    const QByteArray uid = "acct-" + QByteArray::number(calendar) + "-" + QByteArray::number(i);
    const QByteArray stamp = "yyyyMMdd'T'HHmmss'Z'";
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//EN\r\nBEGIN:VEVENT\r\nUID:" + uid
        + "\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:" + start.toString(QString::fromLatin1(stamp)).toUtf8()
        + "\r\nDTEND:" + start.addSecs(3600).toString(QString::fromLatin1(stamp)).toUtf8() + "\r\nSUMMARY:Meeting "
        + QByteArray::number(i) + "\r\nLOCATION:Room " + QByteArray::number(i % 30) + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

// The CPU this process has spent, in ms.
double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

struct Run
{
    qint64 wallMs = 0;
    qint64 syncMs = 0;
    double cpuMs = 0;
};

template <typename Value>
Value median(QList<Value> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

void report(const char *what, const QList<Run> &runs)
{
    QList<qint64> wall;
    QList<qint64> sync;
    QList<double> cpu;
    for (const Run &run : runs) {
        wall.append(run.wallMs);
        sync.append(run.syncMs);
        cpu.append(run.cpuMs);
    }
    std::printf("%-34s %2d runs: wall median %5lld ms (min %5lld)  sync alone median %5lld ms  CPU median %6.0f ms\n",
                what, int(runs.size()), static_cast<long long>(median(wall)),
                static_cast<long long>(*std::min_element(wall.cbegin(), wall.cend())),
                static_cast<long long>(median(sync)), median(cpu));
    std::fflush(stdout);
}

// Sleeps in the event loop until `done` holds (checked at each signal of
// interest and every few ms) or `ms` have passed; false on the timeout.
bool waitFor(const std::function<bool()> &done, int ms)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(2);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    poll.start();
    loop.exec();
    return done();
}

// Tells perf, when it listens, that a timed stretch starts or ends.
void perfControl(const char *command)
{
    static QFile *fifo = nullptr;
    const QString path = qEnvironmentVariable("BENCH_PERF_CONTROL");
    if (path.isEmpty())
        return;
    if (!fifo) {
        fifo = new QFile(path);
        if (!fifo->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            qFatal("cannot open the perf control fifo");
    }
    fifo->write(QByteArray(command) + '\n');
}

// The live events of the store.
int liveEvents(Database *db)
{
    QSqlQuery query(db->database());
    return query.exec(QStringLiteral("SELECT count(*) FROM events WHERE deleted_at IS NULL")) && query.next()
        ? query.value(0).toInt()
        : -1;
}

} // namespace

class BenchAccountSync : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void autoSyncAfterOneEdit();
    void fullSync();
    void looksEveryPushAndChangeMakes();

private:
    bool fullSyncOnce(Run *run);

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<RadicaleServer> m_server;
    std::unique_ptr<SyncOrchestrator> m_sync;
    QStringList m_localCalendars;
    bool m_busy = false;
    // The warm-up is over: the runs from now on are the timed ones.
    bool m_warm = false;
    int m_busyStarts = 0;
    bool m_fullSyncEnded = false;
    QElapsedTimer m_clock;
    qint64 m_busyAt = 0;
    qint64 m_idleAt = 0;
};

void BenchAccountSync::initTestCase()
{
    m_dir = std::make_unique<TempDataDir>();
    m_state = std::make_unique<AppState>();
    QVERIFY(m_state->initialize());
    m_server = std::make_unique<RadicaleServer>();
    QVERIFY2(m_server->start(), qPrintable(m_server->errorText()));

    Account account;
    account.id = QStringLiteral("dav");
    account.name = QStringLiteral("Radicale");
    account.type = AccountType::CalDav;
    account.server_url = m_server->baseUrl().toString();
    account.username = m_server->user();
    QVERIFY(m_state->accounts()->insert(account));
    for (int c = 0; c < kCalendars; ++c) {
        const QString name = calendarName(c);
        QVERIFY2(m_server->createCalendar(name, name), qPrintable(m_server->errorText()));
        // Laid straight into Radicale's folder, as its own storage holds
        // them: the set-up is not what is measured.
        const QString folder =
            m_server->storageRoot() + QStringLiteral("/collection-root/") + m_server->user() + QLatin1Char('/') + name;
        QVERIFY(QDir(folder).exists());
        for (int i = 0; i < kServerEvents; ++i) {
            QFile file(folder + QStringLiteral("/acct-%1-%2.ics").arg(c).arg(i));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(serverEvent(c, i));
        }
        Calendar calendar;
        calendar.id = calendar.name = name;
        calendar.account_id = account.id;
        calendar.url = m_server->calendarUrl(name).toString();
        calendar.sync_enabled = true;
        QVERIFY(m_state->calendars()->insert(calendar));
    }

    // The rows kept on this device, in one transaction.
    m_localCalendars = addBenchCalendars(m_state->database(), kLocalCalendars);
    QCOMPARE(m_localCalendars.size(), kLocalCalendars);
    EventRepository *events = m_state->events();
    QVERIFY(m_state->database()->database().transaction());
    const QDateTime origin(QDate(2024, 1, 1), QTime(9, 0), Qt::UTC);
    int stored = 0;
    for (int k = 0; k < kLocalSeries; ++k) {
        Event series;
        series.id = series.uid = QStringLiteral("walk-%1").arg(k);
        series.calendar_id = m_localCalendars.at(k % kLocalCalendars);
        series.title = QStringLiteral("Walk %1").arg(k);
        series.start_time = QDateTime(QDate(2026, 3, 2), QTime(8, 0), Qt::UTC).addDays(k % 7);
        series.end_time = series.start_time.addSecs(3600);
        series.recurrence_rule = QStringLiteral("FREQ=WEEKLY;COUNT=10");
        series.sync_status = SyncStatus::Pending;
        series.raw_icalendar = IcsCodec::buildEventIcs(series);
        QVERIFY(events->insert(series));
        ++stored;
        for (int week = 1; week <= 2; ++week) {
            Event changed = series;
            changed.id = changed.uid = series.id + QStringLiteral("-%1").arg(week);
            changed.master_event_uid = series.uid;
            changed.recurrence_rule.clear();
            changed.recurrence_id =
                series.start_time.addDays(7 * week).toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
            changed.start_time = series.start_time.addDays(7 * week).addSecs(7200);
            changed.end_time = changed.start_time.addSecs(3600);
            changed.title = QStringLiteral("Walk later");
            changed.raw_icalendar = IcsCodec::buildEventIcs(changed);
            QVERIFY(events->insert(changed));
            ++stored;
        }
    }
    for (int i = 0; stored < kLocalEvents; ++i, ++stored) {
        Event e;
        e.id = e.uid = QStringLiteral("local-%1").arg(i);
        e.calendar_id = m_localCalendars.at(i % kLocalCalendars);
        e.title = QStringLiteral("Note %1").arg(i);
        e.description = QStringLiteral("Kept on this device, item %1").arg(i);
        e.start_time = origin.addSecs(3600LL * (i % 20000));
        e.end_time = e.start_time.addSecs(3600);
        e.sync_status = SyncStatus::Pending;
        e.raw_icalendar = IcsCodec::buildEventIcs(e);
        QVERIFY(events->insert(e));
    }
    QVERIFY(m_state->database()->database().commit());

    auto secrets = std::make_shared<QHash<QString, QString>>();
    secrets->insert(caldavPasswordKey(account.id), m_server->password());
    m_sync = std::make_unique<SyncOrchestrator>(m_state.get());
    m_sync->setSecretStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
    m_clock.start();
    connect(m_state.get(), &AppState::syncBusyChanged, this, [this](bool busy) {
        m_busy = busy;
        if (busy) {
            ++m_busyStarts;
            m_busyAt = m_clock.elapsed();
        } else {
            m_idleAt = m_clock.elapsed();
        }
    });
    connect(m_sync.get(), &SyncOrchestrator::statusMessageEnded, this, [this] { m_fullSyncEnded = true; });

    // The first full sync pulls the server's 2,000 events (and Radicale
    // builds its caches); the second finds everything as it was.
    for (int i = 0; i < 2; ++i) {
        Run warm;
        QVERIFY(fullSyncOnce(&warm));
        std::printf("warm-up full sync %d: %lld ms\n", i + 1, static_cast<long long>(warm.wallMs));
    }
    m_warm = true;
    const int rows = liveEvents(m_state->database());
    std::printf("store: %d events, %d in the account's calendars\n", rows, rows - kLocalEvents);
    std::fflush(stdout);
    QCOMPARE(rows, kLocalEvents + kCalendars * kServerEvents);
}

void BenchAccountSync::cleanupTestCase()
{
    // A copy of the store to look at its queries by hand.
    const QString keep = qEnvironmentVariable("BENCH_KEEP_STORE");
    if (!keep.isEmpty()) {
        QSqlQuery query(m_state->database()->database());
        if (!query.exec(QStringLiteral("VACUUM INTO '%1'").arg(keep)))
            std::printf("could not keep the store: %s\n", qPrintable(query.lastError().text()));
    }
    m_sync.reset();
    m_server.reset();
    m_state.reset();
    m_dir.reset();
}

bool BenchAccountSync::fullSyncOnce(Run *run)
{
    m_fullSyncEnded = false;
    const int startsBefore = m_busyStarts;
    QElapsedTimer timer;
    timer.start();
    const double cpuBefore = cpuMs();
    if (m_warm)
        perfControl("enable");
    m_sync->syncAll();
    const bool ended = waitFor([this] { return m_fullSyncEnded && !m_busy; }, 600000);
    if (m_warm)
        perfControl("disable");
    run->wallMs = timer.elapsed();
    run->cpuMs = cpuMs() - cpuBefore;
    run->syncMs = run->wallMs;
    if (!ended || m_busyStarts == startsBefore || m_state->lastSyncErrored()) {
        std::printf("  full sync did not end cleanly: %s\n", qPrintable(m_state->lastSyncError()));
        return false;
    }
    return true;
}

// One event of a calendar retitled from the form, each time another
// calendar's, until its upload has settled.
void BenchAccountSync::autoSyncAfterOneEdit()
{
    EventEditor editor(m_state->events(), m_state->calendars(), m_state->database(), nullptr);
    QList<Run> runs;
    for (int i = 0; i < kEdits; ++i) {
        QVERIFY(waitFor([this] { return !m_busy && m_sync->pendingAutoSyncCalendarIds().isEmpty(); }, 60000));
        QTest::qWait(200);
        const QString calendarId = calendarName((7 * i + 3) % kCalendars);
        const QList<Event> rows = m_state->events()->getByCalendar(calendarId);
        QVERIFY(!rows.isEmpty());
        const Event original = rows.at(i % rows.size());
        Event edited = original;
        edited.title = QStringLiteral("Edited %1").arg(i);
        const int startsBefore = m_busyStarts;
        Run run;
        QElapsedTimer timer;
        timer.start();
        const double cpuBefore = cpuMs();
        perfControl("enable");
        QVERIFY(editor.saveForm(original, edited).ok);
        const bool settled = waitFor(
            [&] {
                if (m_busy || m_busyStarts == startsBefore || !m_sync->pendingAutoSyncCalendarIds().isEmpty())
                    return false;
                const std::optional<Event> now = m_state->events()->getById(original.id);
                return now && now->sync_status == SyncStatus::Synced;
            },
            60000);
        perfControl("disable");
        run.wallMs = timer.elapsed();
        run.cpuMs = cpuMs() - cpuBefore;
        run.syncMs = m_idleAt - m_busyAt;
        QVERIFY2(settled, qPrintable(m_state->lastSyncError()));
        runs.append(run);
    }
    report("auto-sync after one edit", runs);
}

void BenchAccountSync::fullSync()
{
    QList<Run> runs;
    for (int i = 0; i < kFullSyncs; ++i) {
        QVERIFY(waitFor([this] { return !m_busy && m_sync->pendingAutoSyncCalendarIds().isEmpty(); }, 60000));
        QTest::qWait(200);
        Run run;
        QVERIFY(fullSyncOnce(&run));
        runs.append(run);
    }
    report("full sync of 20 calendars", runs);
}

void BenchAccountSync::looksEveryPushAndChangeMakes()
{
#ifdef BENCH_HAS_STRAY_LOOK
    constexpr int kLooks = 20;
    const auto timed = [](const char *what, const std::function<void()> &look) {
        look();
        QElapsedTimer timer;
        timer.start();
        const double cpuBefore = cpuMs();
        for (int i = 0; i < kLooks; ++i)
            look();
        std::printf("%-58s %7.2f ms each, CPU %7.2f ms (%d looks)\n", what,
                    double(timer.nsecsElapsed()) / 1e6 / kLooks, (cpuMs() - cpuBefore) / kLooks, kLooks);
        std::fflush(stdout);
    };
    Database *db = m_state->database();
    EventRepository *events = m_state->events();
    const QString account = calendarName(7);
    const QString local = m_localCalendars.first();
    timed("occurrences left elsewhere, before a push of c07", [&] {
        if (!StrayOccurrences::returnToSeries(db, events, account).isEmpty())
            qFatal("nothing was left elsewhere");
    });
    timed("other ends of unsent moves, a change in c07", [&] { MoveLinks::otherEnds(db->database(), account); });
    timed("other ends of unsent moves, a change in a local calendar",
          [&] { MoveLinks::otherEnds(db->database(), local); });
    HeldOldCopies held;
    timed("old copies held back, as the sync of c07 starts",
          [&] { held.note(*events, *m_state->tasks(), account); });
#else
    QSKIP("This version makes neither look.");
#endif
}

QTEST_MAIN(BenchAccountSync)
#include "bench_accountsync.moc"
