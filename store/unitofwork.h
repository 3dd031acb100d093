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
    // A large unit (an import of thousands of rows) writes its pages to the
    // log as it goes, so that commit() has little left to write; its commit
    // neither waits for the disk nor copies the log into the file, which the
    // database then does on a thread of its own.
    enum class Size { Small, Large };

    UnitOfWork(Database *database, const QString &name, Size size = Size::Small);
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
    void setCachePages(bool small);
    void setLargeCommit(bool large);
    void settle(bool kept);

    Database *m_database = nullptr;
    bool m_large = false;
    // The connection's settings a large unit changes, as they were.
    QString m_synchronous;
    QString m_autoCheckpoint;
    std::unique_ptr<SavePoint> m_savepoint;
    QString m_error;
};
