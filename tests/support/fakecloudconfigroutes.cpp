#include "tests/support/fakecloudconfigroutes.h"

#include <QJsonDocument>
#include <QUrl>
#include <QUrlQuery>

#include "tests/support/fakecloudserver.h"

namespace {

LocalHttpServer::Reply jsonReply(int status, const QJsonObject &body)
{
    LocalHttpServer::Reply reply;
    reply.status = status;
    reply.headers.append(qMakePair(QByteArray("Content-Type"), QByteArray("application/json")));
    reply.body = QJsonDocument(body).toJson(QJsonDocument::Compact);
    return reply;
}

QString recordKey(const QString &type, const QString &identity)
{
    return type + QLatin1Char('\n') + identity;
}

} // namespace

FakeCloudConfigRoutes::FakeCloudConfigRoutes(FakeCloudServer *server)
    : QObject(server)
{
    server->addSyncRoutes([this](const QByteArray &method, const QString &path, const QJsonObject &body,
                                 const QString &query) { return route(method, path, body, query); });
}

QString FakeCloudConfigRoutes::identityOf(const QString &type, const QJsonObject &data)
{
    if (type == QLatin1String("calendar_preferences"))
        return data.value("canonical_key").toString();
    if (type == QLatin1String("initial_settings"))
        return data.value("key").toString();
    return data.value("id").toString();
}

QJsonObject FakeCloudConfigRoutes::record(const QString &type, const QString &identity) const
{
    return m_records.value(recordKey(type, identity));
}

void FakeCloudConfigRoutes::inject(const QString &type, const QJsonObject &data)
{
    const qint64 next = cursor() + 1;
    m_records.insert(recordKey(type, identityOf(type, data)), data);
    m_log.append({next, type, data});
}

void FakeCloudConfigRoutes::setPullReply(const QByteArray &body, int times)
{
    m_pullReply = body;
    m_pullReplyTimes = times;
}

void FakeCloudConfigRoutes::store(const QString &type, const QJsonObject &data)
{
    const QString key = recordKey(type, identityOf(type, data));
    const QJsonObject held = m_records.value(key);
    if (held == data)
        return;
    // The last writer wins: an older copy from a device that has not
    // pulled yet neither replaces nor brings back what is held.
    if (!held.isEmpty() && data.value("updated_at").toDouble() < held.value("updated_at").toDouble())
        return;
    inject(type, data);
}

std::optional<LocalHttpServer::Reply> FakeCloudConfigRoutes::route(const QByteArray &method, const QString &path,
                                                                   const QJsonObject &body, const QString &query)
{
    if (method == "POST" && path == QLatin1String("/sync/push"))
        return push(body);
    if (method == "GET" && path == QLatin1String("/sync/pull"))
        return pull(QUrlQuery(query).queryItemValue("since", QUrl::FullyDecoded));
    return std::nullopt;
}

LocalHttpServer::Reply FakeCloudConfigRoutes::push(const QJsonObject &body)
{
    ++m_pushCount;
    if (!body.value("changes").isArray())
        return jsonReply(400, {{"error", "invalid_changes"}});
    m_lastPush = body;
    const QJsonArray changes = m_lastPush.value("changes").toArray();
    int accepted = 0;
    for (const QJsonValue &value : changes) {
        const QJsonObject change = value.toObject();
        const QString type = change.value("type").toString();
        const QJsonObject data = change.value("data").toObject();
        ++m_pushedRecords;
        if (type.isEmpty() || identityOf(type, data).isEmpty())
            continue;
        store(type, data);
        ++accepted;
    }
    return jsonReply(200, {{"accepted", accepted}});
}

LocalHttpServer::Reply FakeCloudConfigRoutes::pull(const QString &since)
{
    ++m_pullCount;
    m_pulledSince.append(since);
    if (m_pullReplyTimes > 0) {
        --m_pullReplyTimes;
        LocalHttpServer::Reply reply;
        reply.headers.append(qMakePair(QByteArray("Content-Type"), QByteArray("application/json")));
        reply.body = m_pullReply;
        return reply;
    }
    bool isNumber = false;
    const qint64 after = since.toLongLong(&isNumber);
    QJsonArray changes;
    for (const LoggedChange &change : std::as_const(m_log)) {
        if (!isNumber || change.sequence > after)
            changes.append(QJsonObject{{"type", change.type}, {"data", change.data}});
    }
    return jsonReply(200, {{"changes", changes}, {"timestamp", cursor()}});
}
