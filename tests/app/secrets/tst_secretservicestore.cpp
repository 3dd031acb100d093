#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QtTest>

#include "app/secrets/credentialmanagertokenstore.h"
#include "app/secrets/secretservicesecret.h"
#include "app/secrets/secretservicestore.h"
#include "tests/support/keyringdaemon.h"
#include "tests/support/tempdatadir.h"

// The Secret Service back end against a real gnome-keyring-daemon on a
// private session bus; the user's own session is never contacted.
class TestSecretServiceStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void answersOnlyWhereAServiceRuns();
    void missingIsNotEmpty();
    void valuesRoundTripExactly_data();
    void valuesRoundTripExactly();
    void writeReplacesInPlace();
    void removeReportsWhetherAnEntryExisted();
    void targetsAreSeparate();
    void twoStoresSeeEachOthersWritesAtOnce();
    void tokenStoreKeepsServicesApart();
    void itemsLiveInTheDefaultCollection();
    void busStartsNoServiceOnDemand();
    // Last: it leaves the keyring locked.
    void lockedKeyringWithoutPrompterGivesUp();

private:
    QDBusConnection bus() const { return QDBusConnection(QStringLiteral("tindle-keyring-test")); }
    QString uniqueTarget(const QString &name) const;

    TempDataDir m_home;
    KeyringDaemon m_keyring;
    int m_case = 0;
};

void TestSecretServiceStore::initTestCase()
{
    QVERIFY(m_home.isValid());
    if (!m_keyring.start())
        QSKIP(qPrintable(QStringLiteral("Secret Service back end not tested: ") + m_keyring.errorText()));
    const QDBusConnection connection =
        QDBusConnection::connectToBus(m_keyring.busAddress(), QStringLiteral("tindle-keyring-test"));
    QVERIFY2(connection.isConnected(), qPrintable(connection.lastError().message()));
}

void TestSecretServiceStore::cleanupTestCase()
{
    QDBusConnection::disconnectFromBus(QStringLiteral("tindle-keyring-test"));
    m_keyring.stop();
}

void TestSecretServiceStore::init()
{
    ++m_case;
}

QString TestSecretServiceStore::uniqueTarget(const QString &name) const
{
    return QStringLiteral("Tindlebrook/test-%1/%2").arg(m_case).arg(name);
}

void TestSecretServiceStore::answersOnlyWhereAServiceRuns()
{
    QVERIFY(SecretServiceStore::isAvailable(bus()));
    const QDBusConnection nowhere = QDBusConnection::connectToBus(
        QStringLiteral("unix:path=") + m_home.path() + QStringLiteral("/no-bus"),
        QStringLiteral("tindle-no-bus"));
    QVERIFY(!SecretServiceStore::isAvailable(nowhere));
    QDBusConnection::disconnectFromBus(QStringLiteral("tindle-no-bus"));
}

void TestSecretServiceStore::missingIsNotEmpty()
{
    SecretServiceStore store(bus());
    const QString target = uniqueTarget(QStringLiteral("empty"));
    QVERIFY(!store.read(target));
    QVERIFY(store.write(target, QByteArray()));
    const std::optional<QByteArray> value = store.read(target);
    QVERIFY(value.has_value());
    QVERIFY(value->isEmpty());
}

void TestSecretServiceStore::valuesRoundTripExactly_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("ascii") << QByteArray("s3cret");
    QTest::newRow("accents") << QStringLiteral("p\u00e4ssw\u00f6rd \u00e9").toUtf8();
    QTest::newRow("cjk and emoji") << QStringLiteral("\u65e5\u672c \U0001F511").toUtf8();
    QTest::newRow("json") << QByteArray("{\"access_token\":\"x\",\"expires_at\":\"2026-01-01T00:00:00.000Z\"}");
}

void TestSecretServiceStore::valuesRoundTripExactly()
{
    QFETCH(QByteArray, value);
    SecretServiceStore store(bus());
    const QString target = uniqueTarget(QStringLiteral("value"));
    QVERIFY(store.write(target, value));
    QCOMPARE(store.read(target).value_or(QByteArray("<missing>")), value);
    // Another session reads the same bytes from the daemon.
    SecretServiceStore other(bus());
    QCOMPARE(other.read(target).value_or(QByteArray("<missing>")), value);
}

void TestSecretServiceStore::writeReplacesInPlace()
{
    SecretServiceStore store(bus());
    const QString target = uniqueTarget(QStringLiteral("replace"));
    QVERIFY(store.write(target, "one"));
    QVERIFY(store.write(target, "two"));
    QCOMPARE(store.read(target).value_or(QByteArray()), QByteArray("two"));
    // One removal leaves nothing behind: the write did not add a second item.
    QVERIFY(store.remove(target));
    QVERIFY(!store.read(target));
}

void TestSecretServiceStore::removeReportsWhetherAnEntryExisted()
{
    SecretServiceStore store(bus());
    const QString target = uniqueTarget(QStringLiteral("remove"));
    QVERIFY(!store.remove(target));
    QVERIFY(store.write(target, "v"));
    QVERIFY(store.remove(target));
    QVERIFY(!store.remove(target));
}

void TestSecretServiceStore::targetsAreSeparate()
{
    SecretServiceStore store(bus());
    const QString a = uniqueTarget(QStringLiteral("caldav-password-a1"));
    const QString b = uniqueTarget(QStringLiteral("caldav-password-a11"));
    QVERIFY(store.write(a, "one"));
    QVERIFY(store.write(b, "eleven"));
    QVERIFY(store.remove(a));
    QCOMPARE(store.read(b).value_or(QByteArray()), QByteArray("eleven"));
}

void TestSecretServiceStore::twoStoresSeeEachOthersWritesAtOnce()
{
    SecretServiceStore first(bus());
    SecretServiceStore second(bus());
    const QString target = uniqueTarget(QStringLiteral("shared"));
    QVERIFY(first.write(target, "v1"));
    QCOMPARE(second.read(target).value_or(QByteArray()), QByteArray("v1"));
    QVERIFY(second.write(target, "v2"));
    QCOMPARE(first.read(target).value_or(QByteArray()), QByteArray("v2"));
}

void TestSecretServiceStore::tokenStoreKeepsServicesApart()
{
    const QString normalService = QStringLiteral("com.tindlebrook.calendar.test%1").arg(m_case);
    const QString devService = normalService + QStringLiteral(".dev");
    TindAccount::CredentialManagerTokenStore normal(normalService, std::make_unique<SecretServiceStore>(bus()));
    TindAccount::CredentialManagerTokenStore dev(devService, std::make_unique<SecretServiceStore>(bus()));

    QVERIFY(normal.write(QStringLiteral("tindlebrook_access_token"), QStringLiteral("n\u00e9")));
    QVERIFY(normal.write(QStringLiteral("tindlebrook_refresh_token"), QStringLiteral("r")));
    QVERIFY(normal.write(QStringLiteral("caldav-password-x"), QStringLiteral("p")));
    QVERIFY(dev.write(QStringLiteral("tindlebrook_access_token"), QStringLiteral("d")));

    normal.clear();
    QVERIFY(!normal.read(QStringLiteral("tindlebrook_access_token")));
    QVERIFY(!normal.read(QStringLiteral("tindlebrook_refresh_token")));
    QCOMPARE(normal.read(QStringLiteral("caldav-password-x")).value_or(QString()), QStringLiteral("p"));
    QCOMPARE(dev.read(QStringLiteral("tindlebrook_access_token")).value_or(QString()), QStringLiteral("d"));
}

void TestSecretServiceStore::itemsLiveInTheDefaultCollection()
{
    SecretServiceStore store(bus());
    const QString target = uniqueTarget(QStringLiteral("where"));
    QVERIFY(store.write(target, "v"));

    QDBusMessage alias = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.secrets"), QStringLiteral("/org/freedesktop/secrets"),
        QStringLiteral("org.freedesktop.Secret.Service"), QStringLiteral("ReadAlias"));
    alias << QStringLiteral("default");
    const QDBusMessage aliasReply = bus().call(alias);
    QCOMPARE(aliasReply.type(), QDBusMessage::ReplyMessage);
    const QString collection = qdbus_cast<QDBusObjectPath>(aliasReply.arguments().at(0)).path();

    QDBusMessage search = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.secrets"), collection,
        QStringLiteral("org.freedesktop.Secret.Collection"), QStringLiteral("SearchItems"));
    SecretServiceSecret::registerTypes();
    search << QVariant::fromValue(QMap<QString, QString>{{QStringLiteral("target"), target}});
    const QDBusMessage reply = bus().call(search);
    QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
    QCOMPARE(qdbus_cast<QList<QDBusObjectPath>>(reply.arguments().at(0)).size(), 1);
}

void TestSecretServiceStore::lockedKeyringWithoutPrompterGivesUp()
{
    const QString target = uniqueTarget(QStringLiteral("locked"));
    {
        SecretServiceStore store(bus());
        QVERIFY(store.write(target, "v"));
    }
    QDBusMessage alias = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.secrets"), QStringLiteral("/org/freedesktop/secrets"),
        QStringLiteral("org.freedesktop.Secret.Service"), QStringLiteral("ReadAlias"));
    alias << QStringLiteral("default");
    const QDBusObjectPath collection = qdbus_cast<QDBusObjectPath>(bus().call(alias).arguments().at(0));
    QDBusMessage lock = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.secrets"), QStringLiteral("/org/freedesktop/secrets"),
        QStringLiteral("org.freedesktop.Secret.Service"), QStringLiteral("Lock"));
    lock << QVariant::fromValue(QList<QDBusObjectPath>{collection});
    QCOMPARE(bus().call(lock).type(), QDBusMessage::ReplyMessage);

    // No one can answer the unlock prompt here: the read must end, empty,
    // instead of waiting for ever.
    SecretServiceStore store(bus());
    // A hang here is caught by the test runner's time limit.
    store.setPromptTimeout(3000);
    QVERIFY(!store.read(target));
    QVERIFY(!store.write(target, "w"));
}

// The private bus never launches a desktop service (a second keyring, a
// prompter) on a first call: only the daemon the fixture started, with its
// password, answers for the keyring.
void TestSecretServiceStore::busStartsNoServiceOnDemand()
{
    const QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.keyring.SystemPrompter"), QStringLiteral("/org/gnome/keyring/Prompter"),
        QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    const QDBusMessage reply = bus().call(call, QDBus::Block, 60000);
    QCOMPARE(reply.errorName(), QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown"));
}

QTEST_GUILESS_MAIN(TestSecretServiceStore)
#include "tst_secretservicestore.moc"
