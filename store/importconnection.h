#pragma once

#include <QString>

#include <memory>

class Database;
class EventRepository;
class StoreTransaction;
class StoreWriter;

// What an import writes through: short transactions of its own, each
// ending before the event loop turns again, so the user's writes made while
// it runs are never part of the import's and are committed on their own.
// Where the store is a file the import has a connection of its own (built,
// used and destroyed on one thread), whose commits wait for no sync to disk
// and leave copying the log back into the file to the program's
// checkpointer, which meanwhile also copies it for the program's
// connection. A store in memory cannot be opened twice: the import then
// writes through the program's connection. Either way its repository
// announces nothing: the caller tells the program's once.
class ImportConnection
{
public:
    ImportConnection(Database *program, const QString &name);
    ~ImportConnection();

    ImportConnection(const ImportConnection &) = delete;
    ImportConnection &operator=(const ImportConnection &) = delete;

    bool isOpen() const;
    Database *database() const;
    EventRepository *events() const;

    // A transaction that holds the write lock from its start; null when
    // another connection (a sync's pull) kept it for longer than `waitMs`,
    // or it could not begin; `error` then says why.
    std::unique_ptr<StoreTransaction> begin(int waitMs, QString *error = nullptr);

private:
    Database *m_program;
    std::unique_ptr<StoreWriter> m_own;
    // Over the program's connection, when there is no connection of its own.
    std::unique_ptr<EventRepository> m_programEvents;
};
