#include "sync/microsoft/microsoftauthservice.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRandomGenerator>
#include <QStringList>
#include <QUrl>

#include "app/platform/datadirectory.h"
#include "app/platform/loopbacklistener.h"
#include "app/platform/urlopener.h"
#include "app/secrets/tokenstore.h"
#include "sync/microsoft/microsoftreply.h"

#include <cstring>

namespace Microsoft {

namespace {

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

// expires_in as a number of seconds; an hour when it is left out.
qint64 expiresIn(const QJsonObject &reply)
{
    const QJsonValue value = reply.value(QStringLiteral("expires_in"));
    if (value.isDouble())
        return qint64(value.toDouble());
    bool ok = false;
    const qint64 seconds = value.toString().toLongLong(&ok);
    return ok ? seconds : 3600;
}

std::unique_ptr<TindAccount::TokenStore> applicationStore()
{
    return TindAccount::TokenStore::create(applicationServiceId());
}

} // namespace

bool operator==(const StoredTokens &a, const StoredTokens &b)
{
    return a.accessToken == b.accessToken && a.refreshToken == b.refreshToken && a.expiresAt == b.expiresAt;
}

QDebug operator<<(QDebug debug, const StoredTokens &tokens)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "StoredTokens(accessToken=" << tokens.accessToken << ", refreshToken=" << tokens.refreshToken
                    << ", expiresAt=" << tokens.expiresAt << ')';
    return debug;
}

AuthService::AuthService(QObject *parent)
    : AuthService(Endpoints::fromEnvironment(), UrlOpener::desktop(), parent)
{
}

AuthService::AuthService(const Endpoints &endpoints, UrlOpener *opener, QObject *parent)
    : QObject(parent)
    , m_endpoints(endpoints)
    , m_opener(opener ? opener : UrlOpener::desktop())
    , m_network(new QNetworkAccessManager(this))
{
}

quint16 AuthService::listeningPort() const
{
    return m_listener && m_listener->isListening() ? m_listener->port() : 0;
}

QString AuthService::randomUrlSafe(int byteCount)
{
    QByteArray bytes(byteCount, Qt::Uninitialized);
    QList<quint32> buffer(byteCount / 4 + 1);
    QRandomGenerator::system()->fillRange(buffer.data(), buffer.size());
    std::memcpy(bytes.data(), buffer.constData(), size_t(byteCount));
    return base64Url(bytes);
}

QString AuthService::codeChallenge(const QString &verifier)
{
    return base64Url(QCryptographicHash::hash(verifier.toUtf8(), QCryptographicHash::Sha256));
}

QJsonObject AuthService::decodeIdTokenClaims(const QString &idToken)
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

void AuthService::startSignIn()
{
    if (!m_endpoints.oauthConfigured()) {
        reportFailure(tr("Microsoft OAuth credentials are not configured in this build. See .env.example."));
        return;
    }
    if (!m_listener) {
        m_listener = new LoopbackListener(this);
        connect(m_listener, &LoopbackListener::redirectReceived, this, &AuthService::handleCallback);
        connect(m_listener, &LoopbackListener::timedOut, this,
                [this] { reportFailure(tr("Microsoft sign-in timed out. Please try again.")); });
        connect(m_listener, &LoopbackListener::superseded, this,
                [this] { reportFailure(tr("Sign-in cancelled.")); });
    }
    LoopbackListener::Options options;
    options.purpose = QStringLiteral("microsoft-sign-in");
    options.port = m_endpoints.signInPort;
    options.redirectPath = QStringLiteral("/");
    options.successPage = SuccessPage;
    options.failurePage = FailurePage;
    options.timeLimitMs = m_endpoints.signInTimeLimitMs;
    options.isSuccess = [this](const QUrlQuery &query) { return callbackProblem(query).isEmpty(); };
    if (!m_listener->listen(options)) {
        reportFailure(tr("Could not bind a local port for the Microsoft sign-in callback: %1")
                          .arg(m_listener->errorString()));
        return;
    }
    m_redirectUri = QStringLiteral("http://127.0.0.1:%1").arg(m_listener->port());
    m_codeVerifier = randomUrlSafe(64);
    m_state = randomUrlSafe(16);

    QUrlQuery query;
    query.addQueryItem(QStringLiteral("client_id"), m_endpoints.clientId);
    query.addQueryItem(QStringLiteral("response_type"), QStringLiteral("code"));
    query.addQueryItem(QStringLiteral("redirect_uri"), m_redirectUri);
    query.addQueryItem(QStringLiteral("scope"), QLatin1String(Scope));
    query.addQueryItem(QStringLiteral("code_challenge"), codeChallenge(m_codeVerifier));
    query.addQueryItem(QStringLiteral("code_challenge_method"), QStringLiteral("S256"));
    query.addQueryItem(QStringLiteral("state"), m_state);
    query.addQueryItem(QStringLiteral("response_mode"), QStringLiteral("query"));
    query.addQueryItem(QStringLiteral("prompt"), QStringLiteral("select_account"));
    QUrl url = m_endpoints.authorizeUrl();
    url.setQuery(query.query(QUrl::FullyEncoded), QUrl::StrictMode);
    if (!m_opener->open(url))
        reportFailure(tr("Could not launch the system browser for Microsoft sign-in."));
}

void AuthService::cancel()
{
    reportFailure(tr("Sign-in cancelled."));
}

QString AuthService::callbackProblem(const QUrlQuery &query) const
{
    const QString error = queryValue(query, QStringLiteral("error"));
    if (!error.isEmpty()) {
        const QString description = queryValue(query, QStringLiteral("error_description"));
        return tr("Microsoft denied the sign-in: %1").arg(description.isEmpty() ? error : description);
    }
    if (queryValue(query, QStringLiteral("state")) != m_state)
        return tr("Sign-in state mismatch. The redirect didn't match our request; please try again.");
    if (queryValue(query, QStringLiteral("code")).isEmpty())
        return tr("Microsoft did not return an authorization code.");
    return QString();
}

void AuthService::handleCallback(const QUrlQuery &query)
{
    if (m_finished)
        return;
    const QString problem = callbackProblem(query);
    if (!problem.isEmpty()) {
        reportFailure(problem);
        return;
    }
    exchangeCode(queryValue(query, QStringLiteral("code")));
}

QNetworkReply *AuthService::postForm(const QList<QPair<QString, QString>> &form)
{
    QNetworkRequest request(m_endpoints.tokenUrl());
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    request.setTransferTimeout(m_endpoints.transferTimeoutMs);
    // Fully encoded, so a "+" or "&" inside a value stays part of it.
    QByteArray body;
    for (const auto &item : form) {
        if (!body.isEmpty())
            body.append('&');
        body.append(QUrl::toPercentEncoding(item.first) + '=' + QUrl::toPercentEncoding(item.second));
    }
    return m_network->post(request, body);
}

void AuthService::exchangeCode(const QString &code)
{
    QNetworkReply *reply = postForm({{QStringLiteral("client_id"), m_endpoints.clientId},
                                     {QStringLiteral("scope"), QLatin1String(Scope)},
                                     {QStringLiteral("code"), code},
                                     {QStringLiteral("redirect_uri"), m_redirectUri},
                                     {QStringLiteral("grant_type"), QStringLiteral("authorization_code")},
                                     {QStringLiteral("code_verifier"), m_codeVerifier}});
    connect(reply, &QNetworkReply::finished, this, [this, reply] { onTokenReply(reply); });
}

void AuthService::onTokenReply(QNetworkReply *reply)
{
    const ReplyData data = takeReply(reply, m_endpoints.transferTimeoutMs);
    if (!data.ok()) {
        reportFailure(tr("Token exchange failed (HTTP %1): %2").arg(data.status).arg(data.text()));
        return;
    }
    const QJsonObject object = data.object();
    SignInResult result;
    result.accessToken = object.value(QStringLiteral("access_token")).toString();
    result.refreshToken = object.value(QStringLiteral("refresh_token")).toString();
    result.idToken = object.value(QStringLiteral("id_token")).toString();
    result.expiresAt = QDateTime::currentDateTimeUtc().addSecs(expiresIn(object));
    if (result.accessToken.isEmpty()) {
        reportFailure(tr("Microsoft did not return an access token."));
        return;
    }
    if (result.refreshToken.isEmpty()) {
        reportFailure(tr("Microsoft did not return a refresh token. Verify offline_access is in the scopes "
                         "configured for this app."));
        return;
    }
    const QJsonObject claims = decodeIdTokenClaims(result.idToken);
    result.email = claims.value(QStringLiteral("email")).toString();
    if (result.email.isEmpty())
        result.email = claims.value(QStringLiteral("preferred_username")).toString();
    result.name = claims.value(QStringLiteral("name")).toString();
    reportSuccess(result);
}

void AuthService::refreshAccessToken(const QString &refreshToken)
{
    if (!m_endpoints.oauthConfigured()) {
        Q_EMIT refreshFailed(tr("Microsoft OAuth credentials are not configured."));
        return;
    }
    QNetworkReply *reply = postForm({{QStringLiteral("client_id"), m_endpoints.clientId},
                                     {QStringLiteral("scope"), QLatin1String(Scope)},
                                     {QStringLiteral("refresh_token"), refreshToken},
                                     {QStringLiteral("grant_type"), QStringLiteral("refresh_token")}});
    connect(reply, &QNetworkReply::finished, this, [this, reply] { onRefreshReply(reply); });
}

void AuthService::onRefreshReply(QNetworkReply *reply)
{
    const ReplyData data = takeReply(reply, m_endpoints.transferTimeoutMs);
    if (!data.ok()) {
        Q_EMIT refreshFailed(tr("Token refresh failed (HTTP %1): %2").arg(data.status).arg(data.text()));
        return;
    }
    const QJsonObject object = data.object();
    const QString accessToken = object.value(QStringLiteral("access_token")).toString();
    if (accessToken.isEmpty()) {
        Q_EMIT refreshFailed(tr("Microsoft's response had no access_token."));
        return;
    }
    Q_EMIT refreshSucceeded(accessToken, QDateTime::currentDateTimeUtc().addSecs(expiresIn(object)),
                            object.value(QStringLiteral("refresh_token")).toString());
}

void AuthService::reportFailure(const QString &reason)
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_listener)
        m_listener->close();
    Q_EMIT signInFailed(reason);
}

void AuthService::reportSuccess(const SignInResult &result)
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_listener)
        m_listener->close();
    Q_EMIT signInSucceeded(result);
}

StoredTokens AuthService::loadTokens(const QString &accountId)
{
    const auto store = applicationStore();
    return store ? loadTokens(*store, accountId) : StoredTokens();
}

bool AuthService::saveTokens(const QString &accountId, const StoredTokens &tokens)
{
    const auto store = applicationStore();
    return store && saveTokens(*store, accountId, tokens);
}

StoredTokens AuthService::loadTokens(TindAccount::TokenStore &store, const QString &accountId)
{
    StoredTokens tokens;
    const std::optional<QString> text = store.read(QLatin1String(TokensKeyPrefix) + accountId);
    if (!text || text->isEmpty())
        return tokens;
    const QJsonObject object = QJsonDocument::fromJson(text->toUtf8()).object();
    tokens.accessToken = object.value(QStringLiteral("access_token")).toString();
    tokens.refreshToken = object.value(QStringLiteral("refresh_token")).toString();
    const QDateTime expiry =
        QDateTime::fromString(object.value(QStringLiteral("expires_at")).toString(), Qt::ISODateWithMs);
    if (expiry.isValid())
        tokens.expiresAt = expiry.toUTC();
    return tokens;
}

bool AuthService::saveTokens(TindAccount::TokenStore &store, const QString &accountId, const StoredTokens &tokens)
{
    QJsonObject object;
    object.insert(QStringLiteral("access_token"), tokens.accessToken);
    object.insert(QStringLiteral("expires_at"),
                  tokens.expiresAt.isValid() ? tokens.expiresAt.toUTC().toString(Qt::ISODateWithMs) : QString());
    object.insert(QStringLiteral("refresh_token"), tokens.refreshToken);
    return store.write(QLatin1String(TokensKeyPrefix) + accountId,
                       QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
}

} // namespace Microsoft
