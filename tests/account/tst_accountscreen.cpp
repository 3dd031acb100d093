#include "account/authclient.h"
#include "account/client.h"
#include "account/tokenmanager.h"
#include "account/widgets/accountscreen.h"
#include "tests/support/fakecloudserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/recordingbrowser.h"

#include <QInputDialog>
#include <QJsonArray>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>

#include <memory>

using namespace TindAccount;

// The account screen against the fake cloud service: its pages, and each
// action's outcome on the status line.
class TestAccountScreen : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeCloudServer> m_server;
    std::unique_ptr<RecordingBrowser> m_browser;
    std::unique_ptr<Client> m_client;
    std::unique_ptr<AccountScreen> m_screen;

    void signIn()
    {
        Client::Config config;
        config.authApiUrl = m_server->authApiUrl();
        config.realmSlug = FakeCloudServer::RealmSlug;
        config.accountApiUrl = m_server->accountApiUrl();
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
        QTRY_VERIFY(m_client->isAuthenticated());
        m_screen = std::make_unique<AccountScreen>(m_client.get());
    }

    QWidget *page(const char *name) const { return m_screen->findChild<QWidget *>(QString::fromLatin1(name)); }

    // The texts of a page's labels and buttons, in creation order.
    static QStringList texts(const QWidget *page)
    {
        QStringList result;
        for (const QObject *child : page->findChildren<QObject *>()) {
            if (const auto *label = qobject_cast<const QLabel *>(child))
                result.append(label->text());
            else if (const auto *button = qobject_cast<const QPushButton *>(child))
                result.append(QStringLiteral("[%1]").arg(button->text()));
        }
        return result;
    }

    QString status() const { return m_screen->findChild<QLabel *>(QStringLiteral("accountStatus"))->text(); }

    QPushButton *button(const char *page, const char *name) const
    {
        return this->page(page)->findChild<QPushButton *>(QString::fromLatin1(name));
    }

    static ModalAnswerer::Answer typeText(const QString &text)
    {
        return [text](QWidget *window) {
            auto *input = qobject_cast<QInputDialog *>(window);
            QVERIFY(input);
            input->setTextValue(text);
            input->accept();
        };
    }

    void setFamilyGroup()
    {
        m_server->group() = QJsonObject{
            {"id", "group-1"},
            {"name", "Family"},
            {"max_seats", 5},
            {"members", QJsonArray{QJsonObject{{"account_id", "acct-1"}, {"display_name", "Ada"},
                                               {"email", "ada@example.org"}, {"role", "owner"}},
                                   QJsonObject{{"account_id", "acct-2"}, {"display_name", ""},
                                               {"email", "bob@example.org"}, {"role", "member"}}}},
            {"pending_invitations", QJsonArray{QJsonObject{{"id", "inv-1"}, {"invited_email", ""},
                                                           {"invite_code", "ABC123"}, {"status", "pending"}}}}};
    }

private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<FakeCloudServer>();
        QVERIFY(m_server->listen());
        m_browser = std::make_unique<RecordingBrowser>();
        m_browser->setVisiting(false);
    }

    void cleanup()
    {
        m_screen.reset();
        m_client.reset();
        m_browser.reset();
        m_server.reset();
    }

    void pagesShowNothingUntilAnsweredThenTheAccount()
    {
        setFamilyGroup();
        signIn();
        QCOMPARE(texts(page("groupPage")), QStringList{"Group"});
        QCOMPARE(m_screen->findChild<QLabel *>(QStringLiteral("nameLabel"))->text(), QString());
        m_screen->refreshAll();
        QTRY_COMPARE(m_screen->findChild<QLabel *>(QStringLiteral("nameLabel"))->text(), QStringLiteral("Ada"));
        QCOMPARE(m_screen->findChild<QLabel *>(QStringLiteral("emailLabel"))->text(), QStringLiteral("ada@example.org"));
        QTRY_VERIFY(texts(page("groupPage")).size() > 1);
        QCOMPARE(texts(page("groupPage")),
                 (QStringList{"Group", "Family", "2 of 5 seats used", "Members", "Ada", "ada@example.org", "Owner",
                              "bob@example.org", "[Remove]", "Pending Invitations", "Invite code: ABC123", "[Revoke]", "Invite Members",
                              "[Invite by Email]", "[Generate Invite Code]"}));
        QTRY_VERIFY(texts(page("devicesPage")).size() > 1);
        const QString lastSync = AccountScreen::formatLastActive(QDateTime(QDate(2026, 12, 1), QTime(8, 0), Qt::UTC));
        QCOMPARE(texts(page("devicesPage")),
                 (QStringList{"Devices", "Registered Devices", "Devices that have synced with your account.",
                              "<b>Laptop</b>", QStringLiteral("linux  \u00B7  v1.0"), lastSync, "[Remove]"}));
        QTRY_VERIFY(texts(page("securityPage")).size() > 1);
        QCOMPARE(texts(page("securityPage")),
                 (QStringList{"Security", "Active Sessions", "Sessions currently signed in to your account.",
                              "Tindlebrook Calendar", QStringLiteral("This session  \u00B7  127.0.0.1"), "Current"}));
        // An owner cannot delete the account.
        QVERIFY(!button("privacyPage", "deleteAccountButton")->isEnabled());
        QVERIFY(page("privacyPage")->findChild<QLabel *>(QStringLiteral("ownerNote")));
    }

    void aMemberMayLeaveButNotRemoveOthers()
    {
        setFamilyGroup();
        m_server->setTokenRole(QStringLiteral("member"));
        signIn();
        m_screen->refreshGroup();
        QTRY_VERIFY(texts(page("groupPage")).size() > 1);
        QCOMPARE(texts(page("groupPage")), (QStringList{"Group", "Family", "2 of 5 seats used", "Members", "Ada",
                                                        "ada@example.org", "Owner", "bob@example.org",
                                                        "[Leave Group]"}));
        QVERIFY(button("privacyPage", "deleteAccountButton")->isEnabled());
        QVERIFY(!page("privacyPage")->findChild<QLabel *>(QStringLiteral("ownerNote")));
    }

    void pagesShowTheirRecordsAsGiven_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("expected");
        const QString ua60 = QString(60, QLatin1Char('a'));
        QTest::newRow("group without id") << "no group"
                                          << QStringList{"Group", "No Group",
                                                         "You're not part of a group. The group owner can invite you, "
                                                         "or you can join with an invite code.",
                                                         "[Join with Invite Code]"};
        QTest::newRow("devices")
            << "devices"
            << QStringList{"Devices", "Registered Devices", "Devices that have synced with your account.",
                           "<b>Unknown Device</b>", "windows", "Unknown", "[Remove]", "<b>Desk</b>",
                           QStringLiteral("  \u00B7  v2.1"), "Unknown", "[Remove]"};
        QTest::newRow("no devices") << "no devices"
                                    << QStringList{"Devices", "Registered Devices",
                                                   "Devices that have synced with your account.",
                                                   "No devices registered."};
        QTest::newRow("sessions") << "sessions"
                                  << QStringList{"Security", "Active Sessions",
                                                 "Sessions currently signed in to your account.", ua60,
                                                 "Unknown", "[Revoke]", ua60 + "...", "Unknown", "[Revoke]",
                                                 "Unknown client", QStringLiteral("Unknown  \u00B7  10.0.0.2"),
                                                 "[Revoke]"};
    }

    void pagesShowTheirRecordsAsGiven()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, expected);
        signIn();
        const QString ua60 = QString(60, QLatin1Char('a'));
        QString pageName = QStringLiteral("groupPage");
        if (kind == QLatin1String("no group")) {
            Group group;
            group.name = QStringLiteral("Named but no id");
            m_screen->populateGroup(group);
        } else if (kind.endsWith(QLatin1String("devices"))) {
            pageName = QStringLiteral("devicesPage");
            QList<Device> devices;
            if (kind == QLatin1String("devices")) {
                Device anonymous;
                anonymous.platform = QStringLiteral("windows");
                Device desk;
                desk.device_name = QStringLiteral("Desk");
                desk.app_version = QStringLiteral("2.1");
                devices = {anonymous, desk};
            }
            m_screen->populateDevices(devices);
        } else {
            pageName = QStringLiteral("securityPage");
            Session exact;
            exact.id = QStringLiteral("s1");
            exact.user_agent = ua60;
            Session longer = exact;
            longer.id = QStringLiteral("s2");
            longer.user_agent = ua60 + QLatin1Char('b');
            Session bare;
            bare.id = QStringLiteral("s3");
            bare.ip_address = QStringLiteral("10.0.0.2");
            m_screen->populateSessions({exact, longer, bare});
        }
        QCOMPARE(texts(m_screen->findChild<QWidget *>(pageName)), expected);
    }

    void lastActiveReadsRelativeTime_data()
    {
        QTest::addColumn<qint64>("secondsAgo");
        QTest::addColumn<QString>("expected");
        QTest::newRow("59 s") << qint64(59) << "Active now";
        QTest::newRow("60 s") << qint64(60) << "1m ago";
        QTest::newRow("3599 s") << qint64(3599) << "59m ago";
        QTest::newRow("3600 s") << qint64(3600) << "1h ago";
        QTest::newRow("a day less a second") << qint64(86399) << "23h ago";
        QTest::newRow("a day") << qint64(86400) << "1d ago";
        QTest::newRow("a week less a second") << qint64(604799) << "6d ago";
        QTest::newRow("a week") << qint64(604800) << "Dec 3, 2026";
        QTest::newRow("future") << qint64(-500) << "Active now";
    }

    void lastActiveReadsRelativeTime()
    {
        QFETCH(qint64, secondsAgo);
        QFETCH(QString, expected);
        const QDateTime now(QDate(2026, 12, 10), QTime(12, 0), Qt::UTC);
        QCOMPARE(AccountScreen::formatLastActive(now.addSecs(-secondsAgo), now), expected);
        QCOMPARE(AccountScreen::formatLastActive(QDateTime(), now), QStringLiteral("Unknown"));
    }

    // Each change reports success only when the service made it; a refusal
    // shows the service's own reason, and the page is read again.
    void changesReportTheirTrueOutcome_data()
    {
        QTest::addColumn<QString>("pageName");
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<QString>("faultPath");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("success");
        QTest::addColumn<QString>("failure");
        QTest::newRow("remove member") << "groupPage" << "removeMemberButton" << "/group/members/" << true
                                       << "bob@example.org removed."
                                       << "Failed to remove bob@example.org. unavailable";
        QTest::newRow("revoke invitation") << "groupPage" << "revokeInvitationButton" << "/group/invitations/"
                                           << false << "Invitation revoked."
                                           << "Failed to revoke invitation. unavailable";
        QTest::newRow("remove device") << "devicesPage" << "removeDeviceButton" << "/devices/" << true
                                       << "Device removed." << "Failed to remove device. unavailable";
        QTest::newRow("revoke session") << "securityPage" << "revokeSessionButton" << "/users/me/sessions/" << false
                                        << "Session revoked." << "Failed to revoke session. unavailable";
        QTest::newRow("leave group") << "groupPage" << "leaveGroupButton" << "/group/leave" << true << "Left group."
                                     << "Failed to leave group. unavailable";
    }

    void changesReportTheirTrueOutcome()
    {
        QFETCH(QString, pageName);
        QFETCH(QString, buttonName);
        QFETCH(QString, faultPath);
        QFETCH(bool, confirm);
        QFETCH(QString, success);
        QFETCH(QString, failure);
        setFamilyGroup();
        if (buttonName == QLatin1String("leaveGroupButton"))
            m_server->setTokenRole(QStringLiteral("member"));
        m_server->signIn(); // a second session, for the Revoke button
        signIn();
        m_screen->refreshAll();
        QWidget *target = m_screen->findChild<QWidget *>(pageName);
        QTRY_VERIFY(target->findChild<QPushButton *>(buttonName));

        ModalAnswerer answerer;
        m_server->setFault(faultPath, FakeCloudServer::Fault::ServerError, 1);
        if (confirm)
            answerer.pressButton(QMessageBox::Yes);
        target->findChild<QPushButton *>(buttonName)->click();
        QTRY_COMPARE(status(), failure);
        QTRY_VERIFY(target->findChild<QPushButton *>(buttonName));

        if (confirm)
            answerer.pressButton(QMessageBox::Yes);
        target->findChild<QPushButton *>(buttonName)->click();
        QTRY_COMPARE(status(), success);
        QTRY_VERIFY(!target->findChild<QPushButton *>(buttonName));
    }

    void renameKeepsTheOldNameWhenRefused()
    {
        signIn();
        m_screen->refreshProfile();
        auto *name = m_screen->findChild<QLabel *>(QStringLiteral("nameLabel"));
        QTRY_COMPARE(name->text(), QStringLiteral("Ada"));
        ModalAnswerer answerer;
        m_server->setFault(QStringLiteral("/users/me"), FakeCloudServer::Fault::ServerError, 1);
        answerer.answer(typeText(QStringLiteral("  Ada L.  ")));
        button("profilePage", "editNameButton")->click();
        QTRY_COMPARE(status(), QStringLiteral("Failed to update profile. unavailable"));
        QCOMPARE(name->text(), QStringLiteral("Ada"));
        QVERIFY(button("profilePage", "editNameButton")->isEnabled());

        answerer.answer(typeText(QStringLiteral("  Ada L.  ")));
        button("profilePage", "editNameButton")->click();
        QTRY_COMPARE(status(), QStringLiteral("Display name updated."));
        QCOMPARE(name->text(), QStringLiteral("Ada L."));
        QCOMPARE(m_server->user().value(QStringLiteral("display_name")).toString(), QStringLiteral("Ada L."));

        // Blanks send nothing.
        const int patches = m_server->countRequests("PATCH", QStringLiteral("/users/me"));
        answerer.answer(typeText(QStringLiteral("   ")));
        button("profilePage", "editNameButton")->click();
        QTRY_COMPARE(answerer.pending(), 0);
        QCOMPARE(m_server->countRequests("PATCH", QStringLiteral("/users/me")), patches);
    }

    void passwordPromptsCheckLengthAndMatch()
    {
        signIn();
        ModalAnswerer answerer;
        answerer.answer(typeText(QStringLiteral("correct horse")));
        answerer.answer(typeText(QStringLiteral("1234567")));
        button("profilePage", "changePasswordButton")->click();
        QTRY_COMPARE(status(), QStringLiteral("Password must be at least 8 characters."));
        QCOMPARE(answerer.seen().size(), 2);

        answerer.answer(typeText(QStringLiteral("correct horse")));
        answerer.answer(typeText(QStringLiteral("12345678")));
        answerer.answer([](QWidget *window) { qobject_cast<QDialog *>(window)->reject(); });
        button("profilePage", "changePasswordButton")->click();
        QTRY_COMPARE(status(), QStringLiteral("Passwords do not match."));

        answerer.answer(typeText(QStringLiteral("wrong horse")));
        answerer.answer(typeText(QStringLiteral("battery staple")));
        answerer.answer(typeText(QStringLiteral("battery staple")));
        button("profilePage", "changePasswordButton")->click();
        QTRY_COMPARE(status(), QStringLiteral("Failed to change password. wrong_password"));
        QCOMPARE(m_server->password(), QStringLiteral("correct horse"));

        answerer.answer(typeText(QStringLiteral("correct horse")));
        answerer.answer(typeText(QStringLiteral("battery staple")));
        answerer.answer(typeText(QStringLiteral("battery staple")));
        button("profilePage", "changePasswordButton")->click();
        QTRY_COMPARE(status(), QStringLiteral("Password changed."));
        QCOMPARE(m_server->password(), QStringLiteral("battery staple"));
    }

    void deletionNeedsTheExactWordThenSignsOut()
    {
        signIn();
        QSignalSpy logout(m_screen.get(), &AccountScreen::logoutRequested);
        ModalAnswerer answerer;
        answerer.answer(typeText(QStringLiteral("DELETE ")));
        // The owner's button is disabled; a member account is deleted here.
        QPushButton *remove = button("privacyPage", "deleteAccountButton");
        QVERIFY(remove->isEnabled());
        remove->click();
        QTRY_COMPARE(answerer.pending(), 0);
        QTest::qWait(50);
        QCOMPARE(m_server->countRequests("DELETE", QStringLiteral("/profile")), 0);
        QCOMPARE(status(), QString());

        answerer.answer(typeText(QStringLiteral("DELETE")));
        answerer.pressButton(QMessageBox::Ok);
        remove->click();
        QTRY_COMPARE(logout.count(), 1);
        QCOMPARE(answerer.seen().last(),
                 QStringLiteral("QMessageBox Your account will be permanently deleted in 30 days. You can recover it "
                                "by signing in before then."));
        QCOMPARE(m_server->countRequests("DELETE", QStringLiteral("/profile")), 1);
    }

    void joiningAndInvitingReReadTheGroup()
    {
        signIn();
        m_screen->refreshGroup();
        QTRY_VERIFY(page("groupPage")->findChild<QPushButton *>(QStringLiteral("joinGroupButton")));
        ModalAnswerer answerer;
        answerer.answer(typeText(QStringLiteral("WRONG")));
        page("groupPage")->findChild<QPushButton *>(QStringLiteral("joinGroupButton"))->click();
        QTRY_COMPARE(status(), QStringLiteral("Invalid or expired invite code. invalid_code"));

        answerer.answer(typeText(QStringLiteral(" JOIN-ME ")));
        page("groupPage")->findChild<QPushButton *>(QStringLiteral("joinGroupButton"))->click();
        QTRY_COMPARE(status(), QStringLiteral("Joined group."));
        QTRY_VERIFY(texts(page("groupPage")).contains(QStringLiteral("Family")));

        // Joining refreshes the token; on this fake service the joined user
        // then owns the group.
        QTRY_COMPARE(m_client->claims().role, QStringLiteral("owner"));
        m_screen->refreshGroup();
        QTRY_VERIFY(page("groupPage")->findChild<QPushButton *>(QStringLiteral("generateCodeButton")));
        answerer.pressButton(QMessageBox::Ok);
        page("groupPage")->findChild<QPushButton *>(QStringLiteral("generateCodeButton"))->click();
        QTRY_VERIFY(!answerer.seen().isEmpty() && answerer.seen().last().startsWith(
                        QStringLiteral("QMessageBox Share this code with the person you want to invite:\n\n")));
        QTRY_VERIFY(texts(page("groupPage")).join(QLatin1Char('|')).contains(QStringLiteral("Invite code: CODE")));

        answerer.answer(typeText(QStringLiteral(" carol@example.org ")));
        page("groupPage")->findChild<QPushButton *>(QStringLiteral("inviteByEmailButton"))->click();
        QTRY_COMPARE(status(), QStringLiteral("Invitation sent."));
        QTRY_VERIFY(texts(page("groupPage")).contains(QStringLiteral("carol@example.org")));
    }

    void signOutAsksTheOwnerToSignOut()
    {
        signIn();
        QSignalSpy logout(m_screen.get(), &AccountScreen::logoutRequested);
        button("profilePage", "signOutButton")->click();
        QCOMPARE(logout.count(), 1);
    }
};

QTEST_MAIN(TestAccountScreen)
#include "tst_accountscreen.moc"
