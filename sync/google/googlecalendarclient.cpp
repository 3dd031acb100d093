#include "sync/google/googlecalendarclient.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrlQuery>

#include "net/guardedrequest.h"
#include "sync/google/googlereply.h"

namespace Google {

struct CalendarClient::Listing
{
    QString calendarId;
    QString syncToken;
    QDateTime timeMin;
    QDateTime timeMax;
    QList<QJsonObject> items;
    int pages = 0;
};

namespace {

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

bool operator==(const DiscoveredCalendar &a, const DiscoveredCalendar &b)
{
    return a.id == b.id && a.summary == b.summary && a.description == b.description
           && a.backgroundColor == b.backgroundColor && a.accessRole == b.accessRole && a.primary == b.primary;
}

CalendarClient::CalendarClient(QObject *parent)
    : CalendarClient(Endpoints::fromEnvironment(), parent)
{
}

CalendarClient::CalendarClient(const Endpoints &endpoints, QObject *parent)
    : QObject(parent)
    , m_endpoints(endpoints)
    , m_network(new QNetworkAccessManager(this))
{
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
    QNetworkRequest request = Net::bearerRequest(url, m_accessToken, m_endpoints.transferTimeoutMs);
    if (json)
        request.setRawHeader("Accept", "application/json");
    return request;
}

QNetworkReply *CalendarClient::track(QNetworkReply *reply)
{
    Net::ReplyGuard::watch(reply, m_endpoints.replyLimits);
    ++m_inFlight;
    connect(reply, &QNetworkReply::finished, this, [this] { --m_inFlight; });
    return reply;
}

void CalendarClient::listCalendars()
{
    requestCalendarPage(QString(), std::make_shared<QList<DiscoveredCalendar>>(), 1);
}

void CalendarClient::requestCalendarPage(const QString &pageToken,
                                         std::shared_ptr<QList<DiscoveredCalendar>> found, int page)
{
    if (m_accessToken.isEmpty()) {
        Q_EMIT requestFailed(tr("No Google access token available."));
        return;
    }
    QUrl url = m_endpoints.apiUrl(QStringLiteral("/calendar/v3/users/me/calendarList"));
    if (!pageToken.isEmpty()) {
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("pageToken"), pageToken);
        url.setQuery(query);
    }
    QNetworkReply *reply = track(m_network->get(request(url, true)));
    connect(reply, &QNetworkReply::finished, this, [this, reply, found, page] {
        const ReplyData data = takeReply(reply, m_endpoints.transferTimeoutMs);
        if (!data.ok()) {
            Q_EMIT requestFailed(
                tr("Google rejected calendarList.list (HTTP %1): %2").arg(data.status).arg(data.text()));
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
    if (m_accessToken.isEmpty()) {
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
    QNetworkReply *reply = track(m_network->get(request(url, true)));
    connect(reply, &QNetworkReply::finished, this, [this, reply, listing] { handleEventPage(reply, listing); });
}

void CalendarClient::handleEventPage(QNetworkReply *reply, std::shared_ptr<Listing> listing)
{
    const ReplyData data = takeReply(reply, m_endpoints.transferTimeoutMs);
    if (data.status == 410) {
        Q_EMIT syncTokenExpired(listing->calendarId);
        return;
    }
    if (!data.ok()) {
        Q_EMIT requestFailed(tr("Google rejected events.list (HTTP %1): %2").arg(data.status).arg(data.text()));
        return;
    }
    const QJsonObject object = data.object();
    const QJsonArray items = object.value(QStringLiteral("items")).toArray();
    for (const QJsonValue &item : items)
        listing->items.append(item.toObject());
    const QString next = object.value(QStringLiteral("nextPageToken")).toString();
    if (!next.isEmpty()) {
        if (listing->pages >= MaxPages) {
            Q_EMIT requestFailed(tr("Google's event list did not end after %1 pages.").arg(MaxPages));
            return;
        }
        requestEventPage(listing, next);
        return;
    }
    EventListPage page;
    page.items = std::move(listing->items);
    page.nextSyncToken = object.value(QStringLiteral("nextSyncToken")).toString();
    Q_EMIT eventsListed(listing->calendarId, page);
}

void CalendarClient::insertEvent(const QString &localId, const QString &calendarId, const QJsonObject &event)
{
    if (m_accessToken.isEmpty()) {
        Q_EMIT eventWriteFailed(localId, tr("No Google access token."), 0);
        return;
    }
    QNetworkRequest post = request(eventsUrl(calendarId), true);
    post.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    QNetworkReply *reply = track(m_network->post(post, QJsonDocument(event).toJson(QJsonDocument::Compact)));
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, localId] { handleWrite(reply, localId, tr("Google rejected events.insert: %1")); });
}

void CalendarClient::updateEvent(const QString &localId, const QString &calendarId, const QString &providerEventId,
                                 const QJsonObject &event, const QString &etag)
{
    if (m_accessToken.isEmpty()) {
        Q_EMIT eventWriteFailed(localId, tr("No Google access token."), 0);
        return;
    }
    QNetworkRequest put = request(eventsUrl(calendarId, providerEventId), true);
    put.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    if (!etag.isEmpty())
        put.setRawHeader("If-Match", etag.toUtf8());
    QNetworkReply *reply = track(m_network->put(put, QJsonDocument(event).toJson(QJsonDocument::Compact)));
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, localId] { handleWrite(reply, localId, tr("Google rejected events.update: %1")); });
}

void CalendarClient::handleWrite(QNetworkReply *reply, const QString &localId, const QString &failure)
{
    const ReplyData data = takeReply(reply, m_endpoints.transferTimeoutMs);
    if (!data.ok()) {
        Q_EMIT eventWriteFailed(localId, failure.arg(data.text()), data.status);
        return;
    }
    const QJsonObject object = data.object();
    Q_EMIT eventWritten(localId, object.value(QStringLiteral("id")).toString(),
                        object.value(QStringLiteral("etag")).toString(), object);
}

void CalendarClient::deleteEvent(const QString &localId, const QString &calendarId, const QString &providerEventId,
                                 const QString &etag)
{
    if (m_accessToken.isEmpty()) {
        Q_EMIT eventWriteFailed(localId, tr("No Google access token."), 0);
        return;
    }
    QNetworkRequest remove = request(eventsUrl(calendarId, providerEventId), false);
    if (!etag.isEmpty())
        remove.setRawHeader("If-Match", etag.toUtf8());
    QNetworkReply *reply = track(m_network->deleteResource(remove));
    connect(reply, &QNetworkReply::finished, this, [this, reply, localId] {
        const ReplyData data = takeReply(reply, m_endpoints.transferTimeoutMs);
        // An event that is already gone counts as deleted.
        if (data.ok() || data.status == 404 || data.status == 410)
            Q_EMIT eventDeleted(localId);
        else
            Q_EMIT eventWriteFailed(localId, tr("Google rejected events.delete: %1").arg(data.text()), data.status);
    });
}

void CalendarClient::getEvent(const QString &localId, const QString &calendarId, const QString &providerEventId)
{
    if (m_accessToken.isEmpty()) {
        Q_EMIT eventWriteFailed(localId, tr("No Google access token."), 0);
        return;
    }
    QNetworkReply *reply = track(m_network->get(request(eventsUrl(calendarId, providerEventId), true)));
    connect(reply, &QNetworkReply::finished, this, [this, reply, localId] {
        const ReplyData data = takeReply(reply, m_endpoints.transferTimeoutMs);
        if (data.ok())
            Q_EMIT eventFetched(localId, data.object());
        else
            Q_EMIT eventWriteFailed(localId, tr("Google rejected events.get: %1").arg(data.text()), data.status);
    });
}

} // namespace Google
