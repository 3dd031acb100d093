#include "store/storereader.h"

#include "store/database.h"
#include "store/filterrulerepository.h"
#include "store/viewrepository.h"

StoreReader::StoreReader(const QString &path, const QString &connectionName)
{
    m_open = m_database->openReader(path, connectionName);
    makeRepositories();
    m_filterRules = std::make_unique<FilterRuleRepository>(m_database.get());
    m_views = std::make_unique<ViewRepository>(m_database.get());
}

// Its own repositories go before the connection the base closes.
StoreReader::~StoreReader() = default;
