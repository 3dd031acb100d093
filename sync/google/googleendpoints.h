#pragma once

#include <QString>
#include <QUrl>

#include "sync/oauth/servicelimits.h"

namespace Google {

// Where Google's sign-in and calendar services live, the OAuth client the
// program signs in as, and how long a request may take. Hosts come from
// the environment so that a test or a stand-in server can take Google's
// place; the client comes from the build settings.
struct Endpoints : OAuth::ServiceLimits
{
    // Base URLs; the fixed paths ("/o/oauth2/v2/auth", "/token",
    // "/calendar/v3/...") are appended to their paths.
    QUrl accountsBase;
    QUrl tokenBase;
    QUrl apiBase;
    QString clientId;
    QString clientSecret;
    // Throttled or failed answers (429, 403 rate limits, 5xx) are asked
    // again after the server's Retry-After or else after retryBaseMs
    // doubled each time.
    int retryBaseMs = 1000;

    // Sign-in and refresh need both the client id and the secret.
    bool oauthConfigured() const { return !clientId.isEmpty() && !clientSecret.isEmpty(); }

    QUrl authorizationUrl() const;
    QUrl tokenUrl() const;
    // The API path under the API host, e.g. "/calendar/v3/users/me/calendarList".
    QUrl apiUrl(const QString &path) const;

    // "GOOGLE_ACCOUNTS_URL", "GOOGLE_TOKEN_URL" and "GOOGLE_API_URL" when set
    // and not empty, else Google's published hosts; "GOOGLE_TIMEOUT_MS" when
    // a positive number. The client id and secret are the build's.
    static Endpoints fromEnvironment();
};

} // namespace Google
