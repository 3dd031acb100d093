// Adding a CalDAV account through the connection dialog, against a real
// Radicale, directly and behind a TLS front with a self-signed certificate,
// and against a real Xandikos, which keeps its calendars apart from the
// principal and answers the well-known address with a redirect.
#include "app/appstate.h"
#include "app/platform/datadirectory.h"
#include "app/secrets/tokenstore.h"
#include "dialogs/accounts/caldavcertificatedialog.h"
#include "dialogs/accounts/caldavconnectiondialog.h"
#include "dialogs/accounts/managesourcesdialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "sync/caldav/caldavsyncclient.h"
#include "sync/core/canonicalcalendarkey.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/radicaleserver.h"
#include "tests/support/selfsignedcertificate.h"
#include "tests/support/widgetfixture.h"
#include "tests/support/xandikosserver.h"
#include "ui/sync/syncorchestrator.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QNetworkProxy>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

const QByteArray kEvent = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\nUID:standup\r\n"
                          "DTSTAMP:20260301T000000Z\r\nDTSTART:20260310T090000Z\r\nDTEND:20260310T093000Z\r\n"
                          "SUMMARY:Stand-up\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

QPushButton *buttonWithText(QWidget *dialog, const QString &text)
{
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        if (button->text().remove(QLatin1Char('&')) == text)
            return button;
    }
    return nullptr;
}

QString statusOf(CalDavConnectionDialog &dialog)
{
    return dialog.findChild<QLabel *>(QStringLiteral("status"))->text();
}

void fill(CalDavConnectionDialog &dialog, const QString &url, const QString &user, const QString &password)
{
    dialog.findChild<QLineEdit *>(QStringLiteral("serverUrl"))->setText(url);
    dialog.findChild<QLineEdit *>(QStringLiteral("username"))->setText(user);
    dialog.findChild<QLineEdit *>(QStringLiteral("password"))->setText(password);
}

// The first syncs outlive the dialog; they must end before the store does.
bool firstSyncsEnded()
{
    return QCoreApplication::instance()->findChildren<CalDavSyncClient *>().isEmpty();
}

// The first syncs are the sync orchestration's, as in the program; it
// lives under the application like the window that holds it there.
std::unique_ptr<SyncOrchestrator> orchestrate(AppState *state)
{
    auto sync = std::make_unique<SyncOrchestrator>(state, QCoreApplication::instance());
    sync->setSecretStoreMaker([] { return std::make_unique<MemoryTokenStore>(); });
    return sync;
}

QList<Account> calDavAccounts(AppState *state)
{
    QList<Account> found;
    for (const Account &account : state->accounts()->getAll()) {
        if (account.type == AccountType::CalDav)
            found << account;
    }
    return found;
}

} // namespace

class TestCalDavConnectionDialog : public QObject
{
    Q_OBJECT

    RadicaleServer m_server;
    SelfSignedCertificate m_certificate;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(m_server.start(), qPrintable(m_server.errorText()));
        QVERIFY(m_server.createCalendar(QStringLiteral("work"), QStringLiteral("Work")));
        QVERIFY(m_server.createCalendar(QStringLiteral("home"), QStringLiteral("Home"), {QStringLiteral("VEVENT")}));
        const QUrl item = m_server.calendarUrl(QStringLiteral("work")).resolved(QUrl(QStringLiteral("standup.ics")));
        QVERIFY(m_server.putIcs(item, kEvent).status < 300);
        QVERIFY2(m_certificate.isValid(), qPrintable(m_certificate.errorText()));
    }

    void addsTheTickedCalendarsWithKeysPasswordAndFirstSync()
    {
        WidgetFixture f;
        const std::unique_ptr<SyncOrchestrator> sync = orchestrate(f.state());
        auto secrets = std::make_shared<QHash<QString, QString>>();
        CalDavConnectionDialog dialog(f.state());
        dialog.setSecretStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
        fill(dialog, m_server.baseUrl().toString(), m_server.user(), m_server.password());
        // Return in the password field starts the discovery.
        QTest::keyClick(dialog.findChild<QLineEdit *>(QStringLiteral("password")), Qt::Key_Return);
        auto *list = dialog.findChild<QListWidget *>();
        QTRY_COMPARE_WITH_TIMEOUT(list->count(), 2, 20000);
        QCOMPARE(statusOf(dialog), QStringLiteral("Found 2 calendar(s). Pick which to add."));
        buttonWithText(&dialog, QStringLiteral("Add Calendars"))->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        const QList<Account> accounts = calDavAccounts(f.state());
        QCOMPARE(accounts.size(), 1);
        const Account account = accounts.first();
        QCOMPARE(account.name, QStringLiteral("CalDAV (127.0.0.1)"));
        QCOMPARE(account.server_url, m_server.baseUrl().toString());
        QCOMPARE(account.username, m_server.user());
        QVERIFY(account.trusted_cert_sha256.isEmpty());
        QCOMPARE(secrets->value(caldavPasswordKey(account.id)), m_server.password());

        const QList<Calendar> calendars = f.state()->calendars()->getByAccount(account.id);
        QCOMPARE(calendars.size(), 2);
        for (const Calendar &calendar : calendars) {
            // Named the same on every device from the moment it exists.
            QCOMPARE(calendar.canonical_key, Sync::canonicalCalendarKey(QStringLiteral("caldav"), calendar.url).value());
            QVERIFY(!calendar.is_default); // the local calendar already is
            QVERIFY(calendar.sync_enabled);
        }
        const Calendar home = calendars.at(0).name == QLatin1String("Home") ? calendars.at(0) : calendars.at(1);
        QCOMPARE(home.supported_components, QStringLiteral("[\"VEVENT\"]"));
        const Calendar work = calendars.at(0).name == QLatin1String("Work") ? calendars.at(0) : calendars.at(1);
        QTRY_COMPARE_WITH_TIMEOUT(f.state()->events()->getByCalendar(work.id).size(), 1, 20000);
        QCOMPARE(f.state()->events()->getByCalendar(work.id).first().title, QStringLiteral("Stand-up"));
        QTRY_VERIFY_WITH_TIMEOUT(firstSyncsEnded(), 20000);
    }

    void xandikosAccountIsFoundFromItsServerAddressAndSynced()
    {
        XandikosServer xandikos;
        QVERIFY2(xandikos.start(), qPrintable(xandikos.errorText()));
        QVERIFY(xandikos.createCalendar(QStringLiteral("team"), QStringLiteral("Team")));
        const QUrl item = xandikos.calendarUrl(QStringLiteral("team")).resolved(QUrl(QStringLiteral("standup.ics")));
        QVERIFY(xandikos.putIcs(item, kEvent).status < 300);

        WidgetFixture f;
        const std::unique_ptr<SyncOrchestrator> sync = orchestrate(f.state());
        auto secrets = std::make_shared<QHash<QString, QString>>();
        CalDavConnectionDialog dialog(f.state());
        dialog.setSecretStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
        fill(dialog, xandikos.baseUrl().toString(), xandikos.user(), xandikos.password());
        dialog.findChild<QLineEdit *>(QStringLiteral("accountName"))->setText(QStringLiteral("  Team server "));
        buttonWithText(&dialog, QStringLiteral("Discover Calendars"))->click();
        auto *list = dialog.findChild<QListWidget *>();
        QTRY_VERIFY_WITH_TIMEOUT(list->count() > 0, 20000);
        // Only the ticked calendar is added.
        int team = -1;
        for (int i = 0; i < list->count(); ++i) {
            QCOMPARE(list->item(i)->checkState(), Qt::Checked);
            if (list->item(i)->text() == QLatin1String("Team"))
                team = i;
            else
                list->item(i)->setCheckState(Qt::Unchecked);
        }
        QVERIFY(team >= 0);
        QCOMPARE(list->item(team)->toolTip(), xandikos.calendarUrl(QStringLiteral("team")).toString());
        buttonWithText(&dialog, QStringLiteral("Add Calendars"))->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        const QList<Account> accounts = calDavAccounts(f.state());
        QCOMPARE(accounts.size(), 1);
        QCOMPARE(accounts.first().name, QStringLiteral("Team server"));
        QCOMPARE(secrets->value(caldavPasswordKey(accounts.first().id)), xandikos.password());
        const QList<Calendar> calendars = f.state()->calendars()->getByAccount(accounts.first().id);
        QCOMPARE(calendars.size(), 1);
        QCOMPARE(calendars.first().url, xandikos.calendarUrl(QStringLiteral("team")).toString());
        QCOMPARE(calendars.first().canonical_key,
                 Sync::canonicalCalendarKey(QStringLiteral("caldav"), calendars.first().url).value());
        QTRY_COMPARE_WITH_TIMEOUT(f.state()->events()->getByCalendar(calendars.first().id).size(), 1, 20000);
        QCOMPARE(f.state()->events()->getByCalendar(calendars.first().id).first().title, QStringLiteral("Stand-up"));
        QTRY_VERIFY_WITH_TIMEOUT(firstSyncsEnded(), 20000);
    }

    void credentialsTypedIntoTheUrlGoToTheSecretStoreOnly()
    {
        WidgetFixture f;
        const std::unique_ptr<SyncOrchestrator> sync = orchestrate(f.state());
        auto secrets = std::make_shared<QHash<QString, QString>>();
        CalDavConnectionDialog dialog(f.state());
        dialog.setSecretStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
        QUrl withCredentials = m_server.baseUrl();
        withCredentials.setUserName(m_server.user());
        withCredentials.setPassword(m_server.password());
        fill(dialog, withCredentials.toString(), QString(), QString());
        buttonWithText(&dialog, QStringLiteral("Discover Calendars"))->click();
        QTRY_COMPARE_WITH_TIMEOUT(dialog.findChild<QListWidget *>()->count(), 2, 20000);
        buttonWithText(&dialog, QStringLiteral("Add Calendars"))->click();

        const QList<Account> accounts = calDavAccounts(f.state());
        QCOMPARE(accounts.size(), 1);
        QCOMPARE(accounts.first().server_url, m_server.baseUrl().toString());
        QCOMPARE(accounts.first().username, m_server.user());
        QCOMPARE(*secrets, (QHash<QString, QString>{{caldavPasswordKey(accounts.first().id), m_server.password()}}));
        QTRY_VERIFY_WITH_TIMEOUT(firstSyncsEnded(), 20000);
    }

    // "http://tester@host/" with the password in its field: the field's
    // password goes with the address's user.
    void userInTheUrlGoesWithThePasswordField()
    {
        WidgetFixture f;
        const std::unique_ptr<SyncOrchestrator> sync = orchestrate(f.state());
        auto secrets = std::make_shared<QHash<QString, QString>>();
        CalDavConnectionDialog dialog(f.state());
        dialog.setSecretStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
        QUrl withUser = m_server.baseUrl();
        withUser.setUserName(m_server.user());
        fill(dialog, withUser.toString(), QString(), m_server.password());
        buttonWithText(&dialog, QStringLiteral("Discover Calendars"))->click();
        QTRY_VERIFY_WITH_TIMEOUT(statusOf(dialog) != QStringLiteral("Connecting…"), 20000);
        QCOMPARE(statusOf(dialog), QStringLiteral("Found 2 calendar(s). Pick which to add."));
        buttonWithText(&dialog, QStringLiteral("Add Calendars"))->click();
        const QList<Account> accounts = calDavAccounts(f.state());
        QCOMPARE(accounts.size(), 1);
        QCOMPARE(accounts.first().username, m_server.user());
        QCOMPARE(*secrets, (QHash<QString, QString>{{caldavPasswordKey(accounts.first().id), m_server.password()}}));
        QTRY_VERIFY_WITH_TIMEOUT(firstSyncsEnded(), 20000);
    }

    // The busy cursor ends however a wait ends, also when the window that
    // waits closes before the server answers.
    void busyCursorEndsWhenTheWindowCloses_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("discovery cancelled") << "connection";
        QTest::newRow("accounts closed during refresh") << "accounts";
    }

    void busyCursorEndsWhenTheWindowCloses()
    {
        QFETCH(QString, window);
        WidgetFixture f;
        const std::unique_ptr<SyncOrchestrator> sync = orchestrate(f.state());
        LocalHttpServer silent;
        QVERIFY(silent.listen());
        silent.setHandler([](const LocalHttpServer::Request &) {
            LocalHttpServer::Reply reply;
            reply.hang = true;
            return reply;
        });
        if (window == QLatin1String("connection")) {
            CalDavConnectionDialog dialog(f.state());
            fill(dialog, silent.url().toString(), m_server.user(), m_server.password());
            dialog.show();
            buttonWithText(&dialog, QStringLiteral("Discover Calendars"))->click();
            QTRY_COMPARE(silent.requests().size(), 1);
            QVERIFY(QApplication::overrideCursor());
            buttonWithText(&dialog, QStringLiteral("Cancel"))->click();
            QVERIFY(!dialog.isVisible());
            QCOMPARE(QApplication::overrideCursor(), nullptr);
            return;
        }
        Account account;
        account.id = QStringLiteral("silent");
        account.name = QStringLiteral("Silent");
        account.type = AccountType::CalDav;
        account.server_url = silent.url().toString();
        account.username = m_server.user();
        QVERIFY(f.state()->accounts()->insert(account));
        QVERIFY(TindAccount::TokenStore::create(applicationServiceId())
                    ->write(caldavPasswordKey(account.id), m_server.password()));
        {
            ManageSourcesDialog dialog(f.state(), nullptr);
            dialog.show();
            dialog.onAccountAction(QStringLiteral("refresh"), account.id);
            QTRY_COMPARE(silent.requests().size(), 1);
            QVERIFY(QApplication::overrideCursor());
            dialog.close();
        }
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // A server without calendars: "Add Calendars" creates the first one on
    // the server through the calendar form, under the account it stores.
    void serverWithoutCalendarsOffersToCreateOne()
    {
        RadicaleServer empty;
        QVERIFY2(empty.start(), qPrintable(empty.errorText()));
        WidgetFixture f;
        const std::unique_ptr<SyncOrchestrator> sync = orchestrate(f.state());
        auto secrets = std::make_shared<QHash<QString, QString>>();
        CalDavConnectionDialog dialog(f.state());
        dialog.setSecretStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
        fill(dialog, empty.baseUrl().toString(), empty.user(), empty.password());
        buttonWithText(&dialog, QStringLiteral("Discover Calendars"))->click();
        QTRY_VERIFY_WITH_TIMEOUT(statusOf(dialog) != QStringLiteral("Connecting…"), 20000);
        QCOMPARE(statusOf(dialog), QStringLiteral("No calendars found at the discovered home set. \"Add Calendars\" "
                                                  "creates one on the server."));
        QPushButton *add = buttonWithText(&dialog, QStringLiteral("Add Calendars"));
        QVERIFY(add->isEnabled());

        ModalAnswerer answerer;
        answerer.answer([](QWidget *form) {
            form->findChild<QLineEdit *>(QStringLiteral("calendarName"))->setText(QStringLiteral("First"));
            form->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        });
        add->click();
        QCOMPARE(answerer.seen(), QStringList{QStringLiteral("CalendarFormDialog Add Calendar to CalDAV (127.0.0.1)")});
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const QList<Account> accounts = calDavAccounts(f.state());
        QCOMPARE(accounts.size(), 1);
        QVERIFY(!accounts.first().calendar_home_set.isEmpty());
        const QList<Calendar> calendars = f.state()->calendars()->getByAccount(accounts.first().id);
        QCOMPARE(calendars.size(), 1);
        QCOMPARE(calendars.first().name, QStringLiteral("First"));
        QVERIFY(calendars.first().url.startsWith(accounts.first().calendar_home_set));
        QCOMPARE(*secrets, (QHash<QString, QString>{{caldavPasswordKey(accounts.first().id), empty.password()}}));
    }

    void refusalsKeepTheDialogOpenAndStoreNothing_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing ticked") << "untick" << "QMessageBox Select one or more calendars to add.";
        QTest::newRow("same user on the same server")
            << "duplicate"
            << "QMessageBox This server is already added as \"Radicale\". Its calendars are already available — "
               "no need to add it again.";
        QTest::newRow("account row refused") << "refuse" << "QMessageBox Could not save the account.";
    }

    void refusalsKeepTheDialogOpenAndStoreNothing()
    {
        QFETCH(QString, situation);
        QFETCH(QString, message);
        WidgetFixture f;
        const std::unique_ptr<SyncOrchestrator> sync = orchestrate(f.state());
        if (situation == QLatin1String("duplicate")) {
            Account existing;
            existing.id = QStringLiteral("existing");
            existing.name = QStringLiteral("Radicale");
            existing.type = AccountType::CalDav;
            // The same host and user under another path is the same account.
            existing.server_url = m_server.baseUrl().resolved(QUrl(QStringLiteral("/tester/"))).toString();
            existing.username = m_server.user();
            QVERIFY(f.state()->accounts()->insert(existing));
        }
        const QList<Account> before = f.state()->accounts()->getAll();
        auto secrets = std::make_shared<QHash<QString, QString>>();
        CalDavConnectionDialog dialog(f.state());
        dialog.setSecretStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
        fill(dialog, m_server.baseUrl().toString(), m_server.user(), m_server.password());
        buttonWithText(&dialog, QStringLiteral("Discover Calendars"))->click();
        auto *list = dialog.findChild<QListWidget *>();
        QTRY_COMPARE_WITH_TIMEOUT(list->count(), 2, 20000);
        if (situation == QLatin1String("untick")) {
            for (int i = 0; i < list->count(); ++i)
                list->item(i)->setCheckState(Qt::Unchecked);
        }
        if (situation == QLatin1String("refuse"))
            QVERIFY(f.failWritesTo(QStringLiteral("accounts")));
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        buttonWithText(&dialog, QStringLiteral("Add Calendars"))->click();
        QCOMPARE(answerer.seen(), QStringList{message});
        QCOMPARE(dialog.result(), int(QDialog::Rejected)); // still open, nothing accepted
        QCOMPARE(f.state()->accounts()->getAll(), before);
        // No password is kept for an account that was never stored.
        QVERIFY(secrets->isEmpty());
    }

    void plainHttpToAnotherMachineIsConfirmedBeforeTheFirstRequest_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<int>("accounts");
        QTest::newRow("cancelled") << QMessageBox::Cancel << 0;
        QTest::newRow("connected anyway") << QMessageBox::Yes << 1;
    }

    // Basic credentials over plain http cross the network readable by all:
    // the user hears so once, before discovery sends them the first time.
    void plainHttpToAnotherMachineIsConfirmedBeforeTheFirstRequest()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(int, accounts);
        // A proxy on this machine stands in for a server elsewhere.
        LocalHttpServer proxy;
        QVERIFY(proxy.listen());
        proxy.setHandler([](const LocalHttpServer::Request &request) {
            const QByteArray ns = "xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"";
            if (request.header("depth") == "1")
                return LocalHttpServer::Reply::status207(
                    "<d:multistatus " + ns + "><d:response><d:href>/h/cal/</d:href><d:propstat><d:prop>"
                    "<d:resourcetype><d:collection/><c:calendar/></d:resourcetype><d:displayname>Team</d:displayname>"
                    "</d:prop></d:propstat></d:response></d:multistatus>");
            return LocalHttpServer::Reply::status207(
                "<d:multistatus " + ns + "><d:response><d:href>/</d:href><d:propstat><d:prop>"
                "<d:current-user-principal><d:href>/p/</d:href></d:current-user-principal>"
                "<c:calendar-home-set><d:href>/h/</d:href></c:calendar-home-set>"
                "</d:prop></d:propstat></d:response></d:multistatus>");
        });
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, "127.0.0.1", proxy.port()));
        const auto noProxy = qScopeGuard([] { QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy); });

        WidgetFixture f;
        const std::unique_ptr<SyncOrchestrator> sync = orchestrate(f.state());
        auto secrets = std::make_shared<QHash<QString, QString>>();
        auto dialog = std::make_unique<CalDavConnectionDialog>(f.state());
        dialog->setSecretStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
        fill(*dialog, QStringLiteral("http://dav.example.org/"), QStringLiteral("ada"), QStringLiteral("s3cret"));
        ModalAnswerer answerer;
        qsizetype sentBeforeAsking = -1;
        answerer.answer([&proxy, &sentBeforeAsking, answer](QWidget *window) {
            sentBeforeAsking = proxy.requests().size();
            if (QAbstractButton *button = qobject_cast<QMessageBox *>(window)->button(answer))
                button->click();
            else
                qobject_cast<QDialog *>(window)->reject();
        });
        buttonWithText(dialog.get(), QStringLiteral("Discover Calendars"))->click();
        if (answer == QMessageBox::Yes) {
            QTRY_COMPARE_WITH_TIMEOUT(dialog->findChild<QListWidget *>()->count(), 1, 20000);
            buttonWithText(dialog.get(), QStringLiteral("Add Calendars"))->click();
        }
        QCOMPARE(answerer.seen(),
                 QStringList{"QMessageBox dav.example.org is reached over plain http: your password will travel "
                             "unencrypted, and anyone on the network between you and the server can read it.\n\n"
                             "Connect anyway?"});
        QCOMPARE(sentBeforeAsking, 0);
        QCOMPARE(proxy.requests().isEmpty(), accounts == 0);
        QCOMPARE(calDavAccounts(f.state()).size(), accounts);
        QCOMPARE(secrets->size(), accounts);
        dialog.reset();
        QTRY_VERIFY_WITH_TIMEOUT(firstSyncsEnded(), 20000);
    }

    void plainHttpWarningOnlyWhereThePasswordCrossesANetwork_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("warned");
        QTest::newRow("http elsewhere") << "http://dav.example.org/" << true;
        QTest::newRow("HTTP in capitals") << "HTTP://10.0.0.5:5232/" << true;
        QTest::newRow("https") << "https://dav.example.org/" << false;
        QTest::newRow("loopback") << "http://127.0.0.1:5232/" << false;
        QTest::newRow("localhost") << "http://localhost:5232/" << false;
        QTest::newRow("ipv6 loopback") << "http://[::1]:5232/" << false;
    }

    void plainHttpWarningOnlyWhereThePasswordCrossesANetwork()
    {
        QFETCH(QString, url);
        QFETCH(bool, warned);
        QCOMPARE(CalDavConnectionDialog::sendsPasswordInClear(QUrl(url)), warned);
    }

    void emptyFieldsAskForUrlAndUserBeforeDiscovery()
    {
        WidgetFixture f;
        const std::unique_ptr<SyncOrchestrator> sync = orchestrate(f.state());
        CalDavConnectionDialog dialog(f.state());
        fill(dialog, m_server.baseUrl().toString(), QString(), QStringLiteral("secret"));
        buttonWithText(&dialog, QStringLiteral("Discover Calendars"))->click();
        QCOMPARE(statusOf(dialog), QStringLiteral("Enter the server URL and your username first."));
        QVERIFY(!buttonWithText(&dialog, QStringLiteral("Add Calendars"))->isEnabled());
    }

    void selfSignedServerIsAddedOnlyOnceItsCertificateIsTrusted()
    {
        WidgetFixture f;
        const std::unique_ptr<SyncOrchestrator> sync = orchestrate(f.state());
        LocalHttpServer front;
        QVERIFY(front.listenTls(m_certificate.certificatePath(), m_certificate.keyPath()));
        front.setHandler([this](const LocalHttpServer::Request &request) { return forward(request); });
        const QString url = QStringLiteral("https://127.0.0.1:%1/").arg(front.port());

        CalDavConnectionDialog dialog(f.state());
        dialog.setSecretStoreMaker([] { return std::make_unique<MemoryTokenStore>(); });
        fill(dialog, url, m_server.user(), m_server.password());
        ModalAnswerer answerer;
        answerer.answer([](QWidget *window) { qobject_cast<QDialog *>(window)->reject(); });
        buttonWithText(&dialog, QStringLiteral("Discover Calendars"))->click();
        QTRY_COMPARE_WITH_TIMEOUT(statusOf(dialog), QStringLiteral("Connection cancelled, certificate not trusted."),
                                  20000);
        QCOMPARE(answerer.seen(), QStringList{"CalDavCertificateDialog Untrusted certificate"});
        QCOMPARE(dialog.findChild<QListWidget *>()->count(), 0);

        QString shownFingerprint;
        answerer.answer([&shownFingerprint](QWidget *window) {
            shownFingerprint = window->findChild<QLabel *>(QStringLiteral("fingerprint"))->text();
            buttonWithText(window, QStringLiteral("Trust certificate"))->click();
        });
        buttonWithText(&dialog, QStringLiteral("Discover Calendars"))->click();
        QTRY_COMPARE_WITH_TIMEOUT(dialog.findChild<QListWidget *>()->count(), 2, 20000);
        QCOMPARE(shownFingerprint, formatFingerprint(m_certificate.sha256()));
        buttonWithText(&dialog, QStringLiteral("Add Calendars"))->click();

        const QList<Account> accounts = calDavAccounts(f.state());
        QCOMPARE(accounts.size(), 1);
        QCOMPARE(accounts.first().trusted_cert_sha256, m_certificate.sha256());
        QCOMPARE(accounts.first().server_url, url);
        // The first syncs go through the same pin.
        QTRY_COMPARE_WITH_TIMEOUT(eventsOf(f.state(), accounts.first().id), 1, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(firstSyncsEnded(), 20000);
    }

    void refreshCalendarsTrustsOnlyThePinnedCertificate_data()
    {
        QTest::addColumn<bool>("rightPin");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("kept pin") << true << "QMessageBox Found 2 new calendar(s).";
        QTest::newRow("wrong pin") << false << QString();
    }

    void refreshCalendarsTrustsOnlyThePinnedCertificate()
    {
        QFETCH(bool, rightPin);
        QFETCH(QString, outcome);
        WidgetFixture f;
        const std::unique_ptr<SyncOrchestrator> sync = orchestrate(f.state());
        LocalHttpServer front;
        QVERIFY(front.listenTls(m_certificate.certificatePath(), m_certificate.keyPath()));
        front.setHandler([this](const LocalHttpServer::Request &request) { return forward(request); });
        Account account;
        account.id = QStringLiteral("pinned");
        account.name = QStringLiteral("Pinned");
        account.type = AccountType::CalDav;
        account.server_url = QStringLiteral("https://127.0.0.1:%1/").arg(front.port());
        account.username = m_server.user();
        account.trusted_cert_sha256 = rightPin ? m_certificate.sha256() : QString(64, QLatin1Char('A'));
        QVERIFY(f.state()->accounts()->insert(account));
        QVERIFY(TindAccount::TokenStore::create(applicationServiceId())
                    ->write(caldavPasswordKey(account.id), m_server.password()));

        ManageSourcesDialog dialog(f.state(), nullptr);
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        dialog.onAccountAction(QStringLiteral("refresh"), account.id);
        QTRY_COMPARE_WITH_TIMEOUT(answerer.seen().size(), 1, 20000);
        if (rightPin)
            QCOMPARE(answerer.seen().first(), outcome);
        else
            QVERIFY2(answerer.seen().first().startsWith(QLatin1String("QMessageBox "))
                         && !answerer.seen().first().contains(QLatin1String("calendar")),
                     qPrintable(answerer.seen().first()));
        QCOMPARE(f.state()->calendars()->getByAccount(account.id).size(), rightPin ? 2 : 0);
    }

private:
    // The TLS front hands every request on to Radicale.
    LocalHttpServer::Reply forward(const LocalHttpServer::Request &request) const
    {
        QMap<QByteArray, QByteArray> headers;
        for (const QByteArray &name : {QByteArray("depth"), QByteArray("content-type"), QByteArray("if-match"),
                                       QByteArray("if-none-match")}) {
            if (!request.header(name).isEmpty())
                headers.insert(name, request.header(name));
        }
        const DavServerProcess::HttpResult result = m_server.request(
            request.method, m_server.baseUrl().resolved(QUrl(QString::fromUtf8(request.target))), request.body, headers);
        LocalHttpServer::Reply reply;
        reply.status = result.status;
        reply.body = result.body;
        for (const QByteArray &name : {QByteArray("content-type"), QByteArray("etag"), QByteArray("location")}) {
            if (result.headers.contains(name))
                reply.headers.append({name, result.headers.value(name)});
        }
        return reply;
    }

    static int eventsOf(AppState *state, const QString &accountId)
    {
        int count = 0;
        for (const Calendar &calendar : state->calendars()->getByAccount(accountId))
            count += state->events()->getByCalendar(calendar.id).size();
        return count;
    }
};

QTEST_MAIN(TestCalDavConnectionDialog)
#include "tst_caldavconnectiondialog.moc"
