#pragma once

#include <QObject>

class AppState;
class QTimer;

namespace TindAccount {
class ApiClient;
}

namespace Tindlebrook {

// Carries the user's configuration between devices through the cloud sync
// service: every five minutes while signed in, shortly after a filter change,
// and on request.
class ConfigSyncService : public QObject
{
    Q_OBJECT
public:
    enum State : int {
        UpToDate = 0,
        Syncing = 1,
        Failed = 2,
        AuthExpired = 3,
        Offline = 5,
    };
    Q_ENUM(State)

    ConfigSyncService(AppState *appState, TindAccount::ApiClient *apiClient, QObject *parent = nullptr);

    State state() const { return m_state; }
    bool isAutoSyncActive() const;
    bool isMutationSyncPending() const;

public Q_SLOTS:
    void syncNow();
    void syncOnMutation();
    void startAutoSync();
    void stopAutoSync();

Q_SIGNALS:
    void stateChanged(Tindlebrook::ConfigSyncService::State state);

private:
    void setState(State state);

    AppState *m_appState;
    TindAccount::ApiClient *m_apiClient;
    QTimer *m_autoSyncTimer;
    QTimer *m_debounceTimer;
    State m_state = UpToDate;
};

} // namespace Tindlebrook
