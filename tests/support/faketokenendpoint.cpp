#include "tests/support/faketokenendpoint.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QUrl>
#include <QUrlQuery>

namespace {

QString formValue(const QUrlQuery &form, const char *key)
{
    return form.queryItemValue(QLatin1String(key), QUrl::FullyDecoded);
}

} // namespace

FakeTokenEndpoint::FakeTokenEndpoint(const Style &style, const QString &idToken)
    : idToken(idToken)
    , m_style(style)
{
}

QString FakeTokenEndpoint::issueCode(const QString &codeChallenge, const QString &redirectUri)
{
    const QString code = m_style.codePrefix + QString::number(++m_serial);
    m_codes.insert(code, qMakePair(codeChallenge, redirectUri));
    return code;
}

void FakeTokenEndpoint::addRefreshToken(const QString &refreshToken)
{
    m_refreshTokens.insert(refreshToken);
}

void FakeTokenEndpoint::revokeRefreshToken(const QString &refreshToken)
{
    m_refreshTokens.remove(refreshToken);
}

void FakeTokenEndpoint::addAccessToken(const QString &accessToken)
{
    m_accessTokens.insert(accessToken);
}

QString FakeTokenEndpoint::newAccessToken()
{
    m_lastAccessToken = m_style.accessPrefix + QString::number(++m_serial);
    m_accessTokens.insert(m_lastAccessToken);
    return m_lastAccessToken;
}

bool FakeTokenEndpoint::acceptsBearer(const QByteArray &authorization) const
{
    return authorization.startsWith("Bearer ") && m_accessTokens.contains(QString::fromUtf8(authorization.mid(7)));
}

LocalHttpServer::Reply FakeTokenEndpoint::jsonReply(int status, const QJsonObject &object) const
{
    LocalHttpServer::Reply reply;
    reply.status = status;
    reply.headers.append(qMakePair(QByteArray("Content-Type"), m_style.contentType));
    reply.body = QJsonDocument(object).toJson(QJsonDocument::Compact);
    return reply;
}

QJsonObject FakeTokenEndpoint::tokenReply(const QString &accessToken, const QString &refreshToken,
                                          bool withIdToken) const
{
    QJsonObject reply{{QStringLiteral("access_token"), accessToken},
                      {QStringLiteral("expires_in"), 3599},
                      {QStringLiteral("token_type"), QStringLiteral("Bearer")}};
    if (!refreshToken.isEmpty())
        reply.insert(QStringLiteral("refresh_token"), refreshToken);
    if (withIdToken)
        reply.insert(QStringLiteral("id_token"), idToken);
    for (const QString &member : std::as_const(omitFromTokenReply))
        reply.remove(member);
    for (auto it = overrideInTokenReply.begin(); it != overrideInTokenReply.end(); ++it)
        reply.insert(it.key(), it.value());
    return reply;
}

LocalHttpServer::Reply FakeTokenEndpoint::grant(const QUrlQuery &form)
{
    if (!scriptedTokenReplies.isEmpty())
        return scriptedTokenReplies.takeFirst();
    const QString grant = formValue(form, "grant_type");
    if (grant == QLatin1String("authorization_code")) {
        const QString code = formValue(form, "code");
        const auto issued = m_codes.constFind(code);
        const QString challenge = QString::fromLatin1(
            QCryptographicHash::hash(formValue(form, "code_verifier").toUtf8(), QCryptographicHash::Sha256)
                .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
        if (issued == m_codes.constEnd() || issued->first != challenge
            || issued->second != formValue(form, "redirect_uri"))
            return jsonReply(400, QJsonObject{{QStringLiteral("error"), QStringLiteral("invalid_grant")}});
        m_codes.remove(code);
        m_lastRefreshToken = m_style.refreshPrefix + QString::number(++m_serial);
        m_refreshTokens.insert(m_lastRefreshToken);
        return jsonReply(200, tokenReply(newAccessToken(), m_lastRefreshToken, true));
    }
    if (grant == QLatin1String("refresh_token")) {
        const QString refresh = formValue(form, "refresh_token");
        if (!m_refreshTokens.contains(refresh))
            return jsonReply(400, QJsonObject{{QStringLiteral("error"), QStringLiteral("invalid_grant")},
                                         {QStringLiteral("error_description"), m_style.expiredDescription}});
        QString rotated;
        if (rotateRefreshTokens) {
            m_refreshTokens.remove(refresh);
            rotated = m_lastRefreshToken = m_style.rotatedPrefix + QString::number(++m_serial);
            m_refreshTokens.insert(rotated);
        }
        return jsonReply(200, tokenReply(newAccessToken(), rotated, false));
    }
    return jsonReply(400, QJsonObject{{QStringLiteral("error"), QStringLiteral("unsupported_grant_type")}});
}
