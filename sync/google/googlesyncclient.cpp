#include "sync/google/googlesyncclient.h"

#include "sync/core/pullapplyqueue.h"
#include "sync/google/googlecalendarclient.h"
#include "sync/google/googlepullapply.h"
#include "sync/google/googlepushrun.h"

#include <memory>

namespace Google {

OAuth::TokenSyncClient::Texts SyncClient::texts() const
{
    Texts texts;
    texts.accountMissing = tr("Parent account missing");
    texts.noCredentials = tr("No saved Google credentials. Sign in again.");
    texts.refreshFailed = tr("Google token refresh failed: %1");
    texts.signInRequired = tr("Google no longer accepts the saved sign-in. Sign in again.");
    texts.tokensNotSaved = tr("The renewed Google sign-in could not be saved to the secret store.");
    return texts;
}

void SyncClient::run(const Calendar &calendar, const QString &accessToken, bool restarted)
{
    auto *client = new CalendarClient(m_endpoints, this);
    client->setAccessToken(accessToken);
    client->setTokenRenewer(tokenRenewer(calendar.account_id));
    connect(client, &CalendarClient::requestFailed, this, [this, client, calendar](const QString &reason) {
        client->deleteLater();
        fail(calendar.id, reason);
    });
    connect(client, &CalendarClient::syncTokenExpired, this, [this, client, calendar, accessToken, restarted] {
        client->deleteLater();
        restartListing(calendar, accessToken, restarted,
                       tr("Google refused the full listing of %1 (HTTP 410).").arg(calendar.name),
                       [](Calendar &cleared) {
                           cleared.sync_token.clear();
                           cleared.delta_sync_token.clear();
                       },
                       "Google::SyncClient::run failed: could not clear the sync token of");
    });
    connect(client, &CalendarClient::eventsListed, this,
            [this, client, calendar, accessToken](const QString &, const CalendarClient::EventListPage &page) {
                client->deleteLater();
                applyAndPush(calendar, accessToken, page.listedPages, page.nextSyncToken);
            });
    client->listEvents(calendar.url, calendar.sync_token, QDateTime(), QDateTime());
}

void SyncClient::applyAndPush(const Calendar &calendar, const QString &accessToken,
                              const QList<QList<ListedEvent>> &pages, const QString &nextSyncToken)
{
    int count = 0;
    for (const QList<ListedEvent> &page : pages)
        count += int(page.size());
    auto applied = std::make_shared<PullApplyResult>();
    m_pulls->apply(
        [applied, calendar, pages = pages, nextSyncToken](const Sync::Repositories &store,
                                                          const std::atomic_bool &cancelled) mutable {
            *applied = applyEventsPage(store, calendar, pages, nextSyncToken, cancelled);
            // Thousands of records are freed here rather than on the window's thread.
            pages.clear();
        },
        [this, applied, calendar, accessToken, count, nextSyncToken](bool opened) {
            // A store the worker could not open took nothing: every item
            // failed, and an empty listing's token is stored here.
            if (!opened) {
                *applied = PullApplyResult{0, 0, 0, 0, count};
                if (count == 0 && !nextSyncToken.isEmpty())
                    storeSyncToken(m_store, calendar, nextSyncToken);
            }
            land(calendar, accessToken, *applied, count);
        });
}

void SyncClient::land(const Calendar &calendar, const QString &accessToken, const PullApplyResult &result,
                      int pulledCount)
{
    reportPull(calendar, result, "[Google]",
               tr("%n event(s) failed to save locally; will retry next sync.", nullptr, result.failed));
    auto *push = new PushRun(m_store, m_endpoints, calendar, accessToken, this);
    push->setTokenRenewer(tokenRenewer(calendar.account_id));
    pushThenComplete(push, calendar.id, pulledCount);
}

} // namespace Google
