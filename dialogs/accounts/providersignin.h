#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QString>
#include <QTimer>

#include <optional>

#include "app/appstate.h"
#include "app/theme/plaintext.h"
#include "dialogs/accounts/oauthprogressdialog.h"
#include "dialogs/accounts/providercalendarimport.h"
#include "store/accountrepository.h"
#include "sync/core/syncerrorcode.h"

class UrlOpener;

// The browser sign-in of a calendar provider and the import of its calendar
// list, for any provider whose classes follow the same pattern (Google and
// Microsoft): an auth service reporting signInSucceeded/signInFailed, and a
// calendar client reporting calendarsListed/requestFailed. Everything it
// creates is parented to `dialog` and deleted by the step that ends its use.
struct ProviderSignInTexts
{
    QString provider;       // the progress dialog's "Sign in to %1"
    QString cancelled;      // the auth service's own (translated) cancel reason
    QString importing;      // status once the browser is done
    QString signInFailed;   // warning titles
    QString importFailed;
    QString noCalendarsTitle;
    QString noCalendars;    // the list came back empty
    QString tokensNotSaved; // the secret store refused the new tokens
};

template <typename Auth, typename Client, typename Result, typename Endpoints, typename ToEntries>
void runProviderSignIn(QWidget *dialog, AppState *state, const Endpoints &endpoints, UrlOpener *opener,
                       const QString &accountId, const ProviderSignInTexts &texts,
                       const ProviderCalendarImport::Provider &provider, ToEntries toEntries)
{
    auto *auth = new Auth(endpoints, opener, dialog);
    auto *progress = new OAuthProgressDialog(texts.provider, dialog);
    QObject::connect(progress, &QDialog::rejected, auth, &Auth::cancel);
    QObject::connect(auth, &Auth::signInFailed, dialog, [dialog, auth, progress, texts](const QString &reason) {
        progress->accept();
        progress->deleteLater();
        auth->deleteLater();
        // Cancelling is the user's own doing, not worth a message; in a
        // translated interface the reason no longer reads "cancelled".
        if (reason == texts.cancelled || reason.contains(QLatin1String("cancelled"), Qt::CaseInsensitive))
            return;
        // A refusal is reported from inside the loopback listener's read of
        // the browser's request; a box opened there would run its event loop
        // while that socket is closed and deleted under the read.
        QTimer::singleShot(0, dialog,
                           [dialog, texts, reason] { PlainText::warning(dialog, texts.signInFailed, reason); });
    });
    QObject::connect(auth, &Auth::signInSucceeded, dialog, [=](const Result &result) {
        auth->deleteLater();
        progress->setStatus(texts.importing);
        auto *client = new Client(endpoints, dialog);
        client->setAccessToken(result.accessToken);
        QObject::connect(client, &Client::requestFailed, dialog, [dialog, client, progress, texts](const QString &reason) {
            progress->accept();
            progress->deleteLater();
            client->deleteLater();
            PlainText::warning(dialog, texts.importFailed, reason);
        });
        QObject::connect(client, &Client::calendarsListed, dialog, [=](const auto &list) {
            progress->accept();
            progress->deleteLater();
            client->deleteLater();
            if (list.isEmpty()) {
                QMessageBox::information(dialog, texts.noCalendarsTitle, texts.noCalendars);
                return;
            }
            const ProviderCalendarImport import(state, dialog, provider);
            const std::optional<Account> account = import.storeAccount(accountId, result.name, result.email);
            if (!account)
                return;
            // Nothing is kept of a sign-in whose account could not be stored.
            const bool saved = Auth::saveTokens(account->id, {result.accessToken, result.refreshToken, result.expiresAt});
            import.reportUnstored(import.storeCalendars(account->id, toEntries(list)));
            if (saved)
                return;
            // Without its tokens the account cannot sync: it waits for the
            // user to sign in again, and says so, rather than look connected.
            Account unsaved = *account;
            unsaved.last_sync_error = QLatin1String(SyncErrorCode::SignInRequired);
            // The warning below already tells the user to sign in again; a
            // mark that could not be stored changes nothing they must do.
            (void)state->accounts()->update(unsaved);
            PlainText::warning(dialog, texts.signInFailed, texts.tokensNotSaved);
        });
        client->listCalendars();
    });
    auth->startSignIn();
    // A sign-in refused at once (no client settings) has closed it already.
    if (progress->result() == 0)
        progress->show();
}
