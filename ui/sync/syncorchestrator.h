#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include "sync/caldav/caldavsyncclient.h"
#include "app/calendarsyncrequest.h"
#include "store/accounttype.h"
#include "ui/sync/caldavsynccontext.h"
#include "ui/sync/heldoldcopies.h"

#include <functional>
#include <memory>

class AppState;
class QTimer;
class SyncClientFactory;
class SyncClientRun;
struct Account;
struct Calendar;

namespace TindAccount {
class TokenStore;
}

// Decides when the remote calendars sync and with which client: a full
// sync of every account (at start, on request, when an account is due), an
// auto-sync of a calendar shortly after a local change, and the forced
// full sync. Each provider's client does the work; this turns the clients'
// signals into the hub's busy and error state and into status messages,
// and releases each client when its calendars are done.
//
// A calendar syncs on one client at a time: a sync that finds it still
// syncing leaves it out and runs once more when everything has finished.
// The cloud's calendar list is pulled here too, never beside a cloud
// calendar's sync.
class SyncOrchestrator : public QObject
{
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;
    using SecretStoreMaker = std::function<std::unique_ptr<TindAccount::TokenStore>()>;

    static constexpr int kAutoSyncDelayMs = 300;
    static constexpr int kPeriodicCheckMs = 60000;
    static constexpr qint64 kCalDavBackOffMs = 60000;

    // Starts the periodic check and listens for local changes.
    explicit SyncOrchestrator(AppState *appState, QObject *parent = nullptr);
    ~SyncOrchestrator() override;

    // Borrowed; nullptr brings back the program's own clients.
    void setClientFactory(SyncClientFactory *factory);
    // A store made this way is ready at once.
    void setSecretStoreMaker(SecretStoreMaker maker);
    void setClock(Clock clock);

    int syncedEventTotal() const { return m_syncedEventTotal; }
    // Handed to a client and not finished.
    bool isSyncing(const QString &calendarId) const { return m_syncing.contains(calendarId); }
    const QSet<QString> &pendingAutoSyncCalendarIds() const { return m_pendingAutoSyncCalendarIds; }

    // The code an account's error holds while its password is missing.
    static QString passwordMissingText();

    // Quitting: every request still out is aborted unheard, every pull being
    // written is given up (rolled back: its calendar stays as it was, its
    // tag or token not advanced) and nothing new starts or is reported.
    // Before the window saves its state, which would otherwise wait for the
    // pull's hold on the store.
    void abandonForQuit();

public Q_SLOTS:
    void syncAll();
    void onPeriodicSyncTick();
    void queueAutoSync(const QString &calendarId);
    void runAutoSync();
    // Discards unsent edits of items the servers know and every saved sync
    // token, then syncs everything. The caller has asked the user.
    void forceFullSync();
    void syncCalDavCalendars(const CalDavSyncContext &context);
    // A sync asked for where calendars were just added; a calendar still
    // syncing is left out and syncs again once that ends.
    void syncCalendarsNow(const CalendarSyncRequest &request);
    // The pull of the cloud's calendar list a sign-in asked of the hub. It
    // and the cloud calendars' syncs run one at a time: each waits for the
    // other.
    void pullCalendarList();

Q_SIGNALS:
    // A timeout of 0 keeps the message until another replaces it.
    void statusMessage(const QString &text, int timeoutMs);
    // The message is out of date: clear it if it is still shown.
    void statusMessageEnded(const QString &text);

private:
    friend class SyncClientRun;

    // One full sync, from its start to its last calendar.
    struct FullSyncRun
    {
        bool passesDone = false;
        int pendingDiscoveries = 0;
        int syncing = 0;
        QSet<QString> startedAccounts;
        bool skippedSyncing = false;
        bool messageShown = false;
        QString syncingMessage;
        HeldOldCopies held;
        // Its calendars that held an old copy back were pushed once more.
        bool onceMore = false;
    };

    QDateTime now() const { return m_clock(); }
    void stampAccounts();
    void startCalDavAccounts(quint64 run, TindAccount::TokenStore &secrets);
    void startDiscovery(const CalDavSyncContext &context);
    void finishDiscovery(const CalDavSyncContext &context);
    void startProviderAccounts(quint64 run, AccountType type);
    void startClient(quint64 run, const Account &account, const QList<Calendar> &calendars,
                     const CalDavSyncClient::Connection &connection,
                     const decltype(CalendarSyncRequest::failed) &failed = {});
    void startAutoSync(const QString &calendarId, TindAccount::TokenStore &secrets, quint64 run = 0);
    QString readPassword(TindAccount::TokenStore &secrets, const QString &accountId) const;
    void recordPasswordMissing(const Account &account);
    void skipSyncing(quint64 run, const QString &calendarId);
    void settleRun(quint64 run);
    // A moved item's old copy waits for its copy (HeldOldCopies): the
    // calendars holding one are noted as they start, and once the sync's
    // calendars are done (every calendar, for auto-syncs, run 0), those
    // whose copies are up now sync once more, within the same run, and only
    // once. True when that sync started.
    void noteHeldOldCopies(quint64 run, const QString &calendarId);
    bool syncOnceMore(quint64 run);
    QString idleMessage() const;

    // From the clients' runs.
    void onCalendarCompleted(const SyncClientRun &run, const QString &calendarId, int eventCount);
    void onCalendarFailed(const SyncClientRun &run, const QString &calendarId, const QString &reason);
    void onCalendarFinished(quint64 run, const QString &calendarId);
    void scheduleFollowUp();
    void runFollowUp();
    void onSecretsReady();
    void startWaitingListPull();
    bool cloudCalendarSyncing() const;

    AppState *m_appState;
    std::unique_ptr<SyncClientFactory> m_ownFactory;
    SyncClientFactory *m_factory;
    SecretStoreMaker m_secretStoreMaker;
    Clock m_clock;
    QTimer *m_autoSyncTimer;
    QTimer *m_periodicSyncTimer;

    int m_syncedEventTotal = 0;
    QSet<QString> m_pendingAutoSyncCalendarIds;
    // Written by CalDAV failures only; read for the auto-sync back-off.
    QHash<QString, QDateTime> m_lastCalDavFailureAt;
    QSet<QString> m_syncing;
    int m_pendingDiscoveries = 0;
    QHash<quint64, FullSyncRun> m_runs;
    quint64 m_nextRun = 1;
    // Old copies held back by auto-syncs, until no calendar syncs.
    HeldOldCopies m_autoSyncHeld;
    bool m_syncingOnceMore = false;
    bool m_followUpFullSync = false;
    QSet<QString> m_followUpCalendarIds;
    bool m_closing = false;
    // The keyring loads in the background at start: until then every
    // password would read as missing, so syncs wait for it.
    bool m_secretsReady = false;
    bool m_syncAllWaiting = false;
    bool m_listPullWaiting = false;
    bool m_listPulling = false;
};
