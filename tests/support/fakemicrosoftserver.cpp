#include "tests/support/fakemicrosoftserver.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrlQuery>

namespace {

LocalHttpServer::Reply json(int status, const QJsonObject &object)
{
    LocalHttpServer::Reply reply;
    reply.status = status;
    reply.headers.append(qMakePair(QByteArray("Content-Type"), QByteArray("application/json; charset=utf-8")));
    reply.body = QJsonDocument(object).toJson(QJsonDocument::Compact);
    return reply;
}

LocalHttpServer::Reply error(int status, const QString &code, const QString &message = QString())
{
    return json(status, QJsonObject{{QStringLiteral("error"),
                                     QJsonObject{{QStringLiteral("code"), code},
                                                 {QStringLiteral("message"), message.isEmpty() ? code : message}}}});
}

LocalHttpServer::Reply noContent(int status)
{
    LocalHttpServer::Reply reply;
    reply.status = status;
    return reply;
}

QString value(const QUrlQuery &query, const char *key)
{
    return query.queryItemValue(QLatin1String(key), QUrl::FullyDecoded);
}

QDateTime utc(const QJsonObject &time)
{
    QString text = time.value(QStringLiteral("dateTime")).toString();
    const int point = text.indexOf(QLatin1Char('.'));
    if (point > 0)
        text = text.left(point);
    if (text.endsWith(QLatin1Char('Z')))
        text.chop(1);
    return QDateTime(QDate::fromString(text.left(10), Qt::ISODate),
                     QTime::fromString(text.mid(11, 8), Qt::ISODate), Qt::UTC);
}

} // namespace

FakeMicrosoftServer::FakeMicrosoftServer(QObject *parent)
    : QObject(parent)
    // The ID token's claims: {"name": "Ada Lovelace", "preferred_username": "ada@example.com"}.
    , FakeTokenEndpoint({QStringLiteral("M.code-"), QStringLiteral("EwB.access-"), QStringLiteral("M.refresh-"),
                         QStringLiteral("M.rotated-"), QStringLiteral("AADSTS70000: The refresh token has expired."),
                         QByteArray("application/json; charset=utf-8")},
                        QStringLiteral("e30.eyJuYW1lIjoiQWRhIExvdmVsYWNlIiwicHJlZmVycmVkX3VzZXJuYW1lIjoiYWRhQGV4"
                                       "YW1wbGUuY29tIn0.sig"))
    , ScriptedHttpFront([this](const LocalHttpServer::Request &request) { return handle(request); })
{
}

QUrl FakeMicrosoftServer::graphRoot() const
{
    return m_http.url(QStringLiteral("/v1.0"));
}

void FakeMicrosoftServer::addCalendar(const QJsonObject &entry)
{
    m_calendars.append(entry);
}

QString FakeMicrosoftServer::defaultCalendarId() const
{
    for (const QJsonObject &calendar : m_calendars) {
        if (calendar.value(QStringLiteral("isDefaultCalendar")).toBool())
            return calendar.value(QStringLiteral("id")).toString();
    }
    return m_calendars.isEmpty() ? QString() : m_calendars.first().value(QStringLiteral("id")).toString();
}

void FakeMicrosoftServer::setDefaultCalendar(const QString &calendarId)
{
    for (QJsonObject &calendar : m_calendars)
        calendar.insert(QStringLiteral("isDefaultCalendar"),
                        calendar.value(QStringLiteral("id")).toString() == calendarId);
}

LocalHttpServer::Reply FakeMicrosoftServer::handle(const LocalHttpServer::Request &request)
{
    const std::optional<Failure> failure = arrived(request);
    if (failure && failure->afterCommit)
        carryOut(request);
    if (failure) {
        return failureReply(*failure, request, error(failure->status, QStringLiteral("ScriptedFailure")));
    }
    return carryOut(request);
}

LocalHttpServer::Reply FakeMicrosoftServer::carryOut(const LocalHttpServer::Request &request)
{
    const QUrl url(QStringLiteral("http://127.0.0.1") + QString::fromLatin1(request.target));
    const QString path = url.path(QUrl::FullyEncoded);
    if (path == QLatin1String("/common/oauth2/v2.0/token") && request.method == "POST")
        return token(request);
    if (!path.startsWith(QLatin1String("/v1.0/me/")))
        return error(404, QStringLiteral("ResourceNotFound"));
    const QByteArray authorization = request.header("authorization");
    if (!acceptsBearer(authorization))
        return error(401, QStringLiteral("InvalidAuthenticationToken"),
                     QStringLiteral("Access token validation failure."));
    QStringList parts = path.mid(9).split(QLatin1Char('/'));
    for (QString &part : parts)
        part = QUrl::fromPercentEncoding(part.toUtf8());
    return graph(request, url, parts);
}

LocalHttpServer::Reply FakeMicrosoftServer::token(const LocalHttpServer::Request &request)
{
    const QUrlQuery form(QString::fromUtf8(request.body));
    // A public client: a secret is refused, as Microsoft does.
    if (value(form, "client_id") != clientId || form.hasQueryItem(QStringLiteral("client_secret")))
        return json(401, QJsonObject{{QStringLiteral("error"), QStringLiteral("invalid_client")}});
    return grant(form);
}

LocalHttpServer::Reply FakeMicrosoftServer::graph(const LocalHttpServer::Request &request, const QUrl &url,
                                                  const QStringList &parts)
{
    const QString first = parts.value(0);
    if (first == QLatin1String("calendars") && parts.size() == 1)
        return calendarList(url);
    if (first == QLatin1String("calendar") && parts.size() == 1) {
        for (const QJsonObject &calendar : std::as_const(m_calendars)) {
            if (calendar.value(QStringLiteral("id")).toString() == defaultCalendarId())
                return json(200, calendar);
        }
        return error(404, QStringLiteral("ErrorItemNotFound"));
    }
    if (first == QLatin1String("calendarView") && parts.value(1) == QLatin1String("delta") && parts.size() == 2)
        return delta(url);
    if (first == QLatin1String("events") && parts.size() == 3 && request.method == "POST")
        return answer(parts.at(1), parts.at(2));
    if (first == QLatin1String("events") && parts.size() == 3 && parts.at(2) == QLatin1String("instances"))
        return instances(parts.at(1), url);
    if (first == QLatin1String("events") && parts.size() == 2)
        return eventRequest(request, QString(), parts.at(1));
    if (first != QLatin1String("calendars") || parts.size() < 3)
        return error(404, QStringLiteral("ResourceNotFound"));
    const QString calendarId = parts.at(1);
    if (parts.at(2) == QLatin1String("calendarView") && parts.size() == 3)
        return calendarView(calendarId, url);
    if (parts.at(2) != QLatin1String("events") || parts.size() > 4)
        return error(404, QStringLiteral("ResourceNotFound"));
    if (parts.size() == 4)
        return eventRequest(request, calendarId, parts.at(3));
    if (request.method == "POST") {
        const QJsonDocument body = QJsonDocument::fromJson(request.body);
        if (!body.isObject())
            return error(400, QStringLiteral("ErrorInvalidRequest"));
        QJsonObject event = body.object();
        event.remove(QStringLiteral("id"));
        // A POST again under a transactionId already used makes no second
        // event. The reference promises nothing more, not even of an id
        // whose event was deleted since: that one is answered as made.
        const QString transaction = event.value(QStringLiteral("transactionId")).toString();
        for (const QString &id : std::as_const(m_order)) {
            const Stored &stored = m_events[id];
            if (!transaction.isEmpty()
                && stored.resource.value(QStringLiteral("transactionId")).toString() == transaction)
                return json(201, stored.resource);
        }
        return json(201, putEvent(calendarId, event));
    }
    // The plain listing: single events and series masters.
    QList<QJsonObject> items;
    for (const QString &id : std::as_const(m_order)) {
        const Stored &stored = m_events[id];
        const QString type = stored.resource.value(QStringLiteral("type")).toString();
        if (stored.calendarId == calendarId && !stored.removed
            && (type == QLatin1String("singleInstance") || type == QLatin1String("seriesMaster")))
            items.append(stored.resource);
    }
    return listing(url, items, QString());
}

LocalHttpServer::Reply FakeMicrosoftServer::calendarList(const QUrl &url)
{
    QList<QJsonObject> items = m_calendars;
    const QUrlQuery query(url);
    const int skip = value(query, "$skip").toInt();
    QJsonArray page;
    for (int i = skip; i < items.size() && i < skip + calendarPageSize; ++i)
        page.append(items.at(i));
    QJsonObject reply{{QStringLiteral("value"), page}};
    if (skip + calendarPageSize < items.size())
        reply.insert(QStringLiteral("@odata.nextLink"),
                     graphRoot().toString() + QStringLiteral("/me/calendars?$skip=%1").arg(skip + calendarPageSize));
    return json(200, reply);
}

// One page of `items` at the request's $skip; a next link while more remain.
LocalHttpServer::Reply FakeMicrosoftServer::listing(const QUrl &url, const QList<QJsonObject> &items,
                                                    const QString &deltaLink)
{
    QUrlQuery query(url);
    const int top = value(query, "$top").toInt();
    const int size = qMax(1, top > 0 ? qMin(top, pageSize) : pageSize);
    const int skip = value(query, "$skip").toInt();
    QJsonArray page;
    for (int i = skip; i < items.size() && i < skip + size; ++i)
        page.append(items.at(i));
    QJsonObject reply{{QStringLiteral("value"), page}};
    if (skip + size < items.size()) {
        query.removeAllQueryItems(QStringLiteral("$skip"));
        query.addQueryItem(QStringLiteral("$skip"), QString::number(skip + size));
        QUrl next = url;
        next.setScheme(QStringLiteral("http"));
        next.setPort(m_http.port());
        next.setQuery(query);
        reply.insert(QStringLiteral("@odata.nextLink"), next.toString(QUrl::FullyEncoded));
    } else if (!deltaLink.isEmpty()) {
        reply.insert(QStringLiteral("@odata.deltaLink"), deltaLink);
    }
    return json(200, reply);
}

QList<QJsonObject> FakeMicrosoftServer::viewItems(const QString &calendarId, const QDateTime &from,
                                                  const QDateTime &to) const
{
    QList<QJsonObject> items;
    for (const QString &id : m_order) {
        const Stored &stored = m_events[id];
        if (stored.calendarId == calendarId && !stored.removed && inWindow(stored.resource, from, to))
            items.append(stored.resource);
    }
    return items;
}

// The calendar view holds single events and the instances of series, not
// their masters.
bool FakeMicrosoftServer::inWindow(const QJsonObject &event, const QDateTime &from, const QDateTime &to)
{
    if (event.value(QStringLiteral("type")).toString() == QLatin1String("seriesMaster"))
        return false;
    const QDateTime start = utc(event.value(QStringLiteral("start")).toObject());
    const QDateTime end = utc(event.value(QStringLiteral("end")).toObject());
    return (!from.isValid() || !end.isValid() || end > from) && (!to.isValid() || start < to);
}

LocalHttpServer::Reply FakeMicrosoftServer::calendarView(const QString &calendarId, const QUrl &url)
{
    const QUrlQuery query(url);
    const QDateTime from = QDateTime::fromString(value(query, "startDateTime"), Qt::ISODateWithMs);
    const QDateTime to = QDateTime::fromString(value(query, "endDateTime"), Qt::ISODateWithMs);
    if (!from.isValid() || !to.isValid())
        return error(400, QStringLiteral("ErrorInvalidParameter"),
                     QStringLiteral("This request requires a time window specified by the query string parameters "
                                    "StartDateTime and EndDateTime."));
    return listing(url, viewItems(calendarId, from, to), QString());
}

// The stored instances of a series (occurrences and exceptions put with its
// id as "seriesMasterId") inside the window.
LocalHttpServer::Reply FakeMicrosoftServer::instances(const QString &seriesId, const QUrl &url)
{
    const QUrlQuery query(url);
    const QDateTime from = QDateTime::fromString(value(query, "startDateTime"), Qt::ISODateWithMs);
    const QDateTime to = QDateTime::fromString(value(query, "endDateTime"), Qt::ISODateWithMs);
    const auto series = m_events.constFind(seriesId);
    if (series == m_events.constEnd() || series->removed)
        return error(404, QStringLiteral("ErrorItemNotFound"));
    if (!from.isValid() || !to.isValid())
        return error(400, QStringLiteral("ErrorInvalidParameter"));
    QJsonArray found;
    for (const QJsonObject &instance : seriesInstances(seriesId, from, to))
        found.append(instance);
    return json(200, QJsonObject{{QStringLiteral("value"), found}});
}

QList<QJsonObject> FakeMicrosoftServer::seriesInstances(const QString &seriesId, const QDateTime &from,
                                                        const QDateTime &to) const
{
    QList<QJsonObject> found;
    for (const QString &id : m_order) {
        const Stored &stored = m_events[id];
        if (!stored.removed && stored.resource.value(QStringLiteral("seriesMasterId")).toString() == seriesId
            && inWindow(stored.resource, from, to))
            found.append(stored.resource);
    }
    found.append(madeOccurrences(seriesId, from, to));
    return found;
}

QList<QJsonObject> FakeMicrosoftServer::madeOccurrences(const QString &seriesId, const QDateTime &from,
                                                        const QDateTime &to) const
{
    const auto series = m_events.constFind(seriesId);
    if (series == m_events.constEnd() || series->removed)
        return {};
    // A series listed by stored occurrences has none made; an exception
    // (changed, or deleted as an instance) takes its day's place.
    QSet<qint64> taken;
    for (const Stored &stored : m_events) {
        if (stored.resource.value(QStringLiteral("seriesMasterId")).toString() != seriesId)
            continue;
        if (stored.resource.value(QStringLiteral("type")).toString() == QLatin1String("occurrence"))
            return {};
        if (!stored.removed || stored.cancelsDay)
            taken.insert(QDateTime::fromString(stored.resource.value(QStringLiteral("originalStart")).toString(),
                                               Qt::ISODate)
                             .toMSecsSinceEpoch());
    }
    const QJsonObject &master = series->resource;
    const QJsonObject recurrence = master.value(QStringLiteral("recurrence")).toObject();
    const QJsonObject pattern = recurrence.value(QStringLiteral("pattern")).toObject();
    const QJsonObject range = recurrence.value(QStringLiteral("range")).toObject();
    const QString type = pattern.value(QStringLiteral("type")).toString();
    if (type != QLatin1String("daily") && type != QLatin1String("weekly"))
        return {};
    const int step = (type == QLatin1String("weekly") ? 7 : 1) * qMax(1, pattern.value(QStringLiteral("interval")).toInt());
    const int count = range.value(QStringLiteral("type")).toString() == QLatin1String("numbered")
                          ? range.value(QStringLiteral("numberOfOccurrences")).toInt()
                          : 1000;
    const QDate last = QDate::fromString(range.value(QStringLiteral("endDate")).toString(), Qt::ISODate);
    const QDateTime first = utc(master.value(QStringLiteral("start")).toObject());
    const qint64 length = first.secsTo(utc(master.value(QStringLiteral("end")).toObject()));
    const QJsonArray cancelled = master.value(QStringLiteral("cancelledOccurrences")).toArray();
    QList<QJsonObject> made;
    for (int i = 0; i < count; ++i) {
        const QDateTime start = first.addDays(qint64(i) * step);
        if ((last.isValid() && start.date() > last) || start >= to)
            break;
        const QString day = start.date().toString(Qt::ISODate);
        if (start.addSecs(length) <= from || cancelled.contains(QStringLiteral("OID.%1.%2").arg(seriesId, day))
            || taken.contains(start.toMSecsSinceEpoch()))
            continue;
        QJsonObject occurrence = master;
        for (const char *key : {"recurrence", "cancelledOccurrences", "transactionId"})
            occurrence.remove(QLatin1String(key));
        const auto time = [](const QDateTime &at) {
            return QJsonObject{{QStringLiteral("dateTime"), at.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz0000"))},
                               {QStringLiteral("timeZone"), QStringLiteral("UTC")}};
        };
        occurrence.insert(QStringLiteral("id"), seriesId + QLatin1Char('_') + start.toString(QStringLiteral("yyyyMMdd")));
        occurrence.insert(QStringLiteral("type"), QStringLiteral("occurrence"));
        occurrence.insert(QStringLiteral("seriesMasterId"), seriesId);
        occurrence.insert(QStringLiteral("originalStart"), start.toString(Qt::ISODate));
        occurrence.insert(QStringLiteral("start"), time(start));
        occurrence.insert(QStringLiteral("end"), time(start.addSecs(length)));
        made.append(occurrence);
    }
    return made;
}

std::optional<QJsonObject> FakeMicrosoftServer::madeOccurrence(const QString &eventId) const
{
    const qsizetype mark = eventId.lastIndexOf(QLatin1Char('_'));
    const QDate day = QDate::fromString(eventId.mid(mark + 1), QStringLiteral("yyyyMMdd"));
    if (mark < 0 || !day.isValid())
        return std::nullopt;
    const QDateTime midnight(day, QTime(0, 0), Qt::UTC);
    for (const QJsonObject &occurrence : madeOccurrences(eventId.left(mark), midnight, midnight.addDays(1))) {
        if (occurrence.value(QStringLiteral("id")).toString() == eventId)
            return occurrence;
    }
    return std::nullopt;
}

// A deleted occurrence is a cancelled day of its master, which changes; a
// changed one is an exception of its own from now on.
LocalHttpServer::Reply FakeMicrosoftServer::occurrenceRequest(const LocalHttpServer::Request &request,
                                                              const QJsonObject &occurrence)
{
    if (request.method == "GET")
        return json(200, occurrence);
    const QString seriesId = occurrence.value(QStringLiteral("seriesMasterId")).toString();
    const Stored &series = m_events[seriesId];
    if (request.method == "PATCH") {
        const QJsonDocument body = QJsonDocument::fromJson(request.body);
        if (!body.isObject())
            return error(400, QStringLiteral("ErrorInvalidRequest"));
        QJsonObject exception = occurrence;
        const QJsonObject changes = body.object();
        for (auto it = changes.constBegin(); it != changes.constEnd(); ++it) {
            if (it.value().isNull())
                exception.remove(it.key());
            else
                exception.insert(it.key(), it.value());
        }
        exception.insert(QStringLiteral("type"), QStringLiteral("exception"));
        return json(200, putEvent(series.calendarId, exception));
    }
    if (request.method != "DELETE")
        return error(405, QStringLiteral("ErrorInvalidRequest"));
    cancelOccurrence(occurrence);
    return noContent(204);
}

void FakeMicrosoftServer::cancelOccurrence(const QJsonObject &occurrence)
{
    const QString seriesId = occurrence.value(QStringLiteral("seriesMasterId")).toString();
    const Stored &series = m_events[seriesId];
    QJsonObject master = series.resource;
    QJsonArray cancelled = master.value(QStringLiteral("cancelledOccurrences")).toArray();
    cancelled.append(QStringLiteral("OID.%1.%2")
                         .arg(seriesId, utc(occurrence.value(QStringLiteral("start")).toObject()).date().toString(Qt::ISODate)));
    master.insert(QStringLiteral("cancelledOccurrences"), cancelled);
    const QString calendarId = series.calendarId;
    putEvent(calendarId, master);
    // The view loses the occurrence: the delta names it, not its master.
    m_cancelledOccurrences.append(
        Stored{calendarId, QJsonObject{{QStringLiteral("id"), occurrence.value(QStringLiteral("id"))}}, ++m_clock, true});
}

bool FakeMicrosoftServer::deleteInstance(const QString &instanceId)
{
    const auto found = m_events.constFind(instanceId);
    if (found == m_events.constEnd() || found->removed) {
        const std::optional<QJsonObject> occurrence = madeOccurrence(instanceId);
        if (occurrence)
            cancelOccurrence(*occurrence);
        return occurrence.has_value();
    }
    if (!found->resource.contains(QStringLiteral("seriesMasterId")))
        return false;
    removeEvent(instanceId);
    m_events[instanceId].cancelsDay = true;
    return true;
}

LocalHttpServer::Reply FakeMicrosoftServer::delta(const QUrl &url)
{
    const QUrlQuery query(url);
    // A round is named by what it lists: everything in the window, or what
    // changed since a moment. Its pages are $skip offsets into that list.
    QString state = value(query, "$skiptoken");
    if (state.isEmpty()) {
        const QString token = value(query, "$deltatoken");
        if (!token.isEmpty()) {
            const QStringList parts = token.split(QLatin1Char('.'));
            if (parts.size() != 4 || parts.at(0).toInt() != m_tokenEpoch)
                return error(410, QStringLiteral("SyncStateNotFound"),
                             QStringLiteral("The sync state generation is not found."));
            state = QStringLiteral("%1.%2.%3").arg(parts.at(1), parts.at(2), parts.at(3));
        } else {
            const QDateTime from = QDateTime::fromString(value(query, "startDateTime"), Qt::ISODateWithMs);
            const QDateTime to = QDateTime::fromString(value(query, "endDateTime"), Qt::ISODateWithMs);
            if (!from.isValid() || !to.isValid())
                return error(400, QStringLiteral("ErrorInvalidParameter"));
            state = QStringLiteral("-1.%1.%2").arg(from.toMSecsSinceEpoch()).arg(to.toMSecsSinceEpoch());
        }
    }
    const QStringList parts = state.split(QLatin1Char('.'));
    const qint64 since = parts.value(0).toLongLong();
    const QDateTime from = QDateTime::fromMSecsSinceEpoch(parts.value(1).toLongLong(), Qt::UTC);
    const QDateTime to = QDateTime::fromMSecsSinceEpoch(parts.value(2).toLongLong(), Qt::UTC);
    QList<QJsonObject> items;
    const QString calendarId = defaultCalendarId();
    for (const QString &id : std::as_const(m_order)) {
        const Stored &stored = m_events[id];
        if (stored.calendarId != calendarId || stored.changedAt <= since
            || stored.resource.value(QStringLiteral("type")).toString() == QLatin1String("seriesMaster"))
            continue;
        if (stored.removed) {
            if (since >= 0)
                items.append(QJsonObject{{QStringLiteral("id"), id},
                                         {QStringLiteral("@removed"),
                                          QJsonObject{{QStringLiteral("reason"), QStringLiteral("deleted")}}}});
            continue;
        }
        if (inWindow(stored.resource, from, to))
            items.append(stored.resource);
    }
    for (const Stored &gone : std::as_const(m_cancelledOccurrences)) {
        if (since >= 0 && gone.calendarId == calendarId && gone.changedAt > since)
            items.append(QJsonObject{{QStringLiteral("id"), gone.resource.value(QStringLiteral("id"))},
                                     {QStringLiteral("@removed"),
                                      QJsonObject{{QStringLiteral("reason"), QStringLiteral("deleted")}}}});
    }
    const int skip = value(query, "$skip").toInt();
    if (emptyFirstDeltaPage && value(query, "$skiptoken").isEmpty()) {
        QJsonObject reply{{QStringLiteral("value"), QJsonArray()},
                          {QStringLiteral("@odata.nextLink"),
                           graphRoot().toString() + QStringLiteral("/me/calendarView/delta?$skiptoken=%1&$skip=0")
                                                        .arg(state)}};
        return json(200, reply);
    }
    // A repeated item takes the first place of a later page.
    const int size = qMax(2, pageSize);
    QJsonArray page;
    if (repeatDeltaItems && skip > 0 && skip <= items.size())
        page.append(items.at(skip - 1));
    int next = skip;
    while (next < items.size() && page.size() < size)
        page.append(items.at(next++));
    QJsonObject reply{{QStringLiteral("value"), page}};
    const QString base = graphRoot().toString() + QStringLiteral("/me/calendarView/delta");
    if (next < items.size())
        reply.insert(QStringLiteral("@odata.nextLink"), base + QStringLiteral("?$skiptoken=%1&$skip=%2").arg(state).arg(next));
    else if (!omitDeltaLink)
        reply.insert(QStringLiteral("@odata.deltaLink"),
                     base + QStringLiteral("?$deltatoken=%1.%2.%3.%4")
                                .arg(m_tokenEpoch)
                                .arg(m_clock)
                                .arg(parts.value(1), parts.value(2)));
    return json(200, reply);
}

LocalHttpServer::Reply FakeMicrosoftServer::eventRequest(const LocalHttpServer::Request &request,
                                                         const QString &calendarId, const QString &eventId)
{
    const auto found = m_events.constFind(eventId);
    if (found == m_events.constEnd() || found->removed || (!calendarId.isEmpty() && found->calendarId != calendarId)) {
        if (const std::optional<QJsonObject> occurrence = madeOccurrence(eventId))
            return occurrenceRequest(request, *occurrence);
        return error(404, QStringLiteral("ErrorItemNotFound"));
    }
    if (request.method == "GET")
        return json(200, withExpanded(found->resource, request));
    const QByteArray ifMatch = request.header("if-match");
    if (!ifMatch.isEmpty() && QString::fromUtf8(ifMatch) != found->resource.value(QStringLiteral("changeKey")).toString())
        return error(412, QStringLiteral("ErrorIrresolvableConflict"),
                     QStringLiteral("The change key passed in the request does not match the current change key."));
    if (request.method == "DELETE") {
        removeEvent(eventId);
        // An instance deleted leaves its day cancelled.
        m_events[eventId].cancelsDay = found->resource.contains(QStringLiteral("seriesMasterId"));
        // A series master takes its occurrences and exceptions with it.
        for (const QString &id : std::as_const(m_order)) {
            if (m_events.value(id).resource.value(QStringLiteral("seriesMasterId")).toString() == eventId)
                removeEvent(id);
        }
        return noContent(204);
    }
    if (request.method != "PATCH")
        return error(405, QStringLiteral("ErrorInvalidRequest"));
    const QJsonDocument body = QJsonDocument::fromJson(request.body);
    if (!body.isObject())
        return error(400, QStringLiteral("ErrorInvalidRequest"));
    QJsonObject event = found->resource;
    // A changed occurrence is an exception of its series from now on.
    if (event.value(QStringLiteral("type")).toString() == QLatin1String("occurrence"))
        event.insert(QStringLiteral("type"), QStringLiteral("exception"));
    const QJsonObject changes = body.object();
    for (auto it = changes.constBegin(); it != changes.constEnd(); ++it) {
        if (it.value().isNull())
            event.remove(it.key());
        else
            event.insert(it.key(), it.value());
    }
    const QString storedIn = found->calendarId;
    const QJsonObject &before = found->resource;
    const auto startOf = [](const QJsonObject &object) { return utc(object.value(QStringLiteral("start")).toObject()); };
    if (event.value(QStringLiteral("type")).toString() == QLatin1String("seriesMaster")
        && (startOf(event) != startOf(before)
            || event.value(QStringLiteral("recurrence")) != before.value(QStringLiteral("recurrence"))))
        dropExceptions(eventId, event);
    return json(200, putEvent(storedIn, event));
}

// A series master asked for with "$expand=exceptionOccurrences" names its
// exceptions, each as the event it is; its cancelled days are none of them.
QJsonObject FakeMicrosoftServer::withExpanded(QJsonObject event, const LocalHttpServer::Request &request) const
{
    const QUrlQuery query(QUrl(QStringLiteral("http://127.0.0.1") + QString::fromLatin1(request.target)));
    if (!value(query, "$expand").split(QLatin1Char(',')).contains(QLatin1String("exceptionOccurrences"))
        || event.value(QStringLiteral("type")).toString() != QLatin1String("seriesMaster"))
        return event;
    const QString seriesId = event.value(QStringLiteral("id")).toString();
    QJsonArray exceptions;
    for (const QString &id : m_order) {
        const Stored &stored = m_events[id];
        if (!stored.removed && stored.resource.value(QStringLiteral("seriesMasterId")).toString() == seriesId
            && stored.resource.value(QStringLiteral("type")).toString() == QLatin1String("exception"))
            exceptions.append(stored.resource);
    }
    event.insert(QStringLiteral("exceptionOccurrences"), exceptions);
    return event;
}

// Outlook gives a series whose start or pattern changed its days anew: its
// exceptions go, and its cancelled days come back.
void FakeMicrosoftServer::dropExceptions(const QString &seriesId, QJsonObject &master)
{
    master.remove(QStringLiteral("cancelledOccurrences"));
    for (const QString &id : std::as_const(m_order)) {
        Stored &stored = m_events[id];
        if (stored.resource.value(QStringLiteral("seriesMasterId")).toString() != seriesId
            || stored.resource.value(QStringLiteral("type")).toString() != QLatin1String("exception"))
            continue;
        if (!stored.removed)
            removeEvent(id);
        stored.cancelsDay = false;
    }
}

LocalHttpServer::Reply FakeMicrosoftServer::answer(const QString &eventId, const QString &action)
{
    static const QHash<QString, QString> responses = {{QStringLiteral("accept"), QStringLiteral("accepted")},
                                                      {QStringLiteral("tentativelyAccept"),
                                                       QStringLiteral("tentativelyAccepted")},
                                                      {QStringLiteral("decline"), QStringLiteral("declined")}};
    const auto found = m_events.constFind(eventId);
    if (!responses.contains(action))
        return error(400, QStringLiteral("ErrorInvalidRequest"));
    if (found == m_events.constEnd() || found->removed)
        return error(404, QStringLiteral("ErrorItemNotFound"));
    QJsonObject event = found->resource;
    const QString response = responses.value(action);
    event.insert(QStringLiteral("responseStatus"), QJsonObject{{QStringLiteral("response"), response}});
    QJsonArray attendees = event.value(QStringLiteral("attendees")).toArray();
    for (int i = 0; i < attendees.size(); ++i) {
        QJsonObject attendee = attendees.at(i).toObject();
        const QString address =
            attendee.value(QStringLiteral("emailAddress")).toObject().value(QStringLiteral("address")).toString();
        if (address.compare(meAddress, Qt::CaseInsensitive) == 0) {
            attendee.insert(QStringLiteral("status"), QJsonObject{{QStringLiteral("response"), response}});
            attendees.replace(i, attendee);
        }
    }
    event.insert(QStringLiteral("attendees"), attendees);
    putEvent(found->calendarId, event);
    return noContent(202);
}

QJsonObject FakeMicrosoftServer::putEvent(const QString &calendarId, QJsonObject event)
{
    QString id = event.value(QStringLiteral("id")).toString();
    if (id.isEmpty()) {
        id = QStringLiteral("AAMkAG%1=").arg(++m_serial);
        event.insert(QStringLiteral("id"), id);
    }
    ++m_clock;
    event.insert(QStringLiteral("changeKey"), QStringLiteral("ck%1").arg(m_clock));
    if (!event.contains(QStringLiteral("type")))
        event.insert(QStringLiteral("type"), event.value(QStringLiteral("recurrence")).isObject()
                                                 ? QStringLiteral("seriesMaster")
                                                 : QStringLiteral("singleInstance"));
    event.insert(QStringLiteral("lastModifiedDateTime"),
                 QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz0000Z")));
    event.insert(QStringLiteral("webLink"), QStringLiteral("https://outlook.example/calendar/item/%1").arg(id));
    if (!m_events.contains(id))
        m_order.append(id);
    m_events.insert(id, Stored{calendarId, event, m_clock, false});
    return event;
}

void FakeMicrosoftServer::removeEvent(const QString &eventId)
{
    auto found = m_events.find(eventId);
    if (found == m_events.end())
        return;
    found->removed = true;
    found->changedAt = ++m_clock;
}

std::optional<QJsonObject> FakeMicrosoftServer::event(const QString &eventId) const
{
    const auto found = m_events.constFind(eventId);
    if (found == m_events.constEnd() || found->removed)
        return std::nullopt;
    return found->resource;
}

QList<QJsonObject> FakeMicrosoftServer::events(const QString &calendarId) const
{
    QList<QJsonObject> result;
    for (const QString &id : m_order) {
        const Stored &stored = m_events[id];
        if (stored.calendarId == calendarId && !stored.removed)
            result.append(stored.resource);
    }
    return result;
}

void FakeMicrosoftServer::expireDeltaTokens()
{
    ++m_tokenEpoch;
}
