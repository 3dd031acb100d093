#include "tests/support/teststore.h"

#include "store/accountrepository.h"
#include "store/calendarrepository.h"

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

bool seedLocalCalendars(Database *db, const QStringList &calendarIds)
{
    AccountRepository accounts(db);
    Account account;
    account.id = QStringLiteral("acc");
    account.name = QStringLiteral("Local");
    account.type = QStringLiteral("tindlebrook");
    if (!accounts.insert(account))
        return false;
    CalendarRepository calendars(db);
    for (const QString &id : calendarIds) {
        Calendar c;
        c.id = id;
        c.account_id = account.id;
        c.url = QStringLiteral("local://") + id;
        c.name = id;
        if (!calendars.insert(c))
            return false;
    }
    return true;
}

QString storedColumn(Database *db, const QString &table, const QString &id, const QString &column)
{
    QSqlQuery q(db->database());
    q.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE id = ?").arg(column, table));
    q.addBindValue(id);
    if (!q.exec() || !q.next())
        return QStringLiteral("<no row>");
    return q.value(0).isNull() ? QStringLiteral("<null>") : q.value(0).toString();
}
