#include "app/secrets/credentialbackend.h"

#include <QDebug>

#include "app/platform/datadirectory.h"
#include "app/secrets/filesecretstore.h"
#include "app/secrets/secretservicecache.h"

namespace {

// The token store's view of the keyring cache.
class CachedSecretStore : public CredentialStore
{
public:
    explicit CachedSecretStore(SecretServiceCache *cache)
        : m_cache(cache)
    {
    }

    std::optional<QByteArray> read(const QString &target) override { return m_cache->read(target); }
    bool write(const QString &target, const QByteArray &value) override { return m_cache->write(target, value); }
    bool remove(const QString &target) override { return m_cache->remove(target); }

private:
    SecretServiceCache *m_cache;
};

} // namespace

namespace CredentialBackend {

Kind detect()
{
    const QString forced = QString::fromUtf8(qgetenv("CALENDAR_SECRET_STORE"));
    if (forced == QLatin1String("file"))
        return Kind::File;
    // Whether a keyring answers is found out in the background; the cache
    // falls back to the file store when none does.
    return Kind::SecretService;
}

void prepare()
{
    if (selected() == Kind::SecretService)
        SecretServiceCache::instance();
}

Kind selected()
{
    static const Kind kind = detect();
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
        return std::make_unique<CachedSecretStore>(SecretServiceCache::instance());
    return std::make_unique<FileSecretStore>(fileStoreDirectory());
}

std::unique_ptr<CredentialStore> create()
{
    return create(selected());
}

} // namespace CredentialBackend
