#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

#include "store/account.h"
#include "store/calendar.h"
#include "sync/core/calendarsyncclient.h"
#include "sync/core/syncrepositories.h"
#include "sync/oauth/storedtokens.h"
#include "sync/oauth/tokenrenewals.h"
#include "sync/oauth/tokenrenewer.h"

#include <functional>
#include <memory>

class PullApplyQueue;

namespace TindAccount {
class TokenStore;
}

namespace OAuth {

class BrowserSignIn;
class PendingPush;

// A calendar sync against a service signed in to through OAuth: finds the
// calendar's account and its token set, refreshes the access token when it
// expires within a minute or when the service answers 401 (keeping the
// rotated refresh token), and hands the provider's run a fresh token. One
// refresh per account runs at a time in the whole program (TokenRenewals):
// the account's calendars on this and every other client wait for it, since
// a rotated refresh token revokes the one before. A refused grant marks the
// account "Sign in required", and its calendars do not sync until the user
// signs in again. The provider pulls and applies, then lets
// pushThenComplete() send the pending rows and end the run.
class TokenSyncClient : public Sync::CalendarSyncClient
{
    Q_OBJECT
public:
    using TokenStoreMaker = std::function<std::unique_ptr<TindAccount::TokenStore>()>;

    void syncCalendar(const Calendar &calendar) override;
    bool isSyncing(const QString &calendarId) const override;

    // Where token sets are read and written; the application's secret store
    // by default.
    void setTokenStoreMaker(TokenStoreMaker maker) { m_tokenStoreMaker = std::move(maker); }

    // Whether a token expiring at `expiresAt` must be refreshed at `now`:
    // when it is invalid or less than 60 seconds ahead.
    static bool needsRefresh(const QDateTime &expiresAt, const QDateTime &now);

    // Whether pulls are written on a worker (the default, for a store in a
    // file) or on this thread; off for measuring and comparing.
    void setApplyOnWorker(bool onWorker);

    // The most push requests one run had in flight at once (for measuring).
    int lastPeakInFlight() const { return m_lastPeakInFlight; }

protected:
    // What the user reads, in the provider's words.
    struct Texts
    {
        QString accountMissing;
        QString noCredentials;
        QString refreshFailed; // %1: why
        QString signInRequired;
        QString tokensNotSaved;
    };



    // tokensKeyPrefix: where the provider keeps an account's token set.
    TokenSyncClient(const Sync::Repositories &store, const QString &tokensKeyPrefix, QObject *parent);

    virtual Texts texts() const = 0;
    // Whether the account's calendars sync; by default every account found.
    virtual bool canSync(const Account &account) const;
    // Makes sign-in services for refreshing, without a parent; it must not
    // refer to this client, which may be gone before a refresh ends.
    virtual std::function<BrowserSignIn *()> signInMaker() const = 0;
    // Pulls with a fresh token; `restarted` after the provider refused a
    // stale sync state once.
    virtual void run(const Calendar &calendar, const QString &accessToken, bool restarted) = 0;

    // Starts `push` (taking it over) and completes the run, counting
    // `pulledCount`, when it has finished.
    void pushThenComplete(PendingPush *push, const QString &calendarId, int pulledCount);
    void complete(const QString &calendarId, int count);
    // Ends the run with `reason`; once the provider has refused the
    // account's sign-in, with what to do instead.
    void fail(const QString &calendarId, const QString &reason);
    // For the run's clients: a new access token after a 401.
    OAuth::TokenRenewer tokenRenewer(const QString &accountId);

    Sync::Repositories m_store;
    // Writes the runs' pulls, one at a time.
    PullApplyQueue *m_pulls = nullptr;

private:
    // Calls back with a new access token, or none and why not.
    using RefreshCallback = std::function<void(const QString &accessToken, const QString &error)>;

    // Refreshes the account's token, or joins the refresh already running;
    // after a 401 for the access token `refused`, takes the stored one when
    // another request has renewed it since.
    void refresh(const QString &accountId, RefreshCallback done, const QString &refused = QString());
    // The account's token set as the program-wide renewals see it.
    TokenRenewals::TokenSet tokenSet(const QString &accountId);
    void markSignInRequired(const QString &accountId);
    bool signInRequired(const QString &accountId) const;
    StoredTokens loadTokens(const QString &accountId) const;

    QString m_tokensKeyPrefix;
    TokenStoreMaker m_tokenStoreMaker;
    // Calendars syncing now -> their accounts.
    QHash<QString, QString> m_running;
    int m_lastPeakInFlight = 0;
};

} // namespace OAuth
