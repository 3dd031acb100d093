#pragma once

#include <QJsonObject>
#include <QMutex>
#include <QObject>
#include <QString>

#include "app/secrets/tokenstore.h"

#include <functional>
#include <memory>

class QTimer;

namespace TindAccount {

enum class RefreshResult : int {
    Success = 0,
    // The service refused the refresh token, or there was none to try.
    Rejected = 1,
    // No answer, a server error, or an answer without a usable token.
    Transient = 2,
};

// Keeps the cloud account's access and refresh tokens, in memory and in the
// secret store, and runs token refreshes as a single flight: however many
// callers ask at once, one refresh goes out and all get its outcome.
class TokenManager : public QObject
{
    Q_OBJECT
public:
    using TokensCallback = std::function<void(const QString &accessToken, const QString &refreshToken)>;
    using FailureCallback = std::function<void(bool rejected)>;
    using RefreshFunction
        = std::function<void(const QString &refreshToken, TokensCallback onTokens, FailureCallback onFailure)>;

    // An access token this close to its expiry is no longer sent.
    static constexpr int ExpiryMarginSeconds = 30;
    // A refresh that has not ended by then counts as failed, so waiting
    // requests are answered even when the refresh function never completes.
    static constexpr int DefaultRefreshTimeLimitMs = 60 * 1000;

    TokenManager(std::unique_ptr<TokenStore> store, QObject *parent = nullptr);
    ~TokenManager() override;

    void loadTokens();
    void setTokens(const QString &accessToken, const QString &refreshToken);
    // Also discards the outcome of a refresh in flight: tokens it brings
    // back after a sign-out are never stored.
    void clearTokens();

    QString validAccessToken() const;
    // The access token held, expired or not: what a request may have carried.
    QString accessToken() const { return m_accessToken; }
    QString refreshToken() const { return m_refreshToken; }
    bool needsRefresh() const;

    void refresh(std::function<void(RefreshResult)> callback);
    void setRefreshCallback(RefreshFunction function) { m_refreshFunction = std::move(function); }
    void setRefreshTimeLimit(int ms);

    static int jwtExpiry(const QString &token);
    // The token's decoded payload; empty when it is not a JWT with a JSON
    // object payload.
    static QJsonObject jwtPayload(const QString &token);

private:
    void finish(quint64 flight, RefreshResult result);
    void onTokens(quint64 flight, const QString &accessToken, const QString &refreshToken);

    std::unique_ptr<TokenStore> m_store;
    QString m_accessToken;
    QString m_refreshToken;
    RefreshFunction m_refreshFunction;
    QMutex m_mutex;
    bool m_refreshing = false;
    QList<std::function<void(RefreshResult)>> m_pending;
    // Counts refreshes started; a completion of an older one is stale.
    quint64 m_flight = 0;
    // Bumped by clearTokens: a refresh started before it brings nothing back.
    quint64 m_generation = 0;
    quint64 m_flightGeneration = 0;
    QTimer *m_timeLimit;
};

} // namespace TindAccount
