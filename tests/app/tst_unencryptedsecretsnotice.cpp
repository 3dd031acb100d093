#include "app/secrets/filesecretstore.h"
#include "app/secrets/secretservicecache.h"
#include "app/unencryptedsecretsnotice.h"
#include "store/preferencesrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/teststore.h"

#include <QApplication>
#include <QDBusConnection>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>

// Without a keyring the user hears once that secrets are kept unencrypted.
class TestUnencryptedSecretsNotice : public QObject
{
    Q_OBJECT

    static bool boxShown()
    {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMessageBox *>(top) && top->isVisible())
                return true;
        }
        return false;
    }

private Q_SLOTS:
    void noticeShowsOnceAndIsRemembered()
    {
        TestStore store;
        QVERIFY(store.isOpen());
        PreferencesRepository preferences(store.db());
        QWidget window;
        window.show();

        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        QVERIFY(UnencryptedSecretsNotice::showOnce(&window, &preferences));
        QTRY_COMPARE(answerer.seen(), QStringList{"QMessageBox " + UnencryptedSecretsNotice::text()});
        QTRY_VERIFY(!boxShown());
        QVERIFY(preferences.getBool(QLatin1String(UnencryptedSecretsNotice::ShownKey)));

        // Never again, in this run or the next.
        QVERIFY(!UnencryptedSecretsNotice::showOnce(&window, &preferences));
        PreferencesRepository reopened(store.db());
        QVERIFY(!UnencryptedSecretsNotice::showOnce(&window, &reopened));
        QVERIFY(!boxShown());
    }

    void noticeComesWhenItMatters_data()
    {
        QTest::addColumn<bool>("secretsKept");
        // Started in the tray: told once the window is shown.
        QTest::newRow("hidden start, secrets kept") << true;
        // A first start beside the Welcome: told when the first password is stored.
        QTest::newRow("first start, nothing kept") << false;
    }

    void noticeComesWhenItMatters()
    {
        QFETCH(bool, secretsKept);
        TestStore store;
        QVERIFY(store.isOpen());
        PreferencesRepository preferences(store.db());
        QWidget window;
        if (!secretsKept)
            window.show();
        QTemporaryDir files;
        const QDBusConnection noBus =
            QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("no-keyring"));
        SecretServiceCache cache(noBus, std::make_unique<FileSecretStore>(files.path()));
        UnencryptedSecretsNotice notice(&window, &preferences);
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);

        notice.watch(&cache, [secretsKept] { return secretsKept; });
        bool settled = false;
        cache.whenSettled(this, [&settled] { settled = true; });
        QTRY_VERIFY(settled);
        QCOMPARE(cache.state(), SecretServiceCache::State::Unavailable);
        // Neither open nor already answered.
        QVERIFY(!boxShown());
        QCOMPARE(answerer.seen(), QStringList());

        if (secretsKept)
            window.show();
        else
            QVERIFY(cache.write(QStringLiteral("Tindlebrook/t/caldav-password-1"), "s3cret"));
        QTRY_COMPARE(answerer.seen(), QStringList{"QMessageBox " + UnencryptedSecretsNotice::text()});
        QDBusConnection::disconnectFromBus(QStringLiteral("no-keyring"));
    }
};

QTEST_MAIN(TestUnencryptedSecretsNotice)
#include "tst_unencryptedsecretsnotice.moc"
