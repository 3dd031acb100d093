#include "sync/oauth/browsersignin.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRandomGenerator>
#include <QStringList>

#include "app/platform/loopbacklistener.h"
#include "app/platform/urlopener.h"
#include "app/network/guardedrequest.h"
#include "app/network/onelinetext.h"
#include "app/network/replyguard.h"
#include "sync/core/jsonnumber.h"

#include <cstring>

namespace OAuth {

namespace {

// A token answer is a few hundred bytes.
constexpr qint64 TokenReplyMaxBytes = 1024 * 1024;
constexpr int TokenReplyDeadlineMs = 60 * 1000;

const QByteArray SuccessPage = QByteArrayLiteral(
    "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close\r\n\r\n"
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Tindlebrook Calendar</title><style>"
    "body{font-family:-apple-system,system-ui,sans-serif;background:#1a1a1a;color:#eee;display:flex;"
    "align-items:center;justify-content:center;height:100vh;margin:0;}div{text-align:center;}"
    "h1{font-weight:500;}p{opacity:0.7;}</style></head><body><div><h1>Sign-in complete</h1>"
    "<p>You can close this tab and return to Tindlebrook Calendar.</p></div>"
    "<script>setTimeout(function(){window.close();},800);</script></body></html>");

const QByteArray FailurePage = QByteArrayLiteral(
    "HTTP/1.1 400 Bad Request\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close\r\n\r\n"
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Sign-in failed</title><style>"
    "body{font-family:sans-serif;text-align:center;padding:40px;}</style></head><body>"
    "<h1>Sign-in failed</h1><p>Return to Tindlebrook Calendar for details.</p></body></html>");

QString base64Url(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

QString queryValue(const QUrlQuery &query, const QString &key)
{
    return query.queryItemValue(key, QUrl::FullyDecoded);
}

// A text the provider put into the redirect as a form does: "+" for a
// space, a "+" of its own as "%2B".
QString formText(const QUrlQuery &query, const QString &key)
{
    QString encoded = query.queryItemValue(key, QUrl::FullyEncoded);
    encoded.replace(QLatin1Char('+'), QLatin1Char(' '));
    return QUrl::fromPercentEncoding(encoded.toUtf8());
}

} // namespace

BrowserSignIn::BrowserSignIn(const Provider &provider, UrlOpener *opener, QObject *parent)
    : QObject(parent)
    , m_provider(provider)
    , m_opener(opener ? opener : UrlOpener::desktop())
    , m_network(new QNetworkAccessManager(this))
{
}

quint16 BrowserSignIn::listeningPort() const
{
    return m_listener && m_listener->isListening() ? m_listener->port() : 0;
}

QString BrowserSignIn::randomUrlSafe(int byteCount)
{
    QByteArray bytes(byteCount, Qt::Uninitialized);
    QList<quint32> buffer(byteCount / 4 + 1);
    QRandomGenerator::system()->fillRange(buffer.data(), buffer.size());
    std::memcpy(bytes.data(), buffer.constData(), size_t(byteCount));
    return base64Url(bytes);
}

QString BrowserSignIn::codeChallenge(const QString &verifier)
{
    return base64Url(QCryptographicHash::hash(verifier.toUtf8(), QCryptographicHash::Sha256));
}

QJsonObject BrowserSignIn::decodeIdTokenClaims(const QString &idToken)
{
    const QStringList parts = idToken.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    if (parts.size() < 2)
        return QJsonObject();
    QByteArray payload = parts.at(1).toUtf8();
    while (payload.size() % 4 != 0)
        payload.append('=');
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray::fromBase64(payload, QByteArray::Base64UrlEncoding));
    return document.isObject() ? document.object() : QJsonObject();
}

void BrowserSignIn::startSignIn()
{
    if (!m_provider.configured) {
        reportFailure(texts().notConfigured);
        return;
    }
    if (!m_listener) {
        m_listener = new LoopbackListener(this);
        connect(m_listener, &LoopbackListener::redirectReceived, this, &BrowserSignIn::handleCallback);
        connect(m_listener, &LoopbackListener::timedOut, this, [this] { reportFailure(texts().timedOut); });
        connect(m_listener, &LoopbackListener::superseded, this, [this] { reportFailure(texts().cancelled); });
        connect(m_listener, &LoopbackListener::startReused, this, [this] { reportFailure(texts().startReused); });
    }
    LoopbackListener::Options options;
    options.purpose = m_provider.purpose;
    options.port = m_provider.limits.signInPort;
    options.redirectPath = QStringLiteral("/");
    options.successPage = SuccessPage;
    options.failurePage = FailurePage;
    options.timeLimitMs = m_provider.limits.signInTimeLimitMs;
    options.isSuccess = [this](const QUrlQuery &query) { return callbackProblem(query).isEmpty(); };
    // A request without this sign-in's state is not its redirect, whatever
    // it says (an error and its description included): it gets 404 and the
    // sign-in goes on waiting for the browser.
    options.accepts = [this](const QUrlQuery &query) {
        return !m_state.isEmpty() && queryValue(query, QStringLiteral("state")) == m_state;
    };
    if (!m_listener->listen(options)) {
        reportFailure(texts().bindFailed.arg(m_listener->errorString()));
        return;
    }
    m_redirectUri = QStringLiteral("http://127.0.0.1:%1").arg(m_listener->port());
    m_codeVerifier = randomUrlSafe(64);
    m_state = randomUrlSafe(16);

    QUrlQuery query;
    query.setQueryItems(authorizationItems(m_redirectUri, codeChallenge(m_codeVerifier), m_state));
    QUrl url = m_provider.authorizationUrl;
    url.setQuery(query.query(QUrl::FullyEncoded), QUrl::StrictMode);
    // The state and the challenge stay off the opener's command line.
    if (!m_opener->open(m_listener->serveStart(url)))
        reportFailure(texts().browserFailed);
}

void BrowserSignIn::cancel()
{
    reportFailure(texts().cancelled);
}

QString BrowserSignIn::callbackProblem(const QUrlQuery &query) const
{
    const QString error = formText(query, QStringLiteral("error"));
    if (!error.isEmpty()) {
        const QString description =
            m_provider.deniedNamesDescription ? formText(query, QStringLiteral("error_description")) : QString();
        return texts().denied.arg(
            Net::oneBoundedLine(description.isEmpty() ? error : description, QStringList(), ErrorWordsMaxChars));
    }
    if (queryValue(query, QStringLiteral("state")) != m_state)
        return texts().stateMismatch;
    if (queryValue(query, QStringLiteral("code")).isEmpty())
        return texts().noCode;
    return QString();
}

void BrowserSignIn::handleCallback(const QUrlQuery &query)
{
    if (m_finished)
        return;
    const QString problem = callbackProblem(query);
    if (!problem.isEmpty()) {
        reportFailure(problem);
        return;
    }
    postForm(exchangeItems(queryValue(query, QStringLiteral("code")), m_codeVerifier, m_redirectUri),
             &BrowserSignIn::onTokenReply);
}

void BrowserSignIn::postForm(const Items &form, void (BrowserSignIn::*answered)(const ReplyData &data))
{
    // The form carries the client secret, the code and the refresh token.
    QNetworkRequest request = Net::guardedRequest(m_provider.tokenUrl, m_provider.limits.transferTimeoutMs);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    // Fully encoded, so a "+" or "&" inside a value stays part of it.
    QByteArray body;
    for (const auto &item : form) {
        if (!body.isEmpty())
            body.append('&');
        body.append(QUrl::toPercentEncoding(item.first) + '=' + QUrl::toPercentEncoding(item.second));
    }
    QNetworkReply *reply = m_network->post(request, body);
    Net::ReplyGuard::watch(reply, {TokenReplyMaxBytes, TokenReplyDeadlineMs});
    // An answer may quote them back (RFC 6749's names for them).
    QStringList secrets;
    for (const auto &item : form) {
        if (item.first == QLatin1String("client_secret") || item.first == QLatin1String("code")
            || item.first == QLatin1String("code_verifier") || item.first == QLatin1String("refresh_token"))
            secrets.append(item.second);
    }
    connect(reply, &QNetworkReply::finished, this, [this, reply, secrets, answered] {
        ReplyData data = m_provider.readReply(reply, m_provider.limits.transferTimeoutMs);
        data.secrets = secrets;
        (this->*answered)(data);
    });
}

// expires_in as a number of seconds; an hour when it is left out. Beyond
// ten years no token lasts, and the expiry would leave QDateTime's range.
std::optional<qint64> BrowserSignIn::expiresIn(const QJsonObject &reply) const
{
    constexpr qint64 longest = 10 * 366 * 24 * 3600LL;
    const QJsonValue value = reply.value(QStringLiteral("expires_in"));
    if (value.isDouble())
        return Sync::jsonInteger(value, 0, longest);
    bool ok = false;
    const qint64 seconds = m_provider.expiryMayBeText ? value.toString().toLongLong(&ok) : 0;
    if (!ok)
        return 3600;
    if (seconds < 0 || seconds > longest)
        return std::nullopt;
    return seconds;
}

QString BrowserSignIn::failure(const ReplyData &data, const QString &withWords, const QString &statusOnly)
{
    // An answer's body is the service's: a page, or an answer holding
    // tokens; only its words for an error are shown.
    const QString words = data.readableError(ReplyData::Words::Alone, QString());
    if (words.isEmpty())
        return statusOnly.arg(data.status);
    return withWords.arg(QString::number(data.status), words);
}

void BrowserSignIn::onTokenReply(const ReplyData &data)
{
    if (!data.ok()) {
        reportFailure(failure(data, texts().exchangeFailed, texts().exchangeFailedStatus));
        return;
    }
    const QJsonObject object = data.object();
    SignInResult result;
    result.accessToken = object.value(QStringLiteral("access_token")).toString();
    result.refreshToken = object.value(QStringLiteral("refresh_token")).toString();
    result.idToken = object.value(QStringLiteral("id_token")).toString();
    const std::optional<qint64> lifetime = expiresIn(object);
    if (!lifetime) {
        reportFailure(texts().unusableExpiry);
        return;
    }
    result.expiresAt = QDateTime::currentDateTimeUtc().addSecs(*lifetime);
    if (result.accessToken.isEmpty()) {
        reportFailure(texts().noAccessToken);
        return;
    }
    if (result.refreshToken.isEmpty()) {
        reportFailure(texts().noRefreshToken);
        return;
    }
    const QJsonObject claims = decodeIdTokenClaims(result.idToken);
    result.email = claims.value(QStringLiteral("email")).toString();
    if (result.email.isEmpty() && !m_provider.fallbackEmailClaim.isEmpty())
        result.email = claims.value(m_provider.fallbackEmailClaim).toString();
    result.name = claims.value(QStringLiteral("name")).toString();
    reportSuccess(result);
}

void BrowserSignIn::refreshAccessToken(const QString &refreshToken)
{
    if (!m_provider.configured) {
        Q_EMIT refreshFailed(texts().refreshNotConfigured);
        return;
    }
    postForm(refreshItems(refreshToken), &BrowserSignIn::onRefreshReply);
}

void BrowserSignIn::onRefreshReply(const ReplyData &data)
{
    if (!data.ok()) {
        m_grantRevoked = (data.status == 400 || data.status == 401)
                         && data.object().value(QStringLiteral("error")).toString() == QLatin1String("invalid_grant");
        Q_EMIT refreshFailed(failure(data, texts().refreshFailed, texts().refreshFailedStatus));
        return;
    }
    const QJsonObject object = data.object();
    const QString accessToken = object.value(QStringLiteral("access_token")).toString();
    if (accessToken.isEmpty()) {
        Q_EMIT refreshFailed(texts().refreshNoAccessToken);
        return;
    }
    const std::optional<qint64> lifetime = expiresIn(object);
    if (!lifetime) {
        Q_EMIT refreshFailed(texts().unusableExpiry);
        return;
    }
    Q_EMIT refreshSucceeded(accessToken, QDateTime::currentDateTimeUtc().addSecs(*lifetime),
                            object.value(QStringLiteral("refresh_token")).toString());
}

void BrowserSignIn::reportFailure(const QString &reason)
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_listener)
        m_listener->close();
    Q_EMIT signInFailed(reason);
}

void BrowserSignIn::reportSuccess(const SignInResult &result)
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_listener)
        m_listener->close();
    reportSignedIn(result);
}

} // namespace OAuth
