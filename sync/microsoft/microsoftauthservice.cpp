#include "sync/microsoft/microsoftauthservice.h"

#include "sync/microsoft/microsoftreply.h"

namespace Microsoft {

OAuth::BrowserSignIn::Provider signInProvider(const Endpoints &endpoints)
{
    OAuth::BrowserSignIn::Provider provider;
    provider.authorizationUrl = endpoints.authorizeUrl();
    provider.tokenUrl = endpoints.tokenUrl();
    provider.configured = endpoints.oauthConfigured();
    provider.purpose = QStringLiteral("microsoft-sign-in");
    provider.limits = endpoints;
    provider.readReply = &Microsoft::takeReply;
    // Work and school accounts may carry no "email" claim.
    provider.fallbackEmailClaim = QStringLiteral("preferred_username");
    provider.expiryMayBeText = true;
    provider.deniedNamesDescription = true;
    return provider;
}

OAuth::BrowserSignIn::Texts AuthService::texts() const
{
    Texts texts;
    texts.notConfigured = tr("Microsoft OAuth credentials are not configured in this build. See .env.example.");
    texts.timedOut = tr("Microsoft sign-in timed out. Please try again.");
    texts.cancelled = tr("Sign-in cancelled.");
    texts.startReused =
        tr("The Microsoft sign-in link was opened twice, so the sign-in was stopped for safety. Please sign in again.");
    texts.bindFailed = tr("Could not bind a local port for the Microsoft sign-in callback: %1");
    texts.browserFailed = tr("Could not launch the system browser for Microsoft sign-in.");
    texts.denied = tr("Microsoft denied the sign-in: %1");
    texts.stateMismatch = tr("Sign-in state mismatch. The redirect didn't match our request; please try again.");
    texts.noCode = tr("Microsoft did not return an authorization code.");
    texts.exchangeFailed = tr("Token exchange failed (HTTP %1): %2");
    texts.exchangeFailedStatus = tr("Token exchange failed (HTTP %1).");
    texts.noAccessToken = tr("Microsoft did not return an access token.");
    texts.noRefreshToken = tr("Microsoft did not return a refresh token. Verify offline_access is in the scopes "
                              "configured for this app.");
    texts.refreshNotConfigured = tr("Microsoft OAuth credentials are not configured.");
    texts.refreshFailed = tr("Token refresh failed (HTTP %1): %2");
    texts.refreshFailedStatus = tr("Token refresh failed (HTTP %1).");
    texts.refreshNoAccessToken = tr("Microsoft's response had no access_token.");
    texts.unusableExpiry = tr("Microsoft's response had an expires_in that could not be used.");
    return texts;
}

OAuth::Items AuthService::authorizationItems(const QString &redirectUri, const QString &challenge,
                                             const QString &state) const
{
    return {{QStringLiteral("client_id"), m_endpoints.clientId},
            {QStringLiteral("response_type"), QStringLiteral("code")},
            {QStringLiteral("redirect_uri"), redirectUri},
            {QStringLiteral("scope"), QLatin1String(Scope)},
            {QStringLiteral("code_challenge"), challenge},
            {QStringLiteral("code_challenge_method"), QStringLiteral("S256")},
            {QStringLiteral("state"), state},
            {QStringLiteral("response_mode"), QStringLiteral("query")},
            {QStringLiteral("prompt"), QStringLiteral("select_account")}};
}

OAuth::Items AuthService::exchangeItems(const QString &code, const QString &verifier,
                                        const QString &redirectUri) const
{
    return {{QStringLiteral("client_id"), m_endpoints.clientId},
            {QStringLiteral("scope"), QLatin1String(Scope)},
            {QStringLiteral("code"), code},
            {QStringLiteral("redirect_uri"), redirectUri},
            {QStringLiteral("grant_type"), QStringLiteral("authorization_code")},
            {QStringLiteral("code_verifier"), verifier}};
}

OAuth::Items AuthService::refreshItems(const QString &refreshToken) const
{
    return {{QStringLiteral("client_id"), m_endpoints.clientId},
            {QStringLiteral("scope"), QLatin1String(Scope)},
            {QStringLiteral("refresh_token"), refreshToken},
            {QStringLiteral("grant_type"), QStringLiteral("refresh_token")}};
}

void AuthService::reportSignedIn(const OAuth::SignInResult &result)
{
    Q_EMIT signInSucceeded(SignInResult{result});
}

} // namespace Microsoft
