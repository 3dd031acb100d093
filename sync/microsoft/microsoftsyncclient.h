#pragma once

#include <QDateTime>
#include <QSet>
#include <QString>

#include "store/calendar.h"
#include "sync/core/calendarsyncclient.h"
#include "sync/core/syncrepositories.h"
#include "sync/microsoft/microsoftendpoints.h"

#include <functional>
#include <memory>

namespace TindAccount {
class TokenStore;
}

namespace Microsoft {

struct PulledChanges;
struct StoredTokens;

// Runs two-way syncs of calendars of Microsoft accounts: makes sure the
// account's access token is fresh (refreshing it when it expires within a
// minute), pulls what changed (the delta of the default calendar, the
// window of any other), applies it in one transaction, then pushes the
// calendar's pending rows, all at once. A run ends with one
// calendarSyncCompleted, counting the pulled objects, when the last push
// has answered; or with one calendarSyncFailed when the account, the
// token, the refresh or the listing fails. Rows that cannot be saved
// locally, and edits Graph refuses over a stale change key, are reported
// by a failure that does not end the run.
class SyncClient : public Sync::CalendarSyncClient
{
    Q_OBJECT
public:
    using TokenStoreMaker = std::function<std::unique_ptr<TindAccount::TokenStore>()>;

    explicit SyncClient(const Sync::Repositories &store, QObject *parent = nullptr);
    SyncClient(const Sync::Repositories &store, const Endpoints &endpoints, QObject *parent = nullptr);

    void syncCalendar(const Calendar &calendar) override;
    bool isSyncing(const QString &calendarId) const override;

    // Where token sets are read and written; the application's secret store
    // by default.
    void setTokenStoreMaker(TokenStoreMaker maker) { m_tokenStoreMaker = std::move(maker); }

    // Whether a token expiring at `expiresAt` must be refreshed at `now`:
    // when it is invalid or less than 60 seconds ahead.
    static bool needsRefresh(const QDateTime &expiresAt, const QDateTime &now);

    // The most push requests one run had in flight at once (for measuring).
    int lastPeakInFlight() const { return m_lastPeakInFlight; }

private:
    void run(const Calendar &calendar, const QString &accessToken, bool restarted);
    void applyAndPush(const Calendar &calendar, const QString &accessToken, const PulledChanges &changes);
    void pushPending(const Calendar &calendar, const QString &accessToken, int pulledCount);
    void refreshThenRun(const Calendar &calendar, const StoredTokens &tokens);
    StoredTokens loadTokens(const QString &accountId) const;
    void saveTokens(const QString &accountId, const StoredTokens &tokens) const;
    QString addressOf(const QString &accountId) const;
    void complete(const QString &calendarId, int count);
    void fail(const QString &calendarId, const QString &reason);

    Sync::Repositories m_store;
    Endpoints m_endpoints;
    TokenStoreMaker m_tokenStoreMaker;
    QSet<QString> m_running;
    int m_lastPeakInFlight = 0;
};

} // namespace Microsoft
