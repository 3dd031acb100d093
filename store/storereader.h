#pragma once

#include <QString>

#include <memory>

class AccountRepository;
class CalendarRepository;
class Database;
class EventRepository;
class FilterRuleRepository;
class TaskRepository;
class ViewRepository;

// The store's repositories over a connection of their own, for reading on a
// worker thread. Qt's connections and the repositories' objects belong to
// the thread that makes them, so a reader is built, used and destroyed on
// one thread. The file is in WAL mode: the reader sees every committed write
// and runs beside the program's writer without blocking it.
class StoreReader
{
public:
    // Opens `path` under `connectionName`, which must be unique in the process.
    StoreReader(const QString &path, const QString &connectionName);
    ~StoreReader();

    StoreReader(const StoreReader &) = delete;
    StoreReader &operator=(const StoreReader &) = delete;

    bool isOpen() const { return m_open; }
    Database *database() const { return m_database.get(); }
    AccountRepository *accounts() const { return m_accounts.get(); }
    CalendarRepository *calendars() const { return m_calendars.get(); }
    EventRepository *events() const { return m_events.get(); }
    FilterRuleRepository *filterRules() const { return m_filterRules.get(); }
    ViewRepository *views() const { return m_views.get(); }
    TaskRepository *tasks() const { return m_tasks.get(); }

private:
    std::unique_ptr<Database> m_database;
    bool m_open = false;
    std::unique_ptr<AccountRepository> m_accounts;
    std::unique_ptr<CalendarRepository> m_calendars;
    std::unique_ptr<EventRepository> m_events;
    std::unique_ptr<FilterRuleRepository> m_filterRules;
    std::unique_ptr<ViewRepository> m_views;
    std::unique_ptr<TaskRepository> m_tasks;
};
