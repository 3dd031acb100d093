#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

namespace OAuth {

// Asked for a new access token after the service refused `refused` (401);
// calls back with one, or with none when there is none to be had.
using TokenRenewer = std::function<void(const QString &refused, std::function<void(const QString &token)> done)>;

// The one renewal a refused request gets: when `status` is a 401 the request
// has not been renewed for yet and there is a renewer, asks it for a token
// and returns true; `withToken` then runs with the new token, or with an
// empty one when none came, unless `owner` is gone by then.
inline bool renewAfterRefusal(int status, bool &renewed, const TokenRenewer &renew, const QString &refused,
                              QObject *owner, std::function<void(const QString &token)> withToken)
{
    if (status != 401 || renewed || !renew)
        return false;
    renewed = true;
    QPointer<QObject> alive(owner);
    renew(refused, [alive, withToken = std::move(withToken)](const QString &token) {
        if (alive)
            withToken(token);
    });
    return true;
}

} // namespace OAuth
