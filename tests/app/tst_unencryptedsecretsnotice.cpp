#include "app/unencryptedsecretsnotice.h"
#include "store/preferencesrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/teststore.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QWidget>

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
};

QTEST_MAIN(TestUnencryptedSecretsNotice)
#include "tst_unencryptedsecretsnotice.moc"
