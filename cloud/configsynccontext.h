#pragma once

#include <QDateTime>
#include <QString>

#include "app/secrets/tokenstore.h"
#include "store/account.h"
#include "store/preferencekeys.h"

#include <functional>
#include <memory>

class AccountRepository;
class CalendarRepository;
class FilterRuleRepository;
class PreferencesRepository;
class TemplateRepository;
class ViewRepository;

namespace Tindlebrook {

// The store as configuration sync sees it. Borrowed: the application hub
// keeps them alive as long as the service.
struct ConfigSyncRepositories
{
    AccountRepository *accounts = nullptr;
    CalendarRepository *calendars = nullptr;
    ViewRepository *views = nullptr;
    FilterRuleRepository *filterRules = nullptr;
    TemplateRepository *templates = nullptr;
    PreferencesRepository *preferences = nullptr;

    bool complete() const
    {
        return accounts && calendars && views && filterRules && templates && preferences;
    }
};

// The account that holds this device's own calendars; it never travels.
inline constexpr const char *DeviceLocalAccountId = PersonalLocalAccountId;

// What the sync steps share: the store, the secret store and the clock.
struct ConfigSyncContext
{
    ConfigSyncRepositories repositories;
    std::function<std::unique_ptr<TindAccount::TokenStore>()> makeSecretStore;
    std::function<QDateTime()> clock;

    QDateTime now() const { return clock ? clock() : QDateTime::currentDateTimeUtc(); }
    std::unique_ptr<TindAccount::TokenStore> secretStore() const
    {
        return makeSecretStore ? makeSecretStore() : nullptr;
    }
};

} // namespace Tindlebrook
