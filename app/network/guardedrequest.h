#pragma once

#include <QByteArray>
#include <QNetworkRequest>
#include <QString>
#include <QUrl>

namespace Net {

// A request that carries a token, a secret or a body the user owns: it
// follows redirects only within its own origin (scheme, host and port), so
// neither its headers nor its body reach another server. idleTimeoutMs is
// the transfer timeout: how long the reply may stay silent.
QNetworkRequest guardedRequest(const QUrl &url, int idleTimeoutMs);

// The same, with "Authorization: Bearer <token>" when a token is given.
QNetworkRequest bearerRequest(const QUrl &url, const QString &token, int idleTimeoutMs);

// Whether two addresses share scheme, host and port (the default port of
// the scheme when none is written).
bool sameOrigin(const QUrl &a, const QUrl &b);

} // namespace Net
