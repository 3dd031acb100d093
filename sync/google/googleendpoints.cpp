#include "sync/google/googleendpoints.h"

#include <QByteArray>
#include <QtGlobal>

#include "app/secrets/oauthbuildsettings.h"

namespace Google {

namespace {

QUrl fromVariable(const char *name, const char *fallback)
{
    const QByteArray value = qgetenv(name);
    if (value.trimmed().isEmpty())
        return QUrl(QString::fromLatin1(fallback));
    return QUrl(QString::fromUtf8(value).trimmed());
}

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
    endpoints.accountsBase = fromVariable("GOOGLE_ACCOUNTS_URL", "https://accounts.google.com");
    endpoints.tokenBase = fromVariable("GOOGLE_TOKEN_URL", "https://oauth2.googleapis.com");
    endpoints.apiBase = fromVariable("GOOGLE_API_URL", "https://www.googleapis.com");
    endpoints.clientId = googleClientId();
    endpoints.clientSecret = googleClientSecret();
    bool ok = false;
    const int timeout = qEnvironmentVariableIntValue("GOOGLE_TIMEOUT_MS", &ok);
    if (ok && timeout > 0)
        endpoints.transferTimeoutMs = timeout;
    return endpoints;
}

} // namespace Google
