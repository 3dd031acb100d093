#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QSqlDatabase;
struct sqlite3;
struct sqlite3_stmt;

// One statement prepared once on a connection's own SQLite handle, for a
// write run thousands of times in a row (the new rows of a pull or an
// import): its values go straight to SQLite as UTF-8, without the
// bookkeeping QSqlQuery does for every bound value. Used on the thread that
// owns the connection, and destroyed before the connection closes.
class SqliteStatement
{
public:
    SqliteStatement(QSqlDatabase &db, const QString &sql);
    ~SqliteStatement();

    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    bool isValid() const { return m_statement != nullptr; }
    // Values bind by position, from 1; a null text binds NULL. They are
    // kept until the next exec().
    void bindText(int position, const QString &value);
    void bindInt(int position, qint64 value);
    // Runs the statement with the values bound and readies it for the next
    // ones. False when it failed; errorText() says why.
    bool exec();
    QString errorText() const { return m_error; }

private:
    sqlite3 *m_handle = nullptr;
    sqlite3_stmt *m_statement = nullptr;
    // The UTF-8 text of each bound value, alive until the statement runs.
    QList<QByteArray> m_texts;
    QString m_error;
};
