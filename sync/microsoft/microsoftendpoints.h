#pragma once

#include <QString>
#include <QUrl>

#include "sync/oauth/servicelimits.h"

namespace Microsoft {

// Where the Microsoft identity platform and Microsoft Graph live, the OAuth
// client the program signs in as, and how long a request may take. Hosts
// come from the environment so that a test or a stand-in server can take
// Microsoft's place; the client comes from the build settings.
struct Endpoints : OAuth::ServiceLimits
{
    // Scheme and host of the identity platform; the tenant and
    // "/oauth2/v2.0/..." are appended.
    QUrl authority;
    QString tenant = QStringLiteral("common");
    // The Graph service root, ending in "/v1.0".
    QUrl graphRoot;
    QString clientId;
    // Only answers of 429 or 503 are asked again, after the server's
    // Retry-After.

    // Microsoft sign-in needs no client secret.
    bool oauthConfigured() const { return !clientId.isEmpty(); }

    QUrl authorizeUrl() const;
    QUrl tokenUrl() const;
    // `path` below the service root, e.g. "/me/calendars"; already encoded.
    QUrl graphUrl(const QString &encodedPath) const;

    // "MICROSOFT_LOGIN_URL" and "MICROSOFT_GRAPH_URL" when set and not
    // empty, else Microsoft's published hosts; "MICROSOFT_TIMEOUT_MS" when a
    // positive number. The client id is the build's.
    static Endpoints fromEnvironment();
};

} // namespace Microsoft
