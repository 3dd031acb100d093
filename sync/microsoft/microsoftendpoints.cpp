#include "sync/microsoft/microsoftendpoints.h"

#include "app/secrets/oauthbuildsettings.h"
#include "sync/oauth/environmenturl.h"

namespace Microsoft {

namespace {

QString trimmedPath(const QUrl &url)
{
    QString path = url.path(QUrl::FullyEncoded);
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

QUrl below(const QUrl &base, const QString &encodedPath)
{
    QUrl url = base;
    url.setQuery(QString());
    url.setFragment(QString());
    url.setPath(trimmedPath(base) + encodedPath, QUrl::TolerantMode);
    return url;
}

} // namespace

QUrl Endpoints::authorizeUrl() const
{
    return below(authority, QStringLiteral("/%1/oauth2/v2.0/authorize").arg(tenant));
}

QUrl Endpoints::tokenUrl() const
{
    return below(authority, QStringLiteral("/%1/oauth2/v2.0/token").arg(tenant));
}

QUrl Endpoints::graphUrl(const QString &encodedPath) const
{
    return below(graphRoot, encodedPath);
}

Endpoints Endpoints::fromEnvironment()
{
    Endpoints endpoints;
    endpoints.authority = OAuth::urlFromEnvironment("MICROSOFT_LOGIN_URL", "https://login.microsoftonline.com");
    endpoints.graphRoot = OAuth::urlFromEnvironment("MICROSOFT_GRAPH_URL", "https://graph.microsoft.com/v1.0");
    endpoints.clientId = microsoftClientId();
    endpoints.transferTimeoutMs = OAuth::positiveFromEnvironment("MICROSOFT_TIMEOUT_MS", endpoints.transferTimeoutMs);
    return endpoints;
}

} // namespace Microsoft
