#include "tests/support/fakegoogleserver.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimeZone>
#include <QUrlQuery>

namespace {

LocalHttpServer::Reply json(int status, const QJsonObject &object)
{
    LocalHttpServer::Reply reply;
    reply.status = status;
    reply.headers.append(qMakePair(QByteArray("Content-Type"), QByteArray("application/json; charset=UTF-8")));
    reply.body = QJsonDocument(object).toJson(QJsonDocument::Compact);
    return reply;
}

// Google's error body: {"error": {"code", "message", "errors": [{"reason"}]}}.
LocalHttpServer::Reply error(int status, const QString &message, const QString &reason = QString())
{
    QJsonObject inner;
    inner.insert(QStringLiteral("code"), status);
    inner.insert(QStringLiteral("message"), message);
    if (!reason.isEmpty())
        inner.insert(QStringLiteral("errors"),
                     QJsonArray{QJsonObject{{QStringLiteral("domain"), QStringLiteral("usageLimits")},
                                            {QStringLiteral("reason"), reason},
                                            {QStringLiteral("message"), message}}});
    return json(status, QJsonObject{{QStringLiteral("error"), inner}});
}

// Event ids a client may choose: base32hex ("a"-"v", digits), 5 to 1024 long.
bool validClientId(const QString &id)
{
    if (id.size() < 5 || id.size() > 1024)
        return false;
    for (const QChar c : id) {
        if (!((c >= QLatin1Char('a') && c <= QLatin1Char('v')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))))
            return false;
    }
    return true;
}

// RFC 7396 merge: null removes a member, objects merge, the rest replaces.
QJsonObject merged(QJsonObject target, const QJsonObject &patch)
{
    for (auto it = patch.constBegin(); it != patch.constEnd(); ++it) {
        if (it.value().isNull())
            target.remove(it.key());
        else if (it.value().isObject() && target.value(it.key()).isObject())
            target.insert(it.key(), merged(target.value(it.key()).toObject(), it.value().toObject()));
        else
            target.insert(it.key(), it.value());
    }
    return target;
}

// When an event starts: its instant, or its date.
QString startOf(const QJsonObject &event)
{
    const QJsonObject start = event.value(QStringLiteral("start")).toObject();
    const QDateTime at = QDateTime::fromString(start.value(QStringLiteral("dateTime")).toString(), Qt::ISODateWithMs);
    return at.isValid() ? at.toUTC().toString(Qt::ISODate) : start.value(QStringLiteral("date")).toString();
}

QString formValue(const QUrlQuery &form, const char *key)
{
    return form.queryItemValue(QLatin1String(key), QUrl::FullyDecoded);
}

} // namespace

FakeGoogleServer::FakeGoogleServer(QObject *parent)
    : QObject(parent)
    , FakeTokenEndpoint({QStringLiteral("4/code-"), QStringLiteral("ya29.access-"), QStringLiteral("1//refresh-"),
                         QStringLiteral("1//rotated-"), QStringLiteral("Token has been expired or revoked."),
                         QByteArray("application/json; charset=UTF-8")},
                        QStringLiteral("e30.eyJlbWFpbCI6ImFkYUBleGFtcGxlLmNvbSIsIm5hbWUiOiJBZGEgTG92ZWxhY2UifQ.sig"))
    , ScriptedHttpFront([this](const LocalHttpServer::Request &request) { return handle(request); })
{
}

LocalHttpServer::Reply FakeGoogleServer::handle(const LocalHttpServer::Request &request)
{
    const std::optional<Failure> failure = arrived(request);
    if (failure && failure->afterCommit)
        answer(request);
    if (failure) {
        return failureReply(*failure, request,
                            error(failure->status,
                                  failure->reason.isEmpty() ? QStringLiteral("Scripted failure")
                                                            : QStringLiteral("Rate Limit Exceeded"),
                                  failure->reason));
    }
    return answer(request);
}

LocalHttpServer::Reply FakeGoogleServer::answer(const LocalHttpServer::Request &request)
{
    const QUrl url(QStringLiteral("http://127.0.0.1") + QString::fromLatin1(request.target));
    const QString path = url.path(QUrl::FullyEncoded);
    if (path == QLatin1String("/token") && request.method == "POST")
        return token(request);

    const QByteArray authorization = request.header("authorization");
    if (!acceptsBearer(authorization))
        return error(401, QStringLiteral("Invalid Credentials"), QStringLiteral("authError"));
    if (path == QLatin1String("/calendar/v3/users/me/calendarList") && request.method == "GET")
        return calendarList(url);
    const QString prefix = QStringLiteral("/calendar/v3/calendars/");
    if (!path.startsWith(prefix))
        return error(404, QStringLiteral("Not Found"));
    const QStringList parts = path.mid(prefix.size()).split(QLatin1Char('/'));
    if (parts.size() < 2 || parts.at(1) != QLatin1String("events") || parts.size() > 4)
        return error(404, QStringLiteral("Not Found"));
    const QString calendarId = QUrl::fromPercentEncoding(parts.at(0).toUtf8());
    const QString eventId = parts.size() >= 3 ? QUrl::fromPercentEncoding(parts.at(2).toUtf8()) : QString();
    if (parts.size() == 4 && parts.at(3) == QLatin1String("move") && request.method == "POST")
        return move(calendarId, eventId, QUrlQuery(url).queryItemValue(QStringLiteral("destination"), QUrl::FullyDecoded));
    if (parts.size() == 4) {
        if (parts.at(3) != QLatin1String("instances") || request.method != "GET")
            return error(404, QStringLiteral("Not Found"));
        return instances(calendarId, eventId);
    }
    return eventsRequest(request, calendarId, eventId);
}

LocalHttpServer::Reply FakeGoogleServer::token(const LocalHttpServer::Request &request)
{
    const QUrlQuery form(QString::fromUtf8(request.body));
    if (formValue(form, "client_id") != clientId || formValue(form, "client_secret") != clientSecret)
        return json(401, QJsonObject{{QStringLiteral("error"), QStringLiteral("invalid_client")}});
    return grant(form);
}

LocalHttpServer::Reply FakeGoogleServer::calendarList(const QUrl &url)
{
    const int offset = QUrlQuery(url).queryItemValue(QStringLiteral("pageToken")).toInt();
    QJsonArray items;
    for (int i = offset; i < m_calendars.size() && i < offset + calendarPageSize; ++i)
        items.append(m_calendars.at(i));
    QJsonObject reply{{QStringLiteral("kind"), QStringLiteral("calendar#calendarList")},
                      {QStringLiteral("items"), items}};
    if (offset + calendarPageSize < m_calendars.size())
        reply.insert(QStringLiteral("nextPageToken"), QString::number(offset + calendarPageSize));
    return json(200, reply);
}

LocalHttpServer::Reply FakeGoogleServer::eventsRequest(const LocalHttpServer::Request &request,
                                                       const QString &calendarId, const QString &eventId)
{
    const QUrl url(QStringLiteral("http://127.0.0.1") + QString::fromLatin1(request.target));
    if (eventId.isEmpty() && request.method == "GET")
        return listEvents(calendarId, url);
    if (eventId.isEmpty() && request.method == "POST") {
        // Conference data is kept only by a client that says it knows it.
        if (QUrlQuery(url).queryItemValue(QStringLiteral("conferenceDataVersion")) != QLatin1String("1")) {
            LocalHttpServer::Request plain = request;
            QJsonObject body = QJsonDocument::fromJson(request.body).object();
            body.remove(QStringLiteral("conferenceData"));
            plain.body = QJsonDocument(body).toJson(QJsonDocument::Compact);
            return writeEvent(plain, calendarId, QString());
        }
        return writeEvent(request, calendarId, QString());
    }
    // An instance of a series exists as soon as the series does; a write
    // makes it an exception of its own.
    if (!m_events.value(calendarId).contains(eventId) && eventId.contains(QLatin1Char('_'))) {
        if (const std::optional<QJsonObject> series = event(calendarId, eventId.section(QLatin1Char('_'), 0, 0))) {
            for (const QJsonObject &instance : instancesOf(calendarId, *series)) {
                if (instance.value(QStringLiteral("id")).toString() == eventId && request.method != "GET")
                    putEvent(calendarId, instance);
                else if (instance.value(QStringLiteral("id")).toString() == eventId)
                    return json(200, instance);
            }
        }
    }
    const QHash<QString, Stored> stored = m_events.value(calendarId);
    const auto found = stored.constFind(eventId);
    if (found == stored.constEnd())
        return error(404, QStringLiteral("Not Found"));
    const QString etag = found->resource.value(QStringLiteral("etag")).toString();
    const QByteArray ifMatch = request.header("if-match");
    if (request.method == "GET")
        return json(200, found->resource);
    if (!ifMatch.isEmpty() && QString::fromUtf8(ifMatch) != etag)
        return error(412, QStringLiteral("Precondition Failed"));
    if (request.method == "PUT" || request.method == "PATCH") {
        const QJsonDocument body = QJsonDocument::fromJson(request.body);
        if (!body.isObject())
            return error(400, QStringLiteral("Parse Error"));
        const QJsonObject before = found->resource;
        LocalHttpServer::Reply reply;
        if (request.method == "PUT") {
            reply = writeEvent(request, calendarId, eventId);
        } else {
            QJsonObject patch = body.object();
            patch.remove(QStringLiteral("etag"));
            patch.remove(QStringLiteral("id"));
            reply = json(200, putEvent(calendarId, merged(before, patch)));
        }
        const std::optional<QJsonObject> after = event(calendarId, eventId);
        if (after && before.contains(QStringLiteral("recurrence"))
            && (startOf(*after) != startOf(before)
                || after->value(QStringLiteral("recurrence")) != before.value(QStringLiteral("recurrence"))))
            dropExceptions(calendarId, eventId);
        return reply;
    }
    if (request.method == "DELETE") {
        if (found->resource.value(QStringLiteral("status")).toString() == QLatin1String("cancelled"))
            return error(410, QStringLiteral("Resource has been deleted"));
        cancelEvent(calendarId, eventId);
        // A series takes its exceptions with it.
        for (const Stored &other : m_events.value(calendarId)) {
            if (other.resource.value(QStringLiteral("recurringEventId")).toString() == eventId)
                cancelEvent(calendarId, other.resource.value(QStringLiteral("id")).toString());
        }
        LocalHttpServer::Reply reply;
        reply.status = 204;
        return reply;
    }
    return error(405, QStringLiteral("Method Not Allowed"));
}

LocalHttpServer::Reply FakeGoogleServer::listEvents(const QString &calendarId, const QUrl &url)
{
    const QUrlQuery query(url);
    const QString syncToken = query.queryItemValue(QStringLiteral("syncToken"), QUrl::FullyDecoded);
    qint64 since = -1;
    if (!syncToken.isEmpty()) {
        const QStringList parts = syncToken.mid(1).split(QLatin1Char('-'));
        since = parts.value(1).toLongLong();
        if (!syncToken.startsWith(QLatin1Char('s')) || parts.size() != 2 || parts.at(0).toInt() != m_tokenEpoch)
            return error(410, QStringLiteral("Sync token is no longer valid, a full sync is required."));
    }
    const int maxResults = query.queryItemValue(QStringLiteral("maxResults")).toInt();
    const int size = qMax(1, qMin(pageSize, maxResults > 0 ? maxResults : pageSize));
    // By iCalendar UID: a series and its exceptions, which share it; the
    // cancelled ones only when asked for.
    const QString iCalUid = query.queryItemValue(QStringLiteral("iCalUID"), QUrl::FullyDecoded);
    const bool showDeleted = query.queryItemValue(QStringLiteral("showDeleted")) == QLatin1String("true");
    QList<QJsonObject> matching;
    const QHash<QString, Stored> stored = m_events.value(calendarId);
    for (const QString &id : m_order.value(calendarId)) {
        const Stored &entry = stored.value(id);
        if (!iCalUid.isEmpty()
            && (entry.resource.value(QStringLiteral("iCalUID")).toString() != iCalUid
                || (!showDeleted
                    && entry.resource.value(QStringLiteral("status")).toString() == QLatin1String("cancelled"))))
            continue;
        if (entry.changedAt > since)
            matching.append(entry.resource);
    }
    const int offset = query.queryItemValue(QStringLiteral("pageToken")).toInt();
    QJsonArray items;
    for (int i = offset; i < matching.size() && i < offset + size; ++i)
        items.append(matching.at(i));
    QJsonObject reply{{QStringLiteral("kind"), QStringLiteral("calendar#events")}, {QStringLiteral("items"), items}};
    if (offset + size < matching.size())
        reply.insert(QStringLiteral("nextPageToken"), QString::number(offset + size));
    else
        reply.insert(QStringLiteral("nextSyncToken"), QStringLiteral("s%1-%2").arg(m_tokenEpoch).arg(m_clock));
    return json(200, reply);
}

LocalHttpServer::Reply FakeGoogleServer::writeEvent(const LocalHttpServer::Request &request,
                                                    const QString &calendarId, const QString &eventId)
{
    const QJsonDocument body = QJsonDocument::fromJson(request.body);
    if (!body.isObject())
        return error(400, QStringLiteral("Parse Error"));
    QJsonObject event = body.object();
    // Read-only members are Google's own.
    event.remove(QStringLiteral("etag"));
    const QString chosen = event.value(QStringLiteral("id")).toString();
    if (!eventId.isEmpty()) {
        event.insert(QStringLiteral("id"), eventId);
    } else if (!chosen.isEmpty()) {
        // A client may name a new event, once.
        if (!validClientId(chosen))
            return error(400, QStringLiteral("Invalid resource id value."), QStringLiteral("invalid"));
        if (m_events.value(calendarId).contains(chosen))
            return error(409, QStringLiteral("The requested identifier already exists."), QStringLiteral("duplicate"));
    }
    return json(200, putEvent(calendarId, event));
}

QJsonObject FakeGoogleServer::putEvent(const QString &calendarId, QJsonObject event)
{
    QString id = event.value(QStringLiteral("id")).toString();
    if (id.isEmpty()) {
        id = QStringLiteral("gev%1").arg(++m_serial);
        event.insert(QStringLiteral("id"), id);
    }
    // Google names every event by an iCalendar UID of its own; an instance
    // of a series shares its series'.
    if (!event.contains(QStringLiteral("iCalUID"))) {
        const std::optional<QJsonObject> series =
            this->event(calendarId, event.value(QStringLiteral("recurringEventId")).toString());
        event.insert(QStringLiteral("iCalUID"), series && series->contains(QStringLiteral("iCalUID"))
                                                    ? series->value(QStringLiteral("iCalUID"))
                                                    : QJsonValue(id + QStringLiteral("@google.com")));
    }
    ++m_clock;
    event.insert(QStringLiteral("etag"), QStringLiteral("\"%1\"").arg(m_clock));
    if (!event.contains(QStringLiteral("status")))
        event.insert(QStringLiteral("status"), QStringLiteral("confirmed"));
    event.insert(QStringLiteral("updated"),
                 QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    event.insert(QStringLiteral("htmlLink"), QStringLiteral("https://calendar.example/event?eid=%1").arg(id));
    if (!m_events[calendarId].contains(id))
        m_order[calendarId].append(id);
    m_events[calendarId].insert(id, Stored{event, m_clock});
    return event;
}

void FakeGoogleServer::cancelEvent(const QString &calendarId, const QString &eventId)
{
    std::optional<QJsonObject> stored = event(calendarId, eventId);
    QJsonObject cancelled = stored.value_or(QJsonObject{{QStringLiteral("id"), eventId}});
    cancelled.insert(QStringLiteral("status"), QStringLiteral("cancelled"));
    putEvent(calendarId, cancelled);
}

std::optional<QJsonObject> FakeGoogleServer::event(const QString &calendarId, const QString &eventId) const
{
    const QHash<QString, Stored> stored = m_events.value(calendarId);
    const auto found = stored.constFind(eventId);
    if (found == stored.constEnd())
        return std::nullopt;
    return found->resource;
}

QList<QJsonObject> FakeGoogleServer::events(const QString &calendarId) const
{
    QList<QJsonObject> result;
    for (const QString &id : m_order.value(calendarId))
        result.append(m_events.value(calendarId).value(id).resource);
    return result;
}

void FakeGoogleServer::dropExceptions(const QString &calendarId, const QString &seriesId)
{
    QList<QString> &order = m_order[calendarId];
    for (QString &id : order) {
        const Stored stored = m_events[calendarId].value(id);
        if (stored.resource.value(QStringLiteral("recurringEventId")).toString() != seriesId
            || id.contains(QLatin1Char('~')))
            continue;
        if (!listsDroppedExceptions) {
            m_events[calendarId].remove(id);
            id.clear();
            continue;
        }
        // Kept as a cancelled entry for listings, under a key no instance
        // of the series has any more.
        QJsonObject dropped = stored.resource;
        dropped.insert(QStringLiteral("status"), QStringLiteral("cancelled"));
        m_events[calendarId].remove(id);
        id += QStringLiteral("~%1").arg(m_clock + 1);
        ++m_clock;
        dropped.insert(QStringLiteral("etag"), QStringLiteral("\"%1\"").arg(m_clock));
        m_events[calendarId].insert(id, Stored{dropped, m_clock});
    }
    order.removeAll(QString());
}

void FakeGoogleServer::expireSyncTokens()
{
    ++m_tokenEpoch;
}

QList<QJsonObject> FakeGoogleServer::seriesInstances(const QString &calendarId, const QString &seriesId) const
{
    const std::optional<QJsonObject> series = event(calendarId, seriesId);
    return series ? instancesOf(calendarId, *series) : QList<QJsonObject>();
}

LocalHttpServer::Reply FakeGoogleServer::instances(const QString &calendarId, const QString &seriesId)
{
    const std::optional<QJsonObject> series = event(calendarId, seriesId);
    if (!series)
        return error(404, QStringLiteral("Not Found"));
    QJsonArray items;
    for (const QJsonObject &instance : instancesOf(calendarId, *series))
        items.append(instance);
    return json(200, QJsonObject{{QStringLiteral("kind"), QStringLiteral("calendar#events")},
                                 {QStringLiteral("items"), items}});
}

// The instances of a series: its daily or weekly occurrences (to its COUNT
// or its UNTIL, ten without either: enough for tests), timed or all-day,
// each replaced by a stored exception of the same id.
QList<QJsonObject> FakeGoogleServer::instancesOf(const QString &calendarId, const QJsonObject &series) const
{
    QList<QJsonObject> result;
    QString rule;
    // The days its EXDATE lines skip: UTC times, dates, or times in a TZID.
    QSet<QString> skipped;
    for (const QJsonValue &line : series.value(QStringLiteral("recurrence")).toArray()) {
        const QString text = line.toString();
        if (text.startsWith(QLatin1String("RRULE:")))
            rule = text.mid(6);
        const qsizetype colon = text.indexOf(QLatin1Char(':'));
        if (!text.startsWith(QLatin1String("EXDATE")) || colon < 0)
            continue;
        const qsizetype zoneAt = text.indexOf(QLatin1String("TZID="));
        const QTimeZone zone(zoneAt < 0 ? QByteArray() : text.mid(zoneAt + 5, colon - zoneAt - 5).toUtf8());
        for (const QString &day : text.mid(colon + 1).split(QLatin1Char(','))) {
            if (day.size() == 8) {
                skipped.insert(day);
                continue;
            }
            QDateTime at = QDateTime::fromString(day.left(15), QStringLiteral("yyyyMMdd'T'HHmmss"));
            at.setTimeZone(zone.isValid() && !day.endsWith(QLatin1Char('Z')) ? zone : QTimeZone::utc());
            skipped.insert(at.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")));
        }
    }
    const bool weekly = rule.contains(QLatin1String("FREQ=WEEKLY"));
    const qsizetype countAt = rule.indexOf(QLatin1String("COUNT="));
    // A rule ended at an instant in UTC, or on a date (an all-day one's).
    const qsizetype untilAt = rule.indexOf(QLatin1String("UNTIL="));
    const QString untilText = untilAt < 0 ? QString() : rule.mid(untilAt + 6).section(QLatin1Char(';'), 0, 0);
    const QDateTime until(QDate::fromString(untilText.left(8), QStringLiteral("yyyyMMdd")),
                          untilText.size() == 8 ? QTime(23, 59, 59)
                                                : QTime::fromString(untilText.mid(9, 6), QStringLiteral("HHmmss")),
                          Qt::UTC);
    const int count = countAt >= 0 ? rule.mid(countAt + 6).section(QLatin1Char(';'), 0, 0).toInt()
                                   : untilAt >= 0 ? 1000 : 10;
    const QJsonObject start = series.value(QStringLiteral("start")).toObject();
    const QJsonObject end = series.value(QStringLiteral("end")).toObject();
    // An all-day series steps by dates: its instances start on a "date",
    // which names them ("<id>_yyyyMMdd") and is their original start.
    const bool allDay = start.contains(QStringLiteral("date"));
    const QString key = allDay ? QStringLiteral("date") : QStringLiteral("dateTime");
    const QDateTime first = allDay ? QDateTime(QDate::fromString(start.value(key).toString(), Qt::ISODate),
                                               QTime(0, 0), Qt::UTC)
                                   : QDateTime::fromString(start.value(key).toString(), Qt::ISODateWithMs);
    const QDateTime last = allDay ? QDateTime(QDate::fromString(end.value(key).toString(), Qt::ISODate), QTime(0, 0),
                                              Qt::UTC)
                                  : QDateTime::fromString(end.value(key).toString(), Qt::ISODateWithMs);
    const auto text = [allDay](const QDateTime &at) {
        return allDay ? at.date().toString(Qt::ISODate) : at.toString(Qt::ISODate);
    };
    const QString seriesId = series.value(QStringLiteral("id")).toString();
    for (int i = 0; i < count && first.isValid(); ++i) {
        const int days = weekly ? 7 * i : i;
        const QDateTime at = first.addDays(days);
        if (until.isValid() && at > until)
            break;
        const QString stamp = at.toUTC().toString(allDay ? QStringLiteral("yyyyMMdd")
                                                         : QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
        const QString id = seriesId + QLatin1Char('_') + stamp;
        if (skipped.contains(stamp))
            continue;
        if (const std::optional<QJsonObject> exception = event(calendarId, id)) {
            result.append(*exception);
            continue;
        }
        QJsonObject instance = series;
        instance.remove(QStringLiteral("recurrence"));
        instance.insert(QStringLiteral("id"), id);
        instance.insert(QStringLiteral("recurringEventId"), seriesId);
        QJsonObject when = start;
        when.insert(key, text(at));
        instance.insert(QStringLiteral("originalStartTime"), when);
        instance.insert(QStringLiteral("start"), when);
        QJsonObject until = end;
        until.insert(key, text(last.addDays(days)));
        instance.insert(QStringLiteral("end"), until);
        result.append(instance);
    }
    return result;
}

// The event and its exceptions leave the calendar (a deletion there, as
// its listing shows it) and are in `destination` as they were.
LocalHttpServer::Reply FakeGoogleServer::move(const QString &calendarId, const QString &eventId,
                                              const QString &destination)
{
    const std::optional<QJsonObject> found = event(calendarId, eventId);
    if (!found || found->value(QStringLiteral("status")).toString() == QLatin1String("cancelled"))
        return error(404, QStringLiteral("Not Found"));
    if (destination.isEmpty() || destination == calendarId)
        return error(400, QStringLiteral("Invalid destination"));
    QJsonObject moved;
    for (const Stored &other : m_events.value(calendarId)) {
        const QString id = other.resource.value(QStringLiteral("id")).toString();
        if (id != eventId && other.resource.value(QStringLiteral("recurringEventId")).toString() != eventId)
            continue;
        const QJsonObject there = putEvent(destination, other.resource);
        if (id == eventId)
            moved = there;
        cancelEvent(calendarId, id);
    }
    return json(200, moved);
}
