#include "tests/support/teststore.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>

TestStore::TestStore()
{
    m_open = m_dir.isValid() && m_db.open(m_dir.databasePath()) && m_db.migrate();
}

bool TestStore::exec(const QString &sql)
{
    QSqlQuery query(m_db.database());
    if (!query.exec(sql)) {
        qWarning() << "TestStore::exec:" << sql << query.lastError().text();
        return false;
    }
    return true;
}

QVariant TestStore::scalar(const QString &sql)
{
    QSqlQuery query(m_db.database());
    if (!query.exec(sql) || !query.next())
        return QVariant();
    return query.value(0);
}

int TestStore::count(const QString &table, const QString &where)
{
    QString sql = QStringLiteral("SELECT COUNT(*) FROM ") + table;
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    return scalar(sql).toInt();
}
