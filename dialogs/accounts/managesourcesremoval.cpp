// Removing accounts and calendars, and asking a CalDAV server for calendars
// created there since the account was added.
#include "dialogs/accounts/managesourcesdialog.h"

#include <QApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

#include "app/accountname.h"
#include "app/appstate.h"
#include "app/network/guardedrequest.h"
#include "app/platform/datadirectory.h"
#include "app/secrets/tokenstore.h"
#include "app/theme/plaintext.h"
#include "app/theme/theme.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "sync/caldav/caldavclient.h"
#include "sync/caldav/caldavdiscovery.h"
#include "sync/caldav/mergediscoveredcalendars.h"
#include "ui/pickers/waitcursor.h"

namespace {

QString storedPassword(const QString &accountId)
{
    std::unique_ptr<TindAccount::TokenStore> store = TindAccount::TokenStore::create(applicationServiceId());
    if (!store)
        return QString();
    return store->read(caldavPasswordKey(accountId)).value_or(QString());
}

CalDavClient *clientFor(const Account &account, const QString &password, QObject *parent)
{
    auto *client = new CalDavClient(parent);
    client->setCredentials(account.username, password);
    if (!account.trusted_cert_sha256.isEmpty())
        client->setPinnedFingerprint(account.trusted_cert_sha256);
    return client;
}

} // namespace

void ManageSourcesDialog::removeAccount(const QString &accountId)
{
    const std::optional<Account> account = m_state->accounts()->getById(accountId);
    if (!account)
        return;
    const QList<Calendar> calendars = m_state->calendars()->getByAccount(accountId);
    const auto answer = PlainText::question(
        this, tr("Remove account?"),
        tr("Remove \"%1\" and its %2 calendar(s)? Events from this account will be deleted from this device. "
           "Server data (if any) is left untouched.")
            .arg(AccountName::shown(*account))
            .arg(calendars.size()),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    for (const Calendar &calendar : calendars)
        deleteCalendarLocally(calendar.id);
    if (!m_state->accounts()->remove(accountId))
        return;
    // A removed account leaves no password or tokens behind.
    if (std::unique_ptr<TindAccount::TokenStore> store = TindAccount::TokenStore::create(applicationServiceId()))
        removeAccountSecrets(*store, accountId);
}

void ManageSourcesDialog::deleteCalendarLocally(const QString &calendarId)
{
    // Children before the row, as the store's foreign keys require; the rows
    // are gone, not left as tombstones for a sync.
    if (!m_state->accounts()->deleteCalendarDeep(calendarId))
        QMessageBox::critical(this, tr("Database Error"), tr("Could not remove the calendar from this computer."));
    m_state->events()->notifyChanged(calendarId);
    Q_EMIT m_state->calendars()->calendarsChanged();
}

void ManageSourcesDialog::removeCalendar(const QString &calendarId)
{
    const std::optional<Calendar> calendar = m_state->calendars()->getById(calendarId);
    if (!calendar)
        return;
    const std::optional<Account> account = m_state->accounts()->getById(calendar->account_id);
    // iCloud and Zoho accounts are CalDAV servers too: their calendars are
    // deleted there, or they come back with the next discovery. A calendar
    // whose address is off the account's server (a pulled record can point
    // it anywhere) is removed here only: the password never goes there.
    const bool onCalDavServer = account && isCalDavFamily(account->type)
                                && Net::sameOrigin(QUrl(calendar->url), QUrl(account->server_url, QUrl::TolerantMode));
    const int eventCount = m_state->events()->countInCalendar(calendarId);
    if (!confirmDeleteCalendar(this, calendar->name, eventCount, onCalDavServer))
        return;
    if (!onCalDavServer) {
        deleteCalendarLocally(calendarId);
        return;
    }
    CalDavClient *client = clientFor(*account, storedPassword(account->id), this);
    const QString name = calendar->name;
    client->del(QUrl(calendar->url), [this, client, calendarId, name](const CalDavClient::Response &response) {
        client->deleteLater();
        const bool success = response.error.isEmpty()
                             && ((response.status >= 200 && response.status < 300) || response.status == 404);
        if (success)
            deleteCalendarLocally(calendarId);
        else
            disableAfterRefusedDelete(calendarId, name, response.status, response.error);
    });
}

void ManageSourcesDialog::disableAfterRefusedDelete(const QString &calendarId, const QString &name, int status,
                                                    const QString &error)
{
    if (std::optional<Calendar> calendar = m_state->calendars()->getById(calendarId)) {
        calendar->is_visible = false;
        calendar->sync_enabled = false;
        calendar->last_sync_error =
            error.isEmpty() ? QStringLiteral("Server refused delete (HTTP %1)").arg(status) : error;
        calendar->updated_at = QDateTime::currentDateTimeUtc();
        if (!m_state->calendars()->update(*calendar))
            QMessageBox::critical(this, tr("Database Error"), tr("Could not hide the calendar."));
    }
    PlainText::warning(this, tr("Could not delete on server"),
                       tr("\"%1\" could not be deleted on the server: %2.\n\nThe calendar still exists on the "
                          "server. It has been disabled and will not sync. Re-enable it from the checkbox if you "
                          "want it back.")
                           .arg(name, error.isEmpty() ? QStringLiteral("HTTP %1").arg(status) : error));
}

bool ManageSourcesDialog::confirmDeleteCalendar(QWidget *parent, const QString &name, int eventCount,
                                                bool onCalDavServer)
{
    QString text = tr("Delete \"%1\" and all of its events?").arg(name);
    if (eventCount > 0)
        text += QStringLiteral("\n\n") + tr("This calendar contains %n event(s).", nullptr, eventCount);
    if (onCalDavServer)
        text += QStringLiteral("\n\n") + tr("This will delete the calendar from the CalDAV server for everyone with access.");
    QMessageBox warning(QMessageBox::Warning, tr("Delete Calendar?"), text, QMessageBox::NoButton, parent);
    // A name's markup must not hide the warning about the server.
    warning.setTextFormat(Qt::PlainText);
    QPushButton *deleteButton = warning.addButton(tr("Delete"), QMessageBox::DestructiveRole);
    QPushButton *cancel = warning.addButton(QMessageBox::Cancel);
    warning.setDefaultButton(cancel);
    warning.exec();
    if (warning.clickedButton() != deleteButton)
        return false;

    QDialog typed(parent);
    typed.setWindowTitle(tr("Are you sure?"));
    typed.setModal(true);
    auto *layout = new QVBoxLayout(&typed);
    layout->setSpacing(12);
    layout->setContentsMargins(16, 16, 16, 16);
    QLabel *label =
        PlainText::label(tr("Type DELETE to permanently delete \"%1\". This cannot be undone.").arg(name), &typed);
    label->setWordWrap(true);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::MinimumExpanding);
    layout->addWidget(label);
    auto *edit = new QLineEdit(&typed);
    edit->setPlaceholderText(tr("Type DELETE"));
    edit->setAlignment(Qt::AlignCenter);
    layout->addWidget(edit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, &typed);
    QPushButton *permanent = buttons->addButton(tr("Delete Permanently"), QDialogButtonBox::DestructiveRole);
    permanent->setEnabled(false);
    permanent->setStyleSheet(QStringLiteral("QPushButton:enabled { background: %1; color: white; border: none; "
                                            "padding: 6px 14px; border-radius: 4px; }")
                                 .arg(Theme::danger().name()));
    QObject::connect(edit, &QLineEdit::textChanged, permanent, [permanent](const QString &value) {
        permanent->setEnabled(value.trimmed().toUpper() == QLatin1String("DELETE"));
    });
    QObject::connect(permanent, &QPushButton::clicked, &typed, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &typed, &QDialog::reject);
    layout->addWidget(buttons);
    typed.setMinimumSize(460, 200);
    typed.resize(460, 200);
    return typed.exec() == QDialog::Accepted;
}

void ManageSourcesDialog::refreshCalDavCalendars(const QString &accountId)
{
    const std::optional<Account> account = m_state->accounts()->getById(accountId);
    if (!account || account->type != AccountType::CalDav)
        return;
    const QString password = storedPassword(accountId);
    if (password.isEmpty()) {
        QMessageBox::warning(this, tr("Missing password"), tr("No saved password for this account."));
        return;
    }
    CalDavClient *client = clientFor(*account, password, this);
    auto *discovery = new CalDavDiscovery(client, this);
    // Held by both answers: when the dialog closes first, the discovery and
    // its connections go with it, and so does the busy cursor.
    const auto wait = std::make_shared<WaitCursor>();
    connect(discovery, &CalDavDiscovery::completed, this,
            [this, accountId, client, discovery, wait](const QList<CalDavParse::DiscoveredCalendar> &found) {
                wait->release();
                const int added =
                    mergeDiscoveredCalendars(m_state->calendars(), m_state->accounts(), accountId, found);
                client->deleteLater();
                discovery->deleteLater();
                if (added < 1) {
                    QMessageBox::information(this, tr("Refresh complete"), tr("No new calendars found."));
                    return;
                }
                QMessageBox::information(this, tr("Refresh complete"),
                                         tr("Found %n new calendar(s).", nullptr, added));
                requestFullSync();
            });
    connect(discovery, &CalDavDiscovery::failed, this, [this, client, discovery, wait](const QString &reason) {
        wait->release();
        client->deleteLater();
        discovery->deleteLater();
        PlainText::warning(this, tr("Refresh failed"), reason);
    });
    discovery->start(QUrl(account->server_url));
}
