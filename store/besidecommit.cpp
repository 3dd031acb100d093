#include "store/besidecommit.h"

#include <QThread>

#include <sqlite3.h>

BesideCommit::BesideCommit(sqlite3 *handle, const QByteArray &sql, const QByteArray &undoSql)
    : m_outcome(std::make_shared<Outcome>())
{
    m_thread.reset(QThread::create([handle, sql, undoSql, outcome = m_outcome] {
        outcome->ok = sqlite3_exec(handle, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
        if (outcome->ok)
            return;
        outcome->error = QString::fromUtf8(sqlite3_errmsg(handle));
        sqlite3_exec(handle, undoSql.constData(), nullptr, nullptr, nullptr);
    }));
    m_thread->setObjectName(QStringLiteral("BesideCommit"));
}

void BesideCommit::start()
{
    m_thread->start();
}

BesideCommit::~BesideCommit()
{
    wait();
}

void BesideCommit::wait()
{
    m_thread->wait();
}

bool BesideCommit::ok() const
{
    return m_outcome->ok;
}

QString BesideCommit::error() const
{
    return m_outcome->error;
}
