#include "tests/support/fakecloudserver.h"

#include "tests/support/fakecloudconfigroutes.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMessageAuthenticationCode>
#include <QUrlQuery>
#include <QUuid>

namespace {

constexpr auto Base64Url = QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals;
const QString RealmPrefix = QStringLiteral("/api/v1/realms/%1").arg(QLatin1String(FakeCloudServer::RealmSlug));
const QString AccountPrefix = QStringLiteral("/account/v1");
const QString SyncPrefix = QStringLiteral("/calendar/v1");

QString newId(const char *prefix)
{
    return QLatin1String(prefix) + QUuid::createUuid().toString(QUuid::Id128).left(12);
}

} // namespace

FakeCloudServer::FakeCloudServer(QObject *parent)
    : QObject(parent)
    , m_secret(QUuid::createUuid().toByteArray())
{
    m_user = QJsonObject{{"id", "user-1"},
                         {"email", "ada@example.org"},
                         {"display_name", "Ada"},
                         {"username", "ada"},
                         {"avatar_url", ""},
                         {"created_at", "2026-01-05T09:30:00Z"}};
    m_devices = {QJsonObject{{"id", "device-1"},
                             {"device_name", "Laptop"},
                             {"platform", "linux"},
                             {"app_id", "calendar"},
                             {"app_version", "1.0"},
                             {"last_sync_at", "2026-12-01T08:00:00Z"},
                             {"created_at", "2026-02-01T08:00:00Z"}}};
    m_http.setHandler([this](const LocalHttpServer::Request &request) { return handle(request); });
    addSyncRoutes([this](const QByteArray &method, const QString &path, const QJsonObject &body,
                         const QString &query) { return m_calendars.route(method, path, body, query); });
    m_config = new FakeCloudConfigRoutes(this);
}

bool FakeCloudServer::listen()
{
    return m_http.listen();
}

QString FakeCloudServer::authApiUrl() const
{
    return m_http.url(QString()).toString();
}

QString FakeCloudServer::accountApiUrl() const
{
    return authApiUrl() + AccountPrefix;
}

QString FakeCloudServer::syncApiUrl() const
{
    return authApiUrl() + SyncPrefix;
}

QString FakeCloudServer::portalUrl() const
{
    return authApiUrl() + QStringLiteral("/portal");
}

void FakeCloudServer::exportEnvironment() const
{
    qputenv("AUTH_API_URL", authApiUrl().toUtf8());
    qputenv("ACCOUNT_API_URL", accountApiUrl().toUtf8());
    qputenv("SYNC_API_URL", syncApiUrl().toUtf8());
    qputenv("ACCOUNT_PORTAL_URL", portalUrl().toUtf8());
    qputenv("AUTH_REALM_SLUG", RealmSlug);
    qputenv("AUTH_CLIENT_ID", "0123456789abcdef0123456789abcdef");
}

void FakeCloudServer::setFault(const QString &pathPrefix, Fault fault, int times)
{
    m_faults.insert(pathPrefix, qMakePair(fault, times));
}

int FakeCloudServer::countRequests(const QByteArray &method, const QString &pathSuffix) const
{
    int count = 0;
    for (const LocalHttpServer::Request &request : m_http.requests()) {
        const QUrl url(QStringLiteral("http://127.0.0.1") + QString::fromLatin1(request.target));
        if (request.method == method && url.path().endsWith(pathSuffix))
            ++count;
    }
    return count;
}

QString FakeCloudServer::accessToken(const QString &sessionId, qint64 secondsFromNow) const
{
    QJsonObject tnd{{"role", m_tokenRole.value_or(m_group.isEmpty() ? QString() : QStringLiteral("owner"))},
                    {"group_id", m_group.value("id").toString()}};
    const QJsonObject payload{{"sub", m_user.value("id")},
                              {"sid", sessionId},
                              {"exp", QDateTime::currentSecsSinceEpoch() + secondsFromNow},
                              {"custom", QJsonObject{{"tnd", tnd}}}};
    const QByteArray head = QByteArray(R"({"alg":"HS256","typ":"JWT"})").toBase64(Base64Url) + '.'
        + QJsonDocument(payload).toJson(QJsonDocument::Compact).toBase64(Base64Url);
    const QByteArray signature = QMessageAuthenticationCode::hash(head, m_secret, QCryptographicHash::Sha256);
    return QString::fromLatin1(head + '.' + signature.toBase64(Base64Url));
}

FakeCloudServer::Tokens FakeCloudServer::issue(const QString &sessionId)
{
    const QString refresh = newId("rt-") + QString::number(++m_serial);
    m_refreshTokens.insert(refresh, sessionId);
    return {accessToken(sessionId, m_accessLifetime), refresh};
}

FakeCloudServer::Tokens FakeCloudServer::signIn()
{
    const QString id = newId("session-");
    m_sessions.insert(id, QJsonObject{{"id", id},
                                      {"user_agent", "Tindlebrook Calendar"},
                                      {"ip_address", "127.0.0.1"},
                                      {"created_at", QDateTime::currentDateTimeUtc().toString(Qt::ISODate)},
                                      {"last_active_at", QDateTime::currentDateTimeUtc().toString(Qt::ISODate)}});
    return issue(id);
}

QString FakeCloudServer::authenticate(const LocalHttpServer::Request &request) const
{
    const QByteArray header = request.header("authorization");
    if (!header.startsWith("Bearer "))
        return {};
    const QList<QByteArray> parts = header.mid(7).split('.');
    if (parts.size() != 3)
        return {};
    const QByteArray expected
        = QMessageAuthenticationCode::hash(parts[0] + '.' + parts[1], m_secret, QCryptographicHash::Sha256);
    if (expected.toBase64(Base64Url) != parts[2])
        return {};
    const QJsonObject payload = QJsonDocument::fromJson(QByteArray::fromBase64(parts[1], Base64Url)).object();
    if (payload.value("exp").toInteger() <= QDateTime::currentSecsSinceEpoch())
        return {};
    const QString session = payload.value("sid").toString();
    return m_sessions.contains(session) ? session : QString();
}

std::optional<FakeCloudServer::Fault> FakeCloudServer::takeFault(const QString &path)
{
    for (auto it = m_faults.begin(); it != m_faults.end(); ++it) {
        if (!path.startsWith(it.key()) || it->second == 0)
            continue;
        if (it->second > 0)
            --it->second;
        return it->first;
    }
    return std::nullopt;
}

FakeCloudServer::Reply FakeCloudServer::json(int status, const QJsonObject &body)
{
    Reply reply;
    reply.status = status;
    reply.headers.append(qMakePair(QByteArray("Content-Type"), QByteArray("application/json")));
    reply.body = QJsonDocument(body).toJson(QJsonDocument::Compact);
    return reply;
}

FakeCloudServer::Reply FakeCloudServer::handle(const LocalHttpServer::Request &request)
{
    const QUrl url(QStringLiteral("http://127.0.0.1") + QString::fromLatin1(request.target));
    // Route on the path as sent, so that an escaped "/" stays inside its segment.
    const QString rawPath = url.path(QUrl::FullyEncoded);
    QString below;
    bool isRealm = false;
    bool isSync = false;
    if (rawPath.startsWith(SyncPrefix + QLatin1Char('/'))) {
        below = rawPath.mid(SyncPrefix.size());
        isSync = true;
    } else if (rawPath.startsWith(RealmPrefix + QLatin1Char('/'))) {
        below = rawPath.mid(RealmPrefix.size());
        isRealm = true;
    } else if (rawPath.startsWith(AccountPrefix + QLatin1Char('/'))) {
        below = rawPath.mid(AccountPrefix.size());
    } else if (rawPath == QStringLiteral("/%1/account/login").arg(QLatin1String(RealmSlug))) {
        return signInPage(url);
    } else {
        return json(404, {{"error", "not_found"}});
    }
    if (const auto fault = takeFault(below)) {
        switch (*fault) {
        case Fault::ServerError:
            return json(503, {{"error", "unavailable"}});
        case Fault::Hang: {
            Reply reply;
            reply.hang = true;
            return reply;
        }
        case Fault::MalformedJson: {
            Reply reply;
            reply.body = "{\"access_token\": ";
            return reply;
        }
        case Fault::Unauthorized:
            return json(401, {{"error", "unauthorized"}});
        case Fault::None:
            break;
        }
    }
    if (isSync)
        return sync(below, request, url);
    return isRealm ? realm(request.method, below, request) : account(request.method, below, request);
}

FakeCloudServer::Reply FakeCloudServer::sync(const QString &path, const LocalHttpServer::Request &request,
                                             const QUrl &url)
{
    if (authenticate(request).isEmpty())
        return json(401, {{"error", "unauthorized"}});
    const QJsonObject body = QJsonDocument::fromJson(request.body).object();
    for (const SyncRoute &route : std::as_const(m_syncRoutes)) {
        if (std::optional<Reply> reply = route(request.method, path, body, url.query(QUrl::FullyEncoded)))
            return *reply;
    }
    return json(404, {{"error", "not_found"}});
}

FakeCloudServer::Reply FakeCloudServer::signInPage(const QUrl &url)
{
    const QUrlQuery query(url);
    QUrl redirect(query.queryItemValue("redirect_uri", QUrl::FullyDecoded));
    if (!redirect.isValid() || redirect.host() != QLatin1String("127.0.0.1"))
        return json(400, {{"error", "invalid_redirect_uri"}});
    QUrlQuery answer;
    // The sign-in's state goes back with the answer, as a real service does.
    if (query.hasQueryItem("state"))
        answer.addQueryItem("state", query.queryItemValue("state", QUrl::FullyDecoded));
    if (m_signInDenied) {
        answer.addQueryItem("error", "access_denied");
    } else {
        const Tokens tokens = signIn();
        answer.addQueryItem("access_token", tokens.accessToken);
        answer.addQueryItem("refresh_token", tokens.refreshToken);
    }
    redirect.setQuery(answer);
    return Reply::redirect(302, redirect.toEncoded());
}

FakeCloudServer::Reply FakeCloudServer::refresh(const QJsonObject &body)
{
    ++m_refreshCount;
    const QString old = body.value("refresh_token").toString();
    const QString session = m_refreshTokens.take(old);
    if (session.isEmpty() || !m_sessions.contains(session))
        return json(401, {{"error", "invalid_grant"}});
    const Tokens tokens = issue(session);
    QJsonObject reply{{"access_token", tokens.accessToken}, {"refresh_token", tokens.refreshToken}};
    if (!m_refreshOmits.isEmpty())
        reply.remove(m_refreshOmits);
    // A service that sends no new refresh token keeps the old one valid.
    if (m_refreshOmits == QLatin1String("refresh_token"))
        m_refreshTokens.insert(old, session);
    return json(200, reply);
}

FakeCloudServer::Reply FakeCloudServer::realm(const QByteArray &method, const QString &path,
                                              const LocalHttpServer::Request &request)
{
    const QJsonObject body = QJsonDocument::fromJson(request.body).object();
    if (method == "POST" && path == QLatin1String("/auth/token/refresh"))
        return refresh(body);
    const QString session = authenticate(request);
    if (session.isEmpty())
        return json(401, {{"error", "unauthorized"}});
    if (method == "POST" && path == QLatin1String("/auth/logout")) {
        m_sessions.remove(session);
        return json(200, {});
    }
    if (path == QLatin1String("/users/me")) {
        if (method == "PATCH") {
            if (!body.value("display_name").isString() || body.value("display_name").toString().isEmpty())
                return json(400, {{"error", "invalid_display_name"}});
            m_user.insert("display_name", body.value("display_name"));
        }
        return json(200, m_user);
    }
    if (method == "POST" && path == QLatin1String("/users/me/password")) {
        if (body.value("current_password").toString() != m_password)
            return json(400, {{"error", "wrong_password"}});
        m_password = body.value("new_password").toString();
        return json(200, {});
    }
    if (method == "GET" && path == QLatin1String("/users/me/sessions")) {
        QJsonArray sessions;
        for (auto it = m_sessions.cbegin(); it != m_sessions.cend(); ++it) {
            QJsonObject record = it.value();
            record.insert("is_current", it.key() == session);
            sessions.append(record);
        }
        return json(200, {{"sessions", sessions}});
    }
    const QString sessionsPrefix = QStringLiteral("/users/me/sessions/");
    if (method == "DELETE" && path.startsWith(sessionsPrefix)) {
        const QString id = QUrl::fromPercentEncoding(path.mid(sessionsPrefix.size()).toLatin1());
        return m_sessions.remove(id) ? json(200, {}) : json(404, {{"error", "no_such_session"}});
    }
    return json(404, {{"error", "not_found"}});
}

QJsonObject FakeCloudServer::invitation(const QString &email)
{
    const QJsonObject record{{"id", newId("inv-")},
                             {"invited_email", email},
                             {"invite_code", newId("CODE")},
                             {"status", "pending"},
                             {"expires_at", QDateTime::currentDateTimeUtc().addDays(7).toString(Qt::ISODate)}};
    QJsonArray pending = m_group.value("pending_invitations").toArray();
    pending.append(record);
    m_group.insert("pending_invitations", pending);
    return record;
}

FakeCloudServer::Reply FakeCloudServer::account(const QByteArray &method, const QString &path,
                                                const LocalHttpServer::Request &request)
{
    if (authenticate(request).isEmpty())
        return json(401, {{"error", "unauthorized"}});
    const QJsonObject body = QJsonDocument::fromJson(request.body).object();
    // The last segment as the client meant it; an escaped "/" stays in it.
    const QString last = QUrl::fromPercentEncoding(path.section(QLatin1Char('/'), -1).toLatin1());
    const QString parent = path.section(QLatin1Char('/'), 0, -2);

    if (path == QLatin1String("/profile")) {
        if (method == "DELETE") {
            m_sessions.clear();
            return json(200, {});
        }
        QJsonObject profile{{"id", "acct-1"},
                            {"email", m_user.value("email")},
                            {"display_name", m_user.value("display_name")},
                            {"status", "active"},
                            {"created_at", m_user.value("created_at")}};
        if (!m_group.isEmpty())
            profile.insert("group", QJsonObject{{"id", m_group.value("id")},
                                                {"name", m_group.value("name")},
                                                {"role", "owner"},
                                                {"member_count", m_group.value("members").toArray().size()}});
        return json(200, profile);
    }
    if (method == "GET" && path == QLatin1String("/devices")) {
        QJsonArray devices;
        for (const QJsonObject &device : std::as_const(m_devices))
            devices.append(device);
        return json(200, {{"devices", devices}});
    }
    if (method == "DELETE" && parent == QLatin1String("/devices")) {
        for (int i = 0; i < m_devices.size(); ++i) {
            if (m_devices.at(i).value("id").toString() == last) {
                m_devices.removeAt(i);
                return json(200, {});
            }
        }
        return json(404, {{"error", "no_such_device"}});
    }
    if (method == "GET" && path == QLatin1String("/group"))
        return json(200, m_group);
    if (method == "POST" && path == QLatin1String("/group/invite")) {
        if (m_group.isEmpty())
            return json(403, {{"error", "no_group"}});
        return json(200, invitation(body.value("email").toString()));
    }
    if (method == "POST" && parent == QLatin1String("/group/join")) {
        if (last != QLatin1String("JOIN-ME"))
            return json(404, {{"error", "invalid_code"}});
        m_group = QJsonObject{{"id", "group-1"}, {"name", "Family"}, {"max_seats", 5},
                              {"members", QJsonArray{QJsonObject{{"account_id", "acct-1"},
                                                                 {"email", m_user.value("email")},
                                                                 {"role", "owner"}}}}};
        return json(200, {});
    }
    if (method == "POST" && path == QLatin1String("/group/leave")) {
        if (m_group.isEmpty())
            return json(409, {{"error", "no_group"}});
        m_group = QJsonObject();
        return json(200, {});
    }
    const auto removeFrom = [&](const char *list, const char *key) {
        QJsonArray entries = m_group.value(QLatin1String(list)).toArray();
        for (int i = 0; i < entries.size(); ++i) {
            if (entries.at(i).toObject().value(QLatin1String(key)).toString() == last) {
                entries.removeAt(i);
                m_group.insert(QLatin1String(list), entries);
                return json(200, {});
            }
        }
        return json(404, {{"error", "not_found"}});
    };
    if (method == "DELETE" && parent == QLatin1String("/group/members"))
        return removeFrom("members", "account_id");
    if (method == "DELETE" && parent == QLatin1String("/group/invitations"))
        return removeFrom("pending_invitations", "id");
    return json(404, {{"error", "not_found"}});
}
