// Microsoft sign-in from the accounts dialog: a new account, or an existing
// one whose tokens are gone, and the import of its calendar list.
#include "dialogs/accounts/managesourcesdialog.h"

#include "app/platform/urlopener.h"
#include "dialogs/accounts/providersignin.h"
#include "sync/microsoft/microsoftauthservice.h"
#include "sync/microsoft/microsoftcalendarclient.h"
#include "sync/microsoft/microsoftendpoints.h"

namespace {

ProviderCalendarImport::Provider microsoftProvider()
{
    ProviderCalendarImport::Provider provider;
    provider.type = AccountType::Microsoft;
    provider.accountColor = QStringLiteral("#0078D4");
    provider.fallbackName = ManageSourcesDialog::tr("Microsoft Account");
    provider.insertFailedText = ManageSourcesDialog::tr("Could not save the Microsoft account row.");
    return provider;
}

QList<ProviderCalendarImport::Entry> microsoftEntries(const QList<Microsoft::DiscoveredCalendar> &calendars)
{
    QList<ProviderCalendarImport::Entry> entries;
    for (const Microsoft::DiscoveredCalendar &calendar : calendars) {
        ProviderCalendarImport::Entry entry;
        entry.id = calendar.id;
        entry.name = calendar.name;
        entry.color = calendar.color;
        entry.readOnly = !calendar.canEdit;
        entry.isDefaultCandidate = calendar.isDefaultCalendar;
        entries << entry;
    }
    return entries;
}

} // namespace

void ManageSourcesDialog::startMicrosoftSignIn(const QString &accountId)
{
    ProviderSignInTexts texts;
    texts.provider = tr("Microsoft");
    texts.cancelled = Microsoft::AuthService::tr("Sign-in cancelled.");
    texts.importing = tr("Importing calendars from Microsoft…");
    texts.signInFailed = tr("Microsoft sign-in failed");
    texts.importFailed = tr("Microsoft import failed");
    texts.noCalendarsTitle = tr("No calendars");
    texts.noCalendars = tr("Microsoft reports no calendars on this account.");
    texts.tokensNotSaved = tr("The Microsoft sign-in could not be saved to the secret store.");
    runProviderSignIn<Microsoft::AuthService, Microsoft::CalendarClient, Microsoft::SignInResult>(
        this, m_state, m_microsoftEndpoints.value_or(Microsoft::Endpoints::fromEnvironment()),
        m_urlOpener ? m_urlOpener : UrlOpener::desktop(), accountId, texts, microsoftProvider(), microsoftEntries);
}
