#pragma once

#include "store/recordrepositories.h"

#include <memory>

// The repositories a reader and a writer on a connection of their own both
// hold. Qt's connections and the repositories' objects belong to the thread
// that makes them, so one is built, used and destroyed on one thread.
class StoreConnection
{
public:
    StoreConnection(const StoreConnection &) = delete;
    StoreConnection &operator=(const StoreConnection &) = delete;

    bool isOpen() const { return m_open; }
    Database *database() const { return m_database.get(); }
    AccountRepository *accounts() const { return m_accounts.get(); }
    CalendarRepository *calendars() const { return m_calendars.get(); }
    EventRepository *events() const { return m_events.get(); }
    TaskRepository *tasks() const { return m_tasks.get(); }
    // The same repositories, borrowed, as the syncs take them.
    RecordRepositories records() const
    {
        return {database(), events(), tasks(), calendars(), accounts()};
    }

protected:
    // A connection not yet opened; the caller opens it, then makes the
    // repositories over it.
    StoreConnection();
    ~StoreConnection();
    void makeRepositories();

    std::unique_ptr<Database> m_database;
    bool m_open = false;

private:
    std::unique_ptr<AccountRepository> m_accounts;
    std::unique_ptr<CalendarRepository> m_calendars;
    std::unique_ptr<EventRepository> m_events;
    std::unique_ptr<TaskRepository> m_tasks;
};
