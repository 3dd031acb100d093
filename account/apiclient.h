#pragma once

#include <QJsonObject>
#include <QObject>
#include <QUrl>
#include <QUrlQuery>

#include <functional>

class QNetworkAccessManager;

namespace TindAccount {

class TokenManager;

// JSON over HTTPS to one cloud service. The client facade makes one per
// service (sign-in realm, account, sync); they differ in their base URL.
// Authenticated requests carry the bearer token, refresh it first when it is
// about to expire, and are sent once more after a 401 and a refresh.
class ApiClient : public QObject
{
    Q_OBJECT
public:
    // ok: HTTP 200 to 299; status: 0 when no HTTP answer arrived; json: the
    // reply body when it is a JSON object. Called at most once.
    using ResponseCallback = std::function<void(bool ok, int status, const QJsonObject &json)>;
    // The same with the reply body unread, for a large answer its caller
    // reads on a worker thread.
    using BodyCallback = std::function<void(bool ok, int status, const QByteArray &body)>;

    static constexpr int DefaultTransferTimeoutMs = 30 * 1000;
    // No answer of the service comes near this: a configuration pull or a
    // page of events is a few megabytes at most.
    static constexpr qint64 DefaultMaxReplyBytes = 32 * 1024 * 1024;
    static constexpr int DefaultDeadlineMs = 2 * 60 * 1000;

    explicit ApiClient(TokenManager *tokenManager, QObject *parent = nullptr);

    // Request paths are appended to this URL.
    void setBaseUrl(const QUrl &url);
    QUrl baseUrl() const { return m_baseUrl; }
    void setAppInfo(const QString &appId, const QString &appVersion, const QString &platform);
    // A request with no progress for this long ends as a network error.
    void setTransferTimeout(int ms) { m_transferTimeoutMs = ms; }
    // A larger reply, or one not finished by the deadline, ends as a network
    // error that says so.
    void setReplyLimits(qint64 maxBytes, int deadlineMs)
    {
        m_maxReplyBytes = maxBytes;
        m_deadlineMs = deadlineMs;
    }

    void get(const QString &path, ResponseCallback callback, const QUrlQuery &query = {});
    void getBody(const QString &path, BodyCallback callback, const QUrlQuery &query = {});
    void getPublic(const QString &path, ResponseCallback callback, const QUrlQuery &query = {});
    void post(const QString &path, const QJsonObject &body, ResponseCallback callback);
    void postPublic(const QString &path, const QJsonObject &body, ResponseCallback callback);
    void put(const QString &path, const QJsonObject &body, ResponseCallback callback);
    void patch(const QString &path, const QJsonObject &body, ResponseCallback callback);
    void del(const QString &path, ResponseCallback callback);

    // One path segment from outside text (an id, an invite code), encoded so
    // that "/", "?", "#", "%" or ".." cannot change which resource is meant.
    static QString pathSegment(const QString &text);

    // Inside a completion: why its request failed, readable by the user (the
    // service's "error" or "message" text, the network's error, or the HTTP
    // status); empty after a success.
    QString lastFailure() const { return m_lastFailure; }

Q_SIGNALS:
    void authenticationRequired();
    void networkError(QString message);

private:
    void sendRequest(const QString &method, const QString &path, const QJsonObject &body, BodyCallback callback,
                     const QUrlQuery &query, bool authenticated);
    void executeRequest(const QString &method, const QUrl &url, const QByteArray &body, const QString &token,
                        BodyCallback callback, bool allowRetry);
    QString failureReason(int status, const QJsonObject &json) const;
    void replayAfterRefresh(const QString &method, const QUrl &url, const QByteArray &body,
                            BodyCallback callback);

    QNetworkAccessManager *m_network;
    TokenManager *m_tokens;
    QUrl m_baseUrl;
    QString m_appId;
    QString m_appVersion;
    QString m_platform;
    int m_transferTimeoutMs = DefaultTransferTimeoutMs;
    qint64 m_maxReplyBytes = DefaultMaxReplyBytes;
    int m_deadlineMs = DefaultDeadlineMs;
    QString m_lastFailure;
    QString m_networkErrorText;
};

} // namespace TindAccount
