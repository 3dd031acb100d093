#pragma once

#include <QString>

#include <memory>

class Database;
class SavePoint;

// One write made of many, for callers above the store: everything written
// through the program's connection between construction and commit() is
// kept together, and destroying the unit without commit() (or rollback())
// undoes it all. Inside another transaction it nests as a savepoint.
class UnitOfWork
{
public:
    UnitOfWork(Database *database, const QString &name);
    ~UnitOfWork();

    UnitOfWork(const UnitOfWork &) = delete;
    UnitOfWork &operator=(const UnitOfWork &) = delete;

    bool isActive() const;
    // Keeps the writes; false (and everything undone) when that fails.
    bool commit();
    // Undoes the writes.
    void rollback();
    // The database's text for the last failure.
    QString errorText() const { return m_error; }

private:
    std::unique_ptr<SavePoint> m_savepoint;
    QString m_error;
};
