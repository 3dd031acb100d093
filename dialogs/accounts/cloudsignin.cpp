#include "dialogs/accounts/cloudsignin.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>

#include "account/authclient.h"
#include "account/client.h"
#include "ui/pickers/addressdialog.h"

namespace CloudSignIn {

void start(TindAccount::Client *client, QWidget *parent)
{
    TindAccount::AuthClient *auth = client->authClient();
    // Only this sign-in's answer: a later one has its own window to show over.
    const QMetaObject::Connection notOpened =
        QObject::connect(auth, &TindAccount::AuthClient::signInPageNotOpened, parent, [parent](const QUrl &page) {
            AddressDialog::showFor(parent, QCoreApplication::translate("CloudSignIn", "The sign-in page"), page);
        });
    auth->login();
    QObject::disconnect(notOpened);
}

} // namespace CloudSignIn
