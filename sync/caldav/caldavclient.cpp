#include "sync/caldav/caldavclient.h"

#include "sync/caldav/caldavlog.h"

#include <QCryptographicHash>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>

#include "app/network/replyguard.h"

namespace {

const QByteArray kUserAgent = "TindlebrookCalendar/1.3.5 (Qt)";

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

int effectivePort(const QUrl &url)
{
    if (url.port() >= 0)
        return url.port();
    return url.scheme() == QLatin1String("https") ? 443 : 80;
}

// Errors of the connection itself, as opposed to an HTTP status mapped to an
// error code: the body that arrived, if any, is not the whole reply.
bool isTransportError(QNetworkReply::NetworkError error)
{
    return (error > QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied)
        || error == QNetworkReply::ProtocolFailure;
}

QString certificateNames(const QStringList &commonNames, const QString &displayName)
{
    return commonNames.isEmpty() ? displayName : commonNames.join(QStringLiteral(", "));
}

} // namespace

QByteArray CalDavClient::Response::header(const QByteArray &name) const
{
    const QByteArray wanted = name.toLower();
    QByteArray value;
    for (auto it = headers.constBegin(); it != headers.constEnd(); ++it) {
        if (it.key().toLower() == wanted)
            value = it.value();
    }
    return value;
}

CalDavClient::CalDavClient(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
{
    connect(m_manager, &QNetworkAccessManager::sslErrors, this, &CalDavClient::onSslErrors);
}

void CalDavClient::setCredentials(const QString &user, const QString &password)
{
    m_user = user;
    m_password = password;
}

void CalDavClient::setPinnedFingerprint(const QString &fingerprint)
{
    QString normalised;
    for (QChar c : fingerprint) {
        if (c.isLetterOrNumber())
            normalised += c.toUpper();
    }
    m_pinnedFingerprint = normalised;
    m_lastUntrusted.reset();
}

CalDavClient::UntrustedCertInfo CalDavClient::lastUntrustedCert() const
{
    return m_lastUntrusted.value_or(UntrustedCertInfo());
}

QByteArray CalDavClient::basicAuthHeader(const QString &user, const QString &password)
{
    return "Basic " + (user + QLatin1Char(':') + password).toUtf8().toBase64();
}

QByteArray CalDavClient::ifMatchValue(const QString &etag)
{
    if (etag.isEmpty())
        return QByteArray();
    if (etag == QLatin1String("*"))
        return "*";
    if (etag.size() >= 2 && etag.startsWith(QLatin1Char('"')) && etag.endsWith(QLatin1Char('"')))
        return etag.toUtf8();
    return '"' + etag.toUtf8() + '"';
}

QUrl CalDavClient::withoutUserInfo(const QUrl &url)
{
    QUrl stripped = url;
    stripped.setUserInfo(QString());
    return stripped;
}

bool CalDavClient::sameOrigin(const QUrl &a, const QUrl &b)
{
    return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0
        && a.host().compare(b.host(), Qt::CaseInsensitive) == 0 && effectivePort(a) == effectivePort(b);
}

void CalDavClient::propfind(const QUrl &url, const QByteArray &body, int depth, Callback callback)
{
    send({"PROPFIND", url, body, {{"Depth", QByteArray::number(depth)}}, std::move(callback)});
}

void CalDavClient::report(const QUrl &url, const QByteArray &body, int depth, Callback callback)
{
    send({"REPORT", url, body, {{"Depth", QByteArray::number(depth)}}, std::move(callback)});
}

void CalDavClient::put(const QUrl &url, const QByteArray &body, const QString &contentType,
                       Callback callback, const QString &etag)
{
    Call call{"PUT", url, body, {}, std::move(callback)};
    if (!contentType.isEmpty())
        call.extraHeaders.append({"Content-Type", contentType.toUtf8()});
    if (!etag.isEmpty())
        call.extraHeaders.append({"If-Match", ifMatchValue(etag)});
    send(std::move(call));
}

void CalDavClient::putIfAbsent(const QUrl &url, const QByteArray &body, const QString &contentType,
                               Callback callback)
{
    Call call{"PUT", url, body, {}, std::move(callback)};
    if (!contentType.isEmpty())
        call.extraHeaders.append({"Content-Type", contentType.toUtf8()});
    call.extraHeaders.append({QByteArray("If-None-Match"), QByteArray("*")});
    send(std::move(call));
}

void CalDavClient::del(const QUrl &url, Callback callback, const QString &etag)
{
    Call call{"DELETE", url, QByteArray(), {}, std::move(callback)};
    if (!etag.isEmpty())
        call.extraHeaders.append({"If-Match", ifMatchValue(etag)});
    send(std::move(call));
}

void CalDavClient::mkcalendar(const QUrl &url, const QByteArray &body, Callback callback)
{
    send({"MKCALENDAR", url, body, {}, std::move(callback)});
}

void CalDavClient::proppatch(const QUrl &url, const QByteArray &body, Callback callback)
{
    send({"PROPPATCH", url, body, {}, std::move(callback)});
}

QNetworkRequest CalDavClient::makeRequest(const Call &call) const
{
    QNetworkRequest request(call.url);
    request.setHeader(QNetworkRequest::UserAgentHeader, kUserAgent);
    // Qt would turn a redirected REPORT or PUT into a GET and report its
    // success; redirects are followed here, verb and body kept.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(m_transferTimeoutMs);
    if (!call.body.isEmpty()) {
        request.setRawHeader("Content-Type", "application/xml; charset=utf-8");
        request.setRawHeader("Content-Length", QByteArray::number(call.body.size()));
    }
    if (!m_user.isEmpty())
        request.setRawHeader("Authorization", basicAuthHeader(m_user, m_password));
    for (const auto &header : call.extraHeaders)
        request.setRawHeader(header.first, header.second);
    return request;
}

void CalDavClient::send(Call call)
{
    // Credentials typed into a URL become the client's credentials and never
    // travel in the URL itself.
    if (!call.url.userInfo().isEmpty()) {
        if (m_user.isEmpty())
            setCredentials(call.url.userName(QUrl::FullyDecoded), call.url.password(QUrl::FullyDecoded));
        call.url = withoutUserInfo(call.url);
    }
    ++m_requestCount;
    QNetworkReply *reply = m_manager->sendCustomRequest(makeRequest(call), call.method, call.body);
    Net::ReplyGuard::watch(reply, {m_maxReplyBytes, m_deadlineMs});
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, call = std::move(call)]() mutable { onFinished(reply, std::move(call)); });
}

CalDavClient::Response CalDavClient::makeResponse(QNetworkReply *reply) const
{
    Response response;
    const QString stopped = Net::ReplyGuard::failure(reply);
    if (!stopped.isEmpty()) {
        // Whatever arrived before the guard stopped the reply is no answer.
        response.error = stopped;
        return response;
    }
    response.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    response.body = reply->readAll();
    for (const auto &pair : reply->rawHeaderPairs())
        response.headers.insert(pair.first, pair.second);
    const QNetworkReply::NetworkError error = reply->error();
    if (error != QNetworkReply::NoError && (response.status == 0 || isTransportError(error))) {
        // The only aborts are the transfer timeout's: replies still in flight
        // when the client is destroyed never reach their callback.
        response.error = error == QNetworkReply::OperationCanceledError
            ? tr("The server did not answer within %1 seconds.").arg(m_transferTimeoutMs / 1000.0)
            : reply->errorString();
    }
    // A connection closed mid-body is not always reported as an error; a body
    // shorter than its declared length must never pass for a whole reply.
    const QByteArray declared = reply->rawHeader("Content-Length");
    bool lengthOk = false;
    const qint64 expected = declared.trimmed().toLongLong(&lengthOk);
    if (response.error.isEmpty() && lengthOk && reply->rawHeader("Content-Encoding").isEmpty()
        && response.body.size() < expected) {
        response.error = tr("The server's reply was cut off (%1 of %2 bytes).")
                             .arg(response.body.size())
                             .arg(expected);
    }
    return response;
}

void CalDavClient::onFinished(QNetworkReply *reply, Call call)
{
    const Response response = makeResponse(reply);
    reply->deleteLater();

    if (isRedirect(response.status) && call.redirectsLeft >= 1 && response.error.isEmpty()) {
        const QByteArray location = response.header("location");
        if (!location.isEmpty()) {
            const QUrl target = call.url.resolved(QUrl(QString::fromUtf8(location), QUrl::TolerantMode));
            // Credentials and bodies go only where they were meant to go: the
            // same scheme, host and port (so never from https to http).
            if (target.isValid() && sameOrigin(call.url, target)) {
                call.url = withoutUserInfo(target);
                call.redirectsLeft -= 1;
                send(std::move(call));
                return;
            }
            qCWarning(caldavLog).noquote() << "[CalDav] Not following" << call.method << "redirect from"
                                           << call.url.toString() << "to another origin"
                                           << withoutUserInfo(target).toString(QUrl::RemoveQuery);
        }
    }
    if (call.callback)
        call.callback(response);
}

void CalDavClient::onSslErrors(QNetworkReply *reply, const QList<QSslError> &errors)
{
    const QList<QSslCertificate> chain = reply->sslConfiguration().peerCertificateChain();
    if (chain.isEmpty())
        return;
    const QSslCertificate &leaf = chain.first();
    const QString fingerprint = QString::fromLatin1(
        QCryptographicHash::hash(leaf.toDer(), QCryptographicHash::Sha256).toHex().toUpper());
    if (!m_pinnedFingerprint.isEmpty() && m_pinnedFingerprint == fingerprint) {
        reply->ignoreSslErrors(errors);
        return;
    }

    UntrustedCertInfo info;
    const QUrl url = reply->request().url();
    info.host = url.host(QUrl::FullyDecoded);
    info.port = effectivePort(url);
    info.subject = certificateNames(leaf.subjectInfo(QSslCertificate::CommonName), leaf.subjectDisplayName());
    info.issuer = certificateNames(leaf.issuerInfo(QSslCertificate::CommonName), leaf.issuerDisplayName());
    info.effectiveDate = leaf.effectiveDate();
    info.expiryDate = leaf.expiryDate();
    info.fingerprint = fingerprint;
    for (const QSslError &error : errors)
        info.errors.append(error.errorString());
    m_lastUntrusted = info;
    Q_EMIT untrustedCertEncountered(info);
}

QString formatFingerprint(const QString &fingerprint)
{
    QString out;
    for (int i = 0; i < fingerprint.size(); ++i) {
        if (i > 0 && i % 2 == 0)
            out += QLatin1Char(':');
        out += fingerprint.at(i);
    }
    return out;
}
