#include "account/authclient.h"
#include "account/client.h"
#include "account/widgets/accountscreen.h"
#include "app/appstate.h"
#include "app/platform/datadirectory.h"
#include "app/secrets/tokenstore.h"
#include "store/preferencesrepository.h"
#include "tests/support/fakecloudserver.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/recordingbrowser.h"
#include "tests/support/tempdatadir.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>

#include <memory>

namespace {

QAction *fileAction(const QMenuBar *bar, const QString &text)
{
    for (const QAction *menu : bar->actions()) {
        if (!menu->menu())
            continue;
        for (QAction *action : menu->menu()->actions()) {
            if (action->text() == text)
                return action;
        }
    }
    return nullptr;
}

TindAccount::AccountScreen *accountScreen()
{
    TindAccount::AccountScreen *found = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *screen = qobject_cast<TindAccount::AccountScreen *>(widget)) {
            if (found)
                return nullptr; // never two
            found = screen;
        }
    }
    return found;
}

} // namespace

// The cloud sign-in as the main window shows it: the File menu's account
// entries and the status bar follow signing in and out.
class TestMainWindowAccount : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<FakeCloudServer> m_server;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TempDataDir>();
        qputenv("CALENDAR_SECRET_STORE", "file");
        m_server = std::make_unique<FakeCloudServer>();
        QVERIFY(m_server->listen());
        m_server->exportEnvironment();
    }

    void cleanup()
    {
        m_server.reset();
        m_dir.reset();
    }

    void signingInAndOutShowsInTheStatusBar()
    {
        AppState state;
        QVERIFY(state.initialize());
        QVERIFY(state.preferences()->setBool(QStringLiteral("ui/firstLaunchSeen"), true));
        TindAccount::AuthClient *auth = state.accountClient()->authClient();
        QTRY_COMPARE(state.accountClient()->state(), TindAccount::AuthState::SignedOut);
        RecordingBrowser browser;
        auth->setUrlOpener(browser.opener());

        MainWindow window(&state);
        QAction *account = fileAction(window.menuBar(), QStringLiteral("Tindlebrook &Account…"));
        QAction *signOut = fileAction(window.menuBar(), QStringLiteral("Sign &Out"));
        QVERIFY(account && signOut);
        QVERIFY(!signOut->isVisible());
        QCOMPARE(account->statusTip(), QStringLiteral("Sign in or sign up"));

        // The sync that follows a sign-in reports in the status bar too.
        QStringList messages;
        connect(window.statusBar(), &QStatusBar::messageChanged, this, [&messages](const QString &text) {
            if (!text.isEmpty())
                messages << text;
        });
        // Signed out, the entry starts the sign-in its tip offers.
        account->trigger();
        QTRY_VERIFY(state.accountClient()->isAuthenticated());
        QVERIFY2(messages.contains(QStringLiteral("Signed in to Tindlebrook")), qPrintable(messages.join('|')));
        QVERIFY(signOut->isVisible());
        QCOMPARE(account->statusTip(), QStringLiteral("Manage your account"));
        QVERIFY(!accountScreen());

        // Signed in, it opens the one account screen and raises it again.
        account->trigger();
        TindAccount::AccountScreen *screen = accountScreen();
        QVERIFY(screen);
        QVERIFY(screen->isVisible());
        QCOMPARE(screen->windowTitle(), QStringLiteral("Tindlebrook Account"));
        screen->hide();
        account->trigger();
        QCOMPARE(accountScreen(), screen);
        QVERIFY(screen->isVisible());

        messages.clear();
        signOut->trigger();
        QVERIFY(!state.accountClient()->isAuthenticated());
        QVERIFY2(messages.contains(QStringLiteral("Signed out of Tindlebrook")), qPrintable(messages.join('|')));
        QVERIFY(!signOut->isVisible());
        QCOMPARE(account->statusTip(), QStringLiteral("Sign in or sign up"));
    }

    // No browser opens: the sign-in page's address is shown to copy, and
    // the sign-in completes once a browser visits it.
    void signInWithoutABrowserShowsThePageToCopy()
    {
        AppState state;
        QVERIFY(state.initialize());
        QVERIFY(state.preferences()->setBool(QStringLiteral("ui/firstLaunchSeen"), true));
        TindAccount::AuthClient *auth = state.accountClient()->authClient();
        QTRY_COMPARE(state.accountClient()->state(), TindAccount::AuthState::SignedOut);
        RecordingBrowser browser;
        browser.setOpens(false);
        auth->setUrlOpener(browser.opener());
        MainWindow window(&state);
        QString shown;
        ModalAnswerer answerer;
        answerer.answer([&shown](QWidget *dialog) {
            shown = dialog->findChild<QLineEdit *>(QStringLiteral("address"))->text();
            qobject_cast<QDialog *>(dialog)->reject();
        });
        fileAction(window.menuBar(), QStringLiteral("Tindlebrook &Account…"))->trigger();
        QCOMPARE(answerer.seen(), QStringList{QStringLiteral("AddressDialog No browser opened")});
        QCOMPARE(QUrl(shown), auth->lastSignInPage());
        QVERIFY(!state.accountClient()->isAuthenticated());
        browser.visit(QUrl(shown));
        QTRY_VERIFY(state.accountClient()->isAuthenticated());
    }

    void restoredSessionIsRenewedWhenTheWindowOpens()
    {
        const FakeCloudServer::Tokens tokens = m_server->signIn();
        auto store = TindAccount::TokenStore::create(applicationServiceId());
        QVERIFY(store->write(TindAccount::AccessTokenKey, tokens.accessToken));
        QVERIFY(store->write(TindAccount::RefreshTokenKey, tokens.refreshToken));
        {
            AppState state;
            QVERIFY(state.initialize());
            QVERIFY(state.preferences()->setBool(QStringLiteral("ui/firstLaunchSeen"), true));
            QTRY_VERIFY(state.accountClient()->isAuthenticated());
            const int refreshesAtStart = m_server->refreshCount();
            MainWindow window(&state);
            QTRY_COMPARE(m_server->refreshCount(), refreshesAtStart + 1);
            QVERIFY(fileAction(window.menuBar(), QStringLiteral("Sign &Out"))->isVisible());
        }
    }
};

QTEST_MAIN(TestMainWindowAccount)
#include "tst_mainwindowaccount.moc"
