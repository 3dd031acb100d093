#include "store/unitofwork.h"

#include "store/database.h"
#include "store/savepoint.h"

#include <QDebug>
#include <QSqlQuery>

namespace {

// The connection's usual page cache (Database::open) and the one a large
// unit keeps while it runs: what does not fit is written out early.
const char kUsualCache[] = "PRAGMA cache_size=-8192";
const char kLargeUnitCache[] = "PRAGMA cache_size=-512";

} // namespace

UnitOfWork::UnitOfWork(Database *database, const QString &name, Size size)
    : m_database(database)
    , m_large(size == Size::Large)
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
        return;
    }
    if (m_large)
        setCachePages(true);
}

UnitOfWork::~UnitOfWork()
{
    rollback();
}

void UnitOfWork::setCachePages(bool small)
{
    QSqlQuery pragma(m_database->database());
    pragma.exec(QLatin1String(small ? kLargeUnitCache : kUsualCache));
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
    if (m_large)
        setCachePages(false);
    if (!kept) {
        m_error = m_savepoint->errorText();
        qWarning().noquote() << "UnitOfWork::commit failed:" << m_error;
    }
    m_savepoint.reset();
    return kept;
}

void UnitOfWork::rollback()
{
    if (!m_savepoint)
        return;
    // An unreleased savepoint rolls back as it goes.
    m_savepoint.reset();
    if (m_large)
        setCachePages(false);
}
