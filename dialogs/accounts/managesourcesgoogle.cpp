// Google sign-in from the accounts dialog: a new account, or an existing
// one whose tokens are gone, and the import of its calendar list.
#include "dialogs/accounts/managesourcesdialog.h"

#include <QDateTime>
#include <QMessageBox>
#include <QUuid>

#include "app/appstate.h"
#include "app/platform/urlopener.h"
#include "dialogs/accounts/oauthprogressdialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "sync/core/canonicalcalendarkey.h"
#include "sync/google/googleauthservice.h"
#include "sync/google/googlecalendarclient.h"
#include "sync/google/googleendpoints.h"

namespace {

// The account the sign-in belongs to, created or updated; nothing when it
// could not be stored (the user has been told).
std::optional<Account> storeGoogleAccount(AppState *state, QWidget *parent, const QString &accountId,
                                          const Google::SignInResult &result)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (!accountId.isEmpty()) {
        std::optional<Account> account = state->accounts()->getById(accountId);
        if (!account) {
            QMessageBox::critical(parent, ManageSourcesDialog::tr("Database Error"),
                                  ManageSourcesDialog::tr("The account row this sign-in was bound to no longer exists."));
            return std::nullopt;
        }
        if (!result.name.isEmpty())
            account->name = result.name;
        else if (!result.email.isEmpty())
            account->name = result.email;
        account->username = result.email;
        account->last_sync_error.clear();
        account->updated_at = now;
        state->accounts()->update(*account);
        return account;
    }
    Account account;
    account.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    account.name = result.name.isEmpty() ? result.email : result.name;
    account.type = QStringLiteral("google");
    account.username = result.email;
    account.color = QStringLiteral("#EA4335");
    account.enabled = true;
    account.created_at = account.updated_at = now;
    if (!state->accounts()->insert(account)) {
        QMessageBox::critical(parent, ManageSourcesDialog::tr("Database Error"),
                              ManageSourcesDialog::tr("Could not save the Google account row."));
        return std::nullopt;
    }
    return account;
}

void importGoogleCalendars(AppState *state, const QString &accountId,
                           const QList<Google::DiscoveredCalendar> &calendars)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    bool hasDefault = false;
    for (const Calendar &calendar : state->calendars()->getAll())
        hasDefault = hasDefault || calendar.is_default;
    QHash<QString, Calendar> known;
    for (const Calendar &calendar : state->calendars()->getByAccount(accountId))
        known.insert(calendar.url, calendar);
    for (const Google::DiscoveredCalendar &entry : calendars) {
        const bool readOnly = entry.accessRole != QLatin1String("owner") && entry.accessRole != QLatin1String("writer");
        if (known.contains(entry.id)) {
            Calendar calendar = known.value(entry.id);
            calendar.name = entry.summary;
            calendar.description = entry.description;
            if (!entry.backgroundColor.isEmpty())
                calendar.color = entry.backgroundColor;
            calendar.is_read_only = readOnly;
            calendar.sync_enabled = true;
            calendar.updated_at = now;
            state->calendars()->update(calendar);
            continue;
        }
        Calendar calendar;
        calendar.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        calendar.account_id = accountId;
        calendar.url = entry.id;
        calendar.name = entry.summary;
        calendar.description = entry.description;
        calendar.color = entry.backgroundColor.isEmpty() ? QStringLiteral("#4285F4") : entry.backgroundColor;
        calendar.timezone = QStringLiteral("UTC");
        calendar.is_visible = true;
        calendar.is_read_only = readOnly;
        calendar.is_default = !hasDefault && entry.primary;
        calendar.supported_components = QStringLiteral("[\"VEVENT\"]");
        calendar.canonical_key = Sync::canonicalCalendarKey(QStringLiteral("google"), entry.id).value_or(QString());
        calendar.sync_enabled = true;
        calendar.created_at = calendar.updated_at = now;
        state->calendars()->insert(calendar);
    }
}

} // namespace

void ManageSourcesDialog::signInAccount(const QString &accountId)
{
    const std::optional<Account> account = m_state->accounts()->getById(accountId);
    if (!account)
        return;
    if (account->type == QLatin1String("google"))
        startGoogleSignIn(accountId);
    else if (account->type == QLatin1String("microsoft"))
        startMicrosoftSignIn(accountId);
}

void ManageSourcesDialog::startMicrosoftSignIn(const QString &accountId)
{
    // The Microsoft sign-in is offered once its client is part of the build.
    Q_UNUSED(accountId);
}

void ManageSourcesDialog::startGoogleSignIn(const QString &accountId)
{
    const Google::Endpoints endpoints = m_googleEndpoints.value_or(Google::Endpoints::fromEnvironment());
    auto *auth = new Google::AuthService(endpoints, m_urlOpener ? m_urlOpener : UrlOpener::desktop(), this);
    auto *progress = new OAuthProgressDialog(tr("Google"), this);
    connect(progress, &QDialog::rejected, auth, &Google::AuthService::cancel);
    connect(auth, &Google::AuthService::signInFailed, this, [this, auth, progress](const QString &reason) {
        progress->accept();
        progress->deleteLater();
        auth->deleteLater();
        if (!reason.contains(QLatin1String("cancelled"), Qt::CaseInsensitive))
            QMessageBox::warning(this, tr("Google sign-in failed"), reason);
    });
    connect(auth, &Google::AuthService::signInSucceeded, this,
            [this, auth, progress, accountId, endpoints](const Google::SignInResult &result) {
                auth->deleteLater();
                progress->setStatus(tr("Importing calendars from Google…"));
                auto *client = new Google::CalendarClient(endpoints, this);
                client->setAccessToken(result.accessToken);
                connect(client, &Google::CalendarClient::requestFailed, this,
                        [this, client, progress](const QString &reason) {
                            progress->accept();
                            progress->deleteLater();
                            client->deleteLater();
                            QMessageBox::warning(this, tr("Google import failed"), reason);
                        });
                connect(client, &Google::CalendarClient::calendarsListed, this,
                        [this, client, progress, accountId, result](const QList<Google::DiscoveredCalendar> &list) {
                            progress->accept();
                            progress->deleteLater();
                            client->deleteLater();
                            if (list.isEmpty()) {
                                QMessageBox::information(this, tr("No calendars"),
                                                         tr("Google reports no calendars on this account."));
                                return;
                            }
                            const std::optional<Account> account =
                                storeGoogleAccount(m_state, this, accountId, result);
                            if (!account)
                                return;
                            Google::AuthService::saveTokens(
                                account->id, {result.accessToken, result.refreshToken, result.expiresAt});
                            importGoogleCalendars(m_state, account->id, list);
                        });
                client->listCalendars();
            });
    auth->startSignIn();
    // A sign-in refused at once (no client settings) has closed it already.
    if (progress->result() == 0)
        progress->show();
}
