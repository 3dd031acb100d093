#include "store/storewriter.h"

#include <QFileInfo>
#include <QSqlQuery>

#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"

StoreWriter::StoreWriter(const QString &path, const QString &connectionName)
    : m_database(std::make_unique<Database>())
{
    // The schema is the program's connection's to bring up to date.
    m_open = canOpen(path) && m_database->open(path, connectionName);
    // Short waits for another writer, so that a caller retrying between
    // them can give up at once when asked to stop.
    if (m_open)
        QSqlQuery(m_database->database()).exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(LockWaitMs));
    m_accounts = std::make_unique<AccountRepository>(m_database.get());
    m_calendars = std::make_unique<CalendarRepository>(m_database.get());
    m_events = std::make_unique<EventRepository>(m_database.get());
    m_tasks = std::make_unique<TaskRepository>(m_database.get());
    m_events->holdChanges(true);
}

// The repositories go first: they hold statements on the connection.
StoreWriter::~StoreWriter()
{
    m_tasks.reset();
    m_events.reset();
    m_calendars.reset();
    m_accounts.reset();
    m_database.reset();
}

bool StoreWriter::canOpen(const QString &path)
{
    return !path.isEmpty() && !path.startsWith(QLatin1Char(':')) && !path.startsWith(QLatin1String("file:"))
        && QFileInfo::exists(path);
}
