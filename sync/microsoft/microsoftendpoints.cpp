#include "sync/microsoft/microsoftendpoints.h"

#include <QByteArray>
#include <QtGlobal>

#include "app/secrets/oauthbuildsettings.h"

namespace Microsoft {

namespace {

QUrl fromVariable(const char *name, const char *fallback)
{
    const QByteArray value = qgetenv(name);
    if (value.trimmed().isEmpty())
        return QUrl(QString::fromLatin1(fallback));
    return QUrl(QString::fromUtf8(value).trimmed());
}

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
    endpoints.authority = fromVariable("MICROSOFT_LOGIN_URL", "https://login.microsoftonline.com");
    endpoints.graphRoot = fromVariable("MICROSOFT_GRAPH_URL", "https://graph.microsoft.com/v1.0");
    endpoints.clientId = microsoftClientId();
    bool ok = false;
    const int timeout = qEnvironmentVariableIntValue("MICROSOFT_TIMEOUT_MS", &ok);
    if (ok && timeout > 0)
        endpoints.transferTimeoutMs = timeout;
    return endpoints;
}

} // namespace Microsoft
