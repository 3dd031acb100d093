#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUrl>

#include "tests/support/fakecloudsyncroutes.h"
#include "tests/support/localhttpserver.h"

#include <functional>
#include <optional>

class FakeCloudConfigRoutes;

// The Tindlebrook cloud service on 127.0.0.1, for the account client's
// tests and for trying the program by hand: the browser sign-in page, the
// realm API (token refresh with rotation, sign-out, user, password,
// sessions), the account API (profile, devices, group, invitations) and the
// sync API, whose route sets register themselves (addSyncRoutes).
// Access tokens are JWTs it signs itself, with "exp"; an expired, revoked or
// forged token gets 401. Faults can be set per request path.
class FakeCloudServer : public QObject
{
    Q_OBJECT
public:
    enum class Fault {
        None,
        ServerError,   // 503 with a JSON error body
        Hang,          // never answers
        MalformedJson, // 200 with a body that is not JSON
        Unauthorized,  // 401 whatever the token
    };

    struct Tokens
    {
        QString accessToken;
        QString refreshToken;
    };

    static constexpr char RealmSlug[] = "tindlebrook";

    // One set of sync API routes: a reply for the requests it serves,
    // nothing for the others. path is below the sync API's base, as sent.
    using SyncRoute = std::function<std::optional<LocalHttpServer::Reply>(
        const QByteArray &method, const QString &path, const QJsonObject &body, const QString &query)>;

    explicit FakeCloudServer(QObject *parent = nullptr);

    bool listen();
    // The values the program reads from AUTH_API_URL, ACCOUNT_API_URL,
    // SYNC_API_URL and ACCOUNT_PORTAL_URL.
    QString authApiUrl() const;
    QString accountApiUrl() const;
    QString syncApiUrl() const;
    QString portalUrl() const;
    // Sets those variables (and AUTH_REALM_SLUG, AUTH_CLIENT_ID) for this process.
    void exportEnvironment() const;

    // Signs the user in on a new session, as the sign-in page does.
    Tokens signIn();
    // An access token of `sessionId` that expires `secondsFromNow` from now.
    QString accessToken(const QString &sessionId, qint64 secondsFromNow) const;
    QString sessionOf(const QString &refreshToken) const { return m_refreshTokens.value(refreshToken); }

    void setAccessTokenLifetime(int seconds) { m_accessLifetime = seconds; }
    // Requests whose path (below the service base) starts with `pathPrefix`
    // meet `fault`, the next `times` times (-1: always).
    void setFault(const QString &pathPrefix, Fault fault, int times = -1);
    // The refresh reply leaves out one of its tokens (but still succeeds).
    void setRefreshOmits(const QString &key) { m_refreshOmits = key; }
    // The sign-in page redirects with an error instead of tokens.
    void setSignInDenied(bool denied) { m_signInDenied = denied; }
    // The group role new access tokens claim; unset, "owner" while a group exists.
    void setTokenRole(const QString &role) { m_tokenRole = role; }

    int refreshCount() const { return m_refreshCount; }
    QList<LocalHttpServer::Request> requests() const { return m_http.requests(); }
    // Requests whose decoded path ends with `suffix`.
    int countRequests(const QByteArray &method, const QString &pathSuffix) const;
    bool isSessionRevoked(const QString &sessionId) const { return !m_sessions.contains(sessionId); }

    // The account's state, for tests to set up and inspect.
    QJsonObject &user() { return m_user; }
    QJsonObject &group() { return m_group; }
    QList<QJsonObject> &devices() { return m_devices; }
    QString password() const { return m_password; }
    // The cloud calendars: list, events by uid, tasks, members.
    FakeCloudCalendars &calendars() { return m_calendars; }
    // Configuration pull and push with their change log.
    FakeCloudConfigRoutes *config() const { return m_config; }

    // Asked in the order added; authenticated requests only.
    void addSyncRoutes(SyncRoute route) { m_syncRoutes.append(std::move(route)); }

private:
    using Reply = LocalHttpServer::Reply;

    Reply handle(const LocalHttpServer::Request &request);
    Reply realm(const QByteArray &method, const QString &path, const LocalHttpServer::Request &request);
    Reply account(const QByteArray &method, const QString &path, const LocalHttpServer::Request &request);
    Reply sync(const QString &path, const LocalHttpServer::Request &request, const QUrl &url);
    Reply signInPage(const QUrl &url);
    Reply refresh(const QJsonObject &body);
    // The session the request's bearer token belongs to; empty when the
    // token is missing, forged, expired or revoked.
    QString authenticate(const LocalHttpServer::Request &request) const;
    std::optional<Fault> takeFault(const QString &path);
    Tokens issue(const QString &sessionId);
    QJsonObject invitation(const QString &email);

    static Reply json(int status, const QJsonObject &body);

    LocalHttpServer m_http;
    QByteArray m_secret;
    int m_accessLifetime = 3600;
    QHash<QString, QString> m_refreshTokens; // token -> session id
    QHash<QString, QJsonObject> m_sessions;  // id -> session record
    QHash<QString, QPair<Fault, int>> m_faults;
    QString m_refreshOmits;
    bool m_signInDenied = false;
    int m_refreshCount = 0;
    int m_serial = 0;
    QJsonObject m_user;
    QJsonObject m_group;
    QList<QJsonObject> m_devices;
    QString m_password = QStringLiteral("correct horse");
    QList<SyncRoute> m_syncRoutes;
    FakeCloudCalendars m_calendars;
    FakeCloudConfigRoutes *m_config = nullptr;
    std::optional<QString> m_tokenRole;
};
