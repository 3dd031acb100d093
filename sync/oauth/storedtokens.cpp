#include "sync/oauth/storedtokens.h"

#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>

#include "app/platform/datadirectory.h"
#include "app/secrets/tokenstore.h"

#include <memory>

namespace OAuth {

namespace {

std::unique_ptr<TindAccount::TokenStore> applicationStore()
{
    return TindAccount::TokenStore::create(applicationServiceId());
}

} // namespace

bool operator==(const StoredTokens &a, const StoredTokens &b)
{
    return a.accessToken == b.accessToken && a.refreshToken == b.refreshToken && a.expiresAt == b.expiresAt;
}

QDebug operator<<(QDebug debug, const StoredTokens &tokens)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "StoredTokens(accessToken=" << tokens.accessToken << ", refreshToken=" << tokens.refreshToken
                    << ", expiresAt=" << tokens.expiresAt << ')';
    return debug;
}

StoredTokens loadTokens(const QString &key)
{
    const auto store = applicationStore();
    return store ? loadTokens(*store, key) : StoredTokens();
}

bool saveTokens(const QString &key, const StoredTokens &tokens)
{
    const auto store = applicationStore();
    return store && saveTokens(*store, key, tokens);
}

StoredTokens loadTokens(TindAccount::TokenStore &store, const QString &key)
{
    StoredTokens tokens;
    const std::optional<QString> text = store.read(key);
    if (!text || text->isEmpty())
        return tokens;
    const QJsonObject object = QJsonDocument::fromJson(text->toUtf8()).object();
    tokens.accessToken = object.value(QStringLiteral("access_token")).toString();
    tokens.refreshToken = object.value(QStringLiteral("refresh_token")).toString();
    const QDateTime expiry =
        QDateTime::fromString(object.value(QStringLiteral("expires_at")).toString(), Qt::ISODateWithMs);
    if (expiry.isValid())
        tokens.expiresAt = expiry.toUTC();
    return tokens;
}

bool saveTokens(TindAccount::TokenStore &store, const QString &key, const StoredTokens &tokens)
{
    QJsonObject object;
    object.insert(QStringLiteral("access_token"), tokens.accessToken);
    object.insert(QStringLiteral("refresh_token"), tokens.refreshToken);
    object.insert(QStringLiteral("expires_at"),
                  tokens.expiresAt.isValid() ? tokens.expiresAt.toUTC().toString(Qt::ISODateWithMs)
                                             : QString());
    return store.write(key, QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
}

} // namespace OAuth
