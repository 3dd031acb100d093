#pragma once

#include <QDateTime>
#include <QString>

#include "app/secrets/tokenstore.h"

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
inline constexpr char DeviceLocalAccountId[] = "personal-local-account";

// The setting keys of configuration sync.
namespace ConfigSyncKeys {
inline constexpr char Since[] = "config/sync/since";
inline constexpr char Accounts[] = "config/sync/accounts";
inline constexpr char Filters[] = "config/sync/filters";
inline constexpr char Views[] = "config/sync/views";
inline constexpr char Templates[] = "config/sync/templates";
inline constexpr char Settings[] = "config/sync/settings";
// When the week start was last changed, in milliseconds since the epoch:
// the settings table keeps no time of its own.
inline constexpr char WeekStartChangedAt[] = "config/sync/weekStartDay/changedAt";
// The subscriptions the last successful push carried (JSON: calendar id ->
// url), so that one removed since can be sent as removed.
inline constexpr char PushedSubscriptions[] = "config/sync/pushedSubscriptions";
// Set by the user's own choice of week start on this device.
inline constexpr char WeekStartCustomized[] = "ui/weekStartDay/customized";
} // namespace ConfigSyncKeys

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
