#pragma once

#include <QMetaType>
#include <QString>

#include "app/secrets/tokenstore.h"
#include "sync/google/googleendpoints.h"
#include "sync/oauth/accounttokens.h"
#include "sync/oauth/browsersignin.h"
#include "sync/oauth/storedtokens.h"

class UrlOpener;

namespace Google {

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
class AuthService : public OAuth::BrowserSignIn, public OAuth::AccountTokens<TindAccount::GoogleTokensKeyPrefix>
{
    Q_OBJECT
public:
    explicit AuthService(QObject *parent = nullptr);
    // endpoints: hosts, client and time limits; opener: the browser (not
    // owned; must outlive the sign-in).
    AuthService(const Endpoints &endpoints, UrlOpener *opener, QObject *parent = nullptr);

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

private:
    Endpoints m_endpoints;
};

} // namespace Google

Q_DECLARE_METATYPE(Google::SignInResult)
