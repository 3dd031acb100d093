#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QThread;
struct sqlite3;

// Ends a connection's open transaction (the commit of a large write) on a
// thread of its own, so that the thread owning the connection keeps
// running while SQLite finishes the write. A connection is never used by
// two threads at once: its owner calls wait() before its next use.
class BesideCommit
{
public:
    // start() runs `sql` on `handle`; when that fails, `undoSql` runs after
    // it (the write is undone) and error() says why.
    BesideCommit(sqlite3 *handle, const QByteArray &sql, const QByteArray &undoSql);
    ~BesideCommit();

    BesideCommit(const BesideCommit &) = delete;
    BesideCommit &operator=(const BesideCommit &) = delete;

    // Connect to thread()'s finished() before start().
    QThread *thread() const { return m_thread.get(); }
    void start();
    void wait();
    // Once wait() returned.
    bool ok() const;
    QString error() const;

private:
    struct Outcome
    {
        bool ok = false;
        QString error;
    };

    std::shared_ptr<Outcome> m_outcome;
    std::unique_ptr<QThread> m_thread;
};
