#pragma once

#include <QDebug>
#include <QLatin1String>
#include <QString>

#include "store/calendar.h"
#include "store/calendarrepository.h"
#include "sync/core/syncrepositories.h"
#include "sync/oauth/pullapplyresult.h"
#include "sync/oauth/tokensyncclient.h"

#include <functional>

namespace OAuth {

// What a provider's calendar sync over its own REST client adds to the
// token handling: its endpoints, its sign-in service (`SignIn`, built from
// the endpoints, keeping token sets under its TokensKeyPrefix) for
// refreshing, and the steps every provider's run takes in the same way.
template <typename Endpoints, typename SignIn>
class ProviderSyncClient : public TokenSyncClient
{
public:
    // The endpoints from the environment.
    explicit ProviderSyncClient(const Sync::Repositories &store, QObject *parent = nullptr)
        : ProviderSyncClient(store, Endpoints::fromEnvironment(), parent)
    {
    }
    ProviderSyncClient(const Sync::Repositories &store, const Endpoints &endpoints, QObject *parent = nullptr)
        : TokenSyncClient(store, QLatin1String(SignIn::TokensKeyPrefix), parent)
        , m_endpoints(endpoints)
    {
    }

protected:

    std::function<BrowserSignIn *()> signInMaker() const override
    {
        return [endpoints = m_endpoints]() -> BrowserSignIn * { return new SignIn(endpoints, nullptr, nullptr); };
    }

    // After the provider refused the calendar's stored listing state: the
    // first time, clears it (through `clearState`) and runs again from the
    // start; a refusal after that fails the run with `refusal`.
    // `clearFailure` is logged when the cleared calendar cannot be saved.
    void restartListing(const Calendar &calendar, const QString &accessToken, bool restarted,
                        const QString &refusal, const std::function<void(Calendar &)> &clearState,
                        const char *clearFailure)
    {
        if (restarted) {
            fail(calendar.id, refusal);
            return;
        }
        Calendar cleared = m_store.calendars->getById(calendar.id).value_or(calendar);
        clearState(cleared);
        if (!m_store.calendars->recordSyncState(cleared))
            qWarning().noquote() << clearFailure << calendar.name;
        run(cleared, accessToken, true);
    }

    // Tells the views what the pull wrote and logs it under `providerTag`;
    // `failedText` is reported when rows could not be saved.
    void reportPull(const Calendar &calendar, const PullApplyResult &result, const char *providerTag,
                    const QString &failedText)
    {
        announcePull(m_store, calendar.id, result);
        qInfo().noquote() << providerTag << "sync" << calendar.name << "upserted" << result.upserted << "tombstoned"
                          << result.deleted << "failed" << result.failed;
        if (result.failed > 0)
            Q_EMIT calendarSyncFailed(calendar.id, failedText);
    }

    Endpoints m_endpoints;
};

} // namespace OAuth
