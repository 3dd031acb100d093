#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrl>
#include <QUrlQuery>

#include "sync/oauth/replydata.h"
#include "sync/oauth/servicelimits.h"

#include <optional>

class LoopbackListener;
class QNetworkAccessManager;
class QNetworkReply;
class UrlOpener;

namespace OAuth {

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

// Form or query items, in the order they are sent.
using Items = QList<QPair<QString, QString>>;

// Signs a user in through the browser and a loopback redirect
// (authorization code with PKCE, S256) and refreshes access tokens later.
// A provider's service derives from it and gives its hosts, the items of
// its requests and its texts, which stay in its own words and its own
// translation context. One object carries at most one sign-in.
class BrowserSignIn : public QObject
{
    Q_OBJECT
public:
    // Where and how one provider signs in.
    struct Provider
    {
        QUrl authorizationUrl;
        QUrl tokenUrl;
        bool configured = false;
        // The listener's purpose: sign-ins with the same one replace each other.
        QString purpose;
        ServiceLimits limits;
        // The claim that stands in for a missing "email"; none when empty.
        QString fallbackEmailClaim;
        // Whether "expires_in" may come as text as well as a number.
        bool expiryMayBeText = false;
        // Whether a refusal names the error's description, when there is one,
        // rather than its code.
        bool deniedNamesDescription = false;
        // Reads a reply of the token endpoint in the provider's words.
        ReplyData (*readReply)(QNetworkReply *reply, int timeoutMs) = nullptr;
    };

    // What the user reads; "%1" and "%2" are filled in where they appear.
    struct Texts
    {
        QString notConfigured;
        QString timedOut;
        QString cancelled;
        // The one-time start address was asked for twice.
        QString startReused;
        QString bindFailed; // %1: why
        QString browserFailed;
        QString denied; // %1: the provider's error
        QString stateMismatch;
        QString noCode;
        // %1: HTTP status, %2: the service's words, or why no answer came.
        QString exchangeFailed;
        // %1: HTTP status; the answer named no reason.
        QString exchangeFailedStatus;
        QString noAccessToken;
        QString noRefreshToken;
        QString refreshNotConfigured;
        QString refreshFailed; // as exchangeFailed
        QString refreshFailedStatus; // as exchangeFailedStatus
        QString refreshNoAccessToken;
        // A token answer whose "expires_in" no date holds.
        QString unusableExpiry;
    };

    void startSignIn();
    void cancel();
    void refreshAccessToken(const QString &refreshToken);
    // Whether the last refresh failed because the provider no longer
    // honours the grant ("invalid_grant"): only a new sign-in helps.
    bool grantRevoked() const { return m_grantRevoked; }

    // The port the sign-in listens on, 0 when not listening.
    quint16 listeningPort() const;

    // base64url without padding of `byteCount` secure random bytes.
    static QString randomUrlSafe(int byteCount);
    // The payload of an ID token; not verified.
    static QJsonObject decodeIdTokenClaims(const QString &idToken);
    // The S256 challenge of a PKCE verifier.
    static QString codeChallenge(const QString &verifier);

Q_SIGNALS:
    void signInFailed(const QString &reason);
    void refreshSucceeded(const QString &accessToken, const QDateTime &expiresAt,
                          const QString &maybeRotatedRefreshToken);
    void refreshFailed(const QString &reason);

protected:
    // opener: the browser (not owned; must outlive the sign-in).
    BrowserSignIn(const Provider &provider, UrlOpener *opener, QObject *parent);

    virtual Texts texts() const = 0;
    virtual Items authorizationItems(const QString &redirectUri, const QString &challenge,
                                     const QString &state) const = 0;
    virtual Items exchangeItems(const QString &code, const QString &verifier, const QString &redirectUri) const = 0;
    virtual Items refreshItems(const QString &refreshToken) const = 0;
    // Emits the provider's own success signal.
    virtual void reportSignedIn(const SignInResult &result) = 0;

private:
    void handleCallback(const QUrlQuery &query);
    QString callbackProblem(const QUrlQuery &query) const;
    void onTokenReply(const ReplyData &data);
    void onRefreshReply(const ReplyData &data);
    // Posts the form to the token endpoint and hands its answer to `answered`.
    void postForm(const Items &form, void (BrowserSignIn::*answered)(const ReplyData &data));
    // Nothing when the reply's expiry is out of range: the reply is unreadable.
    std::optional<qint64> expiresIn(const QJsonObject &reply) const;
    // What the user reads of a token request that failed; never its body.
    static QString failure(const ReplyData &data, const QString &withWords, const QString &statusOnly);
    void reportFailure(const QString &reason);
    void reportSuccess(const SignInResult &result);

    Provider m_provider;
    UrlOpener *m_opener;
    LoopbackListener *m_listener = nullptr;
    QNetworkAccessManager *m_network;
    QString m_codeVerifier;
    QString m_state;
    QString m_redirectUri;
    bool m_finished = false;
    bool m_grantRevoked = false;
};

} // namespace OAuth
