// Microsoft calendar sync against the local fake Graph: a first pull of
// 5,000 events through the default calendar's delta in 50 pages of 100
// (wall time, rows written, transactions), an unchanged delta run (which
// must write no row), an unchanged window listing of another calendar, and
// a push of 500 pending events (requests in flight at once).
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>
#include <QSqlDriver>
#include <QTest>

#include <sqlite3.h>

#include "calendar/icscodec.h"
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
        FakeMicrosoftServer server;
        QVERIFY(server.start());
        server.pageSize = 100;
        server.addAccessToken(QStringLiteral("EwB.bench"));
        server.addCalendar(QJsonObject{{QStringLiteral("id"), QStringLiteral("AAMkBench=")},
                                       {QStringLiteral("isDefaultCalendar"), true}});
        server.addCalendar(QJsonObject{{QStringLiteral("id"), QStringLiteral("AAMkOther=")}});
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
            server.putEvent(QStringLiteral("AAMkBench="), event);
            if (i < 1000)
                server.putEvent(QStringLiteral("AAMkOther="), event);
        }
        Account account;
        account.id = QStringLiteral("ms");
        account.name = QStringLiteral("Bench");
        account.type = QStringLiteral("microsoft");
        QVERIFY(accounts.insert(account));
        Calendar calendar;
        calendar.id = QStringLiteral("bench");
        calendar.name = QStringLiteral("Bench");
        calendar.account_id = account.id;
        calendar.url = QStringLiteral("AAMkBench=");
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
        endpoints.authority = server.baseUrl();
        endpoints.graphRoot = server.graphRoot();
        Microsoft::SyncClient client(Sync::Repositories{store.db(), &events, nullptr, &calendars, &accounts},
                                     endpoints);
        client.setTokenStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
        int announcements = 0;
        connect(&events, &EventRepository::eventsChanged, this, [&] { ++announcements; });

        const auto run = [&](const char *what, const QString &calendarId) {
            int completed = 0;
            int count = -1;
            QStringList failures;
            QObject context;
            connect(&client, &Sync::CalendarSyncClient::calendarSyncCompleted, &context,
                    [&](const QString &, int n) {
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
            client.syncCalendar(calendars.getById(calendarId).value());
            while (!completed && failures.isEmpty() && timer.elapsed() < 600000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            const qint64 ms = timer.elapsed();
            QTest::qWait(200);
            const int writes = store.scalar(QStringLiteral("SELECT total_changes()")).toInt() - writesBefore;
            std::printf("%-30s %s wall %6lld ms  requests %4lld  db rows written %6d  commits %4d  "
                        "change signals %d  pulled %d\n",
                        what, failures.isEmpty() ? "ok  " : "FAIL", static_cast<long long>(ms),
                        static_cast<long long>(server.requests().size()), writes, commits, announcements, count);
            for (const QString &failure : std::as_const(failures))
                std::printf("  failure: %s\n", qPrintable(failure));
            std::fflush(stdout);
        };

        run("pull 5000 (delta, 50 pages)", calendar.id);
        run("delta, nothing changed", calendar.id);
        run("window 1000 (first)", other.id);
        run("window 1000, unchanged", other.id);

        for (int i = 0; i < kPushed; ++i) {
            Event event;
            event.id = event.uid = QStringLiteral("push-%1").arg(i);
            event.calendar_id = calendar.id;
            event.title = QStringLiteral("Pushed %1").arg(i);
            event.start_time = first.addSecs(qint64(i) * 3600 + 1800);
            event.sync_status = QStringLiteral("pending");
            event.raw_icalendar = IcsCodec::buildEventIcs(event);
            QVERIFY(events.insert(event));
        }
        run("push 500 pending", calendar.id);
        std::printf("push: peak requests in flight %d; rows still pending %lld; events on the server %lld\n",
                    client.lastPeakInFlight(), static_cast<long long>(events.getPending(calendar.id).size()),
                    static_cast<long long>(server.events(calendar.url).size()));
        std::fflush(stdout);
    }
};

QTEST_GUILESS_MAIN(BenchMicrosoftSync)
#include "bench_microsoftsync.moc"
