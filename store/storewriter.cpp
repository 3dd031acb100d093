#include "store/storewriter.h"

#include <QFileInfo>
#include <QSqlQuery>

#include "store/database.h"
#include "store/eventrepository.h"

StoreWriter::StoreWriter(const QString &path, const QString &connectionName)
{
    // The schema is the program's connection's to bring up to date.
    m_open = canOpen(path) && m_database->open(path, connectionName);
    if (m_open) {
        QSqlQuery pragma(m_database->database());
        // Short waits for another writer, so that a caller retrying between
        // them can give up at once when asked to stop.
        pragma.exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(LockWaitMs));
        // What a writer here stores can be fetched again (a pull runs
        // again): its commit waits for no sync to disk, and leaves copying
        // the log back into the file to the program's checkpointer
        // (Database::checkpointLater) instead of doing it inside the commit.
        pragma.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
        pragma.exec(QStringLiteral("PRAGMA wal_autocheckpoint=0"));
    }
    makeRepositories();
    events()->holdChanges(true);
}

bool StoreWriter::canOpen(const QString &path)
{
    return !path.isEmpty() && !path.startsWith(QLatin1Char(':')) && !path.startsWith(QLatin1String("file:"))
        && QFileInfo::exists(path);
}
