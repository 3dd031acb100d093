#include "tests/support/fakecloudsyncroutes.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>

namespace {

LocalHttpServer::Reply json(int status, const QJsonObject &body)
{
    LocalHttpServer::Reply reply;
    reply.status = status;
    reply.headers.append(qMakePair(QByteArray("Content-Type"), QByteArray("application/json")));
    reply.body = QJsonDocument(body).toJson(QJsonDocument::Compact);
    return reply;
}

LocalHttpServer::Reply notFound(const char *what)
{
    return json(404, {{"error", QLatin1String(what)}});
}

} // namespace

std::optional<LocalHttpServer::Reply> FakeCloudCalendars::route(const QByteArray &method, const QString &path,
                                                               const QJsonObject &body, const QString &query)
{
    QStringList segments = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (segments.isEmpty() || segments.first() != QLatin1String("calendars"))
        return std::nullopt;
    for (QString &segment : segments)
        segment = QUrl::fromPercentEncoding(segment.toLatin1());
    if (segments.size() == 1) {
        if (method == "GET") {
            QJsonArray list;
            for (const QJsonObject &calendar : std::as_const(m_calendars))
                list.append(calendar);
            return json(200, {{"calendars", list}});
        }
        if (method == "POST") {
            if (body.value("id").toString().isEmpty())
                return json(400, {{"error", "missing_id"}});
            if (hasCalendar(body.value("id").toString()))
                return json(409, {{"error", "calendar_exists"}});
            addCalendar(body);
            return json(201, body);
        }
        return std::nullopt;
    }
    const QString calendarId = segments.at(1);
    // Another route set (or the server's own 404) answers for it.
    if (!hasCalendar(calendarId))
        return std::nullopt;
    const QString kind = segments.value(2);
    const QString item = segments.value(3);
    if (kind == QLatin1String("events") && segments.size() == 3 && method == "GET")
        return listEvents(calendarId, query);
    if (kind == QLatin1String("events") && segments.size() <= 4)
        return writeEvent(method, calendarId, item, body);
    if (kind == QLatin1String("tasks") && segments.size() == 3 && method == "POST") {
        if (body.value("title").toString() == m_refusedTitle && !m_refusedTitle.isEmpty())
            return json(500, {{"error", "refused"}});
        m_tasks[calendarId].append(body);
        return json(201, {});
    }
    if (kind == QLatin1String("members") && segments.size() == 3 && method == "GET") {
        QJsonArray list;
        for (const QJsonObject &member : m_members.value(calendarId))
            list.append(member);
        return json(200, {{"members", list}});
    }
    if (kind == QLatin1String("share") && segments.size() <= 4)
        return share(method, calendarId, item, body);
    return std::nullopt;
}

FakeCloudCalendars::Reply FakeCloudCalendars::listEvents(const QString &calendarId, const QString &query) const
{
    const QString since = QUrlQuery(query).queryItemValue(QStringLiteral("since"));
    bool sinceOk = true;
    const qint64 cursor = since.isEmpty() ? 0 : since.toLongLong(&sinceOk);
    if (!sinceOk)
        return json(400, {{"error", "bad_cursor"}});
    QList<StoredEvent> changed;
    for (const StoredEvent &event : m_events.value(calendarId)) {
        // The first pull lists the live events only.
        if (event.changedAt > cursor && (cursor > 0 || !event.deleted))
            changed.append(event);
    }
    std::sort(changed.begin(), changed.end(),
              [](const StoredEvent &a, const StoredEvent &b) { return a.changedAt < b.changedAt; });
    QJsonArray list;
    for (const StoredEvent &event : std::as_const(changed)) {
        list.append(QJsonObject{{"uid", event.uid},
                                {"etag", event.etag},
                                {"raw_icalendar", event.body.value("raw_icalendar")},
                                {"deleted_at", event.deleted ? QJsonValue(QStringLiteral("2026-12-01T10:00:00Z"))
                                                             : QJsonValue(QJsonValue::Null)}});
    }
    return json(200, {{"events", list}, {"timestamp", QString::number(m_clock)}});
}

FakeCloudCalendars::Reply FakeCloudCalendars::writeEvent(const QByteArray &method, const QString &calendarId,
                                                         const QString &id, const QJsonObject &body)
{
    const QString bodyUid = body.value("uid").toString();
    if (method == "POST" && id.isEmpty()) {
        if (bodyUid.isEmpty())
            return json(400, {{"error", "missing_uid"}});
        // The event id is the client's; without one the uid stands for it.
        const QString bodyId = body.value("id").toString();
        const QString key = bodyId.isEmpty() ? bodyUid : bodyId;
        if (m_writeObserver)
            m_writeObserver(method, key);
        if (!m_refusedTitle.isEmpty() && body.value("title").toString() == m_refusedTitle)
            return json(500, {{"error", "refused"}});
        // An id the service holds already is the same event, written again.
        StoredEvent &event = store(calendarId, key);
        event.uid = bodyUid;
        event.body = body;
        event.deleted = false;
        return json(201, {{"etag", event.etag}});
    }
    if (m_writeObserver)
        m_writeObserver(method, id);
    if (!m_refusedTitle.isEmpty() && body.value("title").toString() == m_refusedTitle)
        return json(500, {{"error", "refused"}});
    const QHash<QString, StoredEvent> held = m_events.value(calendarId);
    const auto found = held.constFind(id);
    if (id.isEmpty() || found == held.constEnd() || found->deleted)
        return notFound("no_such_event");
    if (method == "PUT") {
        StoredEvent &event = store(calendarId, id);
        QJsonObject stored = body;
        stored.remove("etag");
        event.body = stored;
        if (!bodyUid.isEmpty())
            event.uid = bodyUid;
        return json(200, {{"etag", event.etag}});
    }
    if (method == "DELETE") {
        StoredEvent &event = store(calendarId, id);
        event.deleted = true;
        return json(200, {});
    }
    return json(405, {{"error", "method_not_allowed"}});
}

FakeCloudCalendars::Reply FakeCloudCalendars::share(const QByteArray &method, const QString &calendarId,
                                                    const QString &userId, const QJsonObject &body)
{
    QList<QJsonObject> &members = m_members[calendarId];
    if (method == "POST" && userId.isEmpty()) {
        const QString user = body.value("user_id").toString();
        if (!m_people.contains(user))
            return json(404, {{"error", "No such user in your group"}});
        QJsonObject member = m_people.value(user);
        member.insert("role", body.value("role"));
        member.insert("joined_at", "2026-12-07T09:00:00Z");
        members.removeIf([&](const QJsonObject &m) { return m.value("user_id").toString() == user; });
        members.append(member);
        return json(201, {});
    }
    if (method == "DELETE" && !userId.isEmpty()) {
        const auto removed
            = members.removeIf([&](const QJsonObject &m) { return m.value("user_id").toString() == userId; });
        return removed > 0 ? json(200, {}) : notFound("not_a_member");
    }
    return json(405, {{"error", "method_not_allowed"}});
}

FakeCloudCalendars::StoredEvent &FakeCloudCalendars::store(const QString &calendarId, const QString &id)
{
    StoredEvent &event = m_events[calendarId][id];
    event.id = id;
    event.changedAt = ++m_clock;
    event.etag = QStringLiteral("\"%1\"").arg(m_clock);
    return event;
}

void FakeCloudCalendars::addCalendar(const QJsonObject &calendar)
{
    m_calendars.append(calendar);
}

bool FakeCloudCalendars::hasCalendar(const QString &id) const
{
    return std::any_of(m_calendars.cbegin(), m_calendars.cend(),
                       [&](const QJsonObject &calendar) { return calendar.value("id").toString() == id; });
}

void FakeCloudCalendars::putEvent(const QString &calendarId, const QString &uid, const QString &rawIcalendar,
                                  const QString &id)
{
    StoredEvent &event = store(calendarId, id.isEmpty() ? uid : id);
    event.uid = uid;
    event.body = QJsonObject{{"id", event.id}, {"uid", uid}, {"raw_icalendar", rawIcalendar}};
    event.deleted = false;
}

void FakeCloudCalendars::deleteEvent(const QString &calendarId, const QString &id)
{
    if (m_events.value(calendarId).contains(id))
        store(calendarId, id).deleted = true;
}

QList<FakeCloudCalendars::StoredEvent> FakeCloudCalendars::events(const QString &calendarId) const
{
    QList<StoredEvent> live;
    for (const StoredEvent &event : m_events.value(calendarId)) {
        if (!event.deleted)
            live.append(event);
    }
    std::sort(live.begin(), live.end(), [](const StoredEvent &a, const StoredEvent &b) {
        return a.uid != b.uid ? a.uid < b.uid : a.id < b.id;
    });
    return live;
}

std::optional<FakeCloudCalendars::StoredEvent> FakeCloudCalendars::event(const QString &calendarId,
                                                                        const QString &id) const
{
    const QHash<QString, StoredEvent> held = m_events.value(calendarId);
    const auto found = held.constFind(id);
    if (found == held.constEnd() || found->deleted)
        return std::nullopt;
    return *found;
}

void FakeCloudCalendars::addPerson(const QString &userId, const QString &email, const QString &displayName)
{
    QJsonObject person{{"user_id", userId}, {"email", email}};
    if (!displayName.isEmpty())
        person.insert("display_name", displayName);
    m_people.insert(userId, person);
}
