#include "account/apiclient.h"
#include "cloud/configsyncservice.h"
#include "cloud/conflictresolutionservice.h"
#include "cloud/syncclient.h"

#include <QSignalSpy>
#include <QTest>

class TestCloudServices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void autoSyncStartsOnceAndStopStopsBoth();
    void syncNowWithoutApiIsSkipped();
    void syncNowThatCannotExchangeEndsFailedNotUpToDate();
    void mutationSyncRunsAfterTheDebounce();
    void calendarListPullThatCannotRunReportsNoCalendars();
    void conflictsKeepTheFirstPerLocalEvent();
};

void TestCloudServices::autoSyncStartsOnceAndStopStopsBoth()
{
    TindAccount::ApiClient api;
    Tindlebrook::ConfigSyncService service(nullptr, &api);
    QVERIFY(!service.isAutoSyncActive());
    service.startAutoSync();
    QVERIFY(service.isAutoSyncActive());
    service.startAutoSync();
    QVERIFY(service.isAutoSyncActive());
    service.syncOnMutation();
    QVERIFY(service.isMutationSyncPending());
    service.stopAutoSync();
    QVERIFY(!service.isAutoSyncActive());
    QVERIFY(!service.isMutationSyncPending());
}

void TestCloudServices::syncNowWithoutApiIsSkipped()
{
    Tindlebrook::ConfigSyncService service(nullptr, nullptr);
    QSignalSpy states(&service, &Tindlebrook::ConfigSyncService::stateChanged);
    service.syncNow();
    QCOMPARE(states.count(), 0);
    QCOMPARE(service.state(), Tindlebrook::ConfigSyncService::UpToDate);
}

void TestCloudServices::syncNowThatCannotExchangeEndsFailedNotUpToDate()
{
    TindAccount::ApiClient api;
    Tindlebrook::ConfigSyncService service(nullptr, &api);
    QSignalSpy states(&service, &Tindlebrook::ConfigSyncService::stateChanged);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^\\[ConfigSync\\] configuration exchange"));
    service.syncNow();
    QCOMPARE(states.count(), 2);
    QCOMPARE(states.at(0).at(0).value<Tindlebrook::ConfigSyncService::State>(),
             Tindlebrook::ConfigSyncService::Syncing);
    QCOMPARE(service.state(), Tindlebrook::ConfigSyncService::Failed);
}

void TestCloudServices::mutationSyncRunsAfterTheDebounce()
{
    TindAccount::ApiClient api;
    Tindlebrook::ConfigSyncService service(nullptr, &api);
    QSignalSpy states(&service, &Tindlebrook::ConfigSyncService::stateChanged);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^\\[ConfigSync\\] configuration exchange"));
    service.syncOnMutation();
    QTest::qWait(500);
    service.syncOnMutation();
    QCOMPARE(states.count(), 0);
    // One cycle for the burst, 2 s after its last change.
    QTRY_COMPARE_WITH_TIMEOUT(states.count(), 2, 5000);
    QTest::qWait(300);
    QCOMPARE(states.count(), 2);
}

void TestCloudServices::calendarListPullThatCannotRunReportsNoCalendars()
{
    TindAccount::ApiClient api;
    auto *client = new Tindlebrook::SyncClient(nullptr, &api);
    QSignalSpy pulled(client, &Tindlebrook::SyncClient::calendarListPulled);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^\\[Sync\\] cloud calendar list"));
    client->pullCalendarList();
    QCOMPARE(pulled.count(), 0); // reported from the event loop, like a reply
    QTRY_COMPARE(pulled.count(), 1);
    QCOMPARE(pulled.at(0).at(0).toInt(), 0);
    delete client;
}

void TestCloudServices::conflictsKeepTheFirstPerLocalEvent()
{
    Sync::ConflictResolutionService store(nullptr);
    QSignalSpy changed(&store, &Sync::ConflictResolutionService::conflictsChanged);
    Event local;
    local.id = QStringLiteral("e1");
    local.uid = QStringLiteral("shared-uid");
    Event remote = local;
    remote.title = QStringLiteral("first server copy");
    store.recordConflict(local, remote);
    remote.title = QStringLiteral("second server copy");
    store.recordConflict(local, remote);
    Event other = local;
    other.id = QStringLiteral("e2");
    store.recordConflict(other, remote);

    QCOMPARE(changed.count(), 2);
    QCOMPARE(store.conflicts().size(), 2);
    QCOMPARE(store.conflicts().at(0).remote.title, QStringLiteral("first server copy"));
    QCOMPARE(store.conflicts().at(0).id.size(), 36);
    QVERIFY(store.conflicts().at(0).detectedAt.isValid());
    QCOMPARE(store.conflicts().at(1).local.id, QStringLiteral("e2"));
}

QTEST_GUILESS_MAIN(TestCloudServices)
#include "tst_cloudservices.moc"
