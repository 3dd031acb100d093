#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>

// The steps every repository statement shares: prepare, bind positional
// values, run, and on failure log "Class::operation failed:" with the
// database text.
namespace SqlQuery {

// A table's column list, in the order its fromRow() reads it.
class Columns
{
public:
    constexpr explicit Columns(const char *list)
        : m_list(list)
    {
    }
    // The statement with %1 replaced by the column list.
    QString operator()(const char *sql) const;

private:
    const char *m_list;
};

// Prepares sql on query, binds the values in order and runs it.
bool run(QSqlQuery &query, const QString &sql, const QVariantList &binds);

// Runs a write; a failure is logged as "<className>::<operation> failed:"
// followed by the database text.
bool exec(QSqlDatabase &db, const char *className, const char *operation, const QString &sql,
          const QVariantList &binds);

// Runs a write of one existing row, like exec(); a statement that matched no
// row is a failure too, logged as "… failed: no such row".
bool execOnRow(QSqlDatabase &db, const char *className, const char *operation, const QString &sql,
               const QVariantList &binds);

// Runs the prepared main statement and then writeChildren as one write,
// inside a savepoint named savePointName: the first failure is logged like
// exec() and undoes the whole write. A main statement that matched no row
// (an update of an unknown id) fails the same way.
bool execWithChildren(QSqlDatabase &db, const QString &savePointName, const char *className,
                      const char *operation, QSqlQuery &main,
                      const std::function<bool(QString *error)> &writeChildren);

// Gives the ids the order numbers 10, 20, 30, … in list order, in one
// transaction: sql is run once per id with the number, the current instant
// and the id bound. Any failure, an unknown id included, is logged like
// exec() and undoes them all.
bool renumber(QSqlDatabase &db, const char *className, const char *operation, const QString &sql,
              const QStringList &ids);

// The first column of the first row a read returns; an invalid value when
// there is none or the read fails.
QVariant firstValue(QSqlDatabase &db, const QString &sql, const QVariantList &binds);

// Runs a read and maps each row with fromRow; an empty list when it fails.
template <typename Record>
QList<Record> select(QSqlDatabase &db, const QString &sql, const QVariantList &binds,
                     Record (*fromRow)(const QSqlQuery &))
{
    QList<Record> out;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!run(query, sql, binds))
        return out;
    while (query.next())
        out.append(fromRow(query));
    return out;
}

} // namespace SqlQuery
