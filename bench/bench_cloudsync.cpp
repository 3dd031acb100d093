// Cloud calendar sync against the local fake cloud service: a first pull of
// 5,000 events (wall time, rows written, change signals), an unchanged
// re-pull from the stored cursor (which must write nothing), a full re-pull
// without the cursor, and a push of 500 pending events; each with the
// longest stretch the event loop could not answer. The fake service runs on
// a thread of its own, so that its serving is not counted as the client's
// stall. TINDLE_BENCH_APPLY_HERE=1 writes the pulls on this thread, as
// before the worker.
#include <QScopeGuard>
#include <QTest>
#include <QThread>

#include "account/apiclient.h"
#include "account/tokenmanager.h"
#include "bench/syncbenchrun.h"
#include "cloud/syncclient.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "tests/support/fakecloudserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/teststore.h"

#include <cstdio>
#include <memory>
#include <type_traits>

namespace {

constexpr int kPulled = 5000;
constexpr int kPushed = 500;

QString eventText(int i)
{
    const QDateTime start = QDateTime(QDate(2026, 1, 5), QTime(8, 0), Qt::UTC).addSecs(qint64(i) * 5400);
    const QString format = QStringLiteral("yyyyMMdd'T'HHmmss'Z'");
    return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other Device//EN\r\nBEGIN:VEVENT\r\n"
                          "UID:bench-%1\r\nDTSTAMP:%2\r\nDTSTART:%2\r\nDTEND:%3\r\nSUMMARY:Event %1\r\n"
                          "LOCATION:Room %4\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT10M\r\n"
                          "END:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
        .arg(i)
        .arg(start.toString(format), start.addSecs(3600).toString(format))
        .arg(i % 40);
}

// Runs `work` on the fake service's thread and answers its result.
template<typename Work>
auto onServer(QObject *context, Work work)
{
    std::invoke_result_t<Work> result{};
    QMetaObject::invokeMethod(context, work, Qt::BlockingQueuedConnection, &result);
    return result;
}

} // namespace

class BenchCloudSync : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pullAndPush()
    {
        TestStore store;
        EventRepository events(store.db());
        AccountRepository accounts(store.db());
        CalendarRepository calendars(store.db());
        QThread serverThread;
        serverThread.start();
        QObject serverContext;
        serverContext.moveToThread(&serverThread);
        std::unique_ptr<FakeCloudServer> owned;
        const FakeCloudServer::Tokens issued = onServer(&serverContext, [&] {
            owned = std::make_unique<FakeCloudServer>();
            if (!owned->listen())
                return FakeCloudServer::Tokens();
            owned->calendars().addCalendar(QJsonObject{{"id", "bench"}});
            for (int i = 0; i < kPulled; ++i)
                owned->calendars().putEvent("bench", QStringLiteral("bench-%1").arg(i), eventText(i));
            return owned->signIn();
        });
        QVERIFY(!issued.accessToken.isEmpty());
        FakeCloudServer &server = *owned;
        const auto requestCount = [&] { return onServer(&serverContext, [&] { return server.requests().size(); }); };
        const auto stopServer = qScopeGuard([&] {
            onServer(&serverContext, [&] {
                owned.reset();
                return true;
            });
            serverThread.quit();
            serverThread.wait();
        });
        TindAccount::TokenManager tokens(std::make_unique<MemoryTokenStore>());
        tokens.setTokens(issued.accessToken, issued.refreshToken);
        TindAccount::ApiClient api(&tokens);
        api.setBaseUrl(QUrl(onServer(&serverContext, [&] { return server.syncApiUrl(); })));

        Account account;
        account.id = QStringLiteral("cloud");
        account.name = QStringLiteral("Tindlebrook");
        account.type = AccountType::Tindlebrook;
        QVERIFY(accounts.insert(account));
        Calendar calendar;
        calendar.id = QStringLiteral("bench");
        calendar.account_id = account.id;
        calendar.name = QStringLiteral("Bench");
        calendar.url = QStringLiteral("tindlebrook://bench");
        calendar.sync_enabled = true;
        QVERIFY(calendars.insert(calendar));
        Tindlebrook::SyncClient client(Sync::Repositories{store.db(), &events, nullptr, &calendars, &accounts},
                                       nullptr, &api);
        client.setApplyOnWorker(qEnvironmentVariableIsEmpty("TINDLE_BENCH_APPLY_HERE"));
        int announcements = 0;
        connect(&events, &EventRepository::eventsChanged, this, [&] { ++announcements; });

        const auto run = [&](const char *what) {
            const qsizetype requestsBefore = requestCount();
            const int writesBefore = store.scalar(QStringLiteral("SELECT total_changes()")).toInt();
            announcements = 0;
            const SyncBenchOutcome outcome = syncCalendarOnce(client, calendars.getById(calendar.id).value());
            const int writes = store.scalar(QStringLiteral("SELECT total_changes()")).toInt() - writesBefore;
            // Rows the program's connection wrote (the push's); a worker's are not counted here.
            std::printf("%-28s %s wall %6lld ms  requests %4lld  db rows written %6d  events stored %5d  "
                        "change signals %d  "
                        "pulled %d  longest stall %lld ms\n",
                        what, outcome.verdict(), static_cast<long long>(outcome.ms),
                        static_cast<long long>(requestCount() - requestsBefore), writes,
                        store.scalar(QStringLiteral("SELECT COUNT(*) FROM events")).toInt(), announcements,
                        outcome.count, static_cast<long long>(outcome.longestStallMs));
            outcome.printFailures();
        };

        run("pull 5000 (first)");
        run("re-pull, unchanged");
        Calendar cleared = calendars.getById(calendar.id).value();
        cleared.delta_sync_token.clear();
        QVERIFY(calendars.update(cleared));
        run("full re-pull, no cursor");

        QVERIFY(addPendingEvents(events, calendar.id, kPushed, QDateTime(QDate(2026, 6, 1), QTime(9, 0), Qt::UTC)));
        run("push 500 pending");
        std::printf("push: rows still pending %lld; events on the server %lld\n",
                    static_cast<long long>(events.getPending(calendar.id).size()),
                    static_cast<long long>(onServer(&serverContext, [&] { return server.calendars().events("bench").size(); })));
        std::fflush(stdout);
    }
};

QTEST_GUILESS_MAIN(BenchCloudSync)
#include "bench_cloudsync.moc"
