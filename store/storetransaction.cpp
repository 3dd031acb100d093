#include "store/storetransaction.h"

#include "store/database.h"
#include "store/savepoint.h"

StoreTransaction::StoreTransaction(Database *database, const QString &name)
    : m_savePoint(std::make_unique<SavePoint>(database->database(), name))
{
}

StoreTransaction::~StoreTransaction() = default;

bool StoreTransaction::isActive() const
{
    return m_savePoint->isActive();
}

bool StoreTransaction::commit()
{
    return m_savePoint->release();
}

QString StoreTransaction::errorText() const
{
    return m_savePoint->errorText();
}
