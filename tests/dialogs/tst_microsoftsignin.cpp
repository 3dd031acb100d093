// Microsoft sign-in from the accounts dialog against the fake Microsoft
// server, with a test playing the browser: the account, its calendars and
// tokens, and a cancel in a translated interface.
#include "app/appstate.h"
#include "app/secrets/credentialbackend.h"
#include "dialogs/accounts/managesourcesdialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "sync/core/canonicalcalendarkey.h"
#include "sync/microsoft/microsoftauthservice.h"
#include "tests/support/consentpage.h"
#include "tests/support/fakemicrosoftserver.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/recordingbrowser.h"
#include "tests/support/recordingurlopener.h"
#include "tests/support/tempdatadir.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonObject>
#include <QMessageBox>
#include <QTest>
#include <QTranslator>
#include <QTimer>
#include <QUrlQuery>

#include <memory>

namespace {

// The interface in another language: the cancel reason no longer says
// "cancelled".
class GermanCancel : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (QLatin1String(context) == QLatin1String("Microsoft::AuthService")
            && QLatin1String(source) == QLatin1String("Sign-in cancelled."))
            return QStringLiteral("Anmeldung abgebrochen.");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class TestMicrosoftSignIn : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<FakeMicrosoftServer> m_server;
    std::unique_ptr<AppState> m_state;
    RecordingUrlOpener m_opener;
    RecordingBrowser m_browser;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TempDataDir>();
        m_server = std::make_unique<FakeMicrosoftServer>();
        QVERIFY(m_server->start());
        m_server->addCalendar(QJsonObject{{"id", "AAMk-main"}, {"name", "Calendar"}, {"canEdit", true},
                                          {"isDefaultCalendar", true}, {"hexColor", "#112233"}});
        m_server->addCalendar(QJsonObject{{"id", "AAMk-shared"}, {"name", "Team (shared)"}, {"canEdit", false}});
        m_state = std::make_unique<AppState>();
        QVERIFY(m_state->initialize());
        m_opener.onOpen = consentPage(m_server.get(), &m_browser);
    }

    void cleanup()
    {
        m_state.reset();
        m_server.reset();
        m_dir.reset();
    }

    void newAccountImportsItsCalendarsWithKeysAndTokens()
    {
        ManageSourcesDialog dialog(m_state.get(), nullptr);
        prepare(dialog);
        dialog.startMicrosoftSignIn(QString());
        QTRY_COMPARE_WITH_TIMEOUT(microsoftAccounts().size(), 1, 10000);
        const Account account = microsoftAccounts().first();
        QCOMPARE(account.color, QStringLiteral("#0078D4"));
        QVERIFY(account.enabled);
        QTRY_COMPARE_WITH_TIMEOUT(m_state->calendars()->getByAccount(account.id).size(), 2, 10000);
        const Calendar main = byUrl(account.id, QStringLiteral("AAMk-main"));
        const Calendar shared = byUrl(account.id, QStringLiteral("AAMk-shared"));
        QCOMPARE(main.name, QStringLiteral("Calendar"));
        QVERIFY(!main.is_read_only);
        QVERIFY(shared.is_read_only);
        QCOMPARE(main.canonical_key,
                 Sync::canonicalCalendarKey(QStringLiteral("microsoft"), main.url).value_or(QStringLiteral("none")));
        // The local calendar is the default already.
        QVERIFY(!main.is_default);
        QVERIFY(main.description.isEmpty());
        QCOMPARE(Microsoft::AuthService::loadTokens(account.id).refreshToken, m_server->lastRefreshToken());
    }

    void signInWithoutNameOrAddressIsNamedForTheProvider()
    {
        m_server->omitFromTokenReply << QStringLiteral("id_token");
        ManageSourcesDialog dialog(m_state.get(), nullptr);
        prepare(dialog);
        dialog.startMicrosoftSignIn(QString());
        QTRY_COMPARE_WITH_TIMEOUT(microsoftAccounts().size(), 1, 10000);
        QCOMPARE(microsoftAccounts().first().name, QStringLiteral("Microsoft Account"));
    }

    void signingInAgainKeepsTheAccountAndItsCalendarIds()
    {
        Account account;
        account.id = QStringLiteral("m");
        account.name = QStringLiteral("Old name");
        account.type = AccountType::Microsoft;
        account.color = QStringLiteral("#123456");
        account.last_sync_error = QStringLiteral("Sign in required");
        QVERIFY(m_state->accounts()->insert(account));
        Calendar stale;
        stale.id = QStringLiteral("kept");
        stale.account_id = account.id;
        stale.url = QStringLiteral("AAMk-shared");
        stale.name = QStringLiteral("Old team");
        stale.description = QStringLiteral("kept as it was");
        QVERIFY(m_state->calendars()->insert(stale));

        ManageSourcesDialog dialog(m_state.get(), nullptr);
        prepare(dialog);
        dialog.signInAccount(account.id);
        QTRY_COMPARE_WITH_TIMEOUT(m_state->calendars()->getByAccount(account.id).size(), 2, 10000);
        QCOMPARE(microsoftAccounts().size(), 1);
        const Account signedIn = *m_state->accounts()->getById(account.id);
        QVERIFY(signedIn.last_sync_error.isEmpty());
        QCOMPARE(signedIn.color, account.color);
        const Calendar team = byUrl(account.id, QStringLiteral("AAMk-shared"));
        QCOMPARE(team.id, stale.id);
        QCOMPARE(team.name, QStringLiteral("Team (shared)"));
        QCOMPARE(team.description, stale.description);
        QVERIFY(team.is_read_only);
        QVERIFY(!Microsoft::AuthService::loadTokens(account.id).refreshToken.isEmpty());
    }

    void cancelInATranslatedInterfaceSaysNothing()
    {
        GermanCancel german;
        QCoreApplication::installTranslator(&german);
        m_opener.onOpen = nullptr; // the user never finishes in the browser
        ManageSourcesDialog dialog(m_state.get(), nullptr);
        prepare(dialog);
        ModalAnswerer answerer;
        answerer.answer([](QWidget *window) { qobject_cast<QDialog *>(window)->reject(); });
        dialog.startMicrosoftSignIn(QString());
        QTRY_COMPARE_WITH_TIMEOUT(answerer.seen().size(), 1, 10000);
        QVERIFY2(answerer.seen().first().startsWith(QLatin1String("OAuthProgressDialog")),
                 qPrintable(answerer.seen().first()));
        QTest::qWait(200);
        QCoreApplication::removeTranslator(&german);
        QCOMPARE(answerer.seen().size(), 1);
        QVERIFY(microsoftAccounts().isEmpty());
    }

    // Consent refused in the browser, with Microsoft's description: the
    // browser gets its page, the user reads why, and the program stays up
    // while the message is shown.
    void refusedConsentIsReportedAfterTheBrowserIsAnswered()
    {
        int browserStatus = 0;
        m_opener.onOpen = [this, &browserStatus](const QUrl &start) {
            QTimer::singleShot(0, &m_browser, [this, start, &browserStatus] {
                const QUrlQuery asked(askStartAddress(start).location);
                QUrl back(asked.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
                back.setQuery(QStringLiteral("error=access_denied&error_description=The%20user%20declined&state=")
                              + asked.queryItemValue(QStringLiteral("state")));
                m_browser.visit(back, [&browserStatus](int status) { browserStatus = status; });
            });
        };
        ManageSourcesDialog dialog(m_state.get(), nullptr);
        prepare(dialog);
        ModalAnswerer answerer;
        const auto read = [](QWidget *window) {
            if (auto *box = qobject_cast<QMessageBox *>(window)) {
                QTest::qWait(300);
                box->accept();
            }
        };
        answerer.answer(read);
        answerer.answer(read);
        dialog.startMicrosoftSignIn(QString());
        const QString warning = QStringLiteral("QMessageBox Microsoft denied the sign-in: The user declined");
        QTRY_VERIFY_WITH_TIMEOUT(answerer.seen().contains(warning), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(browserStatus, 400, 10000);
        QTest::qWait(100);
        QCOMPARE(answerer.seen().filter(QStringLiteral("QMessageBox")), QStringList{warning});
        QVERIFY(microsoftAccounts().isEmpty());
    }

    // A secret store that refuses the new tokens: the user is told, and the
    // account waits for a new sign-in instead of looking connected.
    void unsavedTokensAreReportedAndAskForSignIn()
    {
        // A file where the secrets folder belongs makes every write fail.
        QFile blocker(CredentialBackend::fileStoreDirectory());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        ManageSourcesDialog dialog(m_state.get(), nullptr);
        prepare(dialog);
        ModalAnswerer answerer;
        const auto read = [](QWidget *window) {
            if (auto *box = qobject_cast<QMessageBox *>(window))
                box->accept();
        };
        answerer.answer(read); // the progress dialog stays open
        answerer.answer(read);
        dialog.startMicrosoftSignIn(QString());
        const QString warning =
            QStringLiteral("QMessageBox The Microsoft sign-in could not be saved to the secret store.");
        QTRY_VERIFY_WITH_TIMEOUT(answerer.seen().contains(warning), 10000);
        QCOMPARE(answerer.seen().filter(QStringLiteral("QMessageBox")), QStringList{warning});
        QCOMPARE(microsoftAccounts().size(), 1);
        QCOMPARE(microsoftAccounts().first().last_sync_error, QStringLiteral("Sign in required"));
    }

private:
    void prepare(ManageSourcesDialog &dialog)
    {
        Microsoft::Endpoints endpoints;
        endpoints.authority = m_server->baseUrl();
        endpoints.graphRoot = m_server->graphRoot();
        endpoints.clientId = m_server->clientId;
        endpoints.transferTimeoutMs = 5000;
        dialog.setMicrosoftEndpoints(endpoints);
        dialog.setUrlOpener(&m_opener);
    }

    QList<Account> microsoftAccounts() const
    {
        QList<Account> found;
        for (const Account &account : m_state->accounts()->getAll()) {
            if (account.type == AccountType::Microsoft)
                found << account;
        }
        return found;
    }

    Calendar byUrl(const QString &accountId, const QString &url) const
    {
        for (const Calendar &calendar : m_state->calendars()->getByAccount(accountId)) {
            if (calendar.url == url)
                return calendar;
        }
        return Calendar();
    }
};

QTEST_MAIN(TestMicrosoftSignIn)
#include "tst_microsoftsignin.moc"
