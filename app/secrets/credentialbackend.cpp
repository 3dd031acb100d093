#include "app/secrets/credentialbackend.h"

#include <QDBusConnection>
#include <QDebug>

#include "app/platform/datadirectory.h"
#include "app/secrets/filesecretstore.h"
#include "app/secrets/secretservicestore.h"

namespace CredentialBackend {

Kind detect()
{
    const QString forced = QString::fromUtf8(qgetenv("CALENDAR_SECRET_STORE"));
    if (forced == QLatin1String("file"))
        return Kind::File;
    if (forced == QLatin1String("secret-service"))
        return Kind::SecretService;
    if (SecretServiceStore::isAvailable(QDBusConnection::sessionBus()))
        return Kind::SecretService;
    return Kind::File;
}

Kind selected()
{
    static const Kind kind = [] {
        const Kind detected = detect();
        qInfo().noquote() << "[Secrets] Keeping secrets in" << kindName(detected);
        return detected;
    }();
    return kind;
}

QString kindName(Kind kind)
{
    return kind == Kind::SecretService ? QStringLiteral("the desktop keyring (Secret Service)")
                                       : QStringLiteral("the private file store");
}

QString fileStoreDirectory()
{
    return dataDirectory() + QStringLiteral("/secrets");
}

std::unique_ptr<CredentialStore> create(Kind kind)
{
    if (kind == Kind::SecretService)
        return std::make_unique<SecretServiceStore>(QDBusConnection::sessionBus());
    return std::make_unique<FileSecretStore>(fileStoreDirectory());
}

std::unique_ptr<CredentialStore> create()
{
    return create(selected());
}

} // namespace CredentialBackend
