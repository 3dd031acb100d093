#include "account/client.h"

#include <QSysInfo>
#include <QUrl>

#include "account/accountclient.h"
#include "account/apiclient.h"
#include "account/authclient.h"
#include "account/tokenmanager.h"
#include "app/secrets/tokenstore.h"

namespace TindAccount {

Client::Client(const Config &config, QObject *parent)
    : Client(config, Seams(), parent)
{
}

Client::Client(const Config &config, Seams seams, QObject *parent)
    : QObject(parent)
    , m_config(config)
{
    qRegisterMetaType<TindAccount::TndClaims>();
    m_config.platform = normalizePlatform(config.platform);

    std::unique_ptr<TokenStore> store
        = seams.tokenStore ? std::move(seams.tokenStore) : TokenStore::create(m_config.appId);
    m_tokens = new TokenManager(std::move(store), this);

    const auto makeApi = [this]() {
        auto *api = new ApiClient(m_tokens, this);
        api->setAppInfo(m_config.appId, m_config.appVersion, m_config.platform);
        return api;
    };
    m_realmApi = makeApi();
    m_realmApi->setBaseUrl(QUrl(QStringLiteral("%1/api/v1/realms/%2").arg(m_config.authApiUrl, m_config.realmSlug),
                                QUrl::TolerantMode));
    m_accountApi = makeApi();
    m_accountApi->setBaseUrl(QUrl(m_config.accountApiUrl));
    m_syncApi = makeApi();

    m_authClient = new AuthClient(m_config.authApiUrl, m_config.realmSlug, m_config.clientId, m_realmApi, m_tokens,
                                  this);
    if (seams.whenSecretsReady)
        m_authClient->setSecretsReadyWait(seams.whenSecretsReady);
    if (seams.openUrl)
        m_authClient->setUrlOpener(seams.openUrl);
    connect(m_authClient, &AuthClient::stateChanged, this, &Client::onStateChanged);

    m_accountClient = new AccountClient(m_accountApi, m_authClient, m_config, this);
    if (seams.openUrl)
        m_accountClient->setUrlOpener(seams.openUrl);
}

Client::~Client() = default;

void Client::initialize()
{
    m_authClient->initialize();
}

bool Client::isAuthenticated() const
{
    return m_authClient->isAuthenticated();
}

AuthState Client::state() const
{
    return m_authClient->state();
}

TndClaims Client::claims() const
{
    const QString token = m_tokens->validAccessToken();
    return token.isEmpty() ? TndClaims() : TndClaims::fromAccessToken(token);
}

QString Client::normalizePlatform(const QString &platform)
{
    if (!platform.isEmpty())
        return platform;
    const QString kernel = QSysInfo::kernelType().toLower();
    if (kernel == QLatin1String("darwin"))
        return QStringLiteral("macos");
    if (kernel == QLatin1String("winnt"))
        return QStringLiteral("windows");
    return kernel;
}

void Client::onStateChanged(AuthState state)
{
    Q_EMIT authStateChanged(state);
    if (state == AuthState::SignedIn)
        Q_EMIT claimsUpdated(claims());
}

} // namespace TindAccount
