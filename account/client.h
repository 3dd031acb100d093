#pragma once

#include "account/authstate.h"

#include <QObject>
#include <QString>

namespace TindAccount {

class ApiClient;

// The one object through which the program reaches the cloud account
// service: it owns the connections to the sign-in realm, the account service
// and the sync service, and relays the sign-in state.
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

    Client(const Config &config, QObject *parent = nullptr);

    // Restores a stored session; the outcome arrives as authStateChanged.
    void initialize();
    bool isAuthenticated() const { return m_state == AuthState::SignedIn; }
    AuthState state() const { return m_state; }

    const Config &config() const { return m_config; }
    // The connection to the sync service; its base URL is set by the owner.
    ApiClient *syncApi() const { return m_syncApi; }

    // An empty platform is the running kernel's name, lower-cased, with
    // "darwin" and "winnt" spelled "macos" and "windows".
    static QString normalizePlatform(const QString &platform);

Q_SIGNALS:
    void authStateChanged(TindAccount::AuthState state);

private:
    void setState(AuthState state);

    Config m_config;
    ApiClient *m_realmApi = nullptr;
    ApiClient *m_accountApi = nullptr;
    ApiClient *m_syncApi = nullptr;
    AuthState m_state = AuthState::Initial;
};

} // namespace TindAccount
