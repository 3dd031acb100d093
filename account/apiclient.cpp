#include "account/apiclient.h"

#include <QDebug>
#include <QJsonDocument>
#include <QJsonValue>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QStringList>

#include "account/tokenmanager.h"
#include "app/network/guardedrequest.h"
#include "app/network/onelinetext.h"
#include "app/network/replyguard.h"

#include <algorithm>

namespace TindAccount {

namespace {

// The most of the service's own words a failure shows.
constexpr int kFailureWordsMaxChars = 300;

QJsonObject readObject(const QByteArray &body)
{
    return body.isEmpty() ? QJsonObject() : QJsonDocument::fromJson(body).object();
}

ApiClient::BodyCallback parsed(ApiClient::ResponseCallback callback)
{
    if (!callback)
        return {};
    return [callback = std::move(callback)](bool ok, int status, const QByteArray &body) {
        callback(ok, status, readObject(body));
    };
}

} // namespace

ApiClient::ApiClient(TokenManager *tokenManager, QObject *parent)
    : QObject(parent)
    , m_network(new QNetworkAccessManager(this))
    , m_tokens(tokenManager)
{
}

void ApiClient::setBaseUrl(const QUrl &url)
{
    m_baseUrl = url;
}

void ApiClient::setAppInfo(const QString &appId, const QString &appVersion, const QString &platform)
{
    m_appId = appId;
    m_appVersion = appVersion;
    m_platform = platform;
}

void ApiClient::get(const QString &path, ResponseCallback callback, const QUrlQuery &query)
{
    sendRequest(QStringLiteral("GET"), path, {}, parsed(std::move(callback)), query, true);
}

void ApiClient::getBody(const QString &path, BodyCallback callback, const QUrlQuery &query)
{
    sendRequest(QStringLiteral("GET"), path, {}, std::move(callback), query, true);
}

void ApiClient::getPublic(const QString &path, ResponseCallback callback, const QUrlQuery &query)
{
    sendRequest(QStringLiteral("GET"), path, {}, parsed(std::move(callback)), query, false);
}

void ApiClient::post(const QString &path, const QJsonObject &body, ResponseCallback callback)
{
    sendRequest(QStringLiteral("POST"), path, body, parsed(std::move(callback)), {}, true);
}

void ApiClient::postPublic(const QString &path, const QJsonObject &body, ResponseCallback callback)
{
    sendRequest(QStringLiteral("POST"), path, body, parsed(std::move(callback)), {}, false);
}

void ApiClient::put(const QString &path, const QJsonObject &body, ResponseCallback callback)
{
    sendRequest(QStringLiteral("PUT"), path, body, parsed(std::move(callback)), {}, true);
}

void ApiClient::patch(const QString &path, const QJsonObject &body, ResponseCallback callback)
{
    sendRequest(QStringLiteral("PATCH"), path, body, parsed(std::move(callback)), {}, true);
}

void ApiClient::del(const QString &path, ResponseCallback callback)
{
    sendRequest(QStringLiteral("DELETE"), path, {}, parsed(std::move(callback)), {}, true);
}

QString ApiClient::pathSegment(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text, QByteArray(), QByteArrayLiteral(".")));
}

QString ApiClient::failureReason(int status, const QJsonObject &json) const
{
    for (const char *key : {"error", "message"}) {
        const QJsonValue text = json.value(QLatin1String(key));
        if (!text.isString() || text.toString().trimmed().isEmpty())
            continue;
        // The service's words, bounded and on one line, without the tokens
        // the request may have carried.
        const QStringList secrets = m_tokens ? QStringList{m_tokens->accessToken(), m_tokens->refreshToken()}
                                             : QStringList();
        return Net::oneBoundedLine(text.toString(), secrets, kFailureWordsMaxChars);
    }
    if (status == 401)
        return tr("Your sign-in has expired. Please sign in again.");
    if (status > 0)
        return tr("The service answered HTTP %1.").arg(status);
    if (!m_networkErrorText.isEmpty())
        return m_networkErrorText;
    return tr("The service could not be reached.");
}

void ApiClient::sendRequest(const QString &method, const QString &path, const QJsonObject &body,
                            BodyCallback callback, const QUrlQuery &query, bool authenticated)
{
    // Every completion first notes why its request failed, for callers that
    // only hear a flag or an empty record.
    QPointer<ApiClient> noting(this);
    callback = [noting, next = std::move(callback)](bool ok, int status, const QByteArray &body) {
        if (noting) {
            noting->m_lastFailure = ok ? QString() : noting->failureReason(status, readObject(body));
            noting->m_networkErrorText.clear();
        }
        if (next)
            next(ok, status, body);
    };
    QUrl url = m_baseUrl;
    // Paths are plain text except for segments made with pathSegment, whose
    // escapes must reach the server as they are.
    url.setPath(m_baseUrl.path(QUrl::FullyEncoded) + path, QUrl::TolerantMode);
    if (!query.isEmpty())
        url.setQuery(query);
    // "." and ".." would climb the path once the URL is normalised on its way
    // out: no such request is sent.
    const QStringList segments = url.path(QUrl::FullyEncoded).split(QLatin1Char('/'));
    const bool climbs = std::any_of(segments.cbegin(), segments.cend(), [](const QString &segment) {
        const QString decoded = QUrl::fromPercentEncoding(segment.toLatin1());
        return decoded == QLatin1String(".") || decoded == QLatin1String("..");
    });
    if (climbs) {
        qWarning() << "ApiClient: refusing a path with a dot segment:" << method << url.path();
        if (callback)
            callback(false, 0, QByteArray());
        return;
    }
    const QByteArray bytes = body.isEmpty() ? QByteArray() : QJsonDocument(body).toJson(QJsonDocument::Compact);

    if (!authenticated || !m_tokens) {
        executeRequest(method, url, bytes, QString(), std::move(callback), false);
        return;
    }
    if (!m_tokens->needsRefresh()) {
        executeRequest(method, url, bytes, m_tokens->validAccessToken(), std::move(callback), true);
        return;
    }
    qDebug() << "ApiClient: token needs refresh before" << method << url.path();
    QPointer<ApiClient> self(this);
    m_tokens->refresh([self, method, url, bytes, callback](RefreshResult result) {
        if (!self)
            return;
        if (result == RefreshResult::Success) {
            self->executeRequest(method, url, bytes, self->m_tokens->validAccessToken(), callback, true);
            return;
        }
        const bool rejected = result == RefreshResult::Rejected;
        qWarning() << "ApiClient: token refresh" << (rejected ? "rejected" : "failed (transient)") << "for" << method
                   << url.path();
        if (rejected)
            Q_EMIT self->authenticationRequired();
        if (callback)
            callback(false, rejected ? 401 : 0, QByteArray());
    });
}

void ApiClient::executeRequest(const QString &method, const QUrl &url, const QByteArray &body, const QString &token,
                               BodyCallback callback, bool allowRetry)
{
    QNetworkRequest request = Net::bearerRequest(url, token, m_transferTimeoutMs);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    request.setRawHeader("Accept", "application/json");
    if (!m_appId.isEmpty())
        request.setRawHeader("X-App-Id", m_appId.toUtf8());
    if (!m_appVersion.isEmpty())
        request.setRawHeader("X-App-Version", m_appVersion.toUtf8());
    if (!m_platform.isEmpty())
        request.setRawHeader("X-Platform", m_platform.toUtf8());

    QNetworkReply *reply = nullptr;
    if (method == QLatin1String("GET"))
        reply = m_network->get(request);
    else if (method == QLatin1String("POST"))
        reply = m_network->post(request, body);
    else if (method == QLatin1String("PUT"))
        reply = m_network->put(request, body);
    else if (method == QLatin1String("PATCH"))
        reply = m_network->sendCustomRequest(request, "PATCH", body);
    else if (method == QLatin1String("DELETE"))
        reply = m_network->deleteResource(request);
    if (!reply) {
        if (callback)
            callback(false, 0, QByteArray());
        return;
    }
    Net::ReplyGuard::watch(reply, {m_maxReplyBytes, m_deadlineMs});

    connect(reply, &QNetworkReply::finished, this, [this, reply, method, url, body, callback, allowRetry] {
        reply->deleteLater();
        const QString stopped = Net::ReplyGuard::failure(reply);
        const int status = stopped.isEmpty() ? reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() : 0;
        const QByteArray bytes = reply->isOpen() && stopped.isEmpty() ? reply->readAll() : QByteArray();
        if (status == 401 && allowRetry && m_tokens) {
            replayAfterRefresh(method, url, body, callback);
            return;
        }
        if (status == 0 && (!stopped.isEmpty() || reply->error() != QNetworkReply::NoError)) {
            // A transfer timeout lands here too: no answer, a network error.
            const QString why = stopped.isEmpty() ? reply->errorString() : stopped;
            Q_EMIT networkError(why);
            m_networkErrorText = why;
            if (callback)
                callback(false, 0, QByteArray());
            return;
        }
        if (callback)
            callback(status >= 200 && status <= 299, status, bytes);
    });
}

void ApiClient::replayAfterRefresh(const QString &method, const QUrl &url, const QByteArray &body,
                                   BodyCallback callback)
{
    QPointer<ApiClient> self(this);
    m_tokens->refresh([self, method, url, body, callback](RefreshResult result) {
        if (!self)
            return;
        if (result == RefreshResult::Success) {
            self->executeRequest(method, url, body, self->m_tokens->validAccessToken(), callback, false);
        } else if (result == RefreshResult::Rejected) {
            Q_EMIT self->authenticationRequired();
            if (callback)
                callback(false, 401, QByteArray());
        } else if (callback) {
            callback(false, 0, QByteArray());
        }
    });
}

} // namespace TindAccount
