#include "sync/oauth/tokenrenewals.h"

#include <QCoreApplication>
#include <QPointer>

#include "sync/oauth/browsersignin.h"

namespace OAuth {

TokenRenewals &TokenRenewals::shared()
{
    // Parented to the application, so its sign-in services go before the
    // network stack does.
    static QPointer<TokenRenewals> renewals;
    if (!renewals)
        renewals = new TokenRenewals(QCoreApplication::instance());
    return *renewals;
}

TokenRenewals::TokenRenewals(QObject *parent)
    : QObject(parent)
{
}

bool TokenRenewals::needsRenewal(const QDateTime &expiresAt, const QDateTime &now)
{
    return !expiresAt.isValid() || expiresAt < now.addSecs(60);
}

void TokenRenewals::renew(const TokenSet &set, Done done)
{
    const bool running = m_waiting.contains(set.key);
    m_waiting[set.key].append(std::move(done));
    if (running)
        return;
    // Read now, not when the caller's run began: a renewal that ended since
    // may have rotated it.
    const StoredTokens tokens = set.load();
    if (tokens.refreshToken.isEmpty()) {
        finish(set.key, {Result::NoCredentials, QString(), QString()});
        return;
    }
    const auto refused = m_refused.constFind(set.key);
    if (refused != m_refused.constEnd() && refused->first == tokens) {
        finish(set.key, {Result::Refused, QString(), refused->second});
        return;
    }
    start(set, tokens.refreshToken, false);
}

void TokenRenewals::renewRefused(const TokenSet &set, const QString &refused, Done done)
{
    const StoredTokens stored = set.load();
    if (!isRenewing(set.key) && !stored.accessToken.isEmpty() && stored.accessToken != refused
        && !needsRenewal(stored.expiresAt, QDateTime::currentDateTimeUtc())) {
        done({Result::Renewed, stored.accessToken, QString()});
        return;
    }
    renew(set, std::move(done));
}

void TokenRenewals::start(const TokenSet &set, const QString &refreshToken, bool again)
{
    BrowserSignIn *signIn = set.newSignIn();
    signIn->setParent(this);
    connect(signIn, &BrowserSignIn::refreshSucceeded, this,
            [this, signIn, set, refreshToken](const QString &accessToken, const QDateTime &expiresAt,
                                              const QString &rotated) {
                signIn->deleteLater();
                const StoredTokens fresh{accessToken, rotated.isEmpty() ? refreshToken : rotated, expiresAt};
                // A rotated refresh token not kept is a sign-in lost at the
                // next run: that is a failure now, not later.
                if (!set.save(fresh))
                    finish(set.key, {Result::NotSaved, QString(), QString()});
                else
                    finish(set.key, {Result::Renewed, accessToken, QString()});
            });
    connect(signIn, &BrowserSignIn::refreshFailed, this,
            [this, signIn, set, refreshToken, again](const QString &reason) {
                signIn->deleteLater();
                if (signIn->grantRevoked())
                    onRefused(set, refreshToken, again, reason);
                else
                    finish(set.key, {Result::Failed, QString(), reason});
            });
    signIn->refreshAccessToken(refreshToken);
}

void TokenRenewals::onRefused(const TokenSet &set, const QString &sent, bool again, const QString &reason)
{
    const StoredTokens stored = set.load();
    if (stored.refreshToken.isEmpty() || stored.refreshToken == sent) {
        m_refused.insert(set.key, qMakePair(stored, reason));
        finish(set.key, {Result::Refused, QString(), reason});
        return;
    }
    // Renewed elsewhere while this request was out: its tokens stand.
    if (!stored.accessToken.isEmpty() && !needsRenewal(stored.expiresAt, QDateTime::currentDateTimeUtc())) {
        finish(set.key, {Result::Renewed, stored.accessToken, QString()});
        return;
    }
    if (again) {
        finish(set.key, {Result::Failed, QString(), reason});
        return;
    }
    start(set, stored.refreshToken, true);
}

void TokenRenewals::finish(const QString &key, const Outcome &outcome)
{
    const QList<Done> waiting = m_waiting.take(key);
    for (const Done &done : waiting)
        done(outcome);
}

} // namespace OAuth
