#include "cloud/configaccountapplier.h"

#include <QDebug>
#include <QUrl>
#include <QUuid>

#include "cloud/configrecords.h"
#include "cloud/configsynclog.h"
#include "app/network/guardedrequest.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "sync/core/canonicalcalendarkey.h"
#include "sync/core/syncerrorcode.h"
#include "sync/webcal/webcalsyncclient.h"

#include <algorithm>

namespace Tindlebrook {

using namespace ConfigRecords;

namespace {

// The fields a pulled record sets; the rest is this device's own.
bool sameSettings(const Account &a, const Account &b)
{
    return a.name == b.name && a.server_url == b.server_url && a.username == b.username
        && a.calendar_home_set == b.calendar_home_set && a.principal_url == b.principal_url
        && a.sync_interval_minutes == b.sync_interval_minutes && a.color == b.color
        && a.exclude_from_sync == b.exclude_from_sync;
}

enum class OriginChange { None, Moved, Downgraded };

// Where a pulled address takes an account whose password this device holds.
OriginChange originChange(const QString &localUrl, const QString &incomingUrl)
{
    const QUrl from(localUrl, QUrl::TolerantMode);
    const QUrl to(incomingUrl, QUrl::TolerantMode);
    if (localUrl.isEmpty() || incomingUrl.isEmpty() || Net::sameOrigin(from, to))
        return OriginChange::None;
    if (from.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0
        && to.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) != 0)
        return OriginChange::Downgraded;
    return OriginChange::Moved;
}

// The password goes to every address the account keeps (its calendar home
// and principal too), so each is held to the server it was given for.
OriginChange originChange(const QString &passwordUrl, const Account &incoming)
{
    OriginChange worst = OriginChange::None;
    for (const QString &url : {incoming.server_url, incoming.calendar_home_set, incoming.principal_url})
        worst = std::max(worst, originChange(passwordUrl, url));
    return worst;
}

} // namespace

ConfigAccountApplier::ConfigAccountApplier(const ConfigSyncContext &context)
    : m_context(context)
{
}

std::optional<Account> ConfigAccountApplier::findExistingAccount(const QString &id) const
{
    return m_context.repositories.accounts->getById(id);
}

bool ConfigAccountApplier::updateIfNewer(const Account &local, const Account &incoming) const
{
    if (sameSettings(local, incoming))
        return false;
    // Without a last-writer test a device that has not pulled yet would
    // undo a newer change made elsewhere.
    if (local.updated_at.isValid() && incoming.updated_at <= local.updated_at)
        return false;
    return m_context.repositories.accounts->updateKeepingTime(incoming);
}

void ConfigAccountApplier::forgetPassword(const QString &accountId) const
{
    qWarning().noquote() << "[ConfigSync] account" << accountId
                         << "moved to another server: its password has to be entered again";
    if (const std::unique_ptr<TindAccount::TokenStore> store = m_context.secretStore())
        store->remove(caldavPasswordKey(accountId));
}

void ConfigAccountApplier::storePassword(const QString &accountId, const QString &password) const
{
    if (password.isEmpty())
        return;
    const std::unique_ptr<TindAccount::TokenStore> store = m_context.secretStore();
    if (!store)
        return;
    const QString key = caldavPasswordKey(accountId);
    if (store->read(key).value_or(QString()) != password)
        store->write(key, password);
}

bool ConfigAccountApplier::applyCalDavAccount(const QJsonObject &data, QString *newAccountId)
{
    const QString id = readString(data, "id");
    if (id.isEmpty())
        return false;
    const QString typeName = readString(data, "account_type", QStringLiteral("caldav"));
    if (typeName == QLatin1String(WebcalCalendarType)) {
        applyWebcalCalendar(data);
        return true;
    }
    const AccountType type = accountTypeFromText(typeName);
    // This device's own account is never taken from another device.
    if (id == QLatin1String(DeviceLocalAccountId))
        return true;

    AccountRepository *accounts = m_context.repositories.accounts;
    std::optional<Account> local = findExistingAccount(id);
    const QString serverUrl = readString(data, "server_url");
    const QString username = readString(data, "username");
    const QString homeSet = readString(data, "calendar_home_set");
    const QString principal = readString(data, "principal_url");
    if (!local && type != AccountType::Tindlebrook && type != AccountType::Webcal) {
        local = accounts->findByTypeAndUsername(type, username, serverUrl, homeSet, principal);
        if (local)
            qCDebug(configSyncLog) << "[ConfigSync] Matched incoming account" << id << "to local" << local->id
                                   << "by canonical identity";
    }
    if (local && local->id == QLatin1String(DeviceLocalAccountId))
        return true;
    if (isTombstone(data)) {
        if (local && !accounts->remove(local->id)) {
            qCWarning(configSyncLog) << "[ConfigSync] Could not remove deleted account" << local->id;
            return false;
        }
        return true;
    }

    const QDateTime now = m_context.now();
    Account incoming = local.value_or(Account());
    incoming.name = readString(data, "display_name", QStringLiteral("CalDAV"));
    incoming.server_url = serverUrl;
    incoming.username = username;
    incoming.calendar_home_set = homeSet;
    incoming.principal_url = principal;
    incoming.sync_interval_minutes = readInt(data, "sync_interval_minutes", 15);
    incoming.color = readString(data, "color", QStringLiteral("#4285F4"));
    incoming.exclude_from_sync = readBool(data, "exclude_from_sync", false);
    incoming.updated_at = parseTimestamp(data.value("updated_at"), now);
    bool inserted = false;
    // The password stored here (or carried by a new record) was given for
    // the account's own server: a record that points any of its addresses
    // elsewhere must not carry it along.
    const OriginChange change = originChange(local ? local->server_url : serverUrl, incoming);
    if (change == OriginChange::Downgraded) {
        qWarning().noquote() << "[ConfigSync] refusing to point account" << incoming.name
                             << "from https to an unencrypted address";
        return true;
    }
    const bool moved = change == OriginChange::Moved;
    if (moved)
        incoming.last_sync_error = QString::fromLatin1(SyncErrorCode::SignInRequired);
    if (local) {
        if (updateIfNewer(*local, incoming) && moved)
            forgetPassword(local->id);
    } else {
        incoming.id = id;
        setTypeText(incoming, typeName);
        incoming.enabled = true;
        incoming.created_at = parseTimestamp(data.value("created_at"), now);
        inserted = accounts->insert(incoming);
    }
    const QString localId = local ? local->id : id;
    if (!moved)
        storePassword(localId, readString(data, "password"));

    // An account matched under another id is discovered under the id it
    // has here, where its calendars are.
    if (newAccountId && type != AccountType::Tindlebrook
        && m_context.repositories.calendars->getByAccount(localId).isEmpty()) {
        qCDebug(configSyncLog) << "[ConfigSync] caldav account" << incoming.name
                               << (inserted ? "(new)" : "(existing, no calendars)") << "→ scheduling discovery";
        *newAccountId = localId;
    }
    return true;
}

bool ConfigAccountApplier::applyOAuthAccount(const QJsonObject &data, QString *newAccountId)
{
    const QString id = readString(data, "id");
    if (id.isEmpty())
        return false;
    if (id == QLatin1String(DeviceLocalAccountId))
        return true;
    AccountRepository *accounts = m_context.repositories.accounts;
    const std::optional<Account> local = findExistingAccount(id);
    if (isTombstone(data)) {
        if (local && !accounts->remove(id)) {
            qCWarning(configSyncLog) << "[ConfigSync] Could not remove deleted account" << id;
            return false;
        }
        return true;
    }
    const QString provider = readString(data, "provider", QStringLiteral("google"));
    const QString displayName = readString(data, "display_name");
    const QDateTime now = m_context.now();
    Account incoming = local.value_or(Account());
    incoming.username = readString(data, "user_email");
    incoming.color = readString(data, "color", QStringLiteral("#4285F4"));
    incoming.exclude_from_sync = readBool(data, "exclude_from_sync", false);
    incoming.updated_at = parseTimestamp(data.value("updated_at"), now);
    bool inserted = false;
    if (local) {
        if (!displayName.isEmpty())
            incoming.name = displayName;
        updateIfNewer(*local, incoming);
    } else {
        incoming.id = id;
        incoming.name = displayName.isEmpty() ? provider : displayName;
        setTypeText(incoming, provider);
        incoming.enabled = true;
        incoming.created_at = parseTimestamp(data.value("created_at"), now);
        inserted = accounts->insert(incoming);
    }
    const AccountType type = local ? local->type : accountTypeFromText(provider);
    if (!newAccountId || type == AccountType::Tindlebrook)
        return true;
    bool hasUsable = false;
    for (const Calendar &calendar : m_context.repositories.calendars->getByAccount(id))
        hasUsable = hasUsable || (calendar.sync_enabled && !calendar.is_read_only);
    if (inserted || !hasUsable) {
        qCDebug(configSyncLog) << "[ConfigSync] oauth account" << displayName << "type=" << type
                               << (inserted ? "(new)" : "(existing, no real cals)") << "→ scheduling discovery";
        *newAccountId = id;
    }
    return true;
}

void ConfigAccountApplier::applyWebcalCalendar(const QJsonObject &data)
{
    const QString url = readString(data, "server_url");
    if (url.isEmpty())
        return;
    const QDateTime now = m_context.now();
    AccountRepository *accounts = m_context.repositories.accounts;
    CalendarRepository *calendars = m_context.repositories.calendars;
    const Account subscriptions = Webcal::SyncClient::ensureSubscriptionsAccount(accounts);

    if (isTombstone(data)) {
        // Only a subscription goes; a calendar of another account that
        // happens to have this url stays. One subscribed again after the
        // removal is newer than the tombstone and stays too.
        const QDateTime deletedAt = parseTimestamp(data.value("deleted_at"), now);
        bool removed = false;
        for (const Calendar &calendar : calendars->getByAccount(subscriptions.id)) {
            if (calendar.url != url || (calendar.created_at.isValid() && calendar.created_at > deletedAt))
                continue;
            if (accounts->deleteCalendarDeep(calendar.id))
                removed = true;
            else
                qCWarning(configSyncLog) << "[ConfigSync] Could not delete unsubscribed feed" << calendar.name;
        }
        // The deep delete runs below the calendar store, which therefore
        // cannot announce it itself.
        if (removed)
            Q_EMIT calendars->calendarsChanged();
        return;
    }
    std::optional<Calendar> found;
    for (const Calendar &calendar : calendars->getAll()) {
        if (calendar.url == url) {
            found = calendar;
            break;
        }
    }
    if (found) {
        // A placeholder made from this subscription's settings before the
        // subscription arrived: a feed needs no sign-in, so it syncs now.
        if (found->account_id == subscriptions.id && !found->sync_enabled) {
            found->sync_enabled = true;
            if (!calendars->updateKeepingTime(*found))
                qCWarning(configSyncLog) << "[ConfigSync] Could not turn on sync for feed" << found->name;
        }
        return;
    }
    Calendar calendar;
    calendar.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    calendar.account_id = subscriptions.id;
    calendar.url = url;
    calendar.name = readString(data, "display_name", QStringLiteral("Subscription"));
    calendar.color = readString(data, "color", QStringLiteral("#4285F4"));
    calendar.timezone = QStringLiteral("UTC");
    calendar.is_visible = true;
    calendar.is_read_only = true;
    calendar.sync_enabled = true;
    calendar.canonical_key = Sync::canonicalCalendarKey(QStringLiteral("webcal"), url).value_or(QString());
    calendar.created_at = parseTimestamp(data.value("created_at"), now);
    calendar.updated_at = parseTimestamp(data.value("updated_at"), now);
    if (!calendars->insert(calendar))
        qCWarning(configSyncLog) << "[ConfigSync] Could not add subscribed feed" << calendar.name;
}

} // namespace Tindlebrook
