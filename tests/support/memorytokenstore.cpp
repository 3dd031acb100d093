#include "tests/support/memorytokenstore.h"

MemoryTokenStore::MemoryTokenStore()
    : m_entries(std::make_shared<QHash<QString, QString>>())
{
}

MemoryTokenStore::MemoryTokenStore(Entries entries)
    : m_entries(entries ? std::move(entries) : std::make_shared<QHash<QString, QString>>())
{
}

std::optional<QString> MemoryTokenStore::read(const QString &key)
{
    const auto it = m_entries->constFind(key);
    if (it == m_entries->constEnd())
        return std::nullopt;
    return *it;
}

bool MemoryTokenStore::write(const QString &key, const QString &value)
{
    if (m_failWrites)
        return false;
    m_entries->insert(key, value);
    return true;
}

bool MemoryTokenStore::remove(const QString &key)
{
    return m_entries->remove(key) > 0;
}

void MemoryTokenStore::clear()
{
    remove(QLatin1String(TindAccount::AccessTokenKey));
    remove(QLatin1String(TindAccount::RefreshTokenKey));
}
