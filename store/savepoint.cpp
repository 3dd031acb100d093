#include "store/savepoint.h"

#include <QSqlError>
#include <QSqlQuery>

SavePoint::SavePoint(QSqlDatabase &db, const QString &name)
    : m_db(db)
    , m_name(name)
{
    m_active = run(QStringLiteral("SAVEPOINT ") + m_name);
}

SavePoint::~SavePoint()
{
    if (m_active)
        rollback();
}

bool SavePoint::isActive() const
{
    return m_active;
}

QString SavePoint::errorText() const
{
    return m_error;
}

bool SavePoint::run(const QString &sql)
{
    QSqlQuery query(m_db);
    if (query.exec(sql))
        return true;
    m_error = query.lastError().text();
    return false;
}

bool SavePoint::release()
{
    if (!m_active)
        return false;
    if (!run(QStringLiteral("RELEASE SAVEPOINT ") + m_name)) {
        rollback();
        return false;
    }
    m_active = false;
    return true;
}

void SavePoint::rollback()
{
    // ROLLBACK TO leaves the savepoint open; RELEASE then closes it (and the
    // transaction it started, if there was no outer one).
    run(QStringLiteral("ROLLBACK TO SAVEPOINT ") + m_name);
    run(QStringLiteral("RELEASE SAVEPOINT ") + m_name);
    m_active = false;
}
