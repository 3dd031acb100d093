#include "app/secrets/secretserviceworker.h"

#include "app/secrets/secretservicestore.h"

SecretServiceWorker::SecretServiceWorker(const QDBusConnection &bus, int promptTimeoutMs)
    : m_bus(bus)
    , m_promptTimeoutMs(promptTimeoutMs)
{
}

SecretServiceWorker::~SecretServiceWorker() = default;

void SecretServiceWorker::load()
{
    if (!SecretServiceStore::isAvailable(m_bus)) {
        Q_EMIT loaded(false, {});
        return;
    }
    m_store = std::make_unique<SecretServiceStore>(m_bus);
    m_store->setPromptTimeout(m_promptTimeoutMs);
    const std::optional<QHash<QString, QByteArray>> entries = m_store->readAll();
    // A keyring that answers but cannot be read (left locked) still keeps
    // the secrets: the program does not turn to the file meanwhile.
    Q_EMIT loaded(true, entries.value_or(QHash<QString, QByteArray>()));
}

void SecretServiceWorker::write(const QString &target, const QByteArray &value)
{
    Q_EMIT written(m_store && m_store->write(target, value));
}

void SecretServiceWorker::remove(const QString &target)
{
    // Nothing to delete counts as done: the cache already knows the entry.
    if (m_store)
        m_store->remove(target);
    Q_EMIT written(m_store != nullptr);
}
