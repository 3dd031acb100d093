#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QtTest>

#include "app/secrets/secretservicecache.h"
#include "app/secrets/secretservicestore.h"
#include "tests/support/keyringdaemon.h"
#include "tests/support/tempdatadir.h"

// The keyring cache against a real gnome-keyring-daemon on a private bus:
// the GUI thread is answered from memory and never waits on the keyring.
class TestSecretServiceCache : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void answersWhatTheKeyringHeldAndWritesBehind();
    void changesBeforeTheLoadEndedWin();
    // Last: it leaves the keyring locked.
    void lockedKeyringSettlesWithinTheBound();

private:
    QDBusConnection bus() const { return QDBusConnection(QStringLiteral("tindle-cache-test")); }

    TempDataDir m_home;
    KeyringDaemon m_keyring;
};

void TestSecretServiceCache::initTestCase()
{
    QVERIFY(m_home.isValid());
    if (!m_keyring.start())
        QSKIP(qPrintable(QStringLiteral("Secret Service back end not tested: ") + m_keyring.errorText()));
    QVERIFY(QDBusConnection::connectToBus(m_keyring.busAddress(), QStringLiteral("tindle-cache-test")).isConnected());
}

void TestSecretServiceCache::cleanupTestCase()
{
    QDBusConnection::disconnectFromBus(QStringLiteral("tindle-cache-test"));
    m_keyring.stop();
}

void TestSecretServiceCache::answersWhatTheKeyringHeldAndWritesBehind()
{
    SecretServiceStore direct(bus());
    QVERIFY(direct.write(QStringLiteral("Tindlebrook/t/held"), "before"));

    SecretServiceCache cache(bus(), nullptr);
    QTRY_COMPARE(cache.state(), SecretServiceCache::State::Ready);
    QCOMPARE(cache.read(QStringLiteral("Tindlebrook/t/held")).value_or("<missing>"), QByteArray("before"));

    QVERIFY(cache.write(QStringLiteral("Tindlebrook/t/held"), "after"));
    QCOMPARE(cache.read(QStringLiteral("Tindlebrook/t/held")).value_or("<missing>"), QByteArray("after"));
    QTRY_COMPARE(direct.read(QStringLiteral("Tindlebrook/t/held")).value_or("<missing>"), QByteArray("after"));

    QVERIFY(cache.remove(QStringLiteral("Tindlebrook/t/held")));
    QVERIFY(!cache.read(QStringLiteral("Tindlebrook/t/held")));
    QTRY_VERIFY(!direct.read(QStringLiteral("Tindlebrook/t/held")));
}

void TestSecretServiceCache::changesBeforeTheLoadEndedWin()
{
    SecretServiceStore direct(bus());
    QVERIFY(direct.write(QStringLiteral("Tindlebrook/t/early"), "stored"));
    SecretServiceCache cache(bus(), nullptr);
    // Written at once, before the background load can have ended.
    QVERIFY(cache.write(QStringLiteral("Tindlebrook/t/early"), "typed"));
    QTRY_COMPARE(cache.state(), SecretServiceCache::State::Ready);
    QCOMPARE(cache.read(QStringLiteral("Tindlebrook/t/early")).value_or("<missing>"), QByteArray("typed"));
    QTRY_COMPARE(direct.read(QStringLiteral("Tindlebrook/t/early")).value_or("<missing>"), QByteArray("typed"));
}

void TestSecretServiceCache::lockedKeyringSettlesWithinTheBound()
{
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

    // Nobody answers the unlock prompt: the readers go on after their bound
    // while the keyring still waits.
    SecretServiceCache cache(bus(), nullptr, nullptr, 3000);
    bool ready = false;
    cache.whenSettled(this, [&ready] { ready = true; }, 200);
    QTRY_VERIFY(ready);
    // The keyring answered but could not be read: nothing is found, and the
    // file is not turned to.
    QTRY_COMPARE(cache.state(), SecretServiceCache::State::Ready);
    QVERIFY(!cache.read(QStringLiteral("Tindlebrook/t/early")));
}

QTEST_GUILESS_MAIN(TestSecretServiceCache)
#include "tst_secretservicecache.moc"
