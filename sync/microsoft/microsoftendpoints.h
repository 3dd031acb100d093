#pragma once

#include <QString>
#include <QUrl>

#include "app/network/replyguard.h"

namespace Microsoft {

// Where the Microsoft identity platform and Microsoft Graph live, the OAuth
// client the program signs in as, and how long a request may take. Hosts
// come from the environment so that a test or a stand-in server can take
// Microsoft's place; the client comes from the build settings.
struct Endpoints
{
    // Scheme and host of the identity platform; the tenant and
    // "/oauth2/v2.0/..." are appended.
    QUrl authority;
    QString tenant = QStringLiteral("common");
    // The Graph service root, ending in "/v1.0".
    QUrl graphRoot;
    QString clientId;
    // A request without an answer within this time fails, so a hung server
    // cannot hold a sync open.
    int transferTimeoutMs = 30000;
    // A page of events is far below this size and time; a reply past
    // either fails.
    Net::ReplyGuard::Limits replyLimits{16 * 1024 * 1024, 2 * 60 * 1000};
    // How long the browser sign-in waits for the redirect, and on which
    // loopback port (0: one the system picks).
    int signInTimeLimitMs = 5 * 60 * 1000;
    quint16 signInPort = 0;
    // Answers of 429 or 503 are retried after the server's Retry-After this
    // many times; waits are capped so that a sync cannot sleep for hours.
    int maxRetries = 3;
    int maxRetryWaitMs = 120000;

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
