#include "store/unitofwork.h"

#include "store/database.h"
#include "store/savepoint.h"

#include <QDebug>

UnitOfWork::UnitOfWork(Database *database, const QString &name)
{
    if (!database) {
        m_error = QStringLiteral("no database");
        return;
    }
    m_savepoint = std::make_unique<SavePoint>(database->database(), name);
    if (!m_savepoint->isActive()) {
        m_error = m_savepoint->errorText();
        qWarning().noquote() << "UnitOfWork::begin failed:" << m_error;
        m_savepoint.reset();
    }
}

UnitOfWork::~UnitOfWork()
{
    rollback();
}

bool UnitOfWork::isActive() const
{
    return m_savepoint && m_savepoint->isActive();
}

bool UnitOfWork::commit()
{
    if (!isActive())
        return false;
    const bool kept = m_savepoint->release();
    if (!kept) {
        m_error = m_savepoint->errorText();
        qWarning().noquote() << "UnitOfWork::commit failed:" << m_error;
    }
    m_savepoint.reset();
    return kept;
}

void UnitOfWork::rollback()
{
    // An unreleased savepoint rolls back as it goes.
    m_savepoint.reset();
}
