#pragma once

#include <QList>
#include <QString>

#include "store/calendar.h"
#include "sync/core/syncrepositories.h"
#include "sync/google/googleauthservice.h"
#include "sync/google/googleendpoints.h"
#include "sync/google/googlelistedevent.h"
#include "sync/oauth/pullapplyresult.h"
#include "sync/oauth/providersyncclient.h"

namespace Google {

// Runs two-way syncs of calendars of Google accounts: makes sure the
// account's access token is fresh (refreshing it when it expires within a
// minute), pulls every change since the calendar's sync token (everything
// the first time), applies it in one transaction, then pushes the
// calendar's pending rows, all at once. A run ends with one
// calendarSyncCompleted, counting the pulled items, when the last push has
// answered; or with one calendarSyncFailed when the account, the token,
// the refresh or the listing fails. Rows that cannot be saved locally, and
// edits Google refuses over a stale etag, are reported by a failure that
// does not end the run.
class SyncClient : public OAuth::ProviderSyncClient<Endpoints, AuthService>
{
    Q_OBJECT
public:
    using ProviderSyncClient::ProviderSyncClient;

protected:
    Texts texts() const override;
    void run(const Calendar &calendar, const QString &accessToken, bool restarted) override;

private:
    void applyAndPush(const Calendar &calendar, const QString &accessToken, const QList<QList<ListedEvent>> &pages,
                      const QString &nextSyncToken);
    // Back on this thread once the pull is written, with the sync token
    // when every row was saved: the views are told, the pending rows go out.
    void land(const Calendar &calendar, const QString &accessToken, const OAuth::PullApplyResult &result,
              int pulledCount);
};

} // namespace Google
