#include "sync/microsoft/microsoftsyncclient.h"

#include <QDebug>

#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "sync/core/pullapplyqueue.h"
#include "sync/microsoft/microsoftauthservice.h"
#include "sync/microsoft/microsoftpullapply.h"
#include "sync/microsoft/microsoftpullrun.h"
#include "sync/microsoft/microsoftpushrun.h"

#include <memory>

namespace Microsoft {

SyncClient::SyncClient(const Sync::Repositories &store, QObject *parent)
    : SyncClient(store, Endpoints::fromEnvironment(), parent)
{
}

SyncClient::SyncClient(const Sync::Repositories &store, const Endpoints &endpoints, QObject *parent)
    : OAuth::TokenSyncClient(store, QLatin1String(AuthService::TokensKeyPrefix), parent)
    , m_endpoints(endpoints)
{
}

OAuth::TokenSyncClient::Texts SyncClient::texts() const
{
    Texts texts;
    texts.accountMissing = tr("Parent account missing");
    texts.noCredentials = tr("No saved Microsoft credentials. Sign in again.");
    texts.refreshFailed = tr("Microsoft token refresh failed: %1");
    texts.signInRequired = tr("Microsoft no longer accepts the saved sign-in. Sign in again.");
    texts.tokensNotSaved = tr("The renewed Microsoft sign-in could not be saved to the secret store.");
    return texts;
}

bool SyncClient::canSync(const Account &account) const
{
    return !account.deleted_at;
}

OAuth::BrowserSignIn *SyncClient::newSignIn()
{
    return new AuthService(m_endpoints, nullptr, this);
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

void SyncClient::run(const Calendar &calendar, const QString &accessToken, bool restarted)
{
    auto *pull = new PullRun(m_store, m_endpoints, calendar, accessToken, this);
    pull->setTokenRenewer(tokenRenewer(calendar.account_id));
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
    auto applied = std::make_shared<PullApplyResult>();
    const int listedCount = int(changes.events.size());
    const int itemCount = int(changes.events.size() + changes.masters.size());
    // What landing needs, without the thousands of objects and records:
    // those are freed on the worker rather than on this thread.
    PulledChanges outcome = changes;
    outcome.events.clear();
    outcome.listedPages.clear();
    outcome.masters.clear();
    m_pulls->apply(
        [applied, calendar, changes = changes](const Sync::Repositories &store,
                                               const std::atomic_bool &cancelled) mutable {
            *applied = applyPulledChanges(store, calendar, changes, cancelled);
            changes = PulledChanges();
        },
        [this, applied, calendar, accessToken, outcome, listedCount, itemCount](bool opened) {
            // A store the worker could not open took nothing: every item
            // failed, and the token is settled here.
            if (!opened) {
                *applied = PullApplyResult{0, 0, 0, 0, itemCount};
                storeDeltaToken(m_store, calendar, outcome, *applied);
            }
            land(calendar, accessToken, outcome, *applied, listedCount);
        });
}

void SyncClient::land(const Calendar &calendar, const QString &accessToken, const PulledChanges &changes,
                      const PullApplyResult &result, int pulledCount)
{
    OAuth::announcePull(m_store, calendar.id, result);
    qInfo().noquote() << "[Microsoft] sync" << calendar.name << "upserted" << result.upserted << "tombstoned"
                      << result.deleted << "failed" << result.failed;
    if (result.failed > 0)
        Q_EMIT calendarSyncFailed(
            calendar.id, tr("%n event(s) failed to save locally; will retry next sync.", nullptr, result.failed));
    if (changes.unreadMasters > 0)
        Q_EMIT calendarSyncFailed(calendar.id, tr("%n recurring series could not be read from Microsoft; will "
                                                  "retry next sync.", nullptr, changes.unreadMasters));
    auto *push = new PushRun(m_store, m_endpoints, calendar, accessToken, addressOf(calendar.account_id), this);
    push->setTokenRenewer(tokenRenewer(calendar.account_id));
    pushThenComplete(push, calendar.id, pulledCount);
}

} // namespace Microsoft
