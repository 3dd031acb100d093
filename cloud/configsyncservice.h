#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include "cloud/configdiscovery.h"
#include "cloud/configsynccontext.h"

#include <functional>
#include <memory>

class QTimer;

namespace TindAccount {
class ApiClient;
}

namespace Tindlebrook {

struct ConfigSnapshot;

// What configuration sync reaches outside the store; left empty, nobody
// counts as signed in, the secrets are the application's and the clock is
// the system's.
struct ConfigSyncSeams
{
    std::function<bool()> signedIn;
    std::function<std::unique_ptr<TindAccount::TokenStore>()> secretStore;
    std::function<QDateTime()> clock;
    int autoSyncIntervalMs = 300000;
    int debounceMs = 2000;
    // How long one turn of the event loop applies pulled changes before the
    // window has its turn; 0 applies one change a turn.
    int applySliceMs = 5;
    ConfigDiscovery::Options discovery;
};

// Carries the user's configuration between devices through the cloud sync
// service: every five minutes while signed in, shortly after a filter change,
// and on request. A cycle pushes the whole local configuration, pulls what
// was recorded after the stored cursor, applies it and stores the new cursor.
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

    using Seams = ConfigSyncSeams;

    ConfigSyncService(const ConfigSyncRepositories &repositories, TindAccount::ApiClient *apiClient,
                      Seams seams = Seams(), QObject *parent = nullptr);
    ~ConfigSyncService() override;

    State state() const { return m_state; }
    bool isAutoSyncActive() const;
    bool isMutationSyncPending() const;
    // True from the start of a cycle to its end, whatever the state shows.
    bool isCycleRunning() const { return m_inFlight; }
    int completedCycles() const { return m_completedCycles; }

public Q_SLOTS:
    void syncNow();
    void syncOnMutation();
    void startAutoSync();
    void stopAutoSync();

Q_SIGNALS:
    void stateChanged(Tindlebrook::ConfigSyncService::State state);
    // Accounts from another device have calendars now: a calendar sync of
    // everything should follow.
    void syncRequested();
    void cycleFinished();

private:
    void setState(State state);
    void runPush();
    void handlePushReply(bool ok, int status, const QJsonObject &json, const ConfigSnapshot &snapshot);
    void runPull();
    void handlePullReply(bool ok, int status, const QJsonObject &json);
    // The pulled changes are applied a slice per turn of the event loop, so
    // a large pull never holds the window; each ends by calling `then`.
    void applyAccounts(const QJsonArray &changes, std::function<void(const QStringList &toDiscover)> then);
    void applyChanges(const QJsonArray &changes, const QSet<QString> &freshCalendarIds, std::function<void()> then);
    struct PendingApply;
    // Runs the steps, one pulled change each, in slices.
    void applySliced(QList<std::function<void()>> steps, std::function<void()> then);
    void applySlice();
    void saveCursor(const QJsonObject &reply);
    void mapFailure(int status);
    void finishCycle();
    void runPostAccountDiscovery(const QStringList &accountIds, const QJsonArray &changes, const QJsonObject &reply);
    void onPreferenceChanged(const QString &key);
    bool signedIn() const;

    ConfigSyncContext m_context;
    TindAccount::ApiClient *m_apiClient;
    Seams m_seams;
    QTimer *m_autoSyncTimer;
    QTimer *m_debounceTimer;
    // Runs the next slice of the pulled changes being applied, once the
    // window has had its turn.
    QTimer *m_applyTimer;
    std::shared_ptr<PendingApply> m_pendingApply;
    State m_state = UpToDate;
    bool m_inFlight = false;
    bool m_followUp = false;
    // Writes of the appliers are not the user's changes: they start no
    // cycle and stamp no change time. Set only while a slice runs, so an
    // edit made between two slices still counts.
    bool m_applying = false;
    int m_completedCycles = 0;
    QPointer<ConfigDiscovery> m_discovery;
};

} // namespace Tindlebrook
