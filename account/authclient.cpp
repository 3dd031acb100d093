#include "account/authclient.h"

#include <QDesktopServices>
#include <QJsonArray>
#include <QJsonObject>
#include <QTimer>
#include <QUrlQuery>

#include "account/apiclient.h"
#include "account/tokenmanager.h"
#include "account/webauthhandler.h"
#include "app/secrets/tokenstore.h"

namespace TindAccount {

namespace {

constexpr int AnswerGraceMs = 5000;

} // namespace

AuthClient::AuthClient(const QString &authUrl, const QString &realmSlug, const QString &clientId, ApiClient *api,
                       TokenManager *tokens, QObject *parent)
    : QObject(parent)
    , m_authUrl(authUrl)
    , m_realmSlug(realmSlug)
    , m_clientId(clientId)
    , m_api(api)
    , m_tokens(tokens)
    , m_openUrl([](const QUrl &url) { return QDesktopServices::openUrl(url); })
    , m_whenReady(&TokenStore::whenReady)
{
    setupRefreshCallback();
}

void AuthClient::setupRefreshCallback()
{
    QPointer<ApiClient> api(m_api);
    m_tokens->setRefreshCallback([api](const QString &refreshToken, TokenManager::TokensCallback onTokens,
                                       TokenManager::FailureCallback onFailure) {
        if (!api) {
            onFailure(false);
            return;
        }
        const QJsonObject body{{QStringLiteral("refresh_token"), refreshToken}};
        api->postPublic(QStringLiteral("/auth/token/refresh"), body,
                        [onTokens, onFailure](bool ok, int status, const QJsonObject &json) {
                            if (ok) {
                                onTokens(json.value(QLatin1String("access_token")).toString(),
                                         json.value(QLatin1String("refresh_token")).toString());
                                return;
                            }
                            onFailure(status >= 400 && status <= 499);
                        });
    });
}

void AuthClient::initialize()
{
    if (m_initialized)
        return;
    m_initialized = true;
    // The keyring is read in the background; tokens read before it is
    // loaded would look like no session at all.
    m_whenReady(this, [this] { restoreSession(); });
}

void AuthClient::restoreSession()
{
    m_tokens->loadTokens();
    if (!m_tokens->validAccessToken().isEmpty()) {
        setState(AuthState::SignedIn);
        return;
    }
    if (m_tokens->refreshToken().isEmpty()) {
        setState(AuthState::SignedOut);
        return;
    }
    QPointer<AuthClient> self(this);
    m_tokens->refresh([self](RefreshResult result) {
        if (!self)
            return;
        if (result == RefreshResult::Rejected) {
            self->m_tokens->clearTokens();
            self->setState(AuthState::SignedOut);
            return;
        }
        // A session with a refresh token survives an unreachable service.
        self->setState(AuthState::SignedIn);
    });
}

void AuthClient::login()
{
    auto *handler = new WebAuthHandler(this);
    if (m_signInTimeLimitMs > 0)
        handler->setTimeLimit(m_signInTimeLimitMs);
    const QString redirectUri = handler->start();
    if (redirectUri.isEmpty()) {
        Q_EMIT loginFailed(QStringLiteral("Failed to start local auth server"));
        handler->deleteLater();
        return;
    }
    m_handler = handler;
    connect(handler, &WebAuthHandler::callbackReceived, this, [this, handler](const QUrl &url) {
        handleAuthCallback(url);
        // The page is still on its way to the browser over the handler's
        // connection; the listener itself is already closed.
        QTimer::singleShot(AnswerGraceMs, handler, &QObject::deleteLater);
    });
    connect(handler, &WebAuthHandler::abandoned, handler, &QObject::deleteLater);
    connect(handler, &WebAuthHandler::startReused, this, [this, handler] {
        handler->deleteLater();
        Q_EMIT loginFailed(QStringLiteral(
            "The sign-in link was opened twice, so the sign-in was stopped for safety. Please sign in again."));
    });

    const QString page = QStringLiteral("%1/%2/account/login?client_id=%3&redirect_uri=%4&state=%5")
                             .arg(m_authUrl, m_realmSlug, m_clientId,
                                  QString::fromLatin1(QUrl::toPercentEncoding(redirectUri)),
                                  QString::fromLatin1(QUrl::toPercentEncoding(handler->state())));
    // The browser gets the start address: the page's state must not ride
    // the opener's command line, where any local user can read it.
    m_lastSignInPage = handler->startAt(QUrl(page, QUrl::TolerantMode));
    if (!m_openUrl(m_lastSignInPage))
        Q_EMIT signInPageNotOpened(m_lastSignInPage);
}

void AuthClient::handleAuthCallback(const QUrl &url)
{
    const QUrlQuery fragment(url.fragment());
    QString accessToken = fragment.queryItemValue(QStringLiteral("access_token"), QUrl::FullyDecoded);
    QString refreshToken = fragment.queryItemValue(QStringLiteral("refresh_token"), QUrl::FullyDecoded);
    if (accessToken.isEmpty()) {
        const QUrlQuery query(url);
        accessToken = query.queryItemValue(QStringLiteral("access_token"), QUrl::FullyDecoded);
        refreshToken = query.queryItemValue(QStringLiteral("refresh_token"), QUrl::FullyDecoded);
    }
    if (accessToken.isEmpty() || refreshToken.isEmpty()) {
        Q_EMIT loginFailed(QStringLiteral("No tokens received"));
        return;
    }
    m_tokens->setTokens(accessToken, refreshToken);
    setState(AuthState::SignedIn);
    Q_EMIT loginSucceeded();
}

void AuthClient::logout()
{
    m_api->post(QStringLiteral("/auth/logout"), QJsonObject(), {});
    signOutLocally();
    Q_EMIT logoutCompleted();
}

void AuthClient::signOutLocally()
{
    m_tokens->clearTokens();
    m_currentUser = User();
    setState(AuthState::SignedOut);
}

void AuthClient::refreshToken(std::function<void(bool)> callback)
{
    QPointer<AuthClient> self(this);
    m_tokens->refresh([self, callback](RefreshResult result) {
        if (self && result == RefreshResult::Rejected)
            self->signOutLocally();
        if (callback)
            callback(result == RefreshResult::Success);
    });
}

void AuthClient::setState(AuthState state)
{
    if (m_state == state)
        return;
    m_state = state;
    Q_EMIT stateChanged(state);
}

void AuthClient::fetchCurrentUser(std::function<void(User)> callback)
{
    QPointer<AuthClient> self(this);
    m_api->get(QStringLiteral("/users/me"), [self, callback](bool ok, int, const QJsonObject &json) {
        if (!self)
            return;
        if (ok)
            self->m_currentUser = User::fromJson(json);
        if (callback)
            callback(self->m_currentUser);
    });
}

void AuthClient::updateProfile(const QString &displayName, std::function<void(User)> callback)
{
    QPointer<AuthClient> self(this);
    const QJsonObject body{{QStringLiteral("display_name"), displayName}};
    m_api->patch(QStringLiteral("/users/me"), body, [self, callback](bool ok, int, const QJsonObject &json) {
        if (!self)
            return;
        if (ok)
            self->m_currentUser = User::fromJson(json);
        if (callback)
            callback(ok ? self->m_currentUser : User());
    });
}

void AuthClient::changePassword(const QString &currentPassword, const QString &newPassword,
                                std::function<void(bool)> callback)
{
    const QJsonObject body{{QStringLiteral("current_password"), currentPassword},
                           {QStringLiteral("new_password"), newPassword}};
    m_api->post(QStringLiteral("/users/me/password"), body, [callback](bool ok, int, const QJsonObject &) {
        if (callback)
            callback(ok);
    });
}

void AuthClient::listSessions(std::function<void(QList<Session>)> callback)
{
    m_api->get(QStringLiteral("/users/me/sessions"), [callback](bool ok, int, const QJsonObject &json) {
        QList<Session> sessions;
        if (ok)
            sessions = recordsFromJson<Session>(json, QStringLiteral("sessions"));
        if (callback)
            callback(sessions);
    });
}

void AuthClient::revokeSession(const QString &sessionId, std::function<void(bool)> callback)
{
    m_api->del(QStringLiteral("/users/me/sessions/%1").arg(ApiClient::pathSegment(sessionId)),
               [callback](bool ok, int, const QJsonObject &) {
                   if (callback)
                       callback(ok);
               });
}

QString AuthClient::lastFailure() const
{
    return m_api->lastFailure();
}

} // namespace TindAccount
