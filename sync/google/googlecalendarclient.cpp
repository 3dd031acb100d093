#include "sync/google/googlecalendarclient.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkRequest>
#include <QUrlQuery>

#include "app/network/guardedrequest.h"
#include "sync/core/pagereader.h"
#include "sync/google/googlereply.h"

namespace Google {

struct CalendarClient::Listing
{
    QString calendarId;
    QString syncToken;
    QDateTime timeMin;
    QDateTime timeMax;
    QList<QJsonObject> items;
    QList<QList<ListedEvent>> listedPages;
    int pages = 0;
};

namespace {

// A write's failure names no status of its own: it follows Google's words.
constexpr auto WithStatus = ReplyData::Words::ThenStatus;

QString encodedId(const QString &id)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(id));
}

QString utcText(const QDateTime &when)
{
    return when.toUTC().toString(Qt::ISODateWithMs);
}

DiscoveredCalendar calendarFrom(const QJsonValue &value)
{
    const QJsonObject entry = value.toObject();
    DiscoveredCalendar calendar;
    calendar.id = entry.value(QStringLiteral("id")).toString();
    calendar.summary = entry.value(QStringLiteral("summary")).toString();
    calendar.description = entry.value(QStringLiteral("description")).toString();
    calendar.backgroundColor = entry.value(QStringLiteral("backgroundColor")).toString();
    calendar.accessRole = entry.value(QStringLiteral("accessRole")).toString();
    calendar.primary = entry.value(QStringLiteral("primary")).toBool(false);
    return calendar;
}

} // namespace

OAuth::BearerClient::Rules bearerRules(const Endpoints &endpoints)
{
    OAuth::BearerClient::Rules rules;
    rules.readReply = &takeReply;
    rules.limits = endpoints;
    rules.retryWaitMs = [baseMs = endpoints.retryBaseMs](const ReplyData &data, int attempt) -> qint64 {
        return CalendarClient::worthRetrying(data) ? qint64(baseMs) << attempt : -1;
    };
    rules.waitsInFlight = true;
    rules.logName = QStringLiteral("Google");
    return rules;
}

bool operator==(const DiscoveredCalendar &a, const DiscoveredCalendar &b)
{
    return a.id == b.id && a.summary == b.summary && a.description == b.description
           && a.backgroundColor == b.backgroundColor && a.accessRole == b.accessRole && a.primary == b.primary;
}

QUrl CalendarClient::eventsUrl(const QString &calendarId, const QString &eventId) const
{
    QString path = QStringLiteral("/calendar/v3/calendars/%1/events").arg(encodedId(calendarId));
    if (!eventId.isEmpty())
        path += QLatin1Char('/') + encodedId(eventId);
    QUrl url = m_endpoints.apiUrl(QString());
    // Set encoded, so that an encoded "/" or "@" in an id stays encoded.
    url.setPath(url.path(QUrl::FullyEncoded) + path, QUrl::TolerantMode);
    return url;
}

QNetworkRequest CalendarClient::request(const QUrl &url, bool json) const
{
    // The token is set as each call is sent: a renewed one replaces it.
    QNetworkRequest request = Net::guardedRequest(url, m_endpoints.transferTimeoutMs);
    if (json)
        request.setRawHeader("Accept", "application/json");
    return request;
}

bool CalendarClient::worthRetrying(const ReplyData &data)
{
    if (data.status == 429 || data.status == 500 || data.status == 502 || data.status == 503 || data.status == 504)
        return true;
    if (data.status != 403)
        return false;
    const QJsonArray errors =
        data.object().value(QStringLiteral("error")).toObject().value(QStringLiteral("errors")).toArray();
    for (const QJsonValue &entry : errors) {
        const QString reason = entry.toObject().value(QStringLiteral("reason")).toString();
        if (reason == QLatin1String("rateLimitExceeded") || reason == QLatin1String("userRateLimitExceeded"))
            return true;
    }
    return false;
}

void CalendarClient::listCalendars()
{
    requestCalendarPage(QString(), std::make_shared<QList<DiscoveredCalendar>>(), 1);
}

void CalendarClient::requestCalendarPage(const QString &pageToken,
                                         std::shared_ptr<QList<DiscoveredCalendar>> found, int page)
{
    if (accessToken().isEmpty()) {
        Q_EMIT requestFailed(tr("No Google access token available."));
        return;
    }
    QUrl url = m_endpoints.apiUrl(QStringLiteral("/calendar/v3/users/me/calendarList"));
    if (!pageToken.isEmpty()) {
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("pageToken"), pageToken);
        url.setQuery(query);
    }
    auto call = std::make_shared<Call>();
    call->method = "GET";
    call->request = request(url, true);
    send(call, [this, found, page](const ReplyData &data) {
        if (!data.ok()) {
            Q_EMIT requestFailed(
                tr("Google rejected calendarList.list (HTTP %1): %2").arg(data.status).arg(data.readableError()),
                data.status);
            return;
        }
        const QJsonObject object = data.object();
        const QJsonArray items = object.value(QStringLiteral("items")).toArray();
        for (const QJsonValue &item : items)
            found->append(calendarFrom(item));
        const QString next = object.value(QStringLiteral("nextPageToken")).toString();
        if (next.isEmpty()) {
            Q_EMIT calendarsListed(*found);
            return;
        }
        if (page >= MaxPages) {
            Q_EMIT requestFailed(tr("Google's calendar list did not end after %1 pages.").arg(MaxPages));
            return;
        }
        requestCalendarPage(next, found, page + 1);
    });
}

void CalendarClient::listEvents(const QString &calendarId, const QString &syncToken, const QDateTime &timeMin,
                                const QDateTime &timeMax)
{
    auto listing = std::make_shared<Listing>();
    listing->calendarId = calendarId;
    listing->syncToken = syncToken;
    listing->timeMin = timeMin;
    listing->timeMax = timeMax;
    requestEventPage(listing, QString());
}

void CalendarClient::requestEventPage(std::shared_ptr<Listing> listing, const QString &pageToken)
{
    if (accessToken().isEmpty()) {
        Q_EMIT requestFailed(tr("No Google access token available."));
        return;
    }
    QUrlQuery query;
    if (listing->syncToken.isEmpty()) {
        query.addQueryItem(QStringLiteral("singleEvents"), QStringLiteral("false"));
        query.addQueryItem(QStringLiteral("showDeleted"), QStringLiteral("true"));
        if (listing->timeMin.isValid())
            query.addQueryItem(QStringLiteral("timeMin"), utcText(listing->timeMin));
        if (listing->timeMax.isValid())
            query.addQueryItem(QStringLiteral("timeMax"), utcText(listing->timeMax));
    } else {
        query.addQueryItem(QStringLiteral("syncToken"), listing->syncToken);
        query.addQueryItem(QStringLiteral("showDeleted"), QStringLiteral("true"));
    }
    if (!pageToken.isEmpty())
        query.addQueryItem(QStringLiteral("pageToken"), pageToken);
    query.addQueryItem(QStringLiteral("maxResults"), QStringLiteral("2500"));
    QUrl url = eventsUrl(listing->calendarId);
    // Tokens and times may hold "+", which a form decoder would read as a space.
    QString encoded;
    for (const auto &item : query.queryItems(QUrl::FullyDecoded)) {
        if (!encoded.isEmpty())
            encoded += QLatin1Char('&');
        encoded += item.first + QLatin1Char('=') + QString::fromLatin1(QUrl::toPercentEncoding(item.second));
    }
    url.setQuery(encoded, QUrl::StrictMode);
    ++listing->pages;
    auto call = std::make_shared<Call>();
    call->method = "GET";
    call->request = request(url, true);
    send(call, [this, listing](const ReplyData &data) { handleEventPage(data, listing); });
}

void CalendarClient::handleEventPage(const ReplyData &data, std::shared_ptr<Listing> listing)
{
    if (data.status == 410) {
        Q_EMIT syncTokenExpired(listing->calendarId);
        return;
    }
    if (!data.ok()) {
        Q_EMIT requestFailed(
            tr("Google rejected events.list (HTTP %1): %2").arg(data.status).arg(data.readableError()));
        return;
    }
    // Thousands of events a page: read and mapped off this thread.
    m_pages->read<EventPage>(data.body, readEventPage,
                             [this, listing](EventPage page) { takeEventPage(std::move(page), listing); });
}

void CalendarClient::takeEventPage(EventPage page, std::shared_ptr<Listing> listing)
{
    // Read as an empty last page, it would end the listing half read.
    if (!page.readable) {
        Q_EMIT requestFailed(tr("Google's answer to events.list (page %1) is not JSON.").arg(listing->pages));
        return;
    }
    listing->items.append(std::move(page.objects));
    // Kept a page apiece: thousands of records are not moved again.
    listing->listedPages.append(std::move(page.listed));
    if (!page.next.isEmpty()) {
        if (listing->pages >= MaxPages) {
            Q_EMIT requestFailed(tr("Google's event list did not end after %1 pages.").arg(MaxPages));
            return;
        }
        requestEventPage(listing, page.next);
        return;
    }
    EventListPage listed;
    listed.items = std::move(listing->items);
    listed.listedPages = std::move(listing->listedPages);
    listed.nextSyncToken = page.token;
    Q_EMIT eventsListed(listing->calendarId, listed);
}

void CalendarClient::insertEvent(const QString &localId, const QString &calendarId, const QJsonObject &event)
{
    if (accessToken().isEmpty()) {
        Q_EMIT eventWriteFailed(localId, tr("No Google access token."), 0);
        return;
    }
    // The guests of an event moved here as a copy hear nothing of it, and
    // its conference is kept as it was.
    QUrl url = eventsUrl(calendarId);
    url.setQuery(QStringLiteral("conferenceDataVersion=1&sendUpdates=none"));
    auto call = std::make_shared<Call>();
    call->method = "POST";
    call->request = request(url, true);
    call->request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    call->body = QJsonDocument(event).toJson(QJsonDocument::Compact);
    call->hasBody = true;
    send(call, [this, localId, calendarId, event](const ReplyData &data) {
        // The id is taken: an earlier attempt got through after all.
        if (data.status == 409 && event.contains(QStringLiteral("id"))) {
            readBackInsert(localId, calendarId, event);
            return;
        }
        handleWrite(data, localId, tr("Google rejected events.insert: %1"));
    });
}

void CalendarClient::readBackInsert(const QString &localId, const QString &calendarId, const QJsonObject &event)
{
    const QString id = event.value(QStringLiteral("id")).toString();
    auto call = std::make_shared<Call>();
    call->method = "GET";
    call->request = request(eventsUrl(calendarId, id), true);
    send(call, [this, localId, calendarId, event](const ReplyData &data) {
        const QJsonObject found = data.object();
        if (data.ok() && found.value(QStringLiteral("status")).toString() != QLatin1String("cancelled")) {
            Q_EMIT eventWritten(localId, found.value(QStringLiteral("id")).toString(),
                                found.value(QStringLiteral("etag")).toString(), found);
            return;
        }
        // Deleted on Google since: a new event, under an id Google picks.
        QJsonObject fresh = event;
        fresh.remove(QStringLiteral("id"));
        insertEvent(localId, calendarId, fresh);
    });
}

void CalendarClient::updateEvent(const QString &localId, const QString &calendarId, const QString &providerEventId,
                                 const QJsonObject &event, const QString &etag)
{
    sendWrite("PUT", localId, eventsUrl(calendarId, providerEventId), event, etag,
              tr("Google rejected events.update: %1"));
}

void CalendarClient::patchEvent(const QString &localId, const QString &calendarId, const QString &providerEventId,
                                const QJsonObject &changes, const QString &etag, bool tellNobody)
{
    QUrl url = eventsUrl(calendarId, providerEventId);
    if (tellNobody)
        url.setQuery(QStringLiteral("sendUpdates=none"));
    sendWrite("PATCH", localId, url, changes, etag, tr("Google rejected events.patch: %1"));
}

void CalendarClient::sendWrite(const QByteArray &method, const QString &localId, const QUrl &url,
                               const QJsonObject &event, const QString &etag, const QString &failure)
{
    if (accessToken().isEmpty()) {
        Q_EMIT eventWriteFailed(localId, tr("No Google access token."), 0);
        return;
    }
    auto call = std::make_shared<Call>();
    call->method = method;
    call->request = request(url, true);
    call->request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    if (!etag.isEmpty())
        call->request.setRawHeader("If-Match", etag.toUtf8());
    call->body = QJsonDocument(event).toJson(QJsonDocument::Compact);
    call->hasBody = true;
    send(call, [this, localId, failure](const ReplyData &data) { handleWrite(data, localId, failure); });
}

void CalendarClient::handleWrite(const ReplyData &data, const QString &localId, const QString &failure)
{
    if (!data.ok()) {
        Q_EMIT eventWriteFailed(localId, failure.arg(data.readableError(WithStatus)), data.status);
        return;
    }
    const QJsonObject object = data.object();
    Q_EMIT eventWritten(localId, object.value(QStringLiteral("id")).toString(),
                        object.value(QStringLiteral("etag")).toString(), object);
}

void CalendarClient::deleteEvent(const QString &localId, const QString &calendarId, const QString &providerEventId,
                                 const QString &etag, bool tellNobody)
{
    if (accessToken().isEmpty()) {
        Q_EMIT eventWriteFailed(localId, tr("No Google access token."), 0);
        return;
    }
    auto call = std::make_shared<Call>();
    call->method = "DELETE";
    QUrl url = eventsUrl(calendarId, providerEventId);
    if (tellNobody)
        url.setQuery(QStringLiteral("sendUpdates=none"));
    call->request = request(url, false);
    if (!etag.isEmpty())
        call->request.setRawHeader("If-Match", etag.toUtf8());
    send(call, [this, localId](const ReplyData &data) {
        // An event that is already gone counts as deleted.
        if (data.ok() || data.status == 404 || data.status == 410)
            Q_EMIT eventDeleted(localId);
        else
            Q_EMIT eventWriteFailed(
                localId, tr("Google rejected events.delete: %1").arg(data.readableError(WithStatus)), data.status);
    });
}

void CalendarClient::moveEvent(const QString &localId, const QString &calendarId, const QString &providerEventId,
                               const QString &destination)
{
    if (accessToken().isEmpty()) {
        Q_EMIT eventWriteFailed(localId, tr("No Google access token."), 0);
        return;
    }
    QUrl url = eventsUrl(calendarId, providerEventId);
    url.setPath(url.path(QUrl::FullyEncoded) + QStringLiteral("/move"), QUrl::TolerantMode);
    url.setQuery(QStringLiteral("sendUpdates=none&destination=")
                     + QString::fromLatin1(QUrl::toPercentEncoding(destination)),
                 QUrl::StrictMode);
    auto call = std::make_shared<Call>();
    call->method = "POST";
    call->request = request(url, true);
    send(call, [this, localId](const ReplyData &data) {
        if (data.ok())
            Q_EMIT eventMoved(localId, data.object());
        else
            Q_EMIT eventWriteFailed(
                localId, tr("Google rejected events.move: %1").arg(data.readableError(WithStatus)), data.status);
    });
}

void CalendarClient::listByICalUid(const QString &localId, const QString &calendarId, const QString &iCalUid)
{
    requestICalUidPage(localId, calendarId, iCalUid, QString(), std::make_shared<QList<QJsonObject>>(), 1);
}

void CalendarClient::requestICalUidPage(const QString &localId, const QString &calendarId, const QString &iCalUid,
                                        const QString &pageToken, std::shared_ptr<QList<QJsonObject>> found, int page)
{
    if (accessToken().isEmpty()) {
        Q_EMIT eventWriteFailed(localId, tr("No Google access token."), 0);
        return;
    }
    QString query = QStringLiteral("iCalUID=%1&showDeleted=true&maxResults=2500")
                        .arg(QString::fromLatin1(QUrl::toPercentEncoding(iCalUid)));
    if (!pageToken.isEmpty())
        query += QStringLiteral("&pageToken=") + QString::fromLatin1(QUrl::toPercentEncoding(pageToken));
    QUrl url = eventsUrl(calendarId);
    url.setQuery(query, QUrl::StrictMode);
    auto call = std::make_shared<Call>();
    call->method = "GET";
    call->request = request(url, true);
    send(call, [this, localId, calendarId, iCalUid, found, page](const ReplyData &data) {
        if (!data.ok()) {
            Q_EMIT eventWriteFailed(
                localId, tr("Google rejected events.list (HTTP %1): %2").arg(data.status).arg(data.readableError()),
                data.status);
            return;
        }
        const QJsonObject object = data.object();
        for (const QJsonValue &item : object.value(QStringLiteral("items")).toArray())
            found->append(item.toObject());
        const QString next = object.value(QStringLiteral("nextPageToken")).toString();
        if (next.isEmpty()) {
            Q_EMIT iCalUidListed(localId, *found);
            return;
        }
        if (page >= MaxPages) {
            Q_EMIT eventWriteFailed(localId, tr("Google's event list did not end after %1 pages.").arg(MaxPages), 0);
            return;
        }
        requestICalUidPage(localId, calendarId, iCalUid, next, found, page + 1);
    });
}

void CalendarClient::getEvent(const QString &localId, const QString &calendarId, const QString &providerEventId)
{
    if (accessToken().isEmpty()) {
        Q_EMIT eventWriteFailed(localId, tr("No Google access token."), 0);
        return;
    }
    auto call = std::make_shared<Call>();
    call->method = "GET";
    call->request = request(eventsUrl(calendarId, providerEventId), true);
    send(call, [this, localId](const ReplyData &data) {
        if (data.ok())
            Q_EMIT eventFetched(localId, data.object());
        else
            Q_EMIT eventWriteFailed(
                localId, tr("Google rejected events.get: %1").arg(data.readableError(WithStatus)), data.status);
    });
}

void CalendarClient::listInstances(const QString &localId, const QString &calendarId, const QString &seriesId,
                                   const QDateTime &timeMin, const QDateTime &timeMax)
{
    if (accessToken().isEmpty()) {
        Q_EMIT eventWriteFailed(localId, tr("No Google access token."), 0);
        return;
    }
    QUrl url = eventsUrl(calendarId, seriesId);
    url.setPath(url.path(QUrl::FullyEncoded) + QStringLiteral("/instances"), QUrl::TolerantMode);
    const QString query = QStringLiteral("showDeleted=true&timeMin=%1&timeMax=%2")
                              .arg(QString::fromLatin1(QUrl::toPercentEncoding(utcText(timeMin))),
                                   QString::fromLatin1(QUrl::toPercentEncoding(utcText(timeMax))));
    url.setQuery(query, QUrl::StrictMode);
    auto call = std::make_shared<Call>();
    call->method = "GET";
    call->request = request(url, true);
    send(call, [this, localId](const ReplyData &data) {
        if (!data.ok()) {
            Q_EMIT eventWriteFailed(
                localId, tr("Google rejected events.instances: %1").arg(data.readableError(WithStatus)), data.status);
            return;
        }
        QList<QJsonObject> instances;
        for (const QJsonValue &item : data.object().value(QStringLiteral("items")).toArray())
            instances.append(item.toObject());
        Q_EMIT instancesListed(localId, instances);
    });
}

} // namespace Google
