#pragma once

class AccountRepository;
class CalendarRepository;
class Database;
class EventRepository;
class TaskRepository;

// The store's records as a caller that writes them in bulk sees them (a
// sync, the sample data): the connection and the four record repositories.
// Borrowed, never owned: the application hub keeps them alive for as long as
// the caller runs. A caller uses only the repositories it needs.
struct RecordRepositories
{
    Database *database = nullptr;
    EventRepository *events = nullptr;
    TaskRepository *tasks = nullptr;
    CalendarRepository *calendars = nullptr;
    AccountRepository *accounts = nullptr;
};
