#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>

#include "store/calendar.h"

#include <memory>
#include <type_traits>
#include <utility>

class Database;
class EventRepository;

namespace Sync {
class CalendarSyncClient;
}

// A fake server on a thread of its own, as a real one is another process:
// building pages of thousands of events is the server's work, not the
// program's, and must not count as the program's stalls. Every use of the
// server goes through call(), which runs on the server's thread and waits.
template <typename Server>
class ServerThread
{
public:
    ServerThread()
    {
        m_context.moveToThread(&m_thread);
        m_thread.start();
        QMetaObject::invokeMethod(
            &m_context, [this] { m_server = std::make_unique<Server>(); }, Qt::BlockingQueuedConnection);
    }
    ~ServerThread()
    {
        QMetaObject::invokeMethod(&m_context, [this] { m_server.reset(); }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }

    template <typename Function>
    auto call(Function function) -> decltype(function(std::declval<Server &>()))
    {
        using Result = decltype(function(std::declval<Server &>()));
        if constexpr (std::is_void_v<Result>) {
            QMetaObject::invokeMethod(&m_context, [&] { function(*m_server); }, Qt::BlockingQueuedConnection);
        } else {
            Result result{};
            QMetaObject::invokeMethod(&m_context, [&] { result = function(*m_server); },
                                      Qt::BlockingQueuedConnection);
            return result;
        }
    }

private:
    QThread m_thread;
    QObject m_context;
    std::unique_ptr<Server> m_server;
};

// What one sync of one calendar came to.
struct SyncBenchOutcome
{
    qint64 ms = 0;
    // The count the completion reported; -1 without one.
    int count = -1;
    int completions = 0;
    // The longest stretch the event loop could not answer, from the start
    // to the outcome.
    qint64 longestStallMs = 0;
    QStringList failures;

    const char *verdict() const { return failures.isEmpty() ? "ok  " : "FAIL"; }
    // Prints each failure on a line of its own.
    void printFailures() const;
};

// Syncs the calendar once and waits for the outcome (ten minutes at the
// most), then a little longer, so that a late duplicate answer or the
// debounced change signal lands before anything is counted.
SyncBenchOutcome syncCalendarOnce(Sync::CalendarSyncClient &client, const Calendar &calendar);

// Adds `count` pending events to the calendar, an hour apart from `first`,
// as edits waiting to be pushed.
bool addPendingEvents(EventRepository &events, const QString &calendarId, int count, const QDateTime &first);

// Counts the commits SQLite makes on the database from now on.
void watchCommits(Database *db);
int &committed();
