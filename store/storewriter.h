#pragma once

#include "store/storeconnection.h"

#include <QString>

// The store's repositories over a writable connection of their own, for a
// large write (a sync's pull) on a worker thread. Like StoreReader it is
// built, used and destroyed on one thread. Its repositories announce no
// changes: the program's own repositories are told once the write lands,
// and the caller asks the program's Database to checkpoint then.
class StoreWriter : public StoreConnection
{
public:
    // Opens `path` under `connectionName`, which must be unique in the process.
    StoreWriter(const QString &path, const QString &connectionName);

    // How long one statement waits for another connection's write lock.
    static constexpr int LockWaitMs = 50;

    // Whether a store at `path` can be written from a second connection: a
    // database in memory is private to the connection that made it.
    static bool canOpen(const QString &path);
};
