#pragma once

#include "ui/sync/syncclientfactory.h"

class AppState;

// The program's own clients: CalDAV for "caldav", "icloud" and "zoho",
// feeds for "webcal", Google Calendar for "google", the cloud sync service
// for "tindlebrook". Microsoft calendars have no client in this build yet;
// their accounts are left alone.
class ProviderSyncClientFactory : public SyncClientFactory
{
public:
    explicit ProviderSyncClientFactory(AppState *appState);

    Sync::CalendarSyncClient *create(const Account &account, const CalDavSyncClient::Connection &connection,
                                     QObject *parent) override;
    void pullCloudCalendarList(QObject *parent, std::function<void()> done) override;

private:
    AppState *m_appState;
};
