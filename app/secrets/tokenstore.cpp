#include "app/secrets/tokenstore.h"

#include <QStringList>

#include "app/secrets/credentialbackend.h"
#include "app/secrets/credentialmanagertokenstore.h"
#include "app/secrets/secretservicecache.h"

namespace TindAccount {

std::unique_ptr<TokenStore> TokenStore::create(const QString &service)
{
    return std::make_unique<CredentialManagerTokenStore>(service);
}

void TokenStore::whenReady(QObject *context, std::function<void()> ready)
{
    if (CredentialBackend::selected() == CredentialBackend::Kind::SecretService)
        SecretServiceCache::instance()->whenSettled(context, std::move(ready));
    else
        ready();
}

QString TokenStore::targetName(const QString &service, const QString &key)
{
    return QStringLiteral("Tindlebrook/%1/%2").arg(service, key);
}

} // namespace TindAccount

QString caldavPasswordKey(const QString &accountId)
{
    return QLatin1String(TindAccount::CaldavPasswordKeyPrefix) + accountId;
}

bool removeAccountSecrets(TindAccount::TokenStore &store, const QString &accountId)
{
    const QStringList keys = {QLatin1String(TindAccount::GoogleTokensKeyPrefix) + accountId,
                              QLatin1String(TindAccount::MicrosoftTokensKeyPrefix) + accountId,
                              caldavPasswordKey(accountId)};
    bool allGone = true;
    for (const QString &key : keys) {
        store.remove(key);
        if (store.read(key))
            allGone = false;
    }
    return allGone;
}
