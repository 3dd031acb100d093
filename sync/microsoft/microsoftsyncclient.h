#pragma once

#include <QString>

#include "store/calendar.h"
#include "sync/core/syncrepositories.h"
#include "sync/microsoft/microsoftauthservice.h"
#include "sync/microsoft/microsoftendpoints.h"
#include "sync/oauth/pullapplyresult.h"
#include "sync/oauth/providersyncclient.h"

namespace Microsoft {

struct PulledChanges;

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
class SyncClient : public OAuth::ProviderSyncClient<Endpoints, AuthService>
{
    Q_OBJECT
public:
    using ProviderSyncClient::ProviderSyncClient;

protected:
    Texts texts() const override;
    bool canSync(const Account &account) const override;
    void run(const Calendar &calendar, const QString &accessToken, bool restarted) override;

private:
    void applyAndPush(const Calendar &calendar, const QString &accessToken, const PulledChanges &changes);
    // Back on this thread once the pull is written, the delta token with it:
    // the views are told, the pending rows go out.
    // `changes` holds no objects by then: `pulledCount` says how many came.
    void land(const Calendar &calendar, const QString &accessToken, const PulledChanges &changes,
              const OAuth::PullApplyResult &result, int pulledCount);
    QString addressOf(const QString &accountId) const;
};

} // namespace Microsoft
