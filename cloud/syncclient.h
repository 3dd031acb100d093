#pragma once

#include <QObject>

class AppState;

namespace TindAccount {
class ApiClient;
}

namespace Tindlebrook {

// Keeps the user's cloud calendars and the local store in step over the
// cloud sync service. Short-lived: one per sync run or calendar-list pull.
class SyncClient : public QObject
{
    Q_OBJECT
public:
    SyncClient(AppState *appState, TindAccount::ApiClient *api, QObject *parent = nullptr);

    // Fetches the cloud calendar list and adds the calendars that are new
    // here; ends with calendarListPulled.
    void pullCalendarList();

Q_SIGNALS:
    void calendarListPulled(int newCount);

private:
    AppState *m_appState;
    TindAccount::ApiClient *m_api;
};

} // namespace Tindlebrook
