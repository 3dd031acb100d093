// The orchestration running a Microsoft account with the program's own
// client, against the local fake Graph named by the environment.
#include <QJsonObject>
#include <QTest>

#include "app/appstate.h"
#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "sync/microsoft/microsoftauthservice.h"
#include "tests/support/fakemicrosoftserver.h"
#include "tests/support/tempdatadir.h"
#include "ui/sync/syncorchestrator.h"

class TestMicrosoftAccountSync : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void syncAllPullsAndAutoSyncPushes()
    {
        TempDataDir dir;
        FakeMicrosoftServer server;
        QVERIFY(server.start());
        qputenv("MICROSOFT_GRAPH_URL", server.graphRoot().toString().toUtf8());
        qputenv("MICROSOFT_LOGIN_URL", server.baseUrl().toString().toUtf8());
        server.addAccessToken(QStringLiteral("EwB.app"));
        server.addCalendar(QJsonObject{{QStringLiteral("id"), QStringLiteral("AAMkDefault=")},
                                       {QStringLiteral("name"), QStringLiteral("Calendar")},
                                       {QStringLiteral("isDefaultCalendar"), true}});
        const QDateTime start = QDateTime::currentDateTimeUtc().addDays(1);
        server.putEvent(QStringLiteral("AAMkDefault="),
                        QJsonObject{{QStringLiteral("subject"), QStringLiteral("From Outlook")},
                                    {QStringLiteral("start"), QJsonObject{{QStringLiteral("dateTime"),
                                                                           start.toString(Qt::ISODate).chopped(1)},
                                                                          {QStringLiteral("timeZone"), QStringLiteral("UTC")}}},
                                    {QStringLiteral("end"), QJsonObject{{QStringLiteral("dateTime"),
                                                                         start.addSecs(3600).toString(Qt::ISODate).chopped(1)},
                                                                        {QStringLiteral("timeZone"), QStringLiteral("UTC")}}}});

        AppState state;
        QVERIFY(state.initialize());
        Account account;
        account.id = QStringLiteral("microsoft-1");
        account.name = QStringLiteral("ada@example.com");
        account.type = AccountType::Microsoft;
        QVERIFY(state.accounts()->insert(account));
        Calendar calendar;
        calendar.id = QStringLiteral("ms-default");
        calendar.name = QStringLiteral("Ada");
        calendar.account_id = account.id;
        calendar.url = QStringLiteral("AAMkDefault=");
        calendar.sync_enabled = true;
        QVERIFY(state.calendars()->insert(calendar));
        QVERIFY(Microsoft::AuthService::saveTokens(
            account.id, Microsoft::StoredTokens{QStringLiteral("EwB.app"), QStringLiteral("M.r"),
                                                QDateTime::currentDateTimeUtc().addSecs(3600)}));

        SyncOrchestrator sync(&state);
        sync.syncAll();
        QTRY_COMPARE_WITH_TIMEOUT(state.events()->getByCalendar(calendar.id).size(), 1, 10000);
        QTRY_VERIFY(!sync.isSyncing(calendar.id));
        QCOMPARE(state.events()->getByCalendar(calendar.id).first().title, QStringLiteral("From Outlook"));
        QVERIFY(!state.calendars()->getById(calendar.id)->delta_sync_token.isEmpty());

        // A new event here reaches Outlook by itself.
        Event event;
        event.id = event.uid = QStringLiteral("local-new");
        event.calendar_id = calendar.id;
        event.title = QStringLiteral("Made here");
        event.start_time = QDateTime::currentDateTimeUtc().addDays(2);
        event.sync_status = SyncStatus::Pending;
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
        QVERIFY(state.events()->insert(event));
        QTRY_COMPARE_WITH_TIMEOUT(state.events()->getById(event.id)->sync_status, SyncStatus::Synced, 10000);
        QCOMPARE(server.events(calendar.url).size(), 2);
        QCOMPARE(server.events(calendar.url).last().value(QStringLiteral("subject")).toString(),
                 QStringLiteral("Made here"));
    }
};

QTEST_MAIN(TestMicrosoftAccountSync)
#include "tst_microsoftaccountsync.moc"
