#include "app/network/guardedrequest.h"

namespace Net {

namespace {

int portOf(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return url.port(scheme == QLatin1String("https") ? 443 : scheme == QLatin1String("http") ? 80 : -1);
}

} // namespace

QNetworkRequest guardedRequest(const QUrl &url, int idleTimeoutMs)
{
    QNetworkRequest request(url);
    // Qt's default policy keeps raw headers (a bearer token) and resends the
    // body on 307/308 to whatever host a redirect names.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::SameOriginRedirectPolicy);
    if (idleTimeoutMs > 0)
        request.setTransferTimeout(idleTimeoutMs);
    return request;
}

QNetworkRequest bearerRequest(const QUrl &url, const QString &token, int idleTimeoutMs)
{
    QNetworkRequest request = guardedRequest(url, idleTimeoutMs);
    if (!token.isEmpty())
        request.setRawHeader("Authorization", "Bearer " + token.toUtf8());
    return request;
}

bool sameOrigin(const QUrl &a, const QUrl &b)
{
    return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0
        && a.host().compare(b.host(), Qt::CaseInsensitive) == 0 && portOf(a) == portOf(b);
}

} // namespace Net
