// Microsoft calendar sync against the local fake Graph, on a thread of its
// own (see ServerThread): a first pull of 5,000 events through the default calendar's delta in 50 pages of 100
// (wall time, rows written, transactions), an unchanged delta run (which
// must write no row), an unchanged window listing of another calendar, and
// a push of 500 pending events (requests in flight at once).
#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

#include "bench/syncbenchrun.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "sync/microsoft/microsoftauthservice.h"
#include "sync/microsoft/microsoftsyncclient.h"
#include "tests/support/fakemicrosoftserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/teststore.h"

#include <cstdio>

namespace {

constexpr int kPulled = 5000;
constexpr int kPushed = 500;

QJsonObject graphTime(const QDateTime &when)
{
    return QJsonObject{{QStringLiteral("dateTime"), when.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.0000000"))},
                       {QStringLiteral("timeZone"), QStringLiteral("UTC")}};
}

} // namespace

class BenchMicrosoftSync : public QObject
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
        ServerThread<FakeMicrosoftServer> server;
        QVERIFY(server.call([](FakeMicrosoftServer &graph) {
            graph.pageSize = 100;
            graph.addAccessToken(QStringLiteral("EwB.bench"));
            graph.addCalendar(QJsonObject{{QStringLiteral("id"), QStringLiteral("AAMkBench=")},
                                          {QStringLiteral("isDefaultCalendar"), true}});
            graph.addCalendar(QJsonObject{{QStringLiteral("id"), QStringLiteral("AAMkOther=")}});
            return graph.start();
        }));
        QList<QJsonObject> pulled;
        const QDateTime first = QDateTime(QDate::currentDate(), QTime(8, 0), Qt::UTC);
        for (int i = 0; i < kPulled; ++i) {
            const QDateTime start = first.addSecs(qint64(i) * 5400);
            QJsonObject event{{QStringLiteral("subject"), QStringLiteral("Event %1").arg(i)},
                              {QStringLiteral("location"),
                               QJsonObject{{QStringLiteral("displayName"), QStringLiteral("Room %1").arg(i % 40)}}},
                              {QStringLiteral("originalStartTimeZone"), QStringLiteral("W. Europe Standard Time")},
                              {QStringLiteral("start"), graphTime(start)},
                              {QStringLiteral("end"), graphTime(start.addSecs(3600))}};
            if (i % 10 == 0)
                event.insert(QStringLiteral("attendees"),
                             QJsonArray{QJsonObject{{QStringLiteral("emailAddress"),
                                                     QJsonObject{{QStringLiteral("address"),
                                                                  QStringLiteral("a@example.com")}}}}});
            pulled.append(event);
        }
        server.call([&](FakeMicrosoftServer &graph) {
            for (qsizetype i = 0; i < pulled.size(); ++i) {
                graph.putEvent(QStringLiteral("AAMkBench="), pulled.at(i));
                if (i < 1000)
                    graph.putEvent(QStringLiteral("AAMkOther="), pulled.at(i));
            }
        });
        Account account;
        account.id = QStringLiteral("ms");
        account.name = QStringLiteral("Bench");
        account.type = AccountType::Microsoft;
        QVERIFY(accounts.insert(account));
        Calendar calendar;
        calendar.id = QStringLiteral("bench");
        calendar.name = QStringLiteral("Bench");
        calendar.account_id = account.id;
        calendar.url = QStringLiteral("AAMkBench=");
        calendar.sync_enabled = true;
        QVERIFY(calendars.insert(calendar));
        Calendar other = calendar;
        other.id = QStringLiteral("other");
        other.name = QStringLiteral("Other");
        other.url = QStringLiteral("AAMkOther=");
        QVERIFY(calendars.insert(other));
        auto secrets = std::make_shared<QHash<QString, QString>>();
        MemoryTokenStore tokens(secrets);
        QVERIFY(Microsoft::AuthService::saveTokens(
            tokens, account.id,
            Microsoft::StoredTokens{QStringLiteral("EwB.bench"), QStringLiteral("M.r"),
                                    QDateTime::currentDateTimeUtc().addSecs(3600)}));
        Microsoft::Endpoints endpoints;
        endpoints.authority = server.call([](FakeMicrosoftServer &graph) { return graph.baseUrl(); });
        endpoints.graphRoot = server.call([](FakeMicrosoftServer &graph) { return graph.graphRoot(); });
        Microsoft::SyncClient client(Sync::Repositories{store.db(), &events, nullptr, &calendars, &accounts},
                                     endpoints);
        // Set: the pull is written on this thread, as before the worker.
        client.setApplyOnWorker(qEnvironmentVariableIsEmpty("TINDLE_BENCH_APPLY_HERE"));
        client.setTokenStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
        int announcements = 0;
        connect(&events, &EventRepository::eventsChanged, this, [&] { ++announcements; });

        const auto run = [&](const char *what, const QString &calendarId) {
            server.call([](FakeMicrosoftServer &graph) { graph.http().clearRequests(); });
            const int writesBefore = store.scalar(QStringLiteral("SELECT total_changes()")).toInt();
            committed() = 0;
            announcements = 0;
            const SyncBenchOutcome outcome = syncCalendarOnce(client, calendars.getById(calendarId).value());
            const int writes = store.scalar(QStringLiteral("SELECT total_changes()")).toInt() - writesBefore;
            std::printf("%-30s %s wall %6lld ms  requests %4lld  db rows written %6d  commits %4d  "
                        "change signals %d  pulled %d  longest stall %lld ms\n",
                        what, outcome.verdict(), static_cast<long long>(outcome.ms),
                        static_cast<long long>(
                            server.call([](FakeMicrosoftServer &graph) { return graph.requests().size(); })),
                        writes, committed(), announcements,
                        outcome.count, static_cast<long long>(outcome.longestStallMs));
            outcome.printFailures();
        };

        run("pull 5000 (delta, 50 pages)", calendar.id);
        run("delta, nothing changed", calendar.id);
        run("window 1000 (first)", other.id);
        run("window 1000, unchanged", other.id);

        QVERIFY(addPendingEvents(events, calendar.id, kPushed, first.addSecs(1800)));
        run("push 500 pending", calendar.id);
        std::printf("push: peak requests in flight %d; rows still pending %lld; events on the server %lld\n",
                    client.lastPeakInFlight(), static_cast<long long>(events.getPending(calendar.id).size()),
                    static_cast<long long>(
                        server.call([&](FakeMicrosoftServer &graph) { return graph.events(calendar.url).size(); })));
        std::fflush(stdout);
    }
};

QTEST_GUILESS_MAIN(BenchMicrosoftSync)
#include "bench_microsoftsync.moc"
