#pragma once

#include <QSqlDatabase>
#include <QString>

// Makes a row and its child rows one write: everything between construction
// and release() is undone unless release() succeeds. Savepoints nest, so a
// caller's own transaction around the write keeps working.
class SavePoint
{
public:
    SavePoint(QSqlDatabase &db, const QString &name);
    ~SavePoint();

    SavePoint(const SavePoint &) = delete;
    SavePoint &operator=(const SavePoint &) = delete;

    bool isActive() const;
    // Keeps the changes. On failure the changes are rolled back.
    bool release();
    // The database's text for the last failed savepoint statement.
    QString errorText() const;

private:
    bool run(const QString &sql);
    void rollback();

    QSqlDatabase &m_db;
    QString m_name;
    QString m_error;
    bool m_active = false;
};
