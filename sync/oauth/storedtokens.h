#pragma once

#include <QDateTime>
#include <QString>

class QDebug;

namespace TindAccount {
class TokenStore;
}

namespace OAuth {

// The token set of one account, as kept in the secret store.
struct StoredTokens
{
    QString accessToken;
    QString refreshToken;
    QDateTime expiresAt;
};

bool operator==(const StoredTokens &a, const StoredTokens &b);
QDebug operator<<(QDebug debug, const StoredTokens &tokens);

// The token set under `key` (a provider's prefix and the account id); empty
// when there is none or the store cannot be reached.
StoredTokens loadTokens(TindAccount::TokenStore &store, const QString &key);
StoredTokens loadTokens(const QString &key);
// False when the store refuses it or cannot be reached.
bool saveTokens(TindAccount::TokenStore &store, const QString &key, const StoredTokens &tokens);
bool saveTokens(const QString &key, const StoredTokens &tokens);

} // namespace OAuth
