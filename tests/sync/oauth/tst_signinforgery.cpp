#include <QProcess>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest>

#include "account/authclient.h"
#include "account/client.h"
#include "sync/google/googleauthservice.h"
#include "sync/microsoft/microsoftauthservice.h"
#include "tests/support/fakecloudserver.h"
#include "tests/support/fakegoogleserver.h"
#include "tests/support/fakemicrosoftserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/recordingbrowser.h"
#include "tests/support/recordingurlopener.h"
#include "tests/support/tempdatadir.h"

#include <unistd.h>

namespace {

// One browser sign-in of any kind, as another local program meets it: it
// reads the address handed to the browser on a command line and calls the
// loopback listener.
struct SignIn
{
    // Starts; the address the browser was handed.
    std::function<QUrl()> start;
    // The browser's way back from `page`, carrying `state` (none when null)
    // and a code or tokens of its own.
    std::function<QUrl(const QUrl &page, const QString &state)> callback;
    std::function<int()> succeeded;
    std::function<QStringList()> failures;
};

QString stateOf(const QUrl &page)
{
    return QUrlQuery(page).queryItemValue(QStringLiteral("state"), QUrl::FullyDecoded);
}

QUrl redirectOf(const QUrl &page)
{
    return QUrl(QUrlQuery(page).queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
}

// The HTTP status another user's program (nobody's curl) gets from `url`.
int statusForAnotherUser(const QUrl &url)
{
    QProcess curl;
    QSignalSpy finished(&curl, &QProcess::finished);
    curl.start(QStringLiteral("setpriv"),
               QStringLiteral("--reuid=65534 --regid=65534 --clear-groups curl -q -s --noproxy * -o /dev/null -w "
                              "%{http_code}")
                       .split(QLatin1Char(' '))
                   << url.toString(QUrl::FullyEncoded));
    return finished.wait(60000) ? curl.readAllStandardOutput().toInt() : -1;
}

// The first lines that `count` connections another user's program holds
// open at once to `url`'s port get, asking nothing; empty when they are
// kept waiting for a minute.
QStringList firstLinesForIdleConnectionsOfAnotherUser(const QUrl &url, int count)
{
    const QString script = QStringLiteral("fds=(); for i in $(seq %1); do exec {fd}<>/dev/tcp/127.0.0.1/%2 || exit 1; "
                                          "fds+=($fd); done; for fd in \"${fds[@]}\"; do head -n 1 <&$fd; done")
                               .arg(count)
                               .arg(url.port());
    QProcess bash;
    QSignalSpy finished(&bash, &QProcess::finished);
    bash.start(QStringLiteral("setpriv"), {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                           QStringLiteral("--clear-groups"), QStringLiteral("bash"),
                                           QStringLiteral("-c"), script});
    if (!finished.wait(60000)) {
        bash.kill();
        bash.waitForFinished();
        return {};
    }
    return QString::fromLatin1(bash.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList texts(const QSignalSpy &spy)
{
    QStringList texts;
    for (const QList<QVariant> &arguments : spy)
        texts.append(arguments.at(0).toString());
    return texts;
}

// Google and Microsoft: the same service over their own fake servers.
template <typename Service, typename Server>
SignIn providerSignIn(Service *service, Server *server, RecordingUrlOpener *opener, QObject *owner)
{
    auto *succeeded = new QSignalSpy(service, &Service::signInSucceeded);
    auto *failed = new QSignalSpy(service, &Service::signInFailed);
    succeeded->setParent(owner);
    failed->setParent(owner);
    SignIn signIn;
    signIn.start = [service, opener] {
        service->startSignIn();
        return opener->opened.value(0);
    };
    signIn.callback = [server](const QUrl &page, const QString &state) {
        QUrl back = redirectOf(page);
        QUrlQuery query;
        if (!state.isNull())
            query.addQueryItem(QStringLiteral("state"), state);
        query.addQueryItem(QStringLiteral("code"),
                           server->issueCode(QUrlQuery(page).queryItemValue(QStringLiteral("code_challenge")),
                                             back.toString()));
        back.setQuery(query);
        return back;
    };
    signIn.succeeded = [succeeded] { return int(succeeded->size()); };
    signIn.failures = [failed] { return texts(*failed); };
    return signIn;
}

} // namespace

// Another local user reads the address handed to the browser and calls the
// sign-in's loopback listener, with its own tokens or an error text of its
// choosing. The cloud, Google and Microsoft sign-ins meet it alike: the
// browser's address carries no secret, a redirect without the sign-in's
// state is turned away and the sign-in waits for the browser's own, a
// second visit to the one-time start address ends the sign-in loudly, and
// another user's program is turned away whatever it asks.
class TestSignInForgery : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<FakeGoogleServer> m_google;
    std::unique_ptr<FakeMicrosoftServer> m_microsoft;
    std::unique_ptr<FakeCloudServer> m_cloud;
    std::unique_ptr<QObject> m_owner;
    RecordingUrlOpener m_opener;
    RecordingBrowser *m_browser = nullptr;
    SignIn m_signIn;

    void prepare(const QString &provider)
    {
        m_owner = std::make_unique<QObject>();
        if (provider == QLatin1String("google")) {
            m_google = std::make_unique<FakeGoogleServer>();
            QVERIFY(m_google->start());
            Google::Endpoints endpoints;
            endpoints.accountsBase = endpoints.tokenBase = endpoints.apiBase = m_google->baseUrl();
            endpoints.clientId = m_google->clientId;
            endpoints.clientSecret = m_google->clientSecret;
            auto *service = new Google::AuthService(endpoints, &m_opener, m_owner.get());
            m_signIn = providerSignIn(service, m_google.get(), &m_opener, m_owner.get());
        } else if (provider == QLatin1String("microsoft")) {
            m_microsoft = std::make_unique<FakeMicrosoftServer>();
            QVERIFY(m_microsoft->start());
            Microsoft::Endpoints endpoints;
            endpoints.authority = m_microsoft->baseUrl();
            endpoints.graphRoot = m_microsoft->graphRoot();
            endpoints.clientId = m_microsoft->clientId;
            auto *service = new Microsoft::AuthService(endpoints, &m_opener, m_owner.get());
            m_signIn = providerSignIn(service, m_microsoft.get(), &m_opener, m_owner.get());
        } else {
            prepareCloud();
        }
    }

    void prepareCloud()
    {
        m_cloud = std::make_unique<FakeCloudServer>();
        QVERIFY(m_cloud->listen());
        m_browser = new RecordingBrowser(m_owner.get());
        m_browser->setVisiting(false);
        TindAccount::Client::Config config;
        config.authApiUrl = m_cloud->authApiUrl();
        config.realmSlug = FakeCloudServer::RealmSlug;
        config.accountApiUrl = m_cloud->accountApiUrl();
        config.clientId = QStringLiteral("0123456789abcdef0123456789abcdef");
        config.appId = QStringLiteral("calendar-test");
        config.accountPortalUrl = m_cloud->portalUrl();
        TindAccount::Client::Seams seams;
        seams.tokenStore = std::make_unique<MemoryTokenStore>();
        seams.openUrl = m_browser->opener();
        seams.whenSecretsReady = [](QObject *, std::function<void()> ready) { ready(); };
        auto *client = new TindAccount::Client(config, std::move(seams), m_owner.get());
        client->initialize();
        TindAccount::AuthClient *auth = client->authClient();
        auto *succeeded = new QSignalSpy(auth, &TindAccount::AuthClient::loginSucceeded);
        auto *failed = new QSignalSpy(auth, &TindAccount::AuthClient::loginFailed);
        succeeded->setParent(m_owner.get());
        failed->setParent(m_owner.get());
        FakeCloudServer *cloud = m_cloud.get();
        RecordingBrowser *browser = m_browser;
        m_signIn.start = [auth, browser] {
            auth->login();
            return browser->opened().value(0);
        };
        m_signIn.callback = [cloud](const QUrl &page, const QString &state) {
            const FakeCloudServer::Tokens tokens = cloud->signIn();
            QUrl back = redirectOf(page);
            QUrlQuery query;
            query.addQueryItem(QStringLiteral("access_token"), tokens.accessToken);
            query.addQueryItem(QStringLiteral("refresh_token"), tokens.refreshToken);
            if (!state.isNull())
                query.addQueryItem(QStringLiteral("state"), state);
            back.setQuery(query);
            return back;
        };
        m_signIn.succeeded = [succeeded] { return int(succeeded->size()); };
        m_signIn.failures = [failed] { return texts(*failed); };
    }

private Q_SLOTS:
    void init() { m_dir = std::make_unique<TempDataDir>(); }

    void cleanup()
    {
        m_owner.reset();
        m_browser = nullptr;
        m_opener.opened.clear();
        m_google.reset();
        m_microsoft.reset();
        m_cloud.reset();
    }

    void forgedCallbacksNeverSignIn_data()
    {
        QTest::addColumn<QString>("provider");
        QTest::addColumn<QString>("forgery");
        QTest::addColumn<QString>("reused");
        const QList<QPair<QString, QString>> providers{
            {QStringLiteral("cloud"),
             QStringLiteral("The sign-in link was opened twice, so the sign-in was stopped for safety. Please sign in "
                            "again.")},
            {QStringLiteral("google"),
             QStringLiteral("The Google sign-in link was opened twice, so the sign-in was stopped for safety. Please "
                            "sign in again.")},
            {QStringLiteral("microsoft"),
             QStringLiteral("The Microsoft sign-in link was opened twice, so the sign-in was stopped for safety. "
                            "Please sign in again.")}};
        for (const auto &[provider, reused] : providers) {
            for (const char *forgery : {"forged state", "no state", "start address used twice", "another user",
                                        "another user's idle connections"})
                QTest::newRow(qPrintable(provider + QStringLiteral(", ") + QLatin1String(forgery)))
                    << provider << QString::fromLatin1(forgery) << reused;
        }
    }

    void forgedCallbacksNeverSignIn()
    {
        QFETCH(QString, provider);
        QFETCH(QString, forgery);
        QFETCH(QString, reused);
        const bool anotherUser = forgery.startsWith(QLatin1String("another user"));
        if (anotherUser && geteuid() != 0)
            QSKIP("Connecting as another user needs root (to become nobody).");
        prepare(provider);
        if (QTest::currentTestFailed())
            return;
        const QUrl start = m_signIn.start();
        // Nothing a local reader of the command line could use.
        QCOMPARE(start.query(), QString());
        QCOMPARE(start.host(), QStringLiteral("127.0.0.1"));
        if (anotherUser)
            QCOMPARE(statusForAnotherUser(start), 403);

        // The other program gets there first.
        const StartAnswer first = askStartAddress(start);
        QCOMPARE(first.status, 302);
        const QUrl page = first.location;
        const QString state = stateOf(page);
        QVERIFY(!state.isEmpty());

        if (forgery == QLatin1String("start address used twice")) {
            // The browser comes second: refused, and the sign-in ends loudly.
            QCOMPARE(askStartAddress(start).status, 403);
            QTRY_COMPARE(m_signIn.failures(), QStringList{reused});
            // Closed: not even the right redirect gets an answer.
            QCOMPARE(askStartAddress(m_signIn.callback(page, state)).status, 0);
            QCOMPARE(m_signIn.succeeded(), 0);
            return;
        }
        if (forgery == QLatin1String("another user's idle connections")) {
            // Each is turned away at once, so many of them neither use up the
            // program's files nor keep the browser's redirect waiting.
            constexpr int Held = 100;
            QCOMPARE(firstLinesForIdleConnectionsOfAnotherUser(start, Held),
                     QStringList(Held, QStringLiteral("HTTP/1.1 403 Forbidden\r")));
            QCOMPARE(askStartAddress(m_signIn.callback(page, state)).status, 200);
            QTRY_COMPARE(m_signIn.succeeded(), 1);
            return;
        }
        if (anotherUser) {
            // Not even with the right state.
            QCOMPARE(statusForAnotherUser(m_signIn.callback(page, state)), 403);
            QCOMPARE(m_signIn.failures(), QStringList());
            QCOMPARE(askStartAddress(m_signIn.callback(page, state)).status, 200);
            QTRY_COMPARE(m_signIn.succeeded(), 1);
            return;
        }
        QUrl forged = m_signIn.callback(page, forgery == QLatin1String("no state") ? QString() : state + "x");
        QUrlQuery query(forged);
        query.addQueryItem(QStringLiteral("error"), QStringLiteral("access_denied"));
        query.addQueryItem(QStringLiteral("error_description"), QStringLiteral("Your account is locked. Call 555"));
        forged.setQuery(query);
        QCOMPARE(askStartAddress(forged).status, 404);
        QCOMPARE(m_signIn.failures(), QStringList());
        QCOMPARE(m_signIn.succeeded(), 0);
        // The browser's own redirect still finds the sign-in waiting.
        QCOMPARE(askStartAddress(m_signIn.callback(page, state)).status, 200);
        QTRY_COMPARE(m_signIn.succeeded() + int(m_signIn.failures().size()), 1);
        QCOMPARE(m_signIn.failures(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestSignInForgery)
#include "tst_signinforgery.moc"
