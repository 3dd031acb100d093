#pragma once

#include "account/sharingbackend.h"

namespace TindAccount {
class ApiClient;
}

namespace Tindlebrook {

// Shares cloud calendars over the cloud sync service. calendarId is the
// server's calendar id (SyncClient::serverCalendarId of the calendar's url).
// Without an API client (signed out) every operation answers "no" at once.
class SharingBackend : public TindAccount::SharingBackend
{
    Q_OBJECT
public:
    explicit SharingBackend(TindAccount::ApiClient *api, QObject *parent = nullptr);

    void listMembers(const QString &calendarId, MembersCallback callback) override;
    void shareWith(const QString &calendarId, const QString &userId, const QString &role,
                   ShareCallback callback) override;
    void removeShare(const QString &calendarId, const QString &userId, RemoveCallback callback) override;

private:
    TindAccount::ApiClient *m_api;
};

} // namespace Tindlebrook
