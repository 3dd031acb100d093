#include "store/sqlquery.h"

#include "store/savepoint.h"
#include "store/storedtime.h"

#include <QDebug>
#include <QSqlError>

namespace SqlQuery {

namespace {

void logFailure(const char *className, const char *operation, const QString &error)
{
    qWarning().noquote() << QStringLiteral("%1::%2 failed:")
                                .arg(QLatin1String(className), QLatin1String(operation))
                         << error;
}

const char kNoSuchRow[] = "no such row";

// A write that ran but touched nothing: the caller's row does not exist.
bool touchedRow(const QSqlQuery &query, const char *className, const char *operation)
{
    if (query.numRowsAffected() > 0)
        return true;
    logFailure(className, operation, QLatin1String(kNoSuchRow));
    return false;
}

} // namespace

QString Columns::operator()(const char *sql) const
{
    return QString::fromLatin1(sql).arg(QLatin1String(m_list));
}

bool run(QSqlQuery &query, const QString &sql, const QVariantList &binds)
{
    query.prepare(sql);
    for (const QVariant &value : binds)
        query.addBindValue(value);
    return query.exec();
}

bool exec(QSqlDatabase &db, const char *className, const char *operation, const QString &sql,
          const QVariantList &binds)
{
    QSqlQuery query(db);
    if (run(query, sql, binds))
        return true;
    logFailure(className, operation, query.lastError().text());
    return false;
}

bool execOnRow(QSqlDatabase &db, const char *className, const char *operation, const QString &sql,
               const QVariantList &binds)
{
    QSqlQuery query(db);
    if (!run(query, sql, binds)) {
        logFailure(className, operation, query.lastError().text());
        return false;
    }
    return touchedRow(query, className, operation);
}

bool execWithChildren(QSqlDatabase &db, const QString &savePointName, const char *className,
                      const char *operation, QSqlQuery &main,
                      const std::function<bool(QString *error)> &writeChildren)
{
    SavePoint savepoint(db, savePointName);
    if (!savepoint.isActive()) {
        logFailure(className, operation, savepoint.errorText());
        return false;
    }
    if (!main.exec()) {
        logFailure(className, operation, main.lastError().text());
        return false;
    }
    if (!touchedRow(main, className, operation))
        return false;
    QString error;
    if (!writeChildren(&error)) {
        logFailure(className, operation, error);
        return false;
    }
    if (!savepoint.release()) {
        logFailure(className, operation, savepoint.errorText());
        return false;
    }
    return true;
}

bool renumber(QSqlDatabase &db, const char *className, const char *operation, const QString &sql,
              const QStringList &ids)
{
    if (!db.transaction()) {
        logFailure(className, operation, db.lastError().text());
        return false;
    }
    const QString now = StoredTime::now();
    int order = 10;
    for (const QString &id : ids) {
        QSqlQuery query(db);
        if (!run(query, sql, {order, now, id})) {
            logFailure(className, operation, query.lastError().text());
            db.rollback();
            return false;
        }
        if (!touchedRow(query, className, operation)) {
            db.rollback();
            return false;
        }
        order += 10;
    }
    if (!db.commit()) {
        logFailure(className, operation, db.lastError().text());
        db.rollback();
        return false;
    }
    return true;
}

QVariant firstValue(QSqlDatabase &db, const QString &sql, const QVariantList &binds)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (run(query, sql, binds) && query.next())
        return query.value(0);
    return QVariant();
}

} // namespace SqlQuery
