#include "account/tokenmanager.h"

#include <QDateTime>
#include <QDebug>
#include <QJsonDocument>
#include <QMutexLocker>
#include <QPointer>
#include <QStringList>
#include <QTimer>

namespace TindAccount {

TokenManager::TokenManager(std::unique_ptr<TokenStore> store, QObject *parent)
    : QObject(parent)
    , m_store(std::move(store))
    , m_timeLimit(new QTimer(this))
{
    m_timeLimit->setSingleShot(true);
    m_timeLimit->setInterval(DefaultRefreshTimeLimitMs);
    connect(m_timeLimit, &QTimer::timeout, this, [this] {
        qWarning() << "TokenManager: token refresh did not end in time";
        finish(m_flight, RefreshResult::Transient);
    });
}

TokenManager::~TokenManager() = default;

void TokenManager::setRefreshTimeLimit(int ms)
{
    m_timeLimit->setInterval(ms);
}

void TokenManager::loadTokens()
{
    if (!m_store)
        return;
    m_accessToken = m_store->read(QLatin1String(AccessTokenKey)).value_or(QString());
    m_refreshToken = m_store->read(QLatin1String(RefreshTokenKey)).value_or(QString());
}

void TokenManager::setTokens(const QString &accessToken, const QString &refreshToken)
{
    m_accessToken = accessToken;
    m_refreshToken = refreshToken;
    if (!m_store)
        return;
    m_store->write(QLatin1String(AccessTokenKey), accessToken);
    m_store->write(QLatin1String(RefreshTokenKey), refreshToken);
}

void TokenManager::clearTokens()
{
    m_accessToken.clear();
    m_refreshToken.clear();
    {
        QMutexLocker lock(&m_mutex);
        ++m_generation;
    }
    if (m_store)
        m_store->clear();
}

QJsonObject TokenManager::jwtPayload(const QString &token)
{
    const QStringList parts = token.split(QLatin1Char('.'));
    if (parts.size() < 2)
        return {};
    const QByteArray payload = QByteArray::fromBase64(
        parts.at(1).toLatin1(), QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
    return QJsonDocument::fromJson(payload).object();
}

int TokenManager::jwtExpiry(const QString &token)
{
    return jwtPayload(token).value(QLatin1String("exp")).toInt(0);
}

QString TokenManager::validAccessToken() const
{
    if (m_accessToken.isEmpty())
        return {};
    const int expiry = jwtExpiry(m_accessToken);
    if (expiry == 0)
        return {};
    if (QDateTime::currentSecsSinceEpoch() < qint64(expiry) - ExpiryMarginSeconds)
        return m_accessToken;
    return {};
}

bool TokenManager::needsRefresh() const
{
    return validAccessToken().isEmpty() && !m_refreshToken.isEmpty();
}

void TokenManager::refresh(std::function<void(RefreshResult)> callback)
{
    QMutexLocker lock(&m_mutex);
    if (callback)
        m_pending.append(std::move(callback));
    if (m_refreshing)
        return;
    if (m_refreshToken.isEmpty() || !m_refreshFunction) {
        const auto waiting = std::exchange(m_pending, {});
        lock.unlock();
        for (const auto &pending : waiting)
            pending(RefreshResult::Rejected);
        return;
    }
    m_refreshing = true;
    const quint64 flight = ++m_flight;
    m_flightGeneration = m_generation;
    const QString token = m_refreshToken;
    lock.unlock();
    m_timeLimit->start();

    QPointer<TokenManager> self(this);
    m_refreshFunction(
        token,
        [self, flight](const QString &accessToken, const QString &refreshToken) {
            if (self)
                self->onTokens(flight, accessToken, refreshToken);
        },
        [self, flight](bool rejected) {
            if (self)
                self->finish(flight, rejected ? RefreshResult::Rejected : RefreshResult::Transient);
        });
}

void TokenManager::onTokens(quint64 flight, const QString &accessToken, const QString &refreshToken)
{
    {
        QMutexLocker lock(&m_mutex);
        if (!m_refreshing || flight != m_flight)
            return;
        if (m_flightGeneration != m_generation) {
            // Signed out while the refresh was in flight: keep the store empty.
            lock.unlock();
            finish(flight, RefreshResult::Rejected);
            return;
        }
    }
    if (accessToken.isEmpty()) {
        // A reply that worked but brought no token must not wipe the session.
        finish(flight, RefreshResult::Transient);
        return;
    }
    setTokens(accessToken, refreshToken.isEmpty() ? m_refreshToken : refreshToken);
    finish(flight, RefreshResult::Success);
}

void TokenManager::finish(quint64 flight, RefreshResult result)
{
    QMutexLocker lock(&m_mutex);
    if (!m_refreshing || flight != m_flight)
        return;
    m_refreshing = false;
    const auto waiting = std::exchange(m_pending, {});
    lock.unlock();
    m_timeLimit->stop();
    for (const auto &pending : waiting)
        pending(result);
}

} // namespace TindAccount
