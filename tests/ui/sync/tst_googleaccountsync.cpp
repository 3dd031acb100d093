// The orchestration running a Google account with the program's own client,
// against the local fake Google server named by the environment.
#include <QJsonObject>
#include <QTest>

#include "app/appstate.h"
#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "sync/google/googleauthservice.h"
#include "tests/support/fakegoogleserver.h"
#include "tests/support/tempdatadir.h"
#include "ui/sync/syncorchestrator.h"

class TestGoogleAccountSync : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void syncAllPullsAndAutoSyncPushes()
    {
        TempDataDir dir;
        FakeGoogleServer server;
        QVERIFY(server.start());
        const QByteArray base = server.baseUrl().toString().toUtf8();
        qputenv("GOOGLE_API_URL", base);
        qputenv("GOOGLE_TOKEN_URL", base);
        qputenv("GOOGLE_ACCOUNTS_URL", base);
        server.addAccessToken(QStringLiteral("ya29.app"));
        server.putEvent(QStringLiteral("primary@example.com"),
                        QJsonObject{{QStringLiteral("summary"), QStringLiteral("From Google")},
                                    {QStringLiteral("start"), QJsonObject{{QStringLiteral("dateTime"),
                                                                            QStringLiteral("2026-03-02T09:00:00Z")}}}});

        AppState state;
        QVERIFY(state.initialize());
        Account account;
        account.id = QStringLiteral("google-1");
        account.name = QStringLiteral("ada@example.com");
        account.type = AccountType::Google;
        QVERIFY(state.accounts()->insert(account));
        Calendar calendar;
        calendar.id = QStringLiteral("g-primary");
        calendar.name = QStringLiteral("Ada");
        calendar.account_id = account.id;
        calendar.url = QStringLiteral("primary@example.com");
        calendar.sync_enabled = true;
        QVERIFY(state.calendars()->insert(calendar));
        QVERIFY(Google::AuthService::saveTokens(
            account.id, Google::StoredTokens{QStringLiteral("ya29.app"), QStringLiteral("1//r"),
                                             QDateTime::currentDateTimeUtc().addSecs(3600)}));

        SyncOrchestrator sync(&state);
        sync.syncAll();
        QTRY_COMPARE_WITH_TIMEOUT(state.events()->getByCalendar(calendar.id).size(), 1, 10000);
        QTRY_VERIFY(!sync.isSyncing(calendar.id));
        QCOMPARE(state.events()->getByCalendar(calendar.id).first().title, QStringLiteral("From Google"));
        QVERIFY(!state.calendars()->getById(calendar.id)->sync_token.isEmpty());

        // A new event here reaches Google by itself.
        Event event;
        event.id = event.uid = QStringLiteral("local-new");
        event.calendar_id = calendar.id;
        event.title = QStringLiteral("Made here");
        event.start_time = QDateTime(QDate(2026, 3, 3), QTime(10, 0), Qt::UTC);
        event.sync_status = SyncStatus::Pending;
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
        QVERIFY(state.events()->insert(event));
        QTRY_COMPARE_WITH_TIMEOUT(state.events()->getById(event.id)->sync_status, SyncStatus::Synced, 10000);
        QCOMPARE(server.events(calendar.url).size(), 2);
        QCOMPARE(server.events(calendar.url).last().value(QStringLiteral("summary")).toString(),
                 QStringLiteral("Made here"));
    }
};

QTEST_MAIN(TestGoogleAccountSync)
#include "tst_googleaccountsync.moc"
