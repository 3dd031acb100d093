#include "account/tndclaims.h"

#include <QJsonObject>

#include "account/tokenmanager.h"

namespace TindAccount {

TndClaims TndClaims::fromAccessToken(const QString &token)
{
    const QJsonObject tnd = TokenManager::jwtPayload(token)
                                .value(QLatin1String("custom"))
                                .toObject()
                                .value(QLatin1String("tnd"))
                                .toObject();
    TndClaims claims;
    if (tnd.isEmpty())
        return claims;
    const auto text = [&tnd](const char *key) {
        const QJsonValue value = tnd.value(QLatin1String(key));
        return value.isString() ? value.toString() : QString();
    };
    claims.group_id = text("group_id");
    claims.role = text("role");
    return claims;
}

} // namespace TindAccount
