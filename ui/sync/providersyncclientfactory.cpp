#include "ui/sync/providersyncclientfactory.h"

#include <QDebug>

#include "account/client.h"
#include "app/appstate.h"
#include "cloud/syncclient.h"
#include "store/account.h"
#include "sync/google/googlesyncclient.h"
#include "sync/microsoft/microsoftsyncclient.h"
#include "sync/webcal/webcalsyncclient.h"
#include "ui/sync/syncaccounts.h"

#include <utility>

ProviderSyncClientFactory::ProviderSyncClientFactory(AppState *appState)
    : m_appState(appState)
{
}

Sync::CalendarSyncClient *ProviderSyncClientFactory::create(const Account &account,
                                                            const CalDavSyncClient::Connection &connection,
                                                            QObject *parent)
{
    const Sync::Repositories store = m_appState->recordRepositories();
    if (SyncAccounts::isCalDav(account.type)) {
        auto *client = new CalDavSyncClient(
            CalDavRepositories{store.database, store.events, store.tasks, store.calendars, store.accounts}, parent);
        client->setConnection(connection);
        return client;
    }
    if (account.type == AccountType::Webcal)
        return new Webcal::SyncClient(store, parent);
    if (account.type == AccountType::Google)
        return new Google::SyncClient(store, parent);
    if (account.type == AccountType::Tindlebrook) {
        const TindAccount::Client *cloud = m_appState->accountClient();
        return new Tindlebrook::SyncClient(store, m_appState->conflicts(), cloud ? cloud->syncApi() : nullptr,
                                           parent);
    }
    if (account.type == AccountType::Microsoft)
        return new Microsoft::SyncClient(store, parent);
    qInfo().noquote() << "[Sync] No sync client for" << account.type << "accounts in this build; skipping"
                      << account.name;
    return nullptr;
}

void ProviderSyncClientFactory::pullCloudCalendarList(QObject *parent, std::function<void()> done)
{
    const TindAccount::Client *cloud = m_appState->accountClient();
    auto *client = new Tindlebrook::SyncClient(m_appState->recordRepositories(), m_appState->conflicts(),
                                               cloud ? cloud->syncApi() : nullptr, parent);
    QObject::connect(client, &Tindlebrook::SyncClient::calendarListPulled, client,
                     [client, done = std::move(done)](int) {
                         client->deleteLater();
                         done();
                     });
    client->pullCalendarList();
}
