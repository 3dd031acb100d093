#pragma once

class AccountRepository;
class CalendarRepository;
class Database;
class EventRepository;
class TaskRepository;

namespace Sync {

// The store as a sync client sees it. Borrowed, never owned: the
// application hub keeps them alive for as long as any sync runs. A client
// uses only the repositories it needs.
struct Repositories
{
    Database *database = nullptr;
    EventRepository *events = nullptr;
    TaskRepository *tasks = nullptr;
    CalendarRepository *calendars = nullptr;
    AccountRepository *accounts = nullptr;
};

} // namespace Sync
