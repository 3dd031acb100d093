#pragma once

#include <QString>

#include "app/secrets/credentialstore.h"
#include "app/secrets/tokenstore.h"

#include <memory>

namespace TindAccount {

// The token store over the platform's credential layer: each key is one
// generic credential named "Tindlebrook/<service>/<key>" holding the value
// as UTF-8. Nothing is cached, so two stores of one service see each
// other's writes at once. Failures show only in the results: secrets and
// their keys never reach a log.
class CredentialManagerTokenStore : public TokenStore
{
public:
    // Over the credential store chosen for this process.
    explicit CredentialManagerTokenStore(const QString &service);
    CredentialManagerTokenStore(const QString &service, std::unique_ptr<CredentialStore> credentials);

    QString service() const;

    std::optional<QString> read(const QString &key) override;
    bool write(const QString &key, const QString &value) override;
    bool remove(const QString &key) override;
    void clear() override;

private:
    QString m_service;
    std::unique_ptr<CredentialStore> m_credentials;
};

} // namespace TindAccount
