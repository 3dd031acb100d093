#pragma once

#include <QHash>
#include <QString>

#include "app/secrets/tokenstore.h"

#include <memory>

// An in-memory secret store for tests of code that keeps secrets. Stores
// made from the same `Entries` share them, as two stores of one service do.
class MemoryTokenStore : public TindAccount::TokenStore
{
public:
    using Entries = std::shared_ptr<QHash<QString, QString>>;

    MemoryTokenStore();
    explicit MemoryTokenStore(Entries entries);

    Entries entries() const { return m_entries; }

    std::optional<QString> read(const QString &key) override;
    bool write(const QString &key, const QString &value) override;
    bool remove(const QString &key) override;
    void clear() override;

    // Makes every later write fail, as a locked or missing keyring does.
    void setFailWrites(bool fail) { m_failWrites = fail; }

private:
    Entries m_entries;
    bool m_failWrites = false;
};
