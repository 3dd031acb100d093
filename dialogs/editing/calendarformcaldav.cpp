// The calendar form's requests to a CalDAV server: MKCALENDAR with its
// check, PROPPATCH, and the task-support probe.
#include "dialogs/editing/calendarformdialog.h"

#include <QCheckBox>
#include <QDateTime>
#include <QMessageBox>
#include <QUuid>

#include "app/appstate.h"
#include "app/secrets/tokenstore.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "sync/caldav/caldavpropstat.h"
#include "sync/caldav/caldavxml.h"

#include <algorithm>

namespace {

bool isSuccess(const CalDavClient::Response &response)
{
    return response.error.isEmpty() && response.status >= 200 && response.status <= 299;
}

// A multistatus confirms an edit only with a 200 for every property sent: a
// status for the whole request, or none at all, means nothing was changed.
bool confirmsEvery(const CalDavPropStat::Outcome &outcome, const QList<CalDavPropStat::PropertyStatus> &sent)
{
    return std::all_of(sent.cbegin(), sent.cend(), [&outcome](const CalDavPropStat::PropertyStatus &property) {
        return outcome.properties.contains(property);
    });
}

} // namespace

QString CalendarFormDialog::loadAccountPassword(const QString &accountId) const
{
    const std::unique_ptr<TindAccount::TokenStore> store = m_secretStoreMaker ? m_secretStoreMaker() : nullptr;
    if (!store)
        return QString();
    return store->read(caldavPasswordKey(accountId)).value_or(QString());
}

// Every request of this dialog goes out alike: the account's credentials
// and, for a server whose certificate the user trusted, that pin.
CalDavClient *CalendarFormDialog::makeClient(const Account &account, const QString &password)
{
    releaseClient();
    m_client = new CalDavClient(this);
    m_client->setCredentials(account.username, password);
    if (!account.trusted_cert_sha256.isEmpty())
        m_client->setPinnedFingerprint(account.trusted_cert_sha256);
    return m_client;
}

void CalendarFormDialog::releaseClient()
{
    if (m_client)
        m_client->deleteLater();
    m_client = nullptr;
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
    CalDavClient *client = makeClient(*m_account, password);
    setBusy(true, tr("Creating calendar on server…"));
    QPointer<CalendarFormDialog> self(this);
    client->mkcalendar(url, CalDavXml::mkCalendar(name, m_color, QString()),
                       [self, url, name](const CalDavClient::Response &response) {
                           if (self)
                               self->onMkCalendarReply(response, url, name);
                       });
}

void CalendarFormDialog::onMkCalendarReply(const CalDavClient::Response &response, const QUrl &url,
                                           const QString &name)
{
    if (!response.error.isEmpty()) {
        setBusy(false, tr("Network error: %1").arg(response.error));
        releaseClient();
        return;
    }
    if (response.status != 201 && response.status != 207) {
        setBusy(false, tr("Server refused (HTTP %1). Your account may not have permission to create calendars on "
                          "this server.")
                           .arg(response.status));
        releaseClient();
        return;
    }
    QPointer<CalendarFormDialog> self(this);
    m_client->propfind(url, CalDavXml::propfindCalendars(), 0, [self, url, name](const CalDavClient::Response &check) {
        if (self)
            self->onCreateCheckReply(check, url, name);
    });
}

void CalendarFormDialog::onCreateCheckReply(const CalDavClient::Response &response, const QUrl &url,
                                            const QString &name)
{
    if (!response.error.isEmpty() || (response.status != 200 && response.status != 207)) {
        setBusy(false, tr("Server returned success but the new calendar isn't reachable. This server may not "
                          "support MKCALENDAR."));
        releaseClient();
        return;
    }
    if (m_account->calendar_home_set.isEmpty()) {
        Account changed = *m_account;
        changed.calendar_home_set = parentCollectionUrl(url).toString();
        changed.updated_at = QDateTime::currentDateTimeUtc();
        m_app->accounts()->update(changed);
    }
    const Calendar calendar = newCalendarRecord(m_account->id, m_account->type, url.toString(), name);
    if (!m_app->calendars()->insert(calendar)) {
        setBusy(false, tr("Created on server, but couldn't save locally. Run sync to recover."));
        releaseClient();
        return;
    }
    releaseClient();
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
    CalDavClient *client = makeClient(*account, password);
    setBusy(true, tr("Saving changes to server…"));
    const QString newName = name == m_calendar->name ? QString() : name;
    const QString newColor = m_color == m_calendar->color ? QString() : m_color;
    QPointer<CalendarFormDialog> self(this);
    client->proppatch(QUrl(m_calendar->url), CalDavXml::propPatch(newName, newColor, QString()),
                      [self, name](const CalDavClient::Response &response) {
                          if (self)
                              self->onPropPatchReply(response, name);
                      });
}

void CalendarFormDialog::onPropPatchReply(const CalDavClient::Response &response, const QString &name)
{
    if (!response.error.isEmpty()) {
        setBusy(false, tr("Network error: %1").arg(response.error));
        releaseClient();
        return;
    }
    int refusedStatus = response.status;
    bool applied = false;
    // Only a multistatus answers per property: a 403 on one (and 424 on the
    // rest) means nothing was changed, and a 200 without one (a login page
    // on the way) confirms nothing.
    if (response.status == 207 || response.status == 200) {
        const CalDavPropStat::Outcome outcome = CalDavPropStat::parse(response.body);
        QList<CalDavPropStat::PropertyStatus> sent;
        if (name != m_calendar->name)
            sent.append({QLatin1String(CalDavXml::kDavNs), QStringLiteral("displayname"), 200});
        if (m_color != m_calendar->color)
            sent.append({QLatin1String(CalDavXml::kAppleIcalNs), QStringLiteral("calendar-color"), 200});
        applied = outcome.readable && outcome.failures().isEmpty() && confirmsEvery(outcome, sent);
        refusedStatus = outcome.readable ? outcome.decisiveFailure() : 0;
        if (refusedStatus == 0 && outcome.readable && (outcome.requestStatus < 200 || outcome.requestStatus > 299))
            refusedStatus = outcome.requestStatus;
        if (!applied && refusedStatus == 0) {
            setBusy(false, tr("The server's answer could not be read, so the change may not have been made. "
                              "Try again."));
            releaseClient();
            return;
        }
    }
    if (!applied) {
        setBusy(false, tr("Server refused (HTTP %1). You may not have permission to rename or recolour this "
                          "calendar.")
                           .arg(refusedStatus));
        releaseClient();
        return;
    }
    releaseClient();
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
    // Set up like every other request, so a pinned self-signed server is
    // reached as it is when syncing.
    CalDavClient *client = makeClient(*account, loadAccountPassword(account->id));
    const QString probeUid = QStringLiteral("tind-task-probe-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QUrl probeUrl = QUrl(m_calendar->url).resolved(QUrl(probeUid + QStringLiteral(".ics")));
    const QByteArray body =
        QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tindlebrook//probe//EN\r\nBEGIN:VTODO\r\n"
                       "UID:%1\r\nDTSTAMP:%2\r\nSUMMARY:Tindlebrook task-support check\r\nSTATUS:NEEDS-ACTION\r\n"
                       "END:VTODO\r\nEND:VCALENDAR\r\n")
            .arg(probeUid, QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddTHHmmssZ")))
            .toUtf8();
    setBusy(true, tr("Checking whether this calendar accepts tasks…"));
    QPointer<CalendarFormDialog> self(this);
    client->put(probeUrl, body, QStringLiteral("text/calendar; charset=utf-8"),
                [self, probeUrl, name](const CalDavClient::Response &response) {
                    if (self)
                        self->onTaskProbeReply(response, probeUrl, name);
                });
}

void CalendarFormDialog::onTaskProbeReply(const CalDavClient::Response &response, const QUrl &probeUrl,
                                          const QString &name)
{
    if (!isSuccess(response)) {
        setBusy(false, response.error.isEmpty()
                           ? tr("This calendar does not accept tasks (server returned HTTP %1).").arg(response.status)
                           : tr("Couldn't verify task support: %1").arg(response.error));
        m_allowTasksCheck->setChecked(false);
        releaseClient();
        return;
    }
    // The probe is removed in the background, on a client that outlives the
    // dialog (which closes at once), so the DELETE is not cut off; the
    // client goes once it has its answer.
    CalDavClient *client = m_client;
    m_client = nullptr;
    client->setParent(nullptr);
    client->del(probeUrl, [client](const CalDavClient::Response &) { client->deleteLater(); });
    setBusy(false, QString());
    m_calendar->allow_tasks_override = true;
    saveEdit(name);
}
