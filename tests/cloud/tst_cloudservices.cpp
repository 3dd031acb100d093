#include "account/apiclient.h"
#include "cloud/configsyncservice.h"
#include "cloud/conflictresolutionservice.h"
#include "tests/support/configsyncdevice.h"

#include <QSignalSpy>
#include <QTest>

class TestCloudServices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void autoSyncStartsOnceAndStopStopsBoth()
    {
        TindAccount::ApiClient api(nullptr);
        Tindlebrook::ConfigSyncService service({}, &api);
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

    void syncNowWithoutApiIsSkipped()
    {
        Tindlebrook::ConfigSyncService service({}, nullptr);
        QSignalSpy states(&service, &Tindlebrook::ConfigSyncService::stateChanged);
        service.syncNow();
        QCOMPARE(states.count(), 0);
        QCOMPARE(service.state(), Tindlebrook::ConfigSyncService::UpToDate);
    }

    void syncNowAgainstAFailingServiceEndsFailedNotUpToDate()
    {
        FakeCloudServer server;
        QVERIFY(server.listen());
        ConfigSyncDevice device(server, QStringLiteral("device"));
        QVERIFY(device.opened);
        server.setFault(QStringLiteral("/sync/"), FakeCloudServer::Fault::ServerError);
        QSignalSpy states(device.service.get(), &Tindlebrook::ConfigSyncService::stateChanged);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^\\[ConfigSync\\] pull FAILED status= 503"));
        QVERIFY(device.sync());
        QCOMPARE(states.count(), 2);
        QCOMPARE(states.at(0).at(0).value<Tindlebrook::ConfigSyncService::State>(),
                 Tindlebrook::ConfigSyncService::Syncing);
        QCOMPARE(device.service->state(), Tindlebrook::ConfigSyncService::Failed);
    }

    void mutationSyncRunsAfterTheDebounce()
    {
        FakeCloudServer server;
        QVERIFY(server.listen());
        ConfigSyncDevice device(server, QStringLiteral("device"));
        QVERIFY(device.opened);
        QSignalSpy states(device.service.get(), &Tindlebrook::ConfigSyncService::stateChanged);
        device.service->syncOnMutation();
        device.service->syncOnMutation();
        QCOMPARE(states.count(), 0);
        // One cycle for the burst, once the debounce has run out.
        QTRY_VERIFY_WITH_TIMEOUT(!device.service->isMutationSyncPending(), 20000);
        QTRY_COMPARE(device.service->completedCycles(), 1);
        QCOMPARE(states.count(), 2);
        QCOMPARE(device.service->state(), Tindlebrook::ConfigSyncService::UpToDate);
        QCOMPARE(server.countRequests("GET", QStringLiteral("/sync/pull")), 1);
    }

    void conflictsKeepTheFirstPerLocalEvent()
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
};

QTEST_GUILESS_MAIN(TestCloudServices)
#include "tst_cloudservices.moc"
