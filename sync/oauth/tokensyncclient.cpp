#include "sync/oauth/tokensyncclient.h"

#include <QDebug>

#include "app/secrets/tokenstore.h"
#include "store/accountrepository.h"
#include "sync/oauth/browsersignin.h"
#include "sync/oauth/pendingpush.h"

namespace OAuth {

TokenSyncClient::TokenSyncClient(const Sync::Repositories &store, const QString &tokensKeyPrefix, QObject *parent)
    : Sync::CalendarSyncClient(parent)
    , m_store(store)
    , m_tokensKeyPrefix(tokensKeyPrefix)
{
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

void TokenSyncClient::saveTokens(const QString &accountId, const StoredTokens &tokens) const
{
    const QString key = m_tokensKeyPrefix + accountId;
    bool saved = false;
    if (!m_tokenStoreMaker) {
        saved = OAuth::saveTokens(key, tokens);
    } else if (const auto store = m_tokenStoreMaker()) {
        saved = OAuth::saveTokens(*store, key, tokens);
    }
    // The run goes on with the new token; the next one refreshes again.
    if (!saved)
        qWarning().noquote() << QLatin1String(metaObject()->className())
                                    + QLatin1String("::saveTokens failed: the secret store refused the token set of")
                             << accountId;
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
    const StoredTokens tokens = loadTokens(account->id);
    if (tokens.refreshToken.isEmpty()) {
        fail(calendar.id, texts().noCredentials);
        return;
    }
    if (needsRefresh(tokens.expiresAt, QDateTime::currentDateTimeUtc()))
        refreshThenRun(calendar, tokens);
    else
        run(calendar, tokens.accessToken, false);
}

void TokenSyncClient::refreshThenRun(const Calendar &calendar, const StoredTokens &tokens)
{
    BrowserSignIn *auth = newSignIn();
    const QString accountId = calendar.account_id;
    connect(auth, &BrowserSignIn::refreshSucceeded, this,
            [this, auth, calendar, tokens, accountId](const QString &accessToken, const QDateTime &expiresAt,
                                                      const QString &rotated) {
                auth->deleteLater();
                const StoredTokens fresh{accessToken, rotated.isEmpty() ? tokens.refreshToken : rotated, expiresAt};
                saveTokens(accountId, fresh);
                run(calendar, accessToken, false);
            });
    connect(auth, &BrowserSignIn::refreshFailed, this, [this, auth, calendar](const QString &reason) {
        auth->deleteLater();
        fail(calendar.id, texts().refreshFailed.arg(reason));
    });
    auth->refreshAccessToken(tokens.refreshToken);
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
