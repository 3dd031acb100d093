#include "tests/support/teststore.h"

#include "store/accountrepository.h"
#include "store/calendarrepository.h"

#include <QDebug>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>

#include <algorithm>

TestStore::TestStore()
{
    m_open = m_dir.isValid() && m_db.open(m_dir.databasePath()) && m_db.migrate();
}

TestStore::TestStore(int version)
{
    m_open = m_dir.isValid() && m_db.open(m_dir.databasePath())
             && exec(QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER PRIMARY KEY, "
                                    "name TEXT NOT NULL, applied_at TEXT NOT NULL DEFAULT (datetime('now')))"));
    for (const Database::Migration &migration : Database::migrations()) {
        if (!m_open || migration.version > version)
            break;
        QFile script(migration.resourcePath);
        m_open = script.open(QIODevice::ReadOnly)
                 && m_db.applyMigration(migration.version, migration.name, QString::fromUtf8(script.readAll()));
    }
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
    account.type = AccountType::Tindlebrook;
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

bool changeAnnouncementPending(const QObject *repository)
{
    const QList<QTimer *> timers = repository->findChildren<QTimer *>();
    return std::any_of(timers.cbegin(), timers.cend(), [](const QTimer *t) { return t->isActive(); });
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
