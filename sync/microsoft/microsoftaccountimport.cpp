#include "sync/microsoft/microsoftaccountimport.h"

#include <QDebug>
#include <QUuid>

#include "app/secrets/tokenstore.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "sync/core/canonicalcalendarkey.h"
#include "sync/microsoft/microsoftcalendarclient.h"

namespace Microsoft {

AccountImport::AccountImport(const Sync::Repositories &store, QObject *parent)
    : AccountImport(store, Endpoints::fromEnvironment(), parent)
{
}

AccountImport::AccountImport(const Sync::Repositories &store, const Endpoints &endpoints, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_endpoints(endpoints)
{
}

QString AccountImport::storeAccount(const SignInResult &result)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (Account account : m_store.accounts->getAll()) {
        if (account.type != AccountType::Microsoft
            || account.username.compare(result.email, Qt::CaseInsensitive) != 0)
            continue;
        account.updated_at = now;
        account.last_sync_error.clear();
        return m_store.accounts->update(account) ? account.id : QString();
    }
    Account account;
    account.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    account.type = AccountType::Microsoft;
    account.name = result.email.isEmpty() ? result.name : result.email;
    account.username = result.email;
    account.created_at = account.updated_at = now;
    return m_store.accounts->insert(account) ? account.id : QString();
}

void AccountImport::start(const SignInResult &result)
{
    const QString accountId = storeAccount(result);
    if (accountId.isEmpty()) {
        Q_EMIT failed(tr("The Microsoft account could not be saved."));
        return;
    }
    const StoredTokens tokens{result.accessToken, result.refreshToken, result.expiresAt};
    bool saved = false;
    if (!m_tokenStoreMaker)
        saved = AuthService::saveTokens(accountId, tokens);
    else if (const auto store = m_tokenStoreMaker())
        saved = AuthService::saveTokens(*store, accountId, tokens);
    if (!saved) {
        Q_EMIT failed(tr("The Microsoft sign-in could not be kept in the system's credential store."));
        return;
    }
    auto *client = new CalendarClient(m_endpoints, this);
    client->setAccessToken(result.accessToken);
    connect(client, &CalendarClient::requestFailed, this, [this, client](const QString &reason) {
        client->deleteLater();
        Q_EMIT failed(reason);
    });
    connect(client, &CalendarClient::calendarsListed, this,
            [this, client, accountId](const QList<DiscoveredCalendar> &found) {
                client->deleteLater();
                if (storeCalendars(accountId, found))
                    Q_EMIT imported(accountId, int(found.size()));
                else
                    Q_EMIT failed(tr("The calendars of the Microsoft account could not be saved."));
            });
    client->listCalendars();
}

bool AccountImport::storeCalendars(const QString &accountId, const QList<DiscoveredCalendar> &found)
{
    const QList<Calendar> known = m_store.calendars->getByAccount(accountId);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    bool ok = true;
    int order = 0;
    for (const DiscoveredCalendar &remote : found) {
        Calendar calendar;
        for (const Calendar &existing : known) {
            if (existing.url == remote.id)
                calendar = existing;
        }
        const bool isNew = calendar.id.isEmpty();
        if (isNew) {
            calendar.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
            calendar.account_id = accountId;
            calendar.url = remote.id;
            calendar.canonical_key = Sync::canonicalCalendarKey(QStringLiteral("microsoft"), remote.id).value_or(QString());
            calendar.created_at = now;
            calendar.sort_order = order;
        }
        calendar.name = remote.name;
        calendar.color = remote.color;
        calendar.is_read_only = !remote.canEdit;
        // Found on the account: it syncs, a placeholder of it included.
        calendar.sync_enabled = true;
        calendar.updated_at = now;
        ++order;
        ok = (isNew ? m_store.calendars->insert(calendar) : m_store.calendars->update(calendar)) && ok;
    }
    return ok;
}

} // namespace Microsoft
