#include "store/sqlitestatement.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

SqliteStatement::SqliteStatement(QSqlDatabase &db, const QString &sql)
{
    const QVariant handle = db.isOpen() && db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) {
        m_error = QStringLiteral("not an open SQLite connection");
        return;
    }
    m_handle = *static_cast<sqlite3 *const *>(handle.constData());
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(m_handle, text.constData(), int(text.size()), &m_statement, nullptr) != SQLITE_OK) {
        m_error = QString::fromUtf8(sqlite3_errmsg(m_handle));
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
        return;
    }
    m_texts.resize(sqlite3_bind_parameter_count(m_statement));
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

void SqliteStatement::bindText(int position, const QString &value)
{
    if (!m_statement || position < 1 || position > m_texts.size())
        return;
    if (value.isNull()) {
        sqlite3_bind_null(m_statement, position);
        return;
    }
    QByteArray &text = m_texts[position - 1];
    text = value.toUtf8();
    sqlite3_bind_text(m_statement, position, text.constData(), int(text.size()), SQLITE_STATIC);
}

void SqliteStatement::bindInt(int position, qint64 value)
{
    if (m_statement)
        sqlite3_bind_int64(m_statement, position, value);
}

bool SqliteStatement::exec()
{
    if (!m_statement)
        return false;
    const bool done = sqlite3_step(m_statement) == SQLITE_DONE;
    if (!done)
        m_error = QString::fromUtf8(sqlite3_errmsg(m_handle));
    sqlite3_reset(m_statement);
    return done;
}
