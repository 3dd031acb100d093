#pragma once

#include <QString>

#include <memory>

class Database;
class SavePoint;

// Keeps writes that span several repositories (a sync's batch, an import)
// together: what happens between construction and a successful commit() is
// undone when the object goes without one. Transactions nest, so a caller's
// own keeps working.
//
// The store alone knows the schema: code above it writes through the
// repositories and opens its transactions here, never with QSqlDatabase or
// QSqlQuery of its own.
class StoreTransaction
{
public:
    // Deferred takes the write lock at the first write; Immediate at once,
    // so what is read inside the transaction cannot be changed by another
    // connection before this one writes (a worker's connection beside the
    // program's). Immediate is for an outermost transaction only.
    enum class Lock { Deferred, Immediate };

    // `name` tells the transaction apart in the database's messages.
    StoreTransaction(Database *database, const QString &name, Lock lock = Lock::Deferred);
    ~StoreTransaction();

    StoreTransaction(const StoreTransaction &) = delete;
    StoreTransaction &operator=(const StoreTransaction &) = delete;

    // False when the transaction could not be opened; the writes then
    // stand one by one, as they are made.
    bool isActive() const;
    // Keeps the writes. On failure they are undone and errorText() says why.
    bool commit();
    QString errorText() const;

private:
    bool run(const QString &sql);

    Database *m_database;
    std::unique_ptr<SavePoint> m_savePoint;
    bool m_began = false;
    QString m_error;
};
