#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QUrlQuery>

#include "sync/microsoft/microsoftendpoints.h"

class LoopbackListener;
class QNetworkAccessManager;
class QNetworkReply;
class UrlOpener;

namespace TindAccount {
class TokenStore;
}

namespace Microsoft {

// What a completed browser sign-in hands back.
struct SignInResult
{
    QString email;
    QString name;
    QString accessToken;
    QString refreshToken;
    QString idToken;
    QDateTime expiresAt;
};

// The token set of one Microsoft account, as kept in the secret store.
struct StoredTokens
{
    QString accessToken;
    QString refreshToken;
    QDateTime expiresAt;
};

bool operator==(const StoredTokens &a, const StoredTokens &b);
QDebug operator<<(QDebug debug, const StoredTokens &tokens);

// Signs a user in to a Microsoft account (authorization code with PKCE,
// S256, no client secret, tenant "common") through the browser and a
// loopback redirect, and refreshes access tokens later. Owns the format of
// an account's token set in the secret store.
//
// The entry point for a sign-in screen: make one object, connect
// signInSucceeded and signInFailed, call startSignIn(), and cancel() when
// the user gives up. One object carries at most one sign-in; its owner
// deletes it after the outcome. The caller saves the result's tokens under
// the account it creates with saveTokens().
class AuthService : public QObject
{
    Q_OBJECT
public:
    static constexpr char TokensKeyPrefix[] = "microsoft-tokens-";
    static constexpr char Scope[] =
        "openid profile email offline_access User.Read Calendars.ReadWrite Calendars.ReadWrite.Shared";

    explicit AuthService(QObject *parent = nullptr);
    // endpoints: hosts, client and time limits; opener: the browser (not
    // owned; must outlive the sign-in).
    AuthService(const Endpoints &endpoints, UrlOpener *opener, QObject *parent = nullptr);

    void startSignIn();
    void cancel();
    void refreshAccessToken(const QString &refreshToken);

    // The port the sign-in listens on, 0 when not listening.
    quint16 listeningPort() const;

    // Through the application's secret store.
    static StoredTokens loadTokens(const QString &accountId);
    static bool saveTokens(const QString &accountId, const StoredTokens &tokens);
    // Through the given store.
    static StoredTokens loadTokens(TindAccount::TokenStore &store, const QString &accountId);
    static bool saveTokens(TindAccount::TokenStore &store, const QString &accountId, const StoredTokens &tokens);

    // base64url without padding of `byteCount` secure random bytes.
    static QString randomUrlSafe(int byteCount);
    // The payload of an ID token; not verified.
    static QJsonObject decodeIdTokenClaims(const QString &idToken);
    // The S256 challenge of a PKCE verifier.
    static QString codeChallenge(const QString &verifier);

Q_SIGNALS:
    void signInSucceeded(const Microsoft::SignInResult &result);
    void signInFailed(const QString &reason);
    void refreshSucceeded(const QString &accessToken, const QDateTime &expiresAt,
                          const QString &maybeRotatedRefreshToken);
    void refreshFailed(const QString &reason);

private:
    void handleCallback(const QUrlQuery &query);
    QString callbackProblem(const QUrlQuery &query) const;
    void exchangeCode(const QString &code);
    void onTokenReply(QNetworkReply *reply);
    void onRefreshReply(QNetworkReply *reply);
    QNetworkReply *postForm(const QList<QPair<QString, QString>> &form);
    void reportFailure(const QString &reason);
    void reportSuccess(const SignInResult &result);

    Endpoints m_endpoints;
    UrlOpener *m_opener;
    LoopbackListener *m_listener = nullptr;
    QNetworkAccessManager *m_network;
    QString m_codeVerifier;
    QString m_state;
    QString m_redirectUri;
    bool m_finished = false;
};

} // namespace Microsoft

Q_DECLARE_METATYPE(Microsoft::SignInResult)
