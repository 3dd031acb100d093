#pragma once

#include <QString>
#include <QUrl>

#include "app/network/replyguard.h"

namespace Google {

// Where Google's sign-in and calendar services live, the OAuth client the
// program signs in as, and how long a request may take. Hosts come from
// the environment so that a test or a stand-in server can take Google's
// place; the client comes from the build settings.
struct Endpoints
{
    // Base URLs; the fixed paths ("/o/oauth2/v2/auth", "/token",
    // "/calendar/v3/...") are appended to their paths.
    QUrl accountsBase;
    QUrl tokenBase;
    QUrl apiBase;
    QString clientId;
    QString clientSecret;
    // A request without an answer within this time fails, so a hung server
    // cannot hold a sync open.
    int transferTimeoutMs = 30000;
    // A page of events is far below this size and time; a reply past
    // either fails.
    Net::ReplyGuard::Limits replyLimits{16 * 1024 * 1024, 2 * 60 * 1000};
    // How long the browser sign-in waits for Google's redirect, and on
    // which loopback port (0: one the system picks).
    int signInTimeLimitMs = 5 * 60 * 1000;
    quint16 signInPort = 0;
    // Throttled or failed answers (429, 403 rate limits, 5xx) are asked
    // again this many times, after the server's Retry-After or else after
    // retryBaseMs doubled each time; waits are capped so that a sync
    // cannot sleep for hours.
    int maxRetries = 3;
    int retryBaseMs = 1000;
    int maxRetryWaitMs = 120000;

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
