#pragma once

#include "account/authstate.h"
#include "account/tndclaims.h"

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

namespace TindAccount {

class AccountClient;
class ApiClient;
class AuthClient;
class TokenManager;
class TokenStore;

// The one object through which the program reaches the cloud account
// service: it owns the tokens, the connections to the sign-in realm, the
// account service and the sync service, the sign-in and the account
// clients, and relays the sign-in state.
class Client : public QObject
{
    Q_OBJECT
public:
    struct Config
    {
        QString authApiUrl;
        QString realmSlug;
        QString accountApiUrl;
        QString clientId;
        QString appId;
        QString appName;
        QString appVersion;
        QString platform;
        QString accountPortalUrl;
    };

    // What the client reaches outside the program; left empty, the
    // platform's secret store, its keyring readiness and the desktop browser.
    struct Seams
    {
        std::unique_ptr<TokenStore> tokenStore;
        std::function<void(QObject *context, std::function<void()> ready)> whenSecretsReady;
        // False when no browser opened.
        std::function<bool(const QUrl &url)> openUrl;
    };

    Client(const Config &config, QObject *parent = nullptr);
    Client(const Config &config, Seams seams, QObject *parent = nullptr);
    ~Client() override;

    // Restores a stored session; the outcome arrives as authStateChanged.
    void initialize();
    bool isAuthenticated() const;
    AuthState state() const;
    // The claims of the current access token; empty when it is not usable.
    TndClaims claims() const;

    const Config &config() const { return m_config; }
    AuthClient *authClient() const { return m_authClient; }
    AccountClient *accountClient() const { return m_accountClient; }
    // The connection to the sync service; its base URL is set by the owner.
    ApiClient *syncApi() const { return m_syncApi; }

    // An empty platform is the running kernel's name, lower-cased, with
    // "darwin" and "winnt" spelled "macos" and "windows".
    static QString normalizePlatform(const QString &platform);

Q_SIGNALS:
    void authStateChanged(TindAccount::AuthState state);
    void claimsUpdated(TindAccount::TndClaims claims);

private:
    void onStateChanged(AuthState state);

    Config m_config;
    TokenManager *m_tokens = nullptr;
    ApiClient *m_realmApi = nullptr;
    ApiClient *m_accountApi = nullptr;
    ApiClient *m_syncApi = nullptr;
    AuthClient *m_authClient = nullptr;
    AccountClient *m_accountClient = nullptr;
};

} // namespace TindAccount
