#include "ui/sync/syncorchestrator.h"

#include <QCoreApplication>
#include <QDebug>
#include <QNetworkReply>
#include <QTimer>
#include <QUrl>

#include "app/appstate.h"
#include "app/platform/datadirectory.h"
#include "app/secrets/tokenstore.h"
#include "cloud/configsyncservice.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "sync/caldav/caldavclient.h"
#include "sync/caldav/caldavdiscovery.h"
#include "sync/caldav/mergediscoveredcalendars.h"
#include "sync/core/pullapplyworker.h"
#include "sync/core/syncerrorcode.h"
#include "ui/sync/fullsyncreset.h"
#include "ui/sync/providersyncclientfactory.h"
#include "ui/sync/syncaccounts.h"
#include "ui/sync/syncclientrun.h"
#include "ui/sync/syncwiring.h"

#include <limits>
#include <utility>

// The status texts are translated as the main window's, which shows them.

SyncOrchestrator::SyncOrchestrator(AppState *appState, QObject *parent)
    : QObject(parent)
    , m_appState(appState)
    , m_ownFactory(std::make_unique<ProviderSyncClientFactory>(appState))
    , m_factory(m_ownFactory.get())
    , m_secretStoreMaker([] { return TindAccount::TokenStore::create(applicationServiceId()); })
    , m_clock([] { return QDateTime::currentDateTimeUtc(); })
    , m_autoSyncTimer(new QTimer(this))
    , m_periodicSyncTimer(new QTimer(this))
{
    m_autoSyncTimer->setSingleShot(true);
    m_autoSyncTimer->setInterval(kAutoSyncDelayMs);
    connect(m_autoSyncTimer, &QTimer::timeout, this, &SyncOrchestrator::runAutoSync);
    connect(appState->events(), &EventRepository::eventsChanged, this, &SyncOrchestrator::queueAutoSync);
    connect(appState->tasks(), &TaskRepository::tasksChanged, this, &SyncOrchestrator::queueAutoSync);
    connect(appState, &AppState::calendarSyncRequested, this, &SyncOrchestrator::syncCalendarsNow);
    connect(appState, &AppState::calendarListPullRequested, this, &SyncOrchestrator::pullCalendarList);
    // A sign-in before this existed (a restored session) left its pull
    // waiting; on the next turn, once the window has wired its signals.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_appState->takeCalendarListPull())
                pullCalendarList();
        },
        Qt::QueuedConnection);
    m_periodicSyncTimer->setInterval(kPeriodicCheckMs);
    connect(m_periodicSyncTimer, &QTimer::timeout, this, &SyncOrchestrator::onPeriodicSyncTick);
    m_periodicSyncTimer->start();
    TindAccount::TokenStore::whenReady(this, [this] { onSecretsReady(); });
}

SyncOrchestrator::~SyncOrchestrator()
{
    // The clients go first, while the bookkeeping they hand their calendars
    // back to still exists; nobody hears about it any more.
    m_closing = true;
    blockSignals(true);
    qDeleteAll(findChildren<Sync::CalendarSyncClient *>(QString(), Qt::FindDirectChildrenOnly));
}

void SyncOrchestrator::abandonForQuit()
{
    m_closing = true;
    m_autoSyncTimer->stop();
    m_periodicSyncTimer->stop();
    blockSignals(true);
    // The clients, their transports and their workers are all below this
    // object. A reply aborted with its signals blocked is heard by nobody,
    // so no client records a failure for it.
    for (QNetworkReply *reply : findChildren<QNetworkReply *>()) {
        reply->blockSignals(true);
        reply->abort();
    }
    // A queue's worker is below it too; abandoned, it starts nothing more.
    for (PullApplyWorker *worker : findChildren<PullApplyWorker *>())
        worker->abandon();
}

void SyncOrchestrator::setClientFactory(SyncClientFactory *factory)
{
    m_factory = factory ? factory : m_ownFactory.get();
}

void SyncOrchestrator::setSecretStoreMaker(SecretStoreMaker maker)
{
    m_secretStoreMaker = std::move(maker);
    onSecretsReady();
}

void SyncOrchestrator::onSecretsReady()
{
    if (m_secretsReady)
        return;
    m_secretsReady = true;
    if (std::exchange(m_syncAllWaiting, false))
        syncAll();
    if (!m_pendingAutoSyncCalendarIds.isEmpty())
        m_autoSyncTimer->start();
}

void SyncOrchestrator::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

QString SyncOrchestrator::passwordMissingText()
{
    // Stored as a code; the user reads it through SyncErrorCode::displayText.
    return QString::fromLatin1(SyncErrorCode::PasswordMissing);
}

void SyncOrchestrator::syncAll()
{
    if (m_closing)
        return;
    if (!m_secretsReady) {
        m_syncAllWaiting = true;
        return;
    }
    m_syncedEventTotal = 0;
    const quint64 run = m_nextRun++;
    m_runs.insert(run, FullSyncRun());
    stampAccounts();
    const std::unique_ptr<TindAccount::TokenStore> secrets = m_secretStoreMaker();
    startCalDavAccounts(run, *secrets);
    startProviderAccounts(run, AccountType::Google);
    startProviderAccounts(run, AccountType::Microsoft);
    const TindAccount::Client *cloud = m_appState->accountClient();
    if (cloud && cloud->isAuthenticated())
        startProviderAccounts(run, AccountType::Tindlebrook);
    startProviderAccounts(run, AccountType::Webcal);
    m_runs[run].passesDone = true;
    settleRun(run);
}

void SyncOrchestrator::stampAccounts()
{
    // Stamped when the sync starts, whatever it will bring: the periodic
    // check must not start it again while it runs.
    const QDateTime stamp = now();
    for (Account account : m_appState->accounts()->getAll()) {
        if (!SyncAccounts::isStampedBySync(account))
            continue;
        // Only the sync time: the account itself did not change, and a newer
        // change time would beat a real edit made on another device.
        account.last_sync_time = stamp;
        if (!m_appState->accounts()->recordSyncState(account))
            qWarning() << "[AutoSync] Could not stamp the sync time of" << account.name;
    }
}

QString SyncOrchestrator::readPassword(TindAccount::TokenStore &secrets, const QString &accountId) const
{
    return secrets.read(caldavPasswordKey(accountId)).value_or(QString());
}

void SyncOrchestrator::recordPasswordMissing(const Account &account)
{
    if (account.last_sync_error == passwordMissingText())
        return;
    Account copy = account;
    copy.last_sync_error = passwordMissingText();
    // This device's keyring, not a change to carry to the others.
    if (!m_appState->accounts()->recordSyncState(copy))
        qWarning() << "[AutoSync] Could not mark the missing password of" << copy.name;
}

void SyncOrchestrator::startCalDavAccounts(quint64 run, TindAccount::TokenStore &secrets)
{
    for (const Account &account : m_appState->accounts()->getAll()) {
        if (!account.enabled || !SyncAccounts::isCalDav(account.type))
            continue;
        const QString password = readPassword(secrets, account.id);
        if (password.isEmpty()) {
            qInfo().noquote() << "[Sync] Skipping account" << account.name << "— no password in keyring for"
                              << applicationServiceId();
            recordPasswordMissing(account);
            continue;
        }
        if (account.last_sync_error == passwordMissingText()) {
            Account copy = account;
            copy.last_sync_error.clear();
            if (!m_appState->accounts()->recordSyncState(copy))
                qWarning() << "[AutoSync] Could not clear the password mark of" << copy.name;
        }
        startDiscovery(CalDavSyncContext{run, account.id, account.server_url, account.username, password,
                                         account.trusted_cert_sha256});
    }
}

void SyncOrchestrator::startDiscovery(const CalDavSyncContext &context)
{
    auto *transport = new CalDavClient(this);
    transport->setCredentials(context.username, context.password);
    if (!context.trustedCertSha256.isEmpty())
        transport->setPinnedFingerprint(context.trustedCertSha256);
    auto *discovery = new CalDavDiscovery(transport, this);
    ++m_pendingDiscoveries;
    ++m_runs[context.run].pendingDiscoveries;

    // Calendars added on the server since the last sync join this one.
    connect(discovery, &CalDavDiscovery::completed, this,
            [this, transport, discovery, context](const QList<CalDavParse::DiscoveredCalendar> &calendars) {
                disconnect(discovery, nullptr, this, nullptr);
                const int added = mergeDiscoveredCalendars(m_appState->calendars(), m_appState->accounts(),
                                                           context.accountId, calendars);
                if (added > 0)
                    Q_EMIT statusMessage(
                        QCoreApplication::translate("MainWindow", "Discovered %n new calendar(s).", nullptr, added),
                        4000);
                transport->deleteLater();
                discovery->deleteLater();
                finishDiscovery(context);
            });
    // The calendars already stored sync all the same.
    connect(discovery, &CalDavDiscovery::failed, this, [this, transport, discovery, context](const QString &reason) {
        disconnect(discovery, nullptr, this, nullptr);
        qWarning().noquote() << "[Sync] Rediscovery skipped:" << reason;
        transport->deleteLater();
        discovery->deleteLater();
        finishDiscovery(context);
    });
    discovery->start(QUrl(context.serverUrl));
}

void SyncOrchestrator::finishDiscovery(const CalDavSyncContext &context)
{
    // The calendars are handed out before the discovery counts as done, so
    // the run does not look finished while they start.
    syncCalDavCalendars(context);
    --m_pendingDiscoveries;
    const auto run = m_runs.find(context.run);
    if (run != m_runs.end())
        --run->pendingDiscoveries;
    settleRun(context.run);
    scheduleFollowUp();
}

void SyncOrchestrator::syncCalDavCalendars(const CalDavSyncContext &context)
{
    const std::optional<Account> account = m_appState->accounts()->getById(context.accountId);
    QList<Calendar> calendars = m_appState->calendars()->getByAccount(context.accountId);
    calendars.removeIf([&account](const Calendar &calendar) {
        return !account || !SyncAccounts::syncsCalendar(calendar);
    });
    if (!account || calendars.isEmpty())
        return;
    startClient(context.run, *account, calendars,
                CalDavSyncClient::Connection{context.serverUrl, context.username, context.password,
                                             context.trustedCertSha256});
}

void SyncOrchestrator::startProviderAccounts(quint64 run, AccountType type)
{
    for (const Account &account : m_appState->accounts()->getAll()) {
        if (!account.enabled || account.type != type)
            continue;
        QList<Calendar> calendars = m_appState->calendars()->getByAccount(account.id);
        calendars.removeIf([](const Calendar &calendar) { return !SyncAccounts::syncsCalendar(calendar); });
        startClient(run, account, calendars, CalDavSyncClient::Connection());
    }
}

void SyncOrchestrator::startClient(quint64 run, const Account &account, const QList<Calendar> &calendars,
                                   const CalDavSyncClient::Connection &connection,
                                   const decltype(CalendarSyncRequest::failed) &failed)
{
    if (m_closing)
        return;
    QList<Calendar> toSync;
    QStringList ids;
    for (const Calendar &calendar : calendars) {
        // Two clients over the same pending rows would send them twice; a
        // cloud calendar waits for the list pull, which writes its row.
        if (m_syncing.contains(calendar.id) || (m_listPulling && account.type == AccountType::Tindlebrook)) {
            skipSyncing(run, calendar.id);
            continue;
        }
        toSync.append(calendar);
        ids.append(calendar.id);
    }
    if (toSync.isEmpty())
        return;
    Sync::CalendarSyncClient *client = m_factory->create(account, connection, this);
    if (!client)
        return;
    wireSyncClient(client, m_appState);
    new SyncClientRun(client, this, run, SyncAccounts::isCalDav(account.type), ids);
    if (failed)
        connect(client, &Sync::CalendarSyncClient::calendarSyncFailed, client, failed);
    for (const QString &id : std::as_const(ids))
        m_syncing.insert(id);
    if (run != 0) {
        FullSyncRun &fullRun = m_runs[run];
        fullRun.startedAccounts.insert(account.id);
        fullRun.syncing += int(ids.size());
    }
    // A client may answer at once; the bookkeeping above is complete first.
    for (const Calendar &calendar : std::as_const(toSync)) {
        noteHeldOldCopies(run, calendar.id);
        client->syncCalendar(calendar);
    }
}

void SyncOrchestrator::skipSyncing(quint64 run, const QString &calendarId)
{
    qInfo().noquote() << "[Sync] Calendar" << calendarId << "is still syncing; it syncs again once that ends";
    if (run != 0) {
        m_runs[run].skippedSyncing = true;
        m_followUpFullSync = true;
    } else {
        m_followUpCalendarIds.insert(calendarId);
    }
}

void SyncOrchestrator::settleRun(quint64 run)
{
    const auto found = m_runs.find(run);
    if (found == m_runs.end() || !found->passesDone || found->pendingDiscoveries > 0)
        return;
    FullSyncRun &state = *found;
    if (!state.messageShown) {
        state.messageShown = true;
        // Only accounts that really started a calendar count, and only
        // while something runs: the message must not outlive the sync.
        const int started = int(state.startedAccounts.size());
        if (started > 0 && state.syncing > 0) {
            state.syncingMessage = QCoreApplication::translate("MainWindow", "Syncing %1 account(s)…").arg(started);
            Q_EMIT statusMessage(state.syncingMessage, 0);
        } else if (started == 0 && !state.skippedSyncing) {
            Q_EMIT statusMessage(idleMessage(), 5000);
        }
    }
    if (state.syncing > 0 || syncOnceMore(run))
        return;
    const auto done = m_runs.find(run);
    const QString shown = done->syncingMessage;
    m_runs.erase(done);
    if (!shown.isEmpty())
        Q_EMIT statusMessageEnded(shown);
}

QString SyncOrchestrator::idleMessage() const
{
    for (const Account &account : m_appState->accounts()->getAll()) {
        if (account.enabled && SyncAccounts::isSyncedType(account.type))
            return QCoreApplication::translate("MainWindow", "All caught up, nothing waiting to sync.");
    }
    return QCoreApplication::translate("MainWindow", "No sync accounts configured. Add one in Calendar Accounts.");
}

void SyncOrchestrator::onCalendarCompleted(const SyncClientRun &run, const QString &calendarId, int eventCount)
{
    Q_UNUSED(calendarId)
    const auto synced = [](int count) {
        return QCoreApplication::translate("MainWindow", "Synced %1 events").arg(count);
    };
    if (run.isFullSync()) {
        // Counts come from servers: the total saturates rather than wraps.
        const int room = std::numeric_limits<int>::max() - m_syncedEventTotal;
        m_syncedEventTotal += qBound(0, eventCount, room);
        Q_EMIT statusMessage(synced(m_syncedEventTotal), 4000);
    } else if (eventCount > 0) {
        Q_EMIT statusMessage(synced(eventCount), 3000);
    }
}

void SyncOrchestrator::onCalendarFailed(const SyncClientRun &run, const QString &calendarId, const QString &reason)
{
    if (run.isCalDav())
        m_lastCalDavFailureAt.insert(calendarId, now());
    Q_EMIT statusMessage(reason, run.isFullSync() ? 6000 : 5000);
}

void SyncOrchestrator::onCalendarFinished(quint64 run, const QString &calendarId)
{
    m_syncing.remove(calendarId);
    if (m_closing)
        return;
    startWaitingListPull();
    if (run != 0) {
        const auto found = m_runs.find(run);
        if (found != m_runs.end()) {
            --found->syncing;
            settleRun(run);
        }
    }
    syncOnceMore(0);
    scheduleFollowUp();
}

void SyncOrchestrator::scheduleFollowUp()
{
    if (!m_followUpFullSync && m_followUpCalendarIds.isEmpty())
        return;
    if (!m_syncing.isEmpty() || m_pendingDiscoveries > 0 || m_listPulling)
        return;
    // On the next turn: a client may be inside its own signal here.
    QMetaObject::invokeMethod(this, &SyncOrchestrator::runFollowUp, Qt::QueuedConnection);
}

void SyncOrchestrator::runFollowUp()
{
    if (!m_syncing.isEmpty() || m_pendingDiscoveries > 0)
        return;
    if (m_followUpFullSync) {
        m_followUpFullSync = false;
        m_followUpCalendarIds.clear();
        qInfo() << "[Sync] Running the sync asked for while calendars were still syncing";
        syncAll();
        return;
    }
    if (m_followUpCalendarIds.isEmpty())
        return;
    m_pendingAutoSyncCalendarIds.unite(m_followUpCalendarIds);
    m_followUpCalendarIds.clear();
    m_autoSyncTimer->start();
}

void SyncOrchestrator::onPeriodicSyncTick()
{
    const QDateTime current = now();
    for (const Account &account : m_appState->accounts()->getAll()) {
        if (SyncAccounts::takesPeriodicSync(account) && SyncAccounts::isDue(account, current)) {
            // The full sync stamps every account, so one due account
            // syncs them all.
            syncAll();
            return;
        }
    }
}

void SyncOrchestrator::queueAutoSync(const QString &calendarId)
{
    // Changes made while a sync runs are its own writes or wait for the
    // next full sync.
    if (m_appState->runningSyncCount() >= 1)
        return;
    const auto failedAt = m_lastCalDavFailureAt.constFind(calendarId);
    if (failedAt != m_lastCalDavFailureAt.constEnd() && failedAt->msecsTo(now()) < kCalDavBackOffMs)
        return;
    const std::optional<Calendar> calendar = m_appState->calendars()->getById(calendarId);
    const std::optional<Account> account =
        calendar ? m_appState->accounts()->getById(calendar->account_id) : std::nullopt;
    if (!account || account->type == AccountType::Tindlebrook)
        return;
    if (m_appState->events()->getPending(calendarId).isEmpty() && m_appState->tasks()->getPending(calendarId).isEmpty())
        return;
    m_pendingAutoSyncCalendarIds.insert(calendarId);
    m_autoSyncTimer->start();
}

void SyncOrchestrator::runAutoSync()
{
    // The queue waits for the secrets; they restart the timer.
    if (!m_secretsReady)
        return;
    const std::unique_ptr<TindAccount::TokenStore> secrets = m_secretStoreMaker();
    const QSet<QString> queued = std::exchange(m_pendingAutoSyncCalendarIds, QSet<QString>());
    for (const QString &calendarId : queued)
        startAutoSync(calendarId, *secrets);
}

void SyncOrchestrator::startAutoSync(const QString &calendarId, TindAccount::TokenStore &secrets, quint64 run)
{
    const std::optional<Calendar> calendar = m_appState->calendars()->getById(calendarId);
    const std::optional<Account> account =
        calendar ? m_appState->accounts()->getById(calendar->account_id) : std::nullopt;
    if (!account || !account->enabled || !SyncAccounts::syncsCalendar(*calendar))
        return;
    if (m_syncing.contains(calendarId)) {
        skipSyncing(run, calendarId);
        return;
    }
    const AccountType type = account->type;
    if (type == AccountType::Google || type == AccountType::Microsoft || type == AccountType::Webcal) {
        startClient(run, *account, {*calendar}, CalDavSyncClient::Connection());
        return;
    }
    if (!SyncAccounts::isCalDav(type))
        return;
    const QString password = readPassword(secrets, account->id);
    if (password.isEmpty()) {
        qInfo().noquote() << "[AutoSync] skip — no password for account" << account->id
                          << QStringLiteral("(%1)").arg(account->name);
        recordPasswordMissing(*account);
        return;
    }
    // Straight to the calendar: discovery is the full sync's business.
    startClient(run, *account, {*calendar},
                CalDavSyncClient::Connection{account->server_url, account->username, password,
                                             account->trusted_cert_sha256});
}

void SyncOrchestrator::syncCalendarsNow(const CalendarSyncRequest &request)
{
    // The calendars of one account share one client, as in a full sync.
    QList<Account> accounts;
    QHash<QString, QList<Calendar>> calendarsOf;
    for (const QString &calendarId : request.calendarIds) {
        const std::optional<Calendar> calendar = m_appState->calendars()->getById(calendarId);
        const std::optional<Account> account =
            calendar ? m_appState->accounts()->getById(calendar->account_id) : std::nullopt;
        if (!account)
            continue;
        if (!calendarsOf.contains(account->id))
            accounts.append(*account);
        calendarsOf[account->id].append(*calendar);
    }
    for (const Account &account : std::as_const(accounts)) {
        const QList<Calendar> &calendars = calendarsOf[account.id];
        CalDavSyncClient::Connection connection;
        if (SyncAccounts::isCalDav(account.type) && request.hasConnection()) {
            connection = {request.serverUrl, request.username, request.password, request.pinnedFingerprint};
        } else if (SyncAccounts::isCalDav(account.type)) {
            // Without a typed connection the password comes from the
            // secrets, as for an edit: the auto-sync waits for them.
            for (const Calendar &calendar : calendars)
                m_pendingAutoSyncCalendarIds.insert(calendar.id);
            m_autoSyncTimer->start();
            continue;
        }
        startClient(0, account, calendars, connection, request.failed);
    }
}

void SyncOrchestrator::pullCalendarList()
{
    // Asked of this orchestration now: nothing is left waiting on the hub.
    m_appState->takeCalendarListPull();
    m_listPullWaiting = true;
    startWaitingListPull();
}

void SyncOrchestrator::startWaitingListPull()
{
    if (m_closing || !m_listPullWaiting || m_listPulling || cloudCalendarSyncing())
        return;
    m_listPullWaiting = false;
    m_listPulling = true;
    m_factory->pullCloudCalendarList(this, [this] {
        m_listPulling = false;
        if (m_closing)
            return;
        m_appState->finishCalendarListPull();
        startWaitingListPull();
        scheduleFollowUp();
    });
}

bool SyncOrchestrator::cloudCalendarSyncing() const
{
    for (const QString &calendarId : m_syncing) {
        const std::optional<Calendar> calendar = m_appState->calendars()->getById(calendarId);
        const std::optional<Account> account =
            calendar ? m_appState->accounts()->getById(calendar->account_id) : std::nullopt;
        if (account && account->type == AccountType::Tindlebrook)
            return true;
    }
    return false;
}

void SyncOrchestrator::forceFullSync()
{
    const FullSyncReset::Result result =
        FullSyncReset(m_appState->calendars(), m_appState->events(), m_appState->tasks(), m_appState->accounts())
            .run();
    if (result.discardedEdits > 0)
        qInfo() << "[ForceFullSync] Discarded" << result.discardedEdits
                << "unsynced local edit(s) so the server's copy can win.";
    if (result.keptUnsent > 0)
        qInfo() << "[ForceFullSync] Kept" << result.keptUnsent << "item(s) no server has yet waiting to be sent.";
    // Left in place, the configuration pull resumes from its cursor instead of starting over.
    if (!m_appState->preferences()->remove(QLatin1String(ConfigSyncKeys::Since)))
        qWarning() << "[ForceFullSync] Could not reset the configuration pull";
    Q_EMIT statusMessage(QCoreApplication::translate("MainWindow",
                                                     "Cleared %n calendar sync token(s), running full sync…",
                                                     nullptr, result.clearedCalendars),
                         4000);
    if (Tindlebrook::ConfigSyncService *configSync = m_appState->configSync())
        configSync->syncNow();
    syncAll();
}
