#pragma once

#include <QMutex>
#include <QString>

#include "store/statementinterrupter.h"

#include <atomic>
#include <memory>

class QThread;
class StoreReader;

// The one thread and connection that read a store's file for every range
// loader of the process. Each reader connection keeps a page cache and each
// thread a heap of its own, so five views reading through five of them held
// tens of megabytes more than one does; their reads are short steps that
// give way to a newer request, so sharing one thread keeps them prompt.
class RangeReaderThread
{
public:
    // The thread reading `path`, started on the first call; it ends when the
    // last loader lets it go.
    static std::shared_ptr<RangeReaderThread> forPath(const QString &path);
    ~RangeReaderThread();

    RangeReaderThread(const RangeReaderThread &) = delete;
    RangeReaderThread &operator=(const RangeReaderThread &) = delete;

    QThread *thread() const { return m_thread; }
    // On the reading thread only: the connection, opened on first use.
    StoreReader *reader();

    // Quitting: the statement being read stops at once and every read,
    // under way or asked for, is given up; the thread serves nothing more.
    // Thread-safe. A loader asking afterwards is given a new thread.
    void close();
    bool isClosing() const { return m_closing.load(); }
    // Closes the reading thread of every store in the process.
    static void closeAll();

private:
    explicit RangeReaderThread(const QString &path);

    QString m_path;
    QString m_connectionName;
    QThread *m_thread = nullptr;
    // Opened, used and closed on m_thread; the interrupter is valid while
    // it is open, both under m_connectionMutex.
    std::unique_ptr<StoreReader> m_reader;
    QMutex m_connectionMutex;
    StatementInterrupter m_interrupter;
    std::atomic_bool m_closing{false};
};
