#include "store/storereader.h"

#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/filterrulerepository.h"
#include "store/taskrepository.h"
#include "store/viewrepository.h"

StoreReader::StoreReader(const QString &path, const QString &connectionName)
    : m_database(std::make_unique<Database>())
{
    m_open = m_database->openReader(path, connectionName);
    m_accounts = std::make_unique<AccountRepository>(m_database.get());
    m_calendars = std::make_unique<CalendarRepository>(m_database.get());
    m_events = std::make_unique<EventRepository>(m_database.get());
    m_filterRules = std::make_unique<FilterRuleRepository>(m_database.get());
    m_views = std::make_unique<ViewRepository>(m_database.get());
    m_tasks = std::make_unique<TaskRepository>(m_database.get());
}

// The repositories go first: they hold statements on the connection.
StoreReader::~StoreReader()
{
    m_tasks.reset();
    m_views.reset();
    m_filterRules.reset();
    m_events.reset();
    m_calendars.reset();
    m_accounts.reset();
    m_database.reset();
}
