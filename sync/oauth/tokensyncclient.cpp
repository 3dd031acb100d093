#include "sync/oauth/tokensyncclient.h"

#include <QDebug>
#include <QPointer>

#include "app/secrets/tokenstore.h"
#include "store/accountrepository.h"
#include "sync/core/pullapplyqueue.h"
#include "sync/core/syncerrorcode.h"
#include "sync/oauth/browsersignin.h"
#include "sync/oauth/pendingpush.h"

namespace OAuth {

TokenSyncClient::TokenSyncClient(const Sync::Repositories &store, const QString &tokensKeyPrefix, QObject *parent)
    : Sync::CalendarSyncClient(parent)
    , m_store(store)
    , m_pulls(new PullApplyQueue(store, this))
    , m_tokensKeyPrefix(tokensKeyPrefix)
{
}

void TokenSyncClient::setApplyOnWorker(bool onWorker)
{
    m_pulls->setOnWorker(onWorker);
}

bool TokenSyncClient::isSyncing(const QString &calendarId) const
{
    return m_running.contains(calendarId);
}

bool TokenSyncClient::needsRefresh(const QDateTime &expiresAt, const QDateTime &now)
{
    return !expiresAt.isValid() || expiresAt < now.addSecs(60);
}

bool TokenSyncClient::canSync(const Account &) const
{
    return true;
}

StoredTokens TokenSyncClient::loadTokens(const QString &accountId) const
{
    const QString key = m_tokensKeyPrefix + accountId;
    if (!m_tokenStoreMaker)
        return OAuth::loadTokens(key);
    const auto store = m_tokenStoreMaker();
    return store ? OAuth::loadTokens(*store, key) : StoredTokens();
}

bool TokenSyncClient::saveTokens(const QString &accountId, const StoredTokens &tokens) const
{
    const QString key = m_tokensKeyPrefix + accountId;
    bool saved = false;
    if (!m_tokenStoreMaker) {
        saved = OAuth::saveTokens(key, tokens);
    } else if (const auto store = m_tokenStoreMaker()) {
        saved = OAuth::saveTokens(*store, key, tokens);
    }
    if (!saved)
        qWarning().noquote() << QLatin1String(metaObject()->className())
                                    + QLatin1String("::saveTokens failed: the secret store refused the token set of")
                             << accountId;
    return saved;
}

void TokenSyncClient::syncCalendar(const Calendar &calendar)
{
    m_running.insert(calendar.id);
    Q_EMIT calendarSyncStarted(calendar.id);
    const std::optional<Account> account = m_store.accounts->getById(calendar.account_id);
    if (!account || !canSync(*account)) {
        fail(calendar.id, texts().accountMissing);
        return;
    }
    // A refused grant stays refused until the user signs in again.
    if (SyncErrorCode::is(account->last_sync_error, SyncErrorCode::SignInRequired)) {
        fail(calendar.id, texts().signInRequired);
        return;
    }
    const StoredTokens tokens = loadTokens(account->id);
    if (tokens.refreshToken.isEmpty()) {
        fail(calendar.id, texts().noCredentials);
        return;
    }
    if (!needsRefresh(tokens.expiresAt, QDateTime::currentDateTimeUtc()) && !m_refreshes.contains(account->id)) {
        run(calendar, tokens.accessToken, false);
        return;
    }
    refresh(account->id, [this, calendar](const QString &accessToken, const QString &error) {
        if (accessToken.isEmpty())
            fail(calendar.id, error);
        else
            run(calendar, accessToken, false);
    });
}

TokenRenewer TokenSyncClient::tokenRenewer(const QString &accountId)
{
    QPointer<TokenSyncClient> self(this);
    return [self, accountId](const QString &refused, std::function<void(const QString &)> done) {
        if (!self) {
            done(QString());
            return;
        }
        // Another request of the account may have renewed it already.
        const StoredTokens stored = self->loadTokens(accountId);
        if (!self->m_refreshes.contains(accountId) && !stored.accessToken.isEmpty() && stored.accessToken != refused
            && !needsRefresh(stored.expiresAt, QDateTime::currentDateTimeUtc())) {
            done(stored.accessToken);
            return;
        }
        self->refresh(accountId, [done](const QString &accessToken, const QString &) { done(accessToken); });
    };
}

void TokenSyncClient::refresh(const QString &accountId, RefreshCallback done)
{
    const bool running = m_refreshes.contains(accountId);
    m_refreshes[accountId].append(std::move(done));
    if (running)
        return;
    // Read now, not when the run began: another calendar's refresh may have
    // rotated it since.
    const StoredTokens tokens = loadTokens(accountId);
    if (tokens.refreshToken.isEmpty()) {
        finishRefresh(accountId, QString(), texts().noCredentials);
        return;
    }
    BrowserSignIn *auth = newSignIn();
    connect(auth, &BrowserSignIn::refreshSucceeded, this,
            [this, auth, tokens, accountId](const QString &accessToken, const QDateTime &expiresAt,
                                            const QString &rotated) {
                auth->deleteLater();
                const StoredTokens fresh{accessToken, rotated.isEmpty() ? tokens.refreshToken : rotated, expiresAt};
                // A rotated refresh token not kept is a sign-in lost at the
                // next run: that is a failure now, not later.
                if (!saveTokens(accountId, fresh))
                    finishRefresh(accountId, QString(), texts().tokensNotSaved);
                else
                    finishRefresh(accountId, accessToken, QString());
            });
    connect(auth, &BrowserSignIn::refreshFailed, this, [this, auth, accountId](const QString &reason) {
        auth->deleteLater();
        if (auth->grantRevoked())
            markSignInRequired(accountId);
        finishRefresh(accountId, QString(), texts().refreshFailed.arg(reason));
    });
    auth->refreshAccessToken(tokens.refreshToken);
}

void TokenSyncClient::finishRefresh(const QString &accountId, const QString &accessToken, const QString &error)
{
    const QList<RefreshCallback> waiting = m_refreshes.take(accountId);
    for (const RefreshCallback &done : waiting)
        done(accessToken, error);
}

void TokenSyncClient::markSignInRequired(const QString &accountId)
{
    std::optional<Account> account = m_store.accounts->getById(accountId);
    if (!account)
        return;
    account->last_sync_error = QString::fromLatin1(SyncErrorCode::SignInRequired);
    if (!m_store.accounts->update(*account))
        qWarning().noquote() << QLatin1String(metaObject()->className())
                                    + QLatin1String("::markSignInRequired failed: could not store the state of")
                             << accountId;
}

void TokenSyncClient::pushThenComplete(PendingPush *push, const QString &calendarId, int pulledCount)
{
    connect(push, &PendingPush::failed, this,
            [this, calendarId](const QString &reason) { Q_EMIT calendarSyncFailed(calendarId, reason); });
    connect(push, &PendingPush::finished, this, [this, push, calendarId, pulledCount] {
        m_lastPeakInFlight = push->peakInFlight();
        push->deleteLater();
        complete(calendarId, pulledCount);
    });
    if (push->start() == 0) {
        push->deleteLater();
        complete(calendarId, pulledCount);
    }
}

void TokenSyncClient::complete(const QString &calendarId, int count)
{
    m_running.remove(calendarId);
    Q_EMIT calendarSyncCompleted(calendarId, count);
}

void TokenSyncClient::fail(const QString &calendarId, const QString &reason)
{
    m_running.remove(calendarId);
    Q_EMIT calendarSyncFailed(calendarId, reason);
}

} // namespace OAuth
