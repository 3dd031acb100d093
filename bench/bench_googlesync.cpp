// Google calendar sync against the local fake Google server, on a thread of
// its own (see ServerThread): a first pull of 5,000 events in two pages (wall
// time, rows written, transactions), an unchanged full re-pull (which must
// write no event row), and a push of 500 pending events (requests in flight
// at once; each row answered once).
#include <QJsonObject>
#include <QTest>

#include "bench/syncbenchrun.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "sync/google/googleauthservice.h"
#include "sync/google/googlesyncclient.h"
#include "tests/support/fakegoogleserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/teststore.h"

#include <cstdio>

namespace {

constexpr int kPulled = 5000;
constexpr int kPushed = 500;

} // namespace

class BenchGoogleSync : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pullAndPush()
    {
        TestStore store;
        watchCommits(store.db());
        EventRepository events(store.db());
        AccountRepository accounts(store.db());
        CalendarRepository calendars(store.db());
        ServerThread<FakeGoogleServer> server;
        QVERIFY(server.call([](FakeGoogleServer &google) {
            google.addAccessToken(QStringLiteral("ya29.bench"));
            return google.start();
        }));
        QList<QJsonObject> pulled;
        for (int i = 0; i < kPulled; ++i) {
            const QDateTime start = QDateTime(QDate(2026, 1, 5), QTime(8, 0), Qt::UTC).addSecs(qint64(i) * 5400);
            QJsonObject event{{QStringLiteral("summary"), QStringLiteral("Event %1").arg(i)},
                              {QStringLiteral("location"), QStringLiteral("Room %1").arg(i % 40)},
                              {QStringLiteral("start"), QJsonObject{{QStringLiteral("dateTime"),
                                                                     start.toString(Qt::ISODate)},
                                                                    {QStringLiteral("timeZone"),
                                                                     QStringLiteral("Europe/Berlin")}}},
                              {QStringLiteral("end"), QJsonObject{{QStringLiteral("dateTime"),
                                                                   start.addSecs(3600).toString(Qt::ISODate)}}}};
            if (i % 10 == 0)
                event.insert(QStringLiteral("attendees"),
                             QJsonArray{QJsonObject{{QStringLiteral("email"), QStringLiteral("a@example.com")}}});
            pulled.append(event);
        }
        server.call([&](FakeGoogleServer &google) {
            for (const QJsonObject &event : std::as_const(pulled))
                google.putEvent(QStringLiteral("bench@example.com"), event);
        });
        Account account;
        account.id = QStringLiteral("g");
        account.name = QStringLiteral("Bench");
        account.type = AccountType::Google;
        QVERIFY(accounts.insert(account));
        Calendar calendar;
        calendar.id = QStringLiteral("bench");
        calendar.name = QStringLiteral("Bench");
        calendar.account_id = account.id;
        calendar.url = QStringLiteral("bench@example.com");
        calendar.sync_enabled = true;
        QVERIFY(calendars.insert(calendar));
        auto secrets = std::make_shared<QHash<QString, QString>>();
        MemoryTokenStore tokens(secrets);
        QVERIFY(Google::AuthService::saveTokens(tokens, account.id,
                                                Google::StoredTokens{QStringLiteral("ya29.bench"), QStringLiteral("1//r"),
                                                                     QDateTime::currentDateTimeUtc().addSecs(3600)}));
        Google::Endpoints endpoints;
        endpoints.accountsBase = endpoints.tokenBase = endpoints.apiBase =
            server.call([](FakeGoogleServer &google) { return google.baseUrl(); });
        Google::SyncClient client(Sync::Repositories{store.db(), &events, nullptr, &calendars, &accounts}, endpoints);
        // Set: the pull is written on this thread, as before the worker.
        client.setApplyOnWorker(qEnvironmentVariableIsEmpty("TINDLE_BENCH_APPLY_HERE"));
        client.setTokenStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
        int announcements = 0;
        connect(&events, &EventRepository::eventsChanged, this, [&] { ++announcements; });

        const auto run = [&](const char *what) {
            server.call([](FakeGoogleServer &google) { google.http().clearRequests(); });
            const int writesBefore = store.scalar(QStringLiteral("SELECT total_changes()")).toInt();
            committed() = 0;
            announcements = 0;
            const SyncBenchOutcome outcome = syncCalendarOnce(client, calendars.getById(calendar.id).value());
            const int writes = store.scalar(QStringLiteral("SELECT total_changes()")).toInt() - writesBefore;
            std::printf("%-28s %s wall %6lld ms  requests %4lld  db rows written %6d  commits %4d  "
                        "change signals %d  pulled %d  completions %d  longest stall %lld ms\n",
                        what, outcome.verdict(), static_cast<long long>(outcome.ms),
                        static_cast<long long>(
                            server.call([](FakeGoogleServer &google) { return google.requests().size(); })),
                        writes, committed(), announcements,
                        outcome.count, outcome.completions, static_cast<long long>(outcome.longestStallMs));
            outcome.printFailures();
        };

        run("pull 5000 (first)");
        Calendar cleared = calendars.getById(calendar.id).value();
        cleared.sync_token.clear();
        QVERIFY(calendars.update(cleared));
        run("full re-pull, unchanged");
        run("incremental, nothing new");

        QVERIFY(addPendingEvents(events, calendar.id, kPushed, QDateTime(QDate(2026, 6, 1), QTime(9, 0), Qt::UTC)));
        run("push 500 pending");
        std::printf("push: peak requests in flight %d; POSTs received %lld; rows still pending %lld; "
                    "events on the server %lld\n",
                    client.lastPeakInFlight(),
                    static_cast<long long>(server.call([](FakeGoogleServer &google) {
                        return google.requestsTo("/calendar/v3/calendars/", "POST").size();
                    })),
                    static_cast<long long>(events.getPending(calendar.id).size()),
                    static_cast<long long>(
                        server.call([&](FakeGoogleServer &google) { return google.events(calendar.url).size(); })));
        std::fflush(stdout);
    }
};

QTEST_GUILESS_MAIN(BenchGoogleSync)
#include "bench_googlesync.moc"
