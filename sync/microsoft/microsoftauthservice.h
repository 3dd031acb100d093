#pragma once

#include <QMetaType>

#include "app/secrets/tokenstore.h"
#include "sync/microsoft/microsoftendpoints.h"
#include "sync/oauth/browsersignin.h"
#include "sync/oauth/providersignin.h"
#include "sync/oauth/storedtokens.h"

namespace Microsoft {

// Where and how the browser sign-in reaches the provider.
OAuth::BrowserSignIn::Provider signInProvider(const Endpoints &endpoints);

// What a completed browser sign-in hands back.
struct SignInResult : OAuth::SignInResult
{
};

// The token set of one Microsoft account, as kept in the secret store.
using StoredTokens = OAuth::StoredTokens;

// Signs a user in to a Microsoft account (authorization code with PKCE,
// S256, no client secret, tenant "common") through the browser and a
// loopback redirect, and refreshes access tokens later. Owns the format of
// an account's token set in the secret store.
//
// The entry point for a sign-in screen: make one object, connect
// signInSucceeded and signInFailed, call startSignIn(), and cancel() when
// the user gives up. One object carries at most one sign-in; its owner
// deletes it after the outcome. The caller saves the result's tokens under
// the account it creates with saveTokens().
class AuthService : public OAuth::ProviderSignIn<Endpoints, TindAccount::MicrosoftTokensKeyPrefix>
{
    Q_OBJECT
public:
    static constexpr char Scope[] =
        "openid profile email offline_access User.Read Calendars.ReadWrite Calendars.ReadWrite.Shared";

    using ProviderSignIn::ProviderSignIn;

Q_SIGNALS:
    void signInSucceeded(const Microsoft::SignInResult &result);

protected:
    Texts texts() const override;
    OAuth::Items authorizationItems(const QString &redirectUri, const QString &challenge,
                                    const QString &state) const override;
    OAuth::Items exchangeItems(const QString &code, const QString &verifier,
                               const QString &redirectUri) const override;
    OAuth::Items refreshItems(const QString &refreshToken) const override;
    void reportSignedIn(const OAuth::SignInResult &result) override;
};

} // namespace Microsoft

Q_DECLARE_METATYPE(Microsoft::SignInResult)
