#include <QtTest>

#include "app/platform/datadirectory.h"
#include "app/secrets/credentialbackend.h"
#include "app/secrets/credentialmanagertokenstore.h"
#include "app/secrets/filesecretstore.h"
#include "app/secrets/tokenstore.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/tempdatadir.h"

using TindAccount::TokenStore;

namespace {

QStringList capturedMessages;

void captureMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    capturedMessages.append(message);
}

} // namespace

class UndeletableStore : public MemoryTokenStore
{
public:
    bool remove(const QString &) override { return false; }
};

class TestTokenStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // The test runner sets this; running the binary by hand must not reach
        // the user's keyring either.
        qputenv("CALENDAR_SECRET_STORE", "file");
    }

    void init()
    {
        m_dir = std::make_unique<TempDataDir>();
        QVERIFY(m_dir->isValid());
    }

    void cleanup()
    {
        qputenv("CALENDAR_SECRET_STORE", "file");
        m_dir.reset();
    }

    void testsUseTheFileStore()
    {
        QCOMPARE(CredentialBackend::selected(), CredentialBackend::Kind::File);
    }

    void forcedBackendIsHonoured_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("kind");
        QTest::newRow("file") << QByteArray("file") << int(CredentialBackend::Kind::File);
        QTest::newRow("secret-service") << QByteArray("secret-service")
                                        << int(CredentialBackend::Kind::SecretService);
    }

    void forcedBackendIsHonoured()
    {
        QFETCH(QByteArray, value);
        QFETCH(int, kind);
        qputenv("CALENDAR_SECRET_STORE", value);
        QCOMPARE(int(CredentialBackend::detect()), kind);
    }

    void fileStoreLivesInTheDataDirectory()
    {
        QCOMPARE(CredentialBackend::fileStoreDirectory(), m_dir->dataPath() + QStringLiteral("/secrets"));
        auto store = TokenStore::create(applicationServiceId());
        QVERIFY(store->write(QStringLiteral("k"), QStringLiteral("v")));
        QVERIFY(QFile::exists(m_dir->dataPath() + QStringLiteral("/secrets/credentials.json")));
    }

    void neverWrittenIsMissingAndEmptyIsEngaged()
    {
        auto store = TokenStore::create(applicationServiceId());
        QVERIFY(!store->read(caldavPasswordKey(QStringLiteral("acc-1"))));
        QVERIFY(store->write(caldavPasswordKey(QStringLiteral("acc-1")), QString()));
        const std::optional<QString> value = store->read(caldavPasswordKey(QStringLiteral("acc-1")));
        QVERIFY(value.has_value());
        QCOMPARE(*value, QString());
    }

    void valuesRoundTripAsUtf8_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("accented password") << QStringLiteral("Pa\u00df w\u00f6rt \u00e9t\u00e9");
        QTest::newRow("emoji (surrogate pair)") << QStringLiteral("key \U0001F510");
        QTest::newRow("whitespace kept") << QStringLiteral("  padded \n");
    }

    void valuesRoundTripAsUtf8()
    {
        QFETCH(QString, value);
        auto store = TokenStore::create(applicationServiceId());
        QVERIFY(store->write(QStringLiteral("google-tokens-acc"), value));
        QCOMPARE(store->read(QStringLiteral("google-tokens-acc")).value_or(QStringLiteral("<missing>")), value);
        // A fresh store reads what the file holds, not a cache.
        QCOMPARE(TokenStore::create(applicationServiceId())->read(QStringLiteral("google-tokens-acc")).value_or(QString()),
                 value);
    }

    void sameKeyUnderAnotherServiceIsSeparate()
    {
        const QString normal = applicationServiceId();
        qputenv("CALENDAR_INSTANCE", "dev");
        const QString dev = applicationServiceId();
        qunsetenv("CALENDAR_INSTANCE");
        QVERIFY(normal != dev);

        auto normalStore = TokenStore::create(normal);
        auto devStore = TokenStore::create(dev);
        QVERIFY(normalStore->write(QLatin1String(TindAccount::AccessTokenKey), QStringLiteral("normal")));
        QVERIFY(!devStore->read(QLatin1String(TindAccount::AccessTokenKey)));
        QVERIFY(devStore->write(QLatin1String(TindAccount::AccessTokenKey), QStringLiteral("dev")));
        QCOMPARE(normalStore->read(QLatin1String(TindAccount::AccessTokenKey)).value_or(QString()),
                 QStringLiteral("normal"));
        devStore->clear();
        QCOMPARE(normalStore->read(QLatin1String(TindAccount::AccessTokenKey)).value_or(QString()),
                 QStringLiteral("normal"));
    }

    void clearRemovesOnlyTheCloudTokens()
    {
        auto store = TokenStore::create(applicationServiceId());
        const QStringList survivors = {QStringLiteral("google-tokens-a"), QStringLiteral("microsoft-tokens-a"),
                                       caldavPasswordKey(QStringLiteral("a"))};
        QVERIFY(store->write(QLatin1String(TindAccount::AccessTokenKey), QStringLiteral("at")));
        QVERIFY(store->write(QLatin1String(TindAccount::RefreshTokenKey), QStringLiteral("rt")));
        for (const QString &key : survivors)
            QVERIFY(store->write(key, QStringLiteral("x")));

        store->clear();

        QVERIFY(!store->read(QStringLiteral("tindlebrook_access_token")));
        QVERIFY(!store->read(QStringLiteral("tindlebrook_refresh_token")));
        for (const QString &key : survivors)
            QVERIFY2(store->read(key).has_value(), qPrintable(key));
    }

    void clearOnEmptyStoreDoesNothing()
    {
        auto store = TokenStore::create(applicationServiceId());
        capturedMessages.clear();
        const QtMessageHandler previous = qInstallMessageHandler(captureMessage);
        store->clear();
        qInstallMessageHandler(previous);
        QVERIFY(capturedMessages.isEmpty());
        QVERIFY(!QFile::exists(CredentialBackend::fileStoreDirectory() + QStringLiteral("/credentials.json")));
    }

    void targetNameSubstitutesInOnePass()
    {
        QCOMPARE(TokenStore::targetName(QStringLiteral("com.tindlebrook.calendar"), QStringLiteral("k")),
                 QStringLiteral("Tindlebrook/com.tindlebrook.calendar/k"));
        // A per cent sign in the service is not read as the key's placeholder.
        QCOMPARE(TokenStore::targetName(QStringLiteral("svc%2"), QStringLiteral("key%1")),
                 QStringLiteral("Tindlebrook/svc%2/key%1"));
    }

    void storedUnderTargetName()
    {
        auto credentials = std::make_unique<FileSecretStore>(CredentialBackend::fileStoreDirectory());
        FileSecretStore *raw = credentials.get();
        TindAccount::CredentialManagerTokenStore store(QStringLiteral("svc"), std::move(credentials));
        QVERIFY(store.write(QStringLiteral("key"), QStringLiteral("\u00e9")));
        QCOMPARE(raw->read(QStringLiteral("Tindlebrook/svc/key")).value_or(QByteArray()),
                 QByteArray("\xc3\xa9"));
    }

    void caldavPasswordKeyAppendsAccountId()
    {
        QCOMPARE(caldavPasswordKey(QStringLiteral("3f2c")), QStringLiteral("caldav-password-3f2c"));
    }

    void removeAccountSecretsLeavesOtherAccountsAlone()
    {
        auto store = TokenStore::create(applicationServiceId());
        for (const QString &account : {QStringLiteral("gone"), QStringLiteral("kept")}) {
            QVERIFY(store->write(QStringLiteral("google-tokens-") + account, QStringLiteral("g")));
            QVERIFY(store->write(QStringLiteral("microsoft-tokens-") + account, QStringLiteral("m")));
            QVERIFY(store->write(caldavPasswordKey(account), QStringLiteral("p")));
        }
        QVERIFY(store->write(QLatin1String(TindAccount::AccessTokenKey), QStringLiteral("at")));

        QVERIFY(removeAccountSecrets(*store, QStringLiteral("gone")));

        QVERIFY(!store->read(QStringLiteral("google-tokens-gone")));
        QVERIFY(!store->read(QStringLiteral("microsoft-tokens-gone")));
        QVERIFY(!store->read(caldavPasswordKey(QStringLiteral("gone"))));
        QVERIFY(store->read(QStringLiteral("google-tokens-kept")));
        QVERIFY(store->read(QStringLiteral("microsoft-tokens-kept")));
        QVERIFY(store->read(caldavPasswordKey(QStringLiteral("kept"))));
        QVERIFY(store->read(QLatin1String(TindAccount::AccessTokenKey)));
        // Nothing to remove is still "nothing remains".
        QVERIFY(removeAccountSecrets(*store, QStringLiteral("never-existed")));
    }

    void removeAccountSecretsReportsLeftovers()
    {
        UndeletableStore store;
        QVERIFY(store.write(caldavPasswordKey(QStringLiteral("a")), QStringLiteral("p")));
        QVERIFY(!removeAccountSecrets(store, QStringLiteral("a")));
    }

    void secretsNeverReachTheLog()
    {
        const QString secret = QStringLiteral("needle-\u00e9-secret");
        capturedMessages.clear();
        const QtMessageHandler previous = qInstallMessageHandler(captureMessage);
        {
            auto store = TokenStore::create(applicationServiceId());
            store->write(QStringLiteral("k"), secret);
            store->read(QStringLiteral("k"));
            // A damaged file is the one case that logs.
            QFile file(CredentialBackend::fileStoreDirectory() + QStringLiteral("/credentials.json"));
            if (file.open(QIODevice::WriteOnly))
                file.write(secret.toUtf8());
            file.close();
            store->read(QStringLiteral("k"));
            store->write(QStringLiteral("k"), secret);
            store->remove(QStringLiteral("k"));
        }
        qInstallMessageHandler(previous);
        QVERIFY(!capturedMessages.isEmpty());
        for (const QString &message : std::as_const(capturedMessages))
            QVERIFY2(!message.contains(QStringLiteral("needle")), qPrintable(message));
    }

private:
    std::unique_ptr<TempDataDir> m_dir;
};

QTEST_GUILESS_MAIN(TestTokenStore)
#include "tst_tokenstore.moc"
