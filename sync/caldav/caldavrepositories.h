#pragma once

class AccountRepository;
class CalendarRepository;
class Database;
class EventRepository;
class TaskRepository;

// The store as the CalDAV sync sees it. Borrowed, never owned: the
// application hub keeps them alive for as long as any sync runs.
struct CalDavRepositories
{
    Database *database = nullptr;
    EventRepository *events = nullptr;
    TaskRepository *tasks = nullptr;
    CalendarRepository *calendars = nullptr;
    AccountRepository *accounts = nullptr;
};
