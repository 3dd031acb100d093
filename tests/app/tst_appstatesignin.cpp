#include "account/authclient.h"
#include "account/client.h"
#include "app/appstate.h"
#include "app/platform/datadirectory.h"
#include "app/secrets/tokenstore.h"
#include "tests/support/fakecloudserver.h"
#include "tests/support/tempdatadir.h"

#include <QTest>

namespace {

int g_cloudStarts = 0;
QtMessageHandler g_previous = nullptr;

void countCloudStarts(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("[AppState] onAuthenticated firing")))
        ++g_cloudStarts;
    g_previous(type, context, message);
}

} // namespace

// The application state starts the cloud work once per sign-in: for a
// session restored at start, and again only after a new sign-in.
class TestAppStateSignIn : public QObject
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
        g_cloudStarts = 0;
        g_previous = qInstallMessageHandler(countCloudStarts);
    }

    void cleanup()
    {
        qInstallMessageHandler(g_previous);
        m_server.reset();
        m_dir.reset();
    }

    void restoredSessionStartsTheCloudWorkOnce()
    {
        const FakeCloudServer::Tokens tokens = m_server->signIn();
        auto store = TindAccount::TokenStore::create(applicationServiceId());
        QVERIFY(store->write(TindAccount::AccessTokenKey, tokens.accessToken));
        QVERIFY(store->write(TindAccount::RefreshTokenKey, tokens.refreshToken));

        AppState state;
        QVERIFY(state.initialize());
        QTRY_VERIFY(state.accountClient()->isAuthenticated());
        QTRY_COMPARE(g_cloudStarts, 1);
        QTest::qWait(100);
        QCOMPARE(g_cloudStarts, 1);

        // Signing out and in again is a new sign-in.
        state.accountClient()->authClient()->logout();
        QVERIFY(!store->read(TindAccount::RefreshTokenKey));
        QCOMPARE(g_cloudStarts, 1);
    }

    void signedOutStartDoesNotStartTheCloudWork()
    {
        AppState state;
        QVERIFY(state.initialize());
        QTRY_COMPARE(state.accountClient()->state(), TindAccount::AuthState::SignedOut);
        QCOMPARE(g_cloudStarts, 0);
    }
};

QTEST_MAIN(TestAppStateSignIn)
#include "tst_appstatesignin.moc"
