#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

#include "sync/oauth/storedtokens.h"

#include <functional>

namespace OAuth {

class BrowserSignIn;

// The renewals of OAuth token sets running now, one per token set however
// many calendars, listings and requests of the account need a fresh access
// token at once: where a provider rotates refresh tokens and revokes the old
// one, a second renewal with the same refresh token is refused, and would
// cost the account its sign-in although the first renewal's tokens are
// valid and saved. The token sets live in the program's one secret store,
// so their renewals are coordinated program-wide too.
//
// A refusal of a refresh token that is no longer the stored one is not a
// refusal of the account: someone renewed (or signed in) meanwhile, and the
// stored tokens are used, renewed once more when they expire too. A refusal
// of the stored one stands until other tokens are stored: asked again, the
// provider would only refuse it again.
class TokenRenewals : public QObject
{
    Q_OBJECT
public:
    enum class Result
    {
        Renewed,
        NoCredentials, // no refresh token stored
        Refused,       // the provider no longer honours the stored grant
        Failed,        // anything else: try again later
        NotSaved,      // renewed, but the secret store refused the tokens
    };

    struct Outcome
    {
        Result result = Result::Failed;
        QString accessToken; // when renewed
        QString reason;      // the provider's words, when refused or failed
    };
    using Done = std::function<void(const Outcome &outcome)>;

    // How one token set is read, written and renewed. Kept until the
    // renewal ends, so it must not refer to whoever asked: that one may be
    // gone before the provider answers.
    struct TokenSet
    {
        // Names the token set: its key in the secret store.
        QString key;
        std::function<StoredTokens()> load;
        std::function<bool(const StoredTokens &tokens)> save;
        // A sign-in service of the provider; taken over by the renewal.
        std::function<BrowserSignIn *()> newSignIn;
    };

    // The program's; lives as long as the application object.
    static TokenRenewals &shared();

    explicit TokenRenewals(QObject *parent = nullptr);

    bool isRenewing(const QString &key) const { return m_waiting.contains(key); }
    // Renews the token set, or joins its renewal running now; `done` is
    // called once, possibly before this returns.
    void renew(const TokenSet &set, Done done);
    // For a request the service refused with the access token `refused`
    // (401): the stored token when another request has renewed it since,
    // else a renewal as renew().
    void renewRefused(const TokenSet &set, const QString &refused, Done done);

    // Whether a token expiring at `expiresAt` must be renewed at `now`:
    // when it is invalid or less than 60 seconds ahead.
    static bool needsRenewal(const QDateTime &expiresAt, const QDateTime &now);

private:
    void start(const TokenSet &set, const QString &refreshToken, bool again);
    void onRefused(const TokenSet &set, const QString &sent, bool again, const QString &reason);
    void finish(const QString &key, const Outcome &outcome);

    // Token set -> who waits for its renewal.
    QHash<QString, QList<Done>> m_waiting;
    // Token set -> the stored tokens whose refresh the provider refused,
    // and its words.
    QHash<QString, QPair<StoredTokens, QString>> m_refused;
};

} // namespace OAuth
