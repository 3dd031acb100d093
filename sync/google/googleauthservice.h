#pragma once

#include <QMetaType>

#include "app/secrets/tokenstore.h"
#include "sync/google/googleendpoints.h"
#include "sync/oauth/browsersignin.h"
#include "sync/oauth/providersignin.h"
#include "sync/oauth/storedtokens.h"

namespace Google {

// Where and how the browser sign-in reaches the provider.
OAuth::BrowserSignIn::Provider signInProvider(const Endpoints &endpoints);

// What a completed browser sign-in hands back.
struct SignInResult : OAuth::SignInResult
{
};

// The token set of one Google account, as kept in the secret store.
using StoredTokens = OAuth::StoredTokens;

// Signs a user in to Google (authorization code with PKCE, S256) through
// the browser and a loopback redirect, and refreshes access tokens later.
// Owns the format of an account's token set in the secret store. One
// object carries at most one sign-in; its owner deletes it after the
// outcome.
class AuthService : public OAuth::ProviderSignIn<Endpoints, TindAccount::GoogleTokensKeyPrefix>
{
    Q_OBJECT
public:
    using ProviderSignIn::ProviderSignIn;

Q_SIGNALS:
    void signInSucceeded(const Google::SignInResult &result);

protected:
    Texts texts() const override;
    OAuth::Items authorizationItems(const QString &redirectUri, const QString &challenge,
                                    const QString &state) const override;
    OAuth::Items exchangeItems(const QString &code, const QString &verifier,
                               const QString &redirectUri) const override;
    OAuth::Items refreshItems(const QString &refreshToken) const override;
    void reportSignedIn(const OAuth::SignInResult &result) override;
};

} // namespace Google

Q_DECLARE_METATYPE(Google::SignInResult)
