// The cloud account entry, and sharing a calendar of the cloud account,
// which first moves a calendar kept on this device to the cloud.
#include "dialogs/accounts/managesourcesdialog.h"

#include <QMessageBox>

#include "account/authclient.h"
#include "account/client.h"
#include "account/widgets/sharemembersdialog.h"
#include "app/appstate.h"
#include "app/theme/plaintext.h"
#include "cloud/calendarupgradeservice.h"
#include "cloud/sharingbackend.h"
#include "cloud/syncclient.h"
#include "dialogs/accounts/cloudsignin.h"
#include "store/calendarrepository.h"

void ManageSourcesDialog::openCloudAccount()
{
    TindAccount::Client *client = m_state->accountClient();
    if (!client)
        return;
    if (!client->isAuthenticated()) {
        CloudSignIn::start(client, this);
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
        CloudSignIn::start(client, this);
        return;
    }
    const std::optional<Calendar> calendar = m_state->calendars()->getById(calendarId);
    if (!calendar)
        return;
    if (calendar->url.startsWith(QLatin1String("tindlebrook://"))) {
        shareCalendar(*calendar);
        return;
    }
    auto *upgrade = new Tindlebrook::CalendarUpgradeService(m_state->recordRepositories(), client->syncApi(), this);
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
                PlainText::warning(this, tr("Couldn't prepare calendar"), reason);
            });
    upgrade->upgradeCalendar(*calendar);
}

void ManageSourcesDialog::shareCalendar(const Calendar &calendar)
{
    TindAccount::Client *client = m_state->accountClient();
    if (!client)
        return;
    auto *backend = new Tindlebrook::SharingBackend(client->syncApi(), this);
    const QString serverId = Tindlebrook::SyncClient::serverCalendarId(calendar.url);
    if (m_shareDialogOpener) {
        m_shareDialogOpener(this, client, backend, serverId, calendar.name);
        return;
    }
    auto *dialog = new TindAccount::ShareMembersDialog(client, backend, serverId, shareTexts(calendar.name), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &TindAccount::ShareMembersDialog::sharingChanged, this, &ManageSourcesDialog::sharingChanged);
    // Not modal: the accounts list stays usable behind it.
    dialog->show();
}

TindAccount::ShareMembersDialog::Texts ManageSourcesDialog::shareTexts(const QString &calendarName)
{
    TindAccount::ShareMembersDialog::Texts texts;
    texts.title = tr("Share Calendar");
    texts.heading = tr("Sharing: %1").arg(calendarName);
    texts.intro = tr("People you share with see the same events and changes you do. Sharing doesn't merge "
                     "calendars; they keep their own calendar list.");
    texts.sharedSectionTitle = tr("Shared with");
    texts.addSectionTitle = tr("Add people");
    texts.noSharesText = tr("Not shared with anyone yet.");
    texts.noGroupText = tr("Add family members or teammates to your Tindlebrook group first, then come back here to "
                           "share calendars with them.");
    texts.allHaveAccessText = tr("Everyone in your group already has access");
    texts.shareButtonText = tr("Share");
    texts.removeButtonTip = tr("Remove access");
    texts.closeButtonText = tr("Close");
    // The role the service expects, never translated.
    texts.shareRole = QStringLiteral("member");
    texts.shareErrorTitle = tr("Couldn't share calendar");
    texts.removeErrorTitle = tr("Couldn't remove person");
    texts.removeConfirmTitle = tr("Stop sharing?");
    texts.removeConfirmText = tr("%1 will no longer see this calendar's events on any of their devices. Continue?");
    return texts;
}

void ManageSourcesDialog::sharingChanged()
{
    requestFullSync();
}
