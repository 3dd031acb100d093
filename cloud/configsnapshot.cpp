#include "cloud/configsnapshot.h"

#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>

#include "cloud/configrecords.h"
#include "cloud/configsynclog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/filterrulerepository.h"
#include "store/preferencesrepository.h"
#include "store/templaterepository.h"
#include "store/viewrepository.h"

namespace Tindlebrook {

namespace {

bool sendsCalDavCredentials(AccountType type)
{
    return isCalDavFamily(type) || type == AccountType::Tindlebrook;
}

bool isOAuth(AccountType type)
{
    return type == AccountType::Google || type == AccountType::Microsoft;
}

std::optional<Account> accountOf(const QString &accountId, const QList<Account> &accounts)
{
    for (const Account &account : accounts) {
        if (account.id == accountId)
            return account;
    }
    return std::nullopt;
}

} // namespace

ConfigSyncSwitches ConfigSyncSwitches::read(PreferencesRepository *preferences)
{
    ConfigSyncSwitches switches;
    if (!preferences)
        return switches;
    switches.accounts = preferences->getBool(QLatin1String(ConfigSyncKeys::Accounts), true);
    switches.filters = preferences->getBool(QLatin1String(ConfigSyncKeys::Filters), true);
    switches.views = preferences->getBool(QLatin1String(ConfigSyncKeys::Views), true);
    switches.templates = preferences->getBool(QLatin1String(ConfigSyncKeys::Templates), true);
    switches.settings = preferences->getBool(QLatin1String(ConfigSyncKeys::Settings), true);
    return switches;
}

ConfigSnapshotBuilder::ConfigSnapshotBuilder(const ConfigSyncContext &context)
    : m_context(context)
{
}

ConfigSnapshot ConfigSnapshotBuilder::build(const ConfigSyncSwitches &switches) const
{
    const ConfigSyncRepositories &repos = m_context.repositories;
    const QDateTime now = m_context.now();
    const QList<Calendar> calendars = repos.calendars->getAll();
    const QList<Account> accounts = repos.accounts->getAllIncludingDeleted();
    ConfigSnapshot snapshot;

    if (switches.filters) {
        for (const FilterRule &rule : repos.filterRules->getAllIncludingDeleted()) {
            const QJsonObject data = ConfigRecords::filterRuleData(rule, calendars, now);
            bool isArray = false;
            const bool lostScope = ConfigRecords::keysForIds(rule.calendar_ids, calendars, &isArray).isEmpty()
                && isArray && !QJsonDocument::fromJson(rule.calendar_ids.toUtf8()).array().isEmpty();
            // Scoped to calendars that have no key: sent without its scope it
            // would read as a rule for every calendar elsewhere.
            if (lostScope) {
                qCDebug(configSyncLog) << "[ConfigSync] push: keeping filter rule" << rule.id
                                       << "here; its calendars have no key";
                continue;
            }
            snapshot.changes.append(ConfigRecords::change(ConfigRecords::FilterRules, data));
        }
    }
    if (switches.views) {
        for (const CalendarView &view : repos.views->getAllIncludingDeleted()) {
            if (view.id == QLatin1String("all-calendars"))
                continue;
            snapshot.changes.append(ConfigRecords::change(ConfigRecords::CalendarViews,
                                                          ConfigRecords::calendarViewData(view, calendars, now)));
        }
    }
    if (switches.templates) {
        for (const EventTemplate &t : repos.templates->getAllIncludingDeleted())
            snapshot.changes.append(ConfigRecords::change(ConfigRecords::EventTemplates,
                                                          ConfigRecords::eventTemplateData(t, calendars, now)));
    }
    if (switches.accounts) {
        addAccounts(snapshot, accounts);
        addSubscriptions(snapshot, accounts, calendars);
        addPreferences(snapshot, accounts, calendars);
    }
    if (switches.settings)
        addWeekStart(snapshot);
    return snapshot;
}

void ConfigSnapshotBuilder::addAccounts(ConfigSnapshot &snapshot, const QList<Account> &accounts) const
{
    const QDateTime now = m_context.now();
    const std::unique_ptr<TindAccount::TokenStore> secrets = m_context.secretStore();
    for (const Account &account : accounts) {
        if (account.id == QLatin1String(DeviceLocalAccountId) || !sendsCalDavCredentials(account.type))
            continue;
        QString password;
        const bool sendsPassword = account.type != AccountType::Tindlebrook && !account.exclude_from_sync
            && !account.deleted_at;
        if (sendsPassword && secrets)
            password = secrets->read(caldavPasswordKey(account.id)).value_or(QString());
        const QJsonObject data = ConfigRecords::calDavAccountData(account, password, now);
        snapshot.changes.append(ConfigRecords::change(ConfigRecords::CalDavAccounts, data));
        if (account.deleted_at && !account.id.isEmpty())
            snapshot.purgeAccountIds.append(account.id);
    }
    for (const Account &account : accounts) {
        if (account.id == QLatin1String(DeviceLocalAccountId) || !isOAuth(account.type))
            continue;
        snapshot.changes.append(
            ConfigRecords::change(ConfigRecords::OAuthAccounts, ConfigRecords::oauthAccountData(account, now)));
        if (account.deleted_at && !account.id.isEmpty())
            snapshot.purgeAccountIds.append(account.id);
    }
}

void ConfigSnapshotBuilder::addSubscriptions(ConfigSnapshot &snapshot, const QList<Account> &accounts,
                                             const QList<Calendar> &calendars) const
{
    const QDateTime now = m_context.now();
    for (const Calendar &calendar : calendars) {
        const std::optional<Account> account = accountOf(calendar.account_id, accounts);
        if (!account || account->type != AccountType::Webcal || account->exclude_from_sync)
            continue;
        snapshot.changes.append(ConfigRecords::change(ConfigRecords::CalDavAccounts,
                                                      ConfigRecords::subscriptionData(calendar, *account, now)));
        snapshot.subscriptions.insert(calendar.id, calendar.url);
    }
    // A subscription that the last push carried and that is gone now was
    // removed here: other devices learn it only from a tombstone.
    const QMap<QString, QString> pushed = pushedSubscriptions(m_context.repositories.preferences);
    for (auto it = pushed.cbegin(); it != pushed.cend(); ++it) {
        if (snapshot.subscriptions.contains(it.key()))
            continue;
        const bool urlStillSubscribed = std::any_of(
            snapshot.subscriptions.cbegin(), snapshot.subscriptions.cend(),
            [&it](const QString &url) { return url == it.value(); });
        if (urlStillSubscribed)
            continue;
        snapshot.changes.append(ConfigRecords::change(ConfigRecords::CalDavAccounts,
                                                      ConfigRecords::subscriptionTombstone(it.key(), it.value(), now)));
    }
}

void ConfigSnapshotBuilder::addPreferences(ConfigSnapshot &snapshot, const QList<Account> &accounts,
                                           const QList<Calendar> &calendars) const
{
    const QDateTime now = m_context.now();
    for (const Calendar &calendar : calendars) {
        if (calendar.canonical_key.isEmpty())
            continue;
        // This device's own calendars stay here; the ones it moved to the
        // cloud (filed under the same account) are everyone's.
        if (calendar.account_id == QLatin1String(DeviceLocalAccountId)
            && !ConfigRecords::isCloudCalendarUrl(calendar.url))
            continue;
        const std::optional<Account> account = accountOf(calendar.account_id, accounts);
        if (account && account->exclude_from_sync)
            continue;
        snapshot.changes.append(ConfigRecords::change(ConfigRecords::CalendarPreferences,
                                                      ConfigRecords::calendarPreferenceData(calendar, account, now)));
    }
}

void ConfigSnapshotBuilder::addWeekStart(ConfigSnapshot &snapshot) const
{
    PreferencesRepository *preferences = m_context.repositories.preferences;
    const int day = preferences->getInt(QLatin1String(ConfigRecords::WeekStartKey), -1);
    if (day < 1 || day > 7)
        return;
    // The time of the user's last change, not of this push: a device that
    // has not pulled yet must not win with an old value. Never changed: 0.
    const qint64 changedAt
        = preferences->getString(QLatin1String(ConfigSyncKeys::WeekStartChangedAt)).toLongLong();
    snapshot.changes.append(
        ConfigRecords::change(ConfigRecords::InitialSettings, ConfigRecords::weekStartData(day, changedAt)));
}

QMap<QString, QString> ConfigSnapshotBuilder::pushedSubscriptions(PreferencesRepository *preferences)
{
    QMap<QString, QString> out;
    const QJsonObject stored
        = QJsonDocument::fromJson(preferences->getString(QLatin1String(ConfigSyncKeys::PushedSubscriptions)).toUtf8())
              .object();
    for (auto it = stored.constBegin(); it != stored.constEnd(); ++it) {
        if (it.value().isString())
            out.insert(it.key(), it.value().toString());
    }
    return out;
}

void ConfigSnapshotBuilder::rememberSubscriptions(PreferencesRepository *preferences,
                                                  const QMap<QString, QString> &subscriptions)
{
    QJsonObject stored;
    for (auto it = subscriptions.cbegin(); it != subscriptions.cend(); ++it)
        stored.insert(it.key(), it.value());
    const QString text = QString::fromUtf8(QJsonDocument(stored).toJson(QJsonDocument::Compact));
    // Unrecorded, the same subscriptions are only sent again with the next push.
    if (preferences->getString(QLatin1String(ConfigSyncKeys::PushedSubscriptions)) != text
        && !preferences->set(QLatin1String(ConfigSyncKeys::PushedSubscriptions), text))
        qCWarning(configSyncLog) << "[ConfigSync] Could not record the pushed subscriptions";
}

} // namespace Tindlebrook
