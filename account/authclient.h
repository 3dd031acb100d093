#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include "account/authstate.h"
#include "account/records.h"

#include <functional>

namespace TindAccount {

class ApiClient;
class TokenManager;
class WebAuthHandler;

// Owns the cloud sign-in state: restores the stored session at start,
// signs in through the system browser with a loopback redirect, signs out,
// forces token refreshes, and reads and changes the signed-in user on the
// sign-in realm.
class AuthClient : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TindAccount::AuthState state READ state NOTIFY stateChanged)
    Q_PROPERTY(bool isAuthenticated READ isAuthenticated NOTIFY stateChanged)
public:
    // False when no browser opened.
    using UrlOpener = std::function<bool(const QUrl &url)>;
    // Runs `ready` once the secret store can be read (the keyring loads in
    // the background at start).
    using SecretsReadyWait = std::function<void(QObject *context, std::function<void()> ready)>;

    AuthClient(const QString &authUrl, const QString &realmSlug, const QString &clientId, ApiClient *api,
               TokenManager *tokens, QObject *parent = nullptr);

    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }
    void setSecretsReadyWait(SecretsReadyWait wait) { m_whenReady = std::move(wait); }
    // How long a browser sign-in may take before its listener gives up.
    void setSignInTimeLimit(int ms) { m_signInTimeLimitMs = ms; }

    void initialize();
    void login();
    void logout();
    void refreshToken(std::function<void(bool)> callback);

    AuthState state() const { return m_state; }
    bool isAuthenticated() const { return m_state == AuthState::SignedIn; }
    User currentUser() const { return m_currentUser; }
    // The address the last login opened in the browser: the one-time start
    // address that leads to the sign-in page.
    QUrl lastSignInPage() const { return m_lastSignInPage; }

    void fetchCurrentUser(std::function<void(User)> callback);
    void updateProfile(const QString &displayName, std::function<void(User)> callback);
    void changePassword(const QString &currentPassword, const QString &newPassword, std::function<void(bool)> callback);
    void listSessions(std::function<void(QList<Session>)> callback);
    // The completion, when given, learns whether the session was revoked.
    void revokeSession(const QString &sessionId, std::function<void(bool)> callback = {});

    // Inside a completion that reported failure: why, readable by the user.
    QString lastFailure() const;

Q_SIGNALS:
    void stateChanged(TindAccount::AuthState state);
    void loginSucceeded();
    void loginFailed(QString error);
    // No browser opened the sign-in page; the sign-in still waits for it, so
    // the page can be opened by hand.
    void signInPageNotOpened(const QUrl &page);
    void logoutCompleted();

private:
    void setupRefreshCallback();
    void restoreSession();
    void handleAuthCallback(const QUrl &url);
    void signOutLocally();
    void setState(AuthState state);

    QString m_authUrl;
    QString m_realmSlug;
    QString m_clientId;
    ApiClient *m_api;
    TokenManager *m_tokens;
    AuthState m_state = AuthState::Initial;
    User m_currentUser;
    UrlOpener m_openUrl;
    SecretsReadyWait m_whenReady;
    QPointer<WebAuthHandler> m_handler;
    int m_signInTimeLimitMs = 0;
    QUrl m_lastSignInPage;
    bool m_initialized = false;
};

} // namespace TindAccount
