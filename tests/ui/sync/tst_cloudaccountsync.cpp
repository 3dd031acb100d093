// The orchestration running a signed-in cloud account with the program's
// own client, against the fake cloud service named by the environment.
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include "account/client.h"
#include "app/appstate.h"
#include "account/authclient.h"
#include "app/platform/datadirectory.h"
#include "app/secrets/tokenstore.h"
#include "store/account.h"
#include "store/accountrepository.h"
#include "calendar/icscodec.h"
#include "cloud/configsyncservice.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "tests/support/fakecloudserver.h"
#include "tests/support/recordingbrowser.h"
#include "tests/support/tempdatadir.h"
#include "ui/sync/syncorchestrator.h"

class TestCloudAccountSync : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void signedInAccountPullsCalendarsAndEventsAndPushes()
    {
        TempDataDir dir;
        FakeCloudServer server;
        QVERIFY(server.listen());
        server.exportEnvironment();
        server.calendars().addCalendar(QJsonObject{{"id", "team"}, {"name", "Team"}, {"color", "#00AA88"}});
        server.calendars().putEvent(
            "team", "standup",
            QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:standup\r\n"
                           "DTSTAMP:20261207T080000Z\r\nDTSTART:20261207T090000Z\r\nDTEND:20261207T091500Z\r\n"
                           "SUMMARY:Stand-up\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"));

        AppState state;
        QVERIFY(state.initialize());
        SyncOrchestrator sync(&state);
        QTRY_COMPARE(state.accountClient()->state(), TindAccount::AuthState::SignedOut);
        // Signed in on this run, through the browser.
        RecordingBrowser browser;
        state.accountClient()->authClient()->setUrlOpener(browser.opener());
        state.accountClient()->authClient()->login();
        QTRY_VERIFY_WITH_TIMEOUT(state.accountClient()->isAuthenticated(), 10000);

        // The sign-in pulled the calendar list.
        std::optional<Calendar> team;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (const Calendar &calendar : state.calendars()->getAll()) {
                    if (calendar.url == QLatin1String("tindlebrook://team"))
                        team = calendar;
                }
                return team.has_value();
            }(),
            10000);
        QCOMPARE(team->name, QStringLiteral("Team"));
        QVERIFY(!team->account_id.isEmpty());

        sync.syncAll();
        QTRY_COMPARE_WITH_TIMEOUT(state.events()->getByCalendar(team->id).size(), 1, 10000);
        QTRY_VERIFY(!sync.isSyncing(team->id));
        QCOMPARE(state.events()->getByCalendar(team->id).first().title, QStringLiteral("Stand-up"));

        // A cloud edit goes out with the next full sync.
        Event event;
        event.id = event.uid = QStringLiteral("made-here");
        event.calendar_id = team->id;
        event.title = QStringLiteral("Retro");
        event.start_time = QDateTime(QDate(2026, 12, 8), QTime(15, 0), Qt::UTC);
        event.sync_status = SyncStatus::Pending;
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
        QVERIFY(state.events()->insert(event));
        sync.syncAll();
        QTRY_COMPARE_WITH_TIMEOUT(state.events()->getById(event.id)->sync_status, SyncStatus::Synced, 10000);
        QVERIFY(server.calendars().event("team", "made-here"));
        QCOMPARE(server.calendars().event("team", "made-here")->body.value("title").toString(),
                 QStringLiteral("Retro"));
    }

    void sessionRestoredOnAnEmptyStoreStillAddsTheCloudCalendars()
    {
        TempDataDir dir;
        FakeCloudServer server;
        QVERIFY(server.listen());
        server.exportEnvironment();
        server.calendars().addCalendar(QJsonObject{{"id", "team"}, {"name", "Team"}});
        const FakeCloudServer::Tokens tokens = server.signIn();
        auto secrets = TindAccount::TokenStore::create(applicationServiceId());
        QVERIFY(secrets->write(TindAccount::AccessTokenKey, tokens.accessToken));
        QVERIFY(secrets->write(TindAccount::RefreshTokenKey, tokens.refreshToken));

        // Signed in before any account row exists.
        AppState state;
        QSignalSpy syncRequested(&state, &AppState::syncNowRequested);
        QVERIFY(state.initialize());
        SyncOrchestrator sync(&state);
        QTRY_COMPARE_WITH_TIMEOUT(syncRequested.count(), 1, 10000);
        std::optional<Calendar> team;
        for (const Calendar &calendar : state.calendars()->getAll()) {
            if (calendar.url == QLatin1String("tindlebrook://team"))
                team = calendar;
        }
        QVERIFY(team);
        const std::optional<Account> owner = state.accounts()->getById(team->account_id);
        QVERIFY(owner);
        QCOMPARE(owner->type, AccountType::Tindlebrook);
    }

    void signInSeedsAfterCalendarListAndRequestsSync()
    {
        TempDataDir dir;
        // The cloud requests go nowhere but to a closed local port.
        qputenv("SYNC_API_URL", "http://127.0.0.1:1/calendar/v1");
        AppState state;
        const bool started = state.initialize();
        qunsetenv("SYNC_API_URL");
        QVERIFY(started);
        SyncOrchestrator sync(&state);
        QVERIFY(state.calendars()->remove(AppState::LocalCalendarId));
        QSignalSpy syncRequested(&state, &AppState::syncNowRequested);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^\\[Tindlebrook\\] calendar list pull failed"));
        state.onAuthStateChanged(TindAccount::AuthState::SignedIn);
        QVERIFY(state.configSync()->isAutoSyncActive());
        // Seeding waits for the calendar list.
        QVERIFY(!state.calendars()->getById(AppState::LocalCalendarId));
        QTRY_COMPARE(syncRequested.count(), 1);
        QVERIFY(state.calendars()->getById(AppState::LocalCalendarId));
    }
};

QTEST_MAIN(TestCloudAccountSync)
#include "tst_cloudaccountsync.moc"
