#include "sync/microsoft/microsoftsyncclient.h"

#include <QDebug>

#include "app/secrets/tokenstore.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "sync/microsoft/microsoftauthservice.h"
#include "sync/microsoft/microsoftpullapply.h"
#include "sync/microsoft/microsoftpullrun.h"
#include "sync/microsoft/microsoftpushrun.h"

namespace Microsoft {

SyncClient::SyncClient(const Sync::Repositories &store, QObject *parent)
    : SyncClient(store, Endpoints::fromEnvironment(), parent)
{
}

SyncClient::SyncClient(const Sync::Repositories &store, const Endpoints &endpoints, QObject *parent)
    : Sync::CalendarSyncClient(parent)
    , m_store(store)
    , m_endpoints(endpoints)
{
}

bool SyncClient::isSyncing(const QString &calendarId) const
{
    return m_running.contains(calendarId);
}

bool SyncClient::needsRefresh(const QDateTime &expiresAt, const QDateTime &now)
{
    return !expiresAt.isValid() || expiresAt < now.addSecs(60);
}

StoredTokens SyncClient::loadTokens(const QString &accountId) const
{
    if (!m_tokenStoreMaker)
        return AuthService::loadTokens(accountId);
    const auto store = m_tokenStoreMaker();
    return store ? AuthService::loadTokens(*store, accountId) : StoredTokens();
}

void SyncClient::saveTokens(const QString &accountId, const StoredTokens &tokens) const
{
    bool saved = false;
    if (!m_tokenStoreMaker) {
        saved = AuthService::saveTokens(accountId, tokens);
    } else if (const auto store = m_tokenStoreMaker()) {
        saved = AuthService::saveTokens(*store, accountId, tokens);
    }
    // The run goes on with the new token; the next one refreshes again.
    if (!saved)
        qWarning().noquote() << "Microsoft::SyncClient::saveTokens failed: the secret store refused the token set of"
                             << accountId;
}

QString SyncClient::addressOf(const QString &accountId) const
{
    const std::optional<Account> account = m_store.accounts->getById(accountId);
    if (!account)
        return QString();
    for (const QString &candidate : {account->username, account->name}) {
        if (candidate.contains(QLatin1Char('@')))
            return candidate.trimmed();
    }
    return QString();
}

void SyncClient::syncCalendar(const Calendar &calendar)
{
    m_running.insert(calendar.id);
    Q_EMIT calendarSyncStarted(calendar.id);
    const std::optional<Account> account = m_store.accounts->getById(calendar.account_id);
    if (!account || account->deleted_at) {
        fail(calendar.id, tr("Parent account missing"));
        return;
    }
    const StoredTokens tokens = loadTokens(account->id);
    if (tokens.refreshToken.isEmpty()) {
        fail(calendar.id, tr("No saved Microsoft credentials. Sign in again."));
        return;
    }
    if (needsRefresh(tokens.expiresAt, QDateTime::currentDateTimeUtc()))
        refreshThenRun(calendar, tokens);
    else
        run(calendar, tokens.accessToken, false);
}

void SyncClient::refreshThenRun(const Calendar &calendar, const StoredTokens &tokens)
{
    auto *auth = new AuthService(m_endpoints, nullptr, this);
    const QString accountId = calendar.account_id;
    connect(auth, &AuthService::refreshSucceeded, this,
            [this, auth, calendar, tokens, accountId](const QString &accessToken, const QDateTime &expiresAt,
                                                      const QString &rotated) {
                auth->deleteLater();
                const StoredTokens fresh{accessToken, rotated.isEmpty() ? tokens.refreshToken : rotated, expiresAt};
                saveTokens(accountId, fresh);
                run(calendar, accessToken, false);
            });
    connect(auth, &AuthService::refreshFailed, this, [this, auth, calendar](const QString &reason) {
        auth->deleteLater();
        fail(calendar.id, tr("Microsoft token refresh failed: %1").arg(reason));
    });
    auth->refreshAccessToken(tokens.refreshToken);
}

void SyncClient::run(const Calendar &calendar, const QString &accessToken, bool restarted)
{
    auto *pull = new PullRun(m_store, m_endpoints, calendar, accessToken, this);
    connect(pull, &PullRun::failed, this, [this, pull, calendar](const QString &reason) {
        pull->deleteLater();
        fail(calendar.id, reason);
    });
    connect(pull, &PullRun::deltaTokenExpired, this, [this, pull, calendar, accessToken, restarted] {
        pull->deleteLater();
        if (restarted) {
            fail(calendar.id, tr("Microsoft refused the listing of %1 (HTTP 410).").arg(calendar.name));
            return;
        }
        Calendar cleared = m_store.calendars->getById(calendar.id).value_or(calendar);
        cleared.delta_sync_token.clear();
        if (!m_store.calendars->update(cleared))
            qWarning().noquote() << "Microsoft::SyncClient::run failed: could not clear the delta token of"
                                 << calendar.name;
        run(cleared, accessToken, true);
    });
    connect(pull, &PullRun::pulled, this, [this, pull, calendar, accessToken](const PulledChanges &changes) {
        pull->deleteLater();
        applyAndPush(calendar, accessToken, changes);
    });
    pull->start();
}

void SyncClient::applyAndPush(const Calendar &calendar, const QString &accessToken, const PulledChanges &changes)
{
    const PullApplyResult result = applyPulledChanges(m_store, calendar, changes);
    // The stored row, not the run's copy, so that a change made during the
    // listing (a rename, a colour) is kept; an unchanged token writes nothing.
    Calendar advanced = m_store.calendars->getById(calendar.id).value_or(calendar);
    if (changes.dropDeltaToken && !advanced.delta_sync_token.isEmpty()) {
        advanced.delta_sync_token.clear();
        if (!m_store.calendars->update(advanced))
            qWarning().noquote() << "Microsoft::SyncClient::applyAndPush failed: could not clear the delta token of"
                                 << calendar.name;
    } else if (result.failed == 0 && changes.unreadMasters == 0 && !changes.deltaToken.isEmpty()
               && advanced.delta_sync_token != changes.deltaToken) {
        advanced.delta_sync_token = changes.deltaToken;
        advanced.updated_at = QDateTime::currentDateTimeUtc();
        if (!m_store.calendars->update(advanced))
            qWarning().noquote() << "Microsoft::SyncClient::applyAndPush failed: could not store the delta token of"
                                 << calendar.name;
    }
    qInfo().noquote() << "[Microsoft] sync" << calendar.name << "upserted" << result.upserted << "tombstoned"
                      << result.deleted << "failed" << result.failed;
    if (result.failed > 0)
        Q_EMIT calendarSyncFailed(
            calendar.id, tr("%n event(s) failed to save locally; will retry next sync.", nullptr, result.failed));
    if (changes.unreadMasters > 0)
        Q_EMIT calendarSyncFailed(calendar.id, tr("%n recurring series could not be read from Microsoft; will "
                                                  "retry next sync.", nullptr, changes.unreadMasters));
    pushPending(calendar, accessToken, int(changes.events.size()));
}

void SyncClient::pushPending(const Calendar &calendar, const QString &accessToken, int pulledCount)
{
    auto *push = new PushRun(m_store, m_endpoints, calendar, accessToken, addressOf(calendar.account_id), this);
    const QString calendarId = calendar.id;
    connect(push, &PushRun::failed, this,
            [this, calendarId](const QString &reason) { Q_EMIT calendarSyncFailed(calendarId, reason); });
    connect(push, &PushRun::finished, this, [this, push, calendarId, pulledCount] {
        m_lastPeakInFlight = push->peakInFlight();
        push->deleteLater();
        complete(calendarId, pulledCount);
    });
    if (push->start() == 0) {
        push->deleteLater();
        complete(calendarId, pulledCount);
    }
}

void SyncClient::complete(const QString &calendarId, int count)
{
    m_running.remove(calendarId);
    Q_EMIT calendarSyncCompleted(calendarId, count);
}

void SyncClient::fail(const QString &calendarId, const QString &reason)
{
    m_running.remove(calendarId);
    Q_EMIT calendarSyncFailed(calendarId, reason);
}

} // namespace Microsoft
