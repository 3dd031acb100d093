#include "account/client.h"
#include "account/sharingbackend.h"
#include "account/tokenmanager.h"
#include "account/widgets/sharemembersdialog.h"
#include "tests/support/fakecloudserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/recordingbrowser.h"

#include <QJsonArray>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace TindAccount;

namespace {

// A sharing service kept in memory; answers can be held back to test
// requests that are still running.
class MemorySharingBackend : public SharingBackend
{
public:
    QList<ShareMember> members;
    QString shareError;
    bool refuse = false;
    bool holdAnswers = false;
    QList<std::function<void()>> held;
    QStringList calls;

    void listMembers(const QString &calendarId, std::function<void(QList<ShareMember>)> callback) override
    {
        calls.append(QStringLiteral("list %1").arg(calendarId));
        callback(members);
    }

    void shareWith(const QString &calendarId, const QString &userId, const QString &role,
                   std::function<void(bool, QString)> callback) override
    {
        calls.append(QStringLiteral("share %1 %2 %3").arg(calendarId, userId, role));
        auto answer = [this, userId, role, callback] {
            if (refuse) {
                callback(false, shareError);
                return;
            }
            ShareMember member;
            member.id = member.user_id = userId;
            member.role = role;
            members.append(member);
            callback(true, QString());
        };
        holdAnswers ? held.append(answer) : answer();
    }

    void removeShare(const QString &calendarId, const QString &userId, std::function<void(bool)> callback) override
    {
        calls.append(QStringLiteral("remove %1 %2").arg(calendarId, userId));
        if (refuse) {
            callback(false);
            return;
        }
        members.erase(std::remove_if(members.begin(), members.end(),
                                     [&userId](const ShareMember &member) { return member.id == userId; }),
                      members.end());
        callback(true);
    }
};

ShareMember share(const QString &userId, const QString &role, const QString &name = QString(),
                  const QString &email = QString())
{
    ShareMember member;
    member.id = member.user_id = userId;
    member.role = role;
    member.display_name = name;
    member.email = email;
    return member;
}

} // namespace

// The calendar-sharing dialog over a memory backend and the fake cloud
// service's group.
class TestShareMembersDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeCloudServer> m_server;
    std::unique_ptr<RecordingBrowser> m_browser;
    std::unique_ptr<Client> m_client;
    std::unique_ptr<MemorySharingBackend> m_backend;

    std::unique_ptr<ShareMembersDialog> open()
    {
        ShareMembersDialog::Texts texts;
        texts.title = QStringLiteral("Share Calendar");
        texts.heading = QStringLiteral("Sharing: Family");
        texts.shareRole = QStringLiteral("member");
        texts.noGroupText = QStringLiteral("Add people to your group first.");
        const int groupReads = m_server->countRequests("GET", QStringLiteral("/group"));
        auto dialog = std::make_unique<ShareMembersDialog>(m_client.get(), m_backend.get(), QStringLiteral("cal-9"),
                                                           texts);
        // The profile, then the group arrive.
        if (!QTest::qWaitFor([&] { return m_server->countRequests("GET", QStringLiteral("/group")) > groupReads; }, 20000))
            qWarning("the group was never read");
        // Its reply is read on later turns of the event loop: a group with
        // members hides the "no group" text once it is in. Without members
        // the dialog reads the same before and after.
        const auto *noGroup = dialog->findChild<QLabel *>(QStringLiteral("noGroupLabel"));
        if (m_server->group().value(QStringLiteral("members")).toArray().isEmpty())
            QTest::qWait(100);
        else if (!QTest::qWaitFor([noGroup] { return noGroup->isHidden(); }, 20000))
            qWarning("the group's members never arrived");
        return dialog;
    }

    // "shared: name <email>" and "candidate: name <email>" rows, then the
    // visible placeholder labels.
    static QStringList rows(const QWidget &dialog)
    {
        QStringList result;
        for (const QWidget *row : dialog.findChildren<QWidget *>()) {
            const bool shared = row->objectName() == QLatin1String("shareRow");
            if (!shared && row->objectName() != QLatin1String("candidateRow"))
                continue;
            const auto *name = row->findChild<QLabel *>(QStringLiteral("personName"));
            const auto *email = row->findChild<QLabel *>(QStringLiteral("personEmail"));
            QString line = QStringLiteral("%1: %2").arg(shared ? "shared" : "candidate", name->text());
            if (email)
                line += QStringLiteral(" <%1>").arg(email->text());
            line += QStringLiteral(" [%1]").arg(row->findChild<QLabel *>(QStringLiteral("avatar"))->text());
            result.append(line);
        }
        for (const char *name : {"noSharesLabel", "noGroupLabel", "allHaveAccessLabel"}) {
            const auto *label = dialog.findChild<QLabel *>(QString::fromLatin1(name));
            if (label && !label->isHidden())
                result.append(label->text());
        }
        return result;
    }

    void setGroup(const QJsonArray &members)
    {
        m_server->group() = QJsonObject{{"id", "group-1"}, {"name", "Family"}, {"max_seats", 5}, {"members", members}};
    }

private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<FakeCloudServer>();
        QVERIFY(m_server->listen());
        m_browser = std::make_unique<RecordingBrowser>();
        m_browser->setVisiting(false);
        m_backend = std::make_unique<MemorySharingBackend>();
        setGroup(QJsonArray{
            QJsonObject{{"account_id", "acct-1"}, {"display_name", "Ada Lovelace"}, {"email", "ada@example.org"},
                        {"role", "owner"}},
            QJsonObject{{"account_id", "acct-2"}, {"display_name", "  bob   van  dyke "}, {"email", "bob@example.org"},
                        {"role", "member"}},
            QJsonObject{{"account_id", "acct-3"}, {"display_name", ""}, {"email", "carol@example.org"},
                        {"role", "member"}}});

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
    }

    void cleanup()
    {
        m_client.reset();
        m_backend.reset();
        m_browser.reset();
        m_server.reset();
    }

    void listsSplitPeopleWithAccessFromCandidates()
    {
        // The calendar's owner is listed nowhere; the signed-in user (acct-1,
        // the profile's id) is never a candidate.
        m_backend->members = {share(QStringLiteral("acct-9"), QStringLiteral("owner"), QStringLiteral("Zed")),
                              share(QStringLiteral("acct-3"), QStringLiteral("member")),
                              share(QStringLiteral("stranger"), QStringLiteral("member"))};
        auto dialog = open();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Share Calendar"));
        QCOMPARE(rows(*dialog), (QStringList{"shared: carol@example.org [C]", "shared: stranger [?]",
                                             "candidate:   bob   van  dyke  <bob@example.org> [BD]"}));
    }

    void aloneInTheGroupOrWithoutOne_data()
    {
        QTest::addColumn<bool>("hasGroup");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("only member") << true
                                     << QStringList{"Not shared with anyone yet.",
                                                    "All group members already have access"};
        QTest::newRow("no group") << false
                                  << QStringList{"Not shared with anyone yet.", "Add people to your group first."};
    }

    void aloneInTheGroupOrWithoutOne()
    {
        QFETCH(bool, hasGroup);
        QFETCH(QStringList, expected);
        if (hasGroup)
            setGroup(QJsonArray{QJsonObject{{"account_id", "acct-1"}, {"email", "ada@example.org"}, {"role", "owner"}}});
        else
            m_server->group() = QJsonObject();
        auto dialog = open();
        QCOMPARE(rows(*dialog), expected);
    }

    void initialsOfNamesAndAddresses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("initials");
        QTest::newRow("two words, spaces around and between") << "  ada   lovelace " << "" << "AL";
        QTest::newRow("three words take first and last") << "jean luc picard" << "x@y" << "JP";
        QTest::newRow("one word") << "bob" << "" << "B";
        QTest::newRow("address only") << "" << "carol@example.org" << "C";
        QTest::newRow("nothing") << "" << "" << "?";
    }

    void initialsOfNamesAndAddresses()
    {
        QFETCH(QString, name);
        QFETCH(QString, email);
        QFETCH(QString, initials);
        QCOMPARE(ShareMembersDialog::initialsFor(name, email), initials);
    }

    void sharingAddsThePersonAndReportsTheChange()
    {
        auto dialog = open();
        QSignalSpy changed(dialog.get(), &ShareMembersDialog::sharingChanged);
        QList<QPushButton *> buttons = dialog->findChildren<QPushButton *>(QStringLiteral("shareButton"));
        QCOMPARE(buttons.size(), 2);
        buttons.first()->click();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(m_backend->calls.mid(1), (QStringList{"share cal-9 acct-2 member", "list cal-9"}));
        QTRY_COMPARE(rows(*dialog), (QStringList{"shared:   bob   van  dyke  <bob@example.org> [BD]",
                                                 "candidate: carol@example.org [C]"}));
    }

    void aSecondClickWhileSharingSendsNothing()
    {
        m_backend->holdAnswers = true;
        auto dialog = open();
        QList<QPushButton *> buttons = dialog->findChildren<QPushButton *>(QStringLiteral("shareButton"));
        buttons.first()->click();
        buttons.first()->click();
        buttons.last()->click();
        QCOMPARE(m_backend->calls.filter(QStringLiteral("share ")).size(), 1);
        m_backend->members = {share(QStringLiteral("acct-3"), QStringLiteral("member"))};
        m_backend->held.clear();
        // A removal while the share runs asks nothing.
        ModalAnswerer answerer;
        auto fresh = open();
        fresh->findChildren<QPushButton *>(QStringLiteral("shareButton")).first()->click();
        fresh->findChild<QToolButton *>(QStringLiteral("removeShareButton"))->click();
        QTest::qWait(20);
        QCOMPARE(answerer.seen(), QStringList());
        QCOMPARE(m_backend->calls.filter(QStringLiteral("remove ")).size(), 0);
    }

    void failedShareShowsTheBackendsReasonOrItsOwn_data()
    {
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("shown");
        QTest::newRow("backend text") << "Not signed in" << "Not signed in";
        QTest::newRow("no text") << "" << "Could not share with   bob   van  dyke .";
    }

    void failedShareShowsTheBackendsReasonOrItsOwn()
    {
        QFETCH(QString, reason);
        QFETCH(QString, shown);
        m_backend->refuse = true;
        m_backend->shareError = reason;
        auto dialog = open();
        QSignalSpy changed(dialog.get(), &ShareMembersDialog::sharingChanged);
        const int lists = m_backend->calls.filter(QStringLiteral("list ")).size();
        dialog->findChildren<QPushButton *>(QStringLiteral("shareButton")).first()->click();
        auto *error = dialog->findChild<QLabel *>(QStringLiteral("shareError"));
        QVERIFY(!error->isHidden());
        QCOMPARE(error->text(), shown);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(m_backend->calls.filter(QStringLiteral("list ")).size(), lists);
    }

    void removalAsksFirstAndNoChangesNothing()
    {
        m_backend->members = {share(QStringLiteral("acct-2"), QStringLiteral("member"))};
        auto dialog = open();
        QSignalSpy changed(dialog.get(), &ShareMembersDialog::sharingChanged);
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::No);
        dialog->findChild<QToolButton *>(QStringLiteral("removeShareButton"))->click();
        QCOMPARE(answerer.seen(), QStringList{"QMessageBox   bob   van  dyke  will no longer have access. Continue?"});
        QCOMPARE(m_backend->calls.filter(QStringLiteral("remove ")).size(), 0);

        answerer.pressButton(QMessageBox::Yes);
        dialog->findChild<QToolButton *>(QStringLiteral("removeShareButton"))->click();
        QCOMPARE(m_backend->calls.filter(QStringLiteral("remove ")), QStringList{"remove cal-9 acct-2"});
        QCOMPARE(changed.count(), 1);
        QTRY_COMPARE(rows(*dialog), (QStringList{"candidate:   bob   van  dyke  <bob@example.org> [BD]",
                                                 "candidate: carol@example.org [C]", "Not shared with anyone yet."}));
    }

    void failedRemovalSaysSo()
    {
        m_backend->members = {share(QStringLiteral("acct-3"), QStringLiteral("member"))};
        m_backend->refuse = true;
        auto dialog = open();
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Yes);
        dialog->findChild<QToolButton *>(QStringLiteral("removeShareButton"))->click();
        QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("shareError"))->text(),
                 QStringLiteral("Could not remove carol@example.org."));
    }
};

QTEST_MAIN(TestShareMembersDialog)
#include "tst_sharemembersdialog.moc"
