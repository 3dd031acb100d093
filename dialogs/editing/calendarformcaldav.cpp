// The calendar form's CalDAV steps: what it asks the server (through
// CalDavCalendarCalls) and what it shows and stores with each answer.
#include "dialogs/editing/calendarformdialog.h"

#include <QCheckBox>
#include <QDateTime>
#include <QMessageBox>

#include "app/appstate.h"
#include "app/network/guardedrequest.h"
#include "app/secrets/tokenstore.h"
#include "app/theme/plaintext.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"

using Outcome = CalDavCalendarCalls::Outcome;

QString CalendarFormDialog::loadAccountPassword(const QString &accountId) const
{
    const std::unique_ptr<TindAccount::TokenStore> store = m_secretStoreMaker ? m_secretStoreMaker() : nullptr;
    if (!store)
        return QString();
    return store->read(caldavPasswordKey(accountId)).value_or(QString());
}

CalDavCalendarCalls *CalendarFormDialog::makeCalls(const Account &account, const QString &password)
{
    releaseCalls();
    m_calls = new CalDavCalendarCalls(account.username, password, account.trusted_cert_sha256, this);
    return m_calls;
}

bool CalendarFormDialog::refusedElsewhere(const Account &account, const QUrl &url)
{
    // The password was given for the account's server. A calendar home or a
    // calendar that points elsewhere (a record pulled from another device
    // can) never gets it, whatever the stored account says.
    const QUrl server(account.server_url, QUrl::TolerantMode);
    if (Net::sameOrigin(url, server))
        return false;
    PlainText::critical(this, tr("Calendar on another server"),
                        tr("%1 is not on this account's server (%2), so your password is not sent there.")
                            .arg(url.toDisplayString(QUrl::RemoveUserInfo),
                                 server.toDisplayString(QUrl::RemoveUserInfo)));
    return true;
}

void CalendarFormDialog::releaseCalls()
{
    if (m_calls)
        m_calls->deleteLater();
    m_calls = nullptr;
}

void CalendarFormDialog::runCalDavCreate(const QString &name)
{
    const QString password = loadAccountPassword(m_account->id);
    if (password.isEmpty()) {
        QMessageBox::critical(this, tr("Missing password"),
                              tr("No saved password for this account. Edit the account first to re-enter your "
                                 "credentials."));
        return;
    }
    const QUrl url = newCalendarUrl(*m_account, m_app->calendars()->getByAccount(m_account->id));
    if (refusedElsewhere(*m_account, url))
        return;
    CalDavCalendarCalls *calls = makeCalls(*m_account, password);
    setBusy(true, tr("Creating calendar on server…"));
    QPointer<CalendarFormDialog> self(this);
    calls->createCalendar(url, name, m_color, [self, url, name](const CalDavCalendarCalls::Result &result) {
        if (self)
            self->onCreateReply(result, url, name);
    });
}

void CalendarFormDialog::onCreateReply(const CalDavCalendarCalls::Result &result, const QUrl &url,
                                       const QString &name)
{
    releaseCalls();
    switch (result.outcome) {
    case Outcome::NetworkError:
        setBusy(false, tr("Network error: %1").arg(result.error));
        return;
    case Outcome::Refused:
        setBusy(false, tr("Server refused (HTTP %1). Your account may not have permission to create calendars on "
                          "this server.")
                           .arg(result.status));
        return;
    case Outcome::Unconfirmed:
        setBusy(false, tr("Server returned success but the new calendar isn't reachable. This server may not "
                          "support MKCALENDAR."));
        return;
    case Outcome::Done:
        break;
    }
    if (m_account->calendar_home_set.isEmpty()) {
        Account changed = *m_account;
        changed.calendar_home_set = parentCollectionUrl(url).toString();
        changed.updated_at = QDateTime::currentDateTimeUtc();
        // Only a hint for later discovery: the calendar is made without it.
        if (!m_app->accounts()->update(changed))
            qWarning() << "CalendarFormDialog: could not remember the calendar home of" << changed.name;
    }
    const Calendar calendar = newCalendarRecord(m_account->id, toText(m_account->type), url.toString(), name);
    if (!m_app->calendars()->insert(calendar)) {
        setBusy(false, tr("Created on server, but couldn't save locally. Run sync to recover."));
        return;
    }
    accept();
}

void CalendarFormDialog::runCalDavEdit(const QString &name)
{
    const std::optional<Account> account = m_app->accounts()->getById(m_calendar->account_id);
    if (!account) {
        QMessageBox::critical(this, tr("Account missing"), tr("Could not find the parent account."));
        return;
    }
    const QString password = loadAccountPassword(account->id);
    if (password.isEmpty()) {
        QMessageBox::critical(this, tr("Missing password"),
                              tr("No saved password for this account. Edit the account first to re-enter your "
                                 "credentials."));
        return;
    }
    if (refusedElsewhere(*account, QUrl(m_calendar->url)))
        return;
    CalDavCalendarCalls *calls = makeCalls(*account, password);
    setBusy(true, tr("Saving changes to server…"));
    const QString newName = name == m_calendar->name ? QString() : name;
    const QString newColor = m_color == m_calendar->color ? QString() : m_color;
    QPointer<CalendarFormDialog> self(this);
    calls->changeProperties(QUrl(m_calendar->url), newName, newColor,
                            [self, name](const CalDavCalendarCalls::Result &result) {
                                if (self)
                                    self->onPropertiesReply(result, name);
                            });
}

void CalendarFormDialog::onPropertiesReply(const CalDavCalendarCalls::Result &result, const QString &name)
{
    releaseCalls();
    switch (result.outcome) {
    case Outcome::NetworkError:
        setBusy(false, tr("Network error: %1").arg(result.error));
        return;
    case Outcome::Unconfirmed:
        setBusy(false, tr("The server's answer could not be read, so the change may not have been made. "
                          "Try again."));
        return;
    case Outcome::Refused:
        setBusy(false, tr("Server refused (HTTP %1). You may not have permission to rename or recolour this "
                          "calendar.")
                           .arg(result.status));
        return;
    case Outcome::Done:
        break;
    }
    storeEdit(name, tr("Saved on server, but couldn't update locally."));
}

void CalendarFormDialog::runTaskSupportProbe(const QString &name)
{
    const std::optional<Account> account = m_app->accounts()->getById(m_calendar->account_id);
    if (!account) {
        m_calendar->allow_tasks_override = m_allowTasksCheck->isChecked();
        saveEdit(name);
        return;
    }
    if (refusedElsewhere(*account, QUrl(m_calendar->url)))
        return;
    // Set up like every other request, so a pinned self-signed server is
    // reached as it is when syncing.
    CalDavCalendarCalls *calls = makeCalls(*account, loadAccountPassword(account->id));
    setBusy(true, tr("Checking whether this calendar accepts tasks…"));
    QPointer<CalendarFormDialog> self(this);
    calls->probeTasks(QUrl(m_calendar->url), [self, name](const CalDavCalendarCalls::Result &result) {
        if (self)
            self->onTaskProbeReply(result, name);
    });
}

void CalendarFormDialog::onTaskProbeReply(const CalDavCalendarCalls::Result &result, const QString &name)
{
    releaseCalls();
    if (result.outcome != Outcome::Done) {
        setBusy(false, result.outcome == Outcome::NetworkError
                           ? tr("Couldn't verify task support: %1").arg(result.error)
                           : tr("This calendar does not accept tasks (server returned HTTP %1).").arg(result.status));
        m_allowTasksCheck->setChecked(false);
        return;
    }
    setBusy(false, QString());
    m_calendar->allow_tasks_override = true;
    saveEdit(name);
}
