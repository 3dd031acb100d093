#pragma once

#include "sync/caldav/caldavsyncclient.h"

#include <functional>

class QObject;
struct Account;

namespace Sync {
class CalendarSyncClient;
}

// Makes the sync client of one account's provider for one sync pass; the
// orchestration talks to every provider only through the client interface.
class SyncClientFactory
{
public:
    virtual ~SyncClientFactory();

    // A client owned by `parent`, or nullptr when this build has no client
    // for the account's type. CalDAV clients are given `connection`; the
    // others find their own credentials.
    virtual Sync::CalendarSyncClient *create(const Account &account, const CalDavSyncClient::Connection &connection,
                                             QObject *parent) = 0;
    // Starts the pull of the cloud's calendar list on a client owned by
    // `parent`; `done` runs once it ended, whatever came of it.
    virtual void pullCloudCalendarList(QObject *parent, std::function<void()> done) = 0;
};
