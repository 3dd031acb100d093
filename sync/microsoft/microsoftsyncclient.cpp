#include "sync/microsoft/microsoftsyncclient.h"

#include "store/accountrepository.h"
#include "sync/core/pullapplyqueue.h"
#include "sync/microsoft/microsoftpullapply.h"
#include "sync/microsoft/microsoftpullrun.h"
#include "sync/microsoft/microsoftpushrun.h"

#include <memory>

namespace Microsoft {

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
        restartListing(calendar, accessToken, restarted,
                       tr("Microsoft refused the listing of %1 (HTTP 410).").arg(calendar.name),
                       [](Calendar &cleared) { cleared.delta_sync_token.clear(); },
                       "Microsoft::SyncClient::run failed: could not clear the delta token of");
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
    reportPull(calendar, result, "[Microsoft]",
               tr("%n event(s) failed to save locally; will retry next sync.", nullptr, result.failed));
    if (changes.unreadMasters > 0)
        Q_EMIT calendarSyncFailed(calendar.id, tr("%n recurring series could not be read from Microsoft; will "
                                                  "retry next sync.", nullptr, changes.unreadMasters));
    auto *push = new PushRun(m_store, m_endpoints, calendar, accessToken, addressOf(calendar.account_id), this);
    push->setTokenRenewer(tokenRenewer(calendar.account_id));
    pushThenComplete(push, calendar.id, pulledCount);
}

} // namespace Microsoft
