#include "account/client.h"

#include <QSysInfo>
#include <QUrl>

#include "account/apiclient.h"

namespace TindAccount {

Client::Client(const Config &config, QObject *parent)
    : QObject(parent)
    , m_config(config)
{
    m_config.platform = normalizePlatform(config.platform);

    m_realmApi = new ApiClient(this);
    m_realmApi->setBaseUrl(QUrl(QStringLiteral("%1/api/v1/realms/%2").arg(m_config.authApiUrl, m_config.realmSlug),
                                QUrl::TolerantMode));
    m_accountApi = new ApiClient(this);
    m_accountApi->setBaseUrl(QUrl(m_config.accountApiUrl));
    m_syncApi = new ApiClient(this);
}

void Client::initialize()
{
    // No session store is wired to this client yet, so there is never a
    // session to restore: the user is signed out.
    setState(AuthState::SignedOut);
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

void Client::setState(AuthState state)
{
    m_state = state;
    Q_EMIT authStateChanged(state);
}

} // namespace TindAccount
