// The cloud account entry, and sharing a calendar of the cloud account,
// which first moves a calendar kept on this device to the cloud.
#include "dialogs/accounts/managesourcesdialog.h"

#include <QMessageBox>

#include "account/authclient.h"
#include "account/client.h"
#include "app/appstate.h"
#include "cloud/calendarupgradeservice.h"
#include "cloud/sharingbackend.h"
#include "cloud/syncclient.h"
#include "store/calendarrepository.h"

void ManageSourcesDialog::openCloudAccount()
{
    TindAccount::Client *client = m_state->accountClient();
    if (!client)
        return;
    if (!client->isAuthenticated()) {
        client->authClient()->login();
        return;
    }
    QMessageBox::information(this, tr("Tindlebrook account ready"),
                             tr("You're signed in to Tindlebrook. Existing local calendars can be upgraded from each "
                                "calendar's row."));
}

void ManageSourcesDialog::upgradeCalendar(const QString &calendarId)
{
    TindAccount::Client *client = m_state->accountClient();
    if (!client)
        return;
    // Sharing needs the cloud: a signed-out user is sent to sign in first.
    if (!client->isAuthenticated()) {
        client->authClient()->login();
        return;
    }
    const std::optional<Calendar> calendar = m_state->calendars()->getById(calendarId);
    if (!calendar)
        return;
    if (calendar->url.startsWith(QLatin1String("tindlebrook://"))) {
        shareCalendar(*calendar);
        return;
    }
    auto *upgrade = new Tindlebrook::CalendarUpgradeService(m_state->syncRepositories(), client->syncApi(), this);
    connect(upgrade, &Tindlebrook::CalendarUpgradeService::upgradeCompleted, this,
            [this, upgrade, calendarId](const QString &, const QString &) {
                Q_EMIT m_state->calendars()->calendarsChanged();
                upgrade->deleteLater();
                if (const std::optional<Calendar> moved = m_state->calendars()->getById(calendarId))
                    shareCalendar(*moved);
            });
    connect(upgrade, &Tindlebrook::CalendarUpgradeService::upgradeFailed, this,
            [this, upgrade](const QString &, const QString &reason) {
                upgrade->deleteLater();
                QMessageBox::warning(this, tr("Couldn't prepare calendar"), reason);
            });
    upgrade->upgradeCalendar(*calendar);
}

void ManageSourcesDialog::shareCalendar(const Calendar &calendar)
{
    TindAccount::Client *client = m_state->accountClient();
    if (!client || !m_shareDialogOpener)
        return;
    auto *backend = new Tindlebrook::SharingBackend(client->syncApi(), this);
    m_shareDialogOpener(this, client, backend, Tindlebrook::SyncClient::serverCalendarId(calendar.url),
                        calendar.name);
}

void ManageSourcesDialog::sharingChanged()
{
    requestFullSync();
}
