#pragma once

#include <QString>

// What a full sync carries from a CalDAV account's discovery to the sync of
// its calendars: the account's connection, taken when the sync started.
struct CalDavSyncContext
{
    // The full sync it belongs to.
    quint64 run = 0;
    QString accountId;
    QString serverUrl;
    QString username;
    QString password;
    QString trustedCertSha256;
};
