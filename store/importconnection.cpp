#include "store/importconnection.h"

#include <QSqlQuery>

#include "store/database.h"
#include "store/eventrepository.h"
#include "store/storetransaction.h"
#include "store/storewriter.h"

ImportConnection::ImportConnection(Database *program, const QString &name)
    : m_program(program)
{
    if (!program)
        return;
    if (StoreWriter::canOpen(program->path())) {
        m_own = std::make_unique<StoreWriter>(program->path(), name);
        // Each slice adds to the log: a write of the user's on the
        // program's connection would otherwise copy all of it back into the
        // file itself, on the window's thread, once the log is long.
        program->holdCheckpoints(true);
        return;
    }
    m_programEvents = std::make_unique<EventRepository>(program);
    m_programEvents->holdChanges(true);
}

// The repository goes first: it holds statements on the connection.
ImportConnection::~ImportConnection()
{
    m_programEvents.reset();
    if (!m_own)
        return;
    m_own.reset();
    m_program->holdCheckpoints(false);
}

bool ImportConnection::isOpen() const
{
    return m_own ? m_own->isOpen() : m_programEvents != nullptr;
}

Database *ImportConnection::database() const
{
    return m_own ? m_own->database() : m_program;
}

EventRepository *ImportConnection::events() const
{
    return m_own ? m_own->events() : m_programEvents.get();
}

std::unique_ptr<StoreTransaction> ImportConnection::begin(int waitMs, QString *error)
{
    if (!isOpen())
        return nullptr;
    std::unique_ptr<StoreTransaction> transaction;
    if (m_own) {
        QSqlQuery(m_own->database()->database()).exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(qMax(0, waitMs)));
        transaction = std::make_unique<StoreTransaction>(m_own->database(), QStringLiteral("ics_import"),
                                                          StoreTransaction::Lock::Immediate);
    } else {
        // Nobody else writes a store in memory; a savepoint nests in
        // whatever the program's connection has open.
        transaction = std::make_unique<StoreTransaction>(m_program, QStringLiteral("ics_import"));
    }
    if (!transaction->isActive()) {
        if (error)
            *error = transaction->errorText();
        return nullptr;
    }
    return transaction;
}
