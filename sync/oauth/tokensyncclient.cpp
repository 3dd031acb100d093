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

namespace {

StoredTokens loadWith(const TokenSyncClient::TokenStoreMaker &maker, const QString &key)
{
    if (!maker)
        return OAuth::loadTokens(key);
    const auto store = maker();
    return store ? OAuth::loadTokens(*store, key) : StoredTokens();
}

} // namespace

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
    return TokenRenewals::needsRenewal(expiresAt, now);
}

bool TokenSyncClient::canSync(const Account &) const
{
    return true;
}

StoredTokens TokenSyncClient::loadTokens(const QString &accountId) const
{
    return loadWith(m_tokenStoreMaker, m_tokensKeyPrefix + accountId);
}

void TokenSyncClient::syncCalendar(const Calendar &calendar)
{
    m_running.insert(calendar.id, calendar.account_id);
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
    if (!needsRefresh(tokens.expiresAt, QDateTime::currentDateTimeUtc())
        && !TokenRenewals::shared().isRenewing(m_tokensKeyPrefix + account->id)) {
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
        self->refresh(accountId, [done](const QString &accessToken, const QString &) { done(accessToken); }, refused);
    };
}

TokenRenewals::TokenSet TokenSyncClient::tokenSet(const QString &accountId)
{
    const QString key = m_tokensKeyPrefix + accountId;
    const TokenStoreMaker maker = m_tokenStoreMaker;
    const QString owner = QLatin1String(metaObject()->className());
    TokenRenewals::TokenSet set;
    set.key = key;
    set.load = [maker, key] { return loadWith(maker, key); };
    set.save = [maker, key, owner](const StoredTokens &tokens) {
        bool saved = false;
        if (!maker) {
            saved = OAuth::saveTokens(key, tokens);
        } else if (const auto store = maker()) {
            saved = OAuth::saveTokens(*store, key, tokens);
        }
        if (!saved)
            qWarning().noquote() << owner + QLatin1String("::saveTokens failed: the secret store refused the token set")
                                 << key;
        return saved;
    };
    set.newSignIn = signInMaker();
    return set;
}

void TokenSyncClient::refresh(const QString &accountId, RefreshCallback done, const QString &refused)
{
    QPointer<TokenSyncClient> self(this);
    TokenRenewals::Done renewed = [self, accountId, done](const TokenRenewals::Outcome &outcome) {
        // Whoever waits belongs to the client.
        if (!self)
            return;
        const Texts texts = self->texts();
        switch (outcome.result) {
        case TokenRenewals::Result::Renewed:
            done(outcome.accessToken, QString());
            return;
        case TokenRenewals::Result::NoCredentials:
            done(QString(), texts.noCredentials);
            return;
        case TokenRenewals::Result::Refused:
            // The provider's own words go to the log; the user reads what to do.
            qWarning().noquote() << QLatin1String(self->metaObject()->className())
                                        + QLatin1String(": the provider refused the sign-in of")
                                 << accountId << ':' << outcome.reason;
            self->markSignInRequired(accountId);
            done(QString(), texts.signInRequired);
            return;
        case TokenRenewals::Result::NotSaved:
            done(QString(), texts.tokensNotSaved);
            return;
        case TokenRenewals::Result::Failed:
            done(QString(), texts.refreshFailed.arg(outcome.reason));
            return;
        }
    };
    if (refused.isEmpty())
        TokenRenewals::shared().renew(tokenSet(accountId), std::move(renewed));
    else
        TokenRenewals::shared().renewRefused(tokenSet(accountId), refused, std::move(renewed));
}

void TokenSyncClient::markSignInRequired(const QString &accountId)
{
    std::optional<Account> account = m_store.accounts->getById(accountId);
    // Every calendar waiting on the refusal hears of it; one mark will do.
    if (!account || SyncErrorCode::is(account->last_sync_error, SyncErrorCode::SignInRequired))
        return;
    account->last_sync_error = QString::fromLatin1(SyncErrorCode::SignInRequired);
    // This device's tokens, not an edit of the account to carry elsewhere.
    if (!m_store.accounts->recordSyncState(*account))
        qWarning().noquote() << QLatin1String(metaObject()->className())
                                    + QLatin1String("::markSignInRequired failed: could not store the state of")
                             << accountId;
}

bool TokenSyncClient::signInRequired(const QString &accountId) const
{
    if (accountId.isEmpty())
        return false;
    const std::optional<Account> account = m_store.accounts->getById(accountId);
    return account && canSync(*account)
           && SyncErrorCode::is(account->last_sync_error, SyncErrorCode::SignInRequired);
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
    const QString accountId = m_running.take(calendarId);
    const QString signInText = texts().signInRequired;
    // A run that met the provider's refusal of the account's sign-in (a 401
    // whose renewal was refused) ends in the service's words for the 401;
    // whatever ended it, only a new sign-in helps now, as the next run says
    // before it starts.
    if (reason != signInText && signInRequired(accountId)) {
        qWarning().noquote() << QLatin1String(metaObject()->className()) + QLatin1String(": a run of") << calendarId
                             << "ended after the sign-in was refused:" << reason;
        Q_EMIT calendarSyncFailed(calendarId, signInText);
        return;
    }
    Q_EMIT calendarSyncFailed(calendarId, reason);
}

} // namespace OAuth
