#include "cloud/configsyncservice.h"

#include <QDebug>
#include <QTimer>

namespace Tindlebrook {

namespace {
constexpr int AutoSyncIntervalMs = 300000;
constexpr int MutationDebounceMs = 2000;
} // namespace

ConfigSyncService::ConfigSyncService(AppState *appState, TindAccount::ApiClient *apiClient,
                                     QObject *parent)
    : QObject(parent)
    , m_appState(appState)
    , m_apiClient(apiClient)
    , m_autoSyncTimer(new QTimer(this))
    , m_debounceTimer(new QTimer(this))
{
    m_autoSyncTimer->setInterval(AutoSyncIntervalMs);
    m_debounceTimer->setInterval(MutationDebounceMs);
    m_debounceTimer->setSingleShot(true);
    connect(m_autoSyncTimer, &QTimer::timeout, this, &ConfigSyncService::syncNow);
    connect(m_debounceTimer, &QTimer::timeout, this, &ConfigSyncService::syncNow);
}

bool ConfigSyncService::isAutoSyncActive() const
{
    return m_autoSyncTimer->isActive();
}

bool ConfigSyncService::isMutationSyncPending() const
{
    return m_debounceTimer->isActive();
}

void ConfigSyncService::syncNow()
{
    if (m_state == Syncing) {
        qInfo() << "[ConfigSync] syncNow skipped — already syncing";
        return;
    }
    if (!m_apiClient) {
        qInfo() << "[ConfigSync] syncNow skipped — no api client";
        return;
    }
    qInfo() << "[ConfigSync] syncNow → running";
    setState(Syncing);
    // The change-record exchange with the sync service is not part of this
    // build; a cycle therefore ends as failed rather than as up to date.
    qWarning() << "[ConfigSync] configuration exchange is not available; nothing was synced";
    setState(Failed);
}

void ConfigSyncService::syncOnMutation()
{
    m_debounceTimer->start();
}

void ConfigSyncService::startAutoSync()
{
    if (!m_autoSyncTimer->isActive())
        m_autoSyncTimer->start();
}

void ConfigSyncService::stopAutoSync()
{
    m_autoSyncTimer->stop();
    m_debounceTimer->stop();
}

void ConfigSyncService::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    Q_EMIT stateChanged(state);
}

} // namespace Tindlebrook
