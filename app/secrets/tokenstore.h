#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QObject;

namespace TindAccount {

// Keys of the secrets the program keeps. Per-account keys are a prefix
// followed by the account id.
inline constexpr char AccessTokenKey[] = "tindlebrook_access_token";
inline constexpr char RefreshTokenKey[] = "tindlebrook_refresh_token";
inline constexpr char GoogleTokensKeyPrefix[] = "google-tokens-";
inline constexpr char MicrosoftTokensKeyPrefix[] = "microsoft-tokens-";
inline constexpr char CaldavPasswordKeyPrefix[] = "caldav-password-";

// The one place secrets are kept: cloud tokens, provider token sets and
// CalDAV passwords, by key, under a service name that keeps separate
// instances apart. Callers make a short-lived store per use.
class TokenStore
{
public:
    virtual ~TokenStore() = default;

    // Nothing when the key was never written (or can't be read); an empty
    // text when an empty value was written.
    virtual std::optional<QString> read(const QString &key) = 0;
    // Creates or replaces the value; true once stored.
    virtual bool write(const QString &key, const QString &value) = 0;
    // True when an entry was deleted; false also when there was none.
    virtual bool remove(const QString &key) = 0;
    // Removes the cloud account's two tokens and nothing else.
    virtual void clear() = 0;

    // A store over the platform's credential layer for `service`, normally
    // `applicationServiceId()`.
    static std::unique_ptr<TokenStore> create(const QString &service);

    // "Tindlebrook/<service>/<key>", substituted in one pass.
    static QString targetName(const QString &service, const QString &key);

    // The keyring is read in the background at start; a read before it is
    // loaded finds nothing. Code that reads at start (restoring a session)
    // does so from `ready`, which runs once the secrets are there, or after
    // five seconds at the latest, and never once `context` is gone.
    static void whenReady(QObject *context, std::function<void()> ready);
};

} // namespace TindAccount

// The key of a CalDAV account's password; every reader and writer uses it.
QString caldavPasswordKey(const QString &accountId);

// Removes every secret kept for one account (provider tokens and CalDAV
// password), for the code that deletes the account. True when none of them
// remains afterwards.
bool removeAccountSecrets(TindAccount::TokenStore &store, const QString &accountId);
