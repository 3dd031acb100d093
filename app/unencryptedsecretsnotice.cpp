#include "app/unencryptedsecretsnotice.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "store/preferencesrepository.h"

bool UnencryptedSecretsNotice::showOnce(QWidget *parent, PreferencesRepository *preferences)
{
    if (!preferences || preferences->getBool(QLatin1String(ShownKey), false))
        return false;
    // Remembered before it shows: a crash or a kill while it is open must
    // not bring it back at every start. Unrecorded, it only shows once more.
    (void)preferences->setBool(QLatin1String(ShownKey), true);
    auto *box = new QMessageBox(QMessageBox::Information,
                                QCoreApplication::translate("UnencryptedSecretsNotice", "Passwords Not Encrypted"),
                                text(), QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return true;
}

QString UnencryptedSecretsNotice::text()
{
    return QCoreApplication::translate(
        "UnencryptedSecretsNotice",
        "No desktop keyring is available, so your account passwords and sign-in tokens are kept in a file "
        "in your data folder without encryption. Anyone who can read your files can read them.\n\n"
        "Install or unlock a keyring (such as GNOME Keyring or KWallet) to keep them encrypted.");
}
