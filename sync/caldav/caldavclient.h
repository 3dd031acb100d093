#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSslError>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

// HTTP transport of the CalDAV integration: WebDAV verbs with Basic
// authentication, same-origin redirects, a transfer timeout and certificate
// pinning. Builds no XML and reads no reply body.
class CalDavClient : public QObject
{
    Q_OBJECT
public:
    struct Response
    {
        int status = 0;
        QByteArray body;
        QMap<QByteArray, QByteArray> headers; // names as received
        // Transport failure text: no HTTP status, or a reply cut off (timeout,
        // dropped connection) after its status line.
        QString error;

        // A header value, the name compared without regard to case.
        QByteArray header(const QByteArray &name) const;
    };

    struct UntrustedCertInfo
    {
        QString host;
        int port = 0;
        QString subject;
        QString issuer;
        QDateTime effectiveDate;
        QDateTime expiryDate;
        QString fingerprint;
        QStringList errors;
    };

    using Callback = std::function<void(const Response &)>;

    static constexpr int kDefaultTransferTimeoutMs = 60000;
    static constexpr int kMaxRedirects = 5;
    // A multiget of a large calendar stays far below this; the deadline
    // leaves a slow link time for it.
    static constexpr qint64 kDefaultMaxReplyBytes = 64 * 1024 * 1024;
    static constexpr int kDefaultDeadlineMs = 10 * 60 * 1000;

    // Requests sent by this client, redirects included.
    int requestCount() const { return m_requestCount; }

    explicit CalDavClient(QObject *parent = nullptr);

    void setCredentials(const QString &user, const QString &password);
    QString user() const { return m_user; }
    void setPinnedFingerprint(const QString &fingerprint);
    UntrustedCertInfo lastUntrustedCert() const;
    // Inactivity limit of every request; a server that stops sending fails
    // the request instead of keeping it open for ever.
    void setTransferTimeout(int milliseconds) { m_transferTimeoutMs = milliseconds; }
    int transferTimeout() const { return m_transferTimeoutMs; }
    // A reply larger than maxBytes, or not finished within deadlineMs, fails
    // with an error that says which.
    void setReplyLimits(qint64 maxBytes, int deadlineMs)
    {
        m_maxReplyBytes = maxBytes;
        m_deadlineMs = deadlineMs;
    }

    void propfind(const QUrl &url, const QByteArray &body, int depth, Callback callback);
    void report(const QUrl &url, const QByteArray &body, int depth, Callback callback);
    void put(const QUrl &url, const QByteArray &body, const QString &contentType, Callback callback,
             const QString &etag = QString());
    // PUT that only creates: If-None-Match "*" makes the server refuse (412)
    // when the resource exists.
    void putIfAbsent(const QUrl &url, const QByteArray &body, const QString &contentType,
                     Callback callback);
    void del(const QUrl &url, Callback callback, const QString &etag = QString());
    void mkcalendar(const QUrl &url, const QByteArray &body, Callback callback);
    void proppatch(const QUrl &url, const QByteArray &body, Callback callback);

    static QByteArray basicAuthHeader(const QString &user, const QString &password);
    static QByteArray ifMatchValue(const QString &etag);
    // The URL without user name and password, for requests and storage.
    static QUrl withoutUserInfo(const QUrl &url);
    static bool sameOrigin(const QUrl &a, const QUrl &b);

Q_SIGNALS:
    void untrustedCertEncountered(const CalDavClient::UntrustedCertInfo &info);

private:
    struct Call
    {
        QByteArray method;
        QUrl url;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> extraHeaders;
        Callback callback;
        int redirectsLeft = kMaxRedirects;
    };

    void send(Call call);
    QNetworkRequest makeRequest(const Call &call) const;
    Response makeResponse(QNetworkReply *reply) const;
    void onFinished(QNetworkReply *reply, Call call);
    void onSslErrors(QNetworkReply *reply, const QList<QSslError> &errors);

    QNetworkAccessManager *m_manager;
    QString m_user;
    QString m_password;
    QString m_pinnedFingerprint;
    std::optional<UntrustedCertInfo> m_lastUntrusted;
    int m_transferTimeoutMs = kDefaultTransferTimeoutMs;
    qint64 m_maxReplyBytes = kDefaultMaxReplyBytes;
    int m_deadlineMs = kDefaultDeadlineMs;
    int m_requestCount = 0;
};

Q_DECLARE_METATYPE(CalDavClient::UntrustedCertInfo)

// "AABBCC" → "AA:BB:CC", for showing a fingerprint.
QString formatFingerprint(const QString &fingerprint);
