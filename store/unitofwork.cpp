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
    // The safety level cannot change inside a transaction: before it begins.
    if (m_large)
        setLargeCommit(true);
    m_savepoint = std::make_unique<SavePoint>(database->database(), name);
    if (!m_savepoint->isActive()) {
        m_error = m_savepoint->errorText();
        qWarning().noquote() << "UnitOfWork::begin failed:" << m_error;
        m_savepoint.reset();
        if (m_large)
            setLargeCommit(false);
        return;
    }
    if (m_large)
        setCachePages(true);
}

UnitOfWork::~UnitOfWork()
{
    rollback();
}

void UnitOfWork::setLargeCommit(bool large)
{
    QSqlQuery pragma(m_database->database());
    if (large) {
        const auto read = [&pragma](const char *name) {
            return pragma.exec(QStringLiteral("PRAGMA %1").arg(QLatin1String(name))) && pragma.next()
                       ? pragma.value(0).toString()
                       : QString();
        };
        m_synchronous = read("synchronous");
        m_autoCheckpoint = read("wal_autocheckpoint");
        // With a write-ahead log, NORMAL keeps the file sound; the commit
        // is on disk once the checkpoint after it has run.
        pragma.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
        pragma.exec(QStringLiteral("PRAGMA wal_autocheckpoint=0"));
        return;
    }
    if (!m_synchronous.isEmpty())
        pragma.exec(QStringLiteral("PRAGMA synchronous=%1").arg(m_synchronous.toInt()));
    if (!m_autoCheckpoint.isEmpty())
        pragma.exec(QStringLiteral("PRAGMA wal_autocheckpoint=%1").arg(m_autoCheckpoint.toInt()));
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
    if (!kept) {
        m_error = m_savepoint->errorText();
        qWarning().noquote() << "UnitOfWork::commit failed:" << m_error;
    }
    m_savepoint.reset();
    settle(kept);
    return kept;
}

// Puts back what a large unit changed, once its transaction ended.
void UnitOfWork::settle(bool kept)
{
    if (!m_large)
        return;
    setCachePages(false);
    setLargeCommit(false);
    if (kept)
        m_database->checkpointLater();
}

void UnitOfWork::rollback()
{
    if (!m_savepoint)
        return;
    // An unreleased savepoint rolls back as it goes.
    m_savepoint.reset();
    if (m_large) {
        setCachePages(false);
        setLargeCommit(false);
    }
}
