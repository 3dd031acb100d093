// Google sign-in from the accounts dialog against the fake Google server,
// with a test playing the browser: the account, its calendars and tokens.
#include "app/appstate.h"
#include "app/secrets/credentialbackend.h"
#include "dialogs/accounts/managesourcesdialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "sync/core/canonicalcalendarkey.h"
#include "sync/google/googleauthservice.h"
#include "tests/support/consentpage.h"
#include "tests/support/fakegoogleserver.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/recordingbrowser.h"
#include "tests/support/recordingurlopener.h"
#include "tests/support/tempdatadir.h"

#include <QFile>
#include <QTimer>
#include <QJsonObject>
#include <QUrlQuery>
#include <QTest>

#include <memory>

class TestGoogleSignIn : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<FakeGoogleServer> m_server;
    std::unique_ptr<AppState> m_state;
    RecordingUrlOpener m_opener;
    RecordingBrowser m_browser;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TempDataDir>();
        m_server = std::make_unique<FakeGoogleServer>();
        QVERIFY(m_server->start());
        m_server->addCalendar(QJsonObject{{"id", "ada@example.com"}, {"summary", "Ada"}, {"accessRole", "owner"},
                                          {"primary", true}, {"backgroundColor", "#112233"}});
        m_server->addCalendar(QJsonObject{{"id", "holidays"}, {"summary", "Holidays"}, {"accessRole", "reader"}});
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
        dialog.startGoogleSignIn(QString());
        QTRY_COMPARE_WITH_TIMEOUT(googleAccounts().size(), 1, 10000);
        const Account account = googleAccounts().first();
        QCOMPARE(account.name, QStringLiteral("Ada Lovelace"));
        QCOMPARE(account.username, QStringLiteral("ada@example.com"));
        QCOMPARE(account.color, QStringLiteral("#EA4335"));
        QTRY_COMPARE_WITH_TIMEOUT(m_state->calendars()->getByAccount(account.id).size(), 2, 10000);
        const Calendar primary = byUrl(account.id, QStringLiteral("ada@example.com"));
        const Calendar holidays = byUrl(account.id, QStringLiteral("holidays"));
        QCOMPARE(primary.canonical_key,
                 Sync::canonicalCalendarKey(QStringLiteral("google"), primary.url).value_or(QStringLiteral("none")));
        QCOMPARE(holidays.canonical_key,
                 Sync::canonicalCalendarKey(QStringLiteral("google"), holidays.url).value_or(QStringLiteral("none")));
        QVERIFY(!primary.is_read_only);
        QVERIFY(holidays.is_read_only);
        QCOMPARE(primary.color, QStringLiteral("#112233"));
        // The local calendar is the default already.
        QVERIFY(!primary.is_default);
        QCOMPARE(Google::AuthService::loadTokens(account.id).refreshToken, m_server->lastRefreshToken());
    }

    void signingInAgainKeepsTheAccountAndUpdatesItsCalendars()
    {
        Account account;
        account.id = QStringLiteral("g");
        account.name = QStringLiteral("Old name");
        account.type = AccountType::Google;
        account.last_sync_error = QStringLiteral("Sign in required");
        QVERIFY(m_state->accounts()->insert(account));
        Calendar stale;
        stale.id = QStringLiteral("kept");
        stale.account_id = account.id;
        stale.url = QStringLiteral("holidays");
        stale.name = QStringLiteral("Old holidays");
        QVERIFY(m_state->calendars()->insert(stale));

        ManageSourcesDialog dialog(m_state.get(), nullptr);
        prepare(dialog);
        dialog.signInAccount(account.id);
        QTRY_COMPARE_WITH_TIMEOUT(m_state->calendars()->getByAccount(account.id).size(), 2, 10000);
        QCOMPARE(googleAccounts().size(), 1);
        const Account signedIn = *m_state->accounts()->getById(account.id);
        QCOMPARE(signedIn.name, QStringLiteral("Ada Lovelace"));
        QVERIFY(signedIn.last_sync_error.isEmpty());
        const Calendar holidays = byUrl(account.id, QStringLiteral("holidays"));
        QCOMPARE(holidays.id, stale.id);
        QCOMPARE(holidays.name, QStringLiteral("Holidays"));
        QVERIFY(holidays.is_read_only);
        QVERIFY(!Google::AuthService::loadTokens(account.id).refreshToken.isEmpty());
    }

    void cancelledSignInStoresNothingAndSaysNothing()
    {
        m_opener.onOpen = nullptr; // the user never finishes in the browser
        ManageSourcesDialog dialog(m_state.get(), nullptr);
        prepare(dialog);
        ModalAnswerer answerer;
        answerer.answer([](QWidget *window) { qobject_cast<QDialog *>(window)->reject(); });
        dialog.startGoogleSignIn(QString());
        QTRY_COMPARE_WITH_TIMEOUT(answerer.seen().size(), 1, 10000);
        QCOMPARE(answerer.seen().first(), QStringLiteral("OAuthProgressDialog Sign in to Google"));
        QTest::qWait(200);
        QCOMPARE(answerer.seen().size(), 1);
        QVERIFY(googleAccounts().isEmpty());
    }

    // The browser comes back refused (consent denied, no code): the browser
    // gets its page, the user reads why, nothing is stored, and the program
    // stays up while the message is shown. A redirect with a tampered state
    // is not this sign-in's: it is turned away (404) and the sign-in waits
    // for the browser's own.
    void refusedRedirectIsReportedAfterTheBrowserIsAnswered_data()
    {
        QTest::addColumn<QString>("forged");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("message");
        QTest::newRow("denied") << "" << "error=access_denied&state=%1" << "Google denied the sign-in: access_denied";
        QTest::newRow("wrong state") << "state=tampered&code=4/x" << "state=%1"
                                     << "Google did not return an authorization code.";
        QTest::newRow("no code") << "" << "state=%1" << "Google did not return an authorization code.";
    }

    void refusedRedirectIsReportedAfterTheBrowserIsAnswered()
    {
        QFETCH(QString, forged);
        QFETCH(QString, query);
        QFETCH(QString, message);
        int browserStatus = 0;
        int forgedStatus = 0;
        m_opener.onOpen = [this, forged, query, &browserStatus, &forgedStatus](const QUrl &start) {
            QTimer::singleShot(0, &m_browser, [this, start, forged, query, &browserStatus, &forgedStatus] {
                const QUrlQuery asked(askStartAddress(start).location);
                QUrl back(asked.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
                back.setQuery(query.arg(asked.queryItemValue(QStringLiteral("state"))));
                const auto answered = [this, back, &browserStatus](int) {
                    m_browser.visit(back, [&browserStatus](int status) { browserStatus = status; });
                };
                if (forged.isEmpty()) {
                    answered(0);
                    return;
                }
                QUrl tampered = back;
                tampered.setQuery(forged);
                m_browser.visit(tampered, [answered, &forgedStatus](int status) {
                    forgedStatus = status;
                    answered(status);
                });
            });
        };
        ManageSourcesDialog dialog(m_state.get(), nullptr);
        prepare(dialog);
        ModalAnswerer answerer;
        // The warning is held open while the event loop turns, as a user
        // reading it would; the progress dialog may close before it is seen.
        const auto read = [](QWidget *window) {
            if (auto *box = qobject_cast<QMessageBox *>(window)) {
                QTest::qWait(300);
                box->accept();
            }
        };
        answerer.answer(read);
        answerer.answer(read);
        dialog.startGoogleSignIn(QString());
        const QString warning = QStringLiteral("QMessageBox ") + message;
        QTRY_VERIFY_WITH_TIMEOUT(answerer.seen().contains(warning), 10000);
        QTest::qWait(400);
        QCOMPARE(answerer.seen().filter(QStringLiteral("QMessageBox")), QStringList{warning});
        QTRY_COMPARE_WITH_TIMEOUT(browserStatus, 400, 10000);
        QCOMPARE(forgedStatus, forged.isEmpty() ? 0 : 404);
        QTest::qWait(100);
        QVERIFY(googleAccounts().isEmpty());
        QVERIFY(m_server->requestsTo("/token").isEmpty());
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
        dialog.startGoogleSignIn(QString());
        const QString warning =
            QStringLiteral("QMessageBox The Google sign-in could not be saved to the secret store.");
        QTRY_VERIFY_WITH_TIMEOUT(answerer.seen().contains(warning), 10000);
        QCOMPARE(answerer.seen().filter(QStringLiteral("QMessageBox")), QStringList{warning});
        QCOMPARE(googleAccounts().size(), 1);
        QCOMPARE(googleAccounts().first().last_sync_error, QStringLiteral("Sign in required"));
    }

private:
    void prepare(ManageSourcesDialog &dialog)
    {
        Google::Endpoints endpoints;
        endpoints.accountsBase = endpoints.tokenBase = endpoints.apiBase = m_server->baseUrl();
        endpoints.clientId = m_server->clientId;
        endpoints.clientSecret = m_server->clientSecret;
        endpoints.transferTimeoutMs = 5000;
        dialog.setGoogleEndpoints(endpoints);
        dialog.setUrlOpener(&m_opener);
    }

    QList<Account> googleAccounts() const
    {
        QList<Account> found;
        for (const Account &account : m_state->accounts()->getAll()) {
            if (account.type == AccountType::Google)
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

QTEST_MAIN(TestGoogleSignIn)
#include "tst_googlesignin.moc"
