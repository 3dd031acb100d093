// The account screen's actions: a prompt or question, one request, a
// message on the status line and a re-read of the page concerned.
#include "account/widgets/accountscreen.h"

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "account/accountclient.h"
#include "account/authclient.h"
#include "account/client.h"
#include "app/theme/plaintext.h"

namespace TindAccount {

namespace {

// The trimmed answer of a prompt; empty when it was cancelled or blank.
QString askText(QWidget *parent, const QString &title, const QString &label, const QString &start = QString())
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, label, QLineEdit::Normal, start, &ok);
    return ok ? text.trimmed() : QString();
}

bool confirm(QWidget *parent, const QString &title, const QString &text)
{
    return PlainText::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

// A fixed failure text followed by the reason the service or the network gave.
QString withReason(const QString &failure, const QString &reason)
{
    return reason.isEmpty() ? failure : QStringLiteral("%1 %2").arg(failure, reason);
}

} // namespace

void AccountScreen::reportChange(bool ok, const QString &success, const QString &failure, const QString &reason,
                                 void (AccountScreen::*refresh)())
{
    if (ok)
        showSuccess(success);
    else
        showError(withReason(failure, reason));
    if (refresh)
        (this->*refresh)();
}

void AccountScreen::editDisplayName()
{
    const QString name = askText(this, QStringLiteral("Edit Display Name"), QStringLiteral("Display name:"),
                                 m_nameLabel->text());
    if (name.isEmpty())
        return;
    m_editNameButton->setEnabled(false);
    QPointer<AccountScreen> self(this);
    AuthClient *auth = m_client->authClient();
    auth->updateProfile(name, [self, auth](const User &user) {
        if (!self)
            return;
        self->m_editNameButton->setEnabled(true);
        if (user.id.isEmpty()) {
            self->showError(withReason(QStringLiteral("Failed to update profile."), auth->lastFailure()));
            return;
        }
        self->m_nameLabel->setText(user.display_name);
        self->showSuccess(QStringLiteral("Display name updated."));
    });
}

void AccountScreen::changePassword()
{
    const QString title = QStringLiteral("Change Password");
    bool ok = false;
    const QString current =
        QInputDialog::getText(this, title, QStringLiteral("Current password:"), QLineEdit::Password, QString(), &ok);
    if (!ok || current.isEmpty())
        return;
    const QString next = QInputDialog::getText(this, title, QStringLiteral("New password (min 8 characters):"),
                                               QLineEdit::Password, QString(), &ok);
    if (!ok || next.isEmpty())
        return;
    if (next.size() < 8) {
        showError(QStringLiteral("Password must be at least 8 characters."));
        return;
    }
    const QString again = QInputDialog::getText(this, title, QStringLiteral("Confirm new password:"),
                                                QLineEdit::Password, QString(), &ok);
    if (!ok || again != next) {
        showError(QStringLiteral("Passwords do not match."));
        return;
    }
    m_changePasswordButton->setEnabled(false);
    QPointer<AccountScreen> self(this);
    AuthClient *auth = m_client->authClient();
    auth->changePassword(current, next, [self, auth](bool changed) {
        if (!self)
            return;
        self->m_changePasswordButton->setEnabled(true);
        self->reportChange(changed, QStringLiteral("Password changed."), QStringLiteral("Failed to change password."),
                           changed ? QString() : auth->lastFailure(), nullptr);
    });
}

void AccountScreen::deleteAccount()
{
    bool ok = false;
    const QString word = QInputDialog::getText(this, QStringLiteral("Delete Account"),
                                               QStringLiteral("This will schedule your account for permanent "
                                                              "deletion after 30 days.\n\nType DELETE to confirm:"),
                                               QLineEdit::Normal, QString(), &ok);
    if (!ok || word != QLatin1String("DELETE"))
        return;
    QPointer<AccountScreen> self(this);
    AccountClient *account = m_client->accountClient();
    account->deleteAccount([self, account](bool deleted) {
        if (!self)
            return;
        if (!deleted) {
            self->showError(withReason(QStringLiteral("Failed to delete account."), account->lastFailure()));
            return;
        }
        QMessageBox::information(self, QStringLiteral("Account Scheduled for Deletion"),
                                 QStringLiteral("Your account will be permanently deleted in 30 days. You can "
                                                "recover it by signing in before then."));
        if (self)
            Q_EMIT self->logoutRequested();
    });
}

void AccountScreen::joinGroup()
{
    const QString code = askText(this, QStringLiteral("Join Group"), QStringLiteral("Enter invite code:"));
    if (code.isEmpty())
        return;
    QPointer<AccountScreen> self(this);
    AccountClient *account = m_client->accountClient();
    account->joinGroup(code, [self, account](bool joined) {
        if (!self)
            return;
        if (!joined) {
            self->showError(withReason(QStringLiteral("Invalid or expired invite code."), account->lastFailure()));
            return;
        }
        self->showSuccess(QStringLiteral("Joined group."));
        self->refreshGroup();
    });
}

void AccountScreen::inviteByEmail()
{
    const QString address = askText(this, QStringLiteral("Invite by Email"), QStringLiteral("Email address:"));
    if (address.isEmpty())
        return;
    QPointer<AccountScreen> self(this);
    AccountClient *account = m_client->accountClient();
    account->inviteByEmail(address, [self, account](const GroupInvitation &invitation) {
        if (!self)
            return;
        if (invitation.id.isEmpty()) {
            self->showError(withReason(QStringLiteral("Failed to send invitation."), account->lastFailure()));
            return;
        }
        self->showSuccess(QStringLiteral("Invitation sent."));
        self->refreshGroup();
    });
}

void AccountScreen::generateInviteCode()
{
    QPointer<AccountScreen> self(this);
    AccountClient *account = m_client->accountClient();
    account->generateInviteCode([self, account](const GroupInvitation &invitation) {
        if (!self)
            return;
        if (invitation.invite_code.isEmpty()) {
            self->showError(withReason(QStringLiteral("Failed to generate code."), account->lastFailure()));
            return;
        }
        PlainText::information(
            self, QStringLiteral("Invite Code"),
            QStringLiteral("Share this code with the person you want to invite:\n\n%1").arg(invitation.invite_code));
        if (self)
            self->refreshGroup();
    });
}

void AccountScreen::removeMember(const QString &accountId, const QString &name)
{
    if (!confirm(this, QStringLiteral("Remove Member"), QStringLiteral("Remove %1 from the group?").arg(name)))
        return;
    QPointer<AccountScreen> self(this);
    AccountClient *account = m_client->accountClient();
    account->removeMember(accountId, [self, account, name](bool removed) {
        if (self)
            self->reportChange(removed, QStringLiteral("%1 removed.").arg(name),
                               QStringLiteral("Failed to remove %1.").arg(name),
                               removed ? QString() : account->lastFailure(), &AccountScreen::refreshGroup);
    });
}

void AccountScreen::revokeInvitation(const QString &invitationId)
{
    QPointer<AccountScreen> self(this);
    AccountClient *account = m_client->accountClient();
    account->revokeInvitation(invitationId, [self, account](bool revoked) {
        if (self)
            self->reportChange(revoked, QStringLiteral("Invitation revoked."),
                               QStringLiteral("Failed to revoke invitation."),
                               revoked ? QString() : account->lastFailure(), &AccountScreen::refreshGroup);
    });
}

void AccountScreen::leaveGroup()
{
    if (!confirm(this, QStringLiteral("Leave Group"),
                 QStringLiteral("Leave this group? You will lose access to shared data.")))
        return;
    QPointer<AccountScreen> self(this);
    AccountClient *account = m_client->accountClient();
    account->leaveGroup([self, account](bool left) {
        if (self)
            self->reportChange(left, QStringLiteral("Left group."), QStringLiteral("Failed to leave group."),
                               left ? QString() : account->lastFailure(), &AccountScreen::refreshGroup);
    });
}

void AccountScreen::removeDevice(const QString &deviceId, const QString &name)
{
    if (!confirm(this, QStringLiteral("Remove Device"), QStringLiteral("Remove %1?").arg(name)))
        return;
    QPointer<AccountScreen> self(this);
    AccountClient *account = m_client->accountClient();
    account->removeDevice(deviceId, [self, account](bool removed) {
        if (self)
            self->reportChange(removed, QStringLiteral("Device removed."), QStringLiteral("Failed to remove device."),
                               removed ? QString() : account->lastFailure(), &AccountScreen::refreshDevices);
    });
}

void AccountScreen::revokeSession(const QString &sessionId)
{
    QPointer<AccountScreen> self(this);
    AuthClient *auth = m_client->authClient();
    auth->revokeSession(sessionId, [self, auth](bool revoked) {
        if (self)
            self->reportChange(revoked, QStringLiteral("Session revoked."), QStringLiteral("Failed to revoke session."),
                               revoked ? QString() : auth->lastFailure(), &AccountScreen::refreshSessions);
    });
}

} // namespace TindAccount
