#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>

#include "tests/support/localhttpserver.h"

class QUrlQuery;

// The OAuth side of a fake provider: authorization codes checked against
// their PKCE challenge and redirect URI, refresh (rotating the refresh
// token or keeping it, invalid_grant for unknown ones) and the access
// tokens the API accepts. A fake server derives from it, checks the
// client of a token request itself and hands the form to grant().
class FakeTokenEndpoint
{
public:
    // Each refresh hands out a new refresh token and revokes the one it
    // came with, as providers that rotate document: a second refresh with
    // the old one is answered invalid_grant.
    bool rotateRefreshTokens = false;
    // Members left out of token replies ("expires_in", "refresh_token").
    QSet<QString> omitFromTokenReply;
    // Members put into token replies in place of the usual ones.
    QJsonObject overrideInTokenReply;
    // The ID token a code exchange hands back.
    QString idToken;
    // The next token requests of a client that passed its check get these,
    // one each and in order, whatever they ask.
    QList<LocalHttpServer::Reply> scriptedTokenReplies;

    // A code as the consent page would hand it out, for this challenge and
    // redirect URI.
    QString issueCode(const QString &codeChallenge, const QString &redirectUri);
    // A valid refresh token and the access token it came with.
    void addRefreshToken(const QString &refreshToken);
    void addAccessToken(const QString &accessToken);
    // From now on a refresh with it is answered invalid_grant, as after a
    // rotation elsewhere or the user's revoking the grant.
    void revokeRefreshToken(const QString &refreshToken);
    QString lastAccessToken() const { return m_lastAccessToken; }
    QString lastRefreshToken() const { return m_lastRefreshToken; }

protected:
    // How the provider's tokens and replies look.
    struct Style
    {
        QString codePrefix;
        QString accessPrefix;
        QString refreshPrefix;
        QString rotatedPrefix;
        // The error_description of a refresh with an unknown token.
        QString expiredDescription;
        QByteArray contentType;
    };

    FakeTokenEndpoint(const Style &style, const QString &idToken);

    // The answer to a token request whose client has been checked.
    LocalHttpServer::Reply grant(const QUrlQuery &form);
    // Whether an Authorization header carries an access token handed out.
    bool acceptsBearer(const QByteArray &authorization) const;
    QString newAccessToken();

    // Numbers every code, token and whatever else the server names.
    int m_serial = 0;

private:
    LocalHttpServer::Reply jsonReply(int status, const QJsonObject &object) const;
    QJsonObject tokenReply(const QString &accessToken, const QString &refreshToken, bool withIdToken) const;

    Style m_style;
    QHash<QString, QPair<QString, QString>> m_codes; // code -> (challenge, redirect URI)
    QSet<QString> m_refreshTokens;
    QSet<QString> m_accessTokens;
    QString m_lastAccessToken;
    QString m_lastRefreshToken;
};
