#include "sync/microsoft/microsoftcalendarclient.h"

#include <QColor>
#include <QDebug>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkRequest>
#include <QUrlQuery>

#include "app/network/guardedrequest.h"
#include "sync/core/pagereader.h"
#include "sync/microsoft/microsoftreply.h"

namespace Microsoft {

struct CalendarClient::Call : OAuth::BearerCall
{
    QUrl url;
    QList<QPair<QByteArray, QByteArray>> headers;
};

struct CalendarClient::PageRun
{
    QString calendarId;
    QList<QJsonObject> events;
    QList<QList<ListedEvent>> listedPages;
    int pages = 0;
    bool delta = false;
};

namespace {

// Listings ask for times in UTC, so every "dateTime" read names one zone.
const QByteArray PreferUtc = QByteArrayLiteral("outlook.timezone=\"UTC\"");

QString encodedId(const QString &id)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(id));
}

QString utcText(const QDateTime &when)
{
    return when.toUTC().toString(Qt::ISODateWithMs);
}

QString colourForName(const QString &name)
{
    static const QHash<QString, QString> table = {
        {QStringLiteral("lightBlue"), QStringLiteral("#5BA3E0")},
        {QStringLiteral("lightGreen"), QStringLiteral("#7FBA00")},
        {QStringLiteral("lightOrange"), QStringLiteral("#FFA500")},
        {QStringLiteral("lightGray"), QStringLiteral("#999999")},
        {QStringLiteral("lightYellow"), QStringLiteral("#FFC107")},
        {QStringLiteral("lightTeal"), QStringLiteral("#1FAA8E")},
        {QStringLiteral("lightPink"), QStringLiteral("#E81123")},
        {QStringLiteral("lightBrown"), QStringLiteral("#8E562E")},
        {QStringLiteral("lightRed"), QStringLiteral("#D13438")},
        {QStringLiteral("maxColor"), QStringLiteral("#4285F4")},
        {QStringLiteral("auto"), QStringLiteral("#0078D4")}};
    return table.value(name, QStringLiteral("#0078D4"));
}

QString deltaTokenOf(const QString &deltaLink)
{
    return QUrlQuery(QUrl(deltaLink)).queryItemValue(QStringLiteral("$deltatoken"), QUrl::FullyDecoded);
}

} // namespace

OAuth::BearerClient::Rules bearerRules(const Endpoints &endpoints)
{
    OAuth::BearerClient::Rules rules;
    rules.readReply = &takeReply;
    rules.limits = endpoints;
    rules.retryWaitMs = [](const ReplyData &data, int) -> qint64 { return data.throttled() ? 5000 : -1; };
    rules.logName = QStringLiteral("Microsoft");
    return rules;
}

bool operator==(const DiscoveredCalendar &a, const DiscoveredCalendar &b)
{
    return a.id == b.id && a.name == b.name && a.color == b.color && a.canEdit == b.canEdit
           && a.isDefaultCalendar == b.isDefaultCalendar;
}

QDebug operator<<(QDebug debug, const DiscoveredCalendar &calendar)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "DiscoveredCalendar(" << calendar.id << ", " << calendar.name << ", " << calendar.color
                    << ", canEdit=" << calendar.canEdit << ", default=" << calendar.isDefaultCalendar << ')';
    return debug;
}

DiscoveredCalendar CalendarClient::parseCalendar(const QJsonObject &object)
{
    DiscoveredCalendar calendar;
    calendar.id = object.value(QStringLiteral("id")).toString();
    calendar.name = object.value(QStringLiteral("name")).toString();
    calendar.color = object.value(QStringLiteral("hexColor")).toString();
    // A hex colour that cannot be drawn counts as none.
    if (!QColor::isValidColorName(calendar.color))
        calendar.color = colourForName(object.value(QStringLiteral("color")).toString());
    calendar.canEdit = object.value(QStringLiteral("canEdit")).toBool(false);
    calendar.isDefaultCalendar = object.value(QStringLiteral("isDefaultCalendar")).toBool(false);
    return calendar;
}

QUrl CalendarClient::graphUrl(const QString &encodedPath, const QList<QPair<QString, QString>> &query) const
{
    QUrl url = m_endpoints.graphUrl(encodedPath);
    // Values fully encoded: tokens and times may hold "+" or "=".
    QString encoded;
    for (const auto &item : query) {
        if (!encoded.isEmpty())
            encoded += QLatin1Char('&');
        encoded += item.first + QLatin1Char('=') + QString::fromLatin1(QUrl::toPercentEncoding(item.second));
    }
    if (!encoded.isEmpty())
        url.setQuery(encoded, QUrl::StrictMode);
    return url;
}

QUrl CalendarClient::eventsUrl(const QString &calendarId, const QString &eventId) const
{
    QString path = QStringLiteral("/me/calendars/%1/events").arg(encodedId(calendarId));
    if (!eventId.isEmpty())
        path += QLatin1Char('/') + encodedId(eventId);
    return graphUrl(path);
}

bool CalendarClient::sameService(const QUrl &url) const
{
    // The bearer token goes only where the service root is.
    const QUrl root = m_endpoints.graphRoot;
    return url.scheme() == root.scheme() && url.host() == root.host() && url.port(-1) == root.port(-1);
}

void CalendarClient::send(std::shared_ptr<Call> call, Done done)
{
    call->request = Net::guardedRequest(call->url, m_endpoints.transferTimeoutMs);
    for (const auto &header : std::as_const(call->headers))
        call->request.setRawHeader(header.first, header.second);
    OAuth::BearerClient::send(call, std::move(done));
}

void CalendarClient::listCalendars()
{
    requestCalendarPage(graphUrl(QStringLiteral("/me/calendars")), std::make_shared<QList<DiscoveredCalendar>>(), 1);
}

void CalendarClient::requestCalendarPage(const QUrl &url, std::shared_ptr<QList<DiscoveredCalendar>> found, int page)
{
    if (accessToken().isEmpty()) {
        Q_EMIT requestFailed(tr("No Microsoft access token available."));
        return;
    }
    auto call = std::make_shared<Call>();
    call->method = "GET";
    call->url = url;
    call->headers = {{"Accept", "application/json"}};
    send(call, [this, found, page](const ReplyData &data) {
        if (!data.ok()) {
            Q_EMIT requestFailed(
                tr("Microsoft rejected /me/calendars (HTTP %1): %2").arg(data.status).arg(data.readableError()),
                data.status);
            return;
        }
        const QJsonObject object = data.object();
        for (const QJsonValue &value : object.value(QStringLiteral("value")).toArray())
            found->append(parseCalendar(value.toObject()));
        const QUrl next(object.value(QStringLiteral("@odata.nextLink")).toString());
        if (next.isEmpty()) {
            Q_EMIT calendarsListed(*found);
            return;
        }
        if (page >= MaxPages || !sameService(next)) {
            Q_EMIT requestFailed(tr("Microsoft's calendar list did not end properly after %1 pages.").arg(page));
            return;
        }
        requestCalendarPage(next, found, page + 1);
    });
}

void CalendarClient::findDefaultCalendar()
{
    if (accessToken().isEmpty()) {
        Q_EMIT requestFailed(tr("No Microsoft access token available."));
        return;
    }
    auto call = std::make_shared<Call>();
    call->method = "GET";
    call->url = graphUrl(QStringLiteral("/me/calendar"), {{QStringLiteral("$select"), QStringLiteral("id")}});
    call->headers = {{"Accept", "application/json"}};
    send(call, [this](const ReplyData &data) {
        const QString id = data.object().value(QStringLiteral("id")).toString();
        if (!data.ok() || id.isEmpty()) {
            Q_EMIT requestFailed(
                tr("Microsoft rejected /me/calendar (HTTP %1): %2").arg(data.status).arg(data.readableError()));
            return;
        }
        Q_EMIT defaultCalendarFound(id);
    });
}

void CalendarClient::listEvents(Listing listing, const QString &calendarId, const QString &deltaToken,
                                const QDateTime &timeMin, const QDateTime &timeMax)
{
    auto run = std::make_shared<PageRun>();
    run->calendarId = calendarId;
    const QDateTime end = timeMax.isValid() ? timeMax : timeMin.addYears(5);
    QList<QPair<QString, QString>> window;
    if (timeMin.isValid())
        window = {{QStringLiteral("startDateTime"), utcText(timeMin)}, {QStringLiteral("endDateTime"), utcText(end)}};
    if (listing == Listing::DefaultCalendarDelta) {
        run->delta = true;
        if (!deltaToken.isEmpty())
            window = {{QStringLiteral("$deltatoken"), deltaToken}};
        requestEventPage(run, graphUrl(QStringLiteral("/me/calendarView/delta"), window));
        return;
    }
    window.append({QStringLiteral("$top"), QString::number(PageSize)});
    requestEventPage(run, graphUrl(QStringLiteral("/me/calendars/%1/calendarView").arg(encodedId(calendarId)), window));
}

void CalendarClient::requestEventPage(std::shared_ptr<PageRun> run, const QUrl &url)
{
    if (accessToken().isEmpty()) {
        Q_EMIT requestFailed(tr("No Microsoft access token available."));
        return;
    }
    ++run->pages;
    auto call = std::make_shared<Call>();
    call->method = "GET";
    call->url = url;
    // A delta listing takes no $top: its page size is a preference.
    call->headers = {{"Accept", "application/json"},
                     {"Prefer", run->delta ? PreferUtc + ", odata.maxpagesize=" + QByteArray::number(PageSize)
                                           : PreferUtc}};
    send(call, [this, run](const ReplyData &data) { handleEventPage(run, data); });
}

void CalendarClient::handleEventPage(std::shared_ptr<PageRun> run, const ReplyData &data)
{
    if (data.status == 410) {
        Q_EMIT deltaTokenExpired(run->calendarId);
        return;
    }
    if (!data.ok()) {
        Q_EMIT requestFailed(
            tr("Microsoft rejected events list (HTTP %1): %2").arg(data.status).arg(data.readableError()));
        return;
    }
    m_pages->read<EventPage>(data.body, readEventPage,
                             [this, run](EventPage page) { takeEventPage(run, std::move(page)); });
}

void CalendarClient::takeEventPage(std::shared_ptr<PageRun> run, EventPage page)
{
    // Read as an empty last page, it would end the listing half read, and
    // a window listing would then take every event it did not name as gone.
    if (!page.readable) {
        Q_EMIT requestFailed(tr("Microsoft's answer to the events list (page %1) is not JSON.").arg(run->pages));
        return;
    }
    run->events.append(std::move(page.objects));
    // Kept a page apiece: the records are not moved again.
    run->listedPages.append(std::move(page.listed));
    const QUrl next(page.next);
    if (!next.isEmpty()) {
        if (run->pages >= MaxPages || !sameService(next)) {
            Q_EMIT requestFailed(tr("Microsoft's event list did not end properly after %1 pages.").arg(run->pages));
            return;
        }
        requestEventPage(run, next);
        return;
    }
    EventListPage listed;
    listed.events = std::move(run->events);
    listed.listedPages = std::move(run->listedPages);
    listed.deltaToken = deltaTokenOf(page.token);
    Q_EMIT eventsListed(run->calendarId, listed);
}

void CalendarClient::write(const QString &localId, const QByteArray &method, const QUrl &url,
                           const QJsonObject *body, const QString &changeKey, const QString &failure)
{
    if (accessToken().isEmpty()) {
        Q_EMIT eventWriteFailed(localId, tr("No Microsoft access token."), 0);
        return;
    }
    auto call = std::make_shared<Call>();
    call->method = method;
    call->url = url;
    if (body) {
        call->body = QJsonDocument(*body).toJson(QJsonDocument::Compact);
        call->hasBody = true;
        call->headers = {{"Accept", "application/json"}, {"Content-Type", "application/json"}};
    }
    if (!changeKey.isEmpty())
        call->headers.append({"If-Match", changeKey.toUtf8()});
    const bool deleting = method == "DELETE";
    send(call, [this, localId, failure, deleting](const ReplyData &data) {
        // An event that is already gone counts as deleted.
        if (deleting && (data.ok() || data.status == 404 || data.status == 410)) {
            Q_EMIT eventDeleted(localId);
            return;
        }
        if (!data.ok()) {
            Q_EMIT eventWriteFailed(localId, failure.arg(data.readableError()), data.status);
            return;
        }
        const QJsonObject object = data.object();
        Q_EMIT eventWritten(localId, object.value(QStringLiteral("id")).toString(),
                            object.value(QStringLiteral("changeKey")).toString(), object);
    });
}

void CalendarClient::insertEvent(const QString &localId, const QString &calendarId, const QJsonObject &body)
{
    write(localId, "POST", eventsUrl(calendarId), &body, QString(), tr("Microsoft rejected events.insert: %1"));
}

void CalendarClient::updateEvent(const QString &localId, const QString &calendarId, const QString &providerEventId,
                                 const QJsonObject &body, const QString &changeKey)
{
    write(localId, "PATCH", eventsUrl(calendarId, providerEventId), &body, changeKey,
          tr("Microsoft rejected events.update: %1"));
}

void CalendarClient::deleteEvent(const QString &localId, const QString &calendarId, const QString &providerEventId,
                                 const QString &changeKey)
{
    write(localId, "DELETE", eventsUrl(calendarId, providerEventId), nullptr, changeKey,
          tr("Microsoft rejected events.delete: %1"));
}

void CalendarClient::getEvent(const QString &key, const QString &providerEventId)
{
    if (accessToken().isEmpty()) {
        Q_EMIT eventFetchFailed(key, tr("No Microsoft access token."), 0);
        return;
    }
    auto call = std::make_shared<Call>();
    call->method = "GET";
    // The cancelled occurrences of a series come only when asked for.
    call->url = graphUrl(QStringLiteral("/me/events/") + encodedId(providerEventId),
                         {{QStringLiteral("$select"),
                           QStringLiteral("id,changeKey,subject,body,location,webLink,onlineMeeting,isAllDay,start,"
                                          "end,originalStartTimeZone,originalEndTimeZone,recurrence,type,"
                                          "seriesMasterId,showAs,organizer,attendees,responseStatus,isReminderOn,"
                                          "reminderMinutesBeforeStart,lastModifiedDateTime,cancelledOccurrences")}});
    call->headers = {{"Accept", "application/json"}, {"Prefer", PreferUtc}};
    send(call, [this, key](const ReplyData &data) {
        if (data.ok())
            Q_EMIT eventFetched(key, data.object());
        else
            Q_EMIT eventFetchFailed(key, tr("Microsoft rejected events.get: %1").arg(data.readableError()),
                                    data.status);
    });
}

void CalendarClient::readExceptions(const QString &key, const QString &seriesId)
{
    if (accessToken().isEmpty()) {
        Q_EMIT eventFetchFailed(key, tr("No Microsoft access token."), 0);
        return;
    }
    auto call = std::make_shared<Call>();
    call->method = "GET";
    // Graph names a series' exceptions only when asked for them, each as
    // the event it is.
    call->url = graphUrl(QStringLiteral("/me/events/") + encodedId(seriesId),
                         {{QStringLiteral("$select"), QStringLiteral("id,changeKey,exceptionOccurrences")},
                          {QStringLiteral("$expand"), QStringLiteral("exceptionOccurrences")}});
    call->headers = {{"Accept", "application/json"}, {"Prefer", PreferUtc}};
    send(call, [this, key](const ReplyData &data) {
        if (!data.ok()) {
            Q_EMIT eventFetchFailed(key, tr("Microsoft rejected events.get: %1").arg(data.readableError()),
                                    data.status);
            return;
        }
        QList<QJsonObject> exceptions;
        for (const QJsonValue &value : data.object().value(QStringLiteral("exceptionOccurrences")).toArray())
            exceptions.append(value.toObject());
        Q_EMIT exceptionsRead(key, exceptions);
    });
}

void CalendarClient::listInstances(const QString &key, const QString &seriesId, const QDateTime &from,
                                   const QDateTime &to)
{
    if (accessToken().isEmpty()) {
        Q_EMIT eventFetchFailed(key, tr("No Microsoft access token."), 0);
        return;
    }
    auto call = std::make_shared<Call>();
    call->method = "GET";
    call->url = graphUrl(QStringLiteral("/me/events/%1/instances").arg(encodedId(seriesId)),
                         {{QStringLiteral("startDateTime"), utcText(from)},
                          {QStringLiteral("endDateTime"), utcText(to)},
                          {QStringLiteral("$select"), QStringLiteral("id,type,seriesMasterId,originalStart,start,isAllDay")}});
    call->headers = {{"Accept", "application/json"}, {"Prefer", PreferUtc}};
    send(call, [this, key](const ReplyData &data) {
        if (!data.ok()) {
            Q_EMIT eventFetchFailed(key,
                                    tr("Microsoft rejected events.%1: %2")
                                        .arg(QStringLiteral("instances"), data.readableError()),
                                    data.status);
            return;
        }
        QList<QJsonObject> instances;
        for (const QJsonValue &value : data.object().value(QStringLiteral("value")).toArray())
            instances.append(value.toObject());
        Q_EMIT instancesListed(key, instances);
    });
}

void CalendarClient::respondToEvent(const QString &localId, const QString &providerEventId, const QString &action)
{
    if (accessToken().isEmpty()) {
        Q_EMIT eventWriteFailed(localId, tr("No Microsoft access token."), 0);
        return;
    }
    auto call = std::make_shared<Call>();
    call->method = "POST";
    call->url = graphUrl(QStringLiteral("/me/events/%1/%2").arg(encodedId(providerEventId), action));
    call->body = QJsonDocument(QJsonObject{{QStringLiteral("sendResponse"), true}}).toJson(QJsonDocument::Compact);
    call->hasBody = true;
    call->headers = {{"Content-Type", "application/json"}};
    send(call, [this, localId, action](const ReplyData &data) {
        if (data.ok())
            Q_EMIT eventResponded(localId);
        else
            Q_EMIT eventWriteFailed(localId, tr("Microsoft rejected events.%1: %2").arg(action, data.readableError()),
                                    data.status);
    });
}

} // namespace Microsoft
