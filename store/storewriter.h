#pragma once

#include <QString>

#include <memory>

class AccountRepository;
class CalendarRepository;
class Database;
class EventRepository;
class TaskRepository;

// The store's repositories over a writable connection of their own, for a
// large write (a sync's pull) on a worker thread. Like StoreReader it is
// built, used and destroyed on one thread. Its repositories announce no
// changes: the program's own repositories are told once the write lands,
// and the caller asks the program's Database to checkpoint then.
class StoreWriter
{
public:
    // Opens `path` under `connectionName`, which must be unique in the process.
    StoreWriter(const QString &path, const QString &connectionName);
    ~StoreWriter();

    StoreWriter(const StoreWriter &) = delete;
    StoreWriter &operator=(const StoreWriter &) = delete;

    // How long one statement waits for another connection's write lock.
    static constexpr int LockWaitMs = 50;

    bool isOpen() const { return m_open; }
    Database *database() const { return m_database.get(); }
    AccountRepository *accounts() const { return m_accounts.get(); }
    CalendarRepository *calendars() const { return m_calendars.get(); }
    EventRepository *events() const { return m_events.get(); }
    TaskRepository *tasks() const { return m_tasks.get(); }

    // Whether a store at `path` can be written from a second connection: a
    // database in memory is private to the connection that made it.
    static bool canOpen(const QString &path);

private:
    std::unique_ptr<Database> m_database;
    bool m_open = false;
    std::unique_ptr<AccountRepository> m_accounts;
    std::unique_ptr<CalendarRepository> m_calendars;
    std::unique_ptr<EventRepository> m_events;
    std::unique_ptr<TaskRepository> m_tasks;
};
