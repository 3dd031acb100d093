#pragma once

#include <QLatin1String>
#include <QString>

#include "sync/oauth/storedtokens.h"

namespace OAuth {

// The token sets of one provider's accounts in the secret store, each kept
// under the provider's key prefix followed by the account id. A provider's
// sign-in service derives from it, so callers read and write through the
// service that owns the format.
template <const char *Prefix>
class AccountTokens
{
public:
    static constexpr const char *TokensKeyPrefix = Prefix;

    // Through the application's secret store.
    static StoredTokens loadTokens(const QString &accountId) { return OAuth::loadTokens(keyOf(accountId)); }
    static bool saveTokens(const QString &accountId, const StoredTokens &tokens)
    {
        return OAuth::saveTokens(keyOf(accountId), tokens);
    }
    // Through the given store.
    static StoredTokens loadTokens(TindAccount::TokenStore &store, const QString &accountId)
    {
        return OAuth::loadTokens(store, keyOf(accountId));
    }
    static bool saveTokens(TindAccount::TokenStore &store, const QString &accountId, const StoredTokens &tokens)
    {
        return OAuth::saveTokens(store, keyOf(accountId), tokens);
    }

private:
    static QString keyOf(const QString &accountId) { return QLatin1String(Prefix) + accountId; }
};

} // namespace OAuth
