#pragma once

#include <QMetaType>
#include <QString>

#include "app/secrets/tokenstore.h"
#include "sync/microsoft/microsoftendpoints.h"
#include "sync/oauth/accounttokens.h"
#include "sync/oauth/browsersignin.h"
#include "sync/oauth/storedtokens.h"

class UrlOpener;

namespace Microsoft {

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
class AuthService : public OAuth::BrowserSignIn, public OAuth::AccountTokens<TindAccount::MicrosoftTokensKeyPrefix>
{
    Q_OBJECT
public:
    static constexpr char Scope[] =
        "openid profile email offline_access User.Read Calendars.ReadWrite Calendars.ReadWrite.Shared";

    explicit AuthService(QObject *parent = nullptr);
    // endpoints: hosts, client and time limits; opener: the browser (not
    // owned; must outlive the sign-in).
    AuthService(const Endpoints &endpoints, UrlOpener *opener, QObject *parent = nullptr);

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

private:
    Endpoints m_endpoints;
};

} // namespace Microsoft

Q_DECLARE_METATYPE(Microsoft::SignInResult)
