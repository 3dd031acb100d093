#include "account/accountclient.h"
#include "account/authclient.h"
#include "account/client.h"
#include "tests/support/fakecloudserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/recordingbrowser.h"

#include <QJsonArray>
#include <QMap>
#include <QSignalSpy>
#include <QTest>

using namespace TindAccount;

// The account service operations against the fake cloud service.
class TestAccountClient : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeCloudServer> m_server;
    std::unique_ptr<RecordingBrowser> m_browser;
    std::unique_ptr<Client> m_client;
    AccountClient *m_account = nullptr;

    void start(const QString &portalUrl)
    {
        Client::Config config;
        config.authApiUrl = m_server->authApiUrl();
        config.realmSlug = FakeCloudServer::RealmSlug;
        config.accountApiUrl = m_server->accountApiUrl();
        config.accountPortalUrl = portalUrl;
        auto entries = std::make_shared<QHash<QString, QString>>();
        const FakeCloudServer::Tokens tokens = m_server->signIn();
        entries->insert(AccessTokenKey, tokens.accessToken);
        entries->insert(RefreshTokenKey, tokens.refreshToken);
        Client::Seams seams;
        seams.tokenStore = std::make_unique<MemoryTokenStore>(entries);
        seams.openUrl = m_browser->opener();
        seams.whenSecretsReady = [](QObject *, std::function<void()> ready) { ready(); };
        m_client = std::make_unique<Client>(config, std::move(seams));
        m_client->initialize();
        m_account = m_client->accountClient();
    }

private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<FakeCloudServer>();
        QVERIFY(m_server->listen());
        m_browser = std::make_unique<RecordingBrowser>();
        m_browser->setVisiting(false);
        start(m_server->portalUrl());
    }

    void cleanup()
    {
        m_client.reset();
        m_browser.reset();
        m_server.reset();
    }

    void profileAndDevicesAreRead()
    {
        Profile profile;
        m_account->getProfile([&profile](Profile read) { profile = read; });
        QTRY_VERIFY(!profile.id.isEmpty());
        QCOMPARE(profile.email, QStringLiteral("ada@example.org"));
        QVERIFY(!profile.group);

        QList<Device> devices;
        bool answered = false;
        m_account->getDevices([&](QList<Device> read) {
            devices = read;
            answered = true;
        });
        QTRY_VERIFY(answered);
        QCOMPARE(devices, QList<Device>{Device::fromJson(m_server->devices().constFirst())});
    }

    void failedReadsGiveEmptyRecords()
    {
        m_server->setFault("/", FakeCloudServer::Fault::ServerError);
        int answers = 0;
        m_account->getProfile([&answers](Profile read) { answers += read == Profile(); });
        m_account->getGroup([&answers](Group read) { answers += read == Group(); });
        m_account->getDevices([&answers](QList<Device> read) { answers += read.isEmpty(); });
        m_account->generateInviteCode([&answers](GroupInvitation read) { answers += read == GroupInvitation(); });
        QTRY_COMPARE(answers, 4);
    }

    void joiningRefreshesTheTokenThenTellsListenersThenTheCaller()
    {
        QStringList order;
        connect(m_account, &AccountClient::groupChanged, this, [&order] { order << QStringLiteral("groupChanged"); });
        bool joined = false;
        m_account->joinGroup("JOIN-ME", [&](bool ok) {
            joined = ok;
            order << QStringLiteral("callback");
        });
        QTRY_COMPARE(order.size(), 2);
        QVERIFY(joined);
        QCOMPARE(order, QStringList({"groupChanged", "callback"}));
        // The refresh brings the group's claims.
        QTRY_COMPARE(m_server->refreshCount(), 1);
        QTRY_COMPARE(m_client->claims(), (TndClaims{"group-1", "owner"}));

        Group group;
        m_account->getGroup([&group](Group read) { group = read; });
        QTRY_COMPARE(group.id, QStringLiteral("group-1"));
        QCOMPARE(group.max_seats, 5);
        QCOMPARE(group.members.size(), 1);
    }

    void joiningWithABadCodeChangesNothing()
    {
        QSignalSpy changed(m_account, &AccountClient::groupChanged);
        int result = -1;
        m_account->joinGroup("../../profile", [&result](bool ok) { result = ok; });
        QTRY_COMPARE(result, 0);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(m_server->refreshCount(), 0);
        // The code stayed one segment: the profile was not deleted or read.
        QVERIFY(!m_server->requests().isEmpty());
        QCOMPARE(QUrl::fromPercentEncoding(m_server->requests().constLast().target),
                 QStringLiteral("/account/v1/group/join/../../profile"));
        QVERIFY(m_server->requests().constLast().target.contains("%2F"));
    }

    void removalsReportTheirOutcome()
    {
        bool joined = false;
        m_account->joinGroup("JOIN-ME", [&joined](bool ok) { joined = ok; });
        QTRY_VERIFY(joined);
        GroupInvitation invitation;
        m_account->inviteByEmail(" bo@example.org", [&invitation](GroupInvitation read) { invitation = read; });
        QTRY_VERIFY(!invitation.id.isEmpty());
        QCOMPARE(invitation.invited_email, QStringLiteral(" bo@example.org"));

        // Replies may come back in any order; each is told apart by its label.
        QMap<QString, bool> outcomes;
        const auto record = [&outcomes](const QString &label) {
            return [&outcomes, label](bool ok) { outcomes.insert(label, ok); };
        };
        m_account->revokeInvitation(invitation.id, record("invitation"));
        m_account->revokeInvitation("no-such-invitation", record("unknown invitation"));
        m_account->removeDevice("device-1", record("device"));
        m_account->removeDevice("device-1/../..", record("device path"));
        QTRY_COMPARE(outcomes.size(), 4);
        const QMap<QString, bool> expected{
            {"invitation", true}, {"unknown invitation", false}, {"device", true}, {"device path", false}};
        QCOMPARE(outcomes, expected);
        QVERIFY(m_server->devices().isEmpty());
        QVERIFY(m_server->group().value("pending_invitations").toArray().isEmpty());
    }

    void accountPortalPathsJoinWithOneSlash_data()
    {
        QTest::addColumn<QString>("portal");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("both slashes") << "https://portal.test/" << "/billing" << "https://portal.test/billing";
        QTest::newRow("no slashes") << "https://portal.test" << "billing" << "https://portal.test/billing";
        QTest::newRow("empty path") << "https://portal.test/" << "" << "https://portal.test/";
        QTest::newRow("no portal") << "" << "billing" << "";
    }

    void accountPortalPathsJoinWithOneSlash()
    {
        QFETCH(QString, portal);
        QFETCH(QString, path);
        QFETCH(QString, expected);
        start(portal);
        m_account->openAccountPortal(path);
        QCOMPARE(m_browser->opened(), expected.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(expected)});
    }
};

QTEST_GUILESS_MAIN(TestAccountClient)
#include "tst_accountclient.moc"
