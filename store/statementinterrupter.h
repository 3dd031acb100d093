#pragma once

class Database;

// Stops the statement a connection is running, from another thread: a read
// of tens of thousands of rows is one step of its reader, and quitting must
// not wait for it. Taken on the connection's own thread while it is open;
// the caller keeps the connection open while it may interrupt (a lock around
// both). The interrupted statement fails as if the database had refused it,
// and a transaction it wrote in is rolled back; a connection running nothing
// is left as it is.
class StatementInterrupter
{
public:
    StatementInterrupter() = default;
    explicit StatementInterrupter(Database *database);

    // From any thread, while the connection is open.
    void interrupt() const;

private:
    // The connection's sqlite3 handle.
    void *m_handle = nullptr;
};
