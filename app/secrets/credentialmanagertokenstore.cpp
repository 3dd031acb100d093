#include "app/secrets/credentialmanagertokenstore.h"

#include "app/secrets/credentialbackend.h"

namespace TindAccount {

CredentialManagerTokenStore::CredentialManagerTokenStore(const QString &service)
    : CredentialManagerTokenStore(service, CredentialBackend::create())
{
}

CredentialManagerTokenStore::CredentialManagerTokenStore(const QString &service,
                                                         std::unique_ptr<CredentialStore> credentials)
    : m_service(service)
    , m_credentials(std::move(credentials))
{
}

QString CredentialManagerTokenStore::service() const
{
    return m_service;
}

std::optional<QString> CredentialManagerTokenStore::read(const QString &key)
{
    if (!m_credentials)
        return std::nullopt;
    const std::optional<QByteArray> blob = m_credentials->read(targetName(m_service, key));
    if (!blob)
        return std::nullopt;
    // An empty blob is an engaged empty text, never "missing".
    return QString::fromUtf8(*blob);
}

bool CredentialManagerTokenStore::write(const QString &key, const QString &value)
{
    return m_credentials && m_credentials->write(targetName(m_service, key), value.toUtf8());
}

bool CredentialManagerTokenStore::remove(const QString &key)
{
    return m_credentials && m_credentials->remove(targetName(m_service, key));
}

void CredentialManagerTokenStore::clear()
{
    remove(QLatin1String(AccessTokenKey));
    remove(QLatin1String(RefreshTokenKey));
}

} // namespace TindAccount
