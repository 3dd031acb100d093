// Google calendar sync against the local fake Google server: a first pull of
// 5,000 events in two pages (wall time, rows written, transactions), an
// unchanged full re-pull (which must write no event row), and a push of 500
// pending events (requests in flight at once; each row answered once).
#include <QElapsedTimer>
#include <QJsonObject>
#include <QSqlDriver>
#include <QTest>

#include <sqlite3.h>

#include "calendar/icscodec.h"
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

int commits = 0;

int countCommit(void *)
{
    ++commits;
    return 0;
}

void watchCommits(Database *db)
{
    const QVariant handle = db->database().driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        sqlite3_commit_hook(*static_cast<sqlite3 *const *>(handle.data()), countCommit, nullptr);
}

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
        FakeGoogleServer server;
        QVERIFY(server.start());
        server.addAccessToken(QStringLiteral("ya29.bench"));
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
            server.putEvent(QStringLiteral("bench@example.com"), event);
        }
        Account account;
        account.id = QStringLiteral("g");
        account.name = QStringLiteral("Bench");
        account.type = QStringLiteral("google");
        QVERIFY(accounts.insert(account));
        Calendar calendar;
        calendar.id = QStringLiteral("bench");
        calendar.name = QStringLiteral("Bench");
        calendar.account_id = account.id;
        calendar.url = QStringLiteral("bench@example.com");
        QVERIFY(calendars.insert(calendar));
        auto secrets = std::make_shared<QHash<QString, QString>>();
        MemoryTokenStore tokens(secrets);
        QVERIFY(Google::AuthService::saveTokens(tokens, account.id,
                                                Google::StoredTokens{QStringLiteral("ya29.bench"), QStringLiteral("1//r"),
                                                                     QDateTime::currentDateTimeUtc().addSecs(3600)}));
        Google::Endpoints endpoints;
        endpoints.accountsBase = endpoints.tokenBase = endpoints.apiBase = server.baseUrl();
        Google::SyncClient client(Sync::Repositories{store.db(), &events, nullptr, &calendars, &accounts}, endpoints);
        client.setTokenStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
        int announcements = 0;
        connect(&events, &EventRepository::eventsChanged, this, [&] { ++announcements; });

        const auto run = [&](const char *what) {
            int completed = 0;
            int count = -1;
            QStringList failures;
            QObject context;
            connect(&client, &Sync::CalendarSyncClient::calendarSyncCompleted, &context, [&](const QString &, int n) {
                ++completed;
                count = n;
            });
            connect(&client, &Sync::CalendarSyncClient::calendarSyncFailed, &context,
                    [&](const QString &, const QString &reason) { failures.append(reason); });
            server.http().clearRequests();
            const int writesBefore = store.scalar(QStringLiteral("SELECT total_changes()")).toInt();
            commits = 0;
            announcements = 0;
            QElapsedTimer timer;
            timer.start();
            client.syncCalendar(calendars.getById(calendar.id).value());
            while (!completed && failures.isEmpty() && timer.elapsed() < 600000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            const qint64 ms = timer.elapsed();
            QTest::qWait(200); // a late duplicate answer would show here
            const int writes = store.scalar(QStringLiteral("SELECT total_changes()")).toInt() - writesBefore;
            std::printf("%-28s %s wall %6lld ms  requests %4lld  db rows written %6d  commits %4d  "
                        "change signals %d  pulled %d  completions %d\n",
                        what, failures.isEmpty() ? "ok  " : "FAIL", static_cast<long long>(ms),
                        static_cast<long long>(server.requests().size()), writes, commits, announcements, count,
                        completed);
            for (const QString &failure : std::as_const(failures))
                std::printf("  failure: %s\n", qPrintable(failure));
            std::fflush(stdout);
        };

        run("pull 5000 (first)");
        Calendar cleared = calendars.getById(calendar.id).value();
        cleared.sync_token.clear();
        QVERIFY(calendars.update(cleared));
        run("full re-pull, unchanged");
        run("incremental, nothing new");

        for (int i = 0; i < kPushed; ++i) {
            Event event;
            event.id = event.uid = QStringLiteral("push-%1").arg(i);
            event.calendar_id = calendar.id;
            event.title = QStringLiteral("Pushed %1").arg(i);
            event.start_time = QDateTime(QDate(2026, 6, 1), QTime(9, 0), Qt::UTC).addSecs(qint64(i) * 3600);
            event.sync_status = QStringLiteral("pending");
            event.raw_icalendar = IcsCodec::buildEventIcs(event);
            QVERIFY(events.insert(event));
        }
        run("push 500 pending");
        std::printf("push: peak requests in flight %d; POSTs received %lld; rows still pending %lld; "
                    "events on the server %lld\n",
                    client.lastPeakInFlight(),
                    static_cast<long long>(server.requestsTo("/calendar/v3/calendars/", "POST").size()),
                    static_cast<long long>(events.getPending(calendar.id).size()),
                    static_cast<long long>(server.events(calendar.url).size()));
        std::fflush(stdout);
    }
};

QTEST_GUILESS_MAIN(BenchGoogleSync)
#include "bench_googlesync.moc"
