#include "store/storetransaction.h"

#include <QSqlError>
#include <QSqlQuery>

#include "store/database.h"
#include "store/savepoint.h"

StoreTransaction::StoreTransaction(Database *database, const QString &name, Lock lock)
    : m_database(database)
{
    if (lock == Lock::Immediate) {
        m_began = run(QStringLiteral("BEGIN IMMEDIATE"));
        if (!m_began)
            return;
    }
    m_savePoint = std::make_unique<SavePoint>(database->database(), name);
}

StoreTransaction::~StoreTransaction()
{
    m_savePoint.reset();
    if (m_began)
        run(QStringLiteral("ROLLBACK"));
}

bool StoreTransaction::isActive() const
{
    return m_savePoint && m_savePoint->isActive();
}

bool StoreTransaction::commit()
{
    if (!m_savePoint || !m_savePoint->release())
        return false;
    if (!m_began)
        return true;
    if (!run(QStringLiteral("COMMIT")))
        return false;
    m_began = false;
    return true;
}

QString StoreTransaction::errorText() const
{
    if (!m_error.isEmpty())
        return m_error;
    return m_savePoint ? m_savePoint->errorText() : QString();
}

bool StoreTransaction::run(const QString &sql)
{
    QSqlQuery query(m_database->database());
    if (query.exec(sql))
        return true;
    m_error = query.lastError().text();
    return false;
}
