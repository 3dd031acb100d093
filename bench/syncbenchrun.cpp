#include "bench/syncbenchrun.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDriver>
#include <QTest>

#include <sqlite3.h>

#include "bench/stallwatch.h"
#include "calendar/icscodec.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "sync/core/calendarsyncclient.h"

#include <cstdio>

namespace {

int countCommit(void *)
{
    ++committed();
    return 0;
}

} // namespace

void SyncBenchOutcome::printFailures() const
{
    for (const QString &failure : failures)
        std::printf("  failure: %s\n", qPrintable(failure));
    std::fflush(stdout);
}

SyncBenchOutcome syncCalendarOnce(Sync::CalendarSyncClient &client, const Calendar &calendar)
{
    SyncBenchOutcome outcome;
    QObject context;
    QObject::connect(&client, &Sync::CalendarSyncClient::calendarSyncCompleted, &context,
                     [&](const QString &, int n) {
                         ++outcome.completions;
                         outcome.count = n;
                     });
    QObject::connect(&client, &Sync::CalendarSyncClient::calendarSyncFailed, &context,
                     [&](const QString &, const QString &reason) { outcome.failures.append(reason); });
    QElapsedTimer timer;
    timer.start();
    StallWatch watch(timer);
    client.syncCalendar(calendar);
    while (!outcome.completions && outcome.failures.isEmpty() && timer.elapsed() < 600000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    outcome.ms = timer.elapsed();
    watch.close();
    outcome.longestStallMs = watch.longest();
    QTest::qWait(200);
    return outcome;
}

bool addPendingEvents(EventRepository &events, const QString &calendarId, int count, const QDateTime &first)
{
    for (int i = 0; i < count; ++i) {
        Event event;
        event.id = event.uid = QStringLiteral("push-%1").arg(i);
        event.calendar_id = calendarId;
        event.title = QStringLiteral("Pushed %1").arg(i);
        event.start_time = first.addSecs(qint64(i) * 3600);
        event.sync_status = SyncStatus::Pending;
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
        if (!events.insert(event))
            return false;
    }
    return true;
}

int &committed()
{
    static int commits = 0;
    return commits;
}

void watchCommits(Database *db)
{
    const QVariant handle = db->database().driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        sqlite3_commit_hook(*static_cast<sqlite3 *const *>(handle.data()), countCommit, nullptr);
}
