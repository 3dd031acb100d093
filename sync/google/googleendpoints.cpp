#include "sync/google/googleendpoints.h"

#include "app/network/joinedurl.h"
#include "app/secrets/oauthbuildsettings.h"
#include "sync/oauth/environmenturl.h"

namespace Google {

QUrl Endpoints::authorizationUrl() const
{
    return Net::joinedUrl(accountsBase, QStringLiteral("/o/oauth2/v2/auth"));
}

QUrl Endpoints::tokenUrl() const
{
    return Net::joinedUrl(tokenBase, QStringLiteral("/token"));
}

QUrl Endpoints::apiUrl(const QString &path) const
{
    return Net::joinedUrl(apiBase, path);
}

Endpoints Endpoints::fromEnvironment()
{
    Endpoints endpoints;
    endpoints.accountsBase = OAuth::urlFromEnvironment("GOOGLE_ACCOUNTS_URL", "https://accounts.google.com");
    endpoints.tokenBase = OAuth::urlFromEnvironment("GOOGLE_TOKEN_URL", "https://oauth2.googleapis.com");
    endpoints.apiBase = OAuth::urlFromEnvironment("GOOGLE_API_URL", "https://www.googleapis.com");
    endpoints.clientId = googleClientId();
    endpoints.clientSecret = googleClientSecret();
    endpoints.transferTimeoutMs = OAuth::positiveFromEnvironment("GOOGLE_TIMEOUT_MS", endpoints.transferTimeoutMs);
    return endpoints;
}

} // namespace Google
