// Latency of the auto-sync: from an event's write to the store until its
// upload has reached a local Radicale (the item file exists in the
// server's storage). Includes the store's change coalescing, the
// orchestration's quiet period, the pull before the push and the PUT.
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTest>

#include "app/appstate.h"
#include "app/secrets/tokenstore.h"
#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/radicaleserver.h"
#include "tests/support/tempdatadir.h"
#include "ui/sync/syncorchestrator.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kRuns = 20;

Event newEvent(int index)
{
    Event event;
    event.id = event.uid = QStringLiteral("bench-auto-sync-%1").arg(index);
    event.calendar_id = QStringLiteral("work");
    event.title = QStringLiteral("Edit %1").arg(index);
    event.start_time = QDateTime(QDate(2026, 3, 10), QTime(9, 0), Qt::UTC).addDays(index);
    event.end_time = event.start_time.addSecs(3600);
    event.created = event.last_modified = QDateTime::currentDateTimeUtc();
    event.sync_status = SyncStatus::Pending;
    event.raw_icalendar = IcsCodec::buildEventIcs(event);
    return event;
}

// The item's file in the server's storage, wherever the server keeps it.
QString storedFile(const QString &root, const QString &uid)
{
    QDirIterator it(root, {uid + QStringLiteral(".ics")}, QDir::Files, QDirIterator::Subdirectories);
    return it.hasNext() ? it.next() : QString();
}

} // namespace

class BenchAutoSync : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void editToServer()
    {
        TempDataDir dir;
        AppState state;
        QVERIFY(state.initialize());
        RadicaleServer server;
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        QVERIFY(server.createCalendar(QStringLiteral("work"), QStringLiteral("Work")));

        Account account;
        account.id = account.name = QStringLiteral("dav");
        account.type = AccountType::CalDav;
        account.server_url = server.baseUrl().toString();
        account.username = server.user();
        QVERIFY(state.accounts()->insert(account));
        Calendar calendar;
        calendar.id = calendar.name = QStringLiteral("work");
        calendar.account_id = account.id;
        calendar.url = server.calendarUrl(QStringLiteral("work")).toString();
        calendar.sync_enabled = true;
        QVERIFY(state.calendars()->insert(calendar));
        auto secrets = std::make_shared<QHash<QString, QString>>();
        secrets->insert(caldavPasswordKey(account.id), server.password());
        SyncOrchestrator sync(&state);
        sync.setSecretStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });

        // The first upload finds where the server keeps the calendar's items.
        QVERIFY(state.events()->insert(newEvent(0)));
        QTRY_VERIFY_WITH_TIMEOUT(!storedFile(server.storageRoot(), newEvent(0).uid).isEmpty(), 20000);
        const QString folder = QFileInfo(storedFile(server.storageRoot(), newEvent(0).uid)).path();

        QList<qint64> latencies;
        for (int i = 1; i <= kRuns; ++i) {
            // Each edit after the previous upload has settled.
            QTRY_VERIFY_WITH_TIMEOUT(state.runningSyncCount() == 0 && sync.pendingAutoSyncCalendarIds().isEmpty(),
                                     20000);
            const Event event = newEvent(i);
            const QString file = folder + QLatin1Char('/') + event.uid + QStringLiteral(".ics");
            QElapsedTimer timer;
            timer.start();
            QVERIFY(state.events()->insert(event));
            while (!QFileInfo::exists(file) && timer.elapsed() < 20000)
                QTest::qWait(1);
            QVERIFY(QFileInfo::exists(file));
            latencies.append(timer.elapsed());
        }
        std::sort(latencies.begin(), latencies.end());
        const qint64 median = (latencies.at(kRuns / 2 - 1) + latencies.at(kRuns / 2)) / 2;
        std::printf("edit to PUT on the server, %d runs: median %lld ms, min %lld ms, max %lld ms\n", kRuns,
                    static_cast<long long>(median), static_cast<long long>(latencies.first()),
                    static_cast<long long>(latencies.last()));
    }
};

QTEST_MAIN(BenchAutoSync)
#include "bench_autosync.moc"
