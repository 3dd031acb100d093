#include "sync/google/googleauthservice.h"

#include "sync/google/googlereply.h"

namespace Google {

OAuth::BrowserSignIn::Provider signInProvider(const Endpoints &endpoints)
{
    OAuth::BrowserSignIn::Provider provider;
    provider.authorizationUrl = endpoints.authorizationUrl();
    provider.tokenUrl = endpoints.tokenUrl();
    provider.configured = endpoints.oauthConfigured();
    provider.purpose = QStringLiteral("google-sign-in");
    provider.limits = endpoints;
    provider.readReply = &Google::takeReply;
    return provider;
}

OAuth::BrowserSignIn::Texts AuthService::texts() const
{
    Texts texts;
    texts.notConfigured = tr("Google OAuth credentials are not configured in this build. See .env.example.");
    texts.timedOut = tr("Google sign-in timed out. Please try again.");
    texts.cancelled = tr("Sign-in cancelled.");
    texts.startReused =
        tr("The Google sign-in link was opened twice, so the sign-in was stopped for safety. Please sign in again.");
    texts.bindFailed = tr("Could not bind a local port for the Google sign-in callback: %1");
    texts.browserFailed = tr("Could not launch the system browser for Google sign-in.");
    texts.denied = tr("Google denied the sign-in: %1");
    texts.stateMismatch = tr("Sign-in state mismatch. The redirect didn't match our request; please try again.");
    texts.noCode = tr("Google did not return an authorization code.");
    texts.exchangeFailed = tr("Token exchange failed (HTTP %1): %2");
    texts.exchangeFailedStatus = tr("Token exchange failed (HTTP %1).");
    texts.noAccessToken = tr("Google did not return an access token.");
    texts.noRefreshToken = tr("Google did not return a refresh token. Try removing the app from your Google Account "
                              "permissions and signing in again.");
    texts.refreshNotConfigured = tr("Google OAuth credentials are not configured.");
    texts.refreshFailed = tr("Token refresh failed (HTTP %1): %2");
    texts.refreshFailedStatus = tr("Token refresh failed (HTTP %1).");
    texts.refreshNoAccessToken = tr("Google's response had no access_token.");
    texts.unusableExpiry = tr("Google's response had an expires_in that could not be used.");
    return texts;
}

OAuth::Items AuthService::authorizationItems(const QString &redirectUri, const QString &challenge,
                                             const QString &state) const
{
    return {{QStringLiteral("client_id"), m_endpoints.clientId},
            {QStringLiteral("redirect_uri"), redirectUri},
            {QStringLiteral("response_type"), QStringLiteral("code")},
            {QStringLiteral("scope"),
             QStringLiteral("openid email profile https://www.googleapis.com/auth/calendar.events "
                            "https://www.googleapis.com/auth/calendar")},
            {QStringLiteral("code_challenge"), challenge},
            {QStringLiteral("code_challenge_method"), QStringLiteral("S256")},
            {QStringLiteral("state"), state},
            {QStringLiteral("access_type"), QStringLiteral("offline")},
            {QStringLiteral("prompt"), QStringLiteral("consent")}};
}

OAuth::Items AuthService::exchangeItems(const QString &code, const QString &verifier,
                                        const QString &redirectUri) const
{
    return {{QStringLiteral("client_id"), m_endpoints.clientId},
            {QStringLiteral("client_secret"), m_endpoints.clientSecret},
            {QStringLiteral("code"), code},
            {QStringLiteral("code_verifier"), verifier},
            {QStringLiteral("redirect_uri"), redirectUri},
            {QStringLiteral("grant_type"), QStringLiteral("authorization_code")}};
}

OAuth::Items AuthService::refreshItems(const QString &refreshToken) const
{
    return {{QStringLiteral("client_id"), m_endpoints.clientId},
            {QStringLiteral("client_secret"), m_endpoints.clientSecret},
            {QStringLiteral("refresh_token"), refreshToken},
            {QStringLiteral("grant_type"), QStringLiteral("refresh_token")}};
}

void AuthService::reportSignedIn(const OAuth::SignInResult &result)
{
    Q_EMIT signInSucceeded(SignInResult{result});
}

} // namespace Google
