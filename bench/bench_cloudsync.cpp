// Cloud calendar sync against the local fake cloud service: a first pull of
// 5,000 events (wall time, rows written, change signals), an unchanged
// re-pull from the stored cursor (which must write nothing), a full re-pull
// without the cursor, and a push of 500 pending events.
#include <QTest>

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
        FakeCloudServer server;
        QVERIFY(server.listen());
        server.calendars().addCalendar(QJsonObject{{"id", "bench"}});
        for (int i = 0; i < kPulled; ++i)
            server.calendars().putEvent("bench", QStringLiteral("bench-%1").arg(i), eventText(i));
        TindAccount::TokenManager tokens(std::make_unique<MemoryTokenStore>());
        const FakeCloudServer::Tokens issued = server.signIn();
        tokens.setTokens(issued.accessToken, issued.refreshToken);
        TindAccount::ApiClient api(&tokens);
        api.setBaseUrl(QUrl(server.syncApiUrl()));

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
        int announcements = 0;
        connect(&events, &EventRepository::eventsChanged, this, [&] { ++announcements; });

        const auto run = [&](const char *what) {
            const qsizetype requestsBefore = server.requests().size();
            const int writesBefore = store.scalar(QStringLiteral("SELECT total_changes()")).toInt();
            announcements = 0;
            const SyncBenchOutcome outcome = syncCalendarOnce(client, calendars.getById(calendar.id).value());
            const int writes = store.scalar(QStringLiteral("SELECT total_changes()")).toInt() - writesBefore;
            std::printf("%-28s %s wall %6lld ms  requests %4lld  db rows written %6d  change signals %d  "
                        "pulled %d\n",
                        what, outcome.verdict(), static_cast<long long>(outcome.ms),
                        static_cast<long long>(server.requests().size() - requestsBefore), writes, announcements,
                        outcome.count);
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
                    static_cast<long long>(server.calendars().events("bench").size()));
        std::fflush(stdout);
    }
};

QTEST_GUILESS_MAIN(BenchCloudSync)
#include "bench_cloudsync.moc"
