#include "store/storeconnection.h"

#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"

StoreConnection::StoreConnection()
    : m_database(std::make_unique<Database>())
{
}

// The repositories go first: they hold statements on the connection.
StoreConnection::~StoreConnection()
{
    m_tasks.reset();
    m_events.reset();
    m_calendars.reset();
    m_accounts.reset();
    m_database.reset();
}

void StoreConnection::makeRepositories()
{
    m_accounts = std::make_unique<AccountRepository>(m_database.get());
    m_calendars = std::make_unique<CalendarRepository>(m_database.get());
    m_events = std::make_unique<EventRepository>(m_database.get());
    m_tasks = std::make_unique<TaskRepository>(m_database.get());
}
