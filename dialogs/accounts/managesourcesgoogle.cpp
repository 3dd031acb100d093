// Google sign-in from the accounts dialog: a new account, or an existing
// one whose tokens are gone, and the import of its calendar list.
#include "dialogs/accounts/managesourcesdialog.h"

#include "app/appstate.h"
#include "app/platform/urlopener.h"
#include "dialogs/accounts/providersignin.h"
#include "store/accountrepository.h"
#include "sync/google/googleauthservice.h"
#include "sync/google/googlecalendarclient.h"
#include "sync/google/googleendpoints.h"

namespace {

ProviderCalendarImport::Provider googleProvider()
{
    ProviderCalendarImport::Provider provider;
    provider.type = AccountType::Google;
    provider.accountColor = QStringLiteral("#EA4335");
    provider.insertFailedText = ManageSourcesDialog::tr("Could not save the Google account row.");
    provider.updatesDescription = true;
    return provider;
}

QList<ProviderCalendarImport::Entry> googleEntries(const QList<Google::DiscoveredCalendar> &calendars)
{
    QList<ProviderCalendarImport::Entry> entries;
    for (const Google::DiscoveredCalendar &calendar : calendars) {
        ProviderCalendarImport::Entry entry;
        entry.id = calendar.id;
        entry.name = calendar.summary;
        entry.description = calendar.description;
        entry.color = calendar.backgroundColor.isEmpty() ? QStringLiteral("#4285F4") : calendar.backgroundColor;
        // Anything but owner or writer is a calendar only shared for reading.
        entry.readOnly = calendar.accessRole != QLatin1String("owner") && calendar.accessRole != QLatin1String("writer");
        entry.isDefaultCandidate = calendar.primary;
        entries << entry;
    }
    return entries;
}

} // namespace

void ManageSourcesDialog::signInAccount(const QString &accountId)
{
    const std::optional<Account> account = m_state->accounts()->getById(accountId);
    if (!account)
        return;
    if (account->type == AccountType::Google)
        startGoogleSignIn(accountId);
    else if (account->type == AccountType::Microsoft)
        startMicrosoftSignIn(accountId);
}

void ManageSourcesDialog::startGoogleSignIn(const QString &accountId)
{
    ProviderSignInTexts texts;
    texts.provider = tr("Google");
    texts.cancelled = Google::AuthService::tr("Sign-in cancelled.");
    texts.importing = tr("Importing calendars from Google…");
    texts.signInFailed = tr("Google sign-in failed");
    texts.importFailed = tr("Google import failed");
    texts.noCalendarsTitle = tr("No calendars");
    texts.noCalendars = tr("Google reports no calendars on this account.");
    texts.tokensNotSaved = tr("The Google sign-in could not be saved to the secret store.");
    runProviderSignIn<Google::AuthService, Google::CalendarClient, Google::SignInResult>(
        this, m_state, m_googleEndpoints.value_or(Google::Endpoints::fromEnvironment()),
        m_urlOpener ? m_urlOpener : UrlOpener::desktop(), accountId, texts, googleProvider(), googleEntries);
}
