#include "store/statementinterrupter.h"

#include <QSqlDriver>
#include <QVariant>

#include "store/database.h"

#include <sqlite3.h>

StatementInterrupter::StatementInterrupter(Database *database)
{
    if (!database || !database->database().isOpen())
        return;
    const QVariant handle = database->database().driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        m_handle = *static_cast<sqlite3 *const *>(handle.constData());
}

void StatementInterrupter::interrupt() const
{
    if (m_handle)
        sqlite3_interrupt(static_cast<sqlite3 *>(m_handle));
}
