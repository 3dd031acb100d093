#include "sync/google/googleendpoints.h"

#include "app/secrets/oauthbuildsettings.h"
#include "sync/oauth/environmenturl.h"

namespace Google {

namespace {

QUrl joined(const QUrl &base, const QString &path)
{
    QUrl url = base;
    QString prefix = url.path();
    while (prefix.endsWith(QLatin1Char('/')))
        prefix.chop(1);
    url.setPath(prefix + path);
    url.setQuery(QString());
    url.setFragment(QString());
    return url;
}

} // namespace

QUrl Endpoints::authorizationUrl() const
{
    return joined(accountsBase, QStringLiteral("/o/oauth2/v2/auth"));
}

QUrl Endpoints::tokenUrl() const
{
    return joined(tokenBase, QStringLiteral("/token"));
}

QUrl Endpoints::apiUrl(const QString &path) const
{
    return joined(apiBase, path);
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
